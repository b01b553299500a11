#pragma once
// Every message box of the program goes through here. Normally a real QMessageBox
// is shown; when a test has switched on the test mode, the box is recorded
// (caption, text, icon, buttons), the next queued answer is returned and nothing
// is shown.
#include <QList>
#include <QString>

class QWidget;

namespace MessageBox {

enum class Icon { None, Information, Warning, Critical, Question };
enum Button { Ok = 0x1, Yes = 0x2, No = 0x4, Cancel = 0x8 };

inline const QString kCaption = QStringLiteral("Brenvo Çek Senet Takip Programı");
inline const QString kCaptionShort = QStringLiteral("Brenvo Çek Senet Takip");

// Shows the box and returns the button pressed. "\n\r" in texts shows as one line break.
int show(const QString &caption, const QString &text, Icon icon, int buttons, QWidget *parent = nullptr);

inline void information(const QString &text, const QString &caption = kCaption)
{
    show(caption, text, Icon::Information, Ok);
}
inline void warning(const QString &text, const QString &caption = kCaption)
{
    show(caption, text, Icon::Warning, Ok);
}
inline void error(const QString &text, const QString &caption = kCaption)
{
    show(caption, text, Icon::Critical, Ok);
}
inline bool askYesNo(const QString &text, const QString &caption = kCaption)
{
    return show(caption, text, Icon::Question, Yes | No) == Yes;
}

// ---- test seam ----
struct Shown {
    QString caption;
    QString text;
    Icon icon;
    int buttons;
    int answer;
};
void setTestMode(bool on);
bool testMode();
// Answers for the next boxes, in order. A box with no queued answer gets Ok when it
// has an Ok button, else the No/Cancel button (and a warning is printed).
void queueAnswer(int button);
int pendingAnswers();
const QList<Shown> &shown();
void clearShown();

} // namespace MessageBox
