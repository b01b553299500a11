#pragma once
// What the user reads when a database file cannot be used: a Turkish sentence that
// names the file and says what to do (close the program holding it, restore a
// backup, check permissions), followed by the engine's own text for support.
#include "data/engine_error.h"

#include <QString>
#include <QStringList>

struct sqlite3;

namespace FileErrors {

// How long a statement waits for a file another program holds before it gives up.
inline constexpr int kBusyTimeoutMs = 3000;

QString lockedText(const QStringList &files, const QString &engineText);
QString damagedText(const QStringList &files, const QString &engineText);
QString readOnlyText(const QStringList &files, const QString &engineText);
QString emptyText(const QString &file);
QString foreignText(const QString &file);
QString otherText(const QStringList &files, const QString &engineText);

// The error for a failed call on a handle. rc is the call's result code, engineText
// the engine's message. The file named is the handle's file; when other files are
// attached to the handle (a save across files), the one the failure concerns where
// that can be told (the file another program holds, the read-only one), else all.
EngineError fromHandle(sqlite3 *db, int rc, const QString &engineText);
// The same for an error met on files that are known.
EngineError forFile(const QString &file, int rc, const QString &engineText);
EngineError forFiles(const QStringList &files, int rc, const QString &engineText);

// The files among paths that another connection holds: first those being written
// by another connection; when none is, those another connection only reads (which
// still keep a commit from finishing). Probed without waiting; the caller must hold
// no lock on them itself.
QStringList filesInUse(const QStringList &paths);

// Whether the program may write the file: the system allows it and the file is not
// marked read-only (no write bit), which is honoured even for an administrator.
bool isWritable(const QString &path);

} // namespace FileErrors
