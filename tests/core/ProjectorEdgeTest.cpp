// The edges each projection names, probed one second of arc either side.
#include "ProjectorKit.h"

#include <gtest/gtest.h>

using namespace pk;

namespace {
const int32_t b60 = 60 * D + 15, b85 = 85 * D + 15, g = 29 * D + 59 * M + 45, c3 = 2 * D + 59 * M + 45;
} // namespace

TEST(ProjectorEdge, SetUpAndForwardBoundaries) {
    // Centres a projection accepts or refuses (light 2 for the perspectives).
    const struct {
        int16_t i;
        int32_t lat;
        bool ok;
    } centres[] = {{1, g, false},        {1, g + 1, true},      {1, -g, false},     {3, 20 * D, false},
                   {3, g + 1, true},     {3, g - 1, false},     {4, -29 * D, true}, {10, b60, true},
                   {10, b60 + 1, false}, {10, -b60 - 1, false}, {13, b85, true},    {13, b85 + 1, false},
                   {15, -b85, true},     {15, -b85 - 1, false}};
    for (const auto& c : centres) EXPECT_EQ(Make(c.i, 0, c.lat).SetUp(), c.ok) << c.i << " at " << c.lat;
    for (int16_t i : {21, 23, 24, 25, 26})
        for (auto [lat, ok] : {std::pair{3 * D, true}, {-3 * D, true}, {c3 + 1, true}, {c3, false}, {-c3, false}, {0, false}})
            EXPECT_EQ(Make(i, 0, lat).SetUp(), ok) << i << " at " << lat;

    // Points either side of the edge: index, centre latitude, point, accepted.
    const struct {
        int16_t i;
        int32_t clat, lon, lat;
        bool ok;
    } points[] = {
        {1, 45 * D, 0, g + 1, true},          {1, 45 * D, 0, g - 1, false},          // 60 deg from the pole
        {2, 40 * D, 10 * D, -14, true},       {2, 40 * D, 10 * D, -16, false},       // 15" past the equator
        {2, -40 * D, 10 * D, 14, true},       {2, -40 * D, 10 * D, 16, false},
        {5, 40 * D, 10 * D, -14, true},       {5, 40 * D, 10 * D, -16, false},
        {5, -40 * D, 10 * D, 14, true},       {5, -40 * D, 10 * D, 16, false},
        {3, 45 * D, 0, g + 1, true},          {3, 45 * D, 0, g - 1, false},          // horizon of light 2
        {4, 45 * D, 0, -(g - 1), true},       {4, 45 * D, 0, -(30 * D + 16), false},
        {6, 35 * D, 0, -(89 * D + 14), true}, {6, 35 * D, 0, -(89 * D + 16), false}, // near the far pole
        {7, 35 * D, 0, -(89 * D + 14), true}, {7, 35 * D, 0, -(89 * D + 16), false},
        {6, -35 * D, 0, 89 * D + 14, true},   {7, -35 * D, 0, 89 * D + 16, false},
        {10, 0, 0, b60 - 1, true},            {10, 0, 0, b60 + 1, false},
        {13, 0, 0, b85 - 1, true},            {13, 0, 0, b85 + 1, false},
        {21, 45 * D, 0, -30 * D + 1, true},   {21, 45 * D, 0, -30 * D - 1, false},   // 120 deg from the pole
        {25, 45 * D, 0, -30 * D + 1, true},   {25, 45 * D, 0, -30 * D - 1, false},
        {23, 45 * D, 0, -(g + 60 * D - 1), true}, {23, 45 * D, 0, -(g + 60 * D + 1), false}, // 179 59'45"
        {24, 45 * D, 0, -(g + 60 * D - 1), true}, {24, 45 * D, 0, -(g + 60 * D + 1), false},
    };
    for (const auto& p : points) {
        clsVospProjector q = Make(p.i, 0, p.clat);
        EXPECT_EQ(Fwd(q, p.lon, p.lat), p.ok) << p.i << " centre " << p.clat << " at " << p.lon << "," << p.lat;
    }
}

TEST(ProjectorEdge, AzimuthalInverseEdges) {
    int32_t lon, lat;
    clsVospProjector gn = Make(1, 0, 45 * D);
    EXPECT_TRUE(InvUnit(gn, 0, -std::tan(1.0471975511965967) + 1e-12, lon, lat));
    EXPECT_EQ(lat, 30 * D);
    EXPECT_FALSE(InvUnit(gn, 0, -std::tan(1.0471975511965967) - 1e-9, lon, lat));
    // Orthographic: radius 1 is the equator, beyond it nothing.
    clsVospProjector o = Make(5, 0, 40 * D);
    ASSERT_TRUE(InvUnit(o, 0.6, -0.8, lon, lat));
    EXPECT_EQ(lat, 0);
    EXPECT_FALSE(InvUnit(o, 0.6, -0.80008, lon, lat));
    // Perspectives answer up to their limit radius itself, at the horizon.
    for (int16_t i : {3, 4}) {
        clsVospProjector q = Make(i, 0, 45 * D);
        ASSERT_TRUE(q.SetUp());
        EXPECT_TRUE(InvUnit(q, q.Limit(), 0, lon, lat)) << i;
        EXPECT_EQ(lon, 90 * D) << i;
        EXPECT_LE(std::abs(lat - (i == 3 ? 30 * D : -30 * D)), 20) << i;
        EXPECT_FALSE(InvUnit(q, q.Limit() * 1.000001, 0, lon, lat)) << i;
    }
    // Hammer x^2/8 + y^2/2 = 1 and Aitoff x^2/(4L^2) + y^2/L^2 = 1, either side.
    clsVospProjector h = Make(8, 0, 0), a = Make(9, 0, 0);
    const double l = 1.5707963267949;
    for (double t : {0.3, 1.2, 2.5}) {
        const double ex = std::sqrt(8.0) * std::cos(t), ey = std::sqrt(2.0) * std::sin(t);
        const double ax = 2 * l * std::cos(t), ay = l * std::sin(t);
        for (auto [k, in] : {std::pair{0.999999, true}, {1.000001, false}}) {
            EXPECT_EQ(InvUnit(h, ex * k, ey * k, lon, lat), in) << t;
            EXPECT_EQ(InvUnit(a, ax * k, ay * k, lon, lat), in) << t;
        }
    }
}

TEST(ProjectorEdge, CylindricalAndPseudocylindricalEdges) {
    int32_t lon, lat;
    double x, y;
    clsVospProjector e = Make(12, 0, 0);
    EXPECT_FALSE(InvUnit(e, 0, 1.58, lon, lat));
    EXPECT_TRUE(InvUnit(e, 0, 1.57, lon, lat));
    clsVospProjector m = Make(13, 0, 0);
    ASSERT_TRUE(m.SetUp());
    EXPECT_TRUE(InvUnit(m, 0, m.Limit() * (1 - 1e-15), lon, lat));
    EXPECT_EQ(lat, 85 * D);
    EXPECT_FALSE(InvUnit(m, 0, m.Limit() * 1.000001, lon, lat));
    // Miller reaches the pole and comes back.
    clsVospProjector mi = Make(14, 0, 30 * D);
    ASSERT_TRUE(mi.CnvLLtoXY(0, 90 * D, x, y));
    EXPECT_NEAR(y / kR, mi.Limit() - mi.YOffset(), 1e-12);
    ASSERT_TRUE(mi.CnvXYtoLL(x, y * (1 - 1e-15), lon, lat));
    EXPECT_EQ(lat, 90 * D);
    // Sinusoidal at its y limit divides by cos 89 59'45".
    clsVospProjector s = Make(16, 0, 0);
    ASSERT_TRUE(InvUnit(s, 1e-5, 1.5707236047427, lon, lat));
    EXPECT_NEAR(lon, 1e-5 * 13751 / 4.848136811095355e-6, 2000);
    EXPECT_FALSE(InvUnit(s, 0, 1.5707236047428, lon, lat));
    // The searched inverses keep signs and refuse points off the outline.
    for (int16_t i : {20, 30}) {
        clsVospProjector p = Make(i, 0, 0);
        ASSERT_TRUE(p.CnvLLtoXY(60 * D, 45 * D, x, y));
        for (int sg : {1, -1}) {
            ASSERT_TRUE(p.CnvXYtoLL(sg * x, sg * y, lon, lat)) << i;
            EXPECT_LE(std::abs(lon - sg * 60 * D), M) << i;
            EXPECT_LE(std::abs(lat - sg * 45 * D), M) << i;
        }
        EXPECT_FALSE(p.CnvXYtoLL(4.0 * kR, 0.1 * kR, lon, lat)) << i;
        EXPECT_FALSE(p.CnvXYtoLL(0, 1.6 * kR, lon, lat)) << i;
    }
}

// Every row of the auxiliary-angle tables against the equation solved here,
// at 90 degrees either side so that x and the southern half count too;
// between rows the angle is interpolated linearly.
TEST(ProjectorEdge, AuxiliaryAngleRowsSolveTheirEquations) {
    const double pi = 3.141592653589793;
    clsVospProjector m = Make(17, 0, 0), e = Make(19, 0, 0);
    double x, y;
    for (int k = 0; k <= 36; ++k) {
        const double s = std::sin(k * 2.5 * pi / 180);
        const double tm = Solve([](double t) { return 2 * t + std::sin(2 * t); }, pi * s);
        const double te = Solve([](double t) { return t + std::sin(t); }, (1 + pi / 2) * s);
        // Both equations are flat at the pole, so the solution is loose there.
        const double tolM = k == 36 ? 1e-5 : k == 35 ? 1e-6 : 1e-9, tolE = k == 36 ? 1e-5 : 1.5e-9;
        for (int sg : {1, -1}) {
            ASSERT_TRUE(m.CnvLLtoXY(sg * 90 * D, sg * k * 9000, x, y));
            EXPECT_NEAR(std::asin(std::fmin(1.0, sg * y / kR / 1.4142135623731)), tm, tolM)
                << "Mollweide row " << sg * k;
            EXPECT_NEAR(sg * x / kR, 1.4142135623731 * std::cos(tm), 2 * tolM) << "Mollweide row " << sg * k;
            ASSERT_TRUE(e.CnvLLtoXY(sg * 90 * D, sg * k * 9000, x, y));
            EXPECT_NEAR(sg * y / kR / 0.882025543449103, te, tolE) << "Eckert VI row " << sg * k;
            EXPECT_NEAR(sg * x / kR, pi / 2 * (1 + std::cos(te)) / std::sqrt(2 + pi), tolE)
                << "Eckert VI row " << sg * k;
        }
    }
    double y0, y1, ymid;
    ASSERT_TRUE(e.CnvLLtoXY(0, 30 * D, x, y0));
    ASSERT_TRUE(e.CnvLLtoXY(0, 32 * D + 30 * M, x, y1));
    ASSERT_TRUE(e.CnvLLtoXY(0, 31 * D + 15 * M, x, ymid));
    EXPECT_NEAR(ymid, (y0 + y1) / 2, 1e-6);
}
