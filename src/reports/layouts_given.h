#pragma once
// Layouts of the given cheque windows.
#include "reports/report_layout.h"

// "CİROLANAN ÇEK VE SENET LİSTESİ" of the given cheque lists. Datasets:
// "cirolananceklerQuery" (the rows, in their order), "cekcirotoplamQuery" (field
// Cek_Toplami) and the company record "firmabilgileri". The last column's heading
// memo is "Memo15", its text memo "Memo16" (the drawer and the account the cheque
// came from, unless the printing choice sets them).
ReportLayout cirolananCeklerListesiLayout();
