#include "document/clsMapPointBase.h"

#include "core/clsPoly.h"
#include "core/clsRect.h"

void clsMapPointBase::Setmx(int32_t v) {
    mx_ = v;
    modify_ = true;
}

void clsMapPointBase::Setmy(int32_t v) {
    my_ = v;
    modify_ = true;
}

void clsMapPointBase::SetPoly(std::shared_ptr<clsPoly> poly) {
    if (!poly) return;
    if (poly->Count() >= 1) {
        mx_ = poly->x(1);
        my_ = poly->y(1);
    }
    modify_ = true;
}

std::shared_ptr<clsPoly> clsMapPointBase::Poly() {
    auto p = std::make_shared<clsPoly>();
    p->AddXY(mx_, my_);
    return p;
}

bool clsMapPointBase::IsInner(const clsRect& rect) { return rect.IsInner(mx_, my_); }

void clsMapPointBase::CopyAnchorTo(clsMapPointBase& to) const {
    to.Setmx(mx_);
    to.Setmy(my_);
    CopyCommonTo(to);
}
