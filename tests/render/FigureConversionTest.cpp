// Lines and areas converted on several cores ahead of their drawing give the
// very pixels of the conversion on one core, in the projections with the
// heaviest conversions, including lines that start where the projection
// cannot show them and lines across the date line.
#include "render/FigureConversion.h"
#include "support/PlotWorld.h"

#include <gtest/gtest.h>
#include <atomic>
#include <chrono>
#include <thread>
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
        // Two threads draw on the walking one; more draw on threads of their own.
        EXPECT_EQ(Draw(2, index), one);
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

// Figures with their own lists, as a map holds them, for runs of several
// chunks.
struct Figures {
    std::vector<std::shared_ptr<clsMapPolyline>> lines;
    std::vector<clsMapFigure*> figures;
    std::vector<std::shared_ptr<clsPoly>> sources;
    explicit Figures(int n) {
        for (int i = 0; i < n; ++i) {
            auto p = std::make_shared<clsPoly>();
            for (int k = 0; k < 100; ++k) p->AddXY(i, k);
            lines.push_back(std::make_shared<clsMapPolyline>());
            lines.back()->SetPoly(p);
            figures.push_back(lines.back().get());
            sources.push_back(p);
        }
    }
};

// Whatever the drawing reaches first, every figure is converted once: by a
// worker, whose result the drawing gets, or by the drawing at its turn
// (no result), never by both.
TEST(FigureConversion, EachFigureIsConvertedOnceOnOneSide) {
    const ThreadsBack back;
    for (const int threads : {2, 8}) {
        SCOPED_TRACE(threads);
        FigureConversion::SetThreads(threads);
        const Figures run(1000);
        std::vector<std::atomic<int>> converted(run.figures.size());
        FigureConversion c;
        c.Start(MapViewport{}, run.figures, run.sources, false,
                [&](MapViewport&, clsPoly& poly, bool, FigureConversion::Trace& t) {
                    ++converted[size_t(poly.x(1))];
                    t.projected = true;
                    return FigureConversion::Polys{std::make_shared<clsPoly>(poly.Copy())};
                });
        std::vector<bool> handed(run.figures.size());
        for (size_t i = 0; i < run.figures.size(); ++i) {
            const auto* r = c.Take(run.figures[i]);
            handed[i] = r != nullptr;
            if (r) {
                ASSERT_EQ(r->polys.size(), 1u) << i;
                EXPECT_EQ(r->polys[0]->x(1), int32_t(i));
            }
        }
        c.Clear();
        for (size_t i = 0; i < run.figures.size(); ++i) EXPECT_EQ(converted[i].load(), handed[i] ? 1 : 0) << i;
    }
}

// The drawing, on reaching a chunk a worker is still at, converts a later
// one meanwhile instead of sleeping: with one worker held inside the first
// chunk until someone else has converted, the drawing does the second, and
// every result is still handed over once, in order.
TEST(FigureConversion, TheDrawingConvertsAheadWhileAWorkerHoldsItsChunk) {
    const ThreadsBack back;
    FigureConversion::SetThreads(2);
    const Figures run(100);
    const std::thread::id drawing = std::this_thread::get_id();
    std::atomic<bool> workerIn{false}, helped{false};
    std::vector<std::atomic<int>> converted(run.figures.size());
    FigureConversion c;
    c.Start(MapViewport{}, run.figures, run.sources, false,
            [&](MapViewport&, clsPoly& poly, bool, FigureConversion::Trace& t) {
                const int32_t i = poly.x(1);
                ++converted[size_t(i)];
                if (std::this_thread::get_id() == drawing) {
                    helped = true;
                } else if (i == 0) {
                    workerIn = true;
                    // Not for ever: a drawing that only waits fails below.
                    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
                    while (!helped && std::chrono::steady_clock::now() < until) std::this_thread::yield();
                }
                t.projected = true;
                return FigureConversion::Polys{std::make_shared<clsPoly>(poly.Copy())};
            });
    while (!workerIn) std::this_thread::yield();
    std::vector<bool> handed(run.figures.size());
    for (size_t i = 0; i < run.figures.size(); ++i) {
        const auto* r = c.Take(run.figures[i]);
        // The first chunk's figures come from the worker; a later chunk may
        // still be left to the drawing's turn.
        ASSERT_TRUE(r != nullptr || i >= 16) << i;
        handed[i] = r != nullptr;
        if (!r) continue;
        ASSERT_EQ(r->polys.size(), 1u) << i;
        EXPECT_EQ(r->polys[0]->x(1), int32_t(i));
    }
    EXPECT_TRUE(helped.load());
    c.Clear();
    for (size_t i = 0; i < run.figures.size(); ++i) EXPECT_EQ(converted[i].load(), handed[i] ? 1 : 0) << i;
}

// A worker lets go of a map's list once it has converted it, so that the
// thread ending the run does not have every figure's list to let go.
TEST(FigureConversion, ConvertedListsAreLetGoByTheWorkers) {
    const ThreadsBack back;
    FigureConversion::SetThreads(4);
    const Figures run(200);
    FigureConversion c;
    c.Start(MapViewport{}, run.figures, run.sources, false,
            [](MapViewport&, clsPoly& poly, bool, FigureConversion::Trace&) {
                return FigureConversion::Polys{std::make_shared<clsPoly>(poly.Copy())};
            });
    c.Wait();
    for (size_t i = 0; i < run.sources.size(); ++i) EXPECT_EQ(run.sources[i].use_count(), 2) << i; // the figure and `run`
    c.Clear();
}

// The cells of the lines and areas are made with the selection, on all
// cores; the pages their things are turned to stay those of the drawing's
// order, hidden areas and figures of a missing thing included: the colours,
// and the page a thing is left on after the drawing.
TEST(FigureConversion, ThingPagesFollowTheDrawingOrder) {
    const ThreadsBack back;
    struct Drawn {
        QImage image;
        int16_t landPage, coastPage;
    };
    auto draw = [](int threads) {
        FigureConversion::SetThreads(threads);
        PlotWorld w(500, 300);
        PlotWorld::AddThing(*w.base, 1, 3, QStringLiteral("背景"), 0xFFFFFF, 8, 0);
        auto unit = w.AddUnit(QStringLiteral("PAGES"));
        PlotWorld::AddArea(*unit, 1, 2, true);
        PlotWorld::AddArea(*unit, 2, 3, false);
        PlotWorld::AddArea(*unit, 3, 4, true);
        auto land = PlotWorld::AddThing(*unit, 1, 3, QStringLiteral("陸地"), 0x60A0C0, 8, 0);
        auto coast = PlotWorld::AddThing(*unit, 2, 2, QStringLiteral("海岸線"), 0x202020, 0, 1);
        for (int16_t page = 2; page <= 4; ++page) {
            land->SetPage(page);
            land->SetFore(0x103050 * page);
            coast->SetPage(page);
            coast->SetFore(0x301005 * page);
        }
        std::mt19937 rng(37);
        std::uniform_int_distribution<int32_t> lon(-600000, 600000), lat(-280000, 280000), step(-15000, 15000);
        for (int i = 0; i < 300; ++i) {
            const int32_t x = lon(rng), y = lat(rng);
            auto ring = std::make_shared<clsPoly>();
            for (int k = 0; k < 20; ++k) ring->AddXY(x + step(rng) + (k < 10 ? k : 20 - k) * 6000, y + step(rng));
            ring->AddXY(ring->x(1), ring->y(1));
            // Every seventh names a thing the unit does not have.
            const int16_t area = int16_t(i % 3 + 1);
            PlotWorld::AddPolygon(*unit, i % 7 == 3 ? 9 : 1, area, ring);
            PlotWorld::AddFigure<clsMapPolyline>(*unit, i % 7 == 5 ? 9 : 2, area, [&](clsMapPolyline& f) {
                f.SetPoly(std::make_shared<clsPoly>(ring->Copy()));
            });
        }
        // The last line lies in the hidden area: its thing is still turned.
        PlotWorld::AddLine(*unit, 2, 2, 0, 0, 36000, 36000);
        w.View(12, 0, 0, 1.2);
        EXPECT_EQ(w.plot->Replot(), 0);
        return Drawn{w.image().copy(), land->Page(), coast->Page()};
    };
    const Drawn one = draw(1);
    EXPECT_EQ(one.coastPage, 3);
    EXPECT_EQ(one.landPage, 4); // the last area, 299 % 3 + 1 = 3, is on page 4
    for (const int threads : {2, 8}) {
        SCOPED_TRACE(threads);
        const Drawn several = draw(threads);
        EXPECT_TRUE(several.image == one.image);
        EXPECT_EQ(several.landPage, one.landPage);
        EXPECT_EQ(several.coastPage, one.coastPage);
    }
}

// With the figures' own colours and show modes and the things' scale limits
// in play, what is worked out for a line or area while choosing the figures
// (on all cores) is what the drawing's order would give: the same pixels,
// figures of a thing hidden on one page still drawn on another.
TEST(FigureConversion, OwnColoursAndShowModesMatchTheOneCoreDrawing) {
    const ThreadsBack back;
    auto draw = [](int threads, bool native, bool showModes) {
        FigureConversion::SetThreads(threads);
        PlotWorld w(500, 300);
        PlotWorld::AddThing(*w.base, 1, 3, QStringLiteral("背景"), 0xFFFFFF, 8, 0);
        auto unit = w.AddUnit(QStringLiteral("LOOKS"));
        PlotWorld::AddArea(*unit, 1, 2, true);
        PlotWorld::AddArea(*unit, 2, 5, true);
        auto land = PlotWorld::AddThing(*unit, 1, 3, QStringLiteral("陸地"), 0x60A0C0, 8, 0);
        auto coast = PlotWorld::AddThing(*unit, 2, 2, QStringLiteral("海岸線"), 0x202020, 0, 1);
        w.View(12, 0, 0, 1.2);
        const double scale = w.plot->MapScale();
        // Page 2 shows by scale and takes in the view's; page 5 shows by
        // scale and leaves it out for the land, and never for the coast.
        land->SetPage(2);
        land->SetShowMode(-1);
        land->SetScaleL(scale / 2);
        land->SetScaleS(scale * 2);
        land->SetFore(0x305070);
        land->SetPage(5);
        land->SetShowMode(-1);
        land->SetScaleL(scale * 2);
        land->SetScaleS(scale * 4);
        land->SetFore(0x705030);
        coast->SetPage(2);
        coast->SetShowMode(1);
        coast->SetFore(0x0000C0);
        coast->SetSize(2);
        coast->SetPage(5);
        coast->SetShowMode(0);
        coast->SetFore(0x00C000);
        std::mt19937 rng(41);
        std::uniform_int_distribution<int32_t> lon(-600000, 600000), lat(-280000, 280000), step(-15000, 15000);
        for (int i = 0; i < 300; ++i) {
            const int32_t x = lon(rng), y = lat(rng);
            auto ring = std::make_shared<clsPoly>();
            for (int k = 0; k < 20; ++k) ring->AddXY(x + step(rng) + (k < 10 ? k : 20 - k) * 6000, y + step(rng));
            ring->AddXY(ring->x(1), ring->y(1));
            const int16_t area = int16_t(i % 2 + 1);
            auto poly = PlotWorld::AddPolygon(*unit, 1, area, ring);
            auto line = PlotWorld::AddFigure<clsMapPolyline>(*unit, 2, area, [&](clsMapPolyline& f) {
                f.SetPoly(std::make_shared<clsPoly>(ring->Copy()));
            });
            // Own show modes: hidden, shown whatever the thing says, the thing's.
            poly->SetOwnShowMode(int32_t(i % 3) - 1);
            line->SetOwnShowMode(int32_t(i % 5 == 0 ? 1 : -1));
            if (i % 4 == 0) poly->SetOwnColor(0x10 * (i % 16));
            if (i % 6 == 0) line->SetOwnColor(0xC0C000);
        }
        w.plot->mFigNativeEi = native;
        w.plot->mFigShowModeEi = showModes;
        w.plot->mThgShowModeEi = true;
        EXPECT_EQ(w.plot->Replot(), 0);
        return w.image().copy();
    };
    for (const bool native : {false, true})
        for (const bool showModes : {false, true}) {
            SCOPED_TRACE(testing::Message() << "native " << native << " show modes " << showModes);
            const QImage one = draw(1, native, showModes);
            EXPECT_GT(one.convertToFormat(QImage::Format_Indexed8).colorCount(), 3);
            EXPECT_TRUE(draw(8, native, showModes) == one);
        }
}

} // namespace
