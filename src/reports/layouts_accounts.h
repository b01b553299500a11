#pragma once
// Layouts of the account movements window. Both carry the company's titles, the
// print date and time, the title "Memo1" and the heading "Memo27" the window sets,
// and "Sayfa n / m" at the bottom.
#include "reports/report_layout.h"

// "CARİ HESAP BAKİYELERİ" (frReport4): one line per account of "ffQuery1"
// (cari_hesap_adi, doviz_cinsi, SUMborc_tutari, SUMalacak_tutari, bakiye, BA),
// then one framed line per currency of "toplamQuery1" (doviz_cinsi,
// SUMborc_tutari, SUMalacak_tutari, Bakiye, BA).
ReportLayout cariHesapMizaniLayout();

// The account statement (frReport1): the account's name and " HESAP HAREKETLERİ";
// on every page the column titles and the balance carried forward from
// "devirQuery3"; one line per movement of "ffQuery3" with its running balance
// bakiyetop; "Toplam" with the sums up to the last day from "devir2Query3"; under
// "Dönem İşlem Detayları" one framed line per currency of "toplamQuery3".
ReportLayout hesapHareketleriLayout();
