#include "data/query.h"

#include "data/connection.h"
#include "data/engine_error.h"
#include "data/file_errors.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtDebug>
#include <climits>
#include <sqlite3.h>

Query::Query(QObject *parent) : Dataset(parent) {}

Query::Query(Connection *c, const QString &name, QObject *parent) : Dataset(parent)
{
    setObjectName(name);
    setConnection(c);
}

Query::~Query() { stopReading(); }

void Query::setSql(const QString &text)
{
    m_sql = text.split(u'\n');
}

void Query::run()
{
    if (!m_connection) throw EngineError(QStringLiteral("%1: bağlantı yok.").arg(objectName()));
    if (!m_connection->isOpen()) m_connection->open();
    stopReading();
    auto st = std::make_unique<Statement>(m_connection->handle(), m_connection->translate(sqlText()));
    // Queries only read: every change goes through table access.
    if (!sqlite3_stmt_readonly(st->handle()))
        throw EngineError(QStringLiteral("Sorgu veri değiştiremez: %1").arg(sqlText()));
    const int n = st->columnCount();
    QVector<FieldInfo> fields;
    fields.reserve(n);
    for (int c = 0; c < n; ++c) {
        const char *decl = sqlite3_column_decltype(st->handle(), c);
        fields << fieldInfoFromDeclaration(QString::fromUtf8(sqlite3_column_name(st->handle(), c)),
                                           QString::fromUtf8(decl ? decl : ""), false);
    }
    m_rows.start(fields);
    setStoredFields(fields);
    m_live = std::move(st);
    PendingReads::add(this);
    // The first row is read at once: a statement the engine cannot run fails here.
    readUpTo(1);
    readWhileIdle();
}

void Query::readWhileIdle()
{
    if (!m_live || m_idleQueued) return;
    m_idleQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_idleQueued = false;
        if (!m_live) return;
        // A turn reads for a few milliseconds, not a number of rows: a statement
        // whose condition holds for few rows steps far between them, and the window
        // must stay responsive (its first paint comes after the first turn).
        constexpr qint64 kTurnNs = 8'000'000;
        constexpr int kStep = 64;
        QElapsedTimer turn;
        turn.start();
        try {
            while (m_live && turn.nsecsElapsed() < kTurnNs) readUpTo(m_rows.rowCount() + kStep);
        } catch (const EngineError &e) {
            qWarning("%s: %s", qPrintable(objectName()), qPrintable(e.message()));
        }
        readWhileIdle();
    });
}

void Query::readUpTo(int rows) const
{
    if (!m_live) return;
    sqlite3_stmt *h = m_live->handle();
    while (m_rows.rowCount() < rows) {
        const int rc = sqlite3_step(h);
        if (rc == SQLITE_ROW) {
            m_rows.appendRow(h);
            continue;
        }
        if (rc == SQLITE_DONE) {
            stopReading();
            return;
        }
        sqlite3 *db = sqlite3_db_handle(h);
        const QString msg = QString::fromUtf8(sqlite3_errmsg(db));
        stopReading();
        throw FileErrors::fromHandle(db, rc, msg);
    }
}

void Query::stopReading() const
{
    // The statement goes with its read lock.
    if (!m_live) return;
    m_live.reset();
    PendingReads::remove(const_cast<Query *>(this));
}

void Query::finishReading() noexcept
{
    try {
        readUpTo(INT_MAX);
    } catch (const EngineError &e) {
        qWarning("%s: %s", qPrintable(objectName()), qPrintable(e.message()));
    }
    stopReading();
}

int Query::physicalCount() const
{
    readUpTo(INT_MAX);
    return m_rows.rowCount();
}

bool Query::fetchPhysical(int phys) const
{
    if (phys < 0) return false;
    if (phys >= m_rows.rowCount()) readUpTo(phys + 1);
    return phys < m_rows.rowCount();
}

QVariant Query::storedValue(int phys, int col) const
{
    if (phys >= m_rows.rowCount()) readUpTo(phys + 1);
    if (phys < 0 || phys >= m_rows.rowCount()) return {};
    return m_rows.value(phys, col);
}

void Query::releaseRows()
{
    stopReading();
    m_rows.clear();
}

void Query::open()
{
    if (isActive()) return;
    run();
    afterOpen();
}

void Query::reopen(const QStringList &lines)
{
    close();
    m_sql = lines;
    open();
}

void Query::refresh()
{
    if (!isActive()) {
        open();
        return;
    }
    const int row = m_pos;
    run();
    rebuildVisible();
    notifyReset();
    setPosition(row);
}
