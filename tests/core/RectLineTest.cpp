// clsRect and clsLine: sizes, out-codes, unions, crossings and clipping.
#include "core/clsLine.h"
#include "core/clsRect.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using Quad = std::array<int32_t, 4>;
Quad Of(const clsRect& r) { return {r.mLeft, r.mTop, r.mRight, r.mBottom}; }
Quad Of(const clsLine& s) { return {s.mSx, s.mSy, s.mEx, s.mEy}; }

} // namespace

TEST(Rect, EmptinessSizeAndCentre) {
    clsRect r;
    EXPECT_EQ(Of(r), (Quad{0, 0, -1, -1}));
    EXPECT_TRUE(r.IsEmpty());
    EXPECT_EQ(r.Width(), 0);
    r.SetAll(1, 2, 3, 4);
    EXPECT_EQ(r.Width(), 3); // inclusive bounds
    EXPECT_EQ(r.Height(), 3);
    r.Clear();
    EXPECT_EQ(Of(r), (Quad{0, 0, -1, -1}));
    // Reversed bounds are kept as given and make it empty.
    r.SetAll(10, 10, 5, 20);
    EXPECT_TRUE(r.IsEmpty());
    EXPECT_EQ(Of(r.Copy()), (Quad{10, 10, 5, 20}));
    r.SetAll(0, 30, 5, 20);
    EXPECT_TRUE(r.IsEmpty());
    clsRect w(3, 0, 50, 60);
    w.SetWidth(1);
    w.SetHeight(10);
    EXPECT_EQ(Of(w), (Quad{3, 0, 3, 9}));
    w.SetWidth(0);
    EXPECT_TRUE(w.IsEmpty());
    // The centre truncates toward zero and does not overflow.
    EXPECT_EQ(clsRect(-3, 0, 0, 0).CenterX(), -1);
    EXPECT_EQ(clsRect(0, -5, 0, 0).CenterY(), -2);
    EXPECT_EQ(clsRect(2147483000, 0, 2147483646, 0).CenterX(), 2147483323);
}

TEST(Rect, OutCodesAndInnerTestIncludeTheEdges) {
    const clsRect r(0, 0, 9, 9);
    const struct {
        int32_t x, y, code;
    } rows[] = {{-1, -1, 5}, {10, 10, 10}, {-1, 10, 9}, {10, -1, 6}, {0, 9, 0}, {9, 0, 0}, {5, 10, 8}};
    for (const auto& c : rows) {
        EXPECT_EQ(r.OutCode(c.x, c.y), c.code) << c.x << "," << c.y;
        EXPECT_EQ(r.IsInner(c.x, c.y), c.code == 0) << c.x << "," << c.y;
    }
}

TEST(Rect, MoveExtentionUnionAndIntersection) {
    clsRect r(0, 0, 9, 4);
    r.Move(5, -2);
    EXPECT_EQ(Of(r), (Quad{5, -2, 14, 2}));
    r.Extention(3);
    EXPECT_EQ(Of(r), (Quad{2, -5, 17, 5}));
    clsRect w(0, 0, 9, 100);
    w.Extention(-5);
    EXPECT_EQ(Of(w), (Quad{5, 5, 4, 95}));

    const clsRect base(0, 0, 9, 9), empty;
    const struct {
        clsRect other;
        bool isOr;
        Quad want;
    } rows[] = {
        {clsRect(5, -3, 20, 4), true, {0, -3, 20, 9}},
        {clsRect(5, -3, 20, 4), false, {5, 0, 9, 4}},
        {clsRect(20, 20, 30, 30), false, {0, 0, -1, -1}}, // disjoint
        {clsRect(9, 9, 30, 30), false, {9, 9, 9, 9}},     // touching at one column still overlaps
        {empty, true, {0, 0, 9, 9}},                      // an empty operand changes nothing
        {empty, false, {0, 0, 9, 9}},
    };
    for (const auto& c : rows) {
        clsRect a = base;
        c.isOr ? a.OpeOr(c.other) : a.OpeAnd(c.other);
        EXPECT_EQ(Of(a), c.want) << c.isOr;
    }
    clsRect e;
    e.OpeOr(base);
    EXPECT_EQ(Of(e), (Quad{0, 0, -1, -1}));
    clsRect reversed(10, 10, 5, 20);
    reversed.OpeAnd(base);
    EXPECT_EQ(Of(reversed), (Quad{10, 10, 5, 20}));
}

TEST(Line, DeltasSizeAndAngle) {
    clsLine s;
    s.SetAll(0, 0, 3, 4);
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
}

TEST(Line, CrossingsRoundHalvesToEvenAndMarkParallels) {
    clsLine s;
    s.SetAll(0, 0, 10, 5);
    EXPECT_EQ(s.CrossX(3), 6);
    // (0,0)-(2,1): y = x / 2 meets exact halves 0.5, 1.5, 2.5, -0.5, -1.5.
    s.SetAll(0, 0, 2, 1);
    for (auto [x, y] : {std::pair{1, 0}, {3, 2}, {5, 2}, {-1, 0}, {-3, -2}}) EXPECT_EQ(s.CrossY(x), y) << x;
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
    const struct {
        Quad in;
        bool kept;
        Quad out;
    } rows[] = {
        {{-10, 5, 20, 5}, true, {0, 5, 9, 5}},   // left and right
        {{5, -10, 5, 20}, true, {5, 0, 5, 9}},   // top and bottom
        {{20, 4, 4, 4}, true, {9, 4, 4, 4}},     // right, start outside
        {{4, 4, 4, 30}, true, {4, 4, 4, 9}},     // bottom, end outside
        {{2, 3, 7, 8}, true, {2, 3, 7, 8}},      // inside
        {{-4, -8, 14, 10}, true, {4, 0, 9, 5}},  // left first, then top
        {{-10, -10, -5, -5}, false, {}},
        // Out-codes that share no bit, yet the segment misses the rectangle.
        {{-5, 5, 5, 15}, false, {}},   // codes 1 and 8 pass below-left of (0, 9)
        {{5, 15, -5, 5}, false, {}},
        {{-5, 27, 27, -5}, false, {}}, // codes 9 and 6 beyond (9, 9)
        {{-5, 12, 12, -5}, true, {0, 7, 7, 0}},
    };
    for (const auto& c : rows) {
        clsLine s;
        s.SetAll(c.in[0], c.in[1], c.in[2], c.in[3]);
        ASSERT_EQ(s.Clip(r), c.kept) << c.in[0] << "," << c.in[1] << "," << c.in[2] << "," << c.in[3];
        if (c.kept) {
            EXPECT_EQ(Of(s), c.out);
        }
    }
}
