#include "reports/layouts_cash_reports.h"

#include "reports/layout_common.h"

#include <algorithm>

namespace {

const Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter, kRight = Qt::AlignRight | Qt::AlignVCenter,
                    kCentre = Qt::AlignCenter;
constexpr double kHeadingHeight = 10;
constexpr double kLineHeight = 6;
constexpr double kWrappedLineHeight = 7.5;  // a line whose description may take two lines

// A column of these printouts: its heading (two lines split by "\n") and its cell.
struct Column {
    double width;
    QString heading;
    QString text;
    Qt::Alignment alignment = kLeft;
    QString format;
    bool wrap = false;  // a long text takes a second line of its cell
};

QVector<double> lefts(const QVector<Column> &columns)
{
    QVector<double> x{0};
    for (const Column &c : columns) x.append(x.last() + c.width);
    return x;
}

void addHeadings(ReportBand &band, const QVector<Column> &columns, double y = 0)
{
    const QVector<double> x = lefts(columns);
    for (int i = 0; i < columns.size(); ++i) {
        ReportMemo m = makeMemo(QStringLiteral("Baslik%1").arg(i + 1), QRectF(x[i], y, columns[i].width, kHeadingHeight),
                                columns[i].heading, kCentre, FrameAll, font(7.5, true));
        m.wordWrap = true;
        band.memos << m;
    }
}

void addCells(ReportBand &band, const QVector<Column> &columns, const QString &prefix = QStringLiteral("Veri"),
              const ReportFont &f = font(7.5))
{
    const QVector<double> x = lefts(columns);
    const bool wraps = std::any_of(columns.begin(), columns.end(), [](const Column &c) { return c.wrap; });
    band.height = wraps ? kWrappedLineHeight : kLineHeight;
    for (int i = 0; i < columns.size(); ++i) {
        if (columns[i].text.isEmpty() && columns[i].heading.isEmpty()) continue;
        ReportMemo m = makeMemo(prefix + QString::number(i + 1), QRectF(x[i], 0, columns[i].width, band.height),
                                columns[i].text, columns[i].alignment, FrameAll, f, columns[i].format);
        m.wordWrap = columns[i].wrap;
        band.memos << m;
    }
}

// A label right-aligned up to column `upTo` and a framed amount under columns
// [from, to), on a line of a summary or header band.
void addLine(ReportBand &band, const QVector<Column> &columns, double y, const QString &name, const QString &label,
             const QVector<QPair<int, QString>> &amounts, const QString &format = kAmountFormat)
{
    const QVector<double> x = lefts(columns);
    const int first = amounts.isEmpty() ? int(columns.size()) : amounts.first().first;
    band.memos << makeMemo(name + QStringLiteral("Baslik"), QRectF(0, y, x[first] - 1, kLineHeight), label, kRight,
                           FrameNone, font(8, true));
    int n = 0;
    for (const auto &[column, text] : amounts)
        band.memos << makeMemo(n++ == 0 ? name : name + QString::number(n), QRectF(x[column], y, columns[column].width, kLineHeight),
                               text, kRight, FrameAll, font(8, true), format);
}

QString company(const char *field) { return datasetField(kCompanyDataset, QLatin1String(field)); }

// The report title: the company (in the memo named, as the text given), the print
// date and time on the right, and the title memo "Memo1" under them; an optional
// second title line under it.
void addTitle(ReportLayout &l, const QString &companyMemo, const QString &companyText, int companyLines,
              const QString &title, const QString &secondName = QString())
{
    const double w = l.contentWidth();
    ReportBand &band = l.band(BandType::ReportTitle);
    const double companyHeight = 5.0 * companyLines + 1;
    ReportMemo c = makeMemo(companyMemo, QRectF(0, 0, w - 50, companyHeight), companyText, kLeft | Qt::AlignTop,
                            FrameNone, font(companyLines > 2 ? 9 : 11, true));
    // The longest titles the window sets (two dates and the report's name) take a
    // second line rather than run off the page.
    ReportMemo t = makeMemo(QStringLiteral("Memo1"), QRectF(0, companyHeight + 1, w, 11), title, kCentre, FrameNone,
                            font(12, true));
    t.wordWrap = true;
    band.memos << c
               << makeMemo(QStringLiteral("Memo57"), QRectF(w - 50, 0, 50, 5), QStringLiteral("Tarih : [DATE]"), kRight,
                           FrameNone, font(8))
               << makeMemo(QStringLiteral("Memo58"), QRectF(w - 50, 5, 50, 5), QStringLiteral("Saat : [TIME]"), kRight,
                           FrameNone, font(8))
               << t;
    band.height = companyHeight + 13;
    if (!secondName.isEmpty()) {
        band.memos << makeMemo(secondName, QRectF(0, companyHeight + 12, w, 6), QString(), kCentre, FrameNone, font(9, true));
        band.height += 6;
    }
}

// A layout with its bands in place: title, page header, one data band, summary,
// page footer.
ReportLayout withBands(const QString &name, bool summary = true)
{
    ReportLayout l;
    l.name = name;
    for (BandType t : {BandType::ReportTitle, BandType::PageHeader, BandType::MasterData, BandType::Summary,
                       BandType::PageFooter})
        if (summary || t != BandType::Summary) l.band(t);
    return l;
}

const QString kMovements = QStringLiteral("ikitarihQuery");
const QString kTypes = QStringLiteral("islemturuQuery");
const QString kDays = QStringLiteral("tarihQuery");
const QString kOpening = QStringLiteral("gunbasikasaQuery");

QString sumOf(const QString &dataset, const QString &field)
{
    return QStringLiteral("[SUM(%1.\"%2\")]").arg(dataset, field);
}

QString netOf(const QString &dataset, const QString &in, const QString &out)
{
    return QStringLiteral("[SUM(%1.\"%2\") - SUM(%1.\"%3\")]").arg(dataset, in, out);
}

QString closingOf(const QString &dataset, const QString &in, const QString &out)
{
    return QStringLiteral("[%4.\"bakiye\" + SUM(%1.\"%2\") - SUM(%1.\"%3\")]").arg(dataset, in, out, kOpening);
}

QString companyTitles() { return company("firma_unvani_1") + u'\n' + company("firma_unvani_2"); }

QVector<Column> movementColumns(const QString &ds)
{
    return {{10, QStringLiteral("SN"), QStringLiteral("[LINE#]"), kCentre},
            {24, QStringLiteral("İŞLEM TARİHİ"), datasetField(ds, QStringLiteral("islem_tarihi")), kCentre, kDateFormat},
            {78, QStringLiteral("AÇIKLAMA"), datasetField(ds, QStringLiteral("aciklama")), kLeft, QString(), true},
            {18, QStringLiteral("PARA\nBİRİMİ"), datasetField(ds, QStringLiteral("doviz_cinsi")), kCentre},
            {30, QStringLiteral("GİREN\nPARA"), datasetField(ds, QStringLiteral("borc_tutar")), kRight, kAmountFormat},
            {30, QStringLiteral("ÇIKAN\nPARA"), datasetField(ds, QStringLiteral("alacak_tutar")), kRight, kAmountFormat}};
}

// The data band over `dataset` with a cell per column.
ReportBand &addData(ReportLayout &l, const QVector<Column> &columns, const QString &dataset,
                    const QString &prefix = QStringLiteral("Veri"))
{
    ReportBand &data = l.band(BandType::MasterData);
    data.dataset = dataset;
    addCells(data, columns, prefix);
    return data;
}

// A page header of the headings alone over the data band.
ReportBand &addTable(ReportLayout &l, const QVector<Column> &columns, const QString &dataset,
                     const QString &prefix = QStringLiteral("Veri"))
{
    ReportBand &header = l.band(BandType::PageHeader);
    addHeadings(header, columns);
    header.height = kHeadingHeight + 1;
    return addData(l, columns, dataset, prefix);
}

// The page header of the movement lists: the headings and the opening balance.
void addMovementHeader(ReportBand &header, const QVector<Column> &columns, int amountColumn)
{
    addHeadings(header, columns);
    addLine(header, columns, kHeadingHeight + 1, QStringLiteral("TarihBasi"), QStringLiteral("TARİH BAŞI KASA MEVCUDU"),
            {{amountColumn, datasetField(kOpening, QStringLiteral("bakiye"))}});
    header.height = kHeadingHeight + kLineHeight + 2;
}

} // namespace

ReportLayout ikiTarihArasiLayout()
{
    ReportLayout l = withBands(QStringLiteral("İki Tarih Arası Kasa Raporu"));
    addTitle(l, QStringLiteral("Memo59"), companyTitles(), 2, QString());
    const QVector<Column> columns = movementColumns(kMovements);
    addMovementHeader(l.band(BandType::PageHeader), columns, 4);
    addData(l, columns, kMovements);
    ReportBand &summary = l.band(BandType::Summary);
    const QString in = QStringLiteral("borc_tutar"), out = QStringLiteral("alacak_tutar");
    addLine(summary, columns, 2, QStringLiteral("GunToplam"), QStringLiteral("GÜNE AİT KASA TOPLAMLARI"),
            {{4, sumOf(kMovements, in)}, {5, sumOf(kMovements, out)}});
    addLine(summary, columns, 2 + kLineHeight, QStringLiteral("Net"), QStringLiteral("GÜNİÇİ KASA NETİ"),
            {{4, netOf(kMovements, in, out)}});
    addLine(summary, columns, 3 + 2 * kLineHeight, QStringLiteral("Devir"), QStringLiteral("TARİH SONU DEVİR KASA MEVCUDU"),
            {{4, closingOf(kMovements, in, out)}});
    summary.height = 4 + 3 * kLineHeight;
    addPageNumberFooter(l);
    return l;
}

ReportLayout islemTuruToplamLayout()
{
    ReportLayout l = withBands(QStringLiteral("İşlem Türü Kasa Raporu"));
    addTitle(l, QStringLiteral("Memo59"), companyTitles(), 2, QString());
    const QVector<Column> columns{
        {10, QStringLiteral("SN"), QStringLiteral("[LINE#]"), kCentre},
        {62, QStringLiteral("İŞLEM TÜRÜ"), datasetField(kTypes, QStringLiteral("neden")), kLeft},
        {18, QStringLiteral("PARA\nBİRİMİ"), datasetField(kTypes, QStringLiteral("doviz_cinsi")), kCentre},
        {32, QStringLiteral("GİREN\nPARA"), datasetField(kTypes, QStringLiteral("BorcToplam")), kRight, kAmountFormat},
        {32, QStringLiteral("ÇIKAN\nPARA"), datasetField(kTypes, QStringLiteral("AlacakToplam")), kRight, kAmountFormat},
        {36, QStringLiteral("GİREN - ÇIKAN\nPARA"), datasetField(kTypes, QStringLiteral("fark")), kRight, kAmountFormat}};
    addTable(l, columns, kTypes);
    ReportBand &summary = l.band(BandType::Summary);
    const QString in = QStringLiteral("BorcToplam"), out = QStringLiteral("AlacakToplam");
    addLine(summary, columns, 2, QStringLiteral("DonemToplam"), QStringLiteral("DÖNEME AİT KASA TOPLAMLARI"),
            {{3, sumOf(kTypes, in)}, {4, sumOf(kTypes, out)}, {5, netOf(kTypes, in, out)}});
    summary.height = 3 + kLineHeight;
    addPageNumberFooter(l);
    return l;
}

ReportLayout gunToplamlariLayout()
{
    ReportLayout l = withBands(QStringLiteral("Gün Toplamları Kasa Raporu"));
    addTitle(l, QStringLiteral("Memo59"), companyTitles(), 2, QString());
    const QVector<Column> columns{
        {10, QStringLiteral("SN"), QStringLiteral("[LINE#]"), kCentre},
        {34, QStringLiteral("İŞLEM TARİHİ"), datasetField(kDays, QStringLiteral("islem_tarihi")), kCentre,
         QStringLiteral("dd.mmmm.yyyy")},
        {26, QStringLiteral("İŞLEM GÜNÜ"), datasetField(kDays, QStringLiteral("islem_tarihi")), kCentre, QStringLiteral("dddd")},
        {18, QStringLiteral("PARA\nBİRİMİ"), datasetField(kDays, QStringLiteral("doviz_cinsi")), kCentre},
        {32, QStringLiteral("GİREN\nPARA"), datasetField(kDays, QStringLiteral("BorcToplam")), kRight, kAmountFormat},
        {32, QStringLiteral("ÇIKAN\nPARA"), datasetField(kDays, QStringLiteral("AlacakToplam")), kRight, kAmountFormat},
        {38, QStringLiteral("GİREN-ÇIKAN\nPARA"), datasetField(kDays, QStringLiteral("fark")), kRight, kAmountFormat}};
    addMovementHeader(l.band(BandType::PageHeader), columns, 4);
    addData(l, columns, kDays);
    ReportBand &summary = l.band(BandType::Summary);
    const QString in = QStringLiteral("BorcToplam"), out = QStringLiteral("AlacakToplam");
    addLine(summary, columns, 2, QStringLiteral("DonemToplam"), QStringLiteral("DÖNEME AİT KASA TOPLAMLARI"),
            {{4, sumOf(kDays, in)}, {5, sumOf(kDays, out)}, {6, netOf(kDays, in, out)}});
    addLine(summary, columns, 3 + kLineHeight, QStringLiteral("Devir"), QStringLiteral("TARİH SONU DEVİR KASA MEVCUDU"),
            {{4, closingOf(kDays, in, out)}});
    summary.height = 4 + 2 * kLineHeight;
    addPageNumberFooter(l);
    return l;
}

ReportLayout ikiTarihDetayLayout()
{
    ReportLayout l = withBands(QStringLiteral("İki Tarih Detay Kasa Raporu"), false);
    addTitle(l, QStringLiteral("Memo59"), companyTitles(), 2, QString());
    const QVector<Column> columns = movementColumns(kMovements);
    addMovementHeader(l.band(BandType::PageHeader), columns, 4);
    // The day lines: the date with its month and day names, then the day's sums.
    const QVector<Column> dayColumns{
        {34, QString(), datasetField(kDays, QStringLiteral("islem_tarihi")), kLeft, QStringLiteral("dd.mmmm.yyyy")},
        {26, QString(), datasetField(kDays, QStringLiteral("islem_tarihi")), kLeft, QStringLiteral("dddd")},
        {52, QString(), QStringLiteral("TOPLAMI"), kLeft},
        {18, QString(), datasetField(kDays, QStringLiteral("doviz_cinsi")), kCentre},
        {30, QString(), datasetField(kDays, QStringLiteral("BorcToplam")), kRight, kAmountFormat},
        {30, QString(), datasetField(kDays, QStringLiteral("AlacakToplam")), kRight, kAmountFormat}};
    ReportBand &days = l.band(BandType::MasterData);
    days.dataset = kDays;
    addCells(days, dayColumns, QStringLiteral("Gun"), font(7.5, true));
    // Under each day line, that day's movements of its currency.
    ReportBand &movements = l.addBand(BandType::DetailData, kLineHeight, kMovements);
    movements.masterFields = QStringList{QStringLiteral("islem_tarihi"), QStringLiteral("doviz_cinsi")};
    movements.detailFields = movements.masterFields;
    addCells(movements, columns);
    addPageNumberFooter(l);
    return l;
}

namespace {

// The company block of the type report: title, address, district, city, phone, fax.
QString companyBlock()
{
    return company("firma_unvani_1") + u'\n' + company("firma_adresi_1") + u'\n' + company("adres_semt") + u' '
           + company("adres_sehir") + QStringLiteral(" Tel/Fax ") + company("telefon1_no") + QStringLiteral("-")
           + company("fax_no");
}

ReportLayout typeSummary(const QString &name, const QString &title, const QString &dataset, const QString &side,
                         const QString &sumField, const QString &sumLabel)
{
    ReportLayout l = withBands(name);
    addTitle(l, QStringLiteral("Memo3"), companyBlock(), 3, title);
    const QVector<Column> columns{
        {10, QStringLiteral("SN"), QStringLiteral("[LINE#]"), kCentre},
        {110, side + QStringLiteral(" İŞLEM TÜRÜ"), datasetField(dataset, QStringLiteral("neden")), kLeft},
        {45, side + QStringLiteral("\nTUTARI"), datasetField(dataset, sumField), kRight, kAmountFormat},
        {25, QStringLiteral("PB"), datasetField(dataset, QStringLiteral("doviz_cinsi")), kCentre}};
    addTable(l, columns, dataset);
    ReportBand &summary = l.band(BandType::Summary);
    addLine(summary, columns, 2, QStringLiteral("Memo13"), sumLabel, {{2, QString()}});
    summary.height = 3 + kLineHeight;
    addPageNumberFooter(l);
    return l;
}

ReportLayout typeDetail(const QString &name, const QString &title, const QString &dataset, const QString &side,
                        const QString &amountField)
{
    ReportLayout l = withBands(name);
    addTitle(l, QStringLiteral("Memo59"), companyTitles(), 2, title, QStringLiteral("Memo11"));
    const QVector<Column> columns{
        {10, QStringLiteral("SN"), QStringLiteral("[LINE#]"), kCentre},
        {24, side + QStringLiteral(" Tarihi"), datasetField(dataset, QStringLiteral("islem_tarihi")), kCentre, kDateFormat},
        {84, QStringLiteral("Açıklama"), datasetField(dataset, QStringLiteral("aciklama")), kLeft, QString(), true},
        {32, side + QStringLiteral(" Tutarı"), datasetField(dataset, amountField), kRight, kAmountFormat},
        {16, QStringLiteral("PB"), datasetField(dataset, QStringLiteral("doviz_cinsi")), kCentre},
        {24, QStringLiteral("D.Kuru"), datasetField(dataset, QStringLiteral("doviz_kuru")), kRight,
         QStringLiteral("#,##0.00000")}};
    addTable(l, columns, dataset);
    ReportBand &summary = l.band(BandType::Summary);
    addLine(summary, columns, 2, QStringLiteral("Memo19"), QStringLiteral("TOPLAM TUTAR"), {{3, QString()}});
    summary.height = 3 + kLineHeight;
    addPageNumberFooter(l);
    return l;
}

} // namespace

ReportLayout tahsilatOzetLayout()
{
    return typeSummary(QStringLiteral("Tahsilatlar Özet Tablosu"), QStringLiteral("TAHSİLATLAR"), QStringLiteral("ffQuery1"),
                       QStringLiteral("TAHSİLAT"), QStringLiteral("borctutartop"), QStringLiteral("DÖNEM TAHSİLAT TUTARI"));
}

ReportLayout odemeOzetLayout()
{
    return typeSummary(QStringLiteral("Ödemeler Özet Tablosu"), QStringLiteral("YAPILAN ÖDEMELER"), QStringLiteral("ffQuery2"),
                       QStringLiteral("ÖDEME"), QStringLiteral("alacaktutartop"), QStringLiteral("DÖNEM ÖDEME TUTARI"));
}

ReportLayout tahsilatOdemeOzetLayout()
{
    ReportLayout l = withBands(QStringLiteral("Tahsilat/Ödeme Özeti"));
    addTitle(l, QStringLiteral("Memo20"), companyBlock(), 3, QStringLiteral("TAHSİLATLAR / ÖDEMELER TABLOSU"),
             QStringLiteral("Memo19"));
    const auto columnsOver = [](const QString &ds, bool collections) {
        return QVector<Column>{
            {10, QStringLiteral("SN"), QStringLiteral("[LINE#]"), kCentre},
            {95, QStringLiteral("İŞLEM TÜRÜ ADI"), datasetField(ds, QStringLiteral("neden")), kLeft},
            {35, QStringLiteral("TAHSİLAT\nTUTARI"),
             collections ? datasetField(ds, QStringLiteral("borctutartop")) : QString(), kRight, kAmountFormat},
            {35, QStringLiteral("ÖDEME\nTUTARI"),
             collections ? QString() : datasetField(ds, QStringLiteral("alacaktutartop")), kRight, kAmountFormat},
            {15, QStringLiteral("PB"), datasetField(ds, QStringLiteral("doviz_cinsi")), kCentre}};
    };
    const QVector<Column> collections = columnsOver(QStringLiteral("ffQuery1"), true);
    addTable(l, collections, QStringLiteral("ffQuery1"), QStringLiteral("Tahsilat"));
    // The payments follow the collections, numbered from 1 again.
    ReportBand &payments = l.addBand(BandType::MasterData, kLineHeight, QStringLiteral("ffQuery2"));
    addCells(payments, columnsOver(QStringLiteral("ffQuery2"), false), QStringLiteral("Odeme"));
    ReportBand &summary = l.band(BandType::Summary);
    addLine(summary, collections, 2, QStringLiteral("Memo16"), QStringLiteral("DÖNEM TAHSİLAT/ÖDEME TOPLAM TUTARLARI"),
            {{2, QString()}});
    summary.memos << makeMemo(QStringLiteral("Memo27"), QRectF(lefts(collections)[3], 2, 35, kLineHeight), QString(),
                              kRight, FrameAll, font(8, true));
    addLine(summary, collections, 3 + kLineHeight, QStringLiteral("Memo13"), QStringLiteral("DÖNEM TAHSİLAT/ÖDEME FARKI"),
            {{2, QString()}});
    summary.height = 4 + 2 * kLineHeight;
    addPageNumberFooter(l);
    return l;
}

ReportLayout tahsilatDetayLayout()
{
    return typeDetail(QStringLiteral("Tahsilat Detay Raporu"), QStringLiteral("DÖNEM TAHSİLATLARI"),
                      QStringLiteral("detaygelirQuery"), QStringLiteral("Tahsilat"), QStringLiteral("borc_tutar"));
}

ReportLayout odemeDetayLayout()
{
    return typeDetail(QStringLiteral("Ödeme Detay Raporu"), QStringLiteral("YAPILAN ÖDEMELER"),
                      QStringLiteral("detaygiderQuery"), QStringLiteral("Ödeme"), QStringLiteral("alacak_tutar"));
}
