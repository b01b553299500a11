#include "data/sql_translate.h"

#include "data/engine_error.h"

#include <QDate>
#include <QRegularExpression>
#include <QStringList>

namespace {

QString isoFromJetDate(const QString &body)
{
    static const QRegularExpression ymd(
        QStringLiteral("^\\s*(\\d{1,4})-(\\d{1,2})-(\\d{1,2})(?:\\s+(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?)?\\s*$"));
    static const QRegularExpression mdy(
        QStringLiteral("^\\s*(\\d{1,2})/(\\d{1,2})/(\\d{1,4})\\s*$"));
    int y = 0, m = 0, d = 0;
    QString time;
    if (const auto r = ymd.match(body); r.hasMatch()) {
        y = r.captured(1).toInt();
        m = r.captured(2).toInt();
        d = r.captured(3).toInt();
        if (!r.captured(4).isEmpty())
            time = QStringLiteral(" %1:%2:%3")
                       .arg(r.captured(4).toInt(), 2, 10, QChar('0'))
                       .arg(r.captured(5).toInt(), 2, 10, QChar('0'))
                       .arg(r.captured(6).toInt(), 2, 10, QChar('0'));
    } else if (const auto r2 = mdy.match(body); r2.hasMatch()) {
        m = r2.captured(1).toInt();
        d = r2.captured(2).toInt();
        y = r2.captured(3).toInt();
    }
    if (!QDate::isValid(y, m, d))
        throw EngineError(QStringLiteral("Geçersiz tarih sabiti: #%1#").arg(body));
    return QStringLiteral("'%1-%2-%3%4'")
        .arg(y, 4, 10, QChar('0'))
        .arg(m, 2, 10, QChar('0'))
        .arg(d, 2, 10, QChar('0'))
        .arg(time);
}

// Copies a quoted run starting at s[i] (quote char q) to out; returns the index after it.
qsizetype copyQuoted(const QString &s, qsizetype i, QChar q, QString &out)
{
    out += s[i++];
    while (i < s.size()) {
        out += s[i];
        if (s[i] == q) {
            if (i + 1 < s.size() && s[i + 1] == q) { out += s[i + 1]; i += 2; continue; }
            return i + 1;
        }
        ++i;
    }
    throw EngineError(QStringLiteral("Kapatılmamış tırnak: %1").arg(s));
}

bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

// Positions of top-level text (not in quotes, not in parentheses) are marked 't'.
QString topLevelMask(const QString &s)
{
    QString mask(s.size(), u' ');
    int depth = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u'\'' || c == u'"') {
            const QChar q = c;
            ++i;
            while (i < s.size()) {
                if (s[i] == q) {
                    if (i + 1 < s.size() && s[i + 1] == q) { i += 2; continue; }
                    break;
                }
                ++i;
            }
            continue;
        }
        if (c == u'(') { ++depth; continue; }
        if (c == u')') { --depth; continue; }
        if (depth == 0) mask[i] = u't';
    }
    return mask;
}

QString addTurkishOrdering(const QString &sql, const std::function<bool(const QString &)> &isTextColumn)
{
    const QString mask = topLevelMask(sql);
    static const QRegularExpression orderBy(QStringLiteral("\\bORDER\\s+BY\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
    qsizetype at = -1, end = -1;
    for (auto it = orderBy.globalMatch(sql); it.hasNext();) {
        const auto m = it.next();
        if (mask[m.capturedStart()] == u't') { at = m.capturedStart(); end = m.capturedEnd(); }
    }
    if (at < 0) return sql;
    // Terms run to the end of the statement, split at top-level commas.
    QStringList terms;
    qsizetype start = end;
    for (qsizetype i = end; i <= sql.size(); ++i) {
        if (i == sql.size() || (sql[i] == u',' && mask[i] == u't')) {
            terms << sql.mid(start, i - start);
            start = i + 1;
        }
    }
    static const QRegularExpression term(
        QStringLiteral("^(\\s*)((?:[A-Za-z_][A-Za-z0-9_]*\\.)?(?:[A-Za-z_][A-Za-z0-9_]*|\"[^\"]+\"))(\\s*(?:ASC|DESC)?\\s*)$"),
        QRegularExpression::CaseInsensitiveOption);
    for (QString &t : terms) {
        const auto m = term.match(t);
        if (!m.hasMatch()) continue;
        QString column = m.captured(2);
        if (const qsizetype dot = column.lastIndexOf(u'.'); dot >= 0 && !column.endsWith(u'"'))
            column = column.mid(dot + 1);
        if (column.startsWith(u'"')) column = column.mid(1, column.size() - 2);
        if (isTextColumn(column))
            t = m.captured(1) + m.captured(2) + QStringLiteral(" COLLATE ") + kTurkishCollation + m.captured(3);
    }
    return sql.left(end) + terms.join(u',');
}

} // namespace

QString translateSql(const QString &jet, const std::function<bool(const QString &)> &isTextColumn)
{
    QString out;
    out.reserve(jet.size() + 16);
    for (qsizetype i = 0; i < jet.size();) {
        const QChar c = jet[i];
        if (c == u'\'' || c == u'"') {
            i = copyQuoted(jet, i, c, out);
        } else if (c == u'[') {
            const qsizetype close = jet.indexOf(u']', i + 1);
            if (close < 0) throw EngineError(QStringLiteral("Kapatılmamış köşeli parantez: %1").arg(jet));
            out += u'"' + jet.mid(i + 1, close - i - 1).replace(u'"', QStringLiteral("\"\"")) + u'"';
            i = close + 1;
        } else if (c == u'#' && (i == 0 || !isWordChar(jet[i - 1]))) {
            const qsizetype close = jet.indexOf(u'#', i + 1);
            if (close < 0) throw EngineError(QStringLiteral("Kapatılmamış tarih sabiti: %1").arg(jet));
            out += isoFromJetDate(jet.mid(i + 1, close - i - 1));
            i = close + 1;
        } else {
            out += c;
            ++i;
        }
    }
    // One trailing ";" (and the spaces around it) ends the statement.
    qsizetype e = out.size();
    while (e > 0 && out[e - 1].isSpace()) --e;
    if (e > 0 && out[e - 1] == u';') --e;
    while (e > 0 && out[e - 1].isSpace()) --e;
    out.truncate(e);
    return addTurkishOrdering(out, isTextColumn);
}
