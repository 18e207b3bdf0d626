#include "core/clsLine.h"
#include "core/clsRect.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

void ExpectRect(const clsRect& r, int32_t l, int32_t t, int32_t rt, int32_t b) {
    EXPECT_EQ(r.mLeft, l);
    EXPECT_EQ(r.mTop, t);
    EXPECT_EQ(r.mRight, rt);
    EXPECT_EQ(r.mBottom, b);
}

void ExpectLine(const clsLine& s, int32_t sx, int32_t sy, int32_t ex, int32_t ey) {
    EXPECT_EQ(s.mSx, sx);
    EXPECT_EQ(s.mSy, sy);
    EXPECT_EQ(s.mEx, ex);
    EXPECT_EQ(s.mEy, ey);
}

} // namespace

TEST(Rect, NewAndClearedRectanglesAreEmptyWithNoSize) {
    clsRect r;
    ExpectRect(r, 0, 0, -1, -1);
    EXPECT_TRUE(r.IsEmpty());
    EXPECT_EQ(r.Width(), 0);
    EXPECT_EQ(r.Height(), 0);
    r.SetAll(1, 2, 3, 4);
    EXPECT_FALSE(r.IsEmpty());
    EXPECT_EQ(r.Width(), 3);
    EXPECT_EQ(r.Height(), 3);
    r.Clear();
    ExpectRect(r, 0, 0, -1, -1);
}

TEST(Rect, ReversedBoundsAreKeptAndMakeItEmpty) {
    clsRect r;
    r.SetAll(10, 10, 5, 20);
    ExpectRect(r, 10, 10, 5, 20);
    EXPECT_TRUE(r.IsEmpty());
    r.SetAll(0, 30, 5, 20);
    EXPECT_TRUE(r.IsEmpty());
    ExpectRect(r.Copy(), 0, 30, 5, 20);
}

TEST(Rect, WidthAndHeightSettersMoveRightAndBottom) {
    clsRect r(3, 0, 50, 60);
    r.SetWidth(1);
    EXPECT_EQ(r.mRight, 3);
    r.SetHeight(10);
    EXPECT_EQ(r.mBottom, 9);
    r.SetWidth(0);
    EXPECT_TRUE(r.IsEmpty());
}

TEST(Rect, CentreTruncatesTowardZero) {
    EXPECT_EQ(clsRect(-3, 0, 0, 0).CenterX(), -1);
    EXPECT_EQ(clsRect(0, -5, 0, 0).CenterY(), -2);
    EXPECT_EQ(clsRect(1, 1, 4, 4).CenterX(), 2);
    // No overflow in the sum of two large bounds.
    EXPECT_EQ(clsRect(2147483000, 0, 2147483646, 0).CenterX(), 2147483323);
}

TEST(Rect, OutCodesAndInnerTestIncludeTheEdges) {
    const clsRect r(0, 0, 9, 9);
    EXPECT_EQ(r.OutCode(-1, -1), 5);
    EXPECT_EQ(r.OutCode(10, 10), 10);
    EXPECT_EQ(r.OutCode(-1, 10), 9);
    EXPECT_EQ(r.OutCode(10, -1), 6);
    EXPECT_EQ(r.OutCode(0, 9), 0);
    EXPECT_EQ(r.OutCode(9, 0), 0);
    EXPECT_EQ(r.OutCode(5, 10), 8);
    EXPECT_TRUE(r.IsInner(0, 0));
    EXPECT_TRUE(r.IsInner(9, 9));
    EXPECT_FALSE(r.IsInner(10, 9));
    EXPECT_FALSE(r.IsInner(9, -1));
}

TEST(Rect, MoveAndExtention) {
    clsRect r(0, 0, 9, 4);
    r.Move(5, -2);
    ExpectRect(r, 5, -2, 14, 2);
    r.Extention(3);
    ExpectRect(r, 2, -5, 17, 5);
    clsRect w(0, 0, 9, 100);
    w.Extention(-5);
    EXPECT_TRUE(w.IsEmpty());
    ExpectRect(w, 5, 5, 4, 95);
}

TEST(Rect, UnionAndIntersection) {
    clsRect a(0, 0, 9, 9);
    a.OpeOr(clsRect(5, -3, 20, 4));
    ExpectRect(a, 0, -3, 20, 9);

    clsRect b(0, 0, 9, 9);
    b.OpeAnd(clsRect(5, -3, 20, 4));
    ExpectRect(b, 5, 0, 9, 4);

    clsRect c(0, 0, 9, 9);
    c.OpeAnd(clsRect(20, 20, 30, 30));
    ExpectRect(c, 0, 0, -1, -1);

    // Touching at one column still overlaps (inclusive bounds).
    clsRect d(0, 0, 9, 9);
    d.OpeAnd(clsRect(9, 9, 30, 30));
    ExpectRect(d, 9, 9, 9, 9);

    clsRect e(0, 0, 9, 9);
    clsRect empty;
    e.OpeOr(empty);
    ExpectRect(e, 0, 0, 9, 9);
    e.OpeAnd(empty);
    ExpectRect(e, 0, 0, 9, 9);
    empty.OpeOr(e);
    ExpectRect(empty, 0, 0, -1, -1);
    clsRect reversed(10, 10, 5, 20);
    reversed.OpeAnd(e);
    ExpectRect(reversed, 10, 10, 5, 20);
}

TEST(Line, DeltasSizeAndLength) {
    clsLine s;
    ExpectLine(s, 0, 0, 0, 0);
    s.SetAll(0, 0, 3, 4);
    EXPECT_EQ(s.DeltaX(), 3);
    EXPECT_EQ(s.DeltaY(), 4);
    EXPECT_DOUBLE_EQ(s.Length(), 5.0);
    EXPECT_NEAR(s.Angle(), std::atan2(4.0, 3.0), 1e-13);
    s.SetAll(2, 2, 1, 2);
    EXPECT_EQ(s.Angle(), -3.14159265358979);
    s.SetAll(2, 2, 2, -5);
    EXPECT_DOUBLE_EQ(s.Angle(), -1.5707963267949);
    s.SetAll(0, 0, -1, -1);
    EXPECT_NEAR(s.Angle(), -3 * std::atan(1.0), 1e-14);
    s.SetAll(7, 2, 1, 10);
    EXPECT_EQ(s.DeltaX(), -6);
    EXPECT_EQ(s.Width(), 7);
    EXPECT_EQ(s.Height(), 9);
    EXPECT_FALSE(s.IsSlant());
    s.SetAll(0, 0, 5, -5);
    EXPECT_TRUE(s.IsSlant());
    int32_t a, b, c, d;
    s.GetAll(a, b, c, d);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 0);
    EXPECT_EQ(c, 5);
    EXPECT_EQ(d, -5);
}

TEST(Line, CrossingsRoundHalvesToEvenAndMarkParallels) {
    clsLine s;
    s.SetAll(0, 0, 10, 5);
    EXPECT_EQ(s.CrossY(4), 2);
    EXPECT_EQ(s.CrossX(3), 6);
    // (0,0)-(2,1): y = x / 2 meets exact halves.
    s.SetAll(0, 0, 2, 1);
    EXPECT_EQ(s.CrossY(1), 0);   // 0.5
    EXPECT_EQ(s.CrossY(3), 2);   // 1.5
    EXPECT_EQ(s.CrossY(5), 2);   // 2.5
    EXPECT_EQ(s.CrossY(-1), 0);  // -0.5
    EXPECT_EQ(s.CrossY(-3), -2); // -1.5
    EXPECT_EQ(s.CrossX(0), 0);
    s.SetAll(4, 0, 4, 9);
    EXPECT_EQ(s.CrossY(4), -2147483647 - 1);
    EXPECT_EQ(s.CrossX(3), 4);
    s.SetAll(0, 7, 9, 7);
    EXPECT_EQ(s.CrossX(7), -2147483647 - 1);
    // Far beyond the range the crossing saturates instead of wrapping.
    s.SetAll(0, 0, 1, 2000000000);
    EXPECT_EQ(s.CrossY(2), 2147483647);
    EXPECT_EQ(s.CrossY(-2), -2147483647);
}

TEST(Line, ClipMovesEachOutsideEndToItsEdge) {
    const clsRect r(0, 0, 9, 9);
    clsLine s;
    s.SetAll(-10, 5, 20, 5);
    EXPECT_TRUE(s.Clip(r));
    ExpectLine(s, 0, 5, 9, 5);

    s.SetAll(5, -10, 5, 20); // top and bottom
    EXPECT_TRUE(s.Clip(r));
    ExpectLine(s, 5, 0, 5, 9);

    s.SetAll(20, 4, 4, 4); // right only, start outside
    EXPECT_TRUE(s.Clip(r));
    ExpectLine(s, 9, 4, 4, 4);

    s.SetAll(4, 4, 4, 30); // bottom only, end outside
    EXPECT_TRUE(s.Clip(r));
    ExpectLine(s, 4, 4, 4, 9);

    s.SetAll(-10, -10, -5, -5);
    EXPECT_FALSE(s.Clip(r));

    s.SetAll(2, 3, 7, 8);
    EXPECT_TRUE(s.Clip(r));
    ExpectLine(s, 2, 3, 7, 8);

    // A diagonal through two corners' regions: left first, then top.
    s.SetAll(-4, -8, 14, 10); // y = x - 4
    EXPECT_TRUE(s.Clip(r));
    ExpectLine(s, 4, 0, 9, 5);
}

TEST(Line, ClipRejectsASegmentWhoseOutCodesShareNoBitButMiss) {
    const clsRect r(0, 0, 9, 9);
    clsLine s;
    // Codes 1 (left) and 8 (below); y = x + 10 passes below-left of the corner (0, 9).
    s.SetAll(-5, 5, 5, 15);
    EXPECT_FALSE(s.Clip(r));
    // The same from the other end.
    s.SetAll(5, 15, -5, 5);
    EXPECT_FALSE(s.Clip(r));
    // Codes 9 and 6 and the line x + y = 22 passes beyond (9, 9).
    s.SetAll(-5, 27, 27, -5);
    EXPECT_FALSE(s.Clip(r));
    // Codes 9 and 6 across the middle: clipped on both ends.
    s.SetAll(-5, 12, 12, -5); // x + y = 7
    EXPECT_TRUE(s.Clip(r));
    ExpectLine(s, 0, 7, 7, 0);
}
