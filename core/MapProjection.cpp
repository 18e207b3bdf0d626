#include "core/MapProjection.h"

#include "core/AngleUnits.h"
#include "core/Library.h"
#include "core/PrjRegistry.h"
#include "core/PublicVal.h"
#include "core/clsEnvironment.h"

#include <cmath>

namespace MapProjection {

double GlobeRadius = 0;
double GlobeCircum = 0;
double GlobeSecLength = 0;
int32_t GlobeCircumLong = 0;
double ScaleMax = 0;
double ScaleMin = 0;

namespace {

using AngleLib::Pi;
constexpr double kRadiusMin = 10000;
constexpr double kRadiusMax = 53 * DefaultGlobeRadius; // 337663041.8686294

bool IsCatalogued(int16_t index) { return index >= 1 && index <= 30; }

// 10^k for small k, exact.
double PowerOfTen(int k) {
    double p = 1;
    for (int i = 0; i < k; ++i) p *= 10;
    return p;
}

// Smallest k >= 0 with 10^k >= v.
int DecadeAtLeast(double v) {
    int k = 0;
    while (PowerOfTen(k) < v && k < 400) ++k;
    return k;
}

} // namespace

void InitGlobeRadius(double metres) {
    double r = metres;
    if (!(r >= kRadiusMin && r <= kRadiusMax)) r = DefaultGlobeRadius;
    GlobeRadius = r;
    GlobeCircum = 2 * GlobeRadius * Pi;
    GlobeSecLength = GlobeCircum / 1296000;
    GlobeCircumLong = Library::DblToLng(GlobeCircum);

    double smin = 1;
    for (double v = GlobeRadius; v > 100; v /= 10) smin = std::floor(smin * 10);
    ScaleMin = smin;
    ScaleMax = std::floor(ScaleMin * 10000);
}

void InitGlobe() { InitGlobe(PublicVal::gvEnvironment); }

void InitGlobe(const clsEnvironment* env) {
    const QString def = Library::NumStr(DefaultGlobeRadius);
    InitGlobeText(env ? env->GetString(QStringLiteral("GlobeRadius"), def) : def);
}

void InitGlobeText(const QString& text) {
    double metres = 0;
    try {
        metres = Library::StrToMeter(text, QStringLiteral("m"));
    } catch (...) {
        metres = 0; // not a length: the default radius below
    }
    InitGlobeRadius(metres);
}

double LightDistanceMin() { return GlobeRadius * 1.005; }
double LightDistanceMax() { return GlobeRadius * 201; }
bool IsValidLight(double light) { return light >= 1.005 && light <= 201; }
double LightToAltitude(double light) { return std::floor((light - 1) * GlobeRadius + 0.5); }
double AltitudeToLight(double metres) { return metres / GlobeRadius + 1; }

bool IsValidScale(double scale) { return ScaleMin <= scale && scale <= ScaleMax; }

double LimitScale(double scale) {
    const double s = scale < ScaleMax ? scale : ScaleMax;
    return s > ScaleMin ? s : ScaleMin;
}

QString PrjName(int16_t index) { return PrjName(index, PublicVal::gvEnvironment); }

QString PrjName(int16_t index, const clsEnvironment* env) {
    if (!IsCatalogued(index) || PrjStatus(index) == 0) return {};
    const QString key = QStringLiteral("PrjName") + QStringLiteral("%1").arg(index, 2, 10, QLatin1Char('0'));
    const QString def = QStringLiteral("--- 未定義 ---");
    return env ? env->GetString(key, def) : def;
}

int PrjNameToIndex(const QString& name) { return PrjNameToIndex(name, PublicVal::gvEnvironment); }

int PrjNameToIndex(const QString& name, const clsEnvironment* env) {
    for (int16_t i = 1; i <= 30; ++i)
        if (PrjName(i, env) == name) return i;
    return -1;
}

QString StandardPrjName(int16_t index) {
    if (!IsCatalogued(index)) return {};
    return QString::fromUtf16(PrjRegistry::Catalogued(index)->name);
}

int32_t PrjStatus(int16_t index) {
    const PrjRegistry::Entry* e = PrjRegistry::Catalogued(index);
    return e ? e->status : 0;
}

PrjShape PrjShapeOf(int16_t index) {
    return PrjShape{static_cast<uint8_t>((static_cast<uint32_t>(PrjStatus(index)) >> 8) & 0xFF)};
}

QList<int> PrjListByStatus(int32_t mask) {
    uint32_t m = static_cast<uint32_t>(mask);
    if ((m & 0xFF000000u) == 0) m |= 0xFF000000u; // no area asked: every area
    if ((m & 0x0000FF00u) == 0) m |= 0x0000FF00u; // no outline asked: every outline
    QList<int> list;
    for (int16_t i = 1; i <= 30; ++i) {
        const uint32_t w = static_cast<uint32_t>(PrjStatus(i)) & m;
        if ((w & 0xFF000000u) != 0 && (w & 0x00FF0000u) == (m & 0x00FF0000u) && (w & 0x0000FF00u) != 0 &&
            (w & 0x000000FFu) == (m & 0x000000FFu))
            list.append(i);
    }
    return list;
}

int32_t PrjHelpID(int16_t index) {
    if (index >= 1 && index <= 9) return 341000 + index;
    if (index >= 10 && index <= 20) return 341991 + index;
    if (index >= 21 && index <= 28) return 342980 + index;
    if (index >= 29 && index <= 30) return 343972 + index;
    return -1;
}

std::vector<double> AltitudeSteps() {
    static const double kMantissa[40] = {1.0, 1.1, 1.2, 1.3, 1.4, 1.5, 1.6, 1.7, 1.8, 1.9,
                                         2.0, 2.1, 2.2, 2.3, 2.4, 2.5, 2.6, 2.7, 2.8, 2.9,
                                         3.0, 3.2, 3.4, 3.6, 3.8, 4.0, 4.2, 4.4, 4.6, 4.8,
                                         5.0, 5.25, 5.5, 5.75, 6.0, 6.5, 7.0, 7.5, 8.0, 9.0};
    const int k1 = DecadeAtLeast(LightDistanceMin() - GlobeRadius);
    const int k2 = DecadeAtLeast(LightDistanceMax() - GlobeRadius) - 1;
    std::vector<double> steps;
    if (k2 < k1) return steps; // only before InitGlobe
    steps.reserve(static_cast<size_t>(k2 - k1) * 40 + 1);
    for (int d = k1; d < k2; ++d)
        for (double m : kMantissa) steps.push_back(std::floor(PowerOfTen(d) * m + 0.5));
    steps.push_back(std::floor(PowerOfTen(k2) + 0.5));
    return steps;
}

} // namespace MapProjection
