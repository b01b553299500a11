#pragma once
// Updating the program from an update server. The source is a folder on a web
// server holding the program file and its checksum line ("<sha256>  <name>", as
// sha256sum writes it). The file is downloaded into "Yedek/<name>.part", becomes
// "Yedek/<name>" only when its SHA-256 matches, and then replaces the program
// file atomically: a copy beside it with the same permissions, flushed to disk and
// renamed over it. Any failure leaves the program file as it was and no ".part".
//
// The source comes from the command line (--update-url), the environment
// (CEKSENET_UPDATE_URL) or the file "Guncelleme.ini" in the program home
// ([Guncelleme] Adres=...). Only https is accepted (plain http only to this
// computer, for tests and local mirrors).
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

namespace ProgramUpdate {

inline const QString kUpdated = QStringLiteral(
    "Güncelleme yapıldı\n\rYeni sürüm, programı kapatıp yeniden açtığınızda çalışacaktır. "
    "Açık işlerinizi kaydettikten sonra programı kapatabilirsiniz.");

struct Settings {
    QUrl source;             // the folder on the server
    QString programName;     // file name on the server and in "Yedek"
    QString targetPath;      // the program file replaced
    QString downloadFolder;  // "Yedek" in the home
    int connectTimeoutMs = 15000;   // no answer at all within this: no connection
    int transferTimeoutMs = 60000;  // no byte for this long during a transfer: failure
    int totalTimeoutMs = 10 * 60 * 1000;  // the whole download, however slowly the bytes come
    // A program file is a few MB: a larger answer is no program of ours.
    qint64 maxBytes = qint64(64) << 20;
    // Told of the program file's bytes as they come (total -1 while unknown);
    // returning false cancels the update.
    std::function<bool(qint64 received, qint64 total)> progress;
};

enum class Outcome { Updated, NoConnection, Failed, Cancelled };

struct Result {
    Outcome outcome = Outcome::Failed;
    QString detail;  // why it failed, in Turkish, the library's text after it where there is one
};

// The configured source: the --update-url argument, else the environment, else
// Guncelleme.ini in the home; empty when none is set.
QUrl configuredSource(const QStringList &arguments);
// True for https, and for http to this computer.
bool acceptableSource(const QUrl &url);

// Runs the whole update; processes events while it waits (the window stays alive).
Result run(const Settings &settings);

// The program's own settings: the running program file, "Yedek" in the home.
Settings programSettings(const QStringList &arguments);

} // namespace ProgramUpdate

class QWidget;
// The user's command: the question, the progress window with "Vazgeç" (objectName
// "GuncellemeF", its button "VazgecButton"), the download and the messages.
// Returns true when the program was replaced and should close without asking.
bool programiGuncelle(QWidget *parent, const ProgramUpdate::Settings &settings);
