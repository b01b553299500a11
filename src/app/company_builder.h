#pragma once
// Writes a company's slips and cheque operations through the program's own save
// and operation functions, as a user at the windows would: the entry and exit
// slip saves, the collection (with its cash row), the return, the take-back of a
// given or own cheque. The demo company, the benchmarks' company and the tests'
// fixtures are made with it, so their movements and balances are what their
// slips and operations say.
//
// The company must be open in the data context (DataContext::openCompany). Each
// call is one save; a caller that writes many may hold a TransactionScope over
// the company and cash connections around them (they nest), dated in one year.
#include <QDate>
#include <QString>
#include <QVector>

namespace CompanyBuilder {

struct Account {
    QString code;
    QString name;
    int kind = 0;  // 0 customer, 1 supplier, 2 bank
};

struct Cheque {
    QDate due;
    double amount = 0;
    QString drawer, bank, branch, accountNo, number, description;
};

struct Saved {
    qint64 slip = 0;
    QVector<qint64> keys;  // cek_ind of the received cheques; on an exit slip the
                           // given rows' ciro_cek_ind, then the own cheques' cek_ind
    QString message;       // why the save stopped; empty on success
};

// An entry slip from the account (a bank account marks its cheques at the bank).
Saved entrySlip(const QDate &date, const Account &from, const QString &currency, double rate,
                const QVector<Cheque> &cheques);

// An exit slip to the account: the received cheques of the keys from the
// portfolio, then own cheques.
Saved exitSlip(const QDate &date, const Account &to, const QString &currency, double rate,
               const QVector<qint64> &received, const QVector<Cheque> &own = {});

// The operations; an empty text on success, else why nothing was written.
QString collect(qint64 cheque, const QDate &date, double rate, bool cashRow = true);
QString giveBack(qint64 cheque, const QDate &date, double rate);
QString takeBackGiven(qint64 givenRow, const QDate &date, double rate);
QString takeBackOwn(qint64 ownCheque, const QDate &date, double rate);
// A bounce of a received cheque (from the portfolio) or of an own cheque.
QString bounceReceived(qint64 cheque, const QDate &date);
QString bounceOwn(qint64 ownCheque, const QDate &date);
// The payment of an own cheque.
QString payOwn(qint64 ownCheque, const QDate &date);

} // namespace CompanyBuilder
