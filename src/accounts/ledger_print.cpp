#include "accounts/ledger_print.h"

#include "accounts/account_balance.h"
#include "data/dataset.h"
#include "data/display_format.h"
#include "data/query.h"
#include "data/spreadsheet_address.h"
#include "data/sql_literals.h"

namespace LedgerPrint {
namespace {

// Spreadsheet number formats are written the spreadsheet's own way, whatever the
// desktop's separators: the application shows them in the user's language.
const QString kSheetAmount = QStringLiteral("#,##0.00");
const QString kShortDate = QStringLiteral("dd.mm.yyyy");
const QString kCalculatorAmount = QStringLiteral("#,###.00");

QString shortDate(const QDate &d) { return formatDate(kShortDate, d); }

int rowsOf(const Dataset &ds) { return ds.isActive() ? ds.recordCount() : 0; }

// A stored amount as a cell: empty stays empty.
QVariant amountCell(const Record &r, const QString &field)
{
    const QVariant v = r.value(field);
    return v.isNull() ? QVariant() : QVariant(v.toDouble());
}

QVariant dateCell(const Record &r, const QString &field)
{
    const QDate d = r.asDate(field);
    return d.isValid() ? QVariant(d) : QVariant();
}

double sumOf(const Record &r, const char *field) { return r.asFloat(QLatin1String(field)); }

// Rows 1 to 3 of both workbooks.
void companyHeader(SpreadsheetWorkbook &book, const CompanyLines &company, const QString &third)
{
    book.setCell(1, 1, company.title);
    book.setCell(2, 1, company.addressLine());
    book.setCell(3, 1, third);
    for (const char *a : {"A1", "A2", "A3"}) book.setBold(QLatin1String(a));
}

} // namespace

CompanyLines companyLines(Connection &registry, const QString &companyCode)
{
    CompanyLines out;
    Query q(&registry);
    q.sql() << QStringLiteral("SELECT firma_unvani_1, firma_adresi_1, telefon1_no FROM firma WHERE firma_kodu=")
                   + sqlText(companyCode);
    q.open();
    if (q.isEmpty()) return out;
    out.title = q.value(QStringLiteral("firma_unvani_1")).toString();
    out.address = q.value(QStringLiteral("firma_adresi_1")).toString();
    out.phone = q.value(QStringLiteral("telefon1_no")).toString();
    return out;
}

QString balanceListHeading(const QDate &asOf, const QString &currencyText)
{
    return shortDate(asOf) + QStringLiteral(" Tarihi İtibarı İle Rapor - ") + currencyText;
}

QString statementHeading(const QDate &first, const QDate &last, const QString &currencyText)
{
    return shortDate(first) + u'-' + shortDate(last) + QStringLiteral(" Tarihleri Arası Hareket Raporu - ") + currencyText;
}

SpreadsheetWorkbook balanceListWorkbook(const Dataset &accounts, const Dataset &totals, const CompanyLines &company,
                                        const QDate &asOf)
{
    SpreadsheetWorkbook book;
    book.setNumberFormat(QStringLiteral("E6:G5000"), kSheetAmount);
    const char *const titles[] = {"Sıra No", "Kodu", "Cari Hesap Adı", "Cinsi", "Borç", "Alacak", "Bakiye", "BA"};
    for (int c = 0; c < 8; ++c) book.setCell(6, c + 1, QString::fromUtf8(titles[c]));
    book.setBold(QStringLiteral("A6:K6"));

    const int count = rowsOf(accounts);
    for (int i = 0; i < count; ++i) {
        const Record r = accounts.recordAt(i);
        const int row = 7 + i;
        book.setCell(row, 1, QString::number(i + 1));
        book.setCell(row, 2, r.asString(QStringLiteral("cari_kodu")));
        book.setCell(row, 3, r.asString(QStringLiteral("cari_hesap_adi")));
        book.setCell(row, 4, r.asString(QStringLiteral("doviz_cinsi")));
        book.setCell(row, 5, sumOf(r, "SUMborc_tutari"));
        book.setCell(row, 6, sumOf(r, "SUMalacak_tutari"));
        book.setCell(row, 7, r.asFloat(QStringLiteral("bakiye")));
        book.setCell(row, 8, r.asString(QStringLiteral("BA")));
    }
    const int n = 6 + count;
    const int sumRow = n + 2;
    book.setCell(sumRow, 3, QStringLiteral("TOPLAM TUTARLAR"));
    for (const QString &col : {QStringLiteral("E"), QStringLiteral("F"), QStringLiteral("G")})
        book.setFormula(col + QString::number(sumRow), QStringLiteral("=Sum(") + col + QStringLiteral("7:") + col
                                                           + QString::number(n) + u')');
    book.setBold(QStringLiteral("A%1:H%1").arg(sumRow));

    const int currencies = rowsOf(totals);
    if (currencies > 1) {
        for (int i = 0; i < currencies; ++i) {
            const Record r = totals.recordAt(i);
            const int row = n + 4 + i;
            book.setCell(row, 4, r.asString(QStringLiteral("doviz_cinsi")));
            book.setCell(row, 5, sumOf(r, "SUMborc_tutari"));
            book.setCell(row, 6, sumOf(r, "SUMalacak_tutari"));
            book.setCell(row, 7, r.asFloat(QStringLiteral("Bakiye")));
            book.setCell(row, 8, r.asString(QStringLiteral("BA")));
        }
    }
    companyHeader(book, company, shortDate(asOf) + QStringLiteral(" - Tarihi İtibarı İle Cari Hesap Durumu"));
    book.autoFit(QStringLiteral("B1"), QStringLiteral("K5000"));
    return book;
}

SpreadsheetWorkbook statementWorkbook(const Dataset &movements, const Dataset &carried, const Dataset &totals,
                                      const CompanyLines &company, const QString &heading, const QDate &first,
                                      const QDate &last)
{
    SpreadsheetWorkbook book;
    book.setNumberFormat(QStringLiteral("G6:I5000"), kSheetAmount);
    const char *const titles[] = {"Sıra No", "İşlem Tarihi", "İşlem", "Belge", "Açıklama",
                                  "Cinsi",   "Borç",         "Alacak", "Bakiye", "Vadesi"};
    for (int c = 0; c < 10; ++c) book.setCell(6, c + 1, QString::fromUtf8(titles[c]));
    book.setBold(QStringLiteral("A6:K6"));

    // The carried-forward line; an account with nothing before the period carries 0.
    double devirBorc = 0, devirAlacak = 0, b = 0;
    if (rowsOf(carried) > 0) {
        const Record r = carried.recordAt(0);
        devirBorc = sumOf(r, "SUMborc_tutari");
        devirAlacak = sumOf(r, "SUMalacak_tutari");
        b = r.asFloat(QStringLiteral("Bakiye"));
    }
    book.setCell(7, 5, QStringLiteral("Devir"));
    book.setCell(7, 7, devirBorc);
    book.setCell(7, 8, devirAlacak);
    book.setCell(7, 9, b);

    // The running balance starts again from the carried-forward balance, whatever
    // the window's list last worked out.
    const int count = rowsOf(movements);
    for (int i = 0; i < count; ++i) {
        const Record r = movements.recordAt(i);
        const int row = 8 + i;
        b = b + r.asFloat(QStringLiteral("borc_tutari")) - r.asFloat(QStringLiteral("alacak_tutari"));
        book.setCell(row, 1, QString::number(row - 6));
        book.setCell(row, 2, dateCell(r, QStringLiteral("islem_tarihi")));
        book.setCell(row, 5, r.asString(QStringLiteral("aciklama")));
        book.setCell(row, 6, r.asString(QStringLiteral("doviz_cinsi")));
        book.setCell(row, 7, amountCell(r, QStringLiteral("borc_tutari")));
        book.setCell(row, 8, amountCell(r, QStringLiteral("alacak_tutari")));
        book.setCell(row, 9, b);
        book.setCell(row, 10, dateCell(r, QStringLiteral("vade_tarihi")));  // none: an empty cell
    }
    const int n = 7 + count;
    const int sumRow = n + 2;
    book.setCell(sumRow, 5, QStringLiteral("TOPLAM TUTARLAR"));
    book.setFormula(QStringLiteral("G%1").arg(sumRow), QStringLiteral("=Sum(G7:G%1)").arg(n));
    book.setFormula(QStringLiteral("H%1").arg(sumRow), QStringLiteral("=Sum(H7:H%1)").arg(n));
    book.setCell(sumRow, 9, b);
    book.setBold(QStringLiteral("A%1:K%1").arg(sumRow));

    const int currencies = rowsOf(totals);
    if (currencies > 1) {
        for (int i = 0; i < currencies; ++i) {
            const Record r = totals.recordAt(i);
            const int row = n + 4 + i;
            const double borc = sumOf(r, "SUMborc_tutari"), alacak = sumOf(r, "SUMalacak_tutari");
            book.setCell(row, 6, r.asString(QStringLiteral("doviz_cinsi")));
            book.setCell(row, 7, borc);
            book.setCell(row, 8, alacak);
            book.setCell(row, 9, AccountBalance::bakiye(borc, alacak));
        }
    }
    companyHeader(book, company, heading + QStringLiteral(" (") + shortDate(first) + u'-' + shortDate(last) + u')');
    book.setFontSize(QStringLiteral("A1:K1"), 14);
    book.setFontSize(QStringLiteral("A3:K3"), 14);
    book.setFontSize(QStringLiteral("A2:K2"), 11);
    book.setFontSize(QStringLiteral("A4:K4"), 11);
    // The title rows are long texts of column A: only the table's rows size it.
    book.autoFit(QStringLiteral("A6"), QStringLiteral("A5000"));
    book.autoFit(QStringLiteral("B6"), QStringLiteral("K5000"));
    return book;
}

QVector<QStringList> calculatorRows(const Dataset &movements, const Dataset &carried, const QDate &first)
{
    QVector<QStringList> out;
    const int count = rowsOf(movements);
    const bool hasCarried = rowsOf(carried) > 0;
    if (count == 0 && !hasCarried) return out;
    constexpr int kColumns = 6;
    if (hasCarried) {
        const QString day = shortDate(first.addDays(-1));
        QStringList line(kColumns);
        line[0] = QString::number(out.size() + 1);
        line[1] = day;
        line[2] = day;
        line[3] = day + QStringLiteral(" Tarihli devir.");
        const double bakiye = carried.recordAt(0).asFloat(QStringLiteral("Bakiye"));
        // A balance carried at nought is neither a debt nor a credit.
        if (bakiye > 0)
            line[4] = formatFloat(kCalculatorAmount, bakiye);
        else if (bakiye < 0)
            line[5] = formatFloat(kCalculatorAmount, -bakiye);
        out << line;
    }
    for (int i = 0; i < count; ++i) {
        const Record r = movements.recordAt(i);
        QStringList line(kColumns);
        line[0] = QString::number(out.size() + 1);
        const QDate islem = r.asDate(QStringLiteral("islem_tarihi")), vade = r.asDate(QStringLiteral("vade_tarihi"));
        if (islem.isValid()) line[1] = shortDate(islem);
        if (vade.isValid()) line[2] = shortDate(vade);
        line[3] = r.asString(QStringLiteral("aciklama"));
        const double borc = r.asFloat(QStringLiteral("borc_tutari")), alacak = r.asFloat(QStringLiteral("alacak_tutari"));
        if (borc > 0) line[4] = formatFloat(kCalculatorAmount, borc);
        if (alacak > 0) line[5] = formatFloat(kCalculatorAmount, alacak);
        out << line;
    }
    return out;
}

} // namespace LedgerPrint
