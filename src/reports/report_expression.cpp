#include "reports/report_expression.h"

#include "data/connection.h"
#include "data/dataset.h"
#include "data/display_format.h"
#include "data/field_value.h"
#include "reports/report_error.h"

#include <QRegularExpression>

struct TextTemplate::Node {
    enum class Op { Number, Field, Add, Subtract, Multiply, Divide, Negate } op = Op::Number;
    double number = 0;
    Dataset *dataset = nullptr;
    int column = -1;
    std::shared_ptr<const Node> left, right;
};

namespace {

using Node = TextTemplate::Node;
using NodePtr = std::shared_ptr<const Node>;

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

double sumOf(Dataset *ds, int col)
{
    double sum = 0;
    if (col < 0) return sum;
    const int n = ds->recordCount();
    for (int r = 0; r < n; ++r) sum += FieldValue::asFloat(ds->valueAt(r, col));
    return sum;
}

bool isNameChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

// Reads an expression of sums, fields and numbers:
//   expr := term (("+"|"-") term)*     term := factor (("*"|"/") factor)*
//   factor := number | "-" factor | "(" expr ")" | SUM(ref) | COUNT | ref
//   ref := name "." ("\"" field "\"" | name)
// A text that is not such an expression gives null (no throw): the caller decides.
class Parser {
public:
    Parser(const QString &text, const ReportDatasets &datasets, Dataset *master, const QString &whole)
        : m_s(text), m_datasets(datasets), m_master(master), m_whole(whole)
    {
    }

    NodePtr parse()
    {
        NodePtr n = expr();
        skip();
        if (!n || m_pos != m_s.size()) return nullptr;
        return n;
    }
    bool sawField() const { return m_fields > 0; }
    bool sawOperator() const { return m_operators > 0; }

private:
    void skip()
    {
        while (m_pos < m_s.size() && m_s[m_pos].isSpace()) ++m_pos;
    }
    bool eat(QChar c)
    {
        skip();
        if (m_pos < m_s.size() && m_s[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    static NodePtr binary(Node::Op op, NodePtr l, NodePtr r)
    {
        auto n = std::make_shared<Node>();
        n->op = op;
        n->left = std::move(l);
        n->right = std::move(r);
        return n;
    }
    static NodePtr number(double v)
    {
        auto n = std::make_shared<Node>();
        n->number = v;
        return n;
    }

    NodePtr expr()
    {
        NodePtr l = term();
        while (l) {
            if (eat(u'+')) l = binary(Node::Op::Add, l, term());
            else if (eat(u'-')) l = binary(Node::Op::Subtract, l, term());
            else break;
            ++m_operators;
            if (!l->right) return nullptr;
        }
        return l;
    }
    NodePtr term()
    {
        NodePtr l = factor();
        while (l) {
            if (eat(u'*')) l = binary(Node::Op::Multiply, l, factor());
            else if (eat(u'/')) l = binary(Node::Op::Divide, l, factor());
            else break;
            ++m_operators;
            if (!l->right) return nullptr;
        }
        return l;
    }
    QString name()
    {
        skip();
        const qsizetype from = m_pos;
        while (m_pos < m_s.size() && isNameChar(m_s[m_pos])) ++m_pos;
        return m_s.mid(from, m_pos - from);
    }
    // After a dataset's name: ."field" or .field
    bool fieldName(QString *field)
    {
        if (!eat(u'.')) return false;
        skip();
        if (m_pos < m_s.size() && m_s[m_pos] == u'"') {
            const qsizetype close = m_s.indexOf(u'"', m_pos + 1);
            if (close < 0) return false;
            *field = m_s.mid(m_pos + 1, close - m_pos - 1);
            m_pos = close + 1;
            return !field->isEmpty();
        }
        *field = name();
        return !field->isEmpty();
    }
    NodePtr factor()
    {
        skip();
        if (m_pos >= m_s.size()) return nullptr;
        const QChar c = m_s[m_pos];
        if (c == u'-') {
            ++m_pos;
            ++m_operators;
            NodePtr inner = factor();
            if (!inner) return nullptr;
            auto n = std::make_shared<Node>();
            n->op = Node::Op::Negate;
            n->left = inner;
            return n;
        }
        if (c == u'(') {
            ++m_pos;
            NodePtr inner = expr();
            if (!inner || !eat(u')')) return nullptr;
            return inner;
        }
        if (c.isDigit()) {
            const qsizetype from = m_pos;
            while (m_pos < m_s.size() && (m_s[m_pos].isDigit() || m_s[m_pos] == u'.')) ++m_pos;
            bool ok = false;
            const double v = m_s.mid(from, m_pos - from).toDouble(&ok);
            return ok ? number(v) : nullptr;
        }
        const QString word = name();
        if (word.isEmpty()) return nullptr;
        const QString upper = word.toUpper();
        if (upper == u"SUM" && eat(u'(')) {
            const QString dsName = name();
            QString field;
            if (dsName.isEmpty() || !fieldName(&field) || !eat(u')')) return nullptr;
            Dataset *ds = findDataset(m_datasets, dsName, m_whole);
            return number(sumOf(ds, findColumn(ds, dsName, field, m_whole)));
        }
        if (upper == u"COUNT") {
            skip();
            if (m_pos >= m_s.size() || m_s[m_pos] != u'.')
                return number(m_master && m_master->isActive() ? m_master->recordCount() : 0);
        }
        QString field;
        if (!fieldName(&field)) return nullptr;
        auto n = std::make_shared<Node>();
        n->op = Node::Op::Field;
        n->dataset = findDataset(m_datasets, word, m_whole);
        n->column = findColumn(n->dataset, word, field, m_whole);
        ++m_fields;
        return n;
    }

    const QString &m_s;
    const ReportDatasets &m_datasets;
    Dataset *m_master;
    const QString &m_whole;
    qsizetype m_pos = 0;
    int m_fields = 0;
    int m_operators = 0;
};

QVariant fieldValue(const Dataset *ds, int column, const ExpressionContext &ctx)
{
    if (ds == ctx.master && ctx.masterRow >= 0) return ds->valueAt(ctx.masterRow, column);
    if (ds == ctx.detail && ctx.detailRow >= 0) return ds->valueAt(ctx.detailRow, column);
    return ds->value(column);
}

double evaluateNode(const Node &n, const ExpressionContext &ctx)
{
    switch (n.op) {
    case Node::Op::Number: return n.number;
    case Node::Op::Field: return n.column < 0 ? 0 : FieldValue::asFloat(fieldValue(n.dataset, n.column, ctx));
    case Node::Op::Add: return evaluateNode(*n.left, ctx) + evaluateNode(*n.right, ctx);
    case Node::Op::Subtract: return evaluateNode(*n.left, ctx) - evaluateNode(*n.right, ctx);
    case Node::Op::Multiply: return evaluateNode(*n.left, ctx) * evaluateNode(*n.right, ctx);
    case Node::Op::Divide: {
        const double d = evaluateNode(*n.right, ctx);
        return d == 0 ? 0 : evaluateNode(*n.left, ctx) / d;  // nothing to divide by prints zero
    }
    case Node::Op::Negate: return -evaluateNode(*n.left, ctx);
    }
    return 0;
}

bool isFloat(const QVariant &v)
{
    return v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float;
}

} // namespace

QString normalizeLineBreaks(QString text)
{
    if (!text.contains(u'\r')) return text;
    text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

TextTemplate TextTemplate::compile(const QString &rawText, const QString &displayFormat,
                                   const ReportDatasets &datasets, Dataset *master)
{
    const QString text = normalizeLineBreaks(rawText);
    TextTemplate t;
    t.m_format = displayFormat;
    const QString numberFormat = displayFormat.isEmpty() ? kDefaultAmountFormat : displayFormat;
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
        } else if (upper == u"LINE#" || upper == u"CURRENT#") {
            p.kind = Kind::Line;
        } else if (upper == u"COUNT") {
            p.literal = QString::number(master && master->isActive() ? master->recordCount() : 0);
        } else {
            Parser parser(expr, datasets, master, expr);
            NodePtr tree = parser.parse();
            if (tree && tree->op == Node::Op::Field && !parser.sawOperator()) {
                // A lone field prints its value as it is: texts, dates, numbers.
                p.kind = Kind::Field;
                p.dataset = tree->dataset;
                p.column = tree->column;
            } else if (tree && !parser.sawField()) {
                // Sums and numbers only: known before printing starts.
                p.literal = formatFloat(numberFormat, evaluateNode(*tree, ExpressionContext()));
            } else if (tree) {
                p.kind = Kind::Arithmetic;
                p.expression = tree;
            } else {
                // A field name the expression reader does not take (spaces in it, say).
                QString dsName, field;
                if (!splitFieldRef(expr, &dsName, &field))
                    throw ReportError(QStringLiteral("Rapor ifadesi anlaşılamadı: [%1]").arg(expr));
                p.kind = Kind::Field;
                p.dataset = findDataset(datasets, dsName, expr);
                p.column = findColumn(p.dataset, dsName, field, expr);
            }
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
            const QVariant v = fieldValue(p.dataset, p.column, ctx);
            out += formatValue(m_format.isEmpty() && isFloat(v) ? kDefaultAmountFormat : m_format, v);
            break;
        }
        case Kind::Arithmetic:
            out += formatFloat(m_format.isEmpty() ? kDefaultAmountFormat : m_format, evaluateNode(*p.expression, ctx));
            break;
        }
    }
    return out;
}
