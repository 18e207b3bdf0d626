#include "dialogs/PlaceJump.h"

#include "cruise/clsCruise05.h"
#include "support/MapUnitTestEnv.h"
#include "render/clsMapPlot.h"

#include <QDir>
#include <QPoint>

using PlaceJumpTest = MapUnitTest;

TEST_F(PlaceJumpTest, ScaleComesIntoTheRange) {
    const struct {
        const char* name;
        double scale, min, max, result;
    } cases[] = {
        {"inside", 5e6, 3e7, 1e6, 5e6},
        {"too large a scale", 5e5, 3e7, 1e6, 1e6},
        {"too small a scale", 4e7, 3e7, 1e6, 3e7},
        {"reversed limits end at the minimum", 5e6, 1e6, 3e7, 1e6},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.name);
        EXPECT_EQ(PlaceJump::JumpScale(t.scale, t.min, t.max), t.result);
    }
}

TEST_F(PlaceJumpTest, JumpSwitchesAutoCruiseOffWithItsMessage) {
    clsMapPlot plot;
    clsCruise05 cruise;
    cruise.mEiAuto = true;
    plot.SetMapScale(5e8);
    PlaceJump::Apply(plot, &cruise, {502884, 128484}, 3e7, 1e6);
    EXPECT_EQ(QPoint(plot.CenterX(), plot.CenterY()), QPoint(502884, 128484));
    EXPECT_EQ(plot.MapScale(), 3e7);
    EXPECT_FALSE(cruise.mEiAuto);
    ASSERT_EQ(ui.ui.messages.size(), 1);
    EXPECT_EQ(ui.ui.messages[0].text, "〔オートクルーズ〕を解除します.");
    EXPECT_EQ(ui.ui.messages[0].style, Mb::Information);
    PlaceJump::Apply(plot, &cruise, {0, 0}, 3e7, 1e6);
    EXPECT_EQ(ui.ui.messages.size(), 1);
}

TEST_F(PlaceJumpTest, HistoryKeepsNoRepeatOfTheLastEntry) {
    QStringList h;
    for (const char* k : {"Tokyo", "TOKYO", "", "Kyoto", "tokyo"}) PlaceJump::AddHistory(h, k);
    EXPECT_EQ(h, QStringList({"Tokyo", "Kyoto", "tokyo"}));
}

TEST_F(PlaceJumpTest, PlaceMapShownOrLoadedFromTheMapFolder) {
    EXPECT_EQ(PlaceJump::MapPath("/m", "..\\..\\etc\\JP.MLL"), "/m\\JP.MLL");
    dir.write("JP.MLL", "x");
    QDir(dir.path()).mkdir("sub");
    dir.write("sub/KR.MLL", "x");
    EXPECT_EQ(PlaceJump::MapPath(dir.path(), "JP.MLL"), dir.path() + "\\JP.MLL");
    EXPECT_EQ(PlaceJump::MapPath(dir.path(), "kr.mll"), dir.path() + "/sub/KR.MLL"); // found below
    EXPECT_EQ(PlaceJump::UnitMode("jp.mll"), 1);
    EXPECT_EQ(PlaceJump::UnitMode("jp.mxy"), 2);

    clsMapUnits units;
    CreateBase(units);
    auto level3 = OpenUnit("L3", 113000, 3);
    auto plain = OpenUnit("PLAIN", -1, 3);
    ASSERT_TRUE(units.Add(level3));
    ASSERT_TRUE(units.Add(plain));
    level3->bDraw = false;
    QStringList loads;
    std::shared_ptr<clsMapUnit> level5;
    auto load = [&](const QString& path, int32_t) {
        loads << Library::PathFileName(path);
        return level5 = OpenUnit("L5", 115000, 3);
    };
    // Open but hidden: shown again, nothing loaded.
    PlaceJump::ShowPlaceMap(units, dir.file("l3.mll"), 1, true, load);
    EXPECT_TRUE(level3->bDraw);
    EXPECT_TRUE(loads.isEmpty());
    // Not open, from the loaded units: nothing happens.
    PlaceJump::ShowPlaceMap(units, dir.file("L5.MLL"), 1, false, load);
    EXPECT_TRUE(loads.isEmpty());
    // From the gazetteer: loaded; maps of other levels hidden, level-less kept.
    PlaceJump::ShowPlaceMap(units, dir.file("L5.MLL"), 1, true, load);
    EXPECT_EQ(loads, QStringList({"L5.MLL"}));
    EXPECT_TRUE(Names(units).contains("L5.MLL"));
    EXPECT_FALSE(level3->bDraw);
    EXPECT_TRUE(plain->bDraw);
    // Open but hidden, with another level shown: only the place's level stays.
    PlaceJump::ShowPlaceMap(units, dir.file("L3.MLL"), 1, true, load);
    EXPECT_EQ(loads.size(), 1);
    EXPECT_TRUE(level3->bDraw);
    EXPECT_FALSE(level5->bDraw);
    EXPECT_TRUE(plain->bDraw);
    // The base's code 110000 gives it level 0, which is no level: the others stay.
    PlaceJump::ShowPlaceMap(units, dir.file("BASE.MLL"), 1, true, load);
    EXPECT_TRUE(level3->bDraw);
}
