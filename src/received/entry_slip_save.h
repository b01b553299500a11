#pragma once
// Saving an entry slip: the slip header into `cekbordro`, one `cekgiris` row per
// cheque row and the account's credit movement into `carihareket` of the slip
// year's cash database. Everything is checked first, then written in one
// transaction per database file, so a failure leaves no half-written slip.
#include "received/entry_slip_calc.h"

#include <QString>
#include <QStringList>
#include <QVector>

class Table;

namespace EntrySlip {

// The header as the window holds it.
struct Header {
    QDate slipDate;
    QString code;          // "Cari Kodu"
    QString name;          // "Cari Adı"
    int accountType = 0;   // 0 "Müşteri", 1 "Satıcı", 2 "Banka"
    QString currency = QStringLiteral("TL");
    QString kuru = QStringLiteral("1");
    QString aylikFaiz = QStringLiteral("0");
    bool deductMaturity = false, deductExpense = false, deductBsmv = false;
    QDate averageDate;     // "Ort. Vadesi"
    QString averageDays;   // "Gün"
    QString memo;          // "Genel Açıklama"
    qint64 number = 0;     // "No": 0 for a slip not saved yet
};

// The datasets the save writes through: the slips table and the received cheques
// table. The account's movement goes through the movement writer on the cash
// connection.
struct Datasets {
    Table &slips;
    Table &cheques;
};

struct SaveResult {
    bool saved = false;
    QString message;           // why the save stopped, or a note after a save
    int chequesWritten = 0;
    int missingKeysStoredAsNew = 0;
};

// Runs the slip's recalculation, the checks and the writes. On success the rows'
// key column, header.number and the header's "Kuru" (1 for TL) are updated.
// A check that fails returns its message with nothing written. Engine errors
// roll the whole save back and propagate. deletedCheques are the keys of stored
// cheques whose rows were deleted from the slip; they go in the same transaction.
SaveResult saveSlip(Header &header, Params &params, QVector<QStringList> &rows, const Datasets &ds,
                    const QVector<qint64> &deletedCheques = {});

} // namespace EntrySlip
