#include "accounts/account_picker.h"

#include "data/connection.h"
#include "data/dataset.h"

#include <QHash>

namespace {

QHash<QString, AccountPicker::Target> &targets()
{
    static QHash<QString, AccountPicker::Target> t;
    return t;
}

bool isFlagSet(Dataset &ds, const char *field)
{
    return ds.field(QLatin1String(field)).asString() == QLatin1String("E");
}

} // namespace

int PickedAccount::hesapTuru() const
{
    if (musteriSatici == QStringLiteral("Satıcı")) return 1;
    if (musteriSatici == QLatin1String("Banka")) return 2;
    return 0;
}

PickedAccount PickedAccount::fromCurrent(Dataset &ds)
{
    PickedAccount p;
    p.kodu = ds.field(QStringLiteral("firma_kodu")).asString();
    p.adi = ds.field(QStringLiteral("firma_adi")).asString();
    p.musteriSatici = ds.field(QStringLiteral("musteri_satici")).asString();
    p.yildakiGun = int(ds.field(QStringLiteral("yildaki_gun")).asInteger());
    p.yillikFaiz = ds.field(QStringLiteral("yillik_faiz")).asFloat();
    p.aylikFaiz = ds.field(QStringLiteral("aylik_faiz")).asFloat();
    p.masraf = ds.field(QStringLiteral("masraf")).asFloat();
    p.bsmv = ds.field(QStringLiteral("BSMV")).asFloat();
    p.tahsilatSureEkle = int(ds.field(QStringLiteral("tahsilatsure_ekle")).asInteger());
    p.haftaSonuEkle = isFlagSet(ds, "hafta_sonu_ekle");
    p.vadeFarkiDus = isFlagSet(ds, "vade_farki_dus");
    p.masrafDus = isFlagSet(ds, "masraf_dus");
    p.bsmvDus = isFlagSet(ds, "BSMV_dus");
    return p;
}

namespace AccountPicker {

QString &cariSecimYeri()
{
    static QString context;
    return context;
}

void registerTarget(const QString &context, Target target) { targets().insert(context, std::move(target)); }

void registerHandler(const QString &context, Handler handler)
{
    registerTarget(context, Target{std::move(handler), true, {}});
}

void unregisterTarget(const QString &context) { targets().remove(context); }

bool hasTarget(const QString &context)
{
    return context == QLatin1String("anamenu") || targets().contains(context);
}

Outcome handOver(const PickedAccount &card)
{
    const QString context = cariSecimYeri();
    const auto it = targets().constFind(context);
    if (it == targets().constEnd())
        return context == QLatin1String("anamenu") ? Outcome::Stayed : Outcome::NoTarget;
    const Target target = it.value();  // a handler may register or remove targets
    if (target.ready && !target.ready()) return Outcome::NotReady;
    if (target.handOver) target.handOver(card);
    return target.hidesPicker ? Outcome::HandedOver : Outcome::Stayed;
}

void reset()
{
    cariSecimYeri().clear();
    targets().clear();
}

} // namespace AccountPicker
