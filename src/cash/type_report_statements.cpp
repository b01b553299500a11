#include "cash/type_report_statements.h"

#include "data/display_format.h"
#include "data/sql_literals.h"

namespace TypeReportStatements {

QString amountField(Side side)
{
    return side == Side::Collections ? QStringLiteral("borc_tutar") : QStringLiteral("alacak_tutar");
}

QString sumField(Side side)
{
    return side == Side::Collections ? QStringLiteral("borctutartop") : QStringLiteral("alacaktutartop");
}

QStringList byType(Side side, const QDate &first, const QDate &last)
{
    const QString amount = amountField(side);
    return {QStringLiteral("SELECT neden, doviz_cinsi, SUM(%1) AS %2 FROM nakit WHERE %1>0").arg(amount, sumField(side)),
            QStringLiteral("AND (islem_tarihi<=") + sqlDate(last),
            QStringLiteral("and islem_tarihi>=") + sqlDate(first) + u')',
            QStringLiteral("GROUP BY neden, doviz_cinsi")};
}

QStringList detail(Side side, const QString &type, const QDate &first, const QDate &last)
{
    // The type list groups a missing type and an empty one alike under an empty
    // name: both are its movements.
    return {QStringLiteral("SELECT * FROM nakit"), QStringLiteral("where (islem_tarihi<=") + sqlDate(last),
            QStringLiteral("and islem_tarihi>=") + sqlDate(first) + u')',
            type.isEmpty() ? QStringLiteral("and (neden IS Null OR neden='')") : QStringLiteral("and neden=") + sqlText(type),
            QStringLiteral("and ") + amountField(side) + QStringLiteral(">0"), QStringLiteral("Order By islem_tarihi ASC")};
}

QString titleDate(const QDate &date) { return formatDate(QStringLiteral("d/m/yyyy"), date); }

QString range(const QDate &first, const QDate &last)
{
    return QStringLiteral("( ") + titleDate(first) + QStringLiteral(" - ") + titleDate(last) + QStringLiteral(" )");
}

QString reportDate(const QDate &first, const QDate &last)
{
    return QStringLiteral("Rapor Tarihi: ") + titleDate(first) + QStringLiteral(" - ") + titleDate(last);
}

} // namespace TypeReportStatements
