#pragma once
// The statements and list steps of the account movements window, apart from the
// window so that tests and the benchmark run them directly. Dates go in as date
// literals of their day; account codes and currencies through sqlText, so a code
// holding a quote finds its own rows and nothing else.
#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>

class Dataset;

namespace Ledger {

// The account list as of a day (that day included): sums per code, currency and
// stored name, ordered by name in the list's direction. currency "Hepsi" (or
// empty) puts no condition.
QStringList accountListStatement(const QDate &asOf, const QString &currency, const QString &direction);
// The account list's totals per currency.
QStringList accountTotalsStatement(const QDate &asOf, const QString &currency, const QString &direction);
// One account's sums before the first day (carried forward).
QStringList carriedForwardStatement(const QString &code, const QDate &first, const QString &currency);
// One account's sums up to the last day, that day included.
QStringList upToEndStatement(const QString &code, const QDate &last, const QString &currency);
// One account's movements from the first to the last day, oldest first.
QStringList periodStatement(const QString &code, const QDate &first, const QDate &last, const QString &currency);
// One account's period sums per currency, in the account list's direction.
QStringList periodTotalsStatement(const QString &code, const QDate &first, const QDate &last,
                                  const QString &currency, const QString &direction);
// Every movement of the file, ordered by one field (a title click on the movement grid).
QStringList allMovementsStatement(const QString &field, const QString &direction);
// The main menu's debtor and creditor lists: balances per stored name and currency.
QStringList balancesByNameStatement();

// The height of a per-currency totals grid for its row count: 1 row 50 px, 2 rows
// 70, 3 rows 90, more 110; no row keeps the present height.
int totalsGridHeight(int rows, int present);

// The running balance of a movement list, worked out once in list order: for each
// row of the account (by chid), the carried-forward balance plus debits minus
// credits from the first row up to that row. Rows of other accounts get none.
QHash<qint64, double> runningBalances(const Dataset &movements, const QString &code, double carriedForward);

// The search over the account list: from the row after the current one, wrapping
// round, the first row whose folded cari_hesap_adi contains the folded text
// becomes current. Returns false and stays put when none does (an empty text
// matches every name, as a containment test does).
bool searchAccounts(Dataset &accounts, const QString &text);

} // namespace Ledger
