#pragma once
// A prepared report: the finished pages as positioned boxes (a text and/or frame
// edges), in millimetres from the paper's top-left corner. The preview, the printer,
// the PDF writer and the saved file all work from this, so they show the same pages.
#include "reports/report_layout.h"

#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <QVector>

struct PageItem {
    QRectF rect;  // mm
    QString text;
    quint16 font = 0;       // index into PreparedReport::fonts
    quint16 alignment = Qt::AlignLeft | Qt::AlignVCenter;
    quint8 frame = FrameNone;
    bool wordWrap = false;
    QImage picture;  // a picture object's picture, null for text boxes
};

struct PreparedPage {
    QVector<PageItem> items;
};

struct PreparedReport {
    QString title;
    QPageLayout pageLayout;
    QVector<ReportFont> fonts;
    QVector<PreparedPage> pages;

    int pageCount() const { return int(pages.size()); }
    // The index of a font in the table, added when new.
    quint16 fontIndex(const ReportFont &font);
    // The non-empty texts of a page, in the order they were placed.
    QStringList pageTexts(int page) const;

    // Our own file format (binary, versioned). Saving replaces the file only when
    // everything was written; loading checks every count and index, so a damaged
    // file gives an error and never a half-read report.
    bool save(const QString &path, QString *error) const;
    static bool load(const QString &path, PreparedReport *out, QString *error);
};
