#pragma once
// The calculator's files (".fdv"): a header line of the parameters, the grid's
// title row, then its rows, each a comma list, lines ended by CR LF. Written as
// UTF-8 through a temporary file, so a failed save leaves the former file whole;
// read as UTF-8 when valid, else as Windows-1254 (files made on Turkish Windows).
#include "tools/vadefark_sheet.h"

#include <QStringList>
#include <optional>

namespace VadeFark {

// A comma list: an item holding a blank, a control character, a double quote or a
// comma is put in double quotes, its quotes doubled; other items, the empty one
// included, go as they are.
QString commaText(const QStringList &items);
// Reads a comma list back: blanks and control characters around an item are
// skipped, a quoted item runs to its closing quote, any other item to the next
// comma, blank or control character; a comma ending the line adds an empty item.
// openQuote (when given) tells whether a quoted item was never closed.
QStringList parseCommaText(const QString &line, bool *openQuote = nullptr);

// The chosen name with ".fdv" added unless it holds ".fdv" (case-sensitive).
QString fdvFileName(const QString &chosen);

// The lines of the file for a sheet.
QStringList fileLines(const Sheet &sheet);
// Writes the lines; false with the system's reason when the file cannot be written.
bool writeFile(const QString &path, const QStringList &lines, QString *error = nullptr);

// What a file gives the window: the parameters of its header and the grid's rows.
struct LoadedFile {
    QString yildakiGun, yillikFaiz, aylikFaiz, borcEkSure, alacakEkSure, firmaAdi;
    std::optional<bool> borcHaftaSonu, alacakHaftaSonu;  // empty: neither "E" nor "H"
    QDate hesapTarihi;
    QVector<QStringList> rows;  // 13 cells each, the empty input row last
};

inline constexpr qint64 kMaxFileSize = 10 * 1024 * 1024;
// The rows a file may hold: far more than a sheet of maturity differences has, few
// enough that the grid and its calculation stay quick.
inline constexpr int kMaxFileRows = 10000;

// Reads and checks the whole file: at least 3 lines, a header of 10 items whose
// first five fit their edits and whose tenth is a calendar date, rows of 13 items,
// no NUL byte, no quote left open, at most 10 MB and kMaxFileRows rows (counted
// before the lines are split, so memory stays near the file's size). Empty, with the message to show,
// when any of that fails.
std::optional<LoadedFile> readFile(const QString &path, QString *message);

} // namespace VadeFark
