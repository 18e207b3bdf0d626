#pragma once
// The figures no map file holds: the ocean, the graticule and its labels,
// the azimuth lines from the view centre and the frame of the projection's
// area, built as ordinary map figures in seconds of arc and styled by things
// of the base unit found by fixed names. A missing thing leaves its layer
// empty; that is how a user switches a layer off.
#include "core/CoordTypes.h"
#include "core/clsPoly.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

class MapViewport;
class clsGrid;
class clsMapFigure;
class clsMapPolyline;
class clsMapText;
class clsMapUnit;
class clsRect;
class clsVospProjector;

namespace BaseMap {

using FigureList = std::vector<std::shared_ptr<clsMapFigure>>;

// The ocean polygon over the rectangle's latitudes, centred on longitude 0.
std::shared_ptr<clsMapFigure> BaseMapOceanArea(const clsRect& rect, const clsMapUnit* unit);
FigureList BaseMapGridV(const clsGrid& grid, const clsMapUnit* unit);
FigureList BaseMapGridH(const clsGrid& grid, const clsMapUnit* unit);
// The graticule labels along the edges of the view's canvas (around the pole
// when it is in view) at the grid's intervals, styled by the base unit.
FigureList BaseMapGridTexts(MapViewport& view, const clsGrid& grid, const clsMapUnit* unit);
// The angle texts of an azimuth list, one line each; none when the list
// starts with no angle text.
QStringList AzimuthTokens(const QString& list);
FigureList BaseMapAzimuthLine(const QString& list, MapPoint center, double scale, const clsMapUnit* unit);
FigureList BaseMapAzimuthLine(const QString& list, int32_t lon0, int32_t lat0, double scale,
                              const clsMapUnit* unit);
// The frame lines of the projection's latitude band, as `projector` gives it,
// and of the cut opposite the centre unless its two edges meet.
FigureList BaseMapShadowFrame(int16_t index, const clsMapUnit* unit, clsVospProjector& projector);
// Count 0 asks the user; 1..72 gives that many evenly spaced angles.
QString BaseMapAzimuthText(int16_t count, const QString& current);

std::shared_ptr<clsMapText> CreateText(int32_t thing, int32_t code, MapPoint at, const QString& text);
std::shared_ptr<clsMapText> CreateText(int32_t thing, int32_t code, int32_t x, int32_t y, const QString& text);
std::shared_ptr<clsMapPolyline> CreateLine(int32_t thing, MapPoint from, MapPoint to);
std::shared_ptr<clsMapPolyline> CreateLine(int32_t thing, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// The great circle leaving the centre in the azimuth, up to `gap` short of
// the antipode, cut into pieces for drawing; empty when nothing is left.
std::vector<clsPoly> AzimuthPoly(int32_t azimuth, MapPoint center, int32_t gap);
std::vector<clsPoly> AzimuthPoly(int32_t azimuth, int32_t lon0, int32_t lat0, int32_t gap);
// The label of a graticule value in the current angle format.
QString GridAngleText(int32_t angle);

} // namespace BaseMap
