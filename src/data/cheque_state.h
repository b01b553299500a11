#pragma once
// The one reading of a cheque's state. A cheque has no state field: its state
// follows from which dates and links of its row are set. The received, given and
// own cheque lists select their rows by the same rules (stateCondition gives the
// SQL of each), the dashboard counts by them, and every operation reads the
// cheque's state here, from the row as stored, and asks allows() before it writes.
#include <QDate>
#include <QStringList>
#include <QString>
#include <QVariant>
#include <functional>

namespace ChequeState {

// A received cheque (`cekgiris`).
enum class Received {
    Portfolio,    // held by the company: no exit, collection, return or bounce
    AtBankEntry,  // held, received from a bank account (bank marks set on entry, no exit)
    AtBank,       // handed to a bank on an exit slip (cek_ciro_id and cek_banka_tarihi set)
    Endorsed,     // endorsed to a customer or supplier on an exit slip
    Collected,
    Returned,
    Bounced,
};

// A given cheque (`cekciro`): one row per cheque on an exit slip.
enum class Given { Out, AtBank, TakenBack, Bounced };

// An own issued cheque (`cekkendi`).
enum class Own { Issued, Paid, TakenBack, Bounced };

// A row's fields by name, as stored (a null QVariant for an empty field).
using Fields = std::function<QVariant(const char *field)>;

// A date field counts as set when it holds a date (or any non-empty value); an
// empty text counts as not set, as the lists' IS NULL does not (they are never
// written empty).
bool isSet(const QVariant &v);

// When several marks are set (older data), the strongest wins: bounced, returned,
// collected, then the exit marks.
Received receivedState(const Fields &f);
Given givenState(const Fields &f);
Own ownState(const Fields &f);

// Turkish words for a state, as messages and the history name it.
QString receivedText(Received s);
QString givenText(Given s);
QString ownText(Own s);

// Whether the cheque is still held by the company (portfolio or at a bank), the
// cheques the outlook and the dashboard count as coming in.
inline bool isHeld(Received s) { return s == Received::Portfolio || s == Received::AtBankEntry || s == Received::AtBank; }

// The operations on a cheque, and the states each accepts.
enum class Operation {
    EntryRowChange,     // an entry slip row corrected or deleted
    ExitAdd,            // a portfolio cheque put on an exit slip
    ExitRowChange,      // a given row of a saved exit slip corrected or deleted
    ExitCancel,         // a given row cancelled with its slip
    Collect,            // collection (a repeat corrects the earlier one)
    UndoCollect,        // "Tahsilatı Kaldır"
    Return,             // return to the customer (a repeat corrects the earlier one)
    UndoReturn,
    BounceReceived,     // bounce from the received lists
    UndoExit,           // "Çek Çıkışını Yapılmamış Yap"
    BounceGiven,        // bounce from the given lists
    TakeBackGiven,      // take-back of a given cheque (a repeat corrects the earlier one)
    OwnRowChange,       // an own cheque corrected or deleted on its slip
    BounceOwn,
    TakeBackOwn,
    PayOwn,             // payment of an own cheque (a repeat corrects the date)
    UndoPayOwn,
};

bool allows(Operation op, Received s);
bool allows(Operation op, Given s);
bool allows(Operation op, Own s);

// The refusal of an operation: names the cheque (number, due date, amount) and
// its state. "Bu çek (…) … durumunda; bu işlem yapılamaz."
QString refusal(const QString &chequeNo, const QDate &due, double amount, const QString &currency,
                const QString &stateText);

// The WHERE lines of `cekgiris` rows in a state (as the received lists write them).
QString receivedCondition(Received s);

} // namespace ChequeState
