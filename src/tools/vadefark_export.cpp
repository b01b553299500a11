#include "tools/vadefark_export.h"

#include "data/number_reading.h"
#include "data/spreadsheet_address.h"
#include "tools/vadefark_calc.h"

namespace VadeFark {
namespace {

double number(const QString &text) { return sayiOkuDene(text).value_or(0.0); }

} // namespace

SpreadsheetWorkbook buildWorkbook(const Sheet &s)
{
    SpreadsheetWorkbook book;
    // The grid's row r (titles 0) goes to sheet row r + 3; R counts the title row.
    const int R = int(s.rows.size()) + 1;
    const QStringList titles = s.titles.isEmpty() ? columnTitles() : s.titles;
    for (int c = ColIslem; c <= ColAlacakFark; ++c) book.setCell(3, c, titles.value(c));
    for (int r = 0; r < s.rows.size(); ++r) {
        const QStringList &row = s.rows[r];
        const int sheetRow = r + 4;
        for (int c = ColIslem; c <= ColAciklama; ++c)
            if (!row.value(c).isEmpty()) book.setCell(sheetRow, c, row.value(c));
        for (int c = ColBorc; c <= ColAlacakFark; ++c)
            if (const double v = number(row.value(c)); v != 0) book.setCell(sheetRow, c, v);
    }

    book.setCell(1, 1, QStringLiteral("İşlem Yapılan Firma : ") + s.firmaAdi);
    book.setFontSize(QStringLiteral("A1"), 12);
    book.setCell(2, 1, QStringLiteral("Hesap Tarihi :"));
    book.setCell(2, 2, s.hesapTarihi);
    book.setCell(2, 3, QStringLiteral("Yıldaki Gün :"));
    book.setCell(2, 4, s.yildakiGun);
    book.setCell(2, 5, QStringLiteral("Yıllık Faiz :"));
    book.setCell(2, 6, number(s.yillikFaiz));
    book.setCell(2, 7, QStringLiteral("Aylık Faiz :"));
    book.setCell(2, 8, number(s.aylikFaiz));
    book.setFontSize(QStringLiteral("A2:IV3"), 12);
    book.setBold(QStringLiteral("A1:IV3"));

    const auto put = [&book](int row, int col, const QVariant &v) { book.setCell(row, col, v); };
    put(R + 7, 1, QStringLiteral("Ortalama Vade:"));
    put(R + 7, 2, s.genelOrtVade);
    put(R + 8, 1, QStringLiteral("Ortalama Gün:"));
    put(R + 8, 2, number(s.genelOrtGun));
    put(R + 8, 7, QStringLiteral("Borç Ortalama Vade:"));
    put(R + 8, 8, s.borcOrtVade);
    put(R + 9, 1, QStringLiteral("Borç Toplam Tutarı:"));
    put(R + 9, 2, number(s.borcToplam));
    put(R + 9, 4, QStringLiteral("Borç Vade Farkı:"));
    put(R + 9, 5, number(s.borcFark));
    put(R + 9, 7, QStringLiteral("Borç Ortalama Gün:"));
    put(R + 9, 8, number(s.borcOrtGun));
    put(R + 10, 1, QStringLiteral("Alacak Toplam Tutarı:"));
    put(R + 10, 2, number(s.alacakToplam));
    put(R + 10, 4, QStringLiteral("Alacak Vade Farkı:"));
    put(R + 10, 5, number(s.alacakFark));
    put(R + 10, 7, QStringLiteral("Alacak Ortalama Vade:"));
    put(R + 10, 8, s.alacakOrtVade);
    put(R + 11, 1, QStringLiteral("Bakiye Tutarı:"));
    put(R + 11, 2, number(s.bakiye));
    put(R + 11, 4, QStringLiteral("Net Vade Farkı:"));
    put(R + 11, 5, number(s.netFark));
    put(R + 11, 7, QStringLiteral("Alacak Ortalama Gün:"));
    put(R + 11, 8, number(s.alacakOrtGun));
    for (int row = R + 9; row <= R + 11; ++row)
        for (int col : {2, 5}) book.setNumberFormat(CellRange{row, col, row, col}, kAmountFormat);

    for (int col = ColBorc; col <= ColAlacakFark; ++col) {
        const QString letter = columnLetters(col);
        book.setFormula(CellRange{R + 5, col, R + 5, col},
                        QStringLiteral("=Sum(%1%2:%1%3)").arg(letter).arg(4).arg(R + 3));
    }
    book.setBold(parseRange(QStringLiteral("A%1:R%1").arg(R + 5)));
    book.autoFit(QStringLiteral("A1"), QStringLiteral("R999"));
    book.autoFit(QStringLiteral("B2"), QStringLiteral("R999"));
    book.setNumberFormat(parseRange(QStringLiteral("D4:E%1").arg(R + 5)), kAmountFormat);
    book.setNumberFormat(parseRange(QStringLiteral("G4:H%1").arg(R + 5)), kAmountFormat);
    return book;
}

} // namespace VadeFark
