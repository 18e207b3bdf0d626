#pragma once
// Small coordinate types for the internal interfaces, so that a map point, a
// plane point and a canvas pixel cannot be passed for one another, nor their
// two numbers swapped for a pair of another kind. The properties and
// methods the program's model names keep their plain signatures on top.
#include <cstdint>

// A position on the globe in seconds of arc.
struct MapPoint {
    int32_t lon = 0;
    int32_t lat = 0;
    bool operator==(const MapPoint&) const = default;
};

// A point of the projection plane in metres.
struct PlaneXY {
    double x = 0;
    double y = 0;
};

// A pixel of the canvas.
struct CanvasPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const CanvasPoint&) const = default;
};
