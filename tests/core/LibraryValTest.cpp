// Library's Val and the saturating numeric helpers at their boundaries.
#include "core/Library.h"

#include "platform/VospError.h"

#include <cmath>
#include <tuple>
#include <gtest/gtest.h>

using namespace Library;

TEST(LibraryVal, DecimalTextsTakeTheLongestLeadingNumber) {
    const std::pair<const char*, double> rows[] = {
        {"12abc", 12}, {"abc", 0}, {"1.2.3", 1.2}, {"1,234", 1}, {"-.5", -0.5}, {"--1", 0},
        {"\xef\xbc\x91\xef\xbc\x92", 0}, // full-width digits are not digits here
        // Blanks, tabs and line feeds are skipped anywhere; CR and U+3000 are not.
        {" 1 2 3", 123}, {"\t4\n2", 42}, {"- 3", -3}, {"1 e 2", 100}, {"\r5", 0}, {"\xe3\x80\x80" "5", 0},
        // An exponent needs digits.
        {"1.5E+3", 1500}, {"1.5e-2x", 0.015}, {"1e+", 1}, {"e5", 0}, {"1e-400", 0},
        // Near the ends of the double range the leading digit's place decides.
        {"0.1e309", 1e308}, {"5e-324", 5e-324}, {"0.0001e-330", 0}, {"-1e-400", 0},
        // Hexadecimal: 1-4 digits signed 16-bit, 5-8 signed 32-bit.
        {"&HFF", 255}, {"&h1f", 31}, {"&H7FFF", 32767}, {"&H8000", -32768}, {"&HFFFF", -1}, {"&H0FFFF", 65535},
        {"&H7FFFFFFF", 2147483647}, {"&H80000008", -2147483640}, {"&HFFFFFFFF", -1}, {"&H 1 0", 16}, {"&H", 0},
        {"&HG1", 0}, {"&12", 0},
        // Octal: the width follows the value.
        {"&O17", 15}, {"&O177777", -1}, {"&O200000", 65536}, {"&O37777777777", -1}, {"&O8", 0},
    };
    for (auto [text, v] : rows) EXPECT_EQ(Val(QString::fromUtf8(text)), v) << text;
    for (const char* t : {"1e400", "-1e400", "0.001e312", "123e307", "&H123456789", "&H000000001", "&O40000000000"}) {
        try {
            Val(t);
            ADD_FAILURE() << t;
        } catch (const VospError& e) {
            EXPECT_EQ(e.number, 6) << t;
        }
    }
}

TEST(LibraryValues, NumericHelpersAtTheirBoundaries) {
    // DblToLng saturates and rounds halves to even; NaN is an overflow.
    const std::pair<double, int32_t> lng[] = {{2147483646.5, 2147483647},   {2147483646.0, 2147483646},
                                              {-2147483646.5, -2147483647}, {-2147483646.4, -2147483647},
                                              {1e300, 2147483647},          {2.5, 2},
                                              {3.5, 4},                     {-2.5, -2}};
    for (auto [d, v] : lng) EXPECT_EQ(DblToLng(d), v) << d;
    try {
        DblToLng(std::nan(""));
        ADD_FAILURE() << "NaN converted";
    } catch (const VospError& e) {
        EXPECT_EQ(e.number, 6);
    }
    // WrapRange counts both ends of the span.
    const std::tuple<int32_t, int32_t, int32_t, int32_t> wraps[] = {
        {-1, 0, 359, 359}, {720, 0, 359, 0}, {648001, -648000, 648000, -648000}, {648000, -648000, 648000, 648000},
        {2147483647, 0, 359, 2147483647 % 360}};
    for (auto [v, lo, hi, out] : wraps) EXPECT_EQ(WrapRange(v, lo, hi), out) << v;
    // RoundSigDigits truncates.
    for (auto [v, n, out] : {std::tuple{129999, 2, 120000}, {-129999, 2, -120000}, {99, 2, 99}, {-2147483647 - 1, 1, -2000000000}})
        EXPECT_EQ(RoundSigDigits(v, n), out) << v;
    // Fifteen significant digits, shortest form.
    const std::pair<double, const char*> num[] = {{0.35, "0.35"}, {1500000, "1500000"}, {1e15, "1E+15"},
                                                  {0.1 + 0.2, "0.3"}, {-0.0, "0"},       {0.00001, "1E-05"}};
    for (auto [d, t] : num) EXPECT_EQ(NumStr(d), t) << d;
    // Arc functions saturate at the ends.
    EXPECT_EQ(ArcSin(1.0000001), 1.5707963267949);
    EXPECT_EQ(ArcSin(-1), -1.5707963267949);
    EXPECT_NEAR(ArcSin(0.5), 0.5235987755982988, 1e-15);
    EXPECT_EQ(ArcCos(-7), 3.14159265358979);
    EXPECT_EQ(ArcCos(0), 1.5707963267949);
    EXPECT_NEAR(ArcCos(-0.5), 2.0943951023931957, 1e-14);
    EXPECT_EQ(Hypot(-5, 12), 13.0);
    EXPECT_TRUE(VarInRange(QString("b"), QString("a"), QString("c")));
    EXPECT_FALSE(VarInRange(6.5, 5.0, 6.0));
}

TEST(LibraryVal, SatClampsAt32BitLimits) {
    for (auto [in, out] : {std::pair{int64_t(INT32_MAX) + 1, INT32_MAX}, {INT64_MAX, INT32_MAX}, {int64_t(INT32_MIN) - 1, INT32_MIN},
                           {INT64_MIN, INT32_MIN}, {int64_t(INT32_MIN), INT32_MIN}, {int64_t(-5), -5}})
        EXPECT_EQ(Sat(in), out) << in;
    EXPECT_EQ(Abs64(-4294967296), 4294967296);
    EXPECT_EQ(Abs64(INT64_MIN + 1), INT64_MAX);
}
