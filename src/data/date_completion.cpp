#include "data/date_completion.h"

#include "data/date_reading.h"

namespace {

QString twoDigits(qint64 v) { return v < 10 ? QStringLiteral("0") + QString::number(v) : QString::number(v); }

QString digitsOf(const QString &s)
{
    QString d;
    for (QChar c : s)
        if (c.isDigit() && c.unicode() < 128) d += c;
    return d;
}

} // namespace

QDate cellDate(const QString &t)
{
    // Fixed positions: QDate::fromString with a format is slow on every grid row.
    if (t.size() != 10 || t[2] != u'.' || t[5] != u'.') return {};
    const auto num = [&t](int from, int len) {
        int v = 0;
        for (int i = from; i < from + len; ++i) {
            if (!t[i].isDigit()) return -1;
            v = v * 10 + t[i].digitValue();
        }
        return v;
    };
    return QDate(num(6, 4), num(3, 2), num(0, 2));
}

DueDateResult completeDueDate(const QString &cell, int defaultYear)
{
    // The mask puts day, month and year at fixed places ("5_.3_.24__"); a date that
    // came in without it ("1.1.24", pasted or imported) is read by its fields the
    // same way, and anything beyond a date ("31.12.2024xyz") is refused.
    const auto fields = tarihAlanlari(cell);
    if (!fields)
        return {DueDate::Stop, QString(), u'"' + cell.trimmed() + QStringLiteral("\" tarih girişiniz uygun değil!")};
    if (fields->day > 0 || fields->month > 0 || fields->year > 0) {
        const qint64 day = fields->day;
        const qint64 month = fields->month;
        qint64 year = fields->year;
        if (year == 0 && month > 0) year = defaultYear;
        QString yearText = QString::number(year);
        if (yearText.size() == 1) yearText.prepend(QStringLiteral("200"));
        else if (yearText.size() == 2) yearText.prepend(QStringLiteral("20"));
        else if (yearText.size() == 3) yearText.prepend(u'1');
        const qint64 fullYear = yearText.toLongLong();
        const QString text = twoDigits(day) + u'.' + twoDigits(month) + u'.' + yearText;
        if (!(day >= 1 && month >= 1 && fullYear >= 1905 && fullYear <= 2999))
            return {DueDate::Stop, QString(), u'"' + text + QStringLiteral("\" tarih girişiniz uygun değil!")};
        if (digitsOf(text).size() > 5) {
            if (QDate::isValid(int(fullYear), int(month), int(day))) return {DueDate::Valid, text, QString()};
            return {DueDate::Invalid, QString(), text + QStringLiteral(" Tarih Girişiniz doğru değil.")};
        }
    }
    return {DueDate::Empty, QString(), QString()};
}
