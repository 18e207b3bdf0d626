#include "core/AngleLib.h"
#include "core/PublicVal.h"
#include "document/HMapCoord.h"
#include "platform/ScriptedUi.h"
#include "platform/VospError.h"

#include <gtest/gtest.h>

namespace {

struct MapMode {
    explicit MapMode(int32_t mode) { PublicVal::gvMapMode = mode; }
    ~MapMode() { PublicVal::gvMapMode = 0; }
};

TEST(HMapCoordTest, CoarseUnits) {
    {
        MapMode m(1);
        EXPECT_EQ(HMap::MapToCoarseUnit(-90), -1);
        EXPECT_EQ(HMap::MapToCoarseUnit(3599), 59);
        EXPECT_EQ(HMap::CoarseToMapUnit(-3), -180);
        EXPECT_EQ(HMap::CoarseToMapUnit(40000000), 2147483647);
    }
    {
        MapMode m(2);
        EXPECT_EQ(HMap::MapToCoarseUnit(-1999), -1);
        EXPECT_EQ(HMap::CoarseToMapUnit(1), 1000);
        EXPECT_EQ(HMap::CoarseToMapUnit(-3000000), -2147483647);
    }
    MapMode m(3);
    EXPECT_EQ(HMap::MapToCoarseUnit(5000), 0);
    EXPECT_EQ(HMap::CoarseToMapUnit(5), 0);
    EXPECT_EQ(HMap::MapXText(5), QString());
    EXPECT_EQ(HMap::MapPointText(5, 5), QString());
    EXPECT_EQ(HMap::MapStrToX(QStringLiteral("5")), 0);
}

TEST(HMapCoordTest, KilometreTexts) {
    MapMode m(2);
    for (auto [v, text] : {std::pair{500, "     0.500km"}, {-5, "    -0.005km"}, {1234567890, "234567.890km"}})
        EXPECT_EQ(HMap::MapXText(v), text) << v;
    EXPECT_EQ(HMap::MapYText(123456789), QStringLiteral("123456.789km"));
    for (auto [v, text] : {std::pair{999, "     0km"}, {1234567890, "234567km"}}) EXPECT_EQ(HMap::MapXTextCoarse(v), text) << v;
    EXPECT_EQ(HMap::MapYTextCoarse(-25000), QStringLiteral("   -25km"));
    EXPECT_EQ(HMap::MapPointText(1000, 2000), QStringLiteral("     1.000km,      2.000km"));
    EXPECT_EQ(HMap::MapPointTextCoarse(1000, 2000), QStringLiteral("     1km,      2km"));
    EXPECT_EQ(HMap::MapStrToX(QStringLiteral("1.5")), 1500);
    EXPECT_EQ(HMap::MapStrToY(QStringLiteral("200m")), 200);
}

TEST(HMapCoordTest, AngleTexts) {
    MapMode m(1);
    AngleLib::SetAngleFormat(1);
    AngleLib::SetAngleUnit(2);
    AngleLib::SetAngleDir(2);
    EXPECT_EQ(HMap::MapXText(-488145), QStringLiteral("W135°35′45″"));
    EXPECT_EQ(HMap::MapYText(126000), QStringLiteral("N35°00′00″"));
    EXPECT_EQ(HMap::MapPointText(488145, -126000), QStringLiteral("E135°35′45″, S35°00′00″"));
    EXPECT_EQ(HMap::MapPointTextCoarse(488145, 126059), QStringLiteral("E135°35′, N35°00′"));
    EXPECT_EQ(HMap::MapStrToX(QStringLiteral("E135°30′")), 487800);
    EXPECT_EQ(HMap::MapStrToY(QStringLiteral("S35")), -126000);
}

TEST(HMapCoordTest, ParsersRaiseOrAnswerTheMarker) {
    for (const int32_t mode : {1, 2}) {
        MapMode m(mode);
        EXPECT_EQ(HMap::MapStrToXSafe(QStringLiteral("nonsense")), -2147483647) << mode;
        EXPECT_EQ(HMap::MapStrToYSafe(QStringLiteral("nonsense")), -2147483647) << mode;
        try {
            HMap::MapStrToY(QStringLiteral("nonsense"));
            ADD_FAILURE() << "no error in mode " << mode;
        } catch (const VospError& e) {
            EXPECT_TRUE(e.source.startsWith(QStringLiteral("basHMap.MapStrToY"))) << e.source.toStdString();
        }
    }
}

TEST(HMapCoordTest, RangeChecks) {
    ScopedUi ui;
    EXPECT_TRUE(HMap::IsRightLongitude(648000, true));
    EXPECT_TRUE(HMap::IsRightLongitude(-648000, true));
    EXPECT_TRUE(ui.ui.messages.isEmpty());
    EXPECT_FALSE(HMap::IsRightLongitude(648001, false));
    EXPECT_TRUE(ui.ui.messages.isEmpty());
    EXPECT_FALSE(HMap::IsRightLongitude(-648001, true));
    ASSERT_EQ(ui.ui.messages.size(), 1);
    EXPECT_TRUE(ui.ui.messages[0].text.contains(QStringLiteral("180°00′00″W～180°00′00″E")));
    EXPECT_TRUE(HMap::IsRightLatitude(-324000, true));
    EXPECT_FALSE(HMap::IsRightLatitude(324001, true));
    ASSERT_EQ(ui.ui.messages.size(), 2);
    EXPECT_TRUE(ui.ui.messages[1].text.contains(QStringLiteral("90°00′00″S～90°00′00″N")));
}

} // namespace
