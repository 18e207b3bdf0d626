#include "core/clsLine.h"

#include "core/AngleLib.h"
#include "core/Library.h"
#include "platform/DeviceContext.h"

#include <cmath>

using Library::Abs64;
using Library::Sat;

int32_t clsLine::DeltaX() const { return Sat(int64_t(mEx) - mSx); }
int32_t clsLine::DeltaY() const { return Sat(int64_t(mEy) - mSy); }
int32_t clsLine::Width() const { return Sat(Abs64(int64_t(mEx) - mSx) + 1); }
int32_t clsLine::Height() const { return Sat(Abs64(int64_t(mEy) - mSy) + 1); }

double clsLine::Length() const {
    const double dx = double(int64_t(mEx) - mSx), dy = double(int64_t(mEy) - mSy);
    return std::sqrt(dy * dy + dx * dx);
}

double clsLine::Angle() const {
    return AngleLib::AnglePosToRadian(double(int64_t(mEx) - mSx), double(int64_t(mEy) - mSy));
}

int32_t clsLine::Crossing(double a, double b, double c, double d) {
    if (d == 0) return NoCross;
    return Library::DblToLng((b * c) / d + a);
}

int32_t clsLine::CrossY(int32_t x) const {
    return Crossing(mSy, double(int64_t(mEy) - mSy), double(int64_t(x) - mSx), double(int64_t(mEx) - mSx));
}

int32_t clsLine::CrossX(int32_t y) const {
    return Crossing(mSx, double(int64_t(mEx) - mSx), double(int64_t(y) - mSy), double(int64_t(mEy) - mSy));
}

bool clsLine::Clip(const clsRect& r) {
    // Every round puts one end point on an edge line it was outside of, so
    // four rounds settle any segment; the bound only guards the loop.
    for (int round = 0; round < 16; ++round) {
        const int16_t c1 = r.OutCode(mSx, mSy);
        const int16_t c2 = r.OutCode(mEx, mEy);
        if ((c1 | c2) == 0) return true;
        if ((c1 & c2) != 0) return false;
        const int16_t c = c1 != 0 ? c1 : c2;
        int32_t x, y;
        if (c & 3) {
            x = (c & 1) ? r.mLeft : r.mRight;
            y = CrossY(x);
        } else {
            y = (c & 4) ? r.mTop : r.mBottom;
            x = CrossX(y);
        }
        if (c != c1) mEx = x, mEy = y;
        else mSx = x, mSy = y;
    }
    return false;
}

bool clsLine::Draw(DeviceContext* handle) const
{
    if (!handle)
        return false;
    handle->MoveTo(mSx, mSy);
    return handle->LineTo(mEx, mEy);
}
