#pragma once
// The operation log of the cheques (table cekislem of the company file): one row
// per operation on a cheque, written by the operation inside its own transaction
// so that the log and the operation land together or not at all. An undo writes
// a row of its own: the history is never rewritten. A given cheque's events are
// logged under the received cheque it came from, so one cheque has one history.
#include <QDate>
#include <QString>

class Connection;

namespace OperationLog {

enum class Kind { Received = 1, Own = 3 };

struct Entry {
    Kind kind = Kind::Received;
    qint64 cheque = 0;     // cek_ind of the received or own cheque
    QString operation;     // "Tahsilat", "Ciro", "Geri Alındı", ...
    QDate date;
    qint64 slip = 0;       // the entry or exit slip it belongs to, 0 when none
    QString account;       // the account code the money went to or came from
    double amount = 0;     // in the cheque's currency
    double tl = 0;         // its TL value
    QString currency;
    int cashYear = 0;      // the year whose cash file holds its money row, 0 when none
};

// Appends one row through the company connection (joined into a save or not).
// Throws EngineError.
void write(Connection &company, const Entry &e);

} // namespace OperationLog
