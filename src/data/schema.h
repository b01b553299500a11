#pragma once
// Every table, field and index of the three kinds of database.
#include "data/field_info.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace Schema {

enum class Kind { Registry, Company, Cash };

struct IndexDef {
    QString name;     // the name the program opens the table by ("PrimaryKey", "cek_tarihi")
    QStringList fields;
};

struct TableDef {
    QString name;
    QVector<FieldInfo> fields;
    QVector<IndexDef> namedIndexes;   // the orders tables are opened in
    QStringList lookupIndexes;        // further single-field indexes for the links
};

const QVector<TableDef> &tables(Kind kind);
const TableDef *findTable(Kind kind, const QString &name);

// The SQLite index name of a named index.
QString sqliteIndexName(const QString &table, const QString &indexName);

// Writes a new empty database of the kind (under a temporary name, then renamed).
// Throws EngineError on failure; an existing file is never touched.
void createDatabase(const QString &path, Kind kind);

} // namespace Schema
