#pragma once
// The spreadsheet of one cash day: the company's title and address, the opening
// balance, one row per movement from row 6, the day's totals as sums of the
// movement rows, the day's net and the closing balance.
#include <QDate>
#include <QHash>
#include <QString>
#include <QVariant>
#include <QVector>

class SpreadsheetWorkbook;

namespace CashExport {

struct Row {
    QDate date;
    QString aciklama;
    QString neden;
    QString currency;
    QVariant in, out;  // empty stays an empty cell
};

struct Day {
    double opening = 0;
    double net = 0;
    QHash<QString, QString> company;  // firma_unvani_1, firma_unvani_2, firma_adresi_1, adres_semt, adres_sehir
    QVector<Row> rows;
};

void fill(SpreadsheetWorkbook &book, const Day &day);

} // namespace CashExport
