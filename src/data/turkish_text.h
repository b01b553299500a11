#pragma once
// Turkish case folding and ordering, shared by searches, the engine's LIKE and
// its ORDER BY on text columns.
#include <QString>
#include <string_view>

// Turkish lower case after trimming spaces and control characters at both ends:
// "I" -> "ı", "İ" -> "i", the other Turkish capitals and A..Z to their small letters.
QString turkceKucuk(const QString &text);
// Turkish upper case after the same trimming: "i" -> "İ", "ı" -> "I" and so on.
QString turkceBuyuk(const QString &text);

// The lower-case folding of turkceKucuk without the trimming; used for comparisons.
QString turkishFold(const QString &text);

// Three-way comparison of two UTF-8 texts in Turkish alphabetical order:
// letters by the Turkish alphabet (Ç after C, Ğ after G, I before İ, Ö after O,
// Ş after S, Ü after U), case ignored first and used only to break ties.
// Digits and punctuation keep their code order, so ISO dates order as dates.
int turkishCompareUtf8(std::string_view a, std::string_view b);
int turkishCompare(const QString &a, const QString &b);

// Three-way comparison of two UTF-8 texts after turkishFold: equal exactly when
// their Turkish lower-case forms are ("MI" = "mı", "İS" = "is", "MI" ≠ "mi").
// The one rule by which account codes are compared.
int turkishFoldCompareUtf8(std::string_view a, std::string_view b);

// SQL LIKE with "%" and "_" over Turkish-folded texts. escape is 0 when none.
bool turkishLike(const QString &foldedPattern, const QString &foldedText, QChar escape = QChar());
