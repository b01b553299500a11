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

QString twoDigits(int v) { return v < 10 ? QStringLiteral("0") + QString::number(v) : QString::number(v); }

} // namespace

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
