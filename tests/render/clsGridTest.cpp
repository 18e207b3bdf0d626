#include "TestCanvas.h"

#include "core/MapProjection.h"
#include "render/clsGrid.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using V = std::vector<int32_t>;

TEST(GraticuleSettingsTest, LongitudeLatitudeDefaultsAndLimits) {
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

TEST(GraticuleSettingsTest, PlaneModeScalesWithTheGlobe) {
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

TEST(GraticuleSettingsTest, AxialTiltFromTheEnvironment) {
    {
        ScopedEnvironment env("AxialTilt=400000\r\n");
        EXPECT_EQ(clsGrid().AxialTilt(), 84360);
    }
    ScopedEnvironment env("AxialTilt=81000\r\n");
    clsGrid g;
    g.bZone = true;
    EXPECT_EQ(g.ColZoneLineY(), (V{-243000, -81000, 81000, 243000}));
}

} // namespace
