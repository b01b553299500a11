#include "app/year_end_carry.h"

#include "accounts/movement_writer.h"
#include "cash/cash_row_writer.h"
#include "data/connection.h"
#include "data/display_format.h"
#include "data/query.h"
#include "data/sql_literals.h"
#include "data/table.h"
#include "data/transaction.h"

#include <QCollator>
#include <QHash>
#include <QSet>
#include <algorithm>

namespace YearEnd {
namespace {

QString description(int y) { return QStringLiteral("31/12/") + QString::number(y) + QStringLiteral(" TARİHLİ DEVİR TUTARI"); }

QString accountKey(const QString &code, const QString &currency) { return code + QChar(0x1F) + currency; }

// Removes the cash "DEVİR" entries that are not wanted: a currency no longer
// carried, or every entry of a currency that has more than one.
void dropUnwantedCashRows(Connection &next, const QSet<QString> &wanted)
{
    Query q(&next);
    // Only the carry-over's own rows: a user's row of a type named "DEVİR" has no
    // islem_vadesi (only the carry-over writes that field).
    q.sql() << QStringLiteral("SELECT nid, doviz_cinsi FROM nakit WHERE neden = ") + sqlText(kMark)
            << QStringLiteral("AND islem_vadesi IS NOT NULL");
    q.open();
    QHash<QString, int> count;
    for (q.first(); !q.eof(); q.next()) ++count[q.field(QStringLiteral("doviz_cinsi")).asString()];
    QList<qint64> drop;
    for (q.first(); !q.eof(); q.next()) {
        const QString currency = q.field(QStringLiteral("doviz_cinsi")).asString();
        if (!wanted.contains(currency) || count.value(currency) > 1) drop.append(q.field(QStringLiteral("nid")).asInteger());
    }
    if (drop.isEmpty()) return;
    Table t(&next, QStringLiteral("nakit"));
    t.open();
    for (qint64 id : drop)
        if (t.locate(QStringLiteral("nid"), id)) t.remove();
}

// The same for the account entries, through the movement writer.
void dropUnwantedAccountRows(Connection &next, const QSet<QString> &wanted)
{
    Query q(&next);
    q.sql() << QStringLiteral("SELECT cari_kodu, doviz_cinsi, COUNT(*) AS n FROM carihareket")
            << QStringLiteral("WHERE fatura_seri = ") + sqlText(kMark) << QStringLiteral("GROUP BY cari_kodu, doviz_cinsi");
    q.open();
    QList<MovementWriter::Fields> drop;
    for (q.first(); !q.eof(); q.next()) {
        const QVariant code = q.field(QStringLiteral("cari_kodu")).value();
        const QVariant currency = q.field(QStringLiteral("doviz_cinsi")).value();
        if (wanted.contains(accountKey(code.toString(), currency.toString())) && q.field(QStringLiteral("n")).asInteger() == 1)
            continue;
        drop.append({{QStringLiteral("cari_kodu"), code}, {QStringLiteral("fatura_seri"), kMark}, {QStringLiteral("doviz_cinsi"), currency}});
    }
    for (const auto &key : drop) MovementWriter::remove(next, key);
}

} // namespace

QList<CashSum> cashSums(Connection &year)
{
    Query q(&year);
    q.sql() << QStringLiteral("SELECT doviz_cinsi, SUM(borc_tutar) as BorcToplam, SUM(alacak_tutar) as AlacakToplam")
            << QStringLiteral("FROM nakit GROUP BY doviz_cinsi ORDER BY doviz_cinsi");
    q.open();
    QList<CashSum> out;
    for (q.first(); !q.eof(); q.next())
        out.append({q.field(QStringLiteral("doviz_cinsi")).asString(), roundKurus(q.field(QStringLiteral("BorcToplam")).asFloat()),
                    roundKurus(q.field(QStringLiteral("AlacakToplam")).asFloat())});
    return out;
}

QList<AccountSum> accountSums(Connection &year, Connection &company)
{
    // Names from the cards; a code without a card keeps the name of its last movement.
    QHash<QString, QString> cardNames;
    {
        Query cards(&company);
        cards.sql() << QStringLiteral("SELECT firma_kodu, firma_adi FROM firma");
        cards.open();
        for (cards.first(); !cards.eof(); cards.next())
            cardNames.insert(cards.field(QStringLiteral("firma_kodu")).asString(), cards.field(QStringLiteral("firma_adi")).asString());
    }
    QHash<QString, QString> lastNames;
    {
        Query names(&year);
        names.sql() << QStringLiteral("SELECT cari_kodu, doviz_cinsi, cari_hesap_adi FROM carihareket ORDER BY chid");
        names.open();
        for (names.first(); !names.eof(); names.next())
            lastNames.insert(accountKey(names.field(QStringLiteral("cari_kodu")).asString(),
                                        names.field(QStringLiteral("doviz_cinsi")).asString()),
                             names.field(QStringLiteral("cari_hesap_adi")).asString());
    }
    Query q(&year);
    q.sql() << QStringLiteral("SELECT cari_kodu, doviz_cinsi, SUM(borc_tutari) as SUMborc_tutari,")
            << QStringLiteral("SUM(alacak_tutari) as SUMalacak_tutari FROM carihareket GROUP BY cari_kodu, doviz_cinsi");
    q.open();
    QList<AccountSum> out;
    for (q.first(); !q.eof(); q.next()) {
        AccountSum s;
        s.code = q.field(QStringLiteral("cari_kodu")).asString();
        s.currency = q.field(QStringLiteral("doviz_cinsi")).asString();
        s.name = cardNames.contains(s.code) ? cardNames.value(s.code) : lastNames.value(accountKey(s.code, s.currency));
        s.debit = roundKurus(q.field(QStringLiteral("SUMborc_tutari")).asFloat());
        s.credit = roundKurus(q.field(QStringLiteral("SUMalacak_tutari")).asFloat());
        out.append(s);
    }
    QCollator turkish{QLocale(QLocale::Turkish, QLocale::Turkey)};
    std::stable_sort(out.begin(), out.end(), [&turkish](const AccountSum &a, const AccountSum &b) {
        const int byName = turkish.compare(a.name, b.name);
        return byName != 0 ? byName < 0 : a.code < b.code;
    });
    return out;
}

Opening cashOpening(const CashSum &sum)
{
    const double balance = roundKurus(sum.debit - sum.credit);
    if (balance > 0) return {balance, QVariant()};
    return {QVariant(), roundKurus(-balance)};
}

std::optional<Opening> accountOpening(const AccountSum &sum)
{
    const double balance = roundKurus(sum.debit - sum.credit);
    if (balance == 0) return std::nullopt;
    if (balance > 0) return Opening{balance, QVariant()};
    return Opening{QVariant(), -balance};
}

void writeCashOpeningRow(Connection &nextYear, const QString &currency, const QList<QPair<QString, QVariant>> &values)
{
    Table t(&nextYear, QStringLiteral("nakit"));
    t.open();
    CashRowWriter::Fields fields;
    QVariant closing;
    for (const auto &[field, value] : values) {
        fields.append({field, value});
        if (field == QLatin1String("islem_vadesi")) closing = value;
    }
    // Keyed by what only the carry-over writes: the closing day in islem_vadesi.
    CashRowWriter::write(t,
                         {{QStringLiteral("neden"), kMark},
                          {QStringLiteral("doviz_cinsi"), currency},
                          {QStringLiteral("islem_vadesi"), closing}},
                         fields);
}

void writeOpenings(Connection &nextYear, int y, const QList<CashSum> &cash, const QList<AccountSum> &accounts)
{
    const QDate opening(y + 1, 1, 1), closing(y, 12, 31);
    QSet<QString> wantedCash, wantedAccounts;
    for (const CashSum &s : cash) wantedCash.insert(s.currency);
    for (const AccountSum &s : accounts)
        if (accountOpening(s)) wantedAccounts.insert(accountKey(s.code, s.currency));

    TransactionScope scope{&nextYear};
    dropUnwantedCashRows(nextYear, wantedCash);
    dropUnwantedAccountRows(nextYear, wantedAccounts);
    for (const CashSum &s : cash) {
        const Opening o = cashOpening(s);
        writeCashOpeningRow(nextYear, s.currency,
                            {{QStringLiteral("islem_tarihi"), opening},
                             {QStringLiteral("islem_vadesi"), closing},
                             {QStringLiteral("aciklama"), description(y)},
                             {QStringLiteral("borc_tutar"), o.debit},
                             {QStringLiteral("alacak_tutar"), o.credit}});
    }
    for (const AccountSum &s : accounts) {
        const std::optional<Opening> o = accountOpening(s);
        if (!o) continue;
        MovementWriter::post(nextYear,
                             {{QStringLiteral("cari_kodu"), s.code},
                              {QStringLiteral("fatura_seri"), kMark},
                              {QStringLiteral("doviz_cinsi"), s.currency}},
                             {{QStringLiteral("cari_hesap_adi"), s.name},
                              {QStringLiteral("fatura_no"), QStringLiteral("1")},
                              {QStringLiteral("islem_tarihi"), opening},
                              {QStringLiteral("vade_tarihi"), closing},
                              {QStringLiteral("aciklama"), description(y)},
                              {QStringLiteral("borc_tutari"), o->debit},
                              {QStringLiteral("alacak_tutari"), o->credit}});
    }
    scope.commit();
}

} // namespace YearEnd
