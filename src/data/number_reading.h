#pragma once
// Lenient reading of the numbers users type into edit fields and grid cells.
// The program works with the Turkish separators, so "," is the decimal separator
// and "." (like spaces, letters and currency names) is simply dropped.
#include <QString>

// Keeps a "+" or "-" only when it is the very first character of the text, every
// digit and every ","; converts what is left. An empty result reads as 0:
// "1.234,56" -> 1234.56, "-12,5 TL" -> -12.5, "12-5" -> 125, "" -> 0.
// Throws EngineError with a Turkish message when the kept characters are no number
// ("1,2,3", a lone "-"), so the action that asked stops with a clear message.
double sayiOku(const QString &text);

// The whole-number variant: keeps the leading sign and the digits only.
// Throws EngineError when only a sign is left or the number is too large.
qint64 tamSayiOku(const QString &text);
