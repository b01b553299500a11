#pragma once
// Layouts of the received cheque windows.
#include "reports/report_layout.h"

// "ÇEK VE SENET LİSTESİ" of the received cheque lists. Datasets: "eldekiceklerQuery"
// (the rows, in their order), "ceklertoplamQuery" (field Cek_Toplami) and the company
// record "firmabilgileri". The window sets the column heading "Memo15" and the column
// "Memo16" by its printing choice; they start as issuer and source firm.
ReportLayout cekVeSenetListesiLayout();
