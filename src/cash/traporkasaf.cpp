#include "cash/traporkasaf.h"

#include "cash/cash_detail_window.h"
#include "cash/type_report_statements.h"
#include "data/data_context.h"
#include "data/display_format.h"
#include "data/engine_error.h"
#include "data/query.h"
#include "data/sql_literals.h"
#include "data/table.h"
#include "reports/layout_common.h"
#include "reports/layouts_cash_reports.h"
#include "reports/report.h"
#include "widgets/currency_box.h"
#include "widgets/dataset_grid.h"
#include "widgets/dataset_grid_model.h"
#include "widgets/form_kit.h"
#include "widgets/key_filters.h"
#include "widgets/message_box.h"

#include <algorithm>
#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using TypeReportStatements::Side;

namespace {

QString money(double value) { return formatFloat(FormKit::kListAmount, value); }

QLineEdit *amountEdit(QWidget *parent, const char *name)
{
    QLineEdit *e = FormKit::resultEdit(parent, name, 130);
    e->setReadOnly(true);
    e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return e;
}

} // namespace

TraporKasaF::TraporKasaF(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TraporKasaF"));
    setWindowTitle(QStringLiteral("Brenvo Çek Senet Takip Takip Programı - Günlük Kasa İşlem Türü Raporlama"));
    Connection &cash = DataContext::instance().kasaConnection;
    ffQuery1 = new Query(&cash, QStringLiteral("ffQuery1"), this);
    ffQuery2 = new Query(&cash, QStringLiteral("ffQuery2"), this);
    m_company = new Table(&DataContext::instance().ADOConnection1, QStringLiteral("firmabilgileri"), QString(),
                          kCompanyDataset, this);

    auto *root = new QVBoxLayout(this);
    // Top: the period, the currency, the computation and the printouts.
    auto *top = new QHBoxLayout;
    const QDate today = QDate::currentDate();
    top->addWidget(FormKit::caption(QStringLiteral("İlk Tarih"), this, true));
    DateTimePicker2 = new QDateEdit(QDate(today.year(), 1, 1), this);
    DateTimePicker2->setObjectName(QStringLiteral("DateTimePicker2"));
    KeyFilters::setupDateEdit(DateTimePicker2);
    top->addWidget(DateTimePicker2);
    top->addWidget(FormKit::caption(QStringLiteral("Son Tarih"), this, true));
    DateTimePicker1 = new QDateEdit(QDate(today.year(), today.month(), today.daysInMonth()), this);
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    KeyFilters::setupDateEdit(DateTimePicker1);
    top->addWidget(DateTimePicker1);
    top->addWidget(FormKit::caption(QStringLiteral("Para Birimi"), this, true));
    dovizBox = new QComboBox(this);
    dovizBox->setObjectName(QStringLiteral("dovizBox"));
    CurrencyBox::fill(dovizBox, CurrencyBox::Order::HepsiFirst);
    connect(dovizBox, &QComboBox::currentIndexChanged, this, [this] {
        if (isVisible() || ffQuery1->isActive()) raporuHazirla();
    });
    top->addWidget(dovizBox);
    QPushButton *hazirla = FormKit::button(this, "JvXPButton2", QStringLiteral("Raporu Hazırla"));
    connect(hazirla, &QPushButton::clicked, this, &TraporKasaF::raporuHazirla);
    hazirla->setMinimumWidth(hazirla->sizeHint().width() + 20);  // room around the caption
    top->addWidget(hazirla);
    auto *group = new QGroupBox(QStringLiteral("Yazdırma Seçenekleri"), this);
    group->setObjectName(QStringLiteral("yazayar"));
    auto *choices = new QGridLayout(group);
    choices->setContentsMargins(6, 2, 6, 2);
    choices->setVerticalSpacing(0);
    yazayar = new QButtonGroup(group);
    const char *const texts[] = {"Tahsilatlar Özet Tablosu", "Ödemeler Özet Tablosu", "Tahsilat/Ödeme Özeti",
                                 "Tahsilat Detay Raporu", "Ödeme Detay Raporu"};
    for (int i = 0; i < 5; ++i) {
        auto *radio = new QRadioButton(QString::fromUtf8(texts[i]), group);
        radio->setObjectName(QStringLiteral("yazayar%1").arg(i));
        yazayar->addButton(radio, i);
        choices->addWidget(radio, i % 3, i / 3);
    }
    yazayar->button(0)->setChecked(true);
    top->addWidget(group);
    QPushButton *yaz = FormKit::button(this, "JvXPButton3", QStringLiteral("Yazdır"));
    connect(yaz, &QPushButton::clicked, this, &TraporKasaF::yazdir);
    top->addWidget(yaz);
    QPushButton *kapatBut = FormKit::button(this, "JvXPButton5", QStringLiteral("Kapat"));
    connect(kapatBut, &QPushButton::clicked, this, &TraporKasaF::kapat);
    top->addWidget(kapatBut);
    top->addStretch(1);
    root->addLayout(top);

    // The two lists side by side, each with its detail button under it. The buttons'
    // captions name the other list than the one they open.
    auto *lists = new QHBoxLayout;
    root->addLayout(lists, 1);
    giderGrid = new DatasetGrid(this);
    giderGrid->setObjectName(QStringLiteral("giderGrid"));
    giderGrid->setDataset(ffQuery1, {gridColumn("neden", "Tahsilat Türü", 240),
                                     gridColumn("borctutartop", "Tahsilat Tutarı", 100, FormKit::kMoney),
                                     gridColumn("doviz_cinsi", "PB", 50)});
    hizligir = new DatasetGrid(this);
    hizligir->setObjectName(QStringLiteral("hizligir"));
    hizligir->setDataset(ffQuery2, {gridColumn("neden", "Ödeme Türü", 250),
                                    gridColumn("alacaktutartop", "Ödeme Tutarı", 100, FormKit::kMoney),
                                    gridColumn("doviz_cinsi", "PB", 50)});
    const struct {
        DatasetGrid *grid;
        const char *button, *caption;
        bool collections;  // the list the button opens
    } sides[] = {{giderGrid, "JvXPButton1", "Tahsilat Detay", false}, {hizligir, "JvXPButton4", "Ödeme Detay", true}};
    for (const auto &s : sides) {
        auto *column = new QVBoxLayout;
        s.grid->horizontalHeader()->setStretchLastSection(true);
        column->addWidget(s.grid, 1);
        QPushButton *b = FormKit::button(this, s.button, QString::fromUtf8(s.caption));
        b->setMinimumWidth(std::max(120, b->sizeHint().width() + 20));
        const bool collections = s.collections;
        connect(b, &QPushButton::clicked, this, [this, collections] {
            if (collections) gelirDetay(true);
            else giderDetay(true);
        });
        column->addWidget(b, 0, Qt::AlignLeft);
        lists->addLayout(column, 1);
    }
    // Each grid's double click and "Detay Göster" open its own list's detail; its
    // "Detay Yazdır" prints the other list's.
    for (DatasetGrid *grid : {giderGrid, hizligir}) {
        const bool collections = grid == giderGrid;
        const auto show = [this, collections] {
            if (collections) gelirDetay(true);
            else giderDetay(true);
        };
        connect(grid, &QAbstractItemView::doubleClicked, this, show);
        auto *goster = new QAction(QStringLiteral("Detay Göster"), grid);
        goster->setObjectName(QStringLiteral("detayGosterItem"));
        connect(goster, &QAction::triggered, this, show);
        auto *yazdirItem = new QAction(QStringLiteral("Detay Yazdır"), grid);
        yazdirItem->setObjectName(QStringLiteral("detayYazdirItem"));
        connect(yazdirItem, &QAction::triggered, this, [this, collections] {
            CashDetailWindow *window = collections ? m_gider : m_gelir;
            if (!window) return;
            try {
                Report report = rapor(collections ? 4 : 3);
                if (window->query->isActive()) report.showPreview(this, QStringLiteral("Brenvo Rapor Önizleme"));
            } catch (const EngineError &e) {
                MessageBox::error(e.message());
            }
        });
        grid->addAction(goster);
        grid->addAction(yazdirItem);
        grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    }

    // Bottom: the period totals.
    auto *totals = new QHBoxLayout;
    const struct {
        const char *caption, *name;
        QLineEdit **edit;
    } edits[] = {{"Dönem Tahsilat Tutarı", "donemgelirEdit", &donemgelirEdit},
                 {"Dönem Ödeme Tutarı", "donemgiderEdit", &donemgiderEdit},
                 {"Dönem Kasa Bakiye", "donemkarzararEdit", &donemkarzararEdit}};
    for (const auto &e : edits) {
        totals->addWidget(FormKit::caption(QString::fromUtf8(e.caption), this, true));
        *e.edit = amountEdit(this, e.name);
        totals->addWidget(*e.edit);
        totals->addSpacing(16);
    }
    totals->addStretch(1);
    root->addLayout(totals);
    resize(1000, 600);
}

TraporKasaF::~TraporKasaF() = default;

void TraporKasaF::setDetailWindows(CashDetailWindow *gelir, CashDetailWindow *gider)
{
    m_gelir = gelir;
    m_gider = gider;
    if (m_gelir) m_gelir->setRecompute([this] { gelirDetay(false); });
    if (m_gider) m_gider->setRecompute([this] { giderDetay(false); });
}

QString TraporKasaF::currency() const { return CurrencyBox::chosen(dovizBox, CurrencyBox::Order::HepsiFirst); }

void TraporKasaF::filter(Query *q)
{
    const QString c = currency();
    if (c != kHepsi) {
        q->setFilter([c](const Record &r) { return r.asString(QStringLiteral("doviz_cinsi")) == c; });
        q->setFiltered(true);
    } else {
        q->setFiltered(false);
    }
}

double TraporKasaF::sumOf(Query *q, const QString &field) const
{
    double total = 0;
    for (int row = 0; row < q->recordCount(); ++row) total += q->recordAt(row).asFloat(field);
    return roundKurus(total);
}

void TraporKasaF::acYil(int year)
{
    DateTimePicker2->setDate(QDate(year, 1, 1));
    DateTimePicker1->setDate(QDate(year, 12, 31));
    show();
    raise();
    activateWindow();
    raporuHazirla();
}

void TraporKasaF::tahsilatlar()
{
    const QDate first = DateTimePicker2->date(), last = DateTimePicker1->date();
    filter(ffQuery1);
    ffQuery1->reopen(TypeReportStatements::byType(Side::Collections, first, last));
    tahsilatToplami = sumOf(ffQuery1, QStringLiteral("borctutartop"));
    donemgelirEdit->setText(money(tahsilatToplami));
    m_tahsilatBaslik = QStringLiteral("DÖNEM TAHSİLATLARI ") + TypeReportStatements::range(first, last);
    m_aralik = TypeReportStatements::range(first, last);
}

void TraporKasaF::odemeler()
{
    const QDate first = DateTimePicker2->date(), last = DateTimePicker1->date();
    filter(ffQuery2);
    ffQuery2->reopen(TypeReportStatements::byType(Side::Payments, first, last));
    odemeToplami = sumOf(ffQuery2, QStringLiteral("alacaktutartop"));
    donemgiderEdit->setText(money(odemeToplami));
    m_odemeBaslik = QStringLiteral("DÖNEM ÖDEMELERİ ") + TypeReportStatements::range(first, last);
}

void TraporKasaF::raporuHazirla()
{
    try {
        tahsilatlar();
        odemeler();
        donemkarzararEdit->setText(money(roundKurus(tahsilatToplami - odemeToplami)));
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}

void TraporKasaF::detay(CashDetailWindow *window, Query *list, bool show)
{
    if (!window || !list->isActive()) return;
    const QString type = list->isEmpty() || list->currentRow() < 0 ? QString() : list->value(QStringLiteral("neden")).toString();
    try {
        const double total = window->yukle(type, DateTimePicker2->date(), DateTimePicker1->date(), currency());
        if (window->side() == Side::Collections) tahsilatToplami = total;
        else odemeToplami = total;
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return;
    }
    if (show) {
        window->show();
        window->raise();
        window->activateWindow();
    }
}

void TraporKasaF::gelirDetay(bool show) { detay(m_gelir, ffQuery1, show); }

void TraporKasaF::giderDetay(bool show) { detay(m_gider, ffQuery2, show); }

Report TraporKasaF::rapor(int choice)
{
    Report report;
    switch (choice) {
    case 0:
        tahsilatlar();
        report = Report(tahsilatOzetLayout());
        report.setMemoText(QStringLiteral("Memo1"), m_tahsilatBaslik);
        report.setMemoText(QStringLiteral("Memo13"), donemgelirEdit->text());
        break;
    case 1:
        odemeler();
        report = Report(odemeOzetLayout());
        report.setMemoText(QStringLiteral("Memo1"), m_odemeBaslik);
        report.setMemoText(QStringLiteral("Memo13"), donemgiderEdit->text());
        break;
    case 2:
        tahsilatlar();
        odemeler();
        donemkarzararEdit->setText(money(roundKurus(tahsilatToplami - odemeToplami)));
        report = Report(tahsilatOdemeOzetLayout());
        report.setMemoText(QStringLiteral("Memo19"), m_aralik);
        report.setMemoText(QStringLiteral("Memo16"), donemgelirEdit->text());
        report.setMemoText(QStringLiteral("Memo27"), donemgiderEdit->text());
        report.setMemoText(QStringLiteral("Memo13"), donemkarzararEdit->text());
        break;
    case 3:
    case 4: {
        CashDetailWindow *window = choice == 3 ? m_gelir : m_gider;
        if (!window) return report;
        if (choice == 3) gelirDetay(false);
        else giderDetay(false);
        return window->rapor();
    }
    default: return report;
    }
    report.registerDataset(QStringLiteral("ffQuery1"), ffQuery1);
    report.registerDataset(QStringLiteral("ffQuery2"), ffQuery2);
    if (!m_company->isActive()) m_company->open();
    else m_company->refresh();
    report.registerDataset(kCompanyDataset, m_company);
    return report;
}

void TraporKasaF::preview(Report report, DatasetGrid *frozen)
{
    Dataset *ds = frozen ? frozen->dataset() : nullptr;
    if (ds) ds->disableControls();
    report.showPreview(this, QStringLiteral("Brenvo Rapor Önizleme"));
    if (ds) ds->enableControls();
}

void TraporKasaF::yazdir()
{
    const int choice = yazayar->checkedId();
    try {
        Report report = rapor(choice);
        if (choice >= 3) {
            CashDetailWindow *window = choice == 3 ? m_gelir : m_gider;
            if (window && window->query->isActive()) report.showPreview(this, QStringLiteral("Brenvo Rapor Önizleme"));
            return;
        }
        preview(report, choice == 1 ? hizligir : giderGrid);
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
    }
}

void TraporKasaF::kapat()
{
    hide();
    ffQuery1->close();
    ffQuery2->close();
}
