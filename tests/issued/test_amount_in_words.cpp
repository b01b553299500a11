// The amount of a cheque in words, called directly.
#include "issued/amount_in_words.h"

#include <QLocale>
#include <QtTest>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace {

// Every call gets this as its text, so a row shows whether the text was replaced.
const QString kPrevious = QStringLiteral("önceki metin");

const QString k999 = QStringLiteral("DOKUZYÜZDOKSANDOKUZ");

} // namespace

class TestAmountInWords : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void words_data();
    void words();
    void sameUnderEveryLocale();
};

void TestAmountInWords::words_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("expected");

    // Amounts as a cheque writes them, lira and kuruş.
    QTest::newRow("1.234,56") << 0 << 1234.56 << QStringLiteral("BİNİKİYÜZOTUZDÖRT.TL / ELLİALTI.KR ");
    QTest::newRow("100") << 0 << 100.0 << QStringLiteral("YÜZ.TL / .KR ");
    QTest::newRow("1.000") << 0 << 1000.0 << QStringLiteral("BİN.TL / .KR ");
    QTest::newRow("1.100") << 0 << 1100.0 << QStringLiteral("BİNYÜZ.TL / .KR ");
    QTest::newRow("11.000") << 0 << 11000.0 << QStringLiteral("ONBİRBİN.TL / .KR ");
    QTest::newRow("101.000") << 0 << 101000.0 << QStringLiteral("YÜZBİRBİN.TL / .KR ");
    QTest::newRow("1.001.000") << 0 << 1001000.0 << QStringLiteral("BİRMİLYONBİN.TL / .KR ");
    QTest::newRow("250.000,75") << 0 << 250000.75 << QStringLiteral("İKİYÜZELLİBİN.TL / YETMİŞBEŞ.KR ");
    QTest::newRow("5,05") << 0 << 5.05 << QStringLiteral("BEŞ.TL / BEŞ.KR ");
    QTest::newRow("0,5") << 0 << 0.5 << QStringLiteral(".TL / ELLİ.KR ");
    QTest::newRow("12,345 cut") << 0 << 12.345 << QStringLiteral("ONİKİ.TL / OTUZDÖRT.KR ");

    // The modes.
    QTest::newRow("mode 1: lira only") << 1 << 1234.56 << QStringLiteral("BİNİKİYÜZOTUZDÖRT.TL ");
    QTest::newRow("mode 2: kuruş only") << 2 << 1234.56 << QStringLiteral("ELLİALTI.KR ");
    QTest::newRow("mode 3 keeps the text") << 3 << 1234.56 << kPrevious;
    QTest::newRow("mode -1 keeps the text") << -1 << 1234.56 << kPrevious;

    // Zero parts keep their separators; kuruş held just below the cent keep it.
    QTest::newRow("0") << 0 << 0.0 << QStringLiteral(".TL / .KR ");
    QTest::newRow("0,01") << 0 << 0.01 << QStringLiteral(".TL / BİR.KR ");
    QTest::newRow("0,29") << 0 << 0.29 << QStringLiteral(".TL / YİRMİDOKUZ.KR ");
    QTest::newRow("1,15") << 0 << 1.15 << QStringLiteral("BİR.TL / ONBEŞ.KR ");
    QTest::newRow("4,35") << 0 << 4.35 << QStringLiteral("DÖRT.TL / OTUZBEŞ.KR ");
    QTest::newRow("0,7 + 0,1 summed") << 0 << 0.7 + 0.1 << QStringLiteral(".TL / SEKSEN.KR ");
    QTest::newRow("0,999 cut") << 0 << 0.999 << QStringLiteral(".TL / DOKSANDOKUZ.KR ");
    QTest::newRow("1,005 cut") << 0 << 1.005 << QStringLiteral("BİR.TL / .KR ");
    QTest::newRow("0,00001 no exponent form") << 0 << 0.00001 << QStringLiteral(".TL / .KR ");

    // The groups: BİN alone only in the thousands group.
    QTest::newRow("1.001") << 0 << 1001.0 << QStringLiteral("BİNBİR.TL / .KR ");
    QTest::newRow("21.000") << 0 << 21000.0 << QStringLiteral("YİRMİBİRBİN.TL / .KR ");
    QTest::newRow("100.100") << 0 << 100100.0 << QStringLiteral("YÜZBİNYÜZ.TL / .KR ");
    QTest::newRow("2.001.000") << 0 << 2001000.0 << QStringLiteral("İKİMİLYONBİN.TL / .KR ");
    QTest::newRow("1.000.000.000") << 0 << 1e9 << QStringLiteral("BİRMİLYAR.TL / .KR ");
    QTest::newRow("1.000.000.000.000") << 0 << 1e12 << QStringLiteral("BİRTRİLYON.TL / .KR ");
    QTest::newRow("123.456.789.012,34") << 0 << 123456789012.34
        << QStringLiteral("YÜZYİRMİÜÇMİLYARDÖRTYÜZELLİALTIMİLYONYEDİYÜZSEKSENDOKUZBİNONİKİ.TL / OTUZDÖRT.KR ");
    QTest::newRow("999.999.999.999.999") << 0 << 999999999999999.0
        << k999 + "TRİLYON" + k999 + "MİLYAR" + k999 + "MİLYON" + k999 + "BİN" + k999 + ".TL / .KR ";

    // Beyond a cheque: up to below 10^18 with KATRİLYON, then the text is kept.
    QTest::newRow("10^15") << 0 << 1e15 << QStringLiteral("BİRKATRİLYON.TL / .KR ");
    QTest::newRow("999 x 10^15") << 0 << 999e15 << k999 + "KATRİLYON.TL / .KR ";
    QTest::newRow("10^18 keeps the text") << 0 << 1e18 << kPrevious;
    QTest::newRow("infinity keeps the text") << 0 << std::numeric_limits<double>::infinity() << kPrevious;
    QTest::newRow("NaN keeps the text") << 0 << std::numeric_limits<double>::quiet_NaN() << kPrevious;

    // Negative amounts: EKSİ before the words, unless what is written is zero.
    QTest::newRow("-1.234,56") << 0 << -1234.56 << QStringLiteral("EKSİBİNİKİYÜZOTUZDÖRT.TL / ELLİALTI.KR ");
    QTest::newRow("-5,50 mode 2") << 2 << -5.5 << QStringLiteral("EKSİELLİ.KR ");
    QTest::newRow("-0,50 mode 1") << 1 << -0.5 << QStringLiteral(".TL ");
    QTest::newRow("-0,001 cut to zero") << 0 << -0.001 << QStringLiteral(".TL / .KR ");
    QTest::newRow("-0") << 0 << -0.0 << QStringLiteral(".TL / .KR ");
}

void TestAmountInWords::words()
{
    QFETCH(int, mode);
    QFETCH(double, amount);
    QFETCH(QString, expected);
    QCOMPARE(tutariYaziyaCevir(mode, kPrevious, amount), expected);
}

// Neither the C library's locale nor Qt's default locale changes the words, also
// where the decimal separator is a comma.
void TestAmountInWords::sameUnderEveryLocale()
{
    const QList<double> amounts = {1234.56, 0.5, 4.35, 0.999, 12.345, 123456789012.34, 1e15, -250000.75, 0.00001};
    QStringList inC;
    for (double a : amounts) inC << tutariYaziyaCevir(0, QString(), a);
    QCOMPARE(inC.first(), QStringLiteral("BİNİKİYÜZOTUZDÖRT.TL / ELLİALTI.KR "));

    struct Restore {
        std::string cLocale = std::setlocale(LC_ALL, nullptr);
        QLocale qtLocale;
        ~Restore()
        {
            std::setlocale(LC_ALL, cLocale.c_str());
            QLocale::setDefault(qtLocale);
        }
    } restore;

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const char *switched = nullptr;
    for (const char *name : {"de_DE.UTF-8", "de_DE.utf8", "tr_TR.UTF-8", "tr_TR.utf8", "fr_FR.UTF-8", "fr_FR.utf8"})
        if ((switched = std::setlocale(LC_ALL, name))) break;
    if (switched)
        QCOMPARE(QString::fromLatin1(std::localeconv()->decimal_point), QStringLiteral(","));
    else
        qInfo("No C library locale with a decimal comma is installed; only Qt's default locale changes.");

    QStringList inOther;
    for (double a : amounts) inOther << tutariYaziyaCevir(0, QString(), a);
    QCOMPARE(inOther, inC);
}

QTEST_GUILESS_MAIN(TestAmountInWords)
#include "test_amount_in_words.moc"
