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
            int32_t lon = 0, lat = 0;
            if (CanvasToMap(canvas.mLeft, canvas.mTop, lon, lat)) {
                if (lon > 0) lon -= 1296000;
                w = -lon;
            }
            int32_t dTop = 648000, dBottom = 648000;
            if (CanvasToMap(centerPixX, canvas.mTop, lon, lat)) dTop = lat - absLat;
            if (CanvasToMap(canvas.mLeft, canvas.mBottom, lon, lat)) dBottom = absLat - lat;
            h = std::max(dTop, dBottom);
            if (h < 1) h = 648000;
            int32_t px = 0, py = 0;
            if (MapToCanvas(0, 320400, px, py) && py >= 0) w = h = 648000;
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

double MapViewport::CanvasLengthToMapX(double pixels) const {
    return pixels / ratioX / MapProjection::GlobeSecLength;
}

double MapViewport::CanvasLengthToMapY(double pixels) const {
    return pixels / ratioY / MapProjection::GlobeSecLength;
}

void MapViewport::CanvasToXY(int32_t cx, int32_t cy, double& x, double& y) const {
    x = (double(cx) - centerPixX) / ratioX;
    y = (double(centerPixY) - cy) / ratioY;
}

void MapViewport::XYToCanvas(double x, double y, int32_t& cx, int32_t& cy) const {
    cx = Sat(int64_t(Library::DblToLng(x * ratioX)) + centerPixX);
    cy = Sat(int64_t(centerPixY) - Library::DblToLng(y * ratioY));
}

bool MapViewport::PointMapToXY(int32_t x, int32_t y, double& px, double& py) {
    px = 0;
    py = 0;
    return projector.CnvLLtoXY(x, y, px, py);
}

bool MapViewport::PointXYToMap(double px, double py, int32_t& x, int32_t& y) {
    x = 0;
    y = 0;
    return projector.CnvXYtoLL(px, py, x, y);
}

bool MapViewport::MapToCanvas(int32_t x, int32_t y, int32_t& cx, int32_t& cy) {
    cx = 0;
    cy = 0;
    double px = 0, py = 0;
    if (!PointMapToXY(x, y, px, py)) return false;
    XYToCanvas(px, py, cx, cy);
    if (!nt && !limit.IsInner(cx, cy)) return false;
    return true;
}

bool MapViewport::PointMapToCanvas(int32_t x, int32_t y, int32_t& cx, int32_t& cy) {
    cx = 0;
    cy = 0;
    if (!field.IsInner(x, y)) return false;
    return MapToCanvas(x, y, cx, cy) && IsInCanvas(cx, cy);
}

bool MapViewport::CanvasToMap(int32_t cx, int32_t cy, int32_t& x, int32_t& y) {
    x = 0;
    y = 0;
    if (!IsInCanvas(cx, cy)) return false;
    double px = 0, py = 0;
    CanvasToXY(cx, cy, px, py);
    return PointXYToMap(px, py, x, y);
}

bool MapViewport::CanvasToMapBound(int32_t cx, int32_t cy, int32_t& x, int32_t& y) {
    bool ok = CanvasToMap(cx, cy, x, y);
    if (plotMode == 1) {
        ok = ok && Library::InRange(y, -324000, 324000);
        AngleLib::NormalizeLL(x, y);
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
