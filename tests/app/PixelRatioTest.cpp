// The view on screens of device pixel ratio 1 and 2: the picture in device
// pixels at 96 x ratio dpi, the same view at both, pens scaled as the
// drawing layer scales them, and the ratio-1 picture exactly the engine's.
#include "MainHarness.h"

#include "app/MainView.h"
#include "app/ToolCanvas.h"
#include "platform/Desktop.h"
#include "render/clsAccessory.h"
#include "render/clsView.h"
#include "render/HMapCanvas.h"
#include "render/ViewHost.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

constexpr int32_t kLine[] = {0x0000C0, 0x00C000, 0xC00000}; // widths 1, 2, 3

// The harness's view, with three lines of widths 1, 2 and 3 at 20 N, 0 and
// 20 S, drawn on a screen of `ratio`.
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
        h.picView->ResizePicture(Library::DblToLng(400 * ratio), Library::DblToLng(300 * ratio));
        EXPECT_EQ(h.redraw.PlotWindow(), 0);
    }
    // Rows of the colour in a column of the picture.
    int Rows(int32_t x, int32_t colour) const {
        const QImage& img = h.picView->Image();
        const QRgb want = qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
        int n = 0;
        for (int y = 0; y < img.height(); ++y) n += (img.pixel(x, y) & 0xFFFFFF) == (want & 0xFFFFFF);
        return n;
    }
};

} // namespace

TEST(PixelRatio, ScreenResolutionKeepsTheFraction) {
    struct Row {
        double ratio, twips;
        int dpi;
    };
    // 15 twips per logical pixel of a 96-dpi screen, over the ratio.
    for (const Row& r : {Row{1, 15, 96}, Row{2, 7.5, 192}, Row{1.5, 10, 144}, Row{1.25, 12, 120},
                         Row{1.75, 15 / 1.75, 168}, Row{3, 5, 288}}) {
        SCOPED_TRACE(r.ratio);
        EXPECT_DOUBLE_EQ(Desktop::DeviceTwipsPerPixel(15, r.ratio), r.twips);
        EXPECT_EQ(Desktop::ScreenDpi(r.twips), r.dpi);
    }
    EnsureGuiApp();
    Desktop::SetPixelRatio(2);
    EXPECT_EQ(Library::ScreenDPI(), 192);
    Desktop::SetPixelRatio(0);
    EXPECT_EQ(Library::ScreenDPI(), 96);
    EXPECT_EQ(clsAccessory::StripDpi(2), 192);
    EXPECT_EQ(clsAccessory::StripDpi(1.5), 144);
}

TEST(PixelRatio, SameViewInTwiceThePixels) {
    RatioView one(1), two(2);
    for (RatioView* v : {&one, &two}) EXPECT_EQ(v->h.picView->size(), QSize(400, 300));
    EXPECT_EQ(one.h.picView->Image().size(), QSize(400, 300));
    EXPECT_EQ(two.h.picView->Image().size(), QSize(800, 600));
    EXPECT_EQ(one.h.world.plot->dpix(), 96);
    EXPECT_EQ(two.h.world.plot->dpix(), 192);
    EXPECT_EQ(one.h.Panel(2), two.h.Panel(2));
    EXPECT_EQ(one.h.Panel(3), two.h.Panel(3));
    // The map point under the same place on the screen.
    for (const QPointF at : {QPointF(100, 80), QPointF(0, 0), QPointF(399, 299)}) {
        SCOPED_TRACE(at.x());
        int32_t lon1 = 0, lat1 = 0, lon2 = 1, lat2 = 1;
        const QPoint p1 = one.h.picView->ToImage(at), p2 = two.h.picView->ToImage(at);
        EXPECT_EQ(p2, p1 * 2);
        ASSERT_TRUE(HMap::CanvasToMapPoint(p1.x(), p1.y(), lon1, lat1, one.h.world.plot.get()));
        ASSERT_TRUE(HMap::CanvasToMapPoint(p2.x(), p2.y(), lon2, lat2, two.h.world.plot.get()));
        EXPECT_EQ(lon1, lon2);
        EXPECT_EQ(lat1, lat2);
    }
    // The scale bar strip: the same bar in twice the pixels.
    auto barEnd = [](const QImage& img) {
        const int y = img.height() / 4;
        int right = -1;
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) right = x;
        return right;
    };
    EXPECT_EQ(two.h.picMeasure->Image().size(), one.h.picMeasure->Image().size() * 2);
    const int end1 = barEnd(one.h.picMeasure->Image()), end2 = barEnd(two.h.picMeasure->Image());
    EXPECT_GT(end1, 20);
    EXPECT_NEAR(end2, 2 * end1, 2);
    // Pens of width w take (w x 175 + 50) \\ 100 device pixels at 192 dpi.
    const int widths[] = {2, 4, 5};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(one.Rows(200, kLine[i]), i + 1);
        EXPECT_EQ(two.Rows(400, kLine[i]), widths[i]);
    }
}

TEST(PixelRatio, OutlinePenStaysOneDevicePixel) {
    PlotWorld world;
    QImage img(60, 60, QImage::Format_RGB32);
    img.fill(Qt::white);
    DeviceContext dc(img, 192, 192);
    clsMapGraph& g = world.graph();
    PublicVal::gvPolygonOutline = true;
    ASSERT_TRUE(g.GraphBegin(&dc, 0, 0, 60, 60));
    // Horizontal hatching leaves rows where only the two upright edges show.
    g.SetBrush(0, 0x0000FF, -1);
    clsRect r;
    r.SetAll(10, 10, 50, 50);
    g.DrawFillRect(r);
    g.GraphEnd();
    PublicVal::gvPolygonOutline = false;
    int least = 60;
    for (int y = 12; y < 48; ++y) {
        int n = 0;
        for (int x = 0; x < 60; ++x) n += (img.pixel(x, y) & 0xFFFFFF) == 0xFF0000;
        least = std::min(least, n);
    }
    EXPECT_EQ(least, 2);
}

TEST(PixelRatio, RatioOnePictureIsTheEnginesOwn) {
    RatioView one(1);
    // The same view straight through the engine into a plain 96-dpi image.
    PlotWorld& w = one.h.world;
    QImage plain(400, 300, QImage::Format_RGB32);
    plain.fill(Qt::black);
    DeviceContext dc(plain, 96, 96);
    w.plot->SetHdc(&dc);
    ASSERT_EQ(w.plot->Replot(), 0);
    w.plot->SetHdc(nullptr);
    EXPECT_TRUE(one.h.picView->Image() == plain);
}

namespace {

// The output settings over the harness's picture, on a screen of any size.
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
};

} // namespace

TEST(PixelRatio, AnotherScreenRedrawsAtItsResolution) {
    for (const int16_t userDpi : {int16_t(0), int16_t(300)}) {
        SCOPED_TRACE(userDpi);
        PlotWorld world;
        QMainWindow form;
        MainView view(&form, form.menuBar()->addMenu(QStringLiteral("ファイル(&F)")));
        PictureHost host(view.picView);
        clsView output(&host);
        if (userDpi) output.SetDpi(userDpi);
        view.redraw.mPlot = world.plot.get();
        view.redraw.mUnits = &world.units;
        view.redraw.mView = &output;
        view.controls->mView = &output;
        view.redraw.YieldEvents = [] {};
        view.controls->YieldEvents = [] {};
        view.controls->SetScrollRange();
        view.resizeTimer.setInterval(0);
        auto settle = [&] { while (view.resizeTimer.isActive()) QCoreApplication::processEvents(); };
        form.resize(800, 600);
        form.show();
        settle();
        const QSize logical = view.picView->size();
        EXPECT_EQ(view.picView->Image().size(), logical);
        view.SetPixelRatio(2);
        settle();
        Desktop::SetPixelRatio(0);
        EXPECT_EQ(view.picView->size(), logical);
        EXPECT_EQ(view.picView->Image().size(), logical * 2);
        EXPECT_EQ(view.picMeasure->Image().size(), view.picMeasure->size() * 2);
        // The screen's resolution follows the screen; one the user set stays.
        EXPECT_EQ(output.Dpi(), userDpi ? 300 : 192);
        EXPECT_EQ(world.plot->dpix(), userDpi ? 300 : 192);
    }
}

TEST(PixelRatio, ToolLinesKeepTheirScreenWidth) {
    EnsureGuiApp();
    MapPicture pic;
    pic.SetPixelRatio(2);
    pic.ResizePicture(80, 60);
    const QImage before = pic.Image();
    clsPoly line;
    line.SetLine(10, 30, 70, 30);
    ToolCanvas::DrawXor(&pic, {line}); // 2 screen pixels: 4 device pixels
    int rows = 0;
    for (int y = 0; y < 60; ++y) rows += pic.Image().pixel(40, y) != before.pixel(40, y);
    EXPECT_EQ(rows, 4);
    ToolCanvas::DrawXor(&pic, {line});
    EXPECT_TRUE(pic.Image() == before);
}
