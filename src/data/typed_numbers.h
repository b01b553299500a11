#pragma once
// Numbers typed into the rate and day edits of the slips and the calculator, read
// strictly: a text that is not a number in the Turkish format is refused rather
// than read as another number. And the rounding of average day counts.
#include <QString>

// Strict reading of a number as typed with the Turkish separators ("36", "12,5",
// "1.234,5"); blanks are dropped and an empty text is 0. Throws EngineError
// ("'x' geçerli bir sayı değil.").
double strictNumber(const QString &text);
// A whole number ("365"); throws EngineError for anything else, an empty text included.
qint64 strictInteger(const QString &text);

// Average days: a sum of adat divided by a sum of amounts, rounded to the nearest
// whole number, halves to the even neighbour (34,5 -> 34, 35,5 -> 36).
int roundHalfEven(double value);
