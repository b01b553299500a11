#pragma once
// Lays a report out on pages: report title once, page header and column header on
// every page; then each data band in the order the bands stand: its header, one band
// per row of its dataset (with the detail band's matching rows under each), its
// footer; the summary after the last data band, the page footer at the bottom of
// every page.
#include "reports/prepared_report.h"
#include "reports/report_expression.h"

#include <QDateTime>

// Throws ReportError when a text refers to an unknown dataset, field or expression.
// The datasets' cursors are not moved: rows are read by their number.
PreparedReport renderReport(const ReportLayout &layout, const ReportDatasets &datasets, const QDateTime &now);
