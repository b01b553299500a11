#include "reports/page_fit.h"

#include <QFontMetricsF>
#include <QImage>

QStringList overflowingTexts(const PreparedReport &report)
{
    QImage device(8, 8, QImage::Format_RGB32);
    device.setDotsPerMeterX(11811);  // 300 dpi
    device.setDotsPerMeterY(11811);
    const double s = device.logicalDpiX() / 25.4;
    const double pad = qMax(1, int(0.8 * s));  // as the page painter keeps text off the frame
    QVector<QFont> fonts;
    for (const ReportFont &f : report.fonts) fonts.append(f.toQFont());
    QStringList out;
    for (const PreparedPage &page : report.pages)
        for (const PageItem &it : page.items) {
            if (it.text.isEmpty() || it.font >= fonts.size()) continue;
            const QFontMetricsF m(fonts[it.font], &device);
            const double width = it.rect.width() * s - 2 * pad;
            if (!it.wordWrap && !it.text.contains(u'\n')) {
                if (m.horizontalAdvance(it.text) > width + 1) out << it.text;
                continue;
            }
            const QRectF needed = m.boundingRect(QRectF(0, 0, width, 1e6), it.wordWrap ? Qt::TextWordWrap : 0, it.text);
            if (needed.height() > it.rect.height() * s + 1 || needed.width() > width + 1) out << it.text;
        }
    return out;
}
