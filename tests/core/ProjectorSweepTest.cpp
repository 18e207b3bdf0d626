// Every index, several centres, plane points far outside and exactly on the
// edges: the conversions must answer (True or False) with results in range
// and no undefined behaviour under the sanitizers.
#include "core/MapProjection.h"
#include "core/clsVospProjector.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

const double kR = MapProjection::DefaultGlobeRadius;
const int16_t kAll[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 19, 20, 21, 23, 24, 25, 26, 30};

void ExpectInRange(int32_t lon, int32_t lat) {
    EXPECT_GE(lon, -648000);
    EXPECT_LE(lon, 648000);
    EXPECT_GE(lat, -324000);
    EXPECT_LE(lat, 324000);
}

} // namespace

TEST(ProjectorSweep, InversesAtExtremePlanes) {
    MapProjection::InitGlobeRadius(MapProjection::DefaultGlobeRadius);
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> planes = {0, 1e-300, -1e-300, 1e3, -1e3, 1e3 * kR, -1e3 * kR, 1e300, -1e300, inf, -inf, nan,
                                  // y limits of the sinusoidal and Mollweide, at and beyond
                                  1.5707236047427287 * kR, -1.5707236047427287 * kR, 1.4142135623731 * kR,
                                  -1.4142135623731 * kR, 1.4142135623731 * kR * (1 + 1e-15)};
    const int32_t centres[][2] = {{0, 0}, {648000, 324000}, {-648000, -324000}, {135 * 3600, 3 * 3600},
                                  {-60 * 3600, -40 * 3600}, {2147483647, 10800}};
    for (int16_t i : kAll) {
        for (const auto& c : centres) {
            for (double light : {1.005, 201.0}) {
                clsVospProjector p;
                p.SetPrjIndex(i);
                p.SetCenterLon(c[0]);
                p.SetCenterLat(c[1]);
                p.SetLight(light);
                const bool up = p.SetUp();
                // The plane images of the centre's own offset and of the apex.
                std::vector<double> ys = planes;
                ys.push_back(-p.YOffset() * kR);
                ys.push_back(-p.YOffset() * kR * (1 + 1e-12));
                for (double x : planes) {
                    for (double y : ys) {
                        int32_t lon = 7, lat = 7;
                        const bool ok = p.CnvXYtoLL(x, y, lon, lat);
                        if (!up) {
                            EXPECT_FALSE(ok);
                        }
                        if (!std::isfinite(x) || !std::isfinite(y)) {
                            EXPECT_FALSE(ok) << i;
                        }
                        ExpectInRange(lon, lat);
                    }
                }
            }
        }
    }
}

TEST(ProjectorSweep, ForwardsAtExtremeAngles) {
    MapProjection::InitGlobeRadius(MapProjection::DefaultGlobeRadius);
    const int32_t angles[] = {-2147483647 - 1, -1296000, -648001, -648000, -324001, -324000, 0,
                              324000,          324001,   648000,  1296000, 2147483647};
    for (int16_t i : kAll) {
        clsVospProjector p;
        p.SetPrjIndex(i);
        p.SetCenterLon(2147483647);
        p.SetCenterLat(45 * 3600);
        p.SetLight(2);
        p.SetUp();
        for (int32_t lon : angles) {
            for (int32_t lat : angles) {
                double x = 0, y = 0;
                if (p.CnvLLtoXY(lon, lat, x, y)) {
                    EXPECT_TRUE(std::isfinite(x) && std::isfinite(y)) << i;
                    EXPECT_LE(std::fabs(x), 2147483647.0) << i;
                    EXPECT_LE(std::fabs(y), 2147483647.0) << i;
                }
            }
        }
    }
}
