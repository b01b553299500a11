#include "data/number_reading.h"

#include "data/engine_error.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace {

constexpr QChar kDecimal = u',';

enum class Verdict { Number, NotANumber, TooLong };

bool isCurrencyWord(QStringView word)
{
    for (const char *name : {"TL", "YTL", "USD", "EUR", "EURO"})
        if (word.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) return true;
    return false;
}

// The digits a kept number is written with, zeros before its integer part and
// after its fraction aside ("-0012.500" has 3, "0.0001" has 4): at most 15 keeps
// every number readable exactly, from 1e-15 up to 1e15.
int significantDigits(const std::string &kept)
{
    const auto point = kept.find('.');
    const std::string whole = kept.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : kept.substr(point + 1);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    const auto first = whole.find_first_of("123456789");
    const std::size_t wholeDigits = first == std::string::npos ? 0 : whole.size() - first;
    return int(wholeDigits + fraction.size());
}

// What sayiOku keeps of the text: the sign, the digits and the decimal separator
// (as "." for the C conversion). Any character that would make the number another
// one than the user meant refuses the text instead of being dropped.
Verdict scan(const QString &text, std::string &kept)
{
    kept.clear();
    const QString t = text.trimmed();
    bool currency = false;       // a currency name or sign was met
    bool afterNumber = false;    // ... and it came after the number
    bool digits = false;
    int separators = 0;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t[i];
        if (i == 0 && (c == u'+' || c == u'-')) {
            kept += char(c.unicode());
        } else if (c >= u'0' && c <= u'9') {
            if (afterNumber) return Verdict::NotANumber;  // "12 TL 5"
            digits = true;
            kept += char(c.unicode());
        } else if (c == kDecimal) {
            if (afterNumber || ++separators > 1) return Verdict::NotANumber;
            kept += '.';
        } else if (c == u'.' || c == u'_' || c.isSpace()) {
            // thousands marks, blanks of an input mask, spaces
        } else if (c.isLetter() || c.category() == QChar::Symbol_Currency) {
            qsizetype end = i + 1;
            if (c.isLetter())
                while (end < t.size() && t[end].isLetter()) ++end;
            const QStringView word = QStringView(t).mid(i, end - i);
            if (currency || !(c.isLetter() ? isCurrencyWord(word) : word.size() == 1)) return Verdict::NotANumber;
            currency = true;
            afterNumber = digits || separators > 0;
            i = end - 1;
        } else {
            return Verdict::NotANumber;  // "(100)", "100-", "1/2", "%5"
        }
    }
    if (kept.empty()) return Verdict::Number;
    if (!digits) return Verdict::NotANumber;  // "-", "+ TL", "-,"
    if (significantDigits(kept) > kMaxSignificantDigits) return Verdict::TooLong;
    return Verdict::Number;
}

QString shown(const QString &text)
{
    const QString t = text.trimmed();
    return t.size() > 40 ? t.left(40) + QStringLiteral("…") : t;
}

[[noreturn]] void refuse(const QString &text, Verdict verdict)
{
    if (verdict == Verdict::TooLong)
        throw EngineError(QStringLiteral("'%1' geçerli bir sayı değil: bir sayı en çok %2 basamaklı olabilir.")
                              .arg(shown(text))
                              .arg(kMaxSignificantDigits));
    throw EngineError(QStringLiteral("'%1' geçerli bir sayı değil.").arg(shown(text)));
}

std::optional<double> convert(const std::string &kept)
{
    if (kept.empty()) return 0.0;
    // from_chars ignores the locale and is many times faster than QString's
    // conversion, which matters on every grid cell of a slip.
    const char *first = kept.data(), *last = kept.data() + kept.size();
    if (*first == '+') ++first;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last) return std::nullopt;
    return value;
}

} // namespace

double sayiOku(const QString &text)
{
    std::string kept;
    const Verdict verdict = scan(text, kept);
    if (verdict != Verdict::Number) refuse(text, verdict);
    const auto value = convert(kept);
    if (!value) refuse(text, Verdict::NotANumber);
    return *value;
}

std::optional<double> sayiOkuDene(const QString &text)
{
    std::string kept;
    if (scan(text, kept) != Verdict::Number) return std::nullopt;
    return convert(kept);
}

// The sign and digits kept from text as a whole number; text names it in the message.
static qint64 wholeNumber(const QString &text, const std::string &kept)
{
    const char *first = kept.data(), *last = kept.data() + kept.size();
    if (*first == '+') ++first;
    qint64 value = 0;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last) refuse(text, Verdict::NotANumber);
    return value;
}

qint64 tamSayiOku(const QString &text)
{
    std::string kept;
    const Verdict verdict = scan(text, kept);
    if (verdict != Verdict::Number) refuse(text, verdict);
    kept.erase(std::remove(kept.begin(), kept.end(), '.'), kept.end());
    if (kept.empty()) return 0;
    if (significantDigits(kept) > kMaxSignificantDigits) refuse(text, Verdict::TooLong);
    return wholeNumber(text, kept);
}

qint64 rakamlariOku(const QString &text)
{
    std::string kept;
    const QString t = text.trimmed();
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t[i];
        if (i == 0 && (c == u'+' || c == u'-')) kept += char(c.unicode());
        else if (c >= u'0' && c <= u'9') kept += char(c.unicode());
    }
    if (kept.find_first_of("0123456789") == std::string::npos) return 0;
    return wholeNumber(text, kept);
}
