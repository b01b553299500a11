#pragma once
// The last step of every spreadsheet export: save the workbook and open it, or tell
// the user why not (no application for .xlsx, with the saved file's path; or the
// system's message when the file could not be written).
#include "data/spreadsheet_writer.h"

SpreadsheetExport::Result showSpreadsheet(const SpreadsheetWorkbook &book, const QString &baseName = QStringLiteral("Rapor"));
