#pragma once
// What the account movements window turns into documents: the balance list of
// every account and the statement of one account, as printouts and as workbooks,
// and the statement's lines handed to the maturity-difference calculator. The
// window only gathers its datasets and texts and calls these.
#include "data/spreadsheet_writer.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

class Connection;
class Dataset;

namespace LedgerPrint {

// The company's header lines of the workbooks, from its registry record.
struct CompanyLines {
    QString title;    // firma_unvani_1
    QString address;  // firma_adresi_1
    QString phone;    // telefon1_no
    // "address Tel: phone", the second line of every workbook.
    QString addressLine() const { return address + QStringLiteral(" Tel: ") + phone; }
};
// The registry record of the company with this code; empty lines when there is none.
CompanyLines companyLines(Connection &registry, const QString &companyCode);

// The heading under the title of the balance list: "05.03.2024 Tarihi İtibarı İle Rapor - TL".
QString balanceListHeading(const QDate &asOf, const QString &currencyText);
// The heading of the statement: "01.01.2024-31.03.2024 Tarihleri Arası Hareket Raporu - Hepsi".
QString statementHeading(const QDate &first, const QDate &last, const QString &currencyText);

// The balance list workbook: the header on row 6, one row per account from row 7
// (cari_kodu, cari_hesap_adi, doviz_cinsi, SUMborc_tutari, SUMalacak_tutari,
// bakiye, BA), the sums two rows below the last, one row per currency under them
// when there are several, and the company and the day on rows 1 to 3.
SpreadsheetWorkbook balanceListWorkbook(const Dataset &accounts, const Dataset &totals, const CompanyLines &company,
                                        const QDate &asOf);

// The statement workbook: the header on row 6, the balance carried forward on
// row 7, one row per movement from row 8 with its running balance, the sums and
// the closing balance two rows below the last, one row per currency under them
// when there are several, and the company and the heading on rows 1 to 3.
// heading is the window's account heading, followed by the period.
SpreadsheetWorkbook statementWorkbook(const Dataset &movements, const Dataset &carried, const Dataset &totals,
                                      const CompanyLines &company, const QString &heading, const QDate &first,
                                      const QDate &last);

// The calculator's lines (columns 0 to 5: number, transaction date, due date,
// description, debt, credit) for a statement: the balance carried forward as one
// line dated the day before the first date, then one line per movement. A
// movement without a due date leaves its due date empty (the calculator takes
// the transaction date); a zero amount leaves its cell empty. No line at all when
// there is neither a movement nor a carried-forward row.
QVector<QStringList> calculatorRows(const Dataset &movements, const Dataset &carried, const QDate &first);

} // namespace LedgerPrint
