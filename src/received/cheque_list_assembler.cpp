#include "received/cheque_list_assembler.h"

#include "data/number_reading.h"
#include "data/sql_literals.h"

namespace ChequeList {

namespace {

QString condition(const Shape &shape, const QString &test)
{
    return shape.bareConditions ? QStringLiteral("AND ") + test : QStringLiteral("AND (") + test + u')';
}

QString slipCondition(const Shape &shape, qint64 bordro)
{
    return shape.slipField + u'=' + QString::number(bordro);
}

} // namespace

QString likeContains(const QString &text)
{
    // A typed "%" or "_" is a character of the name, not a wildcard: those and the
    // escape character itself are escaped, and only then is ESCAPE added.
    static const QChar kEscape = u'\\';
    QString pattern;
    bool escaped = false;
    for (const QChar c : text) {
        if (c == u'%' || c == u'_' || c == kEscape) {
            pattern += kEscape;
            escaped = true;
        }
        pattern += c;
    }
    QString sql = QStringLiteral("'%") + sqlEscape(pattern) + QStringLiteral("%'");
    if (escaped) sql += QStringLiteral(" ESCAPE '\\'");
    return sql;
}

QStringList filterLines(const Shape &shape, const FilterValues &f)
{
    QStringList lines;
    const qint64 bordro = rakamlariOku(f.bordroNo);
    if (bordro > 0) lines << condition(shape, slipCondition(shape, bordro));
    if (!f.firmaKodu.isEmpty()) lines << condition(shape, sqlCodeEquals(shape.codeField, f.firmaKodu));
    if (!f.paraCinsi.isEmpty() && f.paraCinsi != kHepsi)
        lines << condition(shape, QStringLiteral("para_birimi=") + sqlText(f.paraCinsi));
    if (!f.firmaAdi.isEmpty() && !shape.nameFields.isEmpty()) {
        // One name: "AND (f LIKE ...)"; several: "AND ((f1 LIKE ...)", "OR (f2 LIKE ...)" ... "...))".
        const QString like = QStringLiteral(" LIKE ") + likeContains(f.firmaAdi) + u')';
        const qsizetype n = shape.nameFields.size();
        for (qsizetype i = 0; i < n; ++i) {
            QString line = (i == 0 ? QStringLiteral("AND (") : QStringLiteral("OR ("));
            if (i == 0 && n > 1) line += u'(';
            line += shape.nameFields[i] + like;
            if (i == n - 1 && n > 1) line += u')';
            lines << line;
        }
    }
    // Both ends of the range are included: the day after the end, the day before the start.
    if (f.tarihAcik)
        lines << QStringLiteral("AND cek_tarihi<") + sqlDate(f.bitisTarihi.addDays(1)) + QStringLiteral(" AND cek_tarihi>")
                     + sqlDate(f.basTarihi.addDays(-1));
    return lines;
}

Statements assemble(const Shape &shape, const QStringList &stateLines, const FilterValues &f, const QString &orderBy)
{
    const QStringList conditions = stateLines + filterLines(shape, f);
    Statements s;
    s.list << QStringLiteral("SELECT * FROM ") + shape.table << conditions
           << (orderBy.isEmpty() ? QStringLiteral("ORDER BY cek_tarihi ASC;") : orderBy);
    s.total << QStringLiteral("SELECT SUM(cek_tutari) AS Cek_Toplami FROM ") + shape.table << conditions;
    s.monthly << QStringLiteral("SELECT YEAR(cek_tarihi) AS YIL, MONTH(cek_tarihi) AS AY,para_birimi ,")
              << QStringLiteral("SUM(cek_tutari) AS Toplam_Tutar") << QStringLiteral("FROM ") + shape.table << conditions
              << QStringLiteral("GROUP BY MONTH(cek_tarihi), YEAR(cek_tarihi) ,para_birimi")
              << QStringLiteral("ORDER BY YEAR(cek_tarihi), MONTH(cek_tarihi) ASC");
    return s;
}

QStringList slipList(const Shape &shape, const QString &bordroNo, const QString &orderField)
{
    const QString test = slipCondition(shape, rakamlariOku(bordroNo));
    return {QStringLiteral("SELECT * FROM ") + shape.table,
            shape.bareConditions ? QStringLiteral("WHERE ") + test : QStringLiteral("WHERE (") + test + u')',
            QStringLiteral("ORDER BY ") + orderField + QStringLiteral(" ASC;")};
}

QString listOrderLine(const QString &orderBy)
{
    static const QString kalan = QStringLiteral("ORDER BY kalangun ");
    if (orderBy.startsWith(kalan)) return QStringLiteral("ORDER BY cek_tarihi ") + orderBy.mid(kalan.size());
    return orderBy;
}


} // namespace ChequeList
