#pragma once
// One map figure together with the area and the thing its codes name. The
// cell only refers to them: the figure belongs to its map, the area and the
// thing to their lists.
#include <cstdint>

class clsMapFigure;
class clsAdmin;
class clsThing;

class clsMapCell {
public:
    clsMapFigure* mMapFig = nullptr;
    clsAdmin* mAdmin = nullptr;
    clsThing* mThing = nullptr;

    // Figure, area and thing all present, and the figure complete.
    bool IsValid() const;
    // The figure's own colour, else the thing's fore colour on the area's
    // page; -1 when neither is there.
    int32_t RealColor() const;
};
