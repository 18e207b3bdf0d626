// The projector's contract: properties, set-up failures, the band of
// latitudes, round trips, and answers in range at extreme inputs.
#include "ProjectorKit.h"

#include <gtest/gtest.h>
#include <limits>
#include <vector>

using namespace pk;

TEST(Projector, PropertiesKeepTheirRules) {
    clsVospProjector p;
    double x, y;
    int32_t lon, lat, n = 0, s = 0;
    EXPECT_FALSE(p.SetUp()); // no projection chosen yet
    EXPECT_FALSE(p.CnvLLtoXY(0, 0, x, y));
    EXPECT_FALSE(p.CnvXYtoLL(0, 0, lon, lat));
    EXPECT_FALSE(p.RangeNS(n, s));
    EXPECT_EQ(n, 323985);
    EXPECT_EQ(s, -323985);

    p.SetPrjIndex(12);
    p.SetCenterLat(400000);
    EXPECT_EQ(p.CenterLat(), 324000);
    p.SetCenterLat(-2147483647 - 1);
    EXPECT_EQ(p.CenterLat(), -324000);
    p.SetCenterLon(-1296001);
    EXPECT_EQ(p.CenterLon(), -1296001); // not wrapped
    for (auto [in, kept] : {std::pair{1.0, 0.0}, {201.0, 201.0}, {201.0001, 201.0}, {1.005, 1.005}}) {
        p.SetLight(in);
        EXPECT_EQ(p.Light(), kept) << in;
    }
    for (int16_t bad : {0, 18, 22, 27, 28, 29, 31, -1}) {
        p.SetPrjIndex(bad);
        EXPECT_EQ(p.PrjIndex(), 12) << bad;
    }
    EXPECT_EQ(p.PrjStatus(), 0x1B210217);
}

TEST(Projector, FailedSetUpFailsBothConversions) {
    // Equirectangular first, so that stale constants would give answers.
    clsVospProjector p = Make(12, 0, 20 * D);
    ASSERT_TRUE(p.SetUp());
    p.SetPrjIndex(10);
    p.SetCenterLat(70 * D); // beyond 60 degrees 0'15"
    EXPECT_FALSE(p.SetUp());
    double x = 1, y = 1;
    int32_t lon = 1, lat = 1;
    EXPECT_FALSE(p.CnvLLtoXY(0, 0, x, y));
    EXPECT_FALSE(p.CnvXYtoLL(0, 0, lon, lat));
    // A refused index still clears the set-up.
    clsVospProjector r = Make(12, 0, 20 * D);
    ASSERT_TRUE(r.SetUp());
    r.SetPrjIndex(1);
    EXPECT_FALSE(r.SetUp());
    r.SetPrjIndex(18);
    EXPECT_EQ(r.PrjIndex(), 1);
    EXPECT_FALSE(Fwd(r, 0, 80 * D));
    // Without an explicit SetUp, too.
    clsVospProjector q = Make(21, 0, 2 * D);
    EXPECT_FALSE(q.CnvLLtoXY(0, 0, x, y));
    q.SetCenterLat(3 * D);
    EXPECT_TRUE(q.CnvLLtoXY(0, 0, x, y));
    // The perspectives without a viewing distance: no division by zero.
    for (int16_t i : {3, 4}) {
        clsVospProjector v = Make(i, 0, 89 * D, 0);
        EXPECT_FALSE(v.SetUp()) << i;
        EXPECT_FALSE(v.CnvLLtoXY(0, 89 * D, x, y)) << i;
        v.SetLight(1.005);
        EXPECT_TRUE(v.SetUp()) << i;
    }
}

// At each centre: the refusals, the centre at the origin and back, then
// forward and back over a grid of the valid area: within one second for the
// closed forms; for the searched inverses the image of the answer lies
// within one minute of the point.
TEST(Projector, CentreAndRoundTripsOverGrids) {
    const int32_t centres[][2] = {{0, 0}, {135 * D, 35 * D}, {-60 * D, -40 * D}, {20 * D, 75 * D}, {0, 10 * D}};
    for (int16_t i : kAll) {
        const bool searched = i == 20 || i == 30;
        const int step = searched ? 20 : 7;
        for (const auto& c : centres) {
            SCOPED_TRACE(testing::Message() << "index " << i << " centre " << c[0] << "," << c[1]);
            clsVospProjector p = Make(i, c[0], c[1]);
            const int32_t a = std::abs(c[1]);
            // Conics refuse the equator; 1 and the near side (distance 2) need the
            // centre within 60 degrees of the pole, 10 within 60 of the equator.
            const bool refused = (i >= 21 && i != 30 && a == 0) || ((i == 1 || i == 3) && a < 30 * D) ||
                                 (i == 10 && a > 60 * D);
            ASSERT_EQ(p.SetUp(), !refused);
            if (refused) continue;
            double x = 1, y = 1;
            ASSERT_TRUE(p.CnvLLtoXY(c[0], c[1], x, y));
            EXPECT_NEAR(x, 0, 1e-6);
            EXPECT_NEAR(y, 0, 1e-6);
            int32_t clon = 1, clat = 1;
            if (!p.CnvXYtoLL(0, 0, clon, clat)) {
                // The stereographic equator lies on its limit radius; rounding may put it outside.
                EXPECT_TRUE(searched || (i == 2 && c[1] == 0));
            } else {
                EXPECT_LE(LonDiff(clon, c[0]), searched ? 60 : 1);
                EXPECT_LE(std::abs(clat - c[1]), searched ? 60 : 1);
            }
            int tried = 0;
            for (int rl = -179; rl <= 179; rl += step) {
                for (int la = -89; la <= 89; la += step / 2 + 1) {
                    const int32_t lon = c[0] + rl * D, lat = la * D + 1234; // off the table rows
                    if (!p.CnvLLtoXY(lon, lat, x, y)) continue;
                    int32_t blon = 0, blat = 0;
                    const bool ok = p.CnvXYtoLL(x, y, blon, blat);
                    if (searched && !ok) continue;
                    ASSERT_TRUE(ok) << "at " << lon << "," << lat;
                    ++tried;
                    if (searched) {
                        blon += int32_t(std::nearbyint((lon - blon) / 1296000.0)) * 1296000;
                        double bx, by;
                        ASSERT_TRUE(p.CnvLLtoXY(blon, blat, bx, by));
                        EXPECT_LT(std::hypot(bx - x, by - y), 2 * 0.0002908882086657213 * kR)
                            << "at " << lon << "," << lat;
                    } else {
                        EXPECT_LE(LonDiff(blon, lon), 1) << "at " << lon << "," << lat;
                        EXPECT_LE(std::abs(blat - lat), 1) << "at " << lon << "," << lat;
                    }
                }
            }
            EXPECT_GT(tried, 10);
        }
    }
}

TEST(Projector, RangeNSTable) {
    // Index, centre latitude, north and south for that centre; each row is
    // checked mirrored too (a southern centre swaps and negates the band).
    const struct {
        int16_t index;
        int32_t clat, north, south;
    } rows[] = {{1, 45 * D, 323985, 108000},  {2, 45 * D, 323985, 0},         {3, 45 * D, 323985, 108030},
                {4, 45 * D, 323985, -107970}, {5, 45 * D, 323985, 0},         {6, 45 * D, 323985, -320400},
                {7, 45 * D, 323985, -320400}, {8, 45 * D, 323985, -323985},   {10, 45 * D, 216000, -216000},
                {13, 45 * D, 306000, -306000}, {12, 45 * D, 323985, -323985}, {26, 45 * D, 323985, -323985},
                {30, 45 * D, 323985, -323985}, {21, 45 * D, 323985, -107985}, {25, 45 * D, 323985, -107985},
                {23, 45 * D, 323985, -323970}, {24, 45 * D, 323985, -323970}, {1, 60 * D, 323985, 108000}};
    for (const auto& r : rows) {
        for (int sign : {1, -1}) {
            clsVospProjector p = Make(r.index, 0, sign * r.clat);
            int32_t n = 0, s = 0;
            ASSERT_TRUE(p.RangeNS(n, s)) << r.index;
            EXPECT_EQ(n, sign > 0 ? r.north : -r.south) << r.index << " sign " << sign;
            EXPECT_EQ(s, sign > 0 ? r.south : -r.north) << r.index << " sign " << sign;
        }
    }
    // The perspectives keep the starting band until a distance is set.
    clsVospProjector r;
    r.SetPrjIndex(3);
    int32_t n, s;
    ASSERT_TRUE(r.RangeNS(n, s));
    EXPECT_EQ(s, -323985);
}

TEST(Projector, ResultsBeyondRangeFailOrNormalise) {
    int32_t lon = 0, lat = 0;
    double x, y;
    clsVospProjector p = Make(12, 0, 0);
    ASSERT_TRUE(p.CnvLLtoXY(648000, 0, x, y));
    EXPECT_DOUBLE_EQ(x, 648000 * 4.848136811095355e-6 * kR);
    EXPECT_FALSE(p.CnvXYtoLL(1e300, 0, lon, lat));
    // An unwrapped centre far from the point pushes x beyond 2^31 metres.
    clsVospProjector far = Make(12, 2000000000, 0);
    EXPECT_FALSE(far.CnvLLtoXY(0, 0, x, y));
    // The sinusoidal inverse near its y limit multiplies x by about 13751: the
    // longitude count passes 32 bits and still normalises, modulo a full turn.
    clsVospProjector s = Make(16, 0, 0);
    const double yy = 1.57072360474;
    ASSERT_TRUE(s.CnvXYtoLL(1e3 * kR, yy * kR, lon, lat));
    EXPECT_EQ(lat, 323985);
    const double seconds = std::nearbyint(1e3 / std::cos(yy) / 4.848136811095355e-6);
    ASSERT_GT(seconds, 4294967296.0);
    const double wrapped = std::fmod(seconds, 1296000.0);
    EXPECT_LE(std::abs(lon - (wrapped > 648000 ? wrapped - 1296000 : wrapped)), 2);
}

// Every index, several centres, plane points far outside and on the edges
// (the y limits of 16 and 17, the apex): answers stay in range, no undefined
// behaviour under the sanitizers.
TEST(Projector, SweepOfExtremeInputs) {
    const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<double> planes = {0, 1e-300, -1e-300, 1e3, -1e3, 1e3 * kR, -1e3 * kR, 1e300, -1e300, inf, -inf,
                                        nan, 1.5707236047427287 * kR, -1.5707236047427287 * kR, 1.4142135623731 * kR,
                                        -1.4142135623731 * kR, 1.4142135623731 * kR * (1 + 1e-15)};
    const int32_t centres[][2] = {{0, 0}, {648000, 324000}, {-648000, -324000}, {135 * D, 3 * D},
                                  {-60 * D, -40 * D}, {2147483647, 10800}};
    const int32_t angles[] = {-2147483647 - 1, -1296000, -648001, -648000, -324001, -324000, 0,
                              324000,          324001,   648000,  1296000, 2147483647};
    for (int16_t i : kAll) {
        for (const auto& c : centres) {
            for (double light : {1.005, 201.0}) {
                clsVospProjector p = Make(i, c[0], c[1], light);
                const bool up = p.SetUp();
                std::vector<double> ys = planes;
                ys.push_back(-p.YOffset() * kR);
                ys.push_back(-p.YOffset() * kR * (1 + 1e-12));
                for (double x : planes) {
                    for (double y : ys) {
                        int32_t lon = 7, lat = 7;
                        const bool ok = p.CnvXYtoLL(x, y, lon, lat);
                        if (!up || !std::isfinite(x) || !std::isfinite(y)) {
                            EXPECT_FALSE(ok) << i;
                        }
                        EXPECT_TRUE(lon >= -648000 && lon <= 648000 && lat >= -324000 && lat <= 324000) << i;
                    }
                }
            }
        }
        clsVospProjector p = Make(i, 2147483647, 45 * D);
        p.SetUp();
        for (int32_t lon : angles) {
            for (int32_t lat : angles) {
                double x = 0, y = 0;
                if (p.CnvLLtoXY(lon, lat, x, y)) {
                    EXPECT_TRUE(std::isfinite(x) && std::isfinite(y) && std::fabs(x) <= 2147483647.0 &&
                                std::fabs(y) <= 2147483647.0)
                        << i;
                }
            }
        }
    }
}
