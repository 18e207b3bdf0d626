#pragma once
// Segment between two integer points: deltas, length, crossings and
// Cohen-Sutherland clipping to a rectangle.
#include "core/clsRect.h"

#include <cstdint>

class DeviceContext;

class clsLine {
public:
    int32_t mSx = 0;
    int32_t mSy = 0;
    int32_t mEx = 0;
    int32_t mEy = 0;

    // Marks "no crossing" in CrossX / CrossY.
    static constexpr int32_t NoCross = INT32_MIN;

    int32_t Width() const;
    int32_t Height() const;
    int32_t DeltaX() const;
    int32_t DeltaY() const;
    double Length() const;
    // Direction in radians counter-clockwise from +x, in [-pi, pi).
    double Angle() const;
    // Ordinate of the line through the segment at abscissa x, and the reverse.
    int32_t CrossY(int32_t x) const;
    int32_t CrossX(int32_t y) const;
    bool IsSlant() const { return Width() >= Height(); }
    void SetAll(int32_t sx, int32_t sy, int32_t ex, int32_t ey) { mSx = sx, mSy = sy, mEx = ex, mEy = ey; }
    void GetAll(int32_t& sx, int32_t& sy, int32_t& ex, int32_t& ey) const { sx = mSx, sy = mSy, ex = mEx, ey = mEy; }
    // Moves the end points onto the rectangle; False when nothing of the
    // segment lies inside (the end points may have moved by then).
    bool Clip(const clsRect& oRect);
    // MoveTo the start, LineTo the end (the end pixel is not drawn).
    bool Draw(DeviceContext* handle) const;

    // (b * c) / d + a, saturated to 32 bits; NoCross when d is 0.
    static int32_t Crossing(double a, double b, double c, double d);
};
