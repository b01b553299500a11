#pragma once
// The entry slip's receipts ("alındı"), over the slip's cheques bound as "CekTakip"
// and the company record as "firmabilgileri". The print step fills the memos
// "Memo22" (currency), "Memo57" (slip date), "Memo61" (the account's address),
// "Memo39", "Memo14", "Memo19" and, on the detailed ones, "Memo28", "Memo31",
// "Memo34", "Memo17".
#include "reports/report_layout.h"

inline const QString kEntrySlipChequesDataset = QStringLiteral("CekTakip");

// "Çek Alındısı".
ReportLayout cekAlindisiLayout();
// "Çek Alındısı Detaylı".
ReportLayout cekAlindisiDetayliLayout();
// "Çek Alındısı Detaylı 2": the detailed receipt with the bank data (landscape).
ReportLayout cekAlindisiDetayli2Layout();
