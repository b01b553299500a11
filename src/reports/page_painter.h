#pragma once
// Paints prepared pages on any device (screen image, preview, printer, PDF writer).
// Positions are converted from millimetres with the device's resolution and fonts
// keep their point sizes, so every device shows the same page.
#include "reports/prepared_report.h"

#include <QSet>

class QPagedPaintDevice;
class QPainter;

struct PageHighlight {
    QSet<int> items;   // items to mark on the page (find matches)
    int current = -1;  // the current match, marked more strongly
};

void paintPage(QPainter &painter, const PreparedReport &report, int page, const PageHighlight &highlight = {});

// Paints pages from..to (0-based, inclusive) on a paged device already set to the
// report's page layout, one device page each.
void paintPages(QPainter &painter, QPagedPaintDevice &device, const PreparedReport &report, int from, int to,
                const QVector<PageHighlight> &highlights = {});
