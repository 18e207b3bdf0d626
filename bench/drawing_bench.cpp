// Drawing-layer throughput into a 1920 x 1080 picture: polylines with plain,
// wide and pattern pens, solid and tile-filled polygons, and symbols.
// items_per_second is primitives (polylines, polygons, symbols) per second.
#include "render/MonoBitmap.h"
#include "render/clsMapGraph.h"
#include "render/clsResTile.h"

#include <QGuiApplication>
#include <QImage>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr int kW = 1920, kH = 1080;

struct Scene {
    QImage image{kW, kH, QImage::Format_RGB32};
    DeviceContext dc{(image.fill(Qt::white), image)};
    clsMapGraph g;
    Scene() { g.GraphBegin(&dc, 0, 0, kW, kH); }
};

// Polylines of 20 points wandering over the picture.
std::vector<clsPoly> Polylines(int n)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> x(0, kW - 1), y(0, kH - 1), step(-60, 60);
    std::vector<clsPoly> v(size_t(n), clsPoly{});
    for (auto& p : v) {
        int px = x(rng), py = y(rng);
        for (int i = 0; i < 20; ++i) {
            p.AddXY(px, py);
            px = std::clamp(px + step(rng), 0, kW - 1);
            py = std::clamp(py + step(rng), 0, kH - 1);
        }
    }
    return v;
}

// Closed rings of 12 points about 150 pixels across.
std::vector<clsPoly> Polygons(int n)
{
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> x(0, kW - 1), y(0, kH - 1), r(40, 90);
    std::vector<clsPoly> v(size_t(n), clsPoly{});
    for (auto& p : v) {
        const int cx = x(rng), cy = y(rng);
        for (int i = 0; i < 12; ++i) {
            const double a = i * 2 * 3.14159265358979 / 12;
            const int rr = r(rng);
            p.AddXY(cx + int(rr * std::cos(a)), cy + int(rr * std::sin(a)));
        }
        p.AddXY(p.x(1), p.y(1));
    }
    return v;
}

void RunPolylines(benchmark::State& state, int16_t style, int32_t width, int32_t back)
{
    Scene s;
    const auto lines = Polylines(256);
    s.g.SetPen(style, width, 0x2040C0, back);
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(s.g.DrawPolyline(lines[i++ % lines.size()]));
    }
    state.SetItemsProcessed(int64_t(state.iterations()));
}

void BM_PolylineCosmetic(benchmark::State& st) { RunPolylines(st, 0, 1, -1); }
void BM_PolylineDotted(benchmark::State& st) { RunPolylines(st, 2, 1, 0xFFFFFF); }
void BM_PolylineWide(benchmark::State& st) { RunPolylines(st, 0, 4, -1); }
void BM_PolylineWideDashed(benchmark::State& st) { RunPolylines(st, 1, 4, 0xFFFFFF); }
void BM_PolylinePattern(benchmark::State& st) { RunPolylines(st, int16_t(st.range(0)), 1, 0xFFFFFF); }

void RunPolygons(benchmark::State& state, int16_t style, int32_t back)
{
    Scene s;
    auto polys = Polygons(256);
    s.g.SetBrush(style, 0x30A030, back);
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(s.g.DrawPolygon(polys[i++ % polys.size()]));
    }
    state.SetItemsProcessed(int64_t(state.iterations()));
}

void BM_PolygonSolid(benchmark::State& st) { RunPolygons(st, 6, -1); }
void BM_PolygonHatch(benchmark::State& st) { RunPolygons(st, 4, -1); }
void BM_PolygonTile(benchmark::State& st) { RunPolygons(st, int16_t(st.range(0)), st.range(1) ? 0xFFFFFF : -1); }

void BM_Symbols(benchmark::State& state)
{
    Scene s;
    s.g.SetSymbol(int16_t(state.range(0)), 0x0000FF, state.range(1) ? 0xFFFFFF : -1);
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> x(0, kW - 1), y(0, kH - 1);
    std::vector<std::pair<int, int>> at(1024);
    for (auto& p : at)
        p = {x(rng), y(rng)};
    size_t i = 0;
    for (auto _ : state) {
        const auto& p = at[i++ % at.size()];
        benchmark::DoNotOptimize(s.g.DrawPaint(p.first, p.second));
    }
    state.SetItemsProcessed(int64_t(state.iterations()));
}

void BM_Text(benchmark::State& state)
{
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "drawing_bench";
        static char* argv[] = {name, nullptr};
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        new QGuiApplication(argc, argv);
    }
    Scene s;
    s.g.SetFont(QString::fromUtf8("ＭＳ Ｐゴシック"), 10, int32_t(state.range(0)), 0, 0x000000,
                state.range(1) ? 0xFFFFFF : -1);
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> x(0, kW - 1), y(0, kH - 1);
    size_t i = 0;
    const QString texts[] = {QString::fromUtf8("東京"), "Sapporo", QString::fromUtf8("ナイル川"), "Mt. Fuji"};
    for (auto _ : state)
        benchmark::DoNotOptimize(s.g.DrawText(x(rng), y(rng), 12, texts[i++ % 4]));
    state.SetItemsProcessed(int64_t(state.iterations()));
}

} // namespace

BENCHMARK(BM_Text)->Args({0, 0})->Args({0, 1})->Args({30, 1});
BENCHMARK(BM_PolylineCosmetic);
BENCHMARK(BM_PolylineDotted);
BENCHMARK(BM_PolylineWide);
BENCHMARK(BM_PolylineWideDashed);
BENCHMARK(BM_PolylinePattern)->Arg(102)->Arg(118)->Arg(121);
BENCHMARK(BM_PolygonSolid);
BENCHMARK(BM_PolygonHatch);
BENCHMARK(BM_PolygonTile)->Args({100, 1})->Args({110, 0})->Args({120, 1});
BENCHMARK(BM_Symbols)->Args({0, 0})->Args({0, 1})->Args({30, 1});

BENCHMARK_MAIN();
