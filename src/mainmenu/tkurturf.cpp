#include "mainmenu/tkurturf.h"

#include "data/data_context.h"
#include "data/table.h"
#include "widgets/dataset_grid.h"
#include "widgets/dataset_grid_model.h"
#include "widgets/form_kit.h"
#include "widgets/panel_status_bar.h"

#include <QDateEdit>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString kRateShown = QStringLiteral("#,##0.000000");
const QString kRateEdited = QStringLiteral("#.000000");

GridColumn editable(GridColumn c, const QString &editFormat = QString())
{
    c.editable = true;
    c.editFormat = editFormat;
    return c;
}

} // namespace

TkurturF::TkurturF(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TkurturF"));
    setWindowTitle(QStringLiteral("Brenvo Çek Senet Takip Kurlar"));
    // No title-bar buttons; above the other windows.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);

    DataContext &ctx = DataContext::instance();
    kurturuTable = std::make_unique<Table>(&ctx.ADOConnection1, QStringLiteral("kurturu"), QStringLiteral("kur_kodu"),
                                           QStringLiteral("kurturuTable"));
    kurlarTable = std::make_unique<Table>(&ctx.ADOConnection1, QStringLiteral("kurlar"), QStringLiteral("kur_tarihi"),
                                          QStringLiteral("kurlarTable"));
    // The rates of the chosen day only; a row typed in belongs to that day.
    applyDayFilter();
    kurlarTable->setFiltered(true);
    kurlarTable->setBeforePost([this] { kurlarTable->field(QStringLiteral("kur_tarihi")) = m_day; });

    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("pages"));
    pages->setTabPosition(QTabWidget::South);
    root->addWidget(pages);

    // The currency list.
    auto *list = new QWidget(pages);
    auto *listLayout = new QVBoxLayout(list);
    kurturuGrid = new DatasetGrid(list);
    kurturuGrid->setObjectName(QStringLiteral("kurturuGrid"));
    kurturuGrid->setDataset(kurturuTable.get(), {editable(gridColumn("kur_kodu", "Kur Kodu", 80)),
                                                 editable(gridColumn("kur_adi", "Kur Adı", 160)),
                                                 editable(gridColumn("aciklama", "Açıklama", 220))});
    kurturuGrid->setInPlaceEditing(true);
    listLayout->addWidget(kurturuGrid);
    auto *listButtons = new QHBoxLayout;
    kapatBut = FormKit::button(list, "kapat", QStringLiteral("KAPAT"));
    kapatBut->setToolTip(QStringLiteral("Programı kapat..."));
    JvXPButton7 = FormKit::button(list, "JvXPButton7", QStringLiteral("Günlük Kur Girişleri"));
    listButtons->addWidget(JvXPButton7);
    listButtons->addStretch();
    listButtons->addWidget(kapatBut);
    listLayout->addLayout(listButtons);
    pages->addTab(list, QStringLiteral("Kur Kodu Giriş ve İzleme"));

    // The rates of a day.
    auto *rates = new QWidget(pages);
    auto *ratesLayout = new QVBoxLayout(rates);
    auto *top = new QHBoxLayout;
    Label1 = new QLabel(QStringLiteral("Tarih"), rates);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    Label1->setFont(bold);
    DateTimePicker1 = new QDateEdit(rates);
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker1->setCalendarPopup(true);
    DateTimePicker1->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    top->addWidget(Label1);
    top->addStretch();
    top->addWidget(DateTimePicker1);
    ratesLayout->addLayout(top);
    kurlarGrid = new DatasetGrid(rates);
    kurlarGrid->setObjectName(QStringLiteral("kurlarGrid"));
    GridColumn code = editable(gridColumn("kur_kodu", "Kur Kodu", 8 * fontMetrics().horizontalAdvance(u'W') + 8));
    code.lookup = [this] { return currencyCodes(); };
    QVector<GridColumn> cols{code};
    const std::pair<const char *, const char *> rateFields[] = {
        {"md_alis", "MBD Alış"}, {"md_satis", "MBD Satış"}, {"sd_alis", "SPD Alış"},
        {"sd_satis", "SPD Satış"}, {"me_alis", "MBE Alış"}, {"me_satis", "MBE Satış"}};
    for (const auto &[field, title] : rateFields) cols << editable(gridColumn(field, title, 104, kRateShown), kRateEdited);
    kurlarGrid->setDataset(kurlarTable.get(), cols);
    kurlarGrid->setInPlaceEditing(true);
    ratesLayout->addWidget(kurlarGrid);
    auto *rateButtons = new QHBoxLayout;
    JvXPButton2 = FormKit::button(rates, "JvXPButton2", QStringLiteral("Kur Kodu Ekle"));
    SpeedButton1 = FormKit::button(rates, "SpeedButton1", QStringLiteral("KAPAT"));
    SpeedButton1->setToolTip(QStringLiteral("Programı kapat..."));
    rateButtons->addWidget(JvXPButton2);
    rateButtons->addStretch();
    rateButtons->addWidget(SpeedButton1);
    ratesLayout->addLayout(rateButtons);
    pages->addTab(rates, QStringLiteral("Kur Girişi ve İzleme"));

    StatusBar1 = new PanelStatusBar(this, 4, 2);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    root->addWidget(StatusBar1);

    connect(JvXPButton7, &QPushButton::clicked, this, [this] { showPage(1); });
    connect(JvXPButton2, &QPushButton::clicked, this, [this] { showPage(0); });
    connect(kapatBut, &QPushButton::clicked, this, &TkurturF::kapat);
    connect(SpeedButton1, &QPushButton::clicked, this, &TkurturF::kapat);
    connect(DateTimePicker1, &QDateEdit::dateChanged, this, &TkurturF::setDay);

    m_day = QDate::currentDate();
    DateTimePicker1->setDate(m_day);
    Label1->setText(dayLabel(m_day));
    showPage(1);
    resize(780, 460);
}

TkurturF::~TkurturF() = default;

QString TkurturF::dayLabel(const QDate &day)
{
    return QStringLiteral("Tarih  ") + QLocale(QLocale::Turkish, QLocale::Turkey).toString(day, QStringLiteral("dd MMMM yyyy dddd "));
}

QStringList TkurturF::currencyCodes() const
{
    QStringList codes;
    if (!kurturuTable->isActive()) return codes;
    const int f = kurturuTable->fieldIndex(QStringLiteral("kur_kodu"));
    for (int r = 0; r < kurturuTable->recordCount(); ++r) {
        const QString c = kurturuTable->valueAt(r, f).toString();
        if (!c.isEmpty() && !codes.contains(c)) codes << c;
    }
    codes.sort();  // a code added since opening comes last in the table
    return codes;
}

void TkurturF::showPage(int page)
{
    // Only the page shown has its tab.
    pages->tabBar()->setTabVisible(page, true);
    pages->setCurrentIndex(page);
    pages->tabBar()->setTabVisible(1 - page, false);
}

void TkurturF::ac()
{
    kurturuTable->open();  // the look-up column reads the currency list
    kurlarTable->open();
    setDay(QDate::currentDate());
    DateTimePicker1->setDate(m_day);
    if (const QScreen *s = QGuiApplication::primaryScreen()) move(s->availableGeometry().center() - rect().center());
    show();
    raise();
    activateWindow();
}

void TkurturF::setDay(const QDate &day)
{
    if (!day.isValid()) return;
    if (kurlarTable->isActive()) kurlarTable->checkBrowseMode();  // a typed row keeps the day it was typed on
    m_day = day;
    Label1->setText(dayLabel(day));
    applyDayFilter();
}

void TkurturF::applyDayFilter()
{
    const QDate day = m_day;
    kurlarTable->setFilter([day](const Record &r) { return r.value(QStringLiteral("kur_tarihi")).toDate() == day; });
}

void TkurturF::kapat()
{
    for (Table *t : {kurturuTable.get(), kurlarTable.get()})
        if (t->isActive()) {
            t->cancel();
            t->close();
        }
    hide();
}
