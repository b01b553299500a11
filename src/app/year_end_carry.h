#pragma once
// The year-end carry-over without windows: the closing sums of a year's cash file
// and the opening "DEVİR" entries they become in the next year's file.
#include <QList>
#include <QString>
#include <QVariant>
#include <optional>

class Connection;

namespace YearEnd {

inline const QString kMark = QStringLiteral("DEVİR");

// The cash of one currency over the year.
struct CashSum {
    QString currency;
    double debit = 0;   // money in
    double credit = 0;  // money out
};

// One account and currency over the year, named as its card names it.
struct AccountSum {
    QString code;
    QString name;
    QString currency;
    double debit = 0;
    double credit = 0;
};

// An opening amount: on the debit side when the balance is above 0, else on the
// credit side; the other side stays empty (an invalid QVariant).
struct Opening {
    QVariant debit;
    QVariant credit;
};

// The cash sums of a year's file, one per currency, in currency order.
QList<CashSum> cashSums(Connection &year);
// The account sums of a year's file, one per account code and currency (however
// many names the movements carry), ordered by name. The name comes from the
// account card of the company file; without a card, from the last movement.
QList<AccountSum> accountSums(Connection &year, Connection &company);

// The cash opening: in minus out, rounded to kuruş; 0 or less goes out as credit.
Opening cashOpening(const CashSum &sum);
// The account opening: debits minus credits rounded to kuruş; empty when that is 0.
std::optional<Opening> accountOpening(const AccountSum &sum);

// Writes the openings of year y into the next year's file as one transaction:
// one cash entry per currency (key neden + doviz_cinsi), one account movement
// per account and currency with a balance (key cari_kodu + fatura_seri +
// doviz_cinsi). "DEVİR" entries of that file no longer wanted (an account now at
// zero, a currency gone, a second entry of one key) are removed, so every run
// leaves exactly what a first run writes. Throws EngineError with nothing written.
void writeOpenings(Connection &nextYear, int y, const QList<CashSum> &cash, const QList<AccountSum> &accounts);

// The cash entry of a currency, through the cash register's writer: the row of
// the key ("DEVİR", the currency and the closing day in islem_vadesi, which only
// the carry-over writes) edited, or one appended. A user's row is never touched.
void writeCashOpeningRow(Connection &nextYear, const QString &currency, const QList<QPair<QString, QVariant>> &values);

} // namespace YearEnd
