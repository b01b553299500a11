#pragma once
// The pages of a prepared report one under the other in a scrolling view. A page is
// drawn only when it comes into view (and kept for a while), so a report of any
// length shows its first page at once.
#include "reports/page_painter.h"
#include "reports/prepared_report.h"

#include <QAbstractScrollArea>
#include <QHash>
#include <QImage>
#include <QList>

class PageView : public QAbstractScrollArea {
    Q_OBJECT
public:
    enum class ZoomMode { FitWidth, FitPage, Custom };

    explicit PageView(QWidget *parent = nullptr);

    // The report and the find marks are the caller's: they must outlive the view, and
    // every change to them is followed by refresh().
    void setReport(const PreparedReport *report, const QVector<PageHighlight> *highlights);
    void refresh();  // pages are drawn anew

    int pageCount() const;
    int currentPage() const { return m_current; }  // from 1; 0 without pages
    void setCurrentPage(int page);

    void setZoomMode(ZoomMode mode);
    ZoomMode zoomMode() const { return m_mode; }
    void setZoomFactor(double factor);  // 1 is the paper's own size on the screen; switches to Custom
    double zoomFactor() const;          // the factor in use, for fitting modes too

    // How many page images were drawn since the report was set (tests, measurements).
    int pagesDrawn() const { return m_drawn; }

Q_SIGNALS:
    void currentPageChanged(int page);
    void pagePainted(int page);  // a page was put on the screen (from 1)

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QSizeF paperMm() const;
    QSize pageSize() const;  // pixels at the zoom in use
    int pageTop(int index) const;
    void updateScrollBars();
    const QImage &pageImage(int index);
    void followScroll();

    const PreparedReport *m_report = nullptr;
    const QVector<PageHighlight> *m_highlights = nullptr;
    ZoomMode m_mode = ZoomMode::FitWidth;
    double m_factor = 1;
    int m_current = 0;
    bool m_scrolling = false;  // the view scrolls to a page it was sent to
    QHash<int, QImage> m_cache;
    QList<int> m_cacheOrder;  // least recently drawn first
    int m_drawn = 0;
};
