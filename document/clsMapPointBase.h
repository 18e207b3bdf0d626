#pragma once
// What symbols and texts share: one anchor point.
#include "document/clsMapFigure.h"

class clsMapPointBase : public clsMapFigure {
public:
    void Setmx(int32_t v);
    int32_t mx() const { return mx_; }
    void Setmy(int32_t v);
    int32_t my() const { return my_; }

    // Point 1 of a non-empty list becomes the anchor.
    void SetPoly(std::shared_ptr<clsPoly> poly) override;
    // A new list holding the anchor.
    std::shared_ptr<clsPoly> Poly() override;
    // The anchor lies in the rectangle, edges included.
    bool IsInner(const clsRect& rect) override;

protected:
    explicit clsMapPointBase(double figID) : clsMapFigure(figID) {}
    void CopyAnchorTo(clsMapPointBase& to) const;

    int32_t mx_ = 0;
    int32_t my_ = 0;
};
