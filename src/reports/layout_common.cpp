#include "reports/layout_common.h"

ReportFont font(double size, bool bold)
{
    ReportFont f;
    f.pointSize = size;
    f.bold = bold;
    return f;
}

ReportBand &addPageNumberFooter(ReportLayout &layout)
{
    const double w = layout.contentWidth();
    ReportBand &footer = layout.band(BandType::PageFooter);
    footer.height = 8;
    footer.memos << makeMemo(QStringLiteral("SayfaNo"), QRectF(w - 60, 2, 60, 5), QStringLiteral("Sayfa [Page#] / [TotalPages]"),
                             Qt::AlignRight | Qt::AlignVCenter, FrameNone, font(8));
    return footer;
}

namespace {
constexpr double kHeaderRowHeight = 10;
constexpr double kDataRowHeight = 8;

QString field(const QString &name) { return datasetField(kCompanyDataset, name); }

// One or two stacked memos filling a cell, framed as one box.
void addCell(ReportBand &band, double x, double width, double height, const QStringList &texts,
             const QStringList &names, const QString &autoName, Qt::Alignment alignment, const ReportFont &f,
             const QString &format)
{
    if (texts.size() <= 1) {
        ReportMemo m = makeMemo(names.value(0, autoName + u'1'), QRectF(x, 0, width, height), texts.value(0),
                                alignment, FrameAll, f, format);
        m.wordWrap = true;  // a long text takes the cell's second line
        band.memos.append(m);
        return;
    }
    const double h = height / 2;
    band.memos.append(makeMemo(names.value(0, autoName + u'1'), QRectF(x, 0, width, h), texts[0], alignment,
                               FrameLeft | FrameTop | FrameRight, f, format));
    band.memos.append(makeMemo(names.value(1, autoName + u'2'), QRectF(x, h, width, h), texts[1], alignment,
                               FrameLeft | FrameBottom | FrameRight, f, format));
}
} // namespace

ReportLayout listLayout(const QString &title)
{
    ReportLayout l;
    l.name = title;
    const double w = l.contentWidth();

    ReportBand &header = l.band(BandType::PageHeader);
    header.height = 24;
    header.memos << makeMemo(QStringLiteral("FirmaUnvani1"), QRectF(0, 0, w - 50, 6), field(QStringLiteral("firma_unvani_1")),
                             Qt::AlignLeft | Qt::AlignVCenter, FrameNone, font(11, true))
                 << makeMemo(QStringLiteral("FirmaUnvani2"), QRectF(0, 6, w - 50, 5), field(QStringLiteral("firma_unvani_2")),
                             Qt::AlignLeft | Qt::AlignVCenter, FrameNone, font(9))
                 << makeMemo(QStringLiteral("Tarih"), QRectF(w - 50, 0, 50, 5), QStringLiteral("Tarih : [DATE]"),
                             Qt::AlignRight | Qt::AlignVCenter, FrameNone, font(8))
                 << makeMemo(QStringLiteral("Saat"), QRectF(w - 50, 5, 50, 5), QStringLiteral("Saat : [TIME]"),
                             Qt::AlignRight | Qt::AlignVCenter, FrameNone, font(8))
                 << makeMemo(QStringLiteral("Baslik"), QRectF(0, 13, w, 8), title, Qt::AlignCenter, FrameNone,
                             font(13, true));

    ReportBand &footer = l.band(BandType::PageFooter);
    footer.height = 8;
    footer.memos << makeMemo(QStringLiteral("AltCizgi"), QRectF(0, 1, w, 6), QString(), Qt::AlignLeft, FrameTop)
                 << makeMemo(QStringLiteral("Program"), QRectF(0, 2, w / 2, 5), QStringLiteral("Brenvo Çek Senet Takip"),
                             Qt::AlignLeft | Qt::AlignVCenter, FrameNone, font(7))
                 << makeMemo(QStringLiteral("SayfaNo"), QRectF(w - 60, 2, 60, 5), QStringLiteral("Sayfa [Page#] / [TotalPages]"),
                             Qt::AlignRight | Qt::AlignVCenter, FrameNone, font(8));
    return l;
}

void addColumns(ReportLayout &layout, const QString &dataset, const QVector<ReportColumn> &columns)
{
    layout.band(BandType::ColumnHeader);
    layout.band(BandType::MasterData);  // both exist before references are taken
    ReportBand &header = layout.band(BandType::ColumnHeader);
    header.height = kHeaderRowHeight;
    ReportBand &data = layout.band(BandType::MasterData);
    data.height = kDataRowHeight;
    data.dataset = dataset;
    double x = 0;
    for (int i = 0; i < columns.size(); ++i) {
        const ReportColumn &c = columns[i];
        addCell(header, x, c.width, kHeaderRowHeight, c.headings, c.headingNames,
                QStringLiteral("Kolon%1Baslik").arg(i + 1), Qt::AlignCenter, font(7.5, true), QString());
        addCell(data, x, c.width, kDataRowHeight, c.texts, c.textNames, QStringLiteral("Kolon%1Veri").arg(i + 1),
                c.alignment, font(7.5), c.format);
        x += c.width;
    }
}

double columnLeft(const QVector<ReportColumn> &columns, int i)
{
    double x = 0;
    for (int k = 0; k < i && k < columns.size(); ++k) x += columns[k].width;
    return x;
}

QString companyBlockText(const QString &ds)
{
    auto f = [&ds](const char *name) { return datasetField(ds, QString::fromLatin1(name)); };
    return f("firma_unvani_1") + u' ' + f("firma_unvani_2") + u'\n' + f("firma_adresi_1") + u' ' + f("firma_adresi_2")
           + u'\n' + f("adres_semt") + u' ' + f("adres_sehir") + QStringLiteral("\nTel: ") + f("telefon1_no") + u' '
           + f("telefon2_no") + QStringLiteral("\nFax:") + f("fax_no");
}

ReportMemo companyBlockMemo(const QString &name, const QRectF &rect, const QString &ds)
{
    ReportMemo m = makeMemo(name, rect, companyBlockText(ds), Qt::AlignLeft | Qt::AlignTop, FrameNone, font(8, true));
    return m;
}

QString datasetField(const QString &dataset, const QString &field)
{
    return QStringLiteral("[%1.\"%2\"]").arg(dataset, field);
}

QVector<ReportColumn> chequeColumns(const QString &ds, const QString &bankField, double bankWidth)
{
    const Qt::Alignment centre = Qt::AlignCenter;
    return {
        {9, {QStringLiteral("SN")}, {QStringLiteral("[LINE#]")}, centre},
        {20, {QStringLiteral("ÇEK VADESİ")}, {datasetField(ds, QStringLiteral("cek_tarihi"))}, centre, kDateFormat},
        {bankWidth, {QStringLiteral("ÇEK BANKASI"), QStringLiteral("ŞUBESİ")},
         {datasetField(ds, bankField), datasetField(ds, QStringLiteral("cek_subesi"))}},
        {13, {QStringLiteral("PARA"), QStringLiteral("BİRİMİ")}, {datasetField(ds, QStringLiteral("para_birimi"))}, centre},
        {25, {QStringLiteral("TUTARI")}, {datasetField(ds, QStringLiteral("cek_tutari"))}, Qt::AlignRight | Qt::AlignVCenter,
         kAmountFormat},
    };
}

ReportColumn accountAndNumberColumn(const QString &ds)
{
    return {30, {QStringLiteral("HESAP NO"), QStringLiteral("ÇEK NUMARASI")},
            {datasetField(ds, QStringLiteral("cek_hesap_no")), datasetField(ds, QStringLiteral("cek_no"))}};
}

ReportLayout chequeListLayout(const QString &title, const QString &dataset, const QString &totalDataset,
                              const ReportColumn &lastColumn)
{
    QVector<ReportColumn> columns = chequeColumns(dataset, QStringLiteral("cek_bankasi"), 34);
    columns << accountAndNumberColumn(dataset) << lastColumn;
    ReportLayout l = listLayout(title);
    addColumns(l, dataset, columns);

    ReportBand &summary = l.band(BandType::Summary);
    summary.height = 10;
    const ReportFont bold = font(8, true);
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    const double amountLeft = columnLeft(columns, kChequeAmountColumn);
    summary.memos << makeMemo(QStringLiteral("ToplamBaslik"), QRectF(0, 2, amountLeft, 6),
                              QStringLiteral("Toplam Çek Tutarı : "), right, FrameNone, bold)
                  << makeMemo(QStringLiteral("ToplamTutar"), QRectF(amountLeft, 2, columns[kChequeAmountColumn].width, 6),
                              datasetField(totalDataset, QStringLiteral("Cek_Toplami")), right, FrameAll, bold,
                              kAmountFormat);
    return l;
}
