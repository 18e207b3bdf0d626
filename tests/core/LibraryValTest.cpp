#include "core/Library.h"

#include "platform/VospError.h"

#include <gtest/gtest.h>

using Library::Val;

TEST(LibraryVal, DecimalTextsTakeTheLongestLeadingNumber) {
    EXPECT_EQ(Val("12abc"), 12);
    EXPECT_EQ(Val("abc"), 0);
    EXPECT_EQ(Val(""), 0);
    EXPECT_EQ(Val("1.2.3"), 1.2);
    EXPECT_EQ(Val("1,234"), 1);
    EXPECT_EQ(Val(".5"), 0.5);
    EXPECT_EQ(Val("-.5"), -0.5);
    EXPECT_EQ(Val("+7"), 7);
    EXPECT_EQ(Val("--1"), 0);
    EXPECT_EQ(Val("."), 0);
    EXPECT_EQ(Val(QStringLiteral("１２")), 0); // full-width digits are not digits here
}

TEST(LibraryVal, BlanksTabsAndLineFeedsAreSkippedAnywhere) {
    EXPECT_EQ(Val(" 1 2 3"), 123);
    EXPECT_EQ(Val("\t4\n2"), 42);
    EXPECT_EQ(Val("- 3"), -3);
    EXPECT_EQ(Val("1 e 2"), 100);
    EXPECT_EQ(Val("\r5"), 0); // a carriage return is not skipped
    EXPECT_EQ(Val(QStringLiteral("\u30005")), 0);
}

TEST(LibraryVal, ExponentNeedsDigits) {
    EXPECT_EQ(Val("1.5E+3"), 1500);
    EXPECT_EQ(Val("1.5e-2x"), 0.015);
    EXPECT_EQ(Val("1e"), 1);
    EXPECT_EQ(Val("1e+"), 1);
    EXPECT_EQ(Val("e5"), 0);
    EXPECT_EQ(Val("1e-400"), 0);
}

TEST(LibraryVal, OverflowRaisesErrorSix) {
    for (const char* t : {"1e400", "-1e400", "&H123456789"}) {
        try {
            Val(t);
            ADD_FAILURE() << t;
        } catch (const VospError& e) {
            EXPECT_EQ(e.number, 6) << t;
        }
    }
}

TEST(LibraryVal, HexadecimalWidthFollowsTheDigitCount) {
    EXPECT_EQ(Val("&HFF"), 255);
    EXPECT_EQ(Val("&h1f"), 31);
    EXPECT_EQ(Val("&H7FFF"), 32767);
    EXPECT_EQ(Val("&H8000"), -32768);
    EXPECT_EQ(Val("&HFFFF"), -1);
    EXPECT_EQ(Val("&H0FFFF"), 65535);
    EXPECT_EQ(Val("&H10000"), 65536);
    EXPECT_EQ(Val("&H7FFFFFFF"), 2147483647);
    EXPECT_EQ(Val("&H80000008"), -2147483640);
    EXPECT_EQ(Val("&H80000000"), -2147483648.0);
    EXPECT_EQ(Val("&HFFFFFFFF"), -1);
    EXPECT_EQ(Val("&H 1 0"), 16);
    EXPECT_EQ(Val("&H"), 0);
    EXPECT_EQ(Val("&HG1"), 0);
    EXPECT_EQ(Val("&12"), 0);
}

TEST(LibraryVal, OctalWidthFollowsTheValue) {
    EXPECT_EQ(Val("&O17"), 15);
    EXPECT_EQ(Val("&o777"), 511);
    EXPECT_EQ(Val("&O177777"), -1);
    EXPECT_EQ(Val("&O200000"), 65536);
    EXPECT_EQ(Val("&O37777777777"), -1);
    EXPECT_EQ(Val("&O8"), 0);
    EXPECT_THROW(Val("&O40000000000"), VospError);
}
