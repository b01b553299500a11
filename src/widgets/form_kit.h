#pragma once
// The pieces every form builds its controls from, so that a caption, a button or a
// total reads the same in every window, and the display formats are defined once.
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace FormKit {

inline const QString kMoney = QStringLiteral("#,##0.00");      // amounts in edits, slips and totals
inline const QString kListAmount = QStringLiteral("#,###.00"); // amounts in the lists
inline const QString kListRate = QStringLiteral("#,###.00000"); // rates in the lists
inline const QString kCardRate = QStringLiteral("#,##0.0000"); // rates on the account cards
inline const QString kDays = QStringLiteral("#,##0");          // day counts
inline const QString kDate = QStringLiteral("dd.mm.yyyy");     // the program's short date

// A window's heading: bold, a few points larger than the text.
QLabel *heading(QWidget *parent, const char *name, const QString &text, int larger = 5);
// A label before a field; bold ones read a little larger.
QLabel *caption(const QString &text, QWidget *parent, bool bold = false);
// A push button that never takes Enter as the window's default.
QPushButton *button(QWidget *parent, const char *name, const QString &text);
// An edit, with the longest text the user may type (see limitTyping).
QLineEdit *lineEdit(QWidget *parent, const char *name, const QString &text = QString(), int maxLength = 0);
// Limits what the user types or pastes to length characters. Unlike Qt's maxLength,
// a longer text the program sets (a name from an account card) is kept whole, and
// the user can still shorten it.
void limitTyping(QLineEdit *edit, int length);
// A read-only result on a slip: right-aligned, out of the Tab and Enter path.
QLineEdit *resultEdit(QWidget *parent, const char *name, int minimumWidth = 110);
// A read-only total on a list or the dashboard; shrinks a little to fit narrow screens.
QLineEdit *totalField(QWidget *parent, const QString &name, int width = 112);

} // namespace FormKit
