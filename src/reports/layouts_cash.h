#pragma once
// Layouts of the cash register view's day printouts. Datasets: "kasaRTable" (the
// day's movements), "gunbasikasaQuery" (the opening balance, field bakiye),
// "guniciQuery" (BorcToplam, AlacakToplam, bakiye of the day) and the company
// record "firmabilgileri". The window sets "Memo1" (the day followed by
// " KASA HAREKETLERİ") and "Memo60" (the closing balance).
#include "reports/report_layout.h"

// "Günlük Kasa Raporu": one line per movement.
ReportLayout gunlukKasaRaporuLayout();
// "Günlük Kasa Detay": the same with the transaction type under the description.
ReportLayout gunlukKasaDetayLayout();
