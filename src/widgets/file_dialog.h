#pragma once
// Every file and folder choice of the program goes through here. Normally the
// desktop's dialog is shown; in test mode the call is recorded and the next queued
// file name (or folder) is returned, an empty text when none is queued, as if the
// user had cancelled.
#include <QList>
#include <QString>

class QWidget;

namespace FileDialog {

QString openFile(const QString &caption, const QString &dir = QString(), const QString &filter = QString(),
                 QWidget *parent = nullptr);
QString saveFile(const QString &caption, const QString &dir = QString(), const QString &filter = QString(),
                 QWidget *parent = nullptr);
// The same, for a window that asks its own question before replacing a file: the
// dialog asks none.
QString saveFileNoOverwriteQuestion(const QString &caption, const QString &dir = QString(),
                                    const QString &filter = QString(), QWidget *parent = nullptr);
QString folder(const QString &caption, const QString &dir = QString(), QWidget *parent = nullptr);

// ---- test seam ----
enum class Kind { Open, Save, Folder };
struct Call {
    Kind kind;
    QString caption;
    QString dir;
    QString filter;
    QString answer;
    bool asksOverwrite = false;  // a save dialog that asks itself before replacing a file
};
void setTestMode(bool on);  // also clears the queues and the record
bool testMode();
void queueFile(const QString &path);    // answers openFile and saveFile, in order
void queueFolder(const QString &path);  // answers folder, in order
const QList<Call> &calls();

} // namespace FileDialog
