#include "data/result_set.h"

#include "data/engine_error.h"
#include "data/file_errors.h"
#include "data/field_value.h"

#include <cstring>
#include <sqlite3.h>

void ResultSet::clear()
{
    std::vector<Cell>().swap(m_cells);
    std::vector<char>().swap(m_arena);
    m_rows = m_cols = 0;
}

void ResultSet::start(const QVector<FieldInfo> &fields)
{
    clear();
    m_cols = int(fields.size());
    m_types.clear();
    for (const FieldInfo &f : fields) m_types << f.type;
}

void ResultSet::readAll(sqlite3_stmt *stmt, bool hasRow, const QVector<FieldInfo> &fields)
{
    start(fields);
    if (!hasRow) return;
    m_cells.reserve(size_t(m_cols) * 1024);
    m_arena.reserve(64 * 1024);
    int rc = SQLITE_ROW;
    while (rc == SQLITE_ROW) {
        appendRow(stmt);
        rc = sqlite3_step(stmt);
    }
    if (rc != SQLITE_DONE) {
        sqlite3 *db = sqlite3_db_handle(stmt);
        const QString msg = QString::fromUtf8(sqlite3_errmsg(db));
        clear();
        throw FileErrors::fromHandle(db, rc, msg);
    }
}

void ResultSet::appendRow(sqlite3_stmt *stmt)
{
    {
        for (int c = 0; c < m_cols; ++c) {
            Cell cell;
            cell.i = 0;
            switch (sqlite3_column_type(stmt, c)) {
            case SQLITE_INTEGER:
                cell.type = Int;
                cell.i = sqlite3_column_int64(stmt, c);
                break;
            case SQLITE_FLOAT:
                cell.type = Real;
                cell.d = sqlite3_column_double(stmt, c);
                break;
            case SQLITE_TEXT:
            case SQLITE_BLOB: {
                const bool text = sqlite3_column_type(stmt, c) == SQLITE_TEXT;
                const void *p = text ? static_cast<const void *>(sqlite3_column_text(stmt, c)) : sqlite3_column_blob(stmt, c);
                const int n = sqlite3_column_bytes(stmt, c);
                cell.type = text ? Text : Blob;
                cell.s.offset = quint32(m_arena.size());
                cell.s.length = quint32(n);
                if (n > 0) {
                    const size_t at = m_arena.size();
                    m_arena.resize(at + size_t(n));
                    std::memcpy(m_arena.data() + at, p, size_t(n));
                }
                break;
            }
            default:
                cell.type = Null;
            }
            m_cells.push_back(cell);
        }
        ++m_rows;
    }
}

QVariant ResultSet::value(int row, int col) const
{
    const Cell &cell = m_cells[size_t(row) * size_t(m_cols) + size_t(col)];
    switch (cell.type) {
    case Int:
        if (m_types[col] == FieldType::Double) return double(cell.i);
        return cell.i;
    case Real: return cell.d;
    case Text: {
        const char *p = m_arena.data() + cell.s.offset;
        if (m_types[col] == FieldType::Date) {
            const QVariant d = FieldValue::fromIsoDate(p, int(cell.s.length));
            if (d.isValid()) return d;
        }
        return QString::fromUtf8(p, qsizetype(cell.s.length));
    }
    case Blob: return QByteArray(m_arena.data() + cell.s.offset, qsizetype(cell.s.length));
    default: return {};
    }
}
