#include "reports/report_output.h"

#include "reports/page_painter.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

bool writePdf(const PreparedReport &report, const QString &path, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error) *error = QStringLiteral("Dosya yazılamadı: %1\n%2").arg(path, file.errorString());
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setResolution(600);
        writer.setPageLayout(report.pageLayout);
        writer.setTitle(report.title);
        writer.setCreator(QStringLiteral("Brenvo Çek Senet Takip"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            if (error) *error = QStringLiteral("PDF dosyası oluşturulamadı: %1").arg(path);
            file.cancelWriting();
            return false;
        }
        paintPages(painter, writer, report, 0, report.pageCount() - 1);
        painter.end();
    }
    if (!file.commit()) {
        if (error) *error = QStringLiteral("Dosya yazılamadı: %1\n%2").arg(path, file.errorString());
        return false;
    }
    return true;
}

void preparePrinter(QPrinter &printer, const PreparedReport &report)
{
    printer.setFullPage(true);
    printer.setPageLayout(report.pageLayout);
    printer.setDocName(report.title);
}

bool printReport(const PreparedReport &report, QPrinter &printer, int from, int to)
{
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const int first = from > 0 ? from - 1 : 0;
    const int last = to > 0 ? to - 1 : report.pageCount() - 1;
    paintPages(painter, printer, report, first, last);
    return painter.end();
}
