#pragma once
// JPEG pictures through TurboJPEG: decoding to a QImage and encoding one. Every
// error and warning of the library counts as a failure (a truncated file fails
// instead of showing a grey half picture), and the size a file states is checked
// before any memory is taken for its pixels.
#include <QByteArray>
#include <QImage>
#include <QString>

namespace Jpeg {

inline constexpr int kMaxSide = 20000;             // pixels on either side
inline constexpr qint64 kMaxPixels = 64'000'000;   // width × height

bool looksLikeJpeg(const QByteArray &bytes);  // starts with the JPEG marker

// Progressive pictures of more scans than the library's limit (500) are refused:
// each scan is a pass over the whole picture, and a few hundred KB of them can keep
// the program busy for minutes.

// The picture, or a null image with a Turkish reason. With fit, decoded at the
// library's smallest scale (1/8 to 1) that still covers fit once scaled down with
// its proportions kept: a picture shown is never decoded larger than its place.
QImage decode(const QByteArray &bytes, QString *error = nullptr, const QSize &fit = QSize());
// The image as JPEG (quality 1–100); empty with a reason when it cannot be made.
QByteArray encode(const QImage &image, int quality = 90, QString *error = nullptr);

// What a document keeps of a picture file: a JPEG byte for byte (once it decodes),
// another picture (BMP, PNG, ...) converted to JPEG. Empty with a reason when the
// bytes are no readable picture.
QByteArray storedForm(const QByteArray &fileBytes, QString *error = nullptr);
// A stored picture shown: JPEG (decoded for fit as decode does), or any other
// picture Qt reads (older rows).
QImage picture(const QByteArray &stored, QString *error = nullptr, const QSize &fit = QSize());

} // namespace Jpeg
