#pragma once
// Display formats of amounts, counts, rates and dates, with the Turkish separators
// (thousands ".", decimals ","). The format texts are those the windows and reports
// name: "#,##0.00", "#,###.00", "#,##0", "#,###.0000", "#0.00", "dd.mm.yyyy" ...
#include <QDate>
#include <QString>
#include <QVariant>

// A number in a numeric format. In "#,###.00" zero shows as ",00" and 0.5 as ",50";
// in "#,##0.00" zero shows as "0,00". Halves round away from zero.
QString formatFloat(const QString &format, double value);
// An amount rounded to kuruş exactly as "#,##0.00" shows it (halves away from
// zero on the shortest decimal text), so that money written is money shown.
double roundKurus(double value);
// A date in a date format ("dd.mm.yyyy", "dd/mm/yyyy", "d/m/yyyy"; "mm" is the month,
// "mmmm" the month's Turkish name, "dddd" the day's: "dd mmmm yyyy dddd" gives
// "05 Nisan 2021 Pazartesi").
QString formatDate(const QString &format, const QDate &date);
// A value read from a dataset: numbers and dates in the format, texts as they are,
// an empty value as an empty text. An empty format shows numbers plainly.
QString formatValue(const QString &format, const QVariant &value);

// The Turkish name of a month (1 = "Ocak"), empty outside 1..12.
QString monthName(int month);
// The Turkish name of a day of the week (1 = "Pazartesi" .. 7 = "Pazar"), empty outside 1..7.
QString dayName(int dayOfWeek);
