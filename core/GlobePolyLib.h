#pragma once
// Makes longitude/latitude point lists (seconds of arc) safe for a plane
// view centred on a meridian: long edges near the poles follow their great
// circle, pole points are dropped or clamped, longitudes run on across the
// date line, rings about a pole are closed over it, and the result is cut
// at centre +-180 degrees and shifted into the view's longitude window.
#include "core/CoordTypes.h"
#include "core/clsPoly.h"

#include <cstdint>
#include <vector>

namespace GlobePolyLib {

// The pieces ready for projection. With chop, poly is replaced by its
// densified form (as GlobePolyChopPole does); without it, poly itself goes
// through GlobePolyRollOver. The pieces are lists of their own; each lies
// within centre +-648000 (a list winding about the globe more than once is
// cut at every seam it reaches and each piece moved by whole turns).
std::vector<clsPoly> GlobePolyRound(clsPoly& poly, int32_t centerLon, bool chop, bool closePole);

// Densifies edges that pass near a pole (step limited to 30..10800) and
// replaces poly with the densified list; returns it split where it passes
// beyond latitude +-323970 (cutAtPoles) or, without cutAtPoles, as one piece
// clamped to that latitude. Pieces hold at least 2 points.
std::vector<clsPoly> GlobePolyChopPole(clsPoly& poly, int32_t step, bool cutAtPoles);

// In place: longitudes made continuous, a ring about a pole closed over the
// pole (closePole), the list moved by a turn into centre +-1296000. True
// when any point changed.
bool GlobePolyRollOver(clsPoly& poly, int32_t centerLon, bool closePole);

// In place: moves the list by a turn when its first point outside centre
// +-648000 lies outside; True when moved.
bool GlobePolyRollBound(clsPoly& poly, int32_t centerLon);

// True when a longitude of the list lies more than one turn beyond
// +-648000: no sound figure does, and drawing one would cut it at every
// seam it spans.
bool StraysBeyondOneTurn(const clsPoly& poly);

// Smallest distance in seconds of arc from a pole to the great-circle arc
// from point 1 to point 2.
int32_t DistanceGreatArcToPole(MapPoint p1, MapPoint p2);
int32_t DistanceGreatArcToPole(int32_t lon1, int32_t lat1, int32_t lon2, int32_t lat2);

} // namespace GlobePolyLib
