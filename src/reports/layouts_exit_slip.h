#pragma once
// The exit slip's delivery receipts "ÇEK VE SENET ÇIKIŞ BORDRO TESLİMİ". Datasets:
// "ciroTable" (the slip's portfolio cheques, cekciro), "cekduzenleTable" (its own
// cheques, cekkendi), each printed in its own numbered band, the portfolio first,
// and the company record "firmabilgileri" for the header. The window sets
// "Memo57" (slip date), "Memo61" (the account's address), "VerildigiFirma" (the
// account the slip went to), "Memo39" (total), "Memo14" (average due date), "Memo19"
// (average days) and "Memo22" (currency); the detailed receipts also "Memo28"
// (maturity difference), "Memo31" (expenses), "Memo34" (BSMV) and "Memo17" (net).
#include "reports/report_layout.h"

inline const QString kExitGivenDataset = QStringLiteral("ciroTable");
inline const QString kExitOwnDataset = QStringLiteral("cekduzenleTable");

// "Çek Alındısı" (frReport4): bank and branch, currency, amount, account and
// number, drawer; A4 portrait.
ReportLayout cikisAlindisiLayout();
// "Çek Alındısı Detaylı" (frReport1): days, currency, amount, maturity
// difference, expense, net, bank; A4 portrait.
ReportLayout cikisAlindisiDetayliLayout();
// "Çek Alındısı Detaylı 2" (frReport2): the detailed columns with bank and branch,
// account and number, drawer and source; A4 landscape.
ReportLayout cikisAlindisiDetayli2Layout();
