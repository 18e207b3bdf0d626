#include "core/ColorLib.h"

#include <algorithm>
#include <cmath>

namespace ColorLib {
namespace {

double Limit01(double x) { return x < 0 ? 0 : (x > 1 ? 1 : x); }

int32_t ToByte(double x) {
    const double v = x * 256;
    if (!(v > 0)) return 0; // also NaN
    if (v > 255) return 255;
    return static_cast<int32_t>(std::nearbyint(v));
}

} // namespace

ColorTriple RGBtoDbl(int32_t rgb) {
    return {RedOf(rgb) / 256.0, GreenOf(rgb) / 256.0, BlueOf(rgb) / 256.0};
}

int32_t DblToRGB(const ColorTriple& c) {
    return ToByte(c.c1) + 256 * ToByte(c.c2) + 65536 * ToByte(c.c3);
}

ColorTriple RGBtoHSV(const ColorTriple& rgb) {
    const double r = Limit01(rgb.c1), g = Limit01(rgb.c2), b = Limit01(rgb.c3);
    const double mx = std::max({r, g, b});
    const double mn = std::min({r, g, b});
    if (mx == 0 || mx == mn) return {0, 0, mx};
    const double d = mx - mn;
    double h;
    if (mx == r) h = 60 * (g - b) / d;
    else if (mx == g) h = 120 + 60 * (b - r) / d;
    else h = 240 + 60 * (r - g) / d;
    if (h < 0) h += 360;
    if (h > 360) h -= 360;
    return {h, d / mx, mx};
}

ColorTriple HSVtoRGB(const ColorTriple& hsv) {
    double h = hsv.c1;
    if (h < 0) h += 360;
    if (h >= 360) h -= 360;
    const double s = Limit01(hsv.c2), v = Limit01(hsv.c3);
    if (s == 0) return {v, v, v};
    // The sector stays a double: a hue far out of range must not be cast.
    const double i = std::floor(h / 60);
    const double f = h / 60 - i;
    const double p = (1 - s) * v;
    const double q = (1 - f * s) * v;
    const double t = (1 - (1 - f) * s) * v;
    if (i == 0) return {v, t, p};
    if (i == 1) return {q, v, p};
    if (i == 2) return {p, v, t};
    if (i == 3) return {p, q, v};
    if (i == 4) return {t, p, v};
    if (i == 5) return {v, p, q};
    return {0, 0, 0};
}

} // namespace ColorLib
