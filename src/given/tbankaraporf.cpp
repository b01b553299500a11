#include "given/tbankaraporf.h"

#include "data/data_context.h"
#include "data/engine_error.h"
#include "data/memory_dataset.h"
#include "data/display_format.h"
#include "given/bank_report_statements.h"
#include "reports/layout_common.h"
#include "reports/layouts_bank.h"
#include "reports/preview_window.h"
#include "reports/report.h"
#include "widgets/dataset_grid.h"
#include "widgets/dataset_grid_model.h"
#include "widgets/form_kit.h"
#include "widgets/key_filters.h"
#include "widgets/message_box.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QDateEdit *datePicker(QWidget *parent, const char *name, const QDate &date)
{
    auto *d = new QDateEdit(date, parent);
    d->setObjectName(QLatin1String(name));
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    return d;
}

DatasetGrid *readOnlyGrid(QWidget *parent, const char *name, Dataset *ds, const QVector<GridColumn> &columns)
{
    auto *g = new DatasetGrid(parent);
    g->setObjectName(QLatin1String(name));
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setDataset(ds, columns);
    return g;
}

// A total of the lower band: the sum read from the statement, right-aligned as amounts are.
GridColumn sum(const char *field)
{
    GridColumn c = gridColumn(field, "Toplam Tutarı", 130, FormKit::kListAmount);
    c.alignment = Qt::AlignRight | Qt::AlignVCenter;
    return c;
}

} // namespace

TbankaraporF::TbankaraporF(QWidget *parent)
    : QWidget(parent),
      ffQuery4(&DataContext::instance().ADOConnection1, QStringLiteral("ffQuery4"), this),
      ADOQuery1(&DataContext::instance().ADOConnection1, QStringLiteral("ADOQuery1"), this),
      ADOQuery2(&DataContext::instance().ADOConnection1, QStringLiteral("ADOQuery2"), this),
      bankQuery(&DataContext::instance().ADOConnection1, QStringLiteral("bankQuery"), this),
      firmabilgileri(&DataContext::instance().ADOConnection1, QStringLiteral("firmabilgileri"), QString(),
                     QStringLiteral("firmabilgileri"), this),
      m_printTitle(QStringList{QStringLiteral("baslik")}),
      m_printTotals(QStringList{QStringLiteral("ciro_firma"), QStringLiteral("para_birimi"), QStringLiteral("cektutari")})
{
    setObjectName(QStringLiteral("TbankaraporF"));
    setWindowTitle(QStringLiteral("Brenvo Çek Senet Takip Programı   - Bankalara Verilen Çekler"));
    setWindowFlag(Qt::Window);

    ffQuery4.addCalculatedField(QStringLiteral("TLkarsiligi"), FieldType::Double, [](const Record &r) {
        return QVariant(BankReport::tlValue(r.asString(QStringLiteral("para_birimi")), r.asFloat(QStringLiteral("cek_tutari")),
                                            r.asFloat(QStringLiteral("cek_doviz_kuru"))));
    });
    // Only cheques due within the two dates, both included, whatever the stored text holds beyond the day.
    ffQuery4.setFilter([this](const Record &r) {
        const QDate due = r.asDate(QStringLiteral("cek_tarihi"));
        return due.isValid() && due >= DateTimePicker1->date() && due <= DateTimePicker2->date();
    });
    ffQuery4.setFiltered(true);

    auto *root = new QVBoxLayout(this);

    // The top band: dates, bank, buttons and the title.
    auto *top = new QHBoxLayout;
    const QDate today = QDate::currentDate();
    DateTimePicker1 = datePicker(this, "DateTimePicker1", today);
    DateTimePicker2 = datePicker(this, "DateTimePicker2", today.addDays(365));
    auto *dates = new QGridLayout;
    dates->addWidget(FormKit::caption(QStringLiteral("Çek Baş.Tarihi"), this, true), 0, 0);
    dates->addWidget(DateTimePicker1, 0, 1);
    dates->addWidget(FormKit::caption(QStringLiteral("Çek Bit.Tarihi"), this, true), 1, 0);
    dates->addWidget(DateTimePicker2, 1, 1);
    top->addLayout(dates);
    top->addSpacing(16);

    auto *bank = new QVBoxLayout;
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setMinimumWidth(240);
    ComboBox1->addItem(BankReport::kAllBanks);
    ComboBox1->setEditText(BankReport::kAllBanks);
    auto *hint = new QLabel(QStringLiteral("Tek banka raporu için listeden seç."), this);
    hint->setObjectName(QStringLiteral("Label3"));
    bank->addWidget(ComboBox1);
    bank->addWidget(hint);
    top->addLayout(bank);
    top->addSpacing(16);

    yenileBut = FormKit::button(this, "yenileBut", QStringLiteral("YENİLE"));
    yenileBut->setToolTip(QStringLiteral("Ekrandaki raporları yenile..."));
    yazdirBut = FormKit::button(this, "yazdirBut", QStringLiteral("YAZDIR"));
    yazdirBut->setToolTip(QStringLiteral("Yazdır"));
    kapatBut = FormKit::button(this, "kapatBut", QStringLiteral("KAPAT"));
    kapatBut->setToolTip(QStringLiteral("Programı kapat..."));
    for (QPushButton *b : {yenileBut, yazdirBut, kapatBut}) {
        b->setMinimumHeight(34);
        b->setMinimumWidth(96);
        top->addWidget(b);
    }
    top->addStretch(1);
    root->addLayout(top);

    Label13 = FormKit::heading(this, "Label13", QStringLiteral("Bankalardaki  Çekler"), 4);
    Label13->setWordWrap(true);
    root->addWidget(Label13);

    const QString amount = FormKit::kListAmount;
    JvDBGrid3 = readOnlyGrid(this, "JvDBGrid3", &ffQuery4,
                             {gridColumn("cek_tarihi", "Çek Vadesi", 88, FormKit::kDate),
                              gridColumn("cek_tutari", "Çek Tutarı", 100, amount),
                              gridColumn("para_birimi", "Cinsi", 48),
                              gridColumn("ceki_duzenleyen", "Çeki Düzenleyen", 160),
                              gridColumn("cek_bankasi", "Çekin Bankası", 110),
                              gridColumn("cek_subesi", "Banka Şubesi", 100),
                              gridColumn("islem_tarihi", "Verildiği Tarihi", 108, FormKit::kDate),
                              gridColumn("ciro_firma", "Verildiği Banka", 150),
                              gridColumn("alindigi_firma", "Alındığı Firma", 150),
                              gridColumn("aciklama", "Açıklama", 120),
                              gridColumn("cek_doviz_kuru", "Çek Kuru", 80, FormKit::kListRate),
                              gridColumn("TLkarsiligi", "TL Karşılığı", 110, amount)});
    root->addWidget(JvDBGrid3, 3);

    // The lower band: totals per bank and currency, and per currency.
    auto *lower = new QHBoxLayout;
    auto *perBank = new QGroupBox(QStringLiteral("Bankalardaki Çeklerin Toplam Tutarları"), this);
    auto *perBankLayout = new QVBoxLayout(perBank);
    JvDBGrid1 = readOnlyGrid(perBank, "JvDBGrid1", &ADOQuery1,
                             {gridColumn("ciro_firma", "Verildiği Banka", 220), gridColumn("para_birimi", "Cinsi", 60),
                              sum("cektutari")});
    perBankLayout->addWidget(JvDBGrid1);
    auto *perCurrency = new QGroupBox(QStringLiteral("Para Birimi Toplamları"), this);
    auto *perCurrencyLayout = new QVBoxLayout(perCurrency);
    JvDBGrid2 = readOnlyGrid(perCurrency, "JvDBGrid2", &ADOQuery2,
                             {gridColumn("para_birimi", "Cinsi", 60), sum("cektutari")});
    perCurrencyLayout->addWidget(JvDBGrid2);
    lower->addWidget(perBank, 3);
    lower->addWidget(perCurrency, 2);
    lower->addStretch(1);
    root->addLayout(lower, 1);

    KeyFilters::installEnterMovesFocus(this);
    connect(yenileBut, &QPushButton::clicked, this, [this] { Yenile(); });
    connect(yazdirBut, &QPushButton::clicked, this, &TbankaraporF::yazdir);
    connect(kapatBut, &QPushButton::clicked, this, &QWidget::hide);
    // The report belongs to the company it was built for.
    connect(&DataContext::instance(), &DataContext::companyClosed, this, [this] {
        closeAll();
        hide();
    });
    connect(&DataContext::instance(), &DataContext::companyOpened, this, [this] {
        closeAll();
        hide();
    });
}

void TbankaraporF::closeAll()
{
    for (Query *q : {&ffQuery4, &ADOQuery1, &ADOQuery2, &bankQuery}) q->close();
    firmabilgileri.close();
}

bool TbankaraporF::Yenile()
{
    const QDate from = DateTimePicker1->date(), to = DateTimePicker2->date();
    // The text typed or chosen stays, whether or not the bank is still offered.
    const QString bank = ComboBox1->currentText();
    const BankReport::Statements s = BankReport::build(from, to, bank);
    try {
        bankQuery.reopen(s.banks);
        QStringList banks{BankReport::kAllBanks};
        for (int row = 0, n = bankQuery.recordCount(); row < n; ++row)
            banks << bankQuery.recordAt(row).asString(QStringLiteral("ciro_firma"));
        ComboBox1->blockSignals(true);
        ComboBox1->clear();
        ComboBox1->addItems(banks);
        ComboBox1->setEditText(bank);
        ComboBox1->blockSignals(false);

        ffQuery4.reopen(s.list);
        ADOQuery1.reopen(s.perBank);
        ADOQuery2.reopen(s.perCurrency);
    } catch (const EngineError &e) {
        MessageBox::error(e.message());
        return false;
    }
    Label13->setText(BankReport::title(from, to, bank));
    return true;
}

Report TbankaraporF::printout()
{
    if (!firmabilgileri.isActive()) firmabilgileri.open();
    // The per-bank totals go to the summary one line each, as their grid shows them.
    QVector<QVariantList> totals;
    if (ADOQuery1.isActive()) {
        for (int row = 0, n = ADOQuery1.recordCount(); row < n; ++row) {
            const Record r = ADOQuery1.recordAt(row);
            totals.append({r.asString(QStringLiteral("ciro_firma")), r.asString(QStringLiteral("para_birimi")),
                           formatFloat(kAmountFormat, r.asFloat(QStringLiteral("cektutari")))});
        }
    }
    m_printTotals.setRows(totals);
    m_printTitle.setRows({{Label13->text()}});

    Report report(bankaRaporuLayout());
    report.registerDataset(ffQuery4.objectName(), &ffQuery4);
    report.registerDataset(kCompanyDataset, &firmabilgileri);
    report.registerDataset(kBankTitleDataset, &m_printTitle);
    report.registerDataset(kBankTotalsDataset, &m_printTotals);
    return report;
}

void TbankaraporF::yazdir()
{
    if (!ffQuery4.isActive() && !Yenile()) return;
    try {
        const Report report = printout();
        ffQuery4.disableControls();
        ADOQuery1.disableControls();
        report.showPreview(this, TRaporOnizlemeF::kCaption);
        ffQuery4.enableControls();
        ADOQuery1.enableControls();
    } catch (const EngineError &e) {
        ffQuery4.enableControls();
        ADOQuery1.enableControls();
        MessageBox::error(e.message());
    }
    ffQuery4.first();
    ADOQuery1.first();
}
