#include "widgets/file_dialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QQueue>

namespace FileDialog {
namespace {
struct TestState {
    bool on = false;
    QQueue<QString> files;
    QQueue<QString> folders;
    QList<Call> calls;
};
TestState &state()
{
    static TestState s;
    return s;
}

QString answer(Kind kind, const QString &caption, const QString &dir, const QString &filter, bool asksOverwrite = false)
{
    TestState &s = state();
    QQueue<QString> &queue = kind == Kind::Folder ? s.folders : s.files;
    const QString a = queue.isEmpty() ? QString() : queue.dequeue();
    s.calls.append({kind, caption, dir, filter, a, asksOverwrite});
    return a;
}

QWidget *owner(QWidget *parent) { return parent ? parent : QApplication::activeWindow(); }
} // namespace

QString openFile(const QString &caption, const QString &dir, const QString &filter, QWidget *parent)
{
    if (state().on) return answer(Kind::Open, caption, dir, filter);
    return QFileDialog::getOpenFileName(owner(parent), caption, dir, filter);
}

QString saveFile(const QString &caption, const QString &dir, const QString &filter, QWidget *parent)
{
    if (state().on) return answer(Kind::Save, caption, dir, filter, true);
    return QFileDialog::getSaveFileName(owner(parent), caption, dir, filter);
}

QString saveFileNoOverwriteQuestion(const QString &caption, const QString &dir, const QString &filter, QWidget *parent)
{
    if (state().on) return answer(Kind::Save, caption, dir, filter);
    return QFileDialog::getSaveFileName(owner(parent), caption, dir, filter, nullptr, QFileDialog::DontConfirmOverwrite);
}

QString folder(const QString &caption, const QString &dir, QWidget *parent)
{
    if (state().on) return answer(Kind::Folder, caption, dir, QString());
    return QFileDialog::getExistingDirectory(owner(parent), caption, dir);
}

void setTestMode(bool on)
{
    state() = TestState{};
    state().on = on;
}
bool testMode() { return state().on; }
void queueFile(const QString &path) { state().files.enqueue(path); }
void queueFolder(const QString &path) { state().folders.enqueue(path); }
const QList<Call> &calls() { return state().calls; }

} // namespace FileDialog
