#pragma once
// The printed lists of the main menu's dashboard, one per item of its report choice.
// Each prints the company record "firmabilgileri" in its header.
#include "reports/report_layout.h"

#include <optional>

ReportLayout eldekiCeklerLayout();        // "Eldeki Çekler" over "ffQuery2"
ReportLayout duzenlenenCeklerLayout();    // "Düzenlenen Çekler" over "ffQuery5"
ReportLayout bankalardakiCeklerLayout();  // "Bankalardaki Çekler" over "ffQuery4"
// "Alacaklar (Borçlu Cari)" over "ffQuery1" and "Borçlar (Alacaklı Cari)" over
// "ffQuery3"; the window sets the currency totals "Memo39" (TL), "Memo16" (USD) and
// "Memo25" (EURO).
ReportLayout alacaklarLayout();
ReportLayout borclarLayout();

struct DashboardReport {
    ReportLayout layout;
    QString dataset;  // the name the layout binds the list under
};
// The layout of a report choice item ("Eldeki Çekler" ...); none for an unknown item.
std::optional<DashboardReport> dashboardReport(const QString &item);
