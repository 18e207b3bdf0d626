#pragma once
#include "document/clsMapPolyBase.h"

// A polyline in map coordinates; valid with at least 2 points.
class clsMapPolyline : public clsMapPolyBase {
public:
    clsMapPolyline() : clsMapPolyBase(HMap::NewFigID(), 2) {}
    explicit clsMapPolyline(double figID) : clsMapPolyBase(figID, 2) {}

    int32_t FigCode() const override { return 2; }
    std::shared_ptr<clsMapFigure> Copy() const override;
};
