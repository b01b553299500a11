#pragma once
// The one balance rule of the current accounts: debits minus credits. A positive
// balance is a debit balance, marked "B" (the account owes); a negative one a
// credit balance, marked "A"; a zero balance carries no mark. The ledger, its
// totals and the main menu's debtor and creditor lists all work it out here.
#include <QString>

class Record;

namespace AccountBalance {

double bakiye(double borc, double alacak);
// "B", "A" or "" for a balance; amounts within half a kuruş of zero count as zero.
QString isaret(double bakiye);
// The balance of a row holding summed debits and credits (SUMborc_tutari,
// SUMalacak_tutari by default); an empty sum counts as zero.
double ofRecord(const Record &r, const QString &borcField = QStringLiteral("SUMborc_tutari"),
                const QString &alacakField = QStringLiteral("SUMalacak_tutari"));

} // namespace AccountBalance
