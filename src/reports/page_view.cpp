#include "reports/page_view.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

namespace {
constexpr int kGap = 12;          // pixels between pages and around them
constexpr int kCachedPages = 12;  // page images kept for scrolling back
} // namespace

PageView::PageView(QWidget *parent) : QAbstractScrollArea(parent)
{
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    verticalScrollBar()->setSingleStep(20);
    horizontalScrollBar()->setSingleStep(20);
}

void PageView::setReport(const PreparedReport *report, const QVector<PageHighlight> *highlights)
{
    m_report = report;
    m_highlights = highlights;
    m_drawn = 0;
    m_current = pageCount() > 0 ? 1 : 0;
    refresh();
    verticalScrollBar()->setValue(0);
}

void PageView::refresh()
{
    m_cache.clear();
    m_cacheOrder.clear();
    if (m_current > pageCount()) m_current = pageCount();
    if (m_current == 0 && pageCount() > 0) m_current = 1;
    updateScrollBars();
    viewport()->update();
}

int PageView::pageCount() const { return m_report ? m_report->pageCount() : 0; }

QSizeF PageView::paperMm() const
{
    return m_report ? m_report->pageLayout.fullRect(QPageLayout::Millimeter).size() : QSizeF(210, 297);
}

double PageView::zoomFactor() const
{
    const QSizeF mm = paperMm();
    const double pxPerMmX = logicalDpiX() / 25.4, pxPerMmY = logicalDpiY() / 25.4;
    const QSize area = viewport()->size();
    const double byWidth = qMax(1.0, double(area.width() - 2 * kGap)) / (mm.width() * pxPerMmX);
    switch (m_mode) {
    case ZoomMode::FitWidth: return qMax(0.05, byWidth);
    case ZoomMode::FitPage:
        return qMax(0.05, qMin(byWidth, qMax(1.0, double(area.height() - 2 * kGap)) / (mm.height() * pxPerMmY)));
    case ZoomMode::Custom: return m_factor;
    }
    return m_factor;
}

void PageView::setZoomMode(ZoomMode mode)
{
    const int page = m_current;
    m_mode = mode;
    refresh();
    setCurrentPage(page);
}

void PageView::setZoomFactor(double factor)
{
    const int page = m_current;
    m_mode = ZoomMode::Custom;
    m_factor = qBound(0.05, factor, 10.0);
    refresh();
    setCurrentPage(page);
}

QSize PageView::pageSize() const
{
    const QSizeF mm = paperMm();
    const double z = zoomFactor();
    return QSize(qMax(1, qRound(mm.width() / 25.4 * logicalDpiX() * z)), qMax(1, qRound(mm.height() / 25.4 * logicalDpiY() * z)));
}

int PageView::pageTop(int index) const { return kGap + index * (pageSize().height() + kGap); }

void PageView::updateScrollBars()
{
    const QSize page = pageSize();
    const QSize area = viewport()->size();
    const int height = kGap + pageCount() * (page.height() + kGap);
    const int width = page.width() + 2 * kGap;
    verticalScrollBar()->setPageStep(area.height());
    verticalScrollBar()->setRange(0, qMax(0, height - area.height()));
    horizontalScrollBar()->setPageStep(area.width());
    horizontalScrollBar()->setRange(0, qMax(0, width - area.width()));
}

void PageView::setCurrentPage(int page)
{
    if (pageCount() == 0) return;
    page = qBound(1, page, pageCount());
    m_scrolling = true;
    verticalScrollBar()->setValue(pageTop(page - 1) - kGap);
    m_scrolling = false;
    if (page != m_current) {
        m_current = page;
        emit currentPageChanged(page);
    }
    viewport()->update();
}

void PageView::scrollContentsBy(int, int)
{
    if (!m_scrolling) followScroll();
    viewport()->update();
}

// Scrolled by the user: the current page is the one filling the middle of the view.
void PageView::followScroll()
{
    if (pageCount() == 0) return;
    const int middle = verticalScrollBar()->value() + viewport()->height() / 2;
    const int page = qBound(1, (middle - kGap / 2) / (pageSize().height() + kGap) + 1, pageCount());
    if (page != m_current) {
        m_current = page;
        emit currentPageChanged(page);
    }
}

void PageView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    const int page = m_current;
    if (m_mode != ZoomMode::Custom) {
        m_cache.clear();
        m_cacheOrder.clear();
    }
    updateScrollBars();
    if (page > 0) setCurrentPage(page);
}

const QImage &PageView::pageImage(int index)
{
    auto it = m_cache.find(index);
    if (it != m_cache.end()) {
        m_cacheOrder.removeOne(index);
        m_cacheOrder.append(index);
        return *it;
    }
    const double z = zoomFactor();
    QImage image(pageSize(), QImage::Format_RGB32);
    // The page painter takes millimetres and points from the device's resolution.
    image.setDotsPerMeterX(qRound(logicalDpiX() * z / 0.0254));
    image.setDotsPerMeterY(qRound(logicalDpiY() * z / 0.0254));
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        paintPage(painter, *m_report, index,
                  m_highlights && index < m_highlights->size() ? m_highlights->at(index) : PageHighlight());
    }
    ++m_drawn;
    while (m_cacheOrder.size() >= kCachedPages) m_cache.remove(m_cacheOrder.takeFirst());
    m_cacheOrder.append(index);
    return *m_cache.insert(index, std::move(image));
}

void PageView::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    if (pageCount() == 0) return;
    const QSize page = pageSize();
    const int y0 = verticalScrollBar()->value();
    const int contentWidth = page.width() + 2 * kGap;
    const int x = (contentWidth < viewport()->width() ? (viewport()->width() - page.width()) / 2
                                                     : kGap - horizontalScrollBar()->value());
    const QRect visible = event->rect();
    const int first = qMax(0, (y0 + visible.top() - kGap) / (page.height() + kGap));
    for (int i = first; i < pageCount(); ++i) {
        const QRect target(x, pageTop(i) - y0, page.width(), page.height());
        if (target.top() > visible.bottom()) break;
        if (!target.intersects(visible)) continue;
        painter.drawImage(target.topLeft(), pageImage(i));
        painter.setPen(Qt::black);
        painter.drawRect(target.adjusted(-1, -1, 0, 0));
        emit pagePainted(i + 1);
    }
}
