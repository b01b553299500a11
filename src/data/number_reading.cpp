#include "data/number_reading.h"

#include "data/engine_error.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace {

constexpr QChar kDecimal = u',';

// The characters sayiOku keeps, with "," turned into "." for the C conversion.
std::string keptCharacters(const QString &text, bool decimals)
{
    std::string kept;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (i == 0 && (c == u'+' || c == u'-')) kept += char(c.unicode());
        else if (c >= u'0' && c <= u'9') kept += char(c.unicode());
        else if (decimals && c == kDecimal) kept += '.';
    }
    return kept;
}

[[noreturn]] void notANumber(const QString &text)
{
    throw EngineError(QStringLiteral("'%1' geçerli bir sayı değil.").arg(text.trimmed()));
}

} // namespace

double sayiOku(const QString &text)
{
    const std::string kept = keptCharacters(text, true);
    if (kept.empty()) return 0.0;
    // strtod would accept a prefix of "1.2.3"; the whole text must be one number,
    // with at least one digit and at most one decimal separator.
    const auto separators = std::count(kept.begin(), kept.end(), '.');
    const bool hasDigit = kept.find_first_of("0123456789") != std::string::npos;
    if (separators > 1 || !hasDigit) notANumber(text);
    // from_chars ignores the locale and is many times faster than QString's
    // conversion, which matters on every grid cell of a slip.
    const char *first = kept.data(), *last = kept.data() + kept.size();
    if (*first == '+') ++first;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last) notANumber(text);
    return value;
}

qint64 tamSayiOku(const QString &text)
{
    const std::string kept = keptCharacters(text, false);
    if (kept.empty()) return 0;
    if (kept.find_first_of("0123456789") == std::string::npos) notANumber(text);
    const char *first = kept.data(), *last = kept.data() + kept.size();
    if (*first == '+') ++first;
    qint64 value = 0;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last) notANumber(text);
    return value;
}
