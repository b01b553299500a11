#pragma once
// A connection to one database file, driven by a Jet-style connection string of
// which only "Data Source" is used (relative to the program home, or absolute).
// Every connection registers the functions the program's statements use: IIf,
// YEAR, MONTH, DAY, a LIKE that folds Turkish case, trlower, and the Turkish
// collation used when ordering by a text column.
#include "data/field_info.h"
#include "data/schema.h"
#include "data/statement.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QVector>
#include <memory>
#include <optional>

class Dataset;

class Connection : public QObject {
    Q_OBJECT
public:
    explicit Connection(const QString &name = QString(), QObject *parent = nullptr);
    ~Connection() override;

    void setConnectionString(const QString &s);  // closes first when open
    QString connectionString() const { return m_connectionString; }
    // The file behind the data source, resolved against the program home.
    QString filePath() const;

    // The kind of database the connection holds. When set, open() refuses an
    // empty or foreign file and brings an older or hand-made one up to the
    // current schema (Schema::upgrade).
    void setSchemaKind(Schema::Kind kind) { m_kind = kind; }
    std::optional<Schema::Kind> schemaKind() const { return m_kind; }

    // Throws EngineError; a missing file is an error, never created. A file marked
    // read-only is opened for reading; writes to it fail with a message naming it.
    void open();
    void close();  // closes every dataset on this connection first
    bool isOpen() const { return m_db != nullptr || m_host != nullptr; }
    // The handle statements run on: the host's while joined, else our own. Throws when closed.
    sqlite3 *handle() const;

    // A save that writes several files joins the other files to the first one's
    // handle (ATTACH DATABASE), so one transaction spans them all and SQLite's
    // super-journal commits them together or not at all. While joined, every
    // statement of this connection and its datasets runs on the host's handle;
    // tableRef() names our tables under our schema there. join() refuses while
    // either side is inside a transaction (files cannot be attached then).
    void join(Connection *host);
    void leave();
    bool isJoined() const { return m_host != nullptr; }
    Connection *host() const { return m_host; }
    // "table" on our own handle, "alias"."table" while joined.
    QString tableRef(const QString &table) const;
    // "" on our own handle, "alias". while joined (for PRAGMA schema.x).
    QString schemaPrefix() const;
    // Changes whenever the handle statements run on changes (join, leave, reopen),
    // so that datasets drop statement texts built for the other handle.
    quint64 handleGeneration() const { return m_handleGeneration; }

    // Checks a file before it is opened for work, on a handle of its own: it must
    // exist, not be empty, be writable, be a database of the kind (an older one
    // with some of the kind's tables is fine: open() brings it up) and, with
    // integrity, pass SQLite's quick_check. A file only read (a template) may be
    // read-only. Throws EngineError with a Turkish message naming the file; writes
    // nothing.
    enum class Access { ReadWrite, ReadOnly };
    static void checkFile(const QString &path, Schema::Kind kind, bool integrity, Access access = Access::ReadWrite);
    // The triggers, views and tables of the file that the kind's schema lacks (see
    // Schema::foreignObjects); the file is only read. Throws EngineError.
    static QStringList foreignObjects(const QString &path, Schema::Kind kind);

    // Statements the adapter runs itself (prepared once, kept for the connection's life).
    Statement &cached(const QString &sql);
    void exec(const QString &sql);

    // Jet dialect -> SQLite dialect for this database.
    QString translate(const QString &jetSql);

    // Fields of a table in their stored order; throws for an unknown table.
    const QVector<FieldInfo> &tableFields(const QString &table);
    bool hasTable(const QString &table);
    bool isTextColumn(const QString &column);

    // Transactions: nested scopes share one SQLite transaction (savepoints inside).
    void begin();
    void commit();
    void rollback();
    bool inTransaction() const { return m_host ? m_host->inTransaction() : m_depth > 0; }

    // Bumped by every write through this connection, so that cached rows are refetched.
    quint64 dataVersion() const { return m_dataVersion; }
    void noteWrite(Dataset *writer);
    // A dataset began a row inside a transaction: a rollback reloads it too.
    void noteTouched(Dataset *writer);

    void attach(Dataset *ds);
    void detach(Dataset *ds);

Q_SIGNALS:
    void opened();
    // Before close() closes the datasets: a window may keep what is being typed.
    void aboutToClose();
    void closed();

private:
    void registerFunctions();
    void loadSchemaInfo();

    QString m_connectionString;
    std::optional<Schema::Kind> m_kind;
    sqlite3 *m_db = nullptr;
    QHash<QString, std::shared_ptr<Statement>> m_cache;
    QHash<QString, std::shared_ptr<Statement>> m_joinedCache;  // prepared on the host's handle
    Connection *m_host = nullptr;
    QString m_alias;
    QList<Connection *> m_guests;
    quint64 m_handleGeneration = 0;
    QHash<QString, QVector<FieldInfo>> m_tables;  // lower-case table name -> fields
    QSet<QString> m_textColumns;                  // lower-case column names
    bool m_schemaLoaded = false;
    int m_depth = 0;
    quint64 m_dataVersion = 0;
    QList<QPointer<Dataset>> m_datasets;
    QList<QPointer<Dataset>> m_writtenInTransaction;
};
