#pragma once
// Text files written by the program are UTF-8. Files from Turkish Windows come in
// Windows-1254; a file that is not valid UTF-8 is read as that.
#include <QByteArray>
#include <QString>

namespace TextEncoding {

bool isValidUtf8(const QByteArray &bytes);
QString fromWindows1254(const QByteArray &bytes);
// UTF-8 when the bytes are valid UTF-8 (a leading byte-order mark dropped), else Windows-1254.
QString decode(const QByteArray &bytes);

} // namespace TextEncoding
