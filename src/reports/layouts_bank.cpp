#include "reports/layouts_bank.h"

#include "reports/layout_common.h"

namespace {
constexpr double kTitleHeight = 7;
constexpr double kSummaryRow = 5.5;

} // namespace

ReportLayout bankaRaporuLayout()
{
    const QString ds = QStringLiteral("ffQuery4");
    QVector<ReportColumn> columns = chequeColumns(ds, QStringLiteral("cek_bankasi"), 38);
    columns << ReportColumn{45, {QStringLiteral("VERİLDİĞİ BANKA")}, {datasetField(ds, QStringLiteral("ciro_firma"))}}
            << ReportColumn{40, {QStringLiteral("ÇEKİ DÜZENLEYEN")}, {datasetField(ds, QStringLiteral("ceki_duzenleyen"))}};
    ReportLayout l = listLayout(QStringLiteral("BANKALARDAKİ ÇEK VE SENET LİSTESİ"));
    l.name = QStringLiteral("frReport1");
    const double w = l.contentWidth();

    // The window's title under the report's, on every page.
    ReportBand &header = l.band(BandType::PageHeader);
    header.height += kTitleHeight;
    header.memos << makeMemo(QStringLiteral("Memo9"), QRectF(0, 22, w, kTitleHeight - 1),
                             datasetField(kBankTitleDataset, QStringLiteral("baslik")), Qt::AlignCenter, FrameNone,
                             font(9, true));
    addColumns(l, ds, columns);
    // The column headings head the list alone: on the pages the summary goes on to
    // they would stand over lines that are not cheques.
    for (ReportBand &b : l.bands)
        if (b.type == BandType::ColumnHeader) b.type = BandType::MasterHeader;

    // The totals per bank and currency after the list, one framed line each: a data
    // band of its own, so a long summary goes on to the next pages, its headings
    // repeated atop each of them.
    const double bankWidth = 80, currencyWidth = 20, amountWidth = 35;
    const double top = 6, headingHeight = 9;
    const Qt::Alignment centre = Qt::AlignCenter;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    const ReportFont bold = font(7.5, true), plain = font(7.5);
    ReportBand &headings = l.addBand(BandType::MasterHeader, top + headingHeight);
    headings.memos << makeMemo(QStringLiteral("OzetBanka"), QRectF(0, top, bankWidth, headingHeight),
                               QStringLiteral("VERİLDİĞİ BANKA"), centre, FrameAll, bold)
                   << makeMemo(QStringLiteral("OzetPara1"), QRectF(bankWidth, top, currencyWidth, headingHeight / 2),
                               QStringLiteral("PARA"), centre, FrameLeft | FrameTop | FrameRight, bold)
                   << makeMemo(QStringLiteral("OzetPara2"), QRectF(bankWidth, top + headingHeight / 2, currencyWidth,
                                                                   headingHeight / 2),
                               QStringLiteral("BİRİMİ"), centre, FrameLeft | FrameBottom | FrameRight, bold)
                   << makeMemo(QStringLiteral("OzetTutar"), QRectF(bankWidth + currencyWidth, top, amountWidth,
                                                                   headingHeight),
                               QStringLiteral("TUTARI"), centre, FrameAll, bold);
    const QString t = kBankTotalsDataset;
    ReportBand &totals = l.addBand(BandType::MasterData, kSummaryRow, t);
    totals.memos << makeMemo(QStringLiteral("OzetBankaSatir"), QRectF(0, 0, bankWidth, kSummaryRow),
                             datasetField(t, QStringLiteral("ciro_firma")), Qt::AlignLeft | Qt::AlignVCenter, FrameAll,
                             plain)
                 << makeMemo(QStringLiteral("OzetParaSatir"), QRectF(bankWidth, 0, currencyWidth, kSummaryRow),
                             datasetField(t, QStringLiteral("para_birimi")), centre, FrameAll, plain)
                 << makeMemo(QStringLiteral("OzetTutarSatir"), QRectF(bankWidth + currencyWidth, 0, amountWidth, kSummaryRow),
                             datasetField(t, QStringLiteral("cektutari")), right, FrameAll, plain);
    return l;
}
