// The pop-up commands on the selected rows: range steps on the 53-step
// ladder (1e9 at the top, 1e5 at the bottom), colour copy and paste, the
// colour picker's cancel, and restore with the Modify rule.
#include "SymbolTestEnv.h"

#include "legend/ThingCommands.h"
#include "support/FakeAppHost.h"

namespace {

struct CommandTest : GridTest {
    ThingCommands cmd{flex, grid, work, sw};
    FakeAppHost host; // the palette picker, scripted
    int previews = 0;
    void SetUp() override
    {
        GridTest::SetUp();
        cmd.ExePreview = [this] { ++previews; };
        sw.mPageSync = false;
    }
    void Select(int first, int last) { flex.SetSelection(first, 1, last, 1); }
};

TEST(ThingCommandsLadder, StepsOnAndBetweenLadderValues) {
    MapProjection::InitGlobeRadius(MapProjection::DefaultGlobeRadius);
    struct Row {
        const char* name;
        double limit;
        int16_t step;
        double moved;
    } rows[] = {
        {"on 2e8 up", 2e8, -1, 2.5e8},
        {"on 2e8 down", 2e8, 1, 1.7e8},
        {"between 1.7e8 and 1.5e8 up", 1.6e8, -1, 2e8},
        {"between 1.7e8 and 1.5e8 down", 1.6e8, 1, 1.5e8},
        {"decade 1e8 down", 1e8, 1, 8e7},
        {"top up leaves the ladder", 1e9, -1, 0},
        {"bottom down leaves the ladder", 1e5, 1, 0},
        {"bottom up", 1e5, -1, 1.2e5},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_DOUBLE_EQ(ThingCommands::StepLimit(r.limit, r.step), r.moved);
    }
}

TEST_F(CommandTest, UpAtTheTopMovesOnlyTheOtherLimitAndShowsByRange) {
    auto land = Work(2, 1);
    land->SetPage(1);
    land->SetShowMode(1);
    Select(2, 2);
    cmd.cmdThings(4);
    land->SetPage(1);
    EXPECT_EQ(land->ScaleS(), 1e9); // already at ladder position 1
    EXPECT_EQ(land->ScaleL(), 1.2e5);
    EXPECT_EQ(land->ShowMode(), -1);
    EXPECT_EQ(flex.TextMatrix(2, 3), QStringLiteral("依存"));
    land->SetPage(2);
    EXPECT_EQ(land->ScaleL(), 1e5); // page sync off: page 2 untouched
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(flex.Row(), 2); // the selection comes back
}

TEST_F(CommandTest, ColourCopyPasteAndCancel) {
    EXPECT_FALSE(cmd.PasteEnabled());
    Select(1, 2); // a category row first: nothing copied
    cmd.cmdThings(8);
    EXPECT_EQ(sw.mCopyFore, -2);

    previews = 0;
    host.paletteAnswers = {-2}; // the picker cancelled: no change, no preview
    Select(2, 4);
    cmd.cmdThings(6);
    EXPECT_EQ(Work(2, 1)->Fore(), 0x80);
    EXPECT_EQ(previews, 0);

    host.paletteAnswers = {0x00FF00, 0x00FF00};
    Select(4, 4);
    cmd.cmdThings(7); // 国境 gets a green background
    Select(5, 5);
    cmd.cmdThings(6); // 都市 a green foreground
    EXPECT_EQ(Work(2, 3)->Back(), 0x00FF00);
    EXPECT_EQ(Work(2, 4)->Fore(), 0x00FF00);
    EXPECT_EQ(host.paletteRequests, (QList<int32_t>{0, 0, 0})); // always offered from black
    Select(3, 5);
    cmd.cmdThings(8); // from the first row only: 注記, without background
    EXPECT_EQ(sw.mCopyFore, 0x80);
    EXPECT_EQ(sw.mCopyBack, -1);
    EXPECT_TRUE(cmd.PasteEnabled());
    Select(4, 5);
    cmd.cmdThings(9);
    EXPECT_EQ(Work(2, 3)->Back(), -1); // pasted "no background"
    EXPECT_EQ(Work(2, 4)->Fore(), 0x80);
    EXPECT_EQ(Work(1, 3)->Back(), -1); // and copied to the base unit by name
}

TEST_F(CommandTest, RestoreAllClearsModifyOnlyForListsAsLoaded) {
    const auto w2 = work.WorkThings(2);
    sw.mPageSync = true;
    Select(2, 7);
    cmd.cmdThings(2); // hide all rows
    EXPECT_TRUE(w2->Modify());
    Select(2, 3);
    cmd.cmdThings(0); // not every row: flags stay
    EXPECT_TRUE(w2->Modify());
    EXPECT_EQ(flex.TextMatrix(2, 3), QStringLiteral("依存"));
    flex.SelectAllRows();
    cmd.cmdThings(0);
    EXPECT_FALSE(w2->Modify());
    EXPECT_FALSE(work.WorkThings(1)->Modify());

    // An edit made before the dialog opened is undone by restore, so that
    // list no longer stands as loaded and keeps its flag.
    Own(2)->Item(4)->SetFore(0x111111);
    work.Load(units);
    grid.SetGridData();
    flex.SelectAllRows();
    cmd.cmdThings(0);
    EXPECT_EQ(work.WorkThings(2)->Item(4)->Fore(), 0x80);
    EXPECT_TRUE(work.WorkThings(2)->Modify());
    EXPECT_FALSE(work.WorkThings(1)->Modify());
}

} // namespace
