#include "app/restore_set_aside.h"

#include "data/connection.h"
#include "data/connection_string.h"
#include "data/program_home.h"
#include "data/query.h"
#include "data/sql_literals.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace Backup {

QStringList filesNotInArchive(const QList<QPair<QString, QString>> &moves, const QStringList &companies)
{
    QSet<QString> replaced;
    for (const auto &m : moves) replaced.insert(QFileInfo(m.second).absoluteFilePath());
    QStringList out;
    for (const QString &company : companies) {
        const QFileInfo info(company);
        const QString code = info.completeBaseName();
        // The company file itself, or a year's cash file of exactly this code.
        const QRegularExpression own(QStringLiteral("^%1(\\d{4}K)?\\.mdb$").arg(QRegularExpression::escape(code)),
                                     QRegularExpression::CaseInsensitiveOption);
        const QDir folder = info.absoluteDir();
        for (const QFileInfo &f : folder.entryInfoList({QStringLiteral("*.mdb"), QStringLiteral("*.MDB")}, QDir::Files)) {
            if (!own.match(f.fileName()).hasMatch()) continue;
            const QString path = f.absoluteFilePath();
            if (!replaced.contains(path) && !out.contains(path)) out.append(path);
        }
    }
    out.sort();
    return out;
}

QString setAsideFolder(const QDateTime &when)
{
    return ProgramHome::path(QStringLiteral("Yedek/GeriYuklemeOncesi-") + when.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")));
}

QString setAside(const QStringList &files, const QString &folder)
{
    if (files.isEmpty()) return {};
    if (!QDir().mkpath(folder)) return QStringLiteral("'%1' klasörü oluşturulamadı.").arg(QDir::toNativeSeparators(folder));
    QStringList moved;
    for (const QString &file : files) {
        const QString target = QDir(folder).filePath(QFileInfo(file).fileName());
        if (QFile::exists(target) || !QFile::rename(file, target)) {
            putBack(moved, folder);
            return QStringLiteral("'%1' kenara alınamadı.").arg(QDir::toNativeSeparators(file));
        }
        moved.append(file);
    }
    return {};
}

void putBack(const QStringList &files, const QString &folder)
{
    for (const QString &file : files) QFile::rename(QDir(folder).filePath(QFileInfo(file).fileName()), file);
}

void keepCountersAbove(const QString &stagedCompany, const QString &currentCompany)
{
    if (!QFileInfo::exists(currentCompany)) return;
    QHash<QString, qint64> used;
    {
        Connection current;
        current.setSchemaKind(Schema::Kind::Company);
        current.setConnectionString(ConnectionString::build(currentCompany));
        current.open();
        Query q(&current);
        q.sql() << QStringLiteral("SELECT name, seq FROM sqlite_sequence");
        q.open();
        for (q.first(); !q.eof(); q.next()) used.insert(q.value(0).toString(), q.value(1).toLongLong());
    }
    if (used.isEmpty()) return;
    Connection staged;
    staged.setSchemaKind(Schema::Kind::Company);
    staged.setConnectionString(ConnectionString::build(stagedCompany));
    staged.open();
    staged.begin();
    try {
        for (auto it = used.cbegin(); it != used.cend(); ++it) {
            if (!staged.hasTable(it.key())) continue;
            // The counter goes no lower than the restored file's own rows need.
            staged.exec(QStringLiteral("UPDATE sqlite_sequence SET seq=%1 WHERE name=%2 AND seq<%1")
                            .arg(it.value())
                            .arg(sqlText(it.key())));
            staged.exec(QStringLiteral("INSERT INTO sqlite_sequence (name, seq) SELECT %2, %1 "
                                       "WHERE NOT EXISTS (SELECT 1 FROM sqlite_sequence WHERE name=%2)")
                            .arg(it.value())
                            .arg(sqlText(it.key())));
        }
        staged.commit();
    } catch (...) {
        staged.rollback();
        throw;
    }
    staged.close();
}

} // namespace Backup
