#pragma once
// The statements of the cash reports over a date range, line by line: the movements
// of the period, their sums per transaction type and per currency and day, and the
// opening balance before the first day. A currency of "Hepsi" (or none) puts no
// currency condition, so the sums then add the currencies together.
#include <QDate>
#include <QString>
#include <QStringList>

namespace TwoDateStatements {

// The report kinds the cash register view hands to the dialog.
inline const QString kHareketler = QStringLiteral("ikitariharasi");
inline const QString kDetay = QStringLiteral("ikitariharasidetay");
inline const QString kIslemTuru = QStringLiteral("islemturu");
inline const QString kGunToplamlari = QStringLiteral("guntoplamlari");

// "WHERE (doviz_cinsi='TL') AND (islem_tarihi<=#2024-3-31#) AND (islem_tarihi>=#2024-3-1#)".
QString condition(const QString &currency, const QDate &first, const QDate &last);

// islem_tarihi, borc_tutar, alacak_tutar, doviz_cinsi, aciklama in date order.
QStringList movements(const QString &currency, const QDate &first, const QDate &last);
// neden, doviz_cinsi, BorcToplam, AlacakToplam per type and currency.
QStringList typeTotals(const QString &currency, const QDate &first, const QDate &last);
// islem_tarihi, doviz_cinsi, BorcToplam, AlacakToplam per currency and day.
QStringList dayTotals(const QString &currency, const QDate &first, const QDate &last);
// BorcToplam, AlacakToplam of the movements before the first day.
QStringList opening(const QString &currency, const QDate &first);

// The printout's title for a kind: the range in short dates, then the kind's words.
// An unknown kind gives an empty text.
QString title(const QString &kind, const QDate &first, const QDate &last);

} // namespace TwoDateStatements
