// The families' set-ups, forwards and inverses as plain functions: each
// refuses exactly past its limit (the limit itself passes), and a call's
// answer depends on its arguments alone.
#include "ProjectorKit.h"
#include "core/PrjRegistry.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

using namespace Prj;

constexpr double kInf = std::numeric_limits<double>::infinity();

double Above(double v) { return std::nextafter(v, kInf); }
double Below(double v) { return std::nextafter(v, -kInf); }

// A northern centre, or with sign +1 a southern one.
PrjCentre Centre(double polar0, double light = 3, double sign = -1) {
    PrjCentre c;
    c.polar0 = polar0;
    c.lat0 = (polar0 - HalfPi) * sign;
    c.sign = sign;
    c.south = sign > 0;
    c.light = light;
    return c;
}

TEST(PrjFamily, CentresRefusedPastTheirLimits) {
    const double k60d15s = 1.047270273248763, k87d15s = 1.5185091712872316, k85d15s = 1.483602586247345;
    EXPECT_TRUE(SetUpGnomonic(Centre(Below(k60d15s))));
    EXPECT_FALSE(SetUpGnomonic(Centre(k60d15s)));
    EXPECT_TRUE(SetUpCentralConic(Centre(Below(k87d15s))));
    EXPECT_FALSE(SetUpCentralConic(Centre(k87d15s)));
    EXPECT_FALSE(SetUpBonne(Centre(k87d15s)));
    PrjCentre c = Centre(0);
    c.lat0 = k85d15s;
    EXPECT_TRUE(SetUpConformalCylindrical(c));
    c.lat0 = Above(k85d15s);
    EXPECT_FALSE(SetUpConformalCylindrical(c));
    // The near side needs a usable distance and the centre within the horizon.
    EXPECT_FALSE(SetUpNearSide(Centre(0, 1.0049)));
    EXPECT_FALSE(SetUpNearSide(Centre(std::acos(1 / 3.0) + 1e-4)));
    EXPECT_TRUE(SetUpNearSide(Centre(std::acos(1 / 3.0) + 7e-5)));
}

// Around the south pole the polar distance is lat + pi/2, so a latitude of
// limit - pi/2 lands on the limit exactly.
TEST(PrjFamily, ForwardsRefusedPastTheirLimits) {
    const double k60d15s = 1.047270273248763;
    const auto cyl = *SetUpCentralCylindrical(Centre(HalfPi));
    EXPECT_TRUE(FwdCentralCylindrical(cyl, 0, k60d15s));
    EXPECT_TRUE(FwdCentralCylindrical(cyl, 0, -k60d15s));
    EXPECT_FALSE(FwdCentralCylindrical(cyl, 0, Above(k60d15s)));
    EXPECT_FALSE(FwdCentralCylindrical(cyl, 0, Below(-k60d15s)));
    const auto az = *SetUpGnomonic(Centre(0.5, 3, 1));
    EXPECT_TRUE(FwdGnomonic(az, 1, k60d15s - HalfPi));
    EXPECT_FALSE(FwdGnomonic(az, 1, Above(k60d15s) - HalfPi));
    const auto pe = *SetUpNearSide(Centre(0.5, 3, 1));
    EXPECT_NEAR(pe.horizon, std::acos(1 / 3.0) + 15 * RadPerSec, 1e-14);
    EXPECT_TRUE(FwdNearSide(pe, 1, pe.horizon - HalfPi));
    EXPECT_FALSE(FwdNearSide(pe, 1, Above(pe.horizon) - HalfPi));
    const auto co = *SetUpCentralConic(Centre(0.5, 3, 1));
    EXPECT_NEAR(co.maxPolar, 0.5 + 75 * Pi / 180, 1e-14);
    EXPECT_TRUE(FwdCentralConic(co, 1, co.maxPolar - HalfPi));
    EXPECT_FALSE(FwdCentralConic(co, 1, Above(co.maxPolar) - HalfPi));
}

TEST(PrjFamily, InversesTakeTheLimitAndRefuseBeyond) {
    const PrjCentre c = Centre(0.6);
    const auto az = *SetUpGnomonic(c);
    const auto co = *SetUpAlbers(c);
    const auto cyl = *SetUpMiller(c);
    const auto ps = *SetUpMollweide(c);
    EXPECT_TRUE(InvGnomonic(az, az.limit, 0));
    EXPECT_FALSE(InvGnomonic(az, Above(az.limit), 0));
    EXPECT_TRUE(InvAlbers(co, 0, -co.limit));
    EXPECT_FALSE(InvAlbers(co, 0, -Above(co.limit)));
    EXPECT_TRUE(InvMiller(cyl, 5, cyl.limit));
    EXPECT_FALSE(InvMiller(cyl, 5, Above(cyl.limit)));
    EXPECT_TRUE(InvMollweide(ps, 0, -ps.limit));
    EXPECT_FALSE(InvMollweide(ps, 0, -Above(ps.limit)));
    // Between the pole and the apex, and at the apex, no parallel passes.
    const auto bo = *SetUpBonne(c);
    EXPECT_FALSE(InvBonne(bo, 0, 0));
    EXPECT_FALSE(InvBonne(bo, 0, std::tan(0.6) - 0.6 - 1e-9));
    EXPECT_NEAR(InvBonne(bo, 0, std::tan(0.6) - 0.6 + 1e-9).value_or(LonLatRad{}).lat, HalfPi, 1e-8);
}

TEST(PrjFamily, SearchSaysWhereItStoppedOnlyWhenItWalked) {
    const auto w = *SetUpWinkel(Centre(HalfPi));
    SearchStop stop;
    EXPECT_FALSE(InvWinkel(w, 0, Above(w.limit), stop));
    EXPECT_FALSE(stop.walked);
    // Beyond the oval's side at the equator: the walk ends at the date line.
    EXPECT_FALSE(InvWinkel(w, 3, 0.1, stop));
    EXPECT_TRUE(stop.walked);
    EXPECT_NEAR(stop.at.lon, Pi, 1e-4);
    SearchStop again;
    const auto r = InvWinkel(w, -1, -0.5, again);
    ASSERT_TRUE(r);
    EXPECT_FALSE(again.walked);
    const auto back = *FwdWinkel(w, r->lon, r->lat);
    EXPECT_NEAR(back.x, -1, 3e-4);
    EXPECT_NEAR(back.y, -0.5, 3e-4);
}

// Hammer's inverse, worked without trigonometry, against the textbook
// forward: every quadrant, the axes, and points a hair inside the rim (the
// poles and the antimeridian themselves lie just past its limit).
TEST(PrjFamily, HammerInverseTakesTheTextbookImageBack) {
    const auto h = *SetUpHammer(Centre(HalfPi));
    const struct {
        double lon, lat;
    } points[] = {{0, 0},
                  {1.5707963267948966, 0.7853981633974483},
                  {-2.5, -1.2},
                  {3.14, 0.001},
                  {-3.1, 0.4},
                  {0.2, 1.57},
                  {0, -1.5},
                  {2.0, 0},
                  {-0.0001, 0.0001},
                  {1.0, -1.5707},
                  {3.141592, -0.000001}};
    for (const auto& p : points) {
        const double d = std::sqrt(1 + std::cos(p.lat) * std::cos(p.lon / 2));
        const double x = 2 * std::sqrt(2.0) * std::cos(p.lat) * std::sin(p.lon / 2) / d;
        const double y = std::sqrt(2.0) * std::sin(p.lat) / d;
        const auto r = InvHammer(h, x, y);
        ASSERT_TRUE(r) << p.lon << "," << p.lat;
        EXPECT_NEAR(r->lon, p.lon, 1e-9) << p.lon << "," << p.lat;
        EXPECT_NEAR(r->lat, p.lat, 1e-9) << p.lon << "," << p.lat;
    }
    EXPECT_FALSE(InvHammer(h, 0, std::sqrt(2.0)));
    EXPECT_FALSE(InvHammer(h, -2 * std::sqrt(2.0), 0));
}

// Bonne's per-point cone constant and a failed walk leave nothing behind.
TEST(PrjFamily, AnswersDependOnTheArgumentsAlone) {
    const auto bo = *SetUpBonne(Centre(0.7));
    const auto first = *InvBonne(bo, 0.3, -0.2);
    ASSERT_TRUE(FwdBonne(bo, 2.5, -1.2));
    const auto second = *InvBonne(bo, 0.3, -0.2);
    EXPECT_EQ(first.lon, second.lon);
    EXPECT_EQ(first.lat, second.lat);
    const auto w = *SetUpWagner7(Centre(HalfPi));
    SearchStop stop;
    const auto a = *InvWagner7(w, 0.8, 0.4, stop);
    EXPECT_FALSE(InvWagner7(w, 2.9, 0.05, stop));
    const auto b = *InvWagner7(w, 0.8, 0.4, stop);
    EXPECT_EQ(a.lon, b.lon);
    EXPECT_EQ(a.lat, b.lat);
}

// The projector hands back, for a refused point, the previous point's image
// with the centre's offset taken once more, or the previous longitude with
// the centre's added once more (a forward's point, refused or not, counts),
// or where a failed walk stopped.
TEST(PrjFamily, ProjectorRefusedPointKeepsThePreviousResult) {
    clsVospProjector p = pk::Make(1, 5 * pk::D, 45 * pk::D); // y offset -1
    double x0, y0, x, y;
    ASSERT_TRUE(p.CnvLLtoXY(15 * pk::D, 60 * pk::D, x0, y0));
    EXPECT_FALSE(p.CnvLLtoXY(0, -10 * pk::D, x, y));
    EXPECT_EQ(x, x0);
    EXPECT_NEAR(y, y0 + pk::kR, 1e-6);
    int32_t lon, lat;
    EXPECT_FALSE(p.CnvXYtoLL(0, 3 * pk::kR, lon, lat));
    EXPECT_EQ(lon, 0);
    EXPECT_EQ(lat, -10 * pk::D);
    EXPECT_FALSE(p.CnvXYtoLL(0, 3 * pk::kR, lon, lat));
    EXPECT_EQ(lon, 5 * pk::D);
    clsVospProjector w = pk::Make(30, 0, 0);
    EXPECT_FALSE(w.CnvXYtoLL(3 * pk::kR, 0.1 * pk::kR, lon, lat));
    EXPECT_NEAR(lon, 648000, 1);
}

} // namespace
