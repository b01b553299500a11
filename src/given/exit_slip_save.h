#pragma once
// Saving an exit slip: the header into `cikisbordro`, one `cekciro` row per
// portfolio cheque with its given-out marks in `cekgiris`, one `cekkendi` row per
// own cheque, and the account's debit movement into `carihareket` of the slip
// year's cash file. Everything is checked first, then written in one transaction
// across the files, so a failure leaves no row of the slip anywhere.
//
// The grid's columns 1 to 12 and 16 are the entry slip's and are calculated by
// the entry slip's routines; the exit slip's own columns follow.
#include "received/entry_slip_calc.h"

#include <QString>
#include <QStringList>
#include <QVector>

class Connection;
class Table;

namespace ExitSlip {

using EntrySlip::Params;

enum Column {
    ColAlindigiFirma = 13,   // name of the account the cheque was received from
    ColAlindigiTarih = 14,   // entry date of the received cheque
    ColAlindigiKod = 15,     // that account's code
    ColGirisId = 17,         // cek_ind of the received cheque
    ColCiroIndex = 18,          // ciro_cek_ind of its given cheque once saved
    ColDuzenlemeId = 19,     // own cheque: cek_ind once saved, or kNewOwnCheque
    ExitColumnCount = 20
};

// Column 19 of an own cheque not stored yet.
inline const QString kNewOwnCheque = QStringLiteral("YeniDuzenleme");

// A row is an own cheque exactly when its column 19 is filled.
inline bool isOwnCheque(const QStringList &row) { return !row.value(ColDuzenlemeId).isEmpty(); }

// The stored key of an own cheque's row; 0 while it is not stored (kNewOwnCheque).
inline qint64 storedOwnKey(const QStringList &row)
{
    bool ok = false;
    const qint64 key = row.value(ColDuzenlemeId).toLongLong(&ok);
    return ok && key > 0 ? key : 0;
}

// The slip's params for the shared row step: a due date without a year is refused.
Params exitParams(Params p);

struct Header {
    QDate slipDate;
    QString code;          // "Cari Kodu"
    QString name;          // "Cari Adı"
    int exitType = 0;      // 0 "Müşteri", 1 "Satıcı", 2 "Banka"
    QString currency = QStringLiteral("TL");
    QString kuru = QStringLiteral("1");
    QString aylikFaiz = QStringLiteral("0");
    bool deductMaturity = false, deductExpense = false, deductBsmv = false;
    QDate averageDate;     // "Ort. Vad."
    QString averageDays;   // "Gün"
    QString memo;          // "Genel Açıklama"
    qint64 number = 0;     // "No": 0 for a slip not saved yet
};

// The tables the save writes through, all on the company connection.
struct Datasets {
    Table &slips;      // cikisbordro
    Table &given;      // cekciro
    Table &received;   // cekgiris
    Table &own;        // cekkendi
};

// Rows deleted from a saved slip: they go in the transaction of the save.
struct Deleted {
    QVector<qint64> given;      // ciro_cek_ind of deleted portfolio rows
    QVector<qint64> returned;   // cek_ind of their received cheques, back to the portfolio
    QVector<qint64> own;        // cek_ind of deleted own cheques
    bool isEmpty() const { return given.isEmpty() && returned.isEmpty() && own.isEmpty(); }
};

struct SaveResult {
    bool saved = false;
    QString message;               // why the save stopped, or a note after a save
    int givenWritten = 0;
    int ownWritten = 0;
    int missingKeysStoredAsNew = 0;
    QVector<int> leftAlone;        // rows (from 1) whose received cheque was no longer this slip's
    double debit = 0;              // borc_tutari of the movement
};

// The account debit: the total less what the ticked boxes deduct.
double debitAmount(const EntrySlip::Totals &t, bool deductMaturity, bool deductExpense, bool deductBsmv);

// Recalculates the rows, checks, and writes. On success columns 18 and 19 hold
// the stored keys, header.number the slip number and header.kuru "1" for TL. A
// check that fails returns its message with nothing written. Engine errors roll
// every file back, restore the grid's keys and propagate.
SaveResult saveSlip(Header &header, Params &params, QVector<QStringList> &rows, const Datasets &ds,
                    const Deleted &deleted = {});

// A saved row whose cheque was taken back stays on the slip: the take-back's
// movement credits the account by the amount the slip's debit still counts, so
// taking the row away would credit the account twice.
inline const QString kTakenBackRow = QStringLiteral("Bu çek geri alınmıştır; bordrodan silinemez.");

// The refusal of changing or deleting a row whose stored cheque no longer allows
// it (a given cheque taken back or bounced, an own cheque paid, bounced or taken
// back); empty when the row may change. takenBack() is true when it is refused.
QString lockedRow(Connection &company, const QStringList &row);
bool takenBack(Connection &company, const QStringList &row);
// The refusal of a save that would change a locked row's due date, amount or
// expense, or, on a slip holding a taken-back cheque, the slip's account, date,
// rates or boxes; empty when the save may go on.
QString lockedChange(Connection &company, const Header &h, const Params &params, const QVector<QStringList> &rows);

} // namespace ExitSlip
