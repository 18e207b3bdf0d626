#include "document/HMap.h"

#include <gtest/gtest.h>
#include <cmath>
#include <vector>

namespace {

TEST(HMap, KindNamesInBothLanguagesAndNothingOutside) {
    const char* const names[2][5] = {{"REM", "POLYLINE", "POLYGON", "SYMBOL", "TEXT"},
                                     {"注釈", "連続線", "多辺形", "点記号", "文字列"}};
    for (int lang = 1; lang <= 2; ++lang) {
        for (int code = 1; code <= 5; ++code) EXPECT_EQ(HMap::FigCodeName(code, lang), QString::fromUtf8(names[lang - 1][code - 1]));
    }
    EXPECT_EQ(HMap::FigCodeName(0, 1), "");
    EXPECT_EQ(HMap::FigCodeName(6, 2), "");
    EXPECT_EQ(HMap::FigCodeName(3, 0), "");
    EXPECT_EQ(HMap::FigCodeName(3, 3), "");
}

TEST(HMap, MapCodeTextAndKind) {
    EXPECT_EQ(HMap::MapCodeStr(81), "000081");
    EXPECT_EQ(HMap::MapCodeStr(0), "000000");
    EXPECT_EQ(HMap::MapCodeStr(120081), "120081");
    EXPECT_EQ(HMap::MapCodeStr(1234567), "234567");
    EXPECT_EQ(HMap::MapCodeKind(120081), 2);
    EXPECT_EQ(HMap::MapCodeKind(981999), 8);
    EXPECT_EQ(HMap::MapCodeKind(81), 0);
}

TEST(HMap, Attr105ExampleWithAndWithoutBit31) {
    int16_t jump = -9, show = -9;
    int32_t colour = 0;
    HMap::DecodeAttr105(0x5000000 + 0x00FF00 + 0x28000000, jump, show, colour);
    EXPECT_EQ(colour, 0xFF00);
    EXPECT_EQ(show, 0);
    EXPECT_EQ(jump, 5);
    HMap::DecodeAttr105(static_cast<int32_t>(0x80000000u | 0x5000000u | 0x00FF00u | 0x28000000u), jump, show, colour);
    EXPECT_EQ(colour, 0xFF00);
    EXPECT_EQ(show, 0);
    EXPECT_EQ(jump, 5);
    // Bit 26 clear: no own colour whatever bits 0-23 hold.
    HMap::DecodeAttr105(0x0ABCDEF, jump, show, colour);
    EXPECT_EQ(colour, -1);
    EXPECT_EQ(show, -1);
    EXPECT_EQ(jump, 0);
    HMap::DecodeAttr105(static_cast<int32_t>(0xFFFFFFFFu), jump, show, colour);
    EXPECT_EQ(colour, 0xFFFFFF);
    EXPECT_EQ(show, 2); // out of range: the figure's check refuses it
    EXPECT_EQ(jump, 15);
}

class PaletteHook : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = HMap::SetNativeColorHook([this](int32_t i) {
            asked.push_back(i);
            return 0x010203 * (i + 1);
        });
    }
    void TearDown() override { HMap::SetNativeColorHook(previous_); }
    std::vector<int32_t> asked;

private:
    HMap::NativeColorFn previous_;
};

TEST_F(PaletteHook, Attr104AsksThePaletteForIndexMinusOne) {
    int16_t show = -9;
    int32_t colour = 0;
    HMap::DecodeAttr104(6, show, colour);
    EXPECT_EQ(show, 1);
    EXPECT_EQ(colour, 0x010203); // palette index 0
    HMap::DecodeAttr104(1, show, colour);
    EXPECT_EQ(show, 0);
    EXPECT_EQ(colour, -1); // index -1 never reaches the palette
    HMap::DecodeAttr104(0xFC | 0x7FFFFF00, show, colour);
    EXPECT_EQ(show, -1);
    EXPECT_EQ(colour, 0x010203 * 63); // index 62; bits 8-31 not read
    EXPECT_EQ(asked, (std::vector<int32_t>{0, 62}));
}

TEST(HMap, WithoutAPaletteEveryIndexHasNoColour) {
    const HMap::NativeColorFn old = HMap::SetNativeColorHook({});
    EXPECT_EQ(HMap::NativeColor(5), -1);
    EXPECT_EQ(HMap::NativeColor(-1), -1);
    HMap::SetNativeColorHook(old);
}

TEST(HMap, FigIdHoldsTheCreationSecondAndFiveRandomDigits) {
    const double before = HMap::FigIDSecondNow();
    const double id = HMap::NewFigID();
    const double after = HMap::FigIDSecondNow();
    const double second = std::floor(id / 100000.0);
    EXPECT_GE(second, before);
    EXPECT_LE(second, after);
    EXPECT_LT(id - second * 100000.0, 100000.0);
    // 2026-12-06 12:34:56 is 46362 days after 1899-12-30.
    const double known = (46362.0 * 86400 + 12 * 3600 + 34 * 60 + 56) * 100000 + 99999;
    EXPECT_EQ(HMap::FigIDToDate(known), QDateTime(QDate(2026, 12, 6), QTime(12, 34, 56)));
    EXPECT_EQ(HMap::FigIDToDate(0), QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
    EXPECT_EQ(HMap::FigIDToDate(std::nan("")), HMap::ZeroDate());
}

} // namespace
