#include "data/query.h"

#include "data/connection.h"
#include "data/engine_error.h"

#include <sqlite3.h>

Query::Query(QObject *parent) : Dataset(parent) {}

Query::Query(Connection *c, const QString &name, QObject *parent) : Dataset(parent)
{
    setObjectName(name);
    setConnection(c);
}

void Query::setSql(const QString &text)
{
    m_sql = text.split(u'\n');
}

void Query::run()
{
    if (!m_connection) throw EngineError(QStringLiteral("%1: bağlantı yok.").arg(objectName()));
    if (!m_connection->isOpen()) m_connection->open();
    Statement st(m_connection->handle(), m_connection->translate(sqlText()));
    // Queries only read: every change goes through table access.
    if (!sqlite3_stmt_readonly(st.handle()))
        throw EngineError(QStringLiteral("Sorgu veri değiştiremez: %1").arg(sqlText()));
    const int n = st.columnCount();
    QVector<FieldInfo> fields;
    fields.reserve(n);
    for (int c = 0; c < n; ++c) {
        const char *decl = sqlite3_column_decltype(st.handle(), c);
        fields << fieldInfoFromDeclaration(QString::fromUtf8(sqlite3_column_name(st.handle(), c)),
                                           QString::fromUtf8(decl ? decl : ""), false);
    }
    const bool hasRow = st.step();
    m_rows.readAll(st.handle(), hasRow, fields);
    setStoredFields(fields);
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
