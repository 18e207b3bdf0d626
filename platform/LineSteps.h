#pragma once
// The pixels of a one-pixel line, as the device context steps them: the
// same steps for every pen and every clip.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace LineSteps {

// Steps the pixels of a segment, start included, end excluded: step i of
// the longer axis, the other coordinate the exact one rounded half away from
// the start. Only the steps that fall inside the box l..r, t..b are handed
// to f (with their index), so a huge segment costs no more than its visible
// part.
template <class F>
void Step(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int64_t l, int64_t t, int64_t r, int64_t b, F&& f)
{
    const int64_t dx = int64_t(x2) - x1, dy = int64_t(y2) - y1;
    const bool xMajor = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    // Major axis M, minor axis m.
    const int64_t M1 = xMajor ? x1 : y1, m1 = xMajor ? y1 : x1;
    const int64_t dM = xMajor ? dx : dy, dm = xMajor ? dy : dx;
    const int64_t aM = dM < 0 ? -dM : dM, am = dm < 0 ? -dm : dm;
    const int64_t sM = dM < 0 ? -1 : 1, sm = dm < 0 ? -1 : 1;
    const int64_t loM = xMajor ? l : t, hiM = xMajor ? r : b, lom = xMajor ? t : l, him = xMajor ? b : r;
    if (aM == 0)
        return;
    // Steps along the major axis inside the box, and the minor offset and
    // error term at the first of them.
    int64_t i0 = 0, i1 = aM - 1;
    int64_t off = 0, err = aM;
    // Most segments of a map lie wholly in the box: every step is drawn,
    // from offset 0, which is what the wide divisions below would give.
    const bool inside = std::min(x1, x2) >= l && std::max(x1, x2) <= r && std::min(y1, y2) >= t &&
                        std::max(y1, y2) <= b;
    if (!inside) {
        // Every step lies within the box of the two ends.
        if (std::max(x1, x2) < l || std::min(x1, x2) > r || std::max(y1, y2) < t || std::min(y1, y2) > b)
            return;
        using I = __int128;
        auto ceilDiv = [](I a, I b) { return a >= 0 ? (a + b - 1) / b : -((-a) / b); }; // b > 0
        {
            const int64_t u = sM > 0 ? loM - M1 : M1 - hiM, v = sM > 0 ? hiM - M1 : M1 - loM;
            i0 = std::max(i0, u);
            i1 = std::min(i1, v);
        }
        // Offsets along the minor axis inside the box, then the steps giving them.
        const int64_t oLo = sm > 0 ? lom - m1 : m1 - him, oHi = sm > 0 ? him - m1 : m1 - lom;
        if (am == 0) {
            if (oLo > 0 || oHi < 0)
                return;
        } else {
            const I twoAm = I(2) * am;
            i0 = std::max<int64_t>(i0, int64_t(std::max<I>(ceilDiv(I(2) * aM * oLo - aM, twoAm), I(i0))));
            i1 = std::min<int64_t>(i1,
                                   int64_t(std::min<I>(ceilDiv(I(2) * aM * (I(oHi) + 1) - aM, twoAm) - 1, I(i1))));
        }
        if (i0 > i1)
            return;
        const I num = I(2) * i0 * am + aM;
        off = int64_t(num / (I(2) * aM));
        err = int64_t(num - I(2) * aM * off);
    }
    for (int64_t i = i0; i <= i1; ++i) {
        const int64_t M = M1 + sM * i, m = m1 + sm * off;
        if (xMajor)
            f(int32_t(M), int32_t(m), i);
        else
            f(int32_t(m), int32_t(M), i);
        err += 2 * am;
        if (err >= 2 * aM) {
            err -= 2 * aM;
            ++off;
        }
    }
}

// The number of steps of a segment.
inline int64_t Count(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    const int64_t ax = std::abs(int64_t(x2) - x1), ay = std::abs(int64_t(y2) - y1);
    return std::max(ax, ay);
}

// A box bound beyond every coordinate.
inline constexpr int64_t kNoLimit = int64_t(1) << 40;

} // namespace LineSteps
