#pragma once
// The entry slip's receipts and its spreadsheet export, as plain steps the window
// calls: the refusals, the account's address, the printout over the slip's own
// cheques, and the workbook built from the grid's texts.
#include "data/spreadsheet_writer.h"
#include "reports/report.h"

#include <QDate>
#include <QStringList>
#include <QVector>
#include <memory>

class Connection;
class Query;
class Table;

namespace EntrySlipPrint {

inline const QString kChangedMessage =
    QStringLiteral("Rapor öncsesi değişiklikleri kayıt etmelisiniz!\n\rKayıt ettikten sonra tekrar rapor alınız!");
inline const QString kUnsavedMessage = QStringLiteral("Bu işlem öncesi bordroyu kayıt etmelisiniz!");

// The three items of "Raporlama Seçenekleri".
enum class Layout { Receipt, Detailed, DetailedWithBank };

// Why the slip cannot be printed (a change not saved, a slip never saved), or an
// empty text.
QString refusal(bool changed, const QString &slipNumber);

// The address of the account card with the code (case ignored): firma_unvani_2,
// firma_adresi_1, a line break, adres_semt " / " adres_sehir. Empty without a card.
QString accountAddress(Connection &company, const QString &code);

// The texts shown in the slip's footer, printed as they stand.
struct Footer {
    QString currency;
    QDate slipDate;
    QString total, maturityDifference, expense, bsmv, net;
    QDate averageDate;
    QString averageDays;
};

// The printout of a saved slip: its own query over the slip's cheques (by
// bordro_ind, in key order) and the company record, bound to the layout, the memos
// filled.
class Printout {
public:
    Printout(Connection &company, Layout layout, qint64 slipNumber, const QString &accountCode, const Footer &footer);
    ~Printout();
    Report &report() { return m_report; }
    Query &cheques() { return *m_cheques; }

private:
    std::unique_ptr<Query> m_cheques;
    std::unique_ptr<Table> m_company;
    Report m_report;
};

// What the export reads from the slip: the grid's column titles and rows (the last,
// empty entry row included) as cell texts, and the header and footer texts.
struct ExportInput {
    QStringList titles;  // grid columns 0..18
    QVector<QStringList> rows;
    QString accountName;
    QDate slipDate;
    QString yildakiGun, yillikFaiz, aylikFaiz;
    QDate averageDate;
    QString averageDays, total, maturityDifference, expense, net, bsmvPercent;
};

// The sheet: the grid from row 3 (titles) on, the header in rows 1 and 2, the column
// sums two rows under the grid and the results under them.
SpreadsheetWorkbook workbook(const ExportInput &in);

} // namespace EntrySlipPrint
