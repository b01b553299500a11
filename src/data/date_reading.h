#pragma once
// Reading a date from text where no date mask guards the typing: a cell pasted
// into a grid, a date cell of an imported sheet, a date stored as text.
#include <QDate>
#include <QString>

#include <optional>

struct DateFields {
    int day = 0;
    int month = 0;
    int year = 0;  // as written: 24 for "24"; 0 when missing or blank
};

// Splits "31.12.2024", "1.1.24", "5_.3_.24__" (a half-filled input mask),
// "05/03/2024" or "5.3" into day, month and year: a short field is a day or a
// month as written ("1.1.24" is the first of January), never a part of its
// neighbour. The fields are separated by ".", "/" or "-" (one kind in a text);
// blanks of an input mask ("_") and spaces inside a field are dropped. Empty when
// the text holds anything else: trailing text ("31.12.2024xyz"), more than three
// fields, a day or month of more than two digits or a year of more than four.
// An empty text, or one of blanks and separators only, gives all fields 0.
std::optional<DateFields> tarihAlanlari(const QString &text);

// The year the program makes of a short one, by the digits of its value: one digit
// gets "200" in front, two digits "20", three digits "1" (7 -> 2007, 24 -> 2024,
// 999 -> 1999); 0 stays 0.
int tamYil(int year);

// The date of a text: tarihAlanlari with the year completed by tamYil, or the ISO
// form "2024-03-05". A text without a year takes defaultYear when it is given.
// Invalid when the text is no date or names no real day ("31.02.2024").
QDate tarihOku(const QString &text, int defaultYear = 0);
