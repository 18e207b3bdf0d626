#pragma once
#include "render/clsFigure.h"

// What symbols and texts share: one anchor pixel.
class clsFigPoint : public clsFigure {
public:
    int32_t mx = 0;
    int32_t my = 0;

    // A new one-point list of the anchor.
    std::shared_ptr<clsPoly> Poly() override;
    // Point 1 of a non-empty list becomes the anchor; otherwise no change.
    void SetPoly(std::shared_ptr<clsPoly> poly) override;
};
