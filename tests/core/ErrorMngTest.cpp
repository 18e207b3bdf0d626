#include "core/ErrorMng.h"

#include <gtest/gtest.h>
#include <new>

using namespace ErrorMng;

namespace {

void Inner() {
    try {
        throw VospError(53, QStringLiteral("Runtime"), QStringLiteral("ファイルが見つかりません。"));
    } catch (...) {
        ReRaise(ErrBase + 1001, "clsThings", "Load", "file=a.thg");
    }
}

void Middle() {
    try {
        Inner();
    } catch (...) {
        ReRaise(ErrBase + 1002, "basLibrary", "Open");
    }
}

TEST(ErrorMng, ThreeLevelsChainSourceAndDescriptionAndKeepThePendingNumber) {
    try {
        try {
            Middle();
        } catch (...) {
            ReRaise(ErrBase + 1003, "frmMain", "mnuOpen_Click", "open");
        }
        FAIL();
    } catch (const VospError& e) {
        EXPECT_EQ(e.number, 53);
        EXPECT_EQ(e.source, "frmMain.mnuOpen_Click/basLibrary.Open/clsThings.Load/Runtime");
        EXPECT_EQ(e.description, QStringLiteral("open/file=a.thg/ファイルが見つかりません。"));
    }
}

TEST(ErrorMng, WithNothingPendingANewErrorTakesTheNumber) {
    try {
        ReRaise(ErrBase + 1001, "clsPoly", "Item", "index");
    } catch (const VospError& e) {
        EXPECT_EQ(e.number, ErrBase + 1001);
        EXPECT_EQ(e.source, "clsPoly.Item/");
        EXPECT_EQ(e.description, "index/");
    }
}

TEST(ErrorMng, StandardExceptionsMapToClassicNumbers) {
    auto numberOf = [](auto thrower) {
        try {
            try {
                thrower();
            } catch (...) {
                ReRaise(ErrBase + 1001, "x", "y");
            }
        } catch (const VospError& e) {
            return e.number;
        }
        return 0;
    };
    EXPECT_EQ(numberOf([] { throw std::bad_alloc(); }), 7);
    EXPECT_EQ(numberOf([] { throw std::overflow_error("o"); }), 6);
    EXPECT_EQ(numberOf([] { throw std::out_of_range("r"); }), 9);
    EXPECT_EQ(numberOf([] { throw std::invalid_argument("t"); }), 13);
    EXPECT_TRUE(IsFileError(52));
    EXPECT_TRUE(IsFileError(76));
    EXPECT_FALSE(IsFileError(77));
    EXPECT_FALSE(IsFileError(51));
}

} // namespace
