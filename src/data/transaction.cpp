#include "data/transaction.h"

#include "data/connection.h"

TransactionScope::TransactionScope(std::initializer_list<Connection *> connections)
{
    try {
        for (Connection *c : connections) {
            if (!c || m_connections.contains(c)) continue;
            if (!c->isOpen()) c->open();
            c->begin();
            m_connections.append(c);
        }
    } catch (...) {
        rollback();
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
    // Files are committed in the order given; the first failure rolls back the rest.
    for (qsizetype i = 0; i < m_connections.size(); ++i) {
        try {
            m_connections[i]->commit();
        } catch (...) {
            for (qsizetype j = i; j < m_connections.size(); ++j) m_connections[j]->rollback();
            m_done = true;
            throw;
        }
    }
    m_done = true;
}

void TransactionScope::rollback()
{
    if (m_done) return;
    for (auto it = m_connections.rbegin(); it != m_connections.rend(); ++it)
        if ((*it)->isOpen()) (*it)->rollback();
    m_done = true;
}
