#pragma once
// What a restore does with a company's files that the archive does not hold. An
// older archive of a company brings back its company file and the year files it
// had then; year files written later would stay beside them with movements that
// point at slips the restored company file no longer has. They are set aside into
// a dated folder under Yedek/ (nothing is deleted), and the restored company file
// keeps counting its slips and rows from where the replaced one had come, so no
// number is handed out a second time.
#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace Backup {

// The files of the restored companies in their data folder that the restore does
// not replace: <code>.mdb and <code><year>K.mdb. moves: staged file -> its place.
QStringList filesNotInArchive(const QList<QPair<QString, QString>> &moves, const QStringList &companies);

// The folder they go into: Yedek/GeriYuklemeOncesi-yyyy-MM-dd_HH-mm-ss of the home.
QString setAsideFolder(const QDateTime &when);

// Moves the files into the folder (made when missing). On a failure the files
// moved so far go back and the reason is returned; empty on success.
QString setAside(const QStringList &files, const QString &folder);
// Moves the files of a folder made by setAside back to where they were.
void putBack(const QStringList &files, const QString &folder);

// Raises the restored company file's counters (slip numbers, cheque rows) to at
// least what the replaced file had used. Both are paths; the staged file is
// written, the current one only read. A missing current file changes nothing.
// Throws EngineError when the staged file cannot be written.
void keepCountersAbove(const QString &stagedCompany, const QString &currentCompany);

} // namespace Backup
