// Sphere settings, projection catalogue, viewing distance and scale ladders.
#include "core/MapProjection.h"
#include "core/PublicVal.h"
#include "core/clsVospProjector.h"
#include "core/Scale.h"
#include "core/clsEnvironment.h"
#include "platform/Cp932Codec.h"
#include "support/TestFolder.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace MapProjection;

namespace {

constexpr double kDefault = 6371000.78997414;

// An environment store loaded from a file written here.
struct Env {
    TestFolder folder;
    clsEnvironment env;
    explicit Env(const QString& text) {
        env.SetFileName(folder.write(QStringLiteral("Environment.txt"), Cp932Encode(text)));
        EXPECT_EQ(env.Load(), 0);
    }
};

class Catalogue : public ::testing::Test {
protected:
    void SetUp() override { InitGlobeRadius(kDefault); }
    void TearDown() override { InitGlobeRadius(kDefault); }
};

} // namespace

TEST_F(Catalogue, SphereFromTheDefaultRadius) {
    EXPECT_EQ(GlobeRadius, kDefault);
    EXPECT_DOUBLE_EQ(GlobeCircum, 2 * kDefault * 3.14159265358979);
    EXPECT_DOUBLE_EQ(GlobeSecLength, GlobeCircum / 1296000);
    EXPECT_NEAR(GlobeSecLength, 30.887, 0.001);
    EXPECT_EQ(GlobeCircumLong, 40030179); // 40030178.55 m
    EXPECT_EQ(ScaleMin, 100000);
    EXPECT_EQ(ScaleMax, 1000000000);
}

TEST_F(Catalogue, InitGlobeReadsAndChecksTheRadius) {
    struct Case {
        const char* line;
        double radius;
    };
    const Case cases[] = {
        {"GlobeRadius=6371 km\r\n", 6371000},
        {"GlobeRadius=9999\r\n", kDefault},
        {"GlobeRadius=10000\r\n", 10000},
        {"GlobeRadius=abc\r\n", kDefault},
        {"Other=1\r\n", kDefault},
        {"GlobeRadius=337663041\r\n", 337663041},
        {"GlobeRadius=337663042\r\n", kDefault},
        {"GlobeRadius=-6371000\r\n", kDefault},
    };
    for (const Case& c : cases) {
        InitGlobeRadius(12345); // something else first
        Env e(QString::fromLatin1(c.line));
        InitGlobe(&e.env);
        EXPECT_DOUBLE_EQ(GlobeRadius, c.radius) << c.line;
    }
    Env small("GlobeRadius=10000\r\n");
    InitGlobe(&small.env);
    EXPECT_EQ(ScaleMin, 100);
    EXPECT_EQ(ScaleMax, 1000000);
    EXPECT_EQ(GlobeCircumLong, 62832);
    InitGlobe(nullptr);
    EXPECT_EQ(GlobeRadius, kDefault);
    InitGlobeText(QStringLiteral("1.2e400"));
    EXPECT_EQ(GlobeRadius, kDefault);
}

TEST_F(Catalogue, ViewingDistance) {
    EXPECT_TRUE(IsValidLight(1.005));
    EXPECT_TRUE(IsValidLight(201));
    EXPECT_FALSE(IsValidLight(1.0049));
    EXPECT_FALSE(IsValidLight(201.0001));
    EXPECT_FALSE(IsValidLight(std::nan("")));
    EXPECT_EQ(LightToAltitude(2), 6371001);
    // 201 radii of the largest sphere pass 2^31 metres: a double keeps it.
    InitGlobeRadius(337663041.8686294);
    EXPECT_EQ(LightToAltitude(201), std::floor(200 * 337663041.8686294 + 0.5));
    EXPECT_GT(LightToAltitude(201), 2147483647.0);
    InitGlobeRadius(kDefault);
    EXPECT_DOUBLE_EQ(AltitudeToLight(6371000.78997414), 2);
    EXPECT_DOUBLE_EQ(LightDistanceMin(), kDefault * 1.005);
    EXPECT_DOUBLE_EQ(LightDistanceMax(), kDefault * 201);
}

TEST_F(Catalogue, ScaleLimits) {
    EXPECT_TRUE(IsValidScale(100000));
    EXPECT_TRUE(IsValidScale(1e9));
    EXPECT_FALSE(IsValidScale(99999.99));
    EXPECT_FALSE(IsValidScale(1.0000001e9));
    EXPECT_EQ(LimitScale(50), ScaleMin);
    EXPECT_EQ(LimitScale(2000000000), ScaleMax);
    EXPECT_EQ(LimitScale(123456), 123456);
}

TEST_F(Catalogue, PropertyWordsAndFilter) {
    EXPECT_EQ(PrjStatus(1), 0x04180107);
    EXPECT_EQ(PrjStatus(13), 0x1A240207);
    EXPECT_EQ(PrjStatus(26), 0x0A03900F);
    EXPECT_EQ(PrjStatus(30), 0x1F404007);
    for (int16_t i : {0, 18, 22, 27, 28, 29, 31, -5}) EXPECT_EQ(PrjStatus(i), 0) << i;

    const QList<int> all = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 19, 20, 21, 23, 24, 25, 26, 30};
    EXPECT_EQ(PrjListByStatus(0), all);
    EXPECT_EQ(PrjListByStatus(0x10000000), (QList<int>{8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 19, 20, 30}));
    EXPECT_EQ(PrjListByStatus(0x00020000), (QList<int>{7, 8, 15, 16, 17, 19, 20, 24, 26}));
    // Every wanted property: area and true directions together.
    EXPECT_EQ(PrjListByStatus(0x000A0000), (QList<int>{7}));
    // Circle outline only; flag 0x20 only: the two perspectives.
    EXPECT_EQ(PrjListByStatus(0x00000100), (QList<int>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(PrjListByStatus(0x00000020), (QList<int>{3, 4}));
    // Barrel: no projection; an outline bit with high latitudes only.
    EXPECT_TRUE(PrjListByStatus(0x00002000).isEmpty());
    EXPECT_EQ(PrjListByStatus(0x04000400), (QList<int>{21, 25}));
    // The highest outline bit (sign of the byte) belongs to Bonne alone.
    EXPECT_EQ(PrjListByStatus(0x00008000), (QList<int>{26}));
}

TEST_F(Catalogue, HelpIds) {
    const struct {
        int16_t index;
        int32_t id;
    } rows[] = {{0, -1},       {1, 341001},  {9, 341009},  {10, 342001}, {20, 342011}, {21, 343001},
                {28, 343008},  {29, 344001}, {30, 344002}, {31, -1},     {-1, -1},     {18, 342009}};
    for (const auto& r : rows) EXPECT_EQ(PrjHelpID(r.index), r.id) << r.index;
}

TEST_F(Catalogue, NamesComeFromTheEnvironment) {
    Env e(QStringLiteral("PrjName01=心射\r\nPrjName12=正距円筒\r\nPrjName18=ないはず\r\nPrjName05=正距円筒\r\n"
                         "prjname30=ヴィンケル\r\n"));
    EXPECT_EQ(PrjName(1, &e.env), QStringLiteral("心射"));
    EXPECT_EQ(PrjName(2, &e.env), QStringLiteral("--- 未定義 ---"));
    EXPECT_EQ(PrjName(30, &e.env), QStringLiteral("ヴィンケル")); // keys ignore case
    for (int16_t i : {18, 22, 27, 28, 29, 0, 31}) EXPECT_EQ(PrjName(i, &e.env), QString()) << i;
    EXPECT_EQ(PrjName(3, nullptr), QStringLiteral("--- 未定義 ---"));
    // First match wins; the empty name matches the first unimplemented index.
    EXPECT_EQ(PrjNameToIndex(QStringLiteral("正距円筒"), &e.env), 5);
    EXPECT_EQ(PrjNameToIndex(QString(), &e.env), 18);
    EXPECT_EQ(PrjNameToIndex(QStringLiteral("--- 未定義 ---"), &e.env), 2);
    EXPECT_EQ(PrjNameToIndex(QStringLiteral("心射 "), &e.env), -1);
    EXPECT_EQ(StandardPrjName(1), QStringLiteral("心射方位図法"));
    EXPECT_EQ(StandardPrjName(18), QStringLiteral("エッケルト図法・第４式"));
    EXPECT_EQ(StandardPrjName(30), QStringLiteral("ヴィンケル図法・第３式"));
    EXPECT_EQ(StandardPrjName(31), QString());
}

TEST_F(Catalogue, GlobalStoreFeedsTheSphereAndTheNames) {
    Env e(QStringLiteral("GlobeRadius=1000 km\r\nPrjName12=正距円筒図法\r\n"));
    clsEnvironment* saved = PublicVal::gvEnvironment;
    PublicVal::gvEnvironment = &e.env;
    InitGlobe();
    EXPECT_EQ(GlobeRadius, 1000000);
    EXPECT_EQ(ScaleMin, 10000);
    EXPECT_EQ(PrjName(12), QStringLiteral("正距円筒図法"));
    EXPECT_EQ(PrjNameToIndex(QStringLiteral("正距円筒図法")), 12);
    clsVospProjector p;
    p.SetPrjIndex(12);
    EXPECT_EQ(p.PrjName(), QStringLiteral("正距円筒図法"));
    PublicVal::gvEnvironment = nullptr;
    InitGlobe();
    EXPECT_EQ(GlobeRadius, kDefault);
    EXPECT_EQ(p.PrjName(), QStringLiteral("--- 未定義 ---"));
    PublicVal::gvEnvironment = saved;
}

TEST_F(Catalogue, AltitudeSteps) {
    const std::vector<double> s = AltitudeSteps();
    ASSERT_EQ(s.size(), 161u);
    EXPECT_EQ(s[0], 100000);
    EXPECT_EQ(s[1], 110000);
    EXPECT_EQ(s[19], 290000);
    EXPECT_EQ(s[20], 300000);
    EXPECT_EQ(s[21], 320000);
    EXPECT_EQ(s[29], 480000);
    EXPECT_EQ(s[31], 525000);
    EXPECT_EQ(s[39], 900000);
    EXPECT_EQ(s[40], 1000000);
    EXPECT_EQ(s[159], 900000000);
    EXPECT_EQ(s[160], 1000000000);
    for (size_t i = 1; i < s.size(); ++i) EXPECT_GT(s[i], s[i - 1]) << i;
    // A small sphere: 50 m to 2e6 m gives decades 2..6.
    InitGlobeRadius(10000);
    const std::vector<double> t = AltitudeSteps();
    ASSERT_EQ(t.size(), 161u);
    EXPECT_EQ(t[0], 100);
    EXPECT_EQ(t[160], 1000000);
}

TEST_F(Catalogue, ScaleLaddersForTheDefaultRadius) {
    const double m13[13] = {1000, 800, 700, 600, 500, 400, 350, 300, 250, 200, 170, 150, 120};
    for (int16_t k = 1; k <= 53; ++k) {
        const double expected = m13[(k - 1) % 13] * std::pow(10.0, 6 - (k - 1) / 13);
        EXPECT_EQ(Scale::StdScale(k), expected) << k;
        EXPECT_EQ(Scale::StdScaleIndex(Scale::StdScale(k)), k) << k;
    }
    EXPECT_EQ(Scale::StdScale(1), 1e9);
    EXPECT_EQ(Scale::StdScale(2), 8e8);
    EXPECT_EQ(Scale::StdScale(13), 1.2e8);
    EXPECT_EQ(Scale::StdScale(14), 1e8);
    EXPECT_EQ(Scale::StdScale(53), 1e5);
    const double m10[10] = {1000, 800, 600, 500, 400, 300, 250, 200, 150, 120};
    for (int16_t k = 1; k <= 41; ++k)
        EXPECT_EQ(Scale::StdScale10(k), m10[(k - 1) % 10] * std::pow(10.0, 6 - (k - 1) / 10)) << k;
    EXPECT_EQ(Scale::StdScale10(41), 1e5);
    for (int16_t k : {0, 54, -1}) EXPECT_EQ(Scale::StdScale(k), 0) << k;
    for (int16_t k : {0, 42}) EXPECT_EQ(Scale::StdScale10(k), 0) << k;
    // Between two steps: the step with the next larger denominator.
    EXPECT_EQ(Scale::StdScaleIndex(1.1e8), 13);
    EXPECT_EQ(Scale::StdScaleIndex(9.9e8), 1);
    EXPECT_EQ(Scale::StdScaleIndex(100001), 52);
    EXPECT_EQ(Scale::StdScaleIndex(99999), 0);
    EXPECT_EQ(Scale::StdScaleIndex(1.000001e9), 0);
}

TEST_F(Catalogue, ScaleTextsUseKanjiUnits) {
    EXPECT_EQ(Scale::StdScaleText(1), QStringLiteral("10億"));
    EXPECT_EQ(Scale::StdScaleText(12), QStringLiteral("1.5億"));
    EXPECT_EQ(Scale::StdScaleText(13), QStringLiteral("1.2億"));
    EXPECT_EQ(Scale::StdScaleText(48), QStringLiteral("25万"));
    EXPECT_EQ(Scale::StdScaleText(52), QStringLiteral("12万"));
    EXPECT_EQ(Scale::StdScaleText(53), QStringLiteral("10万"));
    EXPECT_EQ(Scale::StdScaleText(0), QString());
}

TEST_F(Catalogue, ScaleLaddersForASmallSphere) {
    InitGlobeRadius(10000); // ScaleMax 1e6: the ladder reaches down to 100
    EXPECT_EQ(Scale::StdScale(1), 1e6);
    EXPECT_EQ(Scale::StdScale(14), 1e5);
    EXPECT_EQ(Scale::StdScale(53), 100);
    EXPECT_EQ(Scale::StdScale10(41), 100);
    for (int16_t k = 1; k <= 53; ++k) EXPECT_EQ(Scale::StdScaleIndex(Scale::StdScale(k)), k) << k;
    EXPECT_EQ(Scale::StdScaleIndex(99), 0);
}
