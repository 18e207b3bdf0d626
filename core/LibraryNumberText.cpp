#include "core/LibraryNumberText.h"

#include "core/LibraryText.h"
#include "platform/VospError.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace Library {

QString NumStr(double x) {
    if (x == 0) return QStringLiteral("0");
    return QString::number(x, 'G', 15);
}

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

// The decimal exponent of the leading digit of [sign] digits [. digits]
// [e [sign] digits], saturated; only its sign matters to the caller.
int64_t LeadingExponent(const std::string& num) {
    size_t i = (!num.empty() && (num[0] == '+' || num[0] == '-')) ? 1 : 0;
    int64_t lead = 0;
    bool seen = false, point = false;
    for (; i < num.size() && num[i] != 'e'; ++i) {
        if (num[i] == '.') {
            point = true;
        } else if (!seen && num[i] != '0') {
            seen = true;
        } else if (!seen && point) {
            --lead;
        }
        if (seen && !point && num[i] != '.') ++lead;
    }
    int64_t e = 0;
    bool negative = false;
    if (i < num.size()) {
        ++i;
        if (i < num.size() && (num[i] == '+' || num[i] == '-')) negative = num[i++] == '-';
        for (; i < num.size(); ++i) e = std::min<int64_t>(e * 10 + (num[i] - '0'), 100000);
    }
    return lead + (negative ? -e : e);
}

// A number of the form above with "." whatever the process locale; an
// underflow gives 0 or a tiny value, an overflow error 6.
double ParseCNumber(const std::string& num) {
    const bool minus = !num.empty() && num[0] == '-';
    const char* first = num.data() + ((minus || (!num.empty() && num[0] == '+')) ? 1 : 0);
    double v = 0;
    const auto r = std::from_chars(first, num.data() + num.size(), v);
    if (r.ec == std::errc::result_out_of_range) {
        if (LeadingExponent(num) > 0) ThrowError(6);
        v = 0;
    }
    if (std::isinf(v)) ThrowError(6);
    return minus ? -v : v;
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
    return ParseCNumber(num);
}


namespace {

bool IsAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

} // namespace

double CDbl(const QString& text) {
    const QString s = TrimBlanks(text);
    std::u16string u(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<size_t>(s.size()));
    if (u.size() >= 3 && u[0] == u'&') {
        const char16_t p = u[1];
        const int radix = (p == u'H' || p == u'h') ? 16 : (p == u'O' || p == u'o') ? 8 : 0;
        bool ok = radix != 0;
        for (size_t i = 2; ok && i < u.size(); ++i) {
            const int d = HexDigit(u[i]);
            ok = d >= 0 && d < radix;
        }
        if (!ok) ThrowError(13);
        return Val(s);
    }
    std::string num;
    size_t i = 0;
    if (i < u.size() && (u[i] == u'+' || u[i] == u'-')) num.push_back(static_cast<char>(u[i++]));
    int digits = 0;
    while (i < u.size()) {
        if (IsAsciiDigit(u[i])) {
            num.push_back(static_cast<char>(u[i++]));
            ++digits;
        } else if (u[i] == u',' && digits > 0 && i + 1 < u.size() && IsAsciiDigit(u[i + 1])) {
            ++i;
        } else {
            break;
        }
    }
    if (i < u.size() && u[i] == u'.') {
        num.push_back('.');
        ++i;
        while (i < u.size() && IsAsciiDigit(u[i])) {
            num.push_back(static_cast<char>(u[i++]));
            ++digits;
        }
    }
    if (digits == 0) ThrowError(13);
    if (i < u.size() && (u[i] == u'E' || u[i] == u'e' || u[i] == u'D' || u[i] == u'd')) {
        num.push_back('e');
        ++i;
        if (i < u.size() && (u[i] == u'+' || u[i] == u'-')) num.push_back(static_cast<char>(u[i++]));
        const size_t first = i;
        while (i < u.size() && IsAsciiDigit(u[i])) num.push_back(static_cast<char>(u[i++]));
        if (i == first) ThrowError(13);
    }
    if (i != u.size()) ThrowError(13);
    return ParseCNumber(num);
}

} // namespace Library
