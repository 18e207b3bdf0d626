// Lines and areas converted on several cores ahead of their drawing give the
// very pixels of the conversion on one core, in the projections with the
// heaviest conversions, including lines that start where the projection
// cannot show them and lines across the date line.
#include "render/CanvasPolys.h"
#include "render/FigureConversion.h"
#include "support/PlotWorld.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <random>
#include <stdexcept>

namespace {

struct ThreadsBack {
    ~ThreadsBack() { FigureConversion::SetThreads(0); }
};

// The list as it is, kept in the worker's arena.
FigureConversion::Lists KeepAsIs(ListArena& into, const clsPoly& poly) {
    const std::span<ListArena::List> lists = into.Lists(1);
    lists[0] = into.Keep(poly.Span());
    return lists;
}

// Over 200 random areas and lines each, so that several runs ahead are made.
void AddFigures(clsMapUnit& unit, uint32_t seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int32_t> lon(-648000, 648000), lat(-300000, 300000), step(-20000, 20000);
    for (int i = 0; i < 260; ++i) {
        const int32_t x = lon(rng), y = lat(rng);
        const auto ring = PlotWorld::JaggedRing(rng, step, x, y, 24, 4500);
        PlotWorld::AddPolygon(unit, 1, 0, ring);
        auto line = std::make_shared<clsPoly>();
        int32_t lx = lon(rng), ly = lat(rng);
        for (int k = 0; k < 30; ++k) {
            line->AddXY(lx, ly);
            lx += step(rng) * 4;
            ly = std::clamp(ly + step(rng) * 2, -320000, 320000);
        }
        PlotWorld::AddFigure<clsMapPolyline>(unit, 2, 0, [&](clsMapPolyline& f) { f.SetPoly(line); });
    }
}

// The random world in one unit; its lines and areas are the unit's things 2 and 1.
std::shared_ptr<clsMapUnit> Build(PlotWorld& w) {
    PlotWorld::AddThing(*w.base, 1, 3, QStringLiteral("背景"), 0xFFFFFF, 8, 0);
    auto unit = w.AddUnit(QStringLiteral("WORLD"));
    PlotWorld::AddThing(*unit, 1, 3, QStringLiteral("陸地"), 0x60A0C0, 8, 0);
    PlotWorld::AddThing(*unit, 2, 2, QStringLiteral("海岸線"), 0x202020, 0, 1);
    AddFigures(*unit, 28);
    return unit;
}

QImage Draw(int threads, int16_t index) {
    FigureConversion::SetThreads(threads);
    PlotWorld w(600, 400);
    Build(w);
    w.View(index, 135 * 3600, 35 * 3600, 2.5);
    EXPECT_EQ(w.plot->Replot(), 0);
    return w.image().copy();
}

// A line up and down across the whole view, every turn kept in pixels.
std::shared_ptr<clsPoly> ZigZag(int32_t points) {
    auto p = std::make_shared<clsPoly>();
    for (int32_t k = 0; k < points; ++k) p->AddXY(-640000 + k * 64, (k % 2 ? 1 : -1) * (200000 + k % 7 * 1000));
    return p;
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

// A list of more canvas points than an arena block holds is drawn as on one
// core, in the middle of the run and at its end.
TEST(FigureConversion, AListLongerThanABlockDrawsTheOneCorePixels) {
    const ThreadsBack back;
    const auto draw = [](int threads) {
        FigureConversion::SetThreads(threads);
        PlotWorld w(600, 400);
        const auto unit = Build(w);
        const auto line = ZigZag(20000);
        PlotWorld::AddFigure<clsMapPolyline>(*unit, 2, 0, [&](clsMapPolyline& f) { f.SetPoly(line); });
        AddFigures(*unit, 29); // as many figures again after it
        w.View(12, 0, 0, 2.5);
        clsPoly copy = line->Copy();
        MapViewport view = w.plot->Viewport();
        ListArena arena;
        const auto lists = CanvasPolys(16, 0).PolysMapToCanvas(view, copy, false, arena);
        EXPECT_EQ(lists.size(), 1u);
        EXPECT_GT(lists.empty() ? 0u : lists[0].size(), ListArena::kBlockPoints);
        EXPECT_EQ(w.plot->Replot(), 0);
        return w.image().copy();
    };
    const QImage one = draw(1);
    EXPECT_EQ(draw(2), one);
    EXPECT_EQ(draw(8), one);
}

// A drawing that fails while the queue holds lists of the run and the
// workers are ahead of it leaves nothing behind for the next drawing.
TEST(FigureConversion, ADrawingAfterAFailedOneDrawsTheOneCorePixels) {
    const ThreadsBack back;
    const QImage one = Draw(1, 30);
    for (const int threads : {2, 8}) {
        SCOPED_TRACE(threads);
        FigureConversion::SetThreads(threads);
        PlotWorld w(600, 400);
        Build(w);
        w.View(30, 135 * 3600, 35 * 3600, 2.5);
        int yields = 0;
        w.plot->YieldHook = [&] {
            if (++yields == 4) throw std::runtime_error("stopped while drawing");
        };
        EXPECT_ANY_THROW(w.plot->Replot());
        EXPECT_GE(yields, 4);
        w.plot->YieldHook = nullptr;
        w.image().fill(Qt::black);
        EXPECT_EQ(w.plot->Replot(), 0);
        EXPECT_EQ(w.image(), one);
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
    c.Start(MapViewport{}, run, sources, false, [](MapViewport&, clsPoly& poly, bool, ListArena& into, FigureConversion::Trace& t) {
        t.projected = true;
        t.firstRefused = poly.x(1) % 2 == 1;
        return KeepAsIs(into, poly);
    });
    c.Wait();
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        auto r = c.Take(run[size_t(i)]);
        ASSERT_EQ(r != nullptr, i % 2 == 0);
        if (r) {
            ASSERT_EQ(r->lists.size(), 1u);
            EXPECT_EQ(r->lists[0][0].x, i);
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
                [&](MapViewport&, clsPoly& poly, bool, ListArena& into, FigureConversion::Trace& t) {
                    ++converted[size_t(poly.x(1))];
                    t.projected = true;
                    return KeepAsIs(into, poly);
                });
        std::vector<bool> handed(run.figures.size());
        for (size_t i = 0; i < run.figures.size(); ++i) {
            const auto* r = c.Take(run.figures[i]);
            handed[i] = r != nullptr;
            if (r) {
                ASSERT_EQ(r->lists.size(), 1u) << i;
                EXPECT_EQ(r->lists[0][0].x, int32_t(i));
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
            [&](MapViewport&, clsPoly& poly, bool, ListArena& into, FigureConversion::Trace& t) {
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
                return KeepAsIs(into, poly);
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
        ASSERT_EQ(r->lists.size(), 1u) << i;
        EXPECT_EQ(r->lists[0][0].x, int32_t(i));
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
            [](MapViewport&, clsPoly& poly, bool, ListArena& into, FigureConversion::Trace&) {
                return KeepAsIs(into, poly);
            });
    c.Wait();
    for (size_t i = 0; i < run.sources.size(); ++i) EXPECT_EQ(run.sources[i].use_count(), 2) << i; // the figure and `run`
    c.Clear();
}

// The drawing as the queue does it: takes the run in order and tells what
// it has drawn a while later. Each result must keep its list until then,
// however far the run goes past the look-ahead.
struct LaggingDrawing {
    const Figures& run;
    FigureConversion& c;
    size_t lag;
    std::vector<int> handed;
    ListArena own{};
    void TakeAll(size_t upTo) {
        std::vector<std::pair<size_t, FigureConversion::Lists>> lent;
        size_t told = 0;
        for (size_t i = 0; i < upTo; ++i) {
            if (const auto* r = c.Take(run.figures[i])) {
                ++handed[i];
                lent.emplace_back(i, r->lists);
            } else {
                // Converted here at its turn, as the drawing would.
                own.Begin(i);
                own.Keep(run.sources[i]->Span());
            }
            if (i < lag || (i - lag) % 64 != 0) continue;
            told = i - lag;
            // Everything before `told` is looked at once more, then let go.
            for (const auto& [k, lists] : lent) {
                if (k >= told) break;
                ASSERT_EQ(lists.size(), 1u) << k;
                ASSERT_EQ(lists[0].size(), 100u) << k;
                for (size_t p = 0; p < 100; ++p)
                    ASSERT_EQ(lists[0][p], (PolyPoint{int32_t(k), int32_t(p)})) << k << " " << p;
            }
            std::erase_if(lent, [&](const auto& e) { return e.first < told; });
            c.Release(told);
        }
    }
};

TEST(FigureConversion, ARunFarLongerThanTheLookAheadKeepsEachListUntilDrawn) {
    const ThreadsBack back;
    const Figures run(20000);
    for (const int threads : {2, 8}) {
        SCOPED_TRACE(threads);
        FigureConversion::SetThreads(threads);
        std::vector<std::atomic<int>> converted(run.figures.size());
        FigureConversion c;
        c.Start(MapViewport{}, run.figures, run.sources, false,
                [&](MapViewport&, clsPoly& poly, bool, ListArena& into, FigureConversion::Trace&) {
                    ++converted[size_t(poly.x(1))];
                    return KeepAsIs(into, poly);
                });
        LaggingDrawing d{run, c, 700, std::vector<int>(run.figures.size())};
        d.TakeAll(run.figures.size());
        c.Clear();
        for (size_t i = 0; i < run.figures.size(); ++i) EXPECT_EQ(converted[i].load(), d.handed[i]) << i;
    }
}

// A run ended before the drawing took it all (a cancelled or failed drawing)
// leaves the arenas to the next run whole.
TEST(FigureConversion, ARunCutShortLeavesTheNextOneSound) {
    const ThreadsBack back;
    FigureConversion::SetThreads(8);
    const Figures first(12000), second(12000);
    FigureConversion c;
    const auto keep = [](MapViewport&, clsPoly& poly, bool, ListArena& into, FigureConversion::Trace&) {
        return KeepAsIs(into, poly);
    };
    c.Start(MapViewport{}, first.figures, first.sources, false, keep);
    LaggingDrawing cut{first, c, 300, std::vector<int>(first.figures.size())};
    cut.TakeAll(3000);
    c.Clear();
    c.Start(MapViewport{}, second.figures, second.sources, false, keep);
    LaggingDrawing whole{second, c, 300, std::vector<int>(second.figures.size())};
    whole.TakeAll(second.figures.size());
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
            const auto ring = PlotWorld::JaggedRing(rng, step, x, y, 20, 6000);
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
// (on all cores) is what the drawing's order would give: the pixels of each
// figure drawn as a cell of its own, figures of a thing hidden on one page
// still drawn on another.
TEST(FigureConversion, OwnColoursAndShowModesMatchTheOneCoreDrawing) {
    const ThreadsBack back;
    auto draw = [](int threads, bool native, bool showModes, int32_t centre) {
        FigureConversion::SetThreads(threads);
        PlotWorld w(500, 300);
        PlotWorld::AddThing(*w.base, 1, 3, QStringLiteral("背景"), 0xFFFFFF, 8, 0);
        auto unit = w.AddUnit(QStringLiteral("LOOKS"));
        PlotWorld::AddArea(*unit, 1, 2, true);
        PlotWorld::AddArea(*unit, 2, 5, true);
        auto land = PlotWorld::AddThing(*unit, 1, 3, QStringLiteral("陸地"), 0x60A0C0, 8, 0);
        auto coast = PlotWorld::AddThing(*unit, 2, 2, QStringLiteral("海岸線"), 0x202020, 0, 1);
        w.View(12, centre, 0, 1.2);
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
        // Over 4096 figures: the selection is made in slices on all cores.
        for (int i = 0; i < 2100; ++i) {
            const int32_t x = lon(rng), y = lat(rng);
            const auto ring = PlotWorld::JaggedRing(rng, step, x, y, 20, 6000);
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
        w.plot->SetFigNativeEi(native);
        w.plot->SetFigShowModeEi(showModes);
        w.plot->SetThgShowModeEi(true);
        if (threads > 0) {
            EXPECT_EQ(w.plot->Replot(), 0);
            return w.image().copy();
        }
        // The reference: the background alone, then each area and then each
        // line drawn as a cell of its own, in the list's order.
        FigureConversion::SetThreads(1);
        const int16_t shown = w.plot->Options().mFigDisp;
        w.plot->SetFigDisp(0);
        EXPECT_EQ(w.plot->Replot(), 0);
        w.plot->SetFigDisp(shown);
        EXPECT_TRUE(w.plot->DrawStart());
        for (const int32_t code : {3, 2})
            for (const auto& fig : unit->gFigures->MapCollection())
                if (fig && fig->FigCode() == code) w.plot->DrawCell(unit->ToCell(fig.get()));
        w.plot->DrawEnd();
        return w.image().copy();
    };
    // Centred on the date line the phases are drawn twice, the second time
    // shifted by a turn, each time with a selection of its own.
    for (const int32_t centre : {0, 648000})
        for (const bool native : {false, true})
            for (const bool showModes : {false, true}) {
                SCOPED_TRACE(testing::Message() << "centre " << centre << " native " << native << " show modes "
                                                << showModes);
                const QImage one = draw(1, native, showModes, centre);
                EXPECT_GT(one.convertToFormat(QImage::Format_Indexed8).colorCount(), 3);
                EXPECT_TRUE(draw(8, native, showModes, centre) == one);
                // Away from the date line, where each cell is drawn once.
                if (centre == 0) {
                    EXPECT_TRUE(draw(0, native, showModes, centre) == one);
                }
            }
}

} // namespace
