#include "core/Scale.h"

#include "core/Library.h"
#include "core/MapProjection.h"

#include <cmath>

namespace Scale {

namespace {

const int kMantissa13[13] = {1000, 800, 700, 600, 500, 400, 350, 300, 250, 200, 170, 150, 120};
const int kMantissa10[10] = {1000, 800, 600, 500, 400, 300, 250, 200, 150, 120};

int TopExponent() { return static_cast<int>(std::nearbyint(std::log10(MapProjection::ScaleMax / 1000))); }

double Step(int16_t k, const int* mantissa, int perDecade) {
    const int i = k - 1;
    return mantissa[i % perDecade] * std::pow(10.0, TopExponent() - i / perDecade);
}

} // namespace

double StdScale(int16_t k) {
    if (k < 1 || k > 53) return 0;
    return Step(k, kMantissa13, 13);
}

double StdScale10(int16_t k) {
    if (k < 1 || k > 41) return 0;
    return Step(k, kMantissa10, 10);
}

int16_t StdScaleIndex(double scale) {
    if (!MapProjection::IsValidScale(scale)) return 0;
    for (int16_t k = 53; k >= 1; --k)
        if (StdScale(k) >= scale) return k;
    return 0;
}

QString StdScaleText(int16_t k) { return Library::NumToKanjiUnits(StdScale(k), true); }

} // namespace Scale
