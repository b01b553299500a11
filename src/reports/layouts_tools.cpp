#include "reports/layouts_tools.h"

#include "reports/layout_common.h"

#include <QFontDatabase>

QString fixedPitchFamily()
{
    static const QString family = QFontDatabase::families().contains(QStringLiteral("Courier New"))
                                      ? QStringLiteral("Courier New")
                                      : QStringLiteral("DejaVu Sans Mono");
    return family;
}

ReportLayout vadeFarkiLayout()
{
    ReportLayout l;
    l.name = QStringLiteral("Brenvo Rapor Önizleme - Vade farkı raporu");
    const double w = l.contentWidth();
    ReportFont fixed;
    fixed.family = fixedPitchFamily();
    fixed.pointSize = 8;
    ReportFont title;
    title.family = QStringLiteral("Times New Roman");
    title.pointSize = 12;
    title.bold = true;
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    const auto header = [](const char *field) { return datasetField(kVadeFarkiHeader, QString::fromLatin1(field)); };

    ReportBand &top = l.band(BandType::ReportTitle);
    top.height = 28;
    top.memos << makeMemo(QStringLiteral("Memo5"), QRectF(0, 0, w, 8), header("memo5"), Qt::AlignCenter, FrameNone, title);
    const char *params[] = {"memo6", "memo7", "memo8", "memo9"};
    for (int i = 0; i < 4; ++i)
        top.memos << makeMemo(QStringLiteral("Memo%1").arg(6 + i), QRectF(0, 10 + 4.2 * i, w, 4), header(params[i]), left,
                              FrameNone, fixed);

    ReportBand &page = l.band(BandType::PageHeader);
    page.height = 11;
    page.memos << makeMemo(QStringLiteral("Memo3"), QRectF(w - 40, 0, 40, 4), QStringLiteral("[DATE]"),
                           Qt::AlignRight | Qt::AlignVCenter, FrameNone, fixed, QStringLiteral("dd.mm.yyyy"))
               << makeMemo(QStringLiteral("Memo1"), QRectF(0, 5, w, 5), header("memo1"), left, FrameBottom, fixed);

    ReportBand &body = l.band(BandType::MasterData);
    body.dataset = kVadeFarkiLines;
    body.height = 3.6;
    body.memos << makeMemo(QStringLiteral("Rich1"), QRectF(0, 0, w, 3.6), datasetField(kVadeFarkiLines, QStringLiteral("satir")),
                           left, FrameNone, fixed);

    ReportBand &footer = l.band(BandType::PageFooter);
    footer.height = 8;
    footer.memos << makeMemo(QStringLiteral("Memo4"), QRectF(0, 2, w, 5), QStringLiteral("Sayfa [PAGE#]"),
                             Qt::AlignCenter, FrameNone, fixed);
    return l;
}
