// A snapshot whose section "PUBLIC" holds tens of thousands of keys (64,000
// make about 1 MB), imported into the settings store as the Open command
// does: the file read once, its five sections imported in one batch of the
// store, which is then written once.
#include "core/clsRegistry.h"
#include "core/clsTextFile.h"
#include "platform/FileSystem.h"
#include "platform/SettingsStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

const char* const kSections[] = {"PUBLIC", "ACCESSORY", "LLPLOT", "LLGRID", "VIEW"};

QString MakeSnapshot(const QTemporaryDir& dir, int64_t keys) {
    QByteArray text = "[PUBLIC]\r\n";
    for (int64_t i = 0; i < keys; ++i) text += "Key" + QByteArray::number(i) + "=\"" + QByteArray::number(i * 7) + "\"\r\n";
    for (const char* s : kSections)
        if (QByteArray(s) != "PUBLIC") text += QByteArray("[") + s + "]\r\nWidth=\"640\"\r\nHeight=\"480\"\r\n";
    const QString path = dir.path() + QStringLiteral("/BIG.MLG");
    FileSystem::WriteAtomic(path, text, false);
    return path;
}

void BM_ReadSnapshot(benchmark::State& state) {
    QTemporaryDir dir;
    setenv("XDG_CONFIG_HOME", qPrintable(dir.path()), 1);
    const int64_t keys = state.range(0);
    const QString path = MakeSnapshot(dir, keys);
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(SettingsStore::DefaultFilePath());
        SettingsStore::Reopen();
        state.ResumeTiming();
        const clsTextFile in = clsTextFile::Read(path);
        {
            SettingsStore::Batch once(SettingsStore::Instance());
            for (const char* s : kSections) {
                clsRegistry reg;
                reg.mSection = QString::fromLatin1(s);
                reg.ReadFile(in);
            }
        }
        clsRegistry pub;
        pub.mSection = QStringLiteral("PUBLIC");
        if (pub.RegGetSec().size() != keys) state.SkipWithError("keys lost");
    }
    state.SetItemsProcessed(state.iterations() * keys);
}
BENCHMARK(BM_ReadSnapshot)->Arg(16000)->Arg(64000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
