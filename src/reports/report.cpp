#include "reports/report.h"

#include "reports/preview_window.h"
#include "reports/report_error.h"
#include "reports/report_renderer.h"
#include "reports/report_messages.h"

Report::Report(ReportLayout layout) : m_layout(std::move(layout)) {}

void Report::registerDataset(const QString &name, Dataset *dataset) { m_datasets.insert(name, dataset); }

void Report::setMemoText(const QString &memo, const QString &text)
{
    ReportMemo *m = m_layout.findMemo(memo);
    if (!m) throw ReportError(QStringLiteral("'%1' raporunda '%2' nesnesi yok.").arg(m_layout.name, memo));
    m->text = text;
}

QString Report::memoText(const QString &memo) const
{
    const ReportMemo *m = m_layout.findMemo(memo);
    return m ? m->text : QString();
}

PreparedReport Report::prepare() const
{
    return renderReport(m_layout, m_datasets, m_clock ? m_clock() : QDateTime::currentDateTime());
}

bool Report::showPreview(QWidget *parent, const QString &caption) const
{
    PreparedReport pages;
    try {
        pages = prepare();
    } catch (const ReportError &e) {
        ReportMessages::error(e.message(), caption.isEmpty() ? TRaporOnizlemeF::kCaption : caption);
        return false;
    }
    TRaporOnizlemeF preview(std::move(pages), caption, parent);
    preview.setWindowState(preview.windowState() | Qt::WindowMaximized);
    preview.exec();
    return true;
}
