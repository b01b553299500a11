#include "tools/mail_compose.h"

#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>

namespace MailCompose {
namespace {

struct TestState {
    bool on = false;
    QString handler;
    int exitCode = 0;
    QList<Command> commands;
};
TestState &test()
{
    static TestState s;
    return s;
}

// The desktop file of the program that opens mailto links ("thunderbird.desktop");
// empty when there is none or no xdg-email to reach it.
QString mailHandler()
{
    if (test().on) return test().handler;
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-email")).isEmpty()) return {};
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("x-scheme-handler/mailto")});
    if (!query.waitForFinished(5000) || query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0) return {};
    return QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
}

bool takesAttachments(const QString &handler)
{
    const QString h = handler.toLower();
    return h.contains(QLatin1String("thunderbird")) || h.contains(QLatin1String("evolution"))
           || h.contains(QLatin1String("kmail"));
}

// Runs a program without waiting for it; finished (when given) gets whether it ended well.
void run(const QString &program, const QStringList &arguments, QObject *context, std::function<void(bool)> finished)
{
    if (test().on) {
        test().commands.append({program, arguments});
        if (finished) finished(test().exitCode == 0);
        return;
    }
    auto *process = new QProcess;
    QPointer<QObject> guard(context);
    QObject::connect(process, &QProcess::finished, process, [process, guard, finished](int code, QProcess::ExitStatus status) {
        process->deleteLater();
        if (finished && guard) finished(status == QProcess::NormalExit && code == 0);
    });
    QObject::connect(process, &QProcess::errorOccurred, process, [process, guard, finished](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart) return;
        process->deleteLater();
        if (finished && guard) finished(false);
    });
    process->start(program, arguments);
}

void openFolder(const QString &file, QObject *context)
{
    run(QStringLiteral("xdg-open"), {QFileInfo(file).absolutePath()}, context, nullptr);
}

} // namespace

void compose(const Mail &mail, QObject *context, std::function<void(Outcome)> done)
{
    const QString handler = mailHandler();
    if (handler.isEmpty()) {
        done(Outcome::NoMailProgram);
        return;
    }
    QStringList args = {QStringLiteral("--utf8"), QStringLiteral("--subject"), mail.subject, QStringLiteral("--body"), mail.body};
    if (!takesAttachments(handler)) {
        // The mail opens with its subject and body; the file is attached by hand.
        args << mail.recipient;
        run(QStringLiteral("xdg-email"), args, context, nullptr);
        openFolder(mail.attachment, context);
        done(Outcome::FolderOpened);
        return;
    }
    args << QStringLiteral("--attach") << mail.attachment << mail.recipient;
    run(QStringLiteral("xdg-email"), args, context, [mail, context, done](bool ok) {
        if (ok) {
            done(Outcome::Composed);
            return;
        }
        openFolder(mail.attachment, context);
        done(Outcome::FolderOpened);
    });
}

void setTestMode(bool on, const QString &handler, int exitCode)
{
    test() = TestState{};
    test().on = on;
    test().handler = handler;
    test().exitCode = exitCode;
}

const QList<Command> &commands() { return test().commands; }

} // namespace MailCompose
