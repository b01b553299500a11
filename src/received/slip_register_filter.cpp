#include "received/slip_register_filter.h"

#include "data/number_reading.h"
#include "data/turkish_text.h"

#include <QVariant>

namespace SlipRegister {

namespace {

bool between(const QString &value, const QString &low, const QString &high)
{
    return turkishCompare(value, low) >= 0 && turkishCompare(value, high) <= 0;
}

// A day range with both ends included; a missing date is outside every range.
bool inDays(const QDate &value, const QDate &from, const QDate &to)
{
    return value.isValid() && value > from.addDays(-1) && value < to.addDays(1);
}

} // namespace

bool accepts(const Filter &f, const SlipValues &s)
{
    if (f.byNumber) {
        const std::optional<double> wanted = sayiOkuDene(f.number);
        if (wanted && *wanted > 0 && double(s.number) != *wanted) return false;
    }
    if (f.byCode && !f.code.isEmpty() && !between(s.code, f.code, f.code + QStringLiteral("zzzzzzzzzzz")))
        return false;
    if (f.byCurrency && !f.currency.isEmpty() && s.currency != f.currency) return false;
    if (f.byDate && !inDays(s.date, f.from, f.to)) return false;
    if (f.byAverage && !inDays(s.averageDate, f.averageFrom, f.averageTo)) return false;
    if (f.byName) {
        const QString high = f.name + QStringLiteral("zzzzzzzzzzzzz");
        if (!between(s.name, f.name, high) && !between(s.name, turkceBuyuk(f.name), turkceBuyuk(high)))
            return false;
    }
    return true;
}

QVariant daysLeft(const QDate &averageDate, const QDate &reference)
{
    if (!averageDate.isValid() || !reference.isValid()) return QVariant();
    return QVariant(qint64(reference.daysTo(averageDate)));
}

} // namespace SlipRegister
