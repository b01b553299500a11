#pragma once
// Conversions between the values the program reads and writes and a field's type.
// Values read from a dataset are: QVariant() for an empty value, qint64 for the
// integer types, double, QString for texts, QDate (QDateTime where a time is kept)
// for dates and QByteArray for binary fields.
#include "data/field_info.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QVariant>

class Statement;

namespace FieldValue {

// The value as a field of this type keeps it: texts cut to the field's size, numbers
// read from texts, dates from "dd.mm.yyyy" or ISO texts. Throws EngineError when a
// text cannot be read as the field's type.
QVariant normalize(const QVariant &v, const FieldInfo &field);

// Binds a normalized value to a statement's parameter in the field's storage form
// (empty as NULL, dates as ISO text).
void bind(Statement &st, int index, const QVariant &normalized, const FieldInfo &field);

// Storage form of a normalized value: dates as ISO text.
QString isoDate(const QVariant &dateValue);
// Reads an ISO date text ("YYYY-MM-DD" or "YYYY-MM-DD HH:MM:SS"); invalid gives null.
QVariant fromIsoDate(const char *text, int length);

QString asString(const QVariant &v);   // dates "dd.mm.yyyy", numbers with a decimal comma
double asFloat(const QVariant &v);     // empty gives 0
qint64 asInteger(const QVariant &v);   // empty gives 0, fractions round
QDate asDate(const QVariant &v);
QDateTime asDateTime(const QVariant &v);

} // namespace FieldValue
