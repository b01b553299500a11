#include "received/cheque_list_statements.h"

#include "data/number_reading.h"
#include "data/sql_literals.h"

namespace ChequeList {

QStringList choiceTexts()
{
    return {QStringLiteral("Portföydeki Çekler"), QStringLiteral("Bankadaki Çekler"), QStringLiteral("Portföy+Banka"),
            QStringLiteral("Ciro Edilenler"),     QStringLiteral("Tahsil Edilenler"), QStringLiteral("Karşılıksızlar"),
            QStringLiteral("İade Edilenler"),     QStringLiteral("Tüm Çekler")};
}

QStringList stateLines(Choice choice)
{
    switch (choice) {
    case Choice::Portfoy:
        return {QStringLiteral("WHERE (cek_ciro_id IS NULL )"), QStringLiteral("AND (cek_tahsilat_tarihi IS NULL)"),
                QStringLiteral("AND (cek_iade_tarihi IS NULL)"), QStringLiteral("AND (cek_banka_tarihi IS NULL)"),
                QStringLiteral("AND (cek_karsiliklsiz_tarihi IS NULL)")};
    case Choice::Banka:
        return {QStringLiteral("WHERE (cek_ciro_id IS NOT NULL )"), QStringLiteral("AND (cek_tahsilat_tarihi IS NULL)"),
                QStringLiteral("AND (cek_iade_tarihi IS NULL)"), QStringLiteral("AND (cek_banka_tarihi IS NOT NULL)"),
                QStringLiteral("AND (cek_karsiliklsiz_tarihi IS NULL)")};
    case Choice::PortfoyBanka:
        return {QStringLiteral("WHERE ((cek_ciro_id IS NULL ) OR (cek_banka_tarihi IS NOT NULL))"),
                QStringLiteral("AND (cek_tahsilat_tarihi IS NULL)"), QStringLiteral("AND (cek_iade_tarihi IS NULL)"),
                QStringLiteral("AND (cek_karsiliklsiz_tarihi IS NULL)")};
    case Choice::Ciro: return {QStringLiteral("WHERE (cek_ciro_id IS NOT NULL )")};
    case Choice::Tahsil: return {QStringLiteral("WHERE (cek_tahsilat_tarihi IS NOT NULL )")};
    case Choice::Karsiliksiz: return {QStringLiteral("WHERE (cek_karsiliklsiz_tarihi IS NOT NULL )")};
    case Choice::Iade: return {QStringLiteral("WHERE (cek_iade_tarihi IS NOT NULL )")};
    case Choice::Tum: break;
    }
    return {QStringLiteral("WHERE (cek_ind IS NOT NULL )")};
}

QStringList filterLines(const Filters &f)
{
    QStringList lines;
    const qint64 bordro = rakamlariOku(f.bordroNo);
    if (bordro > 0) lines << QStringLiteral("AND (bordro_ind=%1)").arg(bordro);
    if (!f.firmaKodu.isEmpty()) lines << QStringLiteral("AND (alindigi_firma_kodu='") + sqlEscape(f.firmaKodu) + QStringLiteral("')");
    const QString currency = currencyCondition(QStringLiteral("para_birimi"), f.paraCinsi);
    if (!currency.isEmpty()) lines << currency;
    if (!f.firmaAdi.isEmpty()) {
        const QString name = sqlEscape(f.firmaAdi);
        lines << QStringLiteral("AND ((alindigi_firma LIKE '%") + name + QStringLiteral("%')");
        lines << QStringLiteral("OR (ceki_duzenleyen LIKE '%") + name + QStringLiteral("%'))");
    }
    // Both ends of the range are included: the day after the end, the day before the start.
    if (f.tarihAcik)
        lines << QStringLiteral("AND cek_tarihi<") + sqlDate(f.bitisTarihi.addDays(1)) + QStringLiteral(" AND cek_tarihi>")
                     + sqlDate(f.basTarihi.addDays(-1));
    return lines;
}

Statements build(const Filters &f, const QString &orderBy)
{
    const QStringList conditions = stateLines(f.choice) + filterLines(f);
    Statements s;
    s.list << QStringLiteral("SELECT * FROM cekgiris") << conditions
           << (orderBy.isEmpty() ? QStringLiteral("ORDER BY cek_tarihi ASC;") : orderBy);
    s.total << QStringLiteral("SELECT SUM(cek_tutari) AS Cek_Toplami FROM cekgiris") << conditions;
    s.monthly << QStringLiteral("SELECT YEAR(cek_tarihi) AS YIL, MONTH(cek_tarihi) AS AY,para_birimi ,")
              << QStringLiteral("SUM(cek_tutari) AS Toplam_Tutar") << QStringLiteral("FROM cekgiris") << conditions
              << QStringLiteral("GROUP BY MONTH(cek_tarihi), YEAR(cek_tarihi) ,para_birimi")
              << QStringLiteral("ORDER BY YEAR(cek_tarihi), MONTH(cek_tarihi) ASC");
    return s;
}

QString listOrderLine(const QString &orderBy)
{
    static const QString kalan = QStringLiteral("ORDER BY kalangun ");
    if (orderBy.startsWith(kalan)) return QStringLiteral("ORDER BY cek_tarihi ") + orderBy.mid(kalan.size());
    return orderBy;
}

QString monthName(int month)
{
    static const char *const names[] = {"Ocak", "Şubat", "Mart",  "Nisan", "Mayıs",  "Haziran",
                                        "Temmuz", "Ağustos", "Eylül", "Ekim",  "Kasım", "Aralık"};
    if (month < 1 || month > 12) return {};
    return QString::fromUtf8(names[month - 1]);
}

} // namespace ChequeList
