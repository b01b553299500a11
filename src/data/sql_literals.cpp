#include "data/sql_literals.h"

#include "data/sql_translate.h"
#include "data/turkish_text.h"

QString sqlDate(const QDate &d)
{
    return QStringLiteral("#%1-%2-%3#").arg(d.year()).arg(d.month()).arg(d.day());
}

QString sqlEscape(const QString &text)
{
    QString s = text;
    s.replace(u'\'', QStringLiteral("''"));
    return s;
}

QString sqlText(const QString &text) { return u'\'' + sqlEscape(text) + u'\''; }

QString currencyCondition(const QString &field, const QString &code, const QString &prefix)
{
    if (code.isEmpty() || code == kHepsi) return {};
    return prefix + QStringLiteral(" (") + field + QStringLiteral("=") + sqlText(code) + u')';
}

namespace {

// The spellings of a code that the column's own (ASCII, case-blind) comparison
// tells apart but the Turkish folding takes for the same code: "mi" is also "mİ",
// "çay" also "Çay". Empty when there would be too many to list.
QStringList codeSpellings(const QString &code)
{
    QStringList out{QString()};
    for (QChar c : turkishFold(code)) {
        QString options(c);
        if (c == u'i') options += QChar(0x130);           // İ
        else if (c == QChar(0x131)) options += u'I';     // ı and I
        else if (c.unicode() >= 0x80 && c.toUpper() != c) options += c.toUpper();
        QStringList next;
        for (const QString &prefix : std::as_const(out))
            for (QChar o : options) next << prefix + o;
        out = next;
        if (out.size() > 32) return {};
    }
    return out;
}

} // namespace

QString sqlCodeEquals(const QString &column, const QString &code)
{
    const QString exact = column + u'=' + sqlText(code) + QStringLiteral(" COLLATE ") + QLatin1String(kTurkishNoCaseCollation);
    // The list first, so that the column's index finds the few candidate rows; the
    // Turkish comparison then decides among them.
    const QStringList spellings = codeSpellings(code);
    if (spellings.isEmpty()) return exact;
    QStringList quoted;
    for (const QString &s : spellings) quoted << sqlText(s);
    return column + QStringLiteral(" IN (") + quoted.join(u',') + QStringLiteral(") AND ") + exact;
}
