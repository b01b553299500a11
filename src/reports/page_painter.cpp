#include "reports/page_painter.h"

#include <QPagedPaintDevice>
#include <QPainter>

void paintPage(QPainter &painter, const PreparedReport &report, int page, const PageHighlight &highlight)
{
    if (page < 0 || page >= report.pages.size()) return;
    QPaintDevice *device = painter.device();
    const double sx = device->logicalDpiX() / 25.4;
    const double sy = device->logicalDpiY() / 25.4;
    auto toDevice = [sx, sy](const QRectF &mm) {
        return QRectF(mm.x() * sx, mm.y() * sy, mm.width() * sx, mm.height() * sy);
    };

    QVector<QFont> fonts;
    fonts.reserve(report.fonts.size());
    for (const ReportFont &f : report.fonts) fonts.append(f.toQFont());

    painter.save();
    const QSizeF paper = report.pageLayout.fullRect(QPageLayout::Millimeter).size();
    painter.fillRect(toDevice(QRectF(QPointF(0, 0), paper)), Qt::white);
    QPen framePen(Qt::black);
    framePen.setWidthF(0.2 * sx);  // 0.2 mm lines
    const int pad = qMax(1, int(0.8 * sx));  // text keeps off the frame
    const QVector<PageItem> &items = report.pages[page].items;
    int fontIndex = -1;
    for (int i = 0; i < items.size(); ++i) {
        const PageItem &it = items[i];
        const QRectF r = toDevice(it.rect);
        if (highlight.items.contains(i))
            painter.fillRect(r, i == highlight.current ? QColor(255, 165, 0) : QColor(255, 255, 120));
        if (!it.picture.isNull()) {
            // Filling its box with its proportions kept, centred: a scanned page prints page-sized.
            QSizeF size = it.picture.size();
            size.scale(r.size(), Qt::KeepAspectRatio);
            const QRectF target(r.center() - QPointF(size.width() / 2, size.height() / 2), size);
            painter.drawImage(target, it.picture);
        }
        if (!it.text.isEmpty()) {
            if (it.font != fontIndex && it.font < fonts.size()) {
                fontIndex = it.font;
                painter.setFont(fonts[fontIndex]);
            }
            painter.setPen(Qt::black);
            // A text of several lines keeps its line breaks.
            const int flags = int(it.alignment)
                              | (it.wordWrap ? Qt::TextWordWrap : it.text.contains(u'\n') ? 0 : Qt::TextSingleLine);
            painter.drawText(r.adjusted(pad, 0, -pad, 0), flags, it.text);
        }
        if (it.frame != FrameNone) {
            painter.setPen(framePen);
            if (it.frame & FrameLeft) painter.drawLine(r.topLeft(), r.bottomLeft());
            if (it.frame & FrameTop) painter.drawLine(r.topLeft(), r.topRight());
            if (it.frame & FrameRight) painter.drawLine(r.topRight(), r.bottomRight());
            if (it.frame & FrameBottom) painter.drawLine(r.bottomLeft(), r.bottomRight());
        }
    }
    painter.restore();
}

void paintPages(QPainter &painter, QPagedPaintDevice &device, const PreparedReport &report, int from, int to,
                const QVector<PageHighlight> &highlights)
{
    from = qMax(0, from);
    to = qMin(to, report.pageCount() - 1);
    for (int p = from; p <= to; ++p) {
        if (p > from) device.newPage();
        paintPage(painter, report, p, p < highlights.size() ? highlights[p] : PageHighlight());
    }
}
