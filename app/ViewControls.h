#pragma once
// The scroll bars, the scale slider and the window's layout, kept in step
// with the plot engine in both directions. The engine's centre and scale are
// the truth: the controls are written from them after every change made in
// code, and read back only in their own events. Scroll bar units are whole
// minutes of arc.
#include "app/VbScrollBar.h"

#include <cstdint>
#include <functional>

class MapPicture;
class QAbstractSlider;
class QWidget;
class ViewRedraw;
class clsView;

class ViewControls {
public:
    ViewControls(ViewRedraw& redraw, QAbstractSlider* hsb, QAbstractSlider* vsb, QAbstractSlider* slider);

    VbScrollBar hsbView;
    VbScrollBar vsbView;
    VbScrollBar sliScale;

    // The window and the pieces of its layout (not owned; any may be null).
    QWidget* mForm = nullptr;
    QWidget* mInner = nullptr; // the area the controls are laid out in
    QWidget* picScale = nullptr;
    QWidget* picViewArea = nullptr;
    QWidget* picMeasure = nullptr;
    clsView* mView = nullptr;

    // Lets the event loop run between the control writes.
    std::function<void()> YieldEvents;

    double ScrollRatio() const { return 1.0; }
    void SetScrollRange();
    void SetViewControllByEngine();
    void SetScrollChange();
    void ResizeFormByView();
    void LayoutControls();
    // The scroll bars along the inner area's right and bottom edges. Run at
    // once on every resize: what the picture may take is read from them, and
    // a file opened before the layout's turn would read them stale.
    void PlaceScrollBars();

    void hsbView_Scroll();
    void hsbView_Change();
    void vsbView_Scroll();
    void vsbView_Change();
    void sliScale_Scroll();
    void sliScale_Change();
    void picScaleSmall_Click();
    void picScaleLarge_Click();

    // Small step for a field `coarse` minutes wide on a bar whose larger
    // limit is `upper`: a tenth of the field, kept within 1 and upper / 10,
    // cut to one significant digit. The large step is 8 times that.
    static int32_t ScrollStep(int32_t coarse, int32_t upper);

private:
    ViewRedraw& redraw_;
    // The inner width and height the window was given when it was sized to
    // a least size, larger than its picture needs (0 otherwise): the frame
    // the window manager adds round it may pass the minimum, and the window
    // is still at it.
    int32_t minInnerW_ = 0, minInnerH_ = 0;
};
