#pragma once
// The Jet-style connection strings the program hands to its connections. Only the
// data source is used by our engine; the other keys are kept so that every string
// the program writes or shows has its historic form.
#include <QList>
#include <QPair>
#include <QString>

namespace ConnectionString {

inline constexpr const char *kDatabasePassword = "t3webnq9KLMPR2F";

// The 19 pairs in their fixed order; without the "Extended Properties" pair when
// withExtendedProperties is false (the start-up strings).
QString build(const QString &dataSource, bool withExtendedProperties = true);

// Key=value pairs in order. Quoted values lose their quotes.
QList<QPair<QString, QString>> parse(const QString &connectionString);

// The value of "Data Source", empty when there is none.
QString dataSource(const QString &connectionString);

} // namespace ConnectionString
