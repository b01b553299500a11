#pragma once
// Pieces every printed list shares: the company header, the column table and the
// page number footer.
#include "reports/report_layout.h"

#include <QStringList>

inline const QString kCompanyDataset = QStringLiteral("firmabilgileri");  // the company's own record
inline const QString kAmountFormat = QStringLiteral("#,##0.00");
inline const QString kDateFormat = QStringLiteral("dd.mm.yyyy");

// A column of a list: a heading of one or two lines over a cell of one or two lines.
// Optional memo names let the program reach a heading or a cell by name.
struct ReportColumn {
    double width = 20;  // mm
    QStringList headings;
    QStringList texts;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QString format;
    QStringList headingNames;
    QStringList textNames;
};

// A portrait A4 list with the company title (firma_unvani_1, firma_unvani_2), the
// print date and time and the title on every page, and "Sayfa n / m" at the bottom.
ReportLayout listLayout(const QString &title);
// Adds the column header and the master band over the dataset. The columns fill the
// page's width left to right.
void addColumns(ReportLayout &layout, const QString &dataset, const QVector<ReportColumn> &columns);
// The left edge (mm) of column i, for summaries aligned under the columns.
double columnLeft(const QVector<ReportColumn> &columns, int i);
