#pragma once
// The calculator's workbook: the account and the parameters on top, the grid's
// titles on row 3 and its rows below (amounts as numbers), the sums of the amount
// columns, and the results in a block under them.
#include "data/spreadsheet_writer.h"
#include "tools/vadefark_sheet.h"

namespace VadeFark {

inline const QString kAmountFormat = QStringLiteral("#,##0.00");

SpreadsheetWorkbook buildWorkbook(const Sheet &sheet);

} // namespace VadeFark
