#include "accounts/movement_writer.h"

#include "data/connection.h"
#include "data/engine_error.h"
#include "data/field_value.h"

#include <sqlite3.h>

namespace MovementWriter {
namespace {

const QString kTable = QStringLiteral("carihareket");

QString quotedName(const QString &name) { return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"'; }

const FieldInfo &fieldOf(Connection &cash, const QString &name)
{
    for (const FieldInfo &f : cash.tableFields(kTable))
        if (f.name.compare(name, Qt::CaseInsensitive) == 0) return f;
    throw EngineError(QStringLiteral("Cari hareket tablosunda \"%1\" alanı yok.").arg(name));
}

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
    const QString table = cash.tableRef(kTable);
    Posted result;
    qint64 found = 0;
    if (!key.isEmpty()) {
        const Condition c = conditionOf(cash, key);
        Statement &find = cash.cached(QStringLiteral("SELECT chid FROM %1 WHERE %2 ORDER BY chid LIMIT 1")
                                          .arg(table, c.text));
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
            Statement &st = cash.cached(QStringLiteral("UPDATE %1 SET %2 WHERE chid=?").arg(table, sets.join(u',')));
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

int remove(Connection &cash, const Fields &key)
{
    if (key.isEmpty()) return 0;  // never every movement
    const Condition c = conditionOf(cash, key);
    Statement &st = cash.cached(QStringLiteral("DELETE FROM %1 WHERE %2").arg(cash.tableRef(kTable), c.text));
    bindKey(cash, st, key, c, 1);
    st.execute();
    const int n = sqlite3_changes(cash.handle());
    if (n > 0) cash.noteWrite(nullptr);
    return n;
}

} // namespace MovementWriter
