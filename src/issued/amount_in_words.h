#pragma once
// The amount of a cheque in upper-case Turkish words, lira and kuruş each written
// without spaces, as it goes on the cheque: 1.234,56 -> "BİNİKİYÜZOTUZDÖRT.TL / ELLİALTI.KR ".
#include <QString>

// Returns, by mode:
//   0: lira words + ".TL / " + kuruş words + ".KR "
//   1: lira words + ".TL "
//   2: kuruş words + ".KR "
//   any other mode: text, unchanged.
// A part that is zero has no words, its ".TL" or ".KR" stays: 0,5 -> ".TL / ELLİ.KR ".
//
// The amount is read to 15 significant digits first, which takes away the binary
// representation error of a double (4,35 is held as 4,34999999999999964… and reads
// 4,35; 0,7 + 0,1 reads 0,8), and then every decimal after the second is cut, not
// rounded: 0,999 -> 0,99 and 12,345 -> 12,34. From 10^13 on, 15 significant digits
// hold fewer than three decimals, so there the last digit kept is a rounded one
// (12.345.678.901.234,56 reads 12.345.678.901.234,6). The digits are made without
// the C library or Qt locale, so the words are the same under every locale.
//
// Outside the amounts a cheque carries:
// - 10^15 and above, up to below 10^18, are written with the KATRİLYON group, from
//   the same 15 significant digits (so the last digits of such an amount read 0):
//   10^15 -> "BİRKATRİLYON.TL / .KR ". Amounts below 0,0001 are written in the same
//   positional digits, never in an exponent form: 0,00001 -> ".TL / .KR ".
// - 10^18 and above, infinity and NaN do not fit the six three-digit groups: text is
//   returned unchanged, as for an unknown mode.
// - A negative amount is written as its magnitude preceded by "EKSİ", when the part
//   or parts the mode writes are not zero: -1.234,56 -> "EKSİBİNİKİYÜZOTUZDÖRT.TL / ELLİALTI.KR ",
//   -0,001 in mode 0 and -0,50 in mode 1 have no sign (".TL / .KR ", ".TL ").
QString tutariYaziyaCevir(int mode, const QString &text, double amount);
