#include "document/UnitLoader.h"

#include "support/MapUnitTestEnv.h"
#include "core/Library.h"

namespace {

struct UnitLoaderTest : MapUnitTest {
    QStringList log; // what the watcher was told, in order

    UnitLoader::Watcher Recorder() {
        UnitLoader::Watcher w;
        w.path = [this](UnitLoader::Part p, const QString& s) { log << QStringLiteral("path%1 %2").arg(p).arg(s); };
        w.state = [this](UnitLoader::Part p, const QString& s) { log << QStringLiteral("state%1 %2").arg(p).arg(s); };
        w.progressVisible = [this](bool v) { log << QStringLiteral("bar %1").arg(v); };
        w.progress = [this](int16_t percent) { log << QStringLiteral("progress %1").arg(percent); };
        return w;
    }
};

TEST_F(UnitLoaderTest, LoadsTheThreeFilesInOrder) {
    WriteMap("W.MLL", -1, 2);
    WriteLists("W");
    clsMapUnit unit;
    unit.SetUnitName(dir.file("W.MLL"));
    UnitLoader loader(Recorder());
    ASSERT_TRUE(loader.Run(unit));
    EXPECT_TRUE(loader.Result() && !loader.Busy());
    EXPECT_EQ(log, QStringList({
                       "bar 0",
                       "path0 " + dir.file("W.ADM"), "state0 Loading...", "state0 Success.",
                       "path1 " + dir.file("W.THG"), "state1 Loading...", "state1 Success.",
                       "path2 " + dir.file("W.MLL"), "state2 Loading...", "bar 1", "progress 100", "bar 0",
                       "state2 Success.",
                   }));
    EXPECT_EQ(unit.gFigures->Count(), 2);
    EXPECT_FALSE(unit.gFigures->Progress); // the watcher is let go
    EXPECT_TRUE(ui.ui.messages.isEmpty());
    EXPECT_EQ(ui.ui.pointerHistory, QList<int16_t>({MousePtr::Hourglass, 0}));
}

// Moved files are found in the map folder; missing lists fall back to the defaults.
TEST_F(UnitLoaderTest, MovedFilesAndMissingLists) {
    WriteMap("MOVED.MLL", -1, 2);
    WriteLists("MOVED");
    clsMapUnit moved;
    moved.SetUnitName(QStringLiteral("/nowhere/at/all/MOVED.MLL"));
    ASSERT_TRUE(moved.Load());
    EXPECT_EQ(QStringList({moved.UnitName(), moved.gThings->FileName(), moved.gAdmins->FileName()}),
              QStringList({dir.file("MOVED.MLL"), dir.file("MOVED.THG"), dir.file("MOVED.ADM")}));

    WriteMap("M.MLL", -1, 2);
    dir.write("DEFAULT.THG", Lines({"[CATEGORY]", "1,\"既定\"", ""}));
    dir.write("DEFAULT.ADM", Lines({"[ADMINISTRATION]", "005,1,1,1,1,\"D\",\"既\""}));
    clsMapUnit unit;
    unit.SetUnitName(dir.file("M.MLL"));
    ASSERT_TRUE(unit.Load());
    EXPECT_EQ(unit.gThings->FileName(), PublicVal::DefaultTHG());
    EXPECT_EQ(unit.gThings->CategoryName(1), QStringLiteral("既定"));
    EXPECT_EQ(unit.gAdmins->Item(5)->JapaneseName(), QStringLiteral("既"));
}

TEST_F(UnitLoaderTest, AMissingMapGivesFalseAndAnEmptyMap) {
    WriteLists("GONE");
    clsMapUnit unit;
    unit.SetUnitName(dir.file("GONE.MLL"));
    UnitLoader loader(Recorder());
    EXPECT_FALSE(loader.Run(unit));
    EXPECT_EQ(unit.gFigures->Count(), 0);
    EXPECT_EQ(unit.UnitName(), dir.file("GONE.MLL"));
    ASSERT_EQ(ui.ui.messages.size(), 1);
    EXPECT_TRUE(ui.ui.messages.at(0).text.startsWith(QStringLiteral("地図図形ファイルが存在しません.")));
    EXPECT_EQ(log.last(), QStringLiteral("bar 0"));
    EXPECT_FALSE(log.contains(QStringLiteral("state2 Success.")));
}

TEST_F(UnitLoaderTest, ACorruptAreaListGivesAMessageAndFalse) {
    WriteMap("BAD.MLL", -1, 2);
    WriteLists("BAD");
    dir.write("BAD.ADM", Lines({"[ADMINISTRATION]", "abc,0,1,1,1,\"x\",\"y\""}));
    dir.write("DEFAULT.ADM", Lines({"[ADMINISTRATION]"}));
    clsMapUnit unit;
    unit.SetUnitName(dir.file("BAD.MLL"));
    unit.gThings->SetComment(QStringLiteral("untouched"));
    UnitLoader loader(Recorder());
    EXPECT_FALSE(loader.Run(unit));
    EXPECT_FALSE(loader.Busy());
    EXPECT_EQ(ui.ui.messages.size(), 1);
    // The path is the one it had; the thing list and the map were not read.
    EXPECT_EQ(unit.gAdmins->FileName(), dir.file("BAD.ADM"));
    EXPECT_EQ(unit.gThings->Comment(), QStringLiteral("untouched"));
    EXPECT_EQ(unit.gFigures->Count(), 0);
    EXPECT_EQ(log, QStringList({"bar 0", "path0 " + dir.file("BAD.ADM"), "state0 Loading..."}));
    EXPECT_EQ(ui.ui.pointer, 0); // the hourglass is gone

    // And the next unit loads as if nothing had happened.
    EXPECT_TRUE(OpenUnit("GOOD", -1, 2));
}

TEST_F(UnitLoaderTest, PresenterReplacesTheHeadlessLoader) {
    int calls = 0;
    auto previous = clsMapUnit::SetLoadPresenter([&calls](clsMapUnit&) {
        ++calls;
        return false;
    });
    clsMapUnit unit;
    EXPECT_FALSE(unit.Load());
    EXPECT_EQ(calls, 1);
    clsMapUnit::SetLoadPresenter(previous);
}

} // namespace
