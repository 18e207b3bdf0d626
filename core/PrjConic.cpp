// Every limit test lets the equal case pass. The single-point forms come
// first, the list forms after them (see core/PrjLanes.h).
#include "core/PrjConic.h"

#include "core/Library.h"
#include "core/PrjLanes.h"
#include "core/PrjRow.h"

namespace Prj {

#ifndef VOSP_PRJ_LANES4

namespace {

constexpr double k87d15s = 1.5185091712872316;     // 87 degrees 0'15"
constexpr double k75d = 1.3089969389957459;        // 75 degrees
constexpr double k179d59m45s = 3.1415199315376237; // 179 degrees 59'45"

bool CentreUsable(const PrjCentre& c) { return c.polar0 < k87d15s; }

double PolarOf(double sign, double lat) { return sign * lat + HalfPi; }

ConicConsts Cone(const PrjCentre& c) {
    ConicConsts k;
    k.sign = c.sign;
    k.polar0 = c.polar0;
    k.cone = std::cos(c.polar0);
    return k;
}

UnitXY Place(double sign, double cone, double r, double lon) {
    const double a = cone * lon;
    return {r * std::sin(a), r * std::cos(a) * sign};
}

LonLatRad Unplace(double sign, double cone, double p, double x, double y) {
    return {AnglePos(y * sign, x) / cone, (p - HalfPi) * sign};
}

} // namespace

// 21 central conic: r = tan(p - p0) + rho0
std::optional<ConicConsts> SetUpCentralConic(const PrjCentre& c) {
    if (!CentreUsable(c)) return std::nullopt;
    ConicConsts k = Cone(c);
    k.rho0 = std::tan(c.polar0);
    k.maxPolar = c.polar0 + k75d;
    k.yOffset = k.rho0 * c.sign;
    k.limit = std::tan(k.maxPolar - c.polar0) + k.rho0;
    return k;
}

std::optional<UnitXY> FwdCentralConic(const ConicConsts& c, double lon, double lat) {
    const double p = PolarOf(c.sign, lat);
    if (p > c.maxPolar) return std::nullopt;
    return Place(c.sign, c.cone, std::tan(p - c.polar0) + c.rho0, lon);
}

std::optional<LonLatRad> InvCentralConic(const ConicConsts& c, double x, double y) {
    const double rho = std::sqrt(x * x + y * y);
    if (rho > c.limit) return std::nullopt;
    return Unplace(c.sign, c.cone, std::atan(rho - c.rho0) + c.polar0, x, y);
}

// 23 equidistant conic: r = p - p0 + rho0
std::optional<ConicConsts> SetUpEquidistantConic(const PrjCentre& c) {
    if (!CentreUsable(c)) return std::nullopt;
    ConicConsts k = Cone(c);
    k.rho0 = std::tan(c.polar0);
    k.maxPolar = k179d59m45s;
    k.yOffset = k.rho0 * c.sign;
    k.limit = k179d59m45s - c.polar0 + k.rho0;
    return k;
}

std::optional<UnitXY> FwdEquidistantConic(const ConicConsts& c, double lon, double lat) {
    const double p = PolarOf(c.sign, lat);
    if (p > c.maxPolar) return std::nullopt;
    return Place(c.sign, c.cone, p - c.polar0 + c.rho0, lon);
}

std::optional<LonLatRad> InvEquidistantConic(const ConicConsts& c, double x, double y) {
    const double rho = std::sqrt(x * x + y * y);
    if (rho > c.limit) return std::nullopt;
    const double p = rho + c.polar0 - c.rho0;
    if (p < 0) return std::nullopt;
    return Unplace(c.sign, c.cone, p, x, y);
}

// 24 Albers equal-area: r = sqrt((n - cos p) 2/n + tan^2 p0), n = cos p0
std::optional<ConicConsts> SetUpAlbers(const PrjCentre& c) {
    if (!CentreUsable(c)) return std::nullopt;
    ConicConsts k = Cone(c);
    k.rho0 = std::tan(c.polar0);
    k.maxPolar = k179d59m45s;
    k.twoOverCone = 2 / k.cone;
    const double t = std::sin(c.polar0) / std::cos(c.polar0);
    k.rho0Squared = t * t;
    k.yOffset = std::sqrt(k.rho0Squared) * c.sign;
    k.limit = std::sqrt((k.cone - std::cos(k179d59m45s)) * k.twoOverCone + k.rho0Squared);
    return k;
}

std::optional<UnitXY> FwdAlbers(const ConicConsts& c, double lon, double lat) {
    const double p = PolarOf(c.sign, lat);
    if (p > c.maxPolar) return std::nullopt;
    return Place(c.sign, c.cone, std::sqrt((c.cone - std::cos(p)) * c.twoOverCone + c.rho0Squared), lon);
}

std::optional<LonLatRad> InvAlbers(const ConicConsts& c, double x, double y) {
    const double rho = std::sqrt(x * x + y * y);
    if (rho > c.limit) return std::nullopt;
    const double q = c.cone - (rho * rho - c.rho0Squared) / c.twoOverCone;
    if (q > 1) return std::nullopt;
    return Unplace(c.sign, c.cone, ArcCos(q), x, y);
}

// 25 Lambert conformal: r = F tan(p/2)^n, F = tan p0 / tan(p0/2)^n.
// With the centre on the pole F tends to 2 (the polar stereographic).
std::optional<ConicConsts> SetUpLambertConic(const PrjCentre& c) {
    if (!CentreUsable(c)) return std::nullopt;
    ConicConsts k = Cone(c);
    k.maxPolar = c.polar0 + k75d;
    const double t0n = std::pow(std::tan(c.polar0 / 2), k.cone);
    k.f = t0n > 0 ? (std::sin(c.polar0) / std::cos(c.polar0)) / t0n : 2.0;
    k.rho0 = t0n * k.f;
    k.yOffset = t0n * k.f * c.sign;
    k.limit = k.f * std::pow(std::tan(k.maxPolar / 2), k.cone);
    return k;
}

std::optional<UnitXY> FwdLambertConic(const ConicConsts& c, double lon, double lat) {
    const double p = PolarOf(c.sign, lat);
    if (p > c.maxPolar) return std::nullopt;
    return Place(c.sign, c.cone, c.f * std::pow(std::tan(p / 2), c.cone), lon);
}

std::optional<LonLatRad> InvLambertConic(const ConicConsts& c, double x, double y) {
    const double rho = std::sqrt(x * x + y * y);
    if (rho > c.limit) return std::nullopt;
    return Unplace(c.sign, c.cone, 2 * std::atan(std::pow(rho / c.f, 1 / c.cone)), x, y);
}

// 26 Bonne: parallels are arcs of radius p - p0 + rho0 around the apex.
std::optional<BonneConsts> SetUpBonne(const PrjCentre& c) {
    if (!CentreUsable(c)) return std::nullopt;
    BonneConsts k;
    k.sign = c.sign;
    k.polar0 = c.polar0;
    k.rho0 = std::tan(c.polar0);
    k.yOffset = k.rho0 * c.sign;
    k.limit = Pi - c.polar0 + k.rho0;
    return k;
}

std::optional<UnitXY> FwdBonne(const BonneConsts& c, double lon, double lat) {
    const double p = PolarOf(c.sign, lat);
    const double r = p - c.polar0 + c.rho0;
    // r is 0 only at the pole with the centre on it; the factor tends to 1.
    return Place(c.sign, r != 0 ? std::sin(p) / r : 1.0, r, lon);
}

// Points between the pole and the apex (p < 0) lie on no parallel.
std::optional<LonLatRad> InvBonne(const BonneConsts& c, double x, double y) {
    const double rho = std::sqrt(x * x + y * y);
    if (rho > c.limit) return std::nullopt;
    const double p = rho + c.polar0 - c.rho0;
    if (p < 0) return std::nullopt;
    return Unplace(c.sign, rho != 0 ? std::sin(p) / rho : 1.0, p, x, y);
}

void BandConic(const ConicConsts& c, int32_t&, int32_t& south) {
    south = Library::DblToLng(324000 - c.maxPolar / RadPerSec + 15);
}

#endif // VOSP_PRJ_LANES4

#if defined(__x86_64__)

// The list forms: r of p as above, turned by the cone constant times the
// longitude, up to the same polar distance.
template <class L>
void FwdCentralConicList(const ConicConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io) {
    using T = Lanes<L>;
    const double p0 = k.polar0, r0 = k.rho0;
    Polar<T>(c, io, k.sign, k.maxPolar, k.cone, [p0, r0](const typename T::V& p) { return T::Tan(p - p0) + r0; });
}

template <class L>
void FwdEquidistantConicList(const ConicConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io) {
    using T = Lanes<L>;
    const double p0 = k.polar0, r0 = k.rho0;
    Polar<T>(c, io, k.sign, k.maxPolar, k.cone, [p0, r0](const typename T::V& p) { return p - p0 + r0; });
}

// Near the pole on the centre's side, with the centre near it too, the
// radius is the root of a difference of nearly equal terms, and the last bit
// of the cosine decides it, down to whether there is a root at all: where
// the square is that small (within about a degree of the pole), the lane
// takes the point form's cosine.
template <class L> void FwdAlbersList(const ConicConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    const double n = k.cone, t = k.twoOverCone, r2 = k.rho0Squared, small = 1e-4 * t * t;
    Polar<T>(c, io, k.sign, k.maxPolar, k.cone, [n, t, r2, small](const V& p) {
        V sq = (n - T::Cos(p)) * t + r2;
        for (int i = 0; i < T::N; ++i)
            if (sq[i] < small) sq[i] = (n - std::cos(p[i])) * t + r2;
        return T::Sqrt(sq);
    });
}

template <class L>
void FwdLambertConicList(const ConicConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io) {
    using T = Lanes<L>;
    const typename T::V e = Lane<T>::Splat(k.cone);
    const double f = k.f;
    Polar<T>(c, io, k.sign, k.maxPolar, k.cone,
             [e, f](const typename T::V& p) { return f * T::Pow(T::Tan(p / 2), e); });
}

template <class L> void FwdBonneList(const BonneConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    const double p0 = k.polar0, r0 = k.rho0, sign = k.sign;
    Plain<T>(c, io, [sign, p0, r0](const V& lon, const V& lat, V& vx, V& vy) {
        const V p = sign * lat + HalfPi;
        const V r = p - p0 + r0;
        // Each parallel's own cone constant; 1 where r vanishes.
        const V q = r != 0 ? T::Sin(p) / r : Lane<T>::Splat(1);
        const V a = q * lon;
        vx = r * T::Sin(a);
        vy = r * T::Cos(a) * sign;
        return Lane<T>::All(lon);
    });
}

// The inverses: p of the plane radius as above.
template <class L>
void InvCentralConicList(const ConicConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    const double p0 = k.polar0, r0 = k.rho0;
    PolarInv<T>(c, io, k.sign, k.cone, [p0, r0](const V& rho, V& p) {
        p = T::Atan(rho - r0) + p0;
        return Lane<T>::All(rho);
    });
}

template <class L>
void InvEquidistantConicList(const ConicConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    const double p0 = k.polar0, r0 = k.rho0;
    PolarInv<T>(c, io, k.sign, k.cone, [p0, r0](const V& rho, V& p) {
        p = rho + p0 - r0;
        return p >= 0;
    });
}

template <class L> void InvAlbersList(const ConicConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    const double n = k.cone, t = k.twoOverCone, r2 = k.rho0Squared;
    PolarInv<T>(c, io, k.sign, k.cone, [n, t, r2](const V& rho, V& p) {
        const V q = n - (rho * rho - r2) / t;
        p = ArcCosV<T>(q);
        return q <= 1;
    });
}

template <class L>
void InvLambertConicList(const ConicConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    const V e = Lane<T>::Splat(1 / k.cone);
    const double f = k.f;
    PolarInv<T>(c, io, k.sign, k.cone, [e, f](const V& rho, V& p) {
        p = 2 * T::Atan(T::Pow(rho / f, e));
        return Lane<T>::All(rho);
    });
}

// Each parallel's own cone constant, as the forward's.
template <class L> void InvBonneList(const BonneConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    const double p0 = k.polar0, r0 = k.rho0, sign = k.sign, m = c.limit;
    PlainInv<T>(c, io, [p0, r0, sign, m](const V& x, const V& y, V& vlon, V& vlat) {
        const V rho = T::Sqrt(x * x + y * y);
        const V p = rho + p0 - r0;
        const V q = rho != 0 ? T::Sin(p) / rho : Lane<T>::Splat(1);
        vlon = AnglePosV<T>(y * sign, x) / q;
        vlat = (p - HalfPi) * sign;
        return (rho <= m) & (p >= 0);
    });
}

#endif

} // namespace Prj

// The registry's rows of this family.
#ifndef VOSP_PRJ_LANES4
VOSP_PRJ_ROW(conic, CentralConic, Inverse);
VOSP_PRJ_ROW(conic, EquidistantConic, Inverse);
VOSP_PRJ_ROW(conic, Albers, Inverse);
VOSP_PRJ_ROW(conic, LambertConic, Inverse);
VOSP_PRJ_ROW(bonne, Bonne, Inverse);
#endif
#if defined(__x86_64__)
VOSP_PRJ_FWD_LIST(conic, CentralConic);
VOSP_PRJ_INV_LIST(conic, CentralConic);
VOSP_PRJ_FWD_LIST(conic, EquidistantConic);
VOSP_PRJ_INV_LIST(conic, EquidistantConic);
VOSP_PRJ_FWD_LIST(conic, Albers);
VOSP_PRJ_INV_LIST(conic, Albers);
VOSP_PRJ_FWD_LIST(conic, LambertConic);
VOSP_PRJ_INV_LIST(conic, LambertConic);
VOSP_PRJ_FWD_LIST(bonne, Bonne);
VOSP_PRJ_INV_LIST(bonne, Bonne);
#endif
