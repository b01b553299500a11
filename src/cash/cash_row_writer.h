#pragma once
// The one way the program writes a cash row (`nakit`). Given the table over the
// cash rows and a key (nid for a correction, cekid for a collection, neden with
// doviz_cinsi for a carry-over), the writer edits the keyed row or appends one,
// writes only the fields given and posts. A table that already holds a pending row
// (a row typed in the cash entry form) has that row written instead.
//
// A row naming an account (a code or a name) gets its mirror movement on that
// account through the movement writer, keyed by nakit_id: cash received from the
// account credits it, cash paid to it debits it. Row and mirror are written in one
// transaction, together with the removal of the row this one replaces in another
// year's cash file, so a failure leaves every file as it was and the pending row
// still pending.
#include "accounts/movement_writer.h"

#include <QString>

class Connection;
class Table;

namespace CashRowWriter {

using Field = MovementWriter::Field;
using Fields = MovementWriter::Fields;

// A saved row of another year's cash file that the row being written replaces (a
// correction dated into another year): it leaves that file with its mirror.
struct Former {
    Connection *cash = nullptr;
    qint64 nid = 0;
};

struct Written {
    qint64 nid = 0;
    bool appended = false;
    bool mirrored = false;
};

// Throws EngineError when the engine refuses a write; nothing is written then.
Written write(Table &nakit, const Fields &key, const Fields &values, const Former &former = {});

// Deletes the current row of a table over the cash rows together with its mirror
// movement on the account, in one transaction.
void removeCurrent(Table &nakit);

} // namespace CashRowWriter
