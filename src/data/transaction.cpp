#include "data/transaction.h"

#include "data/connection.h"

TransactionScope::TransactionScope(std::initializer_list<Connection *> connections)
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
        throw;
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
        throw;
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
