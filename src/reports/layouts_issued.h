#pragma once
// Layouts of the issued cheque windows.
#include "reports/report_layout.h"

// "DÜZENLENEN ÇEKLER" of the issued cheque lists. Datasets: "duzenlenenQuery" (the
// rows, in their order), "duzenlenencekToplamQuery" (field Cek_Toplami) and the
// company record "firmabilgileri".
ReportLayout duzenlenenCeklerListesiLayout();

// The cheque print: one empty A4 page.
ReportLayout cekBasLayout();
