#pragma once
// The forward and inverse kernels, written once over a lane type. Each including file
// compiles them for its own instruction set, so everything here has internal
// linkage. T provides V (N doubles), N, and Sin, Cos, Tan, Atan, Pow, Sqrt,
// Log, Exp.
#include "core/PrjBatch.h"

#include <cmath>
#include <cstring>

namespace {

constexpr double kSecRad = 4.848136811095355e-6;
constexpr double kPi = 3.14159265358979;
constexpr double kHalfPi = 1.5707963267949;
constexpr double k90d15s = 1.5708690488470614;
constexpr double k179d15s = 3.1242120831220133;
constexpr double kSqrt2 = 1.4142135623731;
constexpr double kMollweideX = 0.900316316157107;
constexpr double k60d15s = 1.047270273248763;
constexpr double kQuarterPi = 0.7853981633974475;

template <class T> struct Lane {
    using V = typename T::V;
    static constexpr int N = T::N;

    static V Splat(double d) {
        V v;
        for (int k = 0; k < N; ++k) v[k] = d;
        return v;
    }
    // Longitudes from the centre meridian and latitudes, in radians.
    static void Load(const PrjBatch::Consts& c, const PolyPoint* in, V& lon, V& lat) {
        for (int k = 0; k < N; ++k) {
            lon[k] = in[k].x * kSecRad - c.lon0;
            lat[k] = in[k].y * kSecRad;
        }
    }
    template <class M> static void Store(const V& x, const V& y, const M& ok, double* ox, double* oy, uint8_t* ov) {
        std::memcpy(ox, &x, sizeof(V));
        std::memcpy(oy, &y, sizeof(V));
        for (int k = 0; k < N; ++k) ov[k] = ok[k] != 0;
    }
};

// Runs `one` over the list N points at a time; the last short block is
// padded with its own last point.
template <class T, class P, class F> void Blocks(const P* in, size_t n, double* x, double* y, uint8_t* valid, F one) {
    constexpr int N = T::N;
    size_t i = 0;
    for (; i + N <= n; i += N) one(in + i, x + i, y + i, valid + i);
    if (i == n) return;
    P pin[N];
    double px[N], py[N];
    uint8_t pv[N];
    for (int k = 0; k < N; ++k) pin[k] = in[i + size_t(k) < n ? i + size_t(k) : n - 1];
    one(pin, px, py, pv);
    for (size_t k = 0; i + k < n; ++k) {
        x[i + k] = px[k];
        y[i + k] = py[k];
        valid[i + k] = pv[k];
    }
}

// Azimuthal and conic families: a radius of the polar distance p, turned
// by the longitude (times the cone constant).
template <class T, class R>
void Polar(const PrjBatch::Consts& c, const PolyPoint* in, size_t n, double* x, double* y, uint8_t* valid,
           double sign, double maxP, double cone, R radius) {
    using L = Lane<T>;
    using V = typename T::V;
    Blocks<T>(in, n, x, y, valid, [&](const PolyPoint* b, double* ox, double* oy, uint8_t* ov) {
        V lon, lat;
        L::Load(c, b, lon, lat);
        const V p = sign * lat + kHalfPi;
        const auto ok = p <= maxP;
        const V r = radius(p);
        const V a = cone == 1 ? lon : cone * lon;
        const V vx = r * T::Sin(a);
        const V vy = r * T::Cos(a) * sign;
        L::Store(vx, vy, ok, ox, oy, ov);
    });
}

template <class T> void Equirectangular(const PrjBatch::Consts& c, const PolyPoint* in, size_t n, double* x, double* y,
                                        uint8_t* valid) {
    using V = typename T::V;
    Blocks<T>(in, n, x, y, valid, [&](const PolyPoint* b, double* ox, double* oy, uint8_t* ov) {
        V lon, lat;
        Lane<T>::Load(c, b, lon, lat);
        Lane<T>::Store(lon, lat, lon == lon || lon != lon, ox, oy, ov);
    });
}

template <class T> void Sinusoidal(const PrjBatch::Consts& c, const PolyPoint* in, size_t n, double* x, double* y,
                                   uint8_t* valid) {
    using V = typename T::V;
    Blocks<T>(in, n, x, y, valid, [&](const PolyPoint* b, double* ox, double* oy, uint8_t* ov) {
        V lon, lat;
        Lane<T>::Load(c, b, lon, lat);
        Lane<T>::Store(T::Cos(lat) * lon, lat, lon == lon || lon != lon, ox, oy, ov);
    });
}

template <class T> void Mollweide(const PrjBatch::Consts& c, const PolyPoint* in, size_t n, double* x, double* y,
                                  uint8_t* valid) {
    using V = typename T::V;
    const double* th = c.families->pseudo.theta;
    Blocks<T>(in, n, x, y, valid, [&](const PolyPoint* b, double* ox, double* oy, uint8_t* ov) {
        V lon, lat, t;
        Lane<T>::Load(c, b, lon, lat);
        // The table's interpolation, step for step as the single-point form.
        for (int k = 0; k < T::N; ++k) {
            double u = std::fmin(std::fabs(lat[k]), kHalfPi) / 0.043633231299858195;
            if (!(u >= 0)) u = 0;
            const int i = static_cast<int>(u);
            const int j = i < 36 ? i + 1 : 36;
            const double v = th[i] + (th[j] - th[i]) * (u - i);
            t[k] = lat[k] < 0 ? -v : v;
        }
        Lane<T>::Store(T::Cos(t) * kMollweideX * lon, T::Sin(t) * kSqrt2, lon == lon || lon != lon, ox, oy, ov);
    });
}

template <class T> void Winkel(const PrjBatch::Consts& c, const PolyPoint* in, size_t n, double* x, double* y,
                               uint8_t* valid) {
    using V = typename T::V;
    const V zero = Lane<T>::Splat(0), pi = Lane<T>::Splat(kPi);
    Blocks<T>(in, n, x, y, valid, [&](const PolyPoint* b, double* ox, double* oy, uint8_t* ov) {
        V lon, lat;
        Lane<T>::Load(c, b, lon, lat);
        const V a = lon / 2;
        const V cb = T::Cos(lat), sb = T::Sin(lat), ca = T::Cos(a), sa = T::Sin(a);
        const V cc = ca * cb;
        const V sc = T::Sqrt(1 - cc * cc);
        const V cl = cc >= 1 ? zero : cc <= -1 ? pi : T::Atan(-cc / sc) + kHalfPi;
        const auto flat = sc <= 1e-6;
        const V k = cl / sc;
        const V vx = flat ? 0.636527025593367 * a : k * cb * sa + 0.636527025593367 * a;
        const V vy = flat ? (lat + cl) / 2 : (lat + k * sb) / 2;
        Lane<T>::Store(vx, vy, lon == lon || lon != lon, ox, oy, ov);
    });
}

// Kernels whose image is a function of (longitude, latitude) alone, with
// the lanes the forward accepts.
template <class T, class F>
void Plain(const PrjBatch::Consts& c, const PolyPoint* in, size_t n, double* x, double* y, uint8_t* valid, F f) {
    using V = typename T::V;
    Blocks<T>(in, n, x, y, valid, [&](const PolyPoint* b, double* ox, double* oy, uint8_t* ov) {
        V lon, lat, vx, vy;
        Lane<T>::Load(c, b, lon, lat);
        const auto ok = f(lon, lat, vx, vy);
        Lane<T>::Store(vx, vy, ok, ox, oy, ov);
    });
}

template <class T> typename T::V ArcCos(typename T::V v) {
    using V = typename T::V;
    const V zero = Lane<T>::Splat(0), pi = Lane<T>::Splat(kPi);
    return v >= 1 ? zero : v <= -1 ? pi : T::Atan(-v / T::Sqrt(1 - v * v)) + kHalfPi;
}

template <class T> PrjBatch::Kernel KernelFor(int prj) {
    using V = typename T::V;
    switch (prj) {
    case 1:
        return [](const PrjBatch::Consts& c, const PolyPoint* in, size_t n, double* x, double* y, uint8_t* v) {
            Polar<T>(c, in, n, x, y, v, c.families->azimuthal.sign, k60d15s, 1, [](const V& p) { return T::Tan(p); });
        };
    case 3:
        return [](const PrjBatch::Consts& c, const PolyPoint* in, size_t n, double* x, double* y, uint8_t* v) {
            const Prj::PerspectiveConsts& k = c.families->perspective;
            const double f = k.factor, l = k.light;
            Polar<T>(c, in, n, x, y, v, k.sign, k.horizon, 1,
                     [f, l](const V& p) { return f * T::Sin(p) / (l - T::Cos(p)); });
        };
    case 8:
        return [](const PrjBatch::Consts& c, const PolyPoint* in, size_t n, double* x, double* y, uint8_t* v) {
            Plain<T>(c, in, n, x, y, v, [](const V& lon, const V& lat, V& vx, V& vy) {
                const V a = lon / 2;
                const V cb = T::Cos(lat);
                const V cc = T::Cos(a) * cb;
                const auto pole = 1 - cc * cc <= 1e-12;
                const V h = T::Sqrt((1 + cc) / 2);
                vx = pole ? Lane<T>::Splat(0) : 2 * cb * T::Sin(a) / h;
                vy = pole ? 2 * T::Sin(ArcCos<T>(cc) / 2) : T::Sin(lat) / h;
                return lon == lon || lon != lon;
            });
        };
    case 9:
        return [](const PrjBatch::Consts& c, const PolyPoint* in, size_t n, double* x, double* y, uint8_t* v) {
            Plain<T>(c, in, n, x, y, v, [](const V& lon, const V& lat, V& vx, V& vy) {
                const V a = lon / 2;
                const V cb = T::Cos(lat);
                const V cc = T::Cos(a) * cb;
                const V sc = T::Sqrt(1 - cc * cc);
                const V cl = cc >= 1 ? Lane<T>::Splat(0) : cc <= -1 ? Lane<T>::Splat(kPi) : T::Atan(-cc / sc) + kHalfPi;
                const auto flat = sc <= 1e-6;
                const V k = cl / sc;
                vx = flat ? Lane<T>::Splat(0) : 2 * k * cb * T::Sin(a);
                vy = flat ? cl : k * T::Sin(lat);
                return lon == lon || lon != lon;
            });
        };
    case 10:
        return [](const PrjBatch::Consts& c, const PolyPoint* in, size_t n, double* x, double* y, uint8_t* v) {
            Plain<T>(c, in, n, x, y, v, [](const V& lon, const V& lat, V& vx, V& vy) {
                vx = lon;
                vy = T::Tan(lat);
                return (lat >= -k60d15s) & (lat <= k60d15s);
            });
        };
    case 14:
        return [](const PrjBatch::Consts& c, const PolyPoint* in, size_t n, double* x, double* y, uint8_t* v) {
            Plain<T>(c, in, n, x, y, v, [](const V& lon, const V& lat, V& vx, V& vy) {
                vx = lon;
                vy = 1.25 * T::Log(T::Tan(kQuarterPi + 0.4 * lat));
                return lon == lon || lon != lon;
            });
        };
    case 15:
        return [](const PrjBatch::Consts& c, const PolyPoint* in, size_t n, double* x, double* y, uint8_t* v) {
            const double k = c.families->cylinder.cosLat0;
            Plain<T>(c, in, n, x, y, v, [k](const V& lon, const V& lat, V& vx, V& vy) {
                vx = lon * k;
                vy = T::Sin(lat) / k;
                return lon == lon || lon != lon;
            });
        };
    case 20:
        return [](const PrjBatch::Consts& c, const PolyPoint* in, size_t n, double* x, double* y, uint8_t* v) {
            Plain<T>(c, in, n, x, y, v, [](const V& lon, const V& lat, V& vx, V& vy) {
                const V s = 0.90631 * T::Sin(lat);
                const V cpsi = T::Sqrt(1 - s * s);
                const V l3 = lon / 3;
                const V sl = T::Sin(l3), cl = T::Cos(l3);
                const V ca = cpsi * cl;
                const V halfA = T::Sqrt((1 - ca) / 2);
                const V ac = ArcCos<T>(ca);
                const auto top = (ca > 0.9999999999) & (ac >= -1e-6) & (ac <= 1e-6);
                const V sa = T::Sqrt(1 - ca * ca);
                const V asl = sl < 0 ? -sl : sl;
                V sb = cpsi * asl / sa;
                sb = lon < 0 ? -sb : sb;
                vx = top ? Lane<T>::Splat(0) : 5.33448 * halfA * sb;
                vy = top ? 2.48206 * halfA : 2.48206 * halfA * (s / sa);
                return lon == lon || lon != lon;
            });
        };
    case 21:
        return [](const PrjBatch::Consts& c, const PolyPoint* in, size_t n, double* x, double* y, uint8_t* v) {
            const Prj::ConicConsts& k = c.families->conic;
            const double p0 = k.polar0, r0 = k.rho0;
            Polar<T>(c, in, n, x, y, v, k.sign, k.maxPolar, k.cone,
                     [p0, r0](const V& p) { return T::Tan(p - p0) + r0; });
        };
    case 24:
        return [](const PrjBatch::Consts& c, const PolyPoint* in, size_t n, double* x, double* y, uint8_t* v) {
            const Prj::ConicConsts& a = c.families->conic;
            const double k = a.cone, t = a.twoOverCone, r2 = a.rho0Squared;
            Polar<T>(c, in, n, x, y, v, a.sign, a.maxPolar, a.cone,
                     [k, t, r2](const V& p) { return T::Sqrt((k - T::Cos(p)) * t + r2); });
        };
    case 26:
        return [](const PrjBatch::Consts& c, const PolyPoint* in, size_t n, double* x, double* y, uint8_t* v) {
            const Prj::BonneConsts& b = c.families->bonne;
            const double p0 = b.polar0, r0 = b.rho0, sign = b.sign;
            Plain<T>(c, in, n, x, y, v, [sign, p0, r0](const V& lon, const V& lat, V& vx, V& vy) {
                const V p = sign * lat + kHalfPi;
                const V r = p - p0 + r0;
                // Each parallel's own cone constant; 1 where r vanishes.
                const V k = r != 0 ? T::Sin(p) / r : Lane<T>::Splat(1);
                const V a = k * lon;
                vx = r * T::Sin(a);
                vy = r * T::Cos(a) * sign;
                return lon == lon || lon != lon;
            });
        };
    case 2:
        return [](const PrjBatch::Consts& c, const PolyPoint* in, size_t n, double* x, double* y, uint8_t* v) {
            Polar<T>(c, in, n, x, y, v, c.families->azimuthal.sign, k90d15s, 1, [](const V& p) { return 2 * T::Tan(p / 2); });
        };
    case 5:
        return [](const PrjBatch::Consts& c, const PolyPoint* in, size_t n, double* x, double* y, uint8_t* v) {
            Polar<T>(c, in, n, x, y, v, c.families->azimuthal.sign, k90d15s, 1, [](const V& p) { return T::Sin(p); });
        };
    case 6:
        return [](const PrjBatch::Consts& c, const PolyPoint* in, size_t n, double* x, double* y, uint8_t* v) {
            Polar<T>(c, in, n, x, y, v, c.families->azimuthal.sign, k179d15s, 1, [](const V& p) { return p; });
        };
    case 7:
        return [](const PrjBatch::Consts& c, const PolyPoint* in, size_t n, double* x, double* y, uint8_t* v) {
            Polar<T>(c, in, n, x, y, v, c.families->azimuthal.sign, k179d15s, 1, [](const V& p) { return 2 * T::Sin(p / 2); });
        };
    case 12: return Equirectangular<T>;
    case 16: return Sinusoidal<T>;
    case 17: return Mollweide<T>;
    case 23:
        return [](const PrjBatch::Consts& c, const PolyPoint* in, size_t n, double* x, double* y, uint8_t* v) {
            const Prj::ConicConsts& k = c.families->conic;
            const double p0 = k.polar0, r0 = k.rho0;
            Polar<T>(c, in, n, x, y, v, k.sign, k.maxPolar, k.cone, [p0, r0](const V& p) { return p - p0 + r0; });
        };
    case 25:
        return [](const PrjBatch::Consts& c, const PolyPoint* in, size_t n, double* x, double* y, uint8_t* v) {
            const Prj::ConicConsts& l = c.families->conic;
            const V e = Lane<T>::Splat(l.cone);
            const double k = l.f;
            Polar<T>(c, in, n, x, y, v, l.sign, l.maxPolar, l.cone,
                     [e, k](const V& p) { return k * T::Pow(T::Tan(p / 2), e); });
        };
    case 30: return Winkel<T>;
    default: return nullptr;
    }
}

// The inverses, step for step as the single-point forms so that the same
// points are refused and the results differ only in the vector maths' last
// bits.
template <class T> typename T::V ArcSin(typename T::V v) {
    using V = typename T::V;
    const V top = Lane<T>::Splat(kHalfPi);
    return v >= 1 ? top : v <= -1 ? -top : T::Atan(v / T::Sqrt(1 - v * v));
}

// Direction of (x, y) counter-clockwise from +x, in [-pi, pi), with the
// single-point form's branches.
template <class T> typename T::V AnglePos(typename T::V x, typename T::V y) {
    using V = typename T::V;
    const V zero = Lane<T>::Splat(0);
    const V ax = x < 0 ? -x : x, ay = y < 0 ? -y : y;
    const auto flat = ay <= ax;
    const V t = T::Atan(flat ? (x == 0 ? zero : y / x) : -x / y);
    const V side = flat ? (x >= 0 ? zero : y > 0 ? Lane<T>::Splat(kPi) : Lane<T>::Splat(-kPi))
                        : (y > 0 ? Lane<T>::Splat(kHalfPi) : Lane<T>::Splat(-kHalfPi));
    return (flat & (x >= 0)) ? t : side + t;
}

// Runs f over the plane points taken to the unit sphere, the centre's y
// offset added back.
template <class T, class F>
void PlainInv(const PrjBatch::Consts& c, const PlaneXY* in, size_t n, double* lon, double* lat, uint8_t* valid, F f) {
    using V = typename T::V;
    Blocks<T>(in, n, lon, lat, valid, [&](const PlaneXY* b, double* olon, double* olat, uint8_t* ov) {
        V x, y, vlon, vlat;
        for (int k = 0; k < T::N; ++k) {
            x[k] = b[k].x / c.radius;
            y[k] = b[k].y / c.radius + c.yOffset;
        }
        const auto ok = f(x, y, vlon, vlat);
        Lane<T>::Store(vlon, vlat, ok, olon, olat, ov);
    });
}

// The cylinders: longitude from x as is, latitude from y alone, y within
// the limit.
template <class T, class F>
void CylinderInv(const PrjBatch::Consts& c, const PlaneXY* in, size_t n, double* lon, double* lat, uint8_t* valid,
                 F latOf) {
    using V = typename T::V;
    const double m = c.limit;
    PlainInv<T>(c, in, n, lon, lat, valid, [m, latOf](const V& x, const V& y, V& vlon, V& vlat) {
        vlon = x;
        vlat = latOf(y);
        return (y >= -m) & (y <= m);
    });
}

template <class T> PrjBatch::InvKernel InvKernelFor(int prj) {
    using V = typename T::V;
    switch (prj) {
    case 8:
        return [](const PrjBatch::Consts& c, const PlaneXY* in, size_t n, double* lon, double* lat, uint8_t* v) {
            const double m = c.limit;
            PlainInv<T>(c, in, n, lon, lat, v, [m](const V& x, const V& y, V& vlon, V& vlat) {
                const V u = x / 2;
                const V rho = T::Sqrt(u * u + y * y);
                const V cc = 2 * ArcSin<T>(rho / 2);
                const V az = AnglePos<T>(y, u);
                const V sc = T::Sin(cc);
                vlon = 2 * AnglePos<T>(T::Cos(cc), T::Sin(az) * sc);
                vlat = ArcSin<T>(T::Cos(az) * sc);
                return rho <= m;
            });
        };
    case 10:
        return [](const PrjBatch::Consts& c, const PlaneXY* in, size_t n, double* lon, double* lat, uint8_t* v) {
            CylinderInv<T>(c, in, n, lon, lat, v, [](const V& y) { return T::Atan(y); });
        };
    case 11:
        return [](const PrjBatch::Consts& c, const PlaneXY* in, size_t n, double* lon, double* lat, uint8_t* v) {
            CylinderInv<T>(c, in, n, lon, lat, v, [](const V& y) { return 2 * T::Atan(y / 2); });
        };
    case 12:
        return [](const PrjBatch::Consts& c, const PlaneXY* in, size_t n, double* lon, double* lat, uint8_t* v) {
            CylinderInv<T>(c, in, n, lon, lat, v, [](const V& y) { return y; });
        };
    case 13:
        return [](const PrjBatch::Consts& c, const PlaneXY* in, size_t n, double* lon, double* lat, uint8_t* v) {
            CylinderInv<T>(c, in, n, lon, lat, v, [](const V& y) { return 2 * (T::Atan(T::Exp(y)) - kQuarterPi); });
        };
    case 14:
        return [](const PrjBatch::Consts& c, const PlaneXY* in, size_t n, double* lon, double* lat, uint8_t* v) {
            CylinderInv<T>(c, in, n, lon, lat, v,
                           [](const V& y) { return 2.5 * (T::Atan(T::Exp(0.8 * y)) - kQuarterPi); });
        };
    case 15:
        return [](const PrjBatch::Consts& c, const PlaneXY* in, size_t n, double* lon, double* lat, uint8_t* v) {
            const double k = c.families->cylinder.cosLat0, m = c.limit;
            PlainInv<T>(c, in, n, lon, lat, v, [k, m](const V& x, const V& y, V& vlon, V& vlat) {
                vlon = x / k;
                vlat = ArcSin<T>(y * k);
                return (y >= -m) & (y <= m);
            });
        };
    case 16:
        return [](const PrjBatch::Consts& c, const PlaneXY* in, size_t n, double* lon, double* lat, uint8_t* v) {
            const double m = c.limit;
            PlainInv<T>(c, in, n, lon, lat, v, [m](const V& x, const V& y, V& vlon, V& vlat) {
                vlat = y;
                vlon = x / T::Cos(y);
                return (y >= -m) & (y <= m);
            });
        };
    case 17:
        return [](const PrjBatch::Consts& c, const PlaneXY* in, size_t n, double* lon, double* lat, uint8_t* v) {
            const double m = c.limit;
            const double* th = c.families->pseudo.theta;
            PlainInv<T>(c, in, n, lon, lat, v, [m, th](const V& x, const V& y, V& vlon, V& vlat) {
                const V t = ArcSin<T>(y / kSqrt2);
                vlon = x / kMollweideX / T::Cos(t);
                for (int k = 0; k < T::N; ++k) {
                    // The last table entry at or below |t|; the table rises.
                    const double a = std::fabs(t[k]);
                    int i = 0;
                    for (int step = 32; step > 0; step /= 2)
                        if (i + step <= 35 && a >= th[i + step]) i += step;
                    const double r = a >= th[i] ? ((a - th[i]) / (th[i + 1] - th[i]) + i) * 0.043633231299858195
                                                : kHalfPi;
                    vlat[k] = t[k] < 0 ? -r : r;
                }
                return (y >= -m) & (y <= m);
            });
        };
    default: return nullptr;
    }
}

} // namespace
