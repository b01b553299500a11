#pragma once
// Opens a new mail in the desktop's mail program with a file attached, through
// xdg-email, without blocking the window: xdg-email may wait while a mail program
// it started runs, so the outcome comes later, by a call back. Mail programs
// that take an attachment from xdg-email are Thunderbird, Evolution and KMail;
// with any other one, or when xdg-email fails, the file's folder is opened so the
// user can attach the file by hand. The file is left in place: the mail program
// reads it when the mail is sent.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QObject;

namespace MailCompose {

struct Mail {
    QString recipient;
    QString subject;
    QString body;
    QString attachment;  // an absolute path
};

enum class Outcome {
    Composed,       // the mail program has the mail with its attachment
    NoMailProgram,  // no xdg-email, or no program for mailto links
    FolderOpened    // the attachment could not be handed over: its folder was opened
};

inline const QString kNoMailProgram = QStringLiteral("Mail gönderebilmek için, bilgisyarınızda Outlook kurulu olmalıdır.");
// The message for FolderOpened, the file's path after it.
inline const QString kFolderOpened = QStringLiteral(
    "Mail programınız dosyayı ekleyemedi.\n\rDosyanın bulunduğu klasör açıldı; dosyayı maile kendiniz ekleyin:\n\r");

// Starts composing; done runs once with the outcome (at once, or when xdg-email
// ends), unless context is destroyed first.
void compose(const Mail &mail, QObject *context, std::function<void(Outcome)> done);

// ---- test seam ----
// In test mode no program runs: the commands are recorded, the mailto handler is
// the one given (empty: none) and every command ends with exitCode, at once.
struct Command {
    QString program;
    QStringList arguments;
};
void setTestMode(bool on, const QString &handler = QString(), int exitCode = 0);
const QList<Command> &commands();

} // namespace MailCompose
