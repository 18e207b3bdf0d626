#include "core/LibraryMaths.h"

#include "platform/VospError.h"

#include <cmath>
#include <numbers>
#include <tuple>
#include <gtest/gtest.h>

using namespace Library;

TEST(LibraryMaths, NumericHelpersAtTheirBoundaries) {
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
    // The engine's pi and pi/2 are its 15-digit values, below the double
    // nearest pi, and the arc functions saturate at them.
    EXPECT_EQ(AngleLib::Pi, 3.14159265358979);
    EXPECT_EQ(AngleLib::HalfPi, 1.5707963267949);
    EXPECT_LT(AngleLib::Pi, std::numbers::pi);
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

TEST(LibraryMaths, SatClampsAt32BitLimits) {
    for (auto [in, out] : {std::pair{int64_t(INT32_MAX) + 1, INT32_MAX}, {INT64_MAX, INT32_MAX}, {int64_t(INT32_MIN) - 1, INT32_MIN},
                           {INT64_MIN, INT32_MIN}, {int64_t(INT32_MIN), INT32_MIN}, {int64_t(-5), -5}})
        EXPECT_EQ(Sat(in), out) << in;
    EXPECT_EQ(Abs64(-4294967296), 4294967296);
    EXPECT_EQ(Abs64(INT64_MIN + 1), INT64_MAX);
}
