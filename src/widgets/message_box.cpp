#include "widgets/message_box.h"

#include "reports/report_messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QQueue>
#include <QtDebug>

namespace MessageBox {
namespace {

// The report engine tells the user through this seam too.
const bool kReportsTold = [] {
    ReportMessages::setHandler([](ReportMessages::Kind kind, const QString &text, const QString &caption) {
        if (kind == ReportMessages::Kind::Error) error(text, caption);
        else information(text, caption);
    });
    return true;
}();

struct TestState {
    bool on = false;
    QQueue<int> answers;
    QList<Shown> shown;
};
TestState &state()
{
    static TestState s;
    return s;
}

int fallbackAnswer(int buttons)
{
    if (buttons & Ok) return Ok;
    if (buttons & Cancel) return Cancel;
    if (buttons & No) return No;
    return Yes;
}
} // namespace

int show(const QString &caption, const QString &text, Icon icon, int buttons, QWidget *parent)
{
    TestState &s = state();
    if (s.on) {
        int answer;
        if (!s.answers.isEmpty()) {
            answer = s.answers.dequeue();
        } else {
            answer = fallbackAnswer(buttons);
            if (!(buttons & Ok)) qWarning() << "MessageBox: no queued answer for" << text;
        }
        s.shown.append({caption, text, icon, buttons, answer});
        return answer;
    }

    QMessageBox box(parent ? parent : QApplication::activeWindow());
    box.setWindowTitle(caption);
    QString shownText = text;
    shownText.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    shownText.replace(u'\r', u'\n');  // a carriage return alone breaks the line too
    box.setText(shownText);
    switch (icon) {
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::None: break;
    }
    struct Map {
        Button ours;
        QMessageBox::StandardButton qt;
        const char *text;
    };
    const Map map[] = {{Yes, QMessageBox::Yes, "Evet"},
                       {No, QMessageBox::No, "Hayır"},
                       {Ok, QMessageBox::Ok, "Tamam"},
                       {Cancel, QMessageBox::Cancel, "İptal"}};
    QMessageBox::StandardButtons qtButtons;
    for (const Map &m : map)
        if (buttons & m.ours) qtButtons |= m.qt;
    box.setStandardButtons(qtButtons);
    for (const Map &m : map)
        if (buttons & m.ours) box.button(m.qt)->setText(QString::fromUtf8(m.text));
    if (buttons & Cancel) box.setEscapeButton(QMessageBox::Cancel);
    else if (buttons & No) box.setEscapeButton(QMessageBox::No);
    const int result = box.exec();
    for (const Map &m : map)
        if (result == m.qt) return m.ours;
    return fallbackAnswer(buttons);
}

void setTestMode(bool on)
{
    state().on = on;
    state().answers.clear();
    state().shown.clear();
}
bool testMode() { return state().on; }
void queueAnswer(int button) { state().answers.enqueue(button); }
int pendingAnswers() { return int(state().answers.size()); }
const QList<Shown> &shown() { return state().shown; }
void clearShown() { state().shown.clear(); }

} // namespace MessageBox
