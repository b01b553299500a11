#pragma once
// What an exit slip debits for a set of its stored rows: the amounts less what
// the slip's ticked boxes deduct (maturity difference, expenses, the BSMV on
// both), as the save works it out from the grid. A slip that shrinks (a cancelled
// row) keeps the debit of its remaining rows, and a cheque taken back credits the
// share it carried: the debit of a slip holding that row alone.
#include <QVector>

class Connection;

namespace ExitSlip {

struct StoredRow {
    double amount = 0, maturityDifference = 0, expense = 0;
};

struct SlipHeader {
    bool found = false;
    bool deductMaturity = false, deductExpense = false, deductBsmv = false;
    double bsmvPercent = 0;
};

struct RowSums {
    double amount = 0, maturityDifference = 0, expense = 0, bsmv = 0, debit = 0;
};

SlipHeader readHeader(Connection &company, qint64 slip);
RowSums sumsOf(const SlipHeader &h, const QVector<StoredRow> &rows);
// The share one stored row (cekciro by ciro_cek_ind, or cekkendi by cek_ind) carries
// on its slip's debit; its amount when the slip is gone.
double shareOfGiven(Connection &company, qint64 givenKey);
double shareOfOwn(Connection &company, qint64 ownKey);

} // namespace ExitSlip
