// The list forms against the point forms, for every index, at every lane
// width this machine runs: the vector maths may differ in the last bits only
// (1e-12 of the sphere's radius), the accepted points must agree, and a
// refused point keeps the point form's leftovers.
#include "ProjectorKit.h"
#include "core/PrjBatch.h"

#include <algorithm>
#include <array>
#include <functional>
#include <bit>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using namespace pk;

// A grid over the whole sphere and beyond the centre meridian's turn, with
// the poles, the equator and the date line on it, 7 points short of a lane
// multiple so that the padded tail is exercised.
std::vector<PolyPoint> Grid() {
    std::vector<PolyPoint> g;
    for (int32_t lat = -90 * D; lat <= 90 * D; lat += 5 * D + 17)
        for (int32_t lon = -200 * D; lon <= 200 * D; lon += 7 * D + 11) g.push_back({lon, lat});
    for (const int32_t lat : {-90 * D, 0, 90 * D})
        for (const int32_t lon : {-180 * D, 0, 180 * D}) g.push_back({lon, lat});
    g.resize(g.size() - g.size() % 4 + 1);
    return g;
}

bool Near(double a, double b, double tol) { return std::isnan(b) ? std::isnan(a) : std::fabs(a - b) <= tol; }

// Calls `check` with the lane width, the index and twin projectors (list,
// point) for every lane width the machine runs and six centres (three at or
// by a pole, where the vector maths' last bits weigh most), with `farTurn` a
// seventh far past a turn (the inverses' seconds then need more than one
// turn taken off), then puts the lane limit back.
void ForEachCase(const std::function<void(int, int16_t, clsVospProjector&, clsVospProjector&)>& check,
                 bool farTurn = false) {
    std::vector<std::array<int32_t, 2>> centres = {{135 * D, 35 * D}, {-20 * D, -50 * D}, {0, 0},
                                                   {0, 90 * D - 1},   {0, -90 * D},       {-78076, -1}};
    if (farTurn) centres.push_back({-700 * D, 20 * D});
    for (const int lanes : {1, 2, 4}) {
        if (lanes > PrjBatch::MachineLanes()) continue;
        PrjBatch::SetLaneLimit(lanes);
        for (const int16_t index : kAll) {
            for (const auto& c : centres) {
                SCOPED_TRACE(testing::Message() << "lanes " << lanes << " index " << index << " centre " << c[0] / D
                                                << "," << c[1] / D);
                clsVospProjector list = Make(index, c[0], c[1], 3), one = list;
                check(lanes, index, list, one);
            }
        }
    }
    PrjBatch::SetLaneLimit(4);
}

TEST(ProjectorBatch, ListFormMatchesThePointForm) {
    const std::vector<PolyPoint> grid = Grid();
    ForEachCase([&](int, int16_t, clsVospProjector& list, clsVospProjector& one) {
        std::vector<PlaneXY> xy(grid.size());
        const std::unique_ptr<bool[]> okStore(new bool[grid.size()]);
        const std::span<bool> ok(okStore.get(), grid.size());
        list.CnvLLtoXY(grid, xy, ok);
        int bad = 0;
        for (size_t i = 0; i < grid.size() && bad < 3; ++i) {
            double ex = 0, ey = 0;
            const bool eok = one.CnvLLtoXY(grid[i].x, grid[i].y, ex, ey);
            const double tol = 1e-12 * kR * std::max({1.0, std::fabs(ex) / kR, std::fabs(ey) / kR});
            if (ok[i] != eok || !Near(xy[i].x, ex, tol) || !Near(xy[i].y, ey, tol)) {
                ++bad;
                ADD_FAILURE() << "point " << grid[i].x << "," << grid[i].y << ": " << xy[i].x << "," << xy[i].y << " "
                              << ok[i] << " against " << ex << "," << ey << " " << eok;
            }
        }
        // Both leave the projector where the next single point finds it.
        double ax, ay, bx, by;
        EXPECT_EQ(list.CnvLLtoXY(0, 100 * D, ax, ay), one.CnvLLtoXY(0, 100 * D, bx, by));
        EXPECT_TRUE(Near(ax, bx, 1e-12 * kR * 4) && Near(ay, by, 1e-12 * kR * 4));
    });
}

// Without the refusals asked for, a list the projection takes whole goes
// another way through the list form: the same coordinates to the bit and
// the same place left for the next point, also when that point is refused
// and keeps it.
TEST(ProjectorBatch, ListFormWithoutRefusalsMatchesTheListFormWithThem) {
    ForEachCase([&](int, int16_t, clsVospProjector& list, clsVospProjector& asked) {
        // Round the equator's middle: whole for the centre at (0, 0).
        std::vector<PolyPoint> near;
        for (int32_t dx = -3; dx <= 3; ++dx)
            for (int32_t dy = -2; dy <= 2; ++dy) near.push_back({dx * 7919, dy * 6007});
        for (const std::vector<PolyPoint>& pts : {near, Grid()}) {
            std::vector<PlaneXY> a(pts.size()), b(pts.size());
            const std::unique_ptr<bool[]> okStore(new bool[pts.size()]);
            list.CnvLLtoXY(pts, a);
            asked.CnvLLtoXY(pts, b, std::span<bool>(okStore.get(), pts.size()));
            for (size_t i = 0; i < pts.size(); ++i) {
                ASSERT_EQ(std::bit_cast<uint64_t>(a[i].x), std::bit_cast<uint64_t>(b[i].x)) << i;
                ASSERT_EQ(std::bit_cast<uint64_t>(a[i].y), std::bit_cast<uint64_t>(b[i].y)) << i;
            }
            EXPECT_EQ(std::bit_cast<uint64_t>(list.TrailOf().xy.x), std::bit_cast<uint64_t>(asked.TrailOf().xy.x));
            EXPECT_EQ(std::bit_cast<uint64_t>(list.TrailOf().xy.y), std::bit_cast<uint64_t>(asked.TrailOf().xy.y));
            for (const PolyPoint next : {PolyPoint{0, 100 * D}, PolyPoint{10 * D, 10 * D}}) {
                double ax, ay, bx, by;
                EXPECT_EQ(list.CnvLLtoXY(next.x, next.y, ax, ay), asked.CnvLLtoXY(next.x, next.y, bx, by));
                EXPECT_EQ(std::bit_cast<uint64_t>(ax), std::bit_cast<uint64_t>(bx));
                EXPECT_EQ(std::bit_cast<uint64_t>(ay), std::bit_cast<uint64_t>(by));
            }
        }
    });
}

// A list longer than the pieces the projector works in (several grids in a
// row, refused points on every piece's edge among them) gives, to the bit,
// what lists of a thousand points one after the other give, with and without
// the refusals asked for, and leaves the same place for the next point.
TEST(ProjectorBatch, AListLongerThanAPieceIsTheListsOfItsParts) {
    std::vector<PolyPoint> pts;
    for (int k = 0; k < 6; ++k) {
        const std::vector<PolyPoint> grid = Grid();
        pts.insert(pts.end(), grid.begin(), grid.end());
    }
    ForEachCase([&](int, int16_t, clsVospProjector& whole, clsVospProjector& parts) {
        for (const bool asked : {false, true}) {
            std::vector<PlaneXY> a(pts.size()), b(pts.size());
            const std::unique_ptr<bool[]> okA(new bool[pts.size()]), okB(new bool[pts.size()]);
            const std::span<bool> wholeOk = asked ? std::span<bool>(okA.get(), pts.size()) : std::span<bool>();
            whole.CnvLLtoXY(pts, a, wholeOk);
            for (size_t at = 0; at < pts.size(); at += 1000) {
                const size_t m = std::min<size_t>(1000, pts.size() - at);
                parts.CnvLLtoXY(std::span(pts).subspan(at, m), std::span(b).subspan(at, m),
                                asked ? std::span<bool>(okB.get() + at, m) : std::span<bool>());
            }
            for (size_t i = 0; i < pts.size(); ++i) {
                ASSERT_EQ(std::bit_cast<uint64_t>(a[i].x), std::bit_cast<uint64_t>(b[i].x)) << i;
                ASSERT_EQ(std::bit_cast<uint64_t>(a[i].y), std::bit_cast<uint64_t>(b[i].y)) << i;
                if (asked) {
                    ASSERT_EQ(okA[i], okB[i]) << i;
                }
            }
            double ax, ay, bx, by;
            EXPECT_EQ(whole.CnvLLtoXY(0, 100 * D, ax, ay), parts.CnvLLtoXY(0, 100 * D, bx, by));
            EXPECT_EQ(std::bit_cast<uint64_t>(ax), std::bit_cast<uint64_t>(bx));
            EXPECT_EQ(std::bit_cast<uint64_t>(ay), std::bit_cast<uint64_t>(by));
        }
    });
}

// Asking for the first point's result alone gives what ok[0] gives, and to
// the bit the coordinates and the place left of the list asked for every
// point: for lists that start refused (the grid starts at the south pole and
// beyond the turn) and accepted, one point long, short, and longer than a
// piece.
TEST(ProjectorBatch, TheFirstPointsReportIsThatOfTheWholeList) {
    const std::vector<PolyPoint> grid = Grid();
    std::vector<PolyPoint> centred(grid.begin(), grid.end());
    std::rotate(centred.begin(), centred.begin() + long(centred.size() / 2), centred.end());
    std::vector<PolyPoint> longer;
    for (int k = 0; k < 5; ++k) longer.insert(longer.end(), centred.begin(), centred.end());
    int refused = 0, accepted = 0;
    ForEachCase([&](int, int16_t, clsVospProjector& first, clsVospProjector& every) {
        for (const std::vector<PolyPoint>* list : std::array<const std::vector<PolyPoint>*, 3>{&grid, &centred, &longer}) {
            for (const size_t n : {size_t(1), size_t(9), list->size()}) {
                SCOPED_TRACE(testing::Message() << "points " << n << " starting " << (*list)[0].x / D << ","
                                                << (*list)[0].y / D);
                const std::span<const PolyPoint> pts = std::span(*list).first(n);
                std::vector<PlaneXY> a(n), b(n);
                const std::unique_ptr<bool[]> ok(new bool[n]);
                every.CnvLLtoXY(pts, b, std::span<bool>(ok.get(), n));
                bool firstOk = !ok[0]; // written over, whichever it is
                first.CnvLLtoXY(pts, a, {}, &firstOk);
                EXPECT_EQ(firstOk, ok[0]);
                ++(ok[0] ? accepted : refused);
                for (size_t i = 0; i < n; ++i) {
                    ASSERT_EQ(std::bit_cast<uint64_t>(a[i].x), std::bit_cast<uint64_t>(b[i].x)) << i;
                    ASSERT_EQ(std::bit_cast<uint64_t>(a[i].y), std::bit_cast<uint64_t>(b[i].y)) << i;
                }
                EXPECT_EQ(std::bit_cast<uint64_t>(first.TrailOf().xy.x), std::bit_cast<uint64_t>(every.TrailOf().xy.x));
                EXPECT_EQ(std::bit_cast<uint64_t>(first.TrailOf().xy.y), std::bit_cast<uint64_t>(every.TrailOf().xy.y));
            }
        }
    });
    EXPECT_GT(refused, 0);
    EXPECT_GT(accepted, 0);
}

// The inverse over the grid's images, the same stretched half as far again
// (many refused), points half a second from the grid's (where the rounding
// turns on the last bits), one that lands a hair from half a second with
// the last centre, and a non-finite point: the same seconds, the same
// refusals, the same leftovers. Indexes without a vector inverse are taken
// at one lane only.
TEST(ProjectorBatch, InverseListMatchesThePointForm) {
    const std::vector<PolyPoint> grid = Grid();
    ForEachCase(
        [&](int lanes, int16_t index, clsVospProjector& list, clsVospProjector& one) {
            if (lanes > 1 && !PrjRegistry::Implemented(index)->inverse2) return;
            clsVospProjector fwd = one; // keeps the other two untouched by the forward
            std::vector<PlaneXY> xy;
            for (const double stretch : {1.0, 1.5})
                for (const PolyPoint& g : grid) {
                    double x = 0, y = 0;
                    fwd.CnvLLtoXY(g.x, g.y, x, y);
                    xy.push_back({x * stretch, y * stretch});
                }
            for (const PolyPoint& g : grid) {
                double x = 0, y = 0, ex = 0, ny = 0;
                if (!fwd.CnvLLtoXY(g.x, g.y, x, y) || !fwd.CnvLLtoXY(g.x + 1, g.y, ex, ny)) continue;
                xy.push_back({(x + ex) / 2, (y + ny) / 2});
            }
            xy.push_back({-3241456.7096252693, 0});
            xy.insert(xy.begin() + 5, PlaneXY{std::nan(""), 0});
            std::vector<PolyPoint> ll(xy.size(), PolyPoint{7, 7});
            const std::unique_ptr<bool[]> okStore(new bool[xy.size()]);
            list.CnvXYtoLL(xy, ll, std::span<bool>(okStore.get(), xy.size()));
            int bad = 0, refused = 0;
            for (size_t i = 0; i < xy.size() && bad < 3; ++i) {
                int32_t lon = 0, lat = 0;
                const bool eok = one.CnvXYtoLL(xy[i].x, xy[i].y, lon, lat);
                refused += !eok;
                if (okStore[i] != eok || ll[i].x != lon || ll[i].y != lat) {
                    ++bad;
                    ADD_FAILURE() << "point " << xy[i].x << "," << xy[i].y << ": " << ll[i].x << "," << ll[i].y
                                  << " against " << lon << "," << lat << " " << eok;
                }
            }
            EXPECT_GT(refused, 0);
            int32_t a[2], b[2]; // a refused point shows the leftovers
            EXPECT_EQ(list.CnvXYtoLL(kR * 9, 0, a[0], a[1]), one.CnvXYtoLL(kR * 9, 0, b[0], b[1]));
            EXPECT_TRUE(a[0] == b[0] && a[1] == b[1]);
            // A list whose last point is accepted (near the centre) leaves that
            // point behind too.
            const std::vector<PlaneXY> tail = {{kR * 9, 0}, {1000, 2000}, {-3000, 500}};
            std::vector<PolyPoint> tll(tail.size());
            list.CnvXYtoLL(tail, tll);
            for (const PlaneXY& t : tail) one.CnvXYtoLL(t.x, t.y, b[0], b[1]);
            EXPECT_EQ(list.CnvXYtoLL(kR * 9, 0, a[0], a[1]), one.CnvXYtoLL(kR * 9, 0, b[0], b[1]));
            EXPECT_TRUE(a[0] == b[0] && a[1] == b[1]) << a[0] << "," << a[1] << " against " << b[0] << "," << b[1];
        },
        true);
}

// Every projection with a closed-form inverse has list forms both ways at
// both widths; the two that search for their inverse have the forward ones.
TEST(ProjectorBatch, ClosedFormsHaveListFormsBothWays) {
    for (const int16_t index : kAll) {
        SCOPED_TRACE(testing::Message() << "index " << index);
        const PrjRegistry::Entry* e = PrjRegistry::Implemented(index);
        ASSERT_NE(e, nullptr);
        EXPECT_TRUE(e->forward2 && e->forward4);
        const bool searched = index == 20 || index == 30;
        EXPECT_EQ(e->inverse2 != nullptr, !searched);
        EXPECT_EQ(e->inverse4 != nullptr, !searched);
    }
}

// Without a usable set-up every point is refused at the origin.
TEST(ProjectorBatch, FailedSetUpGivesTheOrigin) {
    clsVospProjector p = Make(25, 0, 0); // a cone needs a centre off the equator
    const std::vector<PolyPoint> pts = {{10 * D, 10 * D}, {20 * D, 20 * D}, {30 * D, 30 * D}};
    std::vector<PlaneXY> xy(3, PlaneXY{5.0, 5.0});
    bool ok[3] = {true, true, true};
    p.CnvLLtoXY(pts, xy, ok);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_FALSE(ok[i]);
        EXPECT_EQ(xy[i].x, 0.0);
        EXPECT_EQ(xy[i].y, 0.0);
    }
}

} // namespace
