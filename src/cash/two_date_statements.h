#pragma once
// The statements of the cash reports over a date range, line by line: the movements
// of the period, their sums per transaction type and per currency and day, and the
// opening balance before the first day. A currency of "Hepsi" (or none) puts no
// currency condition, so the sums then add the currencies together.
#include <QDate>
#include <QString>
#include <QStringList>

class CashYearSpan;

namespace TwoDateStatements {

// The report kinds the cash register view hands to the dialog.
inline const QString kHareketler = QStringLiteral("ikitariharasi");
inline const QString kDetay = QStringLiteral("ikitariharasidetay");
inline const QString kIslemTuru = QStringLiteral("islemturu");
inline const QString kGunToplamlari = QStringLiteral("guntoplamlari");

// "WHERE (doviz_cinsi='TL') AND (islem_tarihi<=#2024-3-31#) AND (islem_tarihi>=#2024-3-1#)
// AND <not a carry-over row>": the carry-over's opening rows are no money of a period.
QString condition(const QString &currency, const QDate &first, const QDate &last);

// source: the FROM table, "nakit" or the union of several years' rows (CashYearSpan).
// islem_tarihi, borc_tutar, alacak_tutar, doviz_cinsi, aciklama in date order.
QStringList movements(const QString &currency, const QDate &first, const QDate &last,
                      const QString &source = QStringLiteral("nakit"));
// neden, doviz_cinsi, BorcToplam, AlacakToplam per type and currency.
QStringList typeTotals(const QString &currency, const QDate &first, const QDate &last,
                       const QString &source = QStringLiteral("nakit"));
// islem_tarihi, doviz_cinsi, BorcToplam, AlacakToplam per currency and day.
QStringList dayTotals(const QString &currency, const QDate &first, const QDate &last,
                      const QString &source = QStringLiteral("nakit"));
// BorcToplam, AlacakToplam of the movements before the first day (one file).
QStringList opening(const QString &currency, const QDate &first);
// The same over the years a span holds: the rows before the first day in the file
// of the day before it, or, without that file, the carry-over's rows of the first
// day's year.
QStringList openingOver(const QString &currency, const QDate &first, const CashYearSpan &span);

// The printout's title for a kind: the range in short dates, then the kind's words.
// An unknown kind gives an empty text.
QString title(const QString &kind, const QDate &first, const QDate &last);

} // namespace TwoDateStatements
