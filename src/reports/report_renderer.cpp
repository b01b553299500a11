#include "reports/report_renderer.h"

#include "data/connection.h"
#include "data/dataset.h"
#include "reports/report_error.h"

namespace {

struct CompiledMemo {
    const ReportMemo *memo;
    TextTemplate text;
    quint16 font;
};

struct CompiledBand {
    const ReportBand *band = nullptr;
    QVector<CompiledMemo> memos;
    double height() const { return band ? band->height : 0; }
};

class Renderer {
public:
    Renderer(const ReportLayout &layout, const ReportDatasets &datasets, const QDateTime &now)
        : m_layout(layout), m_datasets(datasets)
    {
        m_ctx.now = now;
        m_out.title = layout.name;
        m_out.pageLayout = layout.pageLayout();
        const ReportBand *master = layout.findBand(BandType::MasterData);
        if (master && !master->dataset.isEmpty()) {
            m_master = datasets.value(master->dataset);
            if (!m_master)
                throw ReportError(QStringLiteral("Raporda '%1' veri kümesi tanımlı değil.").arg(master->dataset));
        }
        for (int t = 0; t <= int(BandType::PageFooter); ++t) m_bands[t] = compile(layout.findBand(BandType(t)));
        const QSizeF paper = m_out.pageLayout.fullRect(QPageLayout::Millimeter).size();
        m_top = layout.margins.top();
        m_footerTop = paper.height() - layout.margins.bottom() - band(BandType::PageFooter).height();
    }

    PreparedReport run()
    {
        const int rows = m_master && m_master->isActive() ? m_master->recordCount() : 0;
        // Rows are read by number, so the cursor stays where the window left it; the
        // attached grids are kept quiet meanwhile all the same.
        if (m_master) m_master->disableControls();
        struct Enable {
            Dataset *ds;
            ~Enable() { if (ds) ds->enableControls(); }
        } enable{m_master};

        startPage(true);
        const CompiledBand &data = band(BandType::MasterData);
        for (int r = 0; r < rows; ++r) {
            m_ctx.masterRow = r;
            m_ctx.line = r + 1;
            if (m_y + data.height() > m_footerTop + 1e-6) breakPage();
            place(data);
        }
        m_ctx.masterRow = -1;
        for (BandType t : {BandType::MasterFooter, BandType::Summary}) {
            const CompiledBand &b = band(t);
            if (!b.band) continue;
            if (m_y + b.height() > m_footerTop + 1e-6) breakPage();
            place(b);
        }
        finishPage();

        const QString total = QString::number(m_out.pageCount());
        for (auto [page, item] : m_totalPagesItems)
            m_out.pages[page].items[item].text.replace(kTotalPagesMark, total);
        return std::move(m_out);
    }

private:
    CompiledBand compile(const ReportBand *b)
    {
        CompiledBand c;
        c.band = b;
        if (!b) return c;
        for (const ReportMemo &m : b->memos)
            c.memos.append({&m, TextTemplate::compile(m.text, m.displayFormat, m_datasets, m_master),
                            m_out.fontIndex(m.font)});
        return c;
    }

    const CompiledBand &band(BandType t) const { return m_bands[int(t)]; }

    void startPage(bool first)
    {
        m_out.pages.append(PreparedPage());
        m_ctx.page = int(m_out.pages.size());
        m_y = m_top;
        if (first) place(band(BandType::ReportTitle));
        place(band(BandType::PageHeader));
        place(band(BandType::ColumnHeader));
    }

    void finishPage()
    {
        const CompiledBand &footer = band(BandType::PageFooter);
        m_y = m_footerTop;
        place(footer);
    }

    void breakPage()
    {
        finishPage();
        startPage(false);
    }

    void place(const CompiledBand &b)
    {
        if (!b.band) return;
        PreparedPage &page = m_out.pages.last();
        const double left = m_layout.margins.left();
        for (const CompiledMemo &cm : b.memos) {
            PageItem it;
            it.rect = cm.memo->rect.translated(left, m_y);
            it.text = cm.text.evaluate(m_ctx);
            it.font = cm.font;
            it.alignment = quint16(cm.memo->alignment);
            it.frame = quint8(cm.memo->frame);
            it.wordWrap = cm.memo->wordWrap;
            it.picture = cm.memo->picture;
            if (cm.text.usesTotalPages()) m_totalPagesItems.append({int(m_out.pages.size()) - 1, int(page.items.size())});
            page.items.append(std::move(it));
        }
        m_y += b.height();
    }

    const ReportLayout &m_layout;
    const ReportDatasets &m_datasets;
    Dataset *m_master = nullptr;
    CompiledBand m_bands[int(BandType::PageFooter) + 1];
    ExpressionContext m_ctx;
    PreparedReport m_out;
    double m_top = 0;
    double m_footerTop = 0;
    double m_y = 0;
    QVector<QPair<int, int>> m_totalPagesItems;
};

} // namespace

PreparedReport renderReport(const ReportLayout &layout, const ReportDatasets &datasets, const QDateTime &now)
{
    return Renderer(layout, datasets, now).run();
}
