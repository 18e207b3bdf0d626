#include "render/clsFigPoint.h"

std::shared_ptr<clsPoly> clsFigPoint::Poly() {
    auto p = std::make_shared<clsPoly>();
    p->AddXY(mx, my);
    return p;
}

void clsFigPoint::SetPoly(std::shared_ptr<clsPoly> poly) {
    if (!poly || poly->Count() < 1) return;
    poly->GetXandY(1, mx, my);
}
