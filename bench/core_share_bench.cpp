// The same projection work on 1, 2, 4 and 8 threads at once, each thread on
// points of its own with nothing shared: the CPU time a point costs as more
// cores work side by side. Where the machine's cores slow each other (virtual
// cores on shared hardware), a replot on all cores pays it too, whatever its
// own split; this measures it apart from the replot's code.
//
// cpu_ns_per_point is the thread's own CPU time per point, averaged over the
// threads; compare the rows of one index.
#include "core/MapProjection.h"
#include "core/clsVospProjector.h"

#include <benchmark/benchmark.h>
#include <ctime>
#include <vector>

namespace {

constexpr int kPoints = 4096;

double ThreadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

void BM_ProjectSideBySide(benchmark::State& state) {
    const auto index = static_cast<int16_t>(state.range(0));
    if (state.thread_index() == 0) MapProjection::InitGlobeRadius(MapProjection::DefaultGlobeRadius);
    clsVospProjector p;
    p.SetPrjIndex(index);
    p.SetCenterLon(135 * 3600);
    p.SetCenterLat(0);
    p.SetUp();
    // A coastline-like walk: short steps, as the map's lists have.
    std::vector<PolyPoint> in(kPoints);
    int32_t lon = -600000 + state.thread_index() * 1000, lat = -200000;
    for (int i = 0; i < kPoints; ++i) {
        lon += 260 + (i * 37) % 90;
        lat += (i % 64 < 32 ? 110 : -90);
        in[size_t(i)] = {lon, lat};
    }
    std::vector<PlaneXY> out(kPoints);
    const double cpu0 = ThreadCpuSeconds();
    for (auto _ : state) {
        p.CnvLLtoXY(in, out);
        benchmark::DoNotOptimize(out.data());
    }
    const double points = double(state.iterations()) * kPoints;
    state.counters["cpu_ns_per_point"] =
        benchmark::Counter((ThreadCpuSeconds() - cpu0) * 1e9 / points, benchmark::Counter::kAvgThreads);
}

} // namespace

BENCHMARK(BM_ProjectSideBySide)->ArgsProduct({{30, 17, 25}})->Threads(1)->Threads(2)->Threads(4)->Threads(8)
    ->UseRealTime();

BENCHMARK_MAIN();
