// GlobePolyLib: great arcs to the poles and the cutting of figures at the date line and the poles.
#include "PolyKit.h"
#include "core/GlobePolyLib.h"
#include "core/MapProjection.h"
#include "core/PolyLib.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace GlobePolyLib;
using PolyLib::PolyLibCutX;

namespace {

constexpr int32_t D = 3600; // one degree in seconds

class Globe : public ::testing::Test {
protected:
    void SetUp() override { MapProjection::InitGlobeRadius(6371000.78997414); }
};

// What every caller relies on: pieces of two or more points, all inside
// the view's longitude window, without jumps of more than half a turn.
void ExpectViewSafe(const std::vector<clsPoly>& pieces, int32_t centre, bool latLimited, const char* what) {
    for (const clsPoly& piece : pieces) {
        EXPECT_GE(piece.Count(), 2) << what;
        const std::span<const PolyPoint> p = piece.Span();
        for (size_t i = 0; i < p.size(); ++i) {
            EXPECT_LE(std::abs(int64_t(p[i].x) - centre), 648000) << what << " point " << i;
            if (latLimited) {
                EXPECT_LE(std::abs(p[i].y), 323970) << what;
            }
            if (i > 0) {
                EXPECT_LE(std::abs(int64_t(p[i].x) - p[i - 1].x), 648000) << what << " step " << i;
            }
        }
    }
}

// A ring along a parallel from -180 eastwards in equal steps, closed.
Pts Parallel(int n, int32_t lat) {
    Pts pts;
    for (int k = 0; k < n; ++k) pts.push_back({-648000 + k * (1296000 / n), lat});
    pts.push_back(pts.front());
    return pts;
}

} // namespace

TEST_F(Globe, DistanceFromAGreatArcToThePole) {
    EXPECT_EQ(DistanceGreatArcToPole(0, 0, D, 0), 324000);
    EXPECT_EQ(DistanceGreatArcToPole(0, 60 * D, 180 * D, 60 * D), 0);
    EXPECT_EQ(DistanceGreatArcToPole(0, 0, 10 * D, 10 * D), 324000 - 10 * D); // ends before its vertex
    // Symmetric about meridian 0: the vertex at latitude atan(tan 60° / cos 30°) = atan 2.
    const double vertex = std::atan(2.0) * 648000 / 3.141592653589793;
    for (int sg : {1, -1}) EXPECT_NEAR(DistanceGreatArcToPole(-30 * D, sg * 60 * D, 30 * D, sg * 60 * D), 324000 - vertex, 1.0);
}

TEST_F(Globe, RollBoundAndRollOver) {
    // RollBound moves by a turn on the first point outside centre ± 180.
    clsPoly east = Make({{650000, 0}, {600000, 10}});
    EXPECT_TRUE(GlobePolyRollBound(east, 0));
    EXPECT_EQ(Points(east), (Pts{{650000 - 1296000, 0}, {600000 - 1296000, 10}}));
    clsPoly west = Make({{0, 0}, {-700000, 5}, {700000, 5}});
    EXPECT_TRUE(GlobePolyRollBound(west, 0));
    EXPECT_EQ(Points(west), (Pts{{1296000, 0}, {596000, 5}, {1996000, 5}}));
    clsPoly inside = Make({{-648000, 0}, {648000, 0}});
    EXPECT_FALSE(GlobePolyRollBound(inside, 0));

    // RollOver makes longitudes continuous.
    clsPoly ring = Make({{170 * D, 10 * D}, {-170 * D, 10 * D}, {-170 * D, 20 * D}, {170 * D, 20 * D}, {170 * D, 10 * D}});
    EXPECT_TRUE(GlobePolyRollOver(ring, 0, true));
    EXPECT_EQ(Points(ring),
              (Pts{{170 * D, 10 * D}, {190 * D, 10 * D}, {190 * D, 20 * D}, {170 * D, 20 * D}, {170 * D, 10 * D}}));
    // A step of exactly half a turn is a step across the date line.
    clsPoly half = Make({{0, 0}, {648000, 0}, {0, 10}});
    GlobePolyRollOver(half, 0, false);
    EXPECT_EQ(Points(half), (Pts{{0, 0}, {-648000, 0}, {0, 10}}));
    clsPoly plain = Make({{0, 0}, {10, 10}});
    EXPECT_FALSE(GlobePolyRollOver(plain, 0, true));
    EXPECT_FALSE(plain.Modify());
    for (int sg : {1, -1}) {
        clsPoly far = Make({{sg * 1300000, 0}, {sg * 1310000, 0}});
        EXPECT_TRUE(GlobePolyRollOver(far, 0, false));
        EXPECT_EQ(Points(far), (Pts{{sg * 4000, 0}, {sg * 14000, 0}}));
    }
}

TEST_F(Globe, RollOverClosesARingOverItsPole) {
    const Pts pts = Parallel(12, 80 * D);
    clsPoly ring = Make(pts);
    EXPECT_TRUE(GlobePolyRollOver(ring, 0, true));
    Pts want = pts;
    want.front().x += 2;
    want.back().x = 647998;
    want.insert(want.end(), {{647998, 323970}, {-647998, 323970}, {-647998, 80 * D}});
    EXPECT_EQ(Points(ring), want);
    // Without closing, only the longitudes change.
    clsPoly open = Make(pts);
    EXPECT_TRUE(GlobePolyRollOver(open, 0, false));
    EXPECT_EQ(open.Count(), 13);
    EXPECT_EQ(open.LastX(), 648000);
    // The ring is turned to start at its point nearest the pole.
    clsPoly turn = Make({{0, 60 * D}, {90 * D, 70 * D}, {180 * D, 80 * D}, {-90 * D, 70 * D}, {0, 60 * D}});
    EXPECT_TRUE(GlobePolyRollOver(turn, 0, true));
    EXPECT_EQ(Points(turn), (Pts{{-647998, 80 * D}, {-90 * D, 70 * D}, {0, 60 * D}, {90 * D, 70 * D}, {647998, 80 * D},
                                 {647998, 323970}, {-647998, 323970}, {-647998, 80 * D}}));
    // Around the South Pole, westwards: the closing runs over -323970.
    clsPoly s = Make({{0, -70 * D}, {-90 * D, -70 * D}, {-180 * D, -70 * D}, {90 * D, -70 * D}, {0, -70 * D}});
    EXPECT_TRUE(GlobePolyRollOver(s, 0, true));
    EXPECT_EQ(Points(s), (Pts{{-2, -70 * D}, {-90 * D, -70 * D}, {-180 * D, -70 * D}, {-270 * D, -70 * D},
                              {-360 * D + 2, -70 * D}, {-360 * D + 2, -323970}, {-2, -323970}, {-2, -70 * D}}));
}

TEST_F(Globe, CutAtAVerticalLine) {
    const struct {
        Pts in;
        std::vector<Pts> out;
    } rows[] = {
        {{{-10, 0}, {10, 0}}, {{{-10, 0}, {-1, 0}}, {{1, 0}, {10, 0}}}},
        {{{-10, 0}, {0, 0}, {-10, 5}}, {{{-10, 0}, {-1, 0}, {-10, 5}}}},
        {{{10, 0}, {0, 0}, {-10, 0}}, {{{10, 0}, {1, 0}}, {{-1, 0}, {-10, 0}}}},
        {{{-4, 0}, {4, 3}}, {{{-4, 0}, {-1, 2}}, {{1, 2}, {4, 3}}}}, // 1.5 rounds to 2
        {{{4, 0}, {-4, 3}}, {{{4, 0}, {1, 2}}, {{-1, 2}, {-4, 3}}}},
        {{{0, 0}, {5, 0}, {0, 5}, {-5, 5}}, {{{0, 0}, {5, 0}, {1, 5}}, {{-1, 5}, {-5, 5}}}}, // a first point on the line stays
        {{{1, 0}, {5, 0}}, {{{1, 0}, {5, 0}}}},                                              // not reaching the line
        {{}, {{}}},
    };
    for (const auto& r : rows) {
        const clsPoly in = Make(r.in);
        std::vector<Pts> out;
        for (const clsPoly& p : PolyLibCutX(in, 0)) out.push_back(Points(p));
        EXPECT_EQ(out, r.out) << r.in.size();
        EXPECT_EQ(Points(in), r.in);
    }
    clsPoly kept = Make({{1, 0}, {5, 0}});
    kept.SetModify(false);
    EXPECT_FALSE(PolyLibCutX(kept, 0).at(0).Modify());
}

TEST_F(Globe, ChopPoleDensifiesAndSplits) {
    clsPoly line = Make({{0, 80 * D}, {0, 90 * D}});
    clsPoly one = Make({{5, 5}});
    EXPECT_TRUE(GlobePolyChopPole(one, 18000, true).empty());
    const std::vector<clsPoly> cut = GlobePolyChopPole(line, 18000, true);
    // The caller's list is now the densified one: 15-second steps.
    ASSERT_EQ(line.Count(), 2401);
    for (int i = 1; i <= 2401; ++i) EXPECT_EQ(line.GetPoint(i), (PolyPoint{0, 288000 + 15 * (i - 1)})) << i;
    ASSERT_EQ(cut.size(), 1u);
    EXPECT_EQ(cut[0].Count(), 2399);
    EXPECT_EQ(cut[0].LastY(), 323970);
    clsPoly again = Make({{0, 80 * D}, {0, 90 * D}});
    const std::vector<clsPoly> clamped = GlobePolyChopPole(again, 18000, false);
    ASSERT_EQ(clamped.size(), 1u);
    EXPECT_EQ(clamped[0].Count(), 2401);
    EXPECT_EQ(clamped[0].GetPoint(2400), (PolyPoint{0, 323970}));
    EXPECT_EQ(clamped[0].GetPoint(2401), (PolyPoint{0, 323970}));

    clsPoly low = Make({{0, 0}, {10 * D, 5 * D}, {20 * D, 0}});
    EXPECT_EQ(Points(GlobePolyChopPole(low, 18000, true).at(0)), Points(low));
    EXPECT_EQ(low.Count(), 3);
    // From 70° N on meridian 0 over the pole to 70° N on meridian 180; 15, 5
    // and 20 seconds from the pole are dropped (the step onto the pole itself
    // was never made: the route went on a third of a step further).
    clsPoly over = Make({{0, 70 * D}, {180 * D, 70 * D}});
    const std::vector<clsPoly> halves = GlobePolyChopPole(over, 18000, true);
    ASSERT_EQ(halves.size(), 2u);
    EXPECT_EQ(halves[0].Count(), 4799);
    EXPECT_EQ(halves[0].LastY(), 323970);
    EXPECT_EQ(halves[0].LastX(), 0);
    EXPECT_EQ(halves[1].GetPoint(1).y, 323965);
    EXPECT_EQ(std::abs(halves[1].GetPoint(1).x), 648000);
    EXPECT_EQ(halves[1].LastY(), 70 * D);
    EXPECT_EQ(halves[0].Count() + halves[1].Count() + 3, over.Count());
}

TEST_F(Globe, RoundCutsAtTheDateLineAndAboutThePole) {
    clsPoly line = Make({{170 * D, 10 * D}, {-170 * D, 10 * D}});
    const std::vector<clsPoly> pieces = GlobePolyRound(line, 0, true, false);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(Points(pieces[0]), (Pts{{170 * D, 10 * D}, {647999, 10 * D}}));
    EXPECT_EQ(Points(pieces[1]), (Pts{{-647999, 10 * D}, {-170 * D, 10 * D}}));

    const Pts pts = Parallel(36, 80 * D);
    clsPoly at0 = Make(pts);
    const std::vector<clsPoly> p0 = GlobePolyRound(at0, 0, true, false);
    ExpectViewSafe(p0, 0, true, "centre 0");
    ASSERT_EQ(p0.size(), 1u);
    EXPECT_EQ(p0[0].Count(), 37);
    EXPECT_EQ(p0[0].GetPoint(1), (PolyPoint{-648000, 80 * D}));
    EXPECT_EQ(p0[0].GetPoint(37), (PolyPoint{647999, 80 * D}));
    clsPoly at170 = Make(pts);
    const std::vector<clsPoly> p170 = GlobePolyRound(at170, 170 * D, true, false);
    ExpectViewSafe(p170, 170 * D, true, "centre 170");
    ASSERT_EQ(p170.size(), 2u);
    ASSERT_EQ(p170[0].Count(), 18);
    for (int k = 0; k <= 16; ++k) EXPECT_EQ(p170[0].GetPoint(k + 1), (PolyPoint{648000 + k * 10 * D, 80 * D}));
    EXPECT_EQ(p170[0].GetPoint(18), (PolyPoint{1259999, 80 * D}));
    ASSERT_EQ(p170[1].Count(), 20);
    EXPECT_EQ(p170[1].GetPoint(1), (PolyPoint{-35999, 80 * D}));
    for (int k = 0; k <= 18; ++k) EXPECT_EQ(p170[1].GetPoint(k + 2), (PolyPoint{k * 10 * D, 80 * D}));
    // Without chopping, the caller's own list is rolled over.
    clsPoly own = Make(pts);
    GlobePolyRound(own, 0, false, false);
    EXPECT_EQ(own.LastX(), 648000);
}

TEST_F(Globe, RoundKeepsRandomFiguresViewSafe) {
    std::mt19937 rng(1206);
    std::uniform_int_distribution<int32_t> lon(-648000, 648000), lat(-324000, 324000);
    for (int round = 0; round < 300 && !HasFailure(); ++round) {
        Pts pts;
        for (int i = 0, n = 2 + int(rng() % 12); i < n; ++i) pts.push_back({lon(rng), lat(rng)});
        if (round % 3 == 0) pts.push_back(pts.front());
        const int32_t centre = lon(rng);
        clsPoly a = Make(pts), b = Make(pts);
        ExpectViewSafe(GlobePolyRound(a, centre, true, false), centre, true, "chop");
        ExpectViewSafe(GlobePolyRound(b, centre, false, false), centre, false, "no chop");
    }
    // Eastwards along the equator in 80° steps: three and a half turns.
    Pts spiral;
    for (int i = 0; i < 17; ++i) {
        const int32_t x = (i * 80 * D) % 1296000;
        spiral.push_back({x > 648000 ? x - 1296000 : x, 0});
    }
    clsPoly s = Make(spiral);
    const std::vector<clsPoly> pieces = GlobePolyRound(s, 30 * D, true, false);
    ExpectViewSafe(pieces, 30 * D, true, "spiral");
    int64_t points = 0;
    for (const clsPoly& p : pieces) points += p.Count();
    EXPECT_GE(points, 17);
}

// INT32_MIN..INT32_MAX, after one turn of roll-over ending at 2^31 - 1 -
// 1296000, crosses the seams m * 648000 for odd m from -3313 to 3311: 3313
// seams, 3314 pieces.
TEST_F(Globe, RoundCutsAWideLineOncePerSeam) {
    clsPoly line = Make({{INT32_MIN, 0}, {INT32_MAX, 0}});
    EXPECT_EQ(GlobePolyRound(line, 0, false, false).size(), 3314u);
    EXPECT_FALSE(StraysBeyondOneTurn(Make({{-1944000, 0}, {1944000, 0}})));
    EXPECT_TRUE(StraysBeyondOneTurn(Make({{0, 0}, {-1944001, 0}})));
}
