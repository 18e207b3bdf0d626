#pragma once
// The graticule settings: which line families are shown, their intervals,
// the latitude limits, the area over which lines are laid and the axial tilt
// for the zone lines, and the line positions that follow from them.
// Mode 1 values are seconds of arc, mode 2 values plane units.
#include "core/clsRect.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class clsGrid {
public:
    clsGrid();

    bool bVertical = false;
    bool bHorizontal = false;
    bool bZone = false;

    int32_t UnitMode() const { return unitMode_; }
    // 1 or 2 sets the mode and resets its defaults; other values are ignored.
    void SetUnitMode(int32_t mode);
    const QString& Name() const { return name_; }
    void SetName(const QString& name) { name_ = name; }
    QString RegistrySection() const;

    int32_t Width() const { return width_; }
    void SetWidth(int32_t v) { width_ = LimitPitch(v); }
    int32_t Height() const { return height_; }
    void SetHeight(int32_t v) { height_ = LimitPitch(v); }
    int32_t NorthLimit() const { return northLimit_; }
    void SetNorthLimit(int32_t v) { northLimit_ = LimitY(v); }
    int32_t SouthLimit() const { return southLimit_; }
    void SetSouthLimit(int32_t v) { southLimit_ = LimitY(v); }

    int32_t West() const { return area_.mLeft; }
    void SetWest(int32_t v) { area_.mLeft = NormalizeX(v); }
    int32_t East() const { return area_.mRight; }
    void SetEast(int32_t v) { area_.mRight = NormalizeX(v); }
    int32_t South() const { return area_.mTop; }
    void SetSouth(int32_t v) { area_.mTop = LimitY(v); }
    int32_t North() const { return area_.mBottom; }
    void SetNorth(int32_t v) { area_.mBottom = LimitY(v); }
    clsRect Area() const { return area_.Copy(); }
    void SetArea(const clsRect& r);

    int32_t AxialTilt() const { return axialTilt_; }

    // A new grid with the same settings (the tilt is read anew).
    std::unique_ptr<clsGrid> Copy() const;

    // The ends of the vertical lines: the area's edges within the limits.
    int32_t VLineNorth() const;
    int32_t VLineSouth() const;

    std::vector<int32_t> ColVlineX() const;
    std::vector<int32_t> ColHlineY() const;
    std::vector<int32_t> ColZoneLineY() const;

    void ReadRegistry();
    void WriteRegistry() const;

    // The plane extent of mode 2: the globe's circumference in metres.
    static int32_t PlaneExtent();

private:
    int32_t NormalizeX(int32_t x) const;
    int32_t LimitY(int32_t y) const;
    int32_t LimitPitch(int32_t d) const;

    int32_t unitMode_ = 0;
    QString name_;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t northLimit_ = 0;
    int32_t southLimit_ = 0;
    clsRect area_{0, 0, 0, 0};
    int32_t axialTilt_ = 84360;
};
