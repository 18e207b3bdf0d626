#include "core/Library.h"

#include "platform/VospError.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <cmath>
#include <string>

namespace Library {

int32_t WrapRange(int32_t v, int32_t lo, int32_t hi) {
    const int64_t span = int64_t(hi) - lo + 1;
    int64_t w = v;
    if (w < lo) w += ((int64_t(lo) - w + span - 1) / span) * span;
    if (w > hi) w -= ((w - hi + span - 1) / span) * span;
    return static_cast<int32_t>(w);
}

int32_t RoundSigDigits(int32_t v, int32_t n) {
    n = Clamp(n, 1, 9);
    int64_t limit = 1;
    for (int i = 0; i < n; ++i) limit *= 10;
    int64_t a = v < 0 ? -int64_t(v) : int64_t(v);
    if (a < limit) return v;
    int64_t scale = 1;
    while (a >= limit) {
        a /= 10;
        scale *= 10;
    }
    const int64_t r = a * scale;
    return static_cast<int32_t>(v < 0 ? -r : r);
}

int32_t DblToLng(double x) {
    if (std::isnan(x)) ThrowError(6);
    if (x > 2147483646.0) return 2147483647;
    if (x < -2147483646.0) return -2147483647;
    return static_cast<int32_t>(std::nearbyint(x));
}

QString NumStr(double x) {
    if (x == 0) return QStringLiteral("0");
    return QString::number(x, 'G', 15);
}

} // namespace Library

namespace Library {
namespace {

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

// "&H"/"&O" digits after the prefix; the width of the result follows the
// classic rules (a 16-bit value when it fits in 16 bits, else 32 bits).
double ValRadix(const std::u16string& s, size_t pos, int radix) {
    uint64_t v = 0;
    int digits = 0;
    for (; pos < s.size(); ++pos) {
        const int d = HexDigit(s[pos]);
        if (d < 0 || d >= radix) break;
        v = v * radix + d;
        ++digits;
        if (v > 0xFFFFFFFFull) ThrowError(6);
    }
    const bool narrow = radix == 16 ? digits <= 4 : v <= 0xFFFF;
    if (narrow) return static_cast<int16_t>(static_cast<uint16_t>(v));
    if (radix == 16 && digits > 8) ThrowError(6);
    return static_cast<int32_t>(static_cast<uint32_t>(v));
}

} // namespace

double Val(const QString& text) {
    std::u16string s;
    s.reserve(static_cast<size_t>(text.size()));
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c != u' ' && c != u'\t' && c != u'\n') s.push_back(c);
    }
    if (s.size() >= 2 && s[0] == u'&') {
        if (s[1] == u'H' || s[1] == u'h') return ValRadix(s, 2, 16);
        if (s[1] == u'O' || s[1] == u'o') return ValRadix(s, 2, 8);
        return 0;
    }
    // The longest prefix of the form [sign] digits [. digits] [E [sign] digits].
    std::string num;
    size_t i = 0;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) num.push_back(static_cast<char>(s[i++]));
    int mantissaDigits = 0;
    while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') {
        num.push_back(static_cast<char>(s[i++]));
        ++mantissaDigits;
    }
    if (i < s.size() && s[i] == u'.') {
        num.push_back('.');
        ++i;
        while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') {
            num.push_back(static_cast<char>(s[i++]));
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) return 0;
    if (i < s.size() && (s[i] == u'E' || s[i] == u'e')) {
        size_t j = i + 1;
        std::string exp = "e";
        if (j < s.size() && (s[j] == u'+' || s[j] == u'-')) exp.push_back(static_cast<char>(s[j++]));
        const size_t first = j;
        while (j < s.size() && s[j] >= u'0' && s[j] <= u'9') exp.push_back(static_cast<char>(s[j++]));
        if (j > first) num += exp;
    }
    // strtod in the "C" locale: "." whatever the process locale; an underflow
    // gives 0 or a tiny value, an overflow HUGE_VAL.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    const double v = strtod_l(num.c_str(), nullptr, cLocale);
    if (std::isinf(v)) ThrowError(6);
    return v;
}

} // namespace Library
