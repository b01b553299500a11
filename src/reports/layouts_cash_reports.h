#pragma once
// Layouts of the cash reports over a period.
//
// The two-date reports run over "ikitarihQuery" (islem_tarihi, borc_tutar,
// alacak_tutar, doviz_cinsi, aciklama), "islemturuQuery" (neden, doviz_cinsi,
// BorcToplam, AlacakToplam, fark), "tarihQuery" (islem_tarihi, doviz_cinsi,
// BorcToplam, AlacakToplam, fark) and "gunbasikasaQuery" (bakiye, the opening
// balance), with the company record "firmabilgileri". The window sets "Memo1", the
// title.
//
// The type report runs over "ffQuery1" (neden, doviz_cinsi, borctutartop),
// "ffQuery2" (neden, doviz_cinsi, alacaktutartop) and the detail lists
// "detaygelirQuery" / "detaygiderQuery" (the cash rows of one type); the window sets
// the memos named below.
#include "reports/report_layout.h"

// The movements with the opening balance, the period's sums, net and closing cash.
ReportLayout ikiTarihArasiLayout();
// Sums per transaction type and currency with their difference.
ReportLayout islemTuruToplamLayout();
// Sums per day and currency with their difference, the opening and closing cash.
ReportLayout gunToplamlariLayout();
// Under each currency-and-day total line, that day's movements of that currency.
ReportLayout ikiTarihDetayLayout();

// Collections per type ("Memo1" the title, "Memo13" the period sum).
ReportLayout tahsilatOzetLayout();
// Payments per type ("Memo1", "Memo13").
ReportLayout odemeOzetLayout();
// Collections then payments per type ("Memo19" the range, "Memo16" and "Memo27" the
// two sums, "Memo13" their difference).
ReportLayout tahsilatOdemeOzetLayout();
// The movements of one type: collections (over "detaygelirQuery") or payments
// (over "detaygiderQuery"); "Memo1" the type, "Memo11" the range, "Memo19" the sum.
ReportLayout tahsilatDetayLayout();
ReportLayout odemeDetayLayout();
