#include "received/bounce_fill.h"

#include "data/dataset.h"

namespace ChequeOperation {

Values bounceFill(Dataset &row, Source source, const QDate &listDate)
{
    const bool given = source == Source::Cirolanan;
    const auto field = [&](const char *name) { return row.field(QString::fromLatin1(name)); };
    const auto text = [&](const char *name) { return field(name).asString(); };
    const auto amount = [&](const char *name) { return money(field(name).asFloat()); };
    Values v = cardFields(row);
    v.kayitNo = text(given ? "ciro_cek_ind" : "cek_ind");
    v.bordroNo = text(given ? "ciro_bordro_ind" : "bordro_ind");
    v.firmaAdi = text(given ? "ciro_firma" : "cirolandigi_firma");
    const QDate bounced = field("cek_karsiliklsiz_tarihi").asDate();
    v.tarih = bounced.isValid() ? bounced : listDate;
    v.kuru = field("cek_doviz_kuru").isNull() ? QString() : text("cek_doviz_kuru");
    v.tl = field("cekTL_karsiligi").isNull() ? QString() : amount("cekTL_karsiligi");
    v.kurFarki = field("cek_kur_farki").isNull() ? QStringLiteral("0") : amount("cek_kur_farki");
    return v;
}

} // namespace ChequeOperation
