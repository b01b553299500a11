#pragma once
// Completion of a date typed into a grid cell through the date mask ("5_.3_.24__"
// becomes "05.03.2024"): the slips' due dates and the calculator's dates.
#include <QDate>
#include <QString>

enum class DueDate {
    Valid,     // completed to dd.mm.yyyy and a real date
    Stop,      // "… tarih girişiniz uygun değil!": cell emptied, the action stops
    Invalid,   // "… Tarih Girişiniz doğru değil.": cell emptied
    Empty      // nothing usable typed: cell emptied
};

struct DueDateResult {
    DueDate outcome;
    QString text;      // the cell's new text
    QString message;   // for Stop and Invalid
};

// Completes a typed date; a missing year takes defaultYear, a short year is
// completed (1 -> 2001, 12 -> 2012, 999 -> 1999); day 0, month 0 or a year outside
// 1905-2999 stops.
DueDateResult completeDueDate(const QString &cell, int defaultYear);

// A completed date cell ("dd.mm.yyyy") as a date; invalid when it is not one.
QDate cellDate(const QString &text);
