#include "app/backup_archives.h"

#include "app/file_swap.h"
#include "data/zip_archive.h"

#include <QFile>
#include <QFileInfo>

namespace Backup {
namespace {

QString temporaryName(const QString &path)
{
    for (int i = 0;; ++i) {
        const QString candidate = path + QStringLiteral(".yaziliyor") + (i ? QString::number(i) : QString());
        if (!QFileInfo::exists(candidate)) return candidate;
    }
}

} // namespace

QString writeArchives(const QList<Archive> &archives, const QString &password)
{
    QList<QPair<QString, QString>> written;  // temporary -> chosen name
    const auto dropWritten = [&written] {
        for (const auto &w : written) QFile::remove(w.first);
    };
    for (const Archive &a : archives) {
        const QString temp = temporaryName(a.path);
        ZipWriter zip(temp);
        if (!zip.isOpen()) {
            dropWritten();
            return zip.errorString();
        }
        zip.setPassword(password);
        for (const QString &file : a.files) {
            if (!zip.addFile(file)) {
                dropWritten();
                return zip.errorString();
            }
        }
        if (!zip.close()) {
            dropWritten();
            return zip.errorString();
        }
        written.append({temp, a.path});
    }
    const QString failure = swapFiles(written);
    if (!failure.isEmpty()) dropWritten();
    return failure;
}

} // namespace Backup
