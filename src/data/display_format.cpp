#include "data/display_format.h"

#include "data/field_value.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

QString formatFloat(const QString &fullFormat, double value)
{
    // Only the first section (before ";") is used.
    const QString format = fullFormat.section(u';', 0, 0);
    const qsizetype dot = format.indexOf(u'.');
    const QString intPart = dot < 0 ? format : format.left(dot);
    const QString fracPart = dot < 0 ? QString() : format.mid(dot + 1);
    const bool thousands = intPart.contains(u',');
    const int minInt = int(intPart.count(u'0'));
    const int minFrac = int(fracPart.count(u'0'));
    const int maxFrac = minFrac + int(fracPart.count(u'#'));

    const bool negative = value < 0;
    // Round half away from zero on the shortest decimal text that reads back as the
    // value: 1,005 is "1.005" and shows 1,01 as a reader expects, and a large
    // amount (5.250.000,00) never gains a cent from binary noise.
    const QString shortest = QString::number(std::fabs(value), 'f', QLocale::FloatingPointShortest);
    const qsizetype point = shortest.indexOf(u'.');
    QString digits = point < 0 ? shortest : shortest.left(point);
    QString decimals = point < 0 ? QString() : shortest.mid(point + 1);
    const bool roundUp = decimals.size() > maxFrac && decimals[maxFrac] >= u'5';
    decimals = decimals.left(maxFrac);
    while (decimals.size() < maxFrac) decimals += u'0';
    digits += decimals;
    if (roundUp) {
        qsizetype i = digits.size() - 1;
        while (i >= 0 && digits[i] == u'9') digits[i--] = u'0';
        if (i < 0) digits.prepend(u'1');
        else digits[i] = QChar(digits[i].unicode() + 1);
    }
    while (digits.size() <= maxFrac) digits.prepend(u'0');
    QString integer = digits.left(digits.size() - maxFrac);
    QString fraction = digits.right(maxFrac);
    const bool isZero = std::all_of(digits.begin(), digits.end(), [](QChar c) { return c == u'0'; });
    while (fraction.size() > minFrac && fraction.endsWith(u'0')) fraction.chop(1);

    qsizetype zeros = 0;
    while (zeros < integer.size() && integer[zeros] == u'0') ++zeros;
    integer.remove(0, zeros);
    while (integer.size() < minInt) integer.prepend(u'0');
    if (thousands) {
        for (qsizetype i = integer.size() - 3; i > 0; i -= 3) integer.insert(i, u'.');
    }
    QString out = integer;
    if (!fraction.isEmpty()) out += u',' + fraction;
    if (negative && !isZero) out.prepend(u'-');
    return out;
}

QString formatDate(const QString &format, const QDate &date)
{
    if (!date.isValid()) return {};
    // Delphi's "mm" is the month; Qt wants "MM".
    QString qt = format;
    qt.replace(QStringLiteral("mm"), QStringLiteral("MM"));
    if (!qt.contains(QStringLiteral("MM"))) qt.replace(u'm', u'M');
    return date.toString(qt);
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
