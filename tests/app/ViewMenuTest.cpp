// The View menu: ticks read back from the engine, the map-unit items, the
// display switches and the azimuth lines.
#include "AppFixture.h"
#include "MainHarness.h"

#include "app/ViewMenu.h"
#include "document/clsMapRem.h"

#include <QMenuBar>
#include <gtest/gtest.h>

namespace {

// Names the unit "Alpha" / "アルファ" in its header.
void NameUnit(clsMapUnit& unit) {
    for (const char* line : {"# 欧文地図名：Alpha", "# 和文地図名：アルファ"}) {
        auto rem = std::make_shared<clsMapRem>();
        rem->SetAdmin(0);
        rem->SetComment(QString::fromUtf8(line));
        unit.gFigures->Add(rem);
    }
}

template <size_t N> int Ticked(const std::array<QAction*, N>& items) {
    return int(std::find_if(items.begin(), items.end(), [](QAction* a) { return a && a->isChecked(); }) - items.begin());
}

struct Menu : MainHarness {
    ViewMenu menu{redraw, mnuView};
};

TEST(ViewMenu, TicksAndSwitches) {
    Menu m;
    clsMapPlot& plot = *m.world.plot;
    for (const auto& [ratio, item] : {std::pair{30, 0}, {59, 0}, {60, 1}, {99, 2}, {160, 6}, {170, 6}}) {
        plot.SetPtnRatio(ratio);
        m.menu.mnuView_Click();
        EXPECT_EQ(Ticked(m.menu.mnuPtnRatioItem), item) << ratio;
    }
    for (const auto& [list, item] : {std::pair{"", 0}, {"0,90,180,270", 1}, {"0,45,90,135,180,225,270,315", 2},
                                     {"0,30,60,90,120,150,180,210,240,270,300,330", 3}, {"0, 90, 180, 270", 5}}) {
        plot.SetAzimuthLine(QString::fromUtf8(list));
        m.menu.mnuView_Click();
        EXPECT_EQ(Ticked(m.menu.mnuAzimuthLineItem), item) << list;
    }
    m.menu.mnuCoordinateItem[2]->trigger(); // shows the mode, changes nothing
    EXPECT_TRUE(m.menu.mnuCoordinateItem[1]->isChecked() && !m.menu.mnuCoordinateItem[2]->isChecked());
    const int drawn = m.redraws;
    m.menu.mnuPtnRatioItem[0]->trigger();
    EXPECT_EQ(plot.PtnRatio(), 40);
    m.menu.mnuAzimuthLineItem[4]->trigger();
    EXPECT_EQ(plot.Options().mAzimuthLine,
              QStringLiteral("0,22.5,45,67.5,90,112.5,135,157.5,180,202.5,225,247.5,270,292.5,315,337.5"));
    plot.SetFigDisp(31);
    m.menu.mnuFigDispItem[3]->trigger(); // polygons: bit 4
    m.menu.mnuFigDispItem[5]->trigger(); // texts: bit 16
    EXPECT_EQ(plot.Options().mFigDisp, 11);
    // A free list from the input box; a cancelled input keeps it.
    m.world.ui.ui.inputs = {QStringLiteral("15 165 195 345"), QString()};
    m.menu.mnuAzimuthLineItem[5]->trigger();
    m.menu.mnuAzimuthLineItem[5]->trigger();
    EXPECT_EQ(plot.Options().mAzimuthLine, QStringLiteral("15 165 195 345"));
    EXPECT_EQ(m.redraws, drawn + 5);
    // An item that is no angle would be drawn to the north: the range
    // message and the box again; numbers out of a turn are angles.
    m.world.ui.ui.messages.clear();
    m.world.ui.ui.inputs = {QStringLiteral("abc"), QStringLiteral("999 -5")};
    m.menu.mnuAzimuthLineItem[5]->trigger();
    ASSERT_EQ(m.world.ui.ui.messages.size(), 1);
    EXPECT_EQ(m.world.ui.ui.messages[0].text, QStringLiteral("既定の範囲を超えています."));
    EXPECT_EQ(m.world.ui.ui.defaults.last(), QStringLiteral("abc")); // the box again holds what was typed
    EXPECT_EQ(plot.Options().mAzimuthLine, QStringLiteral("999 -5"));
}

TEST(ViewMenu, UnitItemsFollowTheUnitsAndStopTheCruise) {
    Menu m;
    NameUnit(*m.world.AddUnit(QStringLiteral("A")));
    m.world.AddUnit(QStringLiteral("B"))->bDraw = false;
    m.menu.mnuView_Click();
    EXPECT_EQ(Captions(m.menu.mnuMapDisp), QStringLiteral("BASE.MLL(&A)|アルファ(&B)|B.MLL(&C)"));
    EXPECT_FALSE(m.menu.mnuMapDispItem[3]->isChecked());
    bool cruise = true;
    m.menu.CruiseAuto = [&] { return cruise; };
    m.menu.CruiseAutoOff = [&] { cruise = false; };
    m.menu.mnuMapDispItem[2]->trigger();
    m.menu.mnuMapDispItem[3]->trigger();
    EXPECT_TRUE(!m.world.units.Item(2)->bDraw && m.world.units.Item(3)->bDraw);
    EXPECT_FALSE(cruise);
    EXPECT_EQ(m.Messages(), QStringList{QStringLiteral("〔オートクルーズ〕を解除します.")});
    ASSERT_TRUE(m.world.units.Remove(2));
    while (m.world.units.Count() < 28) m.world.AddUnit(QString::number(m.world.units.Count()));
    m.menu.mnuView_Click();
    ASSERT_EQ(m.menu.mnuMapDisp->actions().size(), 28);
    EXPECT_EQ(m.menu.mnuMapDisp->actions()[1]->text(), QStringLiteral("B.MLL(&B)"));
    EXPECT_EQ(m.menu.mnuMapDisp->actions()[26]->text(), QStringLiteral("26.MLL(&[)")); // past "Z"
}

using ViewMenuInWindow = WindowFixture;

TEST_F(ViewMenuInWindow, LanguageRedrawsWithTheOtherNames) {
    int drawn = 0;
    view->redraw.AutoCruise = [&] { ++drawn; };
    EXPECT_EQ(Captions(window->menuBar()), QStringLiteral("ファイル(&F)|表示(&V)|ツール(&T)|ヘルプ(&H)"));
    ViewMenu& v = *window->ViewMenuItems();
    EXPECT_EQ(Captions(v.mnuCoordinate), QStringLiteral("経緯度座標(&L)|ＸＹ座標(&X)"));
    v.mnuView_Click();
    EXPECT_FALSE(v.mnuJump->isEnabled()); // the active map is empty
    NameUnit(*PublicVal::gvMapUnits->Base());
    PublicVal::gvLanguage = 2;
    v.mnuView_Click();
    for (const QAction* a : {v.mnuHome, v.mnuJump, v.mnuVospProjection, v.mnuGrid, v.mnuAccessory, v.mnuMapSymbol})
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
    EXPECT_EQ(v.mnuMapDispItem[1]->text(), QStringLiteral("アルファ(&A)"));
    v.mnuLanguageItem[1]->trigger();
    EXPECT_EQ(drawn, 1);
    v.mnuView_Click();
    EXPECT_EQ(v.mnuMapDispItem[1]->text(), QStringLiteral("Alpha(&A)"));
    EXPECT_EQ(Ticked(v.mnuLanguageItem), 1);
}

} // namespace
