#pragma once
// One map view as a value: the projector, centre, scale, viewing distance,
// resolution and canvas, the field of the globe that can reach the canvas,
// the conversions between map seconds, plane metres and canvas pixels, and
// the date-line shift. Cheap to copy, so that a drawing or a preview can
// work on a view of its own. The plot engine is its front; the names follow
// the engine's properties.
#include "core/CoordTypes.h"
#include "core/Library.h"
#include "core/clsRect.h"
#include "core/clsVospProjector.h"

#include <cstdint>

class MapViewport {
public:
    clsVospProjector projector;
    clsRect canvas{0, 0, 799, 599};
    int32_t centerPixX = 400;
    int32_t centerPixY = 300;
    int32_t plotMode = 1; // 1 longitude/latitude, 2 plane
    int16_t prjIndex = 12;
    int32_t centerX = 0; // seconds of arc
    int32_t centerY = 0;
    double scale = 0;
    double light = 2.0;
    int32_t dpix = 96;
    int32_t dpiy = 96;
    clsRect field{-648000, -324000, 648000, 324000};
    // Canvas coordinates a point may take where the drawing layer is 16-bit.
    clsRect limit{-32700, -32700, 32700, 32700};
    bool nt = true;
    bool wrap = false;
    int32_t shift = -1296000;
    bool shifted = false;
    double ratioX = 1.0; // canvas pixels per plane metre
    double ratioY = 1.0;

    int32_t CanvasWidth() const;
    int32_t CanvasHeight() const;
    void CalcCanvasCenter();
    bool IsInCanvas(CanvasPoint c) const { return canvas.IsInner(c.x, c.y); }

    // Pixels per plane metre from the resolution and the scale.
    void CalcRatios();
    // The field around the centre for the projection set up, and the
    // wrap-around state that follows from it.
    void CalcField();

    // The spacing in seconds of arc of the points put into a line before it
    // is projected: `mm` millimetres of the canvas, shortened by a quarter
    // for each halving of the scale below a hundredth of the largest, and
    // never below 300 seconds.
    int32_t ChopSpacing(int32_t mm) const;
    double CanvasLengthToMapX(double pixels) const;
    double CanvasLengthToMapY(double pixels) const;
    PlaneXY CanvasToXY(CanvasPoint c) const;
    CanvasPoint XYToCanvas(PlaneXY p) const {
        return {Library::Sat(int64_t(Library::DblToLng(p.x * ratioX)) + centerPixX),
                Library::Sat(int64_t(centerPixY) - Library::DblToLng(p.y * ratioY))};
    }
    // Every output is set, to 0 when the conversion fails early.
    bool PointMapToXY(MapPoint m, PlaneXY& p);
    bool PointXYToMap(PlaneXY p, MapPoint& m);
    bool MapToCanvas(MapPoint m, CanvasPoint& c);
    bool PointMapToCanvas(MapPoint m, CanvasPoint& c);
    bool CanvasToMap(CanvasPoint c, MapPoint& m);
    bool CanvasToMapBound(CanvasPoint c, MapPoint& m);

    // The wrap-around shift of the centre by a turn, and back.
    bool ShiftOn();
    bool ShiftOff();
    // The projector centred on longitude 0 with the field moved to match
    // (the base-map layers are prepared around 0).
    void CenterProjectorOnZero();
};
