#include "document/HMap.h"

#include <gtest/gtest.h>
#include <cmath>
#include <tuple>
#include <vector>

namespace {

TEST(HMap, KindNamesAndMapCodes) {
    const char* const names[2][5] = {{"REM", "POLYLINE", "POLYGON", "SYMBOL", "TEXT"},
                                     {"注釈", "連続線", "多辺形", "点記号", "文字列"}};
    for (int lang = 1; lang <= 2; ++lang) {
        for (int code = 1; code <= 5; ++code)
            EXPECT_EQ(HMap::FigCodeName(code, lang), QString::fromUtf8(names[lang - 1][code - 1]))
                << "language " << lang << " code " << code;
    }
    EXPECT_EQ(HMap::FigCodeName(0, 1) + HMap::FigCodeName(6, 2) + HMap::FigCodeName(3, 0) + HMap::FigCodeName(3, 3), "");

    for (const auto& [code, text] : {std::pair{81, "000081"}, {0, "000000"}, {120081, "120081"}, {1234567, "234567"}})
        EXPECT_EQ(HMap::MapCodeStr(code), text) << code;
    for (const auto& [code, kind] : {std::pair{120081, 2}, {981999, 8}, {81, 0}})
        EXPECT_EQ(HMap::MapCodeKind(code), kind) << code;
}

TEST(HMap, Attr105ExampleWithAndWithoutBit31) {
    const struct {
        uint32_t attr;
        int16_t jump, show;
        int32_t colour;
    } cases[] = {
        {0x5000000 + 0x00FF00 + 0x28000000, 5, 0, 0xFF00},
        {0x80000000u | 0x5000000u | 0x00FF00u | 0x28000000u, 5, 0, 0xFF00},
        {0x0ABCDEF, 0, -1, -1}, // bit 26 clear: no own colour whatever bits 0-23 hold
        {0xFFFFFFFFu, 15, 2, 0xFFFFFF}, // show out of range: the figure's check refuses it
    };
    for (const auto& c : cases) {
        int16_t jump = -9, show = -9;
        int32_t colour = 0;
        HMap::DecodeAttr105(static_cast<int32_t>(c.attr), jump, show, colour);
        EXPECT_EQ(std::make_tuple(jump, show, colour), std::make_tuple(c.jump, c.show, c.colour)) << std::hex << c.attr;
    }
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

    HMap::SetNativeColorHook({}); // without a palette every index has no colour
    EXPECT_EQ(HMap::NativeColor(5), -1);
    EXPECT_EQ(HMap::NativeColor(-1), -1);
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
