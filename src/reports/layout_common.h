#pragma once
// Pieces every printed list shares: the company header, the column table and the
// page number footer.
#include "reports/report_layout.h"

#include <QStringList>

inline const QString kCompanyDataset = QStringLiteral("firmabilgileri");  // the company's own record
inline const QString kAmountFormat = QStringLiteral("#,##0.00");
inline const QString kDateFormat = QStringLiteral("dd.mm.yyyy");

// A printout font of `size` points.
ReportFont font(double size, bool bold = false);

// The page footer with "Sayfa n / m" at its right (memo "SayfaNo", 8 pt), 8 mm high.
ReportBand &addPageNumberFooter(ReportLayout &layout);

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

// The company's own five-line block (from the company information record):
//   firma_unvani_1 firma_unvani_2
//   firma_adresi_1 firma_adresi_2
//   adres_semt adres_sehir
//   Tel: telefon1_no telefon2_no
//   Fax:fax_no
// The text of one memo, and the memo itself (named `name`, bold, size 8, top-left
// aligned; five lines of about 3.5 mm each: give it at least 19 mm of height).
QString companyBlockText(const QString &dataset = kCompanyDataset);
ReportMemo companyBlockMemo(const QString &name, const QRectF &rect, const QString &dataset = kCompanyDataset);

// "[dataset."field"]".
QString datasetField(const QString &dataset, const QString &field);

// The columns cheque lists begin with: "SN" (line number), "ÇEK VADESİ", "ÇEK BANKASI" /
// "ŞUBESİ" (bankField over cek_subesi, bankWidth mm), "PARA" / "BİRİMİ", "TUTARI".
QVector<ReportColumn> chequeColumns(const QString &dataset, const QString &bankField, double bankWidth);
inline constexpr int kChequeAmountColumn = 4;  // "TUTARI" among chequeColumns
// "HESAP NO" / "ÇEK NUMARASI".
ReportColumn accountAndNumberColumn(const QString &dataset);
// The printout of a cheque list window: chequeColumns, "HESAP NO" / "ÇEK NUMARASI",
// the last column, and the summary "Toplam Çek Tutarı : " with Cek_Toplami of the
// total dataset under the amounts.
ReportLayout chequeListLayout(const QString &title, const QString &dataset, const QString &totalDataset,
                              const ReportColumn &lastColumn);
