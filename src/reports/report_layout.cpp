#include "reports/report_layout.h"

#include <QPageSize>
#include <algorithm>

QFont ReportFont::toQFont() const
{
    QFont f(family);
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    f.setItalic(italic);
    // Printed pages must look the same on every device: no hinting to the screen grid.
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

ReportBand &ReportLayout::band(BandType type)
{
    for (ReportBand &b : bands)
        if (b.type == type) return b;
    // Keep the bands in their printing order, whatever order the builder adds them in.
    ReportBand b;
    b.type = type;
    const auto at = std::find_if(bands.begin(), bands.end(),
                                 [type](const ReportBand &x) { return int(x.type) > int(type); });
    return *bands.insert(at, b);
}

ReportBand &ReportLayout::addBand(ReportBand b)
{
    // After the body bands there are, before a trailing summary and page footer (whose
    // place does not matter): a single footer added later with band() then still
    // closes the last data band.
    qsizetype at = bands.size();
    while (at > 0 && (bands[at - 1].type == BandType::Summary || bands[at - 1].type == BandType::PageFooter)) --at;
    return *bands.insert(bands.begin() + at, std::move(b));
}

ReportBand &ReportLayout::addBand(BandType type, double height, const QString &dataset)
{
    ReportBand b;
    b.type = type;
    b.height = height;
    b.dataset = dataset;
    return addBand(std::move(b));
}

const ReportBand *ReportLayout::findBand(BandType type) const
{
    for (const ReportBand &b : bands)
        if (b.type == type) return &b;
    return nullptr;
}

ReportMemo *ReportLayout::findMemo(const QString &name)
{
    for (ReportBand &b : bands)
        for (ReportMemo &m : b.memos)
            if (m.name == name) return &m;
    return nullptr;
}

const ReportMemo *ReportLayout::findMemo(const QString &name) const
{
    return const_cast<ReportLayout *>(this)->findMemo(name);
}

QPageLayout ReportLayout::pageLayout() const
{
    return QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

double ReportLayout::contentWidth() const
{
    return pageLayout().fullRect(QPageLayout::Millimeter).width() - margins.left() - margins.right();
}

ReportMemo makeMemo(const QString &name, const QRectF &rect, const QString &text, Qt::Alignment alignment,
                    int frame, const ReportFont &font, const QString &displayFormat)
{
    ReportMemo m;
    m.name = name;
    m.rect = rect;
    m.text = text;
    m.alignment = alignment;
    m.frame = frame;
    m.font = font;
    m.displayFormat = displayFormat;
    return m;
}
