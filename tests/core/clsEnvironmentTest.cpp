#include "core/clsEnvironment.h"

#include "support/TestFolder.h"
#include "platform/ScriptedUi.h"

#include "platform/VospError.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

// Every kind of line the file may hold. Japanese text is written as its CP932
// bytes: 地図 = 92 6E 90 7D, 表示 = 95 5C 8E A6 (a 0x5C trail byte).
const QByteArray kFile =
    "' comment line\r\n"
    "// another comment\r\n"
    "   \r\n"
    "\r\n"
    "  MapFolder  =  \"C:\\Map Data\\\"  \r\n"
    "Formula=a=b=c\r\n"
    "=NoKey\r\n"
    "NoEqualSign\r\n"
    "EmptyValue=\r\n"
    "QuotedEmpty=\"\"\r\n"
    "OnlyBlanks=    \r\n"
    "#Hash=1\r\n"
    "Tab\t=tabbed\r\n"
    "Title=\x92\x6E\x90\x7D\x95\x5C\x8E\xA6\r\n"
    "Inner=say \"hi\" there\r\n"
    "Num=12abc\r\n"
    "Letters=abc\r\n"
    "SysColor=&H80000008\r\n"
    "Short=&HFFFF\r\n"
    "Huge=1e400\r\n"
    "num=99\r\n"
    "Lone=\"\r\n"
    "LfOnly=lf\n"
    "Last=end";

struct EnvFixture : ::testing::Test {
    TestFolder dir;
    ScopedUi ui;
    clsEnvironment env;
    void LoadFile(const QByteArray& bytes) {
        env.SetFileName(dir.write("Environment.txt", bytes));
        ASSERT_EQ(env.Load(), 0);
    }
};

} // namespace

TEST_F(EnvFixture, EveryLineKindIsParsedAsTheFileFormatSays) {
    LoadFile(kFile);
    // Expected pairs, in file order, worked out line by line.
    const QList<QPair<QString, QString>> expected = {
        {"MapFolder", "C:\\Map Data\\"},
        {"Formula", "a=b=c"},
        {"#Hash", "1"},
        {"Tab\t", "tabbed"},
        {"Title", QStringLiteral("地図表示")},
        {"Inner", "say \"hi\" there"},
        {"Num", "12abc"},
        {"Letters", "abc"},
        {"SysColor", "&H80000008"},
        {"Short", "&HFFFF"},
        {"Huge", "1e400"},
        {"num", "99"},
        {"LfOnly", "lf"},
        {"Last", "end"},
    };
    ASSERT_EQ(env.Count(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(env.ItemID(i), expected[i].first) << i;
        EXPECT_EQ(env.ItemData(i), expected[i].second) << i;
    }
    EXPECT_EQ(env.GetString("Tab", "x"), "x"); // the tab belongs to the key
    EXPECT_EQ(env.ItemID(-1), "");
    EXPECT_EQ(env.ItemData(env.Count()), "");
    EXPECT_TRUE(ui.ui.messages.isEmpty());
}

TEST_F(EnvFixture, GetValReadsLeadingNumbersAndFallsBackOutsideTheRange) {
    LoadFile(kFile);
    EXPECT_EQ(env.GetVal("Num", 5, 0, 100), 12);         // first "num" judged, not 99
    EXPECT_EQ(env.GetVal("num", 5, 50, 100), 5);         // first one out of range: default
    EXPECT_EQ(env.GetVal("Letters", 7, -5, 5), 0);       // no number reads as 0 ...
    EXPECT_EQ(env.GetVal("Letters", 7, 1, 10), 7);       // ... which the range may refuse
    EXPECT_EQ(env.GetVal("SysColor", 1, -2147483648.0, 2147483647.0), -2147483640);
    EXPECT_EQ(env.GetVal("Short", 1, -10, 10), -1);
    EXPECT_EQ(env.GetVal("Huge", 3, -1e308, 1.7e308), 3); // conversion error: default
    EXPECT_EQ(env.GetVal("Missing", 4.5, 0, 1), 4.5);
    EXPECT_EQ(env.GetVal("Num", 5, 12, 12), 12);         // both ends belong to the range
}

TEST_F(EnvFixture, MissingFileShowsTheMessageAndKeepsTheTable) {
    LoadFile("A=1\r\nB=2\r\n");
    const QString missing = dir.file("nothere/Environment.txt");
    env.SetFileName(missing);
    EXPECT_EQ(env.Load(), 53);
    EXPECT_EQ(env.Count(), 2);
    ASSERT_EQ(ui.ui.messages.size(), 1);
    EXPECT_EQ(ui.ui.messages[0].text, QStringLiteral("環境ファイルが存在しません.\r\n") + missing);
    EXPECT_EQ(ui.ui.messages[0].style, int(Mb::OkOnly) + int(Mb::Critical));
}

TEST_F(EnvFixture, SecondLoadReplacesAllPairsAndNamesResolveWithoutCase) {
    LoadFile("A=1\r\nB=2\r\n");
    dir.write("ENVIRONMENT.TXT", "C=3\r\n");
    env.SetFileName(dir.file("ENVIRONMENT.TXT"));
    ASSERT_EQ(env.Load(), 0);
    EXPECT_EQ(env.Count(), 1);
    EXPECT_EQ(env.GetString("A", "-"), "-");
    EXPECT_EQ(env.GetString("c", "-"), "3");
    dir.write("empty.txt", "");
    env.SetFileName(dir.file("EMPTY.TXT"));
    ASSERT_EQ(env.Load(), 0);
    EXPECT_EQ(env.Count(), 0);
}

TEST_F(EnvFixture, AReadFailureTheUserGivesUpOnReturnsItsNumber) {
    LoadFile("A=1\r\n");
    env.SetFileName(dir.path()); // a folder exists but cannot be read as a file
    EXPECT_EQ(env.Load(), 75);
    EXPECT_EQ(env.Count(), 0);
    ASSERT_EQ(ui.ui.messages.size(), 1); // the file-error dialog, OK only
    EXPECT_EQ(ui.ui.messages[0].style & 7, int(Mb::OkOnly));
}

// Reading this process's memory file from its start fails with an I/O error
// (57), for which the dialog offers a retry.
TEST_F(EnvFixture, RetryThenCancelGivesUp) {
    const QString mem = QStringLiteral("/proc/self/mem");
    if (!QFileInfo::exists(mem)) GTEST_SKIP();
    env.SetFileName(mem);
    ui.ui.answers = {Mb::Yes, Mb::Cancel};
    EXPECT_EQ(env.Load(), 57);
    EXPECT_EQ(ui.ui.messages.size(), 2); // asked, retried, asked again
    EXPECT_TRUE(ui.ui.messages[0].text.endsWith(QStringLiteral("再試行しますか？")));
    ui.ui.answers = {Mb::No};
    EXPECT_EQ(env.Load(), 57);
}
