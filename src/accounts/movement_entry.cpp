#include "accounts/movement_entry.h"

#include "accounts/movement_writer.h"
#include "data/connection.h"
#include "data/display_format.h"
#include "data/field_value.h"
#include "data/transaction.h"

namespace MovementEntry {
namespace {

double amount(const QVariant &v) { return FieldValue::asFloat(v); }

QVariant stored(const QVariant &v) { return v.isNull() || !v.isValid() ? QVariant() : QVariant(roundKurus(amount(v))); }

} // namespace

QString workingYearQuestion(int workingYear, int enteredYear)
{
    return QStringLiteral("Girmiş olduğunuz tarih çalışmakta olduğunuz \n\r") + QString::number(workingYear)
           + QStringLiteral(" yılından farklıdır!") + QStringLiteral("\n\r")
           + QStringLiteral("Kayıt işlemini kesmek istermisiniz? Devam ederseniz") + QStringLiteral("\n\r")
           + QStringLiteral("çalışma yılınız ") + QString::number(enteredYear) + QStringLiteral(" olarak değiştirilecek ancak")
           + QStringLiteral("\n\r") + QStringLiteral("girmiş olduğunuz bilgiler silinecektir!");
}

QString check(const Values &v)
{
    if (v.cariKodu.isEmpty() || v.cariHesapAdi.isEmpty()) return kNoAccount;
    const double borc = amount(v.borcTutari), alacak = amount(v.alacakTutari);
    if (borc == 0 && alacak == 0) return kNoAmount;
    if (borc > 0 && alacak > 0) return kBothAmounts;
    return {};
}

double storedRate(const Values &v)
{
    const double rate = amount(v.dovizKuru);
    if (rate == 0 || v.dovizCinsi == u"TL") return 1;
    return rate;
}

Saved save(Connection &cash, qint64 chid, const Values &v)
{
    const double rate = storedRate(v);
    const double borc = roundKurus(amount(v.borcTutari)), alacak = roundKurus(amount(v.alacakTutari));
    const MovementWriter::Fields values{
        {QStringLiteral("islem_tarihi"), v.islemTarihi},
        {QStringLiteral("vade_tarihi"), v.vadeTarihi.isValid() ? QVariant(v.vadeTarihi) : QVariant()},
        {QStringLiteral("doviz_cinsi"), v.dovizCinsi},
        {QStringLiteral("cari_kodu"), v.cariKodu},
        {QStringLiteral("cari_hesap_adi"), v.cariHesapAdi},
        {QStringLiteral("borc_tutari"), stored(v.borcTutari)},
        {QStringLiteral("alacak_tutari"), stored(v.alacakTutari)},
        {QStringLiteral("doviz_kuru"), rate},
        {QStringLiteral("aciklama"), v.aciklama.isEmpty() ? QVariant() : QVariant(v.aciklama)},
        // A corrected movement whose side changed must not keep the other side's currency amount.
        {QStringLiteral("doviz_borc"), borc > 0 ? QVariant(roundKurus(rate * borc)) : QVariant()},
        {QStringLiteral("doviz_alacak"), alacak > 0 ? QVariant(roundKurus(rate * alacak)) : QVariant()},
    };
    TransactionScope tx{&cash};
    if (chid > 0) {
        // A movement deleted meanwhile is not brought back by its correction.
        Statement &find = cash.cached(QStringLiteral("SELECT 1 FROM %1 WHERE chid=?").arg(cash.tableRef(QStringLiteral("carihareket"))));
        find.bindInt(1, chid);
        const bool there = find.step();
        find.reset();
        if (!there) return {};
    }
    const MovementWriter::Fields key = chid > 0 ? MovementWriter::Fields{{QStringLiteral("chid"), chid}} : MovementWriter::Fields{};
    const MovementWriter::Posted p = MovementWriter::post(cash, key, values);
    tx.commit();
    return {p.id, p.appended};
}

} // namespace MovementEntry
