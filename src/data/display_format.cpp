#include "data/display_format.h"

#include "data/field_value.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

double roundKurus(double value)
{
    if (!std::isfinite(value)) return value;
    char text[400];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, std::fabs(value), std::chars_format::fixed);
    if (ec != std::errc()) return value;
    const char *point = std::find(text, end, '.');
    if (point == end || end - point <= 3) return value;  // two decimals or fewer already
    std::string digits(static_cast<const char *>(text), point);
    digits += point[1];
    digits += point[2];
    if (point[3] >= '5') {
        int i = int(digits.size()) - 1;
        while (i >= 0 && digits[size_t(i)] == '9') digits[size_t(i--)] = '0';
        if (i < 0) digits.insert(digits.begin(), '1');
        else ++digits[size_t(i)];
    }
    digits.insert(digits.size() - 2, 1, '.');
    double rounded = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), rounded);
    return value < 0 ? -rounded : rounded;
}

QString formatFloat(const QString &fullFormat, double value)
{
    // The pattern: only the first section (before ";") is used.
    bool thousands = false, afterPoint = false;
    int minInt = 0, minFrac = 0, maxFrac = 0;
    for (QChar c : fullFormat) {
        if (c == u';') break;
        if (c == u'.') afterPoint = true;
        else if (!afterPoint && c == u',') thousands = true;
        else if (!afterPoint && c == u'0') ++minInt;
        else if (afterPoint && c == u'0') ++minFrac, ++maxFrac;
        else if (afterPoint && c == u'#') ++maxFrac;
    }
    if (!std::isfinite(value)) return QString::number(value);

    // Round half away from zero on the shortest decimal text that reads back as the
    // value: 1,005 is "1.005" and shows 1,01 as a reader expects, and a large
    // amount (5.250.000,00) never gains a cent from binary noise.
    char text[400];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, std::fabs(value), std::chars_format::fixed);
    if (ec != std::errc()) return QString::number(value);
    const char *point = std::find(text, end, '.');
    std::string digits(static_cast<const char *>(text), point);
    const char *decimals = point == end ? end : point + 1;
    const int decimalCount = int(end - decimals);
    for (int i = 0; i < maxFrac; ++i) digits += i < decimalCount ? decimals[i] : '0';
    if (decimalCount > maxFrac && decimals[maxFrac] >= '5') {
        int i = int(digits.size()) - 1;
        while (i >= 0 && digits[size_t(i)] == '9') digits[size_t(i--)] = '0';
        if (i < 0) digits.insert(digits.begin(), '1');
        else ++digits[size_t(i)];
    }
    const bool isZero = digits.find_first_not_of('0') == std::string::npos;
    if (int(digits.size()) <= maxFrac) digits.insert(0, size_t(maxFrac + 1) - digits.size(), '0');
    std::string integer = digits.substr(0, digits.size() - size_t(maxFrac));
    std::string fraction = digits.substr(digits.size() - size_t(maxFrac));
    while (int(fraction.size()) > minFrac && fraction.back() == '0') fraction.pop_back();
    integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size()));
    if (int(integer.size()) < minInt) integer.insert(0, size_t(minInt) - integer.size(), '0');

    std::string out;
    out.reserve(integer.size() + integer.size() / 3 + fraction.size() + 3);
    if (value < 0 && !isZero) out += '-';
    for (size_t i = 0; i < integer.size(); ++i) {
        if (thousands && i > 0 && (integer.size() - i) % 3 == 0) out += '.';
        out += integer[i];
    }
    if (!fraction.empty()) out += ',' + fraction;
    return QString::fromLatin1(out.data(), qsizetype(out.size()));
}

QString monthName(int month)
{
    static const char *const names[] = {"Ocak", "Şubat", "Mart",  "Nisan", "Mayıs",  "Haziran",
                                        "Temmuz", "Ağustos", "Eylül", "Ekim",  "Kasım", "Aralık"};
    if (month < 1 || month > 12) return {};
    return QString::fromUtf8(names[month - 1]);
}

QString dayName(int dayOfWeek)
{
    static const char *const names[] = {"Pazartesi", "Salı", "Çarşamba", "Perşembe", "Cuma", "Cumartesi", "Pazar"};
    if (dayOfWeek < 1 || dayOfWeek > 7) return {};
    return QString::fromUtf8(names[dayOfWeek - 1]);
}

QString formatDate(const QString &format, const QDate &date)
{
    if (!date.isValid()) return {};
    // The names stand in as marks Qt leaves alone, put in after Qt's formatting (Qt
    // would name them in English).
    constexpr QChar kMonthMark(0xE001), kDayMark(0xE002);
    QString qt = format;
    qt.replace(QStringLiteral("mmmm"), QString(kMonthMark));
    qt.replace(QStringLiteral("dddd"), QString(kDayMark));
    // Delphi's "mm" is the month; Qt wants "MM".
    qt.replace(QStringLiteral("mm"), QStringLiteral("MM"));
    if (!qt.contains(QStringLiteral("MM"))) qt.replace(u'm', u'M');
    QString out = date.toString(qt);
    out.replace(kMonthMark, monthName(date.month()));
    out.replace(kDayMark, dayName(date.dayOfWeek()));
    return out;
}

QString formatValue(const QString &format, const QVariant &value)
{
    if (!value.isValid() || value.isNull()) return {};
    switch (value.typeId()) {
    case QMetaType::QDate:
        return formatDate(format.isEmpty() ? QStringLiteral("dd.mm.yyyy") : format, value.toDate());
    case QMetaType::QDateTime:
        return formatDate(format.isEmpty() ? QStringLiteral("dd.mm.yyyy") : format, value.toDateTime().date());
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        if (format.isEmpty()) return FieldValue::asString(value);
        return formatFloat(format, value.toDouble());
    default: return value.toString();
    }
}
