// The main window driven by real events while a drawing runs: resizes, a
// close, and the arrow keys.
#include "AppFixture.h"
#include "app/MainView.h"
#include "app/frmMain.h"
#include "document/clsMapUnit.h"
#include "document/clsMapUnits.h"
#include "document/clsThings.h"
#include "render/clsMapPlot.h"
#include "support/ScriptedFileDialogs.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QScrollBar>

using namespace PublicVal;

namespace {

class WindowEventsTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        window = std::make_unique<frmMain>();
        ASSERT_EQ(gvInitialize(), 0);
        view = window->MainArea();
        ViewRedraw& r = view->redraw;
        r.mPlot = gvMapPlot;
        r.mUnits = gvMapUnits;
        r.mAccessory = gvAccessory;
        r.mView = gvView;
        r.mGraph = gvMapGraph;
        r.AutoCruise = [this] { ++drawings; };
        view->controls->mView = gvView;
        view->controls->YieldEvents = [] {};
        view->controls->SetScrollRange();
        window->resize(700, 500);
        window->show();
        Settle();
    }
    void TearDown() override {
        window.reset();
        AppFixture::TearDown();
    }
    // Runs the event loop until no resize waits any more.
    void Settle() {
        for (int i = 0; i < 10000 && (view->resizeTimer.isActive() || i < 3); ++i)
            QCoreApplication::processEvents(view->resizeTimer.isActive() ? QEventLoop::WaitForMoreEvents
                                                                      : QEventLoop::AllEvents);
    }
    void Key(int key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &press);
    }

    std::unique_ptr<frmMain> window;
    MainView* view = nullptr;
    int drawings = 0;
};

TEST_F(WindowEventsTest, ResizesAndMaximisingDuringDrawingsEndInOneViewOfTheLastSize) {
    view->resizeTimer.setInterval(0); // lets a resize reach the window inside a drawing
    int resizes = 0, cycles = 0;
    view->redraw.YieldEvents = [&] {
        if (resizes < 100) {
            ++resizes;
            window->resize(resizes % 2 ? QSize(1000, 800) : QSize(700, 500));
        } else if (cycles < 20) {
            ++cycles;
            if (cycles % 2) window->showMaximized();
            else window->showNormal();
        }
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    };
    for (int i = 0; i < 500 && (resizes < 100 || cycles < 20); ++i) {
        window->PlotWindow();
        Settle();
    }
    EXPECT_EQ(resizes, 100);
    EXPECT_EQ(cycles, 20);
    view->redraw.YieldEvents = [] {};
    Settle();
    EXPECT_FALSE(view->redraw.bPlotting);
    // The last size was applied: the picture fills the area left of the bar.
    EXPECT_EQ(view->picView->Image().width(), view->hsbView->width());
    EXPECT_EQ(view->picView->Image().height(), view->vsbView->height());
}

TEST_F(WindowEventsTest, AResizeDuringADrawingIsDrawnOnceAfterIt) {
    view->resizeTimer.setInterval(0);
    bool resized = false;
    view->redraw.YieldEvents = [&] {
        if (!resized) {
            resized = true;
            window->resize(760, 560); // within the offscreen screen
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
        }
    };
    drawings = 0;
    window->PlotWindow();
    EXPECT_TRUE(resized);
    EXPECT_EQ(drawings, 1);
    Settle();
    EXPECT_EQ(drawings, 2);
    EXPECT_EQ(view->picView->Image().width(), view->hsbView->width());
}

TEST_F(WindowEventsTest, TheLeastSizeHoldsWithoutTheWindowManager) {
    // A window manager that ignores the hint: the program still keeps
    // 6525 x 4500 twips, 435 x 300 pixels at 96 dpi, the width first.
    window->setMinimumSize(0, 0);
    window->resize(200, 150);
    Settle();
    EXPECT_EQ(window->size(), QSize(435, 300));
    window->resize(600, 100);
    Settle();
    EXPECT_EQ(window->size(), QSize(600, 300));
    // The icon and the view's own cursor.
    window->ApplyIconAndCursor();
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_EQ(view->picView->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(view->picView->cursor().hotSpot(), QPoint(16, 16));
    EXPECT_EQ(view->picView->cursor().pixmap().size(), QSize(32, 32));
}

TEST_F(WindowEventsTest, CloseDuringADrawingCancelsItAndClosesAfterwards) {
    scripted.ui.answers = {Mb::Yes};
    bool sent = false, acceptedInside = true;
    view->redraw.YieldEvents = [&] {
        if (sent) return;
        sent = true;
        QCloseEvent close;
        QCoreApplication::sendEvent(window.get(), &close);
        acceptedInside = close.isAccepted();
    };
    EXPECT_EQ(view->redraw.PlotWindow(), 1); // cancelled
    EXPECT_TRUE(sent);
    EXPECT_FALSE(acceptedInside);
    // Nothing was released or asked while the drawing was on the stack.
    EXPECT_TRUE(scripted.ui.messages.isEmpty());
    EXPECT_TRUE(gvInitialized());
    Settle();
    ASSERT_EQ(scripted.ui.messages.size(), 1);
    EXPECT_EQ(scripted.ui.messages[0].text, "Vosperal アプリケーションを終了しますか ?");
    EXPECT_FALSE(gvInitialized());
    EXPECT_TRUE(QFile::exists(prog + "/LAST.MLG"));
    EXPECT_FALSE(window->isVisible());
}

TEST_F(WindowEventsTest, CancelInTheRetryPromptFailsThatSaveOnly) {
    const auto things = gvMapUnits->Active()->gThings;
    things->SetModify(true);
    // The folder of the lists goes away: every save of them fails with a
    // missing folder, which offers a retry.
    ASSERT_TRUE(QDir().rename(maps, maps + "-gone"));
    ScriptedFileDialogs dlg;
    dlg.Choose(maps + "/saved.THG", 1);
    scripted.ui.answers = {Mb::Cancel};
    view->files->mnuSave_Click();
    ASSERT_EQ(scripted.ui.messages.size(), 1);
    EXPECT_TRUE(scripted.ui.messages[0].text.endsWith("再試行しますか？"));
    EXPECT_TRUE(things->Modify());
    EXPECT_TRUE(gvInitialized());

    // Quit: yes; save the list: yes; the retry prompt: cancel. The window stays.
    scripted.ui.answers = {Mb::Yes, Mb::Yes, Mb::Cancel};
    QCloseEvent close;
    QCoreApplication::sendEvent(window.get(), &close);
    EXPECT_FALSE(close.isAccepted());
    EXPECT_EQ(scripted.ui.messages.size(), 4);
    EXPECT_TRUE(things->Modify());
    EXPECT_TRUE(gvInitialized());
    EXPECT_FALSE(QFile::exists(prog + "/LAST.MLG"));
    EXPECT_TRUE(window->isVisible());
}

TEST_F(WindowEventsTest, PathsTakeOneFormAndTwoSpellingsAreOneUnit) {
    // "..\MAP" of the environment: absolute, with "/" only.
    EXPECT_EQ(gvMapFolder, root.path() + "/MAP");
    EXPECT_EQ(gvMapUnits->Base()->gFigures->FileName(), root.path() + "/MAP/BASE.MLL");
    auto again = std::make_shared<clsMapUnit>();
    again->SetUnitName(prog + "\\..\\map\\base.mll");
    ASSERT_TRUE(again->Load());
    EXPECT_EQ(again->gFigures->FileName(), root.path() + "/MAP/BASE.MLL");
    EXPECT_EQ(again->gThings->FileName(), root.path() + "/MAP/BASE.THG");
    EXPECT_FALSE(gvMapUnits->Add(again)); // the unit that is open already
    EXPECT_EQ(gvMapUnits->Count(), 1);
}

TEST_F(WindowEventsTest, ArrowKeysStepByTheLargeChange) {
    VbScrollBar& h = view->controls->hsbView;
    VbScrollBar& v = view->controls->vsbView;
    struct Row {
        const char* name;
        int key;
        int32_t lonFrom, latFrom, lon, lat;
    } rows[] = {
        {"east", Qt::Key_Right, 100, 0, 1700, 0},
        {"west", Qt::Key_Left, 100, 0, -1500, 0},
        {"east past 180 goes on in the west", Qt::Key_Right, 10000, 0, -10000, 0},
        {"west past 180 goes on in the east", Qt::Key_Left, -10000, 0, 10000, 0},
        {"east from the end of the bar", Qt::Key_Right, 10800, 0, -9200, 0},
        {"north", Qt::Key_Up, 0, 1000, 0, 1800},
        {"south", Qt::Key_Down, 0, 1000, 0, 200},
        {"north stops at the end", Qt::Key_Up, 0, 5000, 0, 5400},
        {"south stops at the end", Qt::Key_Down, 0, -5000, 0, -5400},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        h.SetValue(r.lonFrom);
        v.SetValue(r.latFrom);
        // Each drawing sets the steps from its field: fix them just before the key.
        h.SetLargeChange(1600);
        v.SetLargeChange(800);
        Key(r.key);
        EXPECT_EQ(h.Value(), r.lon);
        EXPECT_EQ(v.Value(), r.lat);
        // The bars' change events moved the engine's centre (seconds of arc).
        EXPECT_EQ(gvMapPlot->CenterX(), r.lon * 60);
        EXPECT_EQ(gvMapPlot->CenterY(), r.lat * 60);
    }
    // Not while a drawing runs.
    h.SetValue(0);
    view->redraw.bPlotting = true;
    Key(Qt::Key_Right);
    view->redraw.bPlotting = false;
    EXPECT_EQ(h.Value(), 0);
}

} // namespace
