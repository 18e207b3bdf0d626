#pragma once
// Shared by the projector tests: projector builder, angle units, the list of
// implemented indexes and a bisection solver for the auxiliary angles.
#include "core/MapProjection.h"
#include "core/clsVospProjector.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace pk {

inline const double kR = MapProjection::DefaultGlobeRadius;
inline constexpr int32_t D = 3600; // one degree in seconds
inline constexpr int32_t M = 60;
inline constexpr int16_t kAll[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 19, 20, 21, 23, 24, 25, 26, 30};

inline clsVospProjector Make(int16_t index, int32_t lonSec, int32_t latSec, double light = 2) {
    MapProjection::InitGlobeRadius(MapProjection::DefaultGlobeRadius);
    clsVospProjector p;
    p.SetPrjIndex(index);
    p.SetCenterLon(lonSec);
    p.SetCenterLat(latSec);
    p.SetLight(light);
    return p;
}

inline bool Fwd(clsVospProjector& p, int32_t lon, int32_t lat) {
    double x, y;
    return p.CnvLLtoXY(lon, lat, x, y);
}

// Inverse of a unit-sphere plane point given before the centre shift.
inline bool InvUnit(clsVospProjector& p, double ux, double uy, int32_t& lon, int32_t& lat) {
    p.SetUp();
    return p.CnvXYtoLL(ux * kR, (uy - p.YOffset()) * kR, lon, lat);
}

inline int32_t LonDiff(int32_t a, int32_t b) {
    int64_t d = (int64_t(a) - b) % 1296000;
    if (d > 648000) d -= 1296000;
    if (d < -648000) d += 1296000;
    return static_cast<int32_t>(std::llabs(d));
}

// Root of an increasing lhs on 0..pi/2.
template <class F>
double Solve(F lhs, double rhs) {
    double lo = 0, hi = 1.5707963267948966;
    if (lhs(hi) <= rhs) return hi;
    for (int i = 0; i < 200; ++i) {
        const double mid = (lo + hi) / 2;
        (lhs(mid) < rhs ? lo : hi) = mid;
    }
    return lo;
}

} // namespace pk
