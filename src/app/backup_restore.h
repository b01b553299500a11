#pragma once
// Restoring backup archives: everything is extracted into a staging folder of the
// home and checked there first; only then are the files swapped in, with the
// connections on them closed and reopened afterwards. A refused restore changes
// nothing.
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <optional>

namespace Backup {

inline const QString kRestoreRefused =
    QStringLiteral("Yedekten geri yükleme yapılamadı; mevcut bilgileriniz değiştirilmedi.\n\r");

struct RestorePart {
    QString archive;
    QString folder;        // where its files go ("Data" or "AnaData" of the home)
    bool mainFolder = false; // the companion of "AnaData": must hold the registry
};

// Asks the password of an encrypted archive; empty when the user cancels.
using PasswordAsk = std::function<std::optional<QString>()>;

struct Staged {
    bool ok = false;
    bool cancelled = false;            // the password question was cancelled
    QString reason;                    // why the archives were refused
    std::shared_ptr<QTemporaryDir> dir; // the staging folder, gone with the last copy
    QList<QPair<QString, QString>> moves; // staged file -> its place
    QStringList companies;             // the places of the company databases among them
    QStringList aside;                 // the companies' files the archive lacks: set aside on restore
};

// What a restore may write. An entry larger than maxEntry is refused before it is
// read, and the declared sizes of an archive's entries must leave reserve bytes
// free on the disk of the program folder; while an entry is written it may not
// grow past the size it declares.
struct RestoreLimits {
    qint64 maxEntry = qint64(1) << 30;  // 1 GiB: far more than a company's years of cheques
    qint64 reserve = qint64(64) << 20;
    // The bytes free on the disk holding the folder; by default what the system says.
    std::function<qint64(const QString &folder)> freeBytes;
};

// Whether an entry name is a plain database file name: no folder, no "..", ends in ".mdb".
bool isPlainDatabaseName(const QString &name);

// Extracts and checks every part: an archive that cannot be read, an entry that
// is no plain ".mdb" name, a damaged entry (CRC), a wrong password, a file that is
// no undamaged database of its kind, a missing companion or a companion without
// the registry, an archive without any entry, an entry too large for the limits
// refuse the whole restore. An entry named like a file of its folder in other
// letter case replaces that file.
Staged stageRestore(const QList<RestorePart> &parts, const PasswordAsk &askPassword,
                    const RestoreLimits &limits = {});

// Swaps staged files in. The connections whose files are replaced are closed first
// (every connection when closeEvery), with the carry-over connection, and reopened
// afterwards. Companies restored without a registry entry get one from their own
// record.
struct Applied {
    bool swapped = false;  // false: the files could not be moved and nothing changed
    QString message;       // why not, or what failed after the swap (reopening)
};
// The files of staged.aside go into a dated folder under Yedek/ first (asideFolder,
// made for it); they come back when the swap fails.
Applied applyRestore(const Staged &staged, bool closeEvery, const QString &asideFolder = QString());

// Registers every company database among the files that the registry lacks, with
// the title kept in its `firmabilgileri` (the code when it has none).
void registerRestoredCompanies(const QStringList &files);

} // namespace Backup
