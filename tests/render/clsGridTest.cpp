#include "TestCanvas.h"

#include "core/MapProjection.h"
#include "core/clsRegistry.h"
#include "render/clsGrid.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using V = std::vector<int32_t>;

TEST(GridTest, LongitudeLatitudeDefaultsAndLimits) {
    clsGrid g;
    EXPECT_EQ(g.UnitMode(), 1);
    EXPECT_EQ(g.RegistrySection(), QStringLiteral("LLGRID"));
    EXPECT_EQ(g.Width(), 54000);
    EXPECT_EQ(g.NorthLimit(), 270000);
    EXPECT_EQ(g.SouthLimit(), -270000);
    EXPECT_EQ(g.Area(), clsRect(-648000, -324000, 648000, 324000));
    EXPECT_FALSE(g.bVertical || g.bHorizontal || g.bZone);

    g.SetWidth(10);
    EXPECT_EQ(g.Width(), 60);
    g.SetWidth(400000);
    EXPECT_EQ(g.Width(), 324000);
    g.SetNorthLimit(324000);
    EXPECT_EQ(g.NorthLimit(), 323970);
    g.SetSouthLimit(-400000);
    EXPECT_EQ(g.SouthLimit(), -323970);
    g.SetWest(-700000);
    EXPECT_EQ(g.West(), 596000);
    g.SetWest(648000);
    EXPECT_EQ(g.West(), 648000);
    g.SetEast(-648000);
    EXPECT_EQ(g.East(), -648000);
    g.SetEast(1944001); // one and a half turns and a second
    EXPECT_EQ(g.East(), -647999);
    // Half a turn stays on its own side, however many turns lie before it.
    for (const auto& [in, out] : {std::pair{648001, -647999}, {1944000, 648000}, {-1944000, -648000}}) {
        g.SetEast(in);
        EXPECT_EQ(g.East(), out) << in;
    }
    g.SetUnitMode(7);
    EXPECT_EQ(g.UnitMode(), 1);
    g.SetName(QStringLiteral("MYGRID"));
    EXPECT_EQ(g.RegistrySection(), QStringLiteral("MYGRID"));
}

TEST(GridTest, PlaneModeScalesWithTheGlobe) {
    MapProjection::InitGlobeRadius(MapProjection::DefaultGlobeRadius);
    const int32_t c = MapProjection::GlobeCircumLong; // 40030179 metres
    ASSERT_EQ(c, 40030179);
    clsGrid g;
    g.SetUnitMode(2);
    EXPECT_EQ(g.RegistrySection(), QStringLiteral("XYGRID"));
    EXPECT_EQ(g.Width(), 2001508);
    EXPECT_EQ(g.NorthLimit(), c);
    g.SetWidth(1);
    EXPECT_EQ(g.Width(), 1000);
    g.SetHeight(c);
    EXPECT_EQ(g.Height(), 10007544);
    g.SetWest(-c - 5);
    EXPECT_EQ(g.West(), -c);
}

TEST(GridTest, Meridians) {
    clsGrid g;
    g.bVertical = true;
    g.SetWest(540000);
    g.SetEast(-540000);
    EXPECT_EQ(g.ColVlineX(), (V{540000, 594000, 648000, -594000, -540000})); // across the date line
    // The first line truncates towards zero: -50000 \ 36000 = -1 and 80000 \ 36000 = 2.
    g.SetWidth(36000);
    g.SetWest(-50000);
    g.SetEast(80000);
    EXPECT_EQ(g.ColVlineX(), (V{-36000, 0, 36000, 72000}));
    g.bVertical = false;
    EXPECT_TRUE(g.ColVlineX().empty());
}

TEST(GridTest, ParallelsAndZoneLines) {
    clsGrid g;
    g.bHorizontal = true;
    g.bZone = true;
    V expected;
    for (int32_t y = -270000; y <= 270000; y += 54000) expected.push_back(y);
    EXPECT_EQ(g.ColHlineY(), expected);
    EXPECT_EQ(g.ColZoneLineY(), (V{-239640, -84360, 84360, 239640}));

    g.SetSouth(-84360);
    g.SetNorth(84359);
    EXPECT_EQ(g.VLineSouth(), -84360);
    EXPECT_EQ(g.VLineNorth(), 84359);
    EXPECT_EQ(g.ColZoneLineY(), (V{-84360}));
    g.SetUnitMode(2);
    g.bZone = true;
    EXPECT_TRUE(g.ColZoneLineY().empty());
}

TEST(GridTest, AxialTiltFromTheEnvironment) {
    {
        ScopedEnvironment env("AxialTilt=400000\r\n");
        EXPECT_EQ(clsGrid().AxialTilt(), 84360);
    }
    ScopedEnvironment env("AxialTilt=81000\r\n");
    clsGrid g;
    g.bZone = true;
    EXPECT_EQ(g.ColZoneLineY(), (V{-243000, -81000, 81000, 243000}));
}

TEST(GridTest, SettingsSectionRoundTrip) {
    ScopedSettingsHome home;
    clsGrid first;
    first.ReadRegistry(); // first run: the mode's defaults
    EXPECT_TRUE(first.bVertical && first.bHorizontal && first.bZone);
    EXPECT_EQ(first.Width(), 54000);

    first.bHorizontal = false;
    first.SetWidth(1800);
    first.SetHeight(900);
    first.SetNorthLimit(300000);
    first.SetSouthLimit(-100000);
    first.WriteRegistry();
    clsRegistry reg;
    reg.mSection = QStringLiteral("LLGRID");
    EXPECT_EQ(reg.RegGet(QStringLiteral("Horizontal"), QString()), QStringLiteral("False"));
    EXPECT_EQ(reg.RegGet(QStringLiteral("Width"), QString()), QStringLiteral("1800"));

    clsGrid second;
    second.ReadRegistry();
    EXPECT_TRUE(second.bVertical);
    EXPECT_FALSE(second.bHorizontal);
    EXPECT_EQ(second.Width(), 1800);
    EXPECT_EQ(second.Height(), 900);
    EXPECT_EQ(second.NorthLimit(), 300000);
    EXPECT_EQ(second.SouthLimit(), -100000);

    // A stored value that does not convert takes its default; limits apply.
    reg.RegPut(QStringLiteral("Width"), QStringLiteral("wide"));
    reg.RegPut(QStringLiteral("NorthLimit"), QStringLiteral("999999"));
    clsGrid third;
    third.ReadRegistry();
    EXPECT_EQ(third.Width(), 54000);
    EXPECT_EQ(third.NorthLimit(), 323970);
}

} // namespace
