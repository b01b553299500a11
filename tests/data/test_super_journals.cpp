// Super-journals left by saves across files that were killed half-way: the stale
// ones go at start, the ones a hot journal still names stay. The saves are real
// ones, killed in a child process at the moment in question.
#include "data/super_journals.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A VFS over the system's that ends the process when the save reaches a point:
// the super-journal written and synced (the journals do not name it yet), or the
// super-journal about to be deleted (every journal names it).
enum class KillAt { SuperJournalSynced, SuperJournalDeleted };
KillAt g_killAt;
sqlite3_vfs *g_real = nullptr;
sqlite3_vfs g_shim;
sqlite3_io_methods g_methods;

struct ShimFile {
    sqlite3_file base;
    sqlite3_file *real;
    bool super;
};

sqlite3_file *real(sqlite3_file *f) { return reinterpret_cast<ShimFile *>(f)->real; }

int shimClose(sqlite3_file *f) { return real(f)->pMethods->xClose(real(f)); }
int shimRead(sqlite3_file *f, void *b, int n, sqlite3_int64 o) { return real(f)->pMethods->xRead(real(f), b, n, o); }
int shimWrite(sqlite3_file *f, const void *b, int n, sqlite3_int64 o) { return real(f)->pMethods->xWrite(real(f), b, n, o); }
int shimTruncate(sqlite3_file *f, sqlite3_int64 s) { return real(f)->pMethods->xTruncate(real(f), s); }
int shimSync(sqlite3_file *f, int flags)
{
    const int rc = real(f)->pMethods->xSync(real(f), flags);
    if (reinterpret_cast<ShimFile *>(f)->super && g_killAt == KillAt::SuperJournalSynced) _exit(0);
    return rc;
}
int shimFileSize(sqlite3_file *f, sqlite3_int64 *s) { return real(f)->pMethods->xFileSize(real(f), s); }
int shimLock(sqlite3_file *f, int l) { return real(f)->pMethods->xLock(real(f), l); }
int shimUnlock(sqlite3_file *f, int l) { return real(f)->pMethods->xUnlock(real(f), l); }
int shimReserved(sqlite3_file *f, int *r) { return real(f)->pMethods->xCheckReservedLock(real(f), r); }
int shimControl(sqlite3_file *f, int op, void *a) { return real(f)->pMethods->xFileControl(real(f), op, a); }
int shimSector(sqlite3_file *f) { return real(f)->pMethods->xSectorSize(real(f)); }
int shimDevice(sqlite3_file *f) { return real(f)->pMethods->xDeviceCharacteristics(real(f)); }

int shimOpen(sqlite3_vfs *, const char *name, sqlite3_file *file, int flags, int *outFlags)
{
    auto *s = reinterpret_cast<ShimFile *>(file);
    s->real = reinterpret_cast<sqlite3_file *>(s + 1);
    s->super = flags & SQLITE_OPEN_SUPER_JOURNAL;
    const int rc = g_real->xOpen(g_real, name, s->real, flags, outFlags);
    s->base.pMethods = (rc == SQLITE_OK && s->real->pMethods) ? &g_methods : nullptr;
    return rc;
}

int shimDelete(sqlite3_vfs *, const char *name, int syncDir)
{
    if (g_killAt == KillAt::SuperJournalDeleted && strstr(name, "-mj")) _exit(0);
    return g_real->xDelete(g_real, name, syncDir);
}

void registerShim()
{
    g_real = sqlite3_vfs_find(nullptr);
    g_shim = *g_real;
    g_shim.iVersion = qMin(g_real->iVersion, 3);
    g_shim.zName = "kill_at";
    g_shim.szOsFile = int(sizeof(ShimFile)) + g_real->szOsFile;
    g_shim.xOpen = shimOpen;
    g_shim.xDelete = shimDelete;
    g_shim.pNext = nullptr;
    g_methods = {};
    g_methods.iVersion = 1;
    g_methods.xClose = shimClose;
    g_methods.xRead = shimRead;
    g_methods.xWrite = shimWrite;
    g_methods.xTruncate = shimTruncate;
    g_methods.xSync = shimSync;
    g_methods.xFileSize = shimFileSize;
    g_methods.xLock = shimLock;
    g_methods.xUnlock = shimUnlock;
    g_methods.xCheckReservedLock = shimReserved;
    g_methods.xFileControl = shimControl;
    g_methods.xSectorSize = shimSector;
    g_methods.xDeviceCharacteristics = shimDevice;
    sqlite3_vfs_register(&g_shim, 0);
}

bool exec(sqlite3 *db, const QString &sql) { return sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK; }

// Two files of one table each with a row; a save across both, killed at the point.
bool killedSave(const QString &folder, KillAt at)
{
    const QString a = QDir(folder).filePath("A.mdb"), b = QDir(folder).filePath("B.mdb");
    for (const QString &f : {a, b}) {
        sqlite3 *db = nullptr;
        sqlite3_open(QFile::encodeName(f).constData(), &db);
        const bool ok = exec(db, "CREATE TABLE t(x); INSERT INTO t VALUES (1);");
        sqlite3_close(db);
        if (!ok) return false;
    }
    const pid_t child = fork();
    if (child == 0) {
        g_killAt = at;
        registerShim();
        sqlite3 *db = nullptr;
        sqlite3_open_v2(QFile::encodeName(a).constData(), &db, SQLITE_OPEN_READWRITE, "kill_at");
        exec(db, "ATTACH '" + b + "' AS b");
        exec(db, "BEGIN; INSERT INTO main.t VALUES (2); INSERT INTO b.t VALUES (2); COMMIT;");
        _exit(3);  // the save ended without reaching the point
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

QStringList supersIn(const QString &folder)
{
    QStringList out;
    for (const QString &name : QDir(folder).entryList(QDir::Files))
        if (SuperJournals::isSuperJournalName(name)) out << name;
    return out;
}

qint64 rows(const QString &file)
{
    sqlite3 *db = nullptr;
    sqlite3_open(QFile::encodeName(file).constData(), &db);
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, "SELECT COUNT(*) FROM t", -1, &st, nullptr);
    const qint64 n = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int64(st, 0) : -1;
    sqlite3_finalize(st);
    sqlite3_close(db);
    return n;
}

} // namespace

class TestSuperJournals : public QObject {
    Q_OBJECT
private slots:
    void staleOneRemoved();
    void namedOneKept();
    void recentOneAndOtherFilesLeftAlone();
    void damagedJournalNamesNothing();
};

// Killed after the super-journal was synced: the journals are hot but do not name
// it. It is removed; the files still roll back to their last save.
void TestSuperJournals::staleOneRemoved()
{
    QTemporaryDir dir;
    QVERIFY(killedSave(dir.path(), KillAt::SuperJournalSynced));
    const QStringList supers = supersIn(dir.path());
    QCOMPARE(supers.size(), 1);
    QVERIFY(QFile::exists(dir.filePath("A.mdb-journal")));
    QVERIFY(SuperJournals::namedBy(dir.filePath("A.mdb-journal")).isEmpty());
    QCOMPARE(SuperJournals::childrenOf(dir.filePath(supers[0])),
             QStringList({dir.filePath("A.mdb-journal"), dir.filePath("B.mdb-journal")}));
    QCOMPARE(SuperJournals::removeStale({dir.path()}, 0), QStringList{dir.filePath(supers[0])});
    QVERIFY(supersIn(dir.path()).isEmpty());
    QCOMPARE(rows(dir.filePath("A.mdb")), 1);
    QCOMPARE(rows(dir.filePath("B.mdb")), 1);
}

// Killed when the super-journal was about to go: every journal names it, and
// SQLite needs it to roll the save back whole. It stays, and SQLite clears it.
void TestSuperJournals::namedOneKept()
{
    QTemporaryDir dir;
    QVERIFY(killedSave(dir.path(), KillAt::SuperJournalDeleted));
    const QStringList supers = supersIn(dir.path());
    QCOMPARE(supers.size(), 1);
    QCOMPARE(SuperJournals::namedBy(dir.filePath("A.mdb-journal")), dir.filePath(supers[0]));
    QCOMPARE(SuperJournals::namedBy(dir.filePath("B.mdb-journal")), dir.filePath(supers[0]));
    QCOMPARE(SuperJournals::removeStale({dir.path()}, 0), QStringList());
    QCOMPARE(supersIn(dir.path()), supers);
    // Named by one journal alone (the other file's journal elsewhere) it still stays.
    QVERIFY(QFile::rename(dir.filePath("B.mdb-journal"), dir.filePath("B.kept")));
    QCOMPARE(SuperJournals::removeStale({dir.path()}, 0), QStringList());
    QVERIFY(QFile::rename(dir.filePath("B.kept"), dir.filePath("B.mdb-journal")));
    QCOMPARE(rows(dir.filePath("A.mdb")), 1);
    QCOMPARE(rows(dir.filePath("B.mdb")), 1);
}

// A super-journal younger than the age given may belong to a save going on in
// another program; files that merely look alike are not touched.
void TestSuperJournals::recentOneAndOtherFilesLeftAlone()
{
    QTemporaryDir dir;
    QVERIFY(killedSave(dir.path(), KillAt::SuperJournalSynced));
    const QStringList supers = supersIn(dir.path());
    QCOMPARE(supers.size(), 1);
    for (const char *name : {"A.mdb-mjnotlikethis", "A.mdb-mj0000009", "notes.txt"}) {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
    }
    QCOMPARE(SuperJournals::removeStale({dir.path()}), QStringList());
    QCOMPARE(supersIn(dir.path()), supers);
    QFile old(dir.filePath(supers[0]));
    QVERIFY(old.open(QIODevice::ReadWrite));
    QVERIFY(old.setFileTime(QDateTime::currentDateTime().addSecs(-600), QFileDevice::FileModificationTime));
    old.close();
    QCOMPARE(SuperJournals::removeStale({dir.path()}).size(), 1);
    for (const char *name : {"A.mdb-mjnotlikethis", "A.mdb-mj0000009", "notes.txt"}) QVERIFY(QFile::exists(dir.filePath(name)));
}

// A journal whose record at the end is damaged (checksum, magic, length) names nothing.
void TestSuperJournals::damagedJournalNamesNothing()
{
    QTemporaryDir dir;
    QVERIFY(killedSave(dir.path(), KillAt::SuperJournalDeleted));
    QFile j(dir.filePath("A.mdb-journal"));
    QVERIFY(j.open(QIODevice::ReadOnly));
    const QByteArray good = j.readAll();
    j.close();
    const QString journal = dir.filePath("copy-journal");
    const auto named = [&](QByteArray bytes) {
        QFile f(journal);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        f.close();
        return SuperJournals::namedBy(journal);
    };
    QVERIFY(!named(good).isEmpty());
    QByteArray bad = good;
    bad[bad.size() - 20] = char(bad[bad.size() - 20] ^ 1);  // the name's last byte: checksum fails
    QVERIFY(named(bad).isEmpty());
    bad = good;
    bad[bad.size() - 1] = 0;  // the magic
    QVERIFY(named(bad).isEmpty());
    bad = good;
    bad[bad.size() - 16] = char(0x7f);  // a length past the file
    QVERIFY(named(bad).isEmpty());
    QVERIFY(named(good.left(10)).isEmpty());
}

QTEST_GUILESS_MAIN(TestSuperJournals)
#include "test_super_journals.moc"
