#include "accounts/account_balance.h"

#include "data/dataset.h"
#include "data/display_format.h"

namespace AccountBalance {

double bakiye(double borc, double alacak) { return borc - alacak; }

QString isaret(double bakiye)
{
    // Sums of amounts in kuruş leave tiny remainders (0.1 + 0.2 - 0.3): those are zero.
    const double shown = roundKurus(bakiye);
    if (shown > 0) return QStringLiteral("B");
    if (shown < 0) return QStringLiteral("A");
    return QString();
}

double ofRecord(const Record &r, const QString &borcField, const QString &alacakField)
{
    return bakiye(r.asFloat(borcField), r.asFloat(alacakField));
}

} // namespace AccountBalance
