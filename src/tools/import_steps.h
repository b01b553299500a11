#pragma once
// The steps of bringing a list of cheques from a spreadsheet into the entry slip
// that need no window: the sheet into a grid of texts, and the chosen sheet rows
// into entry slip rows.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

class SheetData;

namespace SheetImport {

inline constexpr int kMaxRows = 6500;
// The widest sheet the import shows: the old Excel's 256 columns (A to IV). A list
// of cheques needs a handful; a wider sheet is refused before its grid is made.
inline constexpr int kMaxColumns = 256;

// A cell as the import grid shows it: a date "dd.mm.yyyy", a number in its
// shortest form with a decimal comma and no grouping ("1500,5": the slip's number
// reading drops dots, so "1500.5" would become 15.005,00), a text as it is.
QString cellText(const QVariant &value);

// The sheet as texts: rows 1 .. last used row + 1 (at most kMaxRows), columns
// 1 .. last used column + 1, one beyond the used area as the grid shows it.
// Element [r - 1][c - 1] is the sheet cell (r, c). A formula cell without a value
// computed by the program that saved it shows its formula ("=A1+1"). Throws
// EngineError for a sheet wider than kMaxColumns and for an empty sheet.
QVector<QStringList> sheetTexts(const SheetData &sheet);

struct Columns {
    QString dateColumn, firstRow, lastRow, amountColumn, descriptionColumn;  // as typed
};

struct Transfer {
    QString error;                // the first check that failed; nothing is transferred then
    QVector<QStringList> rows;    // entry slip rows (ColumnCount cells), one per sheet row taken
    QStringList messages;         // shown one after another (an empty date cell)
};

// The sheet rows first .. last (only those; the walk ends after the last sheet
// row holding anything) into entry rows, one entry row per sheet row, also for a row
// skipped. A date must read day.month.year with two-digit day and month and a
// four-digit year; any other form stops the transfer with a message naming its
// sheet row, before anything is handed on; so do a date that is no day of the
// calendar or not after 1905, an amount the slip cannot read, a formula without
// its value and a range holding no cheque. An amount column of 0 takes dates and
// descriptions only; an empty description column means column 1.
Transfer transferRows(const QVector<QStringList> &sheet, const Columns &columns, const QString &dateSeparator = QStringLiteral("."));

} // namespace SheetImport
