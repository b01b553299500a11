#pragma once
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// A zip file of these entries (name, content).
void writeZip(const QString &path, const QList<QPair<QString, QByteArray>> &entries);
// A workbook with rich-text and phonetic runs in its shared strings, an inline
// string, custom and built-in date formats and cells without addresses.
void writeHandMadeXlsx(const QString &file);
// An OpenDocument sheet with repeated rows and cells, dates, numbers, texts with
// spaces and a truth value, and a second sheet that must not be read.
void writeOdsFixture(const QString &file);

// Files made to break a reader (each refused, quickly and in little memory):
// an empty row repeated 2,147,483,647 times between two rows with values;
void writeOdsRowsRepeatedPastTheEnd(const QString &file);
// the same with an empty cell repeated between two cells;
void writeOdsColumnsRepeatedPastTheEnd(const QString &file);
// <text:s text:c="2000000000"/>, two billion spaces in one cell;
void writeOdsSpacesBomb(const QString &file);
// a row with a value repeated one row past the sheet's last;
void writeOdsValueRowsPastTheEnd(const QString &file);
// ten million cells of one value;
void writeOdsTooManyCells(const QString &file);
// a cell of the row 2,147,483,647;
void writeXlsxCellBeyondLastRow(const QString &file);
// shared strings of about `bytes` bytes, `item` after `item`, deflated (a quarter
// of a GB is a file of a few hundred KB).
void writeXlsxSharedStringsBomb(const QString &file, qint64 bytes,
                                const QByteArray &item = "<si><t>Çek ve senet takip 0123456789</t></si>");
// And a large one that must still be read: 65,536 rows of ten values.
void writeOdsLargeSheet(const QString &file);
// Writes a smaller uncompressed size into the local and central headers of an entry,
// as a crafted file would to pass a check of the declared size.
void understateEntrySize(const QString &file, const QByteArray &name, quint32 size);
// A workbook whose sheet's target has an empty folder before "..", which used to
// make the path resolution loop for ever.
void writeXlsxLoopingTarget(const QString &file);
// A workbook whose cell A1 holds `value` in a date format.
void writeXlsxNumbers(const QString &file, const QByteArray &value);
// A workbook whose only sheet holds this <sheetData> content, as written.
void writeXlsxSheetData(const QString &file, const QByteArray &sheetData);
// An OpenDocument sheet of this table content (rows), as written.
void writeOdsRows(const QString &file, const QByteArray &rows);

// An .xls workbook (BIFF8 in a compound file) of these sheets, each declaring its
// size in its DIMENSION record and holding numbers at (row, column), from 0.
struct XlsSheet {
    quint32 declaredRows;
    quint16 declaredColumns;
    QList<QPair<QPair<quint16, quint16>, double>> numbers;
};
QByteArray xlsBytes(const QList<XlsSheet> &sheets);
