// The calculator's arithmetic, files, printout texts and workbook, on plain texts.
#include "data/engine_error.h"
#include "data/spreadsheet_reader.h"
#include "support/test_home.h"
#include "tools/vadefark_calc.h"
#include "tools/vadefark_export.h"
#include "tools/vadefark_file.h"
#include "tools/vadefark_print.h"

#include <QElapsedTimer>
#include <QFile>
#include <QtTest>

using namespace VadeFark;

namespace {

QStringList line(const QString &islem, const QString &vade, const QString &borc, const QString &alacak,
                 const QString &aciklama = QString())
{
    QStringList c(ColumnCount);
    c[ColNo] = QStringLiteral("1");
    c[ColIslem] = islem;
    c[ColVade] = vade;
    c[ColAciklama] = aciklama;
    c[ColBorc] = borc;
    c[ColAlacak] = alacak;
    return c;
}

Params workedParams()
{
    Params p;
    p.hesapTarihi = QDate(2024, 3, 1);
    p.yildakiGun = QStringLiteral("365");
    p.yillikFaiz = QStringLiteral("24");
    return p;
}

// The worked example as the window shows it after a recalculation: one debt of
// 10.000,00 due 31.03.2024 at 01.03.2024, then the input row.
Sheet workedSheet()
{
    Sheet s;
    s.firmaAdi = QStringLiteral("ABC");
    s.hesapTarihi = QDate(2024, 3, 1);
    s.yildakiGun = QStringLiteral("365");
    s.yillikFaiz = QStringLiteral("24");
    s.aylikFaiz = QStringLiteral("2");
    s.borcEkSure = QStringLiteral("0");
    s.alacakEkSure = QStringLiteral("2");
    s.borcHaftaSonu = true;
    s.titles = columnTitles();
    Params p = workedParams();
    QStringList a = line("01.03.2024", "31.03.2024", "10000", "", "Fatura 1, mart");
    QStringList b = line("05.03.2024", "20.02.2024", "", "2.500", "İade \"acil\"");
    b[ColNo] = "2";
    calculateLine(a, p);
    calculateLine(b, p);
    QStringList input(ColumnCount);
    input[ColNo] = "3";
    s.rows = {a, b, input};
    const Results r = calculateResults(s.rows, s.hesapTarihi, {}, {});
    s.borcToplam = "10.000,00";
    s.alacakToplam = "2.500,00";
    s.bakiye = "7.500,00";
    s.borcFark = "-197,26";
    s.alacakFark = "16,44";
    s.netFark = "-213,70";
    s.borcOrtGun = QString::number(*r.borcOrtGun);
    s.alacakOrtGun = QString::number(*r.alacakOrtGun);
    s.genelOrtGun = QString::number(*r.genelOrtGun);
    s.borcOrtVade = r.borcOrtVade;
    s.alacakOrtVade = r.alacakOrtVade;
    s.genelOrtVade = r.genelOrtVade;
    return s;
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

const QByteArray kTitles = ",\"İşlem Tarihi\",\"Vade Tarihi\",Açıklama,\"Borç Tutarı\",\"Alacak Tutarı\",Gün,"
                           "\"B.Vade Farkı\",\"A.Vade Farkı\",\"Borç Adat\",\"Alacak Adat\",Index,Index2\r\n";

} // namespace

class TestVadeFarkCalc : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lineCalculation_data();
    void lineCalculation();
    void datesOfALine_data();
    void datesOfALine();
    void yearDaysAndRateThatDoNotRead();
    void averagesAndTotals();
    void averageDatesStayInRange();
    void offsettingRate_data();
    void offsettingRate();
    void sortPutsUndatedRowsLast();
    void commaListsRoundTrip();
    void commaListReading_data();
    void commaListReading();
    void fileNames();
    void fileLinesAndReadingBack();
    void windows1254File();
    void badFilesAreRefusedWhole_data();
    void badFilesAreRefusedWhole();
    void manyRowsBounded();
    void printLines();
    void workbook();
};

void TestVadeFarkCalc::lineCalculation_data()
{
    QTest::addColumn<QString>("due");
    QTest::addColumn<QString>("borc");
    QTest::addColumn<QString>("alacak");
    QTest::addColumn<QString>("borcEk");
    QTest::addColumn<bool>("borcRule");
    QTest::addColumn<bool>("alacakRule");
    QTest::addColumn<QStringList>("expected");  // days, B.fark, A.fark, B.adat, A.adat
    QTest::newRow("worked example") << "31.03.2024" << "10000" << "" << "" << false << false
                                    << QStringList{"30", "-197,26", "", "300.000,00", ""};
    QTest::newRow("Saturday, debt rule") << "30.03.2024" << "10000" << "" << "" << true << false
                                         << QStringList{"31", "-203,84", "", "310.000,00", ""};
    QTest::newRow("Saturday, no rule") << "30.03.2024" << "10000" << "" << "" << false << false
                                       << QStringList{"29", "-190,68", "", "290.000,00", ""};
    QTest::newRow("Sunday, debt rule") << "31.03.2024" << "10000" << "" << "" << true << false
                                       << QStringList{"31", "-203,84", "", "310.000,00", ""};
    QTest::newRow("debt extra days") << "31.03.2024" << "10.000,00" << "" << "5" << false << false
                                     << QStringList{"35", "-230,14", "", "350.000,00", ""};
    QTest::newRow("credit 10 days early") << "20.02.2024" << "" << "1000" << "" << false << false
                                          << QStringList{"-10", "", "6,58", "", "-10.000,00"};
    // A line with both counts each by its own weekend rule: the credit's days
    // (shown in "Gün") do not take the debt's shift.
    QTest::newRow("both, debt rule only") << "30.03.2024" << "1000" << "1000" << "" << true << false
                                          << QStringList{"29", "-20,38", "-19,07", "31.000,00", "29.000,00"};
    QTest::newRow("both, both rules") << "30.03.2024" << "1000" << "1000" << "" << true << true
                                      << QStringList{"31", "-20,38", "-20,38", "31.000,00", "31.000,00"};
    QTest::newRow("zero debt") << "31.03.2024" << "0" << "" << "" << false << false
                               << QStringList{"30", "0,00", "", "", ""};
}

void TestVadeFarkCalc::lineCalculation()
{
    QFETCH(QString, due);
    QFETCH(QString, borc);
    QFETCH(QString, alacak);
    QFETCH(QString, borcEk);
    QFETCH(bool, borcRule);
    QFETCH(bool, alacakRule);
    QFETCH(QStringList, expected);
    Params p = workedParams();
    p.borcEkSure = borcEk;
    p.borcHaftaSonu = borcRule;
    p.alacakHaftaSonu = alacakRule;
    QStringList c = line(QString(), due, borc, alacak);
    const LineResult r = calculateLine(c, p);
    QCOMPARE(r.outcome, LineOutcome::Calculated);
    QCOMPARE(c[ColIslem], due);  // the due date is copied into the empty transaction date
    QCOMPARE((QStringList{c[ColGun], c[ColBorcFark], c[ColAlacakFark], c[ColBorcAdat], c[ColAlacakAdat]}), expected);
}

void TestVadeFarkCalc::datesOfALine_data()
{
    QTest::addColumn<QString>("islem");
    QTest::addColumn<QString>("vade");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("islemAfter");
    QTest::addColumn<QString>("vadeAfter");
    QTest::addColumn<QString>("message");
    const int ok = int(LineOutcome::Calculated), stop = int(LineOutcome::Stopped), none = int(LineOutcome::NotCalculated);
    QTest::newRow("year 12") << "" << "31.03.12__" << ok << "31.03.2012" << "31.03.2012" << "";
    QTest::newRow("year 1") << "" << "31.03.1___" << ok << "31.03.2001" << "31.03.2001" << "";
    QTest::newRow("no year") << "" << "5_.4_.____" << ok << "05.04.2024" << "05.04.2024" << "";
    QTest::newRow("year 1900") << "" << "01.01.1900" << stop << "" << ""
                               << "\"01.01.1900\" tarih girişiniz uygun değil!";
    QTest::newRow("day 0") << "" << "00.03.2024" << stop << "" << "" << "\"00.03.2024\" tarih girişiniz uygun değil!";
    QTest::newRow("no such day") << "" << "31.02.2024" << stop << "" << "" << "31.02.2024 Tarih Girişiniz doğru değil.";
    QTest::newRow("transaction refused") << "1.1.1800" << "31.03.2024" << stop << "" << "31.03.2024"
                                         << "\"01.01.1800\" tarih girişiniz uygun değil!";
    QTest::newRow("due from transaction") << "15.3.24" << "" << ok << "15.03.2024" << "15.03.2024" << "";
    QTest::newRow("both kept") << "01.03.2024" << "31.03.2024" << ok << "01.03.2024" << "31.03.2024" << "";
    QTest::newRow("nothing typed") << "" << "__.__.____" << none << "" << "" << "";
}

void TestVadeFarkCalc::datesOfALine()
{
    QFETCH(QString, islem);
    QFETCH(QString, vade);
    QFETCH(int, outcome);
    Params p = workedParams();
    QStringList c = line(islem, vade, "100", "");
    const LineResult r = calculateLine(c, p);
    QCOMPARE(int(r.outcome), outcome);
    QTEST(c[ColIslem], "islemAfter");
    QTEST(c[ColVade], "vadeAfter");
    QTEST(r.message, "message");
}

void TestVadeFarkCalc::yearDaysAndRateThatDoNotRead()
{
    struct Case {
        const char *yearDays;
        const char *rate;
        const char *message;
    };
    const Case cases[] = {
        {"0", "24", "Yıldaki gün sıfır olamaz."},
        {"", "24", "'' geçerli bir sayı değil."},
        {"365", "2,4,", "'2,4,' geçerli bir sayı değil."},
    };
    for (const Case &k : cases) {
        Params p = workedParams();
        p.yildakiGun = QString::fromUtf8(k.yearDays);
        p.yillikFaiz = QString::fromUtf8(k.rate);
        QStringList c = line("", "31.03.2024", "10000", "");
        try {
            calculateLine(c, p);
            QFAIL(k.message);
        } catch (const EngineError &e) {
            QCOMPARE(e.message(), QString::fromUtf8(k.message));
        }
    }
    // An empty yearly rate is written as 0 and counts so.
    Params p = workedParams();
    p.yillikFaiz.clear();
    QStringList c = line("", "31.03.2024", "10000", "");
    QCOMPARE(calculateLine(c, p).outcome, LineOutcome::Calculated);
    QCOMPARE(p.yillikFaiz, QStringLiteral("0"));
    QCOMPARE(c[ColBorcFark], QStringLiteral("0,00"));
}

void TestVadeFarkCalc::averagesAndTotals()
{
    const QDate h(2024, 3, 1);
    Params p = workedParams();
    const auto calculated = [&p](QStringList c, int no) {
        c[ColNo] = QString::number(no);
        calculateLine(c, p);
        return c;
    };
    // Debts of 1.000 at 10 days and 3.000 at 30 days: 25 days on average.
    QVector<QStringList> rows = {calculated(line("", "11.03.2024", "1000", ""), 1),
                                 calculated(line("", "31.03.2024", "3000", ""), 2), QStringList(ColumnCount)};
    Results r = calculateResults(rows, h, {}, {});
    QCOMPARE(r.borc, 4000.0);
    QCOMPARE(r.alacak, 0.0);
    QCOMPARE(r.bakiye, 4000.0);
    QCOMPARE(r.borcOrtGun, std::optional<int>(25));
    QCOMPARE(r.borcOrtVade, h.addDays(25));
    QVERIFY(!r.alacakOrtGun);  // no credit: the credit average stays as it was
    QCOMPARE(r.genelOrtGun, std::optional<int>(25));
    QCOMPARE(r.borcFark, -(6.58 + 59.18));

    // Equal totals: the general average is the debt average less the credit average.
    rows = {calculated(line("", "31.03.2024", "1000", ""), 1), calculated(line("", "11.03.2024", "", "1000"), 2),
            QStringList(ColumnCount)};
    r = calculateResults(rows, h, {}, {});
    QCOMPARE(r.bakiye, 0.0);
    QCOMPARE(r.borcOrtGun, std::optional<int>(30));
    QCOMPARE(r.alacakOrtGun, std::optional<int>(10));
    QCOMPARE(r.genelOrtGun, std::optional<int>(20));
    QCOMPARE(r.genelOrtVade, h.addDays(20));
    QCOMPARE(r.netFark, -19.73 - -6.58);

    // Nothing listed: the general average is what the two edits show, less each other.
    r = calculateResults({QStringList(ColumnCount)}, h, "12", "2");
    QCOMPARE(r.genelOrtGun, std::optional<int>(10));
    QVERIFY(!r.borcOrtGun);

    // The rows counted end at the first without a line number.
    rows = {calculated(line("", "31.03.2024", "1000", ""), 1), QStringList(ColumnCount),
            calculated(line("", "31.03.2024", "5000", ""), 3)};
    QCOMPARE(calculateResults(rows, h, {}, {}).borc, 1000.0);
}

void TestVadeFarkCalc::averageDatesStayInRange()
{
    QCOMPARE(averageDate(QDate(2024, 3, 1), 25), QDate(2024, 3, 26));
    QCOMPARE(averageDate(QDate(2024, 3, 1), -10'000'000), QDate(1899, 12, 31));
    QCOMPARE(averageDate(QDate(2024, 3, 1), 10'000'000), QDate(9999, 12, 31));
    QCOMPARE(averageDate(QDate(2024, 3, 1), std::numeric_limits<qint64>::max()), QDate(9999, 12, 31));
}

void TestVadeFarkCalc::offsettingRate_data()
{
    QTest::addColumn<QStringList>("edits");  // bo, ao, balance, debt, credit
    QTest::addColumn<bool>("computed");
    QTest::addColumn<double>("yearly");
    QTest::newRow("credit larger") << QStringList{"30", "10", "-2.000,00", "1.000,00", "3.000,00"} << true << -3650.0;
    QTest::newRow("debt larger") << QStringList{"30", "10", "2.000,00", "3.000,00", "1.000,00"} << true << -3650.0;
    QTest::newRow("rounded to 4 places") << QStringList{"45", "12", "500,00", "1.500,00", "1.000,00"} << true
                                         << -553.0303;
    QTest::newRow("equal totals") << QStringList{"30", "10", "0,00", "1.000,00", "1.000,00"} << false << 0.0;
    QTest::newRow("no debt") << QStringList{"", "10", "-1.000,00", "0,00", "1.000,00"} << false << 0.0;
    QTest::newRow("no credit") << QStringList{"10", "", "1.000,00", "1.000,00", "0,00"} << false << 0.0;
    QTest::newRow("equal days") << QStringList{"10", "10", "1.000,00", "2.000,00", "1.000,00"} << false << 0.0;
    QTest::newRow("empty edits") << QStringList{"", "", "", "", ""} << false << 0.0;
}

void TestVadeFarkCalc::offsettingRate()
{
    QFETCH(QStringList, edits);
    QFETCH(bool, computed);
    QFETCH(double, yearly);
    const auto r = VadeFark::offsettingRate(edits[0], edits[1], edits[2], edits[3], edits[4]);
    QCOMPARE(r.has_value(), computed);
    if (!r) return;
    QCOMPARE(r->yearly, yearly);
    QCOMPARE(r->monthly, yearly / 12);
    QVERIFY(std::isfinite(r->yearly));
}

void TestVadeFarkCalc::sortPutsUndatedRowsLast()
{
    QVector<QStringList> rows = {line("15.04.2024", "30.04.2024", "1", ""), line("", "", "2", ""),
                                 line("1.3.24", "31.03.2024", "3", ""), line("", "10.03.2024", "4", ""),
                                 QStringList(ColumnCount)};
    sortRows(rows, 2024);
    QStringList order, keys, numbers;
    for (const QStringList &r : rows) {
        order << r[ColBorc];
        keys << r[ColIndex2];
        numbers << r[ColNo];
    }
    QCOMPARE(order, (QStringList{"3", "4", "1", "2", ""}));
    QCOMPARE(keys, (QStringList{"20240301", "20240310", "20240415", "99999999", "99999999"}));
    QCOMPARE(numbers, (QStringList{"1", "2", "3", "4", "5"}));
}

void TestVadeFarkCalc::commaListsRoundTrip()
{
    const QStringList items = {"1", "", "Fatura 1, mart", "a\"b", "plain", "tab\there", " lead", "ÇĞİÖŞÜ çğıöşü", ""};
    const QString text = commaText(items);
    QCOMPARE(text, QStringLiteral("1,,\"Fatura 1, mart\",\"a\"\"b\",plain,\"tab\there\",\" lead\",\"ÇĞİÖŞÜ çğıöşü\","));
    bool open = true;
    QCOMPARE(parseCommaText(text, &open), items);
    QVERIFY(!open);
}

void TestVadeFarkCalc::commaListReading_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<bool>("openQuote");
    QTest::newRow("blanks around") << "  a , b ,c  " << QStringList{"a", "b", "c"} << false;
    QTest::newRow("blank separates") << "a b,c" << QStringList{"a", "b", "c"} << false;
    QTest::newRow("trailing comma") << "a,b," << QStringList{"a", "b", ""} << false;
    QTest::newRow("empty items") << ",," << QStringList{"", "", ""} << false;
    QTest::newRow("doubled quote") << "\"x\"\"y\",z" << QStringList{"x\"y", "z"} << false;
    QTest::newRow("open quote") << "a,\"b,c" << QStringList{"a", "b,c"} << true;
    QTest::newRow("empty line") << "" << QStringList{} << false;
}

void TestVadeFarkCalc::commaListReading()
{
    QFETCH(QString, line);
    bool open = false;
    QTEST(parseCommaText(line, &open), "items");
    QTEST(open, "openQuote");
}

void TestVadeFarkCalc::fileNames()
{
    QCOMPARE(fdvFileName("/d/ABC"), QStringLiteral("/d/ABC.fdv"));
    QCOMPARE(fdvFileName("/d/liste.FDV"), QStringLiteral("/d/liste.FDV.fdv"));
    QCOMPARE(fdvFileName("/d/liste.fdv"), QStringLiteral("/d/liste.fdv"));
    QCOMPARE(fdvFileName("/d/a.fdv.yedek"), QStringLiteral("/d/a.fdv.yedek"));
}

void TestVadeFarkCalc::fileLinesAndReadingBack()
{
    TestHome home;
    Sheet s = workedSheet();
    QStringList more = line("02.03.2024", "02.04.2024", "", "", "");
    more[ColNo] = "3";
    s.rows.insert(2, more);  // titles, three entries, the input row
    s.rows[3][ColNo] = "4";
    const QStringList lines = fileLines(s);
    QCOMPARE(lines.size(), 6);
    QCOMPARE(lines[0], QStringLiteral("365,24,2,0,2,ABC,H,E,H,01.03.2024"));
    QCOMPARE(lines[1], QString::fromUtf8(kTitles).chopped(2));
    QVERIFY(lines[2].startsWith(QStringLiteral("1,01.03.2024,31.03.2024,\"Fatura 1, mart\",\"10.000,00\",,30,")));
    QCOMPARE(lines[5], QStringLiteral("4,,,,,,,,,,,,"));

    const QString path = home.path("liste.fdv");
    QVERIFY(writeFile(path, lines));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QCOMPARE(bytes.count("\r\n"), 6);
    QVERIFY(bytes.endsWith("4,,,,,,,,,,,,\r\n"));

    QString message;
    const auto loaded = readFile(path, &message);
    QVERIFY2(loaded, qPrintable(message));
    QCOMPARE(loaded->rows.size(), 4);
    QCOMPARE(loaded->rows, s.rows);
    for (const QStringList &r : loaded->rows) QCOMPARE(r.size(), 13);
    QCOMPARE(loaded->rows[1][ColAciklama], QStringLiteral("İade \"acil\""));
    QCOMPARE(loaded->firmaAdi, QStringLiteral("ABC"));
    QCOMPARE(loaded->hesapTarihi, QDate(2024, 3, 1));
    QCOMPARE(loaded->borcHaftaSonu, std::optional<bool>(true));
    QCOMPARE(loaded->alacakHaftaSonu, std::optional<bool>(false));
    QCOMPARE((QStringList{loaded->yildakiGun, loaded->yillikFaiz, loaded->aylikFaiz, loaded->borcEkSure, loaded->alacakEkSure}),
             (QStringList{"365", "24", "2", "0", "2"}));

    // A failed write leaves the former file whole.
    QVERIFY(!writeFile(home.path("yok/klasor/liste.fdv"), lines));
}

void TestVadeFarkCalc::windows1254File()
{
    TestHome home;
    // "Şükrü Çelik" and a description "İade ğ" in Windows-1254, as Turkish Windows wrote them.
    const QByteArray name = "\xde\xfckr\xfc \xc7" "elik";
    const QByteArray bytes = "365,24,2,,,\"" + name + "\",H,X,E,01/03/2024\r\n" + kTitles
                             + "1,01.03.2024,31.03.2024,\"\xdd" "ade \xf0\",\"1.000,00\",,30,\"-19,73\",,\"30.000,00\",,,\r\n"
                             + "2,,,,,,,,,,,,\r\n";
    writeBytes(home.path("eski.fdv"), bytes);
    QString message;
    const auto f = readFile(home.path("eski.fdv"), &message);
    QVERIFY2(f, qPrintable(message));
    QCOMPARE(f->firmaAdi, QStringLiteral("Şükrü Çelik"));
    QCOMPARE(f->rows[0][ColAciklama], QStringLiteral("İade ğ"));
    QCOMPARE(f->hesapTarihi, QDate(2024, 3, 1));
    QVERIFY(!f->borcHaftaSonu);  // "X": the rule stays as it was
    QCOMPARE(f->alacakHaftaSonu, std::optional<bool>(true));
}

void TestVadeFarkCalc::badFilesAreRefusedWhole_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    const QByteArray header = "365,24,2,0,0,ABC,H,H,H,01.03.2024\r\n";
    const QByteArray row = "1,01.03.2024,31.03.2024,x,\"1.000,00\",,30,,,,,,\r\n";
    const QByteArray input = "2" + QByteArray(12, ',') + "\r\n";
    QTest::newRow("two lines") << header + kTitles << "dosyada en az 3 satır olmalı";
    QTest::newRow("empty file") << QByteArray() << "dosyada en az 3 satır olmalı";
    QTest::newRow("header of 9") << "365,24,2,0,0,ABC,H,H,H\r\n" + kTitles + input << "Satır 1: başlıkta 10 değer olmalı";
    QTest::newRow("days with a letter") << "36a,24,2,0,0,ABC,H,H,H,01.03.2024\r\n" + kTitles + input
                                        << "Satır 1: \"Yıldaki Gün\" değeri uygun değil";
    QTest::newRow("days of 4 digits") << "3650,24,2,0,0,ABC,H,H,H,01.03.2024\r\n" + kTitles + input
                                      << "Satır 1: \"Yıldaki Gün\"";
    QTest::newRow("rate with two commas") << "365,\"2,4,\",2,0,0,ABC,H,H,H,01.03.2024\r\n" + kTitles + input
                                          << "Satır 1: \"Yıllık Faiz\"";
    QTest::newRow("rate too long") << "365,24,1234567890123456789012345678901,0,0,ABC,H,H,H,01.03.2024\r\n" + kTitles + input
                                   << "Satır 1: \"Aylık Faiz\"";
    QTest::newRow("extra days of 5") << "365,24,2,12345,0,ABC,H,H,H,01.03.2024\r\n" + kTitles + input
                                     << "Satır 1: \"Borç Ek Süre\"";
    QTest::newRow("extra days negative") << "365,24,2,0,-1,ABC,H,H,H,01.03.2024\r\n" + kTitles + input
                                         << "Satır 1: \"Alacak Ek Süre\"";
    QTest::newRow("no such day") << "365,24,2,0,0,ABC,H,H,H,31.02.2024\r\n" + kTitles + input
                                 << "Satır 1: hesap tarihi geçerli bir tarih değil";
    QTest::newRow("date of letters") << "365,24,2,0,0,ABC,H,H,H,bugün\r\n" + kTitles + input
                                     << "Satır 1: hesap tarihi";
    const auto items = [](int n) { return "9" + QByteArray(n - 1, ',') + "\r\n"; };
    QTest::newRow("row of 12") << header + kTitles + items(12) + input << "Satır 3: satırda 13 değer olmalı; 12 değer var.";
    QTest::newRow("row of 14") << header + kTitles + row + items(14) << "Satır 4: satırda 13 değer olmalı; 14";
    QTest::newRow("open quote") << header + kTitles + row + "2,,,\"yarım,,,,,,,,,\r\n" << "Satır 4: kapanmayan tırnak";
    QTest::newRow("NUL byte") << header + kTitles + QByteArray("1,") + QByteArray(1, '\0') + QByteArray(",,,,,,,,,,,\r\n") + input
                              << "Satır 3: metin olmayan bir karakter (NUL)";
    QTest::newRow("over 10 MB") << header + kTitles + QByteArray(kMaxFileSize, 'x') << "dosya 10 MB'tan büyük.";
    QTest::newRow("one row too many") << header + kTitles + row.repeated(kMaxFileRows + 1)
                                      << "dosyada en çok 10.000 satır olabilir; 10.001 satır var.";
    QTest::newRow("one row too many, no last line ending") << header + kTitles + row.repeated(kMaxFileRows) + "1"
                                                           << "dosyada en çok 10.000 satır olabilir; 10.001 satır var.";
}

// The most memory the process has held so far, in KB.
static qint64 peakKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// A file of 10 MB holding 700,000 short rows is refused at once, in little memory;
// a file of the most rows allowed is read.
void TestVadeFarkCalc::manyRowsBounded()
{
    TestHome home;
    const QByteArray header = "365,24,2,0,0,ABC,H,H,H,01.03.2024\r\n";
    const QByteArray shortRow = QByteArray(12, ',') + "\r\n";  // 14 bytes
    QByteArray bytes = header + kTitles + shortRow.repeated(700'000);
    QVERIFY(bytes.size() <= kMaxFileSize);
    const QString path = home.path("cok.fdv");
    writeBytes(path, bytes);
    bytes.clear();
    bytes.squeeze();
    const qint64 before = peakKb();
    QElapsedTimer clock;
    clock.start();
    QString message;
    QVERIFY(!readFile(path, &message));
    const qint64 ms = clock.elapsed(), grownKb = peakKb() - before;
    qInfo("700,000 rows refused in %lld ms, peak memory grew by %lld KB", ms, grownKb);
    QVERIFY2(message.endsWith(QStringLiteral("dosyada en çok 10.000 satır olabilir; 700.000 satır var.")), qPrintable(message));
    QVERIFY(ms < 1000);
    QVERIFY(grownKb < 40 * 1024);

    writeBytes(path, header + kTitles + QByteArray("1,01.03.2024,31.03.2024,x,\"1.000,00\",,30,,,,,,\r\n").repeated(kMaxFileRows));
    clock.restart();
    const auto loaded = readFile(path, &message);
    QVERIFY2(loaded, qPrintable(message));
    QCOMPARE(loaded->rows.size(), kMaxFileRows);
    qInfo("%d rows read in %lld ms", kMaxFileRows, qint64(clock.elapsed()));
}

void TestVadeFarkCalc::badFilesAreRefusedWhole()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    TestHome home;
    const QString path = home.path("bozuk.fdv");
    writeBytes(path, bytes);
    QString message;
    QVERIFY(!readFile(path, &message));
    const QString start = QStringLiteral("Vade farkı dosyası okunamadı:\n\r") + path + QStringLiteral("\n\r");
    QVERIFY2(message.startsWith(start + reason), qPrintable(message));
}

void TestVadeFarkCalc::printLines()
{
    const Sheet s = workedSheet();
    const PrintText a = printText(s, PrintKind::Differences);
    // "1" and two blanks, the date after two blanks, the debt in 15, 15 blanks for the
    // empty credit, 30 in 8, -197,26 in 15 and 15 blanks: 83 characters.
    const QString expected = QStringLiteral("1  ") + QStringLiteral("  31.03.2024") + QStringLiteral("      10.000,00")
                             + QString(15, u' ') + QStringLiteral("      30") + QStringLiteral("        -197,26")
                             + QString(15, u' ');
    QCOMPARE(a.body[0], expected);
    QCOMPARE(a.body[0].size(), 83);
    QCOMPARE(a.body[2], QStringLiteral("3") + QString(82, u' '));  // the input row: its number alone
    QCOMPARE(a.memo1, QStringLiteral("   ") + QStringLiteral(" Vade Tarihi") + QStringLiteral("    Borç Tutarı")
                          + QStringLiteral("  Alacak Tutarı") + QStringLiteral("     Gün") + QStringLiteral("   B.Vade Farkı")
                          + QStringLiteral("   A.Vade Farkı"));
    QCOMPARE(a.body[3], QString());
    QCOMPARE(a.body[4], QStringLiteral("   ") + QStringLiteral("     TOPLAM ") + QStringLiteral("      10.000,00")
                            + QStringLiteral("       2.500,00") + QStringLiteral("%1").arg(s.genelOrtGun, 8)
                            + QStringLiteral("        -197,26") + QStringLiteral("          16,44 "));
    QCOMPARE(a.body.mid(6), (QStringList{QStringLiteral("Bakiye         :        7.500,00"),
                                          QStringLiteral("Net Vade Farkı :         -213,70"), QString(),
                                          "Genel Ortalama Vadesi : " + s.genelOrtVade.toString("dd.MM.yyyy"),
                                          "Genel Ortalama Gün    : " + s.genelOrtGun, QString(),
                                          "Borç Ortalama Vadesi  : 31.03.2024", "Borç Ortalama Gün     : 30", QString(),
                                          "Alacak Ortalama Vadesi: " + s.alacakOrtVade.toString("dd.MM.yyyy"),
                                          "Alacak Ortalama Gün   : " + s.alacakOrtGun, QString()}));
    QCOMPARE(a.memo5, QStringLiteral("Brenvo Kasa ve Cari Hesap Takip Programı Rapor Dökümü"));
    QCOMPARE(a.memo6, QStringLiteral("İşlem Yapılan Firma : ABC"));
    QCOMPARE(a.memo7, QStringLiteral("İşlem Tarihi        : 01.03.2024"));
    QCOMPARE(a.memo8, QStringLiteral("Yıldaki Gün: 365 Yıllık Faiz: 24 Aylık Faiz: 2"));
    QCOMPARE(a.memo9, QStringLiteral("Alacaklara 2, Borçlara 0 Gün eklendi. Cumartesi Pazar Borçlara Eklendi, Alacaklara Eklenmedi."));

    // The second printout: descriptions cut at 25, the net difference per line.
    Sheet d = s;
    d.rows[0][ColBorcFark] = QStringLiteral("197,26");
    QStringList neither = line("01.03.2024", "01.03.2024", "5,00", "", QStringLiteral("Çok uzun bir açıklama metni burada"));
    neither[ColNo] = "3";
    neither[ColGun] = "0";
    neither[ColBorcFark] = "0,00";
    d.rows.insert(2, neither);
    const PrintText b = printText(d, PrintKind::Descriptions);
    QVERIFY(b.body[0].endsWith(QStringLiteral("         197,26")));
    QVERIFY(b.body[2].endsWith(QStringLiteral("            ,00")));
    QCOMPARE(b.body[2].mid(16, 25), QStringLiteral("Çok uzun bir açıklama met"));
    QCOMPARE(b.body[0].size(), 3 + 12 + 1 + 25 + 15 + 15 + 5 + 15);
    QVERIFY(b.memo1.endsWith(QStringLiteral("     Vade Farkı")));
    QVERIFY(b.memo1.contains(QStringLiteral(" Açıklama                 ")));
    QVERIFY(b.body[5].startsWith(QString(16, u' ') + QStringLiteral("                  TOPLAM ")));
    QVERIFY(b.body[5].endsWith(QStringLiteral("        -213,70 ")));
    // No field holds more than 17 characters.
    QCOMPARE(rightField(QStringLiteral("123456789012345678901"), 15), QStringLiteral("12345678901234567"));
    QCOMPARE(leftField(QStringLiteral("ab"), 3), QStringLiteral("ab "));
}

void TestVadeFarkCalc::workbook()
{
    TestHome home;
    Sheet s = workedSheet();
    QStringList third = line("02.03.2024", "02.04.2024", "", "", "boş");
    third[ColNo] = "3";
    s.rows.insert(2, third);  // titles, three lines, the input row: R = 5
    const QString path = home.path("vade.xlsx");
    QCOMPARE(buildWorkbook(s).save(path), QString());
    const SheetData sheet = readSpreadsheet(path);
    const auto v = [&sheet](int r, int c) { return sheet.value(r, c); };
    const auto fmt = [&sheet](int r, int c) { return sheet.formats.value({r, c}); };

    QCOMPARE(v(1, 1).toString(), QStringLiteral("İşlem Yapılan Firma : ABC"));
    QVERIFY(fmt(1, 1).bold);
    QCOMPARE(fmt(1, 1).fontSize, 12.0);
    QCOMPARE(v(2, 1).toString(), QStringLiteral("Hesap Tarihi :"));
    QCOMPARE(v(2, 2).toDate(), QDate(2024, 3, 1));
    QCOMPARE(v(2, 4).toString(), QStringLiteral("365"));
    QCOMPARE(v(2, 6).toDouble(), 24.0);
    QCOMPARE(v(2, 8).toDouble(), 2.0);
    QVERIFY(fmt(2, 1).bold);
    QCOMPARE(fmt(2, 3).fontSize, 12.0);

    // Titles on row 3 (bold), the lines on 4 to 6, the input row on 7.
    QCOMPARE(v(3, 1).toString(), QStringLiteral("İşlem Tarihi"));
    QCOMPARE(v(3, 8).toString(), QStringLiteral("A.Vade Farkı"));
    QVERIFY(fmt(3, 5).bold);
    QCOMPARE(v(4, 1).toString(), QStringLiteral("01.03.2024"));
    QCOMPARE(v(4, 3).toString(), QStringLiteral("Fatura 1, mart"));
    QCOMPARE(v(4, 4).toDouble(), 10000.0);
    QVERIFY(!v(4, 5).isValid());  // no credit: empty, not 0
    QCOMPARE(v(4, 6).toDouble(), 30.0);
    QCOMPARE(v(4, 7).toDouble(), -197.26);
    QCOMPARE(v(5, 5).toDouble(), 2500.0);
    QCOMPARE(v(6, 3).toString(), QStringLiteral("boş"));
    QCOMPARE(v(7, 1), QVariant());
    QCOMPARE(fmt(4, 4).numberFormat, QStringLiteral("#,##0.00"));
    QCOMPARE(fmt(5, 8).numberFormat, QStringLiteral("#,##0.00"));

    // The sums on row 10 over rows 4 to 8, bold.
    QCOMPARE(fmt(10, 4).formula, QStringLiteral("Sum(D4:D8)"));
    QCOMPARE(fmt(10, 8).formula, QStringLiteral("Sum(H4:H8)"));
    QCOMPARE(v(10, 4).toDouble(), 10000.0);
    QVERIFY(fmt(10, 4).bold);

    // The summary on rows 12 to 16.
    QCOMPARE(v(12, 1).toString(), QStringLiteral("Ortalama Vade:"));
    QCOMPARE(v(12, 2).toDate(), s.genelOrtVade);
    QCOMPARE(v(13, 7).toString(), QStringLiteral("Borç Ortalama Vade:"));
    QCOMPARE(v(13, 8).toDate(), QDate(2024, 3, 31));
    QCOMPARE(v(14, 2).toDouble(), 10000.0);
    QCOMPARE(fmt(14, 2).numberFormat, QStringLiteral("#,##0.00"));
    QCOMPARE(v(14, 5).toDouble(), -197.26);
    QCOMPARE(v(15, 1).toString(), QStringLiteral("Alacak Toplam Tutarı:"));
    QCOMPARE(v(16, 2).toDouble(), 7500.0);
    QCOMPARE(fmt(16, 5).numberFormat, QStringLiteral("#,##0.00"));
    QCOMPARE(v(16, 5).toDouble(), -213.70);
    QCOMPARE(v(16, 7).toString(), QStringLiteral("Alacak Ortalama Gün:"));
    QCOMPARE(sheet.lastRow, 16);
}

QTEST_MAIN(TestVadeFarkCalc)
#include "test_vadefark_calc.moc"
