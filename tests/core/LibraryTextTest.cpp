#include "core/Library.h"

#include <QDate>
#include <QTime>
#include <gtest/gtest.h>

using namespace Library;

namespace {

TEST(LibraryText, QuoteAndUnquote) {
    EXPECT_EQ(QuoteStr("a\"b"), "\"a\"b\"");
    EXPECT_EQ(QuoteStr(""), "\"\"");
    EXPECT_EQ(UnquoteStr("  \"abc\"  "), "abc");
    EXPECT_EQ(UnquoteStr("\"abc"), "abc");
    EXPECT_EQ(UnquoteStr("abc\""), "abc");
    EXPECT_EQ(UnquoteStr("\""), "");
    EXPECT_EQ(UnquoteStr(" \" "), "");
    EXPECT_EQ(UnquoteStr("   "), "");
    EXPECT_EQ(UnquoteStr("\"\""), "");
    EXPECT_EQ(UnquoteStr("\"\"\""), "\"");
    // Only blanks are trimmed: a tab or a full-width space keeps the quote.
    EXPECT_EQ(UnquoteStr("\t\"a\""), "\t\"a");
    EXPECT_EQ(UnquoteStr(QStringLiteral("\"a\"　")), QStringLiteral("a\"　"));
    EXPECT_EQ(TrimBlanks(QStringLiteral(" \ta　 ")), QStringLiteral("\ta　"));
}

TEST(LibraryText, TrimCtrlCharsKeepsBlanksBeforeTheControlCharacters) {
    EXPECT_EQ(TrimCtrlChars("abc  \r\n"), "abc  ");
    EXPECT_EQ(TrimCtrlChars("abc\r\n  "), "abc");
    EXPECT_EQ(TrimCtrlChars(QString("a\t\x1f") + QChar(0)), "a");
    EXPECT_EQ(TrimCtrlChars(QString("a ") + QChar(0x7f)), QString("a ") + QChar(0x7f));
    EXPECT_EQ(TrimCtrlChars("\x01\x02"), "");
    EXPECT_EQ(TrimCtrlChars(""), "");
}

TEST(LibraryText, FormatStdIntGroupsAfterRoundingToTwoDecimals) {
    EXPECT_EQ(FormatStdInt(1234.56), "1,234");
    EXPECT_EQ(FormatStdInt(1234.999), "1,235");
    EXPECT_EQ(FormatStdInt(999.996), "1,000");
    EXPECT_EQ(FormatStdInt(25000), "25,000");
    EXPECT_EQ(FormatStdInt(1234567), "1,234,567");
    EXPECT_EQ(FormatStdInt(2147483647), "2,147,483,647");
    EXPECT_EQ(FormatStdInt(1e15), "1,000,000,000,000,000");
    EXPECT_EQ(FormatStdInt(0), "0");
    EXPECT_EQ(FormatStdInt(0.4), "0");
    EXPECT_EQ(FormatStdInt(-1234.56), "-1,234");
    EXPECT_EQ(FormatStdInt(-0.001), "0");
    EXPECT_EQ(FormatStdInt(100), "100");
}

TEST(LibraryText, DateTimeDigitsReplacesEveryNonDigit) {
    const QDateTime early(QDate(2026, 1, 2), QTime(3, 4, 5));
    EXPECT_EQ(DateTimeDigits("", early), "2026010230405"); // the hour has no leading zero
    EXPECT_EQ(DateTimeDigits("-", early), "2026-01-02-3-04-05");
    EXPECT_EQ(DateTimeDigits("ab", early), "2026ab01ab02ab3ab04ab05");
    EXPECT_EQ(DateTimeDigits("", QDateTime(QDate(2026, 12, 31), QTime(13, 45, 9))), "20261231134509");
    EXPECT_EQ(DateTimeDigits("").size() >= 13, true);
}

TEST(LibraryText, AppVersionPadsMinorAndRevision) {
    EXPECT_EQ(FormatAppVersion(1, 2, 5), "1.02.05");
    EXPECT_EQ(FormatAppVersion(1, 0, 0), "1.00");
    EXPECT_EQ(FormatAppVersion(1, 99, 99), "1.99.99");
    EXPECT_EQ(FormatAppVersion(2, 123, 0), "2.0123");
    EXPECT_EQ(FormatAppVersion(1, 5, 100), "1.05.0100");
    EXPECT_EQ(GetAppVersion(), "1.00");
}

TEST(LibraryText, BytesAndTexts) {
    EXPECT_EQ(BytesToStr(QByteArray("\0abc", 4)), "");
    EXPECT_EQ(BytesToStr(QByteArray("AB")), "AB");
    EXPECT_EQ(BytesToStr(QByteArray()), "");
    EXPECT_EQ(BytesToStr(QByteArray("\xe9\x82")), QString(QChar(0xe9)) + QChar(0x82)); // one character per byte
    EXPECT_EQ(BytesToStr(QStringLiteral("表")), QStringLiteral("表"));
    EXPECT_EQ(StrToBytes(QString()), QByteArray(1, '\0'));
    EXPECT_EQ(StrToBytes(QStringLiteral("表a")), QByteArray("\x95\x5c" "a"));
    EXPECT_EQ(StrToBytes(QByteArray("\0x", 2)), QByteArray("\0x", 2));
}

TEST(LibraryValues, ArcFunctionsSaturateAtTheEnds) {
    EXPECT_EQ(ArcSin(1), 1.5707963267949);
    EXPECT_EQ(ArcSin(1.0000001), 1.5707963267949);
    EXPECT_EQ(ArcSin(-1), -1.5707963267949);
    EXPECT_EQ(ArcSin(0), 0.0);
    EXPECT_NEAR(ArcSin(0.5), 0.5235987755982988, 1e-15);
    EXPECT_EQ(ArcCos(1), 0.0);
    EXPECT_EQ(ArcCos(-7), 3.14159265358979);
    EXPECT_EQ(ArcCos(0), 1.5707963267949);
    EXPECT_NEAR(ArcCos(0.5), 1.0471975511965976, 1e-14);
    EXPECT_NEAR(ArcCos(-0.5), 2.0943951023931957, 1e-14);
    EXPECT_EQ(Hypot(3, 4), 5.0);
    EXPECT_EQ(Hypot(-5, 12), 13.0);
}

TEST(LibraryValues, VariantHelpersAndIntegerEnds) {
    EXPECT_TRUE(VarInRange(QString("b"), QString("a"), QString("c")));
    EXPECT_FALSE(VarInRange(6.5, 5.0, 6.0));
    EXPECT_EQ(DblToLng(-2147483646.0), -2147483646);
    EXPECT_EQ(DblToLng(-2147483646.4), -2147483647);
}

} // namespace
