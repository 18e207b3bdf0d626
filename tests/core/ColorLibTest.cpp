#include "core/ColorLib.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace ColorLib;

namespace {

void ExpectTriple(const ColorTriple& t, double a, double b, double c, double tol = 1e-12) {
    EXPECT_NEAR(t.c1, a, tol);
    EXPECT_NEAR(t.c2, b, tol);
    EXPECT_NEAR(t.c3, c, tol);
}

} // namespace

TEST(ColorLib, ByteSplittersTakeRedFromTheLowByte) {
    EXPECT_EQ(RedOf(0x00123456), 0x56);
    EXPECT_EQ(GreenOf(0x00123456), 0x34);
    EXPECT_EQ(BlueOf(0x00123456), 0x12);
    // A system colour keeps its flag out of the three bytes.
    EXPECT_EQ(RedOf(int32_t(0x80000008u)), 8);
    EXPECT_EQ(BlueOf(int32_t(0x80000008u)), 0);
    EXPECT_EQ(BlueOf(-1), 255);
}

TEST(ColorLib, DoubleTriplesUseTwoHundredFiftySixths) {
    ExpectTriple(RGBtoDbl(0xFFFFFF), 255.0 / 256, 255.0 / 256, 255.0 / 256, 0);
    ExpectTriple(RGBtoDbl(0x804020), 0x20 / 256.0, 0x40 / 256.0, 0.5, 0);
    EXPECT_EQ(DblToRGB(RGBtoDbl(0xFFFFFF)), 0xFFFFFF);
    EXPECT_EQ(DblToRGB({-0.5, 0, 0}), 0);
    EXPECT_EQ(DblToRGB({0.5, 0.25, 0.125}), 128 + 64 * 256 + 32 * 65536);
    // 0.5 / 256 and 1.5 / 256 are halves: to even
    EXPECT_EQ(DblToRGB({0.5 / 256, 1.5 / 256, 2.5 / 256}), 0 + 2 * 256 + 2 * 65536);
    EXPECT_EQ(DblToRGB({std::nan(""), 0, 0}), 0);
}

TEST(ColorLib, RgbToHsvExamples) {
    ExpectTriple(RGBtoHSV({1, 0, 0}), 0, 1, 1);
    ExpectTriple(RGBtoHSV({0, 0, 1}), 240, 1, 1);
    ExpectTriple(RGBtoHSV({0.5, 0.5, 0.5}), 0, 0, 0.5);
    ExpectTriple(RGBtoHSV({2, -1, 0}), 0, 1, 1);
    ExpectTriple(RGBtoHSV({1, 0, 0.5}), 330, 1, 1);
    ExpectTriple(RGBtoHSV({1, 1, 0}), 60, 1, 1); // red is tested before green
    ExpectTriple(RGBtoHSV({0.2, 0.4, 0.8}), 220, 0.75, 0.8);
}

TEST(ColorLib, HsvToRgbExamples) {
    const ColorTriple a = HSVtoRGB({-30, 1, 1}), b = HSVtoRGB({330, 1, 1});
    ExpectTriple(a, b.c1, b.c2, b.c3, 0);
    ExpectTriple(b, 1, 0, 0.5);
    ExpectTriple(HSVtoRGB({720, 1, 1}), 0, 0, 0, 0);
    ExpectTriple(HSVtoRGB({-361, 1, 1}), 0, 0, 0, 0);
    ExpectTriple(HSVtoRGB({360, 1, 1}), 1, 0, 0);
    ExpectTriple(HSVtoRGB({719, 1, 1}), 1, 0, 1.0 / 60);
    ExpectTriple(HSVtoRGB({60, 0, 0.3}), 0.3, 0.3, 0.3, 0);
    ExpectTriple(HSVtoRGB({220, 0.75, 0.8}), 0.2, 0.4, 0.8);
    ExpectTriple(HSVtoRGB({100, 2, -1}), 0, 0, 0); // saturation and value limited
    ExpectTriple(HSVtoRGB({1e300, 1, 1}), 0, 0, 0, 0);
    ExpectTriple(HSVtoRGB({std::nan(""), 1, 1}), 0, 0, 0, 0);
}

TEST(ColorLib, ByteTriplesSurviveTheHsvRoundTripOnAGrid) {
    int steps[17];
    for (int i = 0; i < 17; ++i) steps[i] = i == 16 ? 255 : i * 16;
    for (int r : steps)
        for (int g : steps)
            for (int b : steps) {
                const int32_t rgb = r + 256 * g + 65536 * b;
                const ColorTriple hsv = RGBtoHSV(RGBtoDbl(rgb));
                EXPECT_GE(hsv.c1, 0);
                EXPECT_LT(hsv.c1, 360);
                ASSERT_EQ(DblToRGB(HSVtoRGB(hsv)), rgb) << r << "," << g << "," << b;
            }
}
