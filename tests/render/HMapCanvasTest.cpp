// Single points between map and canvas with the wrap-around retry.
#include "support/PlotWorld.h"

#include "render/HMapCanvas.h"

#include <gtest/gtest.h>

namespace {

TEST(HMapCanvasTest, PointBeyondTheDateLineConvertsInTheShiftedView) {
    PlotWorld w; // 400 x 300
    clsMapPlot& p = *w.plot;
    w.View(12, 630000, 0, 10); // 175 E
    int32_t px = 0, py = 0;
    // 178 W lies 7 degrees east of the centre across the date line.
    ASSERT_TRUE(HMap::MapToCanvasPoint(-640800, 0, px, py));
    EXPECT_EQ(px, 270);
    EXPECT_EQ(py, 150);
    EXPECT_FALSE(p.IsShifted());
    EXPECT_EQ(p.CenterX(), 630000);
    int32_t lon = 0, lat = 0;
    ASSERT_TRUE(HMap::CanvasToMapPoint(270, 150, lon, lat));
    EXPECT_NEAR(lon, -640800, 360);

    w.View(12, 0, 0, 10); // no wrap-around, no retry
    EXPECT_FALSE(HMap::MapToCanvasPoint(-640800, 0, px, py));
    EXPECT_FALSE(HMap::CanvasToMapPoint(400, 150, lon, lat)); // off the canvas

    // No engine, no point.
    RenderGlobals::SetMapPlot(nullptr);
    px = 5;
    EXPECT_FALSE(HMap::MapToCanvasNearest(0, 0, px, py));
    EXPECT_EQ(px, 0);
    EXPECT_FALSE(HMap::CanvasToMapPoint(0, 0, lon, lat));
    EXPECT_FALSE(HMap::MapToCanvasPoint(0, 0, px, py));
}

TEST(HMapCanvasTest, NearestOfTwoPictures) {
    PlotWorld w(800, 300);
    clsMapPlot& p = *w.plot;
    w.View(12, 324000, 0, 1); // 90 E, 1 pixel per degree: 800 degrees across
    ASSERT_TRUE(p.IsWrapAround());
    int32_t px = 0, py = 0;
    // 90 W is at pixel 220 and again at 580, equally far from 400.
    ASSERT_TRUE(HMap::MapToCanvasNearest(-324000, 0, px, py));
    EXPECT_EQ(px, 220);
    EXPECT_EQ(py, 150);
    // A wider picture puts its centre at 500: the shifted one is nearer.
    auto old = RenderGlobals::SetPictureSize([](int32_t& wd, int32_t& ht) {
        wd = 1000;
        ht = 300;
    });
    ASSERT_TRUE(HMap::MapToCanvasNearest(-324000, 0, px, py));
    EXPECT_EQ(px, 580);
    RenderGlobals::SetPictureSize(std::move(old));
    EXPECT_FALSE(p.IsShifted());
    EXPECT_EQ(p.CenterX(), 324000);
    // Seen once only.
    ASSERT_TRUE(HMap::MapToCanvasNearest(360000, 0, px, py));
    EXPECT_EQ(px, 410);
    // A shift the caller made stays.
    ASSERT_TRUE(p.ShiftOn());
    HMap::MapToCanvasNearest(-324000, 0, px, py);
    EXPECT_TRUE(p.IsShifted());
    EXPECT_EQ(p.CenterX(), 324000 - 1296000);
    ASSERT_TRUE(p.ShiftOff());
    // While a drawing runs the view cannot shift: the unshifted answer.
    ASSERT_TRUE(p.DrawStart());
    ASSERT_TRUE(HMap::MapToCanvasNearest(-324000, 0, px, py));
    EXPECT_EQ(px, 220);
    EXPECT_EQ(p.CenterX(), 324000);
    p.DrawEnd();
}

} // namespace
