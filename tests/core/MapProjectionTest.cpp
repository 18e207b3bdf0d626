// Sphere settings, projection catalogue, viewing distance and scale ladders.
#include "core/MapProjection.h"
#include "core/PublicVal.h"
#include "core/Scale.h"
#include "core/clsEnvironment.h"
#include "core/clsVospProjector.h"
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

TEST_F(Catalogue, InitGlobeReadsAndChecksTheRadius) {
    EXPECT_NEAR(GlobeSecLength, 30.887, 0.001);
    EXPECT_EQ(GlobeCircumLong, 40030179); // 40030178.55 m
    EXPECT_EQ(ScaleMin, 100000);
    EXPECT_EQ(ScaleMax, 1000000000);
    const struct {
        const char* line;
        double radius;
    } cases[] = {{"GlobeRadius=6371 km\r\n", 6371000},      {"GlobeRadius=9999\r\n", kDefault},
                 {"GlobeRadius=10000\r\n", 10000},          {"GlobeRadius=abc\r\n", kDefault},
                 {"Other=1\r\n", kDefault},                 {"GlobeRadius=337663041\r\n", 337663041},
                 {"GlobeRadius=337663042\r\n", kDefault},   {"GlobeRadius=-6371000\r\n", kDefault}};
    for (const auto& c : cases) {
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

TEST_F(Catalogue, ViewingDistanceAndScaleLimits) {
    for (auto [light, ok] : {std::pair{1.005, true}, {201.0, true}, {1.0049, false}, {201.0001, false}, {std::nan(""), false}})
        EXPECT_EQ(IsValidLight(light), ok) << light;
    EXPECT_EQ(LightToAltitude(2), 6371001);
    EXPECT_DOUBLE_EQ(AltitudeToLight(6371000.78997414), 2);
    // 201 radii of the largest sphere pass 2^31 metres: a double keeps it.
    InitGlobeRadius(337663041.8686294);
    EXPECT_EQ(LightToAltitude(201), std::floor(200 * 337663041.8686294 + 0.5));
    EXPECT_GT(LightToAltitude(201), 2147483647.0);
    InitGlobeRadius(kDefault);
    for (auto [s, ok] : {std::pair{100000.0, true}, {1e9, true}, {99999.99, false}, {1.0000001e9, false}})
        EXPECT_EQ(IsValidScale(s), ok) << s;
    EXPECT_EQ(LimitScale(50), ScaleMin);
    EXPECT_EQ(LimitScale(2000000000), ScaleMax);
    EXPECT_EQ(LimitScale(123456), 123456);
}

TEST_F(Catalogue, PropertyWordsFilterAndHelpIds) {
    for (int16_t i : {0, 18, 22, 27, 28, 29, 31, -5}) EXPECT_EQ(PrjStatus(i), 0) << i;
    const struct {
        int32_t mask;
        QList<int> list;
    } masks[] = {
        {0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 19, 20, 21, 23, 24, 25, 26, 30}},
        {0x10000000, {8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 19, 20, 30}},
        {0x00020000, {7, 8, 15, 16, 17, 19, 20, 24, 26}},
        {0x000A0000, {7}},                   // every wanted property: area and directions
        {0x00000100, {1, 2, 3, 4, 5, 6, 7}}, // circle outline
        {0x00000020, {3, 4}},                // the perspectives
        {0x00002000, {}},                    // barrel: none
        {0x04000400, {21, 25}},              // an outline bit with high latitudes only
        {0x00008000, {26}},                  // the outline byte's sign bit
    };
    for (const auto& m : masks) EXPECT_EQ(PrjListByStatus(m.mask), m.list) << std::hex << m.mask;
    const struct {
        int16_t index;
        int32_t id;
    } rows[] = {{0, -1},      {1, 341001},  {9, 341009},  {10, 342001}, {20, 342011}, {21, 343001},
                {28, 343008}, {29, 344001}, {30, 344002}, {31, -1},     {-1, -1},     {18, 342009}};
    for (const auto& r : rows) EXPECT_EQ(PrjHelpID(r.index), r.id) << r.index;
}

TEST_F(Catalogue, OutlineShapesNameTheTestsOfTheDrawing) {
    const QList<int> rounded = {1, 2, 3, 4, 5, 6, 7, 8, 9, 16, 17, 21, 23, 24, 25, 26};
    const QList<int> bending = {8, 9, 16, 17, 19, 20, 26, 30};
    const QList<int> rectangular = {10, 11, 12, 13, 14, 15};
    const QList<int> noParallelFrame = {8, 9, 16, 17};   // ellipses and spindles
    const QList<int> noMeridianFrame = {1, 2, 3, 4, 5, 6, 7}; // circles
    for (int16_t i = 1; i <= 30; ++i) {
        SCOPED_TRACE(i);
        const PrjShape s = PrjShapeOf(i);
        const bool known = PrjStatus(i) != 0;
        EXPECT_EQ(s.IsRounded(), rounded.contains(i));
        EXPECT_EQ(s.BendsMeridians(), bending.contains(i));
        EXPECT_EQ(s.IsRectangular(), rectangular.contains(i));
        EXPECT_EQ(s.FramesParallels(), known && !noParallelFrame.contains(i));
        EXPECT_EQ(s.FramesMeridians(), known && !noMeridianFrame.contains(i));
    }
    EXPECT_EQ(PrjShapeOf(26).outline, 0x90);
    EXPECT_EQ(PrjShapeOf(0).outline, 0);
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
    EXPECT_EQ(StandardPrjName(18), QStringLiteral("エッケルト図法・第４式"));
    EXPECT_EQ(StandardPrjName(31), QString());

    // Through the global store: sphere and names.
    Env g(QStringLiteral("GlobeRadius=1000 km\r\nPrjName12=正距円筒図法\r\n"));
    clsEnvironment* saved = PublicVal::gvEnvironment;
    PublicVal::gvEnvironment = &g.env;
    InitGlobe();
    EXPECT_EQ(ScaleMin, 10000);
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
    const std::pair<int, double> some[] = {{0, 100000}, {1, 110000},  {19, 290000},   {20, 300000},      {21, 320000},
                                           {29, 480000}, {31, 525000}, {40, 1000000}, {159, 900000000}, {160, 1e9}};
    for (auto [k, v] : some) EXPECT_EQ(s[k], v) << k;
    for (size_t i = 1; i < s.size(); ++i) EXPECT_GT(s[i], s[i - 1]) << i;
    InitGlobeRadius(10000); // 50 m to 2e6 m: decades 2..6
    const std::vector<double> t = AltitudeSteps();
    ASSERT_EQ(t.size(), 161u);
    EXPECT_EQ(t[0], 100);
    EXPECT_EQ(t[160], 1000000);
}

// Ladders of 13 and 10 steps a decade from ScaleMax down to ScaleMin.
TEST_F(Catalogue, ScaleLadders) {
    const std::pair<int16_t, double> steps13[] = {{1, 1e9},  {2, 8e8},  {7, 3.5e8}, {11, 1.7e8}, {13, 1.2e8},
                                                  {14, 1e8}, {27, 1e7}, {40, 1e6},  {52, 1.2e5}, {53, 1e5},
                                                  {54, 0},   {0, 0},    {-1, 0}};
    for (auto [k, s] : steps13) EXPECT_EQ(Scale::StdScale(k), s) << k;
    const std::pair<int16_t, double> steps10[] = {{1, 1e9},  {3, 6e8},  {7, 2.5e8}, {10, 1.2e8},
                                                  {11, 1e8}, {41, 1e5}, {42, 0},    {0, 0}};
    for (auto [k, s] : steps10) EXPECT_EQ(Scale::StdScale10(k), s) << k;
    for (int16_t k = 1; k <= 53; ++k) EXPECT_EQ(Scale::StdScaleIndex(Scale::StdScale(k)), k) << k;
    // Between two steps: the step with the next larger denominator.
    for (auto [s, k] : {std::pair{1.1e8, 13}, {9.9e8, 1}, {100001.0, 52}, {99999.0, 0}, {1.000001e9, 0}})
        EXPECT_EQ(Scale::StdScaleIndex(s), k) << s;
    const std::pair<int16_t, const char*> texts[] = {{1, "10億"}, {12, "1.5億"}, {13, "1.2億"}, {48, "25万"},
                                                      {52, "12万"}, {53, "10万"},  {0, ""}};
    for (auto [k, t] : texts) EXPECT_EQ(Scale::StdScaleText(k), QString::fromUtf8(t)) << k;
    InitGlobeRadius(10000); // the small sphere's ladders run from 1e6 down to 100
    for (auto [k, s] : {std::pair<int16_t, double>{1, 1e6}, {14, 1e5}, {53, 100}})
        EXPECT_EQ(Scale::StdScale(k), s) << k;
    EXPECT_EQ(Scale::StdScale10(41), 100);
    EXPECT_EQ(Scale::StdScaleIndex(99), 0);
    EXPECT_EQ(Scale::StdScaleIndex(1.1e5), 13);
}
