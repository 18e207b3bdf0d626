// clsPoly, the point list: flags, indexes, bounds, editing, chopping, clipping and reading.
#include "PolyKit.h"
#include "platform/VospError.h"

#include <QBuffer>
#include <QByteArray>
#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

// Shoelace area of a ring in doubles.
double Shoelace(const std::vector<std::pair<double, double>>& p) {
    double twice = 0;
    for (size_t i = 0; i < p.size(); ++i) {
        const auto& [ax, ay] = p[i];
        const auto& [bx, by] = p[(i + 1) % p.size()];
        twice += ax * by - bx * ay;
    }
    return std::fabs(twice) / 2;
}
std::vector<std::pair<double, double>> Doubles(const Pts& p) {
    std::vector<std::pair<double, double>> d;
    for (const PolyPoint& q : p) d.emplace_back(q.x, q.y);
    return d;
}

// Area of (ring ∩ rectangle), clipped here in doubles side by side
// (Sutherland-Hodgman: exact for a convex window).
double IntersectionArea(const Pts& ring, double l, double t, double r, double b) {
    auto poly = Doubles(ring);
    const std::function<double(double, double)> side[4] = {[=](double x, double) { return x - l; },
                                                           [=](double x, double) { return r - x; },
                                                           [=](double, double y) { return y - t; },
                                                           [=](double, double y) { return b - y; }};
    for (const auto& inside : side) {
        std::vector<std::pair<double, double>> out;
        for (size_t i = 0; i < poly.size(); ++i) {
            const auto [ax, ay] = poly[i];
            const auto [bx, by] = poly[(i + 1) % poly.size()];
            const double da = inside(ax, ay), db = inside(bx, by);
            if (da >= 0) out.emplace_back(ax, ay);
            if ((da < 0) != (db < 0)) out.emplace_back(ax + (bx - ax) * da / (da - db), ay + (by - ay) * da / (da - db));
        }
        poly = out;
        if (poly.empty()) return 0;
    }
    return Shoelace(poly);
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

QByteArray Le32(int32_t v) {
    QByteArray b(4, 0);
    for (int i = 0; i < 4; ++i) b[i] = char((uint32_t(v) >> (8 * i)) & 0xFF);
    return b;
}

} // namespace

TEST(Poly, LoopsFlagsAndCount) {
    clsPoly p;
    EXPECT_EQ(p.RectBound(), clsRect(0, 0, -1, -1));
    p.SetRect(0, 0, 10, 5);
    EXPECT_EQ(Points(p), (Pts{{0, 0}, {10, 0}, {10, 5}, {0, 5}, {0, 0}}));
    EXPECT_TRUE(p.IsLoop());
    EXPECT_DOUBLE_EQ(p.Area(), 50);
    // Differences from point 1 that leave the 32-bit range.
    EXPECT_DOUBLE_EQ(Make({{-2000000000, -2000000000}, {2000000000, -2000000000}, {2000000000, 2000000000}}).Area(),
                     8e18);
    EXPECT_TRUE(Make({{0, 0}, {1, 0}, {1, 1}, {0, 0}}).IsLoop());
    EXPECT_FALSE(Make({{0, 0}, {1, 0}, {0, 0}}).IsLoop()); // needs more than 3 points
    clsPoly open = Make({{0, 0}, {4, 0}, {4, 3}});
    EXPECT_DOUBLE_EQ(open.Area(), 6); // closed implicitly
    open.MakeLoop();
    open.MakeLoop();
    EXPECT_EQ(Points(open), (Pts{{0, 0}, {4, 0}, {4, 3}, {0, 0}}));
    clsPoly two = Make({{0, 0}, {4, 0}});
    two.MakeLoop();
    EXPECT_EQ(two.Count(), 2);

    // Flags: 1 modified, 2 box valid; a change drops the box.
    clsPoly f = Make({{3, 4}, {-2, 9}, {7, 1}});
    EXPECT_EQ(f.Flags(), 1);
    EXPECT_EQ(f.RectBound(), clsRect(-2, 1, 7, 9));
    EXPECT_EQ(f.Flags(), 3);
    EXPECT_EQ(f.Copy().Flags(), 3); // box carried over, copy marked modified
    f.SetModify(false);
    EXPECT_EQ(f.Flags(), 0);
    EXPECT_EQ(f.Copy().Flags(), 1);
    f.RectBound();
    f.SetX(1, 100);
    EXPECT_EQ(f.Flags(), 1);
    EXPECT_EQ(f.RectBound(), clsRect(-2, 1, 100, 9));

    clsPoly c = Make({{1, 2}, {3, 4}});
    c.SetCount(4);
    EXPECT_EQ(Points(c), (Pts{{1, 2}, {3, 4}, {0, 0}, {0, 0}}));
    c.SetCount(-5);
    EXPECT_EQ(c.Count(), 0);
    c.SetModify(false);
    c.SetCount(0);
    EXPECT_TRUE(c.Modify());
}

TEST(Poly, IndexesOutsideTheListRaiseTheClassError) {
    clsPoly p = Make({{1, 2}, {4, 8}, {-3, 5}}), empty;
    EXPECT_EQ(p.LineWidth(1), 3);
    EXPECT_EQ(p.LineHeight(2), -3);
    int32_t a, b;
    const std::pair<const char*, std::function<void()>> calls[] = {
        {"x", [&] { (void)p.x(0); }},
        {"y", [&] { (void)p.y(4); }},
        {"x", [&] { p.SetX(4, 1); }},
        {"SetXandY", [&] { p.SetXandY(-1, 1, 1); }},
        {"GetXandY", [&] { p.GetXandY(4, a, b); }},
        {"LineWidth", [&] { (void)p.LineWidth(3); }},
        {"LineHeight", [&] { (void)p.LineHeight(0); }},
        {"GetPoint", [&] { (void)p.GetPoint(4); }},
        {"SetPoint", [&] { p.SetPoint(0, {}); }},
        {"LastX", [&] { (void)empty.LastX(); }},
        {"LastY", [&] { empty.SetLastY(1); }},
        {"GetLastXandY", [&] { empty.GetLastXandY(a, b); }},
        {"SetLastXandY", [&] { empty.SetLastXandY(1, 1); }},
    };
    for (const auto& [proc, call] : calls) {
        try {
            call();
            ADD_FAILURE() << "no error from " << proc;
        } catch (const VospError& e) {
            EXPECT_EQ(e.number, ErrBase + 1001) << proc;
            EXPECT_TRUE(e.source.startsWith(QStringLiteral("clsPoly.") + QLatin1String(proc))) << qPrintable(e.source);
        }
    }
    EXPECT_EQ(Points(p), (Pts{{1, 2}, {4, 8}, {-3, 5}}));
}

TEST(Poly, BoundsOverlapAndStraightLines) {
    clsPoly p = Make({{0, 0}, {10, 5}, {-4, 2}});
    int32_t l, t, r, b;
    p.GetBound4(l, t, r, b);
    EXPECT_EQ((std::vector<int32_t>{l, t, r, b}), (std::vector<int32_t>{-4, 0, 10, 5}));
    EXPECT_TRUE(p.IsOverlapArea(clsRect(10, 5, 20, 20))); // corner touch counts
    EXPECT_FALSE(p.IsOverlapArea(clsRect(11, 0, 20, 20)));
    EXPECT_TRUE(Make({{0, 3}, {5, 3}, {-2, 3}}).IsHorizontal());
    EXPECT_TRUE(Make({{2, 3}, {2, -3}}).IsVertical());
    EXPECT_FALSE(Make({{2, 3}}).IsVertical());
    // Past the first 20 points the cached box decides.
    Pts many(25, PolyPoint{1, 7});
    for (int i = 0; i < 25; ++i) many[i].x = i;
    many[22].y = 8;
    clsPoly m = Make(many);
    EXPECT_FALSE(m.IsHorizontal());
    m.SetY(23, 7);
    EXPECT_TRUE(m.IsHorizontal());
}

TEST(Poly, EditingAtTheEnds) {
    clsPoly p = Make({{1, 1}, {2, 2}, {3, 3}});
    EXPECT_FALSE(p.Del(0));
    EXPECT_FALSE(p.Del(4));
    EXPECT_TRUE(p.Del(2));
    EXPECT_TRUE(p.InsertXY(1, 0, 0));
    EXPECT_TRUE(p.InsertPoint(3, {2, 2}));
    EXPECT_FALSE(p.InsertXY(5, 9, 9)); // appending is AddXY's job
    EXPECT_FALSE(p.InsertXY(0, 9, 9));
    EXPECT_EQ(Points(p), (Pts{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));

    const Pts arr = {{1, 1}, {2, 2}, {3, 3}, {4, 4}};
    clsPoly a = Make({{9, 9}});
    EXPECT_TRUE(a.FromArray(arr, 1, 3, 10)); // 3 points from index 1, list grows to 5
    EXPECT_EQ(Points(a), (Pts{{9, 9}, {0, 0}, {2, 2}, {3, 3}, {4, 4}}));
    for (auto [src, dst, n] : {std::tuple{-1, 1, 1}, {0, 0, 1}, {0, 1, 0}, {4, 1, 1}})
        EXPECT_FALSE(a.FromArray(arr, src, dst, n)) << src << " " << dst << " " << n;
    Pts out(3);
    EXPECT_TRUE(a.ToArray(out, 4, 1, 10)); // 2 points left from 4, room for 2
    EXPECT_EQ(out, (Pts{{0, 0}, {3, 3}, {4, 4}}));
    for (auto [start, dst, n] : {std::tuple{6, 0, 1}, {0, 0, 1}, {1, 3, 1}, {1, -1, 1}})
        EXPECT_FALSE(a.ToArray(out, start, dst, n)) << start << " " << dst << " " << n;

    // Move works in 64 bits and stops at the ends.
    clsPoly m = Make({{1, 2}, {2147483000, -2147483000}});
    m.Move(1000, -1000);
    EXPECT_EQ(Points(m), (Pts{{1001, -998}, {2147483647, -2147483647 - 1}}));
}

TEST(Poly, ConnectAndDivide) {
    clsPoly a = Make({{0, 0}, {5, 0}});
    EXPECT_TRUE(a.Connect(Make({{5, 0}, {5, 5}}))); // the equal join point is shared
    EXPECT_EQ(Points(a), (Pts{{0, 0}, {5, 0}, {5, 5}}));
    EXPECT_TRUE(a.Connect(Make({{6, 0}})));
    EXPECT_EQ(a.Count(), 4);
    EXPECT_FALSE(a.Connect(clsPoly()));
    clsPoly e;
    EXPECT_TRUE(e.Connect(Make({{1, 1}})));
    // With itself: copied first.
    clsPoly ring;
    ring.SetRect(0, 0, 2, 2);
    EXPECT_TRUE(ring.Connect(ring));
    EXPECT_EQ(Points(ring), (Pts{{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}}));
    clsPoly self = Make({{0, 0}, {5, 0}, {5, 5}});
    EXPECT_TRUE(self.Connect(self));
    EXPECT_EQ(self.Count(), 6);

    clsPoly p = Make({{1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}});
    clsPoly tail = p.Divide(3);
    EXPECT_EQ(Points(p), (Pts{{1, 0}, {2, 0}, {3, 0}}));
    EXPECT_EQ(Points(tail), (Pts{{3, 0}, {4, 0}, {5, 0}}));
    EXPECT_EQ(Make({{1, 0}, {2, 0}}).Divide(1).Count(), 0);
    for (int32_t at : {4, 0}) EXPECT_EQ(p.Divide(at).Count(), 0) << at;
    EXPECT_EQ(Points(p.Divide(3)), (Pts{{3, 0}}));
    EXPECT_EQ(p.Count(), 3);
}

TEST(Poly, ChopInsertsRoundedPoints) {
    const struct {
        Pts in;
        int32_t pitch;
        int16_t mode;
        Pts out;
    } rows[] = {
        {{{0, 0}, {5, 0}}, 2, 1, {{0, 0}, {2, 0}, {3, 0}, {5, 0}}},
        {{{0, 0}, {5, 0}}, 3, 1, {{0, 0}, {2, 0}, {5, 0}}}, // 2.5 rounds to the even 2
        {{{5, 0}, {0, 0}}, 2, 1, {{5, 0}, {3, 0}, {2, 0}, {0, 0}}},
        {{{0, 0}, {10, 4}}, 4, 1, {{0, 0}, {3, 1}, {7, 3}, {10, 4}}}, // (3.33, 1.33) (6.67, 2.67)
        {{{0, 0}, {10, 4}}, 4, 2, {{0, 0}, {10, 4}}},                 // |dy| 4 does not exceed 4
        {{{0, 0}, {4, 10}, {4, 11}}, 5, 3, {{0, 0}, {2, 5}, {4, 10}, {4, 11}}},
        // Only the last step, and only the middle one, is long.
        {{{0, 0}, {1, 1}, {2, 0}, {8, 0}}, 3, 1, {{0, 0}, {1, 1}, {2, 0}, {5, 0}, {8, 0}}},
        {{{0, 0}, {3, 0}, {9, 0}, {12, 0}}, 3, 1, {{0, 0}, {3, 0}, {6, 0}, {9, 0}, {12, 0}}},
        {{{0, 0}, {3, 0}, {6, 0}}, 3, 1, {{0, 0}, {3, 0}, {6, 0}}}, // no step beyond the pitch
    };
    for (const auto& r : rows) {
        clsPoly p = Make(r.in);
        p.Chop(r.pitch, r.mode);
        EXPECT_EQ(Points(p), r.out) << r.pitch << " mode " << r.mode;
    }
    for (auto [pitch, mode] : {std::pair<int32_t, int16_t>{1, 1}, {10, 4}, {10, 0}, {-3, 3}}) {
        clsPoly q = Make({{0, 0}, {50, 0}});
        q.SetModify(false);
        EXPECT_FALSE(q.Chop(pitch, mode)) << "pitch " << pitch << " mode " << mode;
        EXPECT_EQ(q.Flags(), 0) << "pitch " << pitch << " mode " << mode;
    }
    // A list with no long step is left as it was, marked modified.
    clsPoly none = Make({{0, 0}, {3, 0}, {6, 3}});
    none.SetModify(false);
    EXPECT_TRUE(none.Chop(3, 3));
    EXPECT_EQ(none.Flags(), 1);
    // The box stays valid: inserted points lie on the segments.
    clsPoly b = Make({{0, 0}, {100, 0}, {100, 100}});
    b.RectBound();
    b.Chop(10, 3);
    EXPECT_EQ(b.Count(), 21);
    EXPECT_EQ(b.Flags(), 3);
}

TEST(Poly, ClipEachSideInsideAndOutside) {
    const clsRect r(0, 0, 9, 9);
    const struct {
        clsRect ring;
        Pts out;
    } sides[] = {
        {clsRect(-5, 2, 5, 8), {{0, 2}, {5, 2}, {5, 8}, {0, 8}, {0, 2}}},
        {clsRect(5, 2, 15, 8), {{5, 2}, {9, 2}, {9, 8}, {5, 8}, {5, 2}}},
        {clsRect(2, -5, 8, 5), {{8, 0}, {8, 5}, {2, 5}, {2, 0}, {8, 0}}},
        {clsRect(2, 5, 8, 15), {{2, 5}, {8, 5}, {8, 9}, {2, 9}, {2, 5}}},
        {clsRect(20, 2, 30, 8), {}},
    };
    for (const auto& s : sides) {
        clsPoly p;
        p.SetRect(s.ring.mLeft, s.ring.mTop, s.ring.mRight, s.ring.mBottom);
        EXPECT_EQ(p.Clip(r), !s.out.empty());
        EXPECT_EQ(Points(p), s.out);
    }
    // Crossing ordinates round halves to even: (0,0)-(-4,3) meets x = -2 at y 1.5.
    clsPoly tri = Make({{0, 0}, {-4, 3}, {0, 3}, {0, 0}});
    EXPECT_TRUE(tri.Clip(clsRect(-2, -10, 10, 10)));
    EXPECT_EQ(Points(tri), (Pts{{0, 0}, {-2, 2}, {-2, 3}, {0, 3}, {0, 0}}));
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
    EXPECT_FALSE(clsPoly().Clip(r));
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
        ASSERT_EQ(kept, want > 0) << round;
        if (!kept) continue;
        // A crossing moves by at most half a unit along its edge, which
        // changes the area by at most a quarter of its neighbours' distance.
        double perimeter = 2.0 * (r.Width() + r.Height());
        for (size_t i = 0; i < ring.size(); ++i)
            perimeter += std::hypot(double(ring[i].x) - ring[(i + 1) % ring.size()].x,
                                    double(ring[i].y) - ring[(i + 1) % ring.size()].y);
        EXPECT_NEAR(p.Area(), want, 0.5 * perimeter + want * 1e-9) << round;
        EXPECT_TRUE(p.IsLoop());
        for (const PolyPoint& q : p.Span()) EXPECT_TRUE(r.IsInner(q.x, q.y)) << q.x << "," << q.y;
    }
    // 1500 teeth cross the left edge 3000 times: far more points than the
    // count + 1000 the working block starts with.
    Pts zig;
    for (int i = 0; i < 1500; ++i) {
        zig.push_back({-10, 4 * i});
        zig.push_back({10, 4 * i + 2});
    }
    zig.insert(zig.end(), {{40, 6000}, {40, 0}, {-10, 0}});
    clsPoly z = Make(zig);
    const double want = IntersectionArea(zig, 0, -5, 100, 7000);
    EXPECT_TRUE(z.Clip(clsRect(0, -5, 100, 7000)));
    EXPECT_GT(z.Count(), 3000 + 1000);
    EXPECT_NEAR(z.Area(), want, 1e-6 * want);
}

TEST(Poly, CompressB) {
    const struct {
        Pts in;
        double dif, limit;
        Pts out;
    } rows[] = {
        {{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}, 0.5, 100, {{0, 0}, {4, 0}}},
        {{{4, 0}, {3, 0}, {2, 0}, {1, 0}, {0, 0}}, 0.5, 100, {{4, 0}, {0, 0}}},
        // A level line running back over itself spans its whole box; ends
        // nearer together going up: drawn from the top down.
        {{{0, 5}, {0, 9}, {0, -3}, {0, 2}}, 0, 0, {{0, 9}, {0, -3}}},
        {{{0, 0}, {1, 0}, {2, 0}}, 1, 100, {{0, 0}, {1, 0}, {2, 0}}},
        // Six points on (3t, 4t), steps 5 long, limit 15 (ends at most 3 steps
        // apart). Pass 1 (starts 1..4): start 1 drops t1, the walk goes on at
        // start 2 (t2,t3,t4) and drops t3; the window end, now 2, is reached.
        // Pass 2: (t0,t2,t4) spans 4 steps; start 2 (t2,t4,t5) spans 3, drops
        // t4. Pass 3: nothing. Re-examining start 1 right after a removal
        // would drop t2 and keep t3; this pins the reading that moves on.
        {{{0, 0}, {3, 4}, {6, 8}, {9, 12}, {12, 16}, {15, 20}}, 0.5, 15, {{0, 0}, {6, 8}, {15, 20}}},
        // The bump (50,2) is a detour of 2 sqrt(2504) - 100 = 0.0800; the corners tens of units.
        {{{0, 0}, {50, 2}, {100, 0}, {100, 100}, {0, 100}}, 0.05, 1000, {{0, 0}, {50, 2}, {100, 0}, {100, 100}, {0, 100}}},
        {{{0, 0}, {50, 2}, {100, 0}, {100, 100}, {0, 100}}, 0.1, 1000, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}},
        // Ends 100 apart are beyond a limit of 99.
        {{{0, 0}, {50, 2}, {100, 0}, {100, 100}, {0, 100}}, 1, 99, {{0, 0}, {50, 2}, {100, 0}, {100, 100}, {0, 100}}},
        {{{0, 0}, {50, 2}, {100, 0}, {100, 100}, {0, 100}}, 1, 100, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}},
    };
    // Nothing to remove from lists whose first 20 points lie on one row
    // (column): the straight test has worked out the box all the same.
    Pts row, column;
    for (int32_t i = 0; i < 20; ++i) row.push_back({i % 2 ? 10 : 0, 0}), column.push_back({0, i % 2 ? 10 : 0});
    row.push_back({0, 5});
    column.push_back({5, 0});
    const struct {
        const char* name;
        Pts in;
        uint16_t flags;
    } kept[] = {{"row", row, 2}, {"column", column, 2}, {"zig-zag", {{0, 0}, {10, 5}, {0, 10}, {10, 15}}, 0}};
    for (const auto& k : kept) {
        clsPoly p = Make(k.in);
        p.SetModify(false);
        p.CompressB(0.5, 100);
        EXPECT_EQ(Points(p), k.in) << k.name;
        EXPECT_EQ(p.Flags(), k.flags) << k.name;
    }
    for (const auto& r : rows) {
        clsPoly p = Make(r.in);
        p.SetModify(false);
        p.CompressB(r.dif, r.limit);
        EXPECT_EQ(Points(p), r.out) << r.in.size() << " points, " << r.dif << " " << r.limit;
        EXPECT_EQ(p.Modify(), r.out != r.in);
    }
}

// A random walk on the pixel grid from near the origin, of 4 to 3 + longest
// points: runs of one point, straight stretches, jumps and steps to a
// neighbour, `shape` saying how many kinds of move share the draw (the last
// kinds all being steps), how long runs and stretches get, how far a
// stretch's step reaches and how far a jump goes.
struct WalkShape {
    unsigned kinds, runs, reach, stretches;
    int jump;
};

Pts RandomWalk(std::mt19937& rng, unsigned longest, const WalkShape& shape) {
    Pts in;
    PolyPoint at{int32_t(rng() % 100), int32_t(rng() % 100)};
    const int n = 4 + int(rng() % longest);
    const int32_t reach = int32_t(shape.reach), jump = shape.jump;
    while (int(in.size()) < n) {
        switch (rng() % shape.kinds) {
        case 0: // a run of one point
            for (unsigned r = rng() % shape.runs; r-- > 0;) in.push_back(at);
            break;
        case 1: { // a straight stretch, forward or back
            const int32_t dx = int32_t(rng() % (2 * shape.reach + 1)) - reach;
            const int32_t dy = int32_t(rng() % (2 * shape.reach + 1)) - reach;
            for (unsigned r = rng() % shape.stretches; r-- > 0;) at = {at.x + dx, at.y + dy}, in.push_back(at);
            break;
        }
        case 2: // a jump
            at = {at.x + int32_t(rng() % unsigned(2 * jump)) - jump, at.y + int32_t(rng() % unsigned(2 * jump)) - jump};
            in.push_back(at);
            break;
        default: // a step to a neighbour
            at = {at.x + int32_t(rng() % 3) - 1, at.y + int32_t(rng() % 3) - 1};
            in.push_back(at);
        }
    }
    return in;
}

// The thinning rule read literally, one deletion at a time: passes over a
// window of triple starts, the walk going on at the next start after a
// removal, the next window from the point before the first removal to the
// start of the last one.
Pts ThinByTheRule(Pts p, double dif, double limit) {
    if (p.size() < 4) return p;
    auto len = [](PolyPoint a, PolyPoint b) {
        const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
        return std::sqrt(dx * dx + dy * dy);
    };
    const bool level = std::all_of(p.begin(), p.end(), [&](PolyPoint q) { return q.y == p[0].y; });
    const bool upright = std::all_of(p.begin(), p.end(), [&](PolyPoint q) { return q.x == p[0].x; });
    if (level || upright) {
        const auto [x0, x1] = std::minmax_element(p.begin(), p.end(), [](auto a, auto b) { return a.x < b.x; });
        const auto [y0, y1] = std::minmax_element(p.begin(), p.end(), [](auto a, auto b) { return a.y < b.y; });
        const PolyPoint lo{x0->x, y0->y}, hi{x1->x, y1->y};
        const bool forward = p.back().x - p.front().x > 0 || p.back().y - p.front().y > 0;
        return forward ? Pts{lo, hi} : Pts{hi, lo};
    }
    size_t first = 1, last = p.size() - 2; // 1-based triple starts
    for (;;) {
        size_t removedAt = 0, lastAt = 0;
        for (size_t i = first; i <= last && i + 2 <= p.size(); ++i) {
            const PolyPoint a = p[i - 1], b = p[i], c = p[i + 1];
            const double straight = len(a, c), detour = len(a, b) + len(b, c) - straight;
            if (straight <= limit && (detour <= dif || detour <= 0)) {
                p.erase(p.begin() + std::ptrdiff_t(i));
                if (removedAt == 0) removedAt = i;
                lastAt = i;
                --last;
            }
        }
        if (removedAt == 0) return p;
        first = removedAt >= 2 ? removedAt - 1 : removedAt;
        last = lastAt;
    }
}

TEST(Poly, CompressBKeepsWhatTheRuleKeepsOnCanvasLikeLists) {
    // Canvas lists as the plot makes them: runs of one pixel, straight
    // stretches, single steps and jumps beyond the limit, so that every
    // branch of the walk (equal neighbours, reused legs, windows that
    // start over at the first point) is taken.
    std::mt19937 rng(37);
    const struct {
        const char* name;
        double dif, limit;
        int jump;
    } kinds[] = {
        {"pixels", 0.0005, 80.0, 200},
        {"pixels, short limit", 0.0005, 3.0, 10},
        {"plane metres", 4.2, 4200.0, 9000},
        {"no limit", 1.0, 1e9, 50},
    };
    for (const auto& k : kinds) {
        for (int round = 0; round < 3000; ++round) {
            Pts in = RandomWalk(rng, 60, {5, 6, 1, 8, k.jump});
            if (rng() % 4 == 0) in.push_back(in.front()); // a ring
            clsPoly p = Make(in);
            p.SetModify(false);
            p.CompressB(k.dif, k.limit);
            const Pts want = ThinByTheRule(in, k.dif, k.limit);
            ASSERT_EQ(Points(p), want) << k.name << ", round " << round;
            ASSERT_EQ(p.Modify(), want != in) << k.name << ", round " << round;
        }
    }
}

// Triples at the edges of what integers decide: ends exactly at the limit
// or one pixel beyond, detours a hair either side of dif, legs running back
// along each other, runs of one point, straight legs of irrational length
// and legs too long for integers.
TEST(Poly, CompressBAtTheThresholdsKeepsWhatTheRuleKeeps) {
    constexpr int32_t kFar = 1 << 21;
    const struct {
        const char* name;
        Pts in;
        double dif, limit;
        Pts out;
    } rows[] = {
        {"ends at the limit", {{0, 0}, {40, 0}, {80, 0}, {80, 50}}, 0.0005, 80, {{0, 0}, {80, 0}, {80, 50}}},
        {"ends a pixel beyond", {{0, 0}, {40, 0}, {81, 0}, {81, 50}}, 0.0005, 80, {{0, 0}, {40, 0}, {81, 0}, {81, 50}}},
        {"slanting ends at the limit", {{0, 0}, {24, 32}, {48, 64}, {0, 64}}, 0.0005, 80, {{0, 0}, {48, 64}, {0, 64}}},
        {"a limit between squares", {{0, 0}, {40, 0}, {81, 0}, {81, 50}}, 0.0005, 80.5, {{0, 0}, {40, 0}, {81, 0}, {81, 50}}},
        // sqrt 6401 = 80.00625: a repeated point goes only under a limit above it.
        {"root just beyond", {{0, 0}, {0, 0}, {80, 1}, {80, 60}}, 0.0005, 80.006, {{0, 0}, {0, 0}, {80, 1}, {80, 60}}},
        {"root just within", {{0, 0}, {0, 0}, {80, 1}, {80, 60}}, 0.0005, 80.0063, {{0, 0}, {80, 1}, {80, 60}}},
        // (50, 1) is a detour of 2 sqrt 2501 - 100 = 0.0199980.
        {"detour just above dif", {{0, 0}, {50, 1}, {100, 0}, {100, 9}}, 0.01999, 1000, {{0, 0}, {50, 1}, {100, 0}, {100, 9}}},
        {"detour just below dif", {{0, 0}, {50, 1}, {100, 0}, {100, 9}}, 0.019999, 1000, {{0, 0}, {100, 0}, {100, 9}}},
        {"a pixel off the line", {{0, 0}, {1, 1}, {2, 1}, {2, 9}}, 0.0005, 80, {{0, 0}, {1, 1}, {2, 1}, {2, 9}}},
        // Back along the line: a detour of twice the shorter leg (the
        // limit keeps the turn after it).
        {"back one pixel", {{0, 0}, {1, 0}, {0, 0}, {0, 5}}, 1.9999, 4, {{0, 0}, {1, 0}, {0, 0}, {0, 5}}},
        {"back one pixel, dif 2", {{0, 0}, {1, 0}, {0, 0}, {0, 5}}, 2, 4, {{0, 0}, {0, 0}, {0, 5}}},
        {"back five", {{0, 0}, {10, 0}, {5, 0}, {5, 9}}, 9.99, 10, {{0, 0}, {10, 0}, {5, 0}, {5, 9}}},
        {"back five, dif 10", {{0, 0}, {10, 0}, {5, 0}, {5, 9}}, 10, 10, {{0, 0}, {5, 0}, {5, 9}}},
        {"runs of one point", {{3, 3}, {3, 3}, {3, 3}, {3, 3}, {7, 9}, {7, 9}, {7, 9}, {0, 9}}, 0.0005, 80,
         {{3, 3}, {7, 9}, {0, 9}}},
        {"a run beyond the limit", {{3, 3}, {3, 3}, {3, 3}, {90, 3}, {90, 3}, {90, 9}}, 0.0005, 80,
         {{3, 3}, {3, 3}, {90, 3}, {90, 9}}},
        {"a repeated point, ends beyond 10^7", {{0, 0}, {0, 0}, {20000000, 0}, {20000000, 9}}, 0.0005, 1e7,
         {{0, 0}, {0, 0}, {20000000, 0}, {20000000, 9}}},
        {"a repeated point, ends within 10^8", {{0, 0}, {0, 0}, {20000000, 0}, {20000000, 9}}, 0.0005, 1e8,
         {{0, 0}, {20000000, 0}, {20000000, 9}}},
        {"a repeated point, ends 2^26 apart", {{0, 0}, {1 << 26, 0}, {1 << 26, 0}, {1 << 26, 9}}, 0.0005, 1e9,
         {{0, 0}, {1 << 26, 0}, {1 << 26, 9}}},
        {"a repeated point, ends 2^26 apart, limit 2^26 - 1", {{0, 0}, {0, 0}, {0, 1 << 26}, {9, 1 << 26}}, 0.0005,
         (1 << 26) - 1, {{0, 0}, {0, 0}, {0, 1 << 26}, {9, 1 << 26}}},
        {"on a diagonal", {{0, 0}, {1, 1}, {3, 3}, {6, 6}, {6, 0}}, 0.0005, 80, {{0, 0}, {6, 6}, {6, 0}}},
        {"on a diagonal, dif 0", {{0, 0}, {1, 1}, {3, 3}, {6, 6}, {6, 0}}, 0, 80, {}},
        {"no limit at all", {{0, 0}, {1, 1}, {2, 2}, {2, 0}}, 0.0005, -1, {{0, 0}, {1, 1}, {2, 2}, {2, 0}}},
        // 1000 off the middle of 2^22 is a detour of about 0.477.
        {"legs beyond 2^20", {{0, 0}, {kFar, 1000}, {2 * kFar, 0}, {2 * kFar, 5}}, 0.0005, 1e9,
         {{0, 0}, {kFar, 1000}, {2 * kFar, 0}, {2 * kFar, 5}}},
        {"straight legs beyond 2^20", {{0, 0}, {kFar, kFar}, {2 * kFar, 2 * kFar}, {0, 5}}, 0.0005, 1e9,
         {{0, 0}, {2 * kFar, 2 * kFar}, {0, 5}}},
    };
    for (const auto& r : rows) {
        const Pts want = ThinByTheRule(r.in, r.dif, r.limit);
        // An empty row leaves the outcome to the rule (rounding decides it).
        if (!r.out.empty()) {
            EXPECT_EQ(want, r.out) << r.name << " (the rule itself)";
        }
        clsPoly p = Make(r.in);
        p.CompressB(r.dif, r.limit);
        EXPECT_EQ(Points(p), want) << r.name;
        Pts bare = r.in;
        bare.resize(clsPoly::CompressPoints(bare, r.dif, r.limit));
        EXPECT_EQ(bare, want) << r.name << " (bare block)";
    }
}

// Long lists thinned over many passes, with the rule's edges in reach:
// dif 0 and 2 (collinear and backtracking triples left to the doubles), a
// limit between squares, legs beyond the integers' reach, rows and columns.
TEST(Poly, CompressBAndTheBareBlockKeepWhatTheRuleKeepsOnLongLists) {
    std::mt19937 rng(1109);
    const struct {
        const char* name;
        double dif, limit;
        int jump;
    } kinds[] = {
        {"pixels", 0.0005, 80.0, 120},  {"dif 0", 0.0, 80.0, 120},           {"dif 2", 2.0, 6.5, 20},
        {"limit 2.5", 0.0005, 2.5, 4}, {"far legs", 0.0005, 1e12, 1 << 22}, {"no limit", 0.0005, -1, 50},
    };
    for (const auto& k : kinds) {
        for (int round = 0; round < 60; ++round) {
            Pts in = RandomWalk(rng, 1500, {6, 40, 2, 30, k.jump});
            const bool row = round % 10 == 0, column = round % 10 == 1;
            for (PolyPoint& q : in) {
                if (row) q.y = 7;
                if (column) q.x = -7;
            }
            const Pts want = ThinByTheRule(in, k.dif, k.limit);
            clsPoly p = Make(in);
            p.CompressB(k.dif, k.limit);
            ASSERT_EQ(Points(p), want) << k.name << ", round " << round;
            Pts bare = in;
            bare.resize(clsPoly::CompressPoints(bare, k.dif, k.limit));
            ASSERT_EQ(bare, want) << k.name << ", round " << round << " (bare block)";
        }
    }
}

TEST(Poly, CompressHalfAveragesTriples) {
    clsPoly ring;
    ring.SetRect(0, 0, 10, 5); // 5 points: triples at 1 and 3
    const struct {
        Pts in, out;
    } rows[] = {
        {{{0, 0}, {3, 3}, {6, 0}, {9, 3}, {12, 0}}, {{0, 0}, {6, 2}, {12, 0}}},
        {{{0, 0}, {-1, -1}, {-1, 0}, {0, -1}, {5, 5}}, {{0, 0}, {0, 0}, {5, 5}}}, // -2/3 truncates toward zero
        {{{1, 1}, {2, 2}}, {{1, 1}, {2, 2}}},
        {{{1, 1}}, {{1, 1}}},
        {Points(ring), {{6, 1}, {3, 3}}},
        // Triples at 1 and 3, midpoint of the last two, closed.
        {{{0, 0}, {9, 0}, {9, 9}, {3, 9}, {0, 6}, {0, 0}}, {{6, 3}, {4, 8}, {0, 3}, {6, 3}}},
        // Sums beyond 32 bits.
        {{{2000000000, -2000000000}, {2000000001, -2000000001}, {2000000002, -2000000002}, {2000000003, -2000000003}},
         {{2000000000, -2000000000}, {2000000003, -2000000003}}},
        {{{2147483647, 0}, {2147483647, 1}, {2147483646, 1}, {2147483647, 0}}, {{2147483646, 0}, {2147483646, 0}}},
    };
    for (const auto& r : rows) {
        clsPoly p = Make(r.in);
        p.CompressHalf();
        EXPECT_EQ(Points(p), r.out) << r.in.size() << " points from " << r.in[0].x;
    }
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
    QByteArray zero = Le32(0);
    pos = 0;
    p.Load(zero, pos, true);
    EXPECT_EQ(p.Count(), 0);
    EXPECT_EQ(pos, 4);
    // A 16-bit count FF FF is 65535, unsigned.
    QByteArray ffff = QByteArray::fromHex("FFFF") + QByteArray(65535 * 8, 0);
    ffff.replace(2, 8, Le32(-7) + Le32(3));
    ffff.replace(2 + 65534 * 8, 8, Le32(11) + Le32(-12));
    pos = 0;
    p.Load(ffff, pos, false);
    EXPECT_EQ(p.Count(), 65535);
    EXPECT_EQ(p.GetPoint(1), (PolyPoint{-7, 3}));
    EXPECT_EQ(p.GetPoint(65535), (PolyPoint{11, -12}));
    EXPECT_EQ(pos, ffff.size());
    // From an open device: the position moves past each block.
    QByteArray dev = Le32(1) + Le32(10) + Le32(20) + QByteArray::fromHex("0100") + Le32(5) + Le32(6);
    QBuffer buf(&dev);
    ASSERT_TRUE(buf.open(QIODevice::ReadOnly));
    p.Load(buf, true);
    EXPECT_EQ(Points(p), (Pts{{10, 20}}));
    p.Load(buf, false);
    EXPECT_EQ(Points(p), (Pts{{5, 6}}));
    EXPECT_TRUE(buf.atEnd());
}

TEST(Poly, LoadRejectsCountsTheDataCannotHold) {
    const QByteArray cases[] = {
        QByteArray::fromHex("FFFF"),                               // 65535 points announced, none there
        Le32(-1) + Le32(0) + Le32(0),                              // negative count
        Le32(int32_t(0x80000000)),                                 // most negative count
        Le32(3) + Le32(1) + Le32(2) + Le32(3) + Le32(4) + Le32(5), // truncated block
        Le32(0x7FFFFFFF),                                          // huge count
        Le32(268435456) + QByteArray(64, 0),                       // beyond the list's limit
        QByteArray::fromHex("01"),                                 // count itself cut off
    };
    for (const QByteArray& data : cases) {
        SCOPED_TRACE(data.left(16).toHex().constData());
        const bool bLong = data.size() > 2;
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
        QByteArray copy = data;
        QBuffer buf(&copy);
        ASSERT_TRUE(buf.open(QIODevice::ReadOnly));
        EXPECT_THROW(p.Load(buf, bLong), VospError);
        EXPECT_EQ(buf.pos(), 0);
        EXPECT_EQ(Points(p), (Pts{{4, 4}}));
    }
}
