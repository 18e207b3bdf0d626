// Lines and areas converted on several cores ahead of their drawing give the
// very pixels of the conversion on one core, in the projections with the
// heaviest conversions, including lines that start where the projection
// cannot show them and lines across the date line.
#include "render/FigureConversion.h"
#include "support/PlotWorld.h"

#include <gtest/gtest.h>
#include <random>

namespace {

struct ThreadsBack {
    ~ThreadsBack() { FigureConversion::SetThreads(0); }
};

QImage Draw(int threads, int16_t index) {
    FigureConversion::SetThreads(threads);
    PlotWorld w(600, 400);
    PlotWorld::AddThing(*w.base, 1, 3, QStringLiteral("背景"), 0xFFFFFF, 8, 0);
    auto unit = w.AddUnit(QStringLiteral("WORLD"));
    PlotWorld::AddThing(*unit, 1, 3, QStringLiteral("陸地"), 0x60A0C0, 8, 0);
    PlotWorld::AddThing(*unit, 2, 2, QStringLiteral("海岸線"), 0x202020, 0, 1);
    std::mt19937 rng(28);
    std::uniform_int_distribution<int32_t> lon(-648000, 648000), lat(-300000, 300000), step(-20000, 20000);
    // Over 200 figures of each kind, so that several runs ahead are made.
    for (int i = 0; i < 260; ++i) {
        const int32_t x = lon(rng), y = lat(rng);
        auto ring = std::make_shared<clsPoly>();
        for (int k = 0; k < 24; ++k) ring->AddXY(x + step(rng) + (k < 12 ? k : 24 - k) * 4500, y + step(rng));
        ring->AddXY(ring->x(1), ring->y(1));
        PlotWorld::AddPolygon(*unit, 1, 0, ring);
        auto line = std::make_shared<clsPoly>();
        int32_t lx = lon(rng), ly = lat(rng);
        for (int k = 0; k < 30; ++k) {
            line->AddXY(lx, ly);
            lx += step(rng) * 4;
            ly = std::clamp(ly + step(rng) * 2, -320000, 320000);
        }
        PlotWorld::AddFigure<clsMapPolyline>(*unit, 2, 0, [&](clsMapPolyline& f) { f.SetPoly(line); });
    }
    w.View(index, 135 * 3600, 35 * 3600, 2.5);
    EXPECT_EQ(w.plot->Replot(), 0);
    return w.image().copy();
}

TEST(FigureConversion, SeveralCoresDrawTheOneCorePixels) {
    const ThreadsBack back;
    for (const int16_t index : {12, 17, 30, 5, 25}) {
        SCOPED_TRACE(index);
        const QImage one = Draw(1, index);
        EXPECT_EQ(Draw(4, index), one);
        // Something of the world is drawn at all.
        EXPECT_GT(one.convertToFormat(QImage::Format_Indexed8).colorCount(), 2);
    }
}

// A conversion whose first point was refused depends on the one drawn before
// it: no result is kept for it, and each kept one is handed over once.
TEST(FigureConversion, RefusedFirstPointsAreLeftToTheirTurn) {
    const ThreadsBack back;
    FigureConversion::SetThreads(3);
    std::vector<std::shared_ptr<clsMapPolyline>> lines;
    std::vector<clsMapFigure*> run;
    std::vector<std::shared_ptr<clsPoly>> sources;
    for (int i = 0; i < 6; ++i) {
        auto p = std::make_shared<clsPoly>();
        for (int k = 0; k < 1000; ++k) p->AddXY(i, k); // enough points to be worth the workers
        lines.push_back(std::make_shared<clsMapPolyline>());
        lines.back()->SetPoly(p);
        run.push_back(lines.back().get());
        sources.push_back(p);
    }
    FigureConversion c;
    c.Start(MapViewport{}, run, sources, false, [](MapViewport&, clsPoly& poly, bool, FigureConversion::Trace& t) {
        t.projected = true;
        t.firstRefused = poly.x(1) % 2 == 1;
        return FigureConversion::Polys{std::make_shared<clsPoly>(poly.Copy())};
    });
    c.Wait();
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        auto r = c.Take(run[size_t(i)]);
        ASSERT_EQ(r != nullptr, i % 2 == 0);
        if (r) {
            ASSERT_EQ(r->polys.size(), 1u);
            EXPECT_EQ(r->polys[0]->x(1), i);
            EXPECT_TRUE(r->projected);
        }
        EXPECT_EQ(c.Take(run[size_t(i)]), nullptr);
    }
}

} // namespace
