#include "reports/layouts_dashboard.h"

#include "reports/layout_common.h"

namespace {

const Qt::Alignment kCentre = Qt::AlignCenter;
const Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;

ReportLayout balanceLayout(const QString &title, const QString &ds, const QString &amountHeading, const QString &rowLabel)
{
    ReportLayout l = listLayout(title);
    const QVector<ReportColumn> columns{
        {10, {QStringLiteral("SN")}, {QStringLiteral("[LINE#]")}, kCentre},
        {110, {QStringLiteral("FİRMA ADI")}, {datasetField(ds, QStringLiteral("cari_hesap_adi"))}},
        {20, {QStringLiteral("PARA"), QStringLiteral("BİRİMİ")}, {datasetField(ds, QStringLiteral("doviz_cinsi"))}, kCentre},
        {50, {amountHeading}, {datasetField(ds, QStringLiteral("bakiye"))}, kRight, kAmountFormat},
    };
    addColumns(l, ds, columns);

    // Totals per currency, filled by the window from its total fields.
    ReportBand &summary = l.band(BandType::Summary);
    summary.height = 24;
    ReportFont bold;
    bold.pointSize = 8;
    bold.bold = true;
    ReportFont plain;
    plain.pointSize = 8;
    const double labelWidth = 70, valueWidth = 40;
    summary.memos << makeMemo(QStringLiteral("ToplamBaslik"), QRectF(0, 4, labelWidth + 3 * valueWidth, 6),
                              QStringLiteral("CARİ HESAP TOPLAMLARI"), Qt::AlignLeft | Qt::AlignVCenter, FrameNone, bold);
    const QString currencies[] = {QStringLiteral("TL"), QStringLiteral("USD"), QStringLiteral("EURO")};
    const QString valueNames[] = {QStringLiteral("Memo39"), QStringLiteral("Memo16"), QStringLiteral("Memo25")};
    summary.memos << makeMemo(QStringLiteral("ToplamSatir"), QRectF(0, 16, labelWidth, 6), rowLabel,
                              Qt::AlignLeft | Qt::AlignVCenter, FrameAll, bold);
    for (int i = 0; i < 3; ++i) {
        const double x = labelWidth + i * valueWidth;
        summary.memos << makeMemo(QStringLiteral("ToplamPara%1").arg(i + 1), QRectF(x, 10, valueWidth, 6), currencies[i],
                                  kCentre, FrameAll, bold)
                      << makeMemo(valueNames[i], QRectF(x, 16, valueWidth, 6), QString(), kRight, FrameAll, plain);
    }
    return l;
}

} // namespace

ReportLayout eldekiCeklerLayout()
{
    const QString ds = QStringLiteral("ffQuery2");
    QVector<ReportColumn> columns = chequeColumns(ds, QStringLiteral("cek_bankasi"), 34);
    columns << accountAndNumberColumn(ds)
            << ReportColumn{59, {QStringLiteral("ÇEKİ DÜZENLEYEN")}, {datasetField(ds, QStringLiteral("ceki_duzenleyen"))}};
    ReportLayout l = listLayout(QStringLiteral("ÇEK VE SENET LİSTESİ"));
    addColumns(l, ds, columns);
    return l;
}

ReportLayout duzenlenenCeklerLayout()
{
    const QString ds = QStringLiteral("ffQuery5");
    QVector<ReportColumn> columns = chequeColumns(ds, QStringLiteral("banka_adi"), 34);
    columns << accountAndNumberColumn(ds)
            << ReportColumn{59, {QStringLiteral("DÜZENLENDİĞİ FİRMA")}, {datasetField(ds, QStringLiteral("cirolandigi_firma"))}};
    ReportLayout l = listLayout(QStringLiteral("DÜZENLENEN ÇEKLER"));
    addColumns(l, ds, columns);
    return l;
}

ReportLayout bankalardakiCeklerLayout()
{
    const QString ds = QStringLiteral("ffQuery4");
    QVector<ReportColumn> columns = chequeColumns(ds, QStringLiteral("cek_bankasi"), 32);
    columns << ReportColumn{45, {QStringLiteral("VERİLDİĞİ BANKA")}, {datasetField(ds, QStringLiteral("ciro_firma"))}}
            << ReportColumn{46, {QStringLiteral("ÇEKİ DÜZENLEYEN")}, {datasetField(ds, QStringLiteral("ceki_duzenleyen"))}};
    ReportLayout l = listLayout(QStringLiteral("BANKALARDAKİ ÇEK VE SENET LİSTESİ"));
    addColumns(l, ds, columns);
    return l;
}

ReportLayout alacaklarLayout()
{
    return balanceLayout(QStringLiteral("CARİ HESAP BAKİYELERİ (SADECE ALACAKLAR)"), QStringLiteral("ffQuery1"),
                         QStringLiteral("ALACAK BAKİYE"), QStringLiteral("ALACAKLAR (CARİ BORÇ)"));
}

ReportLayout borclarLayout()
{
    return balanceLayout(QStringLiteral("CARİ HESAP BAKİYELERİ (SADECE BORÇLAR)"), QStringLiteral("ffQuery3"),
                         QStringLiteral("BAKİYE"), QStringLiteral("BORÇLAR (CARİ ALACAK)"));
}

std::optional<DashboardReport> dashboardReport(const QString &item)
{
    if (item == u"Eldeki Çekler") return DashboardReport{eldekiCeklerLayout(), QStringLiteral("ffQuery2")};
    if (item == u"Düzenlenen Çekler") return DashboardReport{duzenlenenCeklerLayout(), QStringLiteral("ffQuery5")};
    if (item == u"Bankalardaki Çekler") return DashboardReport{bankalardakiCeklerLayout(), QStringLiteral("ffQuery4")};
    if (item == u"Alacaklar (Borçlu Cari)") return DashboardReport{alacaklarLayout(), QStringLiteral("ffQuery1")};
    if (item == u"Borçlar (Alacaklı Cari)") return DashboardReport{borclarLayout(), QStringLiteral("ffQuery3")};
    return std::nullopt;
}
