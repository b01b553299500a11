#include "mainmenu/tfrmmain.h"

#include "accounts/account_balance.h"
#include "data/data_context.h"
#include "data/display_format.h"
#include "data/engine_error.h"
#include "mainmenu/dashboard_statements.h"
#include "mainmenu/menu_bars.h"
#include "mainmenu/menu_settings.h"
#include "mainmenu/tayarlarf.h"
#include "reports/layout_common.h"
#include "reports/layouts_dashboard.h"
#include "reports/preview_window.h"
#include "widgets/dataset_grid.h"
#include "widgets/form_kit.h"
#include "widgets/dataset_grid_model.h"
#include "widgets/key_filters.h"
#include "widgets/message_box.h"
#include "widgets/panel_status_bar.h"
#include "widgets/row_paint_delegate.h"
#include "widgets/title_sort.h"
#include "widgets/window_texts.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

const QString kAmount = FormKit::kListAmount;
const QString kRate = FormKit::kListRate;
const QString kDate = FormKit::kDate;
using FormKit::caption;
using FormKit::totalField;

void setBackground(QWidget *w, const QColor &c)
{
    if (!c.isValid()) return;
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

// Palettes rather than style sheets: a style sheet on an ancestor would override
// the palettes of every widget below it.
void setSplitterColour(QSplitter *s, const QColor &c)
{
    if (!c.isValid()) return;
    for (int i = 1; i < s->count(); ++i) setBackground(s->handle(i), c);
}

QString shown(double v) { return formatFloat(kAmount, v); }

const QVector<GridColumn> &portfolioColumns()
{
    static const QVector<GridColumn> c = {
        {"cek_tarihi", "Çek Vadesi", kDate, 92},         {"cek_tutari", "Çek Tutarı", kAmount, 100},
        {"para_birimi", "Cinsi", {}, 44},                 {"ceki_duzenleyen", "Çeki Düzenleyen", {}, 170},
        {"cek_bankasi", "Çekin Bankası", {}, 120},        {"cek_subesi", "Banka Şubesi", {}, 110},
        {"alindigi_firma", "Alındığı Firma", {}, 170},    {"aciklama", "Açıklama", {}, 150},
        {"cek_doviz_kuru", "Çek Kuru", kRate, 80},        {"cekTL_karsiligi", "TL Karşılığı", kAmount, 105},
    };
    return c;
}

const QVector<GridColumn> &bankColumns()
{
    static const QVector<GridColumn> c = {
        {"cek_tarihi", "Çek Vadesi", kDate, 92},         {"cek_tutari", "Çek Tutarı", kAmount, 100},
        {"para_birimi", "Cinsi", {}, 44},                 {"ceki_duzenleyen", "Çeki Düzenleyen", {}, 170},
        {"cek_bankasi", "Çekin Bankası", {}, 120},        {"cek_subesi", "Banka Şubesi", {}, 110},
        {"islem_tarihi", "Ciro Tarihi", kDate, 82},       {"ciro_firma", "Verildiği Banka", {}, 150},
        {"alindigi_firma", "Alındığı Firma", {}, 170},    {"aciklama", "Açıklama", {}, 150},
        {"cek_doviz_kuru", "Çek Kuru", kRate, 80},        {"TLkarsiligi", "TL Karşılığı", kAmount, 105},
    };
    return c;
}

const QVector<GridColumn> &ownColumns()
{
    static const QVector<GridColumn> c = {
        {"cek_tarihi", "Çek Vadesi", kDate, 92},            {"cek_tutari", "Çek Tutarı", kAmount, 100},
        {"para_birimi", "Cinsi", {}, 44},                    {"cek_bankasi", "Çekin Bankası", {}, 120},
        {"cek_no", "Çek No", {}, 90},                        {"cirolandigi_firma", "Düzenlendiği Firma", {}, 180},
        {"islem_tarihi", "Düz.Tarihi", kDate, 82},           {"aciklama", "Açıklama", {}, 150},
        {"cek_doviz_kuru", "Çek Kuru", kRate, 80},           {"cekTL_karsiligi", "TL Karşılığı", kAmount, 105},
    };
    return c;
}

QVector<GridColumn> balanceColumns(const QString &amountTitle)
{
    return {{"cari_hesap_adi", "Firma Adı", {}, 200}, {"doviz_cinsi", "Cinsi", {}, 48}, {"bakiye", amountTitle, kAmount, 110}};
}

} // namespace

TfrmMain::TfrmMain(QWidget *parent)
    : QMainWindow(parent),
      ffQuery1(&DataContext::instance().kasaConnection, QStringLiteral("ffQuery1"), this),
      ffQuery2(&DataContext::instance().ADOConnection1, QStringLiteral("ffQuery2"), this),
      ffQuery3(&DataContext::instance().kasaConnection, QStringLiteral("ffQuery3"), this),
      ffQuery4(&DataContext::instance().ADOConnection1, QStringLiteral("ffQuery4"), this),
      ffQuery5(&DataContext::instance().ADOConnection1, QStringLiteral("ffQuery5"), this),
      ffTable1(&DataContext::instance().ADOConnection1, QStringLiteral("gunluknot"), QStringLiteral("tarih"),
               QStringLiteral("ffTable1"), this),
      firmabilgileri(&DataContext::instance().ADOConnection1, QStringLiteral("firmabilgileri"), QString(),
                     QStringLiteral("firmabilgileri"), this),
      m_referenceDay(QDate::currentDate())
{
    setObjectName(QStringLiteral("TfrmMain"));
    setWindowTitle(QStringLiteral("Brenvo Çek Senet Takip Programı   - Ana Menü"));

    // The TL value of a cheque and the account balances are worked out per row.
    auto tlValue = [](const Record &r) {
        return QVariant(Dashboard::tlValue(r.asString(QStringLiteral("para_birimi")), r.asFloat(QStringLiteral("cek_tutari")),
                                           r.asFloat(QStringLiteral("cek_doviz_kuru"))));
    };
    ffQuery2.addCalculatedField(QStringLiteral("TLkarsiligi"), FieldType::Double, tlValue);
    ffQuery4.addCalculatedField(QStringLiteral("TLkarsiligi"), FieldType::Double, tlValue);
    auto debt = [](const Record &r) { return AccountBalance::ofRecord(r); };
    ffQuery1.addCalculatedField(QStringLiteral("bakiye"), FieldType::Double, [debt](const Record &r) { return QVariant(debt(r)); });
    ffQuery1.setFilter([debt](const Record &r) { return debt(r) > 0; });
    ffQuery1.setFiltered(true);
    ffQuery3.addCalculatedField(QStringLiteral("bakiye"), FieldType::Double, [debt](const Record &r) { return QVariant(-debt(r)); });
    ffQuery3.setFilter([debt](const Record &r) { return -debt(r) > 0; });

    auto *central = new QWidget(this);
    auto *outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *spltMain = new QSplitter(Qt::Horizontal, central);
    spltMain->setObjectName(QStringLiteral("spltMain"));
    splitters << spltMain;
    spltMain->addWidget(buildMenuColumn());
    spltMain->addWidget(buildDashboard());
    spltMain->setStretchFactor(0, 0);
    spltMain->setStretchFactor(1, 1);
    spltMain->setSizes({230, 1130});
    outer->addWidget(spltMain);
    setCentralWidget(central);

    StatusBar1 = new PanelStatusBar(this);
    StatusBar1->followOpenCompany();
    setStatusBar(StatusBar1);
    buildPopupMenus();

    // The header and the year follow the open company and the working year; after a
    // dated operation switched the year, the dashboard reads the new year's balances
    // once the operation has finished writing.
    DataContext &ctx = DataContext::instance();
    connect(&ctx, &DataContext::companyOpened, this, [this](const QString &, const QString &title, int year) {
        JvNavPanelHeader1->setText(title);
        kisinoedit->setText(QString::number(year));
        // A company opened while the menu shows (the company form saved one) is
        // shown at once: no list or total of the former company stays on screen.
        // A login prepares the menu itself before showing it.
        if (isVisible())
            QMetaObject::invokeMethod(this, [this] { if (isVisible()) yenile(); }, Qt::QueuedConnection);
    });
    connect(&ctx, &DataContext::cashYearChanged, this, [this](int year) {
        if (DataContext::instance().aktifSirketKodu.isEmpty()) return;
        kisinoedit->setText(QString::number(year));
        QMetaObject::invokeMethod(this, [this] { if (isVisible()) yenile(); }, Qt::QueuedConnection);
    });

    m_ayarlarF = std::make_unique<TayarlarF>();
    connect(m_ayarlarF.get(), &TayarlarF::saved, this, [this](const QColor &a, const QColor &b, const QColor &c) {
        ayarYukle();
        paintColours(a, b, c, true);
    });
    connect(m_ayarlarF.get(), &TayarlarF::defaultsChosen, this,
            [this](const QColor &a, const QColor &b, const QColor &c) { paintColours(a, b, c, false); });

    KeyFilters::installEnterMovesFocus(this);
    ComboBox1->setCurrentIndex(0);
    ayarYukle();
    DateTimePicker1->setDate(m_referenceDay);
    DateTimePicker2->setDate(m_referenceDay.addDays(365));
    notTarihi->setDate(m_referenceDay);
    resize(1366, 740);
    setWindowState(Qt::WindowMaximized);
}

TfrmMain::~TfrmMain() = default;

// ---- building the window ----

QWidget *TfrmMain::buildMenuColumn()
{
    sbxWinXPBar = new QScrollArea;
    sbxWinXPBar->setObjectName(QStringLiteral("sbxWinXPBar"));
    sbxWinXPBar->setWidgetResizable(true);
    sbxWinXPBar->setFrameShape(QFrame::NoFrame);
    sbxWinXPBar->setMinimumWidth(200);
    sbxWinXPBar->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sbxWinXPBar->setMaximumWidth(320);
    menuColumn = new MenuColumn;
    sbxWinXPBar->setWidget(menuColumn);
    setBackground(sbxWinXPBar->viewport(), QColor(52, 73, 94));
    setBackground(menuColumn, QColor(52, 73, 94));

    struct Bar {
        const char *title;
        bool exclusive;
        QStringList items;
    };
    const Bar bars[] = {
        {"Kasa ve Cariler", false,
         {"Kasa İşlemleri", "Kasa İşlem Türü Girişi", "Firma Cari Hareket İşlemleri", "Firma Cari Kart Giriş ve Değişiklik",
          "Günlük Döviz Kur Girişi ve Raporu"}},
        {"Çek Alımları", false, {"Çek ve Senet Girişi", "Alınan Çek ve Senet Listeleri", "Alınan Çek ve Senet Bordroları"}},
        {"Çek Çıkışları", false,
         {"Çek ve Senet Çıkışı", "Cirolanan Çek ve Senet Listeleri", "Düzenlenen Çek ve Senet Listeleri",
          "Verilen Çek ve Senet Bordroları", "Bankalara Verilen Çekler", "Vade Görünümü"}},
        {"Ayarlar", true,
         {"Yeni Şirket Aç/Değiştir", "Çalışılan Şirketi Değiştir/Sil", "Anamenü Görünüm ve Ayarları",
          "Şirket Bilgilerini Değiştir", "Programı Güncelle", "Yılsonu Devri Al"}},
        {"Yedekler", true, {"Yedekleme İşlemleri", "Yedekten Geri Al", "Veri Kontrolü"}},
        {"Yardım", true, {"Genel Yardım", "Programı Kapat"}},
    };
    for (const Bar &b : bars) {
        MenuBar *bar = menuColumn->addBar(QString::fromUtf8(b.title), !b.exclusive, b.exclusive);
        for (const QString &item : b.items) bar->addItem(item);
        // Light bodies, so that items not yet available read as greyed out.
        setBackground(bar->body(), QColor(244, 246, 248));
    }

    // The items whose windows exist already.
    auto wire = [this](const QString &text, auto slot) {
        QAction *a = menuItem(text);
        a->setEnabled(true);
        connect(a, &QAction::triggered, this, slot);
    };
    // Items that open other windows are routed by the application object.
    wire(QStringLiteral("Anamenü Görünüm ve Ayarları"), [this] {
        m_ayarlarF->adjustSize();
        m_ayarlarF->move(geometry().center() - m_ayarlarF->rect().center());
        m_ayarlarF->show();
        m_ayarlarF->raise();
    });
    wire(QStringLiteral("Programı Kapat"), [this] { close(); });
    return sbxWinXPBar;
}

QWidget *TfrmMain::buildTopStrip()
{
    auto *strip = new QFrame;
    strip->setObjectName(QStringLiteral("JvXPContainer6"));
    strip->setFrameShape(QFrame::StyledPanel);
    auto *grid = new QGridLayout(strip);
    grid->setContentsMargins(10, 6, 10, 6);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);

    DateTimePicker1 = new QDateEdit(strip);
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker2 = new QDateEdit(strip);
    DateTimePicker2->setObjectName(QStringLiteral("DateTimePicker2"));
    for (QDateEdit *d : {DateTimePicker1, DateTimePicker2}) KeyFilters::setupDateEdit(d);
    grid->addWidget(caption(QStringLiteral("Çek Baş.Tarihi"), strip), 0, 0);
    grid->addWidget(DateTimePicker1, 1, 0);
    grid->addWidget(caption(QStringLiteral("Çek Bit.Tarihi"), strip), 0, 1);
    grid->addWidget(DateTimePicker2, 1, 1);

    yenileBut = new QPushButton(QStringLiteral("YENİLE"), strip);
    yenileBut->setObjectName(QStringLiteral("yenileBut"));
    yenileBut->setToolTip(QStringLiteral("Ekrandaki raporları yenile..."));
    connect(yenileBut, &QPushButton::clicked, this, &TfrmMain::yenile);
    kapat = new QPushButton(QStringLiteral("KAPAT"), strip);
    kapat->setObjectName(QStringLiteral("kapat"));
    kapat->setToolTip(QStringLiteral("Programı kapat..."));
    connect(kapat, &QPushButton::clicked, this, &QWidget::close);
    grid->addWidget(yenileBut, 1, 2);
    grid->addWidget(kapat, 1, 3);
    grid->setColumnMinimumWidth(4, 12);

    // Net balances of the accounts per currency.
    grid->addWidget(caption(QStringLiteral("Cari"), strip, true), 1, 5, Qt::AlignRight);
    auto *bakiyeLabel = caption(QStringLiteral("Bakiye"), strip, true);
    grid->addWidget(bakiyeLabel, 0, 5, Qt::AlignRight);
    bakiyeTL = totalField(strip, QStringLiteral("bakiyeTL"));
    bakiyeUSD = totalField(strip, QStringLiteral("bakiyeUSD"));
    bakiyeEURO = totalField(strip, QStringLiteral("bakiyeEURO"));
    int col = 6;
    for (auto [label, edit] : {std::pair{"TL", bakiyeTL}, {"USD", bakiyeUSD}, {"EURO", bakiyeEURO}}) {
        grid->addWidget(caption(QLatin1String(label), strip), 0, col, Qt::AlignRight);
        grid->addWidget(edit, 1, col++);
    }
    grid->setColumnStretch(col++, 1);

    ComboBox1 = new QComboBox(strip);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems({QStringLiteral("Eldeki Çekler"), QStringLiteral("Düzenlenen Çekler"),
                         QStringLiteral("Bankalardaki Çekler"), QStringLiteral("Alacaklar (Borçlu Cari)"),
                         QStringLiteral("Borçlar (Alacaklı Cari)")});
    STRG1Yaz = new QPushButton(QStringLiteral("RAPORU YAZDIR"), strip);
    STRG1Yaz->setObjectName(QStringLiteral("STRG1Yaz"));
    connect(STRG1Yaz, &QPushButton::clicked, this, &TfrmMain::raporuYazdir);
    grid->addWidget(ComboBox1, 1, col);
    grid->addWidget(STRG1Yaz, 1, col + 1);
    tfXPButton1 = new QPushButton(QStringLiteral("?"), strip);
    tfXPButton1->setObjectName(QStringLiteral("tfXPButton1"));
    tfXPButton1->setToolTip(QStringLiteral("Yardım"));
    tfXPButton1->setFixedWidth(32);
    connect(tfXPButton1, &QPushButton::clicked, this, [this] { Q_EMIT helpRequested(QStringLiteral("yana")); });
    grid->addWidget(tfXPButton1, 1, col + 2);
    return strip;
}

QWidget *TfrmMain::chequePanel(const QString &title, DatasetGrid *&grid, QLineEdit *totals[4], const QString &suffix)
{
    auto *panel = new QFrame;
    panel->setFrameShape(QFrame::StyledPanel);
    auto *v = new QVBoxLayout(panel);
    v->setContentsMargins(8, 6, 8, 6);
    v->setSpacing(4);
    auto *row = new QHBoxLayout;
    row->addWidget(caption(title, panel, true));
    row->addStretch();
    const char *labels[] = {"TL", "USD", "EURO", "TL Karşılığı"};
    const QString names[] = {QStringLiteral("TLEdit") + suffix, QStringLiteral("USDEdit") + suffix,
                             QStringLiteral("EUROEdit") + suffix, QStringLiteral("cekbakiye") + suffix};
    for (int i = 0; i < 4; ++i) {
        row->addWidget(caption(QString::fromUtf8(labels[i]), panel));
        totals[i] = totalField(panel, names[i], i == 3 ? 130 : 112);
        row->addWidget(totals[i]);
    }
    v->addLayout(row);
    grid = new DatasetGrid(panel);
    v->addWidget(grid, 1);
    return panel;
}

QWidget *TfrmMain::balancePanel(const QString &title, const QString &subtitle, DatasetGrid *&grid, QLineEdit *totals[3],
                                const QString &prefix)
{
    auto *panel = new QFrame;
    panel->setFrameShape(QFrame::StyledPanel);
    auto *v = new QVBoxLayout(panel);
    v->setContentsMargins(8, 6, 8, 6);
    v->setSpacing(4);
    auto *head = new QHBoxLayout;
    head->addWidget(caption(title, panel, true));
    head->addWidget(caption(subtitle, panel));
    head->addStretch();
    v->addLayout(head);
    auto *row = new QHBoxLayout;
    int i = 0;
    for (const char *cur : {"TL", "USD", "EURO"}) {
        row->addWidget(caption(QLatin1String(cur), panel));
        totals[i] = totalField(panel, prefix + QLatin1String(cur), 100);
        row->addWidget(totals[i++], 1);
    }
    v->addLayout(row);
    grid = new DatasetGrid(panel);
    v->addWidget(grid, 1);
    return panel;
}

QWidget *TfrmMain::buildNotePanel()
{
    auto *panel = new QFrame;
    panel->setFrameShape(QFrame::StyledPanel);
    auto *v = new QVBoxLayout(panel);
    v->setContentsMargins(8, 6, 8, 6);
    auto *row = new QHBoxLayout;
    row->addWidget(caption(QStringLiteral("Günün Notları"), panel, true));
    row->addStretch();
    notTarihi = new QDateEdit(panel);
    notTarihi->setObjectName(QStringLiteral("notTarihi"));
    KeyFilters::setupDateEdit(notTarihi);
    row->addWidget(notTarihi);
    notSaklaBut = new QPushButton(QStringLiteral("SAKLA"), panel);
    notSaklaBut->setObjectName(QStringLiteral("notSaklaBut"));
    row->addWidget(notSaklaBut);
    v->addLayout(row);
    notMemo = new QPlainTextEdit(panel);
    notMemo->setObjectName(QStringLiteral("notMemo"));
    notMemo->installEventFilter(this);
    v->addWidget(notMemo, 1);

    ffTable1.setFilter([this](const Record &r) { return r.asDate(QStringLiteral("tarih")) == notTarihi->date(); });
    connect(notSaklaBut, &QPushButton::clicked, this, &TfrmMain::notSakla);
    connect(notMemo, &QPlainTextEdit::textChanged, this, &TfrmMain::noteTyped);
    connect(notTarihi, &QDateEdit::dateChanged, this, [this] {
        if (!ffTable1.isActive()) return;
        // A note still being typed belongs to the day it was typed on.
        notSakla();
        ffTable1.setFilter([this](const Record &r) { return r.asDate(QStringLiteral("tarih")) == notTarihi->date(); });
        showNote();
    });
    return panel;
}

QWidget *TfrmMain::buildDashboard()
{
    cntDetails = new QWidget;
    cntDetails->setObjectName(QStringLiteral("cntDetails"));
    auto *v = new QVBoxLayout(cntDetails);
    v->setContentsMargins(8, 6, 8, 4);
    v->setSpacing(6);

    auto *header = new QHBoxLayout;
    JvNavPanelHeader1 = new QLabel(QStringLiteral("Brenvo Çek Senet Takip Programı Ana Menü"), cntDetails);
    JvNavPanelHeader1->setObjectName(QStringLiteral("JvNavPanelHeader1"));
    QFont f = JvNavPanelHeader1->font();
    f.setPointSizeF(f.pointSizeF() + 5);
    f.setBold(true);
    JvNavPanelHeader1->setFont(f);
    header->addWidget(JvNavPanelHeader1, 1);
    header->addWidget(caption(QStringLiteral("ÇALIŞMA YILI"), cntDetails, true));
    kisinoedit = totalField(cntDetails, QStringLiteral("kisinoedit"), 70);
    kisinoedit->setAlignment(Qt::AlignCenter);
    header->addWidget(kisinoedit);
    v->addLayout(header);
    v->addWidget(buildTopStrip());

    auto splitter = [this](const char *name, Qt::Orientation o) {
        auto *s = new QSplitter(o);
        s->setObjectName(QLatin1String(name));
        s->setChildrenCollapsible(false);
        splitters << s;
        return s;
    };
    QSplitter *s1 = splitter("Splitter1", Qt::Vertical);
    QSplitter *s2 = splitter("Splitter2", Qt::Vertical);
    QSplitter *s3 = splitter("Splitter3", Qt::Vertical);
    QSplitter *s4 = splitter("Splitter4", Qt::Horizontal);
    QSplitter *s5 = splitter("Splitter5", Qt::Horizontal);
    QSplitter *s6 = splitter("Splitter6", Qt::Horizontal);

    QLineEdit *t[4];
    eldekiPanel = chequePanel(QStringLiteral("Eldeki Çek/Senetler"), DBGrid1, t, QString());
    TLEdit = t[0], USDEdit = t[1], EUROEdit = t[2], cekbakiye = t[3];
    bankalardakiPanel = chequePanel(QStringLiteral("Bankalardaki Çek/Senetler"), JvDBGrid3, t, QStringLiteral("C"));
    TLEditC = t[0], USDEditC = t[1], EUROEditC = t[2], cekbakiyeC = t[3];
    duzenlenenPanel = chequePanel(QStringLiteral("Düzenlenen Çek/Senetler"), JvDBGrid4, t, QStringLiteral("D"));
    TLEditD = t[0], USDEditD = t[1], EUROEditD = t[2], cekbakiyeD = t[3];
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    JvDBGrid3->setObjectName(QStringLiteral("JvDBGrid3"));
    JvDBGrid4->setObjectName(QStringLiteral("JvDBGrid4"));
    DBGrid1->setDataset(&ffQuery2, portfolioColumns());
    JvDBGrid3->setDataset(&ffQuery4, bankColumns());
    JvDBGrid4->setDataset(&ffQuery5, ownColumns());
    for (DatasetGrid *g : {DBGrid1, JvDBGrid3, JvDBGrid4})
        g->rowPainter()->setDueDateColouring(QStringLiteral("cek_tarihi"), 5, m_referenceDay);
    connectTitleSort(DBGrid1, &m_sortDirection, [this](const QString &o) { EldekiCeklerHazirla(o); });
    connectTitleSort(JvDBGrid3, &m_sortDirection, [this](const QString &o) { BankadakiCeklerHazirla(o); });
    connectTitleSort(JvDBGrid4, &m_sortDirection, [this](const QString &o) { KendiCeklerHazirla(o); });

    s2->addWidget(eldekiPanel);
    s3->addWidget(bankalardakiPanel);
    s3->addWidget(duzenlenenPanel);
    s2->addWidget(s3);
    cekAlani = s2;

    QLineEdit *b[3];
    alacakPanel = balancePanel(QStringLiteral("Alacaklar"), QStringLiteral("(Cari B)"), JvDBGrid1, b, QStringLiteral("alacak"));
    alacakTL = b[0], alacakUSD = b[1], alacakEURO = b[2];
    borcPanel = balancePanel(QStringLiteral("Borçlar"), QStringLiteral("(Cari A)"), JvDBGrid2, b, QStringLiteral("borc"));
    borcTL = b[0], borcUSD = b[1], borcEURO = b[2];
    JvDBGrid1->setObjectName(QStringLiteral("JvDBGrid1"));
    JvDBGrid2->setObjectName(QStringLiteral("JvDBGrid2"));
    JvDBGrid1->setDataset(&ffQuery1, balanceColumns(QStringLiteral("Alacak")));
    JvDBGrid2->setDataset(&ffQuery3, balanceColumns(QStringLiteral("Borç Tutarı")));
    for (DatasetGrid *g : {JvDBGrid1, JvDBGrid2}) g->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    notPanel = buildNotePanel();
    s5->addWidget(alacakPanel);
    s5->addWidget(borcPanel);
    s4->addWidget(s5);
    s4->addWidget(s6);
    s6->addWidget(notPanel);
    altSerit = s4;

    for (DatasetGrid *g : {DBGrid1, JvDBGrid3, JvDBGrid4, JvDBGrid1, JvDBGrid2}) {
        g->setEditTriggers(QAbstractItemView::NoEditTriggers);
        g->verticalHeader()->setDefaultSectionSize(22);
    }

    s1->addWidget(s2);
    s1->addWidget(s4);
    s1->setStretchFactor(0, 3);
    s1->setStretchFactor(1, 2);
    s1->setSizes({430, 250});
    s2->setSizes({200, 300});
    s3->setSizes({150, 150});
    s4->setSizes({700, 300});
    v->addWidget(s1, 1);

    // The calm look of a home without chosen colours: soft grey behind white cards.
    setBackground(cntDetails, QColor(234, 238, 242));
    for (QWidget *card : {eldekiPanel, bankalardakiPanel, duzenlenenPanel, alacakPanel, borcPanel, notPanel,
                          cntDetails->findChild<QWidget *>(QStringLiteral("JvXPContainer6"))}) {
        m_containers << card;
        setBackground(card, Qt::white);
    }
    return cntDetails;
}

void TfrmMain::buildPopupMenus()
{
    auto item = [this](QMenu *menu, const char *name, const QString &text) {
        QAction *a = menu->addAction(text);
        a->setObjectName(QLatin1String(name));
        a->setEnabled(false);  // until its window exists and connects it
        m_popupItems << a;
        return a;
    };
    auto popup = [](DatasetGrid *g) {
        auto *menu = new QMenu(g);
        g->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(g, &QWidget::customContextMenuRequested, menu,
                         [g, menu](const QPoint &p) { menu->popup(g->viewport()->mapToGlobal(p)); });
        return menu;
    };
    const QString evrak = QStringLiteral("Evraklarına Bak/Ekle");
    QMenu *m1 = popup(DBGrid1);
    item(m1, "eldekiEvrakItem", evrak);
    item(m1, "tahsilatItem", QStringLiteral("Tahsilat Yap"));
    item(popup(JvDBGrid3), "bankaEvrakItem", evrak);
    QMenu *m4 = popup(JvDBGrid4);
    item(m4, "kendiEvrakItem", evrak);
    QAction *odeme = item(m4, "odemeItem", QStringLiteral("Ödeme Yap"));
    connect(JvDBGrid4, &QAbstractItemView::doubleClicked, odeme, [odeme] {
        if (odeme->isEnabled()) odeme->trigger();
    });
}

QAction *TfrmMain::menuItem(const QString &textOrName) const
{
    if (QAction *a = menuColumn->item(textOrName)) return a;
    for (QAction *a : m_popupItems)
        if (a->objectName() == textOrName || a->text() == textOrName) return a;
    return nullptr;
}

// ---- the dashboard ----

void TfrmMain::rebuild(Query &q, const QStringList &statement)
{
    try {
        q.reopen(statement);
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}

void TfrmMain::openQuery(Dataset &q)
{
    try {
        q.open();
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}

void TfrmMain::EldekiCeklerHazirla(const QString &orderBy)
{
    rebuild(ffQuery2, Dashboard::portfolioStatement(DateTimePicker1->date(), DateTimePicker2->date(), orderBy));
}

void TfrmMain::BankadakiCeklerHazirla(const QString &orderBy)
{
    rebuild(ffQuery4, Dashboard::bankStatement(DateTimePicker1->date(), DateTimePicker2->date(), orderBy));
}

void TfrmMain::KendiCeklerHazirla(const QString &orderBy)
{
    rebuild(ffQuery5, Dashboard::ownChequeStatement(DateTimePicker1->date(), DateTimePicker2->date(), orderBy));
}

void TfrmMain::tablotoplamal()
{
    struct ChequeTotals {
        Dataset *list;
        QLineEdit *tl, *usd, *euro, *equivalent;
    };
    for (const ChequeTotals &c : {ChequeTotals{&ffQuery2, TLEdit, USDEdit, EUROEdit, cekbakiye},
                                  ChequeTotals{&ffQuery4, TLEditC, USDEditC, EUROEditC, cekbakiyeC},
                                  ChequeTotals{&ffQuery5, TLEditD, USDEditD, EUROEditD, cekbakiyeD}}) {
        const Dashboard::CurrencySums s = Dashboard::sumCheques(*c.list);
        c.tl->setText(shown(s.tl));
        c.usd->setText(shown(s.usd));
        c.euro->setText(shown(s.euro));
        c.equivalent->setText(shown(s.tlEquivalent));
    }
    const Dashboard::CurrencySums debtors = Dashboard::sumBalances(ffQuery1);
    const Dashboard::CurrencySums creditors = Dashboard::sumBalances(ffQuery3);
    alacakTL->setText(shown(debtors.tl));
    alacakUSD->setText(shown(debtors.usd));
    alacakEURO->setText(shown(debtors.euro));
    borcTL->setText(shown(creditors.tl));
    borcUSD->setText(shown(creditors.usd));
    borcEURO->setText(shown(creditors.euro));
    bakiyeTL->setText(shown(debtors.tl - creditors.tl));
    bakiyeUSD->setText(shown(debtors.usd - creditors.usd));
    bakiyeEURO->setText(shown(debtors.euro - creditors.euro));
    for (Dataset *d : {static_cast<Dataset *>(&ffQuery2), static_cast<Dataset *>(&ffQuery4),
                       static_cast<Dataset *>(&ffQuery5), static_cast<Dataset *>(&ffQuery1),
                       static_cast<Dataset *>(&ffQuery3)})
        if (d->isActive()) d->first();
}

void TfrmMain::yenile()
{
    ffQuery1.close();
    ffQuery3.close();
    ffQuery3.setFiltered(true);
    openQuery(ffQuery1);
    EldekiCeklerHazirla();
    KendiCeklerHazirla();
    openQuery(ffQuery3);
    BankadakiCeklerHazirla();
    tablotoplamal();
}

void TfrmMain::prepareDashboard()
{
    // A new login may have switched company or year: the lists read afresh.
    notSakla();
    for (Dataset *d : {static_cast<Dataset *>(&ffQuery1), static_cast<Dataset *>(&ffQuery3),
                       static_cast<Dataset *>(&ffTable1), static_cast<Dataset *>(&firmabilgileri)})
        d->close();
    const auto sql = Dashboard::balanceStatement();
    ffQuery1.sql() = sql;
    ffQuery3.sql() = sql;
    openQuery(ffQuery1);
    EldekiCeklerHazirla();
    openQuery(ffQuery3);
    BankadakiCeklerHazirla();
    KendiCeklerHazirla();
    ffTable1.setFiltered(true);
    openQuery(ffTable1);
    showNote();
    ffQuery3.setFiltered(true);
    tablotoplamal();
}

// ---- the day's note ----

void TfrmMain::showNote()
{
    m_loadingNote = true;
    notMemo->setPlainText(ffTable1.isActive() && !ffTable1.isEmpty() ? ffTable1.field(QStringLiteral("not")).asString()
                                                                    : QString());
    m_loadingNote = false;
}

void TfrmMain::noteTyped()
{
    if (m_loadingNote || !ffTable1.isActive()) return;
    try {
        if (ffTable1.state() == Dataset::State::Browse) {
            if (ffTable1.isEmpty()) {
                ffTable1.append();
                ffTable1.field(QStringLiteral("tarih")).setValue(notTarihi->date());
            } else {
                ffTable1.edit();
            }
        }
        ffTable1.field(QStringLiteral("not")).setValue(notMemo->toPlainText());
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}

void TfrmMain::notSakla()
{
    if (ffTable1.state() != Dataset::State::Edit && ffTable1.state() != Dataset::State::Insert) return;
    try {
        ffTable1.post();
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}

bool TfrmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == notMemo && event->type() == QEvent::FocusOut) notSakla();
    return QMainWindow::eventFilter(watched, event);
}

// ---- settings ----

void TfrmMain::ayarYukle()
{
    const MenuSettings::Values v = MenuSettings::read();
    auto apply = [](QWidget *w, const QString &flag) {
        if (flag == u"E") w->setVisible(true);
        else if (flag == u"H") w->setVisible(false);
    };
    eldekiPanel->setVisible(v.eldecekA == u"E");
    apply(cekAlani, v.cirocekA);
    apply(duzenlenenPanel, v.duzenlenenA);
    apply(bankalardakiPanel, v.bankalardakiA);
    apply(alacakPanel, v.alacakA);
    apply(borcPanel, v.borcA);
    apply(notPanel, v.gunnotA);
    // The bank and own cheque lists share one splitter pane.
    splitters[3]->setVisible(!bankalardakiPanel->isHidden() || !duzenlenenPanel->isHidden());
    splitters[5]->setVisible(!alacakPanel->isHidden() || !borcPanel->isHidden());
    splitters[6]->setVisible(!notPanel->isHidden());
    altSerit->setVisible(!(v.alacakA == u"H" && v.borcA == u"H" && v.gunnotA == u"H"));

    if (v.yanpanrenA > 1) {
        const QColor c = MenuSettings::colourFromInt(v.yanpanrenA);
        setBackground(sbxWinXPBar->viewport(), c);
        setBackground(menuColumn, c);
    }
    if (v.zeminrenA > 1) {
        const QColor c = MenuSettings::colourFromInt(v.zeminrenA);
        setBackground(cntDetails, c);
        for (QWidget *w : std::as_const(m_containers)) setBackground(w, c);
        for (QSplitter *s : std::as_const(splitters)) setSplitterColour(s, c);
    }
    if (v.yanrenA > 1) {
        const QColor c = MenuSettings::colourFromInt(v.yanrenA);
        for (MenuBar *b : menuColumn->bars())
            if (b->title() != u"Yardım") setBackground(b->body(), c);
    }
}

void TfrmMain::paintColours(const QColor &sidePanel, const QColor &background, const QColor &menuBars, bool splittersToo)
{
    setBackground(sbxWinXPBar->viewport(), sidePanel);
    setBackground(menuColumn, sidePanel);
    setBackground(cntDetails, background);
    for (QWidget *w : std::as_const(m_containers)) setBackground(w, background);
    for (MenuBar *b : menuColumn->bars())
        if (b->title() != u"Yardım") setBackground(b->body(), menuBars);
    if (splittersToo)
        for (QSplitter *s : std::as_const(splitters)) setSplitterColour(s, menuBars);
}

// ---- printing ----

Dataset *TfrmMain::listOfReport(const QString &dataset)
{
    if (dataset == u"ffQuery1") return &ffQuery1;
    if (dataset == u"ffQuery2") return &ffQuery2;
    if (dataset == u"ffQuery3") return &ffQuery3;
    if (dataset == u"ffQuery4") return &ffQuery4;
    if (dataset == u"ffQuery5") return &ffQuery5;
    return nullptr;
}

std::optional<Report> TfrmMain::dashboardPrintout(const QString &item)
{
    const std::optional<DashboardReport> chosen = dashboardReport(item);
    if (!chosen) return std::nullopt;
    openQuery(firmabilgileri);
    Report report(chosen->layout);
    report.registerDataset(chosen->dataset, listOfReport(chosen->dataset));
    report.registerDataset(kCompanyDataset, &firmabilgileri);
    if (chosen->dataset == u"ffQuery1" || chosen->dataset == u"ffQuery3") {
        const bool debtors = chosen->dataset == u"ffQuery1";
        report.setMemoText(QStringLiteral("Memo39"), (debtors ? alacakTL : borcTL)->text());
        report.setMemoText(QStringLiteral("Memo16"), (debtors ? alacakUSD : borcUSD)->text());
        report.setMemoText(QStringLiteral("Memo25"), (debtors ? alacakEURO : borcEURO)->text());
    }
    return report;
}

void TfrmMain::raporuYazdir()
{
    const QString item = ComboBox1->currentText();
    const std::optional<Report> report = dashboardPrintout(item);
    if (!report) return;
    Dataset *list = listOfReport(dashboardReport(item)->dataset);
    list->disableControls();
    report->showPreview(this, TRaporOnizlemeF::kCaption);
    list->enableControls();
    if (list->isActive()) list->first();
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    // The main menu is only hidden; the login form takes over.
    notSakla();
    event->ignore();
    hide();
    Q_EMIT closedByUser();
}
