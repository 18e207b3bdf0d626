// The shipped world maps and the colour-coded map's presets, read back from
// the map and program folders as the build lays them out.
#include "core/Library.h"
#include "core/clsEnvironment.h"
#include "cruise/clsCruise05.h"
#include "document/clsAdmin.h"
#include "document/clsAdmins.h"
#include "document/clsMap.h"
#include "document/clsMapText.h"
#include "platform/ScriptedUi.h"

#include <QPoint>
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

// Tanzania (834) by its right Japanese name in every area list, on every
// world map and in the cruise list.
TEST(ShippedWorldMaps, TanzaniaIsSpelledRightEverywhere) {
    ScopedUi ui;
    const QString name = QStringLiteral("タンザニア連合共和国");
    QStringList lists;
    for (int n = 1; n <= 8; ++n) {
        if (n <= 6) lists << QStringLiteral("WORLD_T%1.ADM").arg(n);
        if (n >= 4) lists << QStringLiteral("COLORED%1.ADM").arg(n);
    }
    for (const QString& file : lists) {
        clsAdmins areas;
        areas.SetFileName(Library::JoinPath(QStringLiteral(VOSP_MAP_FOLDER), file));
        ASSERT_EQ(areas.Load(), 0) << file.toStdString();
        ASSERT_TRUE(areas.Item(834)) << file.toStdString();
        EXPECT_EQ(areas.Item(834)->JapaneseName().toStdString(), name.toStdString()) << file.toStdString();
    }
    for (int level = 1; level <= 6; ++level) {
        clsMap map;
        map.SetFileName(QStringLiteral(VOSP_MAP_FOLDER "/WORLD_T%1.MLL").arg(level));
        ASSERT_EQ(map.Load(), 0) << level;
        int named = 0;
        for (const auto& f : map)
            if (f->FigCode() == 5 && f->Admin() == 834)
                named += static_cast<const clsMapText&>(*f).TextUnicode(2) == name;
        EXPECT_EQ(named, 1) << level;
    }
    clsCruise05 cruise;
    cruise.SetListFile(QStringLiteral(VOSP_PROGRAM_FOLDER "/CRUISE05.LST"));
    EXPECT_EQ(cruise.CountryName(834, 2).toStdString(), name.toStdString());
    EXPECT_TRUE(ui.ui.messages.isEmpty());
}
