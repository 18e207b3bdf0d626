// Map units and their list (clsMapUnit, clsMapUnits): names, adding, removing and ordering.
#include "document/HMap.h"

#include "support/MapUnitTestEnv.h"

namespace {

TEST_F(MapUnitTest, UnitNameSetsModeOnlyForExactExtensions) {
    clsMapUnit u;
    u.SetUnitName(dir.file("w.mxy"));
    EXPECT_EQ(u.gFigures->MapMode(), 1);
    EXPECT_EQ(u.UnitName(), dir.file("w.MLL"));
    EXPECT_EQ(u.gThings->FileName() + u.gAdmins->FileName(), dir.file("w.THG") + dir.file("w.ADM"));
    u.SetUnitName(dir.file("p.MXY"));
    EXPECT_EQ(u.gFigures->MapMode(), 2);
    EXPECT_EQ(u.UnitName(), dir.file("p.MXY"));
}

TEST_F(MapUnitTest, CreateGivesItsCode) {
    clsMapUnits units;
    EXPECT_EQ(units.Active(), nullptr);
    EXPECT_EQ(units.Create(3), 1);
    // No base map in the map folder: the load fails and says so.
    WriteLists("BASE");
    EXPECT_EQ(units.Create(1), 5);
    EXPECT_EQ(units.Count(), 0);
    EXPECT_FALSE(ui.ui.messages.isEmpty());
    CreateBase(units);
    EXPECT_EQ(units.Count(), 1);
    EXPECT_EQ(units.Index(), 1);
    EXPECT_FALSE(units.Base()->bSearch);
    EXPECT_EQ(units.Base()->UnitName(), dir.file("BASE.MLL"));
    EXPECT_EQ(units.Create(1), 3);
    EXPECT_EQ(units.Item(2), nullptr);
}

TEST_F(MapUnitTest, AddRefusesDuplicatesAndReplacesOnlyTheBaseFile) {
    clsMapUnits units;
    CreateBase(units);
    auto a = OpenUnit("A", 120000, 3);
    ASSERT_TRUE(units.Add(a));
    EXPECT_EQ(units.Index(), 2);
    a->bDraw = false;
    auto again = std::make_shared<clsMapUnit>();
    again->SetUnitName(dir.file("a.mll"));
    EXPECT_FALSE(units.Add(again));
    EXPECT_TRUE(a->bDraw); // shown again
    EXPECT_EQ(units.Count(), 2);

    auto other = std::make_shared<clsMapUnit>();
    other->SetUnitName(dir.file("q.MXY"));
    EXPECT_FALSE(units.Add(other)); // another map mode

    // A name that merely contains "base" is an ordinary map.
    auto mybase = OpenUnit("MYBASE", -1, 2);
    ASSERT_TRUE(units.Add(mybase));
    EXPECT_EQ(Names(units), QStringList({"BASE.MLL", "A.MLL", "MYBASE.MLL"}));

    // The base map's own file from elsewhere replaces the base unit.
    QDir().mkdir(dir.file("other"));
    MapFileBuilder b(106);
    b.VersionHeader();
    dir.write("other/base.mll", b.bytes);
    auto base2 = std::make_shared<clsMapUnit>();
    base2->SetUnitName(dir.file("other/base.MLL"));
    ASSERT_TRUE(units.Add(base2));
    EXPECT_EQ(units.Count(), 3);
    EXPECT_EQ(units.Base(), base2);
    EXPECT_EQ(units.Index(), 3);
}

TEST_F(MapUnitTest, RemoveKeepsTheIndexValid) {
    clsMapUnits units;
    CreateBase(units);
    for (const char* n : {"A", "B", "C"}) ASSERT_TRUE(units.Add(OpenUnit(n, -1, 2)));
    EXPECT_FALSE(units.Remove(1));
    EXPECT_FALSE(units.Remove(5));
    units.SetIndex(3); // B
    units.SetIndex(0);
    units.SetIndex(5);
    EXPECT_EQ(units.Index(), 3);
    ASSERT_TRUE(units.Remove(2)); // below the active unit
    EXPECT_EQ(units.Index(), 2);
    EXPECT_EQ(Library::PathFileName(units.Active()->UnitName()), QStringLiteral("B.MLL"));
    ASSERT_TRUE(units.Remove(2)); // the active unit: the next one becomes active
    EXPECT_EQ(units.Index(), 2);
    EXPECT_EQ(Library::PathFileName(units.Active()->UnitName()), QStringLiteral("C.MLL"));
    ASSERT_TRUE(units.Remove(2)); // the last one
    EXPECT_EQ(units.Index(), 1);
    units.ClearAll();
    EXPECT_EQ(units.Count(), 1);
}

TEST_F(MapUnitTest, OptimizeDropsUnitsWithOneFigure) {
    clsMapUnits units;
    CreateBase(units);
    for (const auto& [name, figures] : {std::pair{"ONE", 1}, {"TWO", 2}, {"NONE", 0}})
        ASSERT_TRUE(units.Add(OpenUnit(name, -1, figures)));
    EXPECT_TRUE(units.Optimize(1));
    EXPECT_EQ(Names(units), QStringList({"BASE.MLL", "TWO.MLL"}));
}

TEST_F(MapUnitTest, OptimizeOrdersByKindAndKeepsTheActiveUnit) {
    clsMapUnits units;
    CreateBase(units);
    for (const auto& [name, code] : {std::pair{"NOCODE", -1}, {"K9", 190001}, {"K1", 110002}, {"K0", 100003},
                                     {"K2", 120004}, {"K2B", 125005}, {"K7", 170006}, {"K4", 140007}})
        ASSERT_TRUE(units.Add(OpenUnit(name, code, 2)));
    units.SetIndex(3); // K9
    units.Base()->bDraw = false;
    EXPECT_TRUE(units.Optimize(2));
    // Kind 1 maps other than the base come after kind 9 and stay open.
    EXPECT_EQ(Names(units), QStringList({"BASE.MLL", "K2.MLL", "K2B.MLL", "K4.MLL", "K7.MLL", "K0.MLL", "K9.MLL", "K1.MLL",
                                          "NOCODE.MLL"}));
    EXPECT_EQ(Library::PathFileName(units.Active()->UnitName()), QStringLiteral("K9.MLL"));
    EXPECT_TRUE(units.Base()->bDraw);
}

TEST_F(MapUnitTest, OptimizeShowsOneLevelPerKindGroup) {
    clsMapUnits units;
    CreateBase(units);
    // Kind and level: A 3/2, B 6/5, C 6/2, D 4/3, E 7/3, G 6/4, F 3/0.
    for (const auto& [name, code] : {std::pair{"A", 132000}, {"B", 165000}, {"C", 162000}, {"D", 143000},
                                     {"E", 173000}, {"G", 164000}, {"F", 130000}})
        ASSERT_TRUE(units.Add(OpenUnit(name, code, 2)));
    for (const auto& u : units) u->bDraw = false;
    units.Item(5)->bDraw = true; // D
    EXPECT_TRUE(units.Optimize(4));
    QList<bool> shown;
    for (int i = 2; i <= units.Count(); ++i) shown << units.Item(i)->bDraw;
    // From the end: F shown with level 0, which counts as none, so G is shown
    // too and its level 4 hides C, B and A; E is shown for kinds 4 and 7 and
    // D, of the same level, keeps its flag.
    EXPECT_EQ(shown, QList<bool>({false, false, false, true, true, true, true}));
    EXPECT_FALSE(units.Base()->bDraw);
}

TEST_F(MapUnitTest, CellsJoinFigureAreaAndThing) {
    auto u = OpenUnit("CELL", -1, 3);
    auto area = std::make_shared<clsAdmin>();
    area->SetAdminCode(1);
    area->SetPage(3);
    ASSERT_TRUE(u->gAdmins->Add(area));
    auto thing = std::make_shared<clsThing>();
    thing->SetIndex(1);
    thing->SetFigure(4);
    thing->SetPage(3);
    thing->SetFore(0x0000FF);
    thing->SetPage(5);
    ASSERT_TRUE(u->gThings->Add(thing));

    const clsMapCell cell = u->Cell(2);
    ASSERT_TRUE(cell.IsValid());
    EXPECT_EQ(thing->Page(), 3);
    thing->SetPage(1);
    EXPECT_EQ(cell.RealColor(), 0x0000FF);
    EXPECT_EQ(thing->Page(), 3);
    cell.mMapFig->SetOwnColor(0x00FF00);
    EXPECT_EQ(cell.RealColor(), 0x00FF00);

    // An area code that is not in the list: no valid cell, page untouched.
    cell.mMapFig->SetAdmin(7);
    thing->SetPage(5);
    const clsMapCell stray = u->ToCell(cell.mMapFig);
    EXPECT_FALSE(stray.IsValid());
    EXPECT_EQ(stray.mAdmin, nullptr);
    EXPECT_EQ(stray.mThing, thing.get());
    EXPECT_EQ(thing->Page(), 5);
    EXPECT_FALSE(u->ToCell(nullptr).IsValid());
    EXPECT_FALSE(u->Cell(0).IsValid());
}

TEST_F(MapUnitTest, CheckUseThingAndTheFrameCategory) {
    auto u = OpenUnit("USE", -1, 3); // symbols of thing 1
    for (int16_t code : {1, 2, 3}) {
        auto t = std::make_shared<clsThing>();
        t->SetIndex(code);
        t->SetCategory(code == 3 ? 5 : 1);
        u->gThings->Add(t);
    }
    u->gThings->Item(2)->SetUse(true);
    u->CheckUseThing(true);
    EXPECT_TRUE(u->gThings->Item(1)->Use());
    EXPECT_FALSE(u->gThings->Item(2)->Use());
    EXPECT_FALSE(u->gThings->Item(3)->Use());
    u->gThings->SetCategoryName(4, QStringLiteral("枠"));
    u->gThings->SetCategoryName(5, QStringLiteral("枠組"));
    u->gThings->SetCategoryName(6, QStringLiteral("枠組"));
    u->CheckUseThing(false);
    EXPECT_FALSE(u->gThings->Item(3)->Use());
    u->CheckUseThing(true);
    EXPECT_TRUE(u->gThings->Item(3)->Use());
    EXPECT_FALSE(u->gThings->Item(2)->Use());
}

TEST_F(MapUnitTest, ModifyCountsEmptyAreaListsToo) {
    auto u = OpenUnit("MOD", -1, 2);
    EXPECT_FALSE(u->Modify());
    u->gThings->SetComment(QStringLiteral("x")); // an empty thing list does not count
    EXPECT_FALSE(u->Modify());
    u->gAdmins->SetComment(QStringLiteral("x"));
    EXPECT_TRUE(u->Modify());
}

} // namespace
