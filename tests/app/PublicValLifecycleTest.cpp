// The global objects' creation, settings and release (PublicSetup), and the stops when files are missing.
#include "AppFixture.h"

#include "core/MapProjection.h"
#include "document/clsMap.h"
#include "document/clsMapRem.h"
#include "document/clsMapUnit.h"
#include "document/clsMapUnits.h"

using namespace PublicVal;

namespace {

class PublicValLifecycleTest : public AppFixture {};

TEST_F(PublicValLifecycleTest, MissingEnvironmentFileGivesOneAndMissingMapFolderKeyFive) {
    QFile::remove(prog + "/Environment.txt");
    EXPECT_EQ(gvInitialize(), 1);
    ASSERT_FALSE(scripted.ui.messages.isEmpty());
    EXPECT_TRUE(scripted.ui.messages.last().text.startsWith("環境ファイルが存在しません."));
    EXPECT_FALSE(gvInitialized());
    EXPECT_EQ(InitializeMessage(1), "パブリックインスタンスを生成できませんでした．");

    WriteEnvironment("StartByRegistry=no\r\n");
    EXPECT_EQ(gvInitialize(), 5);
    EXPECT_EQ(gvMapGraph, nullptr); // stopped before any singleton
    EXPECT_EQ(InitializeMessage(5), "環境ファイルに異常があります.");
    EXPECT_EQ(InitializeMessage(3), "ＸＹ地図ベースユニットを確立できませんでした.");
    EXPECT_EQ(InitializeMessage(9), "原因不明のエラーにより初期化を中止します．");
}

TEST_F(PublicValLifecycleTest, MissingBaseMapGivesTwoAndClearsTheMapFolder) {
    QFile::remove(maps + "/BASE.MLL");
    EXPECT_EQ(gvInitialize(), 2);
    EXPECT_EQ(gvMapFolder, "");
    EXPECT_EQ(InitializeMessage(2), "経緯度地図ベースユニットを確立できませんでした.");
    // The singletons made so far exist and are released without writing.
    EXPECT_NE(gvMapGraph, nullptr);
    gvTerminate();
    EXPECT_EQ(gvMapGraph, nullptr);
    EXPECT_TRUE(Section("PUBLIC").isEmpty());
    EXPECT_TRUE(Section("NATIVECOLOR").isEmpty());
}

TEST_F(PublicValLifecycleTest, CreationAndReleaseOrder) {
    QStringList log;
    SetTrace([&log](const QString& s) { log << s; });
    ASSERT_EQ(gvInitialize(), 0);
    EXPECT_TRUE(gvInitialized());
    EXPECT_EQ(gvMapMode, 1);
    EXPECT_EQ(gvMapFolder, root.path() + "/MAP");
    EXPECT_EQ(MapUnits()->Count(), 1);
    gvTerminate();
    EXPECT_EQ(log, QStringList({"create clsMapGraph", "create clsAccessory", "create clsCruise05",
                                "create clsNativeColor", "create clsMapUnits", "create clsMapPlot", "create clsView",
                                "release clsView", "release clsMapPlot", "release clsNativeColor",
                                "release clsCruise05", "release clsAccessory", "release clsMapGraph",
                                "release clsMapUnits"}));
    EXPECT_FALSE(gvInitialized());
    EXPECT_EQ(gvMapUnits, nullptr);
    // The settings owners wrote their sections at the end of the run.
    EXPECT_FALSE(Section("PUBLIC").isEmpty());
    EXPECT_FALSE(Section("ACCESSORY").isEmpty());
    EXPECT_FALSE(Section("VIEW").isEmpty());
    EXPECT_FALSE(Section("CRUISE05").isEmpty());
}

// A unit whose map holds `n` remarks.
std::shared_ptr<clsMapUnit> UnitWithFigures(const QString& name, int n) {
    auto unit = std::make_shared<clsMapUnit>();
    unit->SetUnitName(name);
    for (int i = 0; i < n; ++i) {
        auto rem = std::make_shared<clsMapRem>();
        rem->SetAdmin(0);
        unit->gFigures->Add(rem);
    }
    return unit;
}

// From 50000 figures on, the unit list is left for the quick exit.
TEST_F(PublicValLifecycleTest, UnitListIsReleasedBelow50000Figures) {
    for (const int total : {49999, 50000}) {
        SCOPED_TRACE(total);
        ASSERT_EQ(gvInitialize(), 0);
        ASSERT_TRUE(gvMapUnits->Add(UnitWithFigures(maps + "/A.MLL", total - 1)));
        ASSERT_TRUE(gvMapUnits->Add(UnitWithFigures(maps + "/B.MLL", 1)));
        EXPECT_EQ(FigureTotal(), total);
        gvTerminate();
        EXPECT_EQ(gvMapUnits != nullptr, total == 50000);
        EXPECT_EQ(gvView, nullptr);
        EXPECT_EQ(gvMapGraph, nullptr);
        delete gvMapUnits;
        gvMapUnits = nullptr;
    }
}

TEST_F(PublicValLifecycleTest, WithoutTheStoreEverySettingTakesItsDefault) {
    Put("Language", "2");
    Put("AngleUnit", "6");
    WriteEnvironment("MapFolder=..\\MAP\r\nStartByRegistry=NO\r\nPolygonOutline=1\r\n");
    ASSERT_EQ(gvInitialize(), 0);
    EXPECT_EQ(gvLanguage, 1);
    EXPECT_EQ(gvAngleValue, 1);
    EXPECT_EQ(gvAngleUnit, 4);
    EXPECT_EQ(gvAngleDirection, 3);
    EXPECT_EQ(gvStartMapType, 2);
    EXPECT_EQ(gvScreenDPI, 1440 / 15); // the offscreen screen has 96 dots per inch
    EXPECT_EQ(gvHomeLon, 0);
    EXPECT_EQ(gvHomeLat, 185318);
    EXPECT_DOUBLE_EQ(gvHomeScaleLL, 20000000.0);
    EXPECT_FALSE(gvPolygonOutline);
}

TEST_F(PublicValLifecycleTest, PolygonOutlineAndStartMapFromTheEnvironment) {
    Write(maps + "/WORLD_T3.MLL", EmptyMapBytes());
    WriteEnvironment("MapFolder=..\\MAP\r\nPolygonOutline=YES\r\nStartMapFile=C:\\old\\WORLD_T3.MLL\r\n");
    ASSERT_EQ(gvInitialize(), 0);
    EXPECT_TRUE(gvPolygonOutline);
    EXPECT_EQ(gvStartMapFile, "WORLD_T3.MLL");
    gvTerminate();
    WriteEnvironment("MapFolder=..\\MAP\r\n");
    ASSERT_EQ(gvInitialize(), 0);
    EXPECT_TRUE(gvPolygonOutline); // a missing key counts as yes
}

} // namespace
