// The view put together in a window: the resize and another pixel ratio;
// and the view at device pixel ratios 1 and 2: one image pixel per screen
// pixel at 96 x ratio dpi, the same view at both, and pens scaled by the layer.
#include "MainHarness.h"

#include "app/MainView.h"
#include "app/frmMain.h"
#include "platform/Desktop.h"
#include "render/HMapCanvas.h"
#include "render/clsView.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

namespace {

// The harness laid out as the program does, each resize as soon as the
// events are through.
struct ViewInWindow : MainHarness {
    ViewInWindow() {
        inner->installEventFilter(&view);
        view.resizeTimer.setInterval(0);
    }
    void Settle() {
        while (view.resizeTimer.isActive()) QCoreApplication::processEvents();
    }
};

TEST(MainView, ResizeAndAnotherScreenLayOutAndRedraw) {
    // 7.5 twips a device pixel at ratio 2, not 8 (180 dpi).
    EXPECT_EQ(Desktop::ScreenDpi(Desktop::DeviceTwipsPerPixel(15, 2)), 192);
    EXPECT_EQ(Desktop::ScreenDpi(Desktop::DeviceTwipsPerPixel(15, 1.5)), 144);
    ViewInWindow w;
    MainView& view = w.view;
    EXPECT_EQ(view.sliScale->minimum(), 1);
    EXPECT_EQ(view.sliScale->maximum(), 53);
    w.form.resize(800, 600);
    w.form.show();
    w.Settle();
    EXPECT_GE(w.redraws, 1);
    EXPECT_EQ(view.picView->Image().size(), QSize(view.hsbView->width(), view.vsbView->height()));

    const QSize logical = view.picView->size();
    view.SetPixelRatio(2);
    w.Settle();
    Desktop::SetPixelRatio(0);
    EXPECT_EQ(view.picView->size(), logical);
    EXPECT_EQ(view.picView->Image().size(), logical * 2);
    EXPECT_EQ(view.picMeasure->Image().size(), view.picMeasure->size() * 2);
    EXPECT_EQ(w.world.plot->dpix(), 192);

    // Not while a drawing runs.
    view.redraw.bPlotting = true;
    const int before = w.redraws;
    w.form.resize(900, 650);
    w.Settle();
    EXPECT_EQ(w.redraws, before);
    view.redraw.bPlotting = false;
}

TEST(MainView, LargestPictureLeavesRoomForTheWindowAroundIt) {
    PlotWorld world; // settings store and scripted messages of its own
    frmMain window;
    window.resize(500, 400);
    window.show();
    QCoreApplication::processEvents();
    clsView view(&window);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect frame = window.frameGeometry();
    // The picture may take the screen less what the window needs besides it.
    EXPECT_EQ(view.MaxWidth(), screen.width() - (frame.width() - window.MainArea()->hsbView->width()));
    EXPECT_EQ(view.MaxHeight(), screen.height() - (frame.height() - window.MainArea()->vsbView->height()));
}

constexpr int32_t kLine[] = {0x404040, 0x808080, 0xC0C0C0}; // greys: the same as BGR and RGB

// Lines of widths 1, 2 and 3 along 20 N, 0 and 20 S, drawn at `ratio`.
struct RatioView {
    MainHarness h;
    explicit RatioView(double ratio) {
        auto unit = h.world.AddUnit(QStringLiteral("LINES"));
        for (int16_t i = 0; i < 3; ++i) {
            PlotWorld::AddThing(*unit, int16_t(10 + i), 2, QStringLiteral("線"), kLine[i], 0, int16_t(i + 1));
            PlotWorld::AddLine(*unit, int16_t(10 + i), 0, -216000, 72000 - 72000 * i, 216000, 72000 - 72000 * i);
        }
        h.picView->SetPixelRatio(ratio);
        h.picMeasure->SetPixelRatio(ratio);
        h.picView->ResizePicture(int(400 * ratio), int(300 * ratio));
        EXPECT_EQ(h.redraw.PlotWindow(), 0);
    }
    // Pixels of the colour in a column.
    static int Count(const QImage& img, int x, int32_t c) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y) n += int32_t(img.pixel(x, y) & 0xFFFFFF) == c;
        return n;
    }
};

TEST(PixelRatio, SameViewInTwiceThePixels) {
    RatioView one(1), two(2);
    EXPECT_EQ(one.h.world.plot->dpix(), 96);
    EXPECT_EQ(two.h.world.plot->dpix(), 192);
    EXPECT_EQ(one.h.Panel(2), two.h.Panel(2));
    EXPECT_EQ(one.h.Panel(3), two.h.Panel(3));
    // The map point under the same place on the screen.
    int32_t lon1 = 0, lat1 = 0, lon2 = 1, lat2 = 1;
    const QPoint p1 = one.h.picView->ToImage({100, 80}), p2 = two.h.picView->ToImage({100, 80});
    ASSERT_TRUE(HMap::CanvasToMapPoint(p1.x(), p1.y(), lon1, lat1, one.h.world.plot.get()));
    ASSERT_TRUE(HMap::CanvasToMapPoint(p2.x(), p2.y(), lon2, lat2, two.h.world.plot.get()));
    EXPECT_TRUE(lon1 == lon2 && lat1 == lat2);
    // Width w takes (w x 175 + 50) \ 100 device pixels at 192 dpi.
    const int widths[] = {2, 4, 5};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(RatioView::Count(one.h.picView->Image(), 200, kLine[i]), i + 1);
        EXPECT_EQ(RatioView::Count(two.h.picView->Image(), 400, kLine[i]), widths[i]);
    }
    // At ratio 1 the picture is the engine's own drawing, byte for byte.
    QImage plain(400, 300, QImage::Format_RGB32);
    plain.fill(Qt::black);
    DeviceContext dc96(plain, 96, 96);
    one.h.world.plot->SetHdc(&dc96);
    ASSERT_EQ(one.h.world.plot->Replot(), 0);
    one.h.world.plot->SetHdc(nullptr);
    EXPECT_TRUE(one.h.picView->Image() == plain);
}

} // namespace
