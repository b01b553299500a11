#pragma once
// Report layouts as data: bands stacked down the page, each holding positioned text
// objects ("memos"). Geometry is in millimetres; a memo's rectangle is relative to
// the top-left corner of its band, whose left edge is the page's left margin.
#include <QFont>
#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVector>

// The printing order of the single bands. Data bands may repeat: each MasterData band
// prints over its own dataset in the order the bands stand in the layout, with the
// MasterHeader standing right before it, the DetailData band and the MasterFooter
// standing right after it.
enum class BandType {
    ReportTitle,
    PageHeader,
    ColumnHeader,
    MasterHeader,  // before the first row of the data band it stands before, and atop each page it goes on to
    MasterData,
    DetailData,    // after each master row: the detail dataset's rows matching that row
    MasterFooter,  // after the last row of the data band it stands after
    Summary,
    PageFooter
};

// Which edges of a memo are drawn.
enum MemoFrame { FrameNone = 0, FrameLeft = 1, FrameTop = 2, FrameRight = 4, FrameBottom = 8, FrameAll = 15 };

struct ReportFont {
    QString family = QStringLiteral("DejaVu Sans");
    double pointSize = 8;
    bool bold = false;
    bool italic = false;
    QFont toQFont() const;
    bool operator==(const ReportFont &) const = default;
};

struct ReportMemo {
    QString name;
    QRectF rect;            // mm, relative to the band
    QString text;           // literal words and bracketed expressions
    QString displayFormat;  // for the fields and sums of the text ("#,##0.00", "dd.mm.yyyy")
    ReportFont font;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    int frame = FrameNone;
    bool wordWrap = false;
    // A picture object: drawn into the rectangle, scaled to fit it with its
    // proportions kept; the text is not used then.
    QImage picture;
};

struct ReportBand {
    BandType type = BandType::MasterData;
    double height = 0;  // mm
    QString dataset;    // a data band's dataset, by its registered name
    QVector<ReportMemo> memos;
    // A detail band prints, after each row of the master band above it, the rows of
    // its own dataset whose detailFields hold the master row's masterFields (compared
    // as values: a date matches the same date, a number the same number), in the
    // detail dataset's order.
    QStringList masterFields;
    QStringList detailFields;
};

struct ReportLayout {
    QString name;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins{10, 10, 10, 10};  // mm
    QVector<ReportBand> bands;

    // The band of a type, created at its place when missing (which moves the other
    // bands: take references after creating every band needed).
    ReportBand &band(BandType type);
    // Appends a band after the body bands there are (before the summary and the page
    // footer); data bands repeat this way. Returns the new band (a reference valid
    // until the next band is added).
    ReportBand &addBand(ReportBand band);
    ReportBand &addBand(BandType type, double height, const QString &dataset = QString());
    const ReportBand *findBand(BandType type) const;
    ReportMemo *findMemo(const QString &name);
    const ReportMemo *findMemo(const QString &name) const;
    // A4 in the layout's orientation, without printer margins: the layout keeps its own.
    QPageLayout pageLayout() const;
    double contentWidth() const;  // mm between the left and right margins
};

// A memo in one call, for the layout builders.
ReportMemo makeMemo(const QString &name, const QRectF &rect, const QString &text,
                    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter, int frame = FrameNone,
                    const ReportFont &font = {}, const QString &displayFormat = {});
