#include "render/MapViewport.h"

#include "core/AngleLib.h"
#include "core/Library.h"
#include "core/MapProjection.h"

#include <algorithm>
#include <cstdlib>

namespace {

int32_t Sat(int64_t v) {
    if (v > 2147483647) return 2147483647;
    if (v < -2147483647) return -2147483647;
    return static_cast<int32_t>(v);
}

} // namespace

int32_t MapViewport::CanvasWidth() const { return Sat(int64_t(canvas.mRight) - canvas.mLeft + 1); }
int32_t MapViewport::CanvasHeight() const { return Sat(int64_t(canvas.mBottom) - canvas.mTop + 1); }

void MapViewport::CalcCanvasCenter() {
    centerPixX = Sat(int64_t(canvas.mLeft) + CanvasWidth() / 2);
    centerPixY = Sat(int64_t(canvas.mTop) + CanvasHeight() / 2);
}

void MapViewport::CalcRatios() {
    ratioX = dpix * 1000.0 / 25.4 / scale;
    ratioY = dpiy * 1000.0 / 25.4 / scale;
}

void MapViewport::CalcField() {
    const int32_t absLat = std::abs(centerY);
    int32_t w = 648000, h = 648000;
    if (Library::DblToLng(CanvasLengthToMapX(CanvasWidth())) < 648000 &&
        Library::DblToLng(CanvasLengthToMapY(CanvasHeight())) < 324000) {
        projector.SetCenterLon(0);
        projector.SetCenterLat(absLat);
        if (projector.SetUp()) {
            MapPoint m;
            if (CanvasToMap({canvas.mLeft, canvas.mTop}, m)) {
                if (m.lon > 0) m.lon -= 1296000;
                w = -m.lon;
            }
            int32_t dTop = 648000, dBottom = 648000;
            if (CanvasToMap({centerPixX, canvas.mTop}, m)) dTop = m.lat - absLat;
            if (CanvasToMap({canvas.mLeft, canvas.mBottom}, m)) dBottom = absLat - m.lat;
            h = std::max(dTop, dBottom);
            if (h < 1) h = 648000;
            CanvasPoint pole;
            if (MapToCanvas({0, 320400}, pole) && pole.y >= 0) w = h = 648000;
            w = std::min(w + w / 8, 648000);
            h = std::min(h + h / 8, 648000);
        }
    }

    projector.SetCenterLon(centerX);
    projector.SetCenterLat(centerY);
    projector.SetUp();
    int32_t north = 324000, south = -324000;
    projector.RangeNS(north, south);

    field.mLeft = centerX - w;
    field.mRight = centerX + w;
    field.mTop = Library::Clamp(centerY - h, south, 324000);
    field.mBottom = Library::Clamp(centerY + h, -324000, north);

    shifted = false;
    const bool east = field.mRight > 648000, west = field.mLeft < -648000;
    wrap = east != west && !(field.mRight < -648000 || field.mLeft > 648000);
    shift = centerX >= 0 ? -1296000 : 1296000;
}

int32_t MapViewport::ChopSpacing(int32_t mm) const {
    double p = mm * dpix * 10 / 254;
    double r = MapProjection::ScaleMax / scale;
    while (r <= 100) {
        p *= 0.75;
        r *= 2;
    }
    return std::max(300, Library::DblToLng(CanvasLengthToMapY(Library::DblToLng(p + 0.5))));
}

double MapViewport::CanvasLengthToMapX(double pixels) const {
    return pixels / ratioX / MapProjection::GlobeSecLength;
}

double MapViewport::CanvasLengthToMapY(double pixels) const {
    return pixels / ratioY / MapProjection::GlobeSecLength;
}

PlaneXY MapViewport::CanvasToXY(CanvasPoint c) const {
    return {(double(c.x) - centerPixX) / ratioX, (double(centerPixY) - c.y) / ratioY};
}

bool MapViewport::PointMapToXY(MapPoint m, PlaneXY& p) {
    p = {};
    return projector.CnvLLtoXY(m.lon, m.lat, p.x, p.y);
}

bool MapViewport::PointXYToMap(PlaneXY p, MapPoint& m) {
    m = {};
    return projector.CnvXYtoLL(p.x, p.y, m.lon, m.lat);
}

bool MapViewport::MapToCanvas(MapPoint m, CanvasPoint& c) {
    c = {};
    PlaneXY p;
    if (!PointMapToXY(m, p)) return false;
    c = XYToCanvas(p);
    if (!nt && !limit.IsInner(c.x, c.y)) return false;
    return true;
}

bool MapViewport::PointMapToCanvas(MapPoint m, CanvasPoint& c) {
    c = {};
    if (!field.IsInner(m.lon, m.lat)) return false;
    return MapToCanvas(m, c) && IsInCanvas(c);
}

bool MapViewport::CanvasToMap(CanvasPoint c, MapPoint& m) {
    m = {};
    if (!IsInCanvas(c)) return false;
    return PointXYToMap(CanvasToXY(c), m);
}

bool MapViewport::CanvasToMapBound(CanvasPoint c, MapPoint& m) {
    bool ok = CanvasToMap(c, m);
    if (plotMode == 1) {
        ok = ok && Library::InRange(m.lat, -324000, 324000);
        m = AngleLib::NormalizeLL(m);
    }
    return ok;
}

bool MapViewport::ShiftOn() {
    if (!wrap || shifted) return false;
    centerX += shift;
    field.Move(shift, 0);
    projector.SetCenterLon(centerX);
    projector.SetUp();
    shifted = true;
    return true;
}

bool MapViewport::ShiftOff() {
    if (!shifted) return false;
    centerX -= shift;
    field.Move(-shift, 0);
    projector.SetCenterLon(centerX);
    projector.SetUp();
    shifted = false;
    return true;
}

void MapViewport::CenterProjectorOnZero() {
    projector.SetCenterLon(0);
    projector.SetUp();
    field.Move(-centerX, 0);
    wrap = false;
}
