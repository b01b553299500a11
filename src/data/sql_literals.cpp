#include "data/sql_literals.h"

#include "data/sql_translate.h"

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

QString sqlCodeEquals(const QString &column, const QString &code)
{
    return column + u'=' + sqlText(code) + QStringLiteral(" COLLATE ") + QLatin1String(kTurkishNoCaseCollation);
}
