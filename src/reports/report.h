#pragma once
// A layout bound to the program's datasets by name, with the memo texts the window
// sets before the preview:
//   Report r(cekVeSenetListesiLayout());
//   r.registerDataset("eldekiceklerQuery", &eldekiceklerQuery);
//   r.setMemoText("Memo15", "ÇEKİ DÜZENLEYEN");
//   r.showPreview(this);
#include "reports/prepared_report.h"
#include "reports/report_expression.h"
#include "reports/report_layout.h"

#include <QDateTime>
#include <functional>

class QWidget;

class Report {
public:
    explicit Report(ReportLayout layout = {});

    ReportLayout &layout() { return m_layout; }
    const ReportLayout &layout() const { return m_layout; }
    void registerDataset(const QString &name, Dataset *dataset);
    const ReportDatasets &datasets() const { return m_datasets; }

    // Sets the text of the named memo; a name the layout lacks is a programming
    // fault and throws ReportError.
    void setMemoText(const QString &memo, const QString &text);
    QString memoText(const QString &memo) const;

    // The clock of [DATE] and [TIME]; tests fix it.
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

    // Lays the pages out; throws ReportError.
    PreparedReport prepare() const;
    // Prepares and shows the preview modally. A layout that cannot be prepared shows
    // its error instead. Returns whether the preview was shown.
    bool showPreview(QWidget *parent = nullptr, const QString &caption = QString()) const;

private:
    ReportLayout m_layout;
    ReportDatasets m_datasets;
    std::function<QDateTime()> m_clock;
};
