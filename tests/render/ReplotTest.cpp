// The drawing of a whole view: phases, progress, cancel, re-entry, failure
// and the styling of map cells.
#include "support/PlotWorld.h"

#include "document/clsMapCell.h"
#include "platform/VospError.h"
#include "render/CanvasPolys.h"
#include "render/RenderGlobals.h"
#include "render/ReplotPipeline.h"
#include "render/clsFigPolygon.h"
#include "render/clsFigPolyline.h"
#include "render/clsFigSymbol.h"
#include "render/clsFigText.h"
#include "render/clsGrid.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int32_t kBackground = 0x00FF00; // colours as 0x00BBGGRR
constexpr int32_t kOcean = 0xFF0000;
constexpr int32_t kGrid = 0x0000FF;
constexpr int32_t kLand = 0x00FFFF;

// Background, ocean and meridians in the base unit; a land polygon thing in a unit of its own.
struct Styled {
    explicit Styled(PlotWorld& w) {
        PlotWorld::AddThing(*w.base, 1, 3, QStringLiteral("背景"), kBackground, 8);
        PlotWorld::AddThing(*w.base, 2, 3, QStringLiteral("海洋"), kOcean, 8);
        PlotWorld::AddThing(*w.base, 3, 2, QStringLiteral("経線"), kGrid, 0, 1);
        land = w.AddUnit(QStringLiteral("LAND"));
        PlotWorld::AddThing(*land, 1, 3, QStringLiteral("陸地"), kLand, 8);
    }
    std::shared_ptr<clsMapUnit> land;
};

// Equirectangular, centred on (0, 0), 2 pixels per degree on 800 x 400.
void SetHandView(PlotWorld& w) {
    w.View(12, 0, 0, 2);
    w.plot->SetGridAuto(false);
    w.plot->Grid().SetWidth(108000); // 30 degrees
}

// The styled world on the default 400 x 300 canvas, and on the hand-worked view.
// One letter a probed pixel: L land, O ocean, G graticule, B background, W white, ? other.
std::string Probe(PlotWorld& w, std::initializer_list<std::pair<int32_t, int32_t>> pts) {
    std::string s;
    for (const auto& [x, y] : pts) {
        const int32_t c = w.Pixel(x, y);
        s += c == kLand ? 'L' : c == kOcean ? 'O' : c == kGrid ? 'G' : c == kBackground ? 'B' : c == 0xFFFFFF ? 'W' : '?';
    }
    return s;
}
std::string Row(PlotWorld& w, int32_t y, std::initializer_list<int32_t> xs) {
    std::string s;
    for (int32_t x : xs) s += Probe(w, {{x, y}});
    return s;
}
// `rows` lines of `cols` letters, the pixels every `step` pixels from (x0, y0).
std::string Picture(PlotWorld& w, int32_t x0, int32_t y0, int32_t step, int cols, int rows) {
    std::string s;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) s += Probe(w, {{x0 + c * step, y0 + r * step}});
        s += '\n';
    }
    return s;
}

struct StyledWorld : ::testing::Test {
    PlotWorld w;
    Styled s{w};
    clsMapPlot& p = *w.plot;
};

struct HandDrawn : ::testing::Test {
    PlotWorld w{800, 400};
    Styled s{w};
    clsMapPlot& p = *w.plot;
    HandDrawn() { SetHandView(w); }
};

TEST_F(HandDrawn, PictureWorkedOutByHand) {
    // Land from 20 W to 20 E and 10 S to 10 N: 40 x 20 degrees, 80 x 40 pixels
    // around the centre pixel (400, 200).
    PlotWorld::AddPolygon(*s.land, 1, 0, PlotWorld::Ring(-72000, -36000, 72000, 36000));
    ASSERT_EQ(p.Replot(), 0);
    // Land pixels 360..440 x 180..220, every fifth pixel from (357, 177); the
    // far edges are left to the fill rule.
    EXPECT_EQ(Picture(w, 357, 177, 5, 18, 10), "OOOOOOOOOOOOOOOOOO\n"
                                               "OLLLLLLLLLLLLLLLLO\n"
                                               "OLLLLLLLLLLLLLLLLO\n"
                                               "OLLLLLLLLLLLLLLLLO\n"
                                               "OLLLLLLLLLLLLLLLLO\n"
                                               "OLLLLLLLLLLLLLLLLO\n"
                                               "OLLLLLLLLLLLLLLLLO\n"
                                               "OLLLLLLLLLLLLLLLLO\n"
                                               "OLLLLLLLLLLLLLLLLO\n"
                                               "OOOOOOOOOOOOOOOOOO\n");
    // The globe spans 180 W..180 E (pixels 40..760) and 90 S..90 N (20..380).
    EXPECT_EQ(Row(w, 300, {35, 45}) + Row(w, 100, {754, 765}), "BOOB");
    EXPECT_EQ(Probe(w, {{300, 15}, {400, 25}, {400, 375}, {300, 385}}), "BOOB");
    // The meridian of 60 E lies on column 400 + 120, 30 W on 400 - 60.
    for (int32_t y : {60, 120, 280, 330}) EXPECT_EQ(Row(w, y, {340, 519, 520, 521}), "GOGO") << y;
    // Drawn after the polygons, the meridian of 0 crosses the land.
    EXPECT_EQ(Row(w, 190, {400}), "G");
    // Drawn first, the graticule lies under the land.
    p.SetGridOcean(true);
    ASSERT_EQ(p.Replot(), 0);
    EXPECT_EQ(Probe(w, {{400, 190}, {400, 100}}), "LG");
}

TEST(ReplotTest, ProgressRunsZeroToTenInBothGridOrdersAndWithoutFigures) {
    // Grid first or last; no figure kinds at all still raise every phase.
    const std::pair<bool, int> rows[] = {{false, 7}, {true, 7}, {false, 0}};
    for (const auto& [gridFirst, figDisp] : rows) {
        PlotWorld w;
        Styled s(w);
        PlotWorld::AddPolygon(*s.land, 1, 0, PlotWorld::Ring(-72000, -36000, 72000, 36000));
        clsMapPlot& p = *w.plot;
        p.SetGridOcean(gridFirst);
        if (figDisp == 0) p.SetFigDisp(0);
        std::vector<int16_t> seen;
        p.Progress = [&](int16_t phase) { seen.push_back(phase); };
        ASSERT_EQ(p.Replot(), 0);
        EXPECT_EQ(seen, (std::vector<int16_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10})) << gridFirst << figDisp;
        EXPECT_FALSE(p.IsDrawing());
        for (int32_t y = 0; figDisp == 0 && y < 300; y += 7) // only the background
            for (int32_t x = 0; x < 400; x += 7) ASSERT_EQ(w.Pixel(x, y), kBackground) << x << "," << y;
    }
}

TEST(ReplotTest, BackgroundIsWhiteWithoutAThingAndTakesThePageOfAreaZero) {
    PlotWorld w;
    ASSERT_EQ(w.plot->Replot(), 0);
    EXPECT_EQ(Probe(w, {{0, 0}, {399, 299}}), "WW");
    auto bg = PlotWorld::AddThing(*w.base, 1, 3, QStringLiteral("背景"), kBackground, 8);
    bg->SetPage(3);
    bg->SetFore(0x123456); // the attributes of page 3
    bg->SetStyle(8);
    w.base->gAdmins->Item(0)->SetPage(3);
    ASSERT_EQ(w.plot->Replot(), 0);
    EXPECT_EQ(w.Pixel(10, 10), 0x123456);
}

// A handler run during a yield may try a drawing of its own (refused), open
// units (the phase goes on with the units it started with) or cancel (the
// drawing stops there; the next one runs).
TEST_F(StyledWorld, WhatAYieldMayDo) {
    PlotWorld::AddPolygon(*s.land, 1, 0, PlotWorld::Ring(-72000, -36000, 72000, 36000));
    p.SetGridEi(false);
    p.SetProjectionAuto(false);
    p.SetProjectionIndex(12);
    p.SetCenterX(0);
    p.SetCenterY(0);
    std::vector<int16_t> seen, inner;
    int added = 0;
    p.Progress = [&](int16_t phase) { seen.push_back(phase); };
    p.YieldHook = [&] {
        if (inner.empty()) inner.push_back(p.Replot());
        if (added < 20) w.AddUnit(QStringLiteral("EXTRA%1").arg(added++));
    };
    EXPECT_EQ(p.Replot(), 0);
    EXPECT_EQ(inner, (std::vector<int16_t>{2}));
    EXPECT_GT(added, 0);
    EXPECT_EQ(w.Pixel(200, 150), kLand);

    seen.clear();
    p.YieldHook = [&] {
        if (seen.size() == 3) p.mCancel = true; // during the polygon phase
    };
    EXPECT_EQ(p.Replot(), 1);
    EXPECT_EQ(seen, (std::vector<int16_t>{0, 1, 2}));
    EXPECT_FALSE(p.IsDrawing());
    p.YieldHook = nullptr;
    seen.clear();
    EXPECT_EQ(p.Replot(), 0);
    EXPECT_EQ(seen.size(), 11u);
}

// A polygon that fails when tested against the field shifted across the
// date line (a turn west of a centre east of the meridian 0), noting how the
// engine's own view looked then.
class FailingPolygon : public clsMapPolygon {
public:
    explicit FailingPolygon(clsMapPlot& p) : plot_(p) {}
    bool IsInner(const clsRect& rect) override {
        if (rect.mLeft < -648000) {
            engineShifted = plot_.IsShifted();
            engineCenter = plot_.CenterX();
            throw std::runtime_error("broken figure");
        }
        return clsMapPolygon::IsInner(rect);
    }
    bool engineShifted = true;
    int32_t engineCenter = 0;

private:
    clsMapPlot& plot_;
};

TEST_F(StyledWorld, AFailingFigureLeavesTheEngineIdleAndTheCentreUnchanged) {
    w.View(12, 612000, 0, 10);
    auto bad = std::make_shared<FailingPolygon>(p);
    bad->SetThing(1);
    bad->SetAdmin(0);
    bad->SetPoly(PlotWorld::Ring(600000, 0, 610000, 10000));
    ASSERT_TRUE(s.land->gFigures->Add(bad));
    const clsRect field = p.Field();
    ASSERT_TRUE(p.IsWrapAround());
    try {
        p.Replot();
        FAIL() << "the failure did not reach the caller";
    } catch (const VospError& e) {
        EXPECT_TRUE(e.source.contains(QStringLiteral("clsMapPlot.Replot"))) << e.source.toStdString();
    }
    // The drawing shifted its own copy of the view, never the engine's.
    EXPECT_FALSE(bad->engineShifted);
    EXPECT_EQ(bad->engineCenter, 612000);
    EXPECT_FALSE(p.IsDrawing());
    EXPECT_FALSE(p.IsShifted());
    EXPECT_EQ(p.CenterX(), 612000);
    EXPECT_EQ(p.Field(), field);
    s.land->gFigures->Clear();
    EXPECT_EQ(p.Replot(), 0);
}

TEST_F(StyledWorld, AFailureWhileTheFrameIsCentredOnZeroPutsTheViewBack) {
    w.View(12, 360000, 0, 10); // 100 E
    const clsRect field = p.Field();
    int32_t x0 = 0, y0 = 0;
    ASSERT_TRUE(p.MapToCanvas(363600, 3600, x0, y0));
    // The frame layer yields once with the projection turned to longitude 0.
    ASSERT_TRUE(p.DrawStart());
    p.YieldHook = [] { throw std::runtime_error("stop"); };
    EXPECT_THROW(p.DrawShadow(), VospError);
    EXPECT_TRUE(p.IsDrawing());
    EXPECT_EQ(p.CenterX(), 360000);
    int32_t xs = 0, ys = 0; // projector and field as before the layer
    ASSERT_TRUE(p.PointMapToCanvas(363600, 3600, xs, ys));
    EXPECT_EQ(xs, x0);
    EXPECT_EQ(ys, y0);
    p.YieldHook = nullptr;
    p.DrawEnd();
    EXPECT_EQ(p.Field(), field);
    // A whole drawing that fails there ends idle with the view as it was.
    int phases = 0;
    p.Progress = [&](int16_t) { ++phases; };
    p.YieldHook = [&] {
        if (phases == 10) throw std::runtime_error("stop");
    };
    EXPECT_THROW(p.Replot(), VospError);
    EXPECT_FALSE(p.IsDrawing());
    EXPECT_EQ(p.CenterX(), 360000);
    EXPECT_EQ(p.Field(), field);
    int32_t x1 = 0, y1 = 0;
    ASSERT_TRUE(p.MapToCanvas(363600, 3600, x1, y1));
    EXPECT_EQ(x1, x0);
    EXPECT_EQ(y1, y0);
}

// A list of points in seconds of arc.
std::shared_ptr<clsPoly> Points(std::initializer_list<std::pair<int32_t, int32_t>> pts) {
    auto p = std::make_shared<clsPoly>();
    for (const auto& [x, y] : pts) p->AddXY(x, y);
    return p;
}

// 170 E..170 W between two latitudes, stored as the two halves joined by
// steps from 180 E straight to 180 W and back.
std::shared_ptr<clsPoly> AcrossTheDateLine(int32_t south, int32_t north) {
    return Points({{612000, south},
                   {648000, south},
                   {-648000, south},
                   {-612000, south},
                   {-612000, north},
                   {-648000, north},
                   {648000, north},
                   {612000, north},
                   {612000, south}});
}

TEST_F(HandDrawn, FiguresStoredAcrossTheDateLine) {
    p.SetGridEi(false);
    // A ring at 60..70 N, drawn at both edges without a band between them.
    auto strait = PlotWorld::AddPolygon(*s.land, 1, 0, AcrossTheDateLine(216000, 252000));
    // Round the globe eastwards along 70 S, jumping once from 178 E to 178 W.
    PlotWorld::AddPolygon(*s.land, 1, 0,
                          Points({{0, -252000},
                                  {324000, -252000},
                                  {640800, -252000},
                                  {-640800, -252000},
                                  {-324000, -252000},
                                  {0, -252000}}));
    // A line from 170 E to 170 W along 30 N, cut at the date line.
    constexpr int32_t kRoad = 0xFF00FF;
    PlotWorld::AddThing(*s.land, 2, 2, QStringLiteral("道"), kRoad, 0, 1);
    auto road = PlotWorld::AddLine(*s.land, 2, 0, 612000, 108000, -612000, 108000);
    // A band round the globe from 10 S to 10 N held by its four corners: the
    // full-width edges between the date-line meridians stay as drawn.
    PlotWorld::AddPolygon(*s.land, 1, 0, PlotWorld::Ring(-648000, -36000, 648000, 36000));
    ASSERT_EQ(p.Replot(), 0);

    // 65 N is row 70; 175 E is column 750 and 175 W column 50. The rest of
    // the parallel is sea, and so is the ring's outside.
    EXPECT_EQ(Row(w, 70, {50, 70, 200, 400, 600, 730, 750}), "LOOOOOL");
    EXPECT_EQ(Probe(w, {{43, 62}, {757, 78}, {750, 90}, {50, 50}}), "LLOO");
    // One plotted area at each edge; the stored points are untouched.
    EXPECT_EQ(p.CellToFigures(s.land->ToCell(strait.get())).size(), 2u);
    EXPECT_EQ(strait->Poly()->Count(), 9);
    EXPECT_EQ(strait->Poly()->x(3), -648000);
    ASSERT_NE(p.CellToFigure(s.land->ToCell(strait.get())), nullptr);
    // 70 S is row 340, the pole row 380; the globe spans columns 40..760.
    for (const auto& [y, want] : {std::pair{330, "OOOOOOOO"}, {350, "LLLLLLLL"}, {376, "LLLLLLLL"}})
        EXPECT_EQ(Row(w, y, {45, 100, 300, 399, 401, 500, 700, 755}), want) << y;
    // 30 N is row 140.
    EXPECT_TRUE(w.Pixel(50, 140) == kRoad && w.Pixel(750, 140) == kRoad);
    EXPECT_EQ(Row(w, 140, {70, 200, 400, 600, 730}), "OOOOO");
    EXPECT_EQ(p.CellToFigures(s.land->ToCell(road.get())).size(), 2u);
    EXPECT_EQ(Row(w, 200, {45, 200, 400, 600, 755}) + Row(w, 170, {400}), "LLLLLO");
}

TEST_F(StyledWorld, FiguresAcrossTheDateLineInAWrappedView) {
    w.View(12, 630000, 0, 10); // 175 E, centre pixel (200, 150)
    p.SetGridEi(false);
    // 170..172 E lies 5..3 degrees west of the centre: pixels 150..170.
    PlotWorld::AddPolygon(*s.land, 1, 0, PlotWorld::Ring(612000, -3600, 619200, 3600));
    // 178..176 W lies 7..9 degrees east of it across the date line: pixels 270..290.
    PlotWorld::AddPolygon(*s.land, 1, 0, PlotWorld::Ring(-640800, -3600, -633600, 3600));
    // 170 E..170 W by 5..7 N, stored across the date line: columns 150..350, rows 80..100.
    auto ring = PlotWorld::AddPolygon(*s.land, 1, 0, AcrossTheDateLine(18000, 25200));
    ASSERT_TRUE(p.IsWrapAround());
    ASSERT_EQ(p.Replot(), 0);
    EXPECT_EQ(Row(w, 150, {160, 220, 280}), "LOL");
    EXPECT_EQ(Row(w, 90, {100, 155, 200, 250, 300, 345, 380}) + Row(w, 110, {250}), "OLLLLLOO");
    EXPECT_EQ(p.CenterX(), 630000);
    // All of the ring comes from the unshifted pass; the shifted pass adds nothing.
    EXPECT_EQ(p.CellToFigures(s.land->ToCell(ring.get())).size(), 1u);
    ASSERT_TRUE(p.ShiftOn());
    EXPECT_TRUE(p.CellToFigures(s.land->ToCell(ring.get())).empty());
    EXPECT_TRUE(p.ShiftOff());
}

// A host of the test's own for the drawing: hands over a view worked out
// beforehand, notes what it hears, and answers the cancel question as told.
struct ScriptedHost : ReplotPipeline::Host {
    explicit ScriptedHost(const MapViewport& v) : view(v) {}
    void Opened(MapViewport& v) override {
        heard.push_back("open");
        v = view;
    }
    void Closed(const clsVospProjector::Trail&) override { heard.push_back("close"); }
    bool Cancelled() const override { return cancelAfterYields >= 0 && yields > cancelAfterYields; }
    void Progressed(int16_t phase) override { heard.push_back(std::to_string(phase)); }
    void Yield() override { ++yields; }

    MapViewport view;
    std::vector<std::string> heard;
    int cancelAfterYields = -1;
    int yields = 0;
};

ReplotPipeline::Job JobOf(PlotWorld& w) {
    return {w.plot->hdc(), w.plot->Viewport(), w.plot->Options(), &w.units, &w.plot->Grid(), w.plot->PtnRatio(),
            &w.graph()};
}

TEST_F(StyledWorld, ThePipelineOnItsOwnDrawsWhatTheEngineDraws) {
    w.View(12, 630000, 0, 10); // across the date line: both passes
    PlotWorld::AddPolygon(*s.land, 1, 0, PlotWorld::Ring(612000, -3600, 619200, 3600));
    PlotWorld::AddPolygon(*s.land, 1, 0, AcrossTheDateLine(18000, 25200));
    ASSERT_EQ(p.Replot(), 0);
    const QImage byEngine = w.image().copy();
    w.image().fill(Qt::black);

    ScriptedHost host(p.Viewport());
    ReplotPipeline pipeline(host);
    // Everything goes through the job's drawing layer, none through the application's.
    clsMapGraph* const installed = RenderGlobals::SetMapGraph(nullptr);
    const int16_t drawn = pipeline.Replot(JobOf(w));
    RenderGlobals::SetMapGraph(installed);
    ASSERT_EQ(drawn, 0);
    EXPECT_FALSE(pipeline.IsDrawing());
    EXPECT_TRUE(w.image() == byEngine);
    EXPECT_EQ(host.heard,
              (std::vector<std::string>{"open", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "close"}));
    EXPECT_GT(host.yields, 0);
    // A second drawing while one runs does not start.
    ASSERT_TRUE(pipeline.DrawStart(JobOf(w)));
    EXPECT_FALSE(pipeline.DrawStart(JobOf(w)));
    EXPECT_EQ(pipeline.Replot(JobOf(w)), 2);
    pipeline.DrawEnd();
    EXPECT_EQ(host.heard.back(), "close");
}

TEST_F(StyledWorld, AHostThatCancelsStopsThePolygonPhaseAtItsFirstUnit) {
    w.View(12, 0, 0, 2); // the land: 80 x 40 pixels about the centre (200, 150)
    p.SetGridEi(false);
    PlotWorld::AddPolygon(*s.land, 1, 0, PlotWorld::Ring(-72000, -36000, 72000, 36000));
    ScriptedHost host(p.Viewport());
    ReplotPipeline pipeline(host);
    ASSERT_EQ(pipeline.Replot(JobOf(w)), 0);
    EXPECT_EQ(Probe(w, {{200, 150}, {5, 5}}), "LO");

    w.image().fill(Qt::black);
    host.heard.clear();
    host.yields = 0;
    host.cancelAfterYields = 0; // from the first yield on, the answer is yes
    EXPECT_EQ(pipeline.Replot(JobOf(w)), 1);
    // Background and ocean were drawn; the land never was.
    EXPECT_EQ(host.heard, (std::vector<std::string>{"open", "0", "1", "2", "close"}));
    EXPECT_EQ(host.yields, 1);
    EXPECT_EQ(Probe(w, {{200, 150}, {5, 5}}), "OO");
    EXPECT_FALSE(pipeline.IsDrawing());
}

class StylingTest : public ::testing::Test {
protected:
    StylingTest() : s(w) {
        w.View(12, 0, 0, 2);
        thing = PlotWorld::AddThing(*s.land, 2, 2, QStringLiteral("道"), 0x111111, 3, 4, 0x222222);
        line = PlotWorld::AddLine(*s.land, 2, 0, -3600, 0, 3600, 0);
    }
    std::unique_ptr<clsFigure> Styled() { return w.plot->CellToFigure(s.land->ToCell(line.get())); }

    PlotWorld w;
    ::Styled s;
    clsMapPlot& p = *w.plot;
    std::shared_ptr<clsThing> thing;
    std::shared_ptr<clsMapPolyline> line;
};

TEST_F(StylingTest, ShowModeMatrix) {
    // own mode, figure switch, thing switch, thing prints at this scale -> drawn
    const struct {
        int16_t own;
        bool fig, thg, prints, drawn;
    } rows[] = {
        {0, true, true, true, false},    {0, false, true, true, true},    {1, true, true, false, true},
        {-1, true, true, false, false},  {-1, true, false, false, true},  {-1, true, true, true, true},
        {-1, false, true, false, true},  {1, false, false, false, true},
    };
    for (const auto& r : rows) {
        line->SetOwnShowMode(r.own);
        p.SetFigShowModeEi(r.fig);
        p.SetThgShowModeEi(r.thg);
        thing->SetShowMode(r.prints ? 1 : 0);
        EXPECT_EQ(Styled() != nullptr, r.drawn) << r.own << r.fig << r.thg << r.prints;
    }
}

TEST_F(StylingTest, ColoursStyleAndWidth) {
    line->SetOwnColor(0x345678);
    auto f = Styled();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->FigCode(), 2);
    auto* pl = static_cast<clsFigPolyline*>(f.get());
    EXPECT_EQ(pl->mFore, 0x345678);
    EXPECT_EQ(pl->mBack, 0x222222);
    EXPECT_EQ(pl->mStyle, 3);
    EXPECT_EQ(pl->mWidth, 4);
    ASSERT_GE(pl->mPoly->Count(), 2);
    EXPECT_EQ(pl->mPoly->x(1), 198); // 1 degree west of the centre pixel 200
    EXPECT_EQ(pl->mPoly->LastX(), 202);
    p.SetFigNativeEi(false);
    EXPECT_EQ(Styled()->mFore, 0x111111);
    p.SetFigNativeEi(true);
    line->SetOwnColor(-1);
    EXPECT_EQ(Styled()->mFore, 0x111111);
}

// A figure takes the thing's attributes of its area's page; a hidden area is not drawn.
TEST_F(StylingTest, AreasChooseThePageAndCanHide) {
    PlotWorld::AddArea(*s.land, 5, 2, true);
    thing->SetPage(2);
    thing->SetFore(0x0A0B0C);
    thing->SetShowMode(1);
    thing->SetStyle(1);
    thing->SetSize(2);
    line->SetAdmin(5);
    auto f = Styled();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->mFore, 0x0A0B0C);
    EXPECT_EQ(static_cast<clsFigPolyline*>(f.get())->mWidth, 2);

    PlotWorld::AddArea(*s.land, 6, 1, false);
    line->SetAdmin(6);
    ASSERT_TRUE(p.DrawStart());
    EXPECT_FALSE(p.DrawCell(s.land->ToCell(line.get())));
    // A drawing keeps the switches it started with; the next one follows the change.
    p.SetAdmShowModeEi(false);
    EXPECT_FALSE(p.DrawCell(s.land->ToCell(line.get())));
    p.DrawEnd();
    ASSERT_TRUE(p.DrawStart());
    EXPECT_TRUE(p.DrawCell(s.land->ToCell(line.get())));
    p.DrawEnd();
}

TEST_F(StylingTest, SymbolsAndTexts) {
    PlotWorld::AddThing(*s.land, 3, 4, QStringLiteral("点"), 0x010101, 7, 1, 0x020202);
    auto textThing = PlotWorld::AddThing(*s.land, 4, 5, QStringLiteral("名"), 0x030303, 1, 12, 0x040404);
    textThing->SetFontName(QStringLiteral("ＭＳ ゴシック"));
    auto sym = PlotWorld::AddSymbol(*s.land, 3, 0, 36000, 18000); // 10 E 5 N: (220, 140)
    auto text = PlotWorld::AddText(*s.land, 4, 0, -36000, -18000, QStringLiteral("東京"));
    text->SetAngle(30);
    text->SetTextFix(17);

    auto fs = p.CellToFigure(s.land->ToCell(sym.get()));
    ASSERT_NE(fs, nullptr);
    auto* symbol = static_cast<clsFigSymbol*>(fs.get());
    EXPECT_EQ(symbol->mx, 220);
    EXPECT_EQ(symbol->my, 140);
    EXPECT_EQ(symbol->mPattern, 7);
    EXPECT_EQ(symbol->mBack, 0x020202);
    p.SetEdgeEi(false);
    EXPECT_EQ(p.CellToFigure(s.land->ToCell(sym.get()))->mBack, -1);
    p.SetEdgeEi(true);

    auto ft = p.CellToFigure(s.land->ToCell(text.get()));
    ASSERT_NE(ft, nullptr);
    auto* t = static_cast<clsFigText*>(ft.get());
    EXPECT_EQ(t->mx, 180);
    EXPECT_EQ(t->my, 160);
    EXPECT_EQ(t->mFont, QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(t->mHeight, 12);
    EXPECT_EQ(t->mStyle, 1);
    EXPECT_EQ(t->mAngle, 30);
    EXPECT_EQ(t->mTextFix, 17);
    EXPECT_EQ(t->mBack, 0x040404);
    EXPECT_EQ(t->TextString(), QStringLiteral("東京"));
    EXPECT_EQ(t->Text(), QByteArray("\x93\x8c\x8b\x9e"));

    // A text whose anchor lies just outside the canvas is not drawn.
    auto outside = PlotWorld::AddText(*s.land, 4, 0, 360000, 0, QStringLiteral("X")); // 100 E: pixel 400
    EXPECT_EQ(p.CellToFigure(s.land->ToCell(outside.get())), nullptr);
    // Remarks have no plotted form.
    EXPECT_EQ(p.CellToFigure(clsMapCell()), nullptr);
}

TEST_F(StylingTest, TextSlantFollowsTheMeridian) {
    auto textThing = PlotWorld::AddThing(*s.land, 4, 5, QStringLiteral("名"), 0, 0, 10);
    auto text = PlotWorld::AddText(*s.land, 4, 0, 0, 0, QStringLiteral("a"));
    text->SetAngle(10);
    p.SetTextSlant(true);
    // Meridians stand upright in the equirectangular view: no slant.
    int32_t slant = 99;
    p.SlantMeridian(0, 0, slant);
    EXPECT_EQ(slant, 0);
    EXPECT_EQ(static_cast<clsFigText*>(p.CellToFigure(s.land->ToCell(text.get())).get())->mAngle, 10);
    // In a conic view the meridians lean towards the apex above the centre:
    // clockwise (negative) east of the centre meridian.
    p.SetProjectionIndex(23);
    p.SetCenterY(162000);
    p.SetMapScale(PlotWorld::ScaleForPpd(4));
    p.Field();
    p.SlantMeridian(72000, 162000, slant);
    EXPECT_LT(slant, -3600);
    EXPECT_GT(slant, -72000);
    int32_t west = 0;
    p.SlantMeridian(-72000, 162000, west);
    EXPECT_EQ(west, -slant);
}

// A line swinging between the extremes of storage is not drawn (it would be
// cut at every seam it spans); a line across the date line is.
TEST(ReplotTest, AFigureStrayingTurnsBeyondTheDateLineIsNotDrawn) {
    PlotWorld w(800, 400);
    SetHandView(w);
    clsPoly wild;
    for (int i = 0; i < 20; ++i) wild.AddXY(i % 2 ? INT32_MAX : INT32_MIN, i % 2 ? INT32_MAX : INT32_MIN);
    MapViewport view = w.plot->Viewport();
    const CanvasPolys polys(w.plot->Options().plotChopPitch, w.plot->Options().plotFlatPitch);
    EXPECT_TRUE(polys.PolysMapToCanvas(view, wild, false).empty());
    EXPECT_EQ(polys.PolysMapToCanvas(view, *Points({{612000, 0}, {-612000, 0}}), false).size(), 2u);
}

} // namespace
