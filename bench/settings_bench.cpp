// A settings file of tens of thousands of sections (20,000 make about
// 520 KB), as a damaged or hand-edited store can have: the store opened from
// it as the start does, and a key written into every section in one batch,
// then the file written once.
#include "platform/FileSystem.h"
#include "platform/SettingsStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QString MakeSettings(const QTemporaryDir& dir, int64_t sections) {
    QByteArray text;
    for (int64_t i = 0; i < sections; ++i)
        text += "[Vosperal\\S" + QByteArray::number(i) + "]\r\nW=\"" + QByteArray::number(i % 10) + "\"\r\n";
    const QString path = dir.path() + QStringLiteral("/settings.txt");
    FileSystem::WriteAtomic(path, text, false);
    return path;
}

void BM_LoadSettings(benchmark::State& state) {
    QTemporaryDir dir;
    const int64_t sections = state.range(0);
    const QString path = MakeSettings(dir, sections);
    for (auto _ : state) {
        const SettingsStore store(path);
        if (store.Get("Vosperal", QStringLiteral("s%1").arg(sections - 1), "w", "-") == "-")
            state.SkipWithError("sections lost");
    }
    state.SetItemsProcessed(state.iterations() * sections);
}
BENCHMARK(BM_LoadSettings)->Arg(20000)->Arg(40000)->Unit(benchmark::kMillisecond);

void BM_PutEverySection(benchmark::State& state) {
    QTemporaryDir dir;
    const int64_t sections = state.range(0);
    const QString path = MakeSettings(dir, sections);
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(path + QStringLiteral(".copy"));
        QFile::copy(path, path + QStringLiteral(".copy"));
        SettingsStore store(path + QStringLiteral(".copy"));
        state.ResumeTiming();
        {
            SettingsStore::Batch once(store);
            for (int64_t i = 0; i < sections; ++i) store.Put("Vosperal", QStringLiteral("S%1").arg(i), "H", "480");
        }
        if (store.Writes() != 1) state.SkipWithError("not written once");
    }
    state.SetItemsProcessed(state.iterations() * sections);
}
BENCHMARK(BM_PutEverySection)->Arg(20000)->Arg(40000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
