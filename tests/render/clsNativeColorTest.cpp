#include "render/clsNativeColor.h"

#include "core/clsRegistry.h"
#include "support/TestFolder.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

int32_t Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

// The textbook chroma form of HSV to RGB (hue in degrees), written apart
// from the palette's own conversion; channels scaled by 256 as the palette
// does, halves to even, 256 taken as 255.
int32_t StandardHsv(double h, double s, double v)
{
    const double c = v * s;
    const double hp = std::fmod(h, 360.0) / 60.0;
    const double x = c * (1.0 - std::fabs(std::fmod(hp, 2.0) - 1.0));
    double r = 0, g = 0, b = 0;
    if (hp < 1) { r = c; g = x; }
    else if (hp < 2) { r = x; g = c; }
    else if (hp < 3) { g = c; b = x; }
    else if (hp < 4) { g = x; b = c; }
    else if (hp < 5) { r = x; b = c; }
    else { r = c; b = x; }
    const double m = v - c;
    auto ch = [](double u) { return std::min(255, int(std::nearbyint(u * 256.0))); };
    return Rgb(ch(r + m), ch(g + m), ch(b + m));
}

TEST(clsNativeColor, BaseColoursFollowTheRowRules) {
    ScopedSettingsHome home;
    const clsNativeColor pal;
    const int grey[9] = {255, 224, 192, 160, 128, 96, 64, 32, 0};
    const int sat[9] = {100, 67, 41, 27, 100, 67, 41, 100, 67};
    const int val[9] = {100, 100, 100, 100, 70, 70, 70, 40, 40};
    const int off[9] = {0, 15, 0, 15, 0, 15, 0, 0, 15};
    for (int r = 0; r < 9; ++r) {
        EXPECT_EQ(pal.Color(13 * r), Rgb(grey[r], grey[r], grey[r])) << r;
        for (int k = 0; k < 12; ++k)
            EXPECT_EQ(pal.Color(13 * r + 1 + k), StandardHsv(30 * k + off[r], sat[r] / 100.0, val[r] / 100.0))
                << r << " " << k;
    }
}

TEST(clsNativeColor, BaseColoursMatchTheCheckRows) {
    ScopedSettingsHome home;
    const clsNativeColor pal;
    const int row0[13][3] = {{255, 255, 255}, {255, 0, 0}, {255, 128, 0}, {255, 255, 0}, {128, 255, 0},
                             {0, 255, 0}, {0, 255, 128}, {0, 255, 255}, {0, 128, 255}, {0, 0, 255},
                             {128, 0, 255}, {255, 0, 255}, {255, 0, 128}};
    const int row1[13][3] = {{224, 224, 224}, {255, 127, 84}, {255, 213, 84}, {213, 255, 84}, {127, 255, 84},
                             {84, 255, 127}, {84, 255, 213}, {84, 213, 255}, {84, 127, 255}, {127, 84, 255},
                             {213, 84, 255}, {255, 84, 213}, {255, 84, 127}};
    const int row8[13][3] = {{0, 0, 0}, {102, 51, 34}, {102, 85, 34}, {85, 102, 34}, {51, 102, 34},
                             {34, 102, 51}, {34, 102, 85}, {34, 85, 102}, {34, 51, 102}, {51, 34, 102},
                             {85, 34, 102}, {102, 34, 85}, {102, 34, 51}};
    for (int k = 0; k < 13; ++k) {
        EXPECT_EQ(pal.Color(k), Rgb(row0[k][0], row0[k][1], row0[k][2])) << k;
        EXPECT_EQ(pal.Color(13 + k), Rgb(row1[k][0], row1[k][1], row1[k][2])) << k;
        EXPECT_EQ(pal.Color(104 + k), Rgb(row8[k][0], row8[k][1], row8[k][2])) << k;
    }
}

TEST(clsNativeColor, IndexesAndTheirKinds) {
    ScopedSettingsHome home;
    clsNativeColor pal;
    EXPECT_EQ(pal.Color(-1), -1);
    for (int i : {130, -2, 65536 + 5})  // no 16-bit wrap-around
        EXPECT_EQ(pal.Color(i), -2) << i;
    const int attrs[][2] = {{-1, 1}, {0, 2}, {116, 2}, {117, 3}, {129, 3}, {130, 0}, {-2, 0}};
    for (const auto& a : attrs)
        EXPECT_EQ(pal.Attr(a[0]), a[1]) << a[0];
}

TEST(clsNativeColor, OnlyUserColoursChangeAndKeepTwentyFourBits) {
    ScopedSettingsHome home;
    clsNativeColor pal;
    const int32_t before = pal.Color(5);
    pal.SetColor(5, 0x123456);
    EXPECT_EQ(pal.Color(5), before);
    pal.SetColor(-1, 0x123456);
    EXPECT_EQ(pal.Color(-1), -1);
    pal.SetColor(117, 0x12345678);
    EXPECT_EQ(pal.Color(117), 0x345678);
    pal.SetColor(129, -1);
    EXPECT_EQ(pal.Color(129), 0xFFFFFF);
    pal.SetColor(130, 0x111111);
    EXPECT_EQ(pal.Color(130), -2);
}

TEST(clsNativeColor, ColoursFindTheirLowestIndex) {
    ScopedSettingsHome home;
    clsNativeColor pal;
    EXPECT_EQ(pal.RGBtoPal(0xFFFFFF), 0);  // the first grey, not a free user slot
    EXPECT_EQ(pal.RGBtoPal(0x1000000), -2);
    EXPECT_EQ(pal.RGBtoPal(-1), -1);
    EXPECT_EQ(pal.RGBtoPal(-2), -2);
    EXPECT_EQ(pal.RGBtoPal(Rgb(255, 0, 0)), 1);
    EXPECT_EQ(pal.RGBtoPal(Rgb(102, 34, 51)), 116);
    EXPECT_EQ(pal.RGBtoPal(0), 104);  // black: the grey of row 8
    EXPECT_EQ(pal.RGBtoPal(Rgb(1, 2, 3)), -2);
    pal.SetColor(120, Rgb(1, 2, 3));
    pal.SetColor(125, Rgb(1, 2, 3));
    EXPECT_EQ(pal.RGBtoPal(Rgb(1, 2, 3)), 120);
    pal.SetColor(118, Rgb(255, 0, 0));
    EXPECT_EQ(pal.RGBtoPal(Rgb(255, 0, 0)), 1);
}

TEST(clsNativeColor, AFreshStoreGivesWhiteUserColours) {
    ScopedSettingsHome home;
    clsNativeColor pal;
    for (int i = 117; i <= 129; ++i)
        EXPECT_EQ(pal.Color(i), 0xFFFFFF) << i;
    EXPECT_EQ(pal.PalSpace(), 117);
    pal.SetColor(117, 0);
    pal.SetColor(118, 0xFFFFFE);
    EXPECT_EQ(pal.PalSpace(), 119);
    for (int i = 117; i <= 129; ++i)
        pal.SetColor(i, 0x808080);
    EXPECT_EQ(pal.PalSpace(), -1);
    pal.SetColor(129, 0xFFFFFF);
    EXPECT_EQ(pal.PalSpace(), 129);
}

TEST(clsNativeColor, UserColoursPersistInTheirSection) {
    ScopedSettingsHome home;
    {
        clsNativeColor pal;
        pal.SetColor(117, 0x123456);
        pal.SetColor(129, 0);
        pal.WriteRegistry();
    }
    clsRegistry reg;
    reg.mSection = "NATIVECOLOR";
    EXPECT_EQ(reg.RegGet("USER0", "?"), "1193046");
    EXPECT_EQ(reg.RegGet("USER1", "?"), "16777215");
    EXPECT_EQ(reg.RegGet("USER12", "?"), "0");
    EXPECT_EQ(reg.RegGet("USER13", "?"), "?");
    EXPECT_EQ(reg.RegGetSec().size(), 13);
    const clsNativeColor again;
    EXPECT_EQ(again.Color(117), 0x123456);
    EXPECT_EQ(again.Color(118), 0xFFFFFF);
    EXPECT_EQ(again.Color(129), 0);
    EXPECT_EQ(again.PalSpace(), 118);
}

TEST(clsNativeColor, EachBadValueFallsBackToWhiteAlone) {
    ScopedSettingsHome home;
    clsRegistry reg;
    reg.mSection = "NATIVECOLOR";
    // 0x12345678 keeps 24 bits; halves round to even; 0xFF000000 leaves nothing.
    const struct {
        const char* stored;
        int32_t colour;
    } cases[] = {{"abc", 0xFFFFFF}, {"305419896", 0x345678}, {"99999999999", 0xFFFFFF}, {" 42 ", 42},
                 {"-1", 0xFFFFFF}, {"2.5", 2}, {"3.5", 4}, {"", 0xFFFFFF}, {"-16777216", 0}};
    for (int i = 0; i < 9; ++i)
        reg.RegPut(QStringLiteral("USER%1").arg(i), cases[i].stored);
    const clsNativeColor pal;
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(pal.Color(117 + i), cases[i].colour) << cases[i].stored;
    EXPECT_EQ(pal.Color(126), 0xFFFFFF);  // absent
    EXPECT_EQ(pal.PalSpace(), 117);
}

} // namespace
