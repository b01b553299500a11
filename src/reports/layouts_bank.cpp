#include "reports/layouts_bank.h"

#include "reports/layout_common.h"

namespace {
constexpr double kTitleHeight = 7;
constexpr double kSummaryRow = 5.5;

ReportFont font(double size, bool bold = false)
{
    ReportFont f;
    f.pointSize = size;
    f.bold = bold;
    return f;
}
} // namespace

QString bankSummaryDataset(int i) { return QStringLiteral("bankaToplam%1").arg(i + 1); }

ReportLayout bankaRaporuLayout(int summaryRows)
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

    // The totals per bank and currency, one framed line each under their headings.
    ReportBand &summary = l.band(BandType::Summary);
    const double bankWidth = 80, currencyWidth = 20, amountWidth = 35;
    const double top = 6, headingHeight = 9;
    summary.height = top + headingHeight + kSummaryRow * summaryRows + 2;
    const Qt::Alignment centre = Qt::AlignCenter;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    const ReportFont bold = font(7.5, true), plain = font(7.5);
    summary.memos << makeMemo(QStringLiteral("OzetBanka"), QRectF(0, top, bankWidth, headingHeight),
                              QStringLiteral("VERİLDİĞİ BANKA"), centre, FrameAll, bold)
                  << makeMemo(QStringLiteral("OzetPara1"), QRectF(bankWidth, top, currencyWidth, headingHeight / 2),
                              QStringLiteral("PARA"), centre, FrameLeft | FrameTop | FrameRight, bold)
                  << makeMemo(QStringLiteral("OzetPara2"), QRectF(bankWidth, top + headingHeight / 2, currencyWidth,
                                                                  headingHeight / 2),
                              QStringLiteral("BİRİMİ"), centre, FrameLeft | FrameBottom | FrameRight, bold)
                  << makeMemo(QStringLiteral("OzetTutar"), QRectF(bankWidth + currencyWidth, top, amountWidth, headingHeight),
                              QStringLiteral("TUTARI"), centre, FrameAll, bold);
    for (int i = 0; i < summaryRows; ++i) {
        const QString row = bankSummaryDataset(i);
        const double y = top + headingHeight + i * kSummaryRow;
        ReportMemo bank = makeMemo(row + QStringLiteral("Banka"), QRectF(0, y, bankWidth, kSummaryRow),
                                   datasetField(row, QStringLiteral("ciro_firma")), Qt::AlignLeft | Qt::AlignVCenter,
                                   FrameAll, plain);
        summary.memos << bank
                      << makeMemo(row + QStringLiteral("Para"), QRectF(bankWidth, y, currencyWidth, kSummaryRow),
                                  datasetField(row, QStringLiteral("para_birimi")), centre, FrameAll, plain)
                      << makeMemo(row + QStringLiteral("Tutar"), QRectF(bankWidth + currencyWidth, y, amountWidth, kSummaryRow),
                                  datasetField(row, QStringLiteral("cektutari")), right, FrameAll, plain);
    }
    return l;
}
