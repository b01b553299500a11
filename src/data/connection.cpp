#include "data/connection.h"
#include "data/pending_reads.h"

#include "data/connection_string.h"
#include "data/dataset.h"
#include "data/engine_error.h"
#include "data/file_errors.h"
#include "data/program_home.h"
#include "data/sql_literals.h"
#include "data/sql_translate.h"
#include "data/turkish_text.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <algorithm>
#include <sqlite3.h>

namespace {

QString textArg(sqlite3_value *v)
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_value_text(v));
    return QString::fromUtf8(p, sqlite3_value_bytes(v));
}

void fnIIf(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    // A null condition takes the false part, as Jet does.
    const bool cond = sqlite3_value_type(argv[0]) != SQLITE_NULL && sqlite3_value_double(argv[0]) != 0.0;
    sqlite3_result_value(ctx, argv[cond ? 1 : 2]);
}

// Part of an ISO date text: YEAR takes chars 0-3, MONTH 5-6, DAY 8-9.
void datePart(sqlite3_context *ctx, sqlite3_value *v, int from, int len)
{
    if (sqlite3_value_type(v) == SQLITE_NULL) { sqlite3_result_null(ctx); return; }
    const auto *p = reinterpret_cast<const char *>(sqlite3_value_text(v));
    const int n = sqlite3_value_bytes(v);
    if (!p || n < from + len) { sqlite3_result_null(ctx); return; }
    int value = 0;
    for (int i = from; i < from + len; ++i) {
        if (p[i] < '0' || p[i] > '9') { sqlite3_result_null(ctx); return; }
        value = value * 10 + (p[i] - '0');
    }
    sqlite3_result_int(ctx, value);
}

void fnYear(sqlite3_context *ctx, int, sqlite3_value **argv) { datePart(ctx, argv[0], 0, 4); }
void fnMonth(sqlite3_context *ctx, int, sqlite3_value **argv) { datePart(ctx, argv[0], 5, 2); }
void fnDay(sqlite3_context *ctx, int, sqlite3_value **argv) { datePart(ctx, argv[0], 8, 2); }

void fnTrLower(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) { sqlite3_result_null(ctx); return; }
    const QByteArray u = turkishFold(textArg(argv[0])).toUtf8();
    sqlite3_result_text(ctx, u.constData(), int(u.size()), SQLITE_TRANSIENT);
}

void deleteFoldedPattern(void *p) { delete static_cast<QString *>(p); }

// x LIKE y calls like(y, x [, escape]); both sides are folded to Turkish small letters.
void fnLike(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    auto *pattern = static_cast<QString *>(sqlite3_get_auxdata(ctx, 0));
    if (!pattern) {
        pattern = new QString(turkishFold(textArg(argv[0])));
        sqlite3_set_auxdata(ctx, 0, pattern, deleteFoldedPattern);
        // SQLite may drop the value at once; then the pattern is folded per row.
        pattern = static_cast<QString *>(sqlite3_get_auxdata(ctx, 0));
    }
    QChar escape;
    if (argc == 3) {
        const QString e = textArg(argv[2]);
        if (e.size() != 1) {
            sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = e[0];
    }
    const QString folded = pattern ? *pattern : turkishFold(textArg(argv[0]));
    sqlite3_result_int(ctx, turkishLike(folded, turkishFold(textArg(argv[1])), escape) ? 1 : 0);
}

int collateTurkish(void *, int la, const void *a, int lb, const void *b)
{
    return turkishCompareUtf8(std::string_view(static_cast<const char *>(a), size_t(la)),
                              std::string_view(static_cast<const char *>(b), size_t(lb)));
}

int collateTurkishNoCase(void *, int la, const void *a, int lb, const void *b)
{
    return turkishFoldCompareUtf8(std::string_view(static_cast<const char *>(a), size_t(la)),
                                  std::string_view(static_cast<const char *>(b), size_t(lb)));
}

} // namespace

Connection::Connection(const QString &name, QObject *parent) : QObject(parent) { setObjectName(name); }

Connection::~Connection()
{
    try {
        close();
    } catch (...) {
    }
}

void Connection::setConnectionString(const QString &s)
{
    if (isOpen()) close();
    m_connectionString = s;
}

QString Connection::filePath() const
{
    QString source = ConnectionString::dataSource(m_connectionString);
    source.replace(u'\\', u'/');
    if (source.isEmpty()) return {};
    if (QFileInfo(source).isAbsolute()) return QDir::cleanPath(source);
    return QDir::cleanPath(ProgramHome::dir() + u'/' + source);
}

void Connection::open()
{
    if (isOpen()) return;
    const QString path = filePath();
    if (path.isEmpty()) throw EngineError(QStringLiteral("Bağlantı cümlesinde veri kaynağı yok."));
    if (!QFileInfo::exists(path))
        throw EngineError(QStringLiteral("'%1' dosyası bulunamadı.").arg(QDir::toNativeSeparators(path)));
    const bool writable = FileErrors::isWritable(path);
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db,
                                   (writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY) | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("SQLite açılamadı");
        sqlite3_close(db);
        throw FileErrors::forFile(path, rc, msg);
    }
    m_db = db;
    try {
        // A file another program holds is waited for a few seconds, then the
        // statement gives up with a message naming the file.
        sqlite3_busy_timeout(m_db, FileErrors::kBusyTimeoutMs);
        // A rollback journal keeps every database file complete on its own, so that
        // a backup of the folder is always a consistent set of files.
        exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
        exec(QStringLiteral("PRAGMA synchronous=FULL"));
        exec(QStringLiteral("PRAGMA cache_size=-32768"));
        // Reading the schema also proves the file is a database.
        exec(QStringLiteral("SELECT count(*) FROM sqlite_master"));
        if (m_kind) {
            const Schema::Inspection in = Schema::inspect(m_db, *m_kind);
            switch (in.state) {
            case Schema::FileState::Empty: throw EngineError(FileErrors::emptyText(path), 0, path);
            case Schema::FileState::Foreign: throw EngineError(FileErrors::foreignText(path), 0, path);
            case Schema::FileState::NeedsUpgrade:
                if (!writable) throw EngineError(FileErrors::readOnlyText({path}, QString()), 0, path);
                Schema::upgrade(m_db, in);
                break;
            case Schema::FileState::Current: break;
            }
        }
        registerFunctions();
    } catch (...) {
        sqlite3_close(m_db);
        m_db = nullptr;
        throw;
    }
    m_schemaLoaded = false;
    ++m_handleGeneration;
    Q_EMIT opened();
}

void Connection::checkFile(const QString &path, Schema::Kind kind, bool integrity, Access access)
{
    const QFileInfo fi(path);
    if (!fi.exists())
        throw EngineError(QStringLiteral("'%1' dosyası bulunamadı.").arg(QDir::toNativeSeparators(path)), 0, path);
    if (fi.size() == 0) throw EngineError(FileErrors::emptyText(path), 0, path);
    const bool writable = FileErrors::isWritable(path);
    if (!writable && access == Access::ReadWrite)
        throw EngineError(FileErrors::readOnlyText({path}, QString()), 0, path);
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db,
                                   (writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY) | SQLITE_OPEN_NOMUTEX, nullptr);
    const auto closeDb = qScopeGuard([&] { sqlite3_close(db); });
    if (rc != SQLITE_OK) throw FileErrors::forFile(path, rc, db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString());
    sqlite3_busy_timeout(db, FileErrors::kBusyTimeoutMs);
    const Schema::Inspection in = Schema::inspect(db, kind);
    if (in.state == Schema::FileState::Empty) throw EngineError(FileErrors::emptyText(path), 0, path);
    if (in.state == Schema::FileState::Foreign) throw EngineError(FileErrors::foreignText(path), 0, path);
    if (!integrity) return;
    Statement st(db, QStringLiteral("PRAGMA quick_check(1)"));
    QString verdict;
    if (st.step()) verdict = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st.handle(), 0)));
    if (verdict != QLatin1String("ok"))
        throw EngineError(FileErrors::damagedText({path}, QStringLiteral("quick_check: ") + verdict), SQLITE_CORRUPT, path);
}

QStringList Connection::foreignObjects(const QString &path, Schema::Kind kind)
{
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    const auto closeDb = qScopeGuard([&] { sqlite3_close(db); });
    if (rc != SQLITE_OK) throw FileErrors::forFile(path, rc, db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString());
    sqlite3_busy_timeout(db, FileErrors::kBusyTimeoutMs);
    return Schema::foreignObjects(db, kind);
}

void Connection::close()
{
    if (isOpen()) Q_EMIT aboutToClose();
    const auto guests = m_guests;
    for (Connection *g : guests) g->leave();
    if (m_host) {
        // A connection joined without a handle of its own closes by leaving its host.
        const auto datasets = m_datasets;
        for (const auto &ds : datasets)
            if (ds) ds->close();
        leave();
        if (!m_db) {
            Q_EMIT closed();
            return;
        }
    }
    if (!m_db) return;
    const auto datasets = m_datasets;
    for (const auto &ds : datasets)
        if (ds) ds->close();
    if (m_depth > 0) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        m_depth = 0;
        m_writtenInTransaction.clear();
    }
    m_cache.clear();
    sqlite3_close(m_db);
    m_db = nullptr;
    m_tables.clear();
    m_textColumns.clear();
    m_schemaLoaded = false;
    ++m_dataVersion;
    Q_EMIT closed();
}

sqlite3 *Connection::handle() const
{
    if (m_host) return m_host->handle();
    if (!m_db) throw EngineError(QStringLiteral("Bağlantı kapalı: %1").arg(objectName()));
    return m_db;
}

void Connection::registerFunctions()
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(m_db, "IIf", 3, flags, nullptr, fnIIf, nullptr, nullptr);
    sqlite3_create_function(m_db, "YEAR", 1, flags, nullptr, fnYear, nullptr, nullptr);
    sqlite3_create_function(m_db, "MONTH", 1, flags, nullptr, fnMonth, nullptr, nullptr);
    sqlite3_create_function(m_db, "DAY", 1, flags, nullptr, fnDay, nullptr, nullptr);
    sqlite3_create_function(m_db, "trlower", 1, flags, nullptr, fnTrLower, nullptr, nullptr);
    sqlite3_create_function(m_db, "like", 2, flags, nullptr, fnLike, nullptr, nullptr);
    sqlite3_create_function(m_db, "like", 3, flags, nullptr, fnLike, nullptr, nullptr);
    sqlite3_create_collation(m_db, kTurkishCollation, SQLITE_UTF8, nullptr, collateTurkish);
    sqlite3_create_collation(m_db, kTurkishNoCaseCollation, SQLITE_UTF8, nullptr, collateTurkishNoCase);
}

Statement &Connection::cached(const QString &sql)
{
    auto &cache = m_host ? m_joinedCache : m_cache;
    auto it = cache.find(sql);
    if (it == cache.end()) it = cache.insert(sql, std::make_shared<Statement>(handle(), sql));
    Statement &st = **it;
    st.reset();
    return st;
}

void Connection::exec(const QString &sql)
{
    // Transactions begin and end here: no query may stay part-read across them.
    PendingReads::finishAll();
    char *err = nullptr;
    sqlite3 *db = handle();
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        const QString msg = QString::fromUtf8(err ? err : sqlite3_errmsg(db));
        sqlite3_free(err);
        throw FileErrors::fromHandle(db, rc, msg);
    }
}

void Connection::loadSchemaInfo()
{
    if (m_schemaLoaded) return;
    m_tables.clear();
    m_textColumns.clear();
    QStringList names;
    {
        Statement st(handle(), QStringLiteral("SELECT name FROM %1sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%'")
                                   .arg(schemaPrefix()));
        while (st.step())
            names << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st.handle(), 0)));
    }
    for (const QString &name : names) {
        QVector<FieldInfo> fields;
        Statement st(handle(), QStringLiteral("PRAGMA %1table_info(\"%2\")").arg(schemaPrefix(), name));
        while (st.step()) {
            const auto *col = reinterpret_cast<const char *>(sqlite3_column_text(st.handle(), 1));
            const auto *type = reinterpret_cast<const char *>(sqlite3_column_text(st.handle(), 2));
            const bool pk = sqlite3_column_int(st.handle(), 5) != 0;
            FieldInfo f = fieldInfoFromDeclaration(QString::fromUtf8(col), QString::fromUtf8(type), pk);
            if (f.isText()) m_textColumns.insert(f.name.toLower());
            fields.append(f);
        }
        m_tables.insert(name.toLower(), fields);
    }
    m_schemaLoaded = true;
}

const QVector<FieldInfo> &Connection::tableFields(const QString &table)
{
    loadSchemaInfo();
    auto it = m_tables.constFind(table.toLower());
    if (it == m_tables.constEnd())
        throw EngineError(QStringLiteral("'%1' tablosu bulunamadı.").arg(table));
    return *it;
}

bool Connection::hasTable(const QString &table)
{
    loadSchemaInfo();
    return m_tables.contains(table.toLower());
}

bool Connection::isTextColumn(const QString &column)
{
    loadSchemaInfo();
    return m_textColumns.contains(column.toLower());
}

QString Connection::translate(const QString &jetSql)
{
    return translateSql(jetSql, [this](const QString &c) { return isTextColumn(c); });
}

void Connection::begin()
{
    if (m_host) {
        m_host->begin();
        return;
    }
    if (m_depth == 0)
        exec(QStringLiteral("BEGIN IMMEDIATE"));
    else
        exec(QStringLiteral("SAVEPOINT sp%1").arg(m_depth));
    ++m_depth;
}

void Connection::commit()
{
    if (m_host) {
        m_host->commit();
        return;
    }
    if (m_depth <= 0) return;
    if (m_depth == 1) {
        exec(QStringLiteral("COMMIT"));
        m_writtenInTransaction.clear();
    } else {
        exec(QStringLiteral("RELEASE sp%1").arg(m_depth - 1));
    }
    --m_depth;
}

void Connection::rollback()
{
    if (m_host) {
        m_host->rollback();
        return;
    }
    if (m_depth <= 0) return;
    // A rollback would abort statements still reading; they read the rest first,
    // as they would have read it at opening.
    PendingReads::finishAll();
    if (m_depth == 1) {
        sqlite3_exec(handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    } else {
        const QByteArray sp = QStringLiteral("ROLLBACK TO sp%1; RELEASE sp%1").arg(m_depth - 1).toUtf8();
        sqlite3_exec(handle(), sp.constData(), nullptr, nullptr, nullptr);
    }
    --m_depth;
    ++m_dataVersion;
    for (Connection *g : std::as_const(m_guests)) ++g->m_dataVersion;
    // Datasets that wrote rows now undone (ours and those of joined files) reload
    // what the files really hold.
    if (m_depth == 0) {
        const auto written = m_writtenInTransaction;
        m_writtenInTransaction.clear();
        for (const auto &ds : written)
            if (ds && ds->isActive()) ds->refresh();
    }
}

void Connection::noteWrite(Dataset *writer)
{
    ++m_dataVersion;
    noteTouched(writer);
}

void Connection::noteTouched(Dataset *writer)
{
    // The transaction belongs to the host while joined: its rollback reloads the dataset.
    if (m_host) {
        m_host->noteTouched(writer);
        return;
    }
    if (m_depth > 0 && writer && !m_writtenInTransaction.contains(writer)) m_writtenInTransaction.append(writer);
}

void Connection::join(Connection *host)
{
    if (!host || host == this || m_host == host) return;
    PendingReads::finishAll();
    if (m_host) throw EngineError(QStringLiteral("%1 başka bir kayda bağlı.").arg(objectName()));
    if (host->m_host) throw EngineError(QStringLiteral("%1 başka bir kayda bağlı.").arg(host->objectName()));
    if (m_depth > 0 || host->inTransaction())
        throw EngineError(QStringLiteral("Bir kayıt sürerken başka bir dosya kayda katılamaz."));
    const QString path = filePath();
    if (path.isEmpty()) throw EngineError(QStringLiteral("Bağlantı cümlesinde veri kaynağı yok."));
    if (!QFileInfo::exists(path))
        throw EngineError(QStringLiteral("'%1' dosyası bulunamadı.").arg(QDir::toNativeSeparators(path)));
    if (!FileErrors::isWritable(path)) throw EngineError(FileErrors::readOnlyText({path}, QString()), 0, path);
    if (!host->isOpen()) host->open();
    // Our own handle must hold no read lock, or the host could not write the file.
    for (const auto &st : std::as_const(m_cache)) st->reset();

    int n = 1;
    QString alias;
    do alias = QStringLiteral("j%1").arg(n++);
    while (std::any_of(host->m_guests.cbegin(), host->m_guests.cend(), [&](Connection *g) { return g->m_alias == alias; }));
    // Failures here concern the file being attached, whatever else the host holds.
    sqlite3 *db = host->handle();
    const auto run = [&](const QString &sql) {
        char *err = nullptr;
        const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err);
        if (rc == SQLITE_OK) return;
        const QString msg = QString::fromUtf8(err ? err : sqlite3_errmsg(db));
        sqlite3_free(err);
        throw FileErrors::forFile(path, rc, msg);
    };
    run(QStringLiteral("ATTACH DATABASE %1 AS %2").arg(sqlText(path), alias));
    try {
        // The same journal and sync rules as a file opened on its own; a rollback
        // journal is what lets SQLite commit several files through a super-journal.
        run(QStringLiteral("PRAGMA %1.journal_mode=DELETE").arg(alias));
        run(QStringLiteral("PRAGMA %1.synchronous=FULL").arg(alias));
        run(QStringLiteral("SELECT count(*) FROM %1.sqlite_master").arg(alias));
    } catch (...) {
        sqlite3_exec(db, QStringLiteral("DETACH DATABASE %1").arg(alias).toUtf8().constData(), nullptr, nullptr, nullptr);
        throw;
    }
    m_host = host;
    m_alias = alias;
    host->m_guests.append(this);
    ++m_handleGeneration;
}

void Connection::leave()
{
    if (!m_host) return;
    PendingReads::finishAll();
    Connection *host = m_host;
    // Statements prepared on the host go first: a file cannot be detached while
    // a statement of it is pending.
    m_joinedCache.clear();
    host->m_guests.removeAll(this);
    if (host->m_db) {
        while (host->m_depth > 0) host->rollback();
        sqlite3_exec(host->m_db, QStringLiteral("DETACH DATABASE %1").arg(m_alias).toUtf8().constData(), nullptr, nullptr,
                     nullptr);
    }
    m_host = nullptr;
    m_alias.clear();
    ++m_dataVersion;
    ++m_handleGeneration;
}

QString Connection::tableRef(const QString &table) const
{
    const QString quotedName = u'"' + QString(table).replace(u'"', QStringLiteral("\"\"")) + u'"';
    return m_host ? m_alias + u'.' + quotedName : quotedName;
}

QString Connection::schemaPrefix() const { return m_host ? m_alias + u'.' : QString(); }

void Connection::attach(Dataset *ds)
{
    if (!m_datasets.contains(ds)) m_datasets.append(ds);
}

void Connection::detach(Dataset *ds) { m_datasets.removeAll(ds); }
