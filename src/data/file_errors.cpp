#include "data/file_errors.h"
#include "data/pending_reads.h"

#include <QDir>
#include <QFileInfo>
#include <sqlite3.h>

namespace FileErrors {
namespace {

QString names(const QStringList &files)
{
    QStringList quoted;
    for (const QString &f : files) quoted << u'"' + QDir::toNativeSeparators(f) + u'"';
    if (quoted.isEmpty()) return QStringLiteral("Veritabanı");
    return quoted.join(QStringLiteral(" ya da "));
}

QString support(const QString &engineText)
{
    return engineText.isEmpty() ? QString() : QStringLiteral("\n\r(SQLite: ") + engineText + u')';
}

// The files behind a handle: its main file and those attached to it, by schema name.
QList<QPair<QString, QString>> filesOf(sqlite3 *db)
{
    QList<QPair<QString, QString>> out;
    if (!db) return out;
    for (int i = 0;; ++i) {
        const char *schema = sqlite3_db_name(db, i);
        if (!schema) break;
        if (qstrcmp(schema, "temp") == 0) continue;
        const char *file = sqlite3_db_filename(db, schema);
        if (file && *file) out.append({QString::fromUtf8(schema), QString::fromUtf8(file)});
    }
    return out;
}

enum class Probe { Write, Any };

bool heldByAnother(const QString &path, Probe probe)
{
    // Our own part-read queries would answer for another program.
    PendingReads::finishAll();
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    // No busy handler: a lock held elsewhere answers at once.
    const char *begin = probe == Probe::Write ? "BEGIN IMMEDIATE" : "BEGIN EXCLUSIVE";
    const int rc = sqlite3_exec(db, begin, nullptr, nullptr, nullptr);
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    const int primary = rc & 0xff;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

} // namespace

QString lockedText(const QStringList &files, const QString &engineText)
{
    return names(files) + QStringLiteral(" dosyası başka bir program tarafından kullanılıyor; hiçbir değişiklik kaydedilmedi.\n\r"
                                         "Dosyayı açık tutan programı (örneğin bir SQLite tarayıcısını) kapatıp işlemi yeniden deneyin.")
           + support(engineText);
}

QString damagedText(const QStringList &files, const QString &engineText)
{
    return names(files) + QStringLiteral(" dosyası bozuk ya da bir veritabanı dosyası değil; hiçbir değişiklik kaydedilmedi.\n\r"
                                         "Dosyayı bir yedekten geri yükleyin.")
           + support(engineText);
}

QString readOnlyText(const QStringList &files, const QString &engineText)
{
    return names(files) + QStringLiteral(" dosyasına yazılamıyor (salt okunur); hiçbir değişiklik kaydedilmedi.\n\r"
                                         "Dosyanın ve bulunduğu klasörün yazma izinlerini denetleyin.")
           + support(engineText);
}

QString emptyText(const QString &file)
{
    return names({file}) + QStringLiteral(" dosyası boş, içinde hiçbir tablo yok; hiçbir değişiklik kaydedilmedi.\n\r"
                                          "Dosyayı bir yedekten geri yükleyin.");
}

QString foreignText(const QString &file)
{
    return names({file}) + QStringLiteral(" dosyası bu programın bir veritabanı değil (beklenen tablolar yok); "
                                          "hiçbir değişiklik kaydedilmedi.\n\r"
                                          "Doğru dosyayı yerine koyun ya da dosyayı bir yedekten geri yükleyin.");
}

QString otherText(const QStringList &files, const QString &engineText)
{
    return names(files) + QStringLiteral(" veritabanında bir hata oluştu; işlem tamamlanmadı.") + support(engineText);
}

EngineError forFiles(const QStringList &files, int rc, const QString &engineText)
{
    const QString file = files.size() == 1 ? files.first() : QString();
    const int primary = rc & 0xff;
    switch (primary) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return EngineError(lockedText(files, engineText), primary, file);
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return EngineError(damagedText(files, engineText), primary, file);
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN: return EngineError(readOnlyText(files, engineText), primary, file);
    case SQLITE_FULL:
        return EngineError(names(files) + QStringLiteral(" dosyasına yazılamadı: disk dolu; hiçbir değişiklik kaydedilmedi.\n\r"
                                                         "Diskte yer açıp işlemi yeniden deneyin.")
                               + support(engineText),
                           primary, file);
    default: break;
    }
    return EngineError(otherText(files, engineText), primary, file);
}

EngineError forFile(const QString &file, int rc, const QString &engineText)
{
    return forFiles(QStringList{file}, rc, engineText);
}

EngineError fromHandle(sqlite3 *db, int rc, const QString &engineText)
{
    const auto files = filesOf(db);
    if (files.size() == 1) return forFile(files.first().second, rc, engineText);
    QStringList all;
    for (const auto &f : files) all << f.second;
    const int primary = rc & 0xff;
    QStringList named;
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED) {
        // A file this handle writes cannot be written by another too: the one held
        // elsewhere is among the others. If none is, a reader elsewhere keeps the
        // commit of one we write from finishing; which one cannot be told from here.
        QStringList ours, others;
        for (const auto &f : files)
            (sqlite3_txn_state(db, f.first.toUtf8().constData()) == SQLITE_TXN_WRITE ? ours : others) << f.second;
        for (const QString &f : std::as_const(others))
            if (heldByAnother(f, Probe::Write)) named << f;
        if (named.isEmpty()) named = ours.isEmpty() ? all : ours;
        return EngineError(lockedText(named, engineText), primary, named.size() == 1 ? named.first() : QString());
    }
    if (primary == SQLITE_READONLY) {
        for (const auto &f : files)
            if (sqlite3_db_readonly(db, f.first.toUtf8().constData()) == 1 || !isWritable(f.second)) named << f.second;
        if (named.isEmpty()) named = all;
        return EngineError(readOnlyText(named, engineText), primary, named.size() == 1 ? named.first() : QString());
    }
    return forFiles(all, rc, engineText);
}

QStringList filesInUse(const QStringList &paths)
{
    QStringList out;
    for (const QString &p : paths)
        if (heldByAnother(p, Probe::Write)) out << p;
    if (!out.isEmpty()) return out;
    for (const QString &p : paths)
        if (heldByAnother(p, Probe::Any)) out << p;
    return out;
}

bool isWritable(const QString &path)
{
    const QFileInfo fi(path);
    if (!fi.exists()) return true;
    constexpr auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return fi.isWritable() && (fi.permissions() & anyWrite);
}

} // namespace FileErrors
