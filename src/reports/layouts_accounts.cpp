#include "reports/layouts_accounts.h"

#include "reports/layout_common.h"

namespace {

const Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter, kRight = Qt::AlignRight | Qt::AlignVCenter,
                    kCentre = Qt::AlignCenter;
constexpr double kRowHeight = 6;
constexpr double kMovementHeight = 7.5;

struct Cell {
    double width;
    const char *heading;  // "\n" between two heading lines
    QString text;
    Qt::Alignment alignment;
    QString format;
};

QString field(const QString &ds, const char *name) { return datasetField(ds, QLatin1String(name)); }

// The company's titles, the print date and time, the title and the heading, on the first page.
void addTitle(ReportLayout &l, const QString &title)
{
    const double w = l.contentWidth();
    ReportBand &band = l.band(BandType::ReportTitle);
    band.height = 30;
    band.memos << makeMemo(QStringLiteral("Memo59"), QRectF(0, 0, w - 50, 12),
                           field(kCompanyDataset, "firma_unvani_1") + u'\n' + field(kCompanyDataset, "firma_unvani_2"),
                           kLeft, FrameNone, font(11, true))
               << makeMemo(QStringLiteral("Memo57"), QRectF(w - 50, 0, 50, 5), QStringLiteral("Tarih : [DATE]"), kRight,
                           FrameNone, font(8))
               << makeMemo(QStringLiteral("Memo58"), QRectF(w - 50, 5, 50, 5), QStringLiteral("Saat : [TIME]"), kRight,
                           FrameNone, font(8))
               << makeMemo(QStringLiteral("Memo1"), QRectF(0, 14, w, 8), title, kCentre, FrameNone, font(13, true))
               << makeMemo(QStringLiteral("Memo27"), QRectF(0, 22, w, 6), QString(), kCentre, FrameNone, font(9, true));
}

// A row of framed cells from x on; texts or headings.
void addRow(ReportBand &band, const QVector<Cell> &cells, double x, double y, double height, bool headings,
            const QString &prefix, bool bold = false)
{
    for (int i = 0; i < cells.size(); ++i) {
        const Cell &c = cells[i];
        ReportMemo m = makeMemo(prefix + QString::number(i + 1), QRectF(x, y, c.width, height),
                                headings ? QString::fromUtf8(c.heading) : c.text, headings ? kCentre : c.alignment,
                                FrameAll, font(7.5, headings || bold), headings ? QString() : c.format);
        m.wordWrap = true;
        band.memos << m;
        x += c.width;
    }
}

double leftOf(const QVector<Cell> &cells, int i)
{
    double x = 0;
    for (int k = 0; k < i; ++k) x += cells[k].width;
    return x;
}

} // namespace

ReportLayout cariHesapMizaniLayout()
{
    ReportLayout l;
    l.name = QStringLiteral("Brenvo Rapor Önizleme");
    for (BandType t : {BandType::ReportTitle, BandType::PageHeader, BandType::MasterData, BandType::PageFooter}) l.band(t);
    addTitle(l, QStringLiteral("CARİ HESAP BAKİYELERİ"));
    const QString q = QStringLiteral("ffQuery1");
    const QVector<Cell> cells{{10, "SN", QStringLiteral("[LINE#]"), kCentre, {}},
                              {78, "FİRMA ADI", field(q, "cari_hesap_adi"), kLeft, {}},
                              {14, "PARA\nBİRİMİ", field(q, "doviz_cinsi"), kCentre, {}},
                              {25, "CARİ BORÇ", field(q, "SUMborc_tutari"), kRight, kAmountFormat},
                              {25, "CARİ ALACAK", field(q, "SUMalacak_tutari"), kRight, kAmountFormat},
                              {28, "CARİ BAKİYE", field(q, "bakiye"), kRight, kAmountFormat},
                              {10, "BA", field(q, "BA"), kCentre, {}}};
    ReportBand &header = l.band(BandType::PageHeader);
    header.height = 10;
    addRow(header, cells, 0, 0, 10, true, QStringLiteral("Baslik"));
    ReportBand &data = l.band(BandType::MasterData);
    data.dataset = q;
    data.height = kRowHeight;
    addRow(data, cells, 0, 0, kRowHeight, false, QStringLiteral("Veri"));

    // One line per currency under the currency and amount columns, after a gap.
    const QString t = QStringLiteral("toplamQuery1");
    l.addBand(BandType::MasterHeader, 4);
    ReportBand &totals = l.addBand(BandType::MasterData, kRowHeight, t);
    addRow(totals,
           {{14, "", field(t, "doviz_cinsi"), kCentre, {}},
            {25, "", field(t, "SUMborc_tutari"), kRight, kAmountFormat},
            {25, "", field(t, "SUMalacak_tutari"), kRight, kAmountFormat},
            {28, "", field(t, "Bakiye"), kRight, kAmountFormat},
            {10, "", field(t, "BA"), kCentre, {}}},
           leftOf(cells, 2), 0, kRowHeight, false, QStringLiteral("Toplam"), true);
    addPageNumberFooter(l);
    return l;
}

ReportLayout hesapHareketleriLayout()
{
    ReportLayout l;
    l.name = QStringLiteral("Brenvo Rapor Önizleme");
    for (BandType t : {BandType::ReportTitle, BandType::PageHeader, BandType::MasterData, BandType::MasterFooter,
                       BandType::PageFooter})
        l.band(t);
    const QString q = QStringLiteral("ffQuery3");
    addTitle(l, field(q, "cari_hesap_adi") + QStringLiteral(" HESAP HAREKETLERİ"));
    const QVector<Cell> cells{{9, "SN", QStringLiteral("[LINE#]"), kCentre, {}},
                              {20, "İŞLEM TARİHİ", field(q, "islem_tarihi"), kCentre, kDateFormat},
                              {62, "AÇIKLAMA", field(q, "aciklama"), kLeft, {}},
                              {13, "PARA\nCİNSİ", field(q, "doviz_cinsi"), kCentre, {}},
                              {22, "BORÇ", field(q, "borc_tutari"), kRight, kAmountFormat},
                              {22, "ALACAK", field(q, "alacak_tutari"), kRight, kAmountFormat},
                              {22, "BAKİYE", field(q, "bakiyetop"), kRight, kAmountFormat},
                              {20, "VADE TARİHİ", field(q, "vade_tarihi"), kCentre, kDateFormat}};
    const int borc = 4;
    const double sumsLeft = leftOf(cells, borc);

    // The column titles and the balance carried forward, on every page.
    ReportBand &header = l.band(BandType::PageHeader);
    header.height = 17;
    addRow(header, cells, 0, 0, 10, true, QStringLiteral("Baslik"));
    const QString devir = QStringLiteral("devirQuery3");
    header.memos << makeMemo(QStringLiteral("DevirBaslik"), QRectF(0, 11, sumsLeft, 5.5), QStringLiteral("Devir"), kRight,
                             FrameNone, font(8, true));
    addRow(header,
           {{22, "", field(devir, "SUMborc_tutari"), kRight, kAmountFormat},
            {22, "", field(devir, "SUMalacak_tutari"), kRight, kAmountFormat},
            {22, "", field(devir, "Bakiye"), kRight, kAmountFormat}},
           sumsLeft, 11, 5.5, false, QStringLiteral("Devir"), true);

    // A description of up to 150 characters takes two lines.
    ReportBand &data = l.band(BandType::MasterData);
    data.dataset = q;
    data.height = kMovementHeight;
    addRow(data, cells, 0, 0, kMovementHeight, false, QStringLiteral("Veri"));

    // The sums up to the last day, then the heading of the per-currency lines.
    ReportBand &footer = l.band(BandType::MasterFooter);
    footer.height = 16;
    const QString toplam = QStringLiteral("devir2Query3");
    footer.memos << makeMemo(QStringLiteral("ToplamCizgi"), QRectF(0, 0.5, l.contentWidth(), 1), QString(), kLeft, FrameTop)
                 << makeMemo(QStringLiteral("ToplamBaslik"), QRectF(0, 1.5, sumsLeft, 5.5), QStringLiteral("Toplam"), kRight,
                             FrameNone, font(8, true));
    addRow(footer,
           {{22, "", field(toplam, "SUMborc_tutari"), kRight, kAmountFormat},
            {22, "", field(toplam, "SUMalacak_tutari"), kRight, kAmountFormat},
            {22, "", field(toplam, "Bakiye"), kRight, kAmountFormat}},
           sumsLeft, 1.5, 5.5, false, QStringLiteral("Toplam"), true);
    footer.memos << makeMemo(QStringLiteral("DonemBaslik"), QRectF(0, 9, l.contentWidth(), 6),
                             QStringLiteral("Dönem İşlem Detayları"), kLeft, FrameNone, font(9, true));

    // The period's sums per currency, framed, under the currency and amount columns.
    const QString t = QStringLiteral("toplamQuery3");
    ReportBand &totals = l.addBand(BandType::MasterData, kRowHeight, t);
    addRow(totals,
           {{13, "", field(t, "doviz_cinsi"), kCentre, {}},
            {22, "", field(t, "SUMborc_tutari"), kRight, kAmountFormat},
            {22, "", field(t, "SUMalacak_tutari"), kRight, kAmountFormat},
            {22, "", field(t, "Bakiye"), kRight, kAmountFormat},
            {20, "", field(t, "BA"), kCentre, {}}},
           leftOf(cells, 3), 0, kRowHeight, false, QStringLiteral("DonemToplam"), true);
    addPageNumberFooter(l);
    return l;
}
