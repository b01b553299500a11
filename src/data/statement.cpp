#include "data/statement.h"

#include "data/engine_error.h"
#include "data/file_errors.h"
#include "data/pending_reads.h"

#include <sqlite3.h>

Statement::Statement(sqlite3 *db, const QString &sql) : m_db(db)
{
    const QByteArray utf8 = sql.toUtf8();
    const char *tail = nullptr;
    const int rc = sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &m_stmt, &tail);
    if (rc != SQLITE_OK) {
        const QString msg = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throw FileErrors::fromHandle(db, rc, msg);
    }
    if (!m_stmt) throw EngineError(QStringLiteral("Boş SQL cümlesi"));
    m_writes = !sqlite3_stmt_readonly(m_stmt);
    // One statement only: whatever follows the first statement must be blank.
    for (const char *p = tail; p && *p; ++p) {
        if (*p != ' ' && *p != '\n' && *p != '\r' && *p != '\t' && *p != ';') {
            sqlite3_finalize(m_stmt);
            m_stmt = nullptr;
            throw EngineError(QStringLiteral("SQL cümlesinin sonunda fazladan karakterler var."));
        }
    }
}

Statement::~Statement() { sqlite3_finalize(m_stmt); }

Statement::Statement(Statement &&o) noexcept : m_db(o.m_db), m_stmt(o.m_stmt), m_writes(o.m_writes) { o.m_stmt = nullptr; }

Statement &Statement::operator=(Statement &&o) noexcept
{
    if (this != &o) {
        sqlite3_finalize(m_stmt);
        m_db = o.m_db;
        m_stmt = o.m_stmt;
        m_writes = o.m_writes;
        o.m_stmt = nullptr;
    }
    return *this;
}

void Statement::check(int rc)
{
    if (rc != SQLITE_OK) throw FileErrors::fromHandle(m_db, rc, QString::fromUtf8(sqlite3_errmsg(m_db)));
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

void Statement::bindNull(int i) { check(sqlite3_bind_null(m_stmt, i)); }
void Statement::bindInt(int i, qint64 v) { check(sqlite3_bind_int64(m_stmt, i, v)); }
void Statement::bindDouble(int i, double v) { check(sqlite3_bind_double(m_stmt, i, v)); }

void Statement::bindText(int i, const QString &v)
{
    const QByteArray u = v.toUtf8();
    check(sqlite3_bind_text(m_stmt, i, u.constData(), int(u.size()), SQLITE_TRANSIENT));
}

void Statement::bindBlob(int i, const QByteArray &v)
{
    check(sqlite3_bind_blob(m_stmt, i, v.constData(), int(v.size()), SQLITE_TRANSIENT));
}

bool Statement::step()
{
    if (m_writes && PendingReads::any()) PendingReads::finishAll();
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    const QString msg = QString::fromUtf8(sqlite3_errmsg(m_db));
    // Reset first: a failed statement outside a transaction then holds no lock,
    // and the file another program holds can be told apart from ours.
    sqlite3_reset(m_stmt);
    throw FileErrors::fromHandle(m_db, rc, msg);
}

void Statement::execute()
{
    while (step()) {}
    sqlite3_reset(m_stmt);
}

int Statement::columnCount() const { return sqlite3_column_count(m_stmt); }
