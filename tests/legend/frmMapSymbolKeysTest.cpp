// The map-symbol dialog driven as a user drives it, by pointer and keys on
// its real controls: the keys still work after a preview, the icon of each
// tab, the framed page list, the Tab order of both tabs, the thing commands
// on all eight pages, the arrows over closed categories, and the
// colour-coded map button of each political map kind.
#include "SymbolTestEnv.h"

#include "document/clsAdmins.h"
#include "legend/AreaGrid.h"
#include "legend/StyleLibrary.h"
#include "legend/frmMapSymbol.h"
#include "support/WhenModal.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

namespace {

// Press and release (or a double click) of the left button at `at` of `w`.
void Click(QWidget* w, QPoint at, bool twice = false)
{
    const QPointF p(at);
    const QPointF g(w->mapToGlobal(at));
    QMouseEvent press(QEvent::MouseButtonPress, p, g, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, p, g, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
    if (twice) {
        QMouseEvent dbl(QEvent::MouseButtonDblClick, p, g, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &dbl);
        QApplication::sendEvent(w, &release);
    }
}

// The middle of cell (row, col) of a grid, in its viewport.
QPoint CellAt(const FlexGrid& g, int row, int col)
{
    return g.visualRect(g.model()->index(row - 1, col)).center();
}

// The control that holds the focus; the line of an editable box stands
// for its box.
QWidget* Focused()
{
    QWidget* w = QApplication::focusWidget();
    if (w && qobject_cast<QComboBox*>(w->parentWidget()))
        return w->parentWidget();
    return w;
}

// The controls the Tab key visits, once round from `start`.
QList<QWidget*> TabCycle(QWidget* start)
{
    start->setFocus(Qt::TabFocusReason);
    QList<QWidget*> seen{Focused()};
    for (int i = 0; i < 60; ++i) {
        SendKey(QApplication::focusWidget(), Qt::Key_Tab);
        if (Focused() == seen.front())
            break;
        seen << Focused();
    }
    return seen;
}

// The ones of `order` a user can reach now: shown and enabled.
QList<QWidget*> Reachable(std::initializer_list<QWidget*> order)
{
    QList<QWidget*> l;
    for (QWidget* w : order)
        if (w->isVisible() && w->isEnabled())
            l << w;
    return l;
}

std::shared_ptr<clsAdmins> Areas()
{
    auto l = std::make_shared<clsAdmins>();
    l->SetAreaName(0, 1, QStringLiteral("EUROPE"));
    for (int code = 1; code <= 12; ++code) {
        auto a = std::make_shared<clsAdmin>();
        a->SetAdminCode(int16_t(code));
        a->SetAreaCode(0);
        a->SetEuropianName(QStringLiteral("Area%1").arg(code, 2, 10, QLatin1Char('0')));
        l->Add(a);
    }
    return l;
}

struct KeysTest : GuiFirst, SymbolTest {
    frmMapSymbol dlg;
    int plots = 0;

    void SetUp() override
    {
        SymbolTest::SetUp();
        for (const auto& u : units)
            u->gAdmins = Areas();
        dlg.PlotWindow = [this] { ++plots; };
        dlg.mLeft = 300;
        dlg.mTop = 300;
    }
    // Opens the dialog on tab `tab`, runs `act` while it is shown and active.
    void Open(int tab, const std::function<void()>& act)
    {
        WhenModal([this, tab, act](QWidget*) {
            dlg.activateWindow();
            WaitUntilActive(&dlg);
            dlg.tbsExp->setCurrentIndex(tab);
            act();
            dlg.CancelButton()->click();
        });
        dlg.mMapUnits = &units;
        dlg.ShowModal();
    }
    AreaGrid& area() { return dlg.Area(); }
    int Page(int code) { return dlg.Work().Admins()->Item(code)->Page(); }
    // The grid row that shows area `code`.
    int RowOf(int code)
    {
        for (int r = 1; r < area().flgAdmins->Rows(); ++r)
            if (area().flgAdmins->TextMatrix(r, 3).toInt() == code)
                return r;
        return -1;
    }
};

TEST_F(KeysTest, KeysStillReachTheAreaGridAfterAPreview) {
    Open(0, [&] {
        FlexGrid* g = area().flgAdmins;
        ASSERT_TRUE(dlg.Switches().mPreview);
        // A click on the name cell turns the page over and previews.
        Click(g->viewport(), CellAt(*g, RowOf(5), 0));
        EXPECT_EQ(Page(5), 2);
        EXPECT_EQ(plots, 1);
        ASSERT_EQ(Focused(), g);
        SendKey(Focused(), Qt::Key_7);
        EXPECT_EQ(Page(5), 7);
        SendKey(Focused(), Qt::Key_Space);
        EXPECT_EQ(Page(5), 8);
        SendKey(Focused(), Qt::Key_Insert);
        EXPECT_FALSE(dlg.Work().Admins()->Item(5)->Show());
        EXPECT_EQ(plots, 5); // each key previewed, and the focus stayed

        // The page list: a chosen page previews, and the keys go on to the grid.
        Click(g->viewport(), CellAt(*g, RowOf(3), 1));
        QListWidget* list = area().lstPage;
        ASSERT_TRUE(list->isVisible());
        EXPECT_EQ(Focused(), list);
        Click(list->viewport(), list->visualItemRect(list->item(3)).center());
        EXPECT_EQ(Page(3), 4);
        EXPECT_FALSE(list->isVisible());
        ASSERT_EQ(Focused(), g);
        SendKey(Focused(), Qt::Key_Space);
        EXPECT_EQ(Page(3), 5);
    });
}

// The page list by keys: an arrow chooses the page it reaches (and
// previews) with the list left open, Return chooses the highlighted page,
// Esc closes only the list; neither closes the dialog.
TEST_F(KeysTest, ThePageListByKeys) {
    bool typing = false;
    Open(0, [&] {
        FlexGrid* g = area().flgAdmins;
        QListWidget* list = area().lstPage;
        const int row = RowOf(3);
        Click(g->viewport(), CellAt(*g, row, 1));
        ASSERT_TRUE(list->isVisible());
        ASSERT_EQ(Focused(), list);
        const int shown = plots;
        QTest::keyClick(list, Qt::Key_Down);
        EXPECT_EQ(Page(3), 2);
        EXPECT_EQ(plots, shown + 1);
        ASSERT_TRUE(list->isVisible());
        EXPECT_EQ(Focused(), list);
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Up);
        EXPECT_EQ(Page(3), 3);
        EXPECT_EQ(g->TextMatrix(row, 1), QStringLiteral("3"));
        QTest::keyClick(list, Qt::Key_Return);
        EXPECT_EQ(Page(3), 3);
        EXPECT_FALSE(list->isVisible());
        EXPECT_EQ(Focused(), g);
        EXPECT_TRUE(dlg.isVisible());

        Click(g->viewport(), CellAt(*g, row, 1));
        ASSERT_TRUE(list->isVisible());
        QTest::keyClick(list, Qt::Key_End);
        QTest::keyClick(list, Qt::Key_Escape);
        EXPECT_EQ(Page(3), 8);
        EXPECT_FALSE(list->isVisible());
        EXPECT_EQ(Focused(), g);
        EXPECT_TRUE(dlg.isVisible());

        // Keys typed while a preview draws (the redraw yields) are acted on
        // after it, in order: six arrows from page 1, then Return.
        typing = true;
        dlg.PlotWindow = [&] {
            ++plots;
            if (std::exchange(typing, false)) {
                for (int i = 0; i < 5; ++i) QTest::keyClick(dlg.windowHandle(), Qt::Key_Down);
                QTest::keyClick(dlg.windowHandle(), Qt::Key_Return);
            }
            QCoreApplication::processEvents();
        };
        const int other = RowOf(4); // on page 1
        Click(g->viewport(), CellAt(*g, other, 1));
        QTest::keyClick(list, Qt::Key_Down);
        QCoreApplication::processEvents();
        EXPECT_EQ(g->TextMatrix(other, 1), QStringLiteral("7"));
        EXPECT_FALSE(list->isVisible());
        EXPECT_TRUE(dlg.isVisible());
        // The same keys again while it redraws on its way out after Cancel.
        typing = true;
    });
    EXPECT_FALSE(typing);
    EXPECT_FALSE(dlg.mResult); // closed by the helper's Cancel, not by a key
}

TEST_F(KeysTest, TheWindowIconFollowsTheTab) {
    const QImage things = QIcon(QStringLiteral(":/window/icon1003.xpm")).pixmap(32).toImage();
    const QImage areas = QIcon(QStringLiteral(":/window/icon1004.xpm")).pixmap(32).toImage();
    ASSERT_FALSE(things.isNull());
    ASSERT_FALSE(areas.isNull());
    EXPECT_NE(things, areas);
    Open(0, [&] {
        EXPECT_EQ(dlg.windowIcon().pixmap(32).toImage(), areas);
        dlg.tbsExp->setCurrentIndex(1);
        EXPECT_EQ(dlg.windowIcon().pixmap(32).toImage(), things);
        dlg.tbsExp->setCurrentIndex(0);
        EXPECT_EQ(dlg.windowIcon().pixmap(32).toImage(), areas);
    });
    // Reopening on the thing tab shows its icon at once.
    Open(1, [] {});
    Open(1, [&] { EXPECT_EQ(dlg.windowIcon().pixmap(32).toImage(), things); });
}

TEST_F(KeysTest, ThePageListHasAFrameAndOpensBesideTheRow) {
    Open(0, [&] {
        FlexGrid* g = area().flgAdmins;
        QListWidget* list = area().lstPage;
        // The row's top and bottom edge in the list's parent.
        const auto edges = [&](int row) {
            const QRect r = g->visualRect(g->model()->index(row - 1, 1));
            QWidget* to = list->parentWidget();
            return std::make_pair(g->viewport()->mapTo(to, r.topLeft()).y(),
                                  g->viewport()->mapTo(to, r.bottomLeft()).y() + 1);
        };
        // Just below a row near the top, just above one from the eighth on.
        Click(g->viewport(), CellAt(*g, 2, 1));
        ASSERT_TRUE(list->isVisible());
        EXPECT_NEAR(list->y(), edges(2).second, 1);
        EXPECT_EQ(list->x(), g->viewport()->mapTo(list->parentWidget(), g->visualRect(g->model()->index(1, 1)).topLeft()).x());
        // A dark line round the list, unlike the white of its rows.
        ASSERT_GE(list->frameWidth(), 1);
        const QImage shot = list->grab().toImage();
        const int mid = shot.height() / 2;
        for (const QPoint p : {QPoint(0, mid), QPoint(shot.width() - 1, mid), QPoint(shot.width() / 2, 0),
                               QPoint(shot.width() / 2, shot.height() - 1)}) {
            EXPECT_LT(qGray(shot.pixel(p)), 100) << p.x() << "," << p.y();
        }
        EXPECT_GT(qGray(shot.pixel(shot.width() - 4, mid)), 200);

        Click(g->viewport(), CellAt(*g, 9, 1));
        ASSERT_TRUE(list->isVisible());
        EXPECT_NEAR(list->y() + list->height(), edges(9).first, 1);
    });
}

TEST_F(KeysTest, TabGoesDownTheScreenOnBothTabs) {
    Open(0, [&] {
        EXPECT_EQ(Focused(), dlg.choMap); // the first control on screen
        AreaGrid& a = area();
        StyleLibrary& lib = dlg.StyleLib();
        EXPECT_EQ(TabCycle(dlg.choMap),
                  Reachable({dlg.choMap, dlg.chkUnitSync, dlg.chkPreview, dlg.tbsExp, a.choArea, a.chkAreaSync,
                             a.flgAdmins, a.cmdAllAdminOne, a.cmdAllAdminShow, a.cmdAllAdminHide, a.cmdColoredMap,
                             lib.choLibrary, lib.cmdLibOpen, lib.cmdLibSave, lib.chkLibShow, dlg.OkButton(),
                             dlg.CancelButton(), dlg.HelpButton()}));
        dlg.tbsExp->setCurrentIndex(1);
        // The page controls above the grid before the library group below it.
        EXPECT_EQ(TabCycle(dlg.choMap),
                  Reachable({dlg.choMap, dlg.chkUnitSync, dlg.chkPreview, dlg.tbsExp, dlg.choPage, dlg.chkPageSync,
                             dlg.chkDispAll, dlg.cmdPopup, dlg.flgThings, lib.choLibrary, lib.cmdLibOpen,
                             lib.cmdLibSave, lib.chkLibShow, dlg.OkButton(), dlg.CancelButton(), dlg.HelpButton()}));
    });
    // Reopened, it starts at the top again, wherever the focus was left.
    Open(1, [&] { dlg.flgThings->setFocus(); });
    Open(1, [&] { EXPECT_EQ(Focused(), dlg.choMap); });
}

TEST_F(KeysTest, CommandsWithPageSyncReachEveryPage) {
    Open(1, [&] {
        ASSERT_TRUE(dlg.chkPageSync->isChecked());
        FlexGrid* g = dlg.flgThings;
        Click(g->viewport(), CellAt(*g, 1, 1), true); // the category's things
        ASSERT_EQ(std::make_pair(g->Row(), g->RowSel()), std::make_pair(2, 7));
        for (QAction* act : dlg.mnuPopup->actions())
            if (act->text() == QStringLiteral("隠蔽(&H)"))
                act->trigger();
        for (int code : {1, 3, 4, 6})
            EXPECT_EQ(EachPage(dlg.Work().Things()->Item(code), &clsThing::ShowMode), std::vector<int16_t>(8, 0))
                << code;
        // A range step moves each page from its own limits, page 8 included.
        auto land = dlg.Work().Things()->Item(1);
        land->SetPage(8);
        land->SetScaleS(2e8);
        for (QAction* act : dlg.mnuPopup->actions())
            if (act->text() == QStringLiteral("昇格(&U)"))
                act->trigger();
        land->SetPage(8);
        EXPECT_EQ(land->ScaleS(), 2.5e8);
        land->SetPage(7);
        EXPECT_EQ(land->ScaleS(), 1e9); // already at the top
    });
}

TEST_F(KeysTest, UpAndDownPassOverClosedCategories) {
    Open(1, [&] {
        dlg.chkDispAll->click(); // 枠組 (rows 2-7 closed), then 水系 at row 8
        FlexGrid* g = dlg.flgThings;
        ASSERT_EQ(g->Rows(), 10);
        ASSERT_EQ(g->TextMatrix(8, 1), QStringLiteral("水系"));
        Click(g->viewport(), CellAt(*g, 1, 1));
        ASSERT_EQ(Focused(), g);
        SendKey(g, Qt::Key_Down);
        EXPECT_EQ(g->Row(), 8);
        SendKey(g, Qt::Key_Down); // 河川 under the closed 水系: nowhere to go
        EXPECT_EQ(g->Row(), 8);
        SendKey(g, Qt::Key_Up);
        EXPECT_EQ(g->Row(), 1);
        // Open, the category's rows are visited one by one.
        Click(g->viewport(), CellAt(*g, 1, 0));
        SendKey(g, Qt::Key_Down);
        EXPECT_EQ(g->Row(), 2);
    });
}

// Space acts on the keyboard's cell wherever the pointer rests: over the
// header here, where a click would do nothing.
TEST_F(KeysTest, SpaceOnTheThingGridActsWhateverThePointersPlace) {
    Open(1, [&] {
        FlexGrid* g = dlg.flgThings;
        Click(g->viewport(), CellAt(*g, 1, 1));
        ASSERT_EQ(Focused(), g);
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), g->horizontalHeader()->viewport()->mapToGlobal(QPoint(5, 5)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(g->horizontalHeader()->viewport(), &move);
        ASSERT_EQ(g->MouseRow(), 0);
        QTest::keyClick(g, Qt::Key_Home); // the category's "+"
        ASSERT_EQ(std::make_pair(g->Row(), g->Col()), std::make_pair(1, 0));
        QTest::keyClick(g, Qt::Key_Space);
        EXPECT_EQ(g->TextMatrix(1, 0), QStringLiteral("-"));
        EXPECT_EQ(g->RowHeight(2), 400);
        // The show mode of 陸地 (row 2), on the page shown.
        QTest::keyClick(g, Qt::Key_Down);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(g, Qt::Key_Right);
        ASSERT_EQ(std::make_pair(g->Row(), g->Col()), std::make_pair(2, 3));
        ASSERT_EQ(g->TextMatrix(2, 3), QStringLiteral("依存"));
        QTest::keyClick(g, Qt::Key_Space);
        EXPECT_EQ(g->TextMatrix(2, 3), QStringLiteral("隠蔽"));
        EXPECT_EQ(dlg.Work().Things()->Item(1)->ShowMode(), 0);
        EXPECT_EQ(g->MouseRow(), 0);
        // The hidden columns 6 and 7 are passed over.
        for (const auto& [key, col] : {std::pair{Qt::Key_End, 5}, {Qt::Key_Right, 5}, {Qt::Key_Left, 4}}) {
            QTest::keyClick(g, key);
            EXPECT_EQ(g->Col(), col) << key;
        }
    });
}

TEST_F(KeysTest, ColouredMapButtonForBothPoliticalKinds) {
    units.Add(OpenUnit(QStringLiteral("STATES"), 360000, 2));
    units.Add(OpenUnit(QStringLiteral("RELIEF"), 340000, 2));
    Open(0, [&] {
        const struct {
            int index;
            bool on;
        } rows[] = {{0, false}, {1, true}, {2, true}, {3, false}}; // kinds 1, 3, 6, 4
        for (const auto& r : rows) {
            dlg.choMap->setCurrentIndex(r.index);
            emit dlg.choMap->activated(r.index);
            EXPECT_EQ(area().cmdColoredMap->isEnabled(), r.on) << r.index;
        }
    });
}

} // namespace
