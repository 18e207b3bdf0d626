// Scroll bars and the scale slider against the plot engine: ranges, the
// drag and the settled value, steps, and the redraws they cause.
#include "MainHarness.h"
#include "platform/WindowFit.h"

#include <QCoreApplication>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

TEST(ViewControls, CentreToBarsAndBack) {
    MainHarness h;
    clsMapPlot& p = *h.world.plot;
    p.SetCenterX(-90);
    p.SetCenterY(3000 * 60);
    p.SetMapScale(1100000); // between the steps 1/1,200,000 (39) and 1/1,000,000 (40)
    h.controls->SetViewControllByEngine();
    EXPECT_EQ(h.controls->hsbView.Value(), -1); // -90" is -1' (towards zero)
    EXPECT_EQ(h.controls->vsbView.Value(), 3000);
    EXPECT_LT(h.vsb->value(), 0); // north of the equator: above the middle
    EXPECT_EQ(h.controls->sliScale.Value(), 39);
    EXPECT_EQ(h.redraws, 0);
    EXPECT_FALSE(h.redraw.bHoldRedraw);
    // The bars' events found the centre in its minute and left it alone.
    EXPECT_EQ(p.CenterX(), -90);
}

TEST(ViewControls, DragScrollsOnlyTheReleaseRedraws) {
    MainHarness h;
    clsMapPlot& p = *h.world.plot;
    h.hsb->setSliderDown(true);
    h.hsb->setSliderPosition(120); // dragging: 120' east
    EXPECT_EQ(p.CenterX(), 120 * 60);
    EXPECT_EQ(h.Panel(3), QStringLiteral("C:002ﾟ00'E, 00ﾟ00'N"));
    EXPECT_EQ(h.redraws, 0);
    h.hsb->setSliderDown(false); // released: one Change
    EXPECT_EQ(h.redraws, 1);
    EXPECT_EQ(h.controls->hsbView.Value(), 120);

    // South on the vertical bar is further down.
    h.vsb->setSliderDown(true);
    h.vsb->setSliderPosition(600);
    EXPECT_EQ(p.CenterY(), -600 * 60);
    h.vsb->setSliderDown(false);
    EXPECT_EQ(h.redraws, 2);

    h.controls->hsbView.SetValue(-300); // a value written in code
    EXPECT_EQ(p.CenterX(), -300 * 60);
    EXPECT_EQ(h.redraws, 3);

    h.redraw.bHoldRedraw = true;
    h.controls->hsbView.SetValue(77);
    h.controls->vsbView.SetValue(-5);
    EXPECT_EQ(p.CenterX(), 77 * 60);
    EXPECT_EQ(p.CenterY(), -5 * 60);
    EXPECT_EQ(h.redraws, 3);
}

TEST(ViewControls, ScrollSteps) {
    EXPECT_EQ(ViewControls::ScrollStep(1234, 10800), 100);
    EXPECT_EQ(ViewControls::ScrollStep(5, 10800), 1);
    EXPECT_EQ(ViewControls::ScrollStep(19, 10800), 1);
    EXPECT_EQ(ViewControls::ScrollStep(99, 10800), 9);
    EXPECT_EQ(ViewControls::ScrollStep(50000, 10800), 1000);
    EXPECT_EQ(ViewControls::ScrollStep(50000, 5400), 500);

    EXPECT_EQ(ViewControls::ScrollStep(10, 10800), 1);
    EXPECT_EQ(ViewControls::ScrollStep(2700, 10800), 200);
    MainHarness h;
    // 10 pixels a degree on 400 x 300: a field of 2 x 22.5 by 2 x 16.875
    // degrees (an eighth added), 2700' and 2025': a tenth, truncated to one
    // significant digit, is 200' either way.
    h.world.View(12, 0, 0, 10);
    h.controls->SetScrollChange();
    EXPECT_EQ(h.controls->hsbView.SmallChange(), 200);
    EXPECT_EQ(h.controls->hsbView.LargeChange(), 1600);
    EXPECT_EQ(h.controls->vsbView.SmallChange(), 200);
}

TEST(ViewControls, SliderAndItsButtons) {
    MainHarness h;
    clsMapPlot& p = *h.world.plot;
    h.controls->sliScale.SetValue(40);
    EXPECT_EQ(p.MapScale(), 1000000);
    EXPECT_EQ(h.redraws, 1);
    EXPECT_EQ(h.controls->sliScale.Text(), QStringLiteral("1/100万"));
    h.controls->picScaleLarge_Click();
    EXPECT_EQ(h.controls->sliScale.Value(), 41);
    EXPECT_EQ(p.MapScale(), 800000);
    EXPECT_EQ(h.redraws, 2);
    h.controls->picScaleSmall_Click();
    EXPECT_EQ(p.MapScale(), 1000000);
    EXPECT_EQ(h.redraws, 3);

    h.controls->sliScale.SetValue(53);
    h.controls->picScaleLarge_Click();
    EXPECT_EQ(h.controls->sliScale.Value(), 53);
    h.controls->sliScale.SetValue(1);
    const int before = h.redraws;
    h.controls->picScaleSmall_Click();
    EXPECT_EQ(h.controls->sliScale.Value(), 1);
    EXPECT_EQ(h.redraws, before);
    EXPECT_EQ(p.MapScale(), 1e9);

    // Dragging the slider changes the scale and the panel, not the picture.
    h.sli->setSliderDown(true);
    h.sli->setSliderPosition(27);
    EXPECT_EQ(p.MapScale(), 1e7);
    EXPECT_EQ(h.Panel(2), QStringLiteral("1/10,000,000"));
    EXPECT_EQ(h.redraws, before);
    h.sli->setSliderDown(false);
    EXPECT_EQ(h.redraws, before + 1);
}

TEST(ViewControls, LayoutFillsTheWindowAndSizesTheImage) {
    MainHarness h;
    h.form.show(); // the central area takes its size
    h.form.resize(700, 500);
    h.controls->LayoutControls();
    const int32_t iw = h.inner->width(), ih = h.inner->height();
    EXPECT_EQ(h.picScale->x(), iw - h.picScale->width());
    EXPECT_EQ(h.vsb->x(), iw - h.vsb->width());
    EXPECT_EQ(h.hsb->y(), ih - h.hsb->height());
    EXPECT_EQ(h.hsb->width(), iw - h.vsb->width());
    EXPECT_EQ(h.vsb->height(), ih - h.picView->y() - h.hsb->height());
    // Wider than 6525 twips: the image takes the whole width left of the bar.
    EXPECT_EQ(h.picView->Image().width(), h.hsb->width());
    EXPECT_EQ(h.picView->Image().height(), h.vsb->height());

    // A narrow window (4500 x 4200 twips) keeps the view's own size, 32 at least.
    h.form.resize(300, 280);
    h.picView->ResizePicture(200, 100);
    h.controls->LayoutControls();
    EXPECT_EQ(h.picView->Image().size(), QSize(200, 100));
    h.picView->ResizePicture(20, 10);
    h.controls->LayoutControls();
    EXPECT_EQ(h.picView->Image().size(), QSize(32, 32));
}

TEST(ViewControls, WindowFitsTheViewAndStaysWhenItAlreadyDoes) {
    MainHarness h; // not shown yet: the central area has no size of its own
    h.picView->ResizePicture(600, 400);
    // A panel text taller than the one the status bar was laid out for (a
    // face with taller glyphs for the centre's text, say): shown, the bar
    // grows by it.
    h.redraw.stbPanels[2]->setText(QStringLiteral("C:000ﾟ00'E\n00ﾟ00'N"));
    h.controls->ResizeFormByView();
    h.form.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(h.inner->width(), 600 + h.vsb->width());
    EXPECT_EQ(h.inner->height(), h.picView->y() + 400 + h.hsb->height());
    const QRect placed = h.form.frameGeometry();
    h.controls->ResizeFormByView();
    QCoreApplication::processEvents();
    EXPECT_EQ(h.form.frameGeometry(), placed);

    // A small view still gets a window of 6525 x 4500 twips.
    h.picView->ResizePicture(40, 30);
    h.controls->ResizeFormByView();
    QCoreApplication::processEvents();
    EXPECT_EQ(h.form.frameGeometry().width(), (6525 + 14) / 15);
    EXPECT_EQ(h.form.frameGeometry().height(), 4500 / 15);

    // Sized so by the program round the picture typed, from a place near the
    // screen's far corner (stored by a run on a larger screen): the frame
    // lies on the screen's free area, and the picture keeps its dots, the
    // image's own pixels, at any pixel ratio.
    const struct {
        const char* name;
        QSize least; // the window's own
        double ratio;
        QSize typed, kept;
    } rows[] = {
        // A window manager's border round its least size takes the window a
        // few pixels past 6525 x 4500 twips: it is still at its least.
        {"a border round the least size", {438, 303}, 1, {40, 30}, {40, 32}},
        {"held taller than its picture needs by its own least size", {438, 500}, 1, {40, 250}, {40, 250}},
        {"200%, at the least size", {438, 303}, 2, {201, 31}, {201, 32}},
        {"200%, filling the window", {438, 303}, 2, {1001, 601}, {1001, 601}},
    };
    const QRect area = WindowFit::AvailableArea(&h.form);
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        h.form.setMinimumSize(r.least);
        h.picView->SetPixelRatio(r.ratio);
        h.picView->ResizePicture(r.typed.width(), r.typed.height());
        h.form.move(area.bottomRight() - QPoint(100, 100));
        h.controls->ResizeFormByView();
        QCoreApplication::processEvents();
        h.controls->LayoutControls();
        EXPECT_EQ(h.picView->Image().size(), r.kept);
        EXPECT_TRUE(area.contains(h.form.frameGeometry())) << h.form.frameGeometry().bottom();
    }
}

} // namespace
