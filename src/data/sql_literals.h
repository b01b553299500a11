#pragma once
// Values put into statement text. Every typed text goes through sqlText, so a quote
// in it can neither break nor change a statement.
#include <QDate>
#include <QString>

// "#" + year + "-" + month + "-" + day + "#", without leading zeros: #2024-3-5#.
QString sqlDate(const QDate &date);
// The text between single quotes, each quote doubled: O'Brien -> 'O''Brien'.
QString sqlText(const QString &text);
// The inside of a quoted text, quotes doubled, for pieces such as "LIKE '%" + x + "%'".
QString sqlEscape(const QString &text);

// The condition that a code column holds the code: column='code' COLLATE TRNOCASE.
// Account codes compare by one rule everywhere, Turkish case folded ("MI" is
// "mı", not "mi"), as the duplicate check of the account cards does.
QString sqlCodeEquals(const QString &column, const QString &code);

// The currency choice "Hepsi" stands for every currency.
inline const QString kHepsi = QStringLiteral("Hepsi");
// The currency condition of a list statement: empty for "Hepsi" (and for no choice),
// else prefix + "(" + field + "='" + code + "')", e.g. "AND (para_birimi='USD')".
// prefix is "AND " or "WHERE " as the statement needs; it is followed by a space.
QString currencyCondition(const QString &field, const QString &code, const QString &prefix = QStringLiteral("AND"));
