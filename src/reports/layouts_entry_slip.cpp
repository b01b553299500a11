#include "reports/layouts_entry_slip.h"

#include "reports/layout_common.h"

namespace {

const QString &q = kEntrySlipChequesDataset;
const QString kReceiptTitle = QStringLiteral("ÇEK VE SENET BORDRO ALINDISI");
const QString kDetailedTitle = QStringLiteral("ÇEK VE SENET BORDRO ALINDISI (DETAYLI)");

QString field(const char *name) { return datasetField(q, QString::fromLatin1(name)); }

// The company block, the title, the slip date and print time, the account and its
// address and the currency, atop every page; "Sayfa n / m" at the bottom.
ReportLayout receiptLayout(const QString &title, QPageLayout::Orientation orientation)
{
    ReportLayout l;
    l.name = title;
    l.orientation = orientation;
    const double w = l.contentWidth();
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;

    ReportBand &header = l.band(BandType::PageHeader);
    header.height = 50;
    header.memos << companyBlockMemo(QStringLiteral("FirmaBilgisi"), QRectF(0, 0, w - 60, 20))
                 << makeMemo(QStringLiteral("TarihBaslik"), QRectF(w - 60, 0, 25, 5), QStringLiteral("Tarih :"), right,
                             FrameNone, font(8))
                 << makeMemo(QStringLiteral("Memo57"), QRectF(w - 35, 0, 35, 5), QStringLiteral("[DATE]"), right,
                             FrameNone, font(8))
                 << makeMemo(QStringLiteral("SaatBaslik"), QRectF(w - 60, 5, 25, 5), QStringLiteral("Saat :"), right,
                             FrameNone, font(8))
                 << makeMemo(QStringLiteral("Saat"), QRectF(w - 35, 5, 35, 5), QStringLiteral("[TIME]"), right,
                             FrameNone, font(8))
                 << makeMemo(QStringLiteral("Baslik"), QRectF(0, 22, w, 8), title, Qt::AlignCenter, FrameNone,
                             font(12, true))
                 << makeMemo(QStringLiteral("AlindigiFirmaBaslik"), QRectF(0, 32, 28, 5), QStringLiteral("Alındığı Firma"),
                             left, FrameNone, font(8, true))
                 << makeMemo(QStringLiteral("AlindigiFirma"), QRectF(28, 32, w - 88, 5),
                             QStringLiteral(": ") + field("alindigi_firma"), left, FrameNone, font(8))
                 << makeMemo(QStringLiteral("FirmaAdresiBaslik"), QRectF(0, 37, 28, 5), QStringLiteral("Firma Adresi"),
                             left, FrameNone, font(8, true))
                 << makeMemo(QStringLiteral("AdresAyrac"), QRectF(28, 37, 3, 5), QStringLiteral(":"), left, FrameNone,
                             font(8))
                 << makeMemo(QStringLiteral("Memo61"), QRectF(31, 38, w - 91, 10), QString(),
                             Qt::AlignLeft | Qt::AlignTop, FrameNone, font(8))
                 << makeMemo(QStringLiteral("ParaBirimiBaslik"), QRectF(w - 60, 32, 25, 5), QStringLiteral("Para Birimi :"),
                             right, FrameNone, font(8, true))
                 << makeMemo(QStringLiteral("Memo22"), QRectF(w - 35, 32, 35, 5), QString(), right, FrameNone, font(8));

    ReportBand &footer = l.band(BandType::PageFooter);
    footer.height = 8;
    footer.memos << makeMemo(QStringLiteral("AltCizgi"), QRectF(0, 1, w, 6), QString(), Qt::AlignLeft, FrameTop)
                 << makeMemo(QStringLiteral("SayfaNo"), QRectF(w - 60, 2, 60, 5),
                             QStringLiteral("Sayfa [Page#] / [TotalPages]"), right, FrameNone, font(8));
    return l;
}

// The summary: label and memo pairs stacked under the amount column.
void addSummary(ReportLayout &l, double valueLeft, double valueWidth, const QVector<QPair<QString, QString>> &pairs)
{
    constexpr double kRow = 5.5;
    ReportBand &summary = l.band(BandType::Summary);
    summary.height = 3 + kRow * pairs.size() + 2;
    const ReportFont bold = font(8, true);
    for (int i = 0; i < pairs.size(); ++i) {
        const double y = 3 + i * kRow;
        summary.memos << makeMemo(QStringLiteral("Etiket%1").arg(i + 1), QRectF(valueLeft - 45, y, 43, kRow),
                                  pairs[i].first, Qt::AlignRight | Qt::AlignVCenter, FrameNone, bold)
                      << makeMemo(pairs[i].second, QRectF(valueLeft, y, valueWidth, kRow), QString(),
                                  Qt::AlignRight | Qt::AlignVCenter, FrameAll, bold);
    }
}

ReportColumn column(double width, QStringList headings, QStringList texts, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter,
                    const QString &format = QString())
{
    ReportColumn c;
    c.width = width;
    c.headings = std::move(headings);
    c.texts = std::move(texts);
    c.alignment = alignment;
    c.format = format;
    return c;
}

const Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;

// "SN", "ÇEK VADESİ", "ÇEK" / "GÜN", "PARA" / "BİRİMİ", "TUTARI", "VADE FARKI",
// "MASRAF", "NET TUTAR": the detailed receipts' first columns.
QVector<ReportColumn> detailedColumns(const double widths[8])
{
    return {
        column(widths[0], {QStringLiteral("SN")}, {QStringLiteral("[LINE#]")}, Qt::AlignCenter),
        column(widths[1], {QStringLiteral("ÇEK VADESİ")}, {field("cek_tarihi")}, Qt::AlignCenter, kDateFormat),
        column(widths[2], {QStringLiteral("ÇEK"), QStringLiteral("GÜN")}, {field("cek_gun")}, Qt::AlignCenter),
        column(widths[3], {QStringLiteral("PARA"), QStringLiteral("BİRİMİ")}, {field("para_birimi")}, Qt::AlignCenter),
        column(widths[4], {QStringLiteral("TUTARI")}, {field("cek_tutari")}, kRight, kAmountFormat),
        column(widths[5], {QStringLiteral("VADE FARKI")}, {field("cek_vade_farki")}, kRight, kAmountFormat),
        column(widths[6], {QStringLiteral("MASRAF")}, {field("cek_masraf")}, kRight, kAmountFormat),
        column(widths[7], {QStringLiteral("NET TUTAR")}, {field("cek_net_tutar")}, kRight, kAmountFormat),
    };
}

const QVector<QPair<QString, QString>> kDetailedSummary = {
    {QStringLiteral("Toplam Tutar"), QStringLiteral("Memo39")},  {QStringLiteral("Ortalama Vadesi"), QStringLiteral("Memo14")},
    {QStringLiteral("Gün"), QStringLiteral("Memo19")},           {QStringLiteral("Vade Farkı"), QStringLiteral("Memo28")},
    {QStringLiteral("Masraf"), QStringLiteral("Memo31")},        {QStringLiteral("BSMV"), QStringLiteral("Memo34")},
    {QStringLiteral("Toplam Net Tutar"), QStringLiteral("Memo17")}};

constexpr int kAmountColumn = 4;  // "TUTARI" in every receipt

} // namespace

ReportLayout cekAlindisiLayout()
{
    QVector<ReportColumn> columns = chequeColumns(q, QStringLiteral("cek_bankasi"), 34);
    columns << accountAndNumberColumn(q)
            << column(59, {QStringLiteral("ÇEKİ DÜZENLEYEN")}, {field("ceki_duzenleyen")});
    ReportLayout l = receiptLayout(kReceiptTitle, QPageLayout::Portrait);
    addColumns(l, q, columns);
    addSummary(l, columnLeft(columns, kAmountColumn), columns[kAmountColumn].width,
               {{QStringLiteral("Toplam Tutar"), QStringLiteral("Memo39")},
                {QStringLiteral("Ortalama Vadesi"), QStringLiteral("Memo14")},
                {QStringLiteral("Ortalama Gün"), QStringLiteral("Memo19")}});
    return l;
}

ReportLayout cekAlindisiDetayliLayout()
{
    const double widths[8] = {9, 20, 12, 13, 25, 22, 20, 25};
    QVector<ReportColumn> columns = detailedColumns(widths);
    columns << column(44, {QStringLiteral("BANKASI")}, {field("cek_bankasi")});
    ReportLayout l = receiptLayout(kDetailedTitle, QPageLayout::Portrait);
    addColumns(l, q, columns);
    addSummary(l, columnLeft(columns, kAmountColumn), columns[kAmountColumn].width, kDetailedSummary);
    return l;
}

ReportLayout cekAlindisiDetayli2Layout()
{
    const double widths[8] = {9, 20, 11, 13, 25, 22, 20, 25};
    QVector<ReportColumn> columns = detailedColumns(widths);
    ReportColumn account = accountAndNumberColumn(q);
    account.width = 34;
    columns << column(42, {QStringLiteral("ÇEK BANKASI"), QStringLiteral("ŞUBESİ")},
                      {field("cek_bankasi"), field("cek_subesi")})
            << account << column(56, {QStringLiteral("ÇEKİ DÜZENLEYEN")}, {field("ceki_duzenleyen")});
    ReportLayout l = receiptLayout(kDetailedTitle, QPageLayout::Landscape);
    addColumns(l, q, columns);
    addSummary(l, columnLeft(columns, kAmountColumn), columns[kAmountColumn].width, kDetailedSummary);
    return l;
}
