#pragma once
// What the projection families share: the radian point type, what a set-up
// is given, what every family's constants start with, and the clamped
// inverse functions. A family's set-up, forward and inverse are plain
// functions of their arguments; nothing is kept between calls. A constant
// more than one family uses is written here once, a family's own in its
// file, where its single-point and list forms share it.
#include "core/AngleUnits.h"
#include "core/LibraryMaths.h"

#include <cmath>
#include <cstdint>

namespace Prj {

// The engine's angle constants (core/AngleUnits.h), and the projections' own.
using AngleLib::HalfPi;
using AngleLib::Pi;
using AngleLib::RadPerSec;
inline constexpr double kQuarterPi = 0.7853981633974475;
inline constexpr double k15s = 7.272205216643033e-5;
inline constexpr double k60d15s = 1.047270273248763; // 60 degrees 0'15"

// Longitude from the centre meridian and latitude, in radians.
struct LonLatRad {
    double lon = 0;
    double lat = 0;
};

// A point of the projection plane on the unit sphere.
struct UnitXY {
    double x = 0;
    double y = 0;
};

// The centre and viewing distance a set-up works from. Azimuthal and conic
// projections are drawn around the pole on the centre's side: sign is +1
// for a southern centre, -1 otherwise, and polar0 the centre's distance from
// that pole.
struct PrjCentre {
    double lat0 = 0;
    double polar0 = 0;
    double sign = 0;
    bool south = false;
    double light = 0;
};

// The start of every family's constants: the plane y of the centre (taken
// off every forward y) and the largest plane radius or |y| an inverse takes.
struct PrjFrame {
    double yOffset = 0;
    double limit = 0;
};

// Where the walk of a searched inverse stopped when it found no point;
// callers have always been handed that point with the refusal.
struct SearchStop {
    bool walked = false;
    LonLatRad at;
};

// The clamped inverse functions (|x| >= 1 gives the end of the range).
using Library::ArcCos;
using Library::ArcSin;

// Direction of the vector (x, y) counter-clockwise from +x, in [-pi, pi).
inline double AnglePos(double x, double y) {
    if (std::fabs(y) <= std::fabs(x)) {
        const double t = x == 0 ? 0.0 : std::atan(y / x);
        if (x >= 0) return t;
        return y > 0 ? Pi + t : -Pi + t;
    }
    const double t = std::atan(-x / y);
    return y > 0 ? HalfPi + t : -HalfPi + t;
}

inline bool InRange(double x, double lo, double hi) { return lo <= x && x <= hi; }
inline bool IsNearZero(double x) { return InRange(x, -1e-6, 1e-6); }

} // namespace Prj
