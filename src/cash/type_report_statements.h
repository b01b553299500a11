#pragma once
// The statements and texts of the cash type report: the collections (money in) or
// the payments (money out) of a period summed per transaction type and currency, and
// the movements of one type. The type name goes into the statement as a quoted
// text, so a name with an apostrophe finds its rows.
#include <QDate>
#include <QString>
#include <QStringList>

namespace TypeReportStatements {

enum class Side { Collections, Payments };

// The amount column of a side: borc_tutar (collections) or alacak_tutar (payments).
QString amountField(Side side);
// The sum column of a side's type list: borctutartop or alacaktutartop.
QString sumField(Side side);

// neden, doviz_cinsi and the sum per type and currency, over rows with an amount.
QStringList byType(Side side, const QDate &first, const QDate &last);
// Every field of the side's movements of one type in date order; an empty type
// stands for the movements without a type.
QStringList detail(Side side, const QString &type, const QDate &first, const QDate &last);

// A date of the titles: day/month/year without leading zeros.
QString titleDate(const QDate &date);
// "( 1/3/2024 - 31/3/2024 )".
QString range(const QDate &first, const QDate &last);
// "Rapor Tarihi: 1/3/2024 - 31/3/2024".
QString reportDate(const QDate &first, const QDate &last);

} // namespace TypeReportStatements
