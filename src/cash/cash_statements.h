#pragma once
// The statements of the cash register view, line by line: the day list, the
// opening balance and the day's sums (in one currency or all added together), and
// the per-currency summary of a day. An empty currency or "Hepsi" puts no currency
// condition.
#include <QDate>
#include <QStringList>

namespace CashStatements {

bool currencyChosen(const QString &currency);

// One row per day with movements, newest first.
QStringList dayList(const QString &currency);
// BorcToplam, AlacakToplam of the movements before the day.
QStringList opening(const QString &currency, const QDate &day);
// The same sums for the day itself.
QStringList dayTotals(const QString &currency, const QDate &day);
// Per currency: GunBasi (positive amounts before the day), BorcToplam and
// AlacakToplam of the day.
QStringList currencySummary(const QDate &day);

// The summary grid's height for its row count: 50, 74 or 98 pixels.
int summaryHeight(int rows);

} // namespace CashStatements
