#pragma once
// Writing backup archives: every archive of one backup lands, or none does.
#include <QList>
#include <QString>
#include <QStringList>

namespace Backup {

struct Archive {
    QString path;       // the archive to write
    QStringList files;  // the files it takes, each entered by its plain name
};

// Writes each archive under a temporary name beside it; once all have closed
// cleanly they take their names (replacing former files of those names). When one
// fails, no new archive is left and former files stay. With a password every
// entry is encrypted with AES-256. Empty on success, else the library's message.
QString writeArchives(const QList<Archive> &archives, const QString &password = QString());

} // namespace Backup
