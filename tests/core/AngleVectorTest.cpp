// AngleLib's conversions between seconds, radians and unit vectors, and the wrapping of angles.
#include "core/AngleLib.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace AngleLib;

TEST(AngleVector, SecondsAndRadians) {
    EXPECT_NEAR(SecToRadian(1296000), 6.28318530717958, 1e-13);
    EXPECT_NEAR(SecToRadian(-2147483647 - 1), -10411.29452509414, 1e-9);
    EXPECT_EQ(RadianToSec(Pi), 648000);
    EXPECT_EQ(RadianToSec(-HalfPi), -324000);
    EXPECT_EQ(RadianToSec(0.4 * RadPerSec), 0);
    EXPECT_EQ(RadianToSec(0.6 * RadPerSec), 1);
    EXPECT_EQ(RadianToSec(1e10), 2147483647);
    EXPECT_EQ(RadianToSec(-1e10), -2147483647);
}

TEST(AngleVector, AnglePosToRadianAgreesWithAtan2OffTheNegativeAxis) {
    EXPECT_EQ(AnglePosToRadian(-1, 0), -Pi); // the half-open end is -pi, not +pi
    EXPECT_EQ(AnglePosToRadian(0, 0), 0);
    EXPECT_EQ(AnglePosToRadian(0, 1), HalfPi);
    EXPECT_NEAR(AnglePosToRadian(-2, 1e-9), Pi - 5e-10, 1e-12);
    for (int i = -20; i <= 20; ++i)
        for (int j = -20; j <= 20; ++j) {
            const double x = i * 0.37, y = j * 0.53;
            if ((y == 0 && x < 0) || (x == 0 && y == 0)) continue;
            const double a = AnglePosToRadian(x, y);
            EXPECT_NEAR(a, std::atan2(y, x), 1e-12) << x << "," << y;
            EXPECT_TRUE(a >= -Pi && a < Pi);
        }
    // RotateXY turns counter-clockwise.
    double x = 2, y = 0;
    RotateXY(-Pi / 6, x, y);
    EXPECT_NEAR(x, std::sqrt(3.0), 1e-12);
    EXPECT_NEAR(y, -1, 1e-12);
}

// The centre of the view looks along -z; y points north.
TEST(AngleVector, VectorsOfKnownDirections) {
    const struct {
        double lon, lat, x, y, z;
    } rows[] = {{0, 0, 0, 0, -1}, {HalfPi, 0, 1, 0, 0}, {1.0, HalfPi, 0, 1, 0}, {0, -HalfPi, 0, -1, 0}};
    for (const auto& r : rows) {
        double x, y, z;
        AngleToVector(r.lon, r.lat, x, y, z);
        EXPECT_NEAR(x, r.x, 1e-12) << r.lon << "," << r.lat;
        EXPECT_NEAR(y, r.y, 1e-12) << r.lon << "," << r.lat;
        EXPECT_NEAR(z, r.z, 1e-12) << r.lon << "," << r.lat;
    }
    double lon, lat;
    for (double sg : {1.0, -1.0}) {
        VectorToAngle(0, sg, 0, lon, lat);
        EXPECT_EQ(lat, sg * HalfPi);
    }
    VectorToAngle(0, 0, 1, lon, lat); // behind the centre: the -pi end
    EXPECT_EQ(lon, -Pi);
    EXPECT_EQ(lat, 0);
}

TEST(AngleVector, VectorRoundTripOverTheSphereIncludingNearThePoles) {
    for (int i = -17; i <= 17; ++i)
        for (int j = -9; j <= 9; ++j) {
            const double a = i * 0.18, b = j * 0.17; // b reaches 1.53 rad, both latitude branches
            double x, y, z, lon, lat;
            AngleToVector(a, b, x, y, z);
            EXPECT_NEAR(x * x + y * y + z * z, 1, 1e-12);
            VectorToAngle(x, y, z, lon, lat);
            EXPECT_NEAR(lon, a, 1e-9) << a << "," << b;
            EXPECT_NEAR(lat, b, 1e-9) << a << "," << b;
        }
}

TEST(AngleVector, NormLonWrapsAndNormLatFoldsOverThePoles) {
    const std::pair<int32_t, int64_t> lon[] = {
        {648000, 648000}, {-648000, -648000}, {648001, -647999}, {-648001, 647999},
        {1944000, 648000}, {-1944000, -648000}, {1296000, 0}, // 540 degrees
        {2147483647, 2147483647 - 1657 * 1296000LL}, {-2147483647 - 1, -2147483648LL + 1657 * 1296000LL}};
    for (auto [in, out] : lon) EXPECT_EQ(NormLon(in), out) << in;
    const std::pair<int32_t, int32_t> lat[] = {{360000, 288000}, {324000, 324000}, {324001, 323999}, // 100 deg -> 80
                                               {648000, 0},      {-648000, 0},     {648001, -1},    {1944000, 0}};
    for (auto [in, out] : lat) EXPECT_EQ(NormLat(in), out) << in;
    for (int32_t v : {2147483647, -2147483647 - 1, 1000001, -999999}) {
        const int32_t r = NormLat(v);
        EXPECT_TRUE(r >= -324000 && r <= 324000) << v;
    }
    int32_t lo = 1944000, la = 360000;
    NormalizeLL(lo, la);
    EXPECT_EQ(lo, 648000);
    EXPECT_EQ(la, 288000);
}
