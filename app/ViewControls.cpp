#include "app/ViewControls.h"

#include "app/MapPicture.h"
#include "app/ViewRedraw.h"
#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/Scale.h"
#include "document/HMapCoord.h"
#include "platform/Desktop.h"
#include "platform/WindowFit.h"
#include "render/clsMapPlot.h"
#include "render/clsView.h"

#include <QAbstractSlider>
#include <QCoreApplication>
#include <QEvent>
#include <QMainWindow>
#include <QStatusBar>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {

const QString kForm = QStringLiteral("frmMain");
constexpr int32_t kMinFormWidth = 6525; // twips
constexpr int32_t kMinFormHeight = 4500;

[[noreturn]] void Fail(const char* proc) { ErrorMng::ReRaise(ErrBase + 1003, kForm, QString::fromLatin1(proc)); }

int32_t Tpp(bool x) { return x ? Desktop::TwipsPerPixelX() : Desktop::TwipsPerPixelY(); }

// The height a bar of a window not shown yet will take. A status bar sets
// its height for the texts its panels hold only when asked to lay itself
// out again, which showing it does: ask now.
int32_t HiddenBarHeight(QWidget* bar) {
    if (qobject_cast<QStatusBar*>(bar)) {
        QEvent request(QEvent::LayoutRequest);
        QCoreApplication::sendEvent(bar, &request);
    }
    return bar->sizeHint().height();
}

} // namespace

ViewControls::ViewControls(ViewRedraw& redraw, QAbstractSlider* hsb, QAbstractSlider* vsb, QAbstractSlider* slider)
    : hsbView(hsb), vsbView(vsb), sliScale(slider), redraw_(redraw) {
    YieldEvents = [] { QCoreApplication::processEvents(); };
    // The slider's range first: its own clamping is no user's change.
    sliScale.SetMin(1);
    sliScale.SetMax(53);
    hsbView.Scroll = [this] { hsbView_Scroll(); };
    hsbView.Change = [this] { hsbView_Change(); };
    vsbView.Scroll = [this] { vsbView_Scroll(); };
    vsbView.Change = [this] { vsbView_Change(); };
    sliScale.Scroll = [this] { sliScale_Scroll(); };
    sliScale.Change = [this] { sliScale_Change(); };
}

void ViewControls::SetScrollRange() {
    try {
        redraw_.bHoldRedraw = true;
        clsMapPlot& plot = *redraw_.mPlot;
        const int32_t cx = plot.CenterX();
        const int32_t cy = plot.CenterY();
        hsbView.SetMin(-10800);
        hsbView.SetMax(10800);
        vsbView.SetMin(5400);
        vsbView.SetMax(-5400);
        // A range change may have moved the values and, through their
        // events, the centre.
        plot.SetCenterX(cx);
        plot.SetCenterY(cy);
        redraw_.bHoldRedraw = false;
    } catch (...) {
        redraw_.bHoldRedraw = false;
        Fail("SetScrollRange");
    }
}

void ViewControls::SetViewControllByEngine() {
    try {
        redraw_.bHoldRedraw = true;
        clsMapPlot& plot = *redraw_.mPlot;
        hsbView.SetValue(HMap::MapToCoarseUnit(Library::DblToLng(plot.CenterX() * ScrollRatio())));
        if (YieldEvents) YieldEvents();
        vsbView.SetValue(HMap::MapToCoarseUnit(Library::DblToLng(plot.CenterY() * ScrollRatio())));
        if (YieldEvents) YieldEvents();
        sliScale.SetValue(Scale::StdScaleIndex(plot.MapScale()));
        if (YieldEvents) YieldEvents();
        redraw_.bHoldRedraw = false;
    } catch (...) {
        redraw_.bHoldRedraw = false;
        Fail("SetViewControllByEngine");
    }
}

int32_t ViewControls::ScrollStep(int32_t coarse, int32_t upper) {
    return Library::RoundSigDigits(Library::Clamp(coarse, 10, upper) / 10, 1);
}

void ViewControls::SetScrollChange() {
    try {
        const clsRect field = redraw_.mPlot->Field();
        const int32_t h = ScrollStep(HMap::MapToCoarseUnit(field.Width()), hsbView.Max());
        hsbView.SetSmallChange(h);
        hsbView.SetLargeChange(8 * h);
        const int32_t v = ScrollStep(HMap::MapToCoarseUnit(field.Height()), vsbView.Min());
        vsbView.SetSmallChange(v);
        vsbView.SetLargeChange(8 * v);
    } catch (...) {
        Fail("SetScrollChange");
    }
}

void ViewControls::hsbView_Scroll() {
    clsMapPlot& plot = *redraw_.mPlot;
    if (hsbView.Value() != HMap::MapToCoarseUnit(plot.CenterX()))
        plot.SetCenterX(HMap::CoarseToMapUnit(Library::DblToLng(hsbView.Value() / ScrollRatio())));
    redraw_.SetStatusCenter();
}

void ViewControls::vsbView_Scroll() {
    clsMapPlot& plot = *redraw_.mPlot;
    if (vsbView.Value() != HMap::MapToCoarseUnit(plot.CenterY()))
        plot.SetCenterY(HMap::CoarseToMapUnit(Library::DblToLng(vsbView.Value() / ScrollRatio())));
    redraw_.SetStatusCenter();
}

void ViewControls::hsbView_Change() {
    try {
        hsbView_Scroll();
        redraw_.PlotWindow();
    } catch (...) {
        ErrorMng::StopError(ErrBase + 1003, kForm, QStringLiteral("hsbView_Change"));
    }
}

void ViewControls::vsbView_Change() {
    try {
        vsbView_Scroll();
        redraw_.PlotWindow();
    } catch (...) {
        ErrorMng::StopError(ErrBase + 1003, kForm, QStringLiteral("vsbView_Change"));
    }
}

void ViewControls::sliScale_Scroll() {
    try {
        clsMapPlot& plot = *redraw_.mPlot;
        const auto k = int16_t(sliScale.Value());
        if (k != Scale::StdScaleIndex(plot.MapScale())) plot.SetMapScale(Scale::StdScale(k));
        redraw_.SetStatusScale();
        sliScale.SetText(QStringLiteral("1/") + Scale::StdScaleText(k));
    } catch (...) {
        ErrorMng::StopError(ErrBase + 1003, kForm, QStringLiteral("sliScale_Scroll"));
    }
}

void ViewControls::sliScale_Change() {
    try {
        sliScale_Scroll();
        redraw_.PlotWindow();
    } catch (...) {
        ErrorMng::StopError(ErrBase + 1003, kForm, QStringLiteral("sliScale_Change"));
    }
}

void ViewControls::picScaleSmall_Click() {
    if (sliScale.Value() > sliScale.Min()) sliScale.SetValue(sliScale.Value() - 1);
}

void ViewControls::picScaleLarge_Click() {
    if (sliScale.Value() < sliScale.Max()) sliScale.SetValue(sliScale.Value() + 1);
}

void ViewControls::ResizeFormByView() {
    try {
        if (!mForm || !mInner || !redraw_.picView) return;
        const int32_t tx = Tpp(true), ty = Tpp(false);
        MapPicture* pic = redraw_.picView;
        QWidget* vsb = vsbView.Control();
        QWidget* hsb = hsbView.Control();
        // The frame of a window not shown yet is estimated, and it stands
        // where its frame will.
        const QRect frame = mForm->isVisible() ? mForm->frameGeometry()
                                               : QRect(mForm->pos(), mForm->size().grownBy(WindowFit::FrameMargins(mForm)));
        // Outer size less inner size is what the frame, menu and status bar
        // take. Before the window is first laid out its central area has no
        // size yet, so the inner size is worked out from the bars around it.
        int32_t innerW = mForm->width(), innerH = mForm->height();
        if (auto* mw = qobject_cast<QMainWindow*>(mForm)) {
            for (QWidget* bar : {mw->menuWidget(), static_cast<QWidget*>(mw->statusBar())})
                if (bar && !bar->isHidden()) innerH -= bar->isVisible() ? bar->height() : HiddenBarHeight(bar);
        } else {
            innerW = mInner->width();
            innerH = mInner->height();
        }
        // What the desktop's panels leave of the screen the window is on.
        const QRect area = WindowFit::AvailableArea(mForm);
        const int32_t ax = area.x() * tx, ay = area.y() * ty;
        const int32_t sw = area.width() * tx, sh = area.height() * ty;
        int32_t needW = 0, needH = 0, w = 0, h = 0, wp = 0, hp = 0;
        const auto measure = [&] {
            needW = (frame.width() - innerW + pic->width() + vsb->width()) * tx;
            needH = (frame.height() - innerH + pic->y() + pic->height() + hsb->height()) * ty;
            w = std::max(needW, kMinFormWidth);
            h = std::max(needH, kMinFormHeight);
            wp = (w + tx - 1) / tx;
            hp = (h + ty - 1) / ty;
        };
        measure();
        const bool full = mForm->isMaximized() || mForm->isFullScreen();
        if ((full || (needW <= sw && needH <= sh)) && wp == frame.width() && hp == frame.height()) return;
        if (full) {
            // Back to normal the window takes its whole frame again: a
            // picture as large as the full window was would push it off
            // the screen.
            if (mView) {
                mView->SetWidth(std::min(mView->Width(), mView->MaxWidth()));
                mView->SetHeight(std::min(mView->Height(), mView->MaxHeight()));
                measure();
            }
            mForm->showNormal();
        }
        if (needW > sw || needH > sh) {
            // A picture the screen cannot hold with the window round it (one
            // kept from a larger screen) is cut to what the screen leaves it.
            const double ratio = pic->PixelRatio();
            const auto cut = [ratio](int32_t logical, int32_t over, int32_t tpp) {
                return Library::DblToLng(std::floor(std::max(32, logical - (over + tpp - 1) / tpp) * ratio));
            };
            // The picture directly: the output settings' own limits read
            // scroll bars that may not be laid out yet.
            int32_t pw = pic->Image().width(), ph = pic->Image().height();
            if (needW > sw) pw = cut(pic->width(), needW - sw, tx);
            if (needH > sh) ph = cut(pic->height(), needH - sh, ty);
            pic->ResizePicture(pw, ph);
            measure();
        }
        const int32_t extraW = frame.width() - mForm->width(), extraH = frame.height() - mForm->height();
        const int32_t askW = wp - extraW, askH = hp - extraH;
        // A window larger than its picture needs stays at a least size: the
        // 6525 x 4500 twips, or the window's own least size, which may hold
        // it larger than asked.
        const int32_t leastW = mForm->minimumWidth(), leastH = mForm->minimumHeight();
        minInnerW_ = needW < kMinFormWidth || askW < leastW ? std::max(askW, leastW) : 0;
        minInnerH_ = needH < kMinFormHeight || askH < leastH ? std::max(askH, leastH) : 0;
        // Kept on the screen at the size it will take, its least included.
        const int32_t outW = (std::max(askW, leastW) + extraW) * tx, outH = (std::max(askH, leastH) + extraH) * ty;
        const int32_t left = ax + Library::Clamp(frame.x() * tx - ax, 0, Library::Clamp(sw - outW, 0, sw - 120));
        const int32_t top = ay + Library::Clamp(frame.y() * ty - ay, 0, Library::Clamp(sh - outH, 0, sh - 120));
        mForm->move(left / tx, top / ty);
        mForm->resize(askW, askH);
    } catch (...) {
        Fail("ResizeFormByView");
    }
}

void ViewControls::PlaceScrollBars() {
    if (!mInner) return;
    const int32_t iw = mInner->width(), ih = mInner->height();
    QWidget* vsb = vsbView.Control();
    QWidget* hsb = hsbView.Control();
    const int32_t top = redraw_.picView ? redraw_.picView->y() : vsb->y();
    vsb->setGeometry(iw - vsb->width(), vsb->y(), vsb->width(), std::max(1, ih - top - hsb->height()));
    hsb->setGeometry(hsb->x(), ih - hsb->height(), std::max(1, iw - vsb->width()), hsb->height());
}

void ViewControls::LayoutControls() {
    try {
        if (!mInner) return;
        const int32_t iw = mInner->width();
        const int32_t gap = std::max(1, 60 / Tpp(true));
        QWidget* vsb = vsbView.Control();
        QWidget* hsb = hsbView.Control();
        MapPicture* pic = redraw_.picView;
        if (picScale) {
            picScale->move(iw - picScale->width(), picScale->y());
            if (picViewArea) {
                picViewArea->move(picScale->x() - picViewArea->width() - gap, picViewArea->y());
                if (picMeasure) picMeasure->resize(std::max(1, picViewArea->x() - gap), picMeasure->height());
            }
        }
        PlaceScrollBars();
        const int32_t maxW = hsb->width(), maxH = vsb->height();
        const bool fillW =
            mForm && mForm->frameGeometry().width() * Tpp(true) > kMinFormWidth && mForm->width() > minInnerW_;
        const bool fillH =
            mForm && mForm->frameGeometry().height() * Tpp(false) > kMinFormHeight && mForm->height() > minInnerH_;
        // The output image is in dots, the image's own pixels: at a device
        // pixel ratio the area holds that many dots a logical pixel. A kept
        // picture keeps its dots (32 at least), and one that fills the area
        // to within a logical pixel fills it already: a window sized round
        // an odd count of dots, or rounded by the ratio, shows them all.
        const double ratio = pic ? pic->PixelRatio() : 1.0;
        const auto dots = [&](int32_t have, int32_t logical, bool fill) {
            const int32_t area = Library::DblToLng(logical * ratio);
            if (!fill) return Library::Clamp(have, clsView::MinSize, area);
            return std::abs(have - logical * ratio) < ratio ? have : area;
        };
        const QSize have = pic ? pic->Image().size() : QSize(maxW, maxH);
        const int32_t w = dots(have.width(), maxW, fillW || !pic), h = dots(have.height(), maxH, fillH || !pic);
        if (mView) {
            mView->SetWidth(w);
            mView->SetHeight(h);
        } else if (pic) {
            pic->ResizePicture(w, h);
        }
    } catch (...) {
        Fail("LayoutControls");
    }
}
