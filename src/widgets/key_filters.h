#pragma once
// Keyboard conventions of the windows: Enter moves the focus to the next control in
// one-line edits, choice boxes, date edits and spin boxes (never in multi-line texts
// or grids, where Enter means something); digit-only and decimal fields drop other
// characters; date and telephone fields get their input masks.
#include <QString>

class QWidget;
class QLineEdit;
class QDateEdit;
class QEvent;
class QTableView;

namespace KeyFilters {

// Makes Enter move the focus in every suitable control of window, now and later.
// Installing twice is harmless. A control with the property "enterKeepsKey" set to
// true keeps its Enter (for a search field that acts on it).
void installEnterMovesFocus(QWidget *window);
bool enterMovesFocus(const QWidget *window);

// Only the digits 0-9 may be typed (editing keys still work).
void installDigitsOnly(QLineEdit *edit);
// Digits and one decimal separator ","; "." from the numeric keypad is typed as ",".
void installDecimalKeys(QLineEdit *edit);

// Day.month.year entry: "99.99.9999" mask on a line edit; a date edit shows
// "dd.MM.yyyy" with a calendar.
inline const QString kDateMask = QStringLiteral("99.99.9999;_");
inline const QString kRateDateMask = QStringLiteral("99/99/9999;_");
// Telephone and fax: "(999) 999 99 99" with "_" for the blanks; the digits are
// optional so a shorter number can be kept.
inline const QString kTelephoneMask = QStringLiteral("(000) 000 00 00;_");
void setDateMask(QLineEdit *edit);
void setRateDateMask(QLineEdit *edit);
void setTelephoneMask(QLineEdit *edit);
void setupDateEdit(QDateEdit *edit);

// Enter on a list grid moves to the next shown column of the row, from the last
// back to the first. True when the event was such a key and was handled.
bool enterMovesToNextColumn(QTableView *grid, QEvent *event);

} // namespace KeyFilters
