// Forward and inverse conversion rates of every projection index over one
// million fixed pseudo-random points inside its valid area (items/s is
// points per second).
#include "core/MapProjection.h"
#include "core/clsVospProjector.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <vector>

namespace {

constexpr int kPoints = 1000000;
constexpr int32_t kCentreLon = 135 * 3600;
constexpr int32_t kCentreLat = 35 * 3600;

// A fixed generator, so every run sees the same points.
struct Lcg {
    uint64_t s = 0x9E3779B97F4A7C15ull;
    uint32_t Next() {
        s = s * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>(s >> 33);
    }
    int32_t Between(int32_t lo, int32_t hi) { return lo + static_cast<int32_t>(Next() % uint32_t(hi - lo + 1)); }
};

clsVospProjector Make(int16_t index) {
    MapProjection::InitGlobeRadius(MapProjection::DefaultGlobeRadius);
    clsVospProjector p;
    p.SetPrjIndex(index);
    p.SetCenterLon(kCentreLon);
    p.SetCenterLat(kCentreLat);
    p.SetLight(3);
    p.SetUp();
    return p;
}

struct Sample {
    std::vector<int32_t> lon, lat;
    std::vector<double> x, y;
};

// Points the forward accepts, drawn within 180 degrees of the centre
// meridian, and their plane images for the inverse.
const Sample& Points(int16_t index) {
    static Sample cache[31];
    Sample& s = cache[index];
    if (!s.lon.empty()) return s;
    clsVospProjector p = Make(index);
    Lcg g;
    g.s += static_cast<uint64_t>(index) * 7919;
    s.lon.reserve(kPoints);
    while (static_cast<int>(s.lon.size()) < kPoints) {
        const int32_t lon = kCentreLon + g.Between(-647999, 647999);
        const int32_t lat = g.Between(-323999, 323999);
        double x, y;
        if (!p.CnvLLtoXY(lon, lat, x, y)) continue;
        s.lon.push_back(lon);
        s.lat.push_back(lat);
        s.x.push_back(x);
        s.y.push_back(y);
    }
    return s;
}

void Forward(benchmark::State& state) {
    const int16_t index = static_cast<int16_t>(state.range(0));
    const Sample& s = Points(index);
    clsVospProjector p = Make(index);
    double sum = 0;
    for (auto _ : state) {
        for (int i = 0; i < kPoints; ++i) {
            double x, y;
            p.CnvLLtoXY(s.lon[size_t(i)], s.lat[size_t(i)], x, y);
            sum += x + y;
        }
    }
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations() * kPoints);
}

void Inverse(benchmark::State& state) {
    const int16_t index = static_cast<int16_t>(state.range(0));
    const Sample& s = Points(index);
    clsVospProjector p = Make(index);
    const int n = kPoints;
    int64_t sum = 0;
    for (auto _ : state) {
        for (int i = 0; i < n; ++i) {
            int32_t lon, lat;
            p.CnvXYtoLL(s.x[size_t(i)], s.y[size_t(i)], lon, lat);
            sum += lon + lat;
        }
    }
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations() * n);
}

void Indexes(benchmark::internal::Benchmark* b) {
    for (int i : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 19, 20, 21, 23, 24, 25, 26, 30}) b->Arg(i);
}

} // namespace

BENCHMARK(Forward)->Apply(Indexes)->Unit(benchmark::kMillisecond);
BENCHMARK(Inverse)->Apply(Indexes)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
