// The due-date outlook: its figures on hand-made sums and on a small company whose
// totals are worked out here, its window from the main menu, a bar opening its
// cheques, the printout and the spreadsheet read back.
#include "app/uygulama.h"
#include "data/connection.h"
#include "data/data_context.h"
#include "data/spreadsheet_reader.h"
#include "data/spreadsheet_writer.h"
#include "mainmenu/tfrmmain.h"
#include "outlook/outlook_output.h"
#include "outlook/outlook_statements.h"
#include "outlook/customer_risk.h"
#include "outlook/slip_warnings.h"
#include "accounts/tcarif.h"
#include "received/entry_slip_calc.h"
#include "outlook/tvadegorunumuf.h"
#include "data/cheque_state.h"
#include "data/query.h"
#include "received/past_portfolio.h"
#include "received/tceklerf.h"
#include "reports/prepared_report.h"
#include "reports/report.h"
#include "widgets/message_box.h"
#include "support/test_home.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

using namespace Outlook;

namespace {

Connection &company() { return DataContext::instance().ADOConnection1; }
Connection &cash() { return DataContext::instance().kasaConnection; }

const QDate kToday(2024, 3, 10);

qint64 received(const QDate &due, double amount, const QString &currency, double rate, const QVariantMap &marks = {})
{
    QVariantMap row{{"cek_tarihi", due},       {"cek_tutari", amount},        {"para_birimi", currency},
                    {"cek_doviz_kuru", rate},  {"islem_tarihi", QDate(2024, 1, 2)}, {"alindigi_firma", "Müşteri"},
                    {"alindigi_firma_kodu", "M1"}, {"bordro_ind", 1}};
    for (auto it = marks.begin(); it != marks.end(); ++it) row.insert(it.key(), it.value());
    return TestHome::insertRow(company(), "cekgiris", row);
}

void own(const QDate &due, double amount, const QVariantMap &marks = {})
{
    QVariantMap row{{"cek_tarihi", due}, {"cek_tutari", amount}, {"para_birimi", "TL"}, {"cek_doviz_kuru", 1}};
    for (auto it = marks.begin(); it != marks.end(); ++it) row.insert(it.key(), it.value());
    TestHome::insertRow(company(), "cekkendi", row);
}

void cashRow(const QDate &day, double in, double out, const QString &currency)
{
    TestHome::insertRow(cash(), "nakit",
                        {{"islem_tarihi", day}, {"borc_tutar", in}, {"alacak_tutar", out}, {"doviz_cinsi", currency}});
}

// The company of the figures below. Held: 1000 overdue, 2000 in March, USD 100 at a
// bank in April, EURO 50 (no rate of its own: 35 on the cheque) and a bank-entry
// 150 in May; left out: a collected, a bounced, an endorsed overdue one and one due
// after May. Endorsed: 700 in April. Own: 800 overdue, 600 in March, 50 in May
// (an empty payment text is no payment); paid and taken back ones left out.
// Cash: TL 5000 - 1200 by today (999 after it left out), USD 10. Rates: USD 31, then 32.
void fixture()
{
    const QVariantMap bank{{"cek_ciro_id", 5}, {"cek_banka_tarihi", QDate(2024, 3, 1)}, {"cek_banka_id", 2}};
    received(QDate(2024, 3, 5), 1000, "TL", 1);
    received(QDate(2024, 3, 20), 2000, "TL", 1);
    received(QDate(2024, 4, 15), 100, "USD", 30, bank);
    received(QDate(2024, 3, 25), 500, "TL", 1, {{"cek_tahsilat_tarihi", QDate(2024, 3, 9)}});
    received(QDate(2024, 4, 2), 700, "TL", 1, {{"cek_ciro_id", 6}, {"cek_ciro_tarihi", QDate(2024, 3, 1)}});
    received(QDate(2024, 3, 1), 300, "TL", 1, {{"cek_ciro_id", 6}, {"cek_ciro_tarihi", QDate(2024, 2, 1)}});
    received(QDate(2024, 3, 15), 400, "TL", 1, {{"cek_karsiliklsiz_tarihi", QDate(2024, 3, 9)}});
    received(QDate(2024, 7, 1), 900, "TL", 1);
    received(QDate(2024, 5, 10), 50, "EURO", 35);
    received(QDate(2024, 5, 31), 150, "TL", 1, {{"cek_banka_tarihi", QDate(2024, 1, 2)}});
    own(QDate(2024, 3, 31), 600);
    own(QDate(2024, 4, 30), 250, {{"cek_tahsilat_tarihi", QDate(2024, 4, 30)}});
    own(QDate(2024, 2, 20), 800);
    own(QDate(2024, 4, 10), 100, {{"cek_iade_tarihi", QDate(2024, 3, 1)}});
    own(QDate(2024, 5, 1), 50, {{"cek_tahsilat_tarihi", QString("")}});
    cashRow(QDate(2024, 3, 1), 5000, 0, "TL");
    cashRow(QDate(2024, 3, 5), 0, 1200, "TL");
    cashRow(QDate(2024, 3, 11), 999, 0, "TL");
    cashRow(QDate(2024, 3, 2), 10, 0, "USD");
    TestHome::insertRow(company(), "kurlar", {{"kur_kodu", "USD"}, {"kur_tarihi", QDate(2024, 3, 1)}, {"md_alis", 31}});
    TestHome::insertRow(company(), "kurlar", {{"kur_kodu", "usd"}, {"kur_tarihi", QDate(2024, 3, 8)}, {"md_alis", 32}});
}

struct Row {
    double in, out, endorsed, balance;
};

QVector<Row> rows(const Result &r)
{
    QVector<Row> out;
    for (const Period &p : r.periods) out << Row{p.in, p.out, p.endorsed, p.balance};
    return out;
}

void compareRows(const Result &r, const QVector<Row> &expected)
{
    QCOMPARE(r.periods.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const Period &p = r.periods[i];
        const QString where = QStringLiteral("period %1 (%2)").arg(i).arg(p.label);
        QVERIFY2(qFuzzyCompare(1 + p.in, 1 + expected[i].in), qPrintable(where + " in " + QString::number(p.in)));
        QVERIFY2(qFuzzyCompare(1 + p.out, 1 + expected[i].out), qPrintable(where + " out " + QString::number(p.out)));
        QVERIFY2(qFuzzyCompare(1 + p.endorsed, 1 + expected[i].endorsed),
                 qPrintable(where + " endorsed " + QString::number(p.endorsed)));
        QVERIFY2(qFuzzyCompare(1 + p.balance, 1 + expected[i].balance),
                 qPrintable(where + " balance " + QString::number(p.balance)));
    }
}

DueSum sum(const QDate &due, double amount, const QString &currency = "TL", double storedTl = -1)
{
    return DueSum{due, currency, amount, storedTl < 0 ? amount : storedTl, 1};
}

} // namespace

class TestOutlook : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { MessageBox::setTestMode(true); }
    void weeksAndMonths();
    void companyFiguresWorkedByHand();
    void windowPrintoutExportAndBars();
    void portfolioOnAPastDate_data();
    void portfolioOnAPastDate();
    void pastPortfolioAgreesWithTheStateReading();
    void pastPortfolioInTheList();
    void customerRisk();
    void duplicateCheques();
    void dueDatesAtTheExitSlip_data();
    void dueDatesAtTheExitSlip();
    void entrySlipQuestionsFollowTheSettings();
    void cardShowsLimitsAndRisk();
    void screenshot();
};

// Weeks of seven days from today and months from today to the month's end, the
// overdue period first; the end days of each period belong to it.
void TestOutlook::weeksAndMonths()
{
    Inputs in;
    in.held = {sum(QDate(2024, 3, 9), 10), sum(kToday, 20), sum(QDate(2024, 3, 16), 30), sum(QDate(2024, 3, 17), 40),
               sum(QDate(2024, 3, 31), 50), sum(QDate(2024, 4, 1), 60), sum(QDate(2024, 4, 30), 70)};
    in.own = {sum(QDate(2024, 3, 23), 5), sum(QDate(2024, 3, 24), 6)};
    in.endorsed = {sum(QDate(2024, 3, 9), 1000), sum(QDate(2024, 3, 12), 7)};
    in.cash = {{"TL", 100}};
    Options o;
    o.today = kToday;
    o.step = Step::Week;
    o.periods = 2;
    Result r = compute(in, o);
    QCOMPARE(r.periods[1].from, kToday);
    QCOMPARE(r.periods[1].to, QDate(2024, 3, 16));
    QCOMPARE(r.periods[2].to, QDate(2024, 3, 23));
    // 100 + 10; +20+30 (and the endorsed 7 beside it); +40-5; what follows is out of range.
    compareRows(r, {{10, 0, 0, 110}, {50, 0, 7, 160}, {40, 5, 0, 195}});
    QCOMPARE(r.periods[0].label, QString("Vadesi Geçmiş"));

    o.step = Step::Month;
    o.periods = 2;
    r = compute(in, o);
    QCOMPARE(r.periods[1].to, QDate(2024, 3, 31));
    QCOMPARE(r.periods[2].from, QDate(2024, 4, 1));
    QCOMPARE(r.periods[2].to, QDate(2024, 4, 30));
    compareRows(r, {{10, 0, 0, 110}, {140, 11, 7, 239}, {130, 0, 0, 369}});
    QCOMPARE(r.periods[2].label, QString("Nisan 2024"));
}

void TestOutlook::companyFiguresWorkedByHand()
{
    TestHome home;
    home.openCompany("A1", 2024);
    fixture();
    const Inputs in = read(company(), &cash(), kToday);
    Options o;
    o.today = kToday;
    o.step = Step::Month;
    o.periods = 3;
    // In TL: cash 5000-1200 + USD 10 at 32 = 4120. Overdue +1000-800 = 4320; March
    // +2000-600 = 5720; April USD 100 at 32 = +3200, endorsed 700 = 8920; May EURO 50
    // at its cheque's 35 = 1750, +150, -50 = 10770.
    Result r = compute(in, o);
    QCOMPARE(r.cash, 4120.0);
    compareRows(r, {{1000, 800, 0, 4320}, {2000, 600, 0, 5720}, {3200, 0, 700, 8920}, {1900, 50, 0, 10770}});
    QCOMPARE(r.missingRates, QStringList{"EURO"});
    QCOMPARE(r.periods[1].inCount, 1);
    QCOMPARE(r.periods[3].inCount, 2);
    QCOMPARE(currencies(in), (QStringList{"TL", "EURO", "USD"}));

    // In dollars alone: 10 in cash, the bank's 100 in April.
    o.currency = "USD";
    r = compute(in, o);
    compareRows(r, {{0, 0, 0, 10}, {0, 0, 0, 10}, {100, 0, 0, 110}, {0, 0, 0, 110}});
    QVERIFY(r.missingRates.isEmpty());
}

void TestOutlook::windowPrintoutExportAndBars()
{
    TestHome home;
    Uygulama app;
    home.openCompany("A1", 2024);
    TestHome::addCompanyRecord();
    const QDate today = QDate::currentDate();
    received(today.addDays(-2), 100, "TL", 1);
    received(today.addDays(3), 250, "TL", 1);
    received(today.addDays(200), 999, "TL", 1);
    own(today.addDays(4), 40);
    QAction *item = app.frmMain()->menuItem(QStringLiteral("Vade Görünümü"));
    QVERIFY(item && item->isEnabled());
    item->trigger();
    TvadeGorunumuF *f = app.vadeGorunumuF();
    QVERIFY(f->isVisible());
    f->donemBox->setCurrentIndex(0);  // weeks
    f->sayiSpin->setValue(4);
    QCOMPARE(f->vadeTable->rowCount(), 5);
    QCOMPARE(f->vadeTable->item(0, 0)->text(), QString("Vadesi Geçmiş"));
    QCOMPARE(f->vadeTable->item(0, 1)->text(), QString("100,00"));
    QCOMPARE(f->vadeTable->item(1, 1)->text(), QString("250,00"));
    QCOMPARE(f->vadeTable->item(1, 2)->text(), QString("40,00"));
    QCOMPARE(f->vadeTable->item(4, 4)->text(), QString("310,00"));
    QCOMPARE(f->paraBox->itemText(0), QString("TL Karşılığı"));

    // The printout: the chart as a picture, the table's texts beside it.
    const PreparedReport pages = f->printout().prepare();
    QCOMPARE(pages.pageCount(), 1);
    const QStringList texts = pages.pageTexts(0);
    for (const QString &t : {"VADE GÖRÜNÜMÜ", "Öztürk Gıda Ltd. Şti.", "Vadesi Geçmiş", "250,00", "40,00", "310,00",
                             "Öngörülen Bakiye"})
        QVERIFY2(texts.contains(t), qPrintable(t));
    bool picture = false;
    for (const PageItem &i : pages.pages[0].items) picture = picture || (!i.picture.isNull() && i.picture.width() > 100);
    QVERIFY(picture);

    // The spreadsheet, read back.
    QString opened;
    SpreadsheetExport::setOpener([&opened](const QString &path) {
        opened = path;
        return true;
    });
    f->excelBut->click();
    SpreadsheetExport::setOpener({});
    QVERIFY(!opened.isEmpty());
    const SheetData sheet = readSpreadsheet(opened);
    QCOMPARE(sheet.value(4, 1).toString(), QString("Dönem"));
    QCOMPARE(sheet.value(5, 1).toString(), QString("Vadesi Geçmiş"));
    QCOMPARE(sheet.value(5, 2).toDouble(), 100.0);
    QCOMPARE(sheet.value(6, 2).toDouble(), 250.0);
    QCOMPARE(sheet.value(6, 3).toDouble(), 40.0);
    QCOMPARE(sheet.value(9, 5).toDouble(), 310.0);

    // A bar of the first week opens the received list on that week's held cheques.
    f->openPeriod(0, 1);
    TceklerF *list = app.ceklerF();
    QVERIFY(list->isVisible());
    QCOMPARE(list->listQuery.recordCount(), 1);
    QCOMPARE(list->listQuery.recordAt(0).asFloat("cek_tutari"), 250.0);
    f->openPeriod(0, 0);
    QCOMPARE(list->listQuery.recordCount(), 1);
    QCOMPARE(list->listQuery.recordAt(0).asFloat("cek_tutari"), 100.0);
    list->hide();
    f->hide();
}

// A cheque received on 1 March, with one later mark: held on the days before the
// mark and not from its day on; a bank keeps it held; received later is not yet held.
void TestOutlook::portfolioOnAPastDate_data()
{
    QTest::addColumn<QVariantMap>("marks");
    QTest::addColumn<QDate>("day");
    QTest::addColumn<bool>("held");
    const QDate mark(2024, 3, 10);
    QTest::newRow("before receipt") << QVariantMap{} << QDate(2024, 2, 29) << false;
    QTest::newRow("on the day received") << QVariantMap{} << QDate(2024, 3, 1) << true;
    for (const char *field : {"cek_tahsilat_tarihi", "cek_iade_tarihi", "cek_karsiliklsiz_tarihi"}) {
        QTest::addRow("%s: day before", field) << QVariantMap{{field, mark}} << mark.addDays(-1) << true;
        QTest::addRow("%s: its day", field) << QVariantMap{{field, mark}} << mark << false;
        QTest::addRow("%s: empty text is no mark", field) << QVariantMap{{field, QString("")}} << mark << true;
    }
    const QVariantMap endorsed{{"cek_ciro_id", 7}, {"cek_ciro_tarihi", mark}};
    QTest::newRow("endorsed: day before") << endorsed << mark.addDays(-1) << true;
    QTest::newRow("endorsed: its day") << endorsed << mark << false;
    QTest::newRow("endorsed: no exit date") << QVariantMap{{"cek_ciro_id", 7}} << mark.addDays(-5) << false;
    QVariantMap bank = endorsed;
    bank.insert("cek_banka_tarihi", mark);
    QTest::newRow("at a bank") << bank << mark.addDays(5) << true;
    QVariantMap bankCollected = bank;
    bankCollected.insert("cek_tahsilat_tarihi", QDate(2024, 3, 20));
    QTest::newRow("at a bank, collected later") << bankCollected << QDate(2024, 3, 19) << true;
    QTest::newRow("at a bank, collected") << bankCollected << QDate(2024, 3, 20) << false;
}

void TestOutlook::portfolioOnAPastDate()
{
    QFETCH(QVariantMap, marks);
    QFETCH(QDate, day);
    QFETCH(bool, held);
    TestHome home;
    home.openCompany("A1", 2024);
    marks.insert("islem_tarihi", QDate(2024, 3, 1));
    received(QDate(2024, 6, 1), 100, "TL", 1, marks);
    Query q(&company());
    q.reopen(QStringList{"SELECT * FROM cekgiris"} + ChequeList::portfolioOnDateLines(day));
    QCOMPARE(q.recordCount(), held ? 1 : 0);
}

// On a day after every mark, the past portfolio is what the state reading holds.
void TestOutlook::pastPortfolioAgreesWithTheStateReading()
{
    TestHome home;
    home.openCompany("A1", 2024);
    const QStringList fields{"cek_ciro_id", "cek_banka_tarihi", "cek_tahsilat_tarihi", "cek_iade_tarihi",
                             "cek_karsiliklsiz_tarihi"};
    for (int bits = 0; bits < 32; ++bits) {
        QVariantMap marks;
        for (int i = 0; i < fields.size(); ++i) {
            if (!(bits & (1 << i))) continue;
            marks.insert(fields[i], i == 0 ? QVariant(9) : QVariant(QDate(2024, 3, 5)));
            if (i == 0) marks.insert("cek_ciro_tarihi", QDate(2024, 3, 4));
        }
        marks.insert("aciklama", QString::number(bits));
        received(QDate(2024, 6, 1), 1, "TL", 1, marks);
    }
    Query all(&company());
    all.reopen({"SELECT * FROM cekgiris"});
    QSet<QString> expected;
    for (int row = 0; row < all.recordCount(); ++row) {
        const Record r = all.recordAt(row);
        const auto state = ChequeState::receivedState([&r](const char *f) {
            const QVariant v = r.asString(QLatin1String(f));
            return r.asString(QLatin1String(f)).isEmpty() ? QVariant() : v;
        });
        if (ChequeState::isHeld(state)) expected << r.asString("aciklama");
    }
    Query past(&company());
    past.reopen(QStringList{"SELECT * FROM cekgiris"} + ChequeList::portfolioOnDateLines(QDate(2024, 12, 31)));
    QSet<QString> got;
    for (int row = 0; row < past.recordCount(); ++row) got << past.recordAt(row).asString("aciklama");
    QCOMPARE(got, expected);
    QCOMPARE(got.size(), 3);  // portfolio, bank entry, at a bank
}

// The received lists on a past day: its cheques and their total; the state choice
// is back when the box is cleared.
void TestOutlook::pastPortfolioInTheList()
{
    TestHome home;
    Uygulama app;
    home.openCompany("A1", 2024);
    received(QDate(2024, 6, 1), 100, "TL", 1, {{"islem_tarihi", QDate(2024, 3, 1)}});
    received(QDate(2024, 6, 2), 200, "TL", 1,
             {{"islem_tarihi", QDate(2024, 3, 1)}, {"cek_tahsilat_tarihi", QDate(2024, 3, 15)}});
    received(QDate(2024, 6, 3), 400, "TL", 1,
             {{"islem_tarihi", QDate(2024, 3, 1)}, {"cek_ciro_id", 3}, {"cek_ciro_tarihi", QDate(2024, 3, 20)}});
    received(QDate(2024, 6, 4), 800, "TL", 1, {{"islem_tarihi", QDate(2024, 3, 25)}});
    TceklerF *f = app.ceklerF();
    f->gecmisCheck->setChecked(true);
    f->gecmisDate->setDate(QDate(2024, 3, 10));
    f->CekleriHazirla();
    QCOMPARE(f->listQuery.recordCount(), 3);
    QCOMPARE(f->toplamEdit->text(), QString("700,00"));
    f->gecmisDate->setDate(QDate(2024, 3, 18));
    f->CekleriHazirla();
    QCOMPARE(f->listQuery.recordCount(), 2);
    QCOMPARE(f->toplamEdit->text(), QString("500,00"));
    f->gecmisCheck->setChecked(false);
    f->CekleriHazirla();  // the portfolio as it is now
    QCOMPARE(f->listQuery.recordCount(), 2);
    QCOMPARE(f->toplamEdit->text(), QString("900,00"));
}

namespace {
// Account M1 with a first limit of 1000: held 300 and endorsed 200 not yet due,
// a collected 500, a held 50 already due and another account's 999 left out;
// movements 400 debit and 100 credit. Risk: 300 + 200 + 300 = 800.
void riskFixture(const QDate &today)
{
    TestHome::addAccountCard("M1", "Müşteri Bir");
    company().exec("UPDATE firma SET riski=1000, riski2=2000, riski3=3000 WHERE firma_kodu='M1'");
    received(today.addDays(10), 300, "TL", 1);
    received(today.addDays(20), 200, "TL", 1, {{"cek_ciro_id", 4}, {"cek_ciro_tarihi", today}});
    received(today.addDays(5), 500, "TL", 1, {{"cek_tahsilat_tarihi", today}});
    received(today.addDays(-1), 50, "TL", 1);
    received(today.addDays(9), 999, "TL", 1, {{"alindigi_firma_kodu", "M2"}});
    TestHome::insertRow(cash(), "carihareket", {{"cari_kodu", "M1"}, {"borc_tutari", 400}, {"islem_tarihi", today}});
    TestHome::insertRow(cash(), "carihareket", {{"cari_kodu", "m1"}, {"alacak_tutari", 100}, {"islem_tarihi", today}});
}
} // namespace

void TestOutlook::customerRisk()
{
    TestHome home;
    home.openCompany("A1", 2024);
    riskFixture(kToday);
    const CustomerRisk::Figures f = CustomerRisk::read(company(), &cash(), "M1", kToday);
    QCOMPARE(f.cheques, 500.0);
    QCOMPARE(f.balance, 300.0);
    QCOMPARE(f.total(), 800.0);
    QVERIFY(SlipWarnings::riskQuestion(company(), &cash(), "M1", "Müşteri Bir", 200, kToday).isEmpty());
    const QString q = SlipWarnings::riskQuestion(company(), &cash(), "M1", "Müşteri Bir", 250, kToday);
    for (const QString &t : {"Müşteri Bir", "1.000,00", "800,00", "1.050,00"}) QVERIFY2(q.contains(t), qPrintable(q));
    QVERIFY(SlipWarnings::riskQuestion(company(), &cash(), "M2", "", 1e9, kToday).isEmpty());  // no card, no limit
    QVERIFY(!CustomerRisk::overLimit(5, 0));
}

void TestOutlook::duplicateCheques()
{
    TestHome home;
    home.openCompany("A1", 2024);
    const qint64 stored = received(kToday, 10, "TL", 1,
                                   {{"cek_bankasi", "Akbank"}, {"cek_hesap_no", "123"}, {"cek_no", "A-1"}, {"bordro_ind", 4}});
    using SlipWarnings::ChequeKey;
    // The stored cheque itself (its own row being saved again) is no repeat.
    QVERIFY(SlipWarnings::duplicateQuestion(company(), {ChequeKey{"Akbank", "123", "A-1", stored}}).isEmpty());
    QVERIFY(SlipWarnings::duplicateQuestion(company(), {ChequeKey{"Akbank", "123", "A-2", 0}}).isEmpty());
    QVERIFY(SlipWarnings::duplicateQuestion(company(), {ChequeKey{"Garanti", "123", "A-1", 0}}).isEmpty());
    QString q = SlipWarnings::duplicateQuestion(company(), {ChequeKey{"AKBANK ", "123", "a-1", 0}});
    QVERIFY2(q.contains("Bu çek daha önce 4 numaralı bordroda"), qPrintable(q));
    q = SlipWarnings::duplicateQuestion(company(), {ChequeKey{"Yapı Kredi", "9", "7", 0}, ChequeKey{"Yapı Kredi", "9", "7", 0}});
    QVERIFY2(q.contains("2 satırdaki") && q.contains("1. satırında"), qPrintable(q));
    QVERIFY(SlipWarnings::duplicateQuestion(company(), {ChequeKey{"", "", "A-1", 0}}).isEmpty());  // a note
    // A quote in a typed number is only a character.
    QVERIFY(SlipWarnings::duplicateQuestion(company(), {ChequeKey{"x'", "'", "1' OR '1'='1", 0}}).isEmpty());
}

void TestOutlook::dueDatesAtTheExitSlip_data()
{
    QTest::addColumn<QDate>("due");
    QTest::addColumn<int>("days");
    QTest::addColumn<QString>("expected");
    QTest::newRow("past") << kToday.addDays(-1) << 7 << "Vadesi geçmiş çekler: 5 (vade 09.03.2024)";
    QTest::newRow("on the slip day") << kToday << 7 << "7 gün içinde vadesi gelen çekler: 5";
    QTest::newRow("last day of the window") << kToday.addDays(7) << 7 << "7 gün içinde";
    QTest::newRow("after the window") << kToday.addDays(8) << 7 << "";
    QTest::newRow("no window") << kToday << 0 << "0 gün içinde";
}

void TestOutlook::dueDatesAtTheExitSlip()
{
    QFETCH(QDate, due);
    QFETCH(int, days);
    QFETCH(QString, expected);
    const QString q = SlipWarnings::dueQuestion({due}, {"5"}, kToday, days);
    if (expected.isEmpty()) QVERIFY2(q.isEmpty(), qPrintable(q));
    else QVERIFY2(q.contains(expected), qPrintable(q));
}

// "Hayır" keeps the slip unsaved; a warning switched off asks nothing.
void TestOutlook::entrySlipQuestionsFollowTheSettings()
{
    TestHome home;
    home.openCompany("A1", 2024);
    const QDate today = QDate::currentDate();
    riskFixture(today);
    QStringList row(EntrySlip::ColumnCount);
    row[EntrySlip::ColVade] = today.addDays(30).toString("dd.MM.yyyy");
    row[EntrySlip::ColTutar] = "250,00";
    row[EntrySlip::ColCekNo] = "77";
    row[EntrySlip::ColBanka] = "Ziraat";
    MessageBox::clearShown();
    MessageBox::queueAnswer(MessageBox::No);
    QVERIFY(!SlipWarnings::confirmEntrySlip("M1", "Müşteri Bir", "TL", 0, {row}, today));
    QCOMPARE(MessageBox::shown().size(), 1);
    QVERIFY(MessageBox::shown()[0].text.contains("1.050,00"));
    MessageBox::queueAnswer(MessageBox::Yes);
    QVERIFY(SlipWarnings::confirmEntrySlip("M1", "Müşteri Bir", "TL", 0, {row}, today));
    // In dollars at 2: 500 more.
    MessageBox::queueAnswer(MessageBox::No);
    row[EntrySlip::ColTutar] = "100";
    QVERIFY(!SlipWarnings::confirmEntrySlip("M1", "Müşteri Bir", "USD", 2.5, {row}, today));
    // Duplicate rows, then both warnings off.
    row[EntrySlip::ColTutar] = "1";
    MessageBox::clearShown();
    MessageBox::queueAnswer(MessageBox::No);
    QVERIFY(!SlipWarnings::confirmEntrySlip("M1", "Müşteri Bir", "TL", 0, {row, row}, today));
    QVERIFY(MessageBox::shown()[0].text.contains("satırında da yazılmış"));
    SlipWarnings::Settings off;
    off.duplicate = off.risk = false;
    QVERIFY(SlipWarnings::write(off));
    QCOMPARE(SlipWarnings::read().duplicate, false);
    MessageBox::clearShown();
    row[EntrySlip::ColTutar] = "5000";
    QVERIFY(SlipWarnings::confirmEntrySlip("M1", "Müşteri Bir", "TL", 0, {row, row}, today));
    QVERIFY(MessageBox::shown().isEmpty());
}

void TestOutlook::cardShowsLimitsAndRisk()
{
    TestHome home;
    Uygulama app;
    home.openCompany("A1", 2024);
    riskFixture(QDate::currentDate());
    TcariF *f = app.cariF();
    f->ac(QStringLiteral("anamenu"), "M1");
    QCOMPARE(f->findChild<QLineEdit *>("riskiEdit")->text(), QString("1.000,00"));
    QCOMPARE(f->findChild<QLineEdit *>("riski3Edit")->text(), QString("3.000,00"));
    QVERIFY2(f->riskLabel->text().contains("Güncel Risk: 800,00 TL"), qPrintable(f->riskLabel->text()));
    QVERIFY(!f->riskLabel->text().contains("aşıldı"));
    f->hide();
}

// The window and its printout on a spread of cheques, for a look.
void TestOutlook::screenshot()
{
    const QString dir = qEnvironmentVariable("CEKSENET_SHOTS");
    if (dir.isEmpty()) QSKIP("CEKSENET_SHOTS names no folder");
    TestHome home;
    home.openCompany("A1", 2024);
    TestHome::addCompanyRecord();
    const QDate today = QDate::currentDate();
    for (int i = -20; i < 180; i += 7) {
        received(today.addDays(i), 5000 + 137 * ((i + 40) % 11), "TL", 1);
        if (i % 3 == 0) received(today.addDays(i + 2), 300, "USD", 30);
        if (i > 0 && i % 2 == 0) own(today.addDays(i + 1), 7000 + 50 * (i % 5));
        if (i > 0 && i % 4 == 1) received(today.addDays(i), 2500, "TL", 1, {{"cek_ciro_id", 3}, {"cek_ciro_tarihi", today}});
    }
    own(today.addDays(-3), 4000);
    cashRow(today.addDays(-10), 20000, 0, "TL");
    TestHome::insertRow(company(), "kurlar", {{"kur_kodu", "USD"}, {"kur_tarihi", today}, {"md_alis", 32.5}});
    TvadeGorunumuF f;
    QVERIFY(f.Yenile());
    f.resize(1366, 740);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.grab().save(dir + "/outlook.png");
    const PreparedReport pages = f.printout().prepare();
    QVERIFY(pages.pageCount() == 1);
}

QTEST_MAIN(TestOutlook)
#include "test_outlook.moc"
