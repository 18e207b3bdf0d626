// Whole replots at 1920 x 1080 in the projections 12, 17, 30, 5 and 25 of a
// generated world of about 500,000 points (land polygons, their coastlines,
// borders, 2,000 symbols and 2,000 texts) and of the level-6 world map of the
// standard set (about 1.47 million points, read from the built map folder),
// each on one thread, two and all cores (second argument: conversion threads,
// 0 for all); and the generated world 1, 4 and 20 times over (0.5, 2 and
// 10 million points) on all cores, for the cost per point as the map grows.
// Reports milliseconds per replot.
#include "core/MapProjection.h"
#include "core/PublicVal.h"
#include "document/clsAdmin.h"
#include "document/clsAdmins.h"
#include "document/clsMap.h"
#include "document/clsMapPolygon.h"
#include "document/clsMapPolyline.h"
#include "document/clsMapSymbol.h"
#include "document/clsMapText.h"
#include "document/clsMapUnit.h"
#include "document/clsMapUnits.h"
#include "document/clsThing.h"
#include "document/clsThings.h"
#include "platform/DeviceContext.h"
#include "render/RenderGlobals.h"
#include "render/clsMapGraph.h"
#include "render/FigureConversion.h"
#include "render/clsMapPlot.h"

#include <QGuiApplication>
#include <QImage>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>
#include <map>
#include <memory>
#include <random>

namespace {

std::shared_ptr<clsThing> Thing(clsMapUnit& u, int16_t code, int16_t figure, const QString& name, int32_t fore,
                                int16_t style, int16_t size, int32_t back = -1) {
    auto t = std::make_shared<clsThing>();
    t->SetIndex(code);
    t->SetFigure(figure);
    t->SetName(name);
    for (int16_t page = 1; page <= 8; ++page) {
        t->SetPage(page);
        t->SetShowMode(1);
        t->SetFore(figure == 3 ? fore + page * 0x0A0A : fore);
        t->SetBack(back);
        t->SetStyle(style);
        t->SetSize(size);
        if (figure == 5) t->SetFontName(QStringLiteral("ＭＳ Ｐゴシック"));
    }
    t->SetPage(1);
    u.gThings->Add(t);
    return t;
}

struct World {
    clsMapUnits units;
    int64_t points = 0;

    explicit World(int times = 1) {
        auto old = clsMapUnit::SetLoadPresenter([](clsMapUnit&) { return true; });
        units.Create(1);
        clsMapUnit::SetLoadPresenter(std::move(old));
        clsMapUnit& base = *units.Base();
        Area(base, 0, 1);
        Thing(base, 1, 3, QStringLiteral("背景"), 0xE0E0E0, 8, 0);
        Thing(base, 2, 3, QStringLiteral("海洋"), 0xFFE8C8, 8, 0);
        Thing(base, 3, 2, QStringLiteral("経線"), 0xC0A080, 0, 1);
        Thing(base, 4, 2, QStringLiteral("緯線"), 0xC0A080, 0, 1);
        Thing(base, 5, 2, QStringLiteral("赤道線"), 0x0000C0, 0, 1);
        Thing(base, 6, 2, QStringLiteral("帯域線"), 0x008000, 2, 1);
        Thing(base, 7, 5, QStringLiteral("緯度"), 0x800000, 0, 8, 0xFFFFFF);
        Thing(base, 8, 5, QStringLiteral("経度"), 0x800000, 0, 8, 0xFFFFFF);
        Thing(base, 9, 2, QStringLiteral("投影枠"), 0, 0, 2);

        auto unit = std::make_shared<clsMapUnit>();
        unit->SetUnitName(QStringLiteral("/nonexistent/GENERATED.MLL"));
        units.Add(unit);
        for (int16_t a = 0; a < 200; ++a) Area(*unit, a, int16_t(a % 8 + 1));
        Thing(*unit, 1, 3, QStringLiteral("陸地"), 0x60A0C0, 8, 0);
        Thing(*unit, 2, 2, QStringLiteral("海岸線"), 0x404040, 0, 1);
        Thing(*unit, 3, 2, QStringLiteral("国境"), 0x505050, 1, 1);
        Thing(*unit, 4, 4, QStringLiteral("都市"), 0x0000FF, 3, 0, 0xFFFFFF);
        Thing(*unit, 5, 5, QStringLiteral("地名"), 0x202020, 0, 9, 0xFFFFFF);

        std::mt19937 rng(20261206);
        std::uniform_real_distribution<double> uni(0.0, 1.0);
        clsMap& map = *unit->gFigures;
        // 1,000 islands of 200 points each, drawn as land and again as coastline.
        for (int i = 0; i < 1000 * times; ++i) {
            const double cx = -640000 + 1280000 * uni(rng), cy = -280000 + 560000 * uni(rng);
            const double r = 15000 + 45000 * uni(rng);
            auto ring = std::make_shared<clsPoly>();
            for (int k = 0; k < 200; ++k) {
                const double a = k * 2 * 3.14159265358979 / 200;
                const double rr = r * (0.7 + 0.3 * std::sin(5 * a + i) + 0.1 * uni(rng));
                ring->AddXY(int32_t(cx + rr * std::cos(a)), int32_t(std::clamp(cy + rr * std::sin(a), -323000.0, 323000.0)));
            }
            ring->AddXY(ring->x(1), ring->y(1));
            auto land = std::make_shared<clsMapPolygon>();
            land->SetThing(1);
            land->SetAdmin(int16_t(i % 200));
            land->SetPoly(ring);
            map.Add(land);
            auto coast = std::make_shared<clsMapPolyline>();
            coast->SetThing(2);
            coast->SetAdmin(int16_t(i % 200));
            coast->SetPoly(std::make_shared<clsPoly>(ring->Copy()));
            map.Add(coast);
            points += 2 * ring->Count();
        }
        // Borders: 1,000 random walks of 100 points.
        for (int i = 0; i < 1000 * times; ++i) {
            double x = -640000 + 1280000 * uni(rng), y = -280000 + 560000 * uni(rng);
            auto line = std::make_shared<clsPoly>();
            for (int k = 0; k < 100; ++k) {
                x += (uni(rng) - 0.5) * 6000;
                y = std::clamp(y + (uni(rng) - 0.5) * 6000, -323000.0, 323000.0);
                line->AddXY(int32_t(std::clamp(x, -648000.0, 648000.0)), int32_t(y));
            }
            auto border = std::make_shared<clsMapPolyline>();
            border->SetThing(3);
            border->SetAdmin(int16_t(i % 200));
            border->SetPoly(line);
            map.Add(border);
            points += line->Count();
        }
        for (int i = 0; i < 2000 * times; ++i) {
            const int32_t x = int32_t(-640000 + 1280000 * uni(rng)), y = int32_t(-280000 + 560000 * uni(rng));
            auto sym = std::make_shared<clsMapSymbol>();
            sym->SetThing(4);
            sym->SetAdmin(int16_t(i % 200));
            sym->Setmx(x);
            sym->Setmy(y);
            map.Add(sym);
            auto text = std::make_shared<clsMapText>();
            text->SetThing(5);
            text->SetAdmin(int16_t(i % 200));
            text->Setmx(x);
            text->Setmy(y);
            text->SetTextFix(int16_t(i % 25));
            text->SetTextUnicode(2, QStringLiteral("地名%1").arg(i));
            map.Add(text);
            points += 2;
        }
    }

    static void Area(clsMapUnit& u, int16_t code, int16_t page) {
        auto a = std::make_shared<clsAdmin>();
        a->SetAdminCode(code);
        a->SetPage(page);
        u.gAdmins->Add(a);
    }
};

World& TheWorld() {
    static World w;
    return w;
}

// The level-6 world map with its lists over the base unit of the map folder.
struct StandardWorld {
    clsMapUnits units;
    int64_t points = 0;

    StandardWorld() {
        PublicVal::gvMapFolder = QStringLiteral(VOSP_MAP_FOLDER);
        units.Create(1);
        auto unit = std::make_shared<clsMapUnit>();
        unit->SetMapMode(1);
        unit->SetUnitName(QStringLiteral(VOSP_MAP_FOLDER "/WORLD_T6.MLL"));
        if (!unit->Load() || !units.Add(unit)) return;
        const clsMap& map = *unit->gFigures;
        for (int32_t i = 1; i <= map.Count(); ++i)
            if (auto poly = map.Item(i)->Poly()) points += poly->Count();
    }
};

StandardWorld& TheStandardWorld() {
    static StandardWorld w;
    return w;
}

// A line of /proc/self/status ("VmRSS", "VmHWM") in MiB; 0 where there is none.
double StatusMiB(const std::string& key) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.compare(0, key.size() + 1, key + ":") == 0) return std::stod(line.substr(key.size() + 1)) / 1024;
    return 0;
}

// Starts the peak of the resident memory afresh at what is resident now.
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

void Replot(benchmark::State& state, clsMapUnits& units, int64_t points) {
    FigureConversion::SetThreads(static_cast<int>(state.range(1)));
    QImage image(1920, 1080, QImage::Format_RGB32);
    // The picture is the caller's, there before any replot: its pages are
    // touched before the memory a replot adds is measured.
    image.fill(Qt::white);
    DeviceContext dc(image, 96, 96);
    clsMapGraph graph;
    RenderGlobals::SetMapGraph(&graph);
    clsMapPlot plot;
    RenderGlobals::SetMapPlot(&plot);
    plot.mMaps = &units;
    plot.SetProjectionAuto(false);
    plot.SetProjectionIndex(static_cast<int16_t>(state.range(0)));
    plot.SetCenterX(0);
    plot.SetCenterY(126000);
    plot.SetMapScale(1e8);
    plot.Setdpix(96);
    plot.Setdpiy(96);
    plot.SetHdc(&dc);
    plot.SetCanvasLeft(0);
    plot.SetCanvasTop(0);
    plot.SetCanvasWidth(1920);
    plot.SetCanvasHeight(1080);
    // What the replots hold beyond the loaded map, measured from the first
    // replot of the process on (the benchmark runs a case more than once, and
    // memory freed by one run stays for the next): meaningful for the first
    // case a process runs.
    static const double loaded = [] {
        ResetPeak();
        return StatusMiB("VmRSS");
    }();
    for (auto _ : state) {
        if (plot.Replot() != 0) state.SkipWithError("the replot did not finish");
    }
    state.counters["added_MiB"] = StatusMiB("VmHWM") - loaded;
    state.counters["peak_MiB"] = StatusMiB("VmHWM");
    state.counters["points"] = double(points);
    state.counters["ns_per_point"] =
        benchmark::Counter(double(points) * 1e-9, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetLabel(MapProjection::StandardPrjName(static_cast<int16_t>(state.range(0))).toStdString());
    RenderGlobals::SetMapPlot(nullptr);
    RenderGlobals::SetMapGraph(nullptr);
}

void BM_Replot(benchmark::State& state) {
    World& world = TheWorld();
    Replot(state, world.units, world.points);
}

void BM_ReplotWorldT6(benchmark::State& state) {
    StandardWorld& world = TheStandardWorld();
    if (world.units.Count() < 2) {
        state.SkipWithError("WORLD_T6.MLL could not be read");
        return;
    }
    Replot(state, world.units, world.points);
}

void BM_ReplotScaling(benchmark::State& state) {
    static std::map<int, std::unique_ptr<World>> worlds;
    const int times = static_cast<int>(state.range(2));
    auto it = worlds.find(times);
    if (it == worlds.end()) {
        worlds.clear(); // one large world in memory at a time
        it = worlds.emplace(times, std::make_unique<World>(times)).first;
    }
    Replot(state, it->second->units, it->second->points);
}

void Projections(benchmark::internal::Benchmark* b) {
    for (const int threads : {1, 2, 0})
        for (const int index : {12, 17, 30, 5, 25}) b->Args({index, threads});
}

// Wall time: the replot runs on several threads, so the main thread's CPU
// time would make every figure, ns_per_point included, look faster than it is.
// The CPU column is the whole process's, what the threads cost together.
BENCHMARK(BM_Replot)
    ->Apply(Projections)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_ReplotWorldT6)
    ->Apply(Projections)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(BM_ReplotScaling)
    ->Args({12, 0, 1})
    ->Args({12, 0, 4})
    ->Args({12, 0, 20})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The settings of the user never enter the measurement.
    setenv("XDG_CONFIG_HOME", "/nonexistent-vosperal-bench", 1);
    QGuiApplication app(argc, argv);
    MapProjection::InitGlobe(nullptr);
    PublicVal::gvMapMode = 1;
    PublicVal::gvLanguage = 2;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
