#include "data/spreadsheet_writer.h"

#include "data/display_format.h"
#include "data/program_home.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <xlsxwriter.h>

#include <map>
#include <tuple>

void SpreadsheetWorkbook::setCell(int row, int col, const QVariant &value)
{
    if (row < 1 || col < 1 || row > 1048576 || col > 16384) return;
    if (!value.isValid() || value.isNull()) {
        m_cells.erase(key(row, col));
        return;
    }
    Cell &c = m_cells[key(row, col)];
    c.value = value;
    c.formula.clear();
}

QVariant SpreadsheetWorkbook::cell(int row, int col) const
{
    const auto it = m_cells.find(key(row, col));
    return it == m_cells.end() ? QVariant() : it->second.value;
}

void SpreadsheetWorkbook::setBold(const CellRange &r, bool bold)
{
    if (r.isValid()) m_ops.append({r, Attr::Bold, bold});
}
void SpreadsheetWorkbook::setFontSize(const CellRange &r, double points)
{
    if (r.isValid()) m_ops.append({r, Attr::Size, points});
}
void SpreadsheetWorkbook::setNumberFormat(const CellRange &r, const QString &code)
{
    if (r.isValid()) m_ops.append({r, Attr::Format, code});
}

void SpreadsheetWorkbook::setFormula(const CellRange &r, const QString &formula)
{
    if (!r.isValid() || qint64(r.row2 - r.row1 + 1) * (r.col2 - r.col1 + 1) > 100000) return;
    for (int row = r.row1; row <= r.row2; ++row)
        for (int col = r.col1; col <= r.col2; ++col) {
            Cell &c = m_cells[key(row, col)];
            c.formula = formula.startsWith(u'=') ? formula : u'=' + formula;
            c.value = QVariant();
        }
}

SpreadsheetWorkbook::Style SpreadsheetWorkbook::styleOf(int row, int col) const
{
    Style s;
    for (const StyleOp &op : m_ops) {
        if (!op.range.contains(row, col)) continue;
        switch (op.attr) {
        case Attr::Bold: s.bold = op.value.toBool(); break;
        case Attr::Size: s.size = op.value.toDouble(); break;
        case Attr::Format: s.numberFormat = op.value.toString(); break;
        }
    }
    return s;
}

double SpreadsheetWorkbook::formulaResult(const QString &formula, int depth) const
{
    if (depth > 16) return 0;  // a circular reference
    const auto cellNumber = [&](int row, int col) -> double {
        const auto it = m_cells.find(key(row, col));
        if (it == m_cells.end()) return 0;
        if (!it->second.formula.isEmpty()) return formulaResult(it->second.formula, depth + 1);
        const QVariant &v = it->second.value;
        return (v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QDate) ? 0 : v.toDouble();
    };
    const auto sumOf = [&](const QString &arg, bool &ok) -> double {
        ok = true;
        const CellRange r = parseRange(arg);
        if (!r.isValid()) {
            bool number = false;
            const double v = arg.trimmed().toDouble(&number);
            ok = number;
            return v;
        }
        double sum = 0;
        // Only the cells that exist, so "A1:A1048576" costs nothing.
        for (auto it = m_cells.lower_bound(key(r.row1, 0)); it != m_cells.end(); ++it) {
            const int row = int(it->first >> 20), col = int(it->first & 0xFFFFF);
            if (row > r.row2) break;
            if (col >= r.col1 && col <= r.col2) sum += cellNumber(row, col);
        }
        return sum;
    };
    QString f = formula.trimmed();
    if (f.startsWith(u'=')) f.remove(0, 1);
    static const QRegularExpression sum(QStringLiteral("^SUM\\((.*)\\)$"), QRegularExpression::CaseInsensitiveOption);
    bool ok = false;
    if (const auto m = sum.match(f); m.hasMatch()) {
        double total = 0;
        for (const QString &arg : m.captured(1).split(QRegularExpression(QStringLiteral("[,;]")))) {
            total += sumOf(arg, ok);
            if (!ok) return 0;
        }
        return total;
    }
    const double v = sumOf(f, ok);
    return ok ? v : 0;
}

QString SpreadsheetWorkbook::displayText(int row, int col, const Cell &c) const
{
    const QVariant v = c.formula.isEmpty() ? c.value : QVariant(formulaResult(c.formula));
    if (v.typeId() == QMetaType::QString) return v.toString();
    QString format = styleOf(row, col).numberFormat;
    if (v.typeId() == QMetaType::QDate) return formatDate(QStringLiteral("dd.mm.yyyy"), v.toDate());
    if (format.isEmpty() || format.contains(QLatin1String("General"), Qt::CaseInsensitive))
        format = QStringLiteral("#,##0.##");
    return formatFloat(format, v.toDouble());
}

void SpreadsheetWorkbook::autoFit(const CellRange &r)
{
    if (!r.isValid()) return;
    for (int col = r.col1; col <= qMin(r.col2, 16384); ++col) m_widths.insert(col, 0);
    for (const auto &[k, c] : m_cells) {
        const int row = int(k >> 20), col = int(k & 0xFFFFF);
        if (!m_widths.contains(col) || col < r.col1 || col > r.col2) continue;
        const Style s = styleOf(row, col);
        // A character of the default 11-point font is about one width unit; bold and
        // larger fonts take more room.
        double width = displayText(row, col, c).size() * (s.bold ? 1.1 : 1.0) * (s.size > 0 ? s.size / 11.0 : 1.0) + 2;
        m_widths[col] = qMin(qMax(m_widths[col], width), 100.0);
    }
}

QString SpreadsheetWorkbook::save(const QString &path) const
{
    const QByteArray file = QFile::encodeName(path);
    QByteArray tmp = QFile::encodeName(QDir::tempPath());
    lxw_workbook_options options{};
    options.tmpdir = tmp.data();
    lxw_workbook *wb = workbook_new_opt(file.constData(), &options);
    if (!wb) return QStringLiteral("'%1' oluşturulamadı.").arg(path);
    lxw_worksheet *ws = workbook_add_worksheet(wb, "Sayfa1");

    std::map<std::tuple<bool, double, QString>, lxw_format *> formats;
    const auto formatFor = [&](const Style &s, bool isDate) -> lxw_format * {
        QString code = s.numberFormat;
        if (code.isEmpty() && isDate) code = QStringLiteral("dd.mm.yyyy");
        if (!s.bold && s.size <= 0 && code.isEmpty()) return nullptr;
        auto &f = formats[{s.bold, s.size, code}];
        if (!f) {
            f = workbook_add_format(wb);
            if (s.bold) format_set_bold(f);
            if (s.size > 0) format_set_font_size(f, s.size);
            if (!code.isEmpty()) format_set_num_format(f, code.toUtf8().constData());
        }
        return f;
    };

    for (const auto &[k, c] : m_cells) {
        const int row = int(k >> 20), col = int(k & 0xFFFFF);
        const lxw_row_t r = lxw_row_t(row - 1);
        const lxw_col_t cc = lxw_col_t(col - 1);
        const Style s = styleOf(row, col);
        if (!c.formula.isEmpty()) {
            worksheet_write_formula_num(ws, r, cc, c.formula.toUtf8().constData(), formatFor(s, false),
                                        formulaResult(c.formula));
            continue;
        }
        switch (c.value.typeId()) {
        case QMetaType::QDate:
        case QMetaType::QDateTime: {
            const QDate d = c.value.toDate();
            lxw_datetime dt{d.year(), d.month(), d.day(), 0, 0, 0};
            worksheet_write_datetime(ws, r, cc, &dt, formatFor(s, true));
            break;
        }
        case QMetaType::Double:
        case QMetaType::Float:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            worksheet_write_number(ws, r, cc, c.value.toDouble(), formatFor(s, false));
            break;
        default: {
            // A cell holds at most 32,767 characters.
            worksheet_write_string(ws, r, cc, c.value.toString().left(32767).toUtf8().constData(), formatFor(s, false));
            break;
        }
        }
    }
    for (auto it = m_widths.cbegin(); it != m_widths.cend(); ++it)
        if (it.value() > 0) worksheet_set_column(ws, lxw_col_t(it.key() - 1), lxw_col_t(it.key() - 1), it.value(), nullptr);

    const lxw_error err = workbook_close(wb);
    if (err != LXW_NO_ERROR) {
        QString message = QString::fromUtf8(lxw_strerror(err));
        if (err == LXW_ERROR_CREATING_XLSX_FILE || err == LXW_ERROR_CREATING_TMPFILE)
            message += QStringLiteral(" (%1)").arg(path);
        return message;
    }
    return {};
}

namespace SpreadsheetExport {
namespace {
Opener &customOpener()
{
    static Opener o;
    return o;
}

bool hasDesktopApplication()
{
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"),
                 QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet")});
    if (!query.waitForFinished(10000) || query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return false;
    return !query.readAllStandardOutput().trimmed().isEmpty();
}
} // namespace

void setOpener(Opener opener) { customOpener() = std::move(opener); }

bool openWithDesktop(const QString &path)
{
    if (customOpener()) return customOpener()(path);
    if (!hasDesktopApplication()) return false;
    // xdg-open returns once the application has been started; its exit code tells
    // whether an application was found.
    QProcess open;
    open.start(QStringLiteral("xdg-open"), {path});
    return open.waitForFinished(30000) && open.exitStatus() == QProcess::NormalExit && open.exitCode() == 0;
}

Result show(const SpreadsheetWorkbook &book, const QString &baseName)
{
    const QString folder = ProgramHome::path(QStringLiteral("Gecici"));
    // A new name each time, so a workbook the user still has open is never overwritten.
    const QString path = folder + u'/' + baseName + u'-'
                         + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"))
                         + QStringLiteral(".xlsx");
    QString error;
    if (!QDir().mkpath(folder)) error = QStringLiteral("'%1' klasörü oluşturulamadı.").arg(folder);
    else error = book.save(path);
    if (!error.isEmpty()) return {Outcome::WriteFailed, path, QString(kCannotOpen).replace(QLatin1String("%s"), error)};
    if (!openWithDesktop(path))
        return {Outcome::NoApplication, path, kNoApplication + QStringLiteral("\n\rDosya: ") + path};
    return {Outcome::Opened, path, {}};
}

} // namespace SpreadsheetExport
