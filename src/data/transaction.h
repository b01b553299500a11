#pragma once
// One transaction around a save that writes several rows, in one file or several:
// either every row of every file lands or none does. The first connection is the
// host; the other files are joined to its handle for the save (ATTACH DATABASE),
// so SQLite commits them all through one super-journal, even when the program is
// killed at any instant. Commit explicitly; leaving the scope without a commit (an
// exception, a failed post, an early return) rolls every file back.
#include <QList>
#include <QStringList>
#include <initializer_list>

class Connection;

class TransactionScope {
public:
    TransactionScope(std::initializer_list<Connection *> connections);
    explicit TransactionScope(const QList<Connection *> &connections);
    ~TransactionScope();
    TransactionScope(const TransactionScope &) = delete;
    TransactionScope &operator=(const TransactionScope &) = delete;

    void commit();
    void rollback();

private:
    void leaveJoined();

    Connection *m_host = nullptr;
    QList<Connection *> m_joined;  // the files this scope joined to the host
    QStringList m_files;           // every file of the save, for telling which one is in use
    bool m_done = false;
};
