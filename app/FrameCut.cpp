#include "app/FrameCut.h"

#include "app/MainGuard.h"
#include "app/MapPicture.h"
#include "app/ToolCanvas.h"
#include "app/ViewControls.h"
#include "app/ViewRedraw.h"
#include "core/AngleLib.h"
#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/MapProjection.h"
#include "platform/ScriptedUi.h"
#include "render/HMapCanvas.h"
#include "render/clsMapPlot.h"
#include "render/clsView.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

const QString kForm = QStringLiteral("frmMain");

[[noreturn]] void Fail(const char* proc) { ErrorMng::ReRaise(ErrBase + 1003, kForm, QString::fromLatin1(proc)); }

constexpr int64_t kTurn = 1296000;

} // namespace

FrameCut::FrameCut(ViewRedraw& redraw, ViewControls& controls) : redraw_(redraw), controls_(controls) {
    ScreenSize = [&redraw] {
        // In the picture's device pixels, like the image it is compared with.
        const MapPicture* pic = redraw.picView;
        const QScreen* s = pic && pic->screen() ? pic->screen() : QGuiApplication::primaryScreen();
        const QSize logical = s ? s->geometry().size() : QSize(1024, 768);
        const double ratio = pic ? pic->PixelRatio() : 1.0;
        return QSize(Library::DblToLng(logical.width() * ratio), Library::DblToLng(logical.height() * ratio));
    };
}

int16_t& FrameCut::mode() { return redraw_.iFrameCutMode; }
bool FrameCut::IsOn() const { return redraw_.iFrameCutMode != 0; }
bool FrameCut::HasCorner() const { return (redraw_.iFrameCutMode & 2) != 0; }

void FrameCut::mnuFrameCut_Click() {
    MainGuard::Guarded("mnuFrameCut_Click", [&] {
        if (IsOn()) CutOff();
        else CutOn();
    });
}

void FrameCut::CutOn() {
    if (redraw_.picView) {
        savedCursor_ = redraw_.picView->cursor();
        redraw_.picView->setCursor(ToolCanvas::ToolCursor(1106));
    }
    redraw_.SetStatusMessage(QStringLiteral("フレームカット：領域の頂点をクリック"));
    mode() = 1;
}

void FrameCut::CutOff() {
    redraw_.SetStatusMessage({});
    if (mode() & 4) FrameCutOff();
    if (redraw_.picView) redraw_.picView->setCursor(savedCursor_);
    oCutRubber = clsPoly();
    mode() = 0;
}

void FrameCut::Cancel() {
    if (IsOn()) CutOff();
}

void FrameCut::Click(MapPoint p) {
    try {
        if (!HasCorner()) {
            lCutLon1 = lCutLon2 = p.lon;
            lCutLat1 = lCutLat2 = p.lat;
            mode() = 3;
            redraw_.SetStatusMessage(QStringLiteral("フレームカット：領域の対角点をクリック"));
            return;
        }
        CutOff();
        lCutLon2 = p.lon;
        lCutLat2 = p.lat;
        FrameCutExe();
    } catch (...) {
        Fail("FrameCutClick");
    }
}

void FrameCut::Move(MapPoint p) {
    if (!HasCorner()) return;
    lCutLon2 = p.lon;
    lCutLat2 = p.lat;
    FrameCutOn();
}

int32_t FrameCut::LonNearCenter(int32_t lon) const {
    const int64_t low = int64_t(redraw_.mPlot ? redraw_.mPlot->CenterX() : 0) - 648000;
    int64_t d = (int64_t(lon) - low) % kTurn;
    if (d < 0) d += kTurn;
    return Library::Sat(low + d);
}

clsPoly FrameCut::FrameCutMakePoly() {
    try {
        const int32_t lon1 = LonNearCenter(lCutLon1), lon2 = LonNearCenter(lCutLon2);
        clsPoly ring;
        ring.SetRect(lon1, lCutLat1, lon2, lCutLat2);
        ring.Chop(Library::Sat((std::llabs(int64_t(lon2) - lon1) + 24) / 24), 3);
        clsPoly out;
        // A point beside the globe would bend the frame towards nowhere.
        for (int32_t i = 1; i <= ring.Count(); ++i) {
            CanvasPoint c;
            if (HMap::MapToCanvasNearest(MapPoint{ring.x(i), ring.y(i)}, c, redraw_.mPlot)) out.AddXY(c.x, c.y);
        }
        return out;
    } catch (...) {
        Fail("FrameCutMakePoly");
    }
}

void FrameCut::FrameCutOn() {
    if (redraw_.bPlotting || !HasCorner()) return;
    try {
        clsPoly next = FrameCutMakePoly();
        if (mode() & 4) FrameCutOff();
        oCutRubber = std::move(next);
        ToolCanvas::DrawXor(redraw_.picView, {oCutRubber});
        mode() = int16_t(mode() | 4);
    } catch (...) {
        Fail("FrameCutOn");
    }
}

void FrameCut::FrameCutOff() {
    if (redraw_.bPlotting || !HasCorner()) return;
    try {
        if (mode() & 4) ToolCanvas::DrawXor(redraw_.picView, {oCutRubber});
        mode() = int16_t(mode() & ~4);
    } catch (...) {
        Fail("FrameCutOff");
    }
}

QSize FrameCut::CutImageSize(int32_t w, int32_t h, int32_t sw, int32_t sh, int32_t width, int32_t height) {
    int64_t nw = 0, nh = 0;
    if (int64_t(sh) * w < int64_t(h) * sw) {
        const int64_t target = int64_t(sh) * 3 / 4;
        nh = height;
        if (nh < target) nh = (nh + target) / 2;
        nw = nh * w / h;
    } else {
        const int64_t target = int64_t(sw) * 3 / 4;
        nw = width;
        if (nw < target) nw = (nw + target) / 2;
        nh = int64_t(h) * nw / w;
    }
    return {Library::Sat(nw), Library::Sat(nh)};
}

void FrameCut::FrameCutExe() {
    try {
        clsMapPlot& plot = *redraw_.mPlot;
        clsView* view = redraw_.mView;
        const QSize screen = ScreenSize ? ScreenSize() : QSize(1024, 768);
        const int32_t sw = std::max(1, screen.width()), sh = std::max(1, screen.height());

        const int32_t lon1 = LonNearCenter(lCutLon1), lon2 = LonNearCenter(lCutLon2);
        const MapPoint center = AngleLib::NormalizeLL(
            MapPoint{Library::Sat((int64_t(lon1) + lon2) / 2), Library::Sat((int64_t(lCutLat1) + lCutLat2) / 2)});
        plot.SetCenterX(center.lon / 60 * 60);
        plot.SetCenterY(center.lat / 60 * 60);
        // A screen-sized canvas about the new centre for the measuring.
        plot.Setdpix(view ? view->Dpi() : plot.dpix());
        plot.Setdpiy(view ? view->Dpi() : plot.dpiy());
        plot.SetCanvasLeft(0);
        plot.SetCanvasTop(0);
        plot.SetCanvasWidth(sw);
        plot.SetCanvasHeight(sh);
        plot.Field();

        clsPoly ring;
        ring.SetRect(lon1, lCutLat1, lon2, lCutLat2);
        ring.Chop(Library::Sat((std::llabs(int64_t(lon2) - lon1) + 10) / 10), 1);
        ring.Chop(Library::Sat((std::llabs(int64_t(lCutLat2) - lCutLat1) + 10) / 10), 2);
        clsPoly pixels;
        for (int32_t i = 1; i <= ring.Count(); ++i) {
            CanvasPoint c;
            if (HMap::MapToCanvasNearest(AngleLib::NormalizeLL(MapPoint{ring.x(i), ring.y(i)}), c, &plot))
                pixels.AddXY(c.x, c.y);
        }
        CanvasPoint mid;
        HMap::MapToCanvasNearest(MapPoint{plot.CenterX(), plot.CenterY()}, mid, &plot);
        int32_t w = 24, h = 24;
        if (pixels.Count() > 0) {
            const clsRect box = pixels.RectBound();
            w = std::max(box.Width(), 24);
            h = Library::Sat(
                std::max<int64_t>(2 * std::max(int64_t(box.mBottom) - mid.y, int64_t(mid.y) - box.mTop), 24));
        }

        const QSize size = CutImageSize(w, h, sw, sh, view ? view->Width() : w, view ? view->Height() : h);
        redraw_.bHoldRedraw = true;
        if (view) {
            view->SetWidth(size.width());
            view->SetHeight(size.height());
        }
        controls_.ResizeFormByView();
        redraw_.bHoldRedraw = false;

        const int32_t imageWidth = view ? view->Width() : size.width();
        double scale = std::nearbyint(plot.MapScale() * w / std::max(1, imageWidth - 8));
        scale = std::clamp(scale, MapProjection::ScaleMin, MapProjection::ScaleMax);
        plot.SetMapScale(scale);
        controls_.SetViewControllByEngine();
        redraw_.PlotWindow();
    } catch (...) {
        redraw_.bHoldRedraw = false;
        Fail("FrameCutExe");
    }
}
