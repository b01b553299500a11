// JPEG pictures: decoded and encoded through TurboJPEG, every damage refused.
#include "data/jpeg.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QPainter>
#include <QtTest>

#include <cstdio>
#include <jpeglib.h>
#include <vector>

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

// A grey progressive JPEG of side x side pixels whose scan script sends each of
// the first `bands` AC coefficients on its own in 11 passes of one bit (the
// first at bit 10): 1 + 11 x bands scans, all valid.
QByteArray progressive(int side, int bands)
{
    std::vector<jpeg_scan_info> scans;
    scans.push_back({1, {0}, 0, 0, 0, 0});
    for (int k = 1; k <= bands; ++k) {
        scans.push_back({1, {0}, k, k, 0, 10});
        for (int al = 9; al >= 0; --al) scans.push_back({1, {0}, k, k, al + 1, al});
    }
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char *out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &out, &size);
    c.image_width = JDIMENSION(side);
    c.image_height = JDIMENSION(side);
    c.input_components = 1;
    c.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&c);
    c.scan_info = scans.data();
    c.num_scans = int(scans.size());
    jpeg_start_compress(&c, TRUE);
    std::vector<JSAMPLE> line(static_cast<size_t>(side));
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) line[size_t(x)] = JSAMPLE((x * 7 + y * 3) & 0xFF);
        JSAMPROW row = line.data();
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    QByteArray bytes(reinterpret_cast<const char *>(out), qsizetype(size));
    free(out);
    return bytes;
}

} // namespace

class TestJpeg : public QObject {
    Q_OBJECT
private slots:
    void roundTrip();
    void damagedFilesRefused_data();
    void damagedFilesRefused();
    void storedForms();
    void manyScansRefused();
    void decodedAtTheSizeShown_data();
    void decodedAtTheSizeShown();
};

// A progressive picture of more than 500 scans is refused before it takes its
// minutes; one of fewer scans is still shown.
void TestJpeg::manyScansRefused()
{
    const QByteArray many = progressive(1024, 60);  // 661 scans
    const QByteArray fewer = progressive(1024, 40); // 441 scans
    qInfo("661 scans: %lld bytes", qint64(many.size()));
    QElapsedTimer clock;
    clock.start();
    QString error;
    QVERIFY(Jpeg::decode(many, &error).isNull());
    const qint64 ms = clock.elapsed();
    qInfo("refused after %lld ms: %s", ms, qPrintable(error));
    QVERIFY2(error.startsWith(QStringLiteral("JPEG resmi çok fazla taramadan (scan) oluşuyor")), qPrintable(error));
    QVERIFY(ms < 3000);
    error.clear();
    QVERIFY(Jpeg::storedForm(many, &error).isEmpty());
    QVERIFY(!error.isEmpty());
    const QImage shown = Jpeg::decode(fewer, &error);
    QVERIFY2(!shown.isNull(), qPrintable(error));
    QCOMPARE(shown.size(), QSize(1024, 1024));
}

// A picture shown is decoded at the smallest scale that still covers its place.
void TestJpeg::decodedAtTheSizeShown_data()
{
    QTest::addColumn<QSize>("fit");
    QTest::addColumn<QSize>("decoded");
    QTest::newRow("no place given") << QSize() << QSize(4000, 2000);
    QTest::newRow("room for all of it") << QSize(5000, 5000) << QSize(4000, 2000);
    QTest::newRow("half the width") << QSize(2000, 2000) << QSize(2000, 1000);
    QTest::newRow("a little under half") << QSize(1900, 2000) << QSize(2000, 1000);
    QTest::newRow("a small label") << QSize(300, 300) << QSize(500, 250);
    QTest::newRow("height decides") << QSize(4000, 600) << QSize(1500, 750);
}

void TestJpeg::decodedAtTheSizeShown()
{
    QFETCH(QSize, fit);
    QFETCH(QSize, decoded);
    QImage big(4000, 2000, QImage::Format_RGB32);
    big.fill(QColor(10, 120, 200));
    const QByteArray jpeg = Jpeg::encode(big, 80);
    QString error;
    const QImage image = Jpeg::picture(jpeg, &error, fit);
    QVERIFY2(!image.isNull(), qPrintable(error));
    QCOMPARE(image.size(), decoded);
    QVERIFY(qAbs(image.pixelColor(decoded.width() / 2, decoded.height() / 2).blue() - 200) < 8);
}

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
