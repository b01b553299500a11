#pragma once
// The export workbook: one sheet filled cell by cell (rows and columns from 1) with
// texts, numbers, dates and integers, fonts, number formats and formulas on cells
// or ranges, column widths fitted to the texts, then saved as .xlsx and opened in
// the desktop's spreadsheet application.
//
// Cells and formatting are kept in memory and written at save, so a range can be
// made bold before or after its cells are filled, as the exports do.
#include "data/spreadsheet_address.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>
#include <map>

class SpreadsheetWorkbook {
public:
    // Cells: a text, a double, a QDate or an integer. An invalid value empties the cell.
    void setCell(int row, int col, const QVariant &value);
    QVariant cell(int row, int col) const;

    // Formatting on one cell, a range address ("A1:IV3") or a range of two addresses.
    void setBold(const CellRange &range, bool bold = true);
    void setFontSize(const CellRange &range, double points);
    void setNumberFormat(const CellRange &range, const QString &code);
    void setBold(const QString &address, bool bold = true) { setBold(parseRange(address), bold); }
    void setFontSize(const QString &address, double points) { setFontSize(parseRange(address), points); }
    void setNumberFormat(const QString &address, const QString &code) { setNumberFormat(parseRange(address), code); }
    // A formula such as "=SUM(F4:F20)" in every cell of the range. It is saved with
    // its result (sums and plain references are worked out here; the application
    // recalculates on opening in any case).
    void setFormula(const CellRange &range, const QString &formula);
    void setFormula(const QString &address, const QString &formula) { setFormula(parseRange(address), formula); }
    // Widens the columns of the range to their longest text.
    void autoFit(const CellRange &range);
    void autoFit(const QString &first, const QString &second) { autoFit(parseRange(first, second)); }

    // Writes the .xlsx file. Returns an empty text, or the system's message.
    QString save(const QString &path) const;

    // The result a formula is saved with.
    double formulaResult(const QString &formula, int depth = 0) const;

private:
    struct Cell {
        QVariant value;
        QString formula;
    };
    struct Style {
        bool bold = false;
        double size = 0;  // 0: the default
        QString numberFormat;
    };
    enum class Attr { Bold, Size, Format };
    struct StyleOp {
        CellRange range;
        Attr attr;
        QVariant value;
    };
    static quint64 key(int row, int col) { return (quint64(row) << 20) | quint64(col); }
    Style styleOf(int row, int col) const;
    QString displayText(int row, int col, const Cell &c) const;

    std::map<quint64, Cell> m_cells;  // ordered by row, then column
    QVector<StyleOp> m_ops;           // applied in order, so a later call wins
    QHash<int, double> m_widths;      // column -> width in characters
};

// Saving the workbook in the home's temporary area and opening it.
namespace SpreadsheetExport {

enum class Outcome { Opened, NoApplication, WriteFailed };
struct Result {
    Outcome outcome;
    QString path;     // where the workbook was saved
    QString message;  // the message for the user, empty when opened
};

// Opens a file with the desktop's application; true when it started. Tests replace it.
using Opener = std::function<bool(const QString &path)>;
void setOpener(Opener opener);  // an empty function restores the desktop's
bool openWithDesktop(const QString &path);

// Saves as <home>/Gecici/<baseName>-<time>.xlsx and opens it.
Result show(const SpreadsheetWorkbook &book, const QString &baseName = QStringLiteral("Rapor"));

inline const QString kNoApplication = QStringLiteral("Excel dökümü alabilmek için Excel Programı kurulu olmalıdır!");
inline const QString kCannotOpen = QStringLiteral("Excel açılamadı. Sistem Mesajı: %s");

} // namespace SpreadsheetExport
