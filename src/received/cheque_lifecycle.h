#pragma once
// The steps every cheque operation shares: the cheque read again by its key (as
// stored, inside the operation's transaction), its state and the refusal that
// names it, the exit slip that still holds a received cheque, the question before
// an operation posts into another year, and the money rows an operation wrote
// before, found again in whichever year's cash file holds them.
#include "accounts/movement_writer.h"
#include "data/cheque_state.h"
#include "data/operation_log.h"
#include "data/year_files.h"

#include <functional>
#include <memory>

#include <QDate>
#include <QHash>
#include <QString>
#include <QVariant>

class Connection;

namespace Lifecycle {

// One stored cheque row, read by its key.
struct Row {
    bool found = false;
    QHash<QString, QVariant> fields;  // lower-case field name -> stored value (null when empty)
    QVariant value(const char *field) const { return fields.value(QString::fromLatin1(field).toLower()); }
    QString text(const char *field) const { return value(field).toString(); }
    double amount(const char *field) const { return value(field).toDouble(); }
    qint64 integer(const char *field) const { return value(field).toLongLong(); }
    QDate date(const char *field) const;
    ChequeState::Fields getter() const
    {
        return [this](const char *f) { return value(f); };
    }
};

// `SELECT * FROM table WHERE keyField=key` on a statement kept by the connection.
Row read(Connection &c, const QString &table, const QString &keyField, qint64 key);
inline Row readReceived(Connection &company, qint64 key) { return read(company, QStringLiteral("cekgiris"), QStringLiteral("cek_ind"), key); }
inline Row readGiven(Connection &company, qint64 key) { return read(company, QStringLiteral("cekciro"), QStringLiteral("ciro_cek_ind"), key); }
inline Row readOwn(Connection &company, qint64 key) { return read(company, QStringLiteral("cekkendi"), QStringLiteral("cek_ind"), key); }

// A log entry of an operation on a received cheque (kind Received) or an own
// cheque (kind Own): its slip, account, amount, TL value and currency from the
// row; the caller changes what the operation sets otherwise.
OperationLog::Entry logEntry(const Row &row, OperationLog::Kind kind, const QString &operation, const QDate &date);

// The refusal of an operation on a row in a state: number, due date, amount, state.
QString refusal(const Row &row, const QString &stateText);

// The exit slip whose given row still holds a received cheque (not taken back),
// other than `exceptSlip`; 0 when none does.
qint64 holdingSlip(Connection &company, qint64 receivedKey, qint64 exceptSlip = 0);
QString heldMessage(const Row &received, qint64 slip);

// Thrown inside a transaction when the cheque read again there no longer allows
// the operation: the scope rolls back and the caller shows the text.
struct Refused {
    QString message;
};

// An operation dated in another year than the working one posts into that year's
// cash file and makes it the working year: the question the window asks first.
// It warns when the year has already been carried over into the next one.
bool needsYearSwitch(const QDate &date);
QString yearQuestion(int year);
// The year's closing balances were carried into the next year's file.
bool isCarriedOver(int year);

// The keys of the money rows an operation writes.
MovementWriter::Fields collectionKey(qint64 chequeKey);

// The other years' cash files an operation looks in for the row it wrote before,
// dated `previous`: none when that date falls in the working year (the row is in
// the working year's file), every other year's file otherwise (a row an older
// program left behind is found there too). Null when there is nothing to look in.
std::unique_ptr<YearFiles::Others> otherYearsFor(const QDate &previous);

// Runs an operation's writes in one transaction over the company file, the working
// year's cash file (when open) and the other years' files given. A Refused thrown
// by the writes, or an engine error, leaves every file as it was.
struct Outcome {
    bool done = false;
    bool engineError = false;  // the tables the window holds are read again then
    QString message;
};
Outcome inOneSave(const YearFiles::Others *others, const std::function<void()> &writes);

// Removes the rows of `table` matching `key` from every year's cash file but the
// working one (the other files are joined to `scope`'s transaction by the caller
// through `others`). Returns how many went.
int removeInOtherYears(const QVector<Connection *> &others, const QString &table, const MovementWriter::Fields &key);

} // namespace Lifecycle
