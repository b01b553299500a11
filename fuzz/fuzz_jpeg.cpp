// The JPEG decoder on any bytes: a picture or a refusal with a reason; a picture
// is within the size limits, decoded at the size asked for display no larger than
// the full one, and a stored form is kept only when it decodes.
#include "data/jpeg.h"
#include "fuzz_support.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QString error;
    const QImage full = Jpeg::decode(bytes, &error);
    if (full.isNull()) {
        if (error.isEmpty()) fuzz::fault("refused without a reason");
    } else {
        if (full.width() > Jpeg::kMaxSide || full.height() > Jpeg::kMaxSide) fuzz::fault("larger than the limit");
        const QImage small = Jpeg::decode(bytes, &error, QSize(64, 64));
        if (small.isNull()) fuzz::fault("decodes whole but not for display", error);
        if (small.width() > full.width() || small.height() > full.height()) fuzz::fault("display larger than the picture");
    }
    error.clear();
    const QByteArray stored = Jpeg::storedForm(bytes, &error);
    if (stored.isEmpty() && error.isEmpty()) fuzz::fault("no stored form and no reason");
    if (!stored.isEmpty() && Jpeg::picture(stored).isNull()) fuzz::fault("a stored form that does not show");
    return 0;
}
