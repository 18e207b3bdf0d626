#include "render/HMapCanvas.h"

#include "core/ErrorMng.h"
#include "render/RenderGlobals.h"
#include "render/clsMapPlot.h"

#include <cstdlib>

namespace HMap {
namespace {

clsMapPlot* EngineOf(clsMapPlot* plot) { return plot ? plot : RenderGlobals::MapPlot(); }

[[noreturn]] void Raise(const char* proc) {
    ErrorMng::ReRaise(ErrBase + 1002, QStringLiteral("basHMap"), QString::fromLatin1(proc));
}

// Runs `convert`, and once more in the shifted view when it fails there.
template <class Convert> bool WithRetry(clsMapPlot& p, Convert convert) {
    bool ok = convert();
    if (!ok && p.ShiftOn()) {
        try {
            ok = convert();
        } catch (...) {
            p.ShiftOff();
            throw;
        }
        p.ShiftOff();
    }
    return ok;
}

} // namespace

bool CanvasToMapPoint(int32_t px, int32_t py, int32_t& x, int32_t& y, clsMapPlot* plot) {
    x = 0;
    y = 0;
    try {
        clsMapPlot* p = EngineOf(plot);
        if (!p) return false;
        return WithRetry(*p, [&] { return p->CanvasToMapBound(px, py, x, y); });
    } catch (...) {
        Raise("CanvasToMapPoint");
    }
}

bool MapToCanvasPoint(int32_t x, int32_t y, int32_t& px, int32_t& py, clsMapPlot* plot) {
    px = 0;
    py = 0;
    try {
        clsMapPlot* p = EngineOf(plot);
        if (!p) return false;
        return WithRetry(*p, [&] { return p->PointMapToCanvas(x, y, px, py); });
    } catch (...) {
        Raise("MapToCanvasPoint");
    }
}

bool MapToCanvasNearest(int32_t x, int32_t y, int32_t& px, int32_t& py, clsMapPlot* plot) {
    px = 0;
    py = 0;
    try {
        clsMapPlot* p = EngineOf(plot);
        if (!p) return false;
        int32_t px1 = 0, py1 = 0, px2 = 0, py2 = 0;
        p->MapToCanvas(x, y, px1, py1);
        bool ok1 = p->Field().IsInner(x, y);
        bool ok2 = false;
        // Only a shift this call made is undone here.
        if (p->ShiftOn()) {
            try {
                p->MapToCanvas(x, y, px2, py2);
                ok2 = p->Field().IsInner(x, y);
            } catch (...) {
                p->ShiftOff();
                throw;
            }
            p->ShiftOff();
        }
        if (ok1 && ok2) {
            int32_t w = 0, h = 0;
            RenderGlobals::PictureSize(w, h);
            const int64_t d1 = std::llabs(int64_t(px1) - w / 2) + std::llabs(int64_t(py1) - h / 2);
            const int64_t d2 = std::llabs(int64_t(px2) - w / 2) + std::llabs(int64_t(py2) - h / 2);
            if (d1 > d2) ok1 = false;
            else ok2 = false;
        }
        if (ok1) {
            px = px1;
            py = py1;
            return true;
        }
        px = px2;
        py = py2;
        return ok2;
    } catch (...) {
        Raise("MapToCanvasNearest");
    }
}

} // namespace HMap
