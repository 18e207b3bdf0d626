// The cruise over the standard map set as the build lays it out: the world
// maps of levels 1 to 6, the level-7 maps of Japan and its neighbours and
// the level-8 map of Japan, with the shipped cruise list and country grid.
#include "cruise/clsCruise05.h"

#include "core/Library.h"
#include "core/MapProjection.h"
#include "core/PublicVal.h"
#include "document/clsMapUnit.h"
#include "document/clsMapUnits.h"
#include "platform/ScriptedUi.h"
#include "render/clsMapPlot.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

constexpr int32_t Sec(int32_t deg, int32_t min) { return (deg * 60 + min) * 60; }

struct StandardSetCruise : ::testing::Test {
    ScopedUi ui;
    clsCruise05 cruise;
    clsMapUnits units;
    QStringList loaded;
    clsCruise05::UnitLoader readFile;
    QString savedFolder = PublicVal::gvMapFolder;

    void SetUp() override {
        MapProjection::InitGlobeRadius(MapProjection::DefaultGlobeRadius);
        PublicVal::gvMapFolder = QStringLiteral(VOSP_MAP_FOLDER);
        cruise = clsCruise05();
        cruise.SetListFile(QStringLiteral(VOSP_PROGRAM_FOLDER "/CRUISE05.LST"));
        cruise.SetGridFile(QStringLiteral(VOSP_PROGRAM_FOLDER "/CRUISE05.GRD"));
        readFile = cruise.SetLoader([this](const QString& path) {
            loaded << Library::PathFileName(path);
            return readFile(path);
        });
        ASSERT_EQ(units.Create(1), 0);
    }
    void TearDown() override { PublicVal::gvMapFolder = savedFolder; }

    // The field a view at 96 dpi hands to the cruise.
    static clsRect View(int32_t lon, int32_t lat, double scale, int32_t width, int32_t height) {
        clsMapPlot plot;
        plot.Setdpix(96);
        plot.Setdpiy(96);
        plot.SetCanvasLeft(0);
        plot.SetCanvasTop(0);
        plot.SetCanvasWidth(width);
        plot.SetCanvasHeight(height);
        plot.SetCenterX(lon);
        plot.SetCenterY(lat);
        plot.SetMapScale(scale);
        return plot.Field();
    }
    bool CruiseAt(int32_t lon, int32_t lat, double scale, int32_t width = 1920, int32_t height = 1080) {
        const clsRect area = View(lon, lat, scale, width, height);
        return cruise.Cruise(scale, &area, &units);
    }
    // The standard maps drawn, in file-name order.
    QStringList Shown() const {
        QStringList l;
        for (int32_t i = 2; i <= units.Count(); ++i)
            if (units.Item(i)->bDraw) l << Library::PathFileName(units.Item(i)->UnitName());
        l.sort();
        return l;
    }
};

const int32_t kTokyoLon = Sec(139, 45), kTokyoLat = Sec(35, 40);
const int32_t kSeoulLon = Sec(126, 58), kSeoulLat = Sec(37, 34);
const int32_t kHanoiLon = Sec(105, 51), kHanoiLat = Sec(21, 2);

} // namespace

TEST_F(StandardSetCruise, InstalledSetAndNames) {
    // Political levels 1..6 (bits 1..6) and Japan's levels 7 and 8 (bits 19, 20).
    EXPECT_EQ(cruise.GetStdMapList(), 0x7E | 1 << 19 | 1 << 20);
    EXPECT_EQ(cruise.GetStdMapCount(), 8);
    EXPECT_EQ(cruise.CountryName(392, 2), QStringLiteral("日本"));
    EXPECT_EQ(cruise.CountryName(410, 2), QStringLiteral("大韓民国 (韓国)"));
    EXPECT_EQ(cruise.CountryName(704, 1), QStringLiteral("Vietnam"));
    EXPECT_TRUE(ui.ui.messages.isEmpty());
}

TEST_F(StandardSetCruise, TokyoThroughEveryLevelAndBack) {
    // Borders 1e8, 5e7, 2e7, 1e7, 5e6, 2e6, 5e5: one scale inside each level.
    const struct {
        double scale;
        const char* map;
    } steps[] = {{3e8, "WORLD_T1.MLL"}, {7e7, "WORLD_T2.MLL"}, {3e7, "WORLD_T3.MLL"}, {1.5e7, "WORLD_T4.MLL"},
                 {7e6, "WORLD_T5.MLL"}, {3e6, "WORLD_T6.MLL"}, {1e6, "JAPAN_T7.MLL"}, {2e5, "JAPAN_T8.MLL"}};
    QStringList expectLoaded;
    for (const auto& s : steps) {
        SCOPED_TRACE(s.map);
        EXPECT_TRUE(CruiseAt(kTokyoLon, kTokyoLat, s.scale));
        expectLoaded << s.map;
        EXPECT_EQ(loaded, expectLoaded);
        EXPECT_EQ(Shown(), QStringList{s.map});
    }
    for (int i = 7; i >= 0; --i) {
        SCOPED_TRACE(steps[i].map);
        EXPECT_TRUE(CruiseAt(kTokyoLon, kTokyoLat, steps[i].scale));
        EXPECT_EQ(Shown(), QStringList{steps[i].map});
    }
    EXPECT_EQ(loaded, expectLoaded); // nothing read twice
    EXPECT_EQ(units.Count(), 9);
    EXPECT_TRUE(units.Base()->bDraw);
    EXPECT_TRUE(ui.ui.messages.isEmpty());
}

TEST_F(StandardSetCruise, SeoulShowsItsNeighboursAndFallsBackFromLevel8) {
    // 1920 x 1080 reaches 123.7..130.3 E, 36.1..39.0 N: China, both Koreas.
    EXPECT_TRUE(CruiseAt(kSeoulLon, kSeoulLat, 1e6));
    EXPECT_EQ(Shown(), (QStringList{"CHINA_T7.MLL", "KOREA_T7.MLL", "NKOREA_T7.MLL"}));
    // 2560 x 1440 also reaches the cell of Japan at 131 E, 37 N.
    EXPECT_TRUE(CruiseAt(kSeoulLon, kSeoulLat, 1e6, 2560, 1440));
    const QStringList four{"CHINA_T7.MLL", "JAPAN_T7.MLL", "KOREA_T7.MLL", "NKOREA_T7.MLL"};
    EXPECT_EQ(Shown(), four);
    // Level 8 has a map for Japan only: South Korea's level-7 map stands in, unreported.
    EXPECT_TRUE(CruiseAt(kSeoulLon, kSeoulLat, 2e5));
    EXPECT_EQ(Shown(), QStringList{"KOREA_T7.MLL"});
    loaded.sort();
    EXPECT_EQ(loaded, four);
    EXPECT_TRUE(ui.ui.messages.isEmpty());
}

TEST_F(StandardSetCruise, HanoiWithoutCountryMaps) {
    EXPECT_TRUE(CruiseAt(kHanoiLon, kHanoiLat, 3e8));
    // Vietnam, China and Laos: only China has a level-7 map.
    cruise.mEiReplace = false;
    EXPECT_FALSE(CruiseAt(kHanoiLon, kHanoiLat, 1e6));
    ASSERT_EQ(ui.ui.messages.size(), 1);
    EXPECT_EQ(ui.ui.messages[0].text, QStringLiteral("必要な地図ファイルを揃えられません.\r\n\r\n"
                                                     "・小縮尺用地図による代用が許可されていません."));
    EXPECT_EQ(loaded, QStringList{"WORLD_T1.MLL"});
    EXPECT_EQ(units.Count(), 2);
    EXPECT_EQ(Shown(), QStringList{"WORLD_T1.MLL"});

    cruise.mEiReplace = true;
    EXPECT_TRUE(CruiseAt(kHanoiLon, kHanoiLat, 1e6));
    EXPECT_EQ(Shown(), QStringList{"WORLD_T6.MLL"});
    EXPECT_EQ(ui.ui.messages.size(), 1); // the fallback says nothing
}

TEST_F(StandardSetCruise, CountryGrid) {
    const struct {
        const char* place;
        int32_t lon, lat;
        int16_t country;
    } cases[] = {{"Japan", Sec(139, 0), Sec(36, 0), 392},
                 {"United Kingdom", 0, Sec(52, 0), 826},
                 {"United States", -Sec(100, 0), Sec(40, 0), 840},
                 {"open sea", -Sec(150, 0), -Sec(30, 0), 0},
                 {"Antarctica", 0, -Sec(80, 0), 10}};
    for (const auto& c : cases) EXPECT_EQ(cruise.GridMap().GetCountryCode(c.lon, c.lat), c.country) << c.place;
}
