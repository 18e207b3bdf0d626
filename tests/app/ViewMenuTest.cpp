// The View menu: ticks read back from the engine, the map-unit items, the
// display switches and the azimuth lines.
#include "AppFixture.h"
#include "MainHarness.h"

#include "app/MainView.h"
#include "app/ViewMenu.h"
#include "app/frmMain.h"
#include "document/clsMapRem.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

namespace {

std::shared_ptr<clsMapRem> Header(const QString& text) {
    auto rem = std::make_shared<clsMapRem>();
    rem->SetAdmin(0);
    rem->SetComment(text);
    return rem;
}

// A unit named "Alpha" / "アルファ" in its header.
void NameUnit(clsMapUnit& unit) {
    unit.gFigures->Add(Header(QStringLiteral("# 欧文地図名：Alpha")));
    unit.gFigures->Add(Header(QStringLiteral("# 和文地図名：アルファ")));
}

QStringList Captions(const QMenu* menu) {
    QStringList c;
    for (const QAction* a : menu->actions()) c << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return c;
}

template <size_t N> int Ticked(const std::array<QAction*, N>& items) {
    for (size_t i = 0; i < N; ++i)
        if (items[i] && items[i]->isChecked()) return int(i);
    return -1;
}

struct Menu : MainHarness {
    ViewMenu menu{redraw, mnuView};
    Menu() { menu.mnuView_Click(); }
    int Open() {
        menu.mnuView_Click();
        return redraws;
    }
};

const QString k16 = QStringLiteral("0,22.5,45,67.5,90,112.5,135,157.5,180,202.5,225,247.5,270,292.5,315,337.5");

TEST(ViewMenu, Captions) {
    Menu m;
    EXPECT_EQ(Captions(m.mnuView).join(QLatin1Char('|')),
              QStringLiteral("ポジション(&N)|地名ジャンプ(&J)...|-|地図投影法(&P)...|経緯線(&G)...|アクセサリ(&A)...|"
                             "地図記号・凡例(&K)...|-|言語モード(&L)|座表モード(&U)|-|図形種別表示許可(&I)|"
                             "地図別表示許可(&M)|-|方位線(&R)|文字列・点記号拡大率(&Z)|文字列・点記号縁取り許可(&O)|"
                             "文字列傾斜許可(&S)"));
    EXPECT_EQ(Captions(m.menu.mnuLanguage).join(QLatin1Char('|')), QStringLiteral("欧州語(&E)|日本語(&J)"));
    EXPECT_EQ(Captions(m.menu.mnuCoordinate).join(QLatin1Char('|')), QStringLiteral("経緯度座標(&L)|ＸＹ座標(&X)"));
    EXPECT_EQ(Captions(m.menu.mnuFigDisp).join(QLatin1Char('|')),
              QStringLiteral("連続線(&L)|多辺形(&G)|点記号(&S)|文字列(&T)"));
    EXPECT_EQ(Captions(m.menu.mnuAzimuthLine).join(QLatin1Char('|')),
              QStringLiteral("なし(&A)|４方位(&B)|８方位(&C)|12方位(&D)|16方位(&E)|任意(&F)"));
    EXPECT_EQ(Captions(m.menu.mnuPtnRatio).join(QLatin1Char('|')),
              QStringLiteral("40%(&A)|60%(&B)|80%(&C)|100%(&D)|120%(&E)|140%(&F)|160%(&G)"));
}

TEST(ViewMenu, RatioAndAzimuthTicks) {
    Menu m;
    clsMapPlot& plot = *m.world.plot;
    const struct {
        int32_t ratio;
        int item;
    } ratios[] = {{30, 0}, {59, 0}, {60, 1}, {99, 2}, {100, 3}, {160, 6}, {170, 6}, {999, 6}};
    for (const auto& r : ratios) {
        SCOPED_TRACE(r.ratio);
        plot.SetPtnRatio(r.ratio);
        m.Open();
        EXPECT_EQ(Ticked(m.menu.mnuPtnRatioItem), r.item);
    }
    const struct {
        const char* list;
        int item;
    } lists[] = {{"", 0},
                 {"0,90,180,270", 1},
                 {"0,45,90,135,180,225,270,315", 2},
                 {"0,30,60,90,120,150,180,210,240,270,300,330", 3},
                 {"0,90,180", 5},
                 {"15 165 195 345", 5},
                 {"0, 90, 180, 270", 5}};
    for (const auto& l : lists) {
        SCOPED_TRACE(l.list);
        plot.mAzimuthLine = QString::fromUtf8(l.list);
        m.Open();
        EXPECT_EQ(Ticked(m.menu.mnuAzimuthLineItem), l.item);
    }
    plot.mAzimuthLine = k16;
    m.Open();
    EXPECT_EQ(Ticked(m.menu.mnuAzimuthLineItem), 4);
}

TEST(ViewMenu, ItemsSetTheEngineAndRedraw) {
    Menu m;
    clsMapPlot& plot = *m.world.plot;
    int drawn = m.redraws;
    m.menu.mnuPtnRatioItem[0]->trigger();
    EXPECT_EQ(plot.PtnRatio(), 40);
    m.menu.mnuPtnRatioItem[6]->trigger();
    EXPECT_EQ(plot.PtnRatio(), 160);
    m.menu.mnuAzimuthLineItem[4]->trigger();
    EXPECT_EQ(plot.mAzimuthLine, k16);
    m.menu.mnuAzimuthLineItem[2]->trigger();
    EXPECT_EQ(plot.mAzimuthLine, QStringLiteral("0,45,90,135,180,225,270,315"));
    EXPECT_EQ(m.redraws, drawn + 4);

    // Polygons and texts off: bits 4 and 16 of 31.
    plot.mFigDisp = 31;
    m.menu.mnuFigDispItem[3]->trigger();
    m.menu.mnuFigDispItem[5]->trigger();
    EXPECT_EQ(plot.mFigDisp, 11);
    m.Open();
    QString ticks;
    for (int c = 2; c <= 5; ++c) ticks += m.menu.mnuFigDispItem[size_t(c)]->isChecked() ? '1' : '0';
    EXPECT_EQ(ticks, QStringLiteral("1010"));
    m.menu.mnuFigDispItem[3]->trigger();
    EXPECT_EQ(plot.mFigDisp, 15);

    const bool edge = plot.mEdgeEi, slant = plot.mTextSlant;
    m.menu.mnuEdge->trigger();
    m.menu.mnuTextSlant->trigger();
    m.Open();
    EXPECT_EQ(plot.mEdgeEi, !edge);
    EXPECT_EQ(plot.mTextSlant, !slant);
    EXPECT_EQ(m.menu.mnuEdge->isChecked(), !edge);
    EXPECT_EQ(m.menu.mnuTextSlant->isChecked(), !slant);
    EXPECT_EQ(m.redraws, drawn + 4 + 3 + 2);
}

TEST(ViewMenu, FreeAzimuthListAndItsCancel) {
    Menu m;
    clsMapPlot& plot = *m.world.plot;
    ScriptedUi& ui = m.world.ui.ui;
    plot.mAzimuthLine = QStringLiteral("0,90,180,270");
    ui.inputs = {QStringLiteral("15 165 195 345")};
    m.menu.mnuAzimuthLineItem[5]->trigger();
    EXPECT_EQ(plot.mAzimuthLine, QStringLiteral("15 165 195 345"));
    m.Open();
    EXPECT_EQ(Ticked(m.menu.mnuAzimuthLineItem), 5);
    const int drawn = m.redraws;
    ui.inputs = {QString()}; // cancelled
    m.menu.mnuAzimuthLineItem[5]->trigger();
    EXPECT_EQ(plot.mAzimuthLine, QStringLiteral("15 165 195 345"));
    EXPECT_EQ(m.redraws, drawn);
    EXPECT_EQ(ui.prompts.size(), 2);
    m.menu.mnuAzimuthLineItem[0]->trigger();
    EXPECT_TRUE(plot.mAzimuthLine.isEmpty());
}

TEST(ViewMenu, UnitItemsFollowTheUnits) {
    Menu m;
    NameUnit(*m.world.AddUnit(QStringLiteral("A")));
    m.world.AddUnit(QStringLiteral("B"))->bDraw = false;
    m.Open();
    EXPECT_EQ(Captions(m.menu.mnuMapDisp), QStringList({"BASE.MLL(&A)", "アルファ(&B)", "B.MLL(&C)"}));
    QString ticks;
    for (const QAction* a : m.menu.mnuMapDisp->actions()) ticks += a->isChecked() ? '1' : '0';
    EXPECT_EQ(ticks, QStringLiteral("110"));

    const int drawn = m.redraws;
    m.menu.mnuMapDispItem[2]->trigger();
    EXPECT_FALSE(m.world.units.Item(2)->bDraw);
    EXPECT_EQ(m.redraws, drawn + 1);
    EXPECT_TRUE(m.Messages().isEmpty()); // no automatic cruise to stop

    ASSERT_TRUE(m.world.units.Remove(2));
    m.Open();
    EXPECT_EQ(Captions(m.menu.mnuMapDisp), QStringList({"BASE.MLL(&A)", "B.MLL(&B)"}));
    EXPECT_FALSE(m.menu.mnuMapDisp->actions()[1]->isChecked());

    // Past the 26th unit the access characters go on after "Z".
    while (m.world.units.Count() < 28) m.world.AddUnit(QString::number(m.world.units.Count()));
    m.Open();
    ASSERT_EQ(m.menu.mnuMapDisp->actions().size(), 28);
    EXPECT_EQ(m.menu.mnuMapDisp->actions()[25]->text(), QStringLiteral("25.MLL(&Z)"));
    EXPECT_EQ(m.menu.mnuMapDisp->actions()[26]->text(), QStringLiteral("26.MLL(&[)"));
    EXPECT_EQ(m.menu.mnuMapDisp->actions()[27]->text(), QStringLiteral("27.MLL(&\\)"));
}

TEST(ViewMenu, UnitToggleStopsTheAutomaticCruiseOnce) {
    Menu m;
    m.world.AddUnit(QStringLiteral("A"));
    bool cruise = true;
    m.menu.CruiseAuto = [&] { return cruise; };
    m.menu.CruiseAutoOff = [&] { cruise = false; };
    m.Open();
    m.menu.mnuMapDispItem[2]->trigger();
    m.menu.mnuMapDispItem[2]->trigger();
    EXPECT_FALSE(cruise);
    EXPECT_TRUE(m.world.units.Item(2)->bDraw);
    ASSERT_EQ(m.Messages(), QStringList{QStringLiteral("〔オートクルーズ〕を解除します.")});
    EXPECT_EQ(m.world.ui.ui.messages[0].style, Mb::OkOnly + Mb::Information);
}

TEST(ViewMenu, EnabledStates) {
    Menu m;
    int jumps = 0;
    m.menu.Jump = [&] { ++jumps; };
    m.menu.Grid = [] {};
    m.Open();
    EXPECT_FALSE(m.menu.mnuJump->isEnabled()); // the active map is empty
    EXPECT_FALSE(m.menu.mnuVospProjection->isEnabled()); // nobody opens it
    EXPECT_TRUE(m.menu.mnuGrid->isEnabled());
    m.world.base->gFigures->Add(Header(QStringLiteral("# 地図名：x")));
    m.Open();
    ASSERT_TRUE(m.menu.mnuJump->isEnabled());
    m.menu.mnuJump->trigger();
    EXPECT_EQ(jumps, 1);

    PublicVal::gvMapMode = 2;
    m.Open();
    EXPECT_FALSE(m.menu.mnuGrid->isEnabled());
    EXPECT_FALSE(m.menu.mnuAzimuthLine->isEnabled());
    EXPECT_FALSE(m.menu.mnuTextSlant->isEnabled());
    EXPECT_EQ(Ticked(m.menu.mnuCoordinateItem), 2);
}

// The menu inside the main window, with its commands.
class ViewMenuInWindowTest : public AppFixture {};

TEST_F(ViewMenuInWindowTest, LanguageRedrawsWithTheOtherNames) {
    frmMain window;
    ASSERT_EQ(PublicVal::gvInitialize(), 0);
    ViewRedraw& r = window.MainArea()->redraw;
    r.mPlot = PublicVal::gvMapPlot;
    r.mUnits = PublicVal::gvMapUnits;
    r.mView = PublicVal::gvView;
    r.mGraph = PublicVal::gvMapGraph;
    int drawn = 0;
    r.AutoCruise = [&] { ++drawn; };
    QStringList bar;
    for (const QAction* a : window.menuBar()->actions()) bar << a->text();
    EXPECT_EQ(bar, QStringList({"ファイル(&F)", "表示(&V)", "ツール(&T)", "ヘルプ(&H)"}));
    for (const QAction* a : window.MainArea()->files->mnuFile->actions())
        EXPECT_NE(a->text(), QStringLiteral("地図記号・凡例(&K)..."));

    NameUnit(*PublicVal::gvMapUnits->Base());
    ViewMenu& v = *window.ViewMenuItems();
    PublicVal::gvLanguage = 2;
    v.mnuView_Click();
    for (const QAction* a : {v.mnuHome, v.mnuVospProjection, v.mnuGrid, v.mnuAccessory, v.mnuMapSymbol})
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
    EXPECT_TRUE(v.mnuJump->isEnabled()); // the base map now holds figures
    EXPECT_EQ(v.mnuMapDispItem[1]->text(), QStringLiteral("アルファ(&A)"));
    v.mnuLanguageItem[1]->trigger();
    EXPECT_EQ(PublicVal::gvLanguage, 1);
    EXPECT_EQ(drawn, 1);
    v.mnuView_Click();
    EXPECT_EQ(v.mnuMapDispItem[1]->text(), QStringLiteral("Alpha(&A)"));
    EXPECT_EQ(Ticked(v.mnuLanguageItem), 1);
}

} // namespace
