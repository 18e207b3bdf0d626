// The main window driven by real events while a drawing runs.
#include "AppFixture.h"
#include "app/HelpViewer.h"
#include "app/HtmlHelp.h"
#include "document/clsThings.h"
#include "render/clsMapPlot.h"
#include "render/clsView.h"
#include "support/ScriptedFileDialogs.h"

#include "cruise/clsCruise05.h"
#include "document/clsMapUnit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>
#include <QStatusBar>
#include <QTest>
#include <random>

using namespace PublicVal;

namespace {

struct WindowEventsTest : WindowFixture {
    QStringList Messages() const {
        QStringList m;
        for (const auto& msg : scripted.ui.messages) m << msg.text;
        return m;
    }
    void SetUp() override {
        WindowFixture::SetUp();
        view->controls->YieldEvents = [] { QCoreApplication::processEvents(); };
        view->resizeTimer.setInterval(0); // a resize may reach the window inside a drawing
        window->resize(700, 500);
        window->show();
        window->activateWindow();
        Settle();
    }
    void Settle() {
        for (int i = 0; i < 10000 && (view->resizeTimer.isActive() || i < 3); ++i) QCoreApplication::processEvents();
    }
    bool Send(QEvent&& e) { return QCoreApplication::sendEvent(window.get(), &e), e.isAccepted(); }
    // A second map open beside the base unit.
    void OpenExtra(const QString& base = "EXTRA") {
        WriteUnit(maps, base);
        auto unit = std::make_shared<clsMapUnit>();
        unit->SetUnitName(maps + "/" + base + ".MLL");
        ASSERT_TRUE(unit->Load());
        ASSERT_TRUE(gvMapUnits->Add(unit));
    }
};

TEST_F(WindowEventsTest, ResizesAndMaximisingDuringDrawingsEndInAViewOfTheLastSize) {
    int steps = 0;
    view->redraw.YieldEvents = [&] {
        if (++steps <= 100) window->resize(steps % 2 ? QSize(760, 560) : QSize(700, 500));
        else if (steps <= 120) steps % 2 ? window->showMaximized() : window->showNormal();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    };
    for (int i = 0; i < 500 && steps < 120; ++i) window->PlotWindow(), Settle();
    view->redraw.YieldEvents = [] {};
    Settle();
    EXPECT_GE(steps, 120);
    EXPECT_EQ(view->picView->Image().size(), QSize(view->hsbView->width(), view->vsbView->height()));
    // Without the window manager's help the least size still holds:
    // 6525 x 4500 twips, 435 x 300 pixels, the width first.
    window->setMinimumSize(0, 0);
    window->resize(200, 150);
    Settle();
    EXPECT_EQ(window->size(), QSize(435, 300));
}

TEST_F(WindowEventsTest, CloseDuringADrawingCancelsItAndClosesAfterwards) {
    scripted.ui.answers = {Mb::Yes};
    int acceptedInside = -1;
    view->redraw.YieldEvents = [&] {
        if (acceptedInside < 0) acceptedInside = Send(QCloseEvent());
    };
    EXPECT_EQ(view->redraw.PlotWindow(), 1); // cancelled
    EXPECT_EQ(acceptedInside, 0);
    EXPECT_TRUE(scripted.ui.messages.isEmpty() && gvInitialized()); // nothing asked or released meanwhile
    Settle();
    ASSERT_EQ(scripted.ui.messages.size(), 1);
    EXPECT_EQ(scripted.ui.messages[0].text, "Vosperal アプリケーションを終了しますか ?");
    EXPECT_FALSE(gvInitialized() || window->isVisible());
}

TEST_F(WindowEventsTest, CloseAnsweredNoDuringADrawingDrawsItAgain) {
    OpenExtra(); // so that panel 1 tells a finished drawing from a cut one
    scripted.ui.answers = {Mb::No};
    int drawings = 0, yields = 0;
    view->redraw.AutoCruise = [&] { ++drawings; };
    view->redraw.YieldEvents = [&] {
        if (++yields == 1) Send(QCloseEvent());
    };
    EXPECT_EQ(view->redraw.PlotWindow(), 1);
    EXPECT_EQ(view->redraw.StatusText(1), "地図描画は中断されました.");
    Settle();
    ASSERT_EQ(scripted.ui.messages.size(), 1);
    EXPECT_EQ(scripted.ui.messages[0].text, "Vosperal アプリケーションを終了しますか ?");
    EXPECT_EQ(drawings, 2);
    EXPECT_GT(yields, 1);
    EXPECT_EQ(view->redraw.StatusText(1), "");
    EXPECT_TRUE(gvInitialized() && window->isVisible());
    EXPECT_FALSE(QFile::exists(prog + "/LAST.MLG"));
}

TEST_F(WindowEventsTest, EscReachesTheWindowFromEveryControl) {
    QMenuBar* bar = window->menuBar();
    ViewPointer& pointer = *view->pointer;
    // ツール by its access key, then 測量(&R): the menu bar keeps the keyboard.
    QTest::keyClick(window.get(), Qt::Key_T, Qt::AltModifier);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), "ツール(&T)");
    QTest::keyClick(menu, Qt::Key_R);
    ASSERT_EQ(view->redraw.iSurveyMode, 1);
    ASSERT_EQ(QApplication::focusWidget(), bar);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(view->redraw.iSurveyMode, 0);
    EXPECT_NE(QApplication::focusWidget(), bar); // letters no longer open its menus

    // The same by カット(&F); then from each control that may hold the keyboard.
    QTest::keyClick(window.get(), Qt::Key_T, Qt::AltModifier);
    menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QTest::keyClick(menu, Qt::Key_F);
    ASSERT_EQ(view->redraw.iFrameCutMode, 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(view->redraw.iFrameCutMode, 0);
    const std::pair<const char*, QWidget*> controls[] = {
        {"map", view->picView},           {"horizontal bar", view->hsbView}, {"vertical bar", view->vsbView},
        {"slider", view->sliScale},       {"status bar", window->statusBar()},
        {"status panel", view->stbPanels[0]}, {"menu bar", bar}};
    for (const auto& [name, control] : controls) {
        SCOPED_TRACE(name);
        QWidget* const w = control; // a lambda below takes it: clang before 16 cannot capture a binding
        for (QAction* tool : {pointer.mnuSurvey, pointer.mnuFrameCut}) {
            tool->trigger();
            ASSERT_TRUE(view->redraw.iSurveyMode != 0 || view->redraw.iFrameCutMode != 0);
            w->setFocus();
            QTest::keyClick(w, Qt::Key_Escape);
            EXPECT_EQ(view->redraw.iSurveyMode, 0);
            EXPECT_EQ(view->redraw.iFrameCutMode, 0);
        }
        // Esc while a drawing runs cancels it, and nothing else.
        pointer.mnuSurvey->trigger();
        w->setFocus();
        int yields = 0;
        view->redraw.YieldEvents = [&] {
            if (++yields == 1) QTest::keyClick(w, Qt::Key_Escape);
        };
        EXPECT_EQ(view->redraw.PlotWindow(), 1);
        view->redraw.YieldEvents = [] {};
        EXPECT_EQ(view->redraw.iSurveyMode, 1);
        pointer.EndTools();
    }
    // With a menu open, Esc closes the menu and leaves the tool alone.
    pointer.mnuSurvey->trigger();
    QTest::keyClick(window.get(), Qt::Key_T, Qt::AltModifier);
    menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QTest::keyClick(menu, Qt::Key_Escape);
    EXPECT_EQ(view->redraw.iSurveyMode, 1);

    // Typed behind ヘルプ -> メインウィンドウ, before the help could take the
    // keyboard, Esc is the help's: it closes the help, the tool stays.
    FileSystem::SetProgramFolder(QStringLiteral(VOSP_SOURCE_DIR "/resources/help"));
    QTest::keyClick(window.get(), Qt::Key_H, Qt::AltModifier);
    menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QTest::keyClick(menu, Qt::Key_H);
    ASSERT_TRUE(HtmlHelp::Viewer() && HtmlHelp::Viewer()->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    for (int i = 0; i < 100 && HtmlHelp::Viewer() && HtmlHelp::Viewer()->isVisible(); ++i) QTest::qWait(5);
    EXPECT_FALSE(HtmlHelp::Viewer() && HtmlHelp::Viewer()->isVisible());
    EXPECT_EQ(view->redraw.iSurveyMode, 1);
    HtmlHelp::HelpCloseAll();
    FileSystem::SetProgramFolder(prog);
}

TEST_F(WindowEventsTest, OnlyAMapOrSnapshotOpenedFromTheCommandLineEndsTheAutoCruise) {
    gvStartMapType = 0;
    // The redraw after each open cruises a standard map in, as the cruise does.
    view->redraw.AutoCruise = [this] {
        if (gvMapUnits->Count() == 1) OpenExtra("CRUISED");
    };
    view->files->ReadLog = [](const QString& path) { return static_cast<int16_t>(gvReadLog(path)); };
    WriteUnit(maps, "NAMED");
    OpenExtra("SAVED");
    ASSERT_EQ(gvWriteLog(maps + "/TWO.MLG"), 0); // base and SAVED
    struct Row {
        QString file;
        bool cruiseAfter;
        QString message;
    };
    const Row rows[] = {
        {maps + "/MISSING.MLL", true, "地図図形ファイルが存在しません."},
        {maps + "/MISSING.MLG", true, "ログファイルが存在しません."},
        {maps + "/NAMED.THG", true, ""},
        {maps + "/NAMED.MLL", false, ""},
        {maps + "/TWO.MLG", false, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.file.toStdString());
        gvMapUnits->ClearAll();
        gvCruise->mEiAuto = true;
        scripted.ui.messages.clear();
        window->StartContent({r.file, "second.MLL"});
        EXPECT_EQ(gvCruise->mEiAuto, r.cruiseAfter);
        EXPECT_EQ(Messages().join("|").contains(r.message), true) << Messages().join("|").toStdString();
    }
}

TEST_F(WindowEventsTest, TheImageSizeLimitIsTheOneANormalWindowCanHonour) {
    ASSERT_NE(window->frameGeometry().size(), window->size()); // the platform's frame
    const int32_t w = gvView->MaxWidth(), h = gvView->MaxHeight();
    // Full screen the frame is gone, but a picture that large brings the
    // window back to normal, frame and all.
    window->showFullScreen();
    Settle();
    ASSERT_EQ(window->frameGeometry().size(), window->size());
    EXPECT_EQ(gvView->MaxWidth(), w);
    EXPECT_EQ(gvView->MaxHeight(), h);
    // Only the height is chosen; the width left as full screen had it is
    // more than the normal window can hold.
    ASSERT_GT(gvView->Width(), w);
    view->redraw.bHoldRedraw = true;
    gvView->SetHeight(gvView->MaxHeight());
    view->controls->ResizeFormByView();
    view->redraw.bHoldRedraw = false;
    Settle();
    EXPECT_FALSE(window->isFullScreen());
    EXPECT_EQ(window->frameGeometry().height(), window->screen()->geometry().height());
    EXPECT_EQ(window->frameGeometry().width(), window->screen()->geometry().width());
    EXPECT_EQ(gvView->Height(), h);
    EXPECT_EQ(gvView->Width(), w);
}

// The offscreen platform keeps the frame of a maximised window and drops it
// in full screen, as openbox drops its bottom handle when maximising.
TEST_F(WindowEventsTest, AFileOpenedLeavesAFullWindowAsItIsWithThePictureFillingIt) {
    const int32_t w = gvView->MaxWidth(), h = gvView->MaxHeight();
    Write(root.path() + "/A.THG", MinimalThings());
    struct Row {
        const char* name;
        void (QWidget::*show)();
        Qt::WindowState state;
    } const rows[] = {
        {"maximised", &QWidget::showMaximized, Qt::WindowMaximized},
        {"full screen", &QWidget::showFullScreen, Qt::WindowFullScreen},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        (window.get()->*row.show)();
        Settle();
        ASSERT_EQ(window->windowState(), row.state);
        const QSize area(view->hsbView->width(), view->vsbView->height());
        EXPECT_EQ(view->picView->Image().size(), area);
        EXPECT_EQ(view->picView->size(), area);
        ASSERT_TRUE(view->files->LoadFile(root.path() + "/A.THG"));
        Settle();
        EXPECT_EQ(window->windowState(), row.state);
        EXPECT_EQ(view->picView->Image().size(), area);
        // The image-size dialog offers what the window can honour once normal.
        EXPECT_EQ(gvView->MaxWidth(), w);
        EXPECT_EQ(gvView->MaxHeight(), h);
        window->showNormal();
        Settle();
    }
}

TEST_F(WindowEventsTest, CancelInTheRetryPromptFailsThatSaveOnly) {
    const auto things = gvMapUnits->Active()->gThings;
    things->SetModify(true);
    ASSERT_TRUE(QDir().rename(maps, maps + "-gone")); // every save there: folder missing
    ScriptedFileDialogs dlg;
    dlg.Choose(maps + "/saved.THG", 1);
    scripted.ui.answers = {Mb::Cancel};
    view->files->mnuSave_Click();
    // Quit: yes; save the list: yes; its retry prompt: cancel.
    scripted.ui.answers = {Mb::Yes, Mb::Yes, Mb::Cancel};
    EXPECT_FALSE(Send(QCloseEvent()));
    ASSERT_EQ(scripted.ui.messages.size(), 4);
    EXPECT_TRUE(scripted.ui.messages[0].text.endsWith("再試行しますか？"));
    EXPECT_TRUE(things->Modify() && gvInitialized());
    EXPECT_FALSE(QFile::exists(prog + "/LAST.MLG"));
}

TEST_F(WindowEventsTest, ArrowKeysStepByTheLargeChangeAndPathsTakeOneForm) {
    // key, bar values before, centre after (minutes); large changes 1600 and 800.
    const int32_t rows[][5] = {{Qt::Key_Right, 100, 0, 1700, 0},     {Qt::Key_Right, 10000, 0, -10000, 0},
                               {Qt::Key_Right, 10800, 0, -9200, 0},  {Qt::Key_Left, -10000, 0, 10000, 0},
                               {Qt::Key_Up, 0, 5000, 0, 5400},       {Qt::Key_Down, 0, 1000, 0, 200}};
    for (const auto& r : rows) {
        view->controls->hsbView.SetValue(r[1]);
        view->controls->vsbView.SetValue(r[2]);
        view->controls->hsbView.SetLargeChange(1600); // after the drawings those values caused
        view->controls->vsbView.SetLargeChange(800);
        QKeyEvent key(QEvent::KeyPress, r[0], Qt::NoModifier); // to where the keyboard is
        QCoreApplication::sendEvent(window->focusWidget() ? window->focusWidget() : window.get(), &key);
        EXPECT_EQ(QPoint(gvMapPlot->CenterX(), gvMapPlot->CenterY()), QPoint(r[3] * 60, r[4] * 60)) << r[1] + r[2];
    }
    // "..\MAP" of the environment and a second spelling of the base map.
    auto again = std::make_shared<clsMapUnit>();
    again->SetUnitName(prog + "\\..\\map\\base.mll");
    ASSERT_TRUE(again->Load());
    EXPECT_EQ(again->gThings->FileName(), root.path() + "/MAP/BASE.THG");
    EXPECT_FALSE(gvMapUnits->Add(again)); // the same unit, open already
    ScriptedFileDialogs dlg;
    view->files->mnuOpen_Click(); // cancelled
    EXPECT_EQ(dlg.requests.at(0).fileName, root.path() + "/MAP/*.MLL");
    window->ApplyIconAndCursor();
    EXPECT_EQ(view->picView->cursor().hotSpot(), QPoint(16, 16));
}

// ファイル → 開く on 3,000 random bytes named .MLG: the open map and its
// changed list stay, nothing is asked but the one message, nothing redrawn.
TEST_F(WindowEventsTest, OpeningAFileThatIsNoSnapshotKeepsTheOpenMaps) {
    MapFileBuilder b(106);
    b.VersionHeader();
    b.Add({.code = 4, .thing = 1, .x = 0});
    b.Add({.code = 4, .thing = 1, .x = 3600});
    Write(maps + "/A.MLL", b.bytes);
    Write(maps + "/A.THG", MinimalThings());
    Write(maps + "/A.ADM", MinimalAdmins());
    ASSERT_TRUE(view->files->LoadFile(maps + "/A.MLL"));
    ASSERT_EQ(gvMapUnits->Count(), 2);
    const auto unit = gvMapUnits->Item(2);
    unit->gThings->SetModify(true);
    view->files->ReadLog = [](const QString& path) { return static_cast<int16_t>(gvReadLog(path)); };
    std::mt19937 gen{3000};
    QByteArray noise;
    for (int i = 0; i < 3000; ++i) noise += char(gen() & 0xFF);
    Write(root.path() + "/noise.MLG", noise);
    int drawn = 0;
    view->redraw.AutoCruise = [&] { ++drawn; }; // runs at every drawing

    ScriptedFileDialogs dlg;
    dlg.Choose(root.path() + "/noise.MLG", 4);
    scripted.ui.messages.clear();
    view->files->mnuOpen->trigger();
    ASSERT_EQ(dlg.requests.size(), 1);
    ASSERT_EQ(scripted.ui.messages.size(), 1);
    EXPECT_TRUE(scripted.ui.messages[0].text.endsWith("はログファイルではありません. 何も読み込みませんでした."));
    ASSERT_EQ(gvMapUnits->Count(), 2);
    EXPECT_EQ(gvMapUnits->Item(2), unit);
    EXPECT_TRUE(unit->gThings->Modify());
    EXPECT_EQ(drawn, 0);
}

// ファイル → 開く on random bytes named .THG or .ADM: the list read from them
// would be empty and blank the map; the active unit keeps its own lists.
TEST_F(WindowEventsTest, OpeningAFileThatIsNoListKeepsTheActiveUnitsLists) {
    MapFileBuilder b(106);
    b.VersionHeader();
    b.Add({.code = 4, .thing = 1, .x = 0});
    b.Add({.code = 4, .thing = 1, .x = 3600});
    Write(maps + "/A.MLL", b.bytes);
    Write(maps + "/A.THG", "[CATEGORY]\r\n1,\"Land\"\r\n\r\n[THING]\r\nNUMBER=1\r\nFIGURE=POLYGON\r\n"
                           "NAME=\"Land\"\r\nCATEGORY=1\r\nSHOW=1\r\nSMALL=1000000000\r\nLARGE=100000\r\n"
                           "FORE=&H0000FFFF&\r\nBACK=&HFFFFFFFF&\r\nSTYLE=8\r\n\r\n");
    Write(maps + "/A.ADM", MinimalAdmins());
    ASSERT_TRUE(view->files->LoadFile(maps + "/A.MLL"));
    ASSERT_EQ(gvMapUnits->Count(), 2);
    const auto unit = gvMapUnits->Item(2);
    ASSERT_EQ(gvMapUnits->Active(), unit);
    ASSERT_EQ(unit->gThings->Count(), 1);
    ASSERT_EQ(unit->gAdmins->Count(), 1);
    std::mt19937 gen{3000};
    QByteArray noise;
    for (int i = 0; i < 3000; ++i) noise += char(gen() & 0xFF);
    int drawn = 0;
    view->redraw.AutoCruise = [&] { ++drawn; };
    const struct {
        const char* name;
        int32_t filter;
        const char* message;
    } rows[] = {
        {"noise.THG", 2, "は事象ファイルではありません. 何も読み込みませんでした."},
        {"noise.ADM", 3, "は行政区ファイルではありません. 何も読み込みませんでした."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = root.path() + "/" + row.name;
        Write(path, noise);
        const auto things = unit->gThings;
        const auto admins = unit->gAdmins;
        ScriptedFileDialogs dlg;
        dlg.Choose(path, row.filter);
        scripted.ui.messages.clear();
        view->files->mnuOpen->trigger();
        ASSERT_EQ(scripted.ui.messages.size(), 1);
        EXPECT_EQ(scripted.ui.messages[0].text, path + "\r\n" + QString::fromUtf8(row.message));
        EXPECT_EQ(unit->gThings, things);
        EXPECT_EQ(unit->gAdmins, admins);
        EXPECT_EQ(unit->gThings->Count(), 1);
        EXPECT_EQ(unit->gAdmins->Count(), 1);
        EXPECT_EQ(drawn, 0);
    }
    // A list holding only its header still opens: the header is what makes it one.
    Write(root.path() + "/empty.THG", "  [category]\r\n\r\n");
    scripted.ui.messages.clear();
    EXPECT_TRUE(view->files->LoadFile(root.path() + "/empty.THG"));
    EXPECT_TRUE(scripted.ui.messages.isEmpty());
    EXPECT_EQ(unit->gThings->Count(), 0);
}

// ファイル → 保存 offers the view's picture name in the map folder, not in
// whatever folder the program was started from.
TEST_F(WindowEventsTest, SaveOffersThePictureNameInTheMapFolder) {
    view->files->PngPath = [] { return gvView->PngPath(); };
    ASSERT_TRUE(QDir::isRelativePath(gvView->PngPath()));
    ASSERT_NE(QDir::currentPath(), maps);
    ScriptedFileDialogs dlg;
    view->files->mnuSave->trigger(); // cancelled
    ASSERT_EQ(dlg.requests.size(), 1);
    EXPECT_EQ(dlg.requests[0].fileName, maps + "/" + gvView->PngPath());
    EXPECT_EQ(dlg.requests[0].filterIndex, 1);
}

} // namespace
