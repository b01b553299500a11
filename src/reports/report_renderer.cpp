#include "reports/report_renderer.h"

#include "data/connection.h"
#include "data/dataset.h"
#include "data/field_value.h"
#include "reports/report_error.h"

#include <QHash>
#include <memory>

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

// A data band with the bands that belong to it.
struct DataGroup {
    CompiledBand header;
    CompiledBand data;
    CompiledBand detail;
    CompiledBand footer;
    Dataset *dataset = nullptr;
    Dataset *detailDataset = nullptr;
    QVector<int> masterColumns, detailColumns;
};

// A value as a key for matching master and detail rows: a date and a date text of the
// same day match, as do 5 and 5.0.
QString matchKey(const QVariant &v)
{
    if (!v.isValid() || v.isNull()) return QStringLiteral("\x01");
    switch (v.typeId()) {
    case QMetaType::QDate: return v.toDate().toString(Qt::ISODate);
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        return dt.time() == QTime(0, 0) ? dt.date().toString(Qt::ISODate) : dt.toString(Qt::ISODate);
    }
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong: return QString::number(v.toDouble(), 'g', 17);
    default: {
        const QString s = v.toString();
        // A date kept as text ("2024-03-01" or "2024-03-01 00:00:00") matches the date.
        if (s.size() >= 10 && s[4] == u'-' && s[7] == u'-') {
            const QDate d = FieldValue::asDate(v);
            if (d.isValid() && (s.size() == 10 || s.mid(10).trimmed() == QStringLiteral("00:00:00")))
                return d.toString(Qt::ISODate);
        }
        return s;
    }
    }
}

class Renderer {
public:
    Renderer(const ReportLayout &layout, const ReportDatasets &datasets, const QDateTime &now)
        : m_layout(layout), m_datasets(datasets)
    {
        m_ctx.now = now;
        m_out.title = layout.name;
        m_out.pageLayout = layout.pageLayout();
        collectGroups();
        // [COUNT] outside the data bands counts the first data band's rows.
        Dataset *first = m_groups.isEmpty() ? nullptr : m_groups.first().dataset;
        for (BandType t : {BandType::ReportTitle, BandType::PageHeader, BandType::ColumnHeader, BandType::Summary,
                           BandType::PageFooter})
            m_single[int(t)] = compile(layout.findBand(t), first);
        const QSizeF paper = m_out.pageLayout.fullRect(QPageLayout::Millimeter).size();
        m_top = layout.margins.top();
        m_footerTop = paper.height() - layout.margins.bottom() - single(BandType::PageFooter).height();
    }

    PreparedReport run()
    {
        // Rows are read by number, so the cursors stay where the window left them; the
        // attached grids are kept quiet meanwhile all the same.
        QVector<Dataset *> quiet;
        for (const DataGroup &g : m_groups)
            for (Dataset *ds : {g.dataset, g.detailDataset})
                if (ds && !quiet.contains(ds)) quiet.append(ds);
        for (Dataset *ds : quiet) ds->disableControls();
        struct Enable {
            QVector<Dataset *> &list;
            ~Enable() { for (Dataset *ds : list) ds->enableControls(); }
        } enable{quiet};

        startPage(true);
        for (const DataGroup &g : m_groups) printGroup(g);
        placeOnPage(single(BandType::Summary));
        finishPage();

        const QString total = QString::number(m_out.pageCount());
        for (auto [page, item] : m_totalPagesItems)
            m_out.pages[page].items[item].text.replace(kTotalPagesMark, total);
        return std::move(m_out);
    }

private:
    Dataset *datasetOf(const ReportBand &b)
    {
        if (b.dataset.isEmpty()) return nullptr;
        Dataset *ds = m_datasets.value(b.dataset);
        if (!ds) throw ReportError(QStringLiteral("Raporda '%1' veri kümesi tanımlı değil.").arg(b.dataset));
        return ds;
    }

    static int rowsOf(const Dataset *ds) { return ds && ds->isActive() ? ds->recordCount() : 0; }

    QVector<int> columnsOf(Dataset *ds, const ReportBand &b, const QStringList &fields)
    {
        QVector<int> out;
        for (const QString &f : fields) {
            const int col = ds && ds->isActive() ? ds->fieldIndex(f) : -1;
            if (col < 0 && ds && ds->isActive())
                throw ReportError(QStringLiteral("'%1' veri kümesinde '%2' alanı yok.").arg(b.dataset, f));
            out.append(col);
        }
        return out;
    }

    // Walks the body bands in their order: a master header waits for the data band
    // after it; a detail band and a footer belong to the data band before them. A
    // footer with no data band before it prints where it stands.
    void collectGroups()
    {
        const ReportBand *pendingHeader = nullptr;
        bool open = false;  // the last group may still take a detail band or a footer
        for (const ReportBand &b : m_layout.bands) {
            switch (b.type) {
            case BandType::MasterHeader: pendingHeader = &b; break;
            case BandType::MasterData: {
                DataGroup g;
                g.dataset = datasetOf(b);
                g.data = compile(&b, g.dataset);
                if (pendingHeader) g.header = compile(pendingHeader, g.dataset);
                pendingHeader = nullptr;
                m_groups.append(std::move(g));
                open = true;
                break;
            }
            case BandType::DetailData: {
                if (!open || m_groups.last().detail.band)
                    throw ReportError(QStringLiteral("'%1' raporunda ayrıntı bandının üstünde veri bandı yok.").arg(m_layout.name));
                if (b.masterFields.size() != b.detailFields.size())
                    throw ReportError(QStringLiteral("'%1' raporunda ayrıntı bandının alanları eşleşmiyor.").arg(m_layout.name));
                DataGroup &g = m_groups.last();
                g.detailDataset = datasetOf(b);
                g.detail = compile(&b, g.detailDataset);
                g.masterColumns = columnsOf(g.dataset, *g.data.band, b.masterFields);
                g.detailColumns = columnsOf(g.detailDataset, b, b.detailFields);
                break;
            }
            case BandType::MasterFooter: {
                if (open) {
                    m_groups.last().footer = compile(&b, m_groups.last().dataset);
                } else {
                    DataGroup g;  // a footer alone: printed once where it stands
                    g.footer = compile(&b, nullptr);
                    m_groups.append(std::move(g));
                }
                open = false;
                break;
            }
            default: break;
            }
        }
    }

    CompiledBand compile(const ReportBand *b, Dataset *own)
    {
        CompiledBand c;
        c.band = b;
        if (!b) return c;
        for (const ReportMemo &m : b->memos)
            c.memos.append({&m, TextTemplate::compile(m.text, m.displayFormat, m_datasets, own), m_out.fontIndex(m.font)});
        return c;
    }

    const CompiledBand &single(BandType t) const { return m_single[int(t)]; }

    // The detail rows of each key of the master fields, in the detail dataset's order.
    QHash<QString, QVector<int>> detailIndex(const DataGroup &g) const
    {
        QHash<QString, QVector<int>> index;
        const int n = rowsOf(g.detailDataset);
        for (int r = 0; r < n; ++r) index[rowKey(g.detailDataset, r, g.detailColumns)].append(r);
        return index;
    }

    static QString rowKey(const Dataset *ds, int row, const QVector<int> &columns)
    {
        QString key;
        for (int c : columns) {
            key += c < 0 ? QString() : matchKey(ds->valueAt(row, c));
            key += QChar(0x1F);
        }
        return key;
    }

    void printGroup(const DataGroup &g)
    {
        m_ctx.master = g.dataset;
        m_ctx.masterRow = -1;
        m_ctx.detail = nullptr;
        m_ctx.detailRow = -1;
        m_groupHeader = g.header.band ? &g.header : nullptr;
        if (g.data.band) placeOnPage(g.header);

        const int rows = g.data.band ? rowsOf(g.dataset) : 0;
        const bool hasDetail = g.detail.band && g.detailDataset;
        const QHash<QString, QVector<int>> index = hasDetail ? detailIndex(g) : QHash<QString, QVector<int>>();
        for (int r = 0; r < rows; ++r) {
            m_ctx.masterRow = r;
            m_ctx.line = r + 1;
            m_ctx.detail = nullptr;
            m_ctx.detailRow = -1;
            placeOnPage(g.data);
            if (!hasDetail) continue;
            const QVector<int> details = index.value(rowKey(g.dataset, r, g.masterColumns));
            m_ctx.detail = g.detailDataset;
            for (int i = 0; i < details.size(); ++i) {
                m_ctx.detailRow = details[i];
                m_ctx.line = i + 1;
                placeOnPage(g.detail);
            }
            m_ctx.line = r + 1;
        }
        m_ctx.masterRow = -1;
        m_ctx.detail = nullptr;
        m_ctx.detailRow = -1;
        m_groupHeader = nullptr;
        placeOnPage(g.footer);
        m_ctx.master = nullptr;
    }

    void startPage(bool first)
    {
        m_out.pages.append(PreparedPage());
        m_ctx.page = int(m_out.pages.size());
        m_y = m_top;
        if (first) place(single(BandType::ReportTitle));
        place(single(BandType::PageHeader));
        place(single(BandType::ColumnHeader));
    }

    void finishPage()
    {
        m_y = m_footerTop;
        place(single(BandType::PageFooter));
    }

    void breakPage()
    {
        // The page footer and headers read no data band's row.
        const ExpressionContext saved = m_ctx;
        m_ctx.master = nullptr;
        m_ctx.masterRow = -1;
        m_ctx.detail = nullptr;
        m_ctx.detailRow = -1;
        finishPage();
        startPage(false);
        m_ctx = saved;
        m_ctx.page = int(m_out.pages.size());
        // A data band going on to a new page repeats its header there.
        if (m_groupHeader) {
            const int row = m_ctx.masterRow;
            const int detailRow = m_ctx.detailRow;
            m_ctx.masterRow = -1;
            m_ctx.detailRow = -1;
            place(*m_groupHeader);
            m_ctx.masterRow = row;
            m_ctx.detailRow = detailRow;
        }
    }

    // Places a band, on a new page when it does not fit on this one.
    void placeOnPage(const CompiledBand &b)
    {
        if (!b.band) return;
        if (m_y + b.height() > m_footerTop + 1e-6 && m_y > m_top + headersHeight() + 1e-6) breakPage();
        place(b);
    }

    // What a page begins with, so a band taller than a page still prints (on its own).
    double headersHeight() const
    {
        return single(BandType::PageHeader).height() + single(BandType::ColumnHeader).height()
               + (m_out.pages.size() == 1 ? single(BandType::ReportTitle).height() : 0)
               + (m_groupHeader ? m_groupHeader->height() : 0);
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
    CompiledBand m_single[int(BandType::PageFooter) + 1];
    QVector<DataGroup> m_groups;
    const CompiledBand *m_groupHeader = nullptr;
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
