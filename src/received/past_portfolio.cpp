#include "received/past_portfolio.h"

#include "data/sql_literals.h"

namespace ChequeList {
namespace {

// A date that is not set (null or an empty text, as the state reading counts it)
// or that falls after the day.
QString notByThen(const QString &field, const QString &next)
{
    return QStringLiteral("AND ((IFNULL(TRIM(%1),'')='') OR (%1>=%2))").arg(field, next);
}

} // namespace

QStringList portfolioOnDateLines(const QDate &day)
{
    // Compared with the next day, so a stored time of day still counts on its day.
    const QString next = sqlDate(day.addDays(1));
    return {QStringLiteral("WHERE (islem_tarihi<%1)").arg(next),
            notByThen(QStringLiteral("cek_tahsilat_tarihi"), next),
            notByThen(QStringLiteral("cek_iade_tarihi"), next),
            notByThen(QStringLiteral("cek_karsiliklsiz_tarihi"), next),
            // Endorsed away: an exit without a bank date. Without a stored exit
            // date the cheque counts as gone since it is gone now.
            QStringLiteral("AND ((cek_ciro_id IS NULL) OR (IFNULL(TRIM(cek_banka_tarihi),'')<>'') "
                           "OR (IFNULL(TRIM(cek_ciro_tarihi),'')<>'' AND cek_ciro_tarihi>=%1))")
                .arg(next)};
}

} // namespace ChequeList
