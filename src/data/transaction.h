#pragma once
// One transaction per database file around a save that writes several rows: either
// every row lands or none does. Commit explicitly; leaving the scope without a
// commit (an exception, a failed post, an early return) rolls every file back.
#include <QList>
#include <initializer_list>

class Connection;

class TransactionScope {
public:
    TransactionScope(std::initializer_list<Connection *> connections);
    ~TransactionScope();
    TransactionScope(const TransactionScope &) = delete;
    TransactionScope &operator=(const TransactionScope &) = delete;

    void commit();
    void rollback();

private:
    QList<Connection *> m_connections;
    bool m_done = false;
};
