// The shipped world maps and the colour-coded map's presets, read back from
// the map and program folders as the build lays them out.
#include "core/Library.h"
#include "core/clsEnvironment.h"
#include "document/clsAdmin.h"
#include "document/clsAdmins.h"
#include "document/clsMap.h"
#include "document/clsMapText.h"
#include "platform/ScriptedUi.h"

#include <gtest/gtest.h>

namespace {

constexpr int32_t Sec(int32_t deg, int32_t min) { return (deg * 60 + min) * 60; }

} // namespace

// Fiji's outline crosses 180 degrees; the name stands on its main island.
TEST(ShippedWorldMaps, FijiIsNamedOnItsIslandsOnEveryLevel) {
    ScopedUi ui;
    for (int level = 1; level <= 6; ++level) {
        clsMap map;
        map.SetFileName(QStringLiteral(VOSP_MAP_FOLDER "/WORLD_T%1.MLL").arg(level));
        ASSERT_EQ(map.Load(), 0) << level;
        int names = 0;
        for (const auto& f : map) {
            if (f->FigCode() != 5) continue;
            const auto& t = static_cast<const clsMapText&>(*f);
            if (t.TextUnicode(1) != QStringLiteral("Fiji")) continue;
            ++names;
            EXPECT_EQ(t.mx(), Sec(178, 0)) << level;
            EXPECT_EQ(t.my(), -Sec(17, 48)) << level;
        }
        EXPECT_EQ(names, 1) << level;
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
    const struct {
        int16_t a, b;
    } neighbours[] = {{203, 703}, {703, 348}, {348, 642}, {642, 498}, {498, 804}, {703, 804},
                      {348, 804}, {642, 804}, {203, 348}, {408, 156}, {410, 408}, {156, 643}};
    for (int16_t n = 4; n <= 8; ++n) {
        const QString name = env.GetString(QString::number(n) + QStringLiteral("ColoredMapAdm"), {});
        EXPECT_EQ(name, QStringLiteral("COLORED%1.ADM").arg(n));
        clsAdmins preset;
        preset.SetFileName(Library::JoinPath(QStringLiteral(VOSP_MAP_FOLDER), name));
        ASSERT_EQ(preset.Load(), 0) << n;
        for (const auto& area : world) {
            const auto p = preset.Item(area->AdminCode());
            ASSERT_TRUE(p) << n << " " << area->AdminCode();
            EXPECT_TRUE(p->Page() >= 1 && p->Page() <= n) << n << " " << area->AdminCode();
        }
        for (const auto& [a, b] : neighbours)
            EXPECT_NE(preset.Item(a)->Page(), preset.Item(b)->Page()) << n << ": " << a << " " << b;
    }
    EXPECT_TRUE(ui.ui.messages.isEmpty());
}
