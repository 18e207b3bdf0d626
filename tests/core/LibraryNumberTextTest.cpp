#include "core/LibraryNumberText.h"

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

TEST(LibraryVal, NumStrGivesFifteenSignificantDigitsShortest) {
    const std::pair<double, const char*> num[] = {{0.35, "0.35"}, {1500000, "1500000"}, {1e15, "1E+15"},
                                                  {0.1 + 0.2, "0.3"}, {-0.0, "0"},       {0.00001, "1E-05"}};
    for (auto [d, t] : num) EXPECT_EQ(NumStr(d), t) << d;
}
