#pragma once
// Prepared pages to a PDF file or a printer, painted by the same routine as the preview.
#include "reports/prepared_report.h"

class QPrinter;

// Writes the pages to a PDF file; the file is replaced only when complete.
bool writePdf(const PreparedReport &report, const QString &path, QString *error);
// Sets the printer to the report's page layout (the whole paper, since the layout
// keeps its own margins).
void preparePrinter(QPrinter &printer, const PreparedReport &report);
// Prints pages from..to (1-based, inclusive; 0 for all) on a prepared printer.
bool printReport(const PreparedReport &report, QPrinter &printer, int from = 0, int to = 0);
