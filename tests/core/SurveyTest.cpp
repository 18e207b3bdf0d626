// Surveying on the sphere (GlobePolyLib): arcs, bearings, routes, lengths and areas.
#include "PolyKit.h"
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
    return std::atan2(std::sin(dl) * std::cos(p2), std::cos(p1) * std::sin(p2) - std::sin(p1) * std::cos(p2) * std::cos(dl));
}
// Distance (radians) from the end of arc d along bearing th to (lon2, lat2).
double MissDestination(double lon1, double lat1, double th, double d, double lon2, double lat2) {
    const double p1 = Rad(lat1);
    const double p2 = std::asin(std::sin(p1) * std::cos(d) + std::cos(p1) * std::sin(d) * std::cos(th));
    const double l2 = Rad(lon1) + std::atan2(std::sin(th) * std::sin(d) * std::cos(p1), std::cos(d) - std::sin(p1) * std::sin(p2));
    return Haversine(l2 / kSec, p2 / kSec, lon2, lat2);
}
class Survey : public ::testing::Test {
protected:
    void SetUp() override { MapProjection::InitGlobeRadius(kRadius); }
};

} // namespace

TEST_F(Survey, ArcBearingAndDestinationMatchTheSphericalFormulas) {
    std::mt19937 rng(42);
    std::uniform_int_distribution<int32_t> lon(-648000, 648000), lat(-280000, 280000);
    std::uniform_real_distribution<double> dir(0, 2 * kPi), arc(0.01, 3.0);
    for (int round = 0; round < 1500; ++round) {
        clsSurvey sv;
        sv.SetAll(lon(rng), lat(rng), lon(rng), lat(rng));
        const double d = Haversine(sv.mStartLon, sv.mStartLat, sv.mEndLon, sv.mEndLat);
        EXPECT_NEAR(sv.ArcDistance(), d * kRadius, 0.5) << round;
        if (d > 1e-3 && d < kPi - 1e-3) {
            const double b = sv.DirectionRadian();
            EXPECT_TRUE(b >= 0 && b < 2 * kPi) << round;
            EXPECT_LT(std::fabs(std::remainder(b - Bearing(sv.mStartLon, sv.mStartLat, sv.mEndLon, sv.mEndLat), 2 * kPi)),
                      kSec)
                << round;
        }
        // A new direction keeps the arc; a new arc keeps the direction.
        const double th = dir(rng), d2 = arc(rng);
        sv.SetDirectionRadian(th);
        EXPECT_LT(MissDestination(sv.mStartLon, sv.mStartLat, th, d, sv.mEndLon, sv.mEndLat), kSec) << round;
        EXPECT_TRUE(std::abs(sv.mEndLon) <= 648000 && std::abs(sv.mEndLat) <= 324000);
        const double b = sv.DirectionRadian();
        sv.SetArcRadian(d2);
        EXPECT_LT(MissDestination(sv.mStartLon, sv.mStartLat, b, d2, sv.mEndLon, sv.mEndLat), kSec) << round;
    }
    clsSurvey sv;
    sv.SetAll(500000, 100000, 500001, 100000); // one second along a parallel: metres survive
    EXPECT_NEAR(sv.ArcDistance(), kRadius * kSec * std::cos(Rad(100000)), 0.5);
}

TEST_F(Survey, DegeneratePolarAndMovedEnds) {
    clsSurvey sv;
    sv.SetAll(12345, -6789, 12345, -6789); // equal points
    EXPECT_EQ(sv.ArcRadian(), 0);
    EXPECT_EQ(sv.DirectionRadian(), 0);
    EXPECT_EQ(Points(sv.RoutePoly(60)), (Pts{{12345, -6789}, {12345, -6789}}));
    // Ends in a pole band give due north or south; antipodes give 0.
    const struct {
        int32_t sLon, sLat, eLon, eLat;
        double dir;
    } rows[] = {{0, 323997, 0, -100000, 3.14159265358979}, {0, 100000, 0, -323997, 3.14159265358979},
                {5000, -323997, 0, -300000, 0},          {5000, 0, 90000, 323997, 0},
                {0, 0, 648000, 0, 0},                    {100000, 50000, 100000 - 648000, -50000, 0}};
    for (const auto& r : rows) {
        sv.SetAll(r.sLon, r.sLat, r.eLon, r.eLat);
        EXPECT_DOUBLE_EQ(sv.DirectionRadian(), r.dir) << r.sLon << "," << r.sLat;
    }
    sv.SetAll(0, 0, 648000, 0);
    EXPECT_NEAR(sv.ArcRadian(), kPi, 1e-12);

    const auto end = [&] { return PolyPoint{sv.mEndLon, sv.mEndLat}; };
    sv.SetAll(0, 0, 3600, 0);
    sv.SetArcRadian(1.5707963267949);
    EXPECT_EQ(end(), (PolyPoint{324000, 0}));
    sv.SetArcRadian(4); // outside 0..pi: ignored
    sv.SetArcRadian(-0.5);
    EXPECT_EQ(end(), (PolyPoint{324000, 0}));
    sv.SetDirectionRadian(0); // a quarter circle north: the pole
    EXPECT_EQ(sv.mEndLat, 324000);
    sv.SetAll(0, 0, 3600, 0);
    sv.SetDirectionRadian(kPi);
    EXPECT_EQ(end(), (PolyPoint{0, -3600}));
    sv.SetAll(640000, 0, 644000, 0);
    sv.SetArcRadian(Rad(16000)); // across the date line: wrapped
    EXPECT_EQ(end(), (PolyPoint{-640000, 0}));
}

TEST_F(Survey, RouteSpacingEndsAndPoles) {
    clsSurvey sv;
    sv.SetAll(0, 0, 70, 0);
    EXPECT_EQ(Points(sv.RoutePoly(10)), (Pts{{0, 0}, {15, 0}, {30, 0}, {45, 0}, {60, 0}, {70, 0}})); // step >= 15
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
            // On the great circle: distances from both ends add up to the arc.
            const double via = Haversine(sv.mStartLon, sv.mStartLat, b.x, b.y) + Haversine(b.x, b.y, sv.mEndLon, sv.mEndLat);
            EXPECT_NEAR(via / kSec, arcSec, 1.5);
        }
    }
    for (int sg : {1, -1}) { // from either pole along meridian 0
        sv.SetAll(0, sg * 324000, 0, sg * 10000);
        const clsPoly down = sv.RoutePoly(36000);
        ASSERT_EQ(down.Count(), 10);
        for (int i = 2; i <= 9; ++i) EXPECT_EQ(down.GetPoint(i), (PolyPoint{0, sg * (324000 - 36000 * (i - 1))}));
    }
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

TEST_F(Survey, LengthAndArea) {
    clsSurvey sv;
    EXPECT_EQ(sv.PolyLength(Make({{5, 5}})), 0);
    EXPECT_NEAR(sv.PolyLength(Make({{0, 0}, {3600, 0}, {3600, 7200}})), 3 * kRadius * Rad(3600), 1e-5);
    EXPECT_EQ(sv.mStartLon, 3600); // the last pair stays
    EXPECT_EQ(sv.mEndLat, 7200);
    EXPECT_EQ(sv.PolyArea(Make({{0, 0}, {10, 10}})), 0);

    // A 1 by 1 degree triangle at the equator holds about 6.182e9 m² (its
    // spherical excess); the cap above 80 degrees 2 pi R² (1 - sin 80°).
    const double tri = 6.182e9;
    const double cap = 2 * kPi * kRadius * kRadius * (1 - std::sin(Rad(288000)));
    EXPECT_NEAR(cap, 3.875e12, 0.001e12);
    const double box = kRadius * kRadius * Rad(7200) * std::sin(Rad(3600)); // 2 by 1 degrees at the equator
    Pts north, south, reversed;
    for (int k = 0; k < 360; ++k) {
        const int32_t lon = k <= 180 ? k * 3600 : (k - 360) * 3600;
        north.push_back({lon, 288000});
        south.push_back({lon, -288000});
    }
    reversed.assign(north.rbegin(), north.rend());
    const struct {
        Pts ring;
        double want;
    } rows[] = {
        {{{0, 0}, {3600, 0}, {0, 3600}}, tri},
        {{{0, 3600}, {3600, 0}, {0, 0}, {0, 3600}}, tri}, // the other way, closed
        {north, cap},
        {reversed, cap},
        {south, cap},
        {{{644400, 0}, {-644400, 0}, {-644400, 3600}, {644400, 3600}}, box}, // across the date line
        {{{644400, 3600}, {-644400, 3600}, {-644400, 0}, {644400, 0}, {644400, 3600}}, box},
        {{{10000, 0}, {17200, 0}, {17200, 3600}, {10000, 3600}}, box},
    };
    for (const auto& r : rows) EXPECT_NEAR(sv.PolyArea(Make(r.ring)), r.want, r.want * 1e-3) << r.ring.size();
    // Sparse points: edges follow great circles, which bulge towards the pole.
    Pts sparse;
    for (int k = 0; k < 12; ++k) sparse.push_back({-648000 + k * 108000, 288000});
    const double s = sv.PolyArea(Make(sparse));
    EXPECT_LT(s, cap);
    EXPECT_GT(s, cap * 0.8);
}
