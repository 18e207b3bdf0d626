#include "support/CruiseTestEnv.h"

#include "core/clsRegistry.h"
#include "platform/FileSystem.h"

#include <QDir>
#include <limits>
#include <tuple>

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kCannot = QStringLiteral("必要な地図ファイルを揃えられません.\r\n\r\n");
const QString kListed = QStringLiteral("以下の地図ファイルが見つかりません.\r\n");
const QString kNoSubstitute = QStringLiteral("・小縮尺用地図による代用が許可されていません.");
const QString kDownload = QStringLiteral("・作者サイトから地図ファイルをダウンロードしてください.\r\n  https://maps.example/std/");
const QString kSubstitute = QStringLiteral("より小縮尺用の地図ファイルで代用します.");

const clsRect kWorld(-648000, 324000, 647999, -324000);

} // namespace

TEST_F(CruiseTest, StandardBordersAndLevels) {
    const double expected[] = {1e9, 1e8, 5e7, 2e7, 1e7, 5e6, 2e6, 5e5, 1e5};
    for (int16_t k = 0; k <= 8; ++k) {
        EXPECT_EQ(cruise.StdBorderScale(k), expected[k]) << k;
        EXPECT_EQ(cruise.BorderScale(k), expected[k]) << k;
    }
    for (int16_t k : {-1, 9}) EXPECT_EQ(cruise.StdBorderScale(k) + cruise.BorderScale(k), 0) << k;

    // A scale on a border belongs to the smaller-scale level.
    const struct {
        double scale;
        int16_t level;
    } cases[] = {{1e9, 1},  {1e8, 1},      {99999999, 2}, {5e7, 2},   {2e7, 3},    {1e7, 4},
                 {5e6, 5},  {2e6, 6},      {1999999, 7},  {5e5, 7},   {499999, 8}, {1e5, 8},
                 {99999, -1}, {1000000001, -1}, {0, -1},  {-5, -1}};
    for (const auto& c : cases) EXPECT_EQ(cruise.ScaleToLevel(c.scale), c.level) << c.scale;
    EXPECT_EQ(cruise.ScaleToLevel(std::numeric_limits<double>::quiet_NaN()), -1);
}

TEST_F(CruiseTest, BorderRatiosFromTheEnvironment) {
    UseEnvironment({"BorderRatio1=0", "BorderRatio2=10001", "BorderRatio3=40", "borderratio7=10000",
                    "BorderRatio5=abc"});
    // Ratios out of 1..10000 (borders 1, 2) and unreadable ones (5) keep the default.
    for (auto [k, scale] : {std::pair{1, 1e8}, {2, 5e7}, {3, 2.5e7}, {5, 5e6}, {7, 1e5}, {8, 1e5}})
        EXPECT_EQ(cruise.StdBorderScale(int16_t(k)), scale) << k;
}

TEST_F(CruiseTest, BorderLetTakesOnlyInnerBordersWithinTheLimits) {
    for (int16_t k : {0, 8, 9}) cruise.SetBorderScale(k, 2e5);
    EXPECT_EQ(cruise.BorderScale(0), 1e9);
    EXPECT_EQ(cruise.BorderScale(8), 1e5);

    cruise.SetBorderScale(4, 1.2e7);
    EXPECT_EQ(cruise.BorderScale(4), 1.2e7);
    for (double bad : {99999.4, 1000000000.6, 0.0, -1e6, std::numeric_limits<double>::quiet_NaN(),
                       std::numeric_limits<double>::infinity()}) {
        cruise.SetBorderScale(4, bad);
        EXPECT_EQ(cruise.BorderScale(4), 1.2e7) << bad;
    }
    // Compared after rounding, stored as given.
    cruise.SetBorderScale(7, 99999.6);
    EXPECT_EQ(cruise.BorderScale(7), 99999.6);
    cruise.SetBorderScale(1, 1000000000.4);
    EXPECT_EQ(cruise.BorderScale(1), 1000000000.4);
    // Out of order: border 3 above border 2 skips level 3.
    cruise.SetBorderScale(3, 6e7);
    EXPECT_EQ(cruise.ScaleToLevel(5.5e7), 2);
    EXPECT_EQ(cruise.ScaleToLevel(3e7), 4);
}

TEST_F(CruiseTest, MaskCountsRegularFilesOnly) {
    StandardList();
    listBytes.replace("142000,T2.MLL,E,J", "142000,,Topo,J");
    Entry(142000, "T2.MLL"); // a later line of the same code does not count
    listBytes.replace("145000,T5.MLL", "145000,DIR5.MLL");
    WriteList();
    Present({"OCEAN0.MLL", "P3.MLL", "JAPAN_R8.MLL", "T1.MLL"});
    QDir(dir.path()).mkdir("DIR5.MLL");
    // Bits 0, 3, 7 and 24.
    EXPECT_EQ(cruise.GetStdMapList(), 1 + 8 + 128 + 16777216);
    EXPECT_EQ(cruise.GetStdMapCount(), 4);
    EXPECT_EQ(cruise.MapCodeToPath(142000), QString()); // the empty File field
    EXPECT_TRUE(ui.ui.messages.isEmpty());

    Present(codeOf.keys());
    // T2 has no file field and T5 is listed as a folder: bits 8 and 11 stay clear.
    EXPECT_EQ(cruise.GetStdMapList(), 0x1FFFFFF & ~(1 << 8) & ~(1 << 11));
    EXPECT_EQ(cruise.GetStdMapCount(), 23);
}

TEST_F(CruiseTest, PathsOfCodes) {
    listBytes = "131000,P1.MLL,a,b\r\n"
                "132000,sub\\P2.MLL,a,b\r\n"
                "133000,C:P3.MLL,a,b\r\n"
                "134000,,a,b\r\n";
    WriteList();
    EXPECT_EQ(cruise.MapCodeToPath(131000), Library::JoinPath(dir.path(), "P1.MLL"));
    for (auto [code, path] : {std::pair{132000, "sub\\P2.MLL"}, {133000, "C:P3.MLL"}, {134000, ""}, {135000, ""}})
        EXPECT_EQ(cruise.MapCodeToPath(code), path) << code;
    PublicVal::gvMapFolder = dir.path() + "/";
    EXPECT_EQ(cruise.MapCodeToPath(131000), dir.path() + "/P1.MLL");
}

TEST_F(CruiseTest, CountryNamesByTheFirstRecordOfTheCountry) {
    listBytes = "131000,P1.MLL,World,\x90\xA2\x8A\x45\r\n"
                "167392,J.MLL,Japan,\x93\xFA\x96\x7B\r\n"
                "177392,JT.MLL,Japan topo,x\r\n";
    WriteList();
    const std::tuple<int16_t, int32_t, const char*> rows[] = {{392, 1, "Japan"}, {392, 2, "日本"}, {392, 3, ""},
                                                             {1392, 1, "Japan"}, {0, 2, "世界"},  {410, 1, ""}};
    for (auto [country, language, name] : rows)
        EXPECT_EQ(cruise.CountryName(country, language), QString::fromUtf8(name)) << country << " " << language;
}

TEST_F(CruiseTest, NominatedEntriesInOrder) {
    StandardList();
    listBytes.replace("153000,R3.MLL,E", "153000,,Roads");
    listBytes.replace("123000,OCEAN3.MLL,E,J", "123000,,,Umi");
    WriteList();
    WriteGrid();
    const clsRect area = TokyoAndWest();
    EXPECT_EQ(cruise.NominateMaps(3, area), QStringList{"+,133000,P3.MLL"});
    cruise.mEiOcean = cruise.mEiTraffic = true;
    EXPECT_EQ(cruise.NominateMaps(3, area), (QStringList{"-,123000,Umi", "+,133000,P3.MLL", "-,153000,Roads"}));
    cruise.mEiTopo = true;
    EXPECT_EQ(cruise.NominateMaps(6, area), (QStringList{"+,126000,OCEAN6.MLL", "+,146000,T6.MLL", "+,156000,R6.MLL"}));
    // Countries in the order the grid meets them: 410 (west) before 392.
    EXPECT_EQ(cruise.NominateMaps(8, area),
              (QStringList{"+,128000,OCEAN8.MLL", "-,178410,(unknown)", "+,178392,JAPAN_T8.MLL",
                           "-,188410,(unknown)", "+,188392,JAPAN_R8.MLL"}));
    cruise.mEiOcean = cruise.mEiTraffic = cruise.mEiTopo = false;
    EXPECT_EQ(cruise.NominateMaps(7, TokyoArea()), QStringList{"+,167392,JAPAN_P7.MLL"});
    EXPECT_TRUE(cruise.NominateMaps(7, OpenSea()).isEmpty());
    EXPECT_TRUE(cruise.NominateMaps(0, area).isEmpty());
    EXPECT_TRUE(cruise.NominateMaps(9, area).isEmpty());
}

TEST_F(CruiseTest, WithoutAListEveryEntryIsAbsent) {
    ui.ui.answers = {Mb::Ok, Mb::No};
    EXPECT_EQ(cruise.NominateMaps(2, kWorld), QStringList{"-,132000,(unknown)"});
    ui.ui.answers = {Mb::Ok, Mb::No};
    EXPECT_EQ(cruise.GetStdMapList(), 0);
    // Once per call: the stop message and the retry prompt, not 25 of each.
    EXPECT_EQ(ui.ui.messages.size(), 4);

    // Cancel at the prompt goes on without the list, as giving up does.
    ui.ui.answers = {Mb::Ok, Mb::Cancel};
    EXPECT_EQ(cruise.MapCodeToPath(131000), QString());

    // A cruise reports the missing list once too, then names what it lacks.
    CreateBase(units);
    ui.ui.messages.clear();
    ui.ui.answers = {Mb::Ok, Mb::No};
    cruise.mEiReplace = false;
    EXPECT_FALSE(cruise.Cruise(3e6, &kWorld, &units));
    ASSERT_EQ(ui.ui.messages.size(), 3);
    EXPECT_EQ(ui.ui.messages[2].text, kCannot + kListed + "136000,(unknown)\r\n" + kCrLf + kNoSubstitute);
}

// One cruise from a fresh start: what is loaded and what is said.
TEST_F(CruiseTest, DecisionTable) {
    const struct {
        const char* name;
        QStringList present;
        bool replace, ocean, traffic;
        double scale;
        clsRect area;
        bool ok;
        QStringList loaded;
        QString message; // "" for none
        int style;
    } cases[] = {
        {"complete level 6", {"P6.MLL", "OCEAN6.MLL"}, true, true, false, 3e6, kWorld, true,
         {"OCEAN6.MLL", "P6.MLL"}, "", 0},
        {"substitution", {"P5.MLL"}, true, false, false, 3e6, kWorld, true, {"P5.MLL"},
         kListed + "136000,P6.MLL" + kCrLf + kCrLf + kSubstitute, Mb::OkOnly | Mb::Information},
        {"nine missing: the count only", {}, true, true, true, 2e7, kWorld, false, {},
         kCannot + QStringLiteral("見つけられない地図ファイルが 9 個ありました.\r\n") + kDownload,
         Mb::OkOnly | Mb::Critical},
        {"eight missing are listed", {"R1.MLL"}, true, true, true, 2e7, kWorld, false, {},
         kCannot + kListed +
             "123000,OCEAN3.MLL\r\n133000,P3.MLL\r\n153000,R3.MLL\r\n122000,OCEAN2.MLL\r\n132000,P2.MLL\r\n"
             "152000,R2.MLL\r\n121000,OCEAN1.MLL\r\n131000,P1.MLL\r\n" +
             kCrLf + kDownload,
         Mb::OkOnly | Mb::Critical},
        {"level 7, Japan only", {"JAPAN_P7.MLL"}, true, false, false, 1e6, TokyoArea(), true, {"JAPAN_P7.MLL"}, "", 0},
        // 410 has no record: the level is incomplete but nothing is reported.
        {"a country without a map", {"JAPAN_P7.MLL", "P6.MLL"}, true, false, false, 1e6, TokyoAndWest(), true,
         {"P6.MLL"}, "", 0},
        {"the map of Japan missing", {"P6.MLL"}, true, false, false, 1e6, TokyoAndWest(), true, {"P6.MLL"},
         kListed + "167392,JAPAN_P7.MLL\r\n" + kCrLf + kSubstitute, Mb::OkOnly | Mb::Information},
        {"open sea at level 8 uses level 6", {"P6.MLL"}, true, false, false, 2e5, OpenSea(), true, {"P6.MLL"}, "", 0},
        {"open sea without substitution", {"P6.MLL"}, false, false, false, 2e5, OpenSea(), false, {},
         kCannot + kNoSubstitute, Mb::OkOnly | Mb::Critical},
        {"level 6 missing without substitution", {"P5.MLL"}, false, false, false, 3e6, kWorld, false, {},
         kCannot + kListed + "136000,P6.MLL" + kCrLf + kCrLf + kNoSubstitute, Mb::OkOnly | Mb::Critical},
    };
    UseEnvironment({"AuthorURLmap=https://maps.example/std/"});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const QString& f : QDir(dir.path()).entryList(QDir::Files)) QFile::remove(dir.file(f));
        ui.ui.messages.clear();
        loaded.clear();
        codeOf.clear();
        units = clsMapUnits();
        SetUp();
        StandardList();
        WriteGrid();
        CreateBase(units);
        Present(c.present);
        cruise.mEiReplace = c.replace;
        cruise.mEiOcean = c.ocean;
        cruise.mEiTraffic = c.traffic;
        EXPECT_EQ(cruise.Cruise(c.scale, &c.area, &units), c.ok);
        EXPECT_EQ(loaded, c.loaded);
        EXPECT_EQ(Messages(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
        if (!c.message.isEmpty() && !ui.ui.messages.isEmpty()) {
            EXPECT_EQ(ui.ui.messages[0].style, c.style);
        }
        if (c.ok) {
            for (const auto& u : units) EXPECT_TRUE(u->bDraw) << u->UnitName().toStdString();
            EXPECT_EQ(units.Count(), 1 + c.loaded.size());
        }
    }
}

// No download page configured: the failure lists what is missing and
// points nowhere (no download line with an empty address).
TEST_F(CruiseTest, FailureWithoutADownloadPageOffersNone) {
    UseEnvironment({"AuthorURLmap="});
    StandardList();
    WriteGrid();
    CreateBase(units);
    EXPECT_FALSE(cruise.Cruise(3e6, &kWorld, &units)); // no level complete, substitution on
    ASSERT_EQ(Messages().size(), 1);
    const QString text = Messages()[0];
    EXPECT_EQ(text, kCannot + kListed +
                        "136000,P6.MLL\r\n135000,P5.MLL\r\n134000,P4.MLL\r\n133000,P3.MLL\r\n132000,P2.MLL\r\n"
                        "131000,P1.MLL\r\n" + kCrLf);
    EXPECT_FALSE(text.contains(QStringLiteral("ダウンロード"))) << text.toStdString();
}

TEST_F(CruiseTest, CompleteLevelLoadsItsMapsOnce) {
    StandardList();
    CreateBase(units);
    Present({"P6.MLL", "OCEAN6.MLL"});
    cruise.mEiOcean = true;
    EXPECT_TRUE(cruise.Cruise(3e6, &kWorld, &units)); // level 6
    // Ordered by kind: sea floor, then political, then the base.
    EXPECT_EQ(UnitNames(), (QStringList{"BASE.MLL", "OCEAN6.MLL", "P6.MLL"}));

    // The same view again loads nothing and makes the last map active.
    units.SetIndex(1);
    EXPECT_TRUE(cruise.Cruise(2.5e6, &kWorld, &units));
    EXPECT_EQ(loaded.size(), 2);
    EXPECT_EQ(units.Count(), 3);
    EXPECT_EQ(units.Index(), 3);
    EXPECT_TRUE(ui.ui.messages.isEmpty());
}

TEST_F(CruiseTest, OtherStandardMapsAreHiddenOthersKept) {
    StandardList();
    CreateBase(units);
    Present({"P5.MLL", "P6.MLL"});
    auto p5 = OpenFake("P5.MLL", 135000);
    auto own = OpenFake("MINE.MLL", 912345);     // kind 1
    auto nocode = OpenFake("NOCODE.MLL", -1);     // kind 0
    auto sea = OpenFake("SEA.MLL", 123000);       // kind 2
    auto countryMap = OpenFake("C.MLL", 188392);  // kind 8
    auto kind9 = OpenFake("K9.MLL", 193000);      // kind 9
    EXPECT_TRUE(cruise.Cruise(3e6, &kWorld, &units));
    for (const auto& u : {p5, sea, countryMap}) EXPECT_FALSE(u->bDraw) << u->UnitName().toStdString();
    for (const auto& u : {own, nocode, kind9, units.Base()}) EXPECT_TRUE(u->bDraw) << u->UnitName().toStdString();
    EXPECT_EQ(loaded, QStringList{"P6.MLL"});
}

TEST_F(CruiseTest, OpenUnitsMatchByFileNameInAnyCase) {
    listBytes = "136000,p6.mll,a,b\r\n146000,P6.MLL,a,b\r\n";
    WriteList();
    CreateBase(units);
    Present({"P6.MLL"});
    auto u = OpenFake("P6.MLL", 136000);
    u->bDraw = false;
    EXPECT_TRUE(cruise.Cruise(3e6, &kWorld, &units));
    EXPECT_TRUE(loaded.isEmpty());
    EXPECT_TRUE(u->bDraw);
    // Two codes naming the same file share the unit.
    cruise.mEiTopo = true;
    EXPECT_TRUE(cruise.Cruise(3e6, &kWorld, &units));
    EXPECT_TRUE(loaded.isEmpty());
    EXPECT_EQ(units.Count(), 2);
}

TEST_F(CruiseTest, FailedAndEmptyLoads) {
    StandardList();
    CreateBase(units);
    Present({"OCEAN6.MLL", "P6.MLL", "R6.MLL"});
    cruise.mEiOcean = cruise.mEiTraffic = true;
    failing.insert("OCEAN6.MLL");
    emptyMaps.insert("R6.MLL");
    EXPECT_FALSE(cruise.Cruise(3e6, &kWorld, &units));
    EXPECT_EQ(loaded, (QStringList{"OCEAN6.MLL", "P6.MLL", "R6.MLL"}));
    EXPECT_EQ(UnitNames(), (QStringList{"BASE.MLL", "P6.MLL"}));

    failing.clear();
    EXPECT_TRUE(cruise.Cruise(3e6, &kWorld, &units));
    EXPECT_EQ(loaded.mid(3), (QStringList{"OCEAN6.MLL", "R6.MLL"}));
}

TEST_F(CruiseTest, DefaultLoaderReadsTheMapFiles) {
    StandardList();
    CreateBase(units);
    WriteMap("P6.MLL", 136000, 4);
    WriteLists("P6");
    WriteMap("OCEAN6.MLL", 126000, 1); // only its code remark: loaded, kept
    WriteLists("OCEAN6");
    cruise.SetLoader({});
    cruise.mEiOcean = true;
    EXPECT_TRUE(cruise.Cruise(3e6, &kWorld, &units));
    EXPECT_TRUE(loaded.isEmpty());
    EXPECT_EQ(UnitNames(), (QStringList{"BASE.MLL", "OCEAN6.MLL", "P6.MLL"}));
    EXPECT_EQ(units.Item(3)->gFigures->Count(), 4);
}

TEST_F(CruiseTest, NothingWithoutUnitsAreaOrLevel) {
    StandardList();
    CreateBase(units);
    Present({"P6.MLL"});
    EXPECT_FALSE(cruise.Cruise(3e6, nullptr, &units) || cruise.Cruise(3e6, &kWorld, nullptr) ||
                 cruise.Cruise(1e10, &kWorld, &units) || cruise.Cruise(5e4, &kWorld, &units));
    EXPECT_TRUE(loaded.isEmpty());
    EXPECT_TRUE(ui.ui.messages.isEmpty());
}

TEST_F(CruiseTest, SettingsRoundTripInKeyOrder) {
    ScopedSettingsHome home;
    StandardList();
    Present({"P1.MLL", "JAPAN_P8.MLL"});
    WriteGrid();
    cruise.mEiAuto = true;
    cruise.mEiReplace = false;
    cruise.mEiTraffic = true;
    cruise.SetBorderScale(2, 4.5e7);
    cruise.SetBorderScale(7, 250000.5);
    cruise.WriteRegistry();

    clsRegistry reg;
    reg.mSection = "CRUISE05";
    const SettingsStore::Pairs rows = reg.RegGetSec();
    QStringList keys, values;
    for (const auto& r : rows) {
        keys << r.first;
        values << r.second;
    }
    EXPECT_EQ(keys, (QStringList{"ListFile", "GridFile", "EiAuto", "EiReplace", "EiTopo", "EiOcean", "EiTraffic",
                                 "BorderScale1", "BorderScale2", "BorderScale3", "BorderScale4", "BorderScale5",
                                 "BorderScale6", "BorderScale7", "LastStdMapList"}));
    EXPECT_EQ(values.mid(2),
              (QStringList{"True", "False", "False", "False", "True", "100000000", "45000000", "20000000",
                           "10000000", "5000000", "2000000", "250000.5", QString::number(2 + (1 << 20))}));

    clsCruise05 other;
    other.ReadRegistry();
    EXPECT_EQ(other.ListFile(), dir.file("CRUISE05.LST"));
    EXPECT_EQ(other.GridFile(), dir.file("CRUISE05.GRD"));
    EXPECT_EQ((QList<bool>{other.mEiAuto, other.mEiReplace, other.mEiTopo, other.mEiOcean, other.mEiTraffic}),
              (QList<bool>{true, false, false, false, true}));
    EXPECT_EQ(other.BorderScale(2), 4.5e7);
    EXPECT_EQ(other.BorderScale(7), 250000.5);
    EXPECT_EQ(other.LastStdMapList(), QString::number(2 + (1 << 20)));
}

TEST_F(CruiseTest, SettingsDefaultsAndBadValues) {
    ScopedSettingsHome home;
    FileSystem::SetProgramFolder(dir.path());
    clsRegistry reg;
    reg.mSection = "CRUISE05";
    const QStringList stored{"ListFile", dir.file("gone.lst"), "EiAuto", "1", "EiReplace", "maybe", "EiTopo", "true",
                             "BorderScale3", "abc", "BorderScale4", "5", "BorderScale5", "4000000",
                             "LastStdMapList", "x"};
    for (int i = 0; i < stored.size(); i += 2) reg.RegPut(stored[i], stored[i + 1]);
    cruise.SetBorderScale(3, 1.5e7);
    cruise.ReadRegistry();
    // A stored file that is not there leaves the program folder's list.
    EXPECT_EQ(cruise.ListFile(), Library::JoinPath(dir.path(), "CRUISE05.LST"));
    EXPECT_EQ(cruise.GridFile(), Library::JoinPath(dir.path(), "CRUISE05.GRD"));
    EXPECT_EQ((QList<bool>{cruise.mEiAuto, cruise.mEiReplace, cruise.mEiTopo, cruise.mEiOcean}),
              (QList<bool>{true, true, true, false}));
    EXPECT_EQ(cruise.BorderScale(3), 2e7); // back to the standard
    EXPECT_EQ(cruise.BorderScale(4), 1e7);
    EXPECT_EQ(cruise.BorderScale(5), 4e6);
    EXPECT_EQ(cruise.LastStdMapList(), "0");

    // The environment names another list, taken when it is there.
    dir.write("OTHER.LST", "131000,P1.MLL,a,b\r\n");
    UseEnvironment({"CruiseListFile=OTHER.LST"});
    reg.RegDelete("ListFile");
    cruise.ReadRegistry();
    EXPECT_EQ(cruise.ListFile(), Library::JoinPath(dir.path(), "OTHER.LST"));
    FileSystem::SetProgramFolder(QString());
}
