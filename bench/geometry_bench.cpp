// Point-list work over a ring of one million points: clipping to a
// rectangle, chopping long steps, and the globe preparation of a ring that
// crosses the date line and reaches high latitudes.
#include "core/GlobePolyLib.h"
#include "core/MapProjection.h"
#include "core/clsPoly.h"

#include <benchmark/benchmark.h>
#include <cmath>

namespace {

constexpr int kPoints = 1000000;

// A wavy ring about the origin in plane units: radius 1e6 +- 3e3, steps of
// about 6.6 units.
clsPoly PlaneRing() {
    clsPoly p;
    for (int i = 0; i < kPoints; ++i) {
        const double t = 6.283185307179586 * i / kPoints;
        const double r = 1e6 + 3e3 * std::sin(t * 100);
        p.AddXY(int32_t(std::lround(r * std::cos(t))), int32_t(std::lround(r * std::sin(t))));
    }
    p.MakeLoop();
    return p;
}

// A ring of radius 25 degrees about (180°, 50°) in seconds of arc: it
// crosses the date line and its northern part lies beyond 66°.
clsPoly GlobeRing() {
    clsPoly p;
    const double r = 25 * 3600.0;
    for (int i = 0; i < kPoints; ++i) {
        const double t = 6.283185307179586 * i / kPoints;
        double lon = 648000 + r * std::cos(t) / std::cos(50 * 3.14159265358979 / 180);
        const double lat = 180000 + r * std::sin(t);
        if (lon > 648000) lon -= 1296000;
        p.AddXY(int32_t(std::lround(lon)), int32_t(std::lround(lat)));
    }
    p.MakeLoop();
    return p;
}

void BM_Clip(benchmark::State& state) {
    const clsPoly ring = PlaneRing();
    const clsRect rect(-700000, -1200000, 1200000, 500000);
    for (auto _ : state) {
        state.PauseTiming();
        clsPoly p = ring;
        state.ResumeTiming();
        benchmark::DoNotOptimize(p.Clip(rect));
    }
    state.SetItemsProcessed(state.iterations() * ring.Count());
}

void BM_Chop(benchmark::State& state) {
    const clsPoly ring = PlaneRing();
    for (auto _ : state) {
        state.PauseTiming();
        clsPoly p = ring;
        state.ResumeTiming();
        // Pitch 3 adds two points to most steps: three million points out.
        benchmark::DoNotOptimize(p.Chop(3, 3));
    }
    state.SetItemsProcessed(state.iterations() * ring.Count());
}

void BM_GlobePolyRound(benchmark::State& state) {
    MapProjection::InitGlobeRadius(MapProjection::DefaultGlobeRadius);
    const clsPoly ring = GlobeRing();
    for (auto _ : state) {
        state.PauseTiming();
        clsPoly p = ring;
        state.ResumeTiming();
        auto pieces = GlobePolyLib::GlobePolyRound(p, 0, true, false);
        benchmark::DoNotOptimize(pieces.data());
    }
    state.SetItemsProcessed(state.iterations() * ring.Count());
}

} // namespace

BENCHMARK(BM_Clip)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Chop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GlobePolyRound)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
