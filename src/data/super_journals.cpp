#include "data/super_journals.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

namespace SuperJournals {
namespace {

constexpr unsigned char kJournalMagic[8] = {0xd9, 0xd5, 0x05, 0xf9, 0x20, 0xa1, 0x63, 0xd7};
constexpr qint64 kMaxName = 4096;  // longer than any path SQLite writes

quint32 bigEndian(const QByteArray &b, qsizetype at)
{
    return (quint32(uchar(b[at])) << 24) | (quint32(uchar(b[at + 1])) << 16) | (quint32(uchar(b[at + 2])) << 8)
           | quint32(uchar(b[at + 3]));
}

QString canonical(const QString &path)
{
    const QFileInfo fi(path);
    const QString c = fi.canonicalFilePath();
    return c.isEmpty() ? fi.absoluteFilePath() : c;
}

} // namespace

bool isSuperJournalName(const QString &fileName)
{
    static const QRegularExpression form(QStringLiteral("-mj[0-9A-F]{6}9[0-9A-F]{2}$"));
    return form.match(fileName).hasMatch();
}

QString namedBy(const QString &journalPath)
{
    // The record at the end of a journal: the name's length, its checksum and the
    // journal magic, with the name (and a page number) before them.
    QFile f(journalPath);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const qint64 size = f.size();
    if (size < 16 + 4 + 1) return {};
    if (!f.seek(size - 16)) return {};
    const QByteArray tail = f.read(16);
    if (tail.size() != 16 || memcmp(tail.constData() + 8, kJournalMagic, 8) != 0) return {};
    const quint32 length = bigEndian(tail, 0);
    const quint32 checksum = bigEndian(tail, 4);
    if (length == 0 || length > kMaxName || qint64(length) + 16 + 4 > size) return {};
    if (!f.seek(size - 16 - qint64(length))) return {};
    const QByteArray name = f.read(length);
    if (name.size() != qsizetype(length)) return {};
    // SQLite sums the name's bytes as (signed) chars.
    quint32 sum = checksum;
    for (char c : name) sum -= quint32(int(static_cast<signed char>(c)));
    if (sum != 0) return {};
    const qsizetype nul = name.indexOf('\0');
    return QFile::decodeName(nul >= 0 ? name.left(nul) : name);
}

QStringList childrenOf(const QString &superJournalPath)
{
    QFile f(superJournalPath);
    if (!f.open(QIODevice::ReadOnly) || f.size() > 1024 * 1024) return {};
    QStringList out;
    for (const QByteArray &name : f.readAll().split('\0'))
        if (!name.isEmpty()) out << QFile::decodeName(name);
    return out;
}

QStringList removeStale(const QStringList &folders, int minAgeSeconds)
{
    // Every super-journal named by a journal that exists, by its full path and by
    // its file name (a folder moved since keeps the name).
    QSet<QString> namedPaths, namedFiles;
    const auto noteJournal = [&](const QString &journal) {
        const QString super = namedBy(journal);
        if (super.isEmpty()) return;
        namedPaths.insert(canonical(super));
        namedFiles.insert(QFileInfo(super).fileName());
    };
    QStringList supers;
    for (const QString &folder : folders) {
        const QDir dir(folder);
        for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
            if (name.endsWith(QLatin1String("-journal"))) noteJournal(dir.filePath(name));
            else if (isSuperJournalName(name)) supers << dir.filePath(name);
        }
    }
    for (const QString &super : std::as_const(supers))
        for (const QString &child : childrenOf(super))
            if (QFileInfo::exists(child)) noteJournal(child);

    QStringList removed;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (const QString &super : std::as_const(supers)) {
        const QFileInfo fi(super);
        if (namedPaths.contains(canonical(super)) || namedFiles.contains(fi.fileName())) continue;
        if (fi.lastModified().toUTC().secsTo(now) < minAgeSeconds) continue;
        if (QFile::remove(super)) removed << super;
    }
    return removed;
}

} // namespace SuperJournals
