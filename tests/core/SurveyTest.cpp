#include "core/MapProjection.h"
#include "core/clsSurvey.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kRadius = 6371000.78997414;
constexpr double kSec = kPi / 648000; // radians per second of arc

double Rad(double sec) { return sec * kSec; }

// Reference spherical formulas, written out here on their own.
double Haversine(double lon1, double lat1, double lon2, double lat2) {
    const double p1 = Rad(lat1), p2 = Rad(lat2), dl = Rad(lon2 - lon1);
    const double h = std::pow(std::sin((p2 - p1) / 2), 2) + std::cos(p1) * std::cos(p2) * std::pow(std::sin(dl / 2), 2);
    return 2 * std::asin(std::min(1.0, std::sqrt(h)));
}

double Bearing(double lon1, double lat1, double lon2, double lat2) {
    const double p1 = Rad(lat1), p2 = Rad(lat2), dl = Rad(lon2 - lon1);
    const double b = std::atan2(std::sin(dl) * std::cos(p2), std::cos(p1) * std::sin(p2) - std::sin(p1) * std::cos(p2) * std::cos(dl));
    return b < 0 ? b + 2 * kPi : b;
}

// End point (seconds) at arc d along bearing th from (lon1, lat1).
void Destination(double lon1, double lat1, double th, double d, double& lon2, double& lat2) {
    const double p1 = Rad(lat1);
    const double p2 = std::asin(std::sin(p1) * std::cos(d) + std::cos(p1) * std::sin(d) * std::cos(th));
    const double l2 = Rad(lon1) + std::atan2(std::sin(th) * std::sin(d) * std::cos(p1), std::cos(d) - std::sin(p1) * std::sin(p2));
    lat2 = p2 / kSec;
    lon2 = l2 / kSec;
}

double AngleDiff(double a, double b) {
    double d = std::fmod(a - b, 2 * kPi);
    if (d > kPi) d -= 2 * kPi;
    if (d < -kPi) d += 2 * kPi;
    return std::fabs(d);
}

// Spherical excess of a triangle (Van Oosterom and Strackee) times R².
double TriangleArea(double lon1, double lat1, double lon2, double lat2, double lon3, double lat3) {
    auto vec = [](double lon, double lat, double v[3]) {
        v[0] = std::cos(Rad(lat)) * std::cos(Rad(lon));
        v[1] = std::cos(Rad(lat)) * std::sin(Rad(lon));
        v[2] = std::sin(Rad(lat));
    };
    double a[3], b[3], c[3];
    vec(lon1, lat1, a), vec(lon2, lat2, b), vec(lon3, lat3, c);
    const double triple = a[0] * (b[1] * c[2] - b[2] * c[1]) - a[1] * (b[0] * c[2] - b[2] * c[0]) +
                          a[2] * (b[0] * c[1] - b[1] * c[0]);
    auto dot = [](const double* u, const double* v) { return u[0] * v[0] + u[1] * v[1] + u[2] * v[2]; };
    const double e = 2 * std::atan2(std::fabs(triple), 1 + dot(a, b) + dot(b, c) + dot(c, a));
    return e * kRadius * kRadius;
}

class Survey : public ::testing::Test {
protected:
    void SetUp() override { MapProjection::InitGlobeRadius(kRadius); }
};

} // namespace

TEST_F(Survey, ArcBearingAndDistanceMatchTheSphericalFormulas) {
    std::mt19937 rng(42);
    std::uniform_int_distribution<int32_t> lon(-648000, 648000), lat(-320000, 320000);
    int checked = 0;
    for (int round = 0; round < 2000; ++round) {
        clsSurvey sv;
        sv.SetAll(lon(rng), lat(rng), lon(rng), lat(rng));
        const double arc = Haversine(sv.mStartLon, sv.mStartLat, sv.mEndLon, sv.mEndLat);
        EXPECT_NEAR(sv.ArcDistance(), arc * kRadius, 0.5) << round;
        EXPECT_NEAR(sv.ArcRadian(), arc, 1e-9);
        if (arc < 1e-3 || arc > kPi - 1e-3) continue;
        EXPECT_LT(AngleDiff(sv.DirectionRadian(), Bearing(sv.mStartLon, sv.mStartLat, sv.mEndLon, sv.mEndLat)),
                  kSec)
            << round;
        EXPECT_GE(sv.DirectionRadian(), 0);
        EXPECT_LT(sv.DirectionRadian(), 2 * kPi);
        ++checked;
    }
    EXPECT_GT(checked, 1900);
}

TEST_F(Survey, ShortArcsKeepTheirMetres) {
    clsSurvey sv;
    sv.SetAll(500000, 100000, 500001, 100000); // one second along a parallel at about 27.8 degrees
    EXPECT_NEAR(sv.ArcDistance(), kRadius * kSec * std::cos(Rad(100000)), 0.5);
    sv.SetAll(0, 0, 0, 3600);
    EXPECT_NEAR(sv.ArcDistance(), kRadius * kPi / 180, 1e-6);
}

TEST_F(Survey, DestinationsMatchTheDirectFormula) {
    std::mt19937 rng(99);
    std::uniform_int_distribution<int32_t> lon(-648000, 648000), lat(-280000, 280000);
    std::uniform_real_distribution<double> dir(0, 2 * kPi), arc(0.01, 3.0);
    for (int round = 0; round < 1000; ++round) {
        clsSurvey sv;
        sv.SetAll(lon(rng), lat(rng), lon(rng), lat(rng));
        const double th = dir(rng);
        const double d = sv.ArcRadian();
        sv.SetDirectionRadian(th);
        double elon, elat;
        Destination(sv.mStartLon, sv.mStartLat, th, d, elon, elat);
        EXPECT_LT(Haversine(elon, elat, sv.mEndLon, sv.mEndLat), kSec) << round;
        EXPECT_LE(std::abs(sv.mEndLon), 648000);
        EXPECT_LE(std::abs(sv.mEndLat), 324000);

        const double b = sv.DirectionRadian();
        const double d2 = arc(rng);
        sv.SetArcRadian(d2);
        Destination(sv.mStartLon, sv.mStartLat, b, d2, elon, elat);
        EXPECT_LT(Haversine(elon, elat, sv.mEndLon, sv.mEndLat), kSec) << round;
    }
}

TEST_F(Survey, DegenerateAndPolarCases) {
    clsSurvey sv;
    EXPECT_EQ(sv.mStartLon, 0);
    EXPECT_EQ(sv.mEndLat, 0);
    sv.SetAll(12345, -6789, 12345, -6789);
    EXPECT_EQ(sv.ArcRadian(), 0);
    EXPECT_EQ(sv.DirectionRadian(), 0);
    const clsPoly same = sv.RoutePoly(60);
    EXPECT_EQ(same.Count(), 2);
    EXPECT_EQ(same.GetPoint(1), (PolyPoint{12345, -6789}));
    EXPECT_EQ(same.GetPoint(2), (PolyPoint{12345, -6789}));

    sv.SetAll(0, 323997, 0, -100000); // start at the pole band: due south
    EXPECT_DOUBLE_EQ(sv.DirectionRadian(), 3.14159265358979);
    sv.SetAll(0, 100000, 0, 300000); // end below the south band: due south too
    sv.mEndLat = -323997;
    EXPECT_DOUBLE_EQ(sv.DirectionRadian(), 3.14159265358979);
    sv.SetAll(5000, -323997, 0, -300000); // start at the south band: due north
    EXPECT_EQ(sv.DirectionRadian(), 0);
    sv.SetAll(5000, 0, 90000, 323997);
    EXPECT_EQ(sv.DirectionRadian(), 0);
    sv.SetAll(0, 0, 648000, 0); // antipodal
    EXPECT_NEAR(sv.ArcRadian(), kPi, 1e-12);
    EXPECT_EQ(sv.DirectionRadian(), 0);
    sv.SetAll(100000, 50000, 100000 - 648000, -50000);
    EXPECT_EQ(sv.DirectionRadian(), 0);
}

TEST_F(Survey, MovingTheEndPoint) {
    clsSurvey sv;
    sv.SetAll(0, 0, 3600, 0);
    EXPECT_NEAR(sv.DirectionRadian(), kPi / 2, 1e-12);
    sv.SetArcRadian(1.5707963267949);
    EXPECT_EQ(sv.mEndLon, 324000);
    EXPECT_EQ(sv.mEndLat, 0);
    sv.SetArcRadian(4);
    sv.SetArcRadian(-0.5);
    EXPECT_EQ(sv.mEndLon, 324000);
    EXPECT_EQ(sv.mEndLat, 0);
    sv.SetDirectionRadian(0); // a quarter circle north: the pole
    EXPECT_EQ(sv.mEndLat, 324000);
    sv.SetAll(0, 0, 3600, 0);
    sv.SetDirectionRadian(kPi); // one degree south
    EXPECT_EQ(sv.mEndLon, 0);
    EXPECT_EQ(sv.mEndLat, -3600);
    sv.SetAll(640000, 0, 644000, 0);
    sv.SetArcRadian(Rad(16000)); // across the date line: wrapped
    EXPECT_EQ(sv.mEndLon, -640000);
    EXPECT_EQ(sv.mEndLat, 0);
}

TEST_F(Survey, RouteSpacingAndEnds) {
    clsSurvey sv;
    sv.SetAll(0, 0, 70, 0);
    const clsPoly small = sv.RoutePoly(10); // the step is at least 15
    ASSERT_EQ(small.Count(), 6);
    const int32_t want[] = {0, 15, 30, 45, 60, 70};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(small.GetPoint(i + 1), (PolyPoint{want[i], 0}));

    std::mt19937 rng(5);
    std::uniform_int_distribution<int32_t> lon(-648000, 648000), lat(-300000, 300000);
    for (int round = 0; round < 50; ++round) {
        sv.SetAll(lon(rng), lat(rng), lon(rng), lat(rng));
        const double arcSec = sv.ArcRadian() / kSec;
        const clsPoly r = sv.RoutePoly(3600);
        EXPECT_EQ(r.GetPoint(1), (PolyPoint{sv.mStartLon, sv.mStartLat}));
        EXPECT_EQ(r.GetPoint(r.Count()), (PolyPoint{sv.mEndLon, sv.mEndLat}));
        EXPECT_EQ(r.Count(), int(std::ceil(arcSec / 3600)) + 1) << round;
        for (int i = 2; i < r.Count(); ++i) {
            const PolyPoint a = r.GetPoint(i - 1), b = r.GetPoint(i);
            EXPECT_NEAR(Haversine(a.x, a.y, b.x, b.y) / kSec, 3600, 1.5) << round << " " << i;
            // Every inner point lies on the great circle: its distances from
            // both ends add up to the whole arc.
            const double via = Haversine(sv.mStartLon, sv.mStartLat, b.x, b.y) +
                               Haversine(b.x, b.y, sv.mEndLon, sv.mEndLat);
            EXPECT_NEAR(via / kSec, arcSec, 1.5);
        }
    }
}

TEST_F(Survey, RoutesFromAndOverThePoles) {
    clsSurvey sv;
    sv.SetAll(0, 324000, 0, 10000);
    const clsPoly down = sv.RoutePoly(36000);
    ASSERT_EQ(down.Count(), 10);
    for (int i = 2; i <= 9; ++i) EXPECT_EQ(down.GetPoint(i), (PolyPoint{0, 324000 - 36000 * (i - 1)}));

    sv.SetAll(0, -324000, 0, -10000);
    const clsPoly up = sv.RoutePoly(36000);
    ASSERT_EQ(up.Count(), 10);
    for (int i = 2; i <= 9; ++i) EXPECT_EQ(up.GetPoint(i), (PolyPoint{0, -324000 + 36000 * (i - 1)}));

    // Over the pole in 15-second steps: the step landing on the pole is
    // dropped and the walk goes on a third of a step further.
    sv.SetAll(0, 323970, 648000, 323970);
    const clsPoly over = sv.RoutePoly(15);
    ASSERT_EQ(over.Count(), 5);
    EXPECT_EQ(over.GetPoint(2), (PolyPoint{0, 323985}));
    EXPECT_EQ(std::abs(over.GetPoint(3).x), 648000);
    EXPECT_EQ(over.GetPoint(3).y, 323995);
    EXPECT_EQ(over.GetPoint(4).y, 323980);
}

TEST_F(Survey, PolyLength) {
    clsSurvey sv;
    clsPoly one;
    one.AddXY(5, 5);
    EXPECT_EQ(sv.PolyLength(one), 0);
    EXPECT_EQ(sv.PolyLength(clsPoly()), 0);
    clsPoly line;
    line.AddXY(0, 0);
    line.AddXY(3600, 0);
    line.AddXY(3600, 7200);
    EXPECT_NEAR(sv.PolyLength(line), 3 * kRadius * Rad(3600), 1e-5);
    EXPECT_EQ(sv.mStartLon, 3600); // the last pair stays
    EXPECT_EQ(sv.mEndLat, 7200);
}

TEST_F(Survey, AreaOfATriangleAtTheEquator) {
    clsPoly tri;
    tri.AddXY(0, 0);
    tri.AddXY(3600, 0);
    tri.AddXY(0, 3600);
    const double want = TriangleArea(0, 0, 3600, 0, 0, 3600);
    EXPECT_NEAR(want, 6.182e9, 0.001e9);
    clsSurvey sv;
    EXPECT_NEAR(sv.PolyArea(tri), want, want * 1e-3);
    clsPoly rev;
    rev.AddXY(0, 3600);
    rev.AddXY(3600, 0);
    rev.AddXY(0, 0);
    rev.AddXY(0, 3600);
    EXPECT_NEAR(sv.PolyArea(rev), want, want * 1e-3);
    clsPoly two;
    two.SetLine(0, 0, 10, 10);
    EXPECT_EQ(sv.PolyArea(two), 0);
}

TEST_F(Survey, AreaOfPolarCaps) {
    // Cap above 80°: 2 pi R² (1 - sin 80°), about 3.875e12 m².
    const double cap = 2 * kPi * kRadius * kRadius * (1 - std::sin(Rad(288000)));
    EXPECT_NEAR(cap, 3.875e12, 0.001e12);
    clsPoly north, reversed, south;
    for (int k = 0; k < 360; ++k) {
        const int32_t lon = k <= 180 ? k * 3600 : (k - 360) * 3600; // 0..180, -179..-1
        north.AddXY(lon, 288000);
        south.AddXY(lon, -288000);
    }
    for (int k = 359; k >= 0; --k) reversed.AddXY(north.x(k + 1), 288000);
    clsSurvey sv;
    EXPECT_NEAR(sv.PolyArea(north), cap, cap * 1e-3);
    EXPECT_NEAR(sv.PolyArea(reversed), cap, cap * 1e-3);
    EXPECT_NEAR(sv.PolyArea(south), cap, cap * 1e-3);
    // Sparse points: the edges are densified along their great circles,
    // which bulge towards the pole, so the area is a little smaller.
    clsPoly sparse;
    for (int k = 0; k < 12; ++k) sparse.AddXY(-648000 + k * 108000, 288000);
    const double s = sv.PolyArea(sparse);
    EXPECT_LT(s, cap);
    EXPECT_GT(s, cap * 0.8);
}

TEST_F(Survey, AreaOfARingAcrossTheDateLine) {
    // Two degrees of longitude by one of latitude: R² × 2° × sin 1°.
    const double want = kRadius * kRadius * Rad(7200) * std::sin(Rad(3600));
    clsPoly across;
    across.AddXY(644400, 0);
    across.AddXY(-644400, 0);
    across.AddXY(-644400, 3600);
    across.AddXY(644400, 3600);
    clsSurvey sv;
    EXPECT_NEAR(sv.PolyArea(across), want, want * 1e-3);
    clsPoly back;
    back.AddXY(644400, 3600);
    back.AddXY(-644400, 3600);
    back.AddXY(-644400, 0);
    back.AddXY(644400, 0);
    back.AddXY(644400, 3600);
    EXPECT_NEAR(sv.PolyArea(back), want, want * 1e-3);
    clsPoly away; // the same box away from the date line
    away.AddXY(10000, 0);
    away.AddXY(17200, 0);
    away.AddXY(17200, 3600);
    away.AddXY(10000, 3600);
    EXPECT_NEAR(sv.PolyArea(away), want, want * 1e-3);
}
