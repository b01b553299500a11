#include "reports/layouts_cash.h"

#include "reports/layout_common.h"

namespace {

const QString kRows = QStringLiteral("kasaRTable");

ReportLayout dayLayout(const QString &name, bool detail)
{
    ReportLayout l;
    l.name = name;
    const double w = l.contentWidth();
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter, right = Qt::AlignRight | Qt::AlignVCenter,
                        centre = Qt::AlignCenter;
    for (BandType t : {BandType::ReportTitle, BandType::PageHeader, BandType::MasterData, BandType::Summary,
                       BandType::PageFooter})
        l.band(t);

    ReportBand &title = l.band(BandType::ReportTitle);
    title.height = 26;
    title.memos << makeMemo(QStringLiteral("Memo59"), QRectF(0, 0, w - 50, 12),
                            datasetField(kCompanyDataset, QStringLiteral("firma_unvani_1")) + u'\n'
                                + datasetField(kCompanyDataset, QStringLiteral("firma_unvani_2")),
                            left, FrameNone, font(11, true))
                << makeMemo(QStringLiteral("Memo57"), QRectF(w - 50, 0, 50, 5), QStringLiteral("Tarih : [DATE]"), right,
                            FrameNone, font(8))
                << makeMemo(QStringLiteral("Memo58"), QRectF(w - 50, 5, 50, 5), QStringLiteral("Saat : [TIME]"), right,
                            FrameNone, font(8))
                << makeMemo(QStringLiteral("Memo1"), QRectF(0, 15, w, 9), QString(), centre, FrameNone, font(13, true));

    // Columns: SN, date, description, currency, in, out.
    const double widths[] = {10, 24, w - 10 - 24 - 18 - 30 - 30, 18, 30, 30};
    double x[6];
    x[0] = 0;
    for (int i = 1; i < 6; ++i) x[i] = x[i - 1] + widths[i - 1];
    ReportBand &header = l.band(BandType::PageHeader);
    header.height = 18;
    const char *const headings[] = {"SN", "İŞLEM TARİHİ", "AÇIKLAMA", "PARA\nBİRİMİ", "GİREN\nPARA", "ÇIKAN\nPARA"};
    for (int i = 0; i < 6; ++i) {
        ReportMemo m = makeMemo(QStringLiteral("Baslik%1").arg(i + 1), QRectF(x[i], 0, widths[i], 10),
                                QString::fromUtf8(headings[i]), centre, FrameAll, font(7.5, true));
        m.wordWrap = true;
        header.memos << m;
    }
    header.memos << makeMemo(QStringLiteral("GunBasiBaslik"), QRectF(0, 11, x[4], 6),
                             QStringLiteral("GÜN BAŞI KASA MEVCUDU"), right, FrameNone, font(8, true))
                 << makeMemo(QStringLiteral("GunBasiTutar"), QRectF(x[4], 11, widths[4], 6),
                             datasetField(QStringLiteral("gunbasikasaQuery"), QStringLiteral("bakiye")), right, FrameAll,
                             font(8, true), kAmountFormat);

    ReportBand &data = l.band(BandType::MasterData);
    data.dataset = kRows;
    const double h = detail ? 10 : 6;
    data.height = h;
    const QString texts[] = {QStringLiteral("[LINE#]"), datasetField(kRows, QStringLiteral("islem_tarihi")),
                             datasetField(kRows, QStringLiteral("aciklama")),
                             datasetField(kRows, QStringLiteral("doviz_cinsi")),
                             datasetField(kRows, QStringLiteral("borc_tutar")),
                             datasetField(kRows, QStringLiteral("alacak_tutar"))};
    const Qt::Alignment aligns[] = {centre, centre, left, centre, right, right};
    const QString formats[] = {QString(), kDateFormat, QString(), QString(), kAmountFormat, kAmountFormat};
    for (int i = 0; i < 6; ++i) {
        if (detail && i == 2) {
            data.memos << makeMemo(QStringLiteral("Veri3"), QRectF(x[i], 0, widths[i], h / 2), texts[i], left,
                                   FrameLeft | FrameTop | FrameRight, font(7.5))
                       << makeMemo(QStringLiteral("Veri3Tur"), QRectF(x[i], h / 2, widths[i], h / 2),
                                   datasetField(kRows, QStringLiteral("neden")), left,
                                   FrameLeft | FrameBottom | FrameRight, font(7, false));
            continue;
        }
        data.memos << makeMemo(QStringLiteral("Veri%1").arg(i + 1), QRectF(x[i], 0, widths[i], h), texts[i], aligns[i],
                               FrameAll, font(7.5), formats[i]);
    }

    ReportBand &summary = l.band(BandType::Summary);
    summary.height = 22;
    const QString day = QStringLiteral("guniciQuery");
    summary.memos << makeMemo(QStringLiteral("GunToplamBaslik"), QRectF(0, 2, x[4], 6),
                              QStringLiteral("GÜNE AİT KASA TOPLAMLARI"), right, FrameNone, font(8, true))
                  << makeMemo(QStringLiteral("GunGiren"), QRectF(x[4], 2, widths[4], 6),
                              datasetField(day, QStringLiteral("BorcToplam")), right, FrameAll, font(8, true), kAmountFormat)
                  << makeMemo(QStringLiteral("GunCikan"), QRectF(x[5], 2, widths[5], 6),
                              datasetField(day, QStringLiteral("AlacakToplam")), right, FrameAll, font(8, true),
                              kAmountFormat)
                  << makeMemo(QStringLiteral("GunBakiye"), QRectF(x[4], 8, widths[4] + widths[5], 6),
                              datasetField(day, QStringLiteral("bakiye")), right, FrameAll, font(8, true), kAmountFormat)
                  << makeMemo(QStringLiteral("GunSonuBaslik"), QRectF(0, 15, x[4], 6),
                              QStringLiteral("GÜN SONU DEVİR KASA MEVCUDU"), right, FrameNone, font(8, true))
                  << makeMemo(QStringLiteral("Memo60"), QRectF(x[4], 15, widths[4] + widths[5], 6), QString(), right,
                              FrameAll, font(8, true));

    addPageNumberFooter(l);
    return l;
}

} // namespace

ReportLayout gunlukKasaRaporuLayout() { return dayLayout(QStringLiteral("Günlük Kasa Raporu"), false); }

ReportLayout gunlukKasaDetayLayout() { return dayLayout(QStringLiteral("Günlük Kasa Detay"), true); }
