#pragma once
// Loading a saved entry slip back for correction: its cheques as the slip grid's
// cell texts (in due-date order) and its header and footer values as the window
// shows them. A slip holding a cheque already endorsed or collected is refused
// before anything is shown: such a cheque has left the portfolio, and rewriting or
// deleting it through the slip would corrupt the exit slip or collection holding it.
#include "received/entry_slip_calc.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

class Connection;
class Dataset;

namespace EntrySlip {

enum class Refusal { None, Endorsed, Collected, Returned, Bounced };

// The message a refused load or save shows; empty for Refusal::None.
QString refusalMessage(Refusal refusal);

struct LoadedSlip {
    bool found = false;
    Refusal refusal = Refusal::None;
    QVector<QStringList> rows;  // ColumnCount cells each, numbered from 1
    QDate slipDate;             // invalid when the slip has none
    QString code, name;
    qint64 number = 0;
    QString yildakiGun, yillikFaiz, aylikFaiz;
    QString bsmvPercent, bsmvAmount;
    QString gunEkle;
    QString currency;           // as stored
    QString kuru;               // "1" for a TL slip
    bool weekendShift = false, deductMaturity = false, deductExpense = false, deductBsmv = false;
    QString totalAmount, totalMaturity, totalExpense, totalNet;
    QString averageDays;
    QDate averageDate;          // invalid when the slip has none
    QString memo;
    int accountType = -1;       // 0, 1 or 2 from the account card; -1 when no card has the code
};

// Refusal of a set of stored cheques: the first in due-date order that is endorsed
// or collected decides (endorsed before collected on the same cheque).
Refusal refusalOfCheques(Connection &company, const QVector<qint64> &keys);

// The header and footer values of a slip row (entry or exit slip: their code and
// name fields differ), with the account type of the card of that code.
void readSlipHeader(Connection &company, Dataset &slip, const QString &codeField, const QString &nameField,
                    LoadedSlip &s);

// Reads the slip numbered `number` and its cheques. On a refusal only `found` and
// `refusal` are set. Engine errors propagate.
LoadedSlip loadSlip(Connection &company, qint64 number);

} // namespace EntrySlip
