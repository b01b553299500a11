#include "accounts/movement_writer.h"

#include "data/connection.h"
#include "data/engine_error.h"
#include "data/field_value.h"

#include <sqlite3.h>

namespace MovementWriter {
namespace {

const QString kTable = QStringLiteral("carihareket");

QString quotedName(const QString &name) { return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"'; }

// The table the current write goes to (carihareket, or nakit for a collection's row).
thread_local QString t_table = kTable;

const FieldInfo &fieldOf(Connection &cash, const QString &name)
{
    for (const FieldInfo &f : cash.tableFields(t_table))
        if (f.name.compare(name, Qt::CaseInsensitive) == 0) return f;
    throw EngineError(QStringLiteral("\"%1\" tablosunda \"%2\" alanı yok.").arg(t_table, name));
}

struct TableOfWrite {
    QString before;
    explicit TableOfWrite(const QString &table) : before(t_table) { t_table = table; }
    ~TableOfWrite() { t_table = before; }
};

// A value converted to the field's type as the tables do, then bound.
void bind(Statement &st, int index, const QVariant &value, const FieldInfo &f)
{
    FieldValue::bind(st, index, FieldValue::normalize(value, f), f);
}

bool isEmpty(const QVariant &v) { return !v.isValid() || v.isNull(); }

// "a=?1 AND b IS NULL": the condition of a key, with the marks its values bind to.
struct Condition {
    QString text;
    QVector<int> bound;  // indexes into the key of the values bound, in order
};

Condition conditionOf(Connection &cash, const Fields &key)
{
    Condition c;
    QStringList parts;
    for (int i = 0; i < key.size(); ++i) {
        const FieldInfo &f = fieldOf(cash, key[i].name);
        if (isEmpty(FieldValue::normalize(key[i].value, f))) {
            parts << quotedName(f.name) + QStringLiteral(" IS NULL");
        } else {
            c.bound << i;
            parts << quotedName(f.name) + QStringLiteral("=?");
        }
    }
    c.text = parts.join(QStringLiteral(" AND "));
    return c;
}

void bindKey(Connection &cash, Statement &st, const Fields &key, const Condition &c, int first)
{
    for (int j = 0; j < c.bound.size(); ++j) {
        const Field &k = key[c.bound[j]];
        bind(st, first + j, k.value, fieldOf(cash, k.name));
    }
}

} // namespace

Posted post(Connection &cash, const Fields &key, const Fields &values)
{
    return postRow(cash, kTable, QStringLiteral("chid"), key, values);
}

int remove(Connection &cash, const Fields &key) { return removeRows(cash, kTable, key); }

Posted postRow(Connection &db, const QString &tableName, const QString &idField, const Fields &key, const Fields &values)
{
    TableOfWrite of(tableName);
    Connection &cash = db;
    const QString table = cash.tableRef(tableName);
    Posted result;
    qint64 found = 0;
    if (!key.isEmpty()) {
        const Condition c = conditionOf(cash, key);
        Statement &find = cash.cached(QStringLiteral("SELECT %3 FROM %1 WHERE %2 ORDER BY %3 LIMIT 1")
                                          .arg(table, c.text, idField));
        bindKey(cash, find, key, c, 1);
        if (find.step()) found = sqlite3_column_int64(find.handle(), 0);
        find.reset();
    }

    // An appended movement carries its key; a value given for a key field wins.
    Fields written = values;
    if (!found)
        for (const Field &k : key) {
            bool given = false;
            for (const Field &v : values)
                if (v.name.compare(k.name, Qt::CaseInsensitive) == 0) given = true;
            if (!given) written << k;
        }

    QStringList names;
    for (const Field &v : written) names << quotedName(fieldOf(cash, v.name).name);
    if (found) {
        if (!written.isEmpty()) {
            QStringList sets;
            for (const QString &n : names) sets << n + QStringLiteral("=?");
            Statement &st = cash.cached(QStringLiteral("UPDATE %1 SET %2 WHERE %3=?").arg(table, sets.join(u','), idField));
            for (int i = 0; i < written.size(); ++i) bind(st, i + 1, written[i].value, fieldOf(cash, written[i].name));
            st.bindInt(int(written.size()) + 1, found);
            st.execute();
        }
        result.id = found;
    } else {
        QString sql;
        if (written.isEmpty()) {
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table);
        } else {
            QStringList marks;
            for (int i = 0; i < written.size(); ++i) marks << QStringLiteral("?");
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, names.join(u','), marks.join(u','));
        }
        Statement &st = cash.cached(sql);
        for (int i = 0; i < written.size(); ++i) bind(st, i + 1, written[i].value, fieldOf(cash, written[i].name));
        st.execute();
        result.id = sqlite3_last_insert_rowid(cash.handle());
        result.appended = true;
    }
    cash.noteWrite(nullptr);
    return result;
}

int removeRows(Connection &cash, const QString &tableName, const Fields &key)
{
    if (key.isEmpty()) return 0;  // never every movement
    TableOfWrite of(tableName);
    const Condition c = conditionOf(cash, key);
    Statement &st = cash.cached(QStringLiteral("DELETE FROM %1 WHERE %2").arg(cash.tableRef(tableName), c.text));
    bindKey(cash, st, key, c, 1);
    st.execute();
    const int n = sqlite3_changes(cash.handle());
    if (n > 0) cash.noteWrite(nullptr);
    return n;
}

} // namespace MovementWriter
