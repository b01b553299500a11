#include "received/tcekbordrof.h"

#include "accounts/account_picker.h"
#include "accounts/tcarif.h"
#include "data/data_context.h"
#include "data/engine_error.h"
#include "data/query.h"
#include "data/table.h"
#include "received/entry_slip_load.h"
#include "received/tceklerf.h"
#include "received/tcekortf.h"
#include "widgets/dataset_grid.h"
#include "widgets/dataset_grid_model.h"
#include "widgets/form_kit.h"
#include "widgets/form_show.h"
#include "widgets/key_filters.h"
#include "widgets/message_box.h"
#include "widgets/wait_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using FormKit::button;
using FormKit::lineEdit;

namespace {

const QString kFiltrele = QStringLiteral("FİLTRELE");
const QString kFiltreyiKaldir = QStringLiteral("FİLTREYİ KALDIR");

QVector<GridColumn> registerColumns()
{
    const QString &money = FormKit::kMoney, &date = FormKit::kDate;
    return {gridColumn("bordro_ind", "No", 50),
            gridColumn("islem_tarihi", "Tarih", 80, date),
            gridColumn("alindigi_firma", "Firma", 200),
            gridColumn("para_birimi", "Para", 45),
            gridColumn("doviz_kuru", "Döviz Kuru", 80, money),
            gridColumn("toplam_tutari", "Tutarı", 105, money),
            gridColumn("ortalama_vade", "Ort.Vade", 80, date),
            gridColumn("toplam_vade_farki", "Vade Farkı", 90, money),
            gridColumn("toplam_masraflar", "Masraf", 80, money),
            gridColumn("BSMV", "BSMV", 75, money),
            gridColumn("toplam_net_tutar", "Net Tutar", 105, money),
            gridColumn("ortalama_gun", "Ort.Gün", 55),
            gridColumn("yildaki_gun", "Y.Gün", 45),
            gridColumn("yillik_faiz", "Y.Faiz", 60, money),
            gridColumn("aylik_faiz", "A.Faiz", 60, money),
            gridColumn("BSMV_oran", "BSMV %", 62, QStringLiteral("#0.00")),
            gridColumn("tah_sure_ekle", "TSE", 40),
            gridColumn("hafta_sonu_ekle", "HSE", 40),
            gridColumn("kalangun", "Kalan", 50)};
}

QCheckBox *tick(QWidget *parent, const char *name)
{
    auto *c = new QCheckBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    return c;
}

QDateEdit *dateEdit(QWidget *parent, const char *name)
{
    auto *d = new QDateEdit(QDate::currentDate(), parent);
    d->setObjectName(QString::fromLatin1(name));
    KeyFilters::setupDateEdit(d);
    d->setFixedWidth(120);
    return d;
}

} // namespace

TcekbordroF::TcekbordroF(QWidget *parent)
    : QWidget(parent),
      CekBordro(*new Query(&DataContext::instance().ADOConnection1, QStringLiteral("CekBordro"), this))
{
    // Every slip, read whole in one pass: the register only lists and filters them.
    CekBordro.sql() << QStringLiteral("SELECT * FROM cekbordro ORDER BY islem_tarihi, bordro_ind");
    setObjectName(QStringLiteral("TcekbordroF"));
    setWindowTitle(QStringLiteral("Brenvo Çek Senet Takip - Alınan Çek ve Senet Giriş Bordro Listeleri"));
    CekBordro.addCalculatedField(QStringLiteral("kalangun"), FieldType::Long, [this](const Record &r) {
        if (r.isNull(QStringLiteral("ortalama_vade"))) return QVariant();
        return SlipRegister::daysLeft(r.asDate(QStringLiteral("ortalama_vade")), islemDate->date());
    });
    CekBordro.setFilter([this](const Record &r) { return m_applied.accepts(m_reader.read(r, CekBordro)); });

    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(8, 8, 8, 8);
    root->addWidget(FormKit::heading(this, "baslikLabel", QStringLiteral("Alınan Çek ve Senet Giriş Bordro Listeleri"), 6));

    auto *panel = new QGroupBox(
        QStringLiteral("  GİRİŞ BORDRO RAPORLAMA SEÇENEKLERİ (Seçim Yaptıktan sonra \"FİLTRELE\" tuşuna tıklayın)"), this);
    panel->setObjectName(QStringLiteral("filtrePanel"));
    bordroEdit = lineEdit(this, "bordroEdit", QString(), 10);
    KeyFilters::installDigitsOnly(bordroEdit);
    firmaEdit = lineEdit(this, "firmaEdit", QString(), 20);
    firmaadiEdit = lineEdit(this, "firmaadiEdit", QString(), 50);
    dovizBox = new QComboBox(this);
    dovizBox->setObjectName(QStringLiteral("dovizBox"));
    dovizBox->addItems({QStringLiteral("TL"), QStringLiteral("USD"), QStringLiteral("EURO")});
    bordroCheck = tick(this, "bordroCheck");
    koduCheck = tick(this, "koduCheck");
    paraCheck = tick(this, "paraCheck");
    firmaadiCheck = tick(this, "firmaadiCheck");
    tarihCheck = tick(this, "tarihCheck");
    orttarihCheck = tick(this, "orttarihCheck");
    basDate = dateEdit(this, "basDate");
    bitDate = dateEdit(this, "bitDate");
    ortbasDate = dateEdit(this, "ortbasDate");
    ortbitDate = dateEdit(this, "ortbitDate");
    islemDate = dateEdit(this, "islemDate");
    for (QLineEdit *e : {bordroEdit, firmaEdit}) e->setFixedWidth(150);
    dovizBox->setFixedWidth(150);
    firmaadiEdit->setMinimumWidth(260);

    auto *g = new QGridLayout(panel);
    g->setHorizontalSpacing(8);
    const auto label = [this](const QString &t) { return new QLabel(t, this); };
    g->addWidget(label(QStringLiteral("Bordro No")), 0, 0);
    g->addWidget(bordroEdit, 0, 1);
    g->addWidget(bordroCheck, 0, 2);
    g->addWidget(label(QStringLiteral("Firm.Kodu")), 1, 0);
    g->addWidget(firmaEdit, 1, 1);
    g->addWidget(koduCheck, 1, 2);
    g->addWidget(label(QStringLiteral("Para Cinsi")), 2, 0);
    g->addWidget(dovizBox, 2, 1);
    g->addWidget(paraCheck, 2, 2);
    g->addWidget(label(QStringLiteral("Firma Adı")), 3, 0);
    g->addWidget(firmaadiEdit, 3, 1, 1, 4);
    g->addWidget(firmaadiCheck, 3, 5);
    g->addWidget(label(QStringLiteral("Bordro tarihi")), 0, 3);
    g->addWidget(label(QStringLiteral("Başla. tarihi")), 0, 4);
    g->addWidget(basDate, 0, 5);
    g->addWidget(label(QStringLiteral("Bitiş tarihi")), 0, 6);
    g->addWidget(bitDate, 0, 7);
    g->addWidget(tarihCheck, 0, 8);
    g->addWidget(label(QStringLiteral("Ortalama vade")), 1, 3);
    g->addWidget(label(QStringLiteral("Başla. tarihi")), 1, 4);
    g->addWidget(ortbasDate, 1, 5);
    g->addWidget(label(QStringLiteral("Bitiş tarihi")), 1, 6);
    g->addWidget(ortbitDate, 1, 7);
    g->addWidget(orttarihCheck, 1, 8);
    g->addWidget(label(QStringLiteral("İşlem tarihi")), 2, 4);
    g->addWidget(islemDate, 2, 5);

    duzeltButton = button(this, "duzeltButton", QStringLiteral("BORDROYU DÜZELT"));
    yenileButton = button(this, "yenileButton", QStringLiteral("RAPORU YENİLE"));
    filtreButton = button(this, "filtreButton", kFiltrele);
    kapatButton = button(this, "kapatButton", QStringLiteral("KAPAT"));
    tumkolonCheck = new QCheckBox(QStringLiteral("Tüm alanı göster"), this);
    tumkolonCheck->setObjectName(QStringLiteral("tumkolonCheck"));
    auto *buttons = new QGridLayout;
    buttons->addWidget(duzeltButton, 0, 0);
    buttons->addWidget(yenileButton, 0, 1);
    buttons->addWidget(filtreButton, 1, 0);
    buttons->addWidget(kapatButton, 1, 1);
    buttons->addWidget(tumkolonCheck, 2, 0, 1, 2);
    for (QPushButton *b : {duzeltButton, yenileButton, filtreButton, kapatButton}) b->setMinimumWidth(150);
    g->addLayout(buttons, 0, 10, 4, 1);
    g->setColumnStretch(9, 1);
    root->addWidget(panel);

    FirmaGrid = new DatasetGrid(this);
    FirmaGrid->setObjectName(QStringLiteral("FirmaGrid"));
    FirmaGrid->setDataset(&CekBordro, registerColumns());
    FirmaGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FirmaGrid->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto *duzeltItem = new QAction(QStringLiteral("Kayıt Düzelt"), FirmaGrid);
    duzeltItem->setObjectName(QStringLiteral("kayitDuzeltItem"));
    FirmaGrid->addAction(duzeltItem);
    FirmaGrid->installEventFilter(this);
    root->addWidget(FirmaGrid, 1);

    KeyFilters::installEnterMovesFocus(this);
    for (QLineEdit *e : {firmaEdit, firmaadiEdit}) e->installEventFilter(this);

    connect(filtreButton, &QPushButton::clicked, this, &TcekbordroF::filtrele);
    connect(yenileButton, &QPushButton::clicked, this, &TcekbordroF::raporuYenile);
    connect(duzeltButton, &QPushButton::clicked, this, &TcekbordroF::bordroDuzelt);
    connect(duzeltItem, &QAction::triggered, this, &TcekbordroF::bordroDuzelt);
    connect(FirmaGrid, &QAbstractItemView::doubleClicked, this, [this] { bordroDuzelt(); });
    connect(kapatButton, &QPushButton::clicked, this, &QWidget::hide);
    connect(tumkolonCheck, &QCheckBox::toggled, this, [this](bool rows) {
        FirmaGrid->setSelectionBehavior(rows ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    });
    AccountPicker::registerHandler(QStringLiteral("cekbordro"), [this](const PickedAccount &card) {
        firmaEdit->setText(card.kodu);
        firmaadiEdit->setText(card.adi);
    });
    resize(1280, 720);
}

TcekbordroF::~TcekbordroF() { AccountPicker::unregisterTarget(QStringLiteral("cekbordro")); }

SlipRegister::Filter TcekbordroF::filter() const
{
    SlipRegister::Filter f;
    f.byNumber = bordroCheck->isChecked();
    f.number = bordroEdit->text();
    f.byCode = koduCheck->isChecked();
    f.code = firmaEdit->text();
    f.byCurrency = paraCheck->isChecked();
    f.currency = dovizBox->currentText();
    f.byName = firmaadiCheck->isChecked();
    f.name = firmaadiEdit->text();
    f.byDate = tarihCheck->isChecked();
    f.from = basDate->date();
    f.to = bitDate->date();
    f.byAverage = orttarihCheck->isChecked();
    f.averageFrom = ortbasDate->date();
    f.averageTo = ortbitDate->date();
    return f;
}

void TcekbordroF::ac()
{
    try {
        // Always read afresh: a slip saved, corrected or deleted since shows as it is now.
        if (CekBordro.isActive()) CekBordro.refresh();
        else CekBordro.open();
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return;
    }
    showFormMaximized(this);
}

void TcekbordroF::filtrele()
{
    m_filterOn = !m_filterOn;
    m_applied = SlipRegister::Matcher(filter());
    filtreButton->setText(m_filterOn ? kFiltreyiKaldir : kFiltrele);
    CekBordro.setFiltered(m_filterOn);
}

void TcekbordroF::filtreyiKapat()
{
    m_filterOn = false;
    filtreButton->setText(kFiltrele);
    CekBordro.setFiltered(false);
}

void TcekbordroF::raporuYenile()
{
    m_applied = SlipRegister::Matcher(filter());
    try {
        if (!CekBordro.isActive()) CekBordro.open();
        else CekBordro.refresh();
        if (m_filterOn) {
            CekBordro.setFiltered(false);
            CekBordro.setFiltered(true);
        }
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}

bool TcekbordroF::bordroDuzelt()
{
    if (!m_slip || !CekBordro.isActive() || CekBordro.isEmpty()) return false;
    const qint64 number = CekBordro.field(QStringLiteral("bordro_ind")).asInteger();
    // Typed changes are never thrown away without the user's word.
    if (!m_slip->degisiklikleriBirak()) return false;
    EntrySlip::LoadedSlip slip;
    try {
        std::unique_ptr<WaitScope> wait;
        if (m_wait) wait = std::make_unique<WaitScope>(*m_wait, 1, TForm2::kAktarim);
        slip = EntrySlip::loadSlip(DataContext::instance().ADOConnection1, number);
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return false;
    }
    if (!slip.found) {
        MessageBox::warning(QStringLiteral("Bordro bulunamadı; silinmiş olabilir. Raporu yenileyin."));
        return false;
    }
    if (slip.refusal != EntrySlip::Refusal::None) {
        // The entry slip stays exactly as it was; the user sees the cheques concerned.
        MessageBox::warning(EntrySlip::refusalMessage(slip.refusal));
        showRefusedCheques(number, slip.refusal == EntrySlip::Refusal::Endorsed ? QStringLiteral("Ciro Edilenler")
                                                                                : QStringLiteral("Tahsil Edilenler"));
        return false;
    }
    m_slip->yukle(slip);
    hide();
    showFormMaximized(m_slip);
    if (m_lists) {
        showRefusedCheques(number, QStringLiteral("Tüm Çekler"));
    }
    return true;
}

void TcekbordroF::showRefusedCheques(qint64 number, const QString &choice)
{
    if (!m_lists) return;
    m_lists->firmaEdit->clear();
    m_lists->firmaadiEdit->clear();
    m_lists->tarihCheck->setChecked(false);
    for (QAbstractButton *b : m_lists->choiceGroup->buttons())
        if (b->text() == choice) b->setChecked(true);
    m_lists->bordroEdit->setText(QString::number(number));
    m_lists->CekleriHazirla();
    if (choice != QStringLiteral("Tüm Çekler")) showFormMaximized(m_lists);
}

void TcekbordroF::openPicker(QLineEdit *edit)
{
    if (!m_cards) return;
    AccountPicker::cariSecimYeri() = QStringLiteral("cekbordro");
    if (edit == firmaEdit) m_cards->ac(QStringLiteral("cekbordro"), edit->text());
    else m_cards->ac(QStringLiteral("cekbordro"), QString(), edit->text());
}

bool TcekbordroF::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick && (watched == firmaEdit || watched == firmaadiEdit)) {
        openPicker(static_cast<QLineEdit *>(watched));
        return true;
    }
    if (watched == FirmaGrid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        const QModelIndex current = FirmaGrid->currentIndex();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && current.isValid()) {
            // The next shown column of the row; from the last back to the first.
            const int columns = FirmaGrid->model()->columnCount();
            int col = current.column();
            for (int step = 0; step < columns; ++step) {
                col = (col + 1) % columns;
                if (!FirmaGrid->isColumnHidden(col)) break;
            }
            FirmaGrid->setCurrentIndex(FirmaGrid->model()->index(current.row(), col));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
