#include "tools/import_steps.h"

#include "data/engine_error.h"
#include "data/number_reading.h"
#include "data/spreadsheet_reader.h"
#include "received/entry_slip_calc.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
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
    if (sheet.lastRow < 1 || sheet.lastColumn < 1)
        throw EngineError(QStringLiteral("Dosyanın ilk sayfası boş; aktarılacak bir çek yok."));
    // The grid holds rows x columns texts: its width is checked before any is made.
    if (sheet.lastColumn > kMaxColumns)
        throw EngineError(QStringLiteral("Sayfada %1 sütun kullanılmış; aktarılacak sayfa en çok %2 sütun olabilir. "
                                         "Çekleri ilk %2 sütundaki bir sayfaya alıp yeniden deneyin.")
                              .arg(QLocale(QLocale::Turkish).toString(sheet.lastColumn))
                              .arg(kMaxColumns));
    const int rows = qMin(sheet.lastRow + 1, kMaxRows);
    const int cols = sheet.lastColumn + 1;
    QVector<QStringList> out(rows);
    for (int r = 1; r <= rows; ++r) {
        QStringList &line = out[r - 1];
        line.reserve(cols);
        for (int c = 1; c <= cols; ++c) {
            const QVariant v = sheet.value(r, c);
            if (!v.isValid() && !sheet.formats.isEmpty()) {
                const auto f = sheet.formats.constFind({r, c});
                if (f != sheet.formats.cend() && !f->formula.isEmpty()) {
                    line << u'=' + f->formula;
                    continue;
                }
            }
            line << cellText(v);
        }
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

// A transfer stopped by a check: nothing is handed on.
Transfer stopped(const QString &why)
{
    Transfer t;
    t.error = why;
    return t;
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
        const QString amount = amountCol > 0 ? cell(sheet, r, amountCol).trimmed() : QString();
        for (const auto &[text, what] : {std::pair{date, "tarih"}, std::pair{amount, "tutar"}})
            if (text.startsWith(u'='))
                return stopped(QStringLiteral("%1. satırdaki %2 hücresinde hesaplanmış değeri olmayan bir formül var (%3). "
                                              "Dosyayı hesaplayan bir programda açıp kaydedin. Aktarım yapılmadı.")
                                   .arg(r)
                                   .arg(QLatin1String(what), text));
        if (date.isEmpty()) {
            t.messages << emptyDate;
            t.rows << row;
            continue;
        }
        const QRegularExpressionMatch m = dayMonthYear.match(date);
        if (!m.hasMatch())
            return stopped(QStringLiteral("%1. satırdaki tarih (%2) gg%3aa%3yyyy şeklinde olmalıdır. Aktarım yapılmadı.")
                            .arg(r)
                            .arg(date, sep));
        const int day = m.captured(1).toInt(), month = m.captured(2).toInt(), year = m.captured(3).toInt();
        if (!QDate(year, month, day).isValid() || year <= 1905)
            return stopped(QStringLiteral("%1. satırdaki tarih (%2) geçerli bir gün değil. Aktarım yapılmadı.").arg(r).arg(date));
        if (!amount.isEmpty()) {
            try {
                sayiOku(amount);
            } catch (const EngineError &e) {
                return stopped(QStringLiteral("%1. satırdaki tutar okunamadı: %2 Aktarım yapılmadı.").arg(r).arg(e.message()));
            }
            if (amountCol > 0 && !amountReadsOneWay(cell(sheet, r, amountCol)))
                return stopped(QStringLiteral("%1. satırdaki tutar (%2) tek türlü okunamıyor; 1.500,50, 1500,50 ya da "
                                              "1500 şeklinde olmalıdır. Aktarım yapılmadı.")
                                   .arg(r)
                                   .arg(cell(sheet, r, amountCol).trimmed()));
        }
        row[EntrySlip::ColVade] = m.captured(1) + sep + m.captured(2) + sep + m.captured(3);
        if (amountCol > 0) row[EntrySlip::ColTutar] = cell(sheet, r, amountCol);
        row[EntrySlip::ColAciklama] = cell(sheet, r, descCol);
        t.rows << row;
    }
    // A range without a single date and amount would empty the slip for nothing.
    if (std::none_of(t.rows.cbegin(), t.rows.cend(), [](const QStringList &row) { return !row[EntrySlip::ColVade].isEmpty(); }))
        return stopped(QStringLiteral("%1. ile %2. satırlar arasında aktarılacak bir çek yok. Aktarım yapılmadı.")
                            .arg(first)
                            .arg(last));
    return t;
}

} // namespace SheetImport
