#include "received/tceklerf.h"

#include "accounts/account_picker.h"
#include "accounts/tcarif.h"
#include "data/data_context.h"
#include "data/display_format.h"
#include "data/engine_error.h"
#include "data/number_reading.h"
#include "reports/layout_common.h"
#include "reports/layouts_received.h"
#include "reports/preview_window.h"
#include "widgets/currency_box.h"
#include "widgets/dataset_grid.h"
#include "widgets/dataset_grid_model.h"
#include "widgets/key_filters.h"
#include "widgets/message_box.h"
#include "widgets/panel_status_bar.h"
#include "widgets/row_paint_delegate.h"
#include "widgets/title_sort.h"
#include "widgets/window_texts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QKeyEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace ChequeList;

namespace {

const QString kAmount = QStringLiteral("#,###.00");
const QString kRate = QStringLiteral("#,###.00000");
const QString kDate = QStringLiteral("dd.mm.yyyy");

QVector<GridColumn> listColumns()
{
    return {gridColumn("cek_ind", "No", 50),
            gridColumn("bordro_ind", "Bordro", 55),
            gridColumn("cek_tarihi", "Çek Vadesi", 80, kDate),
            gridColumn("islem_tarihi", "İşlem Tarihi", 80, kDate),
            gridColumn("alindigi_firma", "Firma Adı", 170),
            gridColumn("para_birimi", "Para C.", 50),
            gridColumn("cek_tutari", "Çek Tutarı", 95, kAmount),
            gridColumn("cek_gun", "Gün", 40),
            gridColumn("kalangun", "Kalan", 45),
            gridColumn("aciklama", "Açıklama", 120),
            gridColumn("cek_masraf", "Masraf", 70, kAmount),
            gridColumn("ceki_duzenleyen", "Düzenleyen", 150),
            gridColumn("cek_bankasi", "Bankası", 110),
            gridColumn("cek_subesi", "Şubesi", 90),
            gridColumn("cek_hesap_no", "Hesap No", 90),
            gridColumn("cek_no", "Çek No", 80),
            gridColumn("cek_ciro_id", "Ciro Brd.", 60),
            gridColumn("cek_ciro_kime", "Ciro", 120),
            gridColumn("cek_ciro_tarihi", "Ciro Tarihi", 80, kDate),
            gridColumn("cek_tahsilat_tarihi", "Tah.Tarihi", 80, kDate),
            gridColumn("cek_net_tutar", "Çek Ne Tutar", 90, kAmount, true),
            gridColumn("cek_vade_farki", "Vade Farkı", 90, kAmount, true)};
}

QVector<GridColumn> monthlyColumns()
{
    GridColumn yil{QStringLiteral("YIL"), QStringLiteral("YIL"), QString(), 50, false, Qt::AlignCenter};
    GridColumn ay{QStringLiteral("ay_adi"), QStringLiteral("AY"), QString(), 70};
    GridColumn pb{QStringLiteral("para_birimi"), QStringLiteral("PB"), QString(), 45};
    GridColumn toplam{QStringLiteral("Toplam_Tutar"), QStringLiteral("Toplam Tutar"), kAmount, 110, false,
                      Qt::AlignRight | Qt::AlignVCenter};
    return {yil, ay, pb, toplam};
}

void reopen(Query &q, const QStringList &lines)
{
    q.close();
    q.sql().clear();
    q.sql() << lines;
}

} // namespace

TceklerF::TceklerF(QWidget *parent)
    : QMainWindow(parent),
      eldekiceklerQuery(&DataContext::instance().ADOConnection1, QStringLiteral("eldekiceklerQuery"), this),
      ceklertoplamQuery(&DataContext::instance().ADOConnection1, QStringLiteral("ceklertoplamQuery"), this),
      AylikAlinanCeklerQuery(&DataContext::instance().ADOConnection1, QStringLiteral("AylikAlinanCeklerQuery"), this),
      firmabilgileri(&DataContext::instance().ADOConnection1, QStringLiteral("firmabilgileri"), QString(),
                     QStringLiteral("firmabilgileri"), this)
{
    setObjectName(QStringLiteral("TceklerF"));
    setWindowTitle(QStringLiteral("Brenvo Çek Senet Takip - Alınan Çek ve Senet Listeleri"));

    // "Kalan": whole days from the operation date to the due date.
    eldekiceklerQuery.addCalculatedField(QStringLiteral("kalangun"), FieldType::Long, [this](const Record &r) {
        if (r.isNull(QStringLiteral("cek_tarihi"))) return QVariant();
        return QVariant(islemTarihi().daysTo(r.asDate(QStringLiteral("cek_tarihi"))));
    });
    AylikAlinanCeklerQuery.addCalculatedField(QStringLiteral("ay_adi"), FieldType::Text, [](const Record &r) {
        return QVariant(monthName(int(r.asInteger(QStringLiteral("AY")))));
    });

    auto *central = new QWidget(this);
    auto *v = new QVBoxLayout(central);
    baslikLabel = new QLabel(QStringLiteral("Alınan Çek ve Senet Listeleri"), central);
    baslikLabel->setObjectName(QStringLiteral("baslikLabel"));
    QFont big = baslikLabel->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    baslikLabel->setFont(big);
    v->addWidget(baslikLabel);
    auto *note = new QLabel(QStringLiteral("  Seçim Yaptıktan sonra \"GÜNCELLE\" tuşuna tıklayın."), central);
    v->addWidget(note);
    v->addWidget(buildFilterPanel());

    eldekiceklerGrid = new DatasetGrid(central);
    eldekiceklerGrid->setObjectName(QStringLiteral("eldekiceklerGrid"));
    eldekiceklerGrid->setDataset(&eldekiceklerQuery, listColumns());
    eldekiceklerGrid->rowPainter()->setDueDateColouring(QStringLiteral("cek_tarihi"), 4);
    JvDBGrid1 = new DatasetGrid(central);
    JvDBGrid1->setObjectName(QStringLiteral("JvDBGrid1"));
    JvDBGrid1->setDataset(&AylikAlinanCeklerQuery, monthlyColumns());
    for (DatasetGrid *g : {eldekiceklerGrid, JvDBGrid1}) {
        g->installEventFilter(this);  // Enter walks the columns
        g->setEditTriggers(QAbstractItemView::NoEditTriggers);
        g->verticalHeader()->setDefaultSectionSize(22);
    }
    connectTitleSort(eldekiceklerGrid, &sortDirection,
                     [this](const QString &orderBy) { CekleriHazirla(listOrderLine(orderBy)); });
    v->addWidget(eldekiceklerGrid, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(buildFooter(), 1);
    JvDBGrid1->setFixedHeight(150);
    JvDBGrid1->setMinimumWidth(300);
    bottom->addWidget(JvDBGrid1);
    v->addLayout(bottom);
    setCentralWidget(central);

    StatusBar1 = new PanelStatusBar(this);
    StatusBar1->followOpenCompany();
    setStatusBar(StatusBar1);

    buildPopupMenu();
    KeyFilters::installEnterMovesFocus(this);

    AccountPicker::registerHandler(QStringLiteral("cekler"), [this](const PickedAccount &card) {
        firmaEdit->setText(card.kodu);
        firmaadiEdit->setText(card.adi);
    });
    setWindowState(Qt::WindowMaximized);
}

TceklerF::~TceklerF() = default;

QWidget *TceklerF::buildFilterPanel()
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    auto *h = new QHBoxLayout(panel);
    h->setContentsMargins(0, 0, 0, 0);

    auto *g = new QGridLayout;
    auto label = [panel](const QString &text) { return new QLabel(text, panel); };
    bordroEdit = new QLineEdit(panel);
    bordroEdit->setObjectName(QStringLiteral("bordroEdit"));
    firmaEdit = new QLineEdit(panel);
    firmaEdit->setObjectName(QStringLiteral("firmaEdit"));
    dovizBox = new QComboBox(panel);
    dovizBox->setObjectName(QStringLiteral("dovizBox"));
    CurrencyBox::fill(dovizBox, CurrencyBox::Order::HepsiFirst);
    basDate = new QDateEdit(QDate::currentDate(), panel);
    basDate->setObjectName(QStringLiteral("basDate"));
    bitDate = new QDateEdit(QDate::currentDate(), panel);
    bitDate->setObjectName(QStringLiteral("bitDate"));
    KeyFilters::setupDateEdit(basDate);
    KeyFilters::setupDateEdit(bitDate);
    tarihCheck = new QCheckBox(panel);
    tarihCheck->setObjectName(QStringLiteral("tarihCheck"));
    firmaadiEdit = new QLineEdit(panel);
    firmaadiEdit->setObjectName(QStringLiteral("firmaadiEdit"));
    for (QLineEdit *e : {firmaEdit, firmaadiEdit}) e->installEventFilter(this);

    g->addWidget(label(QStringLiteral("Bordro No")), 0, 0);
    g->addWidget(bordroEdit, 0, 1);
    g->addWidget(label(QStringLiteral("Firma Kodu")), 1, 0);
    g->addWidget(firmaEdit, 1, 1);
    g->addWidget(label(QStringLiteral("Para Cinsi")), 2, 0);
    g->addWidget(dovizBox, 2, 1);
    g->addWidget(label(QStringLiteral("Başla. tarihi")), 0, 2);
    g->addWidget(basDate, 0, 3);
    g->addWidget(tarihCheck, 0, 4);
    g->addWidget(label(QStringLiteral("Bitiş tarihi")), 1, 2);
    g->addWidget(bitDate, 1, 3);
    g->addWidget(label(QStringLiteral("Firma/Düzenleyen Adı")), 2, 2);
    g->addWidget(firmaadiEdit, 2, 3, 1, 2);
    h->addLayout(g);

    RadioGroup1 = new QGroupBox(QStringLiteral("Gösterilecek Çekler"), panel);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    choiceGroup = new QButtonGroup(RadioGroup1);
    auto *g1 = new QGridLayout(RadioGroup1);
    const QStringList choices = choiceTexts();
    for (int i = 0; i < choices.size(); ++i) {
        auto *b = new QRadioButton(choices[i], RadioGroup1);
        choiceGroup->addButton(b, i);
        g1->addWidget(b, i % 4, i / 4);  // two columns
    }
    choiceGroup->button(0)->setChecked(true);
    h->addWidget(RadioGroup1);

    RadioGroup2 = new QGroupBox(QStringLiteral("Yazdırma Seçenekleri"), panel);
    RadioGroup2->setObjectName(QStringLiteral("RadioGroup2"));
    printGroup = new QButtonGroup(RadioGroup2);
    auto *g2 = new QVBoxLayout(RadioGroup2);
    const QStringList prints = {QStringLiteral("Duzenleyen ve Alınan Firma"), QStringLiteral("Sadece Duzenleyen"),
                                QStringLiteral("Sadece Alınan Firma")};
    for (int i = 0; i < prints.size(); ++i) {
        auto *b = new QRadioButton(prints[i], RadioGroup2);
        printGroup->addButton(b, i);
        g2->addWidget(b);
    }
    printGroup->button(0)->setChecked(true);
    h->addWidget(RadioGroup2);

    auto *buttons = new QGridLayout;
    auto button = [panel](const char *name, const QString &text) {
        auto *b = new QPushButton(text, panel);
        b->setObjectName(QLatin1String(name));
        b->setMinimumHeight(30);
        return b;
    };
    cirolaButton = button("cirolaButton", QStringLiteral("CİROLA"));
    cirolaButton->setVisible(false);  // only while the exit slip has opened the list
    cirolaButton->setEnabled(false);  // until the exit slip adds cheques through it
    yazdirButton = button("yazdirButton", QStringLiteral("YAZDIR"));
    guncelleButton = button("guncelleButton", QStringLiteral("GÜNCELLE"));
    kapatButton = button("kapatButton", QStringLiteral("KAPAT"));
    buttons->addWidget(cirolaButton, 0, 0);
    buttons->addWidget(yazdirButton, 0, 1);
    buttons->addWidget(guncelleButton, 1, 0);
    buttons->addWidget(kapatButton, 1, 1);
    h->addLayout(buttons);
    h->addStretch(1);

    connect(guncelleButton, &QPushButton::clicked, this, [this] { CekleriHazirla(); });
    connect(choiceGroup, &QButtonGroup::idClicked, this, [this] { CekleriHazirla(); });
    connect(tarihCheck, &QCheckBox::clicked, this, [this] { CekleriHazirla(); });
    connect(yazdirButton, &QPushButton::clicked, this, &TceklerF::yazdir);
    connect(kapatButton, &QPushButton::clicked, this, &QWidget::hide);
    return panel;
}

QWidget *TceklerF::buildFooter()
{
    auto *footer = new QWidget(this);
    auto *g = new QGridLayout(footer);
    g->addWidget(new QLabel(QStringLiteral("Çeklerin Toplam Tutarı"), footer), 0, 0);
    toplamEdit = new QLineEdit(footer);
    toplamEdit->setObjectName(QStringLiteral("toplamEdit"));
    toplamEdit->setReadOnly(true);
    toplamEdit->setAlignment(Qt::AlignRight);
    toplamEdit->setMinimumWidth(150);
    g->addWidget(toplamEdit, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("İşlem tarihi"), footer), 1, 0);
    islemDate = new QDateEdit(QDate::currentDate(), footer);
    islemDate->setObjectName(QStringLiteral("islemDate"));
    KeyFilters::setupDateEdit(islemDate);
    g->addWidget(islemDate, 1, 1);
    tumkolonCheck = new QCheckBox(QStringLiteral("Tüm kolonu göster"), footer);
    tumkolonCheck->setObjectName(QStringLiteral("tumkolonCheck"));
    tumkolonCheck->setChecked(true);
    g->addWidget(tumkolonCheck, 2, 0, 1, 2);
    g->setColumnStretch(2, 1);
    g->setRowStretch(3, 1);
    eldekiceklerGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    connect(tumkolonCheck, &QCheckBox::toggled, this, [this](bool rows) {
        eldekiceklerGrid->setSelectionBehavior(rows ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    });
    // "Kalan" counts from this day: repaint the column when it changes.
    connect(islemDate, &QDateEdit::dateChanged, this, [this] { eldekiceklerGrid->viewport()->update(); });
    return footer;
}

void TceklerF::buildPopupMenu()
{
    // Every item waits for the window it opens; those windows enable and connect them.
    const QList<QPair<const char *, QString>> items = {
        {"cirolaItem", QStringLiteral("Cirola")},
        {"tahsilatItem", QStringLiteral("Tahsilat Yap")},
        {"evrakItem", QStringLiteral("Evraklarına Bak/Ekle")},
        {"cikisBordroItem", QStringLiteral("Çıkış Bordrosunu Bul")},
        {"iadeItem", QStringLiteral("Çeki İade Et")},
        {"karsiliksizItem", QStringLiteral("Çeki Karşılıksız Yap")},
        {"cikisKaldirItem", QStringLiteral("Çek Çıkışını Yapılmamış Yap")},
        {"tahsilatKaldirItem", QStringLiteral("Tahsilatı Kaldır")}};
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("PopupMenu1"));
    for (const auto &[name, text] : items) {
        QAction *a = menu->addAction(text);
        a->setObjectName(QLatin1String(name));
        a->setEnabled(false);
        popupItems << a;
    }
    popupItems.first()->setVisible(false);  // "Cirola" shows with "CİROLA"
    for (DatasetGrid *g : {eldekiceklerGrid, JvDBGrid1}) {
        g->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(g, &QWidget::customContextMenuRequested, menu,
                [g, menu](const QPoint &p) { menu->popup(g->viewport()->mapToGlobal(p)); });
    }
}

void TceklerF::setCariF(TcariF *cari) { m_cari = cari; }

QDate TceklerF::islemTarihi() const { return islemDate->date(); }

Filters TceklerF::filters() const
{
    Filters f;
    f.choice = Choice(qBound(0, choiceGroup->checkedId(), kChoiceCount - 1));
    f.bordroNo = bordroEdit->text();
    f.firmaKodu = firmaEdit->text();
    f.paraCinsi = CurrencyBox::chosen(dovizBox, CurrencyBox::Order::HepsiFirst);
    f.firmaAdi = firmaadiEdit->text();
    f.tarihAcik = tarihCheck->isChecked();
    f.basTarihi = basDate->date();
    f.bitisTarihi = bitDate->date();
    return f;
}

void TceklerF::CekleriHazirla(const QString &orderBy)
{
    try {
        const Statements s = build(filters(), orderBy);
        reopen(eldekiceklerQuery, s.list);
        reopen(ceklertoplamQuery, s.total);
        reopen(AylikAlinanCeklerQuery, s.monthly);
        eldekiceklerQuery.open();
        ceklertoplamQuery.open();
        AylikAlinanCeklerQuery.open();
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
    showTotal();
}

void TceklerF::DuzeltHazirla()
{
    try {
        const qint64 bordro = tamSayiOku(bordroEdit->text());
        reopen(eldekiceklerQuery, {QStringLiteral("SELECT * FROM cekgiris"),
                                   QStringLiteral("WHERE (bordro_ind=%1)").arg(bordro),
                                   QStringLiteral("ORDER BY cek_tarihi ASC;")});
        eldekiceklerQuery.open();
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}

void TceklerF::showTotal()
{
    if (!ceklertoplamQuery.isActive() || ceklertoplamQuery.isEmpty()
        || ceklertoplamQuery.field(QStringLiteral("Cek_Toplami")).isNull()) {
        toplamEdit->clear();
        return;
    }
    toplamEdit->setText(formatFloat(kAmount, ceklertoplamQuery.field(QStringLiteral("Cek_Toplami")).asFloat()));
}

Report TceklerF::printout()
{
    if (!firmabilgileri.isActive()) firmabilgileri.open();
    Report report(cekVeSenetListesiLayout());
    report.registerDataset(QStringLiteral("eldekiceklerQuery"), &eldekiceklerQuery);
    report.registerDataset(QStringLiteral("ceklertoplamQuery"), &ceklertoplamQuery);
    report.registerDataset(kCompanyDataset, &firmabilgileri);
    const QString duzenleyen = QStringLiteral("[eldekiceklerQuery.\"ceki_duzenleyen\"]");
    const QString firma = QStringLiteral("[eldekiceklerQuery.\"alindigi_firma\"]");
    switch (printGroup->checkedId()) {
    case 1:
        report.setMemoText(QStringLiteral("Memo15"), QStringLiteral("ÇEKİ DÜZENLEYEN"));
        report.setMemoText(QStringLiteral("Memo16"), duzenleyen);
        break;
    case 2:
        report.setMemoText(QStringLiteral("Memo15"), QStringLiteral("ALINDIĞI FİRMA"));
        report.setMemoText(QStringLiteral("Memo16"), firma);
        break;
    default:
        report.setMemoText(QStringLiteral("Memo15"), QStringLiteral("ÇEKİ DÜZENLEYEN/ ALINDIĞI FİRMA"));
        report.setMemoText(QStringLiteral("Memo16"), duzenleyen + QStringLiteral("/ ") + firma);
    }
    return report;
}

void TceklerF::yazdir()
{
    try {
        const Report report = printout();
        eldekiceklerQuery.disableControls();
        report.showPreview(this, TRaporOnizlemeF::kCaption);
        eldekiceklerQuery.enableControls();
    } catch (const EngineError &e) {
        eldekiceklerQuery.enableControls();
        MessageBox::error(e.message());
    }
}

void TceklerF::openPicker(QLineEdit *edit)
{
    if (!m_cari) return;
    AccountPicker::cariSecimYeri() = QStringLiteral("cekler");
    if (edit == firmaEdit) m_cari->ac(QStringLiteral("cekler"), edit->text());
    else m_cari->ac(QStringLiteral("cekler"), QString(), edit->text());
}

bool TceklerF::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick && (watched == firmaEdit || watched == firmaadiEdit)) {
        openPicker(static_cast<QLineEdit *>(watched));
        return true;
    }
    if (event->type() == QEvent::KeyPress && (watched == eldekiceklerGrid || watched == JvDBGrid1)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        auto *grid = static_cast<DatasetGrid *>(watched);
        const QModelIndex current = grid->currentIndex();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && current.isValid()) {
            // The next shown column of the row; from the last back to the first.
            const int columns = grid->model()->columnCount();
            int col = current.column();
            for (int step = 0; step < columns; ++step) {
                col = (col + 1) % columns;
                if (!grid->isColumnHidden(col)) break;
            }
            grid->setCurrentIndex(grid->model()->index(current.row(), col));
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TceklerF::hideEvent(QHideEvent *event)
{
    cirolaButton->setVisible(false);
    popupItems.first()->setVisible(false);
    QMainWindow::hideEvent(event);
}
