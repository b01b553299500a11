#include "cash/cash_export.h"

#include "data/spreadsheet_writer.h"

namespace CashExport {

void fill(SpreadsheetWorkbook &book, const Day &day)
{
    book.setNumberFormat(QStringLiteral("F4:G5000"), QStringLiteral("#.##0,00"));
    const char *const headings[] = {"SN", "Tarih", "Açıklama", "İşlem Türü", "PB", "Giren Para", "Çıkan Para"};
    for (int c = 0; c < 7; ++c) book.setCell(4, c + 1, QString::fromUtf8(headings[c]));
    book.setBold(QStringLiteral("A4:Z5"));
    book.setCell(5, 4, QStringLiteral("Günbaşı Kasa Mevcudu"));
    book.setCell(5, 6, day.opening);

    int row = 6;
    for (const Row &r : day.rows) {
        book.setCell(row, 1, row - 5);
        book.setCell(row, 2, r.date);
        book.setCell(row, 3, r.aciklama);
        book.setCell(row, 4, r.neden);
        book.setCell(row, 5, r.currency);
        book.setCell(row, 6, r.in.isNull() ? QVariant() : QVariant(r.in.toDouble()));
        book.setCell(row, 7, r.out.isNull() ? QVariant() : QVariant(r.out.toDouble()));
        ++row;
    }

    // The titles go in after column A is fitted, so they do not widen it.
    book.autoFit(QStringLiteral("A1"), QStringLiteral("A5000"));
    const auto text = [&day](const char *field) { return day.company.value(QLatin1String(field)); };
    book.setCell(1, 1, text("firma_unvani_1") + u' ' + text("firma_unvani_2"));
    book.setCell(2, 1, text("firma_adresi_1"));
    book.setCell(3, 1, text("adres_semt") + u' ' + text("adres_sehir"));
    book.setBold(QStringLiteral("A1:A3"));
    book.setFontSize(QStringLiteral("A1:IV3"), 14);

    const int n = int(day.rows.size());
    const int totals = n + 7;
    book.setCell(totals, 4, QStringLiteral("Güne Ait Kasa Toplamları"));
    for (const QString &column : {QStringLiteral("F"), QStringLiteral("G")})
        book.setFormula(column + QString::number(totals),
                        QStringLiteral("=Sum(") + column + QStringLiteral("6:") + column + QString::number(n + 5) + u')');
    book.setBold(QStringLiteral("D%1:G%1").arg(totals));
    book.setCell(n + 8, 4, QStringLiteral("Güniçi Kasa Neti"));
    book.setCell(n + 8, 6, day.net);
    book.setCell(n + 9, 4, QStringLiteral("Günsonu Devir Kasa"));
    book.setCell(n + 9, 6, day.opening + day.net);
    book.setBold(QStringLiteral("D%1:F%2").arg(n + 8).arg(n + 9));
    book.autoFit(QStringLiteral("B1"), QStringLiteral("G%1").arg(n + 9));
}

} // namespace CashExport
