#pragma once
// The outlook on paper and in a spreadsheet: the same table the window shows, the
// chart as a picture beside it on the page.
#include "data/spreadsheet_writer.h"
#include "outlook/outlook_statements.h"
#include "reports/report_layout.h"

#include <QImage>

namespace Outlook {

// The table's headings, in the order of its columns.
QStringList tableHeadings();
// One row of the table as texts: the period, the three sums and the balance.
QStringList tableRow(const Period &p);
// The title over the figures: "Vade Görünümü - Aylık, TL karşılığı (11.12.2026)".
QString title(const Options &o);

// Landscape: the company, the title, the chart at the left, the table at the right,
// the cash balance the balance line starts from under them.
ReportLayout printLayout(const Result &r, const Options &o, const QImage &chart);
// Row 1 the title, row 2 the cash balance, row 4 the headings, the periods from row 5.
SpreadsheetWorkbook workbook(const Result &r, const Options &o);

} // namespace Outlook
