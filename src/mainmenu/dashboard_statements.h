#pragma once
// The statements and sums of the main menu's dashboard, apart from the window so
// that tests and the benchmark run them directly.
#include <QDate>
#include <QStringList>

class Dataset;

namespace Dashboard {

inline const QString kDefaultOrder = QStringLiteral("ORDER BY cek_tarihi  ASC;");

// The three cheque lists of the due-date range from..to, both days included. The
// last line is the order line (orderBy empty: by due date).
QStringList portfolioStatement(const QDate &from, const QDate &to, const QString &orderBy = QString());
QStringList bankStatement(const QDate &from, const QDate &to, const QString &orderBy = QString());
QStringList ownChequeStatement(const QDate &from, const QDate &to, const QString &orderBy = QString());
// Account balances per name and currency (cash database); the debtor and creditor
// lists both run it and differ in their record filter.
QStringList balanceStatement();

// The TL value of a cheque: the amount times its rate unless it is in TL.
double tlValue(const QString &currency, double amount, double rate);

struct CurrencySums {
    double tl = 0;
    double usd = 0;
    double euro = 0;
    double tlEquivalent = 0;  // cheque lists only
};
// Sums a cheque list's visible rows: cek_tutari by para_birimi, the TL value of
// every row into tlEquivalent. Other currency codes count in none of the three.
CurrencySums sumCheques(const Dataset &list);
// Sums the calculated "bakiye" of a balance list's visible rows by doviz_cinsi.
CurrencySums sumBalances(const Dataset &list);

} // namespace Dashboard
