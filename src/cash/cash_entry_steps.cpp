#include "cash/cash_entry_steps.h"

#include "data/display_format.h"
#include "data/number_reading.h"

#include <optional>

namespace CashEntry {
namespace {

QVariant textOrEmpty(const QString &text) { return text.isEmpty() ? QVariant() : QVariant(text); }

// A number edit as typed: empty, a number, or no number at all.
struct Reading {
    bool ok = true;
    bool empty = true;
    double value = 0;
};

Reading readNumber(const QString &text)
{
    Reading r;
    if (text.trimmed().isEmpty()) return r;
    r.empty = false;
    const std::optional<double> v = sayiOkuDene(text);
    if (!v) {
        r.ok = false;
        return r;
    }
    r.value = *v;
    return r;
}

QString notANumber(const QString &label, const QString &text)
{
    return QStringLiteral("\"%1\" alanındaki \"%2\" sayı olarak okunamadı. Düzeltip tekrar kaydediniz.")
        .arg(label, text.trimmed());
}

} // namespace

QString yearQuestion(int year)
{
    return QStringLiteral("Kayıt yılı ") + QString::number(year)
           + QStringLiteral(" olacak. Devam etmek istediğinize eminmisiniz?");
}

Outcome prepare(const Input &in)
{
    Outcome out;
    const Reading giren = readNumber(in.giren), cikan = readNumber(in.cikan), kur = readNumber(in.kur);
    const struct {
        const Reading &r;
        const char *label;
        const QString &text;
    } numbers[] = {{giren, "Kasaya Giren Tutar", in.giren}, {cikan, "Kasadan Çıkan Tutar", in.cikan},
                   {kur, "Döviz Kuru", in.kur}};
    for (const auto &n : numbers) {
        if (!n.r.ok) {
            out.message = notANumber(QString::fromUtf8(n.label), n.text);
            return out;
        }
        // Money in and out are both positive: the side says the direction.
        if (n.r.value < 0) {
            out.message = QStringLiteral("\"%1\" eksi olamaz. Para girişi ya da çıkışı için ilgili alana "
                                         "pozitif tutar giriniz.")
                              .arg(QString::fromUtf8(n.label));
            return out;
        }
    }
    const double borc = roundKurus(giren.value), alacak = roundKurus(cikan.value);
    if (borc == 0 && alacak == 0) {
        out.message = kNoAmount;
        return out;
    }
    double rate = kur.value;
    if (kur.empty || rate == 0) rate = 1;
    if (in.currency == QLatin1String("TL") && rate != 1) rate = 1;
    if (borc > 0 && alacak > 0) {
        out.message = kBothAmounts;
        return out;
    }
    out.rate = rate;
    const auto amount = [](const Reading &r, double rounded) { return r.empty ? QVariant() : QVariant(rounded); };
    const auto inCurrency = [rate](double a) { return a > 0 ? QVariant(roundKurus(rate * a)) : QVariant(); };
    out.values = {
        {QStringLiteral("firmaadi"), textOrEmpty(in.name)},
        {QStringLiteral("firmakodu"), textOrEmpty(in.code)},
        {QStringLiteral("islem_tarihi"), in.date},
        {QStringLiteral("doviz_cinsi"), in.currency},
        {QStringLiteral("doviz_kuru"), rate},
        {QStringLiteral("borc_tutar"), amount(giren, borc)},
        {QStringLiteral("alacak_tutar"), amount(cikan, alacak)},
        {QStringLiteral("doviz_borc"), inCurrency(borc)},
        {QStringLiteral("doviz_alacak"), inCurrency(alacak)},
        {QStringLiteral("aciklama"), textOrEmpty(in.aciklama)},
        {QStringLiteral("neden"), in.neden.toString().isEmpty() ? QVariant() : in.neden},
    };
    return out;
}

} // namespace CashEntry
