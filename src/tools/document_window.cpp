#include "tools/document_window.h"

#include "data/data_context.h"
#include "data/display_format.h"
#include "data/engine_error.h"
#include "data/field_value.h"
#include "data/jpeg.h"
#include "data/program_home.h"
#include "data/spreadsheet_writer.h"
#include "data/table.h"
#include "reports/preview_window.h"
#include "reports/report.h"
#include "widgets/dataset_grid.h"
#include "widgets/dataset_grid_model.h"
#include "widgets/file_dialog.h"
#include "widgets/form_kit.h"
#include "widgets/message_box.h"
#include "widgets/record_binder.h"

#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include <cmath>

const DocumentKind &DocumentKind::receivedCheque()
{
    static const DocumentKind k{"TresimF", QStringLiteral("Çek ve Senet Evrakları Kayıt ve İzleme"),
                                QStringLiteral("resim"), QStringLiteral("cekgiris"), false,
                                QStringLiteral("cekid"), QStringLiteral("cek_ind"),
                                {{QStringLiteral("Alındığı Firma"), QStringLiteral("alindigi_firma")},
                                 {QStringLiteral("Verildiği Firma"), QStringLiteral("cek_ciro_kime")},
                                 {QStringLiteral("Alındığı Tarih"), QStringLiteral("islem_tarihi")},
                                 {QStringLiteral("Vadesi"), QStringLiteral("cek_tarihi")},
                                 {QStringLiteral("Para Cinsi"), QStringLiteral("para_birimi")},
                                 {QStringLiteral("Verildiği Tarih"), QStringLiteral("cek_ciro_tarihi")}}};
    return k;
}

const DocumentKind &DocumentKind::ownCheque()
{
    static const DocumentKind k{"TresimduzenF", QStringLiteral("Çek ve Senet Evrakları Kayıt ve İzleme"),
                                QStringLiteral("resimkendi"), QStringLiteral("cekkendi"), false,
                                QStringLiteral("cekid"), QStringLiteral("cek_ind"),
                                {{QStringLiteral("Verildiği Firma"), QStringLiteral("cirolandigi_firma")},
                                 {QStringLiteral("Bankası"), QStringLiteral("cek_bankasi")},
                                 {QStringLiteral("Verildiği Tarih"), QStringLiteral("islem_tarihi")},
                                 {QStringLiteral("Vadesi"), QStringLiteral("cek_tarihi")},
                                 {QStringLiteral("Para Cinsi"), QStringLiteral("para_birimi")},
                                 {QStringLiteral("Çek No"), QStringLiteral("cek_no")},
                                 {QStringLiteral("Şubesi"), QStringLiteral("cek_subesi")}}};
    return k;
}

const DocumentKind &DocumentKind::accountCard()
{
    static const DocumentKind k{"TresimfirmaF", QStringLiteral("Firma Evrakları Kayıt ve İzleme"),
                                QStringLiteral("resimfirma"), QStringLiteral("firma"), false,
                                QStringLiteral("firmakodu"), QStringLiteral("firma_kodu"),
                                {{QStringLiteral("Firma Kodu"), QStringLiteral("firma_kodu")},
                                 {QStringLiteral("Alındığı Firma"), QStringLiteral("firma_adi")}}};
    return k;
}

const DocumentKind &DocumentKind::cashMovement()
{
    static const DocumentKind k{"TresimkasaF", QStringLiteral("Kasa Hareketleri Evrak Kayıt ve İzleme"),
                                QStringLiteral("resimnakit"), QStringLiteral("nakit"), true,
                                QStringLiteral("nakidid"), QStringLiteral("nid"),
                                {{QStringLiteral("Açıklama"), QStringLiteral("aciklama")},
                                 {QStringLiteral("Kasa Tarih"), QStringLiteral("islem_tarihi")},
                                 {QStringLiteral("Para Cinsi"), QStringLiteral("doviz_cinsi")},
                                 {QStringLiteral("Borç Tutarı"), QStringLiteral("borc_tutar")},
                                 {QStringLiteral("Alacak Tutarı"), QStringLiteral("alacak_tutar")}}};
    return k;
}

namespace {

Connection *connectionOf(const DocumentKind &kind)
{
    DataContext &ctx = DataContext::instance();
    return kind.cashDatabase ? &ctx.kasaConnection : &ctx.ADOConnection1;
}

} // namespace

DocumentWindow::DocumentWindow(const DocumentKind &kind, QWidget *parent) : QWidget(parent), m_kind(kind)
{
    using FormKit::button;
    setObjectName(QString::fromLatin1(kind.formName));
    setWindowTitle(MessageBox::kCaption + QStringLiteral(" - ") + kind.caption);
    m_images = std::make_unique<Table>(connectionOf(kind), kind.table, QStringLiteral("PrimaryKey"),
                                       QStringLiteral("resimTable"));

    auto *root = new QVBoxLayout(this);
    // Top: the owner's fields, read-only, and the commands.
    auto *top = new QHBoxLayout;
    auto *fields = new QGridLayout;
    for (int i = 0; i < kind.header.size(); ++i) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("headerEdit%1").arg(i + 1));
        edit->setReadOnly(true);
        edit->setMinimumWidth(150);
        headerEdits << edit;
        fields->addWidget(FormKit::caption(kind.header[i].first, this), i / 2, (i % 2) * 2);
        fields->addWidget(edit, i / 2, (i % 2) * 2 + 1);
    }
    top->addLayout(fields, 1);
    auto *commands = new QGridLayout;
    dikeyBut = button(this, "dikeyBut", QStringLiteral("Dikey Önizle Yazdır"));
    yatayBut = button(this, "yatayBut", QStringLiteral("Yatay Önizle Yazdır"));
    jpgBut = button(this, "jpgBut", QStringLiteral("JPG Olarak Sakla"));
    acBut = button(this, "acBut", QStringLiteral("Windows'tan Aç"));
    kapatBut = button(this, "kapatBut", QStringLiteral("KAPAT"));
    commands->addWidget(dikeyBut, 0, 0);
    commands->addWidget(yatayBut, 0, 1);
    commands->addWidget(kapatBut, 0, 2);
    commands->addWidget(jpgBut, 1, 0);
    commands->addWidget(acBut, 1, 1);
    top->addLayout(commands);
    root->addLayout(top);

    auto *body = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(FormKit::caption(QStringLiteral("Evrak Adı"), this));
    evrakAdiEdit = FormKit::lineEdit(this, "evrakAdiEdit", QString(), 30);
    left->addWidget(evrakAdiEdit);
    auto *docButtons = new QGridLayout;
    yeniBut = button(this, "yeniBut", QStringLiteral("Yeni"));
    silBut = button(this, "silBut", QStringLiteral("Sil"));
    saklaBut = button(this, "saklaBut", QStringLiteral("Sakla"));
    yukleBut = button(this, "yukleBut", QStringLiteral("Evrak Yükle"));
    docButtons->addWidget(yeniBut, 0, 0);
    docButtons->addWidget(silBut, 0, 1);
    docButtons->addWidget(saklaBut, 1, 0);
    docButtons->addWidget(yukleBut, 1, 1);
    left->addLayout(docButtons);
    evrakGrid = new DatasetGrid(this);
    evrakGrid->setObjectName(QStringLiteral("evrakGrid"));
    evrakGrid->setDataset(m_images.get(), {gridColumn("resimadi", "Evrak Adı", 200)});
    evrakGrid->setWordWrap(true);
    left->addWidget(evrakGrid, 1);
    auto *leftPanel = new QWidget(this);
    leftPanel->setLayout(left);
    leftPanel->setFixedWidth(250);
    body->addWidget(leftPanel);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setMinimumSize(300, 300);
    Image1->setStyleSheet(QStringLiteral("background: white; border: 1px solid #a0a0a0;"));
    body->addWidget(Image1, 1);
    root->addLayout(body, 1);

    m_binder = new RecordBinder(this);
    m_binder->setTable(m_images.get());
    m_binder->setBeginPending([this](Table &) { return beginDocumentRow(); });
    m_binder->bindLine(evrakAdiEdit, QStringLiteral("resimadi"), RecordBinder::Kind::Text);
    connect(m_binder, &RecordBinder::written, this, [this] { m_changed = true; });
    connect(m_binder, &RecordBinder::writeFailed, this, [](const QString &m) { MessageBox::error(m); });
    connect(m_images.get(), &Dataset::currentRowChanged, this, &DocumentWindow::showCurrent);
    connect(m_images.get(), &Dataset::reset, this, &DocumentWindow::showCurrent);
    connect(m_images.get(), &Dataset::stateChanged, this, [this] {
        if (m_images->state() == Dataset::State::Browse) m_changed = false;
    });

    connect(yeniBut, &QPushButton::clicked, this, &DocumentWindow::yeni);
    connect(yukleBut, &QPushButton::clicked, this, &DocumentWindow::evrakYukle);
    connect(saklaBut, &QPushButton::clicked, this, &DocumentWindow::sakla);
    connect(silBut, &QPushButton::clicked, this, &DocumentWindow::sil);
    connect(dikeyBut, &QPushButton::clicked, this, [this] { yazdir(false); });
    connect(yatayBut, &QPushButton::clicked, this, [this] { yazdir(true); });
    connect(jpgBut, &QPushButton::clicked, this, &DocumentWindow::jpgSakla);
    connect(acBut, &QPushButton::clicked, this, &DocumentWindow::windowstanAc);
    connect(kapatBut, &QPushButton::clicked, this, &QWidget::hide);
    resize(1000, 640);
}

DocumentWindow::~DocumentWindow() = default;

void DocumentWindow::setOwner(Dataset *owner)
{
    if (m_owner) disconnect(m_owner, nullptr, this, nullptr);
    m_owner = owner;
    if (owner) connect(owner, &Dataset::currentRowChanged, this, &DocumentWindow::followOwner);
}

QVariant DocumentWindow::ownerLink() const
{
    if (!m_owner || m_owner->currentRow() < 0) return {};
    return m_owner->value(m_kind.ownerField);
}

void DocumentWindow::followOwner()
{
    if (!isVisible() || !m_images->isActive()) return;
    try {
        // A document typed for the former record stays with it.
        m_images->checkBrowseMode();
        m_images->setMasterLink(m_kind.linkField, ownerLink());
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
    for (int i = 0; i < headerEdits.size() && i < m_kind.header.size(); ++i) {
        QVariant v;
        if (m_owner && m_owner->currentRow() >= 0) v = m_owner->value(m_kind.header[i].second);
        QString text = FieldValue::asString(v);
        if (v.typeId() == QMetaType::Double) text = formatFloat(FormKit::kMoney, v.toDouble());
        headerEdits[i]->setText(text);
    }
}

void DocumentWindow::ac()
{
    try {
        if (!m_images->isActive()) m_images->open();
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return;
    }
    show();
    followOwner();
    showCurrent();
    raise();
    activateWindow();
}

void DocumentWindow::followList(Dataset *list, std::function<QVariant()> key)
{
    if (m_followed) disconnect(m_followed, nullptr, this, nullptr);
    m_followed = list;
    m_followKey = std::move(key);
    if (!list) return;
    connect(list, &Dataset::currentRowChanged, this, [this] {
        if (!isVisible() || !m_followKey) return;
        const QVariant k = m_followKey();
        if (k.isValid() && !k.isNull()) showFor(k);
    });
}

bool DocumentWindow::showFor(const QVariant &ownerKey)
{
    try {
        if (!m_ownRecord)
            m_ownRecord = std::make_unique<Table>(connectionOf(m_kind), m_kind.ownerTable, QStringLiteral("PrimaryKey"));
        if (m_ownRecord->isActive()) m_ownRecord->refresh();
        else m_ownRecord->open();
        if (!m_ownRecord->locate(m_kind.ownerField, ownerKey)) return false;
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return false;
    }
    setOwner(m_ownRecord.get());
    ac();
    return true;
}

QByteArray DocumentWindow::currentBytes() const
{
    if (!m_images->isActive() || (m_images->currentRow() < 0 && m_images->state() != Dataset::State::Insert)) return {};
    return m_images->value(QStringLiteral("resim")).toByteArray();
}

QImage DocumentWindow::currentPicture() const
{
    const QByteArray bytes = currentBytes();
    return bytes.isEmpty() ? QImage() : Jpeg::picture(bytes);
}

void DocumentWindow::showCurrent()
{
    m_binder->load();
    const QByteArray bytes = currentBytes();
    QString error;
    // Decoded no larger than the screen: the label never shows more, whatever the window's size.
    const QSize screen = Image1->screen() ? Image1->screen()->size() : QSize();
    m_shown = bytes.isEmpty() ? QImage() : Jpeg::picture(bytes, &error, screen);
    m_pictureError = bytes.isEmpty() || !m_shown.isNull() ? QString() : QStringLiteral("Resim gösterilemiyor: ") + error;
    resizeEvent(nullptr);
}

void DocumentWindow::resizeEvent(QResizeEvent *event)
{
    if (event) QWidget::resizeEvent(event);
    if (m_shown.isNull()) {
        // A picture that cannot be shown says so in its place, whatever the size.
        if (m_pictureError.isEmpty()) Image1->clear();
        else Image1->setText(m_pictureError);
        return;
    }
    // A picture larger than the area is scaled down, proportions kept.
    QImage img = m_shown;
    const QSize room = Image1->contentsRect().size() - QSize(4, 4);
    if (img.width() > room.width() || img.height() > room.height())
        img = img.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    Image1->setPixmap(QPixmap::fromImage(img));
}

void DocumentWindow::hideEvent(QHideEvent *event)
{
    if (m_images->isActive()) {
        m_images->cancel();
        m_images->close();
    }
    QWidget::hideEvent(event);
}

void DocumentWindow::appendDocumentRow()
{
    m_images->append();
    m_images->field(m_kind.linkField) = ownerLink();  // it belongs to the record current now
}

bool DocumentWindow::beginDocumentRow()
{
    if (m_images->state() != Dataset::State::Browse) return false;
    if (m_images->currentRow() >= 0) {
        m_images->edit();
        return false;
    }
    appendDocumentRow();
    return true;
}

void DocumentWindow::yeni()
{
    try {
        if (!m_images->isActive()) m_images->open();
        m_images->checkBrowseMode();
        appendDocumentRow();
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return;
    }
    showCurrent();
    evrakAdiEdit->setFocus();
}

QString DocumentWindow::sizeRefusal(qint64 bytes)
{
    const double kb = double(bytes) / 1024;
    if (kb <= 350) return {};
    // Two decimals, halves to the even neighbour, shown without trailing zeros.
    const double shown = std::nearbyint(kb * 100) / 100;
    QString text = QString::number(shown, 'f', 2);
    while (text.endsWith(u'0')) text.chop(1);
    if (text.endsWith(u'.')) text.chop(1);
    return QStringLiteral("Resim Boyutu ") + text.replace(u'.', u',') + QStringLiteral(" KB") +
           QStringLiteral(" 350 KB tan büyük resim yüklemesi yapamazsınız!");
}

bool DocumentWindow::evrakYukle()
{
    try {
        if (!m_images->isActive()) m_images->open();
        beginDocumentRow();
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return false;
    }
    const QString path = FileDialog::openFile(QStringLiteral("Evrak Yükle"), QString(),
                                              QStringLiteral("Resim Dosyaları (*.jpg *.jpeg *.bmp *.png)"), this);
    if (path.isEmpty()) return false;
    return loadPictureFile(path);
}

bool DocumentWindow::loadPictureFile(const QString &path)
{
    const QString refusal = sizeRefusal(QFileInfo(path).size());
    if (!refusal.isEmpty()) {
        MessageBox::warning(refusal);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        MessageBox::error(QStringLiteral("Dosya açılamadı: ") + path);
        return false;
    }
    QString error;
    const QByteArray stored = Jpeg::storedForm(file.readAll(), &error);
    if (stored.isEmpty()) {
        MessageBox::warning(QStringLiteral("Resim yüklenemedi: ") + error);
        return false;
    }
    try {
        beginDocumentRow();
        m_images->field(QStringLiteral("resim")) = stored;
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return false;
    }
    m_changed = true;
    showCurrent();
    return true;
}

void DocumentWindow::sakla()
{
    if (!m_images->isActive()) return;
    const Dataset::State s = m_images->state();
    if ((s != Dataset::State::Edit && s != Dataset::State::Insert) || !m_changed) return;
    try {
        m_images->post();
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}

void DocumentWindow::sil()
{
    if (MessageBox::show(MessageBox::kCaption, QStringLiteral("Bu kayıt silinecek.\n\rDevam edilsinmi?"),
                         MessageBox::Icon::Question, MessageBox::Yes | MessageBox::No | MessageBox::Cancel,
                         this) != MessageBox::Yes)
        return;
    if (!m_images->isActive()) return;
    try {
        if (m_images->state() == Dataset::State::Insert) m_images->cancel();
        else if (m_images->currentRow() >= 0) m_images->remove();
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
    showCurrent();
}

Report DocumentWindow::pictureReport(const QImage &picture, bool landscape)
{
    ReportLayout layout;
    layout.name = landscape ? QStringLiteral("EvrakYatay") : QStringLiteral("EvrakDikey");
    layout.orientation = landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    const double width = layout.contentWidth();
    const double height = (landscape ? 210.0 : 297.0) - layout.margins.top() - layout.margins.bottom();
    ReportBand &band = layout.band(BandType::ReportTitle);
    band.height = height;
    ReportMemo memo = makeMemo(QStringLiteral("Picture1"), QRectF(0, 0, width, height), QString());
    memo.picture = picture;
    band.memos << memo;
    return Report(layout);
}

bool DocumentWindow::yazdir(bool landscape)
{
    const QImage picture = currentPicture();
    if (picture.isNull()) return false;  // nothing to print
    return pictureReport(picture, landscape).showPreview(this, TRaporOnizlemeF::kCaption);
}

bool DocumentWindow::writeJpegFile(const QString &path)
{
    // A stored JPEG is written byte for byte; another picture is converted.
    const QByteArray bytes = currentBytes();
    const QByteArray jpeg = Jpeg::looksLikeJpeg(bytes) ? bytes : Jpeg::encode(currentPicture());
    QSaveFile file(path);
    if (jpeg.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(jpeg) != jpeg.size() || !file.commit()) {
        MessageBox::error(QStringLiteral("Dosya yazılamadı: ") + path);
        return false;
    }
    return true;
}

bool DocumentWindow::jpgSakla()
{
    if (currentPicture().isNull()) return false;  // nothing to save
    // The question about an existing file is asked once, here, on the final name.
    QString path = FileDialog::saveFileNoOverwriteQuestion(QStringLiteral("JPG Olarak Sakla"), QString(),
                                                           QStringLiteral("JPEG Resim Dosyası (*.jpg)"), this);
    if (path.isEmpty()) return false;
    if (!path.contains(QStringLiteral(".jpg"), Qt::CaseInsensitive)) path += QStringLiteral(".jpg");
    if (QFileInfo::exists(path) && !MessageBox::askYesNo(QStringLiteral("Dosya mevcut Üzerine kayıt edilsinmi?")))
        return false;
    if (!writeJpegFile(path)) return false;
    if (MessageBox::askYesNo(QStringLiteral("Dosyayı açmak istermisiniz?"))) SpreadsheetExport::openWithDesktop(path);
    return true;
}

bool DocumentWindow::windowstanAc()
{
    if (currentPicture().isNull()) return false;
    const QString path = ProgramHome::path(QStringLiteral("RaporR.jpg"));
    if (!writeJpegFile(path)) return false;
    return SpreadsheetExport::openWithDesktop(path);
}
