// The entry slip's calculations on cell texts.
#include "data/display_format.h"
#include "data/engine_error.h"
#include "received/entry_slip_calc.h"

#include <QtTest>

using namespace EntrySlip;

namespace {

QStringList row(int number, const QString &due, const QString &amount, const QString &expense = QString())
{
    QStringList r(ColumnCount);
    r[ColNo] = QString::number(number);
    r[ColVade] = due;
    r[ColTutar] = amount;
    r[ColMasraf] = expense;
    return r;
}

Params workedExample()
{
    Params p;
    p.slipDate = QDate(2021, 3, 1);
    p.yillikFaiz = "36";
    p.yildakiGun = "365";
    return p;
}

} // namespace

class TestReceived : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void workedExample_rowAndAverage();
    void dueDateCompletion_data();
    void dueDateCompletion();
    void weekendAndAddedDays();
    void negativeDaysAndRounding();
    void bsmvAndCredit();
    void badHeaderNumbersStop();
};

void TestReceived::workedExample_rowAndAverage()
{
    Params p = workedExample();
    QStringList first = row(1, "31.03.2021", "10000");
    QCOMPARE(calculateRow(first, p).outcome, DueDate::Valid);
    QCOMPARE(first[ColGun], QString("30"));
    QCOMPARE(first[ColAdat], QString("300.000,00"));
    QCOMPARE(first[ColVadeFarki], QString("295,89"));
    QCOMPARE(first[ColNet], QString("9.704,11"));
    QCOMPARE(first[ColTutar], QString("10.000,00"));
    QCOMPARE(first[ColMasraf], QString("0,00"));
    QStringList second = row(2, "15.04.2021", "5.000");
    calculateRow(second, p);
    QCOMPARE(second[ColGun], QString("45"));
    const Totals t = calculateTotals({first, second, row(0, "", "")}, p);
    QCOMPARE(t.amount, 15000.0);
    QCOMPARE(t.adat, 525000.0);
    QVERIFY(t.hasAverage);
    QCOMPARE(t.averageDays, 35);
    QCOMPARE(t.averageDate, QDate(2021, 4, 5));
    QCOMPARE(formatFloat("#,##0.00", t.maturityDifference), QString("517,81"));
    // Rows after the first unnumbered one are not counted.
    QStringList stray = row(3, "15.04.2021", "1.000");
    stray[ColNo].clear();
    QCOMPARE(calculateTotals({first, stray, second}, p).amount, 10000.0);
}

void TestReceived::dueDateCompletion_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("masked short") << "5_.3_.24__" << int(DueDate::Valid) << "05.03.2024" << "";
    QTest::newRow("full") << "31.12.2024" << int(DueDate::Valid) << "31.12.2024" << "";
    QTest::newRow("no year") << "05.03.____" << int(DueDate::Valid) << "05.03.2021" << "";
    QTest::newRow("one-digit year") << "01.02.7___" << int(DueDate::Valid) << "01.02.2007" << "";
    QTest::newRow("31 February") << "31.02.2024" << int(DueDate::Invalid) << ""
                                 << "31.02.2024 Tarih Girişiniz doğru değil.";
    QTest::newRow("month 13") << "10.13.2024" << int(DueDate::Invalid) << "" << "10.13.2024 Tarih Girişiniz doğru değil.";
    QTest::newRow("1899") << "01.01.1899" << int(DueDate::Stop) << "" << "\"01.01.1899\" tarih girişiniz uygun değil!";
    QTest::newRow("day 0") << "00.05.2024" << int(DueDate::Stop) << "" << "\"00.05.2024\" tarih girişiniz uygun değil!";
    QTest::newRow("empty mask") << "__.__.____" << int(DueDate::Empty) << "" << "";
    QTest::newRow("empty") << "" << int(DueDate::Empty) << "" << "";
}

void TestReceived::dueDateCompletion()
{
    QFETCH(QString, typed);
    QFETCH(int, outcome);
    QFETCH(QString, text);
    QFETCH(QString, message);
    const DueDateResult r = completeDueDate(typed, 2021);
    QCOMPARE(int(r.outcome), outcome);
    QCOMPARE(r.text, text);
    QCOMPARE(r.message, message);
}

void TestReceived::weekendAndAddedDays()
{
    Params p = workedExample();
    // Saturday 03.04.2021 counts from Monday 05.04 when the box is ticked.
    QStringList saturday = row(1, "03.04.2021", "1000");
    calculateRow(saturday, p);
    QCOMPARE(saturday[ColGun], QString("33"));
    p.weekendShift = true;
    calculateRow(saturday, p);
    QCOMPARE(saturday[ColGun], QString("35"));
    QStringList sunday = row(1, "04.04.2021", "1000");
    calculateRow(sunday, p);
    QCOMPARE(sunday[ColGun], QString("35"));
    QStringList monday = row(1, "05.04.2021", "1000");
    calculateRow(monday, p);
    QCOMPARE(monday[ColGun], QString("35"));
    // "Gün Ekle" 3 adds three days to every cheque and to the average.
    p.weekendShift = false;
    p.gunEkle = "3";
    QStringList a = row(1, "31.03.2021", "10000"), b = row(2, "15.04.2021", "5000");
    calculateRow(a, p);
    calculateRow(b, p);
    QCOMPARE(a[ColGun], QString("33"));
    QCOMPARE(b[ColGun], QString("48"));
    const Totals t = calculateTotals({a, b}, p);
    QCOMPARE(t.averageDays, 38);
    QCOMPARE(t.averageDate, QDate(2021, 4, 8));
}

void TestReceived::negativeDaysAndRounding()
{
    Params p = workedExample();
    QStringList early = row(1, "19.02.2021", "1000", "10");
    calculateRow(early, p);
    QCOMPARE(early[ColGun], QString("-10"));
    QCOMPARE(early[ColVadeFarki], QString("-9,86"));
    QCOMPARE(early[ColNet], QString("999,86"));  // above the amount less the expense
    QCOMPARE(roundHalfEven(34.5), 34);
    QCOMPARE(roundHalfEven(35.5), 36);
    QCOMPARE(roundHalfEven(34.51), 35);
    QCOMPARE(roundHalfEven(-0.5), 0);
    // An average of 34,5 days: 1000 for 34 days and 1000 for 35 days.
    QStringList a = row(1, "04.04.2021", "1000"), b = row(2, "05.04.2021", "1000");
    p.yillikFaiz = "0";
    calculateRow(a, p);
    calculateRow(b, p);
    QCOMPARE(calculateTotals({a, b}, p).averageDays, 34);
    // No amount: the average keeps its value.
    QVERIFY(!calculateTotals({row(1, "", "")}, p).hasAverage);
}

void TestReceived::bsmvAndCredit()
{
    Params p;
    p.slipDate = QDate(2024, 1, 1);
    p.bsmvPercent = "5";
    QStringList r = row(1, "01.02.2024", "15.000,00", "20,00");
    r[ColVadeFarki] = "150,00";
    r[ColNet] = "14.830,00";
    const Totals t = calculateTotals({r}, p);
    QCOMPARE(formatFloat("#,##0.00", t.bsmv), QString("8,50"));
    QCOMPARE(formatFloat("#,##0.00", creditAmount(t, true, true, true)), QString("14.821,50"));
    QCOMPARE(formatFloat("#,##0.00", creditAmount(t, false, false, false)), QString("15.000,00"));
    p.bsmvPercent = "0";
    QCOMPARE(calculateTotals({r}, p).bsmv, 0.0);
}

void TestReceived::badHeaderNumbersStop()
{
    Params p = workedExample();
    QStringList r = row(1, "31.03.2021", "1000");
    p.yillikFaiz = "3,6,1";
    QVERIFY_THROWS_EXCEPTION(EngineError, calculateRow(r, p));
    p.yillikFaiz = "36";
    p.yildakiGun = "0";
    QVERIFY_THROWS_EXCEPTION(EngineError, calculateRow(r, p));
    // Empty header fields take their defaults.
    p.yildakiGun.clear();
    p.yillikFaiz.clear();
    calculateRow(r, p);
    QCOMPARE(p.yildakiGun, QString("365"));
    QCOMPARE(r[ColVadeFarki], QString("0,00"));
    QVERIFY_THROWS_EXCEPTION(EngineError, strictInteger(""));
    QCOMPARE(strictInteger("365"), 365);
}

QTEST_MAIN(TestReceived)
#include "test_received.moc"
