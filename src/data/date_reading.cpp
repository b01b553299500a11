#include "data/date_reading.h"

std::optional<DateFields> tarihAlanlari(const QString &text)
{
    const QString t = text.trimmed();
    int values[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int field = 0;
    QChar separator;
    for (const QChar c : t) {
        if (c >= u'0' && c <= u'9') {
            if (digits[field] == (field == 2 ? 4 : 2)) return std::nullopt;
            values[field] = values[field] * 10 + (c.unicode() - u'0');
            ++digits[field];
        } else if (c == u'.' || c == u'/' || c == u'-') {
            if (separator.isNull()) separator = c;
            else if (c != separator) return std::nullopt;
            if (++field > 2) return std::nullopt;
        } else if (c != u'_' && c != u' ') {
            return std::nullopt;
        }
    }
    return DateFields{values[0], values[1], values[2]};
}

int tamYil(int year)
{
    if (year <= 0) return 0;
    if (year < 100) return 2000 + year;
    if (year < 1000) return 1000 + year;
    return year;
}

QDate tarihOku(const QString &text, int defaultYear)
{
    const QString t = text.trimmed();
    const auto digitsAt = [&t](int from, int count) {
        int v = 0;
        for (int i = from; i < from + count; ++i) {
            if (t[i] < u'0' || t[i] > u'9') return -1;
            v = v * 10 + (t[i].unicode() - u'0');
        }
        return v;
    };
    // The stored form, "2024-03-05".
    if (t.size() == 10 && t[4] == u'-' && t[7] == u'-') {
        const int y = digitsAt(0, 4), m = digitsAt(5, 2), d = digitsAt(8, 2);
        return y < 1000 || m < 0 || d < 0 ? QDate() : QDate(y, m, d);
    }
    const auto f = tarihAlanlari(t);
    if (!f || f->day < 1 || f->month < 1) return {};
    const int year = f->year > 0 ? tamYil(f->year) : defaultYear;
    if (year < 1) return {};
    return QDate(year, f->month, f->day);
}
