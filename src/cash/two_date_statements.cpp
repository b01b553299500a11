#include "cash/two_date_statements.h"

#include "cash/cash_statements.h"
#include "cash/cash_year_span.h"
#include "data/display_format.h"
#include "data/sql_literals.h"

namespace TwoDateStatements {

QString condition(const QString &currency, const QDate &first, const QDate &last)
{
    // The carry-over's opening rows are the former year's money: no money in or out.
    const QString range = QStringLiteral("(islem_tarihi<=") + sqlDate(last) + QStringLiteral(")")
                          + QStringLiteral(" AND (islem_tarihi>=") + sqlDate(first) + QStringLiteral(")")
                          + QStringLiteral(" AND ") + CashYearSpan::notCarriedOver();
    if (CashStatements::currencyChosen(currency))
        return QStringLiteral("WHERE (doviz_cinsi=") + sqlText(currency) + QStringLiteral(") AND ") + range;
    return QStringLiteral("WHERE ") + range;
}

QStringList movements(const QString &currency, const QDate &first, const QDate &last, const QString &source)
{
    return {QStringLiteral("SELECT islem_tarihi, borc_tutar, alacak_tutar, doviz_cinsi, aciklama "),
            QStringLiteral("FROM %1 ").arg(source), condition(currency, first, last),
            QStringLiteral("Order By islem_tarihi ASC")};
}

QStringList typeTotals(const QString &currency, const QDate &first, const QDate &last, const QString &source)
{
    return {QStringLiteral("SELECT neden, doviz_cinsi, SUM(borc_tutar) as BorcToplam, "),
            QStringLiteral("SUM(alacak_tutar) as AlacakToplam FROM %1 ").arg(source), condition(currency, first, last),
            QStringLiteral("GROUP BY neden, doviz_cinsi;")};
}

QStringList dayTotals(const QString &currency, const QDate &first, const QDate &last, const QString &source)
{
    return {QStringLiteral("SELECT islem_tarihi, doviz_cinsi, SUM(borc_tutar) as BorcToplam, "),
            QStringLiteral("SUM(alacak_tutar) as AlacakToplam FROM %1 ").arg(source), condition(currency, first, last),
            QStringLiteral("GROUP BY doviz_cinsi, islem_tarihi;")};
}

// The same lines as the view's opening balance before a day.
QStringList opening(const QString &currency, const QDate &first) { return CashStatements::opening(currency, first); }

QStringList carriedOpening(const QString &currency, const QString &source)
{
    QStringList lines{QStringLiteral("SELECT SUM(borc_tutar) as BorcToplam, SUM(alacak_tutar) as AlacakToplam "),
                      QStringLiteral("FROM %1 ").arg(source)};
    if (CashStatements::currencyChosen(currency))
        lines << QStringLiteral("WHERE (doviz_cinsi=") + sqlText(currency) + QStringLiteral(") AND ")
                     + CashYearSpan::carriedOver();
    else
        lines << QStringLiteral("WHERE ") + CashYearSpan::carriedOver();
    return lines;
}

QStringList openingOver(const QString &currency, const QDate &first, const CashYearSpan &span)
{
    // The balance of the day before the range, from the file that holds that day;
    // without that file, the opening the carry-over brought into the first year.
    const int before = first.addDays(-1).year();
    if (span.hasYear(before)) {
        QStringList lines = opening(currency, first);
        lines[1] = QStringLiteral("FROM %1 ").arg(span.source(before, before));
        return lines;
    }
    return carriedOpening(currency, span.source(first.year(), first.year()));
}

QString title(const QString &kind, const QDate &first, const QDate &last)
{
    QString words;
    if (kind == kHareketler) words = QStringLiteral(" TARİHLERİ ARASI KASA HAREKETLERİ");
    else if (kind == kIslemTuru) words = QStringLiteral(" TARİHLERİ ARASI İŞLEM TÜRLERİNE GÖRE KASA TOPLAMLARI");
    else if (kind == kGunToplamlari) words = QStringLiteral(" TARİHLERİ ARASI GÜNLÜK KASA TOPLAMLARI");
    else if (kind == kDetay) words = QStringLiteral(" TARİHLERİ ARASI DETAY KASA HAREKETLERİ");
    else return {};
    const QString shortDate = QStringLiteral("dd.mm.yyyy");
    return formatDate(shortDate, first) + QStringLiteral(" - ") + formatDate(shortDate, last) + words;
}

} // namespace TwoDateStatements
