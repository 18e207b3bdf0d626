#include "core/Library.h"

#include "platform/VospError.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace Library;

TEST(LibraryValues, DblToLngSaturatesAndRoundsHalvesToEven) {
    EXPECT_EQ(DblToLng(2147483646.5), 2147483647);
    EXPECT_EQ(DblToLng(2147483646.0), 2147483646);
    EXPECT_EQ(DblToLng(-2147483646.5), -2147483647);
    EXPECT_EQ(DblToLng(1e300), 2147483647);
    EXPECT_EQ(DblToLng(2.5), 2);
    EXPECT_EQ(DblToLng(3.5), 4);
    EXPECT_EQ(DblToLng(-2.5), -2);
    EXPECT_THROW(DblToLng(std::nan("")), VospError);
}

TEST(LibraryValues, WrapRangeCountsBothEndsOfTheSpan) {
    EXPECT_EQ(WrapRange(-1, 0, 359), 359);
    EXPECT_EQ(WrapRange(720, 0, 359), 0);
    EXPECT_EQ(WrapRange(648001, -648000, 648000), -648000);
    EXPECT_EQ(WrapRange(648000, -648000, 648000), 648000);
    EXPECT_EQ(WrapRange(2147483647, 0, 359), 2147483647 % 360);
}

TEST(LibraryValues, RoundSigDigitsTruncates) {
    EXPECT_EQ(RoundSigDigits(123456, 3), 123000);
    EXPECT_EQ(RoundSigDigits(129999, 2), 120000);
    EXPECT_EQ(RoundSigDigits(-129999, 2), -120000);
    EXPECT_EQ(RoundSigDigits(99, 2), 99);
    EXPECT_EQ(RoundSigDigits(-2147483647 - 1, 1), -2000000000);
}

TEST(LibraryValues, NumStrIsFifteenSignificantDigits) {
    EXPECT_EQ(NumStr(0.35), "0.35");
    EXPECT_EQ(NumStr(1500000), "1500000");
    EXPECT_EQ(NumStr(1e15), "1E+15");
    EXPECT_EQ(NumStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(NumStr(-0.0), "0");
    EXPECT_EQ(NumStr(0.00001), "1E-05");
}
