#pragma once
// What polylines and polygons share: a point list owned by the figure.
#include "document/clsMapFigure.h"

class clsMapPolyBase : public clsMapFigure {
public:
    void SetModify(bool on) override;
    bool Modify() override;
    // The given list becomes the figure's own (no copy).
    void SetPoly(std::shared_ptr<clsPoly> poly) override;
    // The figure's own list, shared with the caller.
    std::shared_ptr<clsPoly> Poly() override { return poly_; }
    const clsPoly& Points() const { return *poly_; }
    bool IsRight() const override;
    bool IsInner(const clsRect& rect) override;
    void ReadElm(MapBytes& in, int16_t version) override;

protected:
    clsMapPolyBase(double figID, int32_t minPoints);
    void CopyTo(clsMapPolyBase& to) const;

private:
    // Reads the point block: the count (16-bit unsigned, or 32-bit from
    // version 106), then the points, checked against the bytes left first.
    void ReadPoints(MapBytes& in, bool bLong);

    std::shared_ptr<clsPoly> poly_;
    int32_t minPoints_;
};
