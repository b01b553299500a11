#include "received/entry_slip_print.h"

#include "data/connection.h"
#include "data/display_format.h"
#include "data/number_reading.h"
#include "data/query.h"
#include "data/sql_literals.h"
#include "data/table.h"
#include "reports/layout_common.h"
#include "reports/layouts_entry_slip.h"

namespace EntrySlipPrint {

namespace {

const QString kDate = QStringLiteral("dd.mm.yyyy");
const QString kAmount = QStringLiteral("#,##0.00");
const QString kWhole = QStringLiteral("#,##0");
constexpr int kAdatColumn = 8;    // not exported
constexpr int kLastColumn = 18;   // "R"

ReportLayout layoutOf(Layout l)
{
    switch (l) {
    case Layout::Receipt: return cekAlindisiLayout();
    case Layout::Detailed: return cekAlindisiDetayliLayout();
    case Layout::DetailedWithBank: return cekAlindisiDetayli2Layout();
    }
    return cekAlindisiLayout();
}

double number(const QString &text) { return sayiOkuDene(text).value_or(0); }

QString column(int c) { return columnLetters(c); }

} // namespace

QString refusal(bool changed, const QString &slipNumber)
{
    if (changed) return kChangedMessage;
    if (rakamlariOku(slipNumber) <= 0) return kUnsavedMessage;
    return {};
}

QString accountAddress(Connection &company, const QString &code)
{
    if (code.trimmed().isEmpty()) return {};
    Query card(&company);
    card.sql() << QStringLiteral("SELECT firma_unvani_2, firma_adresi_1, adres_semt, adres_sehir FROM firma")
               << QStringLiteral("WHERE ") + sqlCodeEquals(QStringLiteral("firma_kodu"), code) << QStringLiteral("LIMIT 1");
    card.open();
    if (card.isEmpty()) return {};
    auto text = [&card](const char *f) { return card.field(QString::fromLatin1(f)).asString(); };
    return text("firma_unvani_2") + u' ' + text("firma_adresi_1") + QStringLiteral("\n\r") + text("adres_semt")
           + QStringLiteral(" / ") + text("adres_sehir");
}

Printout::Printout(Connection &company, Layout layout, qint64 slipNumber, const QString &accountCode,
                   const Footer &footer)
    : m_cheques(std::make_unique<Query>(&company, kEntrySlipChequesDataset)),
      m_company(std::make_unique<Table>(&company, kCompanyDataset)), m_report(layoutOf(layout))
{
    // The slip's own cheques in the order they were stored; the slip window's cheque
    // table keeps no filter for the print.
    m_cheques->sql() << QStringLiteral("SELECT * FROM cekgiris")
                     << QStringLiteral("WHERE bordro_ind = %1").arg(slipNumber) << QStringLiteral("ORDER BY cek_ind ASC;");
    m_cheques->open();
    m_company->open();
    m_report.registerDataset(kEntrySlipChequesDataset, m_cheques.get());
    m_report.registerDataset(kCompanyDataset, m_company.get());

    m_report.setMemoText(QStringLiteral("Memo22"), footer.currency);
    m_report.setMemoText(QStringLiteral("Memo57"), formatDate(kDate, footer.slipDate));
    m_report.setMemoText(QStringLiteral("Memo39"), footer.total);
    m_report.setMemoText(QStringLiteral("Memo19"), footer.averageDays);
    if (layout != Layout::Receipt) {
        m_report.setMemoText(QStringLiteral("Memo28"), footer.maturityDifference);
        m_report.setMemoText(QStringLiteral("Memo31"), footer.expense);
        m_report.setMemoText(QStringLiteral("Memo34"), footer.bsmv);
        m_report.setMemoText(QStringLiteral("Memo17"), footer.net);
    }
    m_report.setMemoText(QStringLiteral("Memo14"), formatDate(kDate, footer.averageDate));
    m_report.setMemoText(QStringLiteral("Memo61"), accountAddress(company, accountCode));
}

Printout::~Printout() = default;

SpreadsheetWorkbook workbook(const ExportInput &in)
{
    SpreadsheetWorkbook book;
    const int n = int(in.rows.size()) + 1;  // the grid's rows, titles included

    // The grid: titles in row 3, the rows under them.
    for (int c = 1; c <= kLastColumn; ++c)
        if (c != kAdatColumn) book.setCell(3, c, in.titles.value(c));
    for (int r = 1; r < n; ++r) {
        const QStringList &cells = in.rows[r - 1];
        for (int c = 1; c <= kLastColumn; ++c) {
            if (c == kAdatColumn) continue;
            const QString text = cells.value(c);
            if (c >= 2 && c <= 6) {
                // Amount, days, maturity difference, expense, net: numbers, and a zero
                // (or nothing) leaves the cell empty.
                const double v = number(text);
                if (v != 0) book.setCell(r + 3, c, v);
            } else if (!text.isEmpty()) {
                book.setCell(r + 3, c, text);
            }
        }
    }
    book.autoFit(QStringLiteral("A2"), QStringLiteral("R999"));

    // The header.
    book.setCell(1, 1, QStringLiteral("İşlem Yapılan Firma : ") + in.accountName);
    book.setCell(2, 1, QStringLiteral("İşlem Tarihi :"));
    book.setCell(2, 2, formatDate(kDate, in.slipDate));
    book.setCell(2, 3, QStringLiteral("Yıldaki Gün :"));
    book.setCell(2, 4, in.yildakiGun);
    book.setCell(2, 5, QStringLiteral("Yıllık Faiz :"));
    book.setCell(2, 6, number(in.yillikFaiz));
    book.setCell(2, 7, QStringLiteral("Aylık Faiz :"));
    book.setCell(2, 8, number(in.aylikFaiz));
    book.setBold(QStringLiteral("A1"));
    book.setFontSize(QStringLiteral("A1"), 12);
    book.setBold(QStringLiteral("A2"));
    book.setFontSize(QStringLiteral("A2:IV3"), 12);
    book.setBold(QStringLiteral("A1:IV3"));

    // The results under the grid.
    const double bsmvPercent = number(in.bsmvPercent);
    const double maturity = number(in.maturityDifference), expense = number(in.expense);
    book.setCell(n + 7, 1, QStringLiteral("Ortalama Vade:"));
    book.setCell(n + 7, 2, formatDate(kDate, in.averageDate));
    book.setCell(n + 8, 1, QStringLiteral("Ortalama Gün:"));
    book.setCell(n + 8, 2, number(in.averageDays));
    book.setNumberFormat(QStringLiteral("B%1").arg(n + 8), kWhole);
    const QPair<const char *, double> results[] = {{"Toplam Tutar:", number(in.total)},
                                                   {"Toplam Vade Farkı:", maturity},
                                                   {"Toplam Masraflar:", expense}};
    int row = n + 9;
    for (const auto &[label, value] : results) {
        book.setCell(row, 1, QString::fromUtf8(label));
        book.setCell(row, 2, value);
        book.setNumberFormat(QStringLiteral("B%1").arg(row), kAmount);
        ++row;
    }
    const double net = number(in.net);
    if (bsmvPercent > 0) {
        // The BSMV on the maturity difference and the expenses comes off the net
        // here, whether or not the slip deducts it from the account.
        const double bsmv = bsmvPercent * (maturity + expense) / 100;
        book.setCell(row, 1, QStringLiteral("BSMV Tutarı:"));
        book.setCell(row, 2, bsmv);
        book.setNumberFormat(QStringLiteral("B%1").arg(row), kAmount);
        book.setCell(row + 1, 1, QStringLiteral("Toplam Net Tutar:"));
        book.setCell(row + 1, 2, net - bsmv);
        book.setNumberFormat(QStringLiteral("B%1").arg(row + 1), kAmount);
    } else {
        book.setCell(row, 1, QStringLiteral("Toplam Net Tutar:"));
        book.setCell(row, 2, net);
        book.setNumberFormat(QStringLiteral("B%1").arg(row), kAmount);
    }

    // The column sums.
    for (int c = 2; c <= 6; ++c)
        book.setFormula(QStringLiteral("%1%2").arg(column(c)).arg(n + 5),
                        QStringLiteral("=Sum(%1%2:%1%3)").arg(column(c)).arg(4).arg(n + 3));
    book.setBold(QStringLiteral("A%1:R%1").arg(n + 5));
    book.autoFit(QStringLiteral("B2"), QStringLiteral("R999"));
    book.setNumberFormat(QStringLiteral("B4:B%1").arg(n + 5), kAmount);
    book.setNumberFormat(QStringLiteral("D4:F%1").arg(n + 5), kAmount);

    if (bsmvPercent > 0)
        book.setCell(n + 12, 3, QStringLiteral("BSMV % ") + in.bsmvPercent
                                    + QStringLiteral(" (Toplam Vade Farkı ve Masraflar Üzerinden)"));
    return book;
}

} // namespace EntrySlipPrint
