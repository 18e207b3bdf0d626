#pragma once
// Standard map scale ladders hanging from the largest accepted scale:
// 53 steps (13 per decade) for sliders, 41 steps (10 per decade) for styles.
#include <QString>
#include <cstdint>

namespace Scale {

// The 13-per-decade ladder, k = 1..53 (1 is the smallest-scale view); 0 otherwise.
double StdScale(int16_t k);
// The 10-per-decade ladder, k = 1..41; 0 otherwise.
double StdScale10(int16_t k);
// The largest k whose StdScale(k) >= scale; 0 for a scale outside the accepted range.
int16_t StdScaleIndex(double scale);
// StdScale(k) written with kanji units, compact ("1.5億", "2.5万").
QString StdScaleText(int16_t k);

} // namespace Scale
