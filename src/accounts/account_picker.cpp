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
    const auto text = [&ds](const char *field) {
        const QVariant v = ds.value(QString::fromLatin1(field));
        if (v.isNull() || !v.isValid()) return QString();
        return QString::number(v.toDouble(), 'g', 15).replace(u'.', u',');
    };
    p.yildakiGun = text("yildaki_gun");
    p.yillikFaiz = text("yillik_faiz");
    p.aylikFaiz = text("aylik_faiz");
    p.masraf = text("masraf");
    p.bsmv = text("BSMV");
    p.tahsilatSureEkle = text("tahsilatsure_ekle");
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
