// Every limit test lets the equal case pass. The single-point forms come
// first, the list forms after them (see core/PrjLanes.h).
#include "core/PrjAzimuthal.h"

#include "core/Library.h"
#include "core/MapProjection.h"
#include "core/PrjLanes.h"
#include "core/PrjRow.h"

namespace Prj {

namespace {

constexpr double k90d15s = 1.5708690488470614;  // 90 degrees 0'15"
constexpr double k179d15s = 3.1242120831220133; // 179 degrees 0'15"

} // namespace

#ifndef VOSP_PRJ_LANES4

namespace {

double PolarOf(double sign, double lat) { return sign * lat + HalfPi; }

UnitXY Place(double sign, double r, double lon) { return {r * std::sin(lon), r * std::cos(lon) * sign}; }

LonLatRad Unplace(double sign, double p, double x, double y) { return {AnglePos(y * sign, x), (p - HalfPi) * sign}; }

AzimuthalConsts Consts(const PrjCentre& c, double yOffset, double limit) {
    AzimuthalConsts a;
    a.yOffset = yOffset;
    a.limit = limit;
    a.sign = c.sign;
    return a;
}

} // namespace

// 1 gnomonic: r = tan p
std::optional<AzimuthalConsts> SetUpGnomonic(const PrjCentre& c) {
    if (c.polar0 >= k60d15s) return std::nullopt;
    return Consts(c, std::tan(c.polar0) * c.sign, std::tan(1.0471975511965967)); // tan 60 degrees
}

std::optional<UnitXY> FwdGnomonic(const AzimuthalConsts& c, double lon, double lat) {
    const double p = PolarOf(c.sign, lat);
    if (p > k60d15s) return std::nullopt;
    return Place(c.sign, std::tan(p), lon);
}

std::optional<LonLatRad> InvGnomonic(const AzimuthalConsts& c, double x, double y) {
    const double rho = std::sqrt(x * x + y * y);
    if (rho > c.limit) return std::nullopt;
    return Unplace(c.sign, std::atan(rho), x, y);
}

// 2 stereographic: r = 2 tan(p/2)
std::optional<AzimuthalConsts> SetUpStereographic(const PrjCentre& c) {
    return Consts(c, 2 * std::tan(c.polar0 / 2) * c.sign, 2);
}

std::optional<UnitXY> FwdStereographic(const AzimuthalConsts& c, double lon, double lat) {
    const double p = PolarOf(c.sign, lat);
    if (p > k90d15s) return std::nullopt;
    return Place(c.sign, 2 * std::tan(p / 2), lon);
}

std::optional<LonLatRad> InvStereographic(const AzimuthalConsts& c, double x, double y) {
    const double rho = std::sqrt(x * x + y * y);
    if (rho > c.limit) return std::nullopt;
    return Unplace(c.sign, 2 * std::atan(rho / 2), x, y);
}

// 3 near-side perspective, the eye L radii from the centre above the pole:
// r = (L - 1) sin p / (L - cos p), shown up to the horizon plus 15".
std::optional<PerspectiveConsts> SetUpNearSide(const PrjCentre& c) {
    if (!MapProjection::IsValidLight(c.light)) return std::nullopt;
    PerspectiveConsts k;
    k.horizon = ArcCos(1 / c.light) + k15s;
    if (k.horizon < c.polar0) return std::nullopt;
    k.sign = c.sign;
    k.south = c.south;
    k.light = c.light;
    k.factor = c.light - 1;
    k.yOffset = k.factor * std::sin(c.polar0) / (c.light - std::cos(c.polar0)) * c.sign;
    k.limit = k.factor * std::sin(k.horizon) / (c.light - std::cos(k.horizon));
    return k;
}

std::optional<UnitXY> FwdNearSide(const PerspectiveConsts& c, double lon, double lat) {
    const double p = PolarOf(c.sign, lat);
    if (p > c.horizon) return std::nullopt;
    return Place(c.sign, c.factor * std::sin(p) / (c.light - std::cos(p)), lon);
}

namespace {

// The far side inverts as the near side with the eye mirrored through the
// centre (l = -L): r2 (-L) + k s is exactly k s - r2 L.
std::optional<LonLatRad> InvPerspective(const PerspectiveConsts& c, double l, double x, double y) {
    const double rho = std::sqrt(x * x + y * y);
    if (rho > c.limit) return std::nullopt;
    const double k = c.factor;
    const double r2 = rho * rho;
    const double s = std::sqrt(k * k + r2 * (1 - l * l));
    const double cosc = (r2 * l + k * s) / (k * k + r2);
    double lat = ArcSin(cosc);
    if (c.south) lat = -lat;
    return LonLatRad{AnglePos(y * c.sign, x), lat};
}

} // namespace

std::optional<LonLatRad> InvNearSide(const PerspectiveConsts& c, double x, double y) {
    return InvPerspective(c, c.light, x, y);
}

// 4 far-side perspective, the eye beyond the opposite pole:
// r = (L + 1) sin p / (cos p + L).
std::optional<PerspectiveConsts> SetUpFarSide(const PrjCentre& c) {
    if (!MapProjection::IsValidLight(c.light)) return std::nullopt;
    PerspectiveConsts k;
    k.horizon = Pi - ArcCos(1 / c.light) + k15s;
    if (k.horizon < c.polar0) return std::nullopt;
    k.sign = c.sign;
    k.south = c.south;
    k.light = c.light;
    k.factor = c.light + 1;
    k.yOffset = k.factor * std::sin(c.polar0) / (std::cos(c.polar0) + c.light) * c.sign;
    k.limit = k.factor * std::sin(k.horizon) / (std::cos(k.horizon) + c.light);
    return k;
}

std::optional<UnitXY> FwdFarSide(const PerspectiveConsts& c, double lon, double lat) {
    const double p = PolarOf(c.sign, lat);
    if (p > c.horizon) return std::nullopt;
    return Place(c.sign, c.factor * std::sin(p) / (std::cos(p) + c.light), lon);
}

std::optional<LonLatRad> InvFarSide(const PerspectiveConsts& c, double x, double y) {
    return InvPerspective(c, -c.light, x, y);
}

// 5 orthographic: r = sin p
std::optional<AzimuthalConsts> SetUpOrthographic(const PrjCentre& c) {
    return Consts(c, std::sin(c.polar0) * c.sign, 1);
}

std::optional<UnitXY> FwdOrthographic(const AzimuthalConsts& c, double lon, double lat) {
    const double p = PolarOf(c.sign, lat);
    if (p > k90d15s) return std::nullopt;
    return Place(c.sign, std::sin(p), lon);
}

std::optional<LonLatRad> InvOrthographic(const AzimuthalConsts& c, double x, double y) {
    const double rho = std::sqrt(x * x + y * y);
    if (rho > c.limit) return std::nullopt;
    return Unplace(c.sign, ArcSin(rho), x, y);
}

// 6 azimuthal equidistant: r = p
std::optional<AzimuthalConsts> SetUpEquidistant(const PrjCentre& c) { return Consts(c, c.polar0 * c.sign, Pi); }

std::optional<UnitXY> FwdEquidistant(const AzimuthalConsts& c, double lon, double lat) {
    const double p = PolarOf(c.sign, lat);
    if (p > k179d15s) return std::nullopt;
    return Place(c.sign, p, lon);
}

std::optional<LonLatRad> InvEquidistant(const AzimuthalConsts& c, double x, double y) {
    const double rho = std::sqrt(x * x + y * y);
    if (rho > c.limit) return std::nullopt;
    return Unplace(c.sign, rho, x, y);
}

// 7 Lambert azimuthal equal-area: r = 2 sin(p/2)
std::optional<AzimuthalConsts> SetUpLambertAzimuthal(const PrjCentre& c) {
    return Consts(c, 2 * std::sin(c.polar0 / 2) * c.sign, 2);
}

std::optional<UnitXY> FwdLambertAzimuthal(const AzimuthalConsts& c, double lon, double lat) {
    const double p = PolarOf(c.sign, lat);
    if (p > k179d15s) return std::nullopt;
    return Place(c.sign, 2 * std::sin(p / 2), lon);
}

std::optional<LonLatRad> InvLambertAzimuthal(const AzimuthalConsts& c, double x, double y) {
    const double rho = std::sqrt(x * x + y * y);
    if (rho > c.limit) return std::nullopt;
    return Unplace(c.sign, 2 * ArcSin(rho / 2), x, y);
}

// 8 Hammer: the equatorial Lambert azimuthal image of (lon/2, lat), x doubled.
// With c the arc from (0, 0) and A its azimuth, the image 2 sin(c/2) (2 sin A,
// cos A) reduces to (2 cos b sin a, sin b) / cos(c/2) with cos c = cos a cos b,
// which needs no inverse trigonometry. Where sin c vanishes the azimuth is
// taken as 0 (straight up).
std::optional<AzimuthalConsts> SetUpHammer(const PrjCentre& c) {
    return Consts(c, 2 * std::sin(c.lat0 / 2), 2 * std::sin(kQuarterPi));
}

std::optional<UnitXY> FwdHammer(const AzimuthalConsts&, double lon, double lat) {
    const double a = lon / 2;
    const double b = lat;
    const double cb = std::cos(b);
    const double cc = std::cos(a) * cb;
    if (1 - cc * cc <= 1e-12) return UnitXY{0, 2 * std::sin(ArcCos(cc) / 2)};
    const double h = std::sqrt((1 + cc) / 2);
    return UnitXY{2 * cb * std::sin(a) / h, std::sin(b) / h};
}

// The inverse takes the arc c and azimuth A back the same way without
// trigonometry: with rho = 2 sin(c/2) and z = cos(c/2), cos c = 1 - rho^2/2
// and sin c (sin A, cos A) = z (x/2, y).
std::optional<LonLatRad> InvHammer(const AzimuthalConsts& c, double x, double y) {
    const double u = x / 2;
    const double r2 = u * u + y * y;
    if (std::sqrt(r2) > c.limit) return std::nullopt;
    const double z = std::sqrt(1 - r2 / 4);
    return LonLatRad{2 * AnglePos(1 - r2 / 2, u * z), ArcSin(y * z)};
}

// 9 Aitoff: the equatorial azimuthal equidistant image of (lon/2, lat), x
// doubled: c (2 sin A, cos A) = c / sin c (2 cos b sin a, sin b).
std::optional<AzimuthalConsts> SetUpAitoff(const PrjCentre& c) { return Consts(c, c.lat0, HalfPi); }

std::optional<UnitXY> FwdAitoff(const AzimuthalConsts&, double lon, double lat) {
    const double a = lon / 2;
    const double b = lat;
    const double cb = std::cos(b);
    const double cc = std::cos(a) * cb;
    const double sc = std::sqrt(1 - cc * cc);
    // ArcCos(cc), reusing its square root.
    const double arc = cc >= 1 ? 0.0 : cc <= -1 ? Pi : std::atan(-cc / sc) + HalfPi;
    if (sc <= 1e-6) return UnitXY{0, arc};
    const double k = arc / sc;
    return UnitXY{2 * k * cb * std::sin(a), k * std::sin(b)};
}

std::optional<LonLatRad> InvAitoff(const AzimuthalConsts& c, double x, double y) {
    const double u = x / 2;
    const double arc = std::sqrt(u * u + y * y);
    if (arc > c.limit) return std::nullopt;
    const double az = AnglePos(y, u);
    const double sc = std::sin(arc);
    return LonLatRad{2 * AnglePos(std::cos(arc), std::sin(az) * sc), ArcSin(std::cos(az) * sc)};
}

void BandNearSide(double light, int32_t&, int32_t& south) {
    if (light != 0) south = Library::DblToLng(ArcSin(1 / light) / RadPerSec) + 30;
}

void BandFarSide(double light, int32_t&, int32_t& south) {
    if (light != 0) south = -Library::DblToLng(ArcSin(1 / light) / RadPerSec) + 30;
}

#endif // VOSP_PRJ_LANES4

#if defined(__x86_64__)

// The list forms: r of p as above, up to the same polar distances.
template <class L>
void FwdGnomonicList(const AzimuthalConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io) {
    using T = Lanes<L>;
    Polar<T>(c, io, k.sign, k60d15s, 1, [](const typename T::V& p) { return T::Tan(p); });
}

template <class L>
void FwdStereographicList(const AzimuthalConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io) {
    using T = Lanes<L>;
    Polar<T>(c, io, k.sign, k90d15s, 1, [](const typename T::V& p) { return 2 * T::Tan(p / 2); });
}

template <class L>
void FwdNearSideList(const PerspectiveConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io) {
    using T = Lanes<L>;
    const double f = k.factor, l = k.light;
    Polar<T>(c, io, k.sign, k.horizon, 1, [f, l](const typename T::V& p) { return f * T::Sin(p) / (l - T::Cos(p)); });
}

template <class L>
void FwdFarSideList(const PerspectiveConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io) {
    using T = Lanes<L>;
    const double f = k.factor, l = k.light;
    Polar<T>(c, io, k.sign, k.horizon, 1, [f, l](const typename T::V& p) { return f * T::Sin(p) / (T::Cos(p) + l); });
}

template <class L>
void FwdOrthographicList(const AzimuthalConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io) {
    using T = Lanes<L>;
    Polar<T>(c, io, k.sign, k90d15s, 1, [](const typename T::V& p) { return T::Sin(p); });
}

template <class L>
void FwdEquidistantList(const AzimuthalConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io) {
    using T = Lanes<L>;
    Polar<T>(c, io, k.sign, k179d15s, 1, [](const typename T::V& p) { return p; });
}

template <class L>
void FwdLambertAzimuthalList(const AzimuthalConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io) {
    using T = Lanes<L>;
    Polar<T>(c, io, k.sign, k179d15s, 1, [](const typename T::V& p) { return 2 * T::Sin(p / 2); });
}

// The inverses: p of the plane radius as above.
template <class L>
void InvGnomonicList(const AzimuthalConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    PolarInv<T>(c, io, k.sign, 1, [](const V& rho, V& p) {
        p = T::Atan(rho);
        return Lane<T>::All(rho);
    });
}

template <class L>
void InvStereographicList(const AzimuthalConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    PolarInv<T>(c, io, k.sign, 1, [](const V& rho, V& p) {
        p = 2 * T::Atan(rho / 2);
        return Lane<T>::All(rho);
    });
}

// As InvPerspective.
template <class T>
void PerspectiveInv(const PerspectiveConsts& k, double l, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io) {
    using V = typename T::V;
    const double f = k.factor, sign = k.sign, m = c.limit, flip = k.south ? -1 : 1;
    PlainInv<T>(c, io, [f, l, sign, m, flip](const V& x, const V& y, V& vlon, V& vlat) {
        const V rho = T::Sqrt(x * x + y * y);
        const V r2 = rho * rho;
        const V s = T::Sqrt(f * f + r2 * (1 - l * l));
        const V cosc = (r2 * l + f * s) / (f * f + r2);
        vlat = ArcSinV<T>(cosc) * flip;
        vlon = AnglePosV<T>(y * sign, x);
        return rho <= m;
    });
}

template <class L>
void InvNearSideList(const PerspectiveConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io) {
    PerspectiveInv<Lanes<L>>(k, k.light, c, io);
}

template <class L>
void InvFarSideList(const PerspectiveConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io) {
    PerspectiveInv<Lanes<L>>(k, -k.light, c, io);
}

template <class L>
void InvOrthographicList(const AzimuthalConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    PolarInv<T>(c, io, k.sign, 1, [](const V& rho, V& p) {
        p = ArcSinV<T>(rho);
        return Lane<T>::All(rho);
    });
}

template <class L>
void InvEquidistantList(const AzimuthalConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    PolarInv<T>(c, io, k.sign, 1, [](const V& rho, V& p) {
        p = rho;
        return Lane<T>::All(rho);
    });
}

template <class L>
void InvLambertAzimuthalList(const AzimuthalConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    PolarInv<T>(c, io, k.sign, 1, [](const V& rho, V& p) {
        p = 2 * ArcSinV<T>(rho / 2);
        return Lane<T>::All(rho);
    });
}

template <class L> void FwdHammerList(const AzimuthalConsts&, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    Plain<T>(c, io, [](const V& lon, const V& lat, V& vx, V& vy) {
        const V a = lon / 2;
        const V cb = T::Cos(lat);
        const V cc = T::Cos(a) * cb;
        const auto pole = 1 - cc * cc <= 1e-12;
        const V h = T::Sqrt((1 + cc) / 2);
        vx = pole ? Lane<T>::Splat(0) : 2 * cb * T::Sin(a) / h;
        vy = pole ? 2 * T::Sin(ArcCosV<T>(cc) / 2) : T::Sin(lat) / h;
        return Lane<T>::All(lon);
    });
}

template <class L> void InvHammerList(const AzimuthalConsts&, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    const double m = c.limit;
    PlainInv<T>(c, io, [m](const V& x, const V& y, V& vlon, V& vlat) {
        const V u = x / 2;
        const V r2 = u * u + y * y;
        const V z = T::Sqrt(1 - r2 / 4);
        vlon = 2 * AnglePosV<T>(1 - r2 / 2, u * z);
        vlat = ArcSinV<T>(y * z);
        return T::Sqrt(r2) <= m;
    });
}

template <class L> void FwdAitoffList(const AzimuthalConsts&, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    Plain<T>(c, io, [](const V& lon, const V& lat, V& vx, V& vy) {
        const V a = lon / 2;
        const V cb = T::Cos(lat);
        const V cc = T::Cos(a) * cb;
        const V sc = T::Sqrt(1 - cc * cc);
        const V arc = cc >= 1 ? Lane<T>::Splat(0) : cc <= -1 ? Lane<T>::Splat(Pi) : T::Atan(-cc / sc) + HalfPi;
        const auto flat = sc <= 1e-6;
        const V q = arc / sc;
        vx = flat ? Lane<T>::Splat(0) : 2 * q * cb * T::Sin(a);
        vy = flat ? arc : q * T::Sin(lat);
        return Lane<T>::All(lon);
    });
}

template <class L> void InvAitoffList(const AzimuthalConsts&, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    const double m = c.limit;
    // The sine of the latitude and the direction of the longitude come from
    // the vector maths here, and near a pole their last bits turn into whole
    // seconds: within about half a degree of it the point form decides.
    PlainInv<T>(c, io, [m](const V& x, const V& y, V& vlon, V& vlat, auto& sure) {
        const V u = x / 2;
        const V arc = T::Sqrt(u * u + y * y);
        const V az = AnglePosV<T>(y, u);
        const V sc = T::Sin(arc);
        const V sinLat = T::Cos(az) * sc;
        vlon = 2 * AnglePosV<T>(T::Cos(arc), T::Sin(az) * sc);
        vlat = ArcSinV<T>(sinLat);
        sure = 1 - sinLat * sinLat >= 1e-4;
        return arc <= m;
    });
}

#endif

} // namespace Prj

// The registry's rows of this family.
#ifndef VOSP_PRJ_LANES4
VOSP_PRJ_ROW(azimuthal, Gnomonic, Inverse);
VOSP_PRJ_ROW(azimuthal, Stereographic, Inverse);
VOSP_PRJ_ROW(perspective, NearSide, Inverse);
VOSP_PRJ_ROW(perspective, FarSide, Inverse);
VOSP_PRJ_ROW(azimuthal, Orthographic, Inverse);
VOSP_PRJ_ROW(azimuthal, Equidistant, Inverse);
VOSP_PRJ_ROW(azimuthal, LambertAzimuthal, Inverse);
VOSP_PRJ_ROW(azimuthal, Hammer, Inverse);
VOSP_PRJ_ROW(azimuthal, Aitoff, Inverse);
#endif
#if defined(__x86_64__)
VOSP_PRJ_FWD_LIST(azimuthal, Gnomonic);
VOSP_PRJ_INV_LIST(azimuthal, Gnomonic);
VOSP_PRJ_FWD_LIST(azimuthal, Stereographic);
VOSP_PRJ_INV_LIST(azimuthal, Stereographic);
VOSP_PRJ_FWD_LIST(perspective, NearSide);
VOSP_PRJ_INV_LIST(perspective, NearSide);
VOSP_PRJ_FWD_LIST(perspective, FarSide);
VOSP_PRJ_INV_LIST(perspective, FarSide);
VOSP_PRJ_FWD_LIST(azimuthal, Orthographic);
VOSP_PRJ_INV_LIST(azimuthal, Orthographic);
VOSP_PRJ_FWD_LIST(azimuthal, Equidistant);
VOSP_PRJ_INV_LIST(azimuthal, Equidistant);
VOSP_PRJ_FWD_LIST(azimuthal, LambertAzimuthal);
VOSP_PRJ_INV_LIST(azimuthal, LambertAzimuthal);
VOSP_PRJ_FWD_LIST(azimuthal, Hammer);
VOSP_PRJ_INV_LIST(azimuthal, Hammer);
VOSP_PRJ_FWD_LIST(azimuthal, Aitoff);
VOSP_PRJ_INV_LIST(azimuthal, Aitoff);
#endif
