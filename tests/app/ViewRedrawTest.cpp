// The redraw: its guard, the progress marks, the status panels, the caption
// and the canvas left for the accessory band.
#include "MainHarness.h"

#include "platform/VospError.h"

#include <gtest/gtest.h>

namespace {

TEST(ViewRedraw, MarksAndResultTexts) {
    EXPECT_EQ(ViewRedraw::ProgressMarks(3, 10), QStringLiteral("***ooooooo"));
    EXPECT_EQ(ViewRedraw::ProgressMarks(0, 10), QStringLiteral("oooooooooo"));
    EXPECT_EQ(ViewRedraw::ProgressMarks(10, 10), QStringLiteral("**********"));
    EXPECT_EQ(ViewRedraw::ResultMessage(0), QString());
    EXPECT_EQ(ViewRedraw::ResultMessage(1), QStringLiteral("地図描画は中断されました."));
    EXPECT_EQ(ViewRedraw::ResultMessage(2), QStringLiteral("地図描画でエラー発生."));
    EXPECT_EQ(ViewRedraw::ResultMessage(3), QStringLiteral("地図描画で原因不明のエラー発生."));
    EXPECT_EQ(ViewRedraw::ResultMessage(-1), QStringLiteral("地図描画で原因不明のエラー発生."));

    MainHarness h;
    h.redraw.oPlotEngine_Progress(3);
    EXPECT_EQ(h.Panel(1), QStringLiteral("地図描画中... ***ooooooo"));
}

TEST(ViewRedraw, CaptionMarksAndWidthBudget) {
    EXPECT_EQ(ViewRedraw::CaptionMark(true, true), QStringLiteral(", 更新"));
    EXPECT_EQ(ViewRedraw::CaptionMark(false, true), QStringLiteral(", 更新"));
    EXPECT_EQ(ViewRedraw::CaptionMark(true, false), QStringLiteral(", 変更禁止"));
    EXPECT_EQ(ViewRedraw::CaptionMark(false, false), QString());
    const QString path = QStringLiteral("/m/WORLD.MLL"); // 12 characters
    const QString mark = QStringLiteral(", 更新");
    // ((4970 - 2000) \ 9) \ 10 = 33 characters; 33 - 8 - 13 leaves the 12 of the path.
    EXPECT_EQ(ViewRedraw::CaptionText(QStringLiteral("Vosperal"), path, QStringLiteral("P"), mark, 4970, 9),
              QStringLiteral("Vosperal - /m/WORLD.MLL - [P, 更新]"));
    // One character fewer drops the folder.
    EXPECT_EQ(ViewRedraw::CaptionText(QStringLiteral("Vosperal"), path, QStringLiteral("P"), mark, 4960, 9),
              QStringLiteral("Vosperal - WORLD.MLL - [P, 更新]"));
    // A narrow window leaves no path at all.
    EXPECT_EQ(ViewRedraw::CaptionText(QStringLiteral("Vosperal"), path, QStringLiteral("P"), mark, 3000, 9),
              QStringLiteral("Vosperal -  - [P, 更新]"));
}

TEST(ViewRedraw, StatusPanels) {
    MainHarness h;
    clsMapPlot& p = *h.world.plot;
    p.SetMapScale(12345678);
    p.SetCenterX(-90);
    p.SetCenterY(7200);
    h.redraw.SetStatusScale();
    EXPECT_EQ(h.Panel(2), QStringLiteral("1/12,345,678"));
    h.redraw.SetStatusCenter();
    EXPECT_EQ(h.Panel(3), QStringLiteral("C:000ﾟ01'W, 02ﾟ00'N")); // whole minutes towards zero
    h.redraw.SetStatusPointer();
    EXPECT_EQ(h.Panel(4), QStringLiteral("P:********, ********"));
    h.redraw.bPointerOnMap = true;
    h.redraw.lPointerLon = 3723;
    h.redraw.lPointerLat = -45;
    // Detailed at one two-hundredth of the largest scale (1e9 / 200) and below.
    p.SetMapScale(5000000);
    h.redraw.SetStatusPointer();
    EXPECT_EQ(h.Panel(4), QStringLiteral("P:001ﾟ02'03\"E, 00ﾟ00'45\"S"));
    p.SetMapScale(5000001);
    h.redraw.SetStatusPointer();
    EXPECT_EQ(h.Panel(4), QStringLiteral("P:001ﾟ02'E, 00ﾟ00'N"));
}

TEST(ViewRedraw, NestedRedrawsAreRefusedAndEscCancels) {
    MainHarness h;
    QMenu* later = h.form.menuBar()->addMenu(QStringLiteral("ツール(&T)")); // not in the list
    int16_t nested = -1;
    bool lockedDuringYield = false;
    h.redraw.YieldEvents = [&] {
        if (nested != -1) return;
        lockedDuringYield = !h.hsb->isEnabled() && !h.sli->isEnabled() && !h.mnuFile->menuAction()->isEnabled() &&
                            !later->menuAction()->isEnabled();
        nested = h.redraw.PlotWindow();
    };
    EXPECT_EQ(h.redraw.PlotWindow(), 0);
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(h.redraws, 1); // the nested call drew nothing
    EXPECT_TRUE(lockedDuringYield);
    EXPECT_TRUE(h.Unlocked() && later->menuAction()->isEnabled());

    // A redraw asked for by the cruise's loading (before bPlotting is set).
    int16_t fromCruise = -1;
    h.redraw.YieldEvents = [] {};
    h.redraw.AutoCruise = [&] {
        ++h.redraws;
        fromCruise = h.redraw.PlotWindow();
    };
    EXPECT_EQ(h.redraw.PlotWindow(), 0);
    EXPECT_EQ(fromCruise, 1);
    EXPECT_EQ(h.redraws, 2);

    h.redraw.bHoldRedraw = true;
    EXPECT_EQ(h.redraw.PlotWindow(), 1);
    EXPECT_EQ(h.redraws, 2);

    // Esc stops a drawing and gives the controls back.
    h.redraw.bHoldRedraw = false;
    h.world.AddUnit(QStringLiteral("LAND"));
    EXPECT_FALSE(h.redraw.CancelPlot()); // nothing runs
    h.redraw.YieldEvents = [&] { h.redraw.CancelPlot(); };
    EXPECT_EQ(h.redraw.PlotWindow(), 1);
    EXPECT_EQ(h.Panel(1), QStringLiteral("地図描画は中断されました."));
    EXPECT_FALSE(h.redraw.bPlotting);
    EXPECT_TRUE(h.Unlocked());
    h.redraw.YieldEvents = [] {};
    EXPECT_EQ(h.redraw.PlotWindow(), 0);
}

TEST(ViewRedraw, AnErrorInTheDrawingLeavesTheWindowUsable) {
    MainHarness h;
    h.redraw.iSurveyMode = 7;
    h.redraw.YieldEvents = [] { throw VospError(57, QStringLiteral("x"), QStringLiteral("boom")); };
    try {
        h.redraw.PlotWindow();
        FAIL() << "no error";
    } catch (const VospError& e) {
        EXPECT_EQ(e.number, 57);
        EXPECT_TRUE(e.source.contains(QStringLiteral("frmMain.PlotWindow"))) << e.source.toStdString();
    }
    EXPECT_FALSE(h.redraw.bPlotting);
    EXPECT_TRUE(h.Unlocked());
    EXPECT_EQ(h.world.ui.ui.pointer, MousePtr::Default);
    EXPECT_EQ(h.redraw.iSurveyMode, 7); // nothing was drawn over the rubber
    h.redraw.YieldEvents = [] {};
    EXPECT_EQ(h.redraw.PlotWindow(), 0);
    EXPECT_EQ(h.redraw.iSurveyMode, 3);
}

TEST(ViewRedraw, CanvasLeavesRoomForTheAccessoryBand) {
    MainHarness h;
    clsAccessory acc;
    h.UseTitleBand(acc, true);
    int32_t band = 0;
    h.redraw.YieldEvents = [&] { band = acc.BackHeight(); };
    ASSERT_EQ(h.redraw.PlotWindow(), 0);
    ASSERT_GT(band, 0);
    EXPECT_EQ(acc.handle(), nullptr); // no context is kept past the drawing
    h.redraw.YieldEvents = [] {};
    EXPECT_EQ(h.world.plot->CanvasTop(), band);
    EXPECT_EQ(h.world.plot->CanvasHeight(), 300 - band);
    acc.SetPosition(1);
    ASSERT_EQ(h.redraw.PlotWindow(), 0);
    EXPECT_EQ(h.world.plot->CanvasTop(), 0);
    EXPECT_EQ(h.world.plot->CanvasHeight(), 300 - band);
    // Without accessories the band's side is still read but nothing is reserved.
    h.world.plot->SetAcsEi(false);
    acc.SetPosition(0);
    ASSERT_EQ(h.redraw.PlotWindow(), 0);
    EXPECT_EQ(h.world.plot->CanvasTop(), 0);
    EXPECT_EQ(h.world.plot->CanvasHeight(), 300);
}

} // namespace
