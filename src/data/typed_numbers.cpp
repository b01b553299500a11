#include "data/typed_numbers.h"

#include "data/engine_error.h"

#include <cmath>

double strictNumber(const QString &raw)
{
    QString s = raw;
    s.remove(u' ');
    if (s.isEmpty()) return 0.0;
    const QString original = s;
    if (s.contains(u',')) {
        s.remove(u'.');
        s.replace(u',', u'.');
    }
    bool ok = false;
    const double v = s.toDouble(&ok);
    if (!ok) throw EngineError(QStringLiteral("'%1' geçerli bir sayı değil.").arg(original));
    return v;
}

qint64 strictInteger(const QString &raw)
{
    bool ok = false;
    const qint64 v = raw.trimmed().toLongLong(&ok);
    if (!ok) throw EngineError(QStringLiteral("'%1' geçerli bir tamsayı değil.").arg(raw));
    return v;
}

int roundHalfEven(double value) { return int(std::nearbyint(value)); }
