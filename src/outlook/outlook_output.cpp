#include "outlook/outlook_output.h"

#include "data/display_format.h"
#include "reports/layout_common.h"

namespace Outlook {
namespace {
QString money(double v) { return formatFloat(kAmountFormat, v); }
} // namespace

QStringList tableHeadings()
{
    return {QStringLiteral("Dönem"), QStringLiteral("Tahsil Edilecek"), QStringLiteral("Ödenecek"),
            QStringLiteral("Cirolu (Vadesi Gelmemiş)"), QStringLiteral("Öngörülen Bakiye")};
}

QStringList tableRow(const Period &p)
{
    return {p.label, money(p.in), money(p.out), money(p.endorsed), money(p.balance)};
}

QString title(const Options &o)
{
    const QString step = o.step == Step::Week ? QStringLiteral("Haftalık") : QStringLiteral("Aylık");
    const QString unit = o.currency.isEmpty() ? QStringLiteral("TL karşılığı") : o.currency;
    return QStringLiteral("Vade Görünümü - %1, %2 (%3)").arg(step, unit, o.today.toString(QStringLiteral("dd.MM.yyyy")));
}

ReportLayout printLayout(const Result &r, const Options &o, const QImage &chart)
{
    ReportLayout l = listLayout(QStringLiteral("VADE GÖRÜNÜMÜ"));
    l.name = QStringLiteral("vadeGorunumu");
    l.orientation = QPageLayout::Landscape;
    const double w = l.contentWidth();
    // The header was laid out for a portrait page: stretch it to the landscape width.
    for (ReportBand &b : l.bands)
        for (ReportMemo &m : b.memos) {
            if (m.name == u"Baslik" || m.name == u"AltCizgi") m.rect.setWidth(w);
            else if (m.name == u"Tarih" || m.name == u"Saat" || m.name == u"SayfaNo") m.rect.moveLeft(w - m.rect.width());
        }

    const double rowHeight = 5.5, chartWidth = w * 0.55, gap = 4;
    const double tableLeft = chartWidth + gap, tableWidth = w - tableLeft;
    const int rows = int(r.periods.size()) + 1;
    const double height = qMax(110.0, rows * rowHeight + 2) + 16;
    ReportBand &body = l.band(BandType::ReportTitle);
    body.height = height;
    body.memos << makeMemo(QStringLiteral("AltBaslik"), QRectF(0, 0, w, 6), title(o), Qt::AlignCenter, FrameNone,
                           font(9, true));
    ReportMemo picture = makeMemo(QStringLiteral("Grafik"), QRectF(0, 8, chartWidth, 110), QString());
    picture.picture = chart;
    body.memos << picture;

    const QVector<double> widths{0.28, 0.18, 0.18, 0.18, 0.18};
    auto addRow = [&](int row, const QStringList &texts, bool bold) {
        double x = tableLeft;
        for (int c = 0; c < texts.size(); ++c) {
            const double cw = tableWidth * widths[c];
            const Qt::Alignment a = c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter;
            ReportMemo m = makeMemo(QStringLiteral("Tablo%1_%2").arg(row).arg(c), QRectF(x, 8 + row * rowHeight, cw, rowHeight),
                                    texts[c], bold ? Qt::AlignCenter : a, FrameAll, font(7, bold));
            m.wordWrap = bold;
            body.memos << m;
            x += cw;
        }
    };
    addRow(0, tableHeadings(), true);
    for (int i = 0; i < r.periods.size(); ++i) addRow(i + 1, tableRow(r.periods[i]), false);
    body.memos << makeMemo(QStringLiteral("Kasa"), QRectF(tableLeft, 10 + rows * rowHeight, tableWidth, rowHeight),
                           QStringLiteral("Bugünkü kasa bakiyesi: ") + money(r.cash), Qt::AlignLeft | Qt::AlignVCenter,
                           FrameNone, font(7.5, true));
    if (!r.missingRates.isEmpty())
        body.memos << makeMemo(QStringLiteral("KurUyari"),
                               QRectF(tableLeft, 10 + (rows + 1) * rowHeight, tableWidth, rowHeight),
                               QStringLiteral("Kuru girilmemiş: ") + r.missingRates.join(QStringLiteral(", ")),
                               Qt::AlignLeft | Qt::AlignVCenter, FrameNone, font(7));
    return l;
}

SpreadsheetWorkbook workbook(const Result &r, const Options &o)
{
    SpreadsheetWorkbook book;
    book.setCell(1, 1, title(o));
    book.setBold(CellRange{1, 1, 1, 1});
    book.setFontSize(CellRange{1, 1, 1, 1}, 13);
    book.setCell(2, 1, QStringLiteral("Bugünkü kasa bakiyesi"));
    book.setCell(2, 2, r.cash);
    const QStringList headings = tableHeadings();
    for (int c = 0; c < headings.size(); ++c) book.setCell(4, c + 1, headings[c]);
    book.setBold(CellRange{4, 1, 4, int(headings.size())});
    int row = 5;
    for (const Period &p : r.periods) {
        book.setCell(row, 1, p.label);
        book.setCell(row, 2, p.in);
        book.setCell(row, 3, p.out);
        book.setCell(row, 4, p.endorsed);
        book.setCell(row, 5, p.balance);
        ++row;
    }
    book.setNumberFormat(CellRange{2, 2, row, 5}, QStringLiteral("#,##0.00"));
    book.autoFit(CellRange{4, 1, row, 5});
    return book;
}

} // namespace Outlook
