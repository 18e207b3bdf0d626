// ErrorMng's fatal stop: the error report file, its folder and texts, and the file-error retry prompt.
#include "core/ErrorMng.h"

#include "platform/Cp932Codec.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedUi.h"
#include "support/FakeAppHost.h"
#include "support/TestFolder.h"

#include <QDate>
#include <QDir>
#include <QRegularExpression>
#include <functional>
#include <gtest/gtest.h>

using namespace ErrorMng;

namespace {

// Runs ErrorReport with `e` pending.
void ReportWith(const VospError& e, const QString& comment) {
    try {
        throw e;
    } catch (...) {
        ErrorReport(comment);
    }
}

// Raises `e` and runs `handler` while it is pending: the code the handler
// ends the process with, or -1.
int ExitCodeOf(const VospError& e, const std::function<void()>& handler) {
    try {
        try {
            throw e;
        } catch (...) {
            handler();
        }
    } catch (const ProcessExit& x) {
        return x.code;
    }
    return -1;
}

// The one report file in `folder`, checked for its name.
QString OnlyReport(const QString& folder) {
    const QStringList names = QDir(folder).entryList({QStringLiteral("ErrorStop*")}, QDir::Files);
    if (names.size() != 1) return {};
    static const QRegularExpression form(QStringLiteral("^ErrorStop(\\d{13,14})\\.TXT$"));
    const auto m = form.match(names[0]);
    EXPECT_TRUE(m.hasMatch()) << names[0].toStdString();
    // Date digits first: yyyyMMdd of today (or of the day before, just past midnight).
    const QString day = m.captured(1).left(8);
    const QDate today = QDate::currentDate();
    EXPECT_TRUE(day == today.toString("yyyyMMdd") || day == today.addDays(-1).toString("yyyyMMdd"));
    return folder + QLatin1Char('/') + names[0];
}

QByteArray FileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class ErrorReportTest : public ::testing::Test {
protected:
    void SetUp() override { FileSystem::SetProgramFolder(prog.path()); }
    void TearDown() override { FileSystem::SetProgramFolder({}); }
    ScopedSettingsHome home; // the writable folder's fallback lives here
    TestFolder prog;
    ScopedUi ui;
};

TEST_F(ErrorReportTest, ApplicationErrorGoesToTheProgramFolderInTheCodePageWithCrLf) {
    ReportWith(VospError(ErrBase + 1005, "clsRegistry.ReadRegistry/", QStringLiteral("読めません")), "LLPLOT");
    const QString path = OnlyReport(prog.path());
    ASSERT_FALSE(path.isEmpty());
    const QByteArray expect = QByteArray("*Code=1005 (HALVORN ERROR CODE)\r\n"
                                         "*Source=\r\n"
                                         "clsRegistry.ReadRegistry/\r\n"
                                         "*Description=\x93\xc7\x82\xdf\x82\xdc\x82\xb9\x82\xf1\r\n"
                                         "*Comment=LLPLOT\r\n"
                                         "*Error Report File=\r\n") +
                              path.toUtf8() + "\r\n";
    EXPECT_EQ(FileBytes(path), expect);

    // The message shows the same text (without the final line end) before writing.
    ASSERT_EQ(ui.ui.messages.size(), 1);
    EXPECT_EQ(ui.ui.messages[0].title, QStringLiteral("続行不可能なエラー."));
    EXPECT_EQ(ui.ui.messages[0].style, Mb::OkOnly | Mb::Critical);
    EXPECT_EQ(ui.ui.messages[0].text + "\r\n", Cp932Decode(expect));
}

TEST_F(ErrorReportTest, FileErrorIsAClassicCodeAndLandsInTheWritableFolderWhenTheProgramFolderIsNot) {
    FileSystem::SetProgramFolder(prog.path() + "/not-there");
    ReportWith(VospError(53, "clsThings.Load/", "x.thg"), "");
    EXPECT_TRUE(QDir(prog.path()).entryList({"ErrorStop*"}).isEmpty());
    const QString path = OnlyReport(home.path() + "/data/vosperal");
    ASSERT_FALSE(path.isEmpty());
    EXPECT_TRUE(FileBytes(path).startsWith("*Code=53 (VB OR RUNTIME ERROR CODE)\r\n"));
}

TEST_F(ErrorReportTest, MissingComponentAddsTheRuntimeHintWithAnEmptyAddressLine) {
    ReportWith(VospError(429, "frmMain.Form_Load/", QStringLiteral("コンポーネントがありません")), "c");
    const QString path = OnlyReport(prog.path());
    ASSERT_FALSE(path.isEmpty());
    const QByteArray bytes = FileBytes(path);
    const QByteArray tail = QByteArray("\r\n\r\n") +
                            "\x8d\xec\x8e\xd2WEB\x83\x54\x83\x43\x83\x67\x82\xa9\x82\xe7\x81\x75VB\x83\x89\x83\x93"
                            "\x83\x5e\x83\x43\x83\x80\x83\x5a\x83\x62\x83\x67\x81\x76\x82\xf0\x93\xfc\x8e\xe8\x82\xb5"
                            "\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2." +
                            "\r\n" /* empty address */ + "\r\n";
    EXPECT_TRUE(bytes.startsWith("*Code=429 (VB OR RUNTIME ERROR CODE)\r\n*Source=\r\nfrmMain.Form_Load/\r\n"
                                 "*Description=\x83\x52\x83\x93\x83\x7c\x81\x5b\x83\x6c\x83\x93\x83\x67"));
    EXPECT_TRUE(bytes.endsWith(path.toUtf8() + tail)) << bytes.toStdString();
    EXPECT_TRUE(ui.ui.messages[0].text.endsWith(QStringLiteral("を入手してください.\r\n")));
}

TEST_F(ErrorReportTest, CodeTextTakesTheOwnFormOnlyFrom1000To2000AboveTheBase) {
    auto firstLine = [&](int32_t n) {
        ui.ui.messages.clear();
        ReportWith(VospError(n, "s", "d"), "");
        return ui.ui.messages.value(0).text.section(QStringLiteral("\r\n"), 0, 0);
    };
    for (auto [n, line] : {std::pair{ErrBase + 999, "*Code=-2147220505 (VB OR RUNTIME ERROR CODE)"},
                           {ErrBase + 1000, "*Code=1000 (HALVORN ERROR CODE)"}, {ErrBase + 2000, "*Code=2000 (HALVORN ERROR CODE)"},
                           {ErrBase + 2001, "*Code=-2147219503 (VB OR RUNTIME ERROR CODE)"}, {6, "*Code=6 (VB OR RUNTIME ERROR CODE)"}})
        EXPECT_EQ(firstLine(n), line) << n;
    // The component error number alone adds the runtime hint.
    ui.ui.messages.clear();
    ReportWith(VospError(ErrBase + 1004, "frmLegend.Form_Load/", "grid"), "");
    EXPECT_TRUE(ui.ui.messages[0].text.contains(QStringLiteral("「VBランタイムセット」")));
}

TEST_F(ErrorReportTest, FatalStopSurvivesAnUnwritableReportFolderAndEndsAfterTheWindUp) {
    // Neither the program folder nor the fallback can take a file.
    const QString blocker = prog.write("blocker", "x");
    qputenv("XDG_DATA_HOME", QFile::encodeName(blocker + "/data"));
    FileSystem::SetProgramFolder(blocker + "/prog");

    FakeAppHost host;
    bool fatalDuringWindup = false;
    int16_t retryDuringWindup = -1;
    host.onWindup = [&] {
        fatalDuringWindup = FatalInProgress();
        try {
            throw VospError(70, "clsThings.Save/", "w");
        } catch (...) {
            retryDuringWindup = FileErrorRetry("a.thg");
        }
    };
    EXPECT_EQ(ExitCodeOf(VospError(ErrBase + 1001, "clsMap.Read/", "bad"), [] { FatalError("by test"); }), 1);
    EXPECT_EQ(host.windupCalls, 1);
    EXPECT_TRUE(fatalDuringWindup);
    EXPECT_EQ(retryDuringWindup, 1);
    EXPECT_EQ(ui.ui.messages.size(), 1); // the report only: no file dialog during the wind-up
    EXPECT_TRUE(ui.ui.messages[0].text.contains("*Comment=by test\r\n"));
    EXPECT_FALSE(FatalInProgress());
}

// A second fatal error raised while the wind-up runs must not start the
// fatal stop over (a second report, a second wind-up, an exit in the middle
// of the first one): it goes back to the wind-up, which carries on.
TEST_F(ErrorReportTest, FatalErrorDuringTheWindUpReturnsToIt) {
    FakeAppHost host;
    bool windupFinished = false;
    host.onWindup = [&] {
        try {
            try {
                throw VospError(5, "clsView.WriteRegistry/", "inner");
            } catch (...) {
                StopError(ErrBase + 1003, "frmMain", "UnloadMapUnit");
            }
        } catch (const VospError& e) {
            EXPECT_EQ(e.number, 5);
        }
        windupFinished = true;
    };
    EXPECT_EQ(ExitCodeOf(VospError(ErrBase + 1001, "clsMap.Read/", "outer"), [] { FatalError("by test"); }), 1);
    EXPECT_EQ(host.windupCalls, 1);
    EXPECT_TRUE(windupFinished);
    ASSERT_EQ(ui.ui.messages.size(), 1); // one report, of the first error
    EXPECT_TRUE(ui.ui.messages[0].text.contains("outer"));
    EXPECT_FALSE(FatalInProgress());
}

TEST_F(ErrorReportTest, StopErrorAddsTheWindowContextBeforeStopping) {
    FakeAppHost host;
    const auto stop = [] { StopError(ErrBase + 1003, "frmMain", "picView_MouseUp", "drag"); };
    EXPECT_EQ(ExitCodeOf(VospError(0, "clsPoly.Add/", "full"), stop), 1);
    ASSERT_EQ(ui.ui.messages.size(), 1);
    EXPECT_EQ(ui.ui.messages[0].text.section("\r\n", 0, 4),
              "*Code=1003 (HALVORN ERROR CODE)\r\n*Source=\r\nfrmMain.picView_MouseUp/clsPoly.Add/\r\n"
              "*Description=drag/full\r\n*Comment=by StopError");
    EXPECT_EQ(host.windupCalls, 1);
}

// --- the file-error dialog ---

int16_t RetryFor(int32_t number, const QString& file, ScriptedUi& ui, int answer) {
    ui.answers.push_back(answer);
    try {
        throw VospError(number, "clsX.Load/", "desc");
    } catch (...) {
        return FileErrorRetry(file);
    }
}

TEST(FileErrorRetry, AnswerMatrixAndShownTexts) {
    ScopedUi s;
    const QList<int32_t> retry = {53, 57, 61, 68, 70, 71, 76};
    for (int32_t n = 52; n <= 76; ++n) {
        if (retry.contains(n)) {
            for (auto [button, answer] : {std::pair{Mb::Yes, 0}, {Mb::No, 1}, {Mb::Cancel, 2}})
                EXPECT_EQ(RetryFor(n, "", s.ui, button), answer) << n;
            EXPECT_EQ(s.ui.messages.last().style, Mb::YesNoCancel | Mb::Exclamation) << n;
            EXPECT_EQ(s.ui.messages.last().title, QStringLiteral("ドライブ関連エラー"));
            EXPECT_TRUE(s.ui.messages.last().text.endsWith(QStringLiteral("\r\n再試行しますか？")));
        } else {
            EXPECT_EQ(RetryFor(n, "", s.ui, Mb::Ok), 1) << n;
            EXPECT_EQ(s.ui.messages.last().style, Mb::OkOnly | Mb::Exclamation) << n;
            EXPECT_FALSE(s.ui.messages.last().text.contains(QStringLiteral("再試行")));
        }
    }
    s.ui.messages.clear();
    RetryFor(53, "C:\\map\\a.thg", s.ui, Mb::Yes);
    EXPECT_EQ(s.ui.messages[0].text, QStringLiteral("ファイルが存在しません.もしくはアクセス権がありません.\r\n"
                                                    "*Code=53\r\n*Source=clsX.Load/\r\n*Description=desc\r\n"
                                                    "*File=C:\\map\\a.thg\r\n再試行しますか？"));
    RetryFor(54, "", s.ui, Mb::Ok);
    EXPECT_EQ(s.ui.messages[1].text,
              QStringLiteral("ファイルモードが不正です.\r\n*Code=54\r\n*Source=clsX.Load/\r\n*Description=desc"));
    // Non-file errors answer 3 whatever the button; the message line stays empty.
    EXPECT_EQ(RetryFor(13, "f", s.ui, Mb::Cancel), 3);
    EXPECT_EQ(s.ui.messages[2].title, QStringLiteral("その他エラー"));
    EXPECT_EQ(s.ui.messages[2].style, Mb::OkOnly | Mb::Exclamation);
    EXPECT_EQ(s.ui.messages[2].text, "\r\n*Code=13\r\n*Source=clsX.Load/\r\n*Description=desc\r\n*File=f");
    EXPECT_EQ(RetryFor(ErrBase + 9999, "", s.ui, Mb::Ok), 3);
    EXPECT_EQ(s.ui.messages[3].title, QStringLiteral("警告"));
    for (int32_t n : {51, 77}) {
        EXPECT_EQ(RetryFor(n, "", s.ui, Mb::Ok), 3) << n;
        EXPECT_EQ(FileErrorMessage(n), "") << n;
    }
    // A few rows of the message table, and the text of a number it lacks.
    for (auto [n, text] : {std::pair{52, "ファイル名もしくは番号が不正です."}, {62, "ファイルにこれ以上データがありません."},
                           {70, "書込みが禁止されています.もしくはアクセス権がありません."},
                           {76, "パスが見つかりません.もしくはアクセス権がありません."}, {56, "不明なドライブ関連エラーです."}})
        EXPECT_EQ(FileErrorMessage(n), QString::fromUtf8(text)) << n;
}

// Fails with the numbers of `failures` in turn, then succeeds.
struct FailingAttempt {
    QList<int32_t> failures;
    int calls = 0;
    void operator()() {
        ++calls;
        if (!failures.isEmpty()) throw VospError(failures.takeFirst(), "clsX.Read/", "desc");
    }
};

TEST(FileErrorRetry, RetriesUntilSuccessOrTheUserStops) {
    ScopedUi s;
    FailingAttempt clean;
    EXPECT_EQ(WithFileRetry("f", [&] { clean(); }), std::nullopt);
    EXPECT_EQ(clean.calls, 1);
    EXPECT_TRUE(s.ui.messages.isEmpty());

    // Two retries, then the third attempt goes through.
    s.ui.answers = {Mb::Yes, Mb::Yes};
    FailingAttempt twice{{53, 57}};
    EXPECT_EQ(WithFileRetry("f", [&] { twice(); }), std::nullopt);
    EXPECT_EQ(twice.calls, 3);
    EXPECT_EQ(s.ui.messages.size(), 2);

    // Giving up, or cancelling, hands back the number of the error given up
    // on; only the one who asks learns which of the two it was.
    s.ui.answers = {Mb::Yes, Mb::No};
    FailingAttempt stop{{53, 70, 53}};
    bool cancelled = true;
    EXPECT_EQ(WithFileRetry("f", [&] { stop(); }, &cancelled), 70);
    EXPECT_EQ(stop.calls, 2);
    EXPECT_FALSE(cancelled);
    s.ui.answers = {Mb::Cancel};
    FailingAttempt cancel{{61, 53}};
    EXPECT_EQ(WithFileRetry("f", [&] { cancel(); }, &cancelled), 61);
    EXPECT_EQ(cancel.calls, 1);
    EXPECT_TRUE(cancelled);
    // A file error offered without a retry gives up at once.
    s.ui.answers = {Mb::Ok};
    FailingAttempt mode{{54}};
    EXPECT_EQ(WithFileRetry("f", [&] { mode(); }), 54);
    EXPECT_EQ(mode.calls, 1);
}

TEST(FileErrorRetry, OtherErrorsLeaveUnchanged) {
    ScopedUi s;
    for (auto [number, button] : {std::pair{13, Mb::Cancel}, {13, Mb::Ok}, {ErrBase + 9999, Mb::Ok}}) {
        s.ui.answers = {button};
        FailingAttempt fail{{number, 53}};
        try {
            (void)WithFileRetry("f", [&] { fail(); });
            ADD_FAILURE() << number;
        } catch (const VospError& e) {
            EXPECT_EQ(e.number, number);
            EXPECT_EQ(e.source, "clsX.Read/") << number;
            EXPECT_EQ(e.description, "desc");
        }
        EXPECT_EQ(fail.calls, 1) << number;
    }
}

} // namespace
