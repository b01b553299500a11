#include "data/text_encoding.h"

#include <QStringDecoder>

namespace TextEncoding {

bool isValidUtf8(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString s = utf8(bytes);
    return !utf8.hasError();
}

QString fromWindows1254(const QByteArray &bytes)
{
    // 0x80–0x9F as Windows-1252; above, Latin-1 except the six Turkish letters.
    static const char16_t high[32] = {
        0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0xFFFD, 0x0178};
    QString out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        char16_t u = b;
        if (b >= 0x80 && b < 0xA0) u = high[b - 0x80];
        else if (b == 0xD0) u = 0x011E;  // Ğ
        else if (b == 0xDD) u = 0x0130;  // İ
        else if (b == 0xDE) u = 0x015E;  // Ş
        else if (b == 0xF0) u = 0x011F;  // ğ
        else if (b == 0xFD) u = 0x0131;  // ı
        else if (b == 0xFE) u = 0x015F;  // ş
        out.append(QChar(u));
    }
    return out;
}

QString decode(const QByteArray &bytes)
{
    if (!isValidUtf8(bytes)) return fromWindows1254(bytes);
    QString s = QString::fromUtf8(bytes);
    if (s.startsWith(QChar(0xFEFF))) s.remove(0, 1);
    return s;
}

} // namespace TextEncoding
