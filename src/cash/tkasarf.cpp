#include "cash/tkasarf.h"

#include "cash/cash_entry_steps.h"
#include "cash/cash_export.h"
#include "cash/cash_row_colours.h"
#include "cash/cash_row_writer.h"
#include "cash/cash_statements.h"
#include "cash/tikitarihf.h"
#include "cash/tkasaf.h"
#include "cash/traporkasaf.h"
#include "cash/two_date_statements.h"
#include "data/data_context.h"
#include "data/display_format.h"
#include "data/engine_error.h"
#include "data/field_value.h"
#include "data/query.h"
#include "data/sql_literals.h"
#include "data/table.h"
#include "reports/layouts_cash.h"
#include "reports/report.h"
#include "widgets/currency_box.h"
#include "widgets/dataset_grid.h"
#include "widgets/dataset_grid_model.h"
#include "widgets/form_kit.h"
#include "widgets/help_window.h"
#include "widgets/key_filters.h"
#include "widgets/message_box.h"
#include "widgets/panel_status_bar.h"
#include "widgets/row_paint_delegate.h"
#include "widgets/spreadsheet_show.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
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

const QString kCaption = QStringLiteral("Brenvo Çek Senet Takip Programı   - Kasa Raporu");

QVector<GridColumn> movementColumns()
{
    return {gridColumn("aciklama", "Açıklama", 300),
            gridColumn("doviz_cinsi", "Para B.", 55),
            gridColumn("borc_tutar", "Giren Para", 110, FormKit::kListAmount),
            gridColumn("alacak_tutar", "Çıkan Para", 110, FormKit::kListAmount),
            gridColumn("doviz_kuru", "Kuru", 80, FormKit::kListRate),
            gridColumn("islemturu", "Kasa İşlem Türü", 160)};
}

QVector<GridColumn> summaryColumns()
{
    return {gridColumn("doviz_cinsi", "Para Birimi", 80),
            gridColumn("GunBasi", "Gün Başı Mevcut", 140, FormKit::kListAmount),
            gridColumn("BorcToplam", "Güniçi Giren Para", 140, FormKit::kListAmount),
            gridColumn("AlacakToplam", "Güniçi Çıkan Para", 140, FormKit::kListAmount),
            gridColumn("bakiye", "Gün Sonu Kasa Mevcudu", 160, FormKit::kListAmount)};
}

QLineEdit *bandField(QWidget *parent, const char *name)
{
    QLineEdit *e = FormKit::resultEdit(parent, name, 120);
    e->setReadOnly(true);
    return e;
}

void addBakiye(Query *q, bool withOpening)
{
    q->addCalculatedField(QStringLiteral("bakiye"), FieldType::Double, [withOpening](const Record &r) {
        const double opening = withOpening ? r.asFloat(QStringLiteral("GunBasi")) : 0;
        return QVariant(opening + r.asFloat(QStringLiteral("BorcToplam")) - r.asFloat(QStringLiteral("AlacakToplam")));
    });
}

} // namespace

TkasaRF::TkasaRF(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("TkasaRF"));
    setWindowTitle(kCaption);
    Connection &cash = DataContext::instance().kasaConnection;
    kasaGTable = new Table(&cash, QStringLiteral("nakit"), QStringLiteral("islem_tarihi"), QStringLiteral("kasaGTable"), this);
    kasaRTable = new Table(&cash, QStringLiteral("nakit"), QStringLiteral("islem_tarihi"), QStringLiteral("kasaRTable"), this);
    kasaRTable->addCalculatedField(QStringLiteral("islemturu"), FieldType::Text, [this](const Record &r) {
        const QString neden = r.asString(QStringLiteral("neden"));
        return m_typeNames.contains(neden) ? QVariant(neden) : QVariant();
    });
    kasaRQuery = new Query(&cash, QStringLiteral("kasaRQuery"), this);
    gunbasikasaQuery = new Query(&cash, QStringLiteral("gunbasikasaQuery"), this);
    guniciQuery = new Query(&cash, QStringLiteral("guniciQuery"), this);
    guntoplamtumuQuery = new Query(&cash, QStringLiteral("guntoplamtumuQuery"), this);
    addBakiye(gunbasikasaQuery, false);
    addBakiye(guniciQuery, false);
    addBakiye(guntoplamtumuQuery, true);

    auto *central = new QWidget(this);
    auto *root = new QVBoxLayout(central);
    root->setContentsMargins(6, 6, 6, 6);
    setCentralWidget(central);
    buildTopBar(root);

    auto *body = new QHBoxLayout;
    root->addLayout(body, 1);
    DBGrid2 = new DatasetGrid(central);
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    DBGrid2->setDataset(kasaRQuery, {gridColumn("islem_tarihi", "Kasa Tarihi", 110, FormKit::kDate)});
    DBGrid2->setFixedWidth(150);
    body->addWidget(DBGrid2);

    auto *right = new QVBoxLayout;
    body->addLayout(right, 1);
    // Top band: the opening balance and the buttons.
    auto *top = new QHBoxLayout;
    top->addWidget(FormKit::caption(QStringLiteral("GÜN BAŞI KASA MEVCUDU"), central, true));
    gunbasiEdit = bandField(central, "gunbasiEdit");
    top->addWidget(gunbasiEdit);
    top->addStretch(1);
    QPushButton *islemturuBut = FormKit::button(central, "islemturuBut", QStringLiteral("İşlem Türü Detay Raporu"));
    connect(islemturuBut, &QPushButton::clicked, this, &TkasaRF::islemTuruRaporu);
    top->addWidget(islemturuBut);
    const struct {
        const char *name, *text;
        void (TkasaRF::*action)();
    } buttons[] = {{"ExcelBut", "Excel", &TkasaRF::excel},
                   {"DaireBtn", "YENİ", &TkasaRF::yeniHareket},
                   {"BitBtn1", "DEĞİŞTİR", &TkasaRF::duzelt},
                   {"BitBtn2", "SİL", &TkasaRF::sil}};
    for (const auto &b : buttons) {
        QPushButton *button = FormKit::button(central, b.name, QString::fromUtf8(b.text));
        connect(button, &QPushButton::clicked, this, b.action);
        top->addWidget(button);
    }
    QPushButton *belge = FormKit::button(central, "BitBtn3", QStringLiteral("BELGE EKLE"));
    belge->setEnabled(false);  // until the document window is wired to it
    top->addWidget(belge);
    right->addLayout(top);

    DBGrid1 = new DatasetGrid(central);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setDataset(kasaRTable, movementColumns());
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    DBGrid1->rowPainter()->setRowColourRule(CashRowColours::rule());

    // Bottom band: the day's totals and the closing balance.
    auto *lower = new QWidget(central);
    auto *upper = new QVBoxLayout(lower);
    upper->setContentsMargins(0, 0, 0, 0);
    upper->addWidget(DBGrid1, 1);
    auto *band = new QGridLayout;
    auto *title = FormKit::caption(QStringLiteral("GÜNE AİT KASA\nTOPLAMLARI"), lower, true);
    band->addWidget(title, 0, 0);
    m_dayOfTotals = new QLabel(lower);
    m_dayOfTotals->setObjectName(QStringLiteral("gunToplamTarihLabel"));
    band->addWidget(m_dayOfTotals, 1, 0);
    const struct {
        const char *caption;
        QLineEdit **edit;
        const char *name;
    } totals[] = {{"GİREN PARA", &girenEdit, "girenEdit"},
                  {"ÇIKAN PARA", &cikanEdit, "cikanEdit"},
                  {"GÜN BAKİYE", &gunbakiyeEdit, "gunbakiyeEdit"}};
    int col = 1;
    for (const auto &t : totals) {
        band->addWidget(FormKit::caption(QString::fromUtf8(t.caption), lower, true), 0, col, Qt::AlignCenter);
        *t.edit = bandField(lower, t.name);
        band->addWidget(*t.edit, 1, col++);
    }
    band->addWidget(FormKit::caption(QStringLiteral("GÜN SONU KASA MEVCUDU"), lower, true), 0, col, Qt::AlignCenter);
    Label10 = new QLabel(lower);
    Label10->setObjectName(QStringLiteral("Label10"));
    Label10->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label10->setMinimumWidth(140);
    QFont lf = Label10->font();
    lf.setBold(true);
    lf.setPointSizeF(lf.pointSizeF() + 2);
    Label10->setFont(lf);
    band->addWidget(Label10, 1, col);
    band->setColumnStretch(col + 1, 1);
    upper->addLayout(band);

    DBGrid3 = new DatasetGrid(central);
    DBGrid3->setObjectName(QStringLiteral("DBGrid3"));
    DBGrid3->setDataset(guntoplamtumuQuery, summaryColumns());
    DBGrid3->horizontalHeader()->setStretchLastSection(true);
    Splitter1 = new QSplitter(Qt::Vertical, central);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->addWidget(lower);
    Splitter1->addWidget(DBGrid3);
    Splitter1->setCollapsible(0, false);
    Splitter1->setStretchFactor(0, 1);
    right->addWidget(Splitter1, 1);
    DBGrid3->hide();
    Splitter1->handle(1)->hide();

    // The pop-up menu and keys of the movement and summary grids.
    const struct {
        const char *name, *text;
        QKeySequence key;
        void (TkasaRF::*action)();
        bool enabled;
    } items[] = {{"yeniMenuItem", "Para Giriş Çıkışı Yap", QKeySequence(Qt::Key_Insert), &TkasaRF::yeniHareket, true},
                 {"duzeltMenuItem", "Kaydı Düzelt", QKeySequence(Qt::SHIFT | Qt::Key_Insert), &TkasaRF::duzelt, true},
                 {"silMenuItem", "Kaydı Sil", QKeySequence(Qt::Key_Delete), &TkasaRF::sil, true},
                 {"evrakMenuItem", "Evraklarına Bak/Ekle", QKeySequence(), nullptr, false}};  // wired with the document window
    for (DatasetGrid *grid : {DBGrid1, DBGrid3}) {
        for (const auto &i : items) {
            auto *action = new QAction(QString::fromUtf8(i.text), grid);
            action->setObjectName(QLatin1String(i.name));
            action->setShortcut(i.key);
            action->setShortcutContext(Qt::WidgetShortcut);
            action->setEnabled(i.enabled);
            if (i.action) connect(action, &QAction::triggered, this, i.action);
            grid->addAction(action);
        }
        grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    }

    StatusBar1 = new PanelStatusBar(this);
    setStatusBar(StatusBar1);

    // The caption and status follow the login and the switches of the working year.
    DataContext &ctx = DataContext::instance();
    connect(&ctx, &DataContext::companyOpened, this, [this](const QString &code, const QString &title, int year) {
        setWindowTitle(QStringLiteral("Brenvo Çek Senet Takip Programı Programı - ") + title + QStringLiteral(" - ")
                       + QString::number(year));
        StatusBar1->setPanelText(3, QStringLiteral("  ") + PanelStatusBar::companyText(code, title, year));
    });
    connect(&ctx, &DataContext::cashYearChanged, this, [this](int year) {
        setWindowTitle(kCaption + QStringLiteral("  - ") + QString::number(year));
        const DataContext &c = DataContext::instance();
        StatusBar1->setPanelText(3, QStringLiteral("  ") + PanelStatusBar::companyText(c.aktifSirketKodu, c.aktifSirketUnvani, year));
        try {
            reopenAfterSwitch();
        } catch (const EngineError &e) {
            reportError(e.message());
        }
    });
    // What other windows write shows at once; a row being typed here stays as it is.
    connect(&ctx, &DataContext::dataChanged, this, [this](int what) {
        if (!(what & int(DataKind::Cash)) || !kasaRQuery->isActive()) return;
        const QDate day = seciliGun();
        try {
            kasaRTable->refresh();
            if (day.isValid()) showDay(day);
            else yenileButClick();
        } catch (const EngineError &e) {
            reportError(e.message());
        }
    });
    connect(kasaRQuery, &Dataset::currentRowChanged, this, [this] {
        if (!m_following) followDay();
    });
    KeyFilters::installEnterMovesFocus(this);
    resize(1200, 700);
}

TkasaRF::~TkasaRF() = default;

void TkasaRF::buildTopBar(QVBoxLayout *root)
{
    QWidget *parent = root->parentWidget();
    auto *bar = new QHBoxLayout;
    bar->addWidget(FormKit::caption(QStringLiteral("Kasa Para Cinsi"), parent, true));
    dovizBox = new QComboBox(parent);
    dovizBox->setObjectName(QStringLiteral("dovizBox"));
    CurrencyBox::fill(dovizBox, CurrencyBox::Order::HepsiFourth);
    connect(dovizBox, &QComboBox::activated, this, [this] { yenileButClick(); });
    bar->addWidget(dovizBox);
    vadesiDate = new QDateEdit(QDate::currentDate(), parent);
    vadesiDate->setObjectName(QStringLiteral("vadesiDate"));
    KeyFilters::setupDateEdit(vadesiDate);
    bar->addWidget(vadesiDate);
    QPushButton *git = FormKit::button(parent, "gitBut", QStringLiteral("GİT"));
    connect(git, &QPushButton::clicked, this, &TkasaRF::GitButClick);
    bar->addWidget(git);
    bar->addSpacing(12);
    bar->addWidget(FormKit::caption(QStringLiteral(" KASA TARİHİ :"), parent, true));
    kasaTarihiLabel = new QLabel(parent);
    kasaTarihiLabel->setObjectName(QStringLiteral("kasaTarihiLabel"));
    kasaTarihiLabel->setMinimumWidth(90);
    QFont f = kasaTarihiLabel->font();
    f.setBold(true);
    kasaTarihiLabel->setFont(f);
    bar->addWidget(kasaTarihiLabel);

    auto *group = new QGroupBox(QStringLiteral("Raporlama Seçenekleri"), parent);
    group->setObjectName(QStringLiteral("yazayar"));
    auto *grid = new QGridLayout(group);
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setVerticalSpacing(0);
    yazayar = new QButtonGroup(group);
    const char *const choices[] = {"Günlük Kasa Raporu", "Günlük Kasa Detay", "İki Tarih Arası Rapor",
                                   "İki Tarih Detay Raporu", "İşlem Türü Raporu", "Gün Toplamları Raporu"};
    for (int i = 0; i < 6; ++i) {
        auto *radio = new QRadioButton(QString::fromUtf8(choices[i]), group);
        radio->setObjectName(QStringLiteral("yazayar%1").arg(i));
        yazayar->addButton(radio, i);
        grid->addWidget(radio, i / 2, i % 2);
    }
    yazayar->button(0)->setChecked(true);
    bar->addWidget(group);
    QPushButton *yaz = FormKit::button(parent, "STRG1Yaz", QStringLiteral("YAZDIR"));
    connect(yaz, &QPushButton::clicked, this, &TkasaRF::yazdir);
    bar->addWidget(yaz);
    QPushButton *yenile = FormKit::button(parent, "JvXPButton6", QStringLiteral("BİLGİLERİ GÜNCELLE"));
    connect(yenile, &QPushButton::clicked, this, &TkasaRF::yenileButClick);
    bar->addWidget(yenile);
    m_help = makeHelpButton(parent, QStringLiteral("ykasa"), nullptr);
    bar->addWidget(m_help);
    QPushButton *kapat = FormKit::button(parent, "JvXPButton7", QStringLiteral("KAPAT"));
    connect(kapat, &QPushButton::clicked, this, &QWidget::hide);
    bar->addWidget(kapat);
    bar->addStretch(1);
    root->addLayout(bar);
}

void TkasaRF::setYardim(TyardimF *help) { connectHelpButton(m_help, QStringLiteral("ykasa"), help); }

void TkasaRF::reportError(const QString &message) { MessageBox::error(message); }

QString TkasaRF::paraBirimi() const { return CurrencyBox::chosen(dovizBox, CurrencyBox::Order::HepsiFourth); }

QDate TkasaRF::seciliGun() const
{
    if (!kasaRQuery->isActive() || kasaRQuery->isEmpty() || kasaRQuery->currentRow() < 0) return {};
    return FieldValue::asDate(kasaRQuery->value(QStringLiteral("islem_tarihi")));
}

void TkasaRF::loadTypeNames()
{
    m_typeNames.clear();
    Query q(&DataContext::instance().ADOConnection1);
    q.sql() << QStringLiteral("SELECT kasanedenine FROM kasaneden");
    q.open();
    for (q.first(); !q.eof(); q.next()) m_typeNames.insert(q.value(0).toString());
}

// ---- datasets ----

void TkasaRF::openDatasets()
{
    if (!kasaRQuery->isActive()) kasaRQuery->reopen(CashStatements::dayList(QString()));
    if (!kasaGTable->isActive()) kasaGTable->open();
    loadTypeNames();
    followDay();
}

bool TkasaRF::ensureOpen()
{
    try {
        openDatasets();
        return true;
    } catch (const EngineError &e) {
        reportError(e.message());
        return false;
    }
}

void TkasaRF::closeDatasets()
{
    // The entry form's pending row lives in kasaGTable: the form cancels it when it
    // hides; the view closes only what shows the day.
    for (Dataset *d : {static_cast<Dataset *>(kasaRTable), static_cast<Dataset *>(kasaRQuery),
                       static_cast<Dataset *>(gunbasikasaQuery), static_cast<Dataset *>(guniciQuery),
                       static_cast<Dataset *>(guntoplamtumuQuery)})
        d->close();
    if (!m_entry || !m_entry->hasPendingRow()) kasaGTable->close();
    m_openingFor.valid = m_dayFor.valid = false;
}

void TkasaRF::ac()
{
    if (!ensureOpen()) return;
    show();
    raise();
}

void TkasaRF::hideEvent(QHideEvent *event)
{
    QMainWindow::hideEvent(event);
    if (m_periodDialog && !event->spontaneous()) m_periodDialog->hide();
    // A minimized view keeps its day; a closed one lets its datasets go.
    if (!event->spontaneous()) closeDatasets();
}

void TkasaRF::reopenAfterSwitch()
{
    m_openingFor.valid = m_dayFor.valid = false;
    if (!isVisible() && !(m_entry && m_entry->isVisible())) return;
    if (!kasaGTable->isActive()) kasaGTable->open();
    if (!isVisible()) return;
    kasaRQuery->reopen(CashStatements::dayList(paraBirimi()));
    followDay();
}

// ---- the day ----

void TkasaRF::followDay()
{
    const QDate day = seciliGun();
    const QString currency = paraBirimi();
    kasaTarihiLabel->setText(day.isValid() ? formatDate(FormKit::kDate, day) : QString());
    m_dayOfTotals->setText(kasaTarihiLabel->text());
    kasaRTable->setMasterLink(QStringLiteral("islem_tarihi"), day.isValid() ? QVariant(day) : QVariant());
    if (CashStatements::currencyChosen(currency)) {
        kasaRTable->setFilter([currency](const Record &r) { return r.asString(QStringLiteral("doviz_cinsi")) == currency; });
        kasaRTable->setFiltered(true);
    } else {
        kasaRTable->setFiltered(false);
    }
    if (!kasaRTable->isActive()) kasaRTable->open();
    gunSecildi();
}

bool TkasaRF::stillValid(const Remembered &r) const
{
    return r.valid && r.day == seciliGun() && r.currency == paraBirimi()
           && r.version == DataContext::instance().kasaConnection.dataVersion();
}

void TkasaRF::remember(Remembered &r)
{
    r.day = seciliGun();
    r.currency = paraBirimi();
    r.version = DataContext::instance().kasaConnection.dataVersion();
    r.valid = true;
}

void TkasaRF::KasaBakiye()
{
    // No day (an empty list): no balance to compute.
    if (!seciliGun().isValid()) {
        gunbasikasaQuery->close();
        return;
    }
    if (gunbasikasaQuery->isActive() && stillValid(m_openingFor)) return;
    gunbasikasaQuery->reopen(CashStatements::opening(paraBirimi(), seciliGun()));
    remember(m_openingFor);
}

void TkasaRF::GunlukBakiye()
{
    if (!seciliGun().isValid()) {
        guniciQuery->close();
        return;
    }
    if (guniciQuery->isActive() && stillValid(m_dayFor)) return;
    guniciQuery->reopen(CashStatements::dayTotals(paraBirimi(), seciliGun()));
    remember(m_dayFor);
}

void TkasaRF::ParaBirimiDurum()
{
    const bool all = paraBirimi() == kHepsi;
    DBGrid3->setVisible(all);
    Splitter1->handle(1)->setVisible(all);
    if (!all) return;
    if (!seciliGun().isValid()) {
        guntoplamtumuQuery->close();
        DBGrid3->setFixedHeight(CashStatements::summaryHeight(0));
        return;
    }
    guntoplamtumuQuery->reopen(CashStatements::currencySummary(seciliGun()));
    DBGrid3->setFixedHeight(CashStatements::summaryHeight(guntoplamtumuQuery->recordCount()));
}

double TkasaRF::bakiye(Query *q) const
{
    return q->isActive() && !q->isEmpty() ? q->value(QStringLiteral("bakiye")).toDouble() : 0.0;
}

void TkasaRF::showBalances()
{
    const auto money = [](Query *q, const char *field) {
        return q->isActive() && !q->isEmpty() ? formatFloat(FormKit::kMoney, q->value(QLatin1String(field)).toDouble())
                                               : formatFloat(FormKit::kMoney, 0);
    };
    gunbasiEdit->setText(money(gunbasikasaQuery, "bakiye"));
    girenEdit->setText(money(guniciQuery, "BorcToplam"));
    cikanEdit->setText(money(guniciQuery, "AlacakToplam"));
    gunbakiyeEdit->setText(money(guniciQuery, "bakiye"));
    Label10->setText(formatFloat(FormKit::kListAmount, bakiye(gunbasikasaQuery) + bakiye(guniciQuery)));
}

void TkasaRF::gunSecildi()
{
    try {
        KasaBakiye();
        GunlukBakiye();
        ParaBirimiDurum();
    } catch (const EngineError &e) {
        reportError(e.message());
    }
    showBalances();
}

void TkasaRF::yenileButClick()
{
    try {
        m_openingFor.valid = m_dayFor.valid = false;
        if (!kasaGTable->isActive()) kasaGTable->open();
        loadTypeNames();
        m_following = true;
        kasaRTable->close();
        kasaRQuery->reopen(CashStatements::dayList(paraBirimi()));
        kasaRQuery->first();
        m_following = false;
        followDay();
    } catch (const EngineError &e) {
        m_following = false;
        reportError(e.message());
    }
}

void TkasaRF::showDay(const QDate &day)
{
    try {
        m_following = true;
        if (!kasaRQuery->isActive()) kasaRQuery->reopen(CashStatements::dayList(paraBirimi()));
        if (seciliGun() != day && !kasaRQuery->locate(QStringLiteral("islem_tarihi"), day)) {
            kasaRQuery->reopen(CashStatements::dayList(paraBirimi()));
            kasaRQuery->locate(QStringLiteral("islem_tarihi"), day);
        }
        m_following = false;
        kasaRTable->refresh();
        followDay();
    } catch (const EngineError &e) {
        m_following = false;
        reportError(e.message());
    }
}

void TkasaRF::GitButClick()
{
    const QDate picked = vadesiDate->date();
    DataContext &ctx = DataContext::instance();
    if (picked.year() != ctx.calismaYili) {
        if (MessageBox::show(MessageBox::kCaptionShort, CashEntry::yearQuestion(picked.year()),
                             MessageBox::Icon::Question, MessageBox::Yes | MessageBox::No, this)
            != MessageBox::Yes)
            return;
        if (m_entry && !m_entry->yilDegistir(picked.year())) return;
    }
    try {
        if (!kasaRQuery->isActive()) openDatasets();
        m_following = true;
        const bool found = kasaRQuery->locate(QStringLiteral("islem_tarihi"), picked);
        m_following = false;
        if (found) followDay();
    } catch (const EngineError &e) {
        m_following = false;
        reportError(e.message());
    }
}

// ---- movements ----

bool TkasaRF::hareketeGit(const QDate &day, qint64 nid)
{
    if (!day.isValid() || nid <= 0) return false;
    try {
        if (!kasaRQuery->isActive() || !kasaGTable->isActive()) openDatasets();
        m_following = true;
        const bool found = seciliGun() == day || kasaRQuery->locate(QStringLiteral("islem_tarihi"), day);
        m_following = false;
        if (!found) return false;
        followDay();
        return kasaRTable->locate(QStringLiteral("nid"), nid);
    } catch (const EngineError &e) {
        m_following = false;
        reportError(e.message());
        return false;
    }
}

void TkasaRF::yeniHareket()
{
    if (!m_entry) return;
    const QDate day = seciliGun();
    const QString currency = paraBirimi();
    m_entry->yeniSatir(day.isValid() ? day : QDate::currentDate(), currency != kHepsi ? currency : QString());
}

void TkasaRF::duzelt()
{
    if (!m_entry || !kasaRTable->isActive() || kasaRTable->isEmpty()) return;
    const qint64 nid = kasaRTable->value(QStringLiteral("nid")).toLongLong();
    if (nid <= 0) return;
    try {
        if (!kasaGTable->isActive()) kasaGTable->open();
        if (kasaGTable->state() != Dataset::State::Browse) {
            if (!m_entry->satirBirakilsin()) return;
            kasaGTable->cancel();
        }
        if (!kasaGTable->locate(QStringLiteral("nid"), nid)) {
            kasaGTable->refresh();
            if (!kasaGTable->locate(QStringLiteral("nid"), nid)) return;
        }
    } catch (const EngineError &e) {
        reportError(e.message());
        return;
    }
    m_entry->duzeltSatir();
}

void TkasaRF::sil()
{
    if (!kasaRTable->isActive() || kasaRTable->isEmpty()) return;
    if (MessageBox::show(MessageBox::kCaptionShort, CashEntry::kDeleteQuestion, MessageBox::Icon::Question,
                         MessageBox::Yes | MessageBox::No, this)
        != MessageBox::Yes)
        return;
    try {
        CashRowWriter::removeCurrent(*kasaRTable);
        // The day stays in the list until the next refresh; its sums go down now.
        GunlukBakiye();
        showBalances();
    } catch (const EngineError &e) {
        reportError(e.message());
    }
}

// ---- printing and export ----

Report TkasaRF::dayReport(int kind)
{
    Report report(kind == 1 ? gunlukKasaDetayLayout() : gunlukKasaRaporuLayout());
    report.registerDataset(QStringLiteral("kasaRTable"), kasaRTable);
    report.registerDataset(QStringLiteral("gunbasikasaQuery"), gunbasikasaQuery);
    report.registerDataset(QStringLiteral("guniciQuery"), guniciQuery);
    report.setMemoText(QStringLiteral("Memo1"), formatDate(FormKit::kDate, seciliGun()) + QStringLiteral(" KASA HAREKETLERİ"));
    report.setMemoText(QStringLiteral("Memo60"),
                       formatFloat(FormKit::kMoney, bakiye(gunbasikasaQuery) + bakiye(guniciQuery)));
    return report;
}

void TkasaRF::yazdir()
{
    const int kind = yazayar->checkedId();
    if (kind >= 2 && kind <= 5) {
        if (!m_periodDialog) return;
        const QString kinds[] = {TwoDateStatements::kHareketler, TwoDateStatements::kDetay,
                                 TwoDateStatements::kIslemTuru, TwoDateStatements::kGunToplamlari};
        m_periodDialog->raporTuru = kinds[kind - 2];
        m_periodDialog->show();
        m_periodDialog->raise();
        m_periodDialog->activateWindow();
        return;
    }
    if (kind != 0 && kind != 1) return;
    if (!ensureOpen()) return;
    try {
        Table company(&DataContext::instance().ADOConnection1, QStringLiteral("firmabilgileri"));
        company.open();
        kasaRTable->disableControls();
        Report report = dayReport(kind);
        report.registerDataset(QStringLiteral("firmabilgileri"), &company);
        report.showPreview(this, QStringLiteral("Brenvo Rapor Önizleme"));
        kasaRTable->enableControls();
    } catch (const EngineError &e) {
        kasaRTable->enableControls();
        reportError(e.message());
    }
}

void TkasaRF::islemTuruRaporu()
{
    if (!m_typeReport) return;
    m_typeReport->acYil(DataContext::instance().calismaYili);
}

void TkasaRF::fillWorkbook(SpreadsheetWorkbook &book)
{
    CashExport::Day day;
    day.opening = bakiye(gunbasikasaQuery);
    day.net = bakiye(guniciQuery);
    Table company(&DataContext::instance().ADOConnection1, QStringLiteral("firmabilgileri"));
    company.open();
    if (!company.isEmpty())
        for (const char *f : {"firma_unvani_1", "firma_unvani_2", "firma_adresi_1", "adres_semt", "adres_sehir"})
            day.company.insert(QLatin1String(f), company.value(QLatin1String(f)).toString());
    const int n = kasaRTable->recordCount();
    for (int row = 0; row < n; ++row) {
        const Record r = kasaRTable->recordAt(row);
        day.rows.append({r.asDate(QStringLiteral("islem_tarihi")), r.asString(QStringLiteral("aciklama")),
                         r.asString(QStringLiteral("neden")), r.asString(QStringLiteral("doviz_cinsi")),
                         r.value(QStringLiteral("borc_tutar")), r.value(QStringLiteral("alacak_tutar"))});
    }
    CashExport::fill(book, day);
}

void TkasaRF::excel()
{
    if (!ensureOpen()) return;
    try {
        SpreadsheetWorkbook book;
        fillWorkbook(book);
        showSpreadsheet(book, QStringLiteral("Kasa"));
    } catch (const EngineError &e) {
        reportError(e.message());
    }
}
