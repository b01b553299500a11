#include "reports/layouts_received.h"

#include "reports/layout_common.h"

ReportLayout cekVeSenetListesiLayout()
{
    const QString q = QStringLiteral("eldekiceklerQuery");
    auto f = [&q](const char *name) { return QStringLiteral("[%1.\"%2\"]").arg(q, QLatin1String(name)); };
    const Qt::Alignment centre = Qt::AlignCenter;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;

    ReportColumn sn{9, {QStringLiteral("SN")}, {QStringLiteral("[LINE#]")}, centre};
    ReportColumn vade{20, {QStringLiteral("ÇEK VADESİ")}, {f("cek_tarihi")}, centre, kDateFormat};
    ReportColumn banka{34, {QStringLiteral("ÇEK BANKASI"), QStringLiteral("ŞUBESİ")}, {f("cek_bankasi"), f("cek_subesi")}};
    ReportColumn para{13, {QStringLiteral("PARA"), QStringLiteral("BİRİMİ")}, {f("para_birimi")}, centre};
    ReportColumn tutar{25, {QStringLiteral("TUTARI")}, {f("cek_tutari")}, right, kAmountFormat};
    ReportColumn numara{30, {QStringLiteral("HESAP NO"), QStringLiteral("ÇEK NUMARASI")}, {f("cek_hesap_no"), f("cek_no")}};
    ReportColumn kimden{59, {QStringLiteral("ÇEKİ DÜZENLEYEN/ ALINDIĞI FİRMA")},
                        {f("ceki_duzenleyen") + QStringLiteral("/ ") + f("alindigi_firma")}};
    kimden.headingNames = {QStringLiteral("Memo15")};
    kimden.textNames = {QStringLiteral("Memo16")};
    const QVector<ReportColumn> columns{sn, vade, banka, para, tutar, numara, kimden};

    ReportLayout l = listLayout(QStringLiteral("ÇEK VE SENET LİSTESİ"));
    addColumns(l, q, columns);

    ReportBand &summary = l.band(BandType::Summary);
    summary.height = 10;
    ReportFont bold;
    bold.pointSize = 8;
    bold.bold = true;
    const double amountLeft = columnLeft(columns, 4);
    summary.memos << makeMemo(QStringLiteral("ToplamBaslik"), QRectF(0, 2, amountLeft, 6),
                              QStringLiteral("Toplam Çek Tutarı : "), right, FrameNone, bold)
                  << makeMemo(QStringLiteral("ToplamTutar"), QRectF(amountLeft, 2, tutar.width, 6),
                              QStringLiteral("[ceklertoplamQuery.\"Cek_Toplami\"]"), right, FrameAll, bold, kAmountFormat);
    return l;
}
