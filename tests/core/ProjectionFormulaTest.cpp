// Each projection against its textbook formula, written out here with full
// precision constants and solved equations, for a handful of points.
#include "core/MapProjection.h"
#include "core/clsVospProjector.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDeg = kPi / 180;
const double kR = MapProjection::DefaultGlobeRadius;

// Plane position (unit sphere) of a relative longitude and a latitude, with
// the centre latitude known to the formula; radians.
using Formula = std::function<void(double lam, double phi, double phi0, double& x, double& y)>;

struct Point {
    double lonDeg;
    double latDeg;
};

// Compares the projector with the formula for a northern centre on the
// meridian 10 E: y is counted from the centre's own image.
void ExpectFormula(int16_t index, double centreLatDeg, const Formula& f, const std::vector<Point>& points,
                   double tolMetres, double light = 0) {
    clsVospProjector p;
    p.SetPrjIndex(index);
    p.SetCenterLon(36000);
    p.SetCenterLat(static_cast<int32_t>(std::lround(centreLatDeg * 3600)));
    if (light != 0) p.SetLight(light);
    ASSERT_TRUE(p.SetUp()) << "index " << index;
    const double phi0 = centreLatDeg * kDeg;
    double cx = 0, cy = 0;
    f(0, phi0, phi0, cx, cy);
    for (const Point& pt : points) {
        // Whole seconds, as the projector takes them.
        const int32_t lonSec = static_cast<int32_t>(std::lround(pt.lonDeg * 3600));
        const int32_t latSec = static_cast<int32_t>(std::lround(pt.latDeg * 3600));
        double ex = 0, ey = 0;
        f((lonSec / 3600.0 - 10) * kDeg, latSec / 3600.0 * kDeg, phi0, ex, ey);
        double x = 0, y = 0;
        ASSERT_TRUE(p.CnvLLtoXY(lonSec, latSec, x, y))
            << "index " << index << " at " << pt.lonDeg << "," << pt.latDeg;
        EXPECT_NEAR(x, (ex - cx) * kR, tolMetres) << "index " << index << " at " << pt.lonDeg << "," << pt.latDeg;
        EXPECT_NEAR(y, (ey - cy) * kR, tolMetres) << "index " << index << " at " << pt.lonDeg << "," << pt.latDeg;
    }
}

void Polar(double rho, double lam, double& x, double& y) {
    x = rho * std::sin(lam);
    y = -rho * std::cos(lam);
}

double Newton(const std::function<double(double)>& f, const std::function<double(double)>& df, double t) {
    for (int i = 0; i < 100; ++i) {
        const double d = df(t);
        if (d == 0) break;
        const double step = f(t) / d;
        t -= step;
        if (std::fabs(step) < 1e-15) break;
    }
    return t;
}

class ProjectionFormula : public ::testing::Test {
protected:
    void SetUp() override { MapProjection::InitGlobeRadius(MapProjection::DefaultGlobeRadius); }
};

const std::vector<Point> kNorth = {{10, 90}, {40, 60}, {-50, 45}, {100, 70}, {10, 35}, {-120, 50}};
const std::vector<Point> kWorld = {{10, 0}, {100, 30}, {-80, -45}, {170, 80}, {-169, -10}, {55, 89}};

} // namespace

TEST_F(ProjectionFormula, PolarAzimuthals) {
    // Gnomonic, stereographic, orthographic, equidistant, Lambert: radius
    // functions of the colatitude.
    ExpectFormula(1, 50, [](double l, double f, double, double& x, double& y) { Polar(1 / std::tan(f), l, x, y); },
                  kNorth, 1e-3);
    ExpectFormula(2, 40, [](double l, double f, double, double& x, double& y) {
        Polar(2 * std::tan((kPi / 2 - f) / 2), l, x, y);
    }, {{10, 90}, {40, 60}, {-50, 5}, {100, -0.0}, {170, 20}}, 1e-3);
    ExpectFormula(5, 40, [](double l, double f, double, double& x, double& y) { Polar(std::cos(f), l, x, y); },
                  {{10, 90}, {40, 60}, {-50, 5}, {100, 0}, {170, 20}}, 1e-3);
    ExpectFormula(6, 35, [](double l, double f, double, double& x, double& y) { Polar(kPi / 2 - f, l, x, y); },
                  {{10, 90}, {40, 0}, {-50, -60}, {100, -88}, {170, 20}}, 1e-3);
    ExpectFormula(7, 35, [](double l, double f, double, double& x, double& y) {
        Polar(2 * std::sin((kPi / 2 - f) / 2), l, x, y);
    }, {{10, 90}, {40, 0}, {-50, -60}, {100, -88}, {170, 20}}, 1e-3);
}

TEST_F(ProjectionFormula, VerticalPerspectives) {
    // Vertical perspective with the eye P radii from the centre: near side P,
    // far side -P (the eye beyond the opposite pole).
    for (double light : {1.5, 3.0, 50.0}) {
        const double horizon = std::asin(1 / light) / kDeg; // latitude of the horizon
        ExpectFormula(3, 80, [light](double l, double f, double, double& x, double& y) {
            Polar(light > 0 ? (light - 1) * std::cos(f) / (light - std::sin(f)) : 0, l, x, y);
        }, {{10, 90}, {40, 85}, {-50, horizon + 1}, {100, horizon + 0.01}}, 1e-3, light);
        ExpectFormula(4, 30, [light](double l, double f, double, double& x, double& y) {
            const double p = -light;
            Polar((p - 1) * std::cos(f) / (p - std::sin(f)), l, x, y);
        }, {{10, 90}, {40, 0}, {-50, -horizon + 1}, {100, -horizon + 0.01}}, 1e-3, light);
    }
}

TEST_F(ProjectionFormula, HammerAndAitoff) {
    ExpectFormula(8, 30, [](double l, double f, double, double& x, double& y) {
        const double d = std::sqrt(1 + std::cos(f) * std::cos(l / 2));
        x = 2 * std::sqrt(2.0) * std::cos(f) * std::sin(l / 2) / d;
        y = std::sqrt(2.0) * std::sin(f) / d;
    }, kWorld, 1e-3);
    ExpectFormula(9, -20, [](double l, double f, double, double& x, double& y) {
        const double a = std::acos(std::cos(f) * std::cos(l / 2));
        const double k = a == 0 ? 1 : a / std::sin(a);
        x = 2 * k * std::cos(f) * std::sin(l / 2);
        y = k * std::sin(f);
    }, kWorld, 1e-3);
}

TEST_F(ProjectionFormula, Cylindricals) {
    ExpectFormula(10, 20, [](double l, double f, double, double& x, double& y) { x = l; y = std::tan(f); },
                  {{10, 0}, {100, 59}, {-170, -60}, {55, 30}}, 1e-3);
    ExpectFormula(11, 40, [](double l, double f, double, double& x, double& y) { x = l; y = 2 * std::tan(f / 2); },
                  kWorld, 1e-3);
    ExpectFormula(12, -40, [](double l, double f, double, double& x, double& y) { x = l; y = f; }, kWorld, 1e-3);
    ExpectFormula(13, 35, [](double l, double f, double, double& x, double& y) {
        x = l;
        y = std::log(std::tan(kPi / 4 + f / 2));
    }, {{10, 0}, {100, 84.9}, {-170, -85}, {55, 30}}, 1e-3);
    ExpectFormula(14, 35, [](double l, double f, double, double& x, double& y) {
        x = l;
        y = 1.25 * std::log(std::tan(kPi / 4 + 0.4 * f));
    }, kWorld, 1e-3);
    ExpectFormula(15, 45, [](double l, double f, double f0, double& x, double& y) {
        x = l * std::cos(f0);
        y = std::sin(f) / std::cos(f0);
    }, kWorld, 1e-3);
}

TEST_F(ProjectionFormula, Pseudocylindricals) {
    ExpectFormula(16, 30, [](double l, double f, double, double& x, double& y) { x = l * std::cos(f); y = f; },
                  kWorld, 1e-3);
    // Mollweide and Eckert VI solved exactly; the projector interpolates
    // between 2.5-degree rows, so compare on rows (Eckert VI rows within 1e-9).
    const std::vector<Point> rows = {{10, 0}, {100, 30}, {-80, -45}, {170, 80}, {-169, -10}, {55, 87.5}, {20, 90}};
    ExpectFormula(17, 30, [](double l, double f, double, double& x, double& y) {
        const double rhs = kPi * std::sin(f);
        double t = std::fabs(f) > 1.5707 ? std::copysign(kPi / 2, f)
                                         : Newton([rhs](double v) { return 2 * v + std::sin(2 * v) - rhs; },
                                                  [](double v) { return 2 + 2 * std::cos(2 * v); }, f);
        x = 2 * std::sqrt(2.0) / kPi * l * std::cos(t);
        y = std::sqrt(2.0) * std::sin(t);
    }, rows, 1e-2);
    ExpectFormula(19, 30, [](double l, double f, double, double& x, double& y) {
        const double rhs = (1 + kPi / 2) * std::sin(f);
        double t = std::fabs(f) > 1.5707 ? std::copysign(kPi / 2, f)
                                         : Newton([rhs](double v) { return v + std::sin(v) - rhs; },
                                                  [](double v) { return 1 + std::cos(v); }, f);
        x = l * (1 + std::cos(t)) / std::sqrt(2 + kPi);
        y = 2 * t / std::sqrt(2 + kPi);
    }, rows, 2e-2);
    ExpectFormula(20, 30, [](double l, double f, double, double& x, double& y) {
        const double s = 0.90631 * std::sin(f);
        const double c0 = std::sqrt(1 - s * s);
        const double c1 = std::sqrt(2 / (1 + c0 * std::cos(l / 3)));
        x = 2.66724 * c0 * c1 * std::sin(l / 3);
        y = 1.24103 * s * c1;
    }, kWorld, 1e-3);
    ExpectFormula(30, 30, [](double l, double f, double, double& x, double& y) {
        const double a = std::acos(std::cos(f) * std::cos(l / 2));
        const double sinc = a == 0 ? 1 : std::sin(a) / a;
        x = 0.5 * (l * std::cos(50.466666666666667 * kDeg) + 2 * std::cos(f) * std::sin(l / 2) / sinc);
        y = 0.5 * (f + std::sin(f) / sinc);
    }, kWorld, 1e-3);
}

TEST_F(ProjectionFormula, Conics) {
    const auto cone = [](double l, double rho, double n, double& x, double& y) { Polar(rho, n * l, x, y); };
    ExpectFormula(21, 45, [&](double l, double f, double f0, double& x, double& y) {
        cone(l, 1 / std::tan(f0) - std::tan(f - f0), std::sin(f0), x, y);
    }, {{10, 90}, {40, 60}, {-50, 45}, {100, -29}, {170, 20}}, 1e-3);
    ExpectFormula(23, 45, [&](double l, double f, double f0, double& x, double& y) {
        cone(l, 1 / std::tan(f0) + f0 - f, std::sin(f0), x, y);
    }, {{10, 90}, {40, 60}, {-50, -45}, {100, -89}, {170, 20}}, 1e-3);
    ExpectFormula(24, 35, [&](double l, double f, double f0, double& x, double& y) {
        const double n = std::sin(f0);
        const double c = std::cos(f0) * std::cos(f0) + 2 * n * n;
        cone(l, std::sqrt(c - 2 * n * std::sin(f)) / n, n, x, y);
    }, {{10, 90}, {40, 60}, {-50, -45}, {100, -89}, {170, 20}}, 1e-3);
    ExpectFormula(25, 35, [&](double l, double f, double f0, double& x, double& y) {
        const double n = std::sin(f0);
        const double big = std::cos(f0) * std::pow(std::tan(kPi / 4 + f0 / 2), n) / n;
        cone(l, f >= kPi / 2 - 1e-12 ? 0 : big / std::pow(std::tan(kPi / 4 + f / 2), n), n, x, y);
    }, {{40, 60}, {-50, -5}, {100, -39}, {170, 20}, {10, 89.99}}, 1e-3);
    // At the pole itself r grows like tan(p/2)^n from p = 5e-15 (the pole's
    // polar distance with these constants): a few centimetres, not 0.
    ExpectFormula(25, 35, [&](double l, double f, double f0, double& x, double& y) {
        const double n = std::sin(f0);
        const double big = std::cos(f0) * std::pow(std::tan(kPi / 4 + f0 / 2), n) / n;
        cone(l, f >= kPi / 2 - 1e-12 ? 0 : big / std::pow(std::tan(kPi / 4 + f / 2), n), n, x, y);
    }, {{10, 90}}, 0.1);
    ExpectFormula(26, 50, [](double l, double f, double f0, double& x, double& y) {
        const double rho = 1 / std::tan(f0) + f0 - f;
        const double e = rho == 0 ? 0 : l * std::cos(f) / rho;
        x = rho * std::sin(e);
        y = -rho * std::cos(e);
    }, {{10, 90}, {40, 60}, {-50, -45}, {100, -89}, {170, 20}, {-170, -70}}, 1e-3);
}

// A southern centre draws the mirror image: the same x, y negated.
TEST_F(ProjectionFormula, SouthernCentreMirrorsEveryIndex) {
    const std::vector<Point> pts = {{40, 60}, {-50, 45}, {100, 70}, {-120, 50}, {10, 35}};
    for (int16_t i = 1; i <= 30; ++i) {
        if (!clsVospProjector::IsValidPrj(i)) continue;
        clsVospProjector n, s;
        n.SetPrjIndex(i);
        s.SetPrjIndex(i);
        n.SetCenterLon(36000);
        s.SetCenterLon(36000);
        n.SetCenterLat(50 * 3600);
        s.SetCenterLat(-50 * 3600);
        n.SetLight(2);
        s.SetLight(2);
        ASSERT_TRUE(n.SetUp());
        ASSERT_TRUE(s.SetUp());
        for (const Point& pt : pts) {
            double xn, yn, xs, ys;
            const int32_t lon = static_cast<int32_t>(pt.lonDeg * 3600), lat = static_cast<int32_t>(pt.latDeg * 3600);
            const bool okN = n.CnvLLtoXY(lon, lat, xn, yn);
            ASSERT_EQ(okN, s.CnvLLtoXY(lon, -lat, xs, ys)) << "index " << i;
            if (!okN) continue;
            EXPECT_NEAR(xs, xn, 1e-4) << "index " << i;
            EXPECT_NEAR(ys, -yn, 1e-4) << "index " << i;
            if (pt.lonDeg > 10) {
                EXPECT_GT(xs, 0) << "index " << i;
            }
        }
    }
}
