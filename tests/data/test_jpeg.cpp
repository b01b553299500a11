// JPEG pictures: decoded and encoded through TurboJPEG, every damage refused.
#include "data/jpeg.h"

#include <QBuffer>
#include <QPainter>
#include <QtTest>

namespace {

QImage sample()
{
    QImage image(120, 80, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.fillRect(0, 0, 60, 80, QColor(200, 30, 30));
    return image;
}

QByteArray png()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    sample().save(&buffer, "PNG");
    return bytes;
}

// A valid JPEG whose frame header claims another size.
QByteArray claimingSize(QByteArray jpeg, quint16 width, quint16 height)
{
    const int sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    if (sof < 0) return {};
    jpeg[sof + 5] = char(height >> 8);
    jpeg[sof + 6] = char(height & 0xFF);
    jpeg[sof + 7] = char(width >> 8);
    jpeg[sof + 8] = char(width & 0xFF);
    return jpeg;
}

} // namespace

class TestJpeg : public QObject {
    Q_OBJECT
private slots:
    void roundTrip();
    void damagedFilesRefused_data();
    void damagedFilesRefused();
    void storedForms();
};

void TestJpeg::roundTrip()
{
    QString error;
    const QByteArray jpeg = Jpeg::encode(sample(), 90, &error);
    QVERIFY2(Jpeg::looksLikeJpeg(jpeg), qPrintable(error));
    const QImage back = Jpeg::decode(jpeg, &error);
    QVERIFY2(!back.isNull(), qPrintable(error));
    QCOMPARE(back.size(), QSize(120, 80));
    const QColor left = back.pixelColor(20, 40), right = back.pixelColor(100, 40);
    QVERIFY(qAbs(left.red() - 200) < 12 && left.green() < 50);
    QVERIFY(right.red() > 240 && right.green() > 240);
}

void TestJpeg::damagedFilesRefused_data()
{
    const QByteArray good = Jpeg::encode(sample());
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("truncated") << good.left(good.size() / 2);
    QTest::newRow("header only") << good.left(200);
    QTest::newRow("text named .jpg") << QByteArray("Bu bir resim değil.\n");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("huge size claimed") << claimingSize(good, 60000, 60000);
    QTest::newRow("too many pixels") << claimingSize(good, 19000, 19000);
}

void TestJpeg::damagedFilesRefused()
{
    QFETCH(QByteArray, bytes);
    QString error;
    QVERIFY(Jpeg::decode(bytes, &error).isNull());
    QVERIFY(!error.isEmpty());
    error.clear();
    QVERIFY(Jpeg::storedForm(bytes, &error).isEmpty());
    QVERIFY(!error.isEmpty());
}

void TestJpeg::storedForms()
{
    // A JPEG is kept byte for byte; a PNG becomes a JPEG of its size.
    const QByteArray jpeg = Jpeg::encode(sample(), 75);
    QCOMPARE(Jpeg::storedForm(jpeg), jpeg);
    const QByteArray converted = Jpeg::storedForm(png());
    QVERIFY(Jpeg::looksLikeJpeg(converted));
    QCOMPARE(Jpeg::picture(converted).size(), QSize(120, 80));
    // An older row holding a PNG still shows.
    QCOMPARE(Jpeg::picture(png()).size(), QSize(120, 80));
    QString error;
    QVERIFY(Jpeg::picture(QByteArray(), &error).isNull());
    QVERIFY(Jpeg::encode(QImage(), 90, &error).isEmpty());
}

QTEST_MAIN(TestJpeg)
#include "test_jpeg.moc"
