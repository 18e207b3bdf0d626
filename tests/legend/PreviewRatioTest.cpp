// The pictures of the style editors and the thing grid on a screen of
// device pixel ratio 2: twice the pixels drawn at 192 dpi and shown at the
// same size, not a picture of ratio 1 blown up; the HTML legend's samples
// keep the cell's size.
#include "SymbolTestEnv.h"

#include "legend/HtmlLegend.h"
#include "legend/StylePicture.h"
#include "platform/Desktop.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

namespace {

struct RatioScope {
    explicit RatioScope(double ratio) { Desktop::SetPixelRatio(ratio); }
    ~RatioScope() { Desktop::SetPixelRatio(0); }
};

TEST(PreviewRatio, StylePictureDrawsInDevicePixels) {
    EnsureGuiApp();
    for (const int ratio : {1, 2}) {
        SCOPED_TRACE(ratio);
        RatioScope scope(ratio);
        StylePicture pic(100, 50); // a two-pixel border round 96 x 46
        QSize painted;
        int32_t dpi = 0;
        pic.Paint = [&](QImage& img) {
            painted = img.size();
            dpi = StylePicture::Dpi(img);
        };
        pic.Refresh();
        EXPECT_EQ(pic.size(), QSize(100, 50));
        EXPECT_EQ(painted, QSize(96, 46) * ratio);
        EXPECT_EQ(dpi, 96 * ratio);
        EXPECT_EQ(pic.ScaleWidth(), 96 * ratio);
        // The pointer in image pixels, as the cell arithmetic takes them.
        QPoint at(-1, -1);
        pic.MouseMove = [&](int32_t x, int32_t y) { at = QPoint(x, y); };
        QMouseEvent move(QEvent::MouseMove, QPointF(2 + 48.5, 2 + 23), QPointF(2 + 48.5, 2 + 23), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&pic, &move);
        EXPECT_EQ(at, QPoint(48 * ratio + (ratio - 1), 23 * ratio));
        // Shown at its own size: the widget's picture holds the image's pixels.
        pic.Paint = [](QImage& img) { img.fill(Qt::red); };
        pic.Refresh();
        const QImage shown = pic.grab().toImage();
        EXPECT_EQ(shown.deviceIndependentSize().toSize(), QSize(100, 50));
        EXPECT_EQ(shown.pixel(shown.width() / 2, shown.height() / 2), qRgb(255, 0, 0));
        EXPECT_EQ(shown.pixel(shown.width() - 1 - int(3 * shown.devicePixelRatio()), shown.height() / 2),
                  qRgb(255, 0, 0)); // filled to the border, not 96 x 46 of 192 x 92
        EXPECT_NE(shown.pixel(0, 0), qRgb(255, 0, 0)); // the border
    }
}

struct PreviewRatioGrid : GridTest {};

TEST_F(PreviewRatioGrid, SamplesAtTheScreensRatioAndTheLegendAtTheCellsSize) {
    QImage one;
    {
        RatioScope scope(1);
        grid.SetGridData();
        one = flex.CellPicture(2, 5);
    }
    RatioScope scope(2);
    grid.SetGridData();
    const QImage two = flex.CellPicture(2, 5);
    EXPECT_EQ(two.size(), one.size() * 2);
    EXPECT_EQ(two.devicePixelRatio(), 2);
    EXPECT_EQ(two.deviceIndependentSize().toSize(), one.size());

    work.Things()->SetFileName(dir.file(QStringLiteral("LEG.THG")));
    flex.SetSelection(2, 1, 2, 1);
    HtmlLegend(flex, grid, work, sw).Export();
    const QImage png(dir.file(QStringLiteral("LEG_image/sample1.PNG")));
    EXPECT_EQ(png.size(), one.size());
}

} // namespace
