#include "reports/report_expression.h"

#include "data/connection.h"
#include "data/dataset.h"
#include "data/display_format.h"
#include "data/field_value.h"
#include "reports/report_error.h"

#include <QRegularExpression>

namespace {

// dataset."field" (quotes optional around the field).
bool splitFieldRef(const QString &ref, QString *dataset, QString *field)
{
    static const QRegularExpression re(QStringLiteral(R"re(^\s*([^."\s]+)\s*\.\s*"?([^"]+?)"?\s*$)re"));
    const auto m = re.match(ref);
    if (!m.hasMatch()) return false;
    *dataset = m.captured(1);
    *field = m.captured(2);
    return true;
}

Dataset *findDataset(const ReportDatasets &datasets, const QString &name, const QString &expr)
{
    Dataset *ds = datasets.value(name);
    if (!ds) throw ReportError(QStringLiteral("Raporda '%1' veri kümesi tanımlı değil: [%2]").arg(name, expr));
    return ds;
}

int findColumn(Dataset *ds, const QString &name, const QString &field, const QString &expr)
{
    const int col = ds->isActive() ? ds->fieldIndex(field) : -1;
    if (col < 0 && ds->isActive())
        throw ReportError(QStringLiteral("'%1' veri kümesinde '%2' alanı yok: [%3]").arg(name, field, expr));
    return col;
}

} // namespace

TextTemplate TextTemplate::compile(const QString &text, const QString &displayFormat,
                                   const ReportDatasets &datasets, Dataset *master)
{
    TextTemplate t;
    t.m_format = displayFormat;
    qsizetype pos = 0;
    auto addLiteral = [&t](const QString &s) {
        if (s.isEmpty()) return;
        if (!t.m_parts.isEmpty() && t.m_parts.last().kind == Kind::Literal) {
            t.m_parts.last().literal += s;
        } else {
            Part p;
            p.literal = s;
            t.m_parts.append(p);
        }
    };
    while (pos < text.size()) {
        const qsizetype open = text.indexOf(u'[', pos);
        if (open < 0) {
            addLiteral(text.mid(pos));
            break;
        }
        const qsizetype close = text.indexOf(u']', open + 1);
        if (close < 0) throw ReportError(QStringLiteral("Kapanmayan köşeli parantez: %1").arg(text));
        addLiteral(text.mid(pos, open - pos));
        const QString expr = text.mid(open + 1, close - open - 1).trimmed();
        const QString upper = expr.toUpper();
        Part p;
        if (upper == u"PAGE#") {
            p.kind = Kind::Page;
        } else if (upper == u"TOTALPAGES") {
            p.kind = Kind::TotalPages;
            t.m_totalPages = true;
        } else if (upper == u"DATE") {
            p.kind = Kind::Date;
        } else if (upper == u"TIME") {
            p.kind = Kind::Time;
        } else if (upper == u"LINE#") {
            p.kind = Kind::Line;
        } else if (upper == u"COUNT") {
            p.literal = QString::number(master && master->isActive() ? master->recordCount() : 0);
        } else if (upper.startsWith(u"SUM(") && upper.endsWith(u')')) {
            // Sums are printed after the last row (footer, summary), so the total over
            // the master rows is known before printing starts.
            QString dsName, field;
            const QString inner = expr.mid(4, expr.size() - 5);
            if (!splitFieldRef(inner, &dsName, &field))
                throw ReportError(QStringLiteral("Rapor ifadesi anlaşılamadı: [%1]").arg(expr));
            Dataset *ds = findDataset(datasets, dsName, expr);
            const int col = findColumn(ds, dsName, field, expr);
            double sum = 0;
            if (col >= 0) {
                const int n = ds->recordCount();
                for (int r = 0; r < n; ++r) sum += FieldValue::asFloat(ds->valueAt(r, col));
            }
            p.literal = formatValue(displayFormat, sum);
        } else {
            QString dsName, field;
            if (!splitFieldRef(expr, &dsName, &field))
                throw ReportError(QStringLiteral("Rapor ifadesi anlaşılamadı: [%1]").arg(expr));
            p.kind = Kind::Field;
            p.dataset = findDataset(datasets, dsName, expr);
            p.column = findColumn(p.dataset, dsName, field, expr);
            p.isMaster = p.dataset == master;
        }
        if (p.kind == Kind::Literal) addLiteral(p.literal);
        else t.m_parts.append(p);
        pos = close + 1;
    }
    return t;
}

bool TextTemplate::isConstant() const
{
    return m_parts.isEmpty() || (m_parts.size() == 1 && m_parts.first().kind == Kind::Literal);
}

QString TextTemplate::evaluate(const ExpressionContext &ctx) const
{
    if (m_parts.size() == 1 && m_parts.first().kind == Kind::Literal) return m_parts.first().literal;
    QString out;
    for (const Part &p : m_parts) {
        switch (p.kind) {
        case Kind::Literal: out += p.literal; break;
        case Kind::Page: out += QString::number(ctx.page); break;
        case Kind::TotalPages: out += kTotalPagesMark; break;
        case Kind::Date: out += ctx.now.date().toString(QStringLiteral("dd.MM.yyyy")); break;
        case Kind::Time: out += ctx.now.time().toString(QStringLiteral("HH:mm:ss")); break;
        case Kind::Line: out += QString::number(ctx.line); break;
        case Kind::Field: {
            if (p.column < 0) break;  // a closed dataset prints nothing
            const QVariant v = p.isMaster && ctx.masterRow >= 0 ? p.dataset->valueAt(ctx.masterRow, p.column)
                                                                : p.dataset->value(p.column);
            out += formatValue(m_format, v);
            break;
        }
        }
    }
    return out;
}
