// The mouse on the map view: clicks, double clicks and drags told apart by
// the click timer, the survey and frame-cut tools and the pop-up menu.
#include "AppFixture.h"
#include "MainHarness.h"

#include "app/FrameCut.h"
#include "app/SurveyTool.h"
#include "app/ViewPointer.h"
#include "app/ViewPopupMenu.h"
#include "render/HMapCanvas.h"
#include "render/ViewHost.h"
#include "render/clsView.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

// The harness's picture as the output settings' picture, on a screen of 800
// by 800 pixels.
struct PictureHost : ViewHost {
    MapPicture* pic;
    explicit PictureHost(MapPicture* p) : pic(p) {}
    int32_t PictureWidth() const override { return pic->Image().width(); }
    int32_t PictureHeight() const override { return pic->Image().height(); }
    void ResizePicture(int32_t w, int32_t h) override { pic->ResizePicture(w, h); }
    QImage PictureImage() const override { return pic->Image(); }
    double WindowWidthTwips() const override { return 0; }
    double WindowHeightTwips() const override { return 0; }
    double HScrollWidthTwips() const override { return 0; }
    double VScrollHeightTwips() const override { return 0; }
    double ScreenWidthTwips() const override { return 800 * 15; }
    double ScreenHeightTwips() const override { return 800 * 15; }
    double TwipsPerPixelX() const override { return 15; }
    double TwipsPerPixelY() const override { return 15; }
};

// Equirectangular view of (0, 0) at 2 pixels per degree: the centre pixel
// is (200, 150) and 100 pixels are 50 degrees.
struct Tools : MainHarness {
    PictureHost host{picView};
    clsView output{&host};
    SurveyTool& survey = *view.survey;
    FrameCut& cut = *view.frameCut;
    ViewPointer& pointer = *view.pointer;
    ViewPopupMenu& popup = *view.popup;
    int popups = 0;

    Tools() {
        output.SetWidth(400);
        output.SetHeight(300);
        redraw.mView = &output;
        pointer.DoubleClickTime = [] { return 400; };
        pointer.ShowPopup = [this](const QPoint&) { ++popups; };
        cut.ScreenSize = [] { return QSize(800, 800); };
        EXPECT_EQ(redraw.PlotWindow(), 0);
    }
    void Mouse(QEvent::Type type, int x, int y, Qt::MouseButton b = Qt::LeftButton) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(b);
        QMouseEvent e(type, QPointF(x, y), picView->mapToGlobal(QPointF(x, y)), b, held, Qt::NoModifier);
        QCoreApplication::sendEvent(picView, &e);
    }
    void Click(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
        Mouse(QEvent::MouseButtonPress, x, y, b);
        Mouse(QEvent::MouseButtonRelease, x, y, b);
    }
    // The click timer runs out.
    void Expire() {
        ASSERT_TRUE(pointer.tmrClick.isActive());
        pointer.tmrClick_Timer();
    }
    std::pair<int32_t, int32_t> Center() const { return {world.plot->CenterX(), world.plot->CenterY()}; }
};

using Center = std::pair<int32_t, int32_t>;

TEST(ViewPointer, ClickDoubleClickAndDrag) {
    Tools t;
    t.Click(300, 150);
    EXPECT_EQ(t.pointer.tmrClick.interval(), 400);
    EXPECT_EQ(t.Center(), Center(0, 0)); // not before the timer ran out
    t.Expire();
    EXPECT_EQ(t.Center(), Center(180000, 0));

    t.Click(300, 100);
    t.Mouse(QEvent::MouseButtonDblClick, 300, 100);
    t.Mouse(QEvent::MouseButtonRelease, 300, 100);
    t.Expire();
    EXPECT_EQ(t.Center(), Center(180000, 0));

    for (const bool band : {false, true}) {
        SCOPED_TRACE(band ? "accessory band" : "no band");
        clsAccessory acc;
        t.UseTitleBand(acc, band);
        t.world.plot->SetCenterX(0);
        ASSERT_EQ(t.redraw.PlotWindow(), 0);
        EXPECT_EQ(t.world.plot->CanvasTop() > 0, band);
        const int y = t.world.plot->CanvasTop() + t.world.plot->CanvasHeight() / 2;
        // Held past the double-click time, 100 pixels to the right.
        t.Mouse(QEvent::MouseButtonPress, 150, y - 20);
        t.Expire();
        t.Mouse(QEvent::MouseButtonRelease, 250, y - 20);
        EXPECT_EQ(t.Center(), Center(-180000, 0));
        // Held and let go at the same spot: the same view.
        t.Mouse(QEvent::MouseButtonPress, 120, 40);
        t.Expire();
        t.Mouse(QEvent::MouseButtonRelease, 120, 40);
        EXPECT_EQ(t.Center(), Center(-180000, 0));
        t.redraw.mAccessory = nullptr;
    }
}

TEST(ViewPointer, RightClickWhileDrawingIsDroppedAndPanel4FollowsThePointer) {
    Tools t;
    t.redraw.bPlotting = true;
    t.Click(100, 100, Qt::RightButton);
    t.Expire();
    EXPECT_EQ(t.popups, 0);
    EXPECT_EQ(t.pointer.iClickCount, 0);
    t.redraw.bPlotting = false;
    t.Click(100, 100, Qt::RightButton);
    t.Expire();
    EXPECT_EQ(t.popups, 1);

    t.Mouse(QEvent::MouseMove, 300, 50);
    EXPECT_EQ(t.Panel(4), QStringLiteral("P:050ﾟ00'E, 50ﾟ00'N"));
}

// Message boxes that look at the picture while they are open.
struct PeekUi : ScriptedUi {
    std::function<void()> peek;
    int MsgBox(const QString& text, int style, const QString& title) override {
        if (peek) peek();
        return ScriptedUi::MsgBox(text, style, title);
    }
};

TEST(SurveyTool, RubberLeavesNoTraceAndTheReportIsWorkedOut) {
    Tools t;
    const QImage before = t.picView->Image().copy();
    t.survey.mnuSurvey_Click();
    EXPECT_EQ(t.Panel(1), QStringLiteral("測量：始点をクリック"));
    t.Click(200, 150);
    t.Expire();
    EXPECT_EQ(t.redraw.iSurveyMode, 7);
    EXPECT_EQ(t.Panel(1), QStringLiteral("測量：距離=0.00km 方位角=0ﾟ  (右クリックで経路完了)"));
    t.Mouse(QEvent::MouseMove, 300, 150); // 50 degrees east along the equator
    EXPECT_NE(t.picView->Image(), before);
    EXPECT_EQ(t.Panel(1), QStringLiteral("測量：距離=5,559.75km 方位角=90ﾟ  (右クリックで経路完了)"));
    t.survey.mnuSurvey_Click();
    EXPECT_EQ(t.picView->Image(), before);
    EXPECT_EQ(t.redraw.iSurveyMode, 0);

    // Across the meridian opposite the view centre: one piece on each side.
    t.survey.lSurveyLon1 = 612000;
    t.survey.lSurveyLon2 = -612000;
    t.survey.lSurveyLat1 = t.survey.lSurveyLat2 = 0;
    EXPECT_EQ(t.survey.SurveyMakeRubber().size(), 2u);

    PeekUi ui;
    UiServices* old = SetUi(&ui);
    // One degree along the equator is 111.19 km; one more up the meridian.
    // The area is taken on the equal-area cylinder, where sin 1 degree is
    // 3600 seconds again: half of 111.19 km squared, 6,182.16 square km.
    t.survey.mnuSurvey_Click();
    t.survey.Click({0, 0});
    t.survey.Click({3600, 0});
    t.survey.CompleteRoute();
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].text, QStringLiteral("ノード数 = 2\r\n総延長 = 111.19 km"));
    EXPECT_EQ(ui.messages[0].title, QStringLiteral("測量結果"));
    EXPECT_EQ(ui.messages[0].style, int(Mb::Information));
    EXPECT_EQ(t.redraw.iSurveyMode, 1); // a new route begins

    t.survey.Click({0, 0});
    t.survey.Click({3600, 0});
    t.survey.Click({3600, 3600});
    const QImage route = t.picView->Image().copy();
    bool dotted = false;
    ui.peek = [&] { dotted = t.picView->Image() != route; };
    t.survey.CompleteRoute();
    ASSERT_EQ(ui.messages.size(), 2);
    EXPECT_EQ(ui.messages[1].text, QStringLiteral("ノード数 = 3\r\n総延長 = 222.39 km  (点線を含まず)\r\n"
                                                  "面積 = 6,182.16 k㎡"));
    EXPECT_TRUE(dotted);
    EXPECT_EQ(t.picView->Image(), before); // route, rubber and closing line gone
    SetUi(old);
}

// The rubber is cut at the view's edge: a segment whose start has left the
// view still shows the part that lies in it, and removing it leaves no trace.
TEST(SurveyTool, RubberFromAPointOffTheViewIsCutAtTheEdge) {
    Tools t;
    // 800 pixels a degree: the picture spans half a degree, 4.5 seconds a pixel.
    t.world.View(12, 0, 0, 800);
    ASSERT_EQ(t.redraw.PlotWindow(), 0);
    t.survey.mnuSurvey_Click();
    t.Click(200, 150);
    t.Expire();
    ASSERT_EQ(t.redraw.iSurveyMode, 7); // start at (0, 0)
    // The view moves 0.4 degrees east: the start lies 320 pixels left of
    // the centre, 120 pixels beyond the picture's left edge.
    t.world.plot->SetCenterX(1440);
    ASSERT_EQ(t.redraw.PlotWindow(), 0);
    const QImage before = t.picView->Image().copy();
    t.Mouse(QEvent::MouseMove, 100, 150); // 990 seconds east
    EXPECT_EQ(t.Panel(1), QStringLiteral("測量：距離=30.58km 方位角=90ﾟ  (右クリックで経路完了)"));
    const QImage drawn = t.picView->Image().copy();
    // The equator from the left edge to the pointer carries the line, and
    // nothing lies beyond the pointer.
    int changed = 0, beyond = 0;
    for (int x = 0; x < 400; ++x) {
        bool hit = false;
        for (int y = 146; y <= 154; ++y) hit = hit || drawn.pixel(x, y) != before.pixel(x, y);
        if (x <= 98) changed += hit;
        if (x >= 103) beyond += hit;
    }
    EXPECT_EQ(changed, 99);
    EXPECT_EQ(beyond, 0);
    t.survey.mnuSurvey_Click();
    EXPECT_EQ(t.picView->Image(), before);

    // Both ends off the view on either side: the part across it is drawn.
    t.survey.lSurveyLon1 = -1800;
    t.survey.lSurveyLon2 = 4680;
    t.survey.lSurveyLat1 = t.survey.lSurveyLat2 = 0;
    const std::vector<clsPoly> rubber = t.survey.SurveyMakeRubber();
    ASSERT_EQ(rubber.size(), 1u);
    EXPECT_LE(rubber[0].x(1), 0);
    EXPECT_GE(rubber[0].LastX(), 399);
    EXPECT_EQ(rubber[0].y(1), 150);
    EXPECT_EQ(rubber[0].LastY(), 150);
}

TEST(ViewPointer, ToolMenuKeepsTheToolsApartAndEscEndsThem) {
    Tools t;
    QMenu menu;
    t.pointer.BuildToolMenu(&menu);
    const auto states = [&] {
        t.pointer.mnuTool_Click();
        QString e;
        for (QAction* a : {t.pointer.mnuSurvey, t.pointer.mnuFrameCut})
            e += QString(a->isEnabled() ? '1' : '0') + (a->isChecked() ? '1' : '0');
        return e;
    };
    EXPECT_EQ(states(), QStringLiteral("1010"));
    t.pointer.mnuFrameCut->trigger();
    EXPECT_EQ(states(), QStringLiteral("0011"));
    // A drag with a tool on is a tool click at the point brought to the centre.
    t.Mouse(QEvent::MouseButtonPress, 100, 150);
    t.Expire();
    t.Mouse(QEvent::MouseButtonRelease, 100, 150);
    EXPECT_EQ(t.redraw.iFrameCutMode, 3);
    EXPECT_EQ(t.cut.lCutLon1, 0);
    t.pointer.EndTools();
    EXPECT_EQ(states(), QStringLiteral("1010"));
    t.pointer.mnuSurvey->trigger();
    EXPECT_EQ(states(), QStringLiteral("1100"));
    t.Click(200, 150);
    EXPECT_EQ(t.pointer.tmrClick.interval(), 10); // a tool's clicks are taken at once
    t.redraw.bPlotting = true;
    t.pointer.EndTools(); // not while drawing
    EXPECT_NE(t.redraw.iSurveyMode, 0);
    t.redraw.bPlotting = false;
    t.pointer.EndTools();
    EXPECT_EQ(t.redraw.iSurveyMode, 0);
}

TEST(FrameCut, CentreAndScaleFromTheFrame) {
    Tools t;
    const double s = t.world.plot->MapScale();
    t.cut.mnuFrameCut_Click();
    const QImage before = t.picView->Image().copy();
    t.Click(220, 130); // 10E 10N
    t.Expire();
    EXPECT_EQ(t.redraw.iFrameCutMode, 3);
    EXPECT_EQ(t.Panel(1), QStringLiteral("フレームカット：領域の対角点をクリック"));
    t.Mouse(QEvent::MouseMove, 300, 70);
    EXPECT_EQ(t.redraw.iFrameCutMode, 7);
    EXPECT_NE(t.picView->Image(), before);
    t.Click(300, 70); // 50E 40N
    t.Expire();
    EXPECT_EQ(t.redraw.iFrameCutMode, 0);
    // Centre (30E, 25N). On an 800 x 800 canvas the frame spans 81 pixels
    // (360..440) and 30 pixels up and down from the centre: wider than the
    // screen's shape, so the width goes halfway from 400 to 600 and the
    // height follows, 60 x 500 \ 81.
    EXPECT_EQ(t.Center(), Center(108000, 90000));
    EXPECT_EQ(t.output.Width(), 500);
    EXPECT_EQ(t.output.Height(), 370);
    EXPECT_DOUBLE_EQ(t.world.plot->MapScale(), std::nearbyint(s * 81 / 492));
}

TEST(FrameCut, AcrossTheOppositeMeridianTheShortWay) {
    Tools t;
    const double s = t.world.plot->MapScale();
    t.world.plot->SetCenterX(648000);
    ASSERT_EQ(t.redraw.PlotWindow(), 0);
    t.cut.mnuFrameCut_Click();
    t.cut.Click({612000, 36000});   // 170E 10N
    t.cut.Click({-612000, 108000}); // 170W 30N
    EXPECT_EQ(std::abs(t.world.plot->CenterX()), 648000);
    EXPECT_EQ(t.world.plot->CenterY(), 72000);
    // 20 degrees each way: 41 by 40 pixels.
    EXPECT_EQ(t.output.Height(), 40 * 500 / 41);
    EXPECT_DOUBLE_EQ(t.world.plot->MapScale(), std::nearbyint(s * 41 / 492));
}

TEST(FrameCut, ATallFrameGrowsTheHeightTowardsThreeQuartersOfTheScreen) {
    Tools t;
    const double s = t.world.plot->MapScale();
    t.cut.mnuFrameCut_Click();
    t.cut.Click({36000, 0});      // 10E 0N
    t.cut.Click({90000, 216000}); // 25E 60N
    EXPECT_EQ(t.Center(), Center(63000, 108000));
    // On the 800 x 800 canvas the frame is 31 pixels wide and 60 up and
    // down from its centre: taller than the screen's shape, so the height
    // goes halfway from 300 to 600 and the width follows, 31 x 450 \ 120.
    EXPECT_EQ(t.output.Height(), 450);
    EXPECT_EQ(t.output.Width(), 116);
    EXPECT_DOUBLE_EQ(t.world.plot->MapScale(), std::nearbyint(s * 31 / 108));
}

TEST(FrameCut, TheScreenIsMeasuredInThePicturesDevicePixels) {
    Tools t;
    const QSize screen = t.picView->screen()->geometry().size();
    ASSERT_EQ(screen, QSize(800, 800)); // the offscreen platform's
    FrameCut fresh(t.redraw, *t.controls);
    t.cut.ScreenSize = fresh.ScreenSize;
    EXPECT_EQ(t.cut.ScreenSize(), QSize(800, 800));
    t.picView->SetPixelRatio(2);
    EXPECT_EQ(t.cut.ScreenSize(), QSize(1600, 1600));
    // The wide frame of the first case on a screen of 1600 x 1600 pixels:
    // the width goes halfway from 400 to 1200, the height follows,
    // 60 x 800 \ 81.
    t.cut.mnuFrameCut_Click();
    t.cut.Click({36000, 36000});  // 10E 10N
    t.cut.Click({180000, 144000}); // 50E 40N
    EXPECT_EQ(t.output.Width(), 800);
    EXPECT_EQ(t.output.Height(), 592);
}

TEST(ViewPopupMenu, CaptionsStatesAndSwitches) {
    Tools t;
    EXPECT_EQ(Captions(t.popup.mnuPopup),
              QStringLiteral("ポジション(&N)|クルーズ実行(&W)|地図画像コピー(&C)|-|測量(&V)|-|図法自動選択(&T)|"
                             "接円筒図法(&1)|割円筒図法(&2)|接円錐図法(&3)|接方位図法(&4)|-|経緯線許可(&G)|"
                             "アクセサリ許可(&A)|文字列・点記号縁取り許可(&O)|文字列傾斜許可(&K)|-|欧州語(&E)|"
                             "日本語(&J)|-|拡大(&B)|縮小(&S)|-|西へ(&L)|東へ(&R)|北へ(&U)|南へ(&D)"));
    const auto enabled = [&] {
        t.popup.mnuPopup_Click();
        QString e;
        for (QAction* a : t.popup.mnuPopupScaleItem) e += a->isEnabled() ? '1' : '0';
        for (QAction* a : t.popup.mnuPopupScrollItem) e += a->isEnabled() ? '1' : '0';
        return e;
    };
    t.redraw.bHoldRedraw = true;
    t.controls->sliScale.SetValue(53);
    t.controls->hsbView.SetValue(10800);
    t.controls->vsbView.SetValue(5400);
    EXPECT_EQ(enabled(), QStringLiteral("011101"));
    t.controls->sliScale.SetValue(1);
    t.controls->hsbView.SetValue(-10800);
    t.controls->vsbView.SetValue(-5400);
    EXPECT_EQ(enabled(), QStringLiteral("101110"));
    t.redraw.bHoldRedraw = false;

    t.popup.mnuPopupLanguageItem[1]->trigger();
    EXPECT_EQ(PublicVal::gvLanguage, 2);
    t.popup.mnuPopupLanguageItem[0]->trigger();
    EXPECT_EQ(PublicVal::gvLanguage, 1);
    t.popup.mnuPopup_Click();
    EXPECT_TRUE(t.popup.mnuPopupLanguageItem[0]->isChecked());

    t.world.plot->SetProjectionAuto(true);
    t.world.plot->SetCenterY(162000); // a cone needs a latitude off the equator
    t.popup.mnuPopupDirectItem[3]->trigger();
    EXPECT_FALSE(t.world.plot->Options().mProjectionAuto);
    EXPECT_EQ(t.world.plot->ProjectionIndex(), 23);
    t.popup.mnuPopupDirectItem[0]->trigger();
    EXPECT_TRUE(t.world.plot->Options().mProjectionAuto);
}

// The pop-up menu and the tools inside the main window itself.
using ToolsInWindowTest = WindowFixture;

TEST_F(ToolsInWindowTest, EastWrapsHomeReturnsAndEscEndsTheSurvey) {
    VbScrollBar& h = view->controls->hsbView;
    view->redraw.bHoldRedraw = true;
    h.SetValue(10800);
    h.SetLargeChange(800);
    view->redraw.bHoldRedraw = false;
    view->popup->mnuPopupScrollItem[1]->trigger();
    EXPECT_EQ(h.Value(), -10000); // 10800 + 800 goes on from the west end
    EXPECT_EQ(PublicVal::gvMapPlot->CenterX(), -600000);

    PublicVal::gvHomeLon = 36000;
    PublicVal::gvHomeLat = -7200;
    window->mnuHome_Click();
    EXPECT_EQ(PublicVal::gvMapPlot->CenterX(), 36000);
    EXPECT_EQ(PublicVal::gvMapPlot->CenterY(), -7200);
    EXPECT_EQ(h.Value(), 600);

    view->popup->mnuPopupSurvey->trigger();
    EXPECT_EQ(view->redraw.iSurveyMode, 1);
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &esc);
    EXPECT_EQ(view->redraw.iSurveyMode, 0);
}

} // namespace
