#include "core/AngleLib.h"

#include "core/ErrorMng.h"
#include "core/Library.h"
#include "platform/VospError.h"

#include <cmath>

namespace AngleLib {
namespace {

constexpr int64_t kCircle = 1296000;
constexpr int64_t kHalf = 648000;
constexpr int64_t kQuarter = 324000;

} // namespace

double SecToRadian(int32_t sec) { return sec * RadPerSec; }

int32_t RadianToSec(double rad) { return Library::DblToLng(rad / RadPerSec); }

double AnglePosToRadian(double x, double y) {
    if (std::fabs(y) <= std::fabs(x)) {
        const double t = x == 0 ? 0 : std::atan(y / x);
        if (x >= 0) return t;
        return y > 0 ? Pi + t : -Pi + t;
    }
    const double t = std::atan(-x / y);
    return y > 0 ? HalfPi + t : -HalfPi + t;
}

void RotateXY(double angle, double& x, double& y) {
    const double c = std::cos(angle), s = std::sin(angle);
    const double nx = x * c - y * s;
    const double ny = x * s + y * c;
    x = nx;
    y = ny;
}

void AngleToVector(double a, double b, double& x, double& y, double& z) {
    const double cb = std::cos(b);
    x = std::sin(a) * cb;
    y = std::sin(b);
    z = -std::cos(a) * cb;
}

void VectorToAngle(double x, double y, double z, double& lon, double& lat) {
    lon = AnglePosToRadian(-z, x);
    if (-0.7 < y && y < 0.7) {
        lat = Library::ArcSin(y);
    } else {
        // Near the poles the arc sine loses precision; the arc cosine of the
        // distance from the axis does not.
        const double a = Library::ArcCos(std::sqrt(x * x + z * z));
        lat = y < 0 ? -a : a;
    }
}

// In 64 bits: the extremes of a 32-bit angle pass 2^31 on the way.
int64_t NormLon64(int64_t v) {
    if (v > kHalf) v -= ((v + kHalf - 1) / kCircle) * kCircle;
    else if (v < -kHalf) v += ((kHalf - 1 - v) / kCircle) * kCircle;
    return v;
}

int64_t NormLat64(int64_t v) {
    v = NormLon64(v);
    if (v > kQuarter) return kHalf - v;
    if (v < -kQuarter) return -kHalf - v;
    return v;
}

int32_t NormLon(int32_t sec) { return static_cast<int32_t>(NormLon64(sec)); }
int32_t NormLat(int32_t sec) { return static_cast<int32_t>(NormLat64(sec)); }

MapPoint NormalizeLL(MapPoint m) { return {NormLon(m.lon), NormLat(m.lat)}; }

void NormalizeLL(int32_t& lon, int32_t& lat) {
    const MapPoint m = NormalizeLL(MapPoint{lon, lat});
    lon = m.lon;
    lat = m.lat;
}

} // namespace AngleLib

// ---------------------------------------------------------------------------
// Angle texts

namespace AngleLib {
namespace {

const QString kObj = QStringLiteral("basAngle");
constexpr int32_t kErrModule = ErrBase + 1002;

int16_t g_format = 0;
int16_t g_unit = 0;
int16_t g_dir = 0;

void EnsureOptions() {
    if (g_format == 0) SetAngleFormat(1);
    if (g_unit == 0) SetAngleUnit(2);
    if (g_dir == 0) SetAngleDir(2);
}

struct Marks {
    const char16_t* degree;
    const char16_t* minute;
    const char16_t* second;
    const char16_t* radian;
};

// By unit 1..6; units 5 and 6 drop the degree mark in format 4 and the
// minute mark in format 2.
const Marks kMarks[6] = {
    {u"度", u"分", u"秒", u"弧度"},
    {u"°", u"′", u"″", u"ｒａｄ"},
    {u"d", u"m", u"s", u"radian"},
    {u"ﾟ", u"'", u"\"", u"rad"},
    {u"_", u"_", u"", u""},
    {u" ", u" ", u"", u""},
};

// The last `width` digits of v, zeros in front.
QString LastDigits(int64_t v, int width) {
    return QString::number(v).rightJustified(width, QLatin1Char('0')).right(width);
}

QString FormatAbs(int64_t a) {
    const Marks& m = kMarks[g_unit - 1];
    const QString deg = QString::fromUtf16(m.degree), min = QString::fromUtf16(m.minute);
    const QString sec = QString::fromUtf16(m.second), rad = QString::fromUtf16(m.radian);
    const bool plainMarks = g_unit >= 5;
    switch (g_format) {
    case 1:
        return LastDigits(a / 3600, 3) + deg + LastDigits(a % 3600 / 60, 2) + min + LastDigits(a % 60, 2) + sec;
    case 2: {
        const int64_t r = a + 30;
        return LastDigits(r / 3600, 3) + deg + LastDigits(r % 3600 / 60, 2) + (plainMarks ? QString() : min);
    }
    case 3:
        return LastDigits(a, 7) + sec;
    case 4: {
        // Degrees in units of 1e-7, exactly: a / 3600 * 1e7 = a * 25000 / 9 (never a tie).
        const int64_t units = (a * 25000 * 2 + 9) / 18;
        return LastDigits(units / 10000000, 3) + QLatin1Char('.') + LastDigits(units % 10000000, 7) +
               (plainMarks ? QString() : deg);
    }
    case 5:
        return QString::number(double(a) * RadPerSec, 'f', 9) + rad;
    default:
        return {};
    }
}

QString SecToStr64(int64_t s) {
    EnsureOptions();
    const int64_t a = s < 0 ? -s : s;
    return QLatin1Char(s < 0 ? '-' : '+') + FormatAbs(a);
}

QString MinToStr64(int64_t minutes) {
    QString t = SecToStr64(minutes * 60);
    if (g_format == 1) t = t.left(g_unit <= 4 ? 8 : 7);
    return t;
}

[[noreturn]] void RaiseNotAngle(const char* proc, const QString& text) {
    ErrorMng::RaiseNew(kErrModule, kObj, QString::fromLatin1(proc), QStringLiteral("text=") + text);
}

struct Keyword {
    const char16_t* word;
    const char16_t* code;
};

// Replaced in this order; longer words before the words they contain.
const Keyword kKeywords[54] = {
    {u":", u""},        {u"=", u""},
    {u"経度", u"X"},    {u"LONGITUDE", u"X"}, {u"LONG.", u"X"},  {u"LONG", u"X"},  {u"LON.", u"X"},
    {u"LON", u"X"},     {u"LNG", u"X"},       {u"λ", u"X"},
    {u"緯度", u"Y"},    {u"LATITUDE", u"Y"},  {u"LAT.", u"Y"},   {u"LAT", u"Y"},   {u"φ", u"Y"},
    {u"西経", u"W"},    {u"西", u"W"},        {u"WEST", u"W"},   {u"W.", u"W"},
    {u"東経", u"E"},    {u"東", u"E"},        {u"EAST", u"E"},   {u"E.", u"E"},
    {u"南緯", u"S"},    {u"南", u"S"},        {u"SOUTH", u"S"},  {u"S.", u"S"},
    {u"北緯", u"N"},    {u"北", u"N"},        {u"NORTH", u"N"},  {u"N.", u"N"},
    {u"度", u"ﾟ"},      {u"DEGREE", u"ﾟ"},    {u"DEG", u"ﾟ"},    {u"ｰ", u"ﾟ"},     {u"°", u"ﾟ"},
    {u"゜", u"ﾟ"},
    {u"分", u"'"},      {u"MINUTE", u"'"},    {u"MIN", u"'"},    {u"′", u"'"},     {u"’", u"'"},
    {u"秒", u"\""},     {u"SECOND", u"\""},   {u"SEC", u"\""},   {u"″", u"\""},    {u"”", u"\""},
    {u"゛", u"\""},
    {u"弧度", u"R"},    {u"RADIAN", u"R"},    {u"RAD.", u"R"},   {u"RAD", u"R"},
    {u"D", u"ﾟ"},
    {u"M", u"'"},
};

const QString kPlainChars = QStringLiteral("0123456789.-+WESNXYR ﾟ'\"");

} // namespace

bool SetAngleFormat(int16_t f) {
    if (f < 1 || f > 5) return false;
    g_format = f;
    return true;
}

bool SetAngleUnit(int16_t u) {
    if (u < 1 || u > 6) return false;
    g_unit = u;
    return true;
}

bool SetAngleDir(int16_t d) {
    if (d < 1 || d > 4) return false;
    g_dir = d;
    return true;
}

int16_t AngleFormat() { return g_format; }

QString SecToStr(int32_t seconds) { return SecToStr64(seconds); }

QString MinToStr(int32_t minutes) { return MinToStr64(minutes); }

QString AddDirChr(const QString& text, int16_t kind) {
    EnsureOptions();
    if (text.size() < 3) return {};
    const bool negative = text[0] == QLatin1Char('-');
    QString body = text.mid(1);
    if (kind == 2 && (g_format == 1 || g_format == 2 || g_format == 4)) body.remove(0, 1);
    if (g_dir == 4) return QLatin1Char(negative ? '-' : '+') + body;
    if (kind != 1 && kind != 2) return {};
    QString mark;
    switch (g_dir) {
    case 1:
        mark = kind == 1 ? (negative ? QStringLiteral("西経") : QStringLiteral("東経"))
                         : (negative ? QStringLiteral("南緯") : QStringLiteral("北緯"));
        return mark + body;
    case 2:
    case 3:
        mark = kind == 1 ? QLatin1String(negative ? "W" : "E") : QLatin1String(negative ? "S" : "N");
        return g_dir == 2 ? mark + body : body + mark;
    default:
        return {};
    }
}

QString AngleToStr(int32_t seconds) { return SecToStr(seconds % 1296000); }

QString LonToStr(int32_t seconds) { return AddDirChr(SecToStr(NormLon(seconds)), 1); }

QString LatToStr(int32_t seconds) { return AddDirChr(SecToStr(NormLat(seconds)), 2); }

// minutes x 60 passes 32 bits for large arguments; the normalised value does not.
QString LonMinToStr(int32_t minutes) { return AddDirChr(MinToStr64(NormLon64(int64_t(minutes) * 60) / 60), 1); }

QString LatMinToStr(int32_t minutes) {
    int64_t v = NormLon64(int64_t(minutes) * 60);
    if (v > kQuarter) v = kHalf - v;
    else if (v < -kQuarter) v = -kHalf - v;
    return AddDirChr(MinToStr64(v / 60), 2);
}

QString AngleFormalStr(const QString& original) {
    QString text = original;
    if (text.contains(QLatin1Char(',')) && text.contains(QLatin1Char('.'))) {
        text.replace(QLatin1Char('.'), QStringLiteral("ﾟ"));
        text.replace(QLatin1Char(','), QLatin1Char('\''));
    }
    QChar axis = QLatin1Char(' '), sign = QLatin1Char('+');
    QString degrees, minutes, seconds;
    bool plainNumber = false;
    try {
        const double v = Library::CDbl(text);
        degrees = Library::NumStr(std::fabs(v));
        sign = QLatin1Char(v >= 0 ? '+' : '-');
        plainNumber = true;
    } catch (const VospError& e) {
        if (e.number != 13) ErrorMng::ReRaise(kErrModule, kObj, QStringLiteral("AngleFormalStr"));
    }
    if (!plainNumber) {
        QString t = Library::NarrowStr(Library::UpperLatin(Library::TrimBlanks(text)));
        t.replace(QStringLiteral("分"), QStringLiteral("′"));
        t = Library::KansujiToArabic(t);
        bool plain = true;
        for (const QChar c : t)
            if (!kPlainChars.contains(c)) plain = false;
        if (!plain) {
            // "弧度" holds "度", which comes first in the table: read it as radians
            // before the table can break it up.
            t.replace(QStringLiteral("弧度"), QStringLiteral("R"));
            for (const Keyword& k : kKeywords) t.replace(QString::fromUtf16(k.word), QString::fromUtf16(k.code));
        }
        t += QLatin1Char('\r');
        int field = 0;
        QString number;
        bool good = false;
        for (qsizetype i = 0; i < t.size(); ++i) {
            const QChar c = t[i];
            const char16_t u = c.unicode();
            if (u == u'X' || u == u'Y') {
                axis = c;
            } else if (u == u'-' || u == u'+') {
                sign = c;
            } else if (u == u'W' || u == u'E' || u == u'N') {
                axis = QLatin1Char(u == u'N' ? 'Y' : 'X');
                sign = QLatin1Char(u == u'W' ? '-' : '+');
            } else if (u == u'S') {
                if (!number.isEmpty()) {
                    seconds = number;
                    number.clear();
                    field = 3;
                } else {
                    axis = QLatin1Char('Y');
                    sign = QLatin1Char('-');
                }
            } else if (u >= u'0' && u <= u'9') {
                number += c;
                good = true;
            } else if (u == u'.') {
                number += c;
            } else if (u == u'ﾟ') {
                degrees = number;
                number.clear();
                field = 1;
            } else if (u == u'\'') {
                minutes = number;
                number.clear();
                field = 2;
            } else if (u == u'"') {
                seconds = number;
                number.clear();
                field = 3;
            } else if (u == u'R') {
                if (number.isEmpty()) RaiseNotAngle("AngleFormalStr", original);
                seconds = Library::NumStr(std::nearbyint(Library::Val(number) * 648000 / Pi));
                number.clear();
                field = 3;
            } else {
                if (!number.isEmpty()) {
                    if (field == 0) degrees = number;
                    else if (field == 1) minutes = number;
                    else if (field == 2) seconds = number;
                    else good = false;
                    number.clear();
                } else if (i != t.size() - 1) {
                    good = false;
                }
                ++field;
                if (!good) break;
            }
        }
        if (!good) RaiseNotAngle("AngleFormalStr", original);
    }
    double total = 0;
    try {
        total = std::nearbyint(Library::Val(degrees) * 3600 + Library::Val(minutes) * 60 + Library::Val(seconds));
    } catch (...) {
        ErrorMng::ReRaise(kErrModule, kObj, QStringLiteral("AngleFormalStr"), QStringLiteral("text=") + original);
    }
    if (!(total >= 0 && total <= 2147483647.0)) RaiseNotAngle("AngleFormalStr", original);
    const int64_t n = static_cast<int64_t>(total);
    return QString(axis) + sign + LastDigits(n / 3600, 3) + QStringLiteral("ﾟ") + LastDigits(n % 3600 / 60, 2) +
           QLatin1Char('\'') + LastDigits(n % 60, 2) + QLatin1Char('"');
}

int32_t AngleSecStrToVal(const QString& text) {
    try {
        const QString f = AngleFormalStr(text);
        if (f.size() < 11) RaiseNotAngle("AngleSecStrToVal", text);
        int64_t sum = 0, acc = 0;
        for (qsizetype i = 2; i < f.size(); ++i) {
            const char16_t c = f[i].unicode();
            if (c >= u'0' && c <= u'9') {
                acc = acc * 10 + (c - u'0');
            } else if (c == u'ﾟ' || c == u'\'' || c == u'"') {
                sum += acc * (c == u'ﾟ' ? 3600 : c == u'\'' ? 60 : 1);
                acc = 0;
            }
        }
        return static_cast<int32_t>(f[1] == QLatin1Char('-') ? -sum : sum);
    } catch (...) {
        ErrorMng::ReRaise(kErrModule, kObj, QStringLiteral("AngleSecStrToVal"));
    }
}

int32_t AngleStrToSec(const QString& text) {
    try {
        return AngleSecStrToVal(text);
    } catch (...) {
        return 0;
    }
}

} // namespace AngleLib
