#include "data/transaction.h"

#include "data/connection.h"
#include "data/engine_error.h"
#include "data/file_errors.h"

#include <sqlite3.h>

namespace {

// A save that met a file held by another program, told once every file of the
// save is rolled back and let go: which file is held, and that nothing was saved.
[[noreturn]] void rethrowNamingTheFileInUse(const EngineError &e, const QStringList &files)
{
    if (e.code() == SQLITE_BUSY || e.code() == SQLITE_LOCKED) {
        const QStringList inUse = FileErrors::filesInUse(files);
        if (!inUse.isEmpty())
            throw EngineError(FileErrors::lockedText(inUse, QStringLiteral("database is locked")), e.code(),
                              inUse.size() == 1 ? inUse.first() : QString());
    }
    throw e;
}

// The exception being handled, with a file in use named (see above).
[[noreturn]] void rethrowCurrent(const QStringList &files)
{
    try {
        throw;
    } catch (const EngineError &e) {
        rethrowNamingTheFileInUse(e, files);
    }
}

} // namespace

TransactionScope::TransactionScope(std::initializer_list<Connection *> connections)
    : TransactionScope(QList<Connection *>(connections))
{
}

TransactionScope::TransactionScope(const QList<Connection *> &connections)
{
    QList<Connection *> files;
    for (Connection *c : connections)
        if (c && !files.contains(c)) files.append(c);
    if (files.isEmpty()) {
        m_done = true;
        return;
    }
    // A file already joined to another (an outer scope's save) runs on that handle.
    m_host = files.first()->isJoined() ? files.first()->host() : files.first();
    for (Connection *c : std::as_const(files)) m_files << c->filePath();
    if (!m_files.contains(m_host->filePath())) m_files.prepend(m_host->filePath());
    try {
        if (!m_host->isOpen()) m_host->open();
        for (Connection *c : std::as_const(files)) {
            if (c == m_host || c->host() == m_host) continue;
            c->join(m_host);
            m_joined.append(c);
        }
        m_host->begin();
    } catch (...) {
        leaveJoined();
        m_done = true;
        rethrowCurrent(m_files);
    }
}

TransactionScope::~TransactionScope()
{
    if (!m_done) {
        try {
            rollback();
        } catch (...) {
        }
    }
}

void TransactionScope::commit()
{
    if (m_done) return;
    m_done = true;
    try {
        m_host->commit();
    } catch (...) {
        // A commit that failed (a full disk, a file in use) leaves the transaction
        // open: undo it in every file.
        try {
            m_host->rollback();
        } catch (...) {
        }
        leaveJoined();
        rethrowCurrent(m_files);
    }
    leaveJoined();
}

void TransactionScope::rollback()
{
    if (m_done) return;
    m_done = true;
    if (m_host->isOpen()) m_host->rollback();
    leaveJoined();
}

void TransactionScope::leaveJoined()
{
    for (auto it = m_joined.rbegin(); it != m_joined.rend(); ++it) (*it)->leave();
    m_joined.clear();
}
