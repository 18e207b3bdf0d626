// Start-up and shut-down of the main window: checks, cruise questions, window place, quit and fatal stop.
#include "AppFixture.h"

#include "core/ErrorMng.h"
#include "platform/Cp932Codec.h"
#include "render/clsView.h"

#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

using namespace PublicVal;

namespace {

class StartUpTest : public AppFixture {};

TEST_F(StartUpTest, LanguageAndHelpFileChecks) {
    EXPECT_TRUE(frmMain::CheckLanguage(QLocale(QLocale::Japanese, QLocale::Japan)));
    EXPECT_FALSE(frmMain::CheckLanguage(QLocale(QLocale::English, QLocale::UnitedStates)));
    EXPECT_FALSE(frmMain::CheckLanguage(QLocale::c()));
    EXPECT_EQ(frmMain::LanguageMessage(), "システムの言語設定 (LANG) を [日本語] (ja_JP.UTF-8) に変更してください.");
    // The help file is looked for in the program folder.
    EXPECT_EQ(frmMain::CheckHelpFile(), "ヘルプファイル " + prog + "/VOSPERAL.HTML が見つかりません.");
    Write(prog + "/vosperal.html", "<html></html>"); // found whatever its letter case
    EXPECT_EQ(frmMain::CheckHelpFile(), "");
}

TEST_F(StartUpTest, MissingComponentsAreListedAndStartGoesOn) {
    const QList<frmMain::Component> parts{{"plugin", [] { return true; }},
                                          {"/usr/share/qt6/translations/qtbase_ja.qm", [] { return false; }},
                                          {"xdg-open", [] { return false; }}};
    EXPECT_EQ(frmMain::CheckRuntime(parts), QStringList({"/usr/share/qt6/translations/qtbase_ja.qm", "xdg-open"}));
    EXPECT_EQ(frmMain::RuntimeListPath(), prog + "/Runtime.txt");
    EXPECT_EQ(Read(prog + "/Runtime.txt"),
              Cp932Encode("次のランタイムファイルが見つかりませんでした.\r\n"
                          "作者サイトより「ランタイムセット」を入手してください.\r\n"
                          "/usr/share/qt6/translations/qtbase_ja.qm\r\n"
                          "xdg-open\r\n"));
    QFile::remove(prog + "/Runtime.txt");
    EXPECT_TRUE(frmMain::CheckRuntime({{"plugin", [] { return true; }}}).isEmpty());
    EXPECT_FALSE(QFile::exists(prog + "/Runtime.txt"));
    EXPECT_TRUE(scripted.ui.messages.isEmpty());
}

struct CruiseCase {
    int32_t last, now;
    frmMain::CruiseSwitches before;
    std::deque<int> answers;
    QStringList asked;
    frmMain::CruiseSwitches after;
};

TEST_F(StartUpTest, CruiseQuestionsTable) {
    const QString q1 = "クルーズ機能で〔海底地形図〕を使用しますか？";
    const QString q2 = "クルーズ機能で〔交通図〕を使用しますか？";
    const QString q3 = "クルーズ機能で〔地形図〕を使用しますか？";
    const QString q4 = "クルーズ機能で〔オートクルーズ〕を使用しますか？";
    const int Y = Mb::Yes, N = Mb::No;
    const CruiseCase cases[] = {
        // Nothing new: no question; switches of absent sets go off.
        {0x7FF, 0x7FF, {true, true, true, true}, {}, {}, {true, true, false, true}},
        {0, 0, {true, true, true, false}, {}, {}, {false, false, false, false}},
        // Topographic presence is told by bits 7..12, 21, 22.
        {0, 0x200000, {false, true, false, false}, {}, {}, {false, true, false, false}},
        {0, 0x1000, {false, true, false, false}, {}, {}, {false, true, false, false}},
        {0, 0x40, {false, true, false, false}, {}, {}, {false, false, false, false}},
        // Traffic presence by bits 13..18, 23, 24.
        {0x2000, 0x1000000, {false, false, true, false}, {}, {}, {false, false, true, false}},
        // Every question in its order, all answered yes.
        {0, 0x787FF, {}, {Y, Y, Y, Y}, {q1, q2, q3, q4}, {true, true, true, true}},
        // Set A complete alone asks about auto cruise only.
        {0, 0x7E, {}, {N}, {q4}, {false, false, false, false}},
        // Set A without level 6 asks nothing.
        {0, 0x3E, {}, {}, {}, {false, false, false, false}},
        // Set B was complete before: no topographic question, no auto question.
        {0x780, 0x781, {}, {N}, {q1}, {false, false, false, false}},
        // A set only partly there asks nothing.
        {0, 0x70000, {}, {}, {}, {false, false, false, false}},
        // No answers yes: nothing switched on.
        {0, 0x787FF, {}, {N, N, N, N}, {q1, q2, q3, q4}, {false, false, false, false}},
    };
    for (const CruiseCase& c : cases) {
        scripted.ui.messages.clear();
        scripted.ui.answers = c.answers;
        frmMain::CruiseSwitches s = c.before;
        frmMain::CruiseStartCheck(c.last, c.now, s);
        QStringList asked;
        for (const auto& m : scripted.ui.messages) asked << m.text;
        SCOPED_TRACE(QString::number(c.last, 16).toStdString() + " -> " + QString::number(c.now, 16).toStdString());
        EXPECT_EQ(asked, c.asked);
        EXPECT_EQ(s.ocean, c.after.ocean);
        EXPECT_EQ(s.topo, c.after.topo);
        EXPECT_EQ(s.traffic, c.after.traffic);
        EXPECT_EQ(s.autoCruise, c.after.autoCruise);
    }
}

TEST_F(StartUpTest, FatalStopBeforeInitialisationKeepsTheStoredSettings) {
    Put("Language", "2");
    Put("HomeLon", "500000");
    const SettingsStore::Pairs before = Section("PUBLIC");
    frmMain window;
    try {
        window.Form_Load({}); // the help file is missing
        FAIL() << "the start-up went on";
    } catch (const ProcessExit& e) {
        EXPECT_EQ(e.code, 1);
    }
    EXPECT_EQ(Section("PUBLIC"), before);
    EXPECT_FALSE(QFile::exists(LogError()));
    ASSERT_FALSE(scripted.ui.messages.isEmpty());
    EXPECT_TRUE(scripted.ui.messages.first().text.contains("ヘルプファイル"));
    // No save question was asked: the report is the only message.
    EXPECT_EQ(scripted.ui.messages.size(), 1);
}

// Five runs in a row, each ended by the quit command: the window's frame
// comes back where the settings put it, and the picture keeps its size, the
// last run's or that of a snapshot named on the command line, which is opened
// before the window's first layout has had its turn.
TEST_F(StartUpTest, FiveStartsKeepTheFramesPlaceAndThePicturesSize) {
    Put("WindowLeft", "1500"); // 100 x 80 pixels, frame included
    Put("WindowTop", "1200");
    const QString tall = root.path() + "/TALL.MLG";
    Write(tall, "[PUBLIC]\r\nWindowLeft=\"1500\"\r\nWindowTop=\"1200\"\r\nStartMapType=\"0\"\r\n"
                "[VIEW]\r\nWidth=\"600\"\r\nHeight=\"600\"\r\n");
    const struct {
        const char* name;
        QString named;
        QSize picture;
    } rows[] = {{"the last run's", {}, {640, 400}}, {"a snapshot's", tall, {600, 600}}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        QList<QPoint> frames;
        QList<QSize> pictures;
        for (int run = 0; run < 5; ++run) {
            auto window = std::make_unique<frmMain>();
            ASSERT_EQ(gvInitialize(), 0);
            // The status bar grows with the texts of the first drawing, as
            // Japanese text does on a desktop.
            ViewRedraw& redraw = window->MainArea()->redraw;
            QLabel* panel = window->MainArea()->stbPanels[3];
            redraw.DrawingEnded = [panel, next = redraw.DrawingEnded] {
                if (next) next();
                panel->setMinimumHeight(40);
            };
            QTimer& layout = window->MainArea()->resizeTimer;
            layout.setInterval(3600000);
            window->ShowFirstView();
            if (!r.named.isEmpty()) window->StartContent({r.named});
            layout.setInterval(0);
            for (int i = 0; i < 10000 && (layout.isActive() || i < 3); ++i) QCoreApplication::processEvents();
            ASSERT_NE(window->frameGeometry(), window->geometry()); // the platform draws a frame
            frames << window->frameGeometry().topLeft();
            pictures << window->MainArea()->picView->Image().size();
            scripted.ui.answers = {Mb::Yes};
            ASSERT_TRUE(window->Form_QueryUnload());
            window->Form_Unload();
            window.reset();
            delete gvMapUnits;
            gvMapUnits = nullptr;
        }
        EXPECT_EQ(frames, QList<QPoint>(5, QPoint(100, 80)));
        EXPECT_EQ(pictures, QList<QSize>(5, r.picture));
        EXPECT_EQ(Get("WindowLeft"), "1500");
        EXPECT_EQ(Get("WindowTop"), "1200");
        const auto view = Section("VIEW");
        const auto value = [&](const char* key) {
            for (const auto& [k, v] : view)
                if (k == key) return v;
            return QString();
        };
        EXPECT_EQ(value("Width"), QString::number(r.picture.width()));
        EXPECT_EQ(value("Height"), QString::number(r.picture.height()));
    }
}

// A picture kept from a larger screen: the window is fitted round the
// largest picture the screen leaves room for, the one the same view opened
// from a snapshot gets.
TEST_F(StartUpTest, APictureFromALargerScreenIsCutSoThatTheWindowFits) {
    clsRegistry reg;
    reg.mSection = "VIEW";
    reg.RegPut("Width", "5000");
    reg.RegPut("Height", "4000");
    auto window = std::make_unique<frmMain>();
    ASSERT_EQ(gvInitialize(), 0);
    MainView& view = *window->MainArea();
    view.resizeTimer.setInterval(0);
    const auto settle = [&] {
        for (int i = 0; i < 10000 && (view.resizeTimer.isActive() || i < 3); ++i) QCoreApplication::processEvents();
    };
    window->ShowFirstView();
    settle();
    ASSERT_NE(window->frameGeometry(), window->geometry()); // the platform draws a frame
    EXPECT_EQ(window->frameGeometry(), window->screen()->geometry());
    const QSize started = view.picView->Image().size();
    EXPECT_EQ(started, QSize(gvView->MaxWidth(), gvView->MaxHeight()));
    EXPECT_EQ(started, QSize(view.hsbView->width(), view.vsbView->height()));
    // The snapshot's way: the stored size through the output settings' limits.
    view.redraw.bHoldRedraw = true;
    gvView->ReadRegistry();
    view.controls->ResizeFormByView();
    view.redraw.bHoldRedraw = false;
    settle();
    EXPECT_EQ(view.picView->Image().size(), started);
    EXPECT_EQ(window->frameGeometry(), window->screen()->geometry());
}

using ShutDownTest = WindowFixture;

TEST_F(ShutDownTest, QuitAnsweredNoChangesNothingYesWritesLastAndTheSettings) {
    const SettingsStore::Pairs before = Section("PUBLIC");
    scripted.ui.answers = {Mb::No};
    EXPECT_FALSE(window->Form_QueryUnload());
    EXPECT_EQ(scripted.ui.messages.last().text, "Vosperal アプリケーションを終了しますか ?");
    EXPECT_FALSE(QFile::exists(LogLast()));
    EXPECT_EQ(Section("PUBLIC"), before);
    EXPECT_TRUE(gvInitialized());

    gvLanguage = 2;
    scripted.ui.answers = {Mb::Yes};
    const int32_t writes = SettingsStore::Instance().Writes();
    EXPECT_TRUE(window->Form_QueryUnload());
    const QByteArray last = Read(prog + "/LAST.MLG");
    EXPECT_TRUE(last.startsWith("[PUBLIC]\r\n"));
    EXPECT_TRUE(last.contains("LLcount=\"1\"\r\n"));
    EXPECT_FALSE(window->Form_Unload());
    EXPECT_EQ(SettingsStore::Instance().Writes() - writes, 2); // the snapshot's sections, then the exit's
    EXPECT_FALSE(gvInitialized());
    EXPECT_EQ(gvView, nullptr);
    EXPECT_EQ(Get("Language"), "2");
    EXPECT_EQ(Get("LLcount"), "<none>"); // the exit writes no units
}

// A fatal file error (53) writes no error snapshot; any other error does.
TEST_F(ShutDownTest, FatalErrorSnapshotOnlyForOtherThanFileErrors) {
    for (const int number : {53, 5}) {
        SCOPED_TRACE(number);
        if (number == 5) {
            ASSERT_EQ(gvInitialize(), 0);
        }
        try {
            try {
                ThrowError(number);
            } catch (...) {
                ErrorMng::FatalError("test");
            }
        } catch (const ProcessExit&) {
        }
        EXPECT_EQ(QFile::exists(prog + "/ERROR.MLG"), number != 53);
        EXPECT_FALSE(gvInitialized());
        EXPECT_EQ(gvMapGraph, nullptr);
        EXPECT_NE(Get("Language"), "<none>"); // the settings were kept
    }
    EXPECT_TRUE(Read(prog + "/ERROR.MLG").startsWith("[PUBLIC]\r\n"));
}

} // namespace
