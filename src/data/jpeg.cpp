#include "data/jpeg.h"

#include <turbojpeg.h>

namespace Jpeg {
namespace {

void setError(QString *error, const QString &text)
{
    if (error) *error = text;
}

struct Handle {
    tjhandle h;
    explicit Handle(tjhandle handle) : h(handle) {}
    ~Handle()
    {
        if (h) tjDestroy(h);
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
};

QString libraryText(tjhandle h) { return QString::fromLocal8Bit(tjGetErrorStr2(h)); }

// The reason of a failed decoding in Turkish, the library's own text after it for support.
QString decodeFailure(tjhandle h)
{
    const QString text = libraryText(h);
    if (text.contains(QLatin1String("scans"), Qt::CaseInsensitive))
        return QStringLiteral("JPEG resmi çok fazla taramadan (scan) oluşuyor; bu kadar taramalı bir resim "
                              "açılırken programı uzun süre meşgul eder. Resmi başka bir programda açıp "
                              "yeniden kaydedin. (%1)").arg(text);
    if (text.contains(QLatin1String("premature end"), Qt::CaseInsensitive))
        return QStringLiteral("JPEG resmi yarım: dosyanın sonu eksik. (%1)").arg(text);
    return QStringLiteral("JPEG resmi bozuk. (%1)").arg(text);
}

// The scale a picture of width x height is decoded at to cover fit: the smallest of
// the library's factors not above 1 whose result is at least the shown size.
tjscalingfactor scaleFor(int width, int height, const QSize &fit)
{
    tjscalingfactor best{1, 1};
    if (!fit.isValid() || fit.isEmpty() || (width <= fit.width() && height <= fit.height())) return best;
    const double shown = qMin(double(fit.width()) / width, double(fit.height()) / height);
    int count = 0;
    const tjscalingfactor *factors = tjGetScalingFactors(&count);
    for (int i = 0; factors && i < count; ++i) {
        const tjscalingfactor f = factors[i];
        if (f.num > f.denom) continue;
        const double value = double(f.num) / f.denom;
        if (value + 1e-9 >= shown && value < double(best.num) / best.denom) best = f;
    }
    return best;
}

} // namespace

bool looksLikeJpeg(const QByteArray &bytes)
{
    return bytes.size() >= 3 && uchar(bytes[0]) == 0xFF && uchar(bytes[1]) == 0xD8 && uchar(bytes[2]) == 0xFF;
}

QImage decode(const QByteArray &bytes, QString *error, const QSize &fit)
{
    if (!looksLikeJpeg(bytes)) {
        setError(error, QStringLiteral("Dosya bir JPEG resmi değil."));
        return {};
    }
    Handle d(tjInitDecompress());
    if (!d.h) {
        setError(error, QStringLiteral("JPEG çözücü başlatılamadı."));
        return {};
    }
    const auto *src = reinterpret_cast<const unsigned char *>(bytes.constData());
    const auto size = static_cast<unsigned long>(bytes.size());
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    if (tjDecompressHeader3(d.h, src, size, &width, &height, &subsampling, &colourspace) != 0) {
        setError(error, QStringLiteral("JPEG resmi okunamadı: %1").arg(libraryText(d.h)));
        return {};
    }
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || qint64(width) * height > kMaxPixels) {
        setError(error, QStringLiteral("JPEG resmi çok büyük (%1 × %2).").arg(width).arg(height));
        return {};
    }
    const tjscalingfactor scale = scaleFor(width, height, fit);
    const int w = TJSCALED(width, scale), h = TJSCALED(height, scale);
    QImage image(w, h, QImage::Format_RGBX8888);
    if (image.isNull()) {
        setError(error, QStringLiteral("JPEG resmi için bellek ayrılamadı."));
        return {};
    }
    if (tjDecompress2(d.h, src, size, image.bits(), w, int(image.bytesPerLine()), h, TJPF_RGBX,
                      TJFLAG_STOPONWARNING | TJFLAG_ACCURATEDCT | TJFLAG_LIMITSCANS) != 0) {
        setError(error, decodeFailure(d.h));
        return {};
    }
    return image;
}

QByteArray encode(const QImage &image, int quality, QString *error)
{
    if (image.isNull()) {
        setError(error, QStringLiteral("Resim yok."));
        return {};
    }
    if (image.width() > kMaxSide || image.height() > kMaxSide) {
        setError(error, QStringLiteral("Resim çok büyük."));
        return {};
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGBX8888);
    Handle c(tjInitCompress());
    if (!c.h) {
        setError(error, QStringLiteral("JPEG kodlayıcı başlatılamadı."));
        return {};
    }
    unsigned char *out = nullptr;
    unsigned long outSize = 0;
    if (tjCompress2(c.h, rgb.constBits(), rgb.width(), int(rgb.bytesPerLine()), rgb.height(), TJPF_RGBX, &out, &outSize,
                    TJSAMP_420, qBound(1, quality, 100), TJFLAG_ACCURATEDCT) != 0) {
        setError(error, QStringLiteral("JPEG resmi yazılamadı: %1").arg(libraryText(c.h)));
        tjFree(out);
        return {};
    }
    QByteArray bytes(reinterpret_cast<const char *>(out), qsizetype(outSize));
    tjFree(out);
    return bytes;
}

QByteArray storedForm(const QByteArray &fileBytes, QString *error)
{
    if (looksLikeJpeg(fileBytes)) {
        if (decode(fileBytes, error).isNull()) return {};
        return fileBytes;
    }
    QImage other;
    if (!other.loadFromData(fileBytes) || other.isNull()) {
        setError(error, QStringLiteral("Dosya okunabilen bir resim değil."));
        return {};
    }
    return encode(other, 90, error);
}

QImage picture(const QByteArray &stored, QString *error, const QSize &fit)
{
    if (stored.isEmpty()) {
        setError(error, QStringLiteral("Resim yok."));
        return {};
    }
    if (looksLikeJpeg(stored)) return decode(stored, error, fit);
    QImage other;
    if (!other.loadFromData(stored) || other.isNull()) {
        setError(error, QStringLiteral("Kayıtlı resim okunamadı."));
        return {};
    }
    return other;
}

} // namespace Jpeg
