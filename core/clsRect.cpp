#include "core/clsRect.h"

#include "core/Library.h"
#include "platform/DeviceContext.h"

#include <cstdint>

namespace {

// Callers keep coordinates in range; should they not, the result saturates
// instead of wrapping.
using Library::Sat;

} // namespace

int32_t clsRect::CenterX() const { return static_cast<int32_t>((int64_t(mLeft) + mRight) / 2); }
int32_t clsRect::CenterY() const { return static_cast<int32_t>((int64_t(mTop) + mBottom) / 2); }

int32_t clsRect::Width() const { return Sat(int64_t(mRight) - mLeft + 1); }
void clsRect::SetWidth(int32_t w) { mRight = Sat(int64_t(mLeft) + w - 1); }
int32_t clsRect::Height() const { return Sat(int64_t(mBottom) - mTop + 1); }
void clsRect::SetHeight(int32_t h) { mBottom = Sat(int64_t(mTop) + h - 1); }

int16_t clsRect::OutCode(int32_t px, int32_t py) const {
    int16_t c = 0;
    if (px < mLeft) c = 1;
    else if (px > mRight) c = 2;
    if (py < mTop) c |= 4;
    else if (py > mBottom) c |= 8;
    return c;
}

void clsRect::Clear() { mLeft = 0, mTop = 0, mRight = -1, mBottom = -1; }

void clsRect::SetAll(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    mLeft = left, mTop = top, mRight = right, mBottom = bottom;
    Formalize();
}

clsRect clsRect::Copy() const { return clsRect(mLeft, mTop, mRight, mBottom); }

void clsRect::Move(int32_t dx, int32_t dy) {
    mLeft = Sat(int64_t(mLeft) + dx);
    mRight = Sat(int64_t(mRight) + dx);
    mTop = Sat(int64_t(mTop) + dy);
    mBottom = Sat(int64_t(mBottom) + dy);
}

void clsRect::Extention(int32_t d) {
    mLeft = Sat(int64_t(mLeft) - d);
    mTop = Sat(int64_t(mTop) - d);
    mRight = Sat(int64_t(mRight) + d);
    mBottom = Sat(int64_t(mBottom) + d);
}

void clsRect::OpeOr(const clsRect& o) {
    if (IsEmpty() || o.IsEmpty()) return;
    if (o.mLeft < mLeft) mLeft = o.mLeft;
    if (o.mTop < mTop) mTop = o.mTop;
    if (o.mRight > mRight) mRight = o.mRight;
    if (o.mBottom > mBottom) mBottom = o.mBottom;
}

void clsRect::OpeAnd(const clsRect& o) {
    if (IsEmpty() || o.IsEmpty()) return;
    if (o.mLeft > mLeft) mLeft = o.mLeft;
    if (o.mTop > mTop) mTop = o.mTop;
    if (o.mRight < mRight) mRight = o.mRight;
    if (o.mBottom < mBottom) mBottom = o.mBottom;
    if (IsEmpty()) Clear();
}

bool clsRect::Draw(DeviceContext* handle) const
{
    if (IsEmpty() || !handle)
        return false;
    // GDI's Rectangle leaves out the right and bottom edges, hence + 2.
    auto past = [](int32_t v) { return v > INT32_MAX - 2 ? INT32_MAX : v + 2; };
    return handle->Rectangle(mLeft, mTop, past(mRight), past(mBottom));
}
