// View state, settings and transforms of the plot engine.
#include "support/PlotWorld.h"
#include "TestCanvas.h"

#include "core/clsRegistry.h"
#include "platform/Cp932Codec.h"
#include "render/clsGrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>

namespace {

// The engine on the default 400 x 300 canvas.
struct MapPlotState : ::testing::Test {
    PlotWorld w;
    clsMapPlot& p = *w.plot;
    // The canvas point of a map point the engine can convert.
    CanvasPoint ToCanvas(int32_t lon, int32_t lat) {
        int32_t x = 0, y = 0;
        EXPECT_TRUE(p.MapToCanvas(lon, lat, x, y)) << lon << "," << lat;
        return {x, y};
    }
};
struct MapPlotGrid : MapPlotState {};

struct Let {
    void (clsMapPlot::*let)(int32_t);
    int32_t (clsMapPlot::*get)() const;
    int32_t in, out;
};

TEST(MapPlotStateTest, LetsAndClamps) {
    PlotWorld w;
    clsMapPlot& p = *w.plot;
    const Let cases[] = {
        {&clsMapPlot::SetCanvasWidth, &clsMapPlot::CanvasWidth, 10, 32},
        {&clsMapPlot::SetCanvasWidth, &clsMapPlot::CanvasWidth, 40000, 32767},
        {&clsMapPlot::SetCanvasHeight, &clsMapPlot::CanvasHeight, -5, 32},
        {&clsMapPlot::SetCanvasHeight, &clsMapPlot::CanvasHeight, 32768, 32767},
        {&clsMapPlot::Setdpix, &clsMapPlot::dpix, 20, 48},
        {&clsMapPlot::Setdpix, &clsMapPlot::dpix, 2000, 1440},
        {&clsMapPlot::Setdpiy, &clsMapPlot::dpiy, 47, 48},
        {&clsMapPlot::Setdpiy, &clsMapPlot::dpiy, 1441, 1440},
        {&clsMapPlot::SetCenterX, &clsMapPlot::CenterX, 648000, 648000},
        {&clsMapPlot::SetCenterX, &clsMapPlot::CenterX, 648001, -648000},
        {&clsMapPlot::SetCenterX, &clsMapPlot::CenterX, 700000, -596001},
        {&clsMapPlot::SetCenterX, &clsMapPlot::CenterX, -648001, 648000},
        {&clsMapPlot::SetCenterX, &clsMapPlot::CenterX, 1944003, -647999},
        {&clsMapPlot::SetCenterY, &clsMapPlot::CenterY, 324001, 324000},
        {&clsMapPlot::SetCenterY, &clsMapPlot::CenterY, -2147483647, -324000},
        {&clsMapPlot::SetPtnRatio, &clsMapPlot::PtnRatio, 10, 10},
        {&clsMapPlot::SetPtnRatio, &clsMapPlot::PtnRatio, 1000, 1000},
    };
    for (const Let& c : cases) {
        (p.*c.let)(c.in);
        EXPECT_EQ((p.*c.get)(), c.out) << c.in;
    }
    p.SetPtnRatio(9);
    p.SetPtnRatio(1001);
    EXPECT_EQ(p.PtnRatio(), 1000);

    // Moving the canvas keeps its size.
    p.SetCanvasWidth(300);
    p.SetCanvasLeft(50);
    EXPECT_EQ(p.CanvasWidth(), 300);
    EXPECT_EQ(p.CanvasLeft(), 50);

    p.SetProjectionAuto(false);
    p.SetCenterY(0);
    p.SetProjectionIndex(13);
    for (int16_t bad : {int16_t(18), int16_t(22), int16_t(27), int16_t(28), int16_t(29), int16_t(0), int16_t(31)}) {
        p.SetProjectionIndex(bad);
        EXPECT_EQ(p.ProjectionIndex(), 13) << bad;
    }
    const double scale = p.MapScale();
    p.SetMapScale(0);
    p.SetMapScale(MapProjection::ScaleMax * 2);
    EXPECT_EQ(p.MapScale(), scale);
    p.SetLight(1.0);
    p.SetLight(201.5);
    EXPECT_EQ(p.Light(), 2.0);
    p.SetLight(201);
    EXPECT_EQ(p.Light(), 201);
}

// While a drawing runs every Let but the pattern ratio is ignored, outside
// callers cannot shift, and the Gets keep the values it started with.
TEST(MapPlotStateTest, ADrawingFreezesTheView) {
    PlotWorld w;
    clsMapPlot& p = *w.plot;
    w.View(13, 612000, 2000, 10);
    ASSERT_TRUE(p.DrawStart());
    EXPECT_TRUE(p.IsDrawing());
    EXPECT_FALSE(p.DrawStart()); // a second drawing does not start
    const clsRect start = p.Field();
    ASSERT_TRUE(p.IsWrapAround());
    const double scale = p.MapScale();
    // Each Let tried with a value it would take; `out` is the value kept.
    const Let frozen[] = {
        {&clsMapPlot::SetCanvasLeft, &clsMapPlot::CanvasLeft, 5, 0},
        {&clsMapPlot::SetCanvasTop, &clsMapPlot::CanvasTop, 5, 0},
        {&clsMapPlot::SetCanvasWidth, &clsMapPlot::CanvasWidth, 100, 400},
        {&clsMapPlot::SetCanvasHeight, &clsMapPlot::CanvasHeight, 100, 300},
        {&clsMapPlot::Setdpix, &clsMapPlot::dpix, 300, 96},
        {&clsMapPlot::Setdpiy, &clsMapPlot::dpiy, 300, 96},
        {&clsMapPlot::SetCenterX, &clsMapPlot::CenterX, 5000, 612000},
        {&clsMapPlot::SetCenterY, &clsMapPlot::CenterY, 6000, 2000},
    };
    for (const Let& c : frozen) {
        (p.*c.let)(c.in);
        EXPECT_EQ((p.*c.get)(), c.out) << c.in;
    }
    EXPECT_FALSE(p.ShiftOn());
    EXPECT_FALSE(p.ShiftOff());
    p.SetHdc(nullptr);
    p.SetProjectionIndex(12);
    p.SetProjectionAuto(true); // would choose another projection if worked out again
    p.SetMapScale(scale * 2);
    p.SetLight(3);
    p.SetPtnRatio(200); // not frozen
    EXPECT_NE(p.hdc(), nullptr);
    EXPECT_EQ(p.ProjectionIndex(), 13);
    EXPECT_EQ(p.MapScale(), scale);
    EXPECT_EQ(p.Light(), 2.0);
    EXPECT_EQ(p.PtnRatio(), 200);
    EXPECT_EQ(p.Field(), start);
    p.DrawEnd();
    EXPECT_FALSE(p.IsDrawing());
    EXPECT_EQ(p.ProjectionIndex(), 12);
    p.SetCenterX(5000);
    EXPECT_EQ(p.CenterX(), 5000);
}

TEST_F(MapPlotState, AutomaticProjectionByLatitudeAndScale) {
    p.SetProjectionAuto(true);
    p.SetMapScale(MapProjection::ScaleMax / 100);
    const struct {
        int32_t lat;
        int16_t index;
    } table[] = {{288000, 6}, {-288000, 6}, {270000, 6}, {269999, 23}, {108000, 23},
                 {54001, 23}, {54000, 12},  {36000, 12}, {-36000, 12}, {0, 12}};
    for (const auto& row : table) {
        p.SetCenterY(row.lat);
        EXPECT_EQ(p.ProjectionIndex(), row.index) << row.lat;
    }
    // From the small-scale threshold (largest scale / 5) on, below 75 degrees.
    p.SetMapScale(MapProjection::ScaleMax / 5);
    p.SetCenterY(108000);
    EXPECT_EQ(p.ProjectionIndex(), 19);
    p.SetCenterY(0);
    EXPECT_EQ(p.ProjectionIndex(), 19);
    p.SetCenterY(270000);
    EXPECT_EQ(p.ProjectionIndex(), 6);
    p.SetMapScale(MapProjection::ScaleMax / 5 * 0.999);
    p.SetCenterY(108000);
    EXPECT_EQ(p.ProjectionIndex(), 23);
    EXPECT_TRUE(w.ui.ui.messages.isEmpty());
}

// Each switch's setter sets the field of that name in the options value:
// flipping one through the engine changes that field and no other.
TEST_F(MapPlotState, EachSwitchIsItsFieldOfTheOptions) {
    struct Row {
        const char* name;
        std::function<void(clsMapPlot&)> flip;
        std::function<bool(const PlotOptions&)> flipped;
    };
    const Row rows[] = {
        {"mProjectionAuto", [](clsMapPlot& q) { q.SetProjectionAuto(false); },
         [](const PlotOptions& o) { return !o.mProjectionAuto; }},
        {"mGridEi", [](clsMapPlot& q) { q.SetGridEi(false); }, [](const PlotOptions& o) { return !o.mGridEi; }},
        {"mGridAuto", [](clsMapPlot& q) { q.SetGridAuto(false); }, [](const PlotOptions& o) { return !o.mGridAuto; }},
        {"mGridOcean", [](clsMapPlot& q) { q.SetGridOcean(true); }, [](const PlotOptions& o) { return o.mGridOcean; }},
        {"mGridString", [](clsMapPlot& q) { q.SetGridString(false); },
         [](const PlotOptions& o) { return !o.mGridString; }},
        {"mAcsEi", [](clsMapPlot& q) { q.SetAcsEi(true); }, [](const PlotOptions& o) { return o.mAcsEi; }},
        {"mEdgeEi", [](clsMapPlot& q) { q.SetEdgeEi(false); }, [](const PlotOptions& o) { return !o.mEdgeEi; }},
        {"mTextSlant", [](clsMapPlot& q) { q.SetTextSlant(true); }, [](const PlotOptions& o) { return o.mTextSlant; }},
        {"mAzimuthLine", [](clsMapPlot& q) { q.SetAzimuthLine(QStringLiteral("45")); },
         [](const PlotOptions& o) { return o.mAzimuthLine == QLatin1String("45"); }},
        {"mFigDisp", [](clsMapPlot& q) { q.SetFigDisp(5); }, [](const PlotOptions& o) { return o.mFigDisp == 5; }},
        {"mDetailEi", [](clsMapPlot& q) { q.SetDetailEi(true); }, [](const PlotOptions& o) { return o.mDetailEi; }},
        {"mFigPick", [](clsMapPlot& q) { q.SetFigPick(6); }, [](const PlotOptions& o) { return o.mFigPick == 6; }},
        {"mFigNativeEi", [](clsMapPlot& q) { q.SetFigNativeEi(false); },
         [](const PlotOptions& o) { return !o.mFigNativeEi; }},
        {"mFigShowModeEi", [](clsMapPlot& q) { q.SetFigShowModeEi(false); },
         [](const PlotOptions& o) { return !o.mFigShowModeEi; }},
        {"mThgShowModeEi", [](clsMapPlot& q) { q.SetThgShowModeEi(false); },
         [](const PlotOptions& o) { return !o.mThgShowModeEi; }},
        {"mAdmShowModeEi", [](clsMapPlot& q) { q.SetAdmShowModeEi(false); },
         [](const PlotOptions& o) { return !o.mAdmShowModeEi; }},
    };
    const PlotOptions before = p.Options();
    for (const Row& r : rows) EXPECT_FALSE(r.flipped(before)) << r.name;
    for (const Row& r : rows) {
        clsMapPlot q; // with the switches as they start
        r.flip(q);
        for (const Row& other : rows)
            EXPECT_EQ(other.flipped(q.Options()), &other == &r) << r.name << " flipped " << other.name;
    }
    // A copy stands apart from later changes.
    const PlotOptions copy = p.Options();
    p.SetGridEi(false);
    EXPECT_TRUE(copy.mGridEi);
}

TEST(MapPlotStateTest, UnknownProjectionNameFallsBackToTheRowDefault) {
    ScopedEnvironment env(Cp932Encode(QStringLiteral("PrjName13=試験図法\r\nPlotMiddlePrjVosp=No such projection\r\n"
                                                     "PlotLowPrjVosp=試験図法\r\nPlotLowLat=0\r\n")));
    PlotWorld w;
    clsMapPlot& p = *w.plot;
    EXPECT_EQ(p.AutoMiddlePrj(), 23);
    EXPECT_EQ(p.AutoLowPrj(), 13);
    EXPECT_EQ(p.AutoHighPrj(), 6);
    EXPECT_EQ(p.AutoSmallPrj(), 19);
    p.SetMapScale(MapProjection::ScaleMax / 100);
    p.SetCenterY(36000); // above a low-latitude limit of 0
    EXPECT_EQ(p.ProjectionIndex(), 23);
    p.SetCenterY(0);
    EXPECT_EQ(p.ProjectionIndex(), 13);
}

TEST_F(MapPlotState, UnusableProjectionIsReplacedWithAMessage) {
    p.SetProjectionAuto(false);
    p.SetMapScale(MapProjection::ScaleMax / 100);
    p.SetProjectionIndex(23); // a conic projection has no cone at the equator
    p.SetCenterY(0);
    EXPECT_EQ(p.ProjectionIndex(), 12);
    ASSERT_EQ(w.ui.ui.messages.size(), 1);
    EXPECT_EQ(w.ui.ui.messages[0].text,
              QStringLiteral("現在の緯度設定ではこの投影法を使用できないため\r\n最適な投影法に変更します"));
    EXPECT_EQ(w.ui.ui.messages[0].style, int(Mb::Exclamation) | int(Mb::OkOnly));
}

TEST(MapPlotStateTest, TransformsRoundTripWithinOnePixel) {
    PlotWorld w(640, 480);
    clsMapPlot& p = *w.plot;
    p.SetProjectionAuto(false);
    const struct {
        int16_t index;
        int32_t lon, lat;
        double scale;
    } views[] = {{12, 500000, 130000, 3e7}, {23, 500000, 130000, 3e7}, {6, 0, 300000, 5e7},
                 {19, 0, 0, 1e8},     {2, 100000, 200000, 2e7},   {30, 0, 0, 1e8}};
    for (const auto& v : views) {
        p.SetProjectionIndex(v.index);
        p.SetCenterX(v.lon);
        p.SetCenterY(v.lat);
        p.SetMapScale(v.scale);
        ASSERT_EQ(p.ProjectionIndex(), v.index);
        int checked = 0;
        for (int32_t cx = 20; cx < 640; cx += 77) {
            for (int32_t cy = 15; cy < 480; cy += 61) {
                int32_t lon = 0, lat = 0, bx = 0, by = 0;
                if (!p.CanvasToMap(cx, cy, lon, lat)) continue;
                ASSERT_TRUE(p.MapToCanvas(lon, lat, bx, by));
                EXPECT_LE(std::abs(bx - cx), 1) << v.index << " " << cx << "," << cy << " " << lon << "," << lat;
                EXPECT_LE(std::abs(by - cy), 1) << v.index << " " << cx << "," << cy;
                ++checked;
            }
        }
        EXPECT_GT(checked, 20) << v.index;
    }
    int32_t x = 5, y = 5;
    EXPECT_FALSE(p.CanvasToMap(640, 10, x, y));
    EXPECT_EQ(x, 0);
    EXPECT_FALSE(p.CanvasToMap(-1, 10, x, y));
}

// Points go into a line every 16 mm of the canvas (15360 \ 254 = 60 pixels
// at 96 dpi), a quarter less for each halving of the scale below 1:1e7 (a
// hundredth of the largest), at 30.887 m per second of arc; never closer
// than 300 seconds.
TEST(MapPlotStateTest, PointsGoIntoLinesAtLeast300SecondsApart) {
    MapProjection::InitGlobeRadius(MapProjection::DefaultGlobeRadius);
    const struct {
        double scale;
        int32_t sec;
    } rows[] = {
        {5e6, 2570},  // 60 pixels: 1587.5 m x 5e6 / 1e6 / 30.887
        {1e7, 3940},  // 45 pixels and a half: 46
        {2e7, 5825},  // 33.75 -> 34 pixels
        {1e8, 16275}, // 18.98 -> 19 pixels
        {1e5, 300},   // 60 pixels are 51 seconds
    };
    MapViewport v;
    for (const auto& r : rows) {
        v.scale = r.scale;
        v.CalcRatios();
        EXPECT_EQ(v.ChopSpacing(16), r.sec) << r.scale;
    }
}

TEST_F(MapPlotState, PixelsRoundHalvesToEven) {
    w.View(12, 0, 0, 1800);
    // Half a pixel per second of arc: find a scale where that holds exactly.
    const double x1 = MapProjection::GlobeRadius * 4.848136811095355e-6;
    double scale = p.MapScale();
    for (int i = 0; i < 64 && 96 * 1000.0 / 25.4 / scale * x1 != 0.5; ++i)
        scale = std::nextafter(scale, 96 * 1000.0 / 25.4 / scale * x1 > 0.5 ? 1e300 : 0.0);
    ASSERT_EQ(96 * 1000.0 / 25.4 / scale * x1, 0.5);
    p.SetMapScale(scale);
    ASSERT_EQ(p.ProjectionIndex(), 12);
    EXPECT_EQ(p.RatioX(), 96 * 1000.0 / 25.4 / scale);
    EXPECT_EQ(ToCanvas(1, 0), (CanvasPoint{200, 150}));  // 200.5 -> 200
    EXPECT_EQ(ToCanvas(-1, 0), (CanvasPoint{200, 150})); // 199.5 -> 200
    EXPECT_EQ(ToCanvas(0, 1), (CanvasPoint{200, 150}));  // 149.5 -> 150
    EXPECT_EQ(ToCanvas(4, -4), (CanvasPoint{202, 152}));
}

TEST_F(MapPlotState, FieldAndWrapAround) {
    w.View(12, 0, 0, 10);
    clsRect f = p.Field();
    // 200 pixels either side are 20 degrees, plus an eighth.
    EXPECT_NEAR(f.mLeft, -81000, 400);
    EXPECT_NEAR(f.mRight, 81000, 400);
    EXPECT_EQ(f.mLeft, -f.mRight);
    EXPECT_FALSE(p.IsWrapAround());

    p.SetCenterX(612000); // 170 degrees east: the field passes 180 on the east
    f = p.Field();
    EXPECT_GT(f.mRight, 648000);
    EXPECT_GT(f.mLeft, -648000);
    EXPECT_TRUE(p.IsWrapAround());
    EXPECT_EQ(p.ShiftAmount(), -1296000);

    p.SetCenterX(-612000);
    clsRect moved = p.Field();
    moved.Move(1296000, 0);
    EXPECT_TRUE(p.IsWrapAround());
    EXPECT_EQ(p.ShiftAmount(), 1296000);

    EXPECT_FALSE(p.ShiftOff()); // nothing to undo
    ASSERT_TRUE(p.ShiftOn());
    EXPECT_FALSE(p.ShiftOn()); // twice shifts once
    EXPECT_EQ(p.CenterX(), -612000 + 1296000);
    EXPECT_EQ(p.Field(), moved);
    EXPECT_TRUE(p.ShiftOff());
    EXPECT_FALSE(p.ShiftOff());
    EXPECT_EQ(p.CenterX(), -612000);
    // A drawing that starts while a caller left the view shifted starts from the real centre.
    ASSERT_TRUE(p.ShiftOn());
    ASSERT_TRUE(p.DrawStart());
    EXPECT_EQ(p.CenterX(), -612000);
    EXPECT_FALSE(p.IsShifted());
    p.DrawEnd();
    ASSERT_TRUE(p.ShiftOn());
    p.SetCenterX(-600000);
    EXPECT_FALSE(p.ShiftOff());
    EXPECT_EQ(p.CenterX(), -600000);

    // Zoomed out: the field reaches past 180 degrees on the side away from
    // the centre only; centred on 0 it stays symmetric.
    p.SetMapScale(MapProjection::ScaleMax / 10);
    EXPECT_LT(p.Field().mLeft, -648000);
    EXPECT_LT(p.Field().mRight, 648000);
    EXPECT_TRUE(p.IsWrapAround());
    p.SetCenterX(0);
    f = p.Field();
    EXPECT_EQ(f.mLeft, -f.mRight);
    EXPECT_FALSE(p.IsWrapAround());
}

// Lines and points convert within the field only. The view is a value: a
// copy converts as the engine does, and a change to the copy (a preview)
// leaves the engine's view as it was.
TEST_F(MapPlotState, ConversionsWithinTheFieldAndViewportCopies) {
    w.View(12, 0, 0, 10); // 10 pixels per degree about the centre pixel (200, 150)
    const clsRect f = p.Field();
    clsPoly outside;
    outside.SetLine(f.mRight + 10, 0, f.mRight + 5000, 100);
    EXPECT_EQ(p.PolyMapToCanvas(outside), nullptr);
    clsPoly single; // one point: nothing to draw
    single.AddXY(0, 0);
    EXPECT_EQ(p.PolyMapToCanvas(single), nullptr);
    clsPoly inside;
    inside.SetLine(-36000, 0, 36000, 0); // 10 degrees either side: 100 pixels
    const auto pix = p.PolyMapToCanvas(inside);
    ASSERT_NE(pix, nullptr);
    ASSERT_GE(pix->Count(), 2);
    EXPECT_EQ(pix->GetPoint(1), (PolyPoint{100, 150}));
    EXPECT_EQ(pix->GetPoint(pix->Count()), (PolyPoint{300, 150}));
    int32_t cx = 7, cy = 7;
    EXPECT_FALSE(p.PointMapToCanvas(f.mRight + 1, 0, cx, cy));
    EXPECT_EQ(cx, 0);
    EXPECT_TRUE(p.PointMapToCanvas(0, 0, cx, cy));
    EXPECT_EQ((CanvasPoint{cx, cy}), (CanvasPoint{200, 150}));

    MapViewport v = p.Viewport();
    CanvasPoint c;
    ASSERT_TRUE(v.MapToCanvas({36000, 18000}, c)); // 10 E, 5 N
    EXPECT_EQ(c, (CanvasPoint{300, 100}));
    v.centerPixX = 0;
    ASSERT_TRUE(v.MapToCanvas({36000, 18000}, c));
    EXPECT_EQ(c, (CanvasPoint{100, 100}));
    EXPECT_EQ(ToCanvas(36000, 18000), (CanvasPoint{300, 100}));
}

TEST_F(MapPlotState, CanvasToMapBoundNormalises) {
    w.View(12, 612000, 0, 10); // 170 degrees east
    int32_t lon = 0, lat = 0;
    // 15 degrees east of the centre is 175 degrees west.
    ASSERT_TRUE(p.CanvasToMapBound(350, 100, lon, lat));
    EXPECT_NEAR(lon, 666000 - 1296000, 360);
    EXPECT_NEAR(lat, 18000, 360);
    // Zoomed out, the top rows lie beyond the pole: no map point there.
    p.SetMapScale(PlotWorld::ScaleForPpd(1));
    p.Field();
    EXPECT_FALSE(p.CanvasToMapBound(200, 0, lon, lat));
    EXPECT_TRUE(p.CanvasToMapBound(200, 60, lon, lat));
    EXPECT_NEAR(lat, 324000, 3600);
}

TEST_F(MapPlotState, SettingsSectionRoundTrip) {
    EXPECT_EQ(p.CenterY(), 185318); // first run
    EXPECT_TRUE(p.Grid().bVertical && p.Grid().bHorizontal && p.Grid().bZone);
    p.SetProjectionIndex(19);
    p.SetProjectionAuto(false);
    p.SetCenterX(-100);
    p.SetCenterY(200);
    p.SetMapScale(1234567);
    p.SetLight(3.5);
    p.Setdpix(120);
    p.Setdpiy(144);
    p.SetGridOcean(true);
    p.SetFigDisp(5);
    p.SetAzimuthLine(QStringLiteral("0,90"));
    p.SetAdmShowModeEi(false);
    p.SetPtnRatio(150);
    p.Grid().SetWidth(3600);
    p.Grid().SetHeight(900);
    p.Grid().bHorizontal = false;
    p.Grid().SetNorthLimit(300000);
    p.Grid().SetSouthLimit(-100000);
    clsRegistry reg;
    reg.mSection = QStringLiteral("LLPLOT");
    {
        clsMapPlot other;
        other.SetCenterX(4321);
    }
    EXPECT_TRUE(reg.RegGetSec().isEmpty()); // written only when asked
    p.WriteRegistry();
    EXPECT_EQ(reg.RegGet(QStringLiteral("Scale"), QString()), QStringLiteral("1234567"));
    EXPECT_EQ(reg.RegGet(QStringLiteral("ProjectionAuto"), QString()), QStringLiteral("False"));
    reg.mSection = QStringLiteral("LLGRID");
    EXPECT_EQ(reg.RegGet(QStringLiteral("Width"), QString()), QStringLiteral("3600"));
    EXPECT_EQ(reg.RegGet(QStringLiteral("Horizontal"), QString()), QStringLiteral("False"));

    clsMapPlot q; // reads the section at creation
    EXPECT_FALSE(q.Options().mProjectionAuto);
    EXPECT_EQ(q.ProjectionIndex(), 19);
    EXPECT_EQ(q.CenterX(), -100);
    EXPECT_EQ(q.CenterY(), 200);
    EXPECT_EQ(q.MapScale(), 1234567);
    EXPECT_EQ(q.Light(), 3.5);
    EXPECT_EQ(q.dpix(), 120);
    EXPECT_EQ(q.dpiy(), 144);
    EXPECT_TRUE(q.Options().mGridOcean);
    EXPECT_EQ(q.Options().mFigDisp, 5);
    EXPECT_EQ(q.Options().mAzimuthLine, QStringLiteral("0,90"));
    EXPECT_FALSE(q.Options().mAdmShowModeEi);
    EXPECT_EQ(q.PtnRatio(), 150);
    EXPECT_EQ(q.Grid().Width(), 3600);
    EXPECT_EQ(q.Grid().Height(), 900);
    EXPECT_TRUE(q.Grid().bVertical);
    EXPECT_FALSE(q.Grid().bHorizontal);
    EXPECT_EQ(q.Grid().NorthLimit(), 300000);
    EXPECT_EQ(q.Grid().SouthLimit(), -100000);

    // Stored values go through the Lets.
    reg.mSection = QStringLiteral("LLPLOT");
    reg.RegPut(QStringLiteral("CenterX"), QStringLiteral("700000"));
    reg.RegPut(QStringLiteral("DpiX"), QStringLiteral("9"));
    reg.RegPut(QStringLiteral("ProjectionIndex"), QStringLiteral("18"));
    reg.RegPut(QStringLiteral("Light"), QStringLiteral("far"));
    reg.mSection = QStringLiteral("LLGRID");
    reg.RegPut(QStringLiteral("Width"), QStringLiteral("wide"));
    reg.RegPut(QStringLiteral("NorthLimit"), QStringLiteral("999999"));
    clsMapPlot r;
    EXPECT_EQ(r.Grid().Width(), 54000);
    EXPECT_EQ(r.Grid().NorthLimit(), 323970);
    EXPECT_EQ(r.CenterX(), -596001);
    EXPECT_EQ(r.dpix(), 48);
    EXPECT_EQ(r.Light(), 2.0);
    r.SetProjectionAuto(false);
    EXPECT_EQ(r.ProjectionIndex(), 12);
}

TEST_F(MapPlotGrid, GraticuleLadder) {
    p.SetProjectionAuto(false);
    p.SetCenterX(0);
    // The widest spacing is 50 mm: 50 x 96 x 10 \ 254 = 188 pixels, that is
    // 188 x 3600 / (pixels per degree) seconds of arc.
    const struct {
        int16_t index;
        int32_t lat;
        double ppd;
        int32_t h, v;
    } rows[] = {
        {12, 0, 2000, 300, 300},       // 338.4
        {12, 0, 1000, 600, 600},       // 676.8
        {12, 0, 100, 5400, 5400},      // 6768
        {12, 0, 10, 54000, 54000},     // 67680
        {12, 0, 1, 216000, 216000},    // 676800: the top of the ladder
        {23, 216000, 10, 72000, 54000}, // longitudes: 67680 / cos(59.94 degrees) = 135115 >= 72000 x 7 / 4
        {23, 72000, 10, 54000, 54000},  // 67680 / cos(19.98 degrees) = 72019 < 54000 x 7 / 4
        {23, 194400, 10, 54000, 54000}, // 67680 / cos(53.95 degrees) = 114993 < 72000 x 7 / 4 = 126000
    };
    for (const auto& r : rows) {
        p.SetProjectionIndex(r.index);
        p.SetCenterY(r.lat);
        p.SetMapScale(PlotWorld::ScaleForPpd(r.ppd));
        p.Field();
        p.CalcGridPitch();
        EXPECT_EQ(p.Grid().Width(), r.h) << r.index << " " << r.ppd;
        EXPECT_EQ(p.Grid().Height(), r.v) << r.index << " " << r.ppd;
    }
    p.SetGridAuto(false); // the user's intervals stay
    p.Grid().SetWidth(1234);
    p.CalcGridPitch();
    EXPECT_EQ(p.Grid().Width(), 1234);
}

TEST(MapPlotGridTest, SmallestSpacingStaysAtOneMinute) {
    ScopedEnvironment env("PlotGridPitch=1\r\n");
    PlotWorld w(400, 300);
    clsMapPlot& p = *w.plot;
    w.View(12, 0, 0, 10);
    p.SetMapScale(MapProjection::ScaleMin); // 3 pixels are a few seconds of arc
    p.Field();
    p.CalcGridPitch();
    EXPECT_EQ(p.Grid().Width(), 60);
    EXPECT_EQ(p.Grid().Height(), 60);
}

TEST_F(MapPlotGrid, GraticuleRangeFromTheField) {
    w.View(12, 0, 0, 10);
    const clsRect f = p.Field();
    p.CalcGridRange();
    EXPECT_EQ(p.Grid().NorthLimit(), 323970);
    EXPECT_EQ(p.Grid().SouthLimit(), -323970);
    EXPECT_EQ(p.Grid().West(), f.mLeft);
    EXPECT_EQ(p.Grid().East(), f.mRight);
    EXPECT_EQ(p.Grid().South(), f.mTop);
    EXPECT_EQ(p.Grid().North(), f.mBottom);
    // Projections with a curved outline keep the lines half an inch off the pole:
    // 48 pixels at 10 pixels per degree are 17280 seconds.
    p.SetProjectionIndex(23);
    p.SetCenterY(216000);
    p.Field();
    p.CalcGridRange();
    EXPECT_EQ(p.Grid().NorthLimit(), 324000 - 17280);
    EXPECT_EQ(p.Grid().SouthLimit(), -(324000 - 17280));
    p.SetGridAuto(false);
    p.Grid().SetNorthLimit(100000);
    p.CalcGridRange();
    EXPECT_EQ(p.Grid().NorthLimit(), 100000);
    EXPECT_LE(p.Grid().North(), 100000);
}

} // namespace
