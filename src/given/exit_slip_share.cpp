#include "given/exit_slip_share.h"

#include "data/connection.h"
#include "data/display_format.h"
#include "received/cheque_lifecycle.h"

namespace ExitSlip {

SlipHeader readHeader(Connection &company, qint64 slip)
{
    SlipHeader h;
    const Lifecycle::Row r = Lifecycle::read(company, QStringLiteral("cikisbordro"), QStringLiteral("bordro_ind"), slip);
    if (!r.found) return h;
    h.found = true;
    h.deductMaturity = r.text("vade_farki_dus") == QLatin1String("E");
    h.deductExpense = r.text("masraf_dus") == QLatin1String("E");
    h.deductBsmv = r.text("BSMV_dus") == QLatin1String("E");
    h.bsmvPercent = r.amount("BSMV_oran");
    return h;
}

RowSums sumsOf(const SlipHeader &h, const QVector<StoredRow> &rows)
{
    RowSums s;
    for (const StoredRow &r : rows) {
        s.amount += r.amount;
        s.maturityDifference += r.maturityDifference;
        s.expense += r.expense;
    }
    s.amount = roundKurus(s.amount);
    s.maturityDifference = roundKurus(s.maturityDifference);
    s.expense = roundKurus(s.expense);
    s.bsmv = h.bsmvPercent > 0 ? roundKurus(h.bsmvPercent * (s.maturityDifference + s.expense) / 100.0) : 0.0;
    double debit = s.amount;
    if (h.deductMaturity) debit -= s.maturityDifference;
    if (h.deductExpense) debit -= s.expense;
    if (h.deductBsmv) debit -= s.bsmv;
    s.debit = roundKurus(debit);
    return s;
}

namespace {

double shareOf(Connection &company, const Lifecycle::Row &row, qint64 slip)
{
    const StoredRow stored{row.amount("cek_tutari"), row.amount("cek_vade_farki"), row.amount("cek_masraf")};
    const SlipHeader h = readHeader(company, slip);
    if (!h.found) return roundKurus(stored.amount);
    return sumsOf(h, {stored}).debit;
}

} // namespace

double shareOfGiven(Connection &company, qint64 givenKey)
{
    const Lifecycle::Row row = Lifecycle::readGiven(company, givenKey);
    return row.found ? shareOf(company, row, row.integer("ciro_bordro_ind")) : 0.0;
}

double shareOfOwn(Connection &company, qint64 ownKey)
{
    const Lifecycle::Row row = Lifecycle::readOwn(company, ownKey);
    return row.found ? shareOf(company, row, row.integer("bordro_ind")) : 0.0;
}

} // namespace ExitSlip
