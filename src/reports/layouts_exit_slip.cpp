#include "reports/layouts_exit_slip.h"

#include "reports/layout_common.h"

#include <algorithm>

namespace {

constexpr double kHeadingHeight = 10;
constexpr double kRowHeight = 8;

enum class Kind { Plain, Detailed, Detailed2 };

const Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter, kRight = Qt::AlignRight | Qt::AlignVCenter,
                    kCentre = Qt::AlignCenter;

// The columns of a band over ds; own cheques have no source account and are
// numbered from 1 after the portfolio's.
QVector<ReportColumn> columnsOf(Kind kind, const QString &ds, bool own)
{
    const auto f = [&ds](const char *name) { return datasetField(ds, QLatin1String(name)); };
    const ReportColumn sn{9, {QStringLiteral("SN")}, {own ? QStringLiteral("[CURRENT#]") : QStringLiteral("[LINE#]")}, kCentre};
    const ReportColumn due{20, {QStringLiteral("ÇEK VADESİ")}, {f("cek_tarihi")}, kCentre, kDateFormat};
    const ReportColumn currency{13, {QStringLiteral("PARA"), QStringLiteral("BİRİMİ")}, {f("para_birimi")}, kCentre};
    const ReportColumn amount{25, {QStringLiteral("TUTARI")}, {f("cek_tutari")}, kRight, kAmountFormat};
    const ReportColumn days{12, {QStringLiteral("ÇEK"), QStringLiteral("GÜN")}, {f("cek_gun")}, kCentre};
    const ReportColumn maturity{22, {QStringLiteral("VADE FARKI")}, {f("cek_vade_farki")}, kRight, kAmountFormat};
    const ReportColumn expense{20, {QStringLiteral("MASRAF")}, {f("cek_masraf")}, kRight, kAmountFormat};
    const ReportColumn net{25, {QStringLiteral("NET TUTAR")}, {f("cek_net_tutar")}, kRight, kAmountFormat};
    const auto bank = [&](double width) {
        return ReportColumn{width, {QStringLiteral("ÇEK BANKASI"), QStringLiteral("ŞUBESİ")},
                            {f("cek_bankasi"), f("cek_subesi")}};
    };
    const ReportColumn number{30, {QStringLiteral("HESAP NO"), QStringLiteral("ÇEK NUMARASI")},
                              {f("cek_hesap_no"), f("cek_no")}};
    switch (kind) {
    case Kind::Plain:
        return {sn, due, bank(34), currency, amount, number,
                {59, {QStringLiteral("ÇEKİ DÜZENLEYEN")}, {f("ceki_duzenleyen")}}};
    case Kind::Detailed:
        return {sn, due, days, currency, amount, maturity, expense, net,
                {44, {QStringLiteral("BANKASI")}, {f("cek_bankasi")}}};
    case Kind::Detailed2:
        break;
    }
    return {sn, due, days, currency, amount, maturity, expense, net, bank(38), number,
            {63, {QStringLiteral("ÇEKİ DÜZENLEYEN"), QStringLiteral("ALINDIĞI FİRMA")},
             {f("ceki_duzenleyen"), own ? QString() : f("alindigi_firma")}}};
}

// One or two stacked memos per column, each column framed as one box.
void addCells(ReportBand &band, const QVector<ReportColumn> &columns, bool headings, const QString &prefix)
{
    double x = 0;
    for (int i = 0; i < columns.size(); ++i) {
        const ReportColumn &c = columns[i];
        const QStringList texts = headings ? c.headings : c.texts;
        const Qt::Alignment align = headings ? kCentre : c.alignment;
        const ReportFont f = font(7.5, headings);
        const QString format = headings ? QString() : c.format;
        const QString name = prefix + QString::number(i + 1);
        if (texts.size() <= 1) {
            ReportMemo m = makeMemo(name, QRectF(x, 0, c.width, band.height), texts.value(0), align, FrameAll, f, format);
            m.wordWrap = true;
            band.memos << m;
        } else {
            const double h = band.height / 2;
            band.memos << makeMemo(name + u'a', QRectF(x, 0, c.width, h), texts[0], align,
                                   FrameLeft | FrameTop | FrameRight, f, format)
                       << makeMemo(name + u'b', QRectF(x, h, c.width, h), texts[1], align,
                                   FrameLeft | FrameBottom | FrameRight, f, format);
        }
        x += c.width;
    }
}

// A label and the memo the window fills, side by side.
void labelled(ReportBand &band, const QString &label, const QString &memo, double x, double y, double labelWidth,
              double valueWidth, bool framed = true)
{
    band.memos << makeMemo(memo + QStringLiteral("Baslik"), QRectF(x, y, labelWidth, 5.5), label + QStringLiteral(" :"),
                           kRight, FrameNone, font(8, true))
               << makeMemo(memo, QRectF(x + labelWidth + 1, y, valueWidth, 5.5), QString(), kRight,
                           framed ? FrameAll : FrameNone, font(8, true));
}

ReportLayout receipt(Kind kind)
{
    ReportLayout l;
    l.name = QStringLiteral("Brenvo Rapor Önizleme");
    if (kind == Kind::Detailed2) l.orientation = QPageLayout::Landscape;
    const double w = l.contentWidth();
    for (BandType t : {BandType::ReportTitle, BandType::ColumnHeader, BandType::MasterData, BandType::Summary,
                       BandType::PageFooter})
        l.band(t);

    ReportBand &title = l.band(BandType::ReportTitle);
    title.height = 62;
    ReportMemo block = companyBlockMemo(QStringLiteral("FirmaBilgileri"), QRectF(0, 0, w - 60, 26));
    block.wordWrap = true;
    title.memos << block
                << makeMemo(QStringLiteral("TarihBaslik"), QRectF(w - 58, 0, 22, 5), QStringLiteral("Tarih :"), kRight,
                            FrameNone, font(8))
                << makeMemo(QStringLiteral("Memo57"), QRectF(w - 35, 0, 35, 5), QString(), kRight, FrameNone, font(8))
                << makeMemo(QStringLiteral("SaatBaslik"), QRectF(w - 58, 5, 22, 5), QStringLiteral("Saat :"), kRight,
                            FrameNone, font(8))
                << makeMemo(QStringLiteral("Saat"), QRectF(w - 35, 5, 35, 5), QStringLiteral("[TIME]"), kRight, FrameNone,
                            font(8))
                << makeMemo(QStringLiteral("Memo1"), QRectF(0, 28, w, 8),
                            kind == Kind::Plain ? QStringLiteral("ÇEK VE SENET ÇIKIŞ BORDRO TESLİMİ")
                                                : QStringLiteral("ÇEK VE SENET ÇIKIŞ BORDRO TESLİMİ (DETAYLI)"),
                            kCentre, FrameNone, font(13, true))
                << makeMemo(QStringLiteral("VerildigiBaslik"), QRectF(0, 39, 30, 6), QStringLiteral("Verildiği Firma :"),
                            kLeft, FrameNone, font(8.5, true))
                << makeMemo(QStringLiteral("VerildigiFirma"), QRectF(31, 39, w - 31, 6), QString(), kLeft, FrameNone,
                            font(8.5, true))
                << makeMemo(QStringLiteral("AdresBaslik"), QRectF(0, 46, 30, 5), QStringLiteral("Firma Adresi :"), kLeft,
                            FrameNone, font(8.5, true));
    ReportMemo address = makeMemo(QStringLiteral("Memo61"), QRectF(31, 46, w - 31, 11), QString(),
                                  Qt::AlignLeft | Qt::AlignTop, FrameNone, font(8.5));
    address.wordWrap = true;
    title.memos << address;

    const QVector<ReportColumn> given = columnsOf(kind, kExitGivenDataset, false);
    ReportBand &header = l.band(BandType::ColumnHeader);
    header.height = kHeadingHeight;
    addCells(header, given, true, QStringLiteral("Baslik"));
    ReportBand &data = l.band(BandType::MasterData);
    data.height = kRowHeight;
    data.dataset = kExitGivenDataset;
    addCells(data, given, false, QStringLiteral("Ciro"));
    ReportBand &own = l.addBand(BandType::MasterData, kRowHeight, kExitOwnDataset);
    addCells(own, columnsOf(kind, kExitOwnDataset, true), false, QStringLiteral("Kendi"));

    // Totals under the amount column, the averages beside them.
    ReportBand &summary = l.band(BandType::Summary);
    const double amountLeft = columnLeft(given, 4);
    const double labelWidth = 30, valueWidth = 28;
    const double x = std::max(0.0, amountLeft + given[4].width - valueWidth - labelWidth - 1);
    double y = 3;
    labelled(summary, QStringLiteral("Toplam Tutar"), QStringLiteral("Memo39"), x, y, labelWidth, valueWidth);
    summary.memos << makeMemo(QStringLiteral("Memo22"), QRectF(x + labelWidth + valueWidth + 2, y, 14, 5.5), QString(),
                              kLeft, FrameNone, font(8, true));
    if (kind != Kind::Plain) {
        const std::pair<const char *, const char *> more[] = {
            {"Vade Farkı", "Memo28"}, {"Masraf", "Memo31"}, {"BSMV", "Memo34"}, {"Topl. Net Tutar", "Memo17"}};
        for (const auto &[label, memo] : more) {
            y += 6.5;
            labelled(summary, QString::fromUtf8(label), QLatin1String(memo), x, y, labelWidth, valueWidth);
        }
    }
    const double ax = std::min(w - 58, x + labelWidth + valueWidth + 18);
    labelled(summary, QStringLiteral("Ortalama Vadesi"), QStringLiteral("Memo14"), ax, 3, 32, 24);
    labelled(summary, kind == Kind::Plain ? QStringLiteral("Ortalama Gün") : QStringLiteral("Gün"), QStringLiteral("Memo19"),
             ax, 9.5, 32, 24);
    summary.height = y + 8;

    addPageNumberFooter(l);
    return l;
}

} // namespace

ReportLayout cikisAlindisiLayout() { return receipt(Kind::Plain); }

ReportLayout cikisAlindisiDetayliLayout() { return receipt(Kind::Detailed); }

ReportLayout cikisAlindisiDetayli2Layout() { return receipt(Kind::Detailed2); }
