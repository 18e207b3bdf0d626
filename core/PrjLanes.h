#pragma once
// What the projections' list forms are written with, for the family files
// only. A family's file is compiled twice (see core/CMakeLists.txt): as is,
// where its list forms take two lanes with the SSE2 every x86-64 has, and
// with VOSP_PRJ_LANES4 for AVX2, where they take four and its single-point
// forms are left out. Lanes<L> is the lane type of that build: V (N
// doubles), N, and Sin, Cos, Tan, Atan, Pow, Sqrt, Log, Exp. Everything here
// has internal linkage, and the list forms are instantiated for that build's
// lane width (VOSP_PRJ_LANE) alone.
//
// The list forms follow the single-point forms step for step, so that the
// same points are refused and the results differ only in the vector maths'
// last bits; where a formula would magnify those into a refusal, a visible
// distance or another second, the point form's maths decides.
#if defined(__x86_64__)
#include "core/PrjBatch.h"
#include "core/PrjFamily.h"
#include "core/PrjRow.h"
#include "core/clsPoly.h"

#include <cstring>
#include <type_traits>

#ifdef VOSP_PRJ_LANES4
#include <immintrin.h>
extern "C" {
__m256d _ZGVdN4v_sin(__m256d);
__m256d _ZGVdN4v_cos(__m256d);
__m256d _ZGVdN4v_tan(__m256d);
__m256d _ZGVdN4v_atan(__m256d);
__m256d _ZGVdN4vv_pow(__m256d, __m256d);
__m256d _ZGVdN4v_log(__m256d);
__m256d _ZGVdN4v_exp(__m256d);
}
#define VOSP_PRJ_LANE PrjBatch::Lanes4
#else
#include <emmintrin.h>
extern "C" {
__m128d _ZGVbN2v_sin(__m128d);
__m128d _ZGVbN2v_cos(__m128d);
__m128d _ZGVbN2v_tan(__m128d);
__m128d _ZGVbN2v_atan(__m128d);
__m128d _ZGVbN2vv_pow(__m128d, __m128d);
__m128d _ZGVbN2v_log(__m128d);
__m128d _ZGVbN2v_exp(__m128d);
}
#define VOSP_PRJ_LANE PrjBatch::Lanes2
#endif

namespace Prj {
namespace {

template <class L> struct Lanes;

#ifdef VOSP_PRJ_LANES4
template <> struct Lanes<PrjBatch::Lanes4> {
    typedef double V __attribute__((vector_size(32)));
    static constexpr int N = 4;
    static V Sin(V v) { return V(_ZGVdN4v_sin(__m256d(v))); }
    static V Cos(V v) { return V(_ZGVdN4v_cos(__m256d(v))); }
    static V Tan(V v) { return V(_ZGVdN4v_tan(__m256d(v))); }
    static V Atan(V v) { return V(_ZGVdN4v_atan(__m256d(v))); }
    static V Pow(V a, V b) { return V(_ZGVdN4vv_pow(__m256d(a), __m256d(b))); }
    static V Sqrt(V v) { return V(_mm256_sqrt_pd(__m256d(v))); }
    static V Log(V v) { return V(_ZGVdN4v_log(__m256d(v))); }
    static V Exp(V v) { return V(_ZGVdN4v_exp(__m256d(v))); }
};
#else
template <> struct Lanes<PrjBatch::Lanes2> {
    typedef double V __attribute__((vector_size(16)));
    static constexpr int N = 2;
    static V Sin(V v) { return V(_ZGVbN2v_sin(__m128d(v))); }
    static V Cos(V v) { return V(_ZGVbN2v_cos(__m128d(v))); }
    static V Tan(V v) { return V(_ZGVbN2v_tan(__m128d(v))); }
    static V Atan(V v) { return V(_ZGVbN2v_atan(__m128d(v))); }
    static V Pow(V a, V b) { return V(_ZGVbN2vv_pow(__m128d(a), __m128d(b))); }
    static V Sqrt(V v) { return V(_mm_sqrt_pd(__m128d(v))); }
    static V Log(V v) { return V(_ZGVbN2v_log(__m128d(v))); }
    static V Exp(V v) { return V(_ZGVbN2v_exp(__m128d(v))); }
};
#endif

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
            lon[k] = in[k].x * RadPerSec - c.lon0;
            lat[k] = in[k].y * RadPerSec;
        }
    }
    template <class M> static void Store(const V& x, const V& y, const M& ok, double* ox, double* oy, uint8_t* ov) {
        std::memcpy(ox, &x, sizeof(V));
        std::memcpy(oy, &y, sizeof(V));
        for (int k = 0; k < N; ++k) ov[k] = ok[k] != 0;
    }
    // Every lane: the forwards that refuse no point.
    static auto All(const V& v) { return v == v || v != v; }
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

// Forwards whose image is a function of (longitude, latitude) alone, with
// the lanes the forward accepts.
template <class T, class F> void Plain(const PrjBatch::Consts& c, const PrjBatch::ToPlane& io, F f) {
    using V = typename T::V;
    Blocks<T>(io.in, io.n, io.x, io.y, io.valid, [&](const PolyPoint* b, double* ox, double* oy, uint8_t* ov) {
        V lon, lat, vx, vy;
        Lane<T>::Load(c, b, lon, lat);
        const auto ok = f(lon, lat, vx, vy);
        Lane<T>::Store(vx, vy, ok, ox, oy, ov);
    });
}

// Azimuthal and conic forwards: a radius of the polar distance p, turned
// by the longitude (times the cone constant), up to the polar distance maxP.
template <class T, class R>
void Polar(const PrjBatch::Consts& c, const PrjBatch::ToPlane& io, double sign, double maxP, double cone, R radius) {
    using V = typename T::V;
    Blocks<T>(io.in, io.n, io.x, io.y, io.valid, [&](const PolyPoint* b, double* ox, double* oy, uint8_t* ov) {
        V lon, lat;
        Lane<T>::Load(c, b, lon, lat);
        const V p = sign * lat + HalfPi;
        const auto ok = p <= maxP;
        const V r = radius(p);
        const V a = cone == 1 ? lon : cone * lon;
        Lane<T>::Store(r * T::Sin(a), r * T::Cos(a) * sign, ok, ox, oy, ov);
    });
}

// Whole seconds of the lanes by the default rounding (halves to even, as
// nearbyint), exact where |v| < 2^51; other lanes carry no meaning.
template <class T> typename T::V RoundV(const typename T::V& v) {
    constexpr double kShift = 6755399441055744.0; // 1.5 * 2^52
    return (v + kShift) - kShift;
}

// How far, in seconds, the lanes' longitude and latitude may lie from the
// point form's where the family calls them sure (within a turn and a half):
// the vector maths' few last bits, times what the well-conditioned formulas
// make of them, with a hundredfold to spare. A lane this close to half a
// second could round the other way.
inline constexpr double kTieSeconds = 1e-6;
inline constexpr double kClearOfTie = (0.5 - kTieSeconds) * (0.5 - kTieSeconds);

// Runs f over the plane points taken to the unit sphere, the centre's y
// offset added back, and takes each point f accepts on to seconds (see
// PrjBatch::ToSphere): the longitude within one turn of the range, the
// latitude within it, as AngleLib::NormLon64 and NormLat64 leave them. Only
// a lane whose seconds are certain to be the point form's is taken on: f
// may also clear the lanes of `sure` where its formulas magnify the vector
// maths' last bits (a fifth argument), and a lane whose seconds lie within
// kTieSeconds of half a second is left to the point form.
template <class T, class F> void PlainInv(const PrjBatch::Consts& c, const PrjBatch::ToSphere& io, F f) {
    using V = typename T::V;
    using M = decltype(V{} < V{});
    constexpr int N = T::N;
    const auto one = [&](const PlaneXY* b, double* olon, double* olat, uint8_t* ost, PolyPoint* oout) {
        V x, y, vlon, vlat;
        bool finite[N];
        for (int k = 0; k < N; ++k) {
            x[k] = b[k].x / c.radius;
            y[k] = b[k].y / c.radius + c.yOffset;
            finite[k] = std::isfinite(b[k].x) && std::isfinite(b[k].y);
        }
        M sure = x == x || x != x;
        M ok;
        if constexpr (std::is_invocable_v<F, const V&, const V&, V&, V&, M&>)
            ok = f(x, y, vlon, vlat, sure);
        else
            ok = f(x, y, vlon, vlat);
        const V a = (vlon + c.lon0) / RadPerSec, s = vlat / RadPerSec;
        const V ra = RoundV<T>(a), rs = RoundV<T>(s);
        const auto near = (a > -1e15) & (a < 1e15) & (s > -1e15) & (s < 1e15);
        const V da = a - ra, ds = s - rs;
        const auto clear = (da * da < kClearOfTie) & (ds * ds < kClearOfTie);
        const auto fast =
            ok & sure & clear & near & (ra >= -1944000) & (ra <= 1944000) & (rs >= -324000) & (rs <= 324000);
        const V turned = ra > 648000 ? ra - 1296000 : ra < -648000 ? ra + 1296000 : ra;
        std::memcpy(olon, &vlon, sizeof(V));
        std::memcpy(olat, &vlat, sizeof(V));
        for (int k = 0; k < N; ++k) {
            const bool done = fast[k] != 0 && finite[k];
            ost[k] = (ok[k] != 0 ? PrjBatch::kAccepted : 0) | (done ? PrjBatch::kSeconds : 0);
            if (done) oout[k] = {static_cast<int32_t>(turned[k]), static_cast<int32_t>(rs[k])};
        }
    };
    size_t i = 0;
    for (; i + N <= io.n; i += N) one(io.in + i, io.lon + i, io.lat + i, io.state + i, io.out + i);
    if (i == io.n) return;
    // The last short block, padded with its own last point.
    PlaneXY pin[N];
    double plon[N], plat[N];
    uint8_t pst[N];
    PolyPoint pout[N];
    for (int k = 0; k < N; ++k) pin[k] = io.in[i + size_t(k) < io.n ? i + size_t(k) : io.n - 1];
    one(pin, plon, plat, pst, pout);
    for (size_t k = 0; i + k < io.n; ++k) {
        io.lon[i + k] = plon[k];
        io.lat[i + k] = plat[k];
        io.state[i + k] = pst[k];
        if (pst[k] & PrjBatch::kSeconds) io.out[i + k] = pout[k];
    }
}

// The cylinders' inverses: longitude from x as is, latitude from y alone,
// y within the limit.
template <class T, class F> void CylinderInv(const PrjBatch::Consts& c, const PrjBatch::ToSphere& io, F latOf) {
    using V = typename T::V;
    const double m = c.limit;
    PlainInv<T>(c, io, [m, latOf](const V& x, const V& y, V& vlon, V& vlat) {
        vlon = x;
        vlat = latOf(y);
        return (y >= -m) & (y <= m);
    });
}

// ArcSin, ArcCos and AnglePos lane by lane, with the single-point forms'
// branches.
template <class T> typename T::V ArcSinV(typename T::V v) {
    using V = typename T::V;
    const V top = Lane<T>::Splat(HalfPi);
    return v >= 1 ? top : v <= -1 ? -top : T::Atan(v / T::Sqrt(1 - v * v));
}

template <class T> typename T::V ArcCosV(typename T::V v) {
    using V = typename T::V;
    const V zero = Lane<T>::Splat(0), pi = Lane<T>::Splat(Pi);
    return v >= 1 ? zero : v <= -1 ? pi : T::Atan(-v / T::Sqrt(1 - v * v)) + HalfPi;
}

template <class T> typename T::V AnglePosV(typename T::V x, typename T::V y) {
    using V = typename T::V;
    const V zero = Lane<T>::Splat(0);
    const V ax = x < 0 ? -x : x, ay = y < 0 ? -y : y;
    const auto flat = ay <= ax;
    const V t = T::Atan(flat ? (x == 0 ? zero : y / x) : -x / y);
    const V side = flat ? (x >= 0  ? zero
                           : y > 0 ? Lane<T>::Splat(Pi)
                                   : Lane<T>::Splat(-Pi))
                        : (y > 0 ? Lane<T>::Splat(HalfPi) : Lane<T>::Splat(-HalfPi));
    return (flat & (x >= 0)) ? t : side + t;
}

// Azimuthal and conic inverses: the polar distance p of the plane radius
// rho within the limit (`polar` may refuse more lanes), the longitude the
// direction of (y sign, x) over the cone constant.
template <class T, class P>
void PolarInv(const PrjBatch::Consts& c, const PrjBatch::ToSphere& io, double sign, double cone, P polar) {
    using V = typename T::V;
    const double m = c.limit;
    PlainInv<T>(c, io, [&](const V& x, const V& y, V& vlon, V& vlat) {
        const V rho = T::Sqrt(x * x + y * y);
        V p;
        const auto ok = polar(rho, p);
        vlon = AnglePosV<T>(y * sign, x);
        if (cone != 1) vlon = vlon / cone;
        vlat = (p - HalfPi) * sign;
        return (rho <= m) & ok;
    });
}

} // namespace
} // namespace Prj

// The registry's list forms of a row, instantiated for this build's lanes.
#define VOSP_PRJ_FWD_LIST(member, Name)                                                                                \
    template void PrjRow::ForwardList<&PrjConsts::member, &Prj::Fwd##Name##List<VOSP_PRJ_LANE>>(                       \
        const PrjBatch::Consts&, const PrjBatch::ToPlane&)
#define VOSP_PRJ_INV_LIST(member, Name)                                                                                \
    template void PrjRow::InverseList<&PrjConsts::member, &Prj::Inv##Name##List<VOSP_PRJ_LANE>>(                       \
        const PrjBatch::Consts&, const PrjBatch::ToSphere&)
#endif
