// The view put together in a window: the File menu, the resize and the drop.
#include "app/MainView.h"
#include "app/frmMain.h"
#include "platform/Desktop.h"
#include "render/clsView.h"
#include "support/PlotWorld.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSlider>
#include <gtest/gtest.h>

namespace {

TEST(MainView, FileMenuInOrder) {
    PlotWorld world;
    QMainWindow form;
    QMenu* file = form.menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    MainView view(&form, file);
    QStringList texts;
    for (QAction* a : file->actions()) texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(texts, (QStringList{QStringLiteral("開く(&O)..."), QStringLiteral("地図を閉じる(&L)"),
                                  QStringLiteral("名前を付けて保存(&A)..."), QStringLiteral("アクティブ地図(&U)"),
                                  QStringLiteral("クルーズ設定(&T)..."), QStringLiteral("クルーズ実行(&W)"),
                                  QStringLiteral("-"), QStringLiteral("地図画像コピー(&C)"), QStringLiteral("-"),
                                  QStringLiteral("画像サイズ(&Z)..."), QStringLiteral("地図情報(&I)..."),
                                  QStringLiteral("-"), QStringLiteral("Vosperalの終了(&X)"), QStringLiteral("-"),
                                  QStringLiteral("(&1) LAST.LOG"), QStringLiteral("(&2) CLIP.LOG"),
                                  QStringLiteral("(&3) PRINT.LOG"), QStringLiteral("(&4)")}));
    EXPECT_EQ(view.files->mnuOpen->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(view.files->mnuMapCopy->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_FALSE(view.files->mnuMapInfo->isEnabled());
    EXPECT_EQ(view.sliScale->minimum(), 1);
    EXPECT_EQ(view.sliScale->maximum(), 53);
}

TEST(MainView, ResizeLaysOutAndRedraws) {
    PlotWorld world;
    QMainWindow form;
    MainView view(&form, form.menuBar()->addMenu(QStringLiteral("ファイル(&F)")));
    view.redraw.mPlot = world.plot.get();
    view.redraw.mUnits = &world.units;
    view.redraw.YieldEvents = [] {};
    view.controls->YieldEvents = [] {};
    view.controls->SetScrollRange();
    int redraws = 0;
    view.redraw.AutoCruise = [&] { ++redraws; };
    view.resizeTimer.setInterval(0); // applied once settled: at once here
    auto settle = [&] { while (view.resizeTimer.isActive()) QCoreApplication::processEvents(); };
    form.resize(800, 600);
    form.show();
    settle();
    EXPECT_GE(redraws, 1);
    EXPECT_EQ(view.picView->Image().width(), view.hsbView->width());
    EXPECT_EQ(view.vsbView->x() + view.vsbView->width(), view.inner->width());
    EXPECT_EQ(view.redraw.StatusText(1), QStringLiteral("地図ファイルを開きましょう."));
    // Not while a drawing runs.
    view.redraw.bPlotting = true;
    const int before = redraws;
    form.resize(900, 650);
    settle();
    EXPECT_EQ(redraws, before);
    view.redraw.bPlotting = false;
}

TEST(MainView, LargestPictureLeavesRoomForTheWindowAroundIt) {
    PlotWorld world; // settings store and scripted messages of its own
    frmMain window;
    window.resize(500, 400);
    window.show();
    QCoreApplication::processEvents();
    clsView view(&window);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect frame = window.frameGeometry();
    // The picture may take the screen less what the window needs besides it.
    EXPECT_EQ(view.MaxWidth(), screen.width() - (frame.width() - window.MainArea()->hsbView->width()));
    EXPECT_EQ(view.MaxHeight(), screen.height() - (frame.height() - window.MainArea()->vsbView->height()));
}

} // namespace
