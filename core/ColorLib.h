#pragma once
// Colour arithmetic: a 32-bit colour has red in bits 0-7, green in 8-15 and
// blue in 16-23; a triple of doubles is either RGB (each 0..1, a byte b being
// b / 256) or HSV (hue in degrees, saturation and value 0..1).
#include <cstdint>

struct ColorTriple {
    double c1 = 0; // red or hue
    double c2 = 0; // green or saturation
    double c3 = 0; // blue or value
};

namespace ColorLib {

inline int32_t RedOf(int32_t rgb) { return rgb & 0xFF; }
inline int32_t GreenOf(int32_t rgb) { return (rgb >> 8) & 0xFF; }
inline int32_t BlueOf(int32_t rgb) { return (rgb >> 16) & 0xFF; }

ColorTriple RGBtoDbl(int32_t rgb);
// Each component times 256, rounded (halves to even) and limited to 0..255.
int32_t DblToRGB(const ColorTriple& c);

// Greys (and black) get hue 0 and saturation 0.
ColorTriple RGBtoHSV(const ColorTriple& rgb);
// The hue is brought into 0..360 by one turn at most: below -360 or from
// 720 on the result is black.
ColorTriple HSVtoRGB(const ColorTriple& hsv);

} // namespace ColorLib
