// The colour-coded map: the land's page colours by hue, by pattern for dark
// land, and the area pages from a preset file or from the generator.
#include "SymbolTestEnv.h"

#include "core/clsEnvironment.h"
#include "document/clsAdmins.h"
#include "legend/ColoredMap.h"

#include <array>

namespace {

using Rgb = std::array<int, 3>;

int32_t Colour(const Rgb& c) { return c[0] | c[1] << 8 | c[2] << 16; }

std::shared_ptr<clsThing> Land(const Rgb& fore)
{
    auto t = SymbolTest::Thing(1, "POLYGON", QStringLiteral("陸地"), 1);
    t->SetPage(1);
    t->SetFore(Colour(fore));
    return t;
}

TEST(ColoredMapTest, HueStepsFromTheLandColour) {
    struct Case {
        const char* name;
        int16_t n;
        std::array<Rgb, 8> pages;
    };
    const Case cases[] = {
        {"eight", 8, {{{200, 160, 100}, {165, 200, 100}, {100, 200, 110}, {100, 200, 185},
                       {100, 140, 200}, {135, 100, 200}, {200, 100, 190}, {200, 100, 115}}}},
        // 360 \ 7 = 51: page 7 is turned by 306 degrees, page 8 stays page 1.
        {"seven", 7, {{{200, 160, 100}, {155, 200, 100}, {100, 200, 130}, {100, 185, 200},
                       {100, 100, 200}, {185, 100, 200}, {200, 100, 130}, {200, 160, 100}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto land = Land({200, 160, 100});
        EXPECT_EQ(ColoredMap::MakePages(*land, c.n), ColoredMap::Hue);
        for (int16_t p = 1; p <= 8; ++p) {
            land->SetPage(p);
            EXPECT_EQ(land->Fore(), Colour(c.pages[size_t(p - 1)])) << "page " << p;
            EXPECT_EQ(land->Back(), -1) << "page " << p; // no background stays none
        }
    }
}

TEST(ColoredMapTest, DarkLandTakesPaleColoursAndPatterns) {
    // (40, 20, 0): hue 30, saturation 1, value 0.156 -> value 0.75,
    // saturation 0.25: (192, 168, 144); no background becomes white.
    auto land = Land({40, 20, 0});
    EXPECT_EQ(ColoredMap::MakePages(*land, 7), ColoredMap::Pattern);
    EXPECT_EQ(EachPage(land, &clsThing::Style), (std::vector<int16_t>{1, 2, 3, 4, 5, 0, 1, 1}));
    EXPECT_EQ(EachPage(land, &clsThing::Fore), std::vector<int32_t>(8, Colour({192, 168, 144})));
    EXPECT_EQ(EachPage(land, &clsThing::Back), std::vector<int32_t>(8, Colour({255, 255, 255})));
    // Value exactly 0.25 (64 / 256) is not dark.
    auto edge = Land({64, 32, 0});
    EXPECT_EQ(ColoredMap::MakePages(*edge, 8), ColoredMap::Hue);
}

struct PresetTest : DocumentTest {
    clsAdmins admins, preset;
    clsEnvironment env;
    clsEnvironment* savedEnv = PublicVal::gvEnvironment;

    static void Put(clsAdmins& l, int16_t code, int16_t page)
    {
        auto a = std::make_shared<clsAdmin>();
        a->SetAdminCode(code);
        a->SetAreaCode(1);
        a->SetPage(page);
        l.Add(a);
    }
    void SetUp() override
    {
        DocumentTest::SetUp();
        admins.SetAreaName(1, 1, QStringLiteral("Asia"));
        for (int16_t code : {1, 2, 3})
            Put(admins, code, 1);
        Put(preset, 2, 5); // the preset knows areas 2 and 9 only
        Put(preset, 9, 7);
        preset.SetFileName(dir.file(QStringLiteral("PRESET.ADM")));
        ASSERT_EQ(preset.Save(), 0);
        env.SetFileName(dir.write(QStringLiteral("Environment.txt"), "6ColoredMapAdm=PRESET.ADM\r\n"));
        ASSERT_EQ(env.Load(), 0);
        PublicVal::gvEnvironment = &env;
    }
    void TearDown() override
    {
        PublicVal::gvEnvironment = savedEnv;
        DocumentTest::TearDown();
    }
    std::vector<int> Pages() const
    {
        std::vector<int> v;
        for (const auto& a : admins) v.push_back(a->Page());
        return v;
    }
};

TEST_F(PresetTest, PresetPagesGoByAreaCode) {
    EXPECT_EQ(ColoredMap::PresetPath(admins, 8), QString()); // no preset for 8 colours
    const QString path = ColoredMap::PresetPath(admins, 6);
    EXPECT_EQ(path, dir.file(QStringLiteral("PRESET.ADM")));
    ASSERT_TRUE(ColoredMap::ApplyPreset(admins, path));
    EXPECT_EQ(Pages(), (std::vector<int>{1, 5, 1}));

    admins.SetAreaName(1, 1, QStringLiteral("ASIA "));
    EXPECT_EQ(ColoredMap::PresetPath(admins, 6), QString());
    EXPECT_FALSE(ColoredMap::ApplyPreset(admins, dir.file(QStringLiteral("NONE.ADM"))));

    // r in [0, 1) gives pages 1..n.
    const double r[] = {0.0, 0.999999, 0.5};
    size_t i = 0;
    ColoredMap::RandomPages(admins, 6, [&] { return r[i++]; });
    EXPECT_EQ(Pages(), (std::vector<int>{1, 6, 4}));
}

} // namespace
