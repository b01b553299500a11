#include "tools/vadefark_calc.h"

#include "data/date_completion.h"
#include "data/date_reading.h"
#include "data/display_format.h"
#include "data/engine_error.h"
#include "data/number_reading.h"
#include "data/typed_numbers.h"
#include "widgets/form_kit.h"

#include <algorithm>
#include <cmath>

namespace VadeFark {
namespace {

using FormKit::kDays;
using FormKit::kMoney;

bool hasDigit(const QString &s)
{
    return std::any_of(s.begin(), s.end(), [](QChar c) { return c.isDigit(); });
}

// Saturday and Sunday count from the Monday after.
int weekendShift(const QDate &due)
{
    if (due.dayOfWeek() == Qt::Sunday) return 1;
    if (due.dayOfWeek() == Qt::Saturday) return 2;
    return 0;
}

double yearDaysOf(const QString &text)
{
    if (text.trimmed().isEmpty()) throw EngineError(QStringLiteral("'' geçerli bir sayı değil."));
    const double v = strictNumber(text);
    if (v == 0.0) throw EngineError(QStringLiteral("Yıldaki gün sıfır olamaz."));
    return v;
}

// The maturity difference of an adat: negative for days still to come. A zero
// stays "0,00", never "-0,00".
double difference(double rate, double adat, double yearDays) { return -(rate * adat) / (yearDays * 100.0) + 0.0; }

} // namespace

QStringList columnTitles()
{
    return {QString(),
            QStringLiteral("İşlem Tarihi"),
            QStringLiteral("Vade Tarihi"),
            QStringLiteral("Açıklama"),
            QStringLiteral("Borç Tutarı"),
            QStringLiteral("Alacak Tutarı"),
            QStringLiteral("Gün"),
            QStringLiteral("B.Vade Farkı"),
            QStringLiteral("A.Vade Farkı"),
            QStringLiteral("Borç Adat"),
            QStringLiteral("Alacak Adat"),
            QStringLiteral("Index"),
            QStringLiteral("Index2")};
}

LineResult calculateLine(QStringList &cells, Params &params)
{
    while (cells.size() < ColumnCount) cells << QString();
    if (params.yillikFaiz.trimmed().isEmpty()) params.yillikFaiz = QStringLiteral("0");

    const double borc = sayiOku(cells[ColBorc]);
    const double alacak = sayiOku(cells[ColAlacak]);
    if (borc < 0.01) {
        cells[ColBorcFark].clear();
        cells[ColBorcAdat].clear();
    }
    if (alacak < 0.01) {
        cells[ColAlacakFark].clear();
        cells[ColAlacakAdat].clear();
    }

    // The transaction date is completed as the due date is; a date that names no
    // real day is refused in both, so no impossible date reaches the file or the sort.
    const int year = params.hesapTarihi.year();
    for (int col : {ColIslem, ColVade}) {
        if (!hasDigit(cells[col])) continue;
        const DueDateResult d = completeDueDate(cells[col], year);
        cells[col] = d.text;
        if (d.outcome == DueDate::Stop || d.outcome == DueDate::Invalid)
            return {LineOutcome::Stopped, d.message};
    }
    // A line typed with one of its dates takes it for both.
    if (!hasDigit(cells[ColIslem]) && hasDigit(cells[ColVade]) && cells[ColVade].size() == 10) cells[ColIslem] = cells[ColVade];
    if (!hasDigit(cells[ColVade]) && hasDigit(cells[ColIslem]) && cells[ColIslem].size() == 10) cells[ColVade] = cells[ColIslem];
    if (!hasDigit(cells[ColVade])) {
        cells[ColVade].clear();
        return {LineOutcome::NotCalculated, QString()};
    }

    if (!cells[ColBorc].isEmpty()) {
        cells[ColBorc] = formatFloat(kMoney, borc);
        cells[ColBorcFark] = formatFloat(kMoney, sayiOku(cells[ColBorcFark]));
    }
    if (!cells[ColAlacak].isEmpty()) {
        cells[ColAlacak] = formatFloat(kMoney, alacak);
        cells[ColAlacakFark] = formatFloat(kMoney, sayiOku(cells[ColAlacakFark]));
    }

    const QDate due = cellDate(cells[ColVade]);
    const QDate &h = params.hesapTarihi;
    const qint64 borcEk = tamSayiOku(params.borcEkSure);
    const qint64 alacakEk = tamSayiOku(params.alacakEkSure);
    const double rate = strictNumber(params.yillikFaiz);
    const double yearDays = yearDaysOf(params.yildakiGun);
    cells[ColGun] = QString::number(h.daysTo(due) + borcEk);
    // Each side counts by its own weekend rule: a line that holds both a debt and a
    // credit moves the credit only when the credit's rule says so.
    if (borc > 0) {
        const qint64 days = h.daysTo(due) + borcEk + (params.borcHaftaSonu ? weekendShift(due) : 0);
        const double adat = borc * double(days);
        cells[ColGun] = QString::number(days);
        cells[ColBorcAdat] = formatFloat(kMoney, adat);
        cells[ColBorcFark] = formatFloat(kMoney, difference(rate, adat, yearDays));
    }
    if (alacak > 0) {
        const qint64 days = h.daysTo(due) + alacakEk + (params.alacakHaftaSonu ? weekendShift(due) : 0);
        const double adat = alacak * double(days);
        cells[ColGun] = QString::number(days);
        cells[ColAlacakAdat] = formatFloat(kMoney, adat);
        cells[ColAlacakFark] = formatFloat(kMoney, difference(rate, adat, yearDays));
    }
    return {LineOutcome::Calculated, QString()};
}

QDate averageDate(const QDate &hesapTarihi, qint64 days)
{
    static const QDate first(1899, 12, 31), last(9999, 12, 31);
    const qint64 span = first.daysTo(last);
    days = std::clamp<qint64>(days, -span, span);
    const QDate d = hesapTarihi.addDays(days);
    return d < first ? first : d > last ? last : d;
}

namespace {
// Average days as a whole number; a quotient beyond any date is held where the
// date is clamped anyway.
int averageDays(double quotient) { return roundHalfEven(std::clamp(quotient, -1e7, 1e7)); }
} // namespace

Results calculateResults(const QVector<QStringList> &rows, const QDate &h, const QString &shownBorcOrtGun,
                         const QString &shownAlacakOrtGun)
{
    Results r;
    double borcAdat = 0, alacakAdat = 0;
    for (const QStringList &row : rows) {
        if (row.value(ColNo).isEmpty()) break;
        r.borc += sayiOku(row.value(ColBorc));
        r.alacak += sayiOku(row.value(ColAlacak));
        r.borcFark += sayiOku(row.value(ColBorcFark));
        r.alacakFark += sayiOku(row.value(ColAlacakFark));
        borcAdat += sayiOku(row.value(ColBorcAdat));
        alacakAdat += sayiOku(row.value(ColAlacakAdat));
    }
    // Sums of amounts shown to the kuruş are amounts to the kuruş.
    for (double *sum : {&r.borc, &r.alacak, &r.borcFark, &r.alacakFark}) *sum = roundKurus(*sum);
    r.bakiye = roundKurus(r.borc - r.alacak);
    r.netFark = roundKurus(r.borcFark - r.alacakFark);

    if (r.borc > 0) {
        r.borcOrtGun = averageDays(borcAdat / r.borc);
        r.borcOrtVade = averageDate(h, *r.borcOrtGun);
    }
    if (r.alacak > 0) {
        r.alacakOrtGun = averageDays(alacakAdat / r.alacak);
        r.alacakOrtVade = averageDate(h, *r.alacakOrtGun);
    }
    if (r.bakiye != 0 && (r.borc > 0 || r.alacak > 0)) {
        r.genelOrtGun = averageDays((borcAdat - alacakAdat) / (r.borc - r.alacak));
    } else if (r.bakiye == 0) {
        const auto shown = [](const std::optional<int> &now, const QString &before) -> qint64 {
            if (now) return *now;
            return sayiOkuDene(before).has_value() ? tamSayiOku(before) : 0;
        };
        r.genelOrtGun = int(std::clamp<qint64>(shown(r.borcOrtGun, shownBorcOrtGun) - shown(r.alacakOrtGun, shownAlacakOrtGun),
                                               -10000000, 10000000));
    }
    if (r.genelOrtGun) r.genelOrtVade = averageDate(h, *r.genelOrtGun);
    return r;
}

std::optional<OffsettingRate> offsettingRate(const QString &borcOrtGun, const QString &alacakOrtGun,
                                             const QString &bakiye, const QString &borc, const QString &alacak)
{
    const auto read = [](const QString &t) { return sayiOkuDene(t).value_or(0.0); };
    const double bo = read(borcOrtGun), ao = read(alacakOrtGun), b = read(bakiye), d = read(borc), a = read(alacak);
    double quotient = 0;
    if (a > d) {
        if (d == 0 || bo == ao) return std::nullopt;
        quotient = b / d / (bo - ao);
    } else if (d > a) {
        if (a == 0 || ao == bo) return std::nullopt;
        quotient = b / a / (ao - bo);
    } else {
        return std::nullopt;
    }
    OffsettingRate r;
    r.yearly = std::nearbyint(quotient * 365 * 100 * 10000) / 10000;
    r.monthly = r.yearly / 12;
    return r;
}

QString sortKey(const QStringList &cells, int defaultYear)
{
    static const QString last = QStringLiteral("99999999");
    if (!hasDigit(cells.value(ColVade))) return last;
    // The transaction date, completed as the line step completes it; a row without
    // one sorts by its due date.
    for (int col : {ColIslem, ColVade}) {
        const auto f = tarihAlanlari(cells.value(col));
        if (!f || (f->day == 0 && f->month == 0 && f->year == 0)) continue;
        const int year = f->year == 0 && f->month > 0 ? defaultYear : tamYil(f->year);
        return QStringLiteral("%1%2%3").arg(year, 4, 10, QChar(u'0')).arg(f->month, 2, 10, QChar(u'0')).arg(f->day, 2, 10, QChar(u'0'));
    }
    return last;
}

void sortRows(QVector<QStringList> &rows, int defaultYear)
{
    for (QStringList &r : rows) {
        while (r.size() < ColumnCount) r << QString();
        r[ColIndex2] = sortKey(r, defaultYear);
    }
    std::stable_sort(rows.begin(), rows.end(), [](const QStringList &a, const QStringList &b) {
        return a[ColIndex2].compare(b[ColIndex2], Qt::CaseInsensitive) < 0;
    });
    renumber(rows);
}

bool isEmptyLine(const QStringList &cells)
{
    for (int c = ColIslem; c <= ColAlacak; ++c)
        if (!cells.value(c).isEmpty()) return false;
    return true;
}

void renumber(QVector<QStringList> &rows)
{
    for (int i = 0; i < rows.size(); ++i) {
        while (rows[i].size() < ColumnCount) rows[i] << QString();
        rows[i][ColNo] = QString::number(i + 1);
    }
}

} // namespace VadeFark
