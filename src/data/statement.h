#pragma once
// A thin RAII wrapper over a prepared SQLite statement.
#include <QByteArray>
#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

class Statement {
public:
    Statement() = default;
    Statement(sqlite3 *db, const QString &sql);  // throws EngineError
    ~Statement();
    Statement(Statement &&other) noexcept;
    Statement &operator=(Statement &&other) noexcept;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    sqlite3_stmt *handle() const { return m_stmt; }
    bool isValid() const { return m_stmt != nullptr; }

    void reset();  // resets and clears bindings
    void bindNull(int index);
    void bindInt(int index, qint64 v);
    void bindDouble(int index, double v);
    void bindText(int index, const QString &v);
    void bindBlob(int index, const QByteArray &v);

    bool step();          // true while a row is there; throws EngineError on failure
    void execute();       // steps to the end
    int columnCount() const;

private:
    void check(int rc);
    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_stmt = nullptr;
    bool m_writes = false;  // the statement changes data (part-read queries finish first)
};
