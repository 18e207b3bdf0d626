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

bool CanvasToMapPoint(CanvasPoint c, MapPoint& m, clsMapPlot* plot) {
    m = {};
    try {
        clsMapPlot* p = EngineOf(plot);
        if (!p) return false;
        return WithRetry(*p, [&] { return p->CanvasToMapBound(c, m); });
    } catch (...) {
        Raise("CanvasToMapPoint");
    }
}

bool MapToCanvasPoint(MapPoint m, CanvasPoint& c, clsMapPlot* plot) {
    c = {};
    try {
        clsMapPlot* p = EngineOf(plot);
        if (!p) return false;
        return WithRetry(*p, [&] { return p->PointMapToCanvas(m, c); });
    } catch (...) {
        Raise("MapToCanvasPoint");
    }
}

bool MapToCanvasNearest(MapPoint m, CanvasPoint& c, clsMapPlot* plot) {
    c = {};
    try {
        clsMapPlot* p = EngineOf(plot);
        if (!p) return false;
        CanvasPoint c1, c2;
        p->MapToCanvas(m, c1);
        bool ok1 = p->Field().IsInner(m.lon, m.lat);
        bool ok2 = false;
        // Only a shift this call made is undone here.
        if (p->ShiftOn()) {
            try {
                p->MapToCanvas(m, c2);
                ok2 = p->Field().IsInner(m.lon, m.lat);
            } catch (...) {
                p->ShiftOff();
                throw;
            }
            p->ShiftOff();
        }
        if (ok1 && ok2) {
            int32_t w = 0, h = 0;
            RenderGlobals::PictureSize(w, h);
            const int64_t d1 = std::llabs(int64_t(c1.x) - w / 2) + std::llabs(int64_t(c1.y) - h / 2);
            const int64_t d2 = std::llabs(int64_t(c2.x) - w / 2) + std::llabs(int64_t(c2.y) - h / 2);
            if (d1 > d2) ok1 = false;
            else ok2 = false;
        }
        if (ok1) {
            c = c1;
            return true;
        }
        c = c2;
        return ok2;
    } catch (...) {
        Raise("MapToCanvasNearest");
    }
}

bool CanvasToMapPoint(int32_t px, int32_t py, int32_t& x, int32_t& y, clsMapPlot* plot) {
    MapPoint m;
    const bool ok = CanvasToMapPoint(CanvasPoint{px, py}, m, plot);
    x = m.lon, y = m.lat;
    return ok;
}

bool MapToCanvasPoint(int32_t x, int32_t y, int32_t& px, int32_t& py, clsMapPlot* plot) {
    CanvasPoint c;
    const bool ok = MapToCanvasPoint(MapPoint{x, y}, c, plot);
    px = c.x, py = c.y;
    return ok;
}

bool MapToCanvasNearest(int32_t x, int32_t y, int32_t& px, int32_t& py, clsMapPlot* plot) {
    CanvasPoint c;
    const bool ok = MapToCanvasNearest(MapPoint{x, y}, c, plot);
    px = c.x, py = c.y;
    return ok;
}

} // namespace HMap
