// The number readers on any text: they read a number or refuse with an
// EngineError, agree with each other (the lenient search reading too), never give
// a number an amount cannot hold, and read back what the amount format writes.
#include "data/display_format.h"
#include "data/engine_error.h"
#include "data/number_reading.h"
#include "fuzz_support.h"

#include <cmath>
#include <cstdint>
#include <optional>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    std::optional<double> real;
    std::optional<qint64> whole;
    try {
        real = sayiOku(text);
    } catch (const EngineError &) {
    }
    try {
        whole = tamSayiOku(text);
    } catch (const EngineError &) {
    }
    try {
        // The lenient search reading takes what the strict one takes, as the same number.
        const qint64 digits = rakamlariOku(text);
        if (whole && digits != *whole) fuzz::fault("the search reading differs", text);
    } catch (const EngineError &) {
        if (whole) fuzz::fault("the search reading refuses a number", text);
    }
    if (sayiOkuDene(text) != real) fuzz::fault("sayiOkuDene and sayiOku differ", text);
    if (whole && !real) fuzz::fault("tamSayiOku read what sayiOku refuses", text);
    if (!real) return 0;
    if (!std::isfinite(*real) || std::fabs(*real) >= 1e15) fuzz::fault("more than an amount holds", text);
    if (whole && !text.contains(u',') && double(*whole) != *real) fuzz::fault("the readers disagree", text);
    // What the grids show reads back as the amount, to the cent.
    const QString shown = formatFloat(QStringLiteral("#,##0.00"), *real);
    const auto back = sayiOkuDene(shown);
    if (!back || std::fabs(*back - *real) > 0.005 + std::fabs(*real) * 4e-15)
        fuzz::fault("the shown amount reads back as another", text + QStringLiteral(" -> ") + shown);
    return 0;
}
