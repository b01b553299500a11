#pragma once
// Turns the statements the program writes (Jet's dialect) into SQLite's:
//   #Y-M-D# and #Y-M-D H:M:S# date constants -> ISO text constants,
//   [name] identifiers -> "name",
//   ORDER BY on a text column -> ordered in Turkish alphabetical order,
//   one trailing ";" dropped.
// Text constants between single quotes are copied untouched.
#include <QString>
#include <functional>

// isTextColumn tells whether a bare column name is a text column of the database.
QString translateSql(const QString &jetSql, const std::function<bool(const QString &)> &isTextColumn);

// The collation registered on every connection for Turkish ordering.
inline constexpr const char *kTurkishCollation = "TR";
// The collation registered on every connection that compares texts after Turkish
// case folding (turkishFoldCompareUtf8): the comparison rule of account codes.
// Used in statements only, never in the stored schema, so the files stay readable
// by any SQLite tool.
inline constexpr const char *kTurkishNoCaseCollation = "TRNOCASE";
