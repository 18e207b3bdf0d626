// The main window driven by real events while a drawing runs.
#include "AppFixture.h"
#include "document/clsThings.h"
#include "render/clsMapPlot.h"
#include "render/clsView.h"
#include "support/ScriptedFileDialogs.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <random>

using namespace PublicVal;

namespace {

struct WindowEventsTest : WindowFixture {
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
