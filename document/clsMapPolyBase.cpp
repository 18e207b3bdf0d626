#include "document/clsMapPolyBase.h"

#include "core/clsPoly.h"
#include "document/MapBytes.h"

clsMapPolyBase::clsMapPolyBase(double figID, int32_t minPoints)
    : clsMapFigure(figID), poly_(std::make_shared<clsPoly>()), minPoints_(minPoints) {}

void clsMapPolyBase::SetModify(bool on) {
    if (!on) poly_->SetModify(false);
    modify_ = on;
}

bool clsMapPolyBase::Modify() {
    if (!modify_) modify_ = poly_->Modify();
    return modify_;
}

void clsMapPolyBase::SetPoly(std::shared_ptr<clsPoly> poly) {
    poly_ = poly ? std::move(poly) : std::make_shared<clsPoly>();
    modify_ = true;
}

bool clsMapPolyBase::IsRight() const { return CommonIsRight(true) && poly_->Count() >= minPoints_; }

bool clsMapPolyBase::IsInner(const clsRect& rect) { return poly_->IsOverlapArea(rect); }

void clsMapPolyBase::CopyTo(clsMapPolyBase& to) const {
    to.SetPoly(std::make_shared<clsPoly>(poly_->Copy()));
    CopyCommonTo(to);
}

void clsMapPolyBase::ReadPoints(MapBytes& in, bool bLong) {
    const qint64 start = in.Pos();
    const qint64 count = bLong ? in.Int32() : in.UInt16();
    if (count < 0 || count > clsPoly::kMaxCount) throw MapBytes::Short{};
    in.Need(count * 8);
    qsizetype pos = start;
    poly_->Load(in.View(), pos, bLong);
    in.SetPos(pos);
}

void clsMapPolyBase::ReadElm(MapBytes& in, int16_t version) {
    ReadCodesBeforeBody(in, version);
    ReadPoints(in, version == 106);
    ReadAttrAfterBody(in, version);
    modify_ = false;
}
