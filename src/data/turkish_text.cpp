#include "data/turkish_text.h"

#include <array>
#include <vector>

namespace {

bool isTrimmable(QChar c) { return c.isSpace() || c.unicode() < 0x20 || c.unicode() == 0x7f; }

QString trimmed(const QString &text)
{
    qsizetype b = 0, e = text.size();
    while (b < e && isTrimmable(text[b])) ++b;
    while (e > b && isTrimmable(text[e - 1])) --e;
    return text.mid(b, e - b);
}

QChar lowerChar(QChar c)
{
    switch (c.unicode()) {
    case u'I': return QChar(u'ı');
    case u'İ': return QChar(u'i');
    case u'Ç': return QChar(u'ç');
    case u'Ğ': return QChar(u'ğ');
    case u'Ö': return QChar(u'ö');
    case u'Ü': return QChar(u'ü');
    case u'Ş': return QChar(u'ş');
    default:
        if (c >= u'A' && c <= u'Z') return QChar(c.unicode() + 32);
        return c;
    }
}

QChar upperChar(QChar c)
{
    switch (c.unicode()) {
    case u'i': return QChar(u'İ');
    case u'ı': return QChar(u'I');
    case u'ç': return QChar(u'Ç');
    case u'ğ': return QChar(u'Ğ');
    case u'ö': return QChar(u'Ö');
    case u'ü': return QChar(u'Ü');
    case u'ş': return QChar(u'Ş');
    default:
        if (c >= u'a' && c <= u'z') return QChar(c.unicode() - 32);
        return c;
    }
}

// Sort weights: primary (alphabet position, case-blind) and a case mark for ties.
struct Weight {
    uint32_t primary;
    uint8_t tertiary;  // 0 small letter or no case, 1 capital, 2 accented variant
};

constexpr char16_t kAlphabet[] = u"abcçdefgğhıijklmnoöpqrsştuüvwxyz";

std::array<Weight, 0x180> buildTable()
{
    std::array<Weight, 0x180> t{};
    for (uint32_t cp = 0; cp < t.size(); ++cp) t[cp] = {cp < 0x80 ? cp : 0x10000 + cp, 0};
    // Letters come after every ASCII digit and punctuation mark.
    const uint32_t base = 0x200;
    for (int i = 0; kAlphabet[i]; ++i) {
        const char16_t small = kAlphabet[i];
        const uint32_t w = base + uint32_t(i) * 4;
        t[small] = {w, 0};
        t[upperChar(QChar(small)).unicode()] = {w, 1};
    }
    // Circumflexed vowels of Turkish words sort with their plain letters.
    const std::pair<char16_t, char16_t> variants[] = {
        {u'â', u'a'}, {u'Â', u'a'}, {u'î', u'i'}, {u'Î', u'i'}, {u'û', u'u'}, {u'Û', u'u'},
        {u'é', u'e'}, {u'É', u'e'}, {u'è', u'e'}, {u'á', u'a'}, {u'à', u'a'}, {u'ä', u'a'},
        {u'Ä', u'a'}, {u'ë', u'e'}, {u'ï', u'i'}, {u'ó', u'o'}, {u'ò', u'o'}, {u'ú', u'u'}};
    for (auto [v, plain] : variants) t[v] = {t[plain].primary, 2};
    return t;
}

const std::array<Weight, 0x180> &table()
{
    static const auto t = buildTable();
    return t;
}

inline Weight weightOf(char32_t cp)
{
    if (cp < 0x180) return table()[cp];
    return {0x10000 + uint32_t(cp), 0};
}

// Decodes one UTF-8 code point; malformed bytes count as themselves.
inline char32_t nextCodePoint(std::string_view s, size_t &i)
{
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) { ++i; return c; }
    int len = (c >= 0xf0) ? 4 : (c >= 0xe0) ? 3 : (c >= 0xc0) ? 2 : 1;
    if (len == 1 || i + len > s.size()) { ++i; return c; }
    char32_t cp = c & (0x3f >> (len - 1));
    for (int k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3f);
    i += len;
    return cp;
}

} // namespace

QString turkishFold(const QString &text)
{
    QString out = text;
    for (QChar &c : out) c = lowerChar(c);
    // Letters outside Turkish and ASCII fold as Unicode says.
    for (QChar &c : out)
        if (c.unicode() >= 0x80 && c.isUpper()) c = c.toLower();
    return out;
}

QString turkceKucuk(const QString &text)
{
    QString out = trimmed(text);
    for (QChar &c : out) c = lowerChar(c);
    return out;
}

QString turkceBuyuk(const QString &text)
{
    QString out = trimmed(text);
    for (QChar &c : out) c = upperChar(c);
    return out;
}

int turkishCompareUtf8(std::string_view a, std::string_view b)
{
    size_t i = 0, j = 0;
    int tie = 0;
    while (i < a.size() && j < b.size()) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[j]);
        if (ca == cb && ca < 0x80) { ++i; ++j; continue; }
        const Weight wa = weightOf(nextCodePoint(a, i));
        const Weight wb = weightOf(nextCodePoint(b, j));
        if (wa.primary != wb.primary) return wa.primary < wb.primary ? -1 : 1;
        if (!tie && wa.tertiary != wb.tertiary) tie = wa.tertiary < wb.tertiary ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    if (tie) return tie;
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

namespace {

// The code point turkishFold makes of one code point.
inline char32_t foldCodePoint(char32_t cp)
{
    if (cp < 0x80) {
        if (cp == u'I') return u'ı';
        return cp >= u'A' && cp <= u'Z' ? cp + 32 : cp;
    }
    if (cp == u'İ') return u'i';
    return QChar::toLower(cp);
}

} // namespace

int turkishFoldCompareUtf8(std::string_view a, std::string_view b)
{
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[j]);
        if (ca == cb && ca < 0x80) { ++i; ++j; continue; }
        const char32_t fa = foldCodePoint(nextCodePoint(a, i));
        const char32_t fb = foldCodePoint(nextCodePoint(b, j));
        if (fa != fb) return fa < fb ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

int turkishCompare(const QString &a, const QString &b)
{
    const QByteArray ua = a.toUtf8(), ub = b.toUtf8();
    return turkishCompareUtf8(std::string_view(ua.constData(), ua.size()),
                              std::string_view(ub.constData(), ub.size()));
}

bool turkishLike(const QString &pattern, const QString &text, QChar escape)
{
    // Iterative matcher with backtracking to the last "%".
    const qsizetype pn = pattern.size(), tn = text.size();
    qsizetype p = 0, t = 0, starP = -1, starT = 0;
    while (t < tn) {
        if (p < pn) {
            QChar pc = pattern[p];
            if (!escape.isNull() && pc == escape && p + 1 < pn) {
                if (pattern[p + 1] == text[t]) { p += 2; ++t; continue; }
            } else if (pc == u'%') {
                starP = p++;
                starT = t;
                continue;
            } else if (pc == u'_' || pc == text[t]) {
                ++p; ++t;
                continue;
            }
        }
        if (starP < 0) return false;
        p = starP + 1;
        t = ++starT;
    }
    while (p < pn && pattern[p] == u'%') ++p;
    return p == pn;
}
