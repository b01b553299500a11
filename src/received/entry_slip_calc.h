#pragma once
// The calculations of the entry slip, on the grid's cell texts: due-date completion,
// the row step (days, weekend shift, added days, adat, maturity difference, net),
// the totals, BSMV and the amount-weighted average due date. The window runs them
// on its grid; tests call them directly.
#include "data/date_completion.h"
#include "data/typed_numbers.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

namespace EntrySlip {

// Grid columns.
enum Column {
    ColNo = 0, ColVade = 1, ColTutar = 2, ColGun = 3, ColVadeFarki = 4, ColMasraf = 5, ColNet = 6,
    ColDuzenleyen = 7, ColAdat = 8, ColBanka = 9, ColSube = 10, ColHesapNo = 11, ColCekNo = 12,
    ColVerildigi = 13, ColCiroTarihi = 14, ColTahsilTarihi = 15, ColAciklama = 16, ColCiroId = 17, ColKey = 18,
    ColumnCount = 19
};

// The header values the calculations read, as typed.
struct Params {
    QDate slipDate;
    QString yildakiGun = QStringLiteral("365");
    QString yillikFaiz = QStringLiteral("0");
    QString gunEkle;             // collection days added to every due date
    QString bsmvPercent = QStringLiteral("5");
    bool weekendShift = false;   // Saturday and Sunday due dates count from Monday
    // A due date typed without a year takes the slip's year. The exit slip's
    // cheques come whole from the portfolio or the own cheque window, so there a
    // missing year is refused instead.
    bool yearFromSlip = true;
};

// The date completion and the strict numbers are shared with the calculator; the
// slip's code and its callers name them here.
using ::DueDate;
using ::DueDateResult;
using ::completeDueDate;
using ::cellDate;
using ::strictNumber;
using ::strictInteger;
using ::roundHalfEven;

struct RowStep {
    DueDate outcome = DueDate::Empty;
    QString message;
};

// The row step on one row of cells (19 on the entry slip) (its due date completed, then days, adat,
// maturity difference and net written back). Fills empty "Yıldaki Gün" and
// "Yıllık Faiz" of params with "365" and "0" as the window does. Throws EngineError
// when "Yıllık Faiz", "Yıldaki Gün" or "Gün Ekle" cannot be read as numbers, or
// "Yıldaki Gün" is 0.
RowStep calculateRow(QStringList &cells, Params &params);

struct Totals {
    double amount = 0, maturityDifference = 0, expense = 0, net = 0, adat = 0;
    double bsmv = 0;
    bool hasAverage = false;   // false when the amount sum is 0: the average keeps its value
    int averageDays = 0;
    QDate averageDate;
};

// Sums of the numbered rows (from the first, while the number column is filled)
// that a save stores (a due date and an amount above 0), read back from the cell
// texts as shown; BSMV and the average due date.
Totals calculateTotals(const QVector<QStringList> &rows, const Params &params);

// The account credit of a saved slip: the total less what the boxes deduct.
double creditAmount(const Totals &t, bool deductMaturity, bool deductExpense, bool deductBsmv);

} // namespace EntrySlip
