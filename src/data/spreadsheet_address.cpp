#include "data/spreadsheet_address.h"

#include <QRegularExpression>

namespace {
bool parseCell(const QString &text, int &row, int &col)
{
    static const QRegularExpression re(QStringLiteral("^\\$?([A-Za-z]{1,3})\\$?([0-9]{1,7})$"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch()) return false;
    col = 0;
    for (QChar c : m.captured(1).toUpper()) col = col * 26 + (c.unicode() - 'A' + 1);
    row = m.captured(2).toInt();
    return row > 0 && col > 0;
}

CellRange ordered(int r1, int c1, int r2, int c2)
{
    return {qMin(r1, r2), qMin(c1, c2), qMax(r1, r2), qMax(c1, c2)};
}
} // namespace

CellRange parseRange(const QString &address)
{
    const QStringList parts = address.split(u':');
    int r1, c1, r2, c2;
    if (parts.size() == 1 && parseCell(parts[0], r1, c1)) return {r1, c1, r1, c1};
    if (parts.size() == 2 && parseCell(parts[0], r1, c1) && parseCell(parts[1], r2, c2)) return ordered(r1, c1, r2, c2);
    return {};
}

CellRange parseRange(const QString &first, const QString &second)
{
    const CellRange a = parseRange(first), b = parseRange(second);
    if (!a.isValid() || !b.isValid()) return {};
    return ordered(qMin(a.row1, b.row1), qMin(a.col1, b.col1), qMax(a.row2, b.row2), qMax(a.col2, b.col2));
}

QString columnLetters(int col)
{
    QString s;
    for (; col > 0; col = (col - 1) / 26) s.prepend(QChar(u'A' + (col - 1) % 26));
    return s;
}

QString cellAddress(int row, int col) { return columnLetters(col) + QString::number(row); }
