#pragma once
// Lays a report out on pages: report title once, page header and column header on
// every page, one master band per row of the master dataset, its footer and the
// summary after the last row, the page footer at the bottom of every page.
#include "reports/prepared_report.h"
#include "reports/report_expression.h"

#include <QDateTime>

// Throws ReportError when a text refers to an unknown dataset, field or expression.
// The master dataset's cursor is not moved: rows are read by their number.
PreparedReport renderReport(const ReportLayout &layout, const ReportDatasets &datasets, const QDateTime &now);
