// The thing grid: which things are listed, categories kept open across a
// page change, the show-mode cycle and its annotation walk, copies to the
// other units by name, and the sample state of the selection.
#include "SymbolTestEnv.h"

namespace {

const QStringList kListed{QStringLiteral("枠組"), QStringLiteral("陸地"), QStringLiteral("注記"), QStringLiteral("国境"),
                          QStringLiteral("都市"), QStringLiteral("注記2"), QStringLiteral("地名")};

struct ThingGrid : GridTest {};

TEST_F(ThingGrid, UnnamedAndEmptyCategoriesAreNotListed) {
    EXPECT_EQ(Column(1), kListed);
    EXPECT_EQ(Column(0).first(), QStringLiteral("+"));
    EXPECT_EQ(Column(6), (QStringList{"1", "1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(Column(7), (QStringList{"category", "off", "off", "off", "off", "off", "off"}));
    EXPECT_EQ(Column(2).mid(1), (QStringList{"多辺形", "注釈", "連続線", "点記号", "注釈", "文字列"}));
    EXPECT_EQ(flex.TextMatrix(2, 4), QStringLiteral("10億～10万"));
    EXPECT_EQ(flex.TextMatrix(3, 4), QString()); // annotation: no range
    EXPECT_EQ(flex.RowHeight(2), 0);             // closed category
    EXPECT_TRUE(flex.CellFontBold(1, 3));

    sw.mDispAll = true;
    grid.Clear();
    grid.SetGridData();
    EXPECT_EQ(Column(1), (kListed + QStringList{"水系", "河川"})); // the unused thing now, never 無名
}

TEST_F(ThingGrid, PageChangeKeepsRowsAndOpenCategories) {
    grid.GridTree(3); // from a thing row up to its category
    EXPECT_EQ(flex.TextMatrix(1, 0), QStringLiteral("-"));
    EXPECT_EQ(flex.RowHeight(4), 400);
    EXPECT_EQ(flex.TextMatrix(4, 3), QStringLiteral("依存"));
    sw.mThingPage = 2;
    grid.SetGridData();
    EXPECT_EQ(Column(1), kListed);
    EXPECT_EQ(flex.TextMatrix(1, 0), QStringLiteral("-"));
    EXPECT_EQ(flex.RowHeight(4), 400);
    EXPECT_EQ(flex.TextMatrix(4, 3), QStringLiteral("表示")); // 国境 shows on page 2
    grid.Clear(); // as toggling the list option does
    grid.SetGridData();
    EXPECT_EQ(flex.TextMatrix(1, 0), QStringLiteral("+"));
    EXPECT_EQ(flex.RowHeight(4), 0);
}

TEST_F(ThingGrid, ShowModeCycleAndAnnotationWalk) {
    sw.mPageSync = false;
    sw.mUnitSync = false;
    grid.GridShowmode(3); // 注記 heads 国境 and 都市
    EXPECT_EQ(Column(3), (QStringList{"", "依存", "隠蔽", "隠蔽", "隠蔽", "依存", "依存"}));
    auto border = Work(2, 3);
    border->SetPage(2);
    EXPECT_EQ(border->ShowMode(), 1); // the other pages keep theirs
    grid.GridShowmode(3);
    EXPECT_EQ(flex.TextMatrix(5, 3), QStringLiteral("表示"));
    grid.GridShowmode(3);
    EXPECT_EQ(flex.TextMatrix(5, 3), QStringLiteral("依存")); // 1 goes to -1, not 0
    grid.GridShowmode(4); // a plain thing changes alone
    EXPECT_EQ(Column(3), (QStringList{"", "依存", "依存", "隠蔽", "依存", "依存", "依存"}));

    sw.mPageSync = true;
    sw.mUnitSync = true;
    grid.GridShowmode(6); // 注記2 and 地名 on every page
    EXPECT_EQ(EachPage(Work(2, 6), &clsThing::ShowMode), std::vector<int16_t>(8, 0));
    EXPECT_EQ(Work(1, 6)->ShowMode(), 0); // copied to the base unit by name
}

TEST_F(ThingGrid, SyncByNameFirstNamesakeLockedListsSkipped) {
    auto dup = Legend();
    dup->Add(Thing(12, "POLYLINE", QStringLiteral("国境"), 3)); // a second namesake
    dup->Add(Thing(13, "POLYGON", QStringLiteral("陸地"), 3));
    units.Item(1)->gThings = dup;
    Own(2)->SetLockMode(true);
    work.Load(units);
    auto edited = work.WorkThings(1)->Item(13);
    edited->SetFore(0x123456);
    work.SyncMapThing(*edited, false);
    EXPECT_EQ(work.WorkThings(1)->Item(1)->Fore(), 0x80); // switch off: nothing copied

    work.SyncMapThing(*edited, true);
    // The chosen list's earlier namesake takes the settings under its own code.
    const auto land = work.WorkThings(1)->Item(1);
    EXPECT_EQ(land->Fore(), 0x123456);
    EXPECT_EQ(land->Index(), 1);
    EXPECT_EQ(land->Category(), 3);
    EXPECT_TRUE(land->Use());  // its own flag: 枠組 is used
    EXPECT_EQ(work.WorkThings(2)->Item(1)->Fore(), 0x80); // locked

    Own(2)->SetLockMode(false);
    work.Load(units);
    auto border = work.WorkThings(2)->Item(3);
    border->SetFore(0xABCDEF);
    work.SyncMapThing(*border, true);
    EXPECT_EQ(work.WorkThings(1)->Item(3)->Fore(), 0xABCDEF);
    EXPECT_EQ(work.WorkThings(1)->Item(12)->Fore(), 0x80); // only the first namesake
    EXPECT_FALSE(work.WorkThings(1)->Item(12)->Use());
}

TEST_F(ThingGrid, SampleStateFollowsRowsAndTheSampleColumn) {
    bool popup = false;
    grid.EnablePopup = [&](bool on) { popup = on; };
    flex.SelChange = [&] { grid.SelChange(); };
    flex.SetSelection(3, 1, 5, 5);
    EXPECT_EQ(Column(7), (QStringList{"category", "off", "on", "on", "on", "off", "off"}));
    EXPECT_TRUE(popup);
    flex.SetColSel(4); // column 5 left out: nothing is drawn selected
    EXPECT_EQ(Column(7), (QStringList{"category", "off", "off", "off", "off", "off", "off"}));
    flex.SetSelection(1, 5, 1, 5);
    EXPECT_FALSE(popup); // a category row alone
    EXPECT_EQ(flex.CellPicture(2, 5).deviceIndependentSize().width(), 96);

    flex.SetSelection(2, 1, 2, 1);
    grid.DblClick(); // MouseRow -1: nothing
    EXPECT_EQ(flex.RowSel(), 2);
}

TEST_F(ThingGrid, ToolTips) {
    EXPECT_EQ(grid.ToolTipAt(0, 3), QStringLiteral("見出し行(ダブルクリックで全行選択) / この桁は「事象別表示モード」を示す"));
    EXPECT_EQ(grid.ToolTipAt(1, 2), QStringLiteral("カテゴリー行(ダブルクリックでカテゴリー内全行選択)"));
    flex.SetTextMatrix(2, 1, QStringLiteral("１２３４５６７８９０1"));
    EXPECT_EQ(grid.ToolTipAt(2, 1), QStringLiteral("行(事象)の選択 「１２３４５６７８９０1」"));
    flex.SetTextMatrix(2, 1, QStringLiteral("１２３４５６７８９０"));
    EXPECT_EQ(grid.ToolTipAt(2, 1), QStringLiteral("行(事象)の選択"));
    EXPECT_EQ(grid.ToolTipAt(8, 1), QString());
}

} // namespace
