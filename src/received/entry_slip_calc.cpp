#include "received/entry_slip_calc.h"

#include "data/date_reading.h"
#include "data/display_format.h"
#include "data/engine_error.h"
#include "data/number_reading.h"
#include "widgets/form_kit.h"

#include <cmath>

namespace EntrySlip {
namespace {

using FormKit::kMoney;

QString twoDigits(qint64 v) { return v < 10 ? QStringLiteral("0") + QString::number(v) : QString::number(v); }

QString digitsOf(const QString &s)
{
    QString d;
    for (QChar c : s)
        if (c.isDigit() && c.unicode() < 128) d += c;
    return d;
}

} // namespace

double strictNumber(const QString &raw)
{
    QString s = raw;
    s.remove(u' ');
    if (s.isEmpty()) return 0.0;
    const QString original = s;
    if (s.contains(u',')) {
        s.remove(u'.');
        s.replace(u',', u'.');
    }
    bool ok = false;
    const double v = s.toDouble(&ok);
    if (!ok) throw EngineError(QStringLiteral("'%1' geçerli bir sayı değil.").arg(original));
    return v;
}

qint64 strictInteger(const QString &raw)
{
    bool ok = false;
    const qint64 v = raw.trimmed().toLongLong(&ok);
    if (!ok) throw EngineError(QStringLiteral("'%1' geçerli bir tamsayı değil.").arg(raw));
    return v;
}

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

DueDateResult completeDueDate(const QString &cell, int slipYear)
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
        if (year == 0 && month > 0) year = slipYear;
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

RowStep calculateRow(QStringList &cells, Params &params)
{
    while (cells.size() < ColumnCount) cells << QString();
    if (params.yildakiGun.trimmed().isEmpty()) params.yildakiGun = QStringLiteral("365");
    if (params.yillikFaiz.trimmed().isEmpty()) params.yillikFaiz = QStringLiteral("0");

    if (!params.yearFromSlip) {
        // Without the slip's year a due date needs its own: "05.03.0" is refused.
        const auto fields = tarihAlanlari(cells[ColVade]);
        if (fields && fields->year == 0 && (fields->day > 0 || fields->month > 0)) {
            cells[ColVade].clear();
            return {DueDate::Stop, u'"' + twoDigits(fields->day) + u'.' + twoDigits(fields->month) +
                                       QStringLiteral(".0\" tarih girişiniz uygun değil!")};
        }
    }
    const DueDateResult due = completeDueDate(cells[ColVade], params.slipDate.year());
    cells[ColVade] = due.text;
    if (due.outcome != DueDate::Valid) return {due.outcome, due.message};

    if (!cells[ColTutar].isEmpty()) {
        cells[ColTutar] = formatFloat(kMoney, sayiOku(cells[ColTutar]));
        cells[ColMasraf] = formatFloat(kMoney, sayiOku(cells[ColMasraf]));
    }
    if (cells[ColVade].size() == 10) {
        const QDate dueDate = cellDate(cells[ColVade]);
        int shift = 0;
        if (params.weekendShift) {
            if (dueDate.dayOfWeek() == Qt::Sunday) shift = 1;
            else if (dueDate.dayOfWeek() == Qt::Saturday) shift = 2;
        }
        const QDate effective = dueDate.addDays(qint64(sayiOku(params.gunEkle)) + shift);
        const qint64 days = params.slipDate.daysTo(effective);
        cells[ColGun] = QString::number(days);
        const double amount = sayiOku(cells[ColTutar]);
        const double adat = amount * double(days);
        cells[ColAdat] = formatFloat(kMoney, adat);
        const double yearDays = strictNumber(params.yildakiGun);
        if (yearDays == 0.0) throw EngineError(QStringLiteral("Yıldaki gün sıfır olamaz."));
        const double maturity = strictNumber(params.yillikFaiz) * adat / (yearDays * 100.0);
        cells[ColVadeFarki] = formatFloat(kMoney, maturity);
        cells[ColNet] = formatFloat(kMoney, amount - maturity - sayiOku(cells[ColMasraf]));
    }
    return {DueDate::Valid, QString()};
}

int roundHalfEven(double value) { return int(std::nearbyint(value)); }

Totals calculateTotals(const QVector<QStringList> &rows, const Params &params)
{
    Totals t;
    for (const QStringList &r : rows) {
        if (r.value(ColNo).isEmpty()) break;
        // Only the rows a save stores count: an amount typed without a due date
        // would otherwise be credited to the account with no cheque behind it.
        if (r.value(ColVade).size() < 6 || sayiOku(r.value(ColTutar)) <= 0) continue;
        t.amount += sayiOku(r.value(ColTutar));
        t.maturityDifference += sayiOku(r.value(ColVadeFarki));
        t.expense += sayiOku(r.value(ColMasraf));
        t.net += sayiOku(r.value(ColNet));
        t.adat += sayiOku(r.value(ColAdat));
    }
    // Sums of shown amounts are amounts to the kuruş; the BSMV is kept as shown.
    for (double *sum : {&t.amount, &t.maturityDifference, &t.expense, &t.net}) *sum = roundKurus(*sum);
    const double percent = sayiOku(params.bsmvPercent);
    t.bsmv = percent > 0 ? roundKurus(percent * (t.maturityDifference + t.expense) / 100.0) : 0.0;
    if (t.amount > 0) {
        t.hasAverage = true;
        t.averageDays = roundHalfEven(t.adat / t.amount);
        t.averageDate = params.slipDate.addDays(t.averageDays);
    }
    return t;
}

double creditAmount(const Totals &t, bool deductMaturity, bool deductExpense, bool deductBsmv)
{
    double credit = t.amount;
    if (deductMaturity) credit -= t.maturityDifference;
    if (deductExpense) credit -= t.expense;
    if (deductBsmv) credit -= t.bsmv;
    return roundKurus(credit);
}

} // namespace EntrySlip
