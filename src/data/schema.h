#pragma once
// Every table, field and index of the three kinds of database.
#include "data/field_info.h"

#include <QString>
#include <QStringList>
#include <QVector>

struct sqlite3;

namespace Schema {

// The version of the schema this program writes, kept in each file's
// PRAGMA user_version. A later version that adds tables, fields or indexes adds
// them to the lists below; files are brought up when they are opened (upgrade),
// inside one transaction. Missing tables, fields and indexes are found by name
// on every open, so adding them needs no new number: the number rises only for
// work beyond that (filling a new field from old ones, say).
// 2: the operation log of the cheques (cekislem), filled once for older files.
inline constexpr int kVersion = 2;

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
    // Indexes that serve the statements of the lists and sums (a covering index
    // for a GROUP BY, a code with its dates for an account's movements).
    QVector<IndexDef> servingIndexes;
};

const QVector<TableDef> &tables(Kind kind);
const TableDef *findTable(Kind kind, const QString &name);

// The SQLite index name of a named index.
QString sqliteIndexName(const QString &table, const QString &indexName);

// What a database file holds against the schema of its kind.
enum class FileState {
    Current,       // every table, field and index is there and the version is recorded
    NeedsUpgrade,  // an older or hand-made file: something is missing, or the version is lower
    Empty,         // no tables at all
    Foreign,       // none of the kind's tables, or a table of ours without its key field
};
struct Inspection {
    FileState state = FileState::Current;
    int version = 0;
    QStringList statements;  // what adds the missing tables, fields and indexes
};
// Reads the tables, fields and indexes of the handle's main file. Throws EngineError.
Inspection inspect(sqlite3 *db, Kind kind);
// The triggers, views and tables of the handle's main file that the kind's schema
// does not have, each as "<type> <name>": what a file made elsewhere may carry to
// change the program's writes. Empty for a file the program made. Throws EngineError.
QStringList foreignObjects(sqlite3 *db, Kind kind);
// Adds what inspect found missing and records kVersion, all in one transaction,
// rolled back as a whole on failure. Throws EngineError.
void upgrade(sqlite3 *db, const Inspection &inspection);

// Writes a new empty database of the kind (under a temporary name, then renamed).
// Throws EngineError on failure; an existing file is never touched.
void createDatabase(const QString &path, Kind kind);

} // namespace Schema
