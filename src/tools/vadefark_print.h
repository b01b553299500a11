#pragma once
// The texts of the calculator's two printouts: fixed-width lines for a fixed-pitch
// font, so the columns of the header, the body and the totals line up.
#include "tools/vadefark_sheet.h"

namespace VadeFark {

enum class PrintKind {
    Differences,   // "YAZDIR": debt and credit differences side by side
    Descriptions   // "Yazıcı Önizlemeyi Göster": descriptions and the net difference per line
};

struct PrintText {
    QString memo1;                            // the column header line
    QString memo5, memo6, memo7, memo8, memo9;  // the title and the four parameter lines
    QStringList body;                         // rows, an empty line, totals, an empty line, summary
};

// A text in a field of width: blanks after it (left) or before it (right); a text
// as long as the width or longer gets none, and is cut at longest.
QString leftField(const QString &text, int width, int longest = 17);
QString rightField(const QString &text, int width, int longest = 17);

PrintText printText(const Sheet &sheet, PrintKind kind);

inline const QString kPrintCaption = QStringLiteral("Brenvo Rapor Önizleme - Vade farkı raporu");

} // namespace VadeFark
