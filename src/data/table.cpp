#include "data/table.h"

#include "data/connection.h"
#include "data/engine_error.h"
#include "data/field_value.h"
#include "data/schema.h"
#include "data/sql_translate.h"
#include "data/statement.h"
#include "data/turkish_text.h"

#include <algorithm>
#include <sqlite3.h>
#include <unordered_set>

namespace {
constexpr int kBlock = 64;

QString quoted(const QString &name) { return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"'; }
} // namespace

Table::Table(QObject *parent) : Dataset(parent) {}

Table::Table(Connection *c, const QString &tableName, const QString &indexName, const QString &objectName,
             QObject *parent)
    : Dataset(parent)
{
    setObjectName(objectName.isEmpty() ? tableName : objectName);
    setConnection(c);
    m_table = tableName;
    m_indexName = indexName;
}

void Table::setTableName(const QString &name)
{
    if (isActive()) close();
    m_table = name;
}

void Table::setIndexName(const QString &name)
{
    m_indexName = name;
    m_indexFields.clear();
    if (isActive()) refresh();
}

void Table::setIndexFieldNames(const QString &fields)
{
    m_indexFields = fields;
    m_indexName.clear();
    if (isActive()) refresh();
}

void Table::setMasterLink(const QString &field, const QVariant &value)
{
    m_linkField = field;
    m_linkValue = value;
    m_linked = true;
    if (isActive()) {
        checkBrowseMode();
        loadKeys();
        afterOpen();
    }
}

void Table::clearMasterLink()
{
    m_linked = false;
    if (isActive()) {
        checkBrowseMode();
        loadKeys();
        afterOpen();
    }
}

QString Table::orderClause()
{
    QStringList fields;
    if (!m_indexFields.isEmpty()) {
        fields = m_indexFields.split(u';', Qt::SkipEmptyParts);
    } else if (!m_indexName.isEmpty() && m_indexName != QLatin1String("PrimaryKey")) {
        // The named index's columns, read from the file itself.
        Statement st(m_connection->handle(),
                     QStringLiteral("PRAGMA %1index_info(%2)").arg(m_connection->schemaPrefix(), quoted(Schema::sqliteIndexName(m_table, m_indexName))));
        while (st.step())
            fields << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st.handle(), 2)));
        if (fields.isEmpty()) {
            if (fieldIndex(m_indexName) < 0)
                throw EngineError(QStringLiteral("%1 tablosunda '%2' dizini yok.").arg(m_table, m_indexName));
            fields << m_indexName;
        }
    }
    QStringList terms;
    for (const QString &f : fields) {
        const int col = fieldIndex(f.trimmed());
        if (col < 0) throw EngineError(QStringLiteral("%1 tablosunda '%2' alanı yok.").arg(m_table, f));
        QString term = quoted(m_fields[col].name);
        if (m_fields[col].isText()) term += QStringLiteral(" COLLATE ") + kTurkishCollation;
        terms << term;
    }
    terms << QStringLiteral("rowid");
    return QStringLiteral(" ORDER BY ") + terms.join(u',');
}

QString Table::whereClause() const
{
    if (!m_linked) return {};
    if (m_linkValue.isNull() || !m_linkValue.isValid()) return QStringLiteral(" WHERE %1 IS NULL").arg(quoted(m_linkField));
    return QStringLiteral(" WHERE %1 = ?1").arg(quoted(m_linkField));
}

void Table::loadKeys()
{
    m_keys.clear();
    dropPositions();
    m_cache.clear();
    // Prepared once per statement text: a detail table relinked row after row reopens often.
    Statement &st = m_connection->cached(
        QStringLiteral("SELECT rowid FROM %1%2%3").arg(m_connection->tableRef(m_table), whereClause(), orderClause()));
    if (m_linked && !m_linkValue.isNull()) {
        const int col = fieldIndex(m_linkField);
        if (col < 0) throw EngineError(QStringLiteral("%1 tablosunda '%2' alanı yok.").arg(m_table, m_linkField));
        FieldValue::bind(st, 1, FieldValue::normalize(m_linkValue, m_fields[col]), m_fields[col]);
    }
    while (st.step()) m_keys.push_back(sqlite3_column_int64(st.handle(), 0));
}

void Table::open()
{
    if (isActive()) return;
    if (!m_connection) throw EngineError(QStringLiteral("%1: bağlantı yok.").arg(objectName()));
    if (!m_connection->isOpen()) m_connection->open();
    setStoredFields(m_connection->tableFields(m_table));
    m_writeSql.clear();
    loadKeys();
    afterOpen();
}

void Table::refresh()
{
    if (!isActive()) {
        open();
        return;
    }
    if (m_state == State::Edit || m_state == State::Insert) cancel();
    const qint64 key = currentKey();
    const int row = m_pos;
    setStoredFields(m_connection->tableFields(m_table));
    loadKeys();
    rebuildVisible();
    notifyReset();
    int target = row;
    for (int r = 0, n = recordCount(); r < n && key >= 0; ++r)
        if (m_keys[size_t(physicalOf(r))] == key) { target = r; break; }
    setPosition(target);
}

void Table::releaseRows()
{
    m_keys.clear();
    dropPositions();
    m_cache.clear();
    m_buffer.clear();
    m_changed.clear();
}

qint64 Table::currentKey() const
{
    if (m_pos < 0 || m_state == State::Insert) return -1;
    return m_keys[size_t(physicalOf(m_pos))];
}

const QVector<QVariant> &Table::fetchRow(int phys) const
{
    static const QVector<QVariant> empty;
    if (m_cacheVersion != m_connection->dataVersion() || m_cache.size() > 8192) {
        m_cache.clear();
        m_cacheVersion = m_connection->dataVersion();
    }
    const qint64 key = m_keys[size_t(phys)];
    if (auto it = m_cache.constFind(key); it != m_cache.constEnd()) return *it;

    // Read the block of rows that follows, since rows are mostly read in order.
    QStringList marks;
    for (int i = 0; i < kBlock; ++i) marks << QStringLiteral("?");
    Statement &st = m_connection->cached(QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid IN (%2)")
                                             .arg(m_connection->tableRef(m_table), marks.join(u',')));
    const int n = int(m_keys.size());
    for (int i = 0; i < kBlock; ++i) {
        const int p = phys + i;
        if (p < n && !m_cache.contains(m_keys[size_t(p)])) st.bindInt(i + 1, m_keys[size_t(p)]);
        else st.bindNull(i + 1);
    }
    sqlite3_stmt *h = st.handle();
    while (st.step()) {
        QVector<QVariant> row(m_storedCount);
        for (int c = 0; c < m_storedCount; ++c) {
            const int sc = c + 1;
            switch (sqlite3_column_type(h, sc)) {
            case SQLITE_INTEGER:
                row[c] = m_fields[c].type == FieldType::Double ? QVariant(double(sqlite3_column_int64(h, sc)))
                                                               : QVariant(qint64(sqlite3_column_int64(h, sc)));
                break;
            case SQLITE_FLOAT: row[c] = sqlite3_column_double(h, sc); break;
            case SQLITE_TEXT: {
                const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(h, sc));
                const int len = sqlite3_column_bytes(h, sc);
                if (m_fields[c].type == FieldType::Date) {
                    row[c] = FieldValue::fromIsoDate(p, len);
                    if (row[c].isValid()) break;
                }
                row[c] = QString::fromUtf8(p, len);
                break;
            }
            case SQLITE_BLOB:
                row[c] = QByteArray(static_cast<const char *>(sqlite3_column_blob(h, sc)), sqlite3_column_bytes(h, sc));
                break;
            default: break;
            }
        }
        m_cache.insert(sqlite3_column_int64(h, 0), row);
    }
    st.reset();
    if (auto it = m_cache.constFind(key); it != m_cache.constEnd()) return *it;
    return empty;  // deleted behind our back: an empty record
}

QVariant Table::storedValue(int phys, int col) const
{
    if ((m_state == State::Edit && phys == m_editPhys) || (m_state == State::Insert && phys == m_editPhys))
        return m_buffer[col];
    return fetchRow(phys).value(col);
}

const QString &Table::writeSql(bool insert, const QVector<int> &cols)
{
    // The statement text depends only on which fields were set (and on the handle
    // it runs on, which names the table differently while joined); build it once.
    if (m_writeSqlGeneration != m_connection->handleGeneration()) {
        m_writeSql.clear();
        m_writeSqlGeneration = m_connection->handleGeneration();
    }
    const QString table = m_connection->tableRef(m_table);
    QByteArray key(1, insert ? 'I' : 'U');
    for (int c : cols) key.append(char(c));
    auto it = m_writeSql.constFind(key);
    if (it != m_writeSql.constEnd()) return *it;
    QStringList names, marks;
    for (int i = 0; i < cols.size(); ++i) {
        names << quoted(m_fields[cols[i]].name);
        marks << QStringLiteral("?%1").arg(i + 1);
    }
    QString sql;
    if (insert && cols.isEmpty()) {
        sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table);
    } else if (insert) {
        sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, names.join(u','), marks.join(u','));
    } else {
        QStringList sets;
        for (int i = 0; i < cols.size(); ++i) sets << names[i] + u'=' + marks[i];
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?%3").arg(table, sets.join(u',')).arg(cols.size() + 1);
    }
    return *m_writeSql.insert(key, sql);
}

void Table::keepPostedRow(qint64 key)
{
    // The row just written is known exactly: keep it, so that reading it back (the
    // AutoNumber after an append, say) costs no query. Rows cached before stay valid
    // when nothing else wrote meanwhile.
    const bool cacheCurrent = m_cacheVersion == m_connection->dataVersion();
    m_connection->noteWrite(this);
    if (!cacheCurrent) m_cache.clear();
    m_cacheVersion = m_connection->dataVersion();
    m_cache.insert(key, m_buffer);
}

int Table::autoNumberColumn() const
{
    for (int c = 0; c < m_storedCount; ++c)
        if (m_fields[c].type == FieldType::AutoNumber) return c;
    return -1;
}

void Table::edit()
{
    if (!isActive()) throw EngineError(QStringLiteral("%1 kapalı.").arg(objectName()));
    if (m_state == State::Edit || m_state == State::Insert) return;
    if (m_pos < 0) throw EngineError(QStringLiteral("%1: düzenlenecek kayıt yok.").arg(objectName()));
    m_editPhys = physicalOf(m_pos);
    m_buffer = fetchRow(m_editPhys);
    m_buffer.resize(m_storedCount);
    m_changed = QVector<bool>(m_storedCount, false);
    setState(State::Edit);
}

void Table::append()
{
    if (!isActive()) open();
    checkBrowseMode();
    m_buffer = QVector<QVariant>(m_storedCount);
    m_changed = QVector<bool>(m_storedCount, false);
    m_editPhys = -2;  // not a stored row yet
    setState(State::Insert);
}

void Table::setFieldValue(int col, const QVariant &value)
{
    if (m_state != State::Edit && m_state != State::Insert)
        throw EngineError(QStringLiteral("%1 düzenleme durumunda değil.").arg(objectName()));
    if (col >= m_storedCount) throw EngineError(QStringLiteral("Hesaplanan alan değiştirilemez."));
    if (m_fields[col].type == FieldType::AutoNumber)
        throw EngineError(QStringLiteral("'%1' alanı otomatik numaradır; değiştirilemez.").arg(m_fields[col].name));
    m_buffer[col] = FieldValue::normalize(value, m_fields[col]);
    m_changed[col] = true;
}

void Table::post()
{
    // A row the engine refuses stays pending: inside a save until the save rolls
    // back (the dataset noted itself when the row began), outside for correction.
    if (m_state != State::Edit && m_state != State::Insert) return;
    if (m_beforePost) m_beforePost();
    QVector<int> idx;
    for (int c = 0; c < m_storedCount; ++c)
        if (m_changed[c]) idx << c;

    if (m_state == State::Insert) {
        Statement &st = m_connection->cached(writeSql(true, idx));
        for (int i = 0; i < idx.size(); ++i) FieldValue::bind(st, i + 1, m_buffer[idx[i]], m_fields[idx[i]]);
        st.execute();
        const qint64 key = sqlite3_last_insert_rowid(m_connection->handle());
        const int autoCol = autoNumberColumn();
        if (autoCol >= 0) m_buffer[autoCol] = key;
        keepPostedRow(key);
        m_keys.push_back(key);
        if (!m_positions.isEmpty()) m_positions.insert(key, int(m_keys.size()) - 1);
        m_buffer.clear();
        m_editPhys = -1;
        setState(State::Browse);
        const int row = physicalAppended(int(m_keys.size()) - 1);
        if (row >= 0) {
            notifyRowInserted(row);
            setPosition(row);
        }
        return;
    }

    if (!idx.isEmpty()) {
        Statement &st = m_connection->cached(writeSql(false, idx));
        for (int i = 0; i < idx.size(); ++i) FieldValue::bind(st, i + 1, m_buffer[idx[i]], m_fields[idx[i]]);
        st.bindInt(int(idx.size()) + 1, m_keys[size_t(m_editPhys)]);
        st.execute();
        // The row was deleted meanwhile (another window, another desk): nothing was
        // written, and the edit stays pending for the caller to drop.
        if (sqlite3_changes(m_connection->handle()) == 0) throw EngineError(kEditedRowGone);
        keepPostedRow(m_keys[size_t(m_editPhys)]);
    }
    m_buffer.clear();
    m_editPhys = -1;
    setState(State::Browse);
    if (m_pos >= 0) notifyRowChanged(m_pos);
}

bool Table::newRowTouched() const { return m_changed.contains(true); }

void Table::cancel()
{
    if (m_state != State::Edit && m_state != State::Insert) return;
    m_buffer.clear();
    m_changed.clear();
    m_editPhys = -1;
    setState(State::Browse);
    if (m_pos >= 0) notifyRowChanged(m_pos);
}

void Table::remove()
{
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (m_state == State::Edit) cancel();
    if (m_pos < 0) throw EngineError(QStringLiteral("%1: silinecek kayıt yok.").arg(objectName()));
    const int phys = physicalOf(m_pos);
    Statement &st = m_connection->cached(QStringLiteral("DELETE FROM %1 WHERE rowid=?1").arg(m_connection->tableRef(m_table)));
    st.bindInt(1, m_keys[size_t(phys)]);
    st.execute();
    m_connection->noteWrite(this);
    // The current row is the one leaving; views hear of it while it can still be read.
    notifyRowAboutToBeRemoved(m_pos);
    m_keys.erase(m_keys.begin() + phys);
    dropPositions();
    const int row = physicalRemoved(phys);
    if (row >= 0) notifyRowRemoved(row);
    setPosition(m_pos);
}

std::vector<int> Table::locateCandidates(const QVector<int> &cols, const QVariantList &values,
                                         LocateOptions options) const
{
    // Calculated fields are not in the file: fall back to scanning the rows.
    for (int c : cols)
        if (c >= m_storedCount) return Dataset::locateCandidates(cols, values, options);

    const bool insensitive = options.testFlag(LocateOption::CaseInsensitive);
    const bool partial = options.testFlag(LocateOption::PartialKey);
    QStringList conds;
    QVector<QPair<QVariant, int>> binds;  // normalized value, field column
    for (int i = 0; i < cols.size(); ++i) {
        const FieldInfo &f = m_fields[cols[i]];
        const QVariant v = FieldValue::normalize(values.value(i), f);
        const QString name = quoted(f.name);
        if (v.isNull() || !v.isValid()) {
            conds << name + QStringLiteral(" IS NULL");
            continue;
        }
        const int mark = int(binds.size()) + 1;
        if (f.isText()) {
            QString s = v.toString();
            if (insensitive) s = turkishFold(s);
            const QString lhs = insensitive ? QStringLiteral("trlower(%1)").arg(name) : name;
            if (partial)
                conds << QStringLiteral("substr(%1,1,%2)=?%3 COLLATE BINARY").arg(lhs).arg(s.size()).arg(mark);
            else
                conds << QStringLiteral("%1=?%2 COLLATE BINARY").arg(lhs).arg(mark);
            binds.append({s, -1});
        } else {
            conds << QStringLiteral("%1=?%2").arg(name).arg(mark);
            binds.append({v, cols[i]});
        }
    }
    QString where = conds.join(QStringLiteral(" AND "));
    Statement st(m_connection->handle(), QStringLiteral("SELECT rowid FROM %1 WHERE %2").arg(m_connection->tableRef(m_table), where));
    for (int i = 0; i < binds.size(); ++i) {
        if (binds[i].second < 0) st.bindText(i + 1, binds[i].first.toString());
        else FieldValue::bind(st, i + 1, binds[i].first, m_fields[binds[i].second]);
    }
    std::unordered_set<qint64> found;
    while (st.step()) found.insert(sqlite3_column_int64(st.handle(), 0));
    std::vector<int> out;
    if (found.empty()) return out;
    // A few rows of a large table (a cheque by its key, again and again in a save)
    // are found through the positions, not by a walk over every key.
    // A walk over the keys costs about a hundredth of building the map, so the map is
    // built only once a table has been searched this way many times since its keys
    // were read: a table reopened for each locate (a cheque re-read before an
    // operation) never pays for a map it would then drop.
    if (found.size() * 64 < m_keys.size()) {
        if (m_positions.isEmpty() && ++m_fewRowLocates < kLocatesBeforeMap) {
            if (found.size() == 1) {
                const qint64 only = *found.begin();
                for (size_t p = 0; p < m_keys.size(); ++p)
                    if (m_keys[p] == only) out.push_back(int(p));
                return out;
            }
            for (size_t p = 0; p < m_keys.size(); ++p)
                if (found.count(m_keys[p])) out.push_back(int(p));
            return out;
        }
        if (m_positions.isEmpty()) {
            m_positions.reserve(qsizetype(m_keys.size()));
            for (size_t p = 0; p < m_keys.size(); ++p) m_positions.insert(m_keys[p], int(p));
        }
        for (qint64 key : found)
            if (const auto it = m_positions.constFind(key); it != m_positions.cend()) out.push_back(*it);
        std::sort(out.begin(), out.end());
        return out;
    }
    for (size_t p = 0; p < m_keys.size(); ++p)
        if (found.count(m_keys[p])) out.push_back(int(p));
    return out;
}
