#pragma once
#include <QString>

// The field types of the databases and how each is declared in SQLite:
// AutoNumber "INTEGER PRIMARY KEY AUTOINCREMENT", Long "INTEGER", Short "SMALLINT",
// Double "DOUBLE", Text(n) "TEXT(n)", Memo "MEMO TEXT", Date "DATE", Binary "BLOB".
// Dates are stored as ISO text ("YYYY-MM-DD", with " HH:MM:SS" where a time is kept).
enum class FieldType { Unknown, AutoNumber, Long, Short, Double, Text, Memo, Date, Binary };

struct FieldInfo {
    QString name;
    FieldType type = FieldType::Unknown;
    int size = 0;  // characters, for Text
    bool isText() const { return type == FieldType::Text || type == FieldType::Memo; }
    bool isInteger() const
    {
        return type == FieldType::AutoNumber || type == FieldType::Long || type == FieldType::Short;
    }
};

// Reads a declared column type back into a field type (and its size for Text).
FieldInfo fieldInfoFromDeclaration(const QString &name, const QString &declaredType, bool primaryKey);
// The SQLite declaration of a field type.
QString declarationOf(FieldType type, int size);
