#include "accounts/tcarihareketf.h"

#include "accounts/account_balance.h"
#include "accounts/ledger_print.h"
#include "accounts/ledger_statements.h"
#include "accounts/movement_writer.h"
#include "accounts/tcarihareketdf.h"
#include "data/data_context.h"
#include "data/display_format.h"
#include "data/engine_error.h"
#include "data/query.h"
#include "data/table.h"
#include "data/transaction.h"
#include "reports/layout_common.h"
#include "reports/layouts_accounts.h"
#include "reports/report.h"
#include "tools/tvadefark2f.h"
#include "widgets/column_chooser.h"
#include "widgets/currency_box.h"
#include "widgets/dataset_grid.h"
#include "widgets/dataset_grid_model.h"
#include "widgets/form_kit.h"
#include "widgets/form_show.h"
#include "widgets/help_window.h"
#include "widgets/key_filters.h"
#include "widgets/message_box.h"
#include "widgets/panel_status_bar.h"
#include "widgets/slip_grid.h"
#include "widgets/spreadsheet_show.h"
#include "widgets/title_sort.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

const QString kCaption = QStringLiteral("Brenvo Çek Senet Takip - Cari Hareket ");
const QString kHeading = QStringLiteral("Firma/Cari Borç Alacak ve Bakiye Listesi");
const QString kListAmount = FormKit::kListAmount;

const ColumnChooserTexts kChooserTexts{QStringLiteral("Kolonları Seç"), QStringLiteral("[Veritabanı İsimlerini Göster]"),
                                       QStringLiteral("&Tamam"), QStringLiteral("En az bir tanesi seçilmelidir")};

QVector<GridColumn> accountColumns()
{
    return {gridColumn("cari_hesap_adi", "Cari Adı", 206), gridColumn("doviz_cinsi", "Cinsi", 44),
            gridColumn("SUMborc_tutari", "Borç Tutarı", 96, kListAmount),
            gridColumn("SUMalacak_tutari", "Alacak Tutarı", 96, kListAmount), gridColumn("bakiye", "Bakiye", 96, kListAmount)};
}

QVector<GridColumn> totalsColumns()
{
    return {gridColumn("doviz_cinsi", "Para Cinsi Toplamı", 136), gridColumn("SUMborc_tutari", "Borç Tutarı", 96, kListAmount),
            gridColumn("SUMalacak_tutari", "Alacak Tutarı", 96, kListAmount), gridColumn("Bakiye", "Bakiye", 96, kListAmount),
            gridColumn("BA", "BA", 32)};
}

QVector<GridColumn> movementColumns()
{
    return {gridColumn("islem_tarihi", "İşlem Tarihi", 100, FormKit::kDate),
            gridColumn("aciklama", "Açıklama", 240),
            gridColumn("doviz_cinsi", "Cinsi", 44),
            gridColumn("borc_tutari", "Borç Tutarı", 92, kListAmount),
            gridColumn("alacak_tutari", "Alacak Tutarı", 92, kListAmount),
            gridColumn("bakiyetop", "Bakiye", 100, kListAmount),
            gridColumn("brut_tutar", "Brüt Tutar", 80, kListAmount, true),
            gridColumn("vade_tarihi", "Vade Tarihi", 88, FormKit::kDate, true),
            gridColumn("vade_fark", "Vade Farkı", 76, kListAmount, true),
            gridColumn("cek_masraf", "Çek Masraf", 76, kListAmount, true),
            gridColumn("komisyon", "Komisyon", 76, kListAmount, true),
            gridColumn("BSMV", "BSMV", 60, kListAmount, true),
            gridColumn("cek_id", "Giriş Bordro", 70, QString(), true),
            gridColumn("cek_ciro_id", "Çıkış Bordro", 70, QString(), true)};
}

// Balance and mark of a row of summed debits and credits.
void addBalanceFields(Query *q, const QString &balanceName, bool withMark)
{
    q->addCalculatedField(balanceName, FieldType::Double,
                          [](const Record &r) { return QVariant(AccountBalance::ofRecord(r)); });
    if (withMark)
        q->addCalculatedField(QStringLiteral("BA"), FieldType::Text,
                              [](const Record &r) { return QVariant(AccountBalance::isaret(AccountBalance::ofRecord(r))); });
}

// The "Bakiye" edits show the signed balance in the amount format, as the grids
// do; the mark ("B", "A") has its own column in the totals.
QString shownBalance(double value) { return formatFloat(FormKit::kMoney, value); }

bool pending(const Table *t)
{
    return t->state() == Dataset::State::Insert || t->state() == Dataset::State::Edit;
}

} // namespace

TcarihareketF::TcarihareketF(TyardimF *help, QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("TcarihareketF"));
    setWindowTitle(kCaption);
    DataContext &ctx = DataContext::instance();
    Connection *cash = &ctx.kasaConnection;
    ffTable1 = new Table(cash, QStringLiteral("carihareket"), QStringLiteral("islem_tarihi"), QStringLiteral("ffTable1"), this);
    ffQuery1 = new Query(cash, QStringLiteral("ffQuery1"), this);
    toplamQuery1 = new Query(cash, QStringLiteral("toplamQuery1"), this);
    devirQuery3 = new Query(cash, QStringLiteral("devirQuery3"), this);
    devir2Query3 = new Query(cash, QStringLiteral("devir2Query3"), this);
    ffQuery3 = new Query(cash, QStringLiteral("ffQuery3"), this);
    toplamQuery3 = new Query(cash, QStringLiteral("toplamQuery3"), this);
    addBalanceFields(ffQuery1, QStringLiteral("bakiye"), true);  // BA for the balance list
    addBalanceFields(toplamQuery1, QStringLiteral("Bakiye"), true);
    addBalanceFields(devirQuery3, QStringLiteral("Bakiye"), true);
    addBalanceFields(devir2Query3, QStringLiteral("Bakiye"), true);
    addBalanceFields(toplamQuery3, QStringLiteral("Bakiye"), true);
    // The running balance is worked out once per opening of the list; a row only looks it up.
    ffQuery3->addCalculatedField(QStringLiteral("bakiyetop"), FieldType::Double, [this](const Record &r) {
        const auto it = m_running.constFind(r.asInteger(QStringLiteral("chid")));
        return it == m_running.constEnd() ? QVariant() : QVariant(*it);
    });

    auto *central = new QWidget(this);
    auto *root = new QVBoxLayout(central);
    root->setContentsMargins(4, 4, 4, 0);
    root->setSpacing(4);
    setCentralWidget(central);

    baslikLabel = new QLabel(kHeading, central);
    baslikLabel->setObjectName(QStringLiteral("baslikLabel"));
    QFont hf = baslikLabel->font();
    hf.setBold(true);
    hf.setPointSizeF(hf.pointSizeF() * 1.4);
    baslikLabel->setFont(hf);
    baslikLabel->setAlignment(Qt::AlignCenter);
    baslikLabel->setStyleSheet(QStringLiteral("QLabel { background: #1f4e79; color: white; padding: 4px; }"));
    root->addWidget(baslikLabel);

    auto *halves = new QSplitter(Qt::Horizontal, central);
    halves->setObjectName(QStringLiteral("halvesSplitter"));
    halves->addWidget(buildAccounts());
    halves->addWidget(buildMovements());
    halves->setStretchFactor(0, 5);
    halves->setStretchFactor(1, 7);
    halves->setSizes({610, 750});
    root->addWidget(halves, 1);
    root->addWidget(buildBottomBar());
    buildPopupMenus();

    StatusBar1 = new PanelStatusBar(this);
    StatusBar1->followOpenCompany();
    setStatusBar(StatusBar1);

    connect(&ctx, &DataContext::companyOpened, this, [this](const QString &, const QString &title) {
        m_carried.clear();
        setWindowTitle(kCaption);
        baslikLabel->setText(title);
    });
    connect(&ctx, &DataContext::companyClosed, this, [this] { m_carried.clear(); });
    connect(&ctx, &DataContext::cashYearChanged, this, [this](int year) {
        baslikLabel->setText(QStringLiteral("Firma Cari Hareketleri - ") + QString::number(year));
        setWindowTitle(QStringLiteral("Brenvo Çek Senet Takip - Firma Cari Hareket  - ") + QString::number(year));
        restorePendingAfterSwitch();
    });
    connect(cash, &Connection::aboutToClose, this, [this] { keepPendingForSwitch(); });
    connect(&ctx, &DataContext::dataChanged, this, [this](int what) { followData(what); });

    KeyFilters::installEnterMovesFocus(this);
    setYardim(help);
}

TcarihareketF::~TcarihareketF() = default;

void TcarihareketF::setYardim(TyardimF *help) { connectHelpButton(m_help, QStringLiteral("ycarihareket"), help); }

QWidget *TcarihareketF::buildAccounts()
{
    auto *box = new QGroupBox(QStringLiteral("Cari Hesaplar"));
    box->setObjectName(QStringLiteral("cariHesaplarBox"));
    auto *v = new QVBoxLayout(box);
    v->setContentsMargins(4, 4, 4, 4);

    Label1 = new QLabel(QStringLiteral("Cari Hesaplar (Hepsi)"), box);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    v->addWidget(Label1);

    auto *filters = new QGridLayout;
    CariBox = new QComboBox(box);
    CariBox->setObjectName(QStringLiteral("CariBox"));
    CurrencyBox::fill(CariBox, CurrencyBox::Order::HepsiFirst);
    connect(CariBox, &QComboBox::activated, this, [this] {
        Label1->setText(QStringLiteral("Cari Hesaplar (") + CariBox->currentText() + u')');
        yenile();
    });
    gununtarihiDate = new QDateEdit(QDate::currentDate(), box);
    gununtarihiDate->setObjectName(QStringLiteral("gununtarihiDate"));
    KeyFilters::setupDateEdit(gununtarihiDate);
    araEdit = new QLineEdit(box);
    araEdit->setObjectName(QStringLiteral("araEdit"));
    araEdit->setProperty("enterKeepsKey", true);
    araEdit->installEventFilter(this);
    auto *araBut = FormKit::button(box, "JvXPButton3", QStringLiteral("Ara"));
    connect(araBut, &QPushButton::clicked, this, &TcarihareketF::ara);
    filters->addWidget(FormKit::caption(QStringLiteral("Para Cinsi"), box), 0, 0);
    filters->addWidget(CariBox, 0, 1);
    filters->addWidget(FormKit::caption(QStringLiteral("GününTarihi"), box), 0, 2);
    filters->addWidget(gununtarihiDate, 0, 3);
    filters->addWidget(araEdit, 1, 0, 1, 3);
    filters->addWidget(araBut, 1, 3);
    filters->setColumnStretch(1, 1);
    v->addLayout(filters);

    DBGrid2 = new DatasetGrid(box);
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    DBGrid2->setDataset(ffQuery1, accountColumns());
    DBGrid2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid2->installEventFilter(this);
    DBGrid2->horizontalHeader()->setSectionsClickable(true);
    connect(DBGrid2->horizontalHeader(), &QHeaderView::sectionClicked, this, [this] { hesaplariSirala(); });
    connect(DBGrid2, &QAbstractItemView::doubleClicked, this, [this] { hareketleriGoster(); });
    v->addWidget(DBGrid2, 1);

    DBGrid3 = new DatasetGrid(box);
    DBGrid3->setObjectName(QStringLiteral("DBGrid3"));
    DBGrid3->setDataset(toplamQuery1, totalsColumns());
    DBGrid3->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid3->setFixedHeight(50);
    v->addWidget(DBGrid3);
    return box;
}

QWidget *TcarihareketF::buildMovements()
{
    auto *box = new QGroupBox(QStringLiteral("Hesap Hareketleri"));
    box->setObjectName(QStringLiteral("hesapHareketleriBox"));
    auto *v = new QVBoxLayout(box);
    v->setContentsMargins(4, 4, 4, 4);

    auto *filters = new QHBoxLayout;
    HareketBox = new QComboBox(box);
    HareketBox->setObjectName(QStringLiteral("HareketBox"));
    CurrencyBox::fill(HareketBox, CurrencyBox::Order::HepsiFirst);
    connect(HareketBox, &QComboBox::activated, this, [this] { hareketleriGoster(); });
    ilktarihDate = new QDateEdit(QDate(QDate::currentDate().year(), 1, 1), box);
    ilktarihDate->setObjectName(QStringLiteral("ilktarihDate"));
    KeyFilters::setupDateEdit(ilktarihDate);
    sontarihiDate = new QDateEdit(QDate::currentDate(), box);
    sontarihiDate->setObjectName(QStringLiteral("sontarihiDate"));
    KeyFilters::setupDateEdit(sontarihiDate);
    filters->addWidget(FormKit::caption(QStringLiteral("Para Cinsi"), box));
    filters->addWidget(HareketBox);
    filters->addSpacing(8);
    filters->addWidget(FormKit::caption(QStringLiteral("İlk Tarihi"), box));
    filters->addWidget(ilktarihDate);
    filters->addWidget(FormKit::caption(QStringLiteral("Son Tarihi"), box));
    filters->addWidget(sontarihiDate);
    filters->addStretch(1);
    v->addLayout(filters);

    // The balance carried forward from before the first date.
    auto *devir = new QHBoxLayout;
    devirBorcEdit = FormKit::totalField(box, QStringLiteral("devirBorcEdit"));
    devirAlacakEdit = FormKit::totalField(box, QStringLiteral("devirAlacakEdit"));
    devirBakiyeEdit = FormKit::totalField(box, QStringLiteral("devirBakiyeEdit"), 130);
    devir->addWidget(FormKit::caption(QStringLiteral("Devir     Borç"), box, true));
    devir->addWidget(devirBorcEdit);
    devir->addWidget(FormKit::caption(QStringLiteral("Alacak"), box, true));
    devir->addWidget(devirAlacakEdit);
    devir->addWidget(FormKit::caption(QStringLiteral("Bakiye"), box, true));
    devir->addWidget(devirBakiyeEdit);
    devir->addStretch(1);
    v->addLayout(devir);

    Label2 = new QLabel(QStringLiteral("Hesap Hareketleri"), box);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);
    v->addWidget(Label2);

    DBGrid1 = new DatasetGrid(box);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setDataset(ffQuery3, movementColumns());
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->horizontalHeader()->setSectionsClickable(true);
    DBGrid1->horizontalHeader()->setSortIndicatorShown(true);
    DBGrid1->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        hareketleriSirala(DBGrid1->gridModel()->column(section).field);
    });
    connect(DBGrid1->horizontalHeader(), &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        QMenu menu(DBGrid1);
        QAction *choose = menu.addAction(kChooserTexts.caption);
        if (menu.exec(DBGrid1->horizontalHeader()->mapToGlobal(pos)) == choose)
            ColumnChooser::choose(DBGrid1, kChooserTexts, this);
    });
    connect(DBGrid1, &QAbstractItemView::doubleClicked, this, [this] { hareketiDuzelt(); });
    v->addWidget(DBGrid1, 1);

    DBGrid4 = new DatasetGrid(box);
    DBGrid4->setObjectName(QStringLiteral("DBGrid4"));
    DBGrid4->setDataset(toplamQuery3, totalsColumns());
    DBGrid4->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid4->setFixedHeight(50);
    v->addWidget(DBGrid4);
    return box;
}

QWidget *TcarihareketF::buildBottomBar()
{
    auto *bar = new QWidget;
    auto *h = new QHBoxLayout(bar);
    h->setContentsMargins(0, 0, 0, 0);
    auto *buttons = new QGridLayout;
    auto *yeni = FormKit::button(bar, "JvXPButton1", QStringLiteral("YENİ CARİ HAREKET EKLE"));
    auto *cariye = FormKit::button(bar, "JvXPButton4", QStringLiteral("CARİ HESABA YENİ HAREKET EKLE"));
    auto *guncelle = FormKit::button(bar, "JvXPButton2", QStringLiteral("BİLGİLERİ GÜNCELLE"));
    connect(yeni, &QPushButton::clicked, this, &TcarihareketF::yeniHareket);
    connect(cariye, &QPushButton::clicked, this, &TcarihareketF::cariyeYeniHareket);
    connect(guncelle, &QPushButton::clicked, this, &TcarihareketF::yenile);
    buttons->addWidget(yeni, 0, 0);
    buttons->addWidget(cariye, 1, 0);
    buttons->addWidget(guncelle, 0, 1, 2, 1);
    guncelle->setMinimumHeight(yeni->sizeHint().height() * 2);
    h->addLayout(buttons);

    // Printing, export and the calculator hand-off.
    yazayar = new QGroupBox(QStringLiteral("Raporlama Seçenekleri"), bar);
    yazayar->setObjectName(QStringLiteral("yazayar"));
    auto *rv = new QVBoxLayout(yazayar);
    rv->setContentsMargins(6, 2, 6, 2);
    mizanRadio = new QRadioButton(QStringLiteral("Cari Hesap Mizanı"), yazayar);
    mizanRadio->setObjectName(QStringLiteral("mizanRadio"));
    muavinRadio = new QRadioButton(QStringLiteral("Cari Hesap Detay Muavin"), yazayar);
    muavinRadio->setObjectName(QStringLiteral("muavinRadio"));
    mizanRadio->setChecked(true);
    rv->addWidget(mizanRadio);
    rv->addWidget(muavinRadio);
    h->addWidget(yazayar);
    auto *print = new QVBoxLayout;
    STRG1Yaz = FormKit::button(bar, "STRG1Yaz", QStringLiteral("YAZDIR"));
    JvXPButton5 = FormKit::button(bar, "JvXPButton5", QStringLiteral("EXCEL"));
    vadefarkButton = FormKit::button(bar, "vadefarkButton", QStringLiteral("Vade Farkı Hesapla"));
    vadefarkButton->setEnabled(false);  // until the calculator is there
    for (QPushButton *b : {STRG1Yaz, JvXPButton5, vadefarkButton}) print->addWidget(b);
    connect(STRG1Yaz, &QPushButton::clicked, this, &TcarihareketF::STRG1YazClick);
    connect(JvXPButton5, &QPushButton::clicked, this, &TcarihareketF::excelClick);
    connect(vadefarkButton, &QPushButton::clicked, this, &TcarihareketF::vadefarkButtonClick);
    h->addLayout(print);
    m_help = makeHelpButton(bar, QStringLiteral("ycarihareket"), nullptr);
    h->addWidget(m_help);
    h->addStretch(1);

    // The account's sums up to the last date.
    auto *sums = new QGridLayout;
    borcEdit = FormKit::totalField(bar, QStringLiteral("borcEdit"));
    alacakEdit = FormKit::totalField(bar, QStringLiteral("alacakEdit"));
    bakiyeEdit = FormKit::totalField(bar, QStringLiteral("bakiyeEdit"), 130);
    int row = 0;
    for (const auto &[text, edit] : {std::pair{"Borç", borcEdit}, {"Alacak", alacakEdit}, {"Bakiye", bakiyeEdit}}) {
        sums->addWidget(FormKit::caption(QString::fromUtf8(text), bar, true), row, 0, Qt::AlignRight);
        sums->addWidget(edit, row++, 1);
    }
    h->addLayout(sums);
    return bar;
}

void TcarihareketF::buildPopupMenus()
{
    // The account grid.
    auto *goster = new QAction(QStringLiteral("Cari Hesabın Hareketlerini Göster"), DBGrid2);
    goster->setObjectName(QStringLiteral("hareketleriGosterItem"));
    connect(goster, &QAction::triggered, this, &TcarihareketF::hareketleriGoster);
    auto *ekle = new QAction(QStringLiteral("Cari Hesaba Borç/Alacak Ekle "), DBGrid2);
    ekle->setObjectName(QStringLiteral("cariyeEkleItem"));
    ekle->setShortcut(QKeySequence(Qt::Key_Insert));
    ekle->setShortcutContext(Qt::WidgetShortcut);
    connect(ekle, &QAction::triggered, this, &TcarihareketF::cariyeYeniHareket);
    DBGrid2->addActions({goster, ekle});

    // The movement grid.
    auto *hEkle = new QAction(QStringLiteral("  Cari Hesaba Borç/Alacak Ekle "), DBGrid1);
    hEkle->setObjectName(QStringLiteral("hareketeEkleItem"));
    hEkle->setShortcut(QKeySequence(Qt::Key_Insert));
    connect(hEkle, &QAction::triggered, this, &TcarihareketF::hareketinCarisineYeniHareket);
    auto *duzelt = new QAction(QStringLiteral("  Cari Hareketini Düzelt"), DBGrid1);
    duzelt->setObjectName(QStringLiteral("duzeltItem"));
    duzelt->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Insert));
    connect(duzelt, &QAction::triggered, this, &TcarihareketF::hareketiDuzelt);
    auto *sil = new QAction(QStringLiteral("  Cari Hareket Satırını Sil   "), DBGrid1);
    sil->setObjectName(QStringLiteral("silItem"));
    sil->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Delete));
    connect(sil, &QAction::triggered, this, &TcarihareketF::hareketiSil);
    for (QAction *a : {hEkle, duzelt, sil}) a->setShortcutContext(Qt::WidgetShortcut);
    DBGrid1->addActions({hEkle, duzelt, sil});

    for (DatasetGrid *grid : {DBGrid2, DBGrid1}) {
        grid->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(grid, &QWidget::customContextMenuRequested, this, [grid](const QPoint &pos) {
            QMenu menu(grid);
            menu.addActions(grid->actions());
            menu.exec(grid->viewport()->mapToGlobal(pos));
        });
    }
}

// ---- opening and the lists ----

void TcarihareketF::runGuarded(const std::function<void()> &step)
{
    try {
        step();
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}

void TcarihareketF::ac()
{
    showFormMaximized(this);
    runGuarded([this] {
        FirmaAyarla();
        CariHareketAyarla();
        setMovementHeading();
    });
}

void TcarihareketF::FirmaAyarla()
{
    const QString currency = CurrencyBox::chosen(CariBox, CurrencyBox::Order::HepsiFirst);
    const QDate asOf = gununtarihiDate->date();
    ffQuery1->reopen(Ledger::accountListStatement(asOf, currency, listeYonu));
    toplamQuery1->reopen(Ledger::accountTotalsStatement(asOf, currency, listeYonu));
    DBGrid3->setFixedHeight(Ledger::totalsGridHeight(toplamQuery1->recordCount(), DBGrid3->height()));
}

QString TcarihareketF::currentCode() const
{
    if (!ffQuery1->isActive() || ffQuery1->isEmpty()) return QString();
    return ffQuery1->value(QStringLiteral("cari_kodu")).toString();
}

void TcarihareketF::showSums(Query &sums, QLineEdit *borc, QLineEdit *alacak, QLineEdit *bakiye)
{
    if (sums.isEmpty()) {
        for (QLineEdit *e : {borc, alacak}) e->setText(formatFloat(FormKit::kMoney, 0));
        bakiye->setText(shownBalance(0));
        return;
    }
    borc->setText(formatFloat(FormKit::kMoney, sums.value(QStringLiteral("SUMborc_tutari")).toDouble()));
    alacak->setText(formatFloat(FormKit::kMoney, sums.value(QStringLiteral("SUMalacak_tutari")).toDouble()));
    bakiye->setText(shownBalance(sums.value(QStringLiteral("Bakiye")).toDouble()));
}

void TcarihareketF::CariHareketAyarla()
{
    m_running.clear();
    m_code = currentCode();
    const QString currency = CurrencyBox::chosen(HareketBox, CurrencyBox::Order::HepsiFirst);
    const QDate first = ilktarihDate->date(), last = sontarihiDate->date();
    devirQuery3->reopen(Ledger::carriedForwardStatement(m_code, first, currency));
    devir2Query3->reopen(Ledger::upToEndStatement(m_code, last, currency));
    m_movementSql = Ledger::periodStatement(m_code, first, last, currency);
    reopenMovementList();
    toplamQuery3->reopen(Ledger::periodTotalsStatement(m_code, first, last, currency, listeYonu));
    DBGrid4->setFixedHeight(Ledger::totalsGridHeight(toplamQuery3->recordCount(), DBGrid4->height()));
    showSums(*devirQuery3, devirBorcEdit, devirAlacakEdit, devirBakiyeEdit);
    showSums(*devir2Query3, borcEdit, alacakEdit, bakiyeEdit);
}

void TcarihareketF::reopenMovementList()
{
    // The running balance starts again from the carried-forward balance, in list order.
    const double carried = devirQuery3->isActive() && !devirQuery3->isEmpty()
                               ? devirQuery3->value(QStringLiteral("Bakiye")).toDouble()
                               : 0.0;
    m_running.clear();
    ffQuery3->disableControls();
    try {
        ffQuery3->reopen(m_movementSql);
        m_running = Ledger::runningBalances(*ffQuery3, m_code, carried);
    } catch (...) {
        ffQuery3->enableControls();
        throw;
    }
    ffQuery3->enableControls();
}

void TcarihareketF::setMovementHeading()
{
    QString name;
    if (ffQuery1->isActive() && !ffQuery1->isEmpty()) name = ffQuery1->value(QStringLiteral("cari_hesap_adi")).toString();
    Label2->setText(name + QStringLiteral(" (") + HareketBox->currentText() + QStringLiteral(")") + QStringLiteral(" Hesap Hareketleri"));
}

void TcarihareketF::hareketleriGoster()
{
    runGuarded([this] {
        CariHareketAyarla();
        setMovementHeading();
    });
}

void TcarihareketF::yenile()
{
    runGuarded([this] {
        // A movement being typed in the entry form stays as it is.
        if (ffTable1->isActive() && !pending(ffTable1)) ffTable1->refresh();
        QString code;
        const bool remember = ffQuery1->isActive();
        if (remember) code = currentCode();
        FirmaAyarla();
        if (remember && !code.isEmpty()) ffQuery1->locate(QStringLiteral("cari_kodu"), code);
        CariHareketAyarla();
        setMovementHeading();
    });
}

void TcarihareketF::followData(int what)
{
    // Another window's save shows here at once; a movement being typed is left alone.
    if (!(what & int(DataKind::Movements)) || !isVisible() || !ffQuery1->isActive()) return;
    yenile();
}

void TcarihareketF::ara()
{
    Ledger::searchAccounts(*ffQuery1, araEdit->text());
}

void TcarihareketF::hesaplariSirala()
{
    // The list stays ordered by name whatever title was clicked; only the direction turns.
    nextSortDirection(listeYonu);
    runGuarded([this] { FirmaAyarla(); });
}

void TcarihareketF::hareketleriSirala(const QString &field)
{
    // The running balance has no field to order by: its title sorts nothing.
    if (field.isEmpty() || ffQuery3->fieldIndex(field) < 0 || field == QLatin1String("bakiyetop")) return;
    nextSortDirection(hareketYonu);
    DBGrid1->horizontalHeader()->setSortIndicator(DBGrid1->gridModel()->columnOfField(field),
                                                  hareketYonu == QLatin1String("ASC") ? Qt::AscendingOrder : Qt::DescendingOrder);
    m_movementSql = Ledger::allMovementsStatement(field, hareketYonu);
    runGuarded([this] { reopenMovementList(); });
}

// ---- adding, correcting and deleting ----

Table &TcarihareketF::movementTable()
{
    if (!ffTable1->isActive()) ffTable1->open();
    return *ffTable1;
}

bool TcarihareketF::beginNewMovement(const QString &code, const QString &name)
{
    if (!m_entry) return false;
    if (!m_entry->mayDropPending()) return false;
    try {
        Table &t = movementTable();
        t.cancel();
        t.append();
        if (!code.isEmpty()) {
            t.field(QStringLiteral("cari_kodu")) = code;
            t.field(QStringLiteral("cari_hesap_adi")) = name;
        }
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return false;
    }
    m_entry->goster();
    return true;
}

void TcarihareketF::yeniHareket() { beginNewMovement(QString(), QString()); }

void TcarihareketF::cariyeYeniHareket()
{
    QString code, name;
    if (ffQuery1->isActive() && !ffQuery1->isEmpty()) {
        code = ffQuery1->value(QStringLiteral("cari_kodu")).toString();
        name = ffQuery1->value(QStringLiteral("cari_hesap_adi")).toString();
    }
    beginNewMovement(code, name);
}

void TcarihareketF::hareketinCarisineYeniHareket()
{
    QString code, name;
    if (ffQuery3->isActive() && !ffQuery3->isEmpty()) {
        code = ffQuery3->value(QStringLiteral("cari_kodu")).toString();
        name = ffQuery3->value(QStringLiteral("cari_hesap_adi")).toString();
    }
    beginNewMovement(code, name);
}

void TcarihareketF::hareketiDuzelt()
{
    if (!m_entry || !ffQuery3->isActive() || ffQuery3->isEmpty()) return;
    if (!m_entry->mayDropPending()) return;
    try {
        Table &t = movementTable();
        t.cancel();
        // A movement deleted meanwhile is neither corrected nor deleted.
        if (!t.locate(QStringLiteral("chid"), ffQuery3->value(QStringLiteral("chid")))) return;
        t.edit();
        const QDate islem = t.value(QStringLiteral("islem_tarihi")).toDate();
        const QVariant vade = t.value(QStringLiteral("vade_tarihi"));
        m_entry->duzeltmeIcinAyarla(t.value(QStringLiteral("doviz_cinsi")).toString(), islem,
                                    vade.isNull() ? islem : vade.toDate());
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return;
    }
    m_entry->goster();
}

void TcarihareketF::hareketiSil()
{
    if (!ffQuery3->isActive() || ffQuery3->isEmpty()) {
        MessageBox::warning(QStringLiteral("Silinecek kayıt yok!"));
        return;
    }
    try {
        const qint64 chid = ffQuery3->value(QStringLiteral("chid")).toLongLong();
        {
            Query there(&DataContext::instance().kasaConnection);
            there.sql() << QStringLiteral("SELECT chid FROM carihareket WHERE chid=") + QString::number(chid);
            there.open();
            if (there.isEmpty()) return;
        }
        const auto ask = [this](const QString &text) {
            return MessageBox::show(MessageBox::kCaption, text, MessageBox::Icon::Question, MessageBox::Yes | MessageBox::No, this)
                   == MessageBox::Yes;
        };
        if (!ask(QStringLiteral("Kaydı Silmek istediğinizden eminmisiniz?"))) return;
        // The second question asks whether to abort: Yes keeps the movement.
        if (ask(QStringLiteral("Silme sonrası bu kayda tekrar ulaşmanız mümkün olmayacaktır, silme işlemini kesmek istermisiniz?")))
            return;
        Connection &cash = DataContext::instance().kasaConnection;
        {
            TransactionScope tx{&cash};
            MovementWriter::remove(cash, {{QStringLiteral("chid"), chid}});
            tx.commit();
        }
        // The movement being corrected in the entry form is the one that went.
        if (ffTable1->isActive() && ffTable1->state() == Dataset::State::Edit
            && ffTable1->value(QStringLiteral("chid")).toLongLong() == chid)
            ffTable1->cancel();
        if (ffTable1->isActive() && !pending(ffTable1)) ffTable1->close();
        const QString code = currentCode();
        ffQuery1->refresh();
        if (!code.isEmpty()) ffQuery1->locate(QStringLiteral("cari_kodu"), code);
        reopenMovementList();
        QString name;
        if (!ffQuery3->isEmpty()) name = ffQuery3->value(QStringLiteral("cari_hesap_adi")).toString();
        Label2->setText(name + QStringLiteral(" (") + HareketBox->currentText() + QStringLiteral(")") + QStringLiteral(" Hesap Hareketleri"));
        DataContext::instance().announce({DataKind::Movements});
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}

// ---- the cash file switch ----

void TcarihareketF::yilDegisecek()
{
    ffTable1->close();
    ffQuery1->close();
    ffQuery3->close();
}

void TcarihareketF::keepPendingForSwitch()
{
    // Another window switches the cash file: a new movement being typed is kept and
    // taken into the new file's table, never posted and never lost. A correction
    // belongs to its own file's row and ends with it.
    m_carried.clear();
    if (ffTable1->state() != Dataset::State::Insert) return;
    for (int c = 0; c < ffTable1->fieldCount(); ++c) m_carried << ffTable1->value(c);
    m_carried.resize(ffTable1->fieldCount());
}

void TcarihareketF::restorePendingAfterSwitch()
{
    if (m_carried.isEmpty()) return;
    const QVector<QVariant> values = m_carried;
    m_carried.clear();
    try {
        Table &t = movementTable();
        if (pending(&t)) return;
        t.append();
        for (int c = 0; c < t.fieldCount() && c < values.size(); ++c) {
            const FieldInfo &f = t.fieldInfo(c);
            if (f.type == FieldType::AutoNumber || values[c].isNull() || !values[c].isValid()) continue;
            t.fieldByName(f.name) = values[c];
        }
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
    if (m_entry) m_entry->satiriGoster();
}

// ---- keys and closing ----

bool TcarihareketF::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && watched == DBGrid2) {
            hareketleriGoster();
            return true;
        }
        if (enter && watched == araEdit) {
            ara();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TcarihareketF::closeEvent(QCloseEvent *event)
{
    // A movement begun but not saved in the entry form is dropped with the window.
    if (pending(ffTable1)) ffTable1->cancel();
    if (m_entry) m_entry->hide();
    QMainWindow::closeEvent(event);
}

// ---- printouts, workbooks and the calculator hand-off ----

void TcarihareketF::setCalculator(Tvadefark2F *calculator)
{
    m_calculator = calculator;
    vadefarkButton->setEnabled(calculator != nullptr);
}

Table &TcarihareketF::companyInfo()
{
    if (!m_companyInfo)
        m_companyInfo = new Table(&DataContext::instance().ADOConnection1, QStringLiteral("firmabilgileri"), QString(),
                                  QStringLiteral("FirmaTakip"), this);
    // Another company may have been opened since: the record is read afresh.
    m_companyInfo->close();
    m_companyInfo->open();
    return *m_companyInfo;
}

void TcarihareketF::rebuildAccountList()
{
    const QString code = currentCode();
    FirmaAyarla();
    if (!code.isEmpty()) ffQuery1->locate(QStringLiteral("cari_kodu"), code);
}

Report TcarihareketF::balanceListPrintout()
{
    Table &company = companyInfo();
    rebuildAccountList();
    Report r(cariHesapMizaniLayout());
    r.registerDataset(kCompanyDataset, &company);
    r.registerDataset(QStringLiteral("ffQuery1"), ffQuery1);
    r.registerDataset(QStringLiteral("toplamQuery1"), toplamQuery1);
    r.setMemoText(QStringLiteral("Memo27"), LedgerPrint::balanceListHeading(gununtarihiDate->date(), CariBox->currentText()));
    return r;
}

Report TcarihareketF::statementPrintout()
{
    Table &company = companyInfo();
    CariHareketAyarla();
    Report r(hesapHareketleriLayout());
    r.registerDataset(kCompanyDataset, &company);
    for (Query *q : {ffQuery3, devirQuery3, devir2Query3, toplamQuery3}) r.registerDataset(q->objectName(), q);
    r.setMemoText(QStringLiteral("Memo27"), LedgerPrint::statementHeading(ilktarihDate->date(), sontarihiDate->date(),
                                                                         HareketBox->currentText()));
    return r;
}

SpreadsheetWorkbook TcarihareketF::balanceListWorkbook()
{
    rebuildAccountList();
    return LedgerPrint::balanceListWorkbook(
        *ffQuery1, *toplamQuery1,
        LedgerPrint::companyLines(DataContext::instance().ADOConnection2, DataContext::instance().aktifSirketKodu),
        gununtarihiDate->date());
}

SpreadsheetWorkbook TcarihareketF::statementWorkbook()
{
    return LedgerPrint::statementWorkbook(
        *ffQuery3, *devirQuery3, *toplamQuery3,
        LedgerPrint::companyLines(DataContext::instance().ADOConnection2, DataContext::instance().aktifSirketKodu),
        Label2->text(), ilktarihDate->date(), sontarihiDate->date());
}

void TcarihareketF::STRG1YazClick()
{
    if (muavinRadio->isChecked())
        HesapHareketYaz();
    else
        CariHesapYaz();
}

void TcarihareketF::excelClick()
{
    if (muavinRadio->isChecked())
        HesapExcel();
    else
        CariHesapExcel();
}

void TcarihareketF::CariHesapYaz()
{
    runGuarded([this] { balanceListPrintout().showPreview(this, QStringLiteral("Brenvo Rapor Önizleme")); });
}

void TcarihareketF::HesapHareketYaz()
{
    runGuarded([this] { statementPrintout().showPreview(this, QStringLiteral("Brenvo Rapor Önizleme")); });
}

void TcarihareketF::CariHesapExcel()
{
    runGuarded([this] { showSpreadsheet(balanceListWorkbook(), QStringLiteral("CariHesapMizani")); });
}

void TcarihareketF::HesapExcel()
{
    runGuarded([this] { showSpreadsheet(statementWorkbook(), QStringLiteral("CariHesapHareketleri")); });
}

void TcarihareketF::vadefarkButtonClick()
{
    if (!m_calculator) return;
    m_calculator->Bosalt();
    QVector<QStringList> lines = LedgerPrint::calculatorRows(*ffQuery3, *devirQuery3, ilktarihDate->date());
    if (lines.isEmpty()) return;
    // The calculator's empty input row stays last.
    QStringList input(lines.first().size());
    input[0] = QString::number(lines.size() + 1);
    lines << input;
    m_calculator->setRows(lines);
    m_calculator->yenidenHesapla();
    m_calculator->firmaadiEdit->setText(Label2->text());
    if (m_calculator->isMinimized())
        m_calculator->showMaximized();
    else
        m_calculator->show();
    m_calculator->raise();
    m_calculator->activateWindow();
}
