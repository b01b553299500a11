#pragma once
// The report preview "Brenvo Rapor Önizleme": the prepared pages in a page view (each
// page drawn as it comes into view) under our own toolbar with zoom, page navigation, find, print, save and load of the
// prepared report, save as PDF and exit.
#include "reports/page_painter.h"
#include "reports/prepared_report.h"

#include <QDialog>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class PageView;
class QToolBar;

class TRaporOnizlemeF : public QDialog {
    Q_OBJECT
public:
    static inline const QString kCaption = QStringLiteral("Brenvo Rapor Önizleme");

    explicit TRaporOnizlemeF(PreparedReport report, const QString &caption = QString(), QWidget *parent = nullptr);
    ~TRaporOnizlemeF() override;

    const PreparedReport &report() const { return m_report; }
    void setReport(PreparedReport report);

    int pageCount() const;
    int currentPage() const;  // from 1
    void goToPage(int page);
    void nextPage() { goToPage(currentPage() + 1); }
    void previousPage() { goToPage(currentPage() - 1); }

    void fitPage();
    void fitWidth();
    void setZoomPercent(int percent);
    double zoomFactor() const;

    // Marks every item holding the text (Turkish case ignored) and goes to the first
    // match; returns the number of matches. A text not found is said so.
    int find(const QString &text);
    // The next match (from the last back to the first); finds anew when the text changed.
    void findNext();
    int matchCount() const { return int(m_matches.size()); }
    int currentMatch() const { return m_current; }            // index into the matches, -1 when none
    QPair<int, int> matchAt(int i) const { return m_matches.value(i); }  // (page from 0, item)

    // The toolbar's commands. Each returns whether it went through.
    bool print();
    bool saveReport();
    bool loadReport();
    bool savePdf();

    QToolBar *toolBar() const { return m_toolBar; }
    PageView *previewWidget() const { return m_preview; }

private:
    void buildToolBar();
    void updateHighlights();
    void updatePageLabel();
    void onZoomChosen(int index);

    PreparedReport m_report;
    PageView *m_preview = nullptr;
    QToolBar *m_toolBar = nullptr;
    QComboBox *m_zoomBox = nullptr;
    QLabel *m_pageLabel = nullptr;
    QLineEdit *m_findEdit = nullptr;
    QString m_findText;
    QVector<QPair<int, int>> m_matches;
    int m_current = -1;
    QVector<PageHighlight> m_highlights;
};
