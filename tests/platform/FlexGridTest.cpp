// The grid adapter: header row and 1-based rows, the anchor/end selection,
// hidden rows, clip text, sorting that carries row looks, header double click.
#include "platform/FlexGrid.h"
#include "support/GuiApp.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace {

struct GuiFirst {
    GuiFirst() { EnsureGuiApp(); }
};

struct GridFixture : ::testing::Test, GuiFirst {
    void SetUp() override
    {
        g.SetFormatString(QStringLiteral("^+|<事象名|>No"));
        g.SelChange = [this] { ++changes; };
        g.AddItem(QStringLiteral("\tbeta\t2"));
        g.AddItem(QStringLiteral("\tAlpha\t1"));
        g.AddItem(QStringLiteral("\tgamma\t3\textra"));
    }
    FlexGrid g;
    int changes = 0;
};

TEST_F(GridFixture, HeaderAndRowsAreOneBased) {
    EXPECT_EQ(g.Cols(), 3);
    EXPECT_EQ(g.Rows(), 4);
    EXPECT_EQ(g.TextMatrix(0, 0), QStringLiteral("+"));
    EXPECT_EQ(g.TextMatrix(0, 1), QStringLiteral("事象名"));
    EXPECT_EQ(g.ColAlignment(0), FlexGrid::AlignCenter);
    EXPECT_EQ(g.ColAlignment(2), FlexGrid::AlignRight);
    EXPECT_EQ(g.TextMatrix(3, 2), QStringLiteral("3")); // the fourth field has no column
    EXPECT_EQ(g.Clip(1, 0, 2), QStringLiteral("\tbeta\t2"));
    g.SetClip(2, 1, QStringLiteral("A\tB\tC"));
    EXPECT_EQ(g.Clip(2, 0, 2), QStringLiteral("\tA\tB"));
    g.AddItem(QStringLiteral("\tfirst"), 1);
    EXPECT_EQ(g.TextMatrix(1, 1), QStringLiteral("first"));
    g.RemoveItem(1);
    g.RemoveItem(0); // the header stays
    EXPECT_EQ(g.TextMatrix(0, 1), QStringLiteral("事象名"));
    EXPECT_EQ(g.TextMatrix(9, 1), QString());
    g.SetRows(1);
    EXPECT_EQ(g.Rows(), 1);
    EXPECT_EQ(g.TextMatrix(0, 2), QStringLiteral("No"));
}

TEST_F(GridFixture, SettingRowMovesTheEndRowSelExtends) {
    g.SetRow(3);
    g.SetCol(1);
    EXPECT_EQ(g.RowSel(), 3);
    EXPECT_EQ(g.ColSel(), 1);
    g.SetRowSel(1);
    g.SetColSel(2);
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(changes, 4);
    g.SetSelection(3, 1, 1, 2); // unchanged: no event
    EXPECT_EQ(changes, 4);
    g.SetRowSel(99); // clamped to the last row
    EXPECT_EQ(g.RowSel(), 3);
    g.SetRows(2); // cut back: anchor and end follow
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.RowSel(), 1);
}

TEST_F(GridFixture, HeightZeroHidesARow) {
    g.SetRowHeight(2, 0);
    EXPECT_EQ(g.RowHeight(2), 0);
    EXPECT_TRUE(g.isRowHidden(1));
    g.SetRowHeight(2, 400);
    EXPECT_FALSE(g.isRowHidden(1));
    EXPECT_EQ(g.RowHeight(2), 400);
    EXPECT_EQ(g.rowHeight(1), 400 / FlexGrid::TwipsY());
}

TEST_F(GridFixture, SortCarriesHeightsAndPictures) {
    QImage pic(4, 4, QImage::Format_RGB32);
    pic.fill(Qt::red);
    g.SetCellPicture(3, 2, pic); // gamma
    g.SetRowHeight(3, 0);
    g.SetCellFontBold(2, 1, true); // Alpha
    g.SetRedraw(false);
    g.Sort(1, true);
    g.SetRedraw(true);
    EXPECT_EQ(g.Clip(1, 1, 1) + g.Clip(2, 1, 1) + g.Clip(3, 1, 1), QStringLiteral("Alphabetagamma"));
    EXPECT_TRUE(g.CellFontBold(1, 1));
    EXPECT_EQ(g.CellPicture(3, 2).pixel(0, 0), QColor(Qt::red).rgb());
    EXPECT_TRUE(g.isRowHidden(2));
    EXPECT_FALSE(g.isRowHidden(0));
    g.Sort(1, false);
    EXPECT_EQ(g.TextMatrix(1, 1), QStringLiteral("gamma"));
    EXPECT_TRUE(g.isRowHidden(0));
}

TEST_F(GridFixture, HeaderDoubleClickSelectsAllRows) {
    int dbl = 0;
    g.DblClick = [&] { ++dbl; EXPECT_EQ(g.MouseRow(), 0); };
    g.resize(300, 200);
    QWidget* hv = g.horizontalHeader()->viewport();
    const QPointF at(5, 5);
    QMouseEvent ev(QEvent::MouseButtonDblClick, at, hv->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(hv, &ev);
    EXPECT_EQ(dbl, 1);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.RowSel(), 3);
    EXPECT_EQ(g.ColSel(), 2);
    g.SetRows(1);
    QCoreApplication::sendEvent(hv, &ev);
    EXPECT_EQ(g.Row(), 0); // an empty grid selects nothing
    EXPECT_EQ(g.RowSel(), 0);
}

// An arrow from a row chosen to its last column, one of width 0, goes on in
// a shown column: the anchor's, or the first shown one when the anchor's is
// hidden too.
TEST_F(GridFixture, ArrowFromARowToAHiddenColumnGoesOnInAShownOne) {
    const struct {
        const char* name;
        std::vector<int> hidden;
        int row, col, key, newRow, newCol;
    } rows[] = {
        {"Down, the anchor's column shown", {2}, 1, 0, Qt::Key_Down, 2, 0},
        {"Down, the anchor in the middle", {2}, 1, 1, Qt::Key_Down, 2, 1},
        {"Up, the anchor's column hidden", {0, 2}, 2, 0, Qt::Key_Up, 1, 1},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        for (int c = 0; c < g.Cols(); ++c) g.SetColWidth(c, 600);
        for (const int c : r.hidden) g.SetColWidth(c, 0);
        g.SetSelection(r.row, r.col, r.row, g.Cols() - 1);
        QKeyEvent key(QEvent::KeyPress, r.key, Qt::NoModifier);
        QCoreApplication::sendEvent(&g, &key);
        EXPECT_EQ(QPoint(g.Col(), g.Row()), QPoint(r.newCol, r.newRow));
        EXPECT_EQ(QPoint(g.ColSel(), g.RowSel()), QPoint(r.newCol, r.newRow));
    }
}

TEST(FlexGridKeys, VirtualKeyCodes) {
    EXPECT_EQ(FlexGrid::VbKeyCode(Qt::Key_Space, Qt::NoModifier), 32);
    EXPECT_EQ(FlexGrid::VbKeyCode(Qt::Key_1, Qt::NoModifier), 49);
    EXPECT_EQ(FlexGrid::VbKeyCode(Qt::Key_8, Qt::KeypadModifier), 104);
    EXPECT_EQ(FlexGrid::VbKeyCode(Qt::Key_Insert, Qt::NoModifier), 45);
}

} // namespace
