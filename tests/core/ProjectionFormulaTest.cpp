// Each projection against its textbook formula, written out here with full
// precision constants and solved equations, for a handful of points.
#include "ProjectorKit.h"

#include <functional>
#include <gtest/gtest.h>
#include <numbers>
#include <vector>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDeg = kPi / 180;
using pk::kR;

// Unit-sphere plane position of a relative longitude and a latitude, the
// centre latitude given; radians.
using Formula = std::function<void(double lam, double phi, double phi0, double& x, double& y)>;
struct Pt {
    double lon, lat; // degrees
};

// The projector at centre (10 E, lat0) against the formula, y counted from
// the centre's own image; the mirrored centre draws the mirror image.
void ExpectFormula(int16_t index, double lat0, const Formula& f, const std::vector<Pt>& points, double tol = 1e-3,
                   double light = 2) {
    clsVospProjector p = pk::Make(index, 36000, int32_t(std::lround(lat0 * 3600)), light);
    clsVospProjector mirror = pk::Make(index, 36000, -int32_t(std::lround(lat0 * 3600)), light);
    ASSERT_TRUE(p.SetUp()) << "index " << index;
    double cx = 0, cy = 0;
    f(0, lat0 * kDeg, lat0 * kDeg, cx, cy);
    for (const Pt& pt : points) {
        SCOPED_TRACE(testing::Message() << "index " << index << " at " << pt.lon << "," << pt.lat);
        const int32_t lonSec = int32_t(std::lround(pt.lon * 3600)), latSec = int32_t(std::lround(pt.lat * 3600));
        double ex = 0, ey = 0, x = 0, y = 0, mx = 0, my = 0;
        f((lonSec / 3600.0 - 10) * kDeg, latSec / 3600.0 * kDeg, lat0 * kDeg, ex, ey);
        ASSERT_TRUE(p.CnvLLtoXY(lonSec, latSec, x, y));
        EXPECT_NEAR(x, (ex - cx) * kR, tol);
        EXPECT_NEAR(y, (ey - cy) * kR, tol);
        ASSERT_TRUE(mirror.CnvLLtoXY(lonSec, -latSec, mx, my)) << "mirrored";
        EXPECT_NEAR(mx, x, 1e-4) << "mirrored";
        EXPECT_NEAR(my, -y, 1e-4) << "mirrored";
    }
}

// Polar aspect: a radius and an angle about the pole.
Formula Polar(std::function<double(double)> rho, double n = 1) {
    return [=](double l, double f, double, double& x, double& y) {
        x = rho(f) * std::sin(n * l);
        y = -rho(f) * std::cos(n * l);
    };
}
Formula Cyl(std::function<double(double)> fy) {
    return [=](double l, double f, double, double& x, double& y) {
        x = l;
        y = fy(f);
    };
}

const std::vector<Pt> kNorth = {{10, 90}, {40, 60}, {-50, 45}, {100, 70}, {10, 35}, {-120, 50}};
const std::vector<Pt> kHemi = {{10, 90}, {40, 60}, {-50, 5}, {100, 0}, {170, 20}};
const std::vector<Pt> kFar = {{10, 90}, {40, 0}, {-50, -60}, {100, -88}, {170, 20}};
const std::vector<Pt> kWorld = {{10, 0}, {100, 30}, {-80, -45}, {170, 80}, {-169, -10}, {55, 89}};
const std::vector<Pt> kCone = {{10, 90}, {40, 60}, {-50, -45}, {100, -89}, {170, 20}};

} // namespace

TEST(ProjectionFormula, Azimuthals) {
    ExpectFormula(1, 50, Polar([](double f) { return 1 / std::tan(f); }), kNorth);
    ExpectFormula(2, 40, Polar([](double f) { return 2 * std::tan((kPi / 2 - f) / 2); }), kHemi);
    ExpectFormula(5, 40, Polar([](double f) { return std::cos(f); }), kHemi);
    ExpectFormula(6, 35, Polar([](double f) { return kPi / 2 - f; }), kFar);
    ExpectFormula(7, 35, Polar([](double f) { return 2 * std::sin((kPi / 2 - f) / 2); }), kFar);
    // Vertical perspective with the eye P radii from the centre (far side -P).
    for (double light : {1.5, 3.0, 50.0}) {
        const double horizon = std::asin(1 / light) / kDeg;
        for (double p : {light, -light}) {
            const std::vector<Pt> pts = p > 0 ? std::vector<Pt>{{10, 90}, {40, 85}, {-50, horizon + 1}, {100, horizon + 0.01}}
                                              : std::vector<Pt>{{10, 90}, {40, 0}, {-50, -horizon + 1}, {100, -horizon + 0.01}};
            ExpectFormula(p > 0 ? 3 : 4, p > 0 ? 80 : 30,
                          Polar([p](double f) { return (p - 1) * std::cos(f) / (p - std::sin(f)); }), pts, 1e-3, light);
        }
    }
    ExpectFormula(8, 30, [](double l, double f, double, double& x, double& y) {
        const double d = std::sqrt(1 + std::cos(f) * std::cos(l / 2));
        x = 2 * std::sqrt(2.0) * std::cos(f) * std::sin(l / 2) / d;
        y = std::sqrt(2.0) * std::sin(f) / d;
    }, kWorld);
    ExpectFormula(9, -20, [](double l, double f, double, double& x, double& y) {
        const double a = std::acos(std::cos(f) * std::cos(l / 2));
        const double k = a == 0 ? 1 : a / std::sin(a);
        x = 2 * k * std::cos(f) * std::sin(l / 2);
        y = k * std::sin(f);
    }, kWorld);
}

TEST(ProjectionFormula, CylindricalsAndPseudocylindricals) {
    ExpectFormula(10, 20, Cyl([](double f) { return std::tan(f); }), {{10, 0}, {100, 59}, {-170, -60}, {55, 30}});
    ExpectFormula(11, 40, Cyl([](double f) { return 2 * std::tan(f / 2); }), kWorld);
    ExpectFormula(12, -40, Cyl([](double f) { return f; }), kWorld);
    ExpectFormula(13, 35, Cyl([](double f) { return std::log(std::tan(kPi / 4 + f / 2)); }),
                  {{10, 0}, {100, 84.9}, {-170, -85}, {55, 30}});
    ExpectFormula(14, 35, Cyl([](double f) { return 1.25 * std::log(std::tan(kPi / 4 + 0.4 * f)); }), kWorld);
    ExpectFormula(15, 45, [](double l, double f, double f0, double& x, double& y) {
        x = l * std::cos(f0);
        y = std::sin(f) / std::cos(f0);
    }, kWorld);
    ExpectFormula(16, 30, [](double l, double f, double, double& x, double& y) {
        x = l * std::cos(f);
        y = f;
    }, kWorld);
    // Mollweide (17) and Eckert VI (19) interpolate their tables: checked row by row elsewhere.
    ExpectFormula(20, 30, [](double l, double f, double, double& x, double& y) {
        const double s = 0.90631 * std::sin(f), c0 = std::sqrt(1 - s * s);
        const double c1 = std::sqrt(2 / (1 + c0 * std::cos(l / 3)));
        x = 2.66724 * c0 * c1 * std::sin(l / 3);
        y = 1.24103 * s * c1;
    }, kWorld);
    ExpectFormula(30, 30, [](double l, double f, double, double& x, double& y) {
        const double a = std::acos(std::cos(f) * std::cos(l / 2));
        const double sinc = a == 0 ? 1 : std::sin(a) / a;
        x = 0.5 * (l * std::cos(50.466666666666667 * kDeg) + 2 * std::cos(f) * std::sin(l / 2) / sinc);
        y = 0.5 * (f + std::sin(f) / sinc);
    }, kWorld);
}

TEST(ProjectionFormula, Conics) {
    const double f0c = 45 * kDeg, f0 = 35 * kDeg, n = std::sin(f0);
    ExpectFormula(21, 45, Polar([=](double f) { return 1 / std::tan(f0c) - std::tan(f - f0c); }, std::sin(f0c)),
                  {{10, 90}, {40, 60}, {-50, 45}, {100, -29}, {170, 20}});
    ExpectFormula(23, 45, Polar([=](double f) { return 1 / std::tan(f0c) + f0c - f; }, std::sin(f0c)), kCone);
    const double c = std::cos(f0) * std::cos(f0) + 2 * n * n;
    ExpectFormula(24, 35, Polar([=](double f) { return std::sqrt(c - 2 * n * std::sin(f)) / n; }, n), kCone);
    const double big = std::cos(f0) * std::pow(std::tan(kPi / 4 + f0 / 2), n) / n;
    const Formula lambert =
        Polar([=](double f) { return f >= kPi / 2 - 1e-12 ? 0 : big / std::pow(std::tan(kPi / 4 + f / 2), n); }, n);
    ExpectFormula(25, 35, lambert, {{40, 60}, {-50, -5}, {100, -39}, {170, 20}, {10, 89.99}});
    // At the pole itself r grows like tan(p/2)^n from p = 5e-15 (the pole's
    // polar distance with these constants): a few centimetres, not 0.
    ExpectFormula(25, 35, lambert, {{10, 90}}, 0.1);
    ExpectFormula(26, 50, [](double l, double f, double f0, double& x, double& y) {
        const double rho = 1 / std::tan(f0) + f0 - f;
        const double e = rho == 0 ? 0 : l * std::cos(f) / rho;
        x = rho * std::sin(e);
        y = -rho * std::cos(e);
    }, {{10, 90}, {40, 60}, {-50, -45}, {100, -89}, {170, 20}, {-170, -70}});
}
