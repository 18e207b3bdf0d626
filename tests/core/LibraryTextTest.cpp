// Library's texts: quoting, trimming, numbers and dates as text, versions.
#include "core/Library.h"

#include <QDate>
#include <QTime>
#include <tuple>
#include <gtest/gtest.h>

using namespace Library;

TEST(LibraryText, QuoteUnquoteAndTrim) {
    EXPECT_EQ(QuoteStr("a\"b"), "\"a\"b\"");
    EXPECT_EQ(QuoteStr(""), "\"\"");
    const std::pair<QString, QString> rows[] = {
        {"  \"abc\"  ", "abc"}, {"\"abc", "abc"}, {"abc\"", "abc"}, {" \" ", ""}, {"\"\"", ""}, {"\"\"\"", "\""},
        // Only blanks are trimmed: a tab or a full-width space keeps the quote.
        {"\t\"a\"", "\t\"a"}, {QStringLiteral("\"a\"　"), QStringLiteral("a\"　")},
    };
    for (const auto& [in, out] : rows) EXPECT_EQ(UnquoteStr(in), out) << in.toStdString();
    EXPECT_EQ(TrimBlanks(QStringLiteral(" \ta　 ")), QStringLiteral("\ta　"));
    // Control characters go from the end; blanks before them stay.
    EXPECT_EQ(TrimCtrlChars("abc  \r\n"), "abc  ");
    EXPECT_EQ(TrimCtrlChars("abc\r\n  "), "abc");
    EXPECT_EQ(TrimCtrlChars(QString("a\t\x1f") + QChar(0)), "a");
    EXPECT_EQ(TrimCtrlChars(QString("a ") + QChar(0x7f)), QString("a ") + QChar(0x7f));
}

TEST(LibraryText, NumbersDatesAndVersions) {
    // Grouped after rounding to two decimals.
    const std::pair<double, const char*> ints[] = {{1234.56, "1,234"}, {1234.999, "1,235"}, {999.996, "1,000"},
                                                   {1e15, "1,000,000,000,000,000"}, {0.4, "0"}, {-1234.56, "-1,234"},
                                                   {-0.001, "0"}};
    for (auto [d, t] : ints) EXPECT_EQ(FormatStdInt(d), t) << d;
    const QDateTime early(QDate(2026, 1, 2), QTime(3, 4, 5));
    EXPECT_EQ(DateTimeDigits("", early), "2026010230405"); // the hour has no leading zero
    EXPECT_EQ(DateTimeDigits("ab", early), "2026ab01ab02ab3ab04ab05");
    EXPECT_EQ(DateTimeDigits("", QDateTime(QDate(2026, 12, 31), QTime(13, 45, 9))), "20261231134509");
    for (auto [a, b, c, text] : {std::tuple{1, 2, 5, "1.02.05"}, {1, 0, 0, "1.00"}, {2, 123, 0, "2.0123"}, {1, 5, 100, "1.05.0100"}})
        EXPECT_EQ(FormatAppVersion(a, b, c), text) << text;
    EXPECT_EQ(GetAppVersion(), "1.00");
}
