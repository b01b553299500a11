#pragma once
// Reading the first sheet of a spreadsheet file (.xlsx, .ods or .xls; the kind is
// told by the file's content, not its name) into its last used row and column and
// a value array indexed (row, column) from 1. Dates come as QDate, numbers as
// double, texts as QString, truth values as bool; empty cells are invalid.
#include <QHash>
#include <QString>
#include <QVariant>
#include <QVector>

struct SheetCellFormat {
    QString formula;       // without the leading "="
    QString numberFormat;  // the format code, empty for the general format
    bool bold = false;
    double fontSize = 0;
};

class SheetData {
public:
    int lastRow = 0;
    int lastColumn = 0;

    QVariant value(int row, int col) const;  // invalid outside 1..lastRow, 1..lastColumn
    // The whole array: element [row][col] for 1 <= row <= lastRow, 1 <= col <= lastColumn.
    QVector<QVector<QVariant>> array() const;
    // Formulas and formats of the cells that have them (.xlsx only).
    QHash<QPair<int, int>, SheetCellFormat> formats;

    // Throws EngineError outside the sheet's 1048576 rows and 16384 columns, or past
    // the cells a sheet may hold.
    void set(int row, int col, const QVariant &v);

private:
    static quint64 key(int row, int col) { return (quint64(row) << 20) | quint64(col); }
    QHash<quint64, QVariant> m_values;
};

// Throws EngineError with a Turkish message when the file is missing, empty,
// truncated, damaged or no spreadsheet, and when it is larger than an import can
// take (a part of more than 32 MB, a million cells, a cell of more than 32767
// characters): memory and time stay small whatever the file says of itself.
SheetData readSpreadsheet(const QString &path);
