#pragma once
// Axis-parallel integer rectangle with inclusive bounds; x grows to the
// right, y downwards. Empty when left > right or top > bottom.
#include <cstdint>

class DeviceContext;

class clsRect {
public:
    int32_t mLeft = 0;
    int32_t mTop = 0;
    int32_t mRight = -1;
    int32_t mBottom = -1;

    clsRect() = default;
    clsRect(int32_t left, int32_t top, int32_t right, int32_t bottom) { SetAll(left, top, right, bottom); }

    int32_t CenterX() const;
    int32_t CenterY() const;
    int32_t Width() const;
    void SetWidth(int32_t w);
    int32_t Height() const;
    void SetHeight(int32_t h);
    bool IsEmpty() const { return mLeft > mRight || mTop > mBottom; }
    bool IsInner(int32_t px, int32_t py) const {
        return mLeft <= px && px <= mRight && mTop <= py && py <= mBottom;
    }
    // 1 left of, 2 right of, 4 above, 8 below; 0 inside or on an edge.
    int16_t OutCode(int32_t px, int32_t py) const;
    void Clear();
    void SetAll(int32_t left, int32_t top, int32_t right, int32_t bottom);
    clsRect Copy() const;
    // Reversed bounds are kept: they simply make the rectangle empty.
    void Formalize() {}
    void Move(int32_t dx, int32_t dy);
    void Extention(int32_t d);
    void OpeOr(const clsRect& oRect);
    void OpeAnd(const clsRect& oRect);
    // Rectangle(l, t, r + 2, b + 2) with the caller's pen and brush; False
    // when empty.
    bool Draw(DeviceContext* handle) const;

    bool operator==(const clsRect&) const = default;
};
