#include "core/clsPoly.h"

#include "platform/VospError.h"

#include <QBuffer>
#include <QByteArray>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

using Pts = std::vector<PolyPoint>;

clsPoly Make(const Pts& pts) {
    clsPoly p;
    for (const PolyPoint& q : pts) p.AddPoint(q);
    return p;
}

Pts Points(const clsPoly& p) { return Pts(p.Span().begin(), p.Span().end()); }

template <class F>
void ExpectClassError(F&& f, const char* proc) {
    try {
        f();
        ADD_FAILURE() << "no error from " << proc;
    } catch (const VospError& e) {
        EXPECT_EQ(e.number, ErrBase + 1001) << proc;
        EXPECT_TRUE(e.source.startsWith(QStringLiteral("clsPoly.") + QLatin1String(proc))) << qPrintable(e.source);
    }
}

// Shoelace area of a ring in exact integer arithmetic.
double Shoelace(const Pts& p) {
    int64_t twice = 0;
    for (size_t i = 0; i < p.size(); ++i) {
        const PolyPoint& a = p[i];
        const PolyPoint& b = p[(i + 1) % p.size()];
        twice += int64_t(a.x) * b.y - int64_t(b.x) * a.y;
    }
    return std::fabs(double(twice)) / 2;
}

// A simple polygon: vertices at increasing angles round a centre, random radii.
Pts StarPolygon(std::mt19937& rng, int n, double rmin, double rmax, bool clockwise) {
    std::uniform_real_distribution<double> ang(0, 6.283185307179586), rad(rmin, rmax);
    std::vector<double> a(n);
    for (double& v : a) v = ang(rng);
    std::sort(a.begin(), a.end());
    if (clockwise) std::reverse(a.begin(), a.end());
    Pts p;
    for (double t : a) {
        const double r = rad(rng);
        p.push_back({int32_t(std::lround(r * std::cos(t))) * 2, int32_t(std::lround(r * std::sin(t))) * 2});
    }
    return p;
}

bool InsidePolygon(const Pts& p, double x, double y) {
    bool in = false;
    for (size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
        const double xi = p[i].x, yi = p[i].y, xj = p[j].x, yj = p[j].y;
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
    }
    return in;
}

// Area of (ring ∩ rectangle) by Green's theorem over the boundary of the
// intersection: the ring's edges cut to the rectangle (Liang-Barsky), plus
// the pieces of the rectangle's outline that lie inside the ring, both in
// the ring's orientation. Vertices must not lie on the rectangle's edges.
double IntersectionArea(const Pts& ring, double l, double t, double r, double b) {
    double signedTwice = 0;
    for (size_t i = 0; i < ring.size(); ++i) {
        const PolyPoint& a = ring[i];
        const PolyPoint& c = ring[(i + 1) % ring.size()];
        signedTwice += double(a.x) * c.y - double(c.x) * a.y;
    }
    const bool ccw = signedTwice > 0; // counter-clockwise in x-right, y-up terms
    double sum = 0;
    for (size_t i = 0; i < ring.size(); ++i) {
        const double x0 = ring[i].x, y0 = ring[i].y;
        const double x1 = ring[(i + 1) % ring.size()].x, y1 = ring[(i + 1) % ring.size()].y;
        double u0 = 0, u1 = 1;
        const double dx = x1 - x0, dy = y1 - y0;
        const double pp[4] = {-dx, dx, -dy, dy}, qq[4] = {x0 - l, r - x0, y0 - t, b - y0};
        bool keep = true;
        for (int k = 0; k < 4 && keep; ++k) {
            if (pp[k] == 0) {
                if (qq[k] < 0) keep = false;
            } else {
                const double u = qq[k] / pp[k];
                if (pp[k] < 0) u0 = std::max(u0, u);
                else u1 = std::min(u1, u);
            }
        }
        if (!keep || u0 >= u1) continue;
        const double ax = x0 + u0 * dx, ay = y0 + u0 * dy, bx = x0 + u1 * dx, by = y0 + u1 * dy;
        sum += ax * by - bx * ay;
    }
    // The rectangle's outline, counter-clockwise when the ring is.
    std::vector<std::pair<double, double>> corners = {{l, t}, {r, t}, {r, b}, {l, b}};
    if (!ccw) std::reverse(corners.begin(), corners.end());
    for (int k = 0; k < 4; ++k) {
        const auto [sx, sy] = corners[k];
        const auto [ex, ey] = corners[(k + 1) % 4];
        std::vector<double> cuts = {0, 1};
        for (size_t i = 0; i < ring.size(); ++i) {
            const double x0 = ring[i].x, y0 = ring[i].y;
            const double x1 = ring[(i + 1) % ring.size()].x, y1 = ring[(i + 1) % ring.size()].y;
            const double den = (ex - sx) * (y1 - y0) - (ey - sy) * (x1 - x0);
            if (den == 0) continue;
            const double u = ((x0 - sx) * (y1 - y0) - (y0 - sy) * (x1 - x0)) / den;
            const double v = ((x0 - sx) * (ey - sy) - (y0 - sy) * (ex - sx)) / den;
            if (u > 0 && u < 1 && v >= 0 && v <= 1) cuts.push_back(u);
        }
        std::sort(cuts.begin(), cuts.end());
        for (size_t c = 1; c < cuts.size(); ++c) {
            const double m = (cuts[c - 1] + cuts[c]) / 2;
            if (!InsidePolygon(ring, sx + m * (ex - sx), sy + m * (ey - sy))) continue;
            const double ax = sx + cuts[c - 1] * (ex - sx), ay = sy + cuts[c - 1] * (ey - sy);
            const double bx = sx + cuts[c] * (ex - sx), by = sy + cuts[c] * (ey - sy);
            sum += ax * by - bx * ay;
        }
    }
    return std::fabs(sum) / 2;
}

QByteArray Le32(int32_t v) {
    QByteArray b(4, 0);
    for (int i = 0; i < 4; ++i) b[i] = char((uint32_t(v) >> (8 * i)) & 0xFF);
    return b;
}

} // namespace

TEST(Poly, NewListIsEmptyAndUnmodified) {
    clsPoly p;
    EXPECT_EQ(p.Count(), 0);
    EXPECT_FALSE(p.Modify());
    EXPECT_FALSE(p.IsLoop());
    EXPECT_EQ(p.Area(), 0);
    EXPECT_EQ(p.RectBound(), clsRect(0, 0, -1, -1));
    EXPECT_EQ(p.MaxCount(), 268435455);
    EXPECT_NE(p.Points(), nullptr);
    EXPECT_FALSE(p.IsHorizontal());
    EXPECT_TRUE(p.IsMatch(clsPoly()));
}

TEST(Poly, RectangleRingLoopsAndArea) {
    clsPoly p;
    p.SetRect(0, 0, 10, 5);
    EXPECT_EQ(Points(p), (Pts{{0, 0}, {10, 0}, {10, 5}, {0, 5}, {0, 0}}));
    EXPECT_TRUE(p.IsLoop());
    EXPECT_DOUBLE_EQ(p.Area(), 50);
    EXPECT_TRUE(p.Modify());

    clsPoly four = Make({{0, 0}, {1, 0}, {1, 1}, {0, 0}});
    EXPECT_TRUE(four.IsLoop());
    clsPoly three = Make({{0, 0}, {1, 0}, {0, 0}});
    EXPECT_FALSE(three.IsLoop());
    clsPoly open = Make({{0, 0}, {4, 0}, {4, 3}});
    open.MakeLoop();
    EXPECT_EQ(Points(open), (Pts{{0, 0}, {4, 0}, {4, 3}, {0, 0}}));
    open.MakeLoop();
    EXPECT_EQ(open.Count(), 4);
    clsPoly two = Make({{0, 0}, {4, 0}});
    two.MakeLoop();
    EXPECT_EQ(two.Count(), 2);
}

TEST(Poly, FlagsFollowChangesLoadAndModify) {
    clsPoly p = Make({{3, 4}, {-2, 9}, {7, 1}});
    EXPECT_EQ(p.Flags(), 1);
    EXPECT_EQ(p.RectBound(), clsRect(-2, 1, 7, 9));
    EXPECT_EQ(p.Flags(), 3);
    p.SetModify(false);
    EXPECT_EQ(p.Flags(), 0);
    EXPECT_EQ(p.RectBound(), clsRect(-2, 1, 7, 9));
    p.SetModify(true);
    EXPECT_EQ(p.Flags(), 1); // the box is dropped with it
    p.RectBound();
    p.SetX(1, 100);
    EXPECT_EQ(p.Flags(), 1);
    EXPECT_EQ(p.RectBound(), clsRect(-2, 1, 100, 9));

    clsPoly c = p.Copy();
    EXPECT_EQ(c.Flags(), 3); // box carried over, copy marked modified
    EXPECT_TRUE(c.IsMatch(p));
    p.SetModify(false);
    EXPECT_EQ(p.Copy().Flags(), 1);
}

TEST(Poly, CountResizesKeepingPoints) {
    clsPoly p = Make({{1, 2}, {3, 4}});
    p.SetModify(false);
    p.SetCount(4);
    EXPECT_EQ(Points(p), (Pts{{1, 2}, {3, 4}, {0, 0}, {0, 0}}));
    EXPECT_TRUE(p.Modify());
    p.SetCount(1);
    EXPECT_EQ(Points(p), (Pts{{1, 2}}));
    p.SetCount(-5);
    EXPECT_EQ(p.Count(), 0);
    p.SetModify(false);
    p.SetCount(0);
    EXPECT_TRUE(p.Modify());
}

TEST(Poly, IndexesOutsideTheListRaiseTheClassError) {
    clsPoly p = Make({{1, 2}, {4, 8}, {-3, 5}});
    EXPECT_EQ(p.LineWidth(1), 3);
    EXPECT_EQ(p.LineHeight(2), -3);
    int32_t a, b;
    ExpectClassError([&] { (void)p.x(0); }, "x");
    ExpectClassError([&] { (void)p.y(4); }, "y");
    ExpectClassError([&] { p.SetX(4, 1); }, "x");
    ExpectClassError([&] { p.SetXandY(-1, 1, 1); }, "SetXandY");
    ExpectClassError([&] { p.GetXandY(4, a, b); }, "GetXandY");
    ExpectClassError([&] { (void)p.LineWidth(3); }, "LineWidth");
    ExpectClassError([&] { (void)p.LineHeight(0); }, "LineHeight");
    ExpectClassError([&] { (void)p.GetPoint(4); }, "GetPoint");
    ExpectClassError([&] { p.SetPoint(0, {}); }, "SetPoint");
    clsPoly empty;
    ExpectClassError([&] { (void)empty.LastX(); }, "LastX");
    ExpectClassError([&] { empty.SetLastY(1); }, "LastY");
    ExpectClassError([&] { empty.GetLastXandY(a, b); }, "GetLastXandY");
    ExpectClassError([&] { empty.SetLastXandY(1, 1); }, "SetLastXandY");
    EXPECT_EQ(Points(p), (Pts{{1, 2}, {4, 8}, {-3, 5}}));
}

TEST(Poly, BoundsOverlapAndStraightLines) {
    clsPoly p = Make({{0, 0}, {10, 5}, {-4, 2}});
    int32_t l, t, r, b;
    p.GetBound4(l, t, r, b);
    EXPECT_EQ((std::vector<int32_t>{l, t, r, b}), (std::vector<int32_t>{-4, 0, 10, 5}));
    EXPECT_TRUE(p.IsOverlapArea(clsRect(10, 5, 20, 20))); // corner touch counts
    EXPECT_FALSE(p.IsOverlapArea(clsRect(11, 0, 20, 20)));
    EXPECT_FALSE(p.IsOverlapArea(clsRect(-10, -10, 20, -1)));

    clsPoly h = Make({{0, 3}, {5, 3}, {-2, 3}});
    EXPECT_TRUE(h.IsHorizontal());
    EXPECT_FALSE(h.IsVertical());
    clsPoly v = Make({{2, 3}, {2, -3}});
    EXPECT_TRUE(v.IsVertical());
    EXPECT_FALSE(Make({{2, 3}}).IsVertical());

    // Past the first 20 points the cached box decides.
    Pts many(25, PolyPoint{1, 7});
    for (int i = 0; i < 25; ++i) many[i].x = i;
    many[22].y = 8;
    clsPoly m = Make(many);
    EXPECT_FALSE(m.IsHorizontal());
    EXPECT_EQ(m.Flags(), 3);
    m.SetY(23, 7);
    EXPECT_TRUE(m.IsHorizontal());
}

TEST(Poly, DeleteInsertAndAppend) {
    clsPoly p = Make({{1, 1}, {2, 2}, {3, 3}});
    EXPECT_FALSE(p.Del(0));
    EXPECT_FALSE(p.Del(4));
    EXPECT_TRUE(p.Del(2));
    EXPECT_EQ(Points(p), (Pts{{1, 1}, {3, 3}}));
    EXPECT_TRUE(p.InsertXY(1, 0, 0));
    EXPECT_TRUE(p.InsertPoint(3, {2, 2}));
    EXPECT_FALSE(p.InsertXY(5, 9, 9)); // appending is AddXY's job
    EXPECT_FALSE(p.InsertXY(0, 9, 9));
    EXPECT_EQ(Points(p), (Pts{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));
    EXPECT_TRUE(p.Del(4));
    EXPECT_TRUE(p.Del(1));
    EXPECT_EQ(Points(p), (Pts{{1, 1}, {2, 2}}));

    clsPoly line;
    line.SetLine(1, 2, 3, 4);
    EXPECT_EQ(Points(line), (Pts{{1, 2}, {3, 4}}));
}

TEST(Poly, ArrayTransfersCutToWhatIsThere) {
    const Pts arr = {{1, 1}, {2, 2}, {3, 3}, {4, 4}};
    clsPoly p = Make({{9, 9}});
    EXPECT_TRUE(p.FromArray(arr, 1, 3, 10)); // 3 points from index 1, list grows to 5
    EXPECT_EQ(Points(p), (Pts{{9, 9}, {0, 0}, {2, 2}, {3, 3}, {4, 4}}));
    EXPECT_TRUE(p.FromArray(arr, 0, 1, 1));
    EXPECT_EQ(p.GetPoint(1), (PolyPoint{1, 1}));
    EXPECT_FALSE(p.FromArray(arr, -1, 1, 1));
    EXPECT_FALSE(p.FromArray(arr, 0, 0, 1));
    EXPECT_FALSE(p.FromArray(arr, 0, 1, 0));
    EXPECT_FALSE(p.FromArray(arr, 4, 1, 1));

    Pts out(3);
    EXPECT_TRUE(p.ToArray(out, 4, 1, 10)); // 2 points left from 4, room for 2
    EXPECT_EQ(out, (Pts{{0, 0}, {3, 3}, {4, 4}}));
    EXPECT_FALSE(p.ToArray(out, 6, 0, 1));
    EXPECT_FALSE(p.ToArray(out, 0, 0, 1));
    EXPECT_FALSE(p.ToArray(out, 1, 3, 1));
    EXPECT_FALSE(p.ToArray(out, 1, -1, 1));
}

TEST(Poly, MoveWorksIn64BitsAndStopsAtTheEnds) {
    clsPoly p = Make({{1, 2}, {2147483000, -2147483000}});
    p.Move(1000, -1000);
    EXPECT_EQ(Points(p), (Pts{{1001, -998}, {2147483647, -2147483647 - 1}}));
    p.SetModify(false);
    p.Move(-1, 1);
    EXPECT_EQ(p.GetPoint(1), (PolyPoint{1000, -997}));
    EXPECT_TRUE(p.Modify());
}

TEST(Poly, ConnectSharesAnEqualJoinPoint) {
    clsPoly a = Make({{0, 0}, {5, 0}});
    EXPECT_TRUE(a.Connect(Make({{5, 0}, {5, 5}})));
    EXPECT_EQ(Points(a), (Pts{{0, 0}, {5, 0}, {5, 5}}));
    clsPoly b = Make({{0, 0}, {5, 0}});
    EXPECT_TRUE(b.Connect(Make({{6, 0}, {6, 5}})));
    EXPECT_EQ(b.Count(), 4);
    EXPECT_FALSE(b.Connect(clsPoly()));
    EXPECT_EQ(b.Count(), 4);
    clsPoly e;
    EXPECT_TRUE(e.Connect(Make({{1, 1}})));
    EXPECT_EQ(Points(e), (Pts{{1, 1}}));
}

TEST(Poly, ConnectWithItselfCopiesFirst) {
    clsPoly a = Make({{0, 0}, {5, 0}, {5, 5}});
    EXPECT_TRUE(a.Connect(a));
    EXPECT_EQ(Points(a), (Pts{{0, 0}, {5, 0}, {5, 5}, {0, 0}, {5, 0}, {5, 5}}));
    clsPoly ring;
    ring.SetRect(0, 0, 2, 2);
    EXPECT_TRUE(ring.Connect(ring));
    EXPECT_EQ(Points(ring), (Pts{{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}}));
}

TEST(Poly, DivideSharesThePointAtTheCut) {
    clsPoly p = Make({{1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}});
    clsPoly tail = p.Divide(3);
    EXPECT_EQ(Points(p), (Pts{{1, 0}, {2, 0}, {3, 0}}));
    EXPECT_EQ(Points(tail), (Pts{{3, 0}, {4, 0}, {5, 0}}));
    EXPECT_TRUE(tail.Modify());

    clsPoly two = Make({{1, 0}, {2, 0}});
    EXPECT_EQ(two.Divide(1).Count(), 0);
    EXPECT_EQ(two.Count(), 2);
    clsPoly q = Make({{1, 0}, {2, 0}, {3, 0}});
    EXPECT_EQ(q.Divide(4).Count(), 0);
    EXPECT_EQ(q.Divide(0).Count(), 0);
    EXPECT_EQ(q.Count(), 3);
    EXPECT_EQ(Points(q.Divide(3)), (Pts{{3, 0}}));
    EXPECT_EQ(q.Count(), 3);
}

TEST(Poly, AreaMatchesTheShoelaceOnRandomSimplePolygons) {
    std::mt19937 rng(20261206);
    for (int round = 0; round < 200; ++round) {
        const bool cw = round % 2 == 1;
        const Pts ring = StarPolygon(rng, 3 + int(rng() % 60), 1000, 100000000, cw);
        const double want = Shoelace(ring);
        clsPoly open = Make(ring);
        EXPECT_NEAR(open.Area(), want, want * 1e-12) << round;
        clsPoly closed = Make(ring);
        closed.MakeLoop();
        EXPECT_NEAR(closed.Area(), want, want * 1e-12) << round;
    }
    // Differences from point 1 that leave the 32-bit range.
    clsPoly big = Make({{-2000000000, -2000000000}, {2000000000, -2000000000}, {2000000000, 2000000000}});
    EXPECT_DOUBLE_EQ(big.Area(), 8e18);
    EXPECT_EQ(Make({{0, 0}, {5, 5}}).Area(), 0);
}

TEST(Poly, ChopInsertsRoundedPoints) {
    clsPoly p = Make({{0, 0}, {5, 0}});
    EXPECT_TRUE(p.Chop(2, 1));
    EXPECT_EQ(Points(p), (Pts{{0, 0}, {2, 0}, {3, 0}, {5, 0}}));

    clsPoly half = Make({{0, 0}, {5, 0}});
    EXPECT_TRUE(half.Chop(3, 1)); // 2.5 rounds to the even 2
    EXPECT_EQ(Points(half), (Pts{{0, 0}, {2, 0}, {5, 0}}));

    clsPoly back = Make({{5, 0}, {0, 0}});
    EXPECT_TRUE(back.Chop(2, 1));
    EXPECT_EQ(Points(back), (Pts{{5, 0}, {3, 0}, {2, 0}, {0, 0}}));

    for (auto [pitch, mode] : {std::pair<int32_t, int16_t>{1, 1}, {10, 4}, {10, 0}, {-3, 3}}) {
        clsPoly q = Make({{0, 0}, {50, 0}});
        q.SetModify(false);
        EXPECT_FALSE(q.Chop(pitch, mode));
        EXPECT_EQ(q.Count(), 2);
        EXPECT_FALSE(q.Modify());
    }
}

TEST(Poly, ChopModesMeasureTheStepDifferently) {
    // Segment (0,0)-(10,4): |dx| 10, |dy| 4.
    clsPoly m1 = Make({{0, 0}, {10, 4}});
    m1.Chop(4, 1); // k = 3: (3.33, 1.33) (6.67, 2.67)
    EXPECT_EQ(Points(m1), (Pts{{0, 0}, {3, 1}, {7, 3}, {10, 4}}));
    clsPoly m2 = Make({{0, 0}, {10, 4}});
    m2.Chop(4, 2); // 4 does not exceed 4
    EXPECT_EQ(m2.Count(), 2);
    clsPoly m3 = Make({{0, 0}, {4, 10}, {4, 11}});
    m3.Chop(5, 3); // k = 2 on the first segment only
    EXPECT_EQ(Points(m3), (Pts{{0, 0}, {2, 5}, {4, 10}, {4, 11}}));
    // The box stays valid: inserted points lie on the segments.
    clsPoly b = Make({{0, 0}, {100, 0}, {100, 100}});
    b.RectBound();
    b.Chop(10, 3);
    EXPECT_EQ(b.Count(), 21);
    EXPECT_EQ(b.Flags(), 3);
    clsPoly c = Make({{0, 0}, {100, 0}});
    c.SetModify(false);
    EXPECT_TRUE(c.Chop(200, 3));
    EXPECT_EQ(c.Flags(), 1);
}

TEST(Poly, ClipEachSide) {
    const clsRect r(0, 0, 9, 9);
    clsPoly left;
    left.SetRect(-5, 2, 5, 8);
    EXPECT_TRUE(left.Clip(r));
    EXPECT_EQ(Points(left), (Pts{{0, 2}, {5, 2}, {5, 8}, {0, 8}, {0, 2}}));
    clsPoly right;
    right.SetRect(5, 2, 15, 8);
    EXPECT_TRUE(right.Clip(r));
    EXPECT_EQ(Points(right), (Pts{{5, 2}, {9, 2}, {9, 8}, {5, 8}, {5, 2}}));
    clsPoly top;
    top.SetRect(2, -5, 8, 5);
    EXPECT_TRUE(top.Clip(r));
    EXPECT_EQ(Points(top), (Pts{{8, 0}, {8, 5}, {2, 5}, {2, 0}, {8, 0}}));
    clsPoly bottom;
    bottom.SetRect(2, 5, 8, 15);
    EXPECT_TRUE(bottom.Clip(r));
    EXPECT_EQ(Points(bottom), (Pts{{2, 5}, {8, 5}, {8, 9}, {2, 9}, {2, 5}}));
    EXPECT_EQ(bottom.Flags(), 1);

    // Crossing ordinates round halves to even: (0,0)-(-4,3) meets x = -2 at y 1.5.
    clsPoly tri = Make({{0, 0}, {-4, 3}, {0, 3}, {0, 0}});
    EXPECT_TRUE(tri.Clip(clsRect(-2, -10, 10, 10)));
    EXPECT_EQ(Points(tri), (Pts{{0, 0}, {-2, 2}, {-2, 3}, {0, 3}, {0, 0}}));
}

TEST(Poly, ClipWhollyInsideOrOutside) {
    const clsRect r(0, 0, 9, 9);
    clsPoly out;
    out.SetRect(20, 2, 30, 8);
    EXPECT_FALSE(out.Clip(r));
    EXPECT_EQ(out.Count(), 0);
    clsPoly in;
    in.SetRect(1, 1, 8, 8);
    in.SetModify(false);
    EXPECT_TRUE(in.Clip(r));
    EXPECT_EQ(in.Count(), 5);
    EXPECT_FALSE(in.Modify());
    // The box straddles a corner but the ring misses the rectangle.
    clsPoly corner = Make({{8, -5}, {14, 1}, {14, -5}, {8, -5}});
    EXPECT_FALSE(corner.Clip(r));
    EXPECT_EQ(corner.Count(), 0);
    clsPoly empty;
    EXPECT_FALSE(empty.Clip(r));
}

TEST(Poly, ClipAreaAgreesWithAnIndependentIntersection) {
    std::mt19937 rng(7);
    const clsRect r(-150001, -90001, 120001, 170001); // odd bounds, even vertices
    for (int round = 0; round < 60; ++round) {
        const Pts ring = StarPolygon(rng, 5 + int(rng() % 40), 20000, 250000, round % 2 == 1);
        const double want = IntersectionArea(ring, r.mLeft, r.mTop, r.mRight, r.mBottom);
        clsPoly p = Make(ring);
        p.MakeLoop();
        const bool kept = p.Clip(r);
        if (want == 0) {
            EXPECT_FALSE(kept);
            continue;
        }
        ASSERT_TRUE(kept) << round;
        // A crossing moves by at most half a unit along its edge, which
        // changes the area by at most a quarter of its neighbours' distance.
        double perimeter = 2.0 * (r.Width() + r.Height());
        for (size_t i = 0; i < ring.size(); ++i)
            perimeter += std::hypot(double(ring[i].x) - ring[(i + 1) % ring.size()].x,
                                    double(ring[i].y) - ring[(i + 1) % ring.size()].y);
        EXPECT_NEAR(p.Area(), want, 0.5 * perimeter + want * 1e-9) << round;
        EXPECT_TRUE(p.IsLoop());
        for (const PolyPoint& q : p.Span()) EXPECT_TRUE(r.IsInner(q.x, q.y));
    }
}

TEST(Poly, ClipGrowsPastItsFirstBlockOnAZigZag) {
    // 1500 teeth cross the left edge 3000 times: far more points come out
    // than the count + 1000 the working block starts with.
    Pts ring;
    for (int i = 0; i < 1500; ++i) {
        ring.push_back({-10, 4 * i});
        ring.push_back({10, 4 * i + 2});
    }
    ring.push_back({40, 6000});
    ring.push_back({40, 0});
    ring.push_back({-10, 0});
    clsPoly p = Make(ring);
    const clsRect r(0, -5, 100, 7000);
    const double want = IntersectionArea(ring, 0, -5, 100, 7000);
    EXPECT_TRUE(p.Clip(r));
    EXPECT_GT(p.Count(), 3000 + 1000);
    EXPECT_NEAR(p.Area(), want, 1e-6 * want);
    for (const PolyPoint& q : p.Span()) EXPECT_GE(q.x, 0);
}

TEST(Poly, CompressBStraightensLevelLines) {
    clsPoly f = Make({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}});
    f.CompressB(0.5, 100);
    EXPECT_EQ(Points(f), (Pts{{0, 0}, {4, 0}}));
    clsPoly b = Make({{4, 0}, {3, 0}, {2, 0}, {1, 0}, {0, 0}});
    b.CompressB(0.5, 100);
    EXPECT_EQ(Points(b), (Pts{{4, 0}, {0, 0}}));
    // A level line that runs back over itself spans its whole box.
    clsPoly v = Make({{0, 5}, {0, 9}, {0, -3}, {0, 2}});
    v.CompressB(0, 0); // ends nearer together going up: drawn from the top down
    EXPECT_EQ(Points(v), (Pts{{0, 9}, {0, -3}}));
    clsPoly three = Make({{0, 0}, {1, 0}, {2, 0}});
    three.CompressB(1, 100);
    EXPECT_EQ(three.Count(), 3);
}

TEST(Poly, CompressBWorkedExample) {
    // Six points on the line (3t, 4t) for t = 0..5: each step is 5 long;
    // limit 15 lets a triple go when its ends are at most 3 steps apart.
    //   pass 1 (starts 1..4): start 1 (t0,t1,t2) drops t1; the walk goes on
    //     at start 2 (t2,t3,t4), drops t3; the window end, now 2, is reached.
    //   pass 2 (starts 1..2): (t0,t2,t4) spans 4 steps; start 2 (t2,t4,t5)
    //     spans 3 and drops t4.
    //   pass 3 (starts 1..2): (t0,t2,t5) spans 5; no triple at 2; done.
    // Re-examining start 1 right after a removal would drop t2 instead and
    // keep t3; this pins the reading that moves on.
    clsPoly p;
    for (int t = 0; t <= 5; ++t) p.AddXY(3 * t, 4 * t);
    p.CompressB(0.5, 15);
    EXPECT_EQ(Points(p), (Pts{{0, 0}, {6, 8}, {15, 20}}));
}

TEST(Poly, CompressBKeepsEndsAndBends) {
    // The bump (50,2) makes a detour of 2 * sqrt(2504) - 100 = 0.0800; the
    // corners make detours of tens of units.
    const Pts start = {{0, 0}, {50, 2}, {100, 0}, {100, 100}, {0, 100}};
    clsPoly p = Make(start);
    p.SetModify(false);
    p.CompressB(0.05, 1000);
    EXPECT_EQ(Points(p), start);
    EXPECT_FALSE(p.Modify());
    p.CompressB(0.1, 1000);
    EXPECT_EQ(Points(p), (Pts{{0, 0}, {100, 0}, {100, 100}, {0, 100}}));
    EXPECT_TRUE(p.Modify());
    // Ends 100 apart are beyond a limit of 99.
    clsPoly q = Make(start);
    q.CompressB(1, 99);
    EXPECT_EQ(Points(q), start);
    q.CompressB(1, 100);
    EXPECT_EQ(q.Count(), 4);
}

TEST(Poly, CompressHalfAveragesTriples) {
    clsPoly open = Make({{0, 0}, {3, 3}, {6, 0}, {9, 3}, {12, 0}});
    open.CompressHalf();
    EXPECT_EQ(Points(open), (Pts{{0, 0}, {6, 2}, {12, 0}}));
    clsPoly neg = Make({{0, 0}, {-1, -1}, {-1, 0}, {0, -1}, {5, 5}});
    neg.CompressHalf(); // (-2/3, -2/3) truncates toward zero
    EXPECT_EQ(Points(neg), (Pts{{0, 0}, {0, 0}, {5, 5}}));
    clsPoly two = Make({{1, 1}, {2, 2}});
    two.CompressHalf();
    EXPECT_EQ(Points(two), (Pts{{1, 1}, {2, 2}}));
    clsPoly one = Make({{1, 1}});
    one.CompressHalf();
    EXPECT_EQ(one.Count(), 1);

    clsPoly ring;
    ring.SetRect(0, 0, 10, 5); // 5 points: triples at 1 and 3
    ring.CompressHalf();
    EXPECT_EQ(Points(ring), (Pts{{6, 1}, {3, 3}}));
    clsPoly even = Make({{0, 0}, {9, 0}, {9, 9}, {3, 9}, {0, 6}, {0, 0}});
    even.CompressHalf(); // triples at 1 and 3, midpoint of the last two, closed
    EXPECT_EQ(Points(even), (Pts{{6, 3}, {4, 8}, {0, 3}, {6, 3}}));

    clsPoly big = Make({{2000000000, -2000000000}, {2000000001, -2000000001}, {2000000002, -2000000002},
                        {2000000003, -2000000003}});
    big.CompressHalf();
    EXPECT_EQ(Points(big), (Pts{{2000000000, -2000000000}, {2000000003, -2000000003}}));
    clsPoly bigRing = Make({{2147483647, 0}, {2147483647, 1}, {2147483646, 1}, {2147483647, 0}});
    bigRing.CompressHalf();
    EXPECT_EQ(Points(bigRing), (Pts{{2147483646, 0}, {2147483646, 0}}));
}

TEST(Poly, LoadReadsLittleEndianBlocks) {
    QByteArray data = QByteArray::fromHex("AABB") + Le32(2) + Le32(1) + Le32(-2) + Le32(0x12345678) + Le32(-1) +
                      QByteArray::fromHex("CC");
    clsPoly p = Make({{5, 5}});
    qsizetype pos = 2;
    p.Load(data, pos, true);
    EXPECT_EQ(Points(p), (Pts{{1, -2}, {0x12345678, -1}}));
    EXPECT_EQ(pos, 2 + 4 + 16);
    EXPECT_EQ(p.Flags(), 0);

    QByteArray shortCount = QByteArray::fromHex("0300") + Le32(7) + Le32(8) + Le32(9) + Le32(10) + Le32(11) +
                            Le32(12);
    pos = 0;
    p.Load(shortCount, pos, false);
    EXPECT_EQ(Points(p), (Pts{{7, 8}, {9, 10}, {11, 12}}));
    EXPECT_EQ(pos, shortCount.size());

    QByteArray zero = Le32(0);
    pos = 0;
    p.Load(zero, pos, true);
    EXPECT_EQ(p.Count(), 0);
    EXPECT_EQ(pos, 4);
}

TEST(Poly, LoadTakesTheShortCountAsUnsigned) {
    QByteArray data = QByteArray::fromHex("FFFF");
    QByteArray points(65535 * 8, 0);
    points.replace(0, 8, Le32(-7) + Le32(3));
    points.replace(65534 * 8, 8, Le32(11) + Le32(-12));
    data += points;
    clsPoly p;
    qsizetype pos = 0;
    p.Load(data, pos, false);
    EXPECT_EQ(p.Count(), 65535);
    EXPECT_EQ(p.GetPoint(1), (PolyPoint{-7, 3}));
    EXPECT_EQ(p.GetPoint(65535), (PolyPoint{11, -12}));
    EXPECT_EQ(pos, data.size());
}

TEST(Poly, LoadRejectsCountsTheDataCannotHold) {
    const QByteArray cases[] = {
        QByteArray::fromHex("FFFF"),                            // 65535 points announced, none there
        Le32(-1) + Le32(0) + Le32(0),                           // negative count
        Le32(int32_t(0x80000000)),                              // most negative count
        Le32(3) + Le32(1) + Le32(2) + Le32(3) + Le32(4) + Le32(5), // truncated block
        Le32(0x7FFFFFFF),                                       // huge count
        Le32(268435456) + QByteArray(64, 0),                    // beyond the list's limit
        QByteArray::fromHex("01"),                              // count itself cut off
    };
    for (const QByteArray& data : cases) {
        const bool bLong = data.size() != 2 && data.size() != 1;
        clsPoly p = Make({{4, 4}});
        qsizetype pos = 0;
        try {
            p.Load(data, pos, bLong);
            ADD_FAILURE() << data.toHex().constData();
        } catch (const VospError& e) {
            EXPECT_EQ(e.number, 62);
            EXPECT_EQ(e.source, "clsPoly.Load/");
        }
        EXPECT_EQ(Points(p), (Pts{{4, 4}}));
        EXPECT_EQ(pos, 0);
    }
}

TEST(Poly, LoadFromAnOpenDevice) {
    QByteArray data = Le32(2) + Le32(10) + Le32(20) + Le32(-30) + Le32(40) + QByteArray::fromHex("0100") +
                      Le32(5) + Le32(6);
    QBuffer buf(&data);
    ASSERT_TRUE(buf.open(QIODevice::ReadOnly));
    clsPoly p;
    p.Load(buf, true);
    EXPECT_EQ(Points(p), (Pts{{10, 20}, {-30, 40}}));
    p.Load(buf, false);
    EXPECT_EQ(Points(p), (Pts{{5, 6}}));
    EXPECT_TRUE(buf.atEnd());

    QByteArray bad = Le32(3) + Le32(1) + Le32(2);
    QBuffer b2(&bad);
    ASSERT_TRUE(b2.open(QIODevice::ReadOnly));
    EXPECT_THROW(p.Load(b2, true), VospError);
    EXPECT_EQ(b2.pos(), 0);
    EXPECT_EQ(Points(p), (Pts{{5, 6}}));
}
