#include "core/LibraryMaths.h"

#include "platform/VospError.h"

#include <cmath>

namespace Library {

int32_t WrapRange(int32_t v, int32_t lo, int32_t hi) {
    const int64_t span = int64_t(hi) - lo + 1;
    int64_t w = v;
    if (w < lo) w += ((int64_t(lo) - w + span - 1) / span) * span;
    if (w > hi) w -= ((w - hi + span - 1) / span) * span;
    return static_cast<int32_t>(w);
}

int32_t RoundSigDigits(int32_t v, int32_t n) {
    n = Clamp(n, 1, 9);
    int64_t limit = 1;
    for (int i = 0; i < n; ++i) limit *= 10;
    int64_t a = v < 0 ? -int64_t(v) : int64_t(v);
    if (a < limit) return v;
    int64_t scale = 1;
    while (a >= limit) {
        a /= 10;
        scale *= 10;
    }
    const int64_t r = a * scale;
    return static_cast<int32_t>(v < 0 ? -r : r);
}

double Hypot(double x, double y) { return std::sqrt(x * x + y * y); }

void DblToLngNaN() { ThrowError(6); }

} // namespace Library
