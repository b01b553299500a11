#pragma once
// A SELECT statement assembled line by line and opened as a static, read-only
// snapshot: the rows do not change until the query is opened again.
//
// The rows are read from the statement as they are needed: opening reads the
// first, a grid reads a screenful more as it scrolls (fetchMore), and whatever
// needs every row (the record count, last, locate, a record filter, a printout
// walking the rows) reads the rest. Before anything writes, a part-read query
// reads the rest too (PendingReads), so the snapshot stays the one of the moment
// it was opened. While the program waits for the user, the rest is read a few
// milliseconds at a time on the event loop, so that no file stays locked for long by a list
// that is only looked at.
#include "data/dataset.h"
#include "data/pending_reads.h"
#include "data/result_set.h"
#include "data/statement.h"

#include <QStringList>
#include <memory>

class Query : public Dataset, private PendingReader {
    Q_OBJECT
public:
    explicit Query(QObject *parent = nullptr);
    explicit Query(Connection *c, const QString &name = QString(), QObject *parent = nullptr);
    ~Query() override;

    // The statement's lines; the engine receives them joined by line breaks.
    QStringList &sql() { return m_sql; }
    void setSql(const QString &text);
    QString sqlText() const { return m_sql.join(u'\n'); }

    void open() override;    // nothing happens when already open
    // Closes the query, replaces its lines and opens it again: a list rebuilt with
    // new conditions in one call.
    void reopen(const QStringList &lines);
    void refresh() override; // runs the statement again, keeping the row number

protected:
    int physicalCount() const override;
    int fetchedCount() const override { return m_rows.rowCount(); }
    bool fetchPhysical(int phys) const override;
    bool readingPending() const override { return m_live != nullptr; }
    bool readsOnDemand() const override { return true; }
    QVariant storedValue(int phys, int col) const override;
    void releaseRows() override;

private:
    void run();
    // Steps the statement until rows rows are read or it ends. Throws EngineError
    // when the engine fails; the rows read so far stay.
    void readUpTo(int rows) const;
    void finishReading() noexcept override;
    void stopReading() const;
    void readWhileIdle();  // queues the next block of the rest on the event loop

    QStringList m_sql;
    mutable ResultSet m_rows;
    mutable std::unique_ptr<Statement> m_live;  // the statement while rows remain unread
    bool m_idleQueued = false;
};
