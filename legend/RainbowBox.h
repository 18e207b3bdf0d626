#pragma once
// The rainbow behind every style sample, so that colours and transparent
// parts show against light and dark alike. The permutation of the three
// colour channels is drawn anew at every call.
#include <cstdint>
#include <functional>

class QImage;

namespace RainbowBox {

// Paints the whole image.
void FillRainbow(QImage& image);
// Replaces the generator of the permutation (0..5); an empty function
// restores the random one. Returns the previous generator.
std::function<int32_t()> SetRandom(std::function<int32_t()> next);

} // namespace RainbowBox
