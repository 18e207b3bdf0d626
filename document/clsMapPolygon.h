#pragma once
#include "document/clsMapPolyBase.h"

// A polygon in map coordinates; valid with at least 4 points.
class clsMapPolygon : public clsMapPolyBase {
public:
    clsMapPolygon() : clsMapPolyBase(HMap::NewFigID(), 4) {}
    explicit clsMapPolygon(double figID) : clsMapPolyBase(figID, 4) {}

    int32_t FigCode() const override { return 3; }
    std::shared_ptr<clsMapFigure> Copy() const override;
};
