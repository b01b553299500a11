#include "tools/vadefark_print.h"

#include "data/display_format.h"
#include "data/number_reading.h"
#include "tools/vadefark_calc.h"
#include "widgets/form_kit.h"

namespace VadeFark {
namespace {

QString date(const QDate &d) { return formatDate(QStringLiteral("dd.mm.yyyy"), d); }

QString netDifference(const QStringList &row)
{
    bool any = false;
    for (int c = ColBorc; c <= ColAlacakFark; ++c) any = any || !row.value(c).isEmpty();
    if (!any) return {};  // the empty input row prints its number alone
    const double net = sayiOkuDene(row.value(ColBorcFark)).value_or(0) - sayiOkuDene(row.value(ColAlacakFark)).value_or(0);
    return formatFloat(FormKit::kListAmount, net);
}

QString line(const QStringList &c, PrintKind kind, const QString &last)
{
    if (kind == PrintKind::Differences) {
        return leftField(c.value(ColNo), 3) + rightField(c.value(ColVade), 12) + rightField(c.value(ColBorc), 15)
               + rightField(c.value(ColAlacak), 15) + rightField(c.value(ColGun), 8)
               + rightField(c.value(ColBorcFark), 15) + rightField(c.value(ColAlacakFark), 15);
    }
    return leftField(c.value(ColNo), 3) + rightField(c.value(ColVade), 12) + u' '
           + leftField(c.value(ColAciklama), 25, 25) + rightField(c.value(ColBorc), 15)
           + rightField(c.value(ColAlacak), 15) + rightField(c.value(ColGun), 5) + rightField(last, 15);
}

} // namespace

QString leftField(const QString &text, int width, int longest)
{
    const QString t = text.left(longest);
    return t.size() >= width ? t : t + QString(width - t.size(), u' ');
}

QString rightField(const QString &text, int width, int longest)
{
    const QString t = text.left(longest);
    return t.size() >= width ? t : QString(width - t.size(), u' ') + t;
}

PrintText printText(const Sheet &s, PrintKind kind)
{
    PrintText p;
    QStringList titles = s.titles.isEmpty() ? columnTitles() : s.titles;
    titles[ColNo].clear();
    p.memo1 = line(titles, kind, QStringLiteral("Vade Farkı"));
    p.memo5 = QStringLiteral("Brenvo Kasa ve Cari Hesap Takip Programı Rapor Dökümü");
    p.memo6 = QStringLiteral("İşlem Yapılan Firma : ") + s.firmaAdi;
    p.memo7 = QStringLiteral("İşlem Tarihi        : ") + date(s.hesapTarihi);
    p.memo8 = QStringLiteral("Yıldaki Gün: ") + s.yildakiGun + QStringLiteral(" Yıllık Faiz: ") + s.yillikFaiz
              + QStringLiteral(" Aylık Faiz: ") + s.aylikFaiz;
    p.memo9 = QStringLiteral("Alacaklara ") + s.alacakEkSure + QStringLiteral(", Borçlara ") + s.borcEkSure
              + QStringLiteral(" Gün eklendi. ") + QStringLiteral("Cumartesi Pazar Borçlara ")
              + (s.borcHaftaSonu ? QStringLiteral("Eklendi,") : QStringLiteral("Eklenmedi,")) + QStringLiteral(" Alacaklara ")
              + (s.alacakHaftaSonu ? QStringLiteral("Eklendi.") : QStringLiteral("Eklenmedi."));

    for (const QStringList &row : s.rows) p.body << line(row, kind, netDifference(row));
    p.body << QString();
    if (kind == PrintKind::Differences) {
        p.body << leftField(QStringLiteral(" "), 3) + rightField(QStringLiteral("TOPLAM "), 12)
                      + rightField(s.borcToplam, 15) + rightField(s.alacakToplam, 15) + rightField(s.genelOrtGun, 8)
                      + rightField(s.borcFark, 15) + rightField(s.alacakFark, 15) + u' ';
    } else {
        p.body << leftField(QStringLiteral(" "), 3) + rightField(QStringLiteral(" "), 12) + u' '
                      + rightField(QStringLiteral("TOPLAM "), 25, 25) + rightField(s.borcToplam, 15)
                      + rightField(s.alacakToplam, 15) + rightField(s.genelOrtGun, 5) + rightField(s.netFark, 15) + u' ';
    }
    p.body << QString();
    p.body << QStringLiteral("Bakiye         : ") + rightField(s.bakiye, 15)
           << QStringLiteral("Net Vade Farkı : ") + rightField(s.netFark, 15) << QString()
           << QStringLiteral("Genel Ortalama Vadesi : ") + date(s.genelOrtVade)
           << QStringLiteral("Genel Ortalama Gün    : ") + s.genelOrtGun << QString()
           << QStringLiteral("Borç Ortalama Vadesi  : ") + date(s.borcOrtVade)
           << QStringLiteral("Borç Ortalama Gün     : ") + s.borcOrtGun << QString()
           << QStringLiteral("Alacak Ortalama Vadesi: ") + date(s.alacakOrtVade)
           << QStringLiteral("Alacak Ortalama Gün   : ") + s.alacakOrtGun << QString();
    return p;
}

} // namespace VadeFark
