#include "cash/cash_statements.h"

#include "data/sql_literals.h"

namespace CashStatements {
namespace {

// The day as the statements write it, between the "#" signs.
QString dayText(const QDate &day)
{
    const QString d = sqlDate(day);
    return d.mid(1, d.size() - 2);
}

QStringList sums(const QString &currency, const QDate &day, const QString &comparison)
{
    QStringList lines{QStringLiteral("SELECT SUM(borc_tutar) as BorcToplam, SUM(alacak_tutar) as AlacakToplam "),
                      QStringLiteral("FROM nakit ")};
    if (currencyChosen(currency))
        lines << QStringLiteral("WHERE (doviz_cinsi=") + sqlText(currency) + QStringLiteral(") AND (islem_tarihi")
                     + comparison + u'#' + dayText(day) + QStringLiteral("#)");
    else
        lines << QStringLiteral("WHERE (islem_tarihi") + comparison + u'#' + dayText(day) + QStringLiteral("#)");
    return lines;
}

} // namespace

bool currencyChosen(const QString &currency) { return !currency.isEmpty() && currency != kHepsi; }

QStringList dayList(const QString &currency)
{
    QStringList lines{QStringLiteral("SELECT islem_tarihi FROM nakit")};
    if (currencyChosen(currency)) lines << QStringLiteral("WHERE doviz_cinsi=") + sqlText(currency);
    lines << QStringLiteral("GROUP BY islem_tarihi Order By islem_tarihi DESC;");
    return lines;
}

QStringList opening(const QString &currency, const QDate &day) { return sums(currency, day, QStringLiteral("<")); }

QStringList dayTotals(const QString &currency, const QDate &day) { return sums(currency, day, QStringLiteral("=")); }

QStringList currencySummary(const QDate &day)
{
    const QString d = dayText(day);
    return {QStringLiteral("Select doviz_cinsi, "),
            QStringLiteral("SUM(IIf((islem_tarihi<#%1#) AND borc_tutar>0 ,borc_tutar,0))-").arg(d),
            QStringLiteral("SUM(IIf((islem_tarihi<#%1#) AND alacak_tutar>0 ,alacak_tutar,0)) AS GunBasi,").arg(d),
            QStringLiteral("SUM(IIf((islem_tarihi=#%1#) ,borc_tutar,0)) AS BorcToplam,").arg(d),
            QStringLiteral("SUM(IIf((islem_tarihi=#%1#) ,alacak_tutar,0)) AS AlacakToplam").arg(d),
            QStringLiteral("FROM nakit GROUP BY doviz_cinsi")};
}

int summaryHeight(int rows)
{
    if (rows < 2) return 50;
    if (rows == 2) return 74;
    return 98;
}

} // namespace CashStatements
