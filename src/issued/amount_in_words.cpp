#include "issued/amount_in_words.h"

#include <QStringView>

#include <charconv>
#include <cmath>
#include <optional>
#include <system_error>

namespace {

constexpr QStringView kUnits[10] = {u"", u"BİR", u"İKİ", u"ÜÇ", u"DÖRT", u"BEŞ", u"ALTI", u"YEDİ", u"SEKİZ", u"DOKUZ"};
constexpr QStringView kTens[10] = {u"", u"ON", u"YİRMİ", u"OTUZ", u"KIRK", u"ELLİ", u"ALTMIŞ", u"YETMİŞ", u"SEKSEN", u"DOKSAN"};
constexpr QStringView kHundred = u"YÜZ";
// The six three-digit groups of the lira part, highest first; the last has no name.
constexpr QStringView kGroupNames[6] = {u"KATRİLYON", u"TRİLYON", u"MİLYAR", u"MİLYON", u"BİN", u""};
constexpr int kThousandsGroup = 4;
constexpr int kLiraDigits = 18;
constexpr int kSignificantDigits = 15;

// The digits of an amount's magnitude: eighteen lira digits and two kuruş digits,
// each 0..9.
struct Digits {
    int lira[kLiraDigits] = {};
    int kurus[2] = {};
};

// The magnitude rounded to 15 significant digits and laid out by place value, with
// the decimals after the second dropped. Empty when the lira part needs more than
// eighteen digits, or the amount is not a number.
std::optional<Digits> readDigits(double magnitude)
{
    if (!std::isfinite(magnitude))
        return std::nullopt;
    // d.dddddddddddddde±x: to_chars rounds correctly and ignores every locale.
    char buf[40];
    const auto written = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific,
                                       kSignificantDigits - 1);
    if (written.ec != std::errc())
        return std::nullopt;
    const char *e = buf;
    while (e < written.ptr && *e != 'e') ++e;
    if (e == written.ptr || e - buf != kSignificantDigits + 1)
        return std::nullopt;
    int significant[kSignificantDigits];
    significant[0] = buf[0] - '0';
    for (int i = 1; i < kSignificantDigits; ++i)
        significant[i] = buf[i + 1] - '0';
    const char *expBegin = e + 1;
    if (expBegin < written.ptr && *expBegin == '+') ++expBegin;   // from_chars takes '-' only
    int exponent = 0;
    if (std::from_chars(expBegin, written.ptr, exponent).ec != std::errc())
        return std::nullopt;
    if (exponent >= kLiraDigits)
        return std::nullopt;

    // significant[i] stands for 10^(exponent - i).
    const auto digitAt = [&](int power) {
        const int i = exponent - power;
        return i >= 0 && i < kSignificantDigits ? significant[i] : 0;
    };
    Digits d;
    for (int i = 0; i < kLiraDigits; ++i)
        d.lira[i] = digitAt(kLiraDigits - 1 - i);
    d.kurus[0] = digitAt(-1);
    d.kurus[1] = digitAt(-2);
    return d;
}

QString liraWords(const Digits &d)
{
    QString words;
    for (int g = 0; g < 6; ++g) {
        const int h = d.lira[g * 3], t = d.lira[g * 3 + 1], u = d.lira[g * 3 + 2];
        QString group;
        if (h == 1)
            group += kHundred;            // one hundred is YÜZ, not BİRYÜZ
        else if (h > 1) {
            group += kUnits[h];
            group += kHundred;
        }
        if (t > 0) group += kTens[t];
        if (u > 0) group += kUnits[u];
        if (!group.isEmpty()) group += kGroupNames[g];
        // A thousand alone reads BİN, not BİRBİN; ONBİRBİN and YÜZBİRBİN keep their
        // BİR, and BİRMİLYON and the others are right as they are.
        if (g == kThousandsGroup && group == QStringView(u"BİRBİN"))
            group = kGroupNames[kThousandsGroup].toString();
        words += group;
    }
    return words;
}

QString kurusWords(const Digits &d)
{
    QString words;
    if (d.kurus[0] > 0) words += kTens[d.kurus[0]];
    if (d.kurus[1] > 0) words += kUnits[d.kurus[1]];
    return words;
}

bool anyNonZero(const int *digits, int count)
{
    for (int i = 0; i < count; ++i)
        if (digits[i] != 0) return true;
    return false;
}

} // namespace

QString tutariYaziyaCevir(int mode, const QString &text, double amount)
{
    if (mode < 0 || mode > 2)
        return text;
    const std::optional<Digits> d = readDigits(std::fabs(amount));
    if (!d)
        return text;

    const bool liraNonZero = anyNonZero(d->lira, kLiraDigits);
    const bool kurusNonZero = anyNonZero(d->kurus, 2);
    const bool writtenNonZero = mode == 0 ? liraNonZero || kurusNonZero : mode == 1 ? liraNonZero : kurusNonZero;
    QString result;
    if (amount < 0 && writtenNonZero)
        result += QStringView(u"EKSİ");
    if (mode == 0 || mode == 1) {
        result += liraWords(*d);
        result += mode == 0 ? QStringView(u".TL / ") : QStringView(u".TL ");
    }
    if (mode == 0 || mode == 2) {
        result += kurusWords(*d);
        result += QStringView(u".KR ");
    }
    return result;
}
