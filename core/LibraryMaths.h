#pragma once
// Values and ranges: clamping, wrapping, saturating, the double to 32-bit
// integer road, and the trigonometry that never gives NaN.
#include "core/AngleUnits.h"

#include <cmath>
#include <cstdint>
#include <utility>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Library {

inline bool InRange(int32_t v, int32_t lo, int32_t hi) { return lo <= v && v <= hi; }
inline int32_t Clamp(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : (v < hi ? v : hi); }
// A 64-bit intermediate back to 32 bits, saturating at INT32_MIN..INT32_MAX.
inline int32_t Sat(int64_t v) { return v > INT32_MAX ? INT32_MAX : (v < INT32_MIN ? INT32_MIN : static_cast<int32_t>(v)); }
inline int64_t Abs64(int64_t v) { return v < 0 ? -v : v; }
// Adds or subtracts the span hi - lo + 1 until v lies in lo..hi.
int32_t WrapRange(int32_t v, int32_t lo, int32_t hi);
int32_t RoundSigDigits(int32_t v, int32_t n);

template <class T> bool VarInRange(const T& v, const T& lo, const T& hi) { return v >= lo && v <= hi; }
template <class T> T VarMin(const T& a, const T& b) { return a < b ? a : b; }
template <class T> T VarMax(const T& a, const T& b) { return a > b ? a : b; }
template <class T> void VarSwap(T& a, T& b) { std::swap(a, b); }

// Saturating at +-1 (+-pi/2, 0 and pi), never NaN for |x| >= 1. Inline:
// the projections' single-point forms call them per point.
inline double ArcSin(double x) {
    if (x >= 1) return AngleLib::HalfPi;
    if (x <= -1) return -AngleLib::HalfPi;
    return std::atan(x / std::sqrt(1 - x * x));
}
inline double ArcCos(double x) {
    if (x >= 1) return 0;
    if (x <= -1) return AngleLib::Pi;
    return std::atan(-x / std::sqrt(1 - x * x)) + AngleLib::HalfPi;
}
double Hypot(double x, double y);

// The one road from double to 32-bit integer: nearest, halves to even,
// saturating at +-2147483647; NaN raises error 6 (overflow). Inline: the
// drawing converts every point of a map through it.
[[noreturn]] void DblToLngNaN();
inline int32_t DblToLng(double x) {
    if (std::isnan(x)) DblToLngNaN();
    if (x > 2147483646.0) return 2147483647;
    if (x < -2147483646.0) return -2147483647;
#if defined(__SSE2__)
    // The conversion instruction rounds as nearbyint does in the default
    // rounding mode, without the call.
    return static_cast<int32_t>(_mm_cvtsd_si32(_mm_set_sd(x)));
#else
    return static_cast<int32_t>(std::nearbyint(x));
#endif
}

} // namespace Library
