#pragma once
// The rows of a static query result, kept compactly: one 16-byte cell per value
// and the texts in one arena, turned into QVariants only when read.
#include "data/field_info.h"

#include <QVariant>
#include <QVector>
#include <vector>

struct sqlite3_stmt;

class ResultSet {
public:
    void clear();
    // Reads every remaining row of a stepped-once statement (hasRow: the first step gave a row).
    void readAll(sqlite3_stmt *stmt, bool hasRow, const QVector<FieldInfo> &fields);
    // Empties the set for the columns of a statement whose rows come one by one.
    void start(const QVector<FieldInfo> &fields);
    // Copies the row the statement stands on (a step just gave SQLITE_ROW).
    void appendRow(sqlite3_stmt *stmt);
    int rowCount() const { return m_rows; }
    int columnCount() const { return m_cols; }
    QVariant value(int row, int col) const;

private:
    enum : quint8 { Null, Int, Real, Text, Blob };
    struct Cell {
        union {
            qint64 i;
            double d;
            struct {
                quint32 offset;
                quint32 length;
            } s;
        };
        quint8 type;
    };
    std::vector<Cell> m_cells;
    std::vector<char> m_arena;
    QVector<FieldType> m_types;
    int m_rows = 0;
    int m_cols = 0;
};
