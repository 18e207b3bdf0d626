// clsAccessory's elevation legend and the units it is drawn from.
#include "render/clsAccessory.h"

#include "AccessoryCanvas.h"

#include "document/clsThings.h"
#include "support/MapUnitTestEnv.h"

#include <gtest/gtest.h>

namespace {

// A thing of the given figure kind (1 heading, 2 polyline, 3 polygon).
std::shared_ptr<clsThing> MakeThing(int16_t figure, const QString& name, int32_t fore = 0, int32_t back = -1,
                                    int16_t style = 0) {
    auto t = std::make_shared<clsThing>();
    t->SetFigure(figure);
    t->SetName(name);
    t->SetFore(fore);
    t->SetBack(back);
    t->SetStyle(style);
    return t;
}

void AddThing(clsThings& list, int16_t figure, const QString& name, int32_t fore = 0, int32_t back = -1,
              int16_t style = 0) {
    ASSERT_TRUE(list.Add(MakeThing(figure, name, fore, back, style))) << name.toStdString();
}

struct Bounds {
    int32_t low, high;
    int32_t fore;
};

void ExpectClasses(const std::vector<ElvClass>& list, const std::vector<Bounds>& expected) {
    ASSERT_EQ(list.size(), expected.size() + 1);
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(list[i + 1].Low, expected[i].low) << i;
        EXPECT_EQ(list[i + 1].High, expected[i].high) << i;
        EXPECT_EQ(list[i + 1].Fore, expected[i].fore) << i;
    }
}

// A sea-floor list: classes under a heading, others around them.
void FillSeaList(clsThings& sea) {
    AddThing(sea, 3, QStringLiteral("-100～0"), 900); // before any heading
    AddThing(sea, 1, QStringLiteral("海底の段彩"));
    AddThing(sea, 3, QStringLiteral("-200～0m"), 103);
    AddThing(sea, 3, QStringLiteral("～-4000m"), 101, 5, 8);
    AddThing(sea, 2, QStringLiteral("-50～0"), 901); // a polyline
    AddThing(sea, 3, QStringLiteral("-4000～-200m"), 102);
    AddThing(sea, 3, QStringLiteral("海面下"), 902); // not a sea class
    AddThing(sea, 3, QStringLiteral("0～100"), 903); // a land class
    AddThing(sea, 1, QStringLiteral("海岸線"));
    AddThing(sea, 3, QStringLiteral("-9000～-8000"), 904); // heading switched off
}

void FillLandList(clsThings& land) {
    AddThing(land, 1, QStringLiteral("陸の等高面"));
    AddThing(land, 3, QStringLiteral("500～"), 203);
    AddThing(land, 3, QStringLiteral("0～200m"), 201);
    AddThing(land, 3, QStringLiteral("海面下"), 200);
    AddThing(land, 3, QStringLiteral("200～500m"), 202);
    AddThing(land, 3, QStringLiteral("-500～-100"), 905); // a sea class
}

} // namespace

TEST(clsAccessoryElv, OceanAndLandStandInForMissingReliefMaps) {
    clsThings base, admin;
    AddThing(base, 3, QStringLiteral("海洋"), 1, 11, 3);
    AddThing(admin, 3, QStringLiteral("陸地"), 2);
    ExpectClasses(clsAccessory::CollectElvClasses(&base, &admin, nullptr, nullptr, false, false),
                  {{-99999, 0, 1}, {0, 99999, 2}});
    const auto l = clsAccessory::CollectElvClasses(&base, &admin, nullptr, nullptr, false, false);
    EXPECT_EQ(l[1].Back, 11);
    EXPECT_EQ(l[1].Style, 3);

    // Nothing named so, or no lists: no classes, only index 0.
    clsThings empty;
    EXPECT_EQ(clsAccessory::CollectElvClasses(&empty, &empty, nullptr, nullptr, false, false).size(), 1u);
    EXPECT_EQ(clsAccessory::CollectElvClasses(nullptr, nullptr, nullptr, nullptr, false, false).size(), 1u);
}

TEST(clsAccessoryElv, AtMostAHundredClasses) {
    clsThings base, land;
    AddThing(base, 3, QStringLiteral("海洋"), 1);
    AddThing(land, 1, QStringLiteral("段彩"));
    for (int i = 0; i < 150; ++i) AddThing(land, 3, QStringLiteral("%1～%2").arg(i * 10).arg(i * 10 + 10), 1000 + i);
    const auto list = clsAccessory::CollectElvClasses(&base, nullptr, nullptr, &land, false, true);
    ASSERT_EQ(list.size(), 101u);
    EXPECT_EQ(list[1].Low, -99999);
    EXPECT_EQ(list[2].Low, 0);
    EXPECT_EQ(list[100].Low, 980); // the 99th land class
}

struct ElvUnitsTest : MapUnitTest {};

TEST_F(ElvUnitsTest, ListsComeFromTheDrawnUnitsByKind) {
    EXPECT_TRUE(clsAccessory::GetElvData(nullptr).empty());
    clsMapUnits units;
    CreateBase(units);
    units.Base()->gThings->Add(MakeThing(3, QStringLiteral("海洋"), 1));
    // No administrative or other unit yet: the active (base) unit stands in.
    units.Base()->gThings->Add(MakeThing(3, QStringLiteral("陸地"), 3));
    ExpectClasses(clsAccessory::GetElvData(&units), {{-99999, 0, 1}, {0, 99999, 3}});

    auto admin = OpenUnit(QStringLiteral("ADMIN"), 30001, 2); // a world administrative map
    admin->gThings->Add(MakeThing(3, QStringLiteral("陸地"), 2));
    ASSERT_TRUE(units.Add(admin));
    auto sea = OpenUnit(QStringLiteral("SEA"), 20001, 2); // a sea-floor map
    FillSeaList(*sea->gThings);
    ASSERT_TRUE(units.Add(sea));
    units.SetIndex(1);
    ExpectClasses(clsAccessory::GetElvData(&units),
                  {{-99999, -4000, 101}, {-4000, -200, 102}, {-200, 0, 103}, {0, 99999, 2}});
    // A land relief map replaces the land class; the classes of both maps are sorted.
    auto land = OpenUnit(QStringLiteral("LAND"), 40001, 2); // a world relief map
    FillLandList(*land->gThings);
    ASSERT_TRUE(units.Add(land));
    const auto both = clsAccessory::GetElvData(&units);
    ExpectClasses(both, {{-99999, -4000, 101},
                         {-4000, -200, 102},
                         {-200, 0, 103},
                         {-1, 0, 200},
                         {0, 200, 201},
                         {200, 500, 202},
                         {500, 99999, 203}});
    EXPECT_EQ(both[1].Back, 5);
    EXPECT_EQ(both[1].Style, 8);
    EXPECT_EQ(both[1].Unit, 1);
    // A unit not drawn does not count: the ocean stands in for the sea classes.
    sea->bDraw = false;
    ExpectClasses(clsAccessory::GetElvData(&units),
                  {{-99999, 0, 1}, {-1, 0, 200}, {0, 200, 201}, {200, 500, 202}, {500, 99999, 203}});
}

// Two classes need (2 + 2) x 24 = 96 pixels of "99|", at most two thirds of
// the width; the legend sits at the right of the bar row.
TEST_F(ElvUnitsTest, LegendLayoutAndDrawing) {
    clsMapUnits units;
    CreateBase(units);
    units.Base()->gThings->Add(MakeThing(3, QStringLiteral("海洋"), 0xFF0000, -1, 8));
    units.Base()->gThings->Add(MakeThing(3, QStringLiteral("陸地"), 0x00FF00, -1, 8));

    Canvas d(400, 100);
    clsAccessory& a = *d.a;
    a.SetMapUnits(&units);
    d.Only({2, 3, 7});
    a.Layout();
    const AccessoryItem& legend = a.Item(7);
    EXPECT_EQ((std::array<int32_t, 4>{legend.Left, legend.Top, legend.Width, legend.Height}),
              (std::array<int32_t, 4>{400 - 1 - 96, 71, 96, 28}));
    EXPECT_EQ(a.Item(3).Width, 400 - 2 - 96);
    EXPECT_EQ(a.ElvData().size(), 3u);

    // Drawn: two boxes of (96 - 5 - 32) / 2 = 29 pixels from x 307, rows 73..82.
    a.SetIndex(3);
    a.SetUse(false);
    a.Draw();
    EXPECT_EQ(d.At({{300, 78}, {320, 78}, {350, 78}}), ".bg");

    // 140 pixels allow 93 for the legend: too narrow, the bar takes the row.
    a.SetIndex(3);
    a.SetUse(true);
    a.SetWidth(140);
    a.Layout();
    EXPECT_EQ(a.Item(7).Width, 0);
    EXPECT_EQ(a.Item(7).Height, 0);
    EXPECT_EQ(a.Item(3).Width, 138);
    EXPECT_EQ(a.ElvData().size(), 3u);
}
