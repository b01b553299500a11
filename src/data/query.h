#pragma once
// A SELECT statement assembled line by line and opened as a static, read-only
// snapshot: the rows do not change until the query is opened again.
#include "data/dataset.h"
#include "data/result_set.h"

#include <QStringList>

class Query : public Dataset {
    Q_OBJECT
public:
    explicit Query(QObject *parent = nullptr);
    explicit Query(Connection *c, const QString &name = QString(), QObject *parent = nullptr);

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
    int physicalCount() const override { return m_rows.rowCount(); }
    QVariant storedValue(int phys, int col) const override { return m_rows.value(phys, col); }
    void releaseRows() override { m_rows.clear(); }

private:
    void run();
    QStringList m_sql;
    ResultSet m_rows;
};
