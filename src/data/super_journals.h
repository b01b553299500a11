#pragma once
// Super-journals of saves across files. A save that writes several database files
// at once makes a super-journal beside the main file, listing the files' journals,
// and each journal names it once the save is about to commit; SQLite deletes it
// when the save ends. A save killed in between leaves it behind: a stale one,
// named by no journal, is never read again and only piles up. One that a hot
// journal names must stay: without it SQLite would take that journal's save for
// committed and not roll it back.
#include <QString>
#include <QStringList>

namespace SuperJournals {

// Whether a file name has the form SQLite gives super-journals ("<file>-mjXXXXXX9XX").
bool isSuperJournalName(const QString &fileName);

// The super-journal a rollback journal names (the record at its end), empty when
// it names none or the record is damaged.
QString namedBy(const QString &journalPath);

// The journals a super-journal lists (NUL-separated file names).
QStringList childrenOf(const QString &superJournalPath);

// Removes from the folders the super-journals that no existing journal names:
// neither one of those it lists nor any "-journal" file of the folders. One
// modified within minAgeSeconds is left alone (another program may be committing
// right now). Returns the files removed; never throws.
QStringList removeStale(const QStringList &folders, int minAgeSeconds = 120);

} // namespace SuperJournals
