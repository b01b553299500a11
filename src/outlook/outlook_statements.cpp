#include "outlook/outlook_statements.h"

#include "data/cheque_state.h"
#include "data/connection.h"
#include "data/query.h"
#include "data/sql_literals.h"

#include <QLocale>
#include <algorithm>

namespace Outlook {
namespace {

using ChequeState::Received;

QString held() { return QStringLiteral("((%1) OR (%2) OR (%3))")
        .arg(ChequeState::receivedCondition(Received::Portfolio), ChequeState::receivedCondition(Received::AtBankEntry),
             ChequeState::receivedCondition(Received::AtBank)); }

// Sums of cekgiris per due day and currency under a condition. The TL value at the
// stored rate is the amount itself for TL cheques.
QStringList receivedSums(const QString &where)
{
    return {QStringLiteral("SELECT cek_tarihi, para_birimi, COUNT(*) AS adet, SUM(cek_tutari) AS tutar,"),
            QStringLiteral("SUM(IIf(para_birimi='TL', cek_tutari, cek_tutari*IFNULL(cek_doviz_kuru,0))) AS tl"),
            QStringLiteral("FROM cekgiris WHERE ") + where,
            QStringLiteral("GROUP BY cek_tarihi, para_birimi;")};
}

// "Set" as the state reading counts it: a value that is not an empty text.
QString setFlag(const char *field)
{
    const QString f = QLatin1String(field);
    return QStringLiteral("(%1 IS NOT NULL AND TRIM(%1)<>'')").arg(f);
}

QVector<DueSum> readSums(Connection &c, const QStringList &lines, const std::function<bool(const Record &)> &keep = {})
{
    Query q(&c);
    q.reopen(lines);
    QVector<DueSum> out;
    for (int row = 0, n = q.recordCount(); row < n; ++row) {
        const Record r = q.recordAt(row);
        if (keep && !keep(r)) continue;
        DueSum s;
        s.due = r.asDate(QStringLiteral("cek_tarihi"));
        s.currency = r.asString(QStringLiteral("para_birimi")).trimmed();
        s.amount = r.asFloat(QStringLiteral("tutar"));
        s.storedTl = r.asFloat(QStringLiteral("tl"));
        s.count = int(r.asInteger(QStringLiteral("adet")));
        if (s.due.isValid()) out << s;
    }
    return out;
}

QDate monthEnd(const QDate &d) { return QDate(d.year(), d.month(), d.daysInMonth()); }

} // namespace

QStringList heldSums() { return receivedSums(held()); }

QStringList endorsedSums(const QDate &today)
{
    return receivedSums(QStringLiteral("(%1) AND (cek_tarihi>=%2)")
                            .arg(ChequeState::receivedCondition(Received::Endorsed), sqlDate(today)));
}

// Own cheques grouped also by their three marks, so that the one state reading
// decides which are still to pay.
QStringList ownSums()
{
    const QString marks = setFlag("cek_iade_tarihi") + QStringLiteral(" AS iade, ") + setFlag("cek_karsiliklsiz_tarihi")
                          + QStringLiteral(" AS karsiliksiz, ") + setFlag("cek_tahsilat_tarihi") + QStringLiteral(" AS odendi");
    return {QStringLiteral("SELECT cek_tarihi, para_birimi, ") + marks + QStringLiteral(", COUNT(*) AS adet,"),
            QStringLiteral("SUM(cek_tutari) AS tutar,"),
            QStringLiteral("SUM(IIf(para_birimi='TL', cek_tutari, cek_tutari*IFNULL(cek_doviz_kuru,0))) AS tl"),
            QStringLiteral("FROM cekkendi GROUP BY cek_tarihi, para_birimi, iade, karsiliksiz, odendi;")};
}

QStringList cashSums(const QDate &day)
{
    return {QStringLiteral("SELECT doviz_cinsi, SUM(IFNULL(borc_tutar,0))-SUM(IFNULL(alacak_tutar,0)) AS bakiye FROM nakit"),
            QStringLiteral("WHERE (islem_tarihi<%1) GROUP BY doviz_cinsi;").arg(sqlDate(day.addDays(1)))};
}

QStringList rateRows()
{
    return {QStringLiteral("SELECT kur_kodu, kur_tarihi, md_alis FROM kurlar WHERE (md_alis>0)"),
            QStringLiteral("ORDER BY kur_tarihi ASC, kurt_id ASC;")};
}

Inputs read(Connection &company, Connection *cash, const QDate &today)
{
    Inputs in;
    in.held = readSums(company, heldSums());
    in.endorsed = readSums(company, endorsedSums(today));
    in.own = readSums(company, ownSums(), [](const Record &r) {
        const auto state = ChequeState::ownState([&r](const char *field) -> QVariant {
            const QString f = QLatin1String(field);
            const char *flag = f == u"cek_iade_tarihi"           ? "iade"
                               : f == u"cek_karsiliklsiz_tarihi" ? "karsiliksiz"
                               : f == u"cek_tahsilat_tarihi"     ? "odendi"
                                                                 : nullptr;
            if (!flag || r.asInteger(QLatin1String(flag)) == 0) return QVariant();
            return QVariant(1);
        });
        return state == ChequeState::Own::Issued;
    });
    {
        Query q(&company);
        q.reopen(rateRows());
        // Ordered by day: the last row of a currency is its latest rate.
        for (int row = 0, n = q.recordCount(); row < n; ++row) {
            const Record r = q.recordAt(row);
            const QString code = r.asString(QStringLiteral("kur_kodu")).trimmed().toUpper();
            if (!code.isEmpty()) in.rates[code] = r.asFloat(QStringLiteral("md_alis"));
        }
    }
    if (cash && cash->isOpen()) {
        Query q(cash);
        q.reopen(cashSums(today));
        for (int row = 0, n = q.recordCount(); row < n; ++row) {
            const Record r = q.recordAt(row);
            const QString currency = r.asString(QStringLiteral("doviz_cinsi")).trimmed();
            in.cash[currency.isEmpty() ? kTl : currency] += r.asFloat(QStringLiteral("bakiye"));
        }
    }
    return in;
}

QStringList currencies(const Inputs &in)
{
    QStringList out;
    auto add = [&out](const QString &c) {
        if (!c.isEmpty() && !out.contains(c)) out << c;
    };
    for (const auto *list : {&in.held, &in.own, &in.endorsed})
        for (const DueSum &s : *list) add(s.currency);
    for (auto it = in.cash.begin(); it != in.cash.end(); ++it) add(it.key());
    std::sort(out.begin(), out.end());
    if (out.removeAll(kTl) > 0 || out.isEmpty()) out.prepend(kTl);
    return out;
}

QString periodLabel(const Period &p, Step step)
{
    if (p.overdue) return QStringLiteral("Vadesi Geçmiş");
    const QLocale tr(QLocale::Turkish, QLocale::Turkey);
    if (step == Step::Month) return tr.toString(p.from, QStringLiteral("MMMM yyyy"));
    return p.from.toString(QStringLiteral("dd.MM")) + QStringLiteral(" - ") + p.to.toString(QStringLiteral("dd.MM.yyyy"));
}

Result compute(const Inputs &in, const Options &o)
{
    Result res;
    const bool allInTl = o.currency.isEmpty();
    // The value of an amount in the figures' unit; a currency without a rate of its
    // own counts at the rates stored on its cheques.
    auto value = [&](const QString &currency, double amount, double storedTl, bool *missing) {
        *missing = false;
        if (!allInTl || currency == kTl || currency.isEmpty()) return amount;
        const double rate = in.rates.value(currency.toUpper());
        if (rate > 0) return amount * rate;
        *missing = true;
        return storedTl;
    };
    auto noteMissing = [&res](const QString &currency) {
        if (!res.missingRates.contains(currency)) res.missingRates << currency;
    };
    auto counts = [&](const QString &currency) { return allInTl || currency == o.currency; };

    Period overdue;
    overdue.overdue = true;
    overdue.from = QDate(1900, 1, 1);
    overdue.to = o.today.addDays(-1);
    overdue.label = periodLabel(overdue, o.step);
    res.periods << overdue;
    QDate from = o.today;
    for (int i = 0; i < qMax(1, o.periods); ++i) {
        Period p;
        p.from = from;
        p.to = o.step == Step::Week ? from.addDays(6) : monthEnd(from);
        p.label = periodLabel(p, o.step);
        res.periods << p;
        from = p.to.addDays(1);
    }
    auto periodOf = [&res](const QDate &due) -> Period * {
        for (Period &p : res.periods)
            if (due >= p.from && due <= p.to) return &p;
        return nullptr;
    };

    enum Kind { In, Out, Endorsed };
    auto add = [&](const QVector<DueSum> &sums, Kind kind) {
        for (const DueSum &s : sums) {
            if (!counts(s.currency)) continue;
            Period *p = periodOf(s.due);
            if (!p || (kind == Endorsed && p->overdue)) continue;
            bool missing = false;
            const double v = value(s.currency, s.amount, s.storedTl, &missing);
            if (missing) noteMissing(s.currency);
            if (kind == In) { p->in += v; p->inCount += s.count; }
            else if (kind == Out) { p->out += v; p->outCount += s.count; }
            else { p->endorsed += v; p->endorsedCount += s.count; }
        }
    };
    add(in.held, In);
    add(in.own, Out);
    add(in.endorsed, Endorsed);

    for (auto it = in.cash.begin(); it != in.cash.end(); ++it) {
        if (!counts(it.key())) continue;
        if (!allInTl || it.key() == kTl) {
            res.cash += it.value();
            continue;
        }
        const double rate = in.rates.value(it.key().toUpper());
        if (rate > 0) res.cash += it.value() * rate;
        else noteMissing(it.key());  // foreign cash without a rate stays out of the TL line
    }
    double balance = res.cash;
    for (Period &p : res.periods) {
        balance += p.in - p.out;
        p.balance = balance;
    }
    return res;
}

} // namespace Outlook
