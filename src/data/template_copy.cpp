#include "data/template_copy.h"

#include <QFile>
#include <QFileInfo>
#include <unistd.h>

bool copyTemplate(const QString &source, const QString &target)
{
    if (QFileInfo::exists(target) || !QFileInfo::exists(source)) return false;
    const QString temp = target + QStringLiteral(".part");
    QFile::remove(temp);
    if (!QFile::copy(source, temp)) return false;
    // The copy is a database to work in, even when the template is marked read-only.
    QFile::setPermissions(temp, QFile::permissions(temp) | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    {
        QFile f(temp);
        if (!f.open(QIODevice::ReadWrite) || !f.flush()) { QFile::remove(temp); return false; }
        // QFile::copy does not sync; the copy must be on disk before it is used.
        fsync(f.handle());
    }
    // rename(2) would replace a target made meanwhile; QFile::rename refuses it.
    if (!QFile::rename(temp, target)) { QFile::remove(temp); return false; }
    return true;
}
