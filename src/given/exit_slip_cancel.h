#pragma once
// Cancelling a saved exit slip: its portfolio cheques go back to the portfolio,
// their endorsement rows go, and the slip and its account debit are reduced by
// their amount, or deleted when nothing is left. Everything is checked first and
// written in one transaction across the company file and the cash file of the
// slip's year, so a failure changes no row.
#include <QString>

namespace ExitSlip {

struct CancelResult {
    bool cancelled = false;       // something was written
    QString message;              // why nothing was done, or a note after the cancellation
    int returned = 0;             // portfolio cheques back in the portfolio
    double remaining = 0;         // the slip's total afterwards (0 when deleted)
    bool slipDeleted = false;
    bool movementFound = false;
    int takenBackKept = 0;        // cheques taken back before, left on the slip
    int bouncedKept = 0;          // bounced cheques, left on the slip with the account
};

// A cheque taken back keeps its place on the slip, since the take-back's credit
// offsets the slip's debit for it; these tell the user so.
inline const QString kTakenBackKept =
    QStringLiteral("Geri alınmış ya da karşılıksız %1 çek bordroda bırakıldı; bordro ve cari hareketi bu çeklerin tutarıyla kaldı.");
inline const QString kAllTakenBack =
    QStringLiteral("Bu bordronun portföyden verilmiş çekleri geri alınmış ya da karşılıksız; bordro olduğu gibi bırakıldı.");

// Cancels slip `number` of the open company. Engine errors roll everything back
// and propagate.
CancelResult cancelSlip(qint64 number);

} // namespace ExitSlip
