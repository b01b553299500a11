#include "cash/two_date_statements.h"

#include "cash/cash_statements.h"
#include "data/display_format.h"
#include "data/sql_literals.h"

namespace TwoDateStatements {

QString condition(const QString &currency, const QDate &first, const QDate &last)
{
    const QString range = QStringLiteral("(islem_tarihi<=") + sqlDate(last) + QStringLiteral(")")
                          + QStringLiteral(" AND (islem_tarihi>=") + sqlDate(first) + QStringLiteral(")");
    if (CashStatements::currencyChosen(currency))
        return QStringLiteral("WHERE (doviz_cinsi=") + sqlText(currency) + QStringLiteral(") AND ") + range;
    return QStringLiteral("WHERE ") + range;
}

QStringList movements(const QString &currency, const QDate &first, const QDate &last)
{
    return {QStringLiteral("SELECT islem_tarihi, borc_tutar, alacak_tutar, doviz_cinsi, aciklama "),
            QStringLiteral("FROM nakit "), condition(currency, first, last), QStringLiteral("Order By islem_tarihi ASC")};
}

QStringList typeTotals(const QString &currency, const QDate &first, const QDate &last)
{
    return {QStringLiteral("SELECT neden, doviz_cinsi, SUM(borc_tutar) as BorcToplam, "),
            QStringLiteral("SUM(alacak_tutar) as AlacakToplam FROM nakit "), condition(currency, first, last),
            QStringLiteral("GROUP BY neden, doviz_cinsi;")};
}

QStringList dayTotals(const QString &currency, const QDate &first, const QDate &last)
{
    return {QStringLiteral("SELECT islem_tarihi, doviz_cinsi, SUM(borc_tutar) as BorcToplam, "),
            QStringLiteral("SUM(alacak_tutar) as AlacakToplam FROM nakit "), condition(currency, first, last),
            QStringLiteral("GROUP BY doviz_cinsi, islem_tarihi;")};
}

// The same lines as the view's opening balance before a day.
QStringList opening(const QString &currency, const QDate &first) { return CashStatements::opening(currency, first); }

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
