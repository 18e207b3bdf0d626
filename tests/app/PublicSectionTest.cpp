// The PUBLIC settings section and snapshot (.MLG) files: reading rules, byte-exact writing, refusals.
#include "AppFixture.h"

#include "document/clsMap.h"
#include "document/clsMapUnit.h"
#include "document/clsMapUnits.h"
#include "platform/Cp932Codec.h"

#include <random>

using namespace PublicVal;

namespace {

class PublicSectionTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_EQ(gvInitialize(), 0);
    }
};

TEST_F(PublicSectionTest, ReadingRulesBadValuesAndTheMapFolder) {
    Put("Language", "3");
    Put("ScreenDPI", "3");
    Put("StartMapType", "7");
    Put("AngleValue", "0");
    Put("AngleUnit", "x");
    Put("AngleDirection", "99999");
    Put("HomeLon", "700000");
    Put("HomeLat", "-400000");
    Put("HomeScaleLL", "5");
    gvReadRegistry(false);
    EXPECT_EQ(gvLanguage, 1);
    EXPECT_EQ(gvScreenDPI, 96);
    EXPECT_EQ(gvStartMapType, 2);
    EXPECT_EQ(gvAngleValue, 1);
    EXPECT_EQ(gvAngleUnit, 4);       // does not convert: the default
    EXPECT_EQ(gvAngleDirection, 3);  // not a 16-bit number: the default
    EXPECT_EQ(gvHomeLon, 648000);
    EXPECT_EQ(gvHomeLat, -324000);
    EXPECT_DOUBLE_EQ(gvHomeScaleLL, 100000);
    Put("Language", "x");
    Put("ScreenDPI", "4");
    gvReadRegistry(false);
    EXPECT_EQ(gvLanguage, 1);
    EXPECT_EQ(gvScreenDPI, 4);

    // A stored map folder counts only with all three base files in it.
    TestFolder other;
    WriteBaseUnit(other.path());
    QFile::remove(other.path() + "/BASE.ADM");
    Put("MapPath", other.path());
    gvReadRegistry(false);
    EXPECT_EQ(gvMapFolder, root.path() + "/MAP");
    WriteBaseUnit(other.path());
    gvReadRegistry(false);
    EXPECT_EQ(gvMapFolder, other.path());
}

TEST_F(PublicSectionTest, UnitsAtMostTwoHundredFiftySixEmptyEntriesSkipped) {
    WriteUnit(maps, "A");
    WriteUnit(maps, "B");
    WriteUnit(maps, "C");
    Put("LLcount", "300");
    Put("1:MapLL", "");
    Put("2:MapLL", maps + "/A.MLL");
    Put("2:SwitchLL", "2");
    Put("256:MapLL", maps + "/B.MLL");
    Put("257:MapLL", maps + "/C.MLL");
    gvReadRegistry(true);
    ASSERT_EQ(gvMapUnits->Count(), 3);
    EXPECT_TRUE(gvMapUnits->Item(2)->gFigures->FileName().endsWith("/A.MLL"));
    EXPECT_TRUE(gvMapUnits->Item(2)->bDraw && !gvMapUnits->Item(2)->bSearch);
    EXPECT_TRUE(gvMapUnits->Item(3)->gFigures->FileName().endsWith("/B.MLL"));

    // A negative count restores nothing, yet the list is emptied.
    Put("LLcount", "-1");
    gvReadRegistry(true);
    EXPECT_EQ(gvMapUnits->Count(), 1);
}

// Every value away from its default, so that a key lost on either side shows.
TEST_F(PublicSectionTest, SnapshotIsWrittenByteForByteAndReadBack) {
    Put("Stale", "1"); // the section is written afresh
    gvLanguage = 2;
    gvLastSavePath = "/home/u/save.THG";
    gvStartMapType = 1;
    gvScreenDPI = 120;
    gvScreenDPIFromScreen = false;
    gvAngleValue = 5;
    gvAngleUnit = 6;
    gvAngleDirection = 4;
    gvHomeLon = -648000;
    gvHomeLat = 324000;
    gvHomeScaleLL = 350000;
    gvMapFolder = "C:\\地図";
    gvMapUnits->Item(1)->bDraw = true;
    gvMapUnits->Item(1)->bSearch = false;
    const QString start = gvStartMapFile;
    const QString baseMap = gvMapUnits->Item(1)->gFigures->FileName();
    const QString baseThg = gvMapUnits->Item(1)->gThings->FileName();
    const QString baseAdm = gvMapUnits->Item(1)->gAdmins->FileName();
    const QString path = root.path() + "/snap.txt";
    ASSERT_EQ(gvWriteLog(path), 0);
    EXPECT_EQ(gvLastLog, root.path() + "/snap.MLG");

    const QByteArray bytes = Read(root.path() + "/snap.MLG");
    const QString head = QStringLiteral(
        "[PUBLIC]\r\n"
        "WindowLeft=\"1000\"\r\n"
        "WindowTop=\"1000\"\r\n"
        "Language=\"2\"\r\n"
        "LastSavePath=\"/home/u/save.THG\"\r\n"
        "LastLog=\"%1/snap.MLG\"\r\n"
        "MapPath=\"C:\\地図\"\r\n"
        "StartMapType=\"1\"\r\n"
        "StartMapFile=\"%2\"\r\n"
        "ScreenDPI=\"120\"\r\n"
        "ScreenDPIAuto=\"False\"\r\n"
        "AngleValue=\"5\"\r\n"
        "AngleUnit=\"6\"\r\n"
        "AngleDirection=\"4\"\r\n"
        "HomeLon=\"-648000\"\r\n"
        "HomeLat=\"324000\"\r\n"
        "HomeScaleLL=\"350000\"\r\n"
        "LLcount=\"1\"\r\n"
        "1:MapLL=\"%3\"\r\n"
        "1:ThingLL=\"%4\"\r\n"
        "1:AdministrationLL=\"%5\"\r\n"
        "1:SwitchLL=\"2\"\r\n"
        "[ACCESSORY]\r\n")
                             .arg(root.path(), start, baseMap, baseThg, baseAdm);
    EXPECT_EQ(bytes.left(Cp932Encode(head).size()), Cp932Encode(head));
    // The sections follow in their fixed order, each once.
    const QString text = Cp932Decode(bytes);
    const qsizetype acc = text.indexOf("[ACCESSORY]\r\n"), plot = text.indexOf("[LLPLOT]\r\n"),
                    grid = text.indexOf("[LLGRID]\r\n"), view = text.indexOf("[VIEW]\r\n");
    EXPECT_LT(acc, plot);
    EXPECT_LT(plot, grid);
    EXPECT_LT(grid, view);
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_FALSE(bytes.contains("\n\n"));

    // Read back over other values and written again: the same bytes.
    gvLanguage = 1;
    gvLastSavePath.clear();
    gvLastLog.clear();
    gvStartMapType = gvScreenDPI = 0;
    gvScreenDPIFromScreen = true;
    gvHomeLon = gvHomeLat = 0;
    gvAngleValue = gvAngleUnit = gvAngleDirection = 1;
    gvHomeScaleLL = 0;
    ASSERT_EQ(gvReadLog(path), 0);
    ASSERT_EQ(gvWriteLog(path), 0);
    EXPECT_EQ(Read(root.path() + "/snap.MLG"), bytes);
    // The program's own snapshots leave LastLog alone.
    ASSERT_EQ(gvWriteLog(root.path() + "/last.mlg"), 0);
    ASSERT_EQ(gvWriteLog(root.path() + "/Error"), 0);
    EXPECT_EQ(gvLastLog, root.path() + "/snap.MLG");
}

TEST_F(PublicSectionTest, ReadOnlyTargetAndMissingSnapshot) {
    const QString target = root.path() + "/ro.MLG";
    Write(target, "x");
    QFile::setPermissions(target, QFileDevice::ReadOwner);
    const QByteArray before = Read(target);
    ASSERT_EQ(gvWriteLog(target), 70);
    EXPECT_EQ(Read(target), before);
    EXPECT_TRUE(Section("PUBLIC").isEmpty()); // the store was not touched
    EXPECT_TRUE(scripted.ui.messages.last().text.contains("読み取り専用"));

    EXPECT_EQ(gvReadLog(root.path() + "/none"), 53);
    EXPECT_EQ(scripted.ui.messages.last().text, root.path() + "/none.MLG\r\nログファイルが存在しません.");
    EXPECT_EQ(scripted.ui.messages.last().style & 0x70, 16); // the stop icon
}

// Answers the save question of every unit it is asked about.
class RecordingWindow : public MainWindowLink {
public:
    ViewHost* View() override { return nullptr; }
    double WindowLeft() const override { return 1500; }
    double WindowTop() const override { return 600; }
    void MoveWindow(double left, double top) override {
        movedLeft = left;
        movedTop = top;
    }
    bool UnloadMapUnit(clsMapUnit& unit) override {
        offered << unit.UnitName();
        return !cancel;
    }
    QStringList offered;
    bool cancel = false; // the user cancels the save
    double movedLeft = -1, movedTop = -1;
};

TEST_F(PublicSectionTest, RestoringASnapshotOffersSavesAndMovesTheWindow) {
    WriteUnit(maps, "A");
    RecordingWindow window;
    SetMainWindow(&window);
    auto unit = std::make_shared<clsMapUnit>();
    unit->SetUnitName(maps + "/A.MLL");
    ASSERT_TRUE(unit->Load());
    ASSERT_TRUE(gvMapUnits->Add(unit));
    const QString path = root.path() + "/two.MLG";
    ASSERT_EQ(gvWriteLog(path), 0);
    gvMapUnits->ClearAll();

    ASSERT_EQ(gvReadLog(path), 0);
    SetMainWindow(nullptr);
    EXPECT_EQ(window.offered.size(), 1); // the base unit open before
    EXPECT_EQ(gvMapUnits->Count(), 2);
    EXPECT_DOUBLE_EQ(window.movedLeft, 1500);
    EXPECT_DOUBLE_EQ(window.movedTop, 600);
}

// 3,000 random bytes and a few lines that almost are section headers: refused
// before the units are offered for saving, emptied or the store is touched.
TEST_F(PublicSectionTest, AFileHoldingNoSectionOfASnapshotIsRefusedAndChangesNothing) {
    WriteUnit(maps, "A");
    RecordingWindow window;
    struct Linked {
        ~Linked() { SetMainWindow(nullptr); } // also when a check ends the test
    } linked;
    SetMainWindow(&window);
    auto unit = std::make_shared<clsMapUnit>();
    unit->SetUnitName(maps + "/A.MLL");
    ASSERT_TRUE(unit->Load());
    ASSERT_TRUE(gvMapUnits->Add(unit));
    Put("Language", "2");
    std::mt19937 gen{34};
    QByteArray bytes;
    for (int i = 0; i < 3000; ++i) bytes += char(gen() & 0xFF);
    bytes += "\r\n[public]\r\n [PUBLIC]\r\n[PUBLIC] \r\n[LLPLOT\r\nLLcount=\"0\"\r\n";
    const QString path = root.path() + "/noise.MLG";
    Write(path, bytes);
    const auto before = Section("PUBLIC");
    const int32_t writes = SettingsStore::Instance().Writes();
    scripted.ui.messages.clear();

    EXPECT_EQ(gvReadLog(root.path() + "/noise"), kNotASnapshot);
    ASSERT_EQ(scripted.ui.messages.size(), 1);
    EXPECT_EQ(scripted.ui.messages[0].text, path + "\r\nはログファイルではありません. 何も読み込みませんでした.");
    EXPECT_EQ(scripted.ui.messages[0].style & 0x70, 16); // the stop icon
    EXPECT_TRUE(window.offered.isEmpty());
    EXPECT_EQ(gvMapUnits->Count(), 2);
    EXPECT_EQ(Section("PUBLIC"), before);
    EXPECT_EQ(SettingsStore::Instance().Writes(), writes);
    EXPECT_DOUBLE_EQ(window.movedLeft, -1);
    EXPECT_EQ(Read(path), bytes);

    // One header of the five is a snapshot, however little it holds; a save
    // cancelled for a unit it would close leaves everything as it was.
    Write(path, bytes + "[VIEW]\r\n");
    window.cancel = true;
    EXPECT_EQ(gvReadLog(path), ErrorMng::SaveCancelled);
    EXPECT_EQ(window.offered.size(), 1);
    EXPECT_EQ(gvMapUnits->Count(), 2);
    EXPECT_EQ(Section("PUBLIC"), before);
    window.cancel = false;
    window.offered.clear();
    EXPECT_EQ(gvReadLog(path), 0);
    EXPECT_EQ(window.offered.size(), 2);
    EXPECT_EQ(gvMapUnits->Count(), 1);
}

TEST_F(PublicSectionTest, ReadingASnapshotOfSixteenThousandKeysWritesTheStoreOnce) {
    QByteArray text = "[PUBLIC]\r\nLanguage=\"2\"\r\n[LLPLOT]\r\n";
    for (int i = 0; i < 16000; ++i) text += "K" + QByteArray::number(i) + "=\"" + QByteArray::number(i) + "\"\r\n";
    Write(root.path() + "/big.MLG", text);
    const int32_t before = SettingsStore::Instance().Writes();
    ASSERT_EQ(gvReadLog(root.path() + "/big.MLG"), 0);
    EXPECT_EQ(SettingsStore::Instance().Writes() - before, 1);
    EXPECT_TRUE(Read(SettingsStore::DefaultFilePath()).contains("K15999=\"15999\"\r\n"));
}

} // namespace
