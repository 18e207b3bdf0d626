#pragma once
// Measurement on the sphere between two points in seconds of arc: the
// great-circle arc, the initial bearing, the destination for a given arc
// or bearing, the route as a point list, and the length and area of point
// lists. The sphere's size comes from the sphere settings (InitGlobe).
#include "core/CoordTypes.h"
#include "core/clsPoly.h"

#include <cstdint>

class clsSurvey {
public:
    int32_t mStartLon = 0;
    int32_t mStartLat = 0;
    int32_t mEndLon = 0;
    int32_t mEndLat = 0;

    // Great-circle arc between the points, radians 0..pi.
    double ArcRadian() const;
    // Moves the end point to the arc rad along the current bearing; ignored
    // outside 0..pi.
    void SetArcRadian(double rad);
    double ArcDistance() const;
    // Initial bearing, clockwise from north, 0 <= v < 2 pi.
    double DirectionRadian() const;
    // Moves the end point to the current arc along bearing rad.
    void SetDirectionRadian(double rad);
    void SetAll(MapPoint start, MapPoint end) {
        mStartLon = start.lon, mStartLat = start.lat, mEndLon = end.lon, mEndLat = end.lat;
    }
    void SetAll(int32_t lon1, int32_t lat1, int32_t lon2, int32_t lat2) { SetAll({lon1, lat1}, {lon2, lat2}); }
    // Start, points every step (15..324000 seconds) along the great circle,
    // end.
    clsPoly RoutePoly(int32_t step) const;
    // Metres along the list; the fields keep its last pair.
    double PolyLength(const clsPoly& oPoly);
    // Square metres enclosed by the list taken as a ring; the fields keep
    // the last pair looked at.
    double PolyArea(const clsPoly& oPoly);

private:
    // The point at arc d along bearing dir from the start.
    MapPoint PointAlong(double dir, double colatFromStart) const;
};
