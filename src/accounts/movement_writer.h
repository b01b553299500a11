#pragma once
// The one way the program posts to a current account. A movement of `carihareket`
// is found by its key (a link field such as cek_id, cek_ciro_id, cek_iade_id or
// nakit_id, or several fields), edited when found and appended otherwise; only
// the fields given are written. The writer runs on the cash connection inside the
// caller's transaction (it opens none of its own), so a slip's rows and its
// movement commit together or not at all.
#include <QString>
#include <QVariant>
#include <QVector>

class Connection;

namespace MovementWriter {

struct Field {
    QString name;
    QVariant value;  // QVariant() writes an empty field; an empty key value matches an empty field
};
using Fields = QVector<Field>;

struct Posted {
    qint64 id = 0;        // chid of the movement written
    bool appended = false;
};

// Edits the first movement (lowest chid) whose key fields equal the key's
// values, or appends one; an appended movement gets the key fields too. An empty
// key always appends. Values are converted to the field's type as the tables do
// (texts cut to the field's size, dates from QDate or "dd.mm.yyyy"). Throws
// EngineError on an unknown field or a write the engine refuses.
Posted post(Connection &cash, const Fields &key, const Fields &values);

// Removes every movement matching the key (for a posting moved into another
// year's file, or a cancelled slip); returns how many went. The connection may be
// joined into another file's save: its table is named under its own schema then.
int remove(Connection &cash, const Fields &key);

// The same two steps on another table whose rows an operation keys the same way
// (the cash row of a cheque's collection, keyed by cekid); idField is its key.
Posted postRow(Connection &db, const QString &table, const QString &idField, const Fields &key, const Fields &values);
int removeRows(Connection &db, const QString &table, const Fields &key);

} // namespace MovementWriter
