#pragma once
// Single points between map and canvas through the main plot engine, with
// the wrap-around retry in the longitude-shifted view.
#include "core/CoordTypes.h"

#include <cstdint>

class clsMapPlot;

namespace HMap {

// Each works on `plot`, or on the main plot engine when it is null; without
// an engine the answer is False with zero outputs.
bool CanvasToMapPoint(CanvasPoint c, MapPoint& m, clsMapPlot* plot = nullptr);
bool MapToCanvasPoint(MapPoint m, CanvasPoint& c, clsMapPlot* plot = nullptr);
// The pixel of the point nearer the picture's centre when the point is in
// view twice (a tie keeps the unshifted one).
bool MapToCanvasNearest(MapPoint m, CanvasPoint& c, clsMapPlot* plot = nullptr);
bool CanvasToMapPoint(int32_t px, int32_t py, int32_t& x, int32_t& y, clsMapPlot* plot = nullptr);
bool MapToCanvasPoint(int32_t x, int32_t y, int32_t& px, int32_t& py, clsMapPlot* plot = nullptr);
bool MapToCanvasNearest(int32_t x, int32_t y, int32_t& px, int32_t& py, clsMapPlot* plot = nullptr);

} // namespace HMap
