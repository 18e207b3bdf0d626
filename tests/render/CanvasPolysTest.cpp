// The lists the plot skips work on (no point put in where no step reaches
// the pitch, no walk for the date line or for strays when the box rules
// them out) come out as the conversion step by step makes them: cut to the
// field, points put in, every point projected, thinned in pixels.
#include "support/PlotWorld.h"

#include "render/CanvasPolys.h"
#include "core/LibraryMaths.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

using Pts = std::vector<PolyPoint>;

constexpr int32_t kChopMm = 16; // PlotChopPitch as the plot has it unless set

// The conversion of a list as the plot does it step by step, with nothing
// skipped: the list cut to the field, points put in along curved
// projections, every point projected, then thinned in pixels.
Pts StepByStep(MapViewport view, const clsPoly& source) {
    clsPoly poly = source.Copy();
    if (!poly.IsOverlapArea(view.field)) return {};
    poly.Clip(view.field);
    if (poly.Count() < 2) return {};
    const int32_t word = MapProjection::PrjStatus(view.prjIndex);
    if (!(word & 0x0200)) poly.Chop(view.ChopSpacing(kChopMm), (word & 0xF800) ? 3 : 1);
    std::vector<PlaneXY> xy(size_t(poly.Count()));
    view.projector.CnvLLtoXY(poly.Span(), xy);
    clsPoly canvas;
    for (const PlaneXY& p : xy) {
        const CanvasPoint c = view.XYToCanvas({std::isfinite(p.x) ? p.x : 0.0, std::isfinite(p.y) ? p.y : 0.0});
        canvas.AddXY(c.x, c.y);
    }
    canvas.CompressB(0.0005, 80.0);
    return Pts(canvas.Span().begin(), canvas.Span().end());
}

// The same with a flattening pitch: thinned in plane metres first, then
// turned into pixels.
Pts StepByStepFlat(MapViewport view, const clsPoly& source, int32_t flatMm) {
    clsPoly poly = source.Copy();
    if (!poly.IsOverlapArea(view.field)) return {};
    poly.Clip(view.field);
    if (poly.Count() < 2) return {};
    const int32_t word = MapProjection::PrjStatus(view.prjIndex);
    poly.Chop(view.ChopSpacing(kChopMm), (word & 0xF800) ? 3 : 1);
    std::vector<PlaneXY> xy(size_t(poly.Count()));
    view.projector.CnvLLtoXY(poly.Span(), xy);
    clsPoly plane;
    for (const PlaneXY& p : xy)
        plane.AddXY(std::isfinite(p.x) ? Library::DblToLng(p.x) : 0, std::isfinite(p.y) ? Library::DblToLng(p.y) : 0);
    const double t = view.dpix * flatMm / 25.4 / view.ratioX;
    plane.CompressB(t / 1000, t);
    Pts out;
    for (const PolyPoint& q : plane.Span()) {
        const CanvasPoint c = view.XYToCanvas({double(q.x), double(q.y)});
        out.push_back({c.x, c.y});
    }
    return out;
}

// What the plot draws of the list: its pieces, one after the other.
std::vector<Pts> Drawn(MapViewport view, const clsPoly& source, bool ring = false) {
    clsPoly poly = source.Copy();
    std::vector<Pts> out;
    for (const auto& p : CanvasPolys(kChopMm, 0).PolysMapToCanvas(view, poly, ring))
        out.emplace_back(p->Span().begin(), p->Span().end());
    return out;
}

std::vector<Pts> AsDrawn(const Pts& one) { return one.empty() ? std::vector<Pts>{} : std::vector<Pts>{one}; }

clsPoly Make(const Pts& pts) {
    clsPoly p;
    for (const PolyPoint& q : pts) p.AddXY(q.x, q.y);
    return p;
}

struct View {
    const char* name;
    int16_t index;
    int32_t lon, lat;
    double ppd; // pixels per degree
};
// Whole-world views and views whose field is a part of the globe, so that
// lists are cut at its edges; conics and azimuthals limit the latitudes.
const View kViews[] = {
    {"plate carree, world", 12, 0, 0, 2},
    {"Winkel tripel, world", 30, 0, 126000, 2},
    {"Mollweide, zoomed", 17, 500000, 130000, 12},
    {"orthographic, north", 5, 0, 300000, 3},
    {"Lambert conic, zoomed", 25, 500000, 150000, 8},
    {"azimuthal equidistant, south", 6, -600000, -250000, 2},
    {"Winkel tripel, across the date line", 30, 640000, 0, 4},
};

MapViewport ViewOf(PlotWorld& w, const View& v) {
    w.View(v.index, v.lon, v.lat, v.ppd);
    return w.plot->Viewport();
}

TEST(CanvasPolys, RandomListsComeOutAsStepByStep) {
    PlotWorld w(800, 400);
    std::mt19937 rng(3737);
    for (const View& v : kViews) {
        const MapViewport view = ViewOf(w, v);
        for (int round = 0; round < 300; ++round) {
            // Runs of short steps (many points to one pixel), steps of
            // some pixels and steps long enough to be cut by the pitch.
            const int32_t reach = std::array{200, 5000, 60000}[rng() % 3];
            int32_t x = int32_t(rng() % 1296001) - 648000, y = int32_t(rng() % 648001) - 324000;
            Pts pts;
            for (int n = 2 + int(rng() % 120); n-- > 0;) {
                pts.push_back({x, y});
                x = std::clamp(x + int32_t(rng() % (2 * reach + 1)) - reach, -648000, 648000);
                y = std::clamp(y + int32_t(rng() % (2 * reach + 1)) - reach, -324000, 324000);
            }
            // Closed unless that would step more than half a turn (the
            // date line the short way round: drawn in pieces).
            const bool ring = rng() % 2 && std::abs(pts.back().x - pts.front().x) <= 648000;
            if (ring) pts.push_back(pts.front());
            const clsPoly poly = Make(pts);
            ASSERT_EQ(Drawn(view, poly, ring), AsDrawn(StepByStep(view, poly))) << v.name << ", round " << round;
        }
    }
}

TEST(CanvasPolys, AFlatteningPitchThinsInPlaneMetresAsStepByStep) {
    PlotWorld w(800, 400);
    std::mt19937 rng(3102);
    for (const View& v : kViews) {
        if (MapProjection::PrjStatus(v.index) & 0x0200) continue; // flattened only where lines bend
        const MapViewport view = ViewOf(w, v);
        for (const int32_t flat : {1, 5, 50}) {
            for (int round = 0; round < 40; ++round) {
                const int32_t reach = std::array{200, 5000, 60000}[rng() % 3];
                int32_t x = v.lon + int32_t(rng() % 200001) - 100000, y = v.lat + int32_t(rng() % 100001) - 50000;
                Pts pts;
                for (int n = 2 + int(rng() % 120); n-- > 0;) {
                    pts.push_back({x, y});
                    x = std::clamp(x + int32_t(rng() % (2 * reach + 1)) - reach, -648000, 648000);
                    y = std::clamp(y + int32_t(rng() % (2 * reach + 1)) - reach, -324000, 324000);
                }
                const clsPoly poly = Make(pts);
                clsPoly copy = poly.Copy();
                MapViewport at = view;
                std::vector<Pts> drawn;
                for (const auto& p : CanvasPolys(kChopMm, flat).PolysMapToCanvas(at, copy, false))
                    drawn.emplace_back(p->Span().begin(), p->Span().end());
                ASSERT_EQ(drawn, AsDrawn(StepByStepFlat(view, poly, flat))) << v.name << ", " << flat << " mm, round " << round;
            }
        }
    }
}

TEST(CanvasPolys, ListsAtTheEdgesComeOutAsStepByStep) {
    PlotWorld w(800, 400);
    const struct {
        const char* name;
        Pts pts;
    } rows[] = {
        {"across the field's edges", {{0, 0}, {500000, 130000}, {640000, 400000}, {100000, -330000}}},
        {"along the date line", {{640000, 0}, {648000, 0}, {648000, 50000}, {648000, -50000}}},
        {"a step of half a turn", {{-324000, 0}, {324000, 0}, {324000, 20000}}},
        {"on the north pole", {{-600000, 324000}, {0, 324000}, {600000, 324000}}},
        {"round the south pole", {{-648000, -320000}, {-216000, -320000}, {216000, -320000}, {648000, -320000}}},
        {"one point of the field", {{-648000, -324000}, {-648000, -324000}}},
    };
    for (const View& v : kViews) {
        const MapViewport view = ViewOf(w, v);
        for (const auto& r : rows) {
            const clsPoly poly = Make(r.pts);
            EXPECT_EQ(Drawn(view, poly), AsDrawn(StepByStep(view, poly))) << v.name << ", " << r.name;
        }
    }
}

TEST(CanvasPolys, PixelsBeyond32BitsSaturateAsStepByStep) {
    // A view scaled far beyond what the plot allows puts most of the globe
    // past the 32-bit pixel range: both roads must stop at its ends alike,
    // in x and in y, from either side of the centre.
    PlotWorld w(800, 400);
    const Pts pts{{-600000, -300000}, {-1000, -2000}, {0, 0}, {1, 1}, {3, 0}, {2000, 1000}, {600000, 300000},
                  {600000, -300000}, {5, 5}, {-600000, 300000}, {-600001, 299999}};
    for (const View& v : {kViews[0], kViews[1]}) {
        for (const double times : {1e4, 1e7, -1e7}) {
            MapViewport view = ViewOf(w, v);
            view.ratioX *= times, view.ratioY *= times;
            view.centerPixX = INT32_MAX - 5;
            view.centerPixY = INT32_MIN + 5;
            view.nt = true;
            const clsPoly poly = Make(pts);
            const Pts want = StepByStep(view, poly);
            const auto atEnd = [](int32_t c) { return c == INT32_MAX || c == INT32_MIN || c == -INT32_MAX; };
            EXPECT_TRUE(std::any_of(want.begin(), want.end(), [&](PolyPoint p) { return atEnd(p.x); })) << v.name;
            EXPECT_TRUE(std::any_of(want.begin(), want.end(), [&](PolyPoint p) { return atEnd(p.y); })) << v.name;
            EXPECT_EQ(Drawn(view, poly), AsDrawn(want)) << v.name << ", " << times;
        }
    }
}

TEST(CanvasPolys, StepsAtThePitchGetPointsOnlyBeyondIt) {
    PlotWorld w(800, 400);
    for (const View& v : kViews) {
        const MapViewport view = ViewOf(w, v);
        if (MapProjection::PrjStatus(v.index) & 0x0200) continue; // never cut
        const int32_t pitch = view.ChopSpacing(kChopMm);
        for (const int32_t step : {pitch, pitch + 1}) {
            // Along a parallel (mode 1 and 3 alike) and slanting, where
            // mode 3 cuts by the larger step.
            // Longer lists put the long step among short ones, across the
            // zero meridian for the views centred on it.
            const int32_t x = v.lon, y = v.lat;
            for (const Pts& pts : {Pts{{x, y}, {x + step, y}, {x + step, y + 10}},
                                   Pts{{x, y}, {x + step / 2, y + step}, {x, y + 10}},
                                   Pts{{x - 30, y}, {x - 20, y}, {x - 10, y}, {x, y}, {x + step, y}, {x + step + 10, y},
                                       {x + step + 20, y}, {x + step + 20, y + 10}, {x + step + 30, y + 10}},
                                   Pts{{x - 30, y - 5}, {x - 20, y}, {x - 10, y}, {x, y}, {x + 10, y}, {x, y + step},
                                       {x, y + step + 10}, {x + 10, y + step + 10}, {x + 20, y + step}}}) {
                const clsPoly poly = Make(pts);
                EXPECT_EQ(Drawn(view, poly), AsDrawn(StepByStep(view, poly)))
                    << v.name << ", step " << (step == pitch ? "at" : "past") << " the pitch";
            }
        }
    }
}

TEST(CanvasPolys, TheBoxDecidesOnlyWhereNoPointCouldStrayOrJump) {
    PlotWorld w(800, 400);
    const MapViewport view = ViewOf(w, kViews[0]);
    // One and a half turns is the farthest a point may lie; one further
    // and the list is not drawn at all.
    EXPECT_FALSE(Drawn(view, Make({{0, 0}, {100, 0}, {1944000, 0}})).empty());
    EXPECT_TRUE(Drawn(view, Make({{0, 0}, {100, 0}, {1944001, 0}})).empty());
    EXPECT_TRUE(Drawn(view, Make({{-1944001, 0}, {0, 0}, {100, 0}})).empty());
    // A step of more than half a turn crosses the date line the short way:
    // two pieces, one at each side of the view, unlike the step of half a
    // turn across the middle.
    const clsPoly jump = Make({{-324000, 0}, {324001, 0}, {324001, 20000}});
    const std::vector<Pts> pieces = Drawn(view, jump);
    EXPECT_EQ(pieces.size(), 2u);
    EXPECT_NE(pieces, AsDrawn(StepByStep(view, jump)));
}

} // namespace
