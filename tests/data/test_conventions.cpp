// Number reading, case folding, display formats and statement literals.
#include "data/data_context.h"
#include "data/date_reading.h"
#include "data/display_format.h"
#include "data/engine_error.h"
#include "data/field_value.h"
#include "data/number_reading.h"
#include "data/query.h"
#include "data/sql_literals.h"
#include "data/table.h"
#include "data/turkish_text.h"
#include "support/test_home.h"

#include <QtTest>

#include <functional>

class TestConventions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A code condition lists the spellings the column's index can find, then lets
    // the Turkish comparison decide: the list filtered to one account reads a few
    // rows through the index instead of every cheque.
    void codeConditionUsesTheIndex_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("condition");
        QTest::newRow("ascii") << "A12" << "k IN ('a12') AND k='A12' COLLATE TRNOCASE";
        QTest::newRow("i and İ") << "mi" << "k IN ('mi','mİ') AND k='mi' COLLATE TRNOCASE";
        QTest::newRow("ı and I") << "MI" << "k IN ('mı','mI') AND k='MI' COLLATE TRNOCASE";
        QTest::newRow("Turkish letters") << "Çş" << "k IN ('çş','çŞ','Çş','ÇŞ') AND k='Çş' COLLATE TRNOCASE";
        QTest::newRow("a quote") << "M'1" << "k IN ('m''1') AND k='M''1' COLLATE TRNOCASE";
        QTest::newRow("too many spellings") << "iiiiii" << "k='iiiiii' COLLATE TRNOCASE";
    }
    void codeConditionUsesTheIndex()
    {
        QFETCH(QString, code);
        QFETCH(QString, condition);
        QCOMPARE(sqlCodeEquals("k", code), condition);
    }
    void codeFilterPlanUsesTheIndex()
    {
        TestHome home;
        home.openCompany("A1", 2024);
        Query plan(&DataContext::instance().ADOConnection1);
        plan.sql() << "EXPLAIN QUERY PLAN SELECT * FROM cekgiris WHERE " + sqlCodeEquals("alindigi_firma_kodu", "mi");
        plan.open();
        QString detail;
        for (plan.first(); !plan.eof(); plan.next()) detail += plan.value(plan.fieldCount() - 1).toString();
        QVERIFY2(detail.contains("USING INDEX"), qPrintable(detail));
    }
    void readsNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("thousands and decimals") << "1.234,56" << 1234.56;
        QTest::newRow("sign and currency name") << "-12,5 TL" << -12.5;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("only letters") << "TL" << 0.0;
        QTest::newRow("plus sign") << "+7" << 7.0;
        QTest::newRow("sign after leading spaces") << " -12,5" << -12.5;
        QTest::newRow("sign, spaces and tab") << "\t - 5 " << -5.0;
        QTest::newRow("leading separator") << ",5" << 0.5;
        QTest::newRow("trailing separator") << "5," << 5.0;
        QTest::newRow("millions") << "1.000.000" << 1000000.0;
        QTest::newRow("currency first") << "USD 1.234,5" << 1234.5;
        QTest::newRow("currency sign") << "₺12,50" << 12.5;
        QTest::newRow("currency in lower case") << "250 tl" << 250.0;
        QTest::newRow("blanks of an input mask") << "1_.5__" << 15.0;
        QTest::newRow("fifteen digits") << "999.999.999.999.999" << 999999999999999.0;
        QTest::newRow("fifteen digits with cents") << "1.234.567.890.123,45" << 1234567890123.45;
        QTest::newRow("zeros do not count") << "000.000.000.000.000.001,500000" << 1.5;
        QTest::newRow("fifteen decimals") << "0,000000000000001" << 1e-15;
    }
    void readsNumbers()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(sayiOku(text), value);
        QCOMPARE(sayiOkuDene(text), std::optional<double>(value));
    }

    void refusesWhatIsNoNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("two decimal separators") << "1,2,3";
        QTest::newRow("separator twice at the end") << "12,5,";
        QTest::newRow("lone minus") << "-";
        QTest::newRow("sign and a word") << "+ TL";
        QTest::newRow("sign and separator") << "-,";
        // Texts that used to become another number than the one written.
        QTest::newRow("exponent") << "1e3";
        QTest::newRow("hexadecimal") << "0x1F";
        QTest::newRow("accounting negative") << "(100)";
        QTest::newRow("trailing minus") << "100-";
        QTest::newRow("inner minus") << "12-5";
        QTest::newRow("two signs") << "+-5";
        QTest::newRow("not a number") << "NaN";
        QTest::newRow("infinity") << "inf";
        QTest::newRow("a word") << "on iki";
        QTest::newRow("a unit") << "-3 gün";
        QTest::newRow("number inside a currency") << "12 TL 5";
        QTest::newRow("two currencies") << "TL 5 USD";
        QTest::newRow("slash") << "1/2";
        QTest::newRow("foreign digits") << "١٢";
        QTest::newRow("sixteen digits") << "9.999.999.999.999.999";
        QTest::newRow("sixteen with cents") << "12.345.678.901.234,56";
        QTest::newRow("sixteen decimals") << "0,0000000000000001";
        QTest::newRow("400 decimals") << "0," + QString(399, u'0') + "1";
        QTest::newRow("300 nines") << QString(300, u'9');
    }
    // Both readers refuse, with the same message, and so does the non-throwing one.
    void refusesWhatIsNoNumber()
    {
        QFETCH(QString, text);
        for (const auto &read : {std::function<void()>([&] { sayiOku(text); }),
                                 std::function<void()>([&] { tamSayiOku(text); })}) {
            try {
                read();
                QFAIL("no error");
            } catch (const EngineError &e) {
                QVERIFY2(e.message().contains(QStringLiteral("geçerli bir sayı değil")), qPrintable(e.message()));
                QVERIFY2(e.message().size() < 120, qPrintable(e.message()));  // a long text is shortened
            }
        }
        QVERIFY(!sayiOkuDene(text));
    }

    void readsWholeNumbers()
    {
        QCOMPARE(tamSayiOku("2024"), 2024);
        QCOMPARE(tamSayiOku(" 2.024 "), 2024);
        QCOMPARE(tamSayiOku(" -3 "), -3);
        QCOMPARE(tamSayiOku("999.999.999.999.999"), 999999999999999);
        QCOMPARE(tamSayiOku("12,5"), 125);  // no decimals in a whole number
        QCOMPARE(tamSayiOku(""), 0);
        QVERIFY_THROWS_EXCEPTION(EngineError, tamSayiOku("-"));
        QVERIFY_THROWS_EXCEPTION(EngineError, tamSayiOku("99999999999999999999"));
        QVERIFY_THROWS_EXCEPTION(EngineError, tamSayiOku("1,2,3"));   // as sayiOku
        QVERIFY_THROWS_EXCEPTION(EngineError, tamSayiOku("1,0000000000000000"));  // 17 digits as a whole number
    }

    // Dates typed or read without a mask: the fields as written, nothing after them.
    void readsDates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::newRow("full") << "31.12.2024" << QDate(2024, 12, 31);
        QTest::newRow("short fields") << "1.1.24" << QDate(2024, 1, 1);
        QTest::newRow("short day") << "5.11.2024" << QDate(2024, 11, 5);
        QTest::newRow("half-filled mask") << "5_.3_.24__" << QDate(2024, 3, 5);
        QTest::newRow("slashes") << "05/03/2024" << QDate(2024, 3, 5);
        QTest::newRow("stored form") << "2024-03-05" << QDate(2024, 3, 5);
        QTest::newRow("spaces around") << "  1.2.2024 " << QDate(2024, 2, 1);
        QTest::newRow("one-digit year") << "7.8.7" << QDate(2007, 8, 7);
        QTest::newRow("three-digit year") << "1.1.999" << QDate(1999, 1, 1);
        QTest::newRow("zero-padded year") << "1.1.0024" << QDate(2024, 1, 1);
        QTest::newRow("trailing text") << "31.12.2024xyz" << QDate();
        QTest::newRow("trailing separator and more") << "31.12.2024.1" << QDate();
        QTest::newRow("leading text") << "x1.1.2024" << QDate();
        QTest::newRow("no real day") << "31.02.2024" << QDate();
        QTest::newRow("month 13") << "1.13.2024" << QDate();
        QTest::newRow("day 0") << "0.1.2024" << QDate();
        QTest::newRow("three-digit day") << "123.1.2024" << QDate();
        QTest::newRow("five-digit year") << "1.1.20245" << QDate();
        QTest::newRow("mixed separators") << "1/1.2024" << QDate();
        QTest::newRow("no year") << "1.1" << QDate();
        QTest::newRow("stored form, no real day") << "2024-02-30" << QDate();
        QTest::newRow("stored form, year 5") << "0005-01-01" << QDate();
        QTest::newRow("empty") << "" << QDate();
    }
    void readsDates()
    {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QCOMPARE(tarihOku(text), date);
        // A date field set from text reads it the same way and refuses what is no date.
        QCOMPARE(FieldValue::asDate(text), date);
        const FieldInfo field{QStringLiteral("tarih"), FieldType::Date};
        if (date.isValid()) QCOMPARE(FieldValue::normalize(text, field).toDate(), date);
        else if (!text.isEmpty()) QVERIFY_THROWS_EXCEPTION(EngineError, FieldValue::normalize(text, field));
    }

    void readsDatesWithoutYear()
    {
        QCOMPARE(tarihOku("1.1", 2021), QDate(2021, 1, 1));
        QCOMPARE(tarihOku("5_.3_.____", 2021), QDate(2021, 3, 5));
        QCOMPARE(tarihOku("1.1xyz", 2021), QDate());
    }

    // A search condition keeps its lenient reading: a stray letter narrows nothing.
    void readsSearchNumbers()
    {
        QCOMPARE(rakamlariOku("12a"), 12);
        QCOMPARE(rakamlariOku("abc"), 0);
        QCOMPARE(rakamlariOku(" -7"), -7);
        QCOMPARE(rakamlariOku("1,2,3"), 123);
        QCOMPARE(rakamlariOku("-"), 0);
        QVERIFY_THROWS_EXCEPTION(EngineError, rakamlariOku("99999999999999999999"));
    }

    void foldsTurkishCase_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("upper");
        QTest::newRow("trimmed") << "  ışık  " << "ışık" << "IŞIK";
        QTest::newRow("dotted capital") << "İSTANBUL" << "istanbul" << "İSTANBUL";
        QTest::newRow("control characters trimmed") << "\tIĞDIR\r\n" << "ığdır" << "IĞDIR";
        QTest::newRow("every Turkish letter") << "ÇĞİIÖŞÜ çğiıöşü" << "çğiıöşü çğiıöşü" << "ÇĞİIÖŞÜ ÇĞİIÖŞÜ";
        QTest::newRow("others unchanged") << "Äb-1 ä" << "Äb-1 ä" << "ÄB-1 ä";
    }
    void foldsTurkishCase()
    {
        QFETCH(QString, text);
        QFETCH(QString, lower);
        QFETCH(QString, upper);
        QCOMPARE(turkceKucuk(text), lower);
        QCOMPARE(turkceBuyuk(text), upper);
    }

    void formatsNumbers_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("#,###.00 zero") << "#,###.00" << 0.0 << ",00";
        QTest::newRow("#,###.00 half") << "#,###.00" << 0.5 << ",50";
        QTest::newRow("#,###.00 thousands") << "#,###.00" << 1234.5 << "1.234,50";
        QTest::newRow("#,###.00 negative") << "#,###.00" << -1234.5 << "-1.234,50";
        QTest::newRow("#,##0.00 zero") << "#,##0.00" << 0.0 << "0,00";
        QTest::newRow("#,##0.00 millions") << "#,##0.00" << 1234567.891 << "1.234.567,89";
        QTest::newRow("#,##0.00 rounds half up") << "#,##0.00" << 1.005 << "1,01";
        QTest::newRow("#,##0.00 large whole amount") << "#,##0.00" << 5250000.0 << "5.250.000,00";
        QTest::newRow("#,##0.00 large adat") << "#,##0.00" << 11375000.0 << "11.375.000,00";
        QTest::newRow("#,##0.00 large just below half") << "#,##0.00" << 98765432.104 << "98.765.432,10";
        QTest::newRow("#,##0.00 carry") << "#,##0.00" << 999999.995 << "1.000.000,00";
        QTest::newRow("#,##0.00 negative rounds away") << "#,##0.00" << -2.345 << "-2,35";
        QTest::newRow("#,##0 huge") << "#,##0" << 1e20 << "100.000.000.000.000.000.000";
        QTest::newRow("#,##0.00 negative zero") << "#,##0.00" << -0.001 << "0,00";
        QTest::newRow("#,##0 count") << "#,##0" << 1234.0 << "1.234";
        QTest::newRow("#,##0 zero") << "#,##0" << 0.0 << "0";
        QTest::newRow("#,##0 rounds") << "#,##0" << 1.5 << "2";
        QTest::newRow("#,###.0000 rate") << "#,###.0000" << 4.5678 << "4,5678";
        QTest::newRow("#,###.0000 zero") << "#,###.0000" << 0.0 << ",0000";
        QTest::newRow("#,##0.0000 zero") << "#,##0.0000" << 0.0 << "0,0000";
        QTest::newRow("#,###.00000 cheque rate") << "#,###.00000" << 32.12345 << "32,12345";
        QTest::newRow("#,##0.00000") << "#,##0.00000" << 1234.5 << "1.234,50000";
        QTest::newRow("#,##0.000000 rates table") << "#,##0.000000" << 1.5 << "1,500000";
        QTest::newRow("#0.00 percentage") << "#0.00" << 5.0 << "5,00";
        QTest::newRow("#0.00 no thousands") << "#0.00" << 1234.5 << "1234,50";
    }
    void formatsNumbers()
    {
        QFETCH(QString, format);
        QFETCH(double, value);
        QFETCH(QString, shown);
        QCOMPARE(formatFloat(format, value), shown);
    }

    void formatsDatesAndValues()
    {
        const QDate d(2024, 3, 5);
        QCOMPARE(formatDate("dd.mm.yyyy", d), QStringLiteral("05.03.2024"));
        QCOMPARE(formatDate("dd/mm/yyyy", d), QStringLiteral("05/03/2024"));
        QCOMPARE(formatDate("dd.mm.yyyy", QDate()), QString());
        QCOMPARE(formatValue("dd.mm.yyyy", QVariant(d)), QStringLiteral("05.03.2024"));
        QCOMPARE(formatValue("#,##0.00", QVariant(qint64(1234))), QStringLiteral("1.234,00"));
        QCOMPARE(formatValue("#,##0.00", QVariant()), QString());
        QCOMPARE(formatValue("#,##0.00", QStringLiteral("metin")), QStringLiteral("metin"));
    }

    void writesLiterals()
    {
        QCOMPARE(sqlDate(QDate(2024, 12, 31)), QStringLiteral("#2024-12-31#"));
        QCOMPARE(sqlDate(QDate(2025, 1, 1)), QStringLiteral("#2025-1-1#"));
        QCOMPARE(sqlDate(QDate(2024, 3, 5)), QStringLiteral("#2024-3-5#"));
        QCOMPARE(sqlText("O'Brien"), QStringLiteral("'O''Brien'"));
        QCOMPARE(currencyCondition("para_birimi", kHepsi), QString());
        QCOMPARE(currencyCondition("para_birimi", QString()), QString());
        QCOMPARE(currencyCondition("para_birimi", "USD"), QStringLiteral("AND (para_birimi='USD')"));
        QCOMPARE(currencyCondition("doviz_cinsi", "EURO", "WHERE"), QStringLiteral("WHERE (doviz_cinsi='EURO')"));
    }

    // A list of TL and USD cheques: "Hepsi" shows both, "USD" only the USD one; a
    // quote typed into a search text neither breaks nor widens the statement.
    void currencyConditionFiltersAList()
    {
        TestHome home;
        home.openCompany("A1", 2024);
        Connection *db = &DataContext::instance().ADOConnection1;
        Table cheques(db, "cekgiris");
        cheques.open();
        for (const char *code : {"TL", "USD"}) {
            cheques.append();
            cheques.fieldByName("para_birimi").setValue(QString::fromLatin1(code));
            cheques.fieldByName("cek_tarihi").setValue(QDate(2024, 12, 31));
            cheques.fieldByName("alindigi_firma").setValue(QStringLiteral("O'Brien Ltd"));
            cheques.post();
        }
        const auto count = [db](const QString &code, const QString &name) {
            Query q(db);
            q.sql() << "SELECT * FROM cekgiris"
                    << "WHERE (cek_tarihi<=" + sqlDate(QDate(2024, 12, 31)) + ")";
            q.sql() << currencyCondition("para_birimi", code);
            q.sql() << "AND (alindigi_firma LIKE '%" + sqlEscape(name) + "%')";
            q.open();
            return q.recordCount();
        };
        QCOMPARE(count(kHepsi, "Brien"), 2);
        QCOMPARE(count("USD", "Brien"), 1);
        QCOMPARE(count(kHepsi, "O'Brien"), 2);
        QCOMPARE(count(kHepsi, "x' OR '1'='1"), 0);
    }
};

QTEST_MAIN(TestConventions)
#include "test_conventions.moc"
