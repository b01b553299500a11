#pragma once
// Lenient reading of the numbers users type into edit fields and grid cells.
// The program works with the Turkish separators, so "," is the decimal separator
// and "." (like spaces and currency names) is simply dropped.
#include <QString>

#include <optional>

// The most digits a number may be written with, zeros before its integer part and
// after its fraction aside: a double holds 15 exactly, so a longer number would be
// stored as another one.
constexpr int kMaxSignificantDigits = 15;

// Reads what the user typed: a "+" or "-" as the first character (leading spaces
// do not count), the digits, at most one ","; dots, spaces, the blanks of an input
// mask ("_") and a currency name or sign before or after the number ("TL", "USD",
// "EURO", "₺") are dropped. An empty result reads as 0:
// "1.234,56" -> 1234.56, " -12,5 TL" -> -12.5, "1.000.000" -> 1000000, "" -> 0.
// Throws EngineError with a Turkish message when the text is no number, rather than
// read it as another one: two decimal separators ("1,2,3"), a sign anywhere but
// first ("12-5", "100-"), letters ("1e3", "0x1F", "NaN", "inf"), other marks
// ("(100)") or more than kMaxSignificantDigits digits ("0,0000000000000001").
double sayiOku(const QString &text);

// The same reading without the exception: empty when sayiOku would refuse the text.
std::optional<double> sayiOkuDene(const QString &text);

// The whole-number variant: refuses what sayiOku refuses, then reads the sign and
// the digits only ("12,5" -> 125, as the decimal separator is no part of a whole
// number).
qint64 tamSayiOku(const QString &text);

// The reading of a number typed as a search condition ("Bordro No" of a list),
// where a stray character cannot store a wrong number: the sign when it is the
// first character, and the digits; everything else is dropped ("12a" -> 12,
// "abc" -> 0). Throws EngineError only when the digits exceed a whole number.
qint64 rakamlariOku(const QString &text);
