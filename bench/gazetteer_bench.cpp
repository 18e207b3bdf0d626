// A gazetteer of 200,000 places read and sorted by name, as the jump dialog
// does when it opens on the gazetteer. Names are a random mix of kana, kanji
// and Latin, so the sort meets the shapes of a real world gazetteer.
#include "core/MapProjection.h"
#include "dialogs/GazetteerFile.h"
#include "dialogs/PlaceList.h"
#include "platform/FileSystem.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>

namespace {

constexpr int kPlaces = 200000;

QString MakeGazetteer(const QTemporaryDir& dir) {
    std::mt19937 rng(26);
    const QString pool = QStringLiteral("アイウエオカキクケコサシスセソ東京大阪山川島田中村abcdeKLMNO(-) ");
    std::uniform_int_distribution<int> len(2, 12), pick(0, int(pool.size()) - 1), lon(-648000, 648000),
        lat(-324000, 324000);
    PlaceList list;
    for (int i = 0; i < kPlaces; ++i) {
        QString name;
        for (int n = len(rng); n > 0; --n) name += pool[pick(rng)];
        list.Append({name, QStringLiteral("JP%1.MLL").arg(i % 97), QStringLiteral("日本"), QStringLiteral("地名"),
                     QString::number(lon(rng)), QString::number(lat(rng)), QStringLiteral("30000000"),
                     QStringLiteral("100000"), PlaceList::PlaceKey(name, 2)});
    }
    const QString path = dir.path() + QStringLiteral("/GAZET_VOSP_J.TXT");
    GazetteerFile::Write(path, list, 2, 1);
    return path;
}

void BM_LoadAndSort200k(benchmark::State& state) {
    MapProjection::InitGlobeRadius(MapProjection::DefaultGlobeRadius);
    QTemporaryDir dir;
    const QString path = MakeGazetteer(dir);
    for (auto _ : state) {
        PlaceList list;
        int32_t sort = 1;
        GazetteerFile::Read(path, list, sort);
        list.Sort(sort);
        benchmark::DoNotOptimize(list.Count());
        if (list.Count() != kPlaces) state.SkipWithError("places lost");
    }
    state.SetItemsProcessed(state.iterations() * kPlaces);
    state.counters["bytes"] = double(FileSystem::ReadAll(path).size());
}
BENCHMARK(BM_LoadAndSort200k)->Unit(benchmark::kMillisecond);

void BM_Search200k(benchmark::State& state) {
    PlaceList list;
    for (int i = 0; i < kPlaces; ++i) {
        PlaceList::Row row;
        row[PlaceList::ColKey] = QStringLiteral("ＫＥＹ%1").arg(i);
        list.Append(std::move(row));
    }
    for (auto _ : state) benchmark::DoNotOptimize(list.Search(QStringLiteral("XYZ"), 1, 2));
}
BENCHMARK(BM_Search200k)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
