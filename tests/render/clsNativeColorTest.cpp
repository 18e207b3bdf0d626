#include "render/clsNativeColor.h"

#include "core/clsRegistry.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

namespace {

int32_t Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

// A palette over a fresh settings store.
struct NativeColor : ::testing::Test {
    ScopedSettingsHome home;
    clsNativeColor pal;
};

// Row 0 in full shows the hue steps; then each row's grey and its first
// colour (hue 0 or 15 degrees), which shows the row's saturation, value and
// hue offset; row 8 in full.
TEST_F(NativeColor, BaseColours) {
    const int row0[13][3] = {{255, 255, 255}, {255, 0, 0},   {255, 128, 0}, {255, 255, 0}, {128, 255, 0},
                             {0, 255, 0},     {0, 255, 128}, {0, 255, 255}, {0, 128, 255}, {0, 0, 255},
                             {128, 0, 255},   {255, 0, 255}, {255, 0, 128}};
    const int row8[13][3] = {{0, 0, 0},     {102, 51, 34}, {102, 85, 34}, {85, 102, 34}, {51, 102, 34},
                             {34, 102, 51}, {34, 102, 85}, {34, 85, 102}, {34, 51, 102}, {51, 34, 102},
                             {85, 34, 102}, {102, 34, 85}, {102, 34, 51}};
    for (int k = 0; k < 13; ++k) {
        EXPECT_EQ(pal.Color(k), Rgb(row0[k][0], row0[k][1], row0[k][2])) << k;
        EXPECT_EQ(pal.Color(104 + k), Rgb(row8[k][0], row8[k][1], row8[k][2])) << k;
    }
    const int rows[9][4] = {{255, 255, 0, 0},     {224, 255, 127, 84}, {192, 255, 151, 151},
                            {160, 255, 204, 187}, {128, 179, 0, 0},    {96, 179, 89, 59},
                            {64, 179, 106, 106},  {32, 102, 0, 0},     {0, 102, 51, 34}};
    for (int r = 0; r < 9; ++r) {
        EXPECT_EQ(pal.Color(13 * r), Rgb(rows[r][0], rows[r][0], rows[r][0])) << r;
        EXPECT_EQ(pal.Color(13 * r + 1), Rgb(rows[r][1], rows[r][2], rows[r][3])) << r;
    }
}

TEST_F(NativeColor, IndexesAndTheirKinds) {
    EXPECT_EQ(pal.Color(-1), -1);
    for (int i : {130, -2, 65536 + 5})  // no 16-bit wrap-around
        EXPECT_EQ(pal.Color(i), -2) << i;
    const int attrs[][2] = {{-1, 1}, {0, 2}, {116, 2}, {117, 3}, {129, 3}, {130, 0}, {-2, 0}};
    for (const auto& a : attrs)
        EXPECT_EQ(pal.Attr(a[0]), a[1]) << a[0];
}

TEST_F(NativeColor, OnlyUserColoursChangeAndKeepTwentyFourBits) {
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

TEST_F(NativeColor, ColoursFindTheirLowestIndex) {
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

TEST_F(NativeColor, AFreshStoreGivesWhiteUserColours) {
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
