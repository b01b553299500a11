#include "tools/import_steps.h"

#include "data/spreadsheet_reader.h"
#include "received/entry_slip_calc.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace SheetImport {

QString cellText(const QVariant &value)
{
    if (!value.isValid() || value.isNull()) return QString();
    switch (value.typeId()) {
    case QMetaType::QDate: return value.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    case QMetaType::QDateTime: return value.toDateTime().date().toString(QStringLiteral("dd.MM.yyyy"));
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong: {
        const double v = value.toDouble();
        if (!std::isfinite(v)) return QString();
        // Positional digits, never an exponent; 10 decimals cover any amount's cents.
        QString s = QString::number(v, 'f', 10);
        while (s.endsWith(u'0')) s.chop(1);
        if (s.endsWith(u'.')) s.chop(1);
        if (s == QLatin1String("-0")) s = QStringLiteral("0");
        return s.replace(u'.', u',');
    }
    case QMetaType::Bool: return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default: return value.toString();
    }
}

QVector<QStringList> sheetTexts(const SheetData &sheet)
{
    const int rows = qMin(sheet.lastRow + 1, kMaxRows);
    const int cols = sheet.lastColumn + 1;
    QVector<QStringList> out(rows);
    for (int r = 1; r <= rows; ++r) {
        QStringList &line = out[r - 1];
        line.reserve(cols);
        for (int c = 1; c <= cols; ++c) line << cellText(sheet.value(r, c));
    }
    return out;
}

namespace {

// A typed field: digits only (the edits take nothing else); empty stays empty.
bool readField(const QString &text, int *value)
{
    bool ok = false;
    *value = text.trimmed().toInt(&ok);
    return ok;
}

// An amount text is taken only when it reads one way: plain digits, digits with
// one decimal comma (a number cell as the grid shows it), or Turkish grouping
// with a decimal comma ("1.500,50"). "1500.50" or "1.500" could be read two ways
// (the slip drops dots), so they are refused rather than taken 100 or 1000 times
// too large.
bool amountReadsOneWay(const QString &text)
{
    static const QRegularExpression plain(QStringLiteral("^-?\\d+(,\\d+)?$"));
    static const QRegularExpression grouped(QStringLiteral("^-?\\d{1,3}(\\.\\d{3})+,\\d+$"));
    const QString t = text.trimmed();
    return t.isEmpty() || plain.match(t).hasMatch() || grouped.match(t).hasMatch();
}

QString cell(const QVector<QStringList> &sheet, int row, int col)
{
    if (row < 1 || row > sheet.size() || col < 1) return QString();
    return sheet[row - 1].value(col - 1);
}

} // namespace

Transfer transferRows(const QVector<QStringList> &sheet, const Columns &columns, const QString &sep)
{
    Transfer t;
    int first = 0, last = 0, dateCol = 0, amountCol = 0, descCol = 1;
    if (columns.firstRow.trimmed().isEmpty()) t.error = QStringLiteral("Başlangıç satırını boş geçemezsiniz!");
    else if (columns.lastRow.trimmed().isEmpty()) t.error = QStringLiteral("Bitiş satırını boş geçemezsiniz!");
    else if (columns.dateColumn.trimmed().isEmpty()) t.error = QStringLiteral("Tarih sütununu boş geçemezsiniz!");
    else if (columns.amountColumn.trimmed().isEmpty()) t.error = QStringLiteral("Çek tutar sütununu boş geçemezsiniz!");
    if (!t.error.isEmpty()) return t;
    if (!readField(columns.firstRow, &first) || !readField(columns.lastRow, &last) ||
        !readField(columns.dateColumn, &dateCol) || !readField(columns.amountColumn, &amountCol) ||
        (!columns.descriptionColumn.trimmed().isEmpty() && !readField(columns.descriptionColumn, &descCol))) {
        t.error = QStringLiteral("Satır ve sütun numaraları yalnız rakamdan oluşmalıdır!");
        return t;
    }
    if (first < 1) first = 1;
    if (last < first) {
        t.error = QStringLiteral("Bitiş satırı başlangıç satırından küçük olamaz!");
        return t;
    }
    if (descCol < 1) descCol = 1;

    static const QRegularExpression dayMonthYear(QStringLiteral("^(\\d{2})\\D(\\d{2})\\D(\\d{4})$"));
    const QString emptyDate = QStringLiteral("Tarih formatı gg") + sep + QStringLiteral("aa") + sep +
                              QStringLiteral("yyyy") + sep + QStringLiteral(" şeklinde olmalıdır.");
    // The walk ends with the last sheet row holding anything: the empty rows the
    // grid shows beyond the used area are no cheques to complain about.
    int filled = int(sheet.size());
    while (filled > 0 && std::all_of(sheet[filled - 1].cbegin(), sheet[filled - 1].cend(),
                                     [](const QString &c) { return c.trimmed().isEmpty(); }))
        --filled;
    const int end = qMin(last, filled);
    for (int r = first; r <= end; ++r) {
        QStringList row(EntrySlip::ColumnCount);
        const QString date = cell(sheet, r, dateCol).trimmed();
        if (date.isEmpty()) {
            t.messages << emptyDate;
            t.rows << row;
            continue;
        }
        const QRegularExpressionMatch m = dayMonthYear.match(date);
        if (!m.hasMatch()) {
            t.error = QStringLiteral("%1. satırdaki tarih (%2) gg%3aa%3yyyy şeklinde olmalıdır. Aktarım yapılmadı.")
                          .arg(r)
                          .arg(date, sep);
            t.rows.clear();
            t.messages.clear();
            return t;
        }
        const int day = m.captured(1).toInt(), month = m.captured(2).toInt(), year = m.captured(3).toInt();
        if (day < 32 && month < 13 && year > 1905) {
            row[EntrySlip::ColVade] = m.captured(1) + sep + m.captured(2) + sep + m.captured(3);
            if (amountCol > 0) {
                const QString amount = cell(sheet, r, amountCol);
                if (!amountReadsOneWay(amount)) {
                    t.error = QStringLiteral("%1. satırdaki tutar (%2) tek türlü okunamıyor; 1.500,50, 1500,50 ya da "
                                             "1500 şeklinde olmalıdır. Aktarım yapılmadı.")
                                  .arg(r)
                                  .arg(amount.trimmed());
                    t.rows.clear();
                    t.messages.clear();
                    return t;
                }
                row[EntrySlip::ColTutar] = amount.trimmed();
            }
            row[EntrySlip::ColAciklama] = cell(sheet, r, descCol);
        }
        t.rows << row;
    }
    return t;
}

} // namespace SheetImport
