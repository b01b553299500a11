// Settings files kept as typed, and text files from Turkish Windows.
#include "data/ini_text.h"
#include "data/text_encoding.h"

#include <QTemporaryDir>
#include <QtTest>

class TestSettingsText : public QObject {
    Q_OBJECT
private slots:
    void valuesStayAsTyped();
    void sectionsAndKeysIgnoreCase();
    void savingKeepsOtherLinesAndFailsCleanly();
    void encodings_data();
    void encodings();
};

void TestSettingsText::valuesStayAsTyped()
{
    IniText ini;
    ini.setValue("Ayar", "ayfaiz", "1,5");
    ini.setValue("Ayar", "aciklama", "a=b; \"c\"\nd");
    ini.setValue("Yedek", "SonTumYedek", "05.03.2024");
    QCOMPARE(ini.text(), QStringLiteral("[Ayar]\r\nayfaiz=1,5\r\naciklama=a=b; \"c\" d\r\n\r\n[Yedek]\r\nSonTumYedek=05.03.2024\r\n"));
    const IniText back = IniText::parse(ini.text());
    QCOMPARE(back.value("Ayar", "ayfaiz"), QStringLiteral("1,5"));
    QCOMPARE(back.value("Ayar", "aciklama"), QStringLiteral("a=b; \"c\" d"));
    QCOMPARE(back.value("Ayar", "yok", "7"), QStringLiteral("7"));
    QVERIFY(!back.contains("Yedek", "ayfaiz"));
}

void TestSettingsText::sectionsAndKeysIgnoreCase()
{
    IniText ini = IniText::parse("; yorum\n[AYAR]\n AyFaiz = 2 \n\n[Diger]\nayfaiz=9\n");
    QCOMPARE(ini.value("ayar", "AYFAIZ"), QStringLiteral("2"));
    ini.setValue("Ayar", "ayfaiz", "3");
    ini.setValue("Ayar", "yilfaiz", "36");
    QCOMPARE(ini.text(), QStringLiteral("; yorum\r\n[AYAR]\r\nayfaiz=3\r\nyilfaiz=36\r\n\r\n[Diger]\r\nayfaiz=9\r\n"));
}

void TestSettingsText::savingKeepsOtherLinesAndFailsCleanly()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Ayarlar.ini");
    QCOMPARE(IniText::load(path).text(), QString());  // no file: empty
    IniText ini;
    ini.setValue("Ayar", "gun", "365");
    QVERIFY(ini.save(path));
    QCOMPARE(IniText::load(path).value("Ayar", "gun"), QStringLiteral("365"));
    QString error;
    QVERIFY(!ini.save(dir.filePath("yok/Ayarlar.ini"), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(IniText::load(path).value("Ayar", "gun"), QStringLiteral("365"));
}

void TestSettingsText::encodings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("utf-8") << QByteArray("\xc5\x9e" "EK\xc4\xb0\xc4\x9e") << QStringLiteral("ŞEKİĞ");
    QTest::newRow("utf-8 with mark") << QByteArray("\xef\xbb\xbf\xc3\xa7") << QStringLiteral("ç");
    QTest::newRow("windows-1254") << QByteArray("\xde\xdd\xd0\xfe\xfd\xf0\xe7\xf6\xfc\x80") << QStringLiteral("ŞİĞşığçöü€");
    QTest::newRow("plain") << QByteArray("abc;1,5") << QStringLiteral("abc;1,5");
}

void TestSettingsText::encodings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(TextEncoding::decode(bytes), text);
}

QTEST_APPLESS_MAIN(TestSettingsText)
#include "test_settings_text.moc"
