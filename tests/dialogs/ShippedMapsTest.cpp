// The shipped world maps and the colour-coded map's presets, read back from
// the map and program folders as the build lays them out.
#include "core/Library.h"
#include "core/clsEnvironment.h"
#include "document/clsAdmin.h"
#include "document/clsAdmins.h"
#include "document/clsMap.h"
#include "document/clsMapText.h"
#include "document/clsThings.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedUi.h"

#include <QPoint>
#include <functional>
#include <gtest/gtest.h>

// Fiji's outline crosses 180 degrees; its name stands at 178°00'E 17°48'S.
TEST(ShippedWorldMaps, FijiIsNamedOnItsIslandsOnEveryLevel) {
    ScopedUi ui;
    for (int level = 1; level <= 6; ++level) {
        clsMap map;
        map.SetFileName(QStringLiteral(VOSP_MAP_FOLDER "/WORLD_T%1.MLL").arg(level));
        ASSERT_EQ(map.Load(), 0) << level;
        QList<QPoint> at;
        for (const auto& f : map)
            if (f->FigCode() == 5 && static_cast<const clsMapText&>(*f).TextUnicode(1) == QStringLiteral("Fiji"))
                at << QPoint(static_cast<const clsMapText&>(*f).mx(), static_cast<const clsMapText&>(*f).my());
        EXPECT_EQ(at, QList<QPoint>{QPoint(640800, -64080)}) << level;
    }
}

TEST(ShippedWorldMaps, EveryPresetColoursNeighboursApart) {
    ScopedUi ui;
    clsEnvironment env;
    env.SetFileName(QStringLiteral(VOSP_PROGRAM_FOLDER "/Environment.txt"));
    ASSERT_EQ(env.Load(), 0);
    clsAdmins world;
    world.SetFileName(QStringLiteral(VOSP_MAP_FOLDER "/WORLD_T3.ADM"));
    ASSERT_EQ(world.Load(), 0);
    // Czechia to Ukraine, the Koreas, China and Russia.
    const int16_t neighbours[][2] = {{203, 703}, {703, 348}, {348, 642}, {642, 498}, {498, 804}, {703, 804},
                                     {348, 804}, {642, 804}, {203, 348}, {408, 156}, {410, 408}, {156, 643}};
    for (int16_t n = 4; n <= 8; ++n) {
        const QString name = env.GetString(QString::number(n) + QStringLiteral("ColoredMapAdm"), {});
        EXPECT_EQ(name, QStringLiteral("COLORED%1.ADM").arg(n));
        clsAdmins preset;
        preset.SetFileName(Library::JoinPath(QStringLiteral(VOSP_MAP_FOLDER), name));
        ASSERT_EQ(preset.Load(), 0) << n;
        for (const auto& area : world) {
            const auto p = preset.Item(area->AdminCode());
            ASSERT_TRUE(p && p->Page() >= 1 && p->Page() <= n) << n << " " << area->AdminCode();
        }
        for (const auto& [a, b] : neighbours)
            EXPECT_NE(preset.Item(a)->Page(), preset.Item(b)->Page()) << n << ": " << a << " " << b;
    }
    EXPECT_TRUE(ui.ui.messages.isEmpty());
}

// Tanzania (834) by its right Japanese name in every area list.
TEST(ShippedWorldMaps, TanzaniaIsSpelledRight) {
    ScopedUi ui;
    for (const char* file : {"WORLD_T1", "WORLD_T2", "WORLD_T3", "WORLD_T4", "WORLD_T5", "WORLD_T6", "COLORED4",
                             "COLORED5", "COLORED6", "COLORED7", "COLORED8"}) {
        SCOPED_TRACE(file);
        clsAdmins areas;
        areas.SetFileName(QStringLiteral(VOSP_MAP_FOLDER "/%1.ADM").arg(QLatin1String(file)));
        ASSERT_EQ(areas.Load(), 0);
        ASSERT_TRUE(areas.Item(834));
        EXPECT_EQ(areas.Item(834)->JapaneseName(), QStringLiteral("タンザニア連合共和国"));
    }
    EXPECT_TRUE(ui.ui.messages.isEmpty());
}

// The lists and settings kept as UTF-8 are laid out in the Japanese code
// page with CR LF, and the program reads their Japanese back.
TEST(ShippedProgramFiles, JapaneseReadsBack) {
    ScopedUi ui;
    const auto comment = [](const QString& path) {
        clsThings things;
        things.SetFileName(path);
        return things.Load() == 0 ? things.Comment() : QString();
    };
    const struct {
        const char* path;
        std::function<QString(const QString&)> read;
        const char* expected;
    } rows[] = {
        {VOSP_MAP_FOLDER "/BASE.THG", comment, "ベースマップ（背景・海洋・経緯線・方位線・投影枠）"},
        {VOSP_MAP_FOLDER "/DEFAULT.THG", comment, "新しい地図の事象"},
        {VOSP_PROGRAM_FOLDER "/Environment.txt",
         [](const QString& path) {
             clsEnvironment env;
             env.SetFileName(path);
             return env.Load() == 0 ? env.GetString(QStringLiteral("PlotHighPrjVosp"), {}) : QString();
         },
         "正距方位図法"},
    };
    for (const auto& r : rows) {
        const QString path = QString::fromUtf8(r.path);
        const QByteArray bytes = FileSystem::ReadAll(path);
        EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n')) << r.path;
        EXPECT_EQ(r.read(path), QString::fromUtf8(r.expected)) << r.path;
    }
    EXPECT_TRUE(ui.ui.messages.isEmpty());
}
