#include "mainmenu/dashboard_statements.h"

#include "accounts/ledger_statements.h"
#include "data/connection.h"
#include "data/dataset.h"
#include "data/sql_literals.h"

namespace Dashboard {
namespace {

// The range is written as open bounds a day outside, so both ends are included.
QString dateLine(const QDate &from, const QDate &to)
{
    return QStringLiteral("WHERE cek_tarihi<") + sqlDate(to.addDays(1)) + QStringLiteral(" AND cek_tarihi>")
           + sqlDate(from.addDays(-1));
}

QString orderLine(const QString &orderBy) { return orderBy.isEmpty() ? kDefaultOrder : orderBy; }

void addTo(CurrencySums &s, const QString &currency, double v)
{
    if (currency == u"TL") s.tl += v;
    else if (currency == u"USD") s.usd += v;
    else if (currency == u"EURO") s.euro += v;
}

} // namespace

QStringList portfolioStatement(const QDate &from, const QDate &to, const QString &orderBy)
{
    // The cheques still held: a returned or bounced cheque is no longer in hand.
    return {QStringLiteral("SELECT * FROM cekgiris"), dateLine(from, to), QStringLiteral("AND (cek_ciro_id IS NULL )"),
            QStringLiteral("AND (cek_tahsilat_tarihi IS NULL )"), QStringLiteral("AND (cek_iade_tarihi IS NULL)"),
            QStringLiteral("AND (cek_karsiliklsiz_tarihi IS NULL)"), orderLine(orderBy)};
}

QStringList bankStatement(const QDate &from, const QDate &to, const QString &orderBy)
{
    // A cheque taken back from the bank is in the portfolio again and counts there only.
    // A bounced one is no longer money the bank will collect.
    return {QStringLiteral("SELECT * FROM cekciro"), dateLine(from, to), QStringLiteral("AND cek_banka_id=2"),
            QStringLiteral("AND cek_iade_tarihi IS NULL"), QStringLiteral("AND cek_karsiliklsiz_tarihi IS NULL"),
            orderLine(orderBy)};
}

QStringList ownChequeStatement(const QDate &from, const QDate &to, const QString &orderBy)
{
    // A taken-back own cheque is no longer outstanding.
    return {QStringLiteral("SELECT * FROM cekkendi"), dateLine(from, to),
            QStringLiteral("AND (cek_tahsilat_tarihi IS NULL )"), QStringLiteral("AND cek_iade_tarihi IS NULL"),
            QStringLiteral("AND cek_karsiliklsiz_tarihi IS NULL"), orderLine(orderBy)};
}

QStringList balanceStatement()
{
    // The balance lists read the movements the ledger shows; their statement lives beside the ledger's.
    return Ledger::balancesByNameStatement();
}

double tlValue(const QString &currency, double amount, double rate)
{
    return currency == u"TL" ? amount : amount * rate;
}

CurrencySums sumCheques(const Dataset &list)
{
    CurrencySums s;
    if (!list.isActive()) return s;
    for (int row = 0, n = list.recordCount(); row < n; ++row) {
        const Record r = list.recordAt(row);
        const QString currency = r.asString(QStringLiteral("para_birimi"));
        const double amount = r.asFloat(QStringLiteral("cek_tutari"));
        addTo(s, currency, amount);
        s.tlEquivalent += tlValue(currency, amount, r.asFloat(QStringLiteral("cek_doviz_kuru")));
    }
    return s;
}

CurrencySums sumBalances(const Dataset &list)
{
    CurrencySums s;
    if (!list.isActive()) return s;
    for (int row = 0, n = list.recordCount(); row < n; ++row) {
        const Record r = list.recordAt(row);
        addTo(s, r.asString(QStringLiteral("doviz_cinsi")), r.asFloat(QStringLiteral("bakiye")));
    }
    return s;
}

} // namespace Dashboard
