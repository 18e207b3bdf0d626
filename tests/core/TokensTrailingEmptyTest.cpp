#include "core/Library.h"

#include <gtest/gtest.h>

namespace {

using L = QStringList;

// The list files keep an empty last field; the general splitting stays.
TEST(TokensTrailingEmpty, KeptOnlyWhenAsked) {
    using Library::StrToTokens;
    EXPECT_EQ(StrToTokens("a,", 2, true), (L{"a", ""}));
    EXPECT_EQ(StrToTokens("a,\"\"", 2, true), (L{"a", ""}));
    EXPECT_EQ(StrToTokens("1,\"Eur\",\"\"", 2, true), (L{"1", "Eur", ""}));
    EXPECT_EQ(StrToTokens("a,,", 2, true), (L{"a", "", ""}));
    EXPECT_EQ(StrToTokens(",", 2, true), (L{"", ""}));
    EXPECT_EQ(StrToTokens("a,b", 2, true), (L{"a", "b"}));
    EXPECT_EQ(StrToTokens("\"x,\"", 2, true), (L{"x,"}));   // a quoted comma is text
    EXPECT_EQ(StrToTokens("a,\r\n", 2, true), (L{"a"}));     // the line end came after it
    EXPECT_EQ(StrToTokens("a b ", 1, true), (L{"a", "b"}));  // blanks are not commas
    EXPECT_EQ(StrToTokens("a, ", 0, true), (L{"a"}));
    EXPECT_EQ(StrToTokens("", 2, true), (L{""}));
    EXPECT_EQ(StrToTokens("a,\"\"", 2), (L{"a"}));
}

} // namespace
