#include "core/AngleLib.h"

#include "core/Library.h"

#include <cmath>

namespace AngleLib {
namespace {

constexpr int64_t kCircle = 1296000;
constexpr int64_t kHalf = 648000;
constexpr int64_t kQuarter = 324000;

double ClampedArcSin(double x) {
    if (x >= 1) return HalfPi;
    if (x <= -1) return -HalfPi;
    return std::atan(x / std::sqrt(1 - x * x));
}

double ClampedArcCos(double x) {
    if (x >= 1) return 0;
    if (x <= -1) return Pi;
    return std::atan(-x / std::sqrt(1 - x * x)) + HalfPi;
}

// In 64 bits: the extremes of a 32-bit angle pass 2^31 on the way.
int64_t NormLon64(int64_t v) {
    if (v > kHalf) v -= ((v + kHalf - 1) / kCircle) * kCircle;
    else if (v < -kHalf) v += ((kHalf - 1 - v) / kCircle) * kCircle;
    return v;
}

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
        lat = ClampedArcSin(y);
    } else {
        // Near the poles the arc sine loses precision; the arc cosine of the
        // distance from the axis does not.
        const double a = ClampedArcCos(std::sqrt(x * x + z * z));
        lat = y < 0 ? -a : a;
    }
}

int32_t NormLon(int32_t sec) { return static_cast<int32_t>(NormLon64(sec)); }

int32_t NormLat(int32_t sec) {
    int64_t v = NormLon64(sec);
    if (v > kQuarter) v = kHalf - v;
    else if (v < -kQuarter) v = -kHalf - v;
    return static_cast<int32_t>(v);
}

void NormalizeLL(int32_t& lon, int32_t& lat) {
    lon = NormLon(lon);
    lat = NormLat(lat);
}

} // namespace AngleLib
