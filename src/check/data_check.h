#pragma once
// The data check of one company: reads the company file and every year file of
// the company and lists what does not agree (cheques whose marks contradict each
// other, slips whose rows or movements do not match them, movements and cash rows
// whose slip, cheque or cash row is gone, a cheque's collection in cash twice,
// opening rows that differ from the year before, damaged files). It never writes:
// every file is opened read-only, not through the program's connections, so no
// schema upgrade runs either.
#include <QDate>
#include <QString>
#include <QVector>
#include <functional>

namespace DataCheck {

enum class Kind {
    FileDamaged,          // PRAGMA integrity_check, or not a database at all
    ForeignKey,           // PRAGMA foreign_key_check
    ChequeContradiction,  // a cheque's marks say two things at once
    EndorsedWithoutGiven, // a received cheque marked out on an exit slip that holds no row of it
    GivenWithoutReceived, // a given row whose received cheque is gone
    RowWithoutSlip,       // a cheque row whose slip is gone
    SlipTotals,           // a slip's rows do not add up to its totals
    SlipMovementMissing,  // a slip without its account movement
    SlipMovementTwice,    // a slip with more than one account movement (over all year files)
    MovementAmount,       // a slip's movement for another amount than the slip
    OperationMovementTwice, // a return's or take-back's movement present twice
    MovementWithoutSlip,  // a movement naming a slip that is gone
    MovementWithoutCheque, // a return's or take-back's movement naming a cheque that is gone
    MovementWithoutCash,  // a cash row's mirror movement whose cash row is gone
    CashWithoutCheque,    // a collection's cash row whose cheque is gone
    CashTwice,            // more than one cash row for one cheque's collection
    OpeningMismatch,      // an opening row of a year differs from the closing balance before it
};

// The short Turkish name of a kind, as the grid's first column and the command
// line show it.
QString kindText(Kind kind);

struct Finding {
    Kind kind = Kind::FileDamaged;
    QString file;     // relative to the home: "Data/A1.mdb", "Data/A12024K.mdb"
    int year = 0;     // the year of the cash file; 0 for the company file
    QString table;    // the table of the record the finding names
    qint64 key = 0;   // its key (slip number, cheque key, chid, nid); 0 for none
    QString account;  // the account code, where there is one
    QString text;     // what is wrong, in Turkish
};

// One line of the command line's output: "kind: file: table key: text".
QString line(const Finding &f);

// Called between the steps: done of total steps, and the step's name. Returning
// false stops the check (the findings so far are returned).
using Progress = std::function<bool(int done, int total, const QString &step)>;

struct Result {
    QVector<Finding> findings;
    QString error;        // why the check could not run (no company file), else empty
    bool stopped = false; // the progress callback asked to stop
    QStringList files;    // the files checked, relative to the home
};

// Checks the company of the code in the home folder `home`. Safe to call from
// another thread (it touches no connection of the program).
Result run(const QString &home, const QString &code, const Progress &progress = {});

// "ceksenet --check CODE [--home DIR]": prints one line per finding and a last
// line "findings N" to standard output; returns 0 without findings, 1 with some,
// 2 when the check cannot run.
int runCommandLine(const QStringList &arguments);

} // namespace DataCheck
