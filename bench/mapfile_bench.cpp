// Reading map files of 10 MB and 100 MB (versions 105 and 106) from the page
// cache. Reports bytes per second and, as "peak/points", the resident memory
// the load added at its peak divided by the size of the point data.
#include "document/clsMap.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <malloc.h>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <tuple>

namespace {

struct Generated {
    QString path;
    qint64 bytes = 0;
    qint64 pointBytes = 0;
};

class Writer {
public:
    explicit Writer(int version) : version_(version) {}
    QByteArray out;
    qint64 points = 0;

    void I16(int v) {
        const auto u = static_cast<uint16_t>(v);
        const char b[2] = {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
        out.append(b, 2);
    }
    void I32(int32_t v) {
        char b[4];
        std::memcpy(b, &v, 4);
        out.append(b, 4);
    }
    void Head(int16_t thing) {
        if (version_ == 106) {
            I32(0);
            const double id = 400000000000000.0;
            out.append(reinterpret_cast<const char*>(&id), 8);
            I16(1);
            I16(thing);
            I32(-1);
            out.append('\0');
            out.append('\0');
            I32(0);
        } else {
            I16(1);
            I16(thing);
            I32(0);
        }
    }
    void Ascii(const char* s, bool withLength) {
        const int n = static_cast<int>(std::strlen(s));
        if (withLength) I16(n);
        out.append(s, n);
    }

    void Header() {
        I16(1);
        I16(0);
        Ascii(version_ == 106 ? "# version:1.06" : "# version:1.05", true);
        I32(0);
    }
    // Mostly outlines of 4..403 points, with symbols, texts and remarks;
    // `symbolsOnly` gives the worst case of many small records.
    void Figure(std::mt19937& rng, bool symbolsOnly) {
        const int r = symbolsOnly ? 80 : static_cast<int>(rng() % 100);
        if (r < 75) {
            const int code = r < 45 ? 2 : 3;
            const int n = 4 + static_cast<int>(rng() % 400);
            I16(code);
            Head(static_cast<int16_t>(code));
            if (version_ == 106) I32(n);
            else I16(n);
            int32_t x = static_cast<int32_t>(rng() % 1296000) - 648000;
            int32_t y = static_cast<int32_t>(rng() % 648000) - 324000;
            for (int i = 0; i < n; ++i) {
                x += static_cast<int32_t>(rng() % 61) - 30;
                y += static_cast<int32_t>(rng() % 61) - 30;
                I32(x);
                I32(y);
            }
            points += n;
        } else if (r < 88) {
            I16(4);
            Head(5);
            I32(static_cast<int32_t>(rng() % 1296000) - 648000);
            I32(static_cast<int32_t>(rng() % 648000) - 324000);
        } else if (r < 98) {
            I16(5);
            Head(6);
            I32(static_cast<int32_t>(rng() % 1296000) - 648000);
            I32(static_cast<int32_t>(rng() % 648000) - 324000);
            I16(10);
            I16(static_cast<int>(rng() % 361) - 180);
            Ascii("Place name", true);
            const char jpn[] = "\x93\x8c\x8b\x9e"; // two characters, four bytes
            I16(version_ == 106 || version_ == 105 ? 4 : 2);
            out.append(jpn, 4);
        } else {
            I16(1);
            Head(0);
            Ascii("# note:generated", true);
        }
    }

private:
    int version_;
};

QTemporaryDir& Folder() {
    static QTemporaryDir dir;
    return dir;
}

const Generated& File(int version, int megabytes, bool symbolsOnly) {
    static std::map<std::tuple<int, int, bool>, Generated> files;
    Generated& g = files[{version, megabytes, symbolsOnly}];
    if (!g.path.isEmpty()) return g;
    Writer w(version);
    w.out.reserve(static_cast<qsizetype>(megabytes) << 20);
    w.Header();
    std::mt19937 rng(static_cast<uint32_t>(version * 1000 + megabytes));
    while (w.out.size() < (static_cast<qsizetype>(megabytes) << 20)) w.Figure(rng, symbolsOnly);
    g.path = Folder().path() + QStringLiteral("/GEN%1_%2_%3.MLL").arg(version).arg(megabytes).arg(symbolsOnly);
    QFile f(g.path);
    if (!f.open(QIODevice::WriteOnly) || f.write(w.out) != w.out.size()) std::abort();
    f.close();
    g.bytes = w.out.size();
    g.pointBytes = w.points * 8;
    return g;
}

qint64 StatusKb(const char* key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    const size_t n = std::strlen(key);
    while (std::getline(in, line)) {
        if (line.compare(0, n, key) == 0) return std::stoll(line.substr(n + 1));
    }
    return 0;
}

void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

void BM_LoadMap(benchmark::State& state) {
    const int version = static_cast<int>(state.range(0));
    const int megabytes = static_cast<int>(state.range(1));
    const Generated& g = File(version, megabytes, state.range(2) != 0);

    // Peak memory of one load, from a trimmed heap.
    double peakRatio = 0;
    {
        malloc_trim(0);
        ResetPeak();
        const qint64 base = StatusKb("VmRSS:");
        clsMap map;
        map.SetFileName(g.path);
        if (map.Load() != 0) state.SkipWithError("load failed");
        const qint64 peak = StatusKb("VmHWM:");
        peakRatio = g.pointBytes ? static_cast<double>(peak - base) * 1024.0 / static_cast<double>(g.pointBytes) : 0;
        state.counters["figures"] = map.Count();
    }
    malloc_trim(0);

    for (auto _ : state) {
        auto map = std::make_unique<clsMap>();
        map->SetFileName(g.path);
        if (map->Load() != 0) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(map->Count());
        state.PauseTiming();
        map.reset(); // releasing the figures is not part of reading
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * g.bytes);
    state.counters["peak/points"] = peakRatio;
    state.counters["MB"] = static_cast<double>(g.bytes) / (1 << 20);
}

BENCHMARK(BM_LoadMap)
    ->Args({105, 10, 0})
    ->Args({106, 10, 0})
    ->Args({105, 100, 0})
    ->Args({106, 100, 0})
    ->Args({106, 100, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
