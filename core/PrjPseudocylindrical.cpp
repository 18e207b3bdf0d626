// The single-point forms come first, the list forms after them (see
// core/PrjLanes.h); both read the auxiliary angles through ThetaOf and
// LatOfTheta.
#include "core/PrjPseudocylindrical.h"

#include "core/PrjLanes.h"
#include "core/PrjRow.h"

#include <limits>

namespace Prj {

namespace {

constexpr double kSqrt2 = 1.4142135623731;
constexpr double kMollweideX = 0.900316316157107;
constexpr double kEckertX = 0.441012771724552;
constexpr double kEckertY = 0.882025543449103;

#ifndef VOSP_PRJ_LANES4
constexpr double k89d59m45s = 1.5707236047427287; // 89 degrees 59'45"

// Rows of latitude 0, 2.5, ... 90 degrees (the set-ups hand them to both
// forms); printed by tools/thetatables.
const double kMollweideTheta[37] = {
    0.000000000000,
    0.034272001863,
    0.068559277441,
    0.102877205322,
    0.137241375777,
    0.171667701513,
    0.206172534532,
    0.240772791474,
    0.275486090153,
    0.310330900482,
    0.345326713526,
    0.380494233278,
    0.415855596790,
    0.451434629688,
    0.487257145994,
    0.523351303680,
    0.559748030811,
    0.596481541817,
    0.633589970022,
    0.671116151766,
    0.709108610830,
    0.747622811375,
    0.786722776855,
    0.826483217235,
    0.866992377433,
    0.908355934704,
    0.950702465693,
    0.994191342320,
    1.039024538266,
    1.085465041480,
    1.133867107195,
    1.184729390901,
    1.238796893772,
    1.297282388300,
    1.362447768357,
    1.439753609658,
    1.5707963267949,
};
const double kEckert6Theta[37] = {
    0.000000000000,
    0.056082977914,
    0.112147297631,
    0.168173932160,
    0.224143109138,
    0.280033918511,
    0.335823896194,
    0.391488574955,
    0.447000993107,
    0.502331150837,
    0.557445403141,
    0.612305777379,
    0.666869202703,
    0.721086637050,
    0.774902079897,
    0.828251453564,
    0.881061344413,
    0.933247592695,
    0.984713728433,
    1.035349259330,
    1.085027831539,
    1.133605305812,
    1.180917822322,
    1.226779969103,
    1.270983222195,
    1.313294897002,
    1.353457903052,
    1.391191707802,
    1.426194917261,
    1.458149932675,
    1.486730054704,
    1.511609233698,
    1.532474351095,
    1.549039478722,
    1.561061057553,
    1.568352485278,
    1.5707963267949,
};
#endif

constexpr double kThetaStep = 0.043633231299858195; // 2.5 degrees

double ThetaOf(const double* th, double lat) {
    double u = std::fmin(std::fabs(lat), HalfPi) / kThetaStep;
    if (!(u >= 0)) u = 0; // never reached with a finite latitude
    const int i = static_cast<int>(u);
    const int j = i < 36 ? i + 1 : 36;
    const double t = th[i] + (th[j] - th[i]) * (u - i);
    return lat < 0 ? -t : t;
}

double LatOfTheta(const double* th, double t) {
    const double a = std::fabs(t);
    // The last entry at or below |t| (the table rises); none for NaN.
    int k = 0;
    for (int step = 32; step > 0; step /= 2)
        if (k + step <= 35 && a >= th[k + step]) k += step;
    const double r = a >= th[k] ? ((a - th[k]) / (th[k + 1] - th[k]) + k) * kThetaStep : HalfPi;
    return t < 0 ? -r : r;
}

} // namespace

#ifndef VOSP_PRJ_LANES4

namespace {

PseudoCylinderConsts Consts(double yOffset, double limit, const double* theta = nullptr) {
    PseudoCylinderConsts k;
    k.yOffset = yOffset;
    k.limit = limit;
    k.theta = theta;
    return k;
}

bool YInLimit(const PseudoCylinderConsts& c, double y) { return InRange(y, -c.limit, c.limit); }

// The forwards of 20 and 30 split into a latitude part, a longitude part and
// their combination, so that the search can reuse the part that a step
// leaves unchanged and still get the very same numbers.
struct Wagner7Parts {
    // s and cos(asin s)
    static void Lat(double lat, double& p1, double& p2) {
        p1 = 0.90631 * std::sin(lat);
        p2 = std::sqrt(1 - p1 * p1);
    }
    // sin and cos of lon/3
    static void Lon(double lon, double& q1, double& q2) {
        const double l3 = lon / 3;
        q1 = std::sin(l3);
        q2 = std::cos(l3);
    }
    static UnitXY Combine(double s, double cpsi, double sl, double cl, double lon, double) {
        const double ca = cpsi * cl;
        const double halfA = std::sqrt((1 - ca) / 2);
        if (ca > 0.9999999999 && IsNearZero(ArcCos(ca))) return {0, 2.48206 * halfA}; // t = 1, b = 0
        const double sa = std::sqrt(1 - ca * ca);
        double sb = cpsi * std::fabs(sl) / sa;
        if (lon < 0) sb = -sb;
        return {5.33448 * halfA * sb, 2.48206 * halfA * (s / sa)};
    }
};

struct WinkelParts {
    static void Lat(double lat, double& p1, double& p2) {
        p1 = std::cos(lat);
        p2 = std::sin(lat);
    }
    static void Lon(double lon, double& q1, double& q2) {
        const double a = lon / 2;
        q1 = std::cos(a);
        q2 = std::sin(a);
    }
    static UnitXY Combine(double cb, double sb, double ca, double sa, double lon, double lat) {
        const double a = lon / 2;
        const double b = lat;
        const double cc = ca * cb;
        const double sc = std::sqrt(1 - cc * cc);
        // ArcCos(cc), reusing its square root.
        const double c = cc >= 1 ? 0.0 : cc <= -1 ? Pi : std::atan(-cc / sc) + HalfPi;
        if (sc <= 1e-6) return {0.636527025593367 * a, (b + c) / 2};
        const double k = c / sc;
        return {k * cb * sa + 0.636527025593367 * a, (b + k * sb) / 2};
    }
};

template <class Parts> UnitXY Forward(double lon, double lat) {
    double p1, p2, q1, q2;
    Parts::Lat(lat, p1, p2);
    Parts::Lon(lon, q1, q2);
    return Parts::Combine(p1, p2, q1, q2, lon, lat);
}

// Walks longitude and latitude up and down with a shrinking step until the
// forward image of (lon, lat) meets the target's mirror image in the first
// quadrant.
template <class Parts> std::optional<LonLatRad> Search(double sx, double sy, SearchStop& stop) {
    const double tx = std::fabs(sx);
    const double ty = std::fabs(sy);
    const double latMax = HalfPi - RadPerSec;
    const double lonMax = Pi - RadPerSec;
    double s = 36000 * RadPerSec; // 10 degrees
    const double none = std::numeric_limits<double>::quiet_NaN();
    // The parts last computed and the last image.
    double cLat = none, p1 = 0, p2 = 0, cLon = none, q1 = 0, q2 = 0;
    double lastLon = none, lastLat = none;
    UnitXY img;
    double lon = 0, lat = 0;
    const auto forward = [&] {
        // Each walk starts where the previous one stopped.
        if (lon == lastLon && lat == lastLat) return;
        if (lat != cLat) Parts::Lat(lat, p1, p2);
        if (lon != cLon) Parts::Lon(lon, q1, q2);
        img = Parts::Combine(p1, p2, q1, q2, lon, lat);
        cLat = lastLat = lat;
        cLon = lastLon = lon;
    };
    do {
        bool reached = false;
        while (lat <= latMax) {
            forward();
            if (img.y >= ty) {
                reached = true;
                break;
            }
            lat += s;
        }
        if (!reached) lat = latMax;
        reached = false;
        while (lon <= lonMax) {
            forward();
            if (img.x >= tx) {
                reached = true;
                break;
            }
            lon += s;
        }
        if (!reached) lon = lonMax;
        s /= 1.5;
        while (lat >= 0) {
            forward();
            if (img.y <= ty) break;
            lat -= s;
        }
        if (lat < 0) lat = 0;
        while (lon >= 0) {
            forward();
            if (img.x <= tx) break;
            lon -= s;
        }
        if (lon < 0) lon = 0;
        s /= 1.5;
    } while (s > RadPerSec);
    if (!(std::fabs(img.x - tx) < 0.0002908882086657213 && std::fabs(img.y - ty) < 0.0002908882086657213)) {
        stop = {true, {lon, lat}};
        return std::nullopt;
    }
    return LonLatRad{sx < 0 ? -lon : lon, sy < 0 ? -lat : lat};
}

} // namespace

// 16 sinusoidal
std::optional<PseudoCylinderConsts> SetUpSinusoidal(const PrjCentre& c) { return Consts(c.lat0, k89d59m45s); }

std::optional<UnitXY> FwdSinusoidal(const PseudoCylinderConsts&, double lon, double lat) {
    return UnitXY{std::cos(lat) * lon, lat};
}

std::optional<LonLatRad> InvSinusoidal(const PseudoCylinderConsts& c, double x, double y) {
    if (!YInLimit(c, y)) return std::nullopt;
    return LonLatRad{x / std::cos(y), y};
}

// 17 Mollweide: 2t + sin 2t = pi sin lat
std::optional<PseudoCylinderConsts> SetUpMollweide(const PrjCentre& c) {
    return Consts(kSqrt2 * std::sin(ThetaOf(kMollweideTheta, c.lat0)), kSqrt2, kMollweideTheta);
}

std::optional<UnitXY> FwdMollweide(const PseudoCylinderConsts& c, double lon, double lat) {
    const double t = ThetaOf(c.theta, lat);
    return UnitXY{std::cos(t) * kMollweideX * lon, std::sin(t) * kSqrt2};
}

std::optional<LonLatRad> InvMollweide(const PseudoCylinderConsts& c, double x, double y) {
    if (!YInLimit(c, y)) return std::nullopt;
    const double t = ArcSin(y / kSqrt2);
    return LonLatRad{x / kMollweideX / std::cos(t), LatOfTheta(c.theta, t)};
}

// 19 Eckert VI: t + sin t = (1 + pi/2) sin lat
std::optional<PseudoCylinderConsts> SetUpEckert6(const PrjCentre& c) {
    return Consts(ThetaOf(kEckert6Theta, c.lat0) * kEckertY, kEckertY * HalfPi, kEckert6Theta);
}

std::optional<UnitXY> FwdEckert6(const PseudoCylinderConsts& c, double lon, double lat) {
    const double t = ThetaOf(c.theta, lat);
    return UnitXY{(std::cos(t) + 1) * kEckertX * lon, t * kEckertY};
}

std::optional<LonLatRad> InvEckert6(const PseudoCylinderConsts& c, double x, double y) {
    if (!YInLimit(c, y)) return std::nullopt;
    const double t = y / kEckertY;
    return LonLatRad{x / kEckertX / (std::cos(t) + 1), LatOfTheta(c.theta, t)};
}

// 20 Wagner VII. With s = 0.90631 sin lat, cos a = cos(asin s) cos(lon/3)
// and t = s / sin a: x = 5.33448 sin(a/2) sin b, y = 2.48206 sin(a/2) t,
// where cos b = t and b takes the sign of the longitude. sin b is taken as
// cos(asin s) |sin(lon/3)| / sin a, which equals sqrt(1 - t^2) but keeps the
// centre meridian at x = 0 where t rounds to just below 1.
std::optional<PseudoCylinderConsts> SetUpWagner7(const PrjCentre& c) {
    const double s0 = std::sin(c.lat0) * 0.90631;
    const double psi0 = ArcSin(s0);
    const double k = IsNearZero(psi0) ? 1.0 : s0 / std::sin(psi0);
    return Consts(2.48206 * std::sin(psi0 / 2) * k, 1.4452633);
}

std::optional<UnitXY> FwdWagner7(const PseudoCylinderConsts&, double lon, double lat) {
    return Forward<Wagner7Parts>(lon, lat);
}

std::optional<LonLatRad> InvWagner7(const PseudoCylinderConsts& c, double x, double y, SearchStop& stop) {
    if (!YInLimit(c, y)) return std::nullopt;
    return Search<Wagner7Parts>(x, y, stop);
}

// 30 Winkel tripel: the mean of Aitoff and the equirectangular projection
// with standard parallel 50 degrees 28'.
std::optional<PseudoCylinderConsts> SetUpWinkel(const PrjCentre& c) { return Consts(c.lat0, k89d59m45s); }

std::optional<UnitXY> FwdWinkel(const PseudoCylinderConsts&, double lon, double lat) {
    return Forward<WinkelParts>(lon, lat);
}

std::optional<LonLatRad> InvWinkel(const PseudoCylinderConsts& c, double x, double y, SearchStop& stop) {
    if (!YInLimit(c, y)) return std::nullopt;
    return Search<WinkelParts>(x, y, stop);
}

#endif // VOSP_PRJ_LANES4

#if defined(__x86_64__)

// The list forms, each as its single-point form above.
template <class L>
void FwdSinusoidalList(const PseudoCylinderConsts&, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    Plain<T>(c, io, [](const V& lon, const V& lat, V& vx, V& vy) {
        vx = T::Cos(lat) * lon;
        vy = lat;
        return Lane<T>::All(lon);
    });
}

template <class L>
void InvSinusoidalList(const PseudoCylinderConsts&, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    const double m = c.limit;
    PlainInv<T>(c, io, [m](const V& x, const V& y, V& vlon, V& vlat) {
        vlat = y;
        vlon = x / T::Cos(y);
        return (y >= -m) & (y <= m);
    });
}

template <class L>
void FwdMollweideList(const PseudoCylinderConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    const double* th = k.theta;
    Plain<T>(c, io, [th](const V& lon, const V& lat, V& vx, V& vy) {
        V t;
        for (int i = 0; i < T::N; ++i) t[i] = ThetaOf(th, lat[i]);
        vx = T::Cos(t) * kMollweideX * lon;
        vy = T::Sin(t) * kSqrt2;
        return Lane<T>::All(lon);
    });
}

template <class L>
void InvMollweideList(const PseudoCylinderConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    const double m = c.limit;
    const double* th = k.theta;
    // Near a pole cos t is small, and the last bits of the vector t turn
    // into whole seconds of the longitude: there the point form decides.
    PlainInv<T>(c, io, [m, th](const V& x, const V& y, V& vlon, V& vlat, auto& sure) {
        const V t = ArcSinV<T>(y / kSqrt2);
        const V ct = T::Cos(t);
        vlon = x / kMollweideX / ct;
        sure = ct >= 1e-2;
        for (int i = 0; i < T::N; ++i) vlat[i] = LatOfTheta(th, t[i]);
        return (y >= -m) & (y <= m);
    });
}

template <class L>
void FwdEckert6List(const PseudoCylinderConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    const double* th = k.theta;
    Plain<T>(c, io, [th](const V& lon, const V& lat, V& vx, V& vy) {
        V t;
        for (int i = 0; i < T::N; ++i) t[i] = ThetaOf(th, lat[i]);
        vx = (T::Cos(t) + 1) * kEckertX * lon;
        vy = t * kEckertY;
        return Lane<T>::All(lon);
    });
}

template <class L>
void InvEckert6List(const PseudoCylinderConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    const double m = c.limit;
    const double* th = k.theta;
    PlainInv<T>(c, io, [m, th](const V& x, const V& y, V& vlon, V& vlat) {
        const V t = y / kEckertY;
        vlon = x / kEckertX / (T::Cos(t) + 1);
        for (int i = 0; i < T::N; ++i) vlat[i] = LatOfTheta(th, t[i]);
        return (y >= -m) & (y <= m);
    });
}

template <class L>
void FwdWagner7List(const PseudoCylinderConsts&, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    Plain<T>(c, io, [](const V& lon, const V& lat, V& vx, V& vy) {
        const V s = 0.90631 * T::Sin(lat);
        const V cpsi = T::Sqrt(1 - s * s);
        const V l3 = lon / 3;
        const V sl = T::Sin(l3), cl = T::Cos(l3);
        const V ca = cpsi * cl;
        const V halfA = T::Sqrt((1 - ca) / 2);
        const V ac = ArcCosV<T>(ca);
        const auto top = (ca > 0.9999999999) & (ac >= -1e-6) & (ac <= 1e-6);
        const V sa = T::Sqrt(1 - ca * ca);
        const V asl = sl < 0 ? -sl : sl;
        V sb = cpsi * asl / sa;
        sb = lon < 0 ? -sb : sb;
        vx = top ? Lane<T>::Splat(0) : 5.33448 * halfA * sb;
        vy = top ? 2.48206 * halfA : 2.48206 * halfA * (s / sa);
        return Lane<T>::All(lon);
    });
}

template <class L>
void FwdWinkelList(const PseudoCylinderConsts&, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    const V zero = Lane<T>::Splat(0), pi = Lane<T>::Splat(Pi);
    Plain<T>(c, io, [zero, pi](const V& lon, const V& lat, V& vx, V& vy) {
        const V a = lon / 2;
        const V cb = T::Cos(lat), sb = T::Sin(lat), ca = T::Cos(a), sa = T::Sin(a);
        const V cc = ca * cb;
        const V sc = T::Sqrt(1 - cc * cc);
        const V cl = cc >= 1 ? zero : cc <= -1 ? pi : T::Atan(-cc / sc) + HalfPi;
        const auto flat = sc <= 1e-6;
        const V q = cl / sc;
        vx = flat ? 0.636527025593367 * a : q * cb * sa + 0.636527025593367 * a;
        vy = flat ? (lat + cl) / 2 : (lat + q * sb) / 2;
        return Lane<T>::All(lon);
    });
}

#endif

} // namespace Prj

// The registry's rows of this family.
#ifndef VOSP_PRJ_LANES4
VOSP_PRJ_ROW(pseudo, Sinusoidal, Inverse);
VOSP_PRJ_ROW(pseudo, Mollweide, Inverse);
VOSP_PRJ_ROW(pseudo, Eckert6, Inverse);
VOSP_PRJ_ROW(pseudo, Wagner7, Search);
VOSP_PRJ_ROW(pseudo, Winkel, Search);
#endif
#if defined(__x86_64__)
VOSP_PRJ_FWD_LIST(pseudo, Sinusoidal);
VOSP_PRJ_INV_LIST(pseudo, Sinusoidal);
VOSP_PRJ_FWD_LIST(pseudo, Mollweide);
VOSP_PRJ_INV_LIST(pseudo, Mollweide);
VOSP_PRJ_FWD_LIST(pseudo, Eckert6);
VOSP_PRJ_INV_LIST(pseudo, Eckert6);
VOSP_PRJ_FWD_LIST(pseudo, Wagner7);
VOSP_PRJ_FWD_LIST(pseudo, Winkel);
#endif
