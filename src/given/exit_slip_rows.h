#pragma once
// The steps that put cheques on the exit slip's grid, on cell texts: where the
// next cheque goes, the refusals of a portfolio cheque, a portfolio cheque's and
// an own cheque's cells, and the copy of an own cheque.
#include "given/exit_slip_save.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

class Dataset;

namespace ExitSlip {

// The first row whose due date reads below 5 and whose amount reads below 0,01;
// row 0 when there is none.
int targetRow(const QVector<QStringList> &rows);

// "Çek çıkış bordrosu aynı para cinsinden …" for a slip already in another currency.
QString currencyMessage(const QString &slipCurrency);

// A due or entry date as the grid shows it: "05.03.2021".
QString dateCell(const QDate &date);

// Why a received cheque cannot go on the slip (its current record in cheque), or
// empty when it can: already given out, collected, bounced or returned, or already
// on this slip.
QString refusal(Dataset &cheque, const QVector<QStringList> &rows);

// The cells of a portfolio cheque from its received record.
void fillFromReceived(QStringList &row, Dataset &cheque);

// An own cheque as the own cheque window hands it over.
struct OwnCheque {
    QDate due;
    QString currency = QStringLiteral("TL");
    double amount = 0;
    QString bank, branch, account, number, description;
    QString key;     // cek_ind of a stored cheque, kNewOwnCheque, or empty when adding
    int row = 0;     // the grid row number (1-based) being corrected; 0 when adding
    bool isCorrection() const { return !key.isEmpty() && row > 0; }
};

// The cells of an own cheque; drawer is the company's own title.
void fillOwnCheque(QStringList &row, const OwnCheque &cheque, const QString &drawer);

// The row an own cheque on row `from` is copied into: the first later row whose
// due date reads below 100; -1 when there is none or the row is no own cheque.
int copyTarget(const QVector<QStringList> &rows, int from);

} // namespace ExitSlip
