#pragma once
// Projection of whole lists of points, several lanes at a time with the C
// library's vector maths (libmvec). A projection's list forms sit in its
// family's file beside its single-point forms and are reached through its
// registry row; a projection without them goes point by point.
#include "core/CoordTypes.h"

#include <cstddef>
#include <cstdint>

struct PolyPoint;
struct PrjConsts;

namespace PrjBatch {

// The lane widths: two with the SSE2 every x86-64 has, four with AVX2.
struct Lanes2;
struct Lanes4;

// The set-up of one projection at one centre: its family's constants as
// the single-point forms read them, and what the inverses need besides.
struct Consts {
    const PrjConsts* families = nullptr;
    double lon0 = 0;
    double radius = 0, yOffset = 0, limit = 0; // for the inverses
};

// A forward's list: points as (longitude, latitude) seconds in, for each
// its plane image before the centre's y offset and whether the forward
// accepts it out; where it does not, x and y are left unspecified.
struct ToPlane {
    const PolyPoint* in = nullptr;
    size_t n = 0;
    double* x = nullptr;
    double* y = nullptr;
    uint8_t* valid = nullptr;
};

// An inverse's list: plane points in metres in; out, for each point, its
// state and, where the inverse accepts it, its longitude from the centre
// meridian and latitude in radians. Where the state has kSeconds too (a
// finite point whose seconds need at most one turn of the longitude and
// are certain to be the point form's), `out` holds its (longitude,
// latitude) seconds with the centre meridian added, as the point form gives
// them; the caller takes the others through the point form.
struct ToSphere {
    const PlaneXY* in = nullptr;
    size_t n = 0;
    double* lon = nullptr;
    double* lat = nullptr;
    uint8_t* state = nullptr;
    PolyPoint* out = nullptr;
};
inline constexpr uint8_t kAccepted = 1;
inline constexpr uint8_t kSeconds = 2;

using Kernel = void (*)(const Consts& c, const ToPlane& io);
using InvKernel = void (*)(const Consts& c, const ToSphere& io);

// The widest lane count this processor runs: 4, 2, or 1 (no kernels).
int MachineLanes();
// Caps the lane count (1 turns the kernels off); tests compare the widths.
void SetLaneLimit(int lanes);
int Lanes();

} // namespace PrjBatch
