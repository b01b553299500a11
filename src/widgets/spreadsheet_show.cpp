#include "widgets/spreadsheet_show.h"

#include "widgets/message_box.h"

SpreadsheetExport::Result showSpreadsheet(const SpreadsheetWorkbook &book, const QString &baseName)
{
    const SpreadsheetExport::Result result = SpreadsheetExport::show(book, baseName);
    switch (result.outcome) {
    case SpreadsheetExport::Outcome::Opened: break;
    case SpreadsheetExport::Outcome::NoApplication: MessageBox::warning(result.message); break;
    case SpreadsheetExport::Outcome::WriteFailed: MessageBox::error(result.message); break;
    }
    return result;
}
