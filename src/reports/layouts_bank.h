#pragma once
// The printout of the bank report: the cheques at banks, then the totals per bank
// and currency.
#include "reports/report_layout.h"

// Datasets: "ffQuery4" (the cheques, in their order), the company record
// "firmabilgileri", the one-row "bankaBaslik" (field baslik: the window's title, in
// memo Memo9) and "bankaToplam", one row per summary line with the fields
// ciro_firma, para_birimi and cektutari (the amount already formatted).
// Texts come from datasets rather than the memos' own text, so a name holding
// brackets prints as it is.
inline const QString kBankTitleDataset = QStringLiteral("bankaBaslik");
inline const QString kBankTotalsDataset = QStringLiteral("bankaToplam");
ReportLayout bankaRaporuLayout();
