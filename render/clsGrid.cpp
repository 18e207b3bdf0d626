#include "render/clsGrid.h"

#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/MapProjection.h"
#include "core/clsRegistry.h"
#include "render/RegValues.h"

namespace {

constexpr int32_t kLatLimit = 323970;

[[noreturn]] void Raise(int32_t number, const char* proc) {
    ErrorMng::ReRaise(ErrBase + number, QStringLiteral("clsGrid"), QString::fromLatin1(proc));
}

} // namespace

int32_t clsGrid::PlaneExtent() { return MapProjection::GlobeCircumLong; }

clsGrid::clsGrid() {
    SetUnitMode(1);
    axialTilt_ = RegValues::EnvInt("AxialTilt", 84360, -324000, 324000);
}

void clsGrid::SetUnitMode(int32_t mode) {
    if (mode != 1 && mode != 2) return;
    unitMode_ = mode;
    if (mode == 1) {
        width_ = height_ = 54000;
        northLimit_ = 270000;
        southLimit_ = -270000;
        area_.SetAll(-648000, -324000, 648000, 324000);
    } else {
        const int32_t c = PlaneExtent();
        width_ = height_ = c / 20;
        northLimit_ = c;
        southLimit_ = -c;
        area_.SetAll(-c, -c, c, c);
    }
}

QString clsGrid::RegistrySection() const {
    if (!name_.isEmpty()) return name_;
    if (unitMode_ == 1) return QStringLiteral("LLGRID");
    if (unitMode_ == 2) return QStringLiteral("XYGRID");
    return {};
}

void clsGrid::SetArea(const clsRect& r) {
    SetWest(r.mLeft);
    SetEast(r.mRight);
    SetSouth(r.mTop);
    SetNorth(r.mBottom);
}

std::unique_ptr<clsGrid> clsGrid::Copy() const {
    auto g = std::make_unique<clsGrid>();
    g->SetUnitMode(unitMode_);
    g->SetName(name_);
    g->bVertical = bVertical;
    g->bHorizontal = bHorizontal;
    g->bZone = bZone;
    g->SetWidth(width_);
    g->SetHeight(height_);
    g->SetNorthLimit(northLimit_);
    g->SetSouthLimit(southLimit_);
    g->SetArea(area_);
    return g;
}

int32_t clsGrid::VLineNorth() const { return Library::Clamp(area_.mBottom, southLimit_, northLimit_); }
int32_t clsGrid::VLineSouth() const { return Library::Clamp(area_.mTop, southLimit_, northLimit_); }

int32_t clsGrid::NormalizeX(int32_t x) const {
    if (unitMode_ == 1) {
        int64_t v = x;
        if (v > 648000) v -= ((v + 647999) / 1296000) * 1296000;
        else if (v < -648000) v += ((647999 - v) / 1296000) * 1296000;
        return static_cast<int32_t>(v);
    }
    if (unitMode_ == 2) {
        const int32_t c = PlaneExtent();
        return Library::Clamp(x, -c, c);
    }
    return 0;
}

int32_t clsGrid::LimitY(int32_t y) const {
    if (unitMode_ == 1) return Library::Clamp(y, -kLatLimit, kLatLimit);
    if (unitMode_ == 2) {
        const int32_t c = PlaneExtent();
        return Library::Clamp(y, -c, c);
    }
    return 0;
}

int32_t clsGrid::LimitPitch(int32_t d) const {
    if (unitMode_ == 1) return Library::Clamp(d, 60, 324000);
    if (unitMode_ == 2) {
        const int32_t c = PlaneExtent();
        return Library::Clamp(d, c / 40000, c / 4);
    }
    return 0;
}

std::vector<int32_t> clsGrid::ColVlineX() const {
    std::vector<int32_t> out;
    try {
        if (!bVertical || width_ <= 0) return out;
        const int64_t w = area_.mLeft;
        int64_t e = area_.mRight;
        if (e <= w) e += 1296000;
        const int64_t first = (w / width_) * width_;
        const int64_t last = (e / width_) * width_;
        for (int64_t x = first; x <= last; x += width_) out.push_back(NormalizeX(static_cast<int32_t>(x)));
    } catch (...) {
        Raise(1001, "ColVlineX");
    }
    return out;
}

std::vector<int32_t> clsGrid::ColHlineY() const {
    std::vector<int32_t> out;
    try {
        if (!bHorizontal || height_ <= 0) return out;
        const int64_t first = (int64_t(VLineSouth()) / height_) * height_;
        const int64_t last = (int64_t(VLineNorth()) / height_) * height_;
        for (int64_t y = first; y <= last; y += height_) out.push_back(static_cast<int32_t>(y));
    } catch (...) {
        Raise(1001, "ColHlineY");
    }
    return out;
}

std::vector<int32_t> clsGrid::ColZoneLineY() const {
    std::vector<int32_t> out;
    if (!bZone || unitMode_ != 1) return out;
    const int32_t s = VLineSouth(), n = VLineNorth();
    for (const int32_t y : {axialTilt_ - 324000, -axialTilt_, axialTilt_, 324000 - axialTilt_})
        if (s <= y && y <= n) out.push_back(y);
    return out;
}

void clsGrid::ReadRegistry() {
    try {
        clsRegistry reg;
        reg.mSection = RegistrySection();
        if (!name_.isEmpty()) SetUnitMode(RegValues::GetLong(reg, QStringLiteral("UnitMode"), unitMode_));
        const bool mode1 = unitMode_ == 1;
        const int32_t c = PlaneExtent();
        const bool sw = mode1;
        const int32_t limit = mode1 ? 270000 : c;
        const int32_t pitch = mode1 ? 54000 : c / 20;
        bVertical = RegValues::GetBool(reg, QStringLiteral("Vertical"), sw);
        bHorizontal = RegValues::GetBool(reg, QStringLiteral("Horizontal"), sw);
        bZone = RegValues::GetBool(reg, QStringLiteral("Zone"), sw);
        SetNorthLimit(RegValues::GetLong(reg, QStringLiteral("NorthLimit"), limit));
        SetSouthLimit(RegValues::GetLong(reg, QStringLiteral("SouthLimit"), -limit));
        SetWidth(RegValues::GetLong(reg, QStringLiteral("Width"), pitch));
        SetHeight(RegValues::GetLong(reg, QStringLiteral("Height"), pitch));
    } catch (...) {
        Raise(1005, "ReadRegistry");
    }
}

void clsGrid::WriteRegistry() const {
    try {
        clsRegistry reg;
        reg.mSection = RegistrySection();
        reg.RegPut(QStringLiteral("UnitMode"), unitMode_);
        reg.RegPut(QStringLiteral("Vertical"), bVertical);
        reg.RegPut(QStringLiteral("Horizontal"), bHorizontal);
        reg.RegPut(QStringLiteral("Zone"), bZone);
        reg.RegPut(QStringLiteral("NorthLimit"), northLimit_);
        reg.RegPut(QStringLiteral("SouthLimit"), southLimit_);
        reg.RegPut(QStringLiteral("Width"), width_);
        reg.RegPut(QStringLiteral("Height"), height_);
    } catch (...) {
        Raise(1005, "WriteRegistry");
    }
}
