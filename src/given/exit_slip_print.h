#pragma once
// The exit slip as a delivery receipt for the account (three layouts) and as a
// workbook of its grid. The window gathers what it shows into a Slip and calls
// these; nothing here touches a widget.
#include "data/spreadsheet_writer.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>

class Connection;
class Dataset;
class MemoryDataset;
class Query;
class Report;

namespace ExitSlipPrint {

inline const QString kUnsavedChanges =
    QStringLiteral("Rapor öncsesi değişiklikleri kayıt etmelisiniz!\n\rKayıt ettikten sonra tekrar rapor alınız!");
inline const QString kNeverSaved = QStringLiteral("Bu işlem öncesi bordroyu kayıt etmelisiniz!");

// The receipts of the report choice, in its order.
enum class Receipt { Plain = 0, Detailed = 1, Detailed2 = 2 };

// Why the slip cannot be printed (unsaved changes first, then no slip number), or
// an empty text when it can.
QString printRefusal(bool changed, const QString &numberText);

// The account's address for the receipt: firma_unvani_2 + " " + firma_adresi_1, a
// line break, adres_semt + " / " + adres_sehir; empty when no card has the code.
QString accountAddress(Connection &company, const QString &code);

// The slip as the window shows it.
struct Slip {
    qint64 number = 0;
    QDate date;
    QString accountName;
    QString currency;
    QString yildakiGun, yillikFaiz, aylikFaiz;  // the texts of their edits
    QString total, maturity, expense, bsmv, net;  // the footer's totals as shown
    QDate averageDate;
    QString averageDays;
    QStringList titles;         // the grid's column titles
    QVector<QStringList> rows;  // the grid's rows, the empty last one included
};

// The workbook of the grid: titles on row 3, grid row r on sheet row r + 3 (the
// amounts, days, maturity differences, expenses and nets as numbers), the
// account on row 1, the slip date and terms on row 2 (as texts, so the sums from
// row 1 count only the cheques), the sums of columns B to F two rows under the
// grid and the average due date and days under them.
SpreadsheetWorkbook workbook(const Slip &slip);

// The account the receipt names as "Verildiği Firma": ciro_firma of the first
// portfolio cheque, else cirolandigi_firma of the first own cheque, else the
// slip's account name.
QString receiverName(const Dataset &given, const Dataset &own, const QString &accountName);

// The memos of a receipt: currency, slip date, totals as the footer shows them,
// average due date and days, the address and the receiver. The texts go into the
// one row of texts (registered as kReceiptTexts) and each memo prints its field,
// so a typed name or address prints as it is, brackets included.
inline const QString kReceiptTexts = QStringLiteral("cikisYazilari");
std::unique_ptr<MemoryDataset> receiptTexts();
void fillReceiptMemos(Report &report, MemoryDataset &texts, Receipt receipt, const Slip &slip, const QString &address,
                      const QString &receiver);

// The slip's given and own cheques in key order, each from a query of its own.
std::unique_ptr<Query> givenCheques(Connection &company, qint64 slipNumber);
std::unique_ptr<Query> ownCheques(Connection &company, qint64 slipNumber);

} // namespace ExitSlipPrint
