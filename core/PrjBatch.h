#pragma once
// Forward projection of whole lists of points, several lanes at a time with
// the C library's vector maths (libmvec). Only the projections whose forward
// is a closed form have a kernel here; the others go point by point.
#include "core/CoordTypes.h"
#include "core/PrjRegistry.h"
#include "core/clsPoly.h"

#include <cstddef>
#include <cstdint>

namespace PrjBatch {

// The set-up of one projection at one centre: its family's constants as
// the single-point forms read them, and what the inverses need besides.
struct Consts {
    const PrjConsts* families = nullptr;
    double lon0 = 0;
    double radius = 0, yOffset = 0, limit = 0; // for the inverses
};

// Writes for each point its plane image before the centre's y offset and
// whether the forward accepts it; where it does not, x and y are left
// unspecified. Points are (longitude, latitude) seconds.
using Kernel = void (*)(const Consts& c, const PolyPoint* in, size_t n, double* x, double* y, uint8_t* valid);

// The inverse over plane points in metres: each point's longitude from the
// centre meridian and latitude in radians, and whether the inverse accepts
// it; where it does not, both are left unspecified.
using InvKernel = void (*)(const Consts& c, const PlaneXY* in, size_t n, double* lon, double* lat, uint8_t* valid);

// The kernel of a projection for two lanes (any x86-64) or four (AVX2);
// null where the projection has none.
Kernel Lanes2(int prj);
Kernel Lanes4(int prj);
InvKernel InvLanes2(int prj);
InvKernel InvLanes4(int prj);

// The widest lane count this processor runs: 4, 2, or 1 (no kernels).
int MachineLanes();
// Caps the lane count (1 turns the kernels off); tests compare the widths.
void SetLaneLimit(int lanes);
int Lanes();

} // namespace PrjBatch
