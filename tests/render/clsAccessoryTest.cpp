#include "render/clsAccessory.h"

#include "core/MapProjection.h"
#include "core/PublicVal.h"
#include "core/clsRegistry.h"
#include "platform/VospError.h"
#include "support/GuiApp.h"
#include "support/TestFolder.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

struct AccessoryTest : ::testing::Test {
    AccessoryTest() {
        EnsureGuiApp();
        MapProjection::InitGlobe(nullptr);
        PublicVal::gvDefaultFont = QStringLiteral("DefaultFace");
    }
    ScopedSettingsHome home;
};

QStringList SectionKeys(const QString& section) {
    clsRegistry reg;
    reg.mSection = section;
    QStringList keys;
    for (const auto& kv : reg.RegGetSec()) keys << kv.first;
    return keys;
}

QString Stored(const QString& section, const QString& key) {
    clsRegistry reg;
    reg.mSection = section;
    return reg.RegGet(key, QStringLiteral("<none>"));
}

void Put(const QString& key, const QString& value) {
    clsRegistry reg;
    reg.mSection = QStringLiteral("ACCESSORY");
    reg.RegPut(key, value);
}

} // namespace

TEST_F(AccessoryTest, PropertiesKeepOnlyValidValues) {
    clsAccessory a;
    for (int32_t dpi : {96, 47, 1441, 48, 0, 1440, 1441}) a.SetDpi(dpi);
    EXPECT_EQ(a.Dpi(), 1440);
    a.SetDpi(48);
    EXPECT_EQ(a.Dpi(), 48);
    for (double scale : {1000000.0, MapProjection::ScaleMin - 1, MapProjection::ScaleMax + 1,
                         std::numeric_limits<double>::quiet_NaN()})
        a.SetMapScale(scale);
    EXPECT_EQ(a.MapScale(), 1000000.0);
    for (int32_t i : {4, 0, 8}) a.SetIndex(i);
    EXPECT_EQ(a.Index(), 4);
}

TEST_F(AccessoryTest, StatusMasksDecideWhatAnItemStores) {
    clsAccessory a;
    auto font = std::make_shared<QFont>(QStringLiteral("Other"));
    // Back, Frame and Center hold a colour only; Elevate a colour and a font.
    for (int i : {1, 2, 6}) {
        a.SetIndex(i);
        a.SetText(QStringLiteral("x"));
        a.SetFont(font);
        a.SetColor(0x123456);
        EXPECT_EQ(a.Text(), "") << i;
        EXPECT_FALSE(a.Font()) << i;
        EXPECT_EQ(a.Color(), 0x123456) << i;
    }
    a.SetIndex(7);
    a.SetText(QStringLiteral("x"));
    a.SetFont(font);
    EXPECT_EQ(a.Text(), "");
    EXPECT_EQ(a.Font(), font);
    a.SetIndex(4);
    EXPECT_EQ(a.Status(), 7);
    a.SetText(QStringLiteral("地図 \t\r\n  "));
    EXPECT_EQ(a.Text(), QStringLiteral("地図 "));
    a.SetFont(font);
    EXPECT_EQ(a.Font(), font); // the reference itself
    a.SetUse(true);
    EXPECT_TRUE(a.Item(4).Use);
}

TEST_F(AccessoryTest, CopyClonesFontsAndLeavesTheLastIndex) {
    clsAccessory a;
    a.SetInstanceName(QStringLiteral("OTHER"));
    a.SetPosition(0);
    a.SetDpi(120);
    a.SetIndex(4);
    a.SetUse(true);
    a.SetText(QStringLiteral("Title text"));
    a.SetColor(0x00FF00);
    auto f = std::make_shared<QFont>(QStringLiteral("Serif Face"));
    f->setPointSizeF(14);
    f->setBold(true);
    f->setItalic(true);
    f->setUnderline(true);
    a.SetFont(f);
    a.SetIndex(1);
    a.SetUse(false);

    const auto c = a.Copy();
    EXPECT_EQ(c->Index(), 7);
    EXPECT_EQ(c->Position(), 0);
    EXPECT_EQ(c->InstanceName(), "ACCESSORY");
    EXPECT_EQ(c->Dpi(), 0);
    EXPECT_FALSE(c->Item(1).Use);
    const AccessoryItem& t = c->Item(4);
    EXPECT_TRUE(t.Use);
    EXPECT_EQ(t.Text, "Title text");
    EXPECT_EQ(t.Color, 0x00FF00);
    ASSERT_TRUE(t.Font);
    EXPECT_NE(t.Font.get(), f.get());
    EXPECT_EQ(*t.Font, *f);
    // Items without a font get none.
    EXPECT_FALSE(c->Item(1).Font);
    EXPECT_FALSE(c->Item(6).Font);
    // The copy's fonts are its own.
    f->setPointSizeF(30);
    EXPECT_EQ(t.Font->pointSizeF(), 14.0);
    // Clear restores the name and the defaults.
    a.Clear();
    EXPECT_EQ(a.InstanceName(), "ACCESSORY");
    EXPECT_EQ(a.Item(4).Color, 255);
    EXPECT_EQ(a.Item(4).Text, "");
}

TEST_F(AccessoryTest, SettingsSectionKeysAndRoundTrip) {
    {
        clsAccessory a;
        a.SetPosition(0);
        a.SetIndex(3);
        a.SetText(QStringLiteral("?"));
        a.Font()->setBold(true);
        a.Font()->setPointSizeF(10.5);
        a.SetIndex(5);
        a.SetUse(true);
        a.SetText(QStringLiteral("作成: テスト"));
        a.SetIndex(6);
        a.SetColor(0x808080);
        a.WriteRegistry();
    }
    // Item by item in their order; the texted items keep a text, those and Elevate a font.
    EXPECT_EQ(SectionKeys("ACCESSORY").join(u' '),
              "Position BackSW BackColor FrameSW FrameColor "
              "MeasureSW MeasureColor MeasureText MeasureFontName MeasureFontSize MeasureFontBold MeasureFontItalic "
              "TitleSW TitleColor TitleText TitleFontName TitleFontSize TitleFontBold TitleFontItalic "
              "CommentSW CommentColor CommentText CommentFontName CommentFontSize CommentFontBold CommentFontItalic "
              "CenterSW CenterColor "
              "ElevateSW ElevateColor ElevateFontName ElevateFontSize ElevateFontBold ElevateFontItalic");
    EXPECT_EQ(Stored("ACCESSORY", "Position"), "0");
    EXPECT_EQ(Stored("ACCESSORY", "BackColor"), "16777215");
    EXPECT_EQ(Stored("ACCESSORY", "MeasureFontSize"), "10.5");
    EXPECT_EQ(Stored("ACCESSORY", "MeasureFontBold"), "True");
    EXPECT_EQ(Stored("ACCESSORY", "TitleSW"), "False");
    EXPECT_EQ(Stored("ACCESSORY", "MeasureColor"), "16711680");

    clsAccessory b;
    EXPECT_EQ(b.Position(), 0);
    EXPECT_EQ(b.Item(3).Text, "?");
    EXPECT_TRUE(b.Item(3).Font->bold());
    EXPECT_EQ(b.Item(3).Font->pointSizeF(), 10.5);
    EXPECT_EQ(b.Item(3).Font->family(), "Arial");
    EXPECT_TRUE(b.Item(5).Use);
    EXPECT_EQ(b.Item(5).Text, QStringLiteral("作成: テスト"));
    EXPECT_EQ(b.Item(6).Color, 0x808080);
    EXPECT_EQ(b.Index(), 1);
}

TEST_F(AccessoryTest, BadStoredValuesTakeTheirDefaults) {
    Put("Position", "top");
    Put("BackSW", "perhaps");
    Put("FrameColor", "black");
    Put("CenterColor", "1E+12");
    Put("MeasureFontSize", "-3");
    Put("TitleFontSize", "huge");
    Put("MeasureFontBold", "");
    Put("CommentFontItalic", "1");
    Put("TitleSW", "-1");
    Put("BackText", "not stored");
    clsAccessory a;
    EXPECT_EQ(a.Position(), 1);
    EXPECT_TRUE(a.Item(1).Use);
    EXPECT_EQ(a.Item(2).Color, 0);
    EXPECT_EQ(a.Item(6).Color, 255);
    EXPECT_EQ(a.Item(3).Font->pointSizeF(), 9.0);
    EXPECT_EQ(a.Item(4).Font->pointSizeF(), 12.0);
    EXPECT_FALSE(a.Item(3).Font->bold());
    EXPECT_TRUE(a.Item(5).Font->italic());
    EXPECT_TRUE(a.Item(4).Use);
    EXPECT_EQ(a.Item(1).Text, "");
}

TEST(clsAccessory, ParseElvRangeTable) {
    struct Case {
        const char16_t* name;
        int16_t unit;
        int32_t low, high;
    };
    const Case cases[] = {
        {u"0～200m", 1, 0, 200},
        {u"1000～3000ft", 2, 1000, 3000},
        {u"～200", 1, -99999, 200},
        {u"200～", 1, 200, 99999},
        {u"海面下", 1, -1, 0},
        {u"海面下ｍ", 1, -99999, 99999}, // only the exact name
        {u"陸地", 1, -99999, 99999},
        {u"-200～0m", 1, -200, 0},
        {u"-6000～-4000", 1, -6000, -4000},
        {u" 200 ～ 500 m", 1, 200, 500},
        {u"２００～５００ｍ", 1, 200, 500}, // full-width digits
        {u"100〜300Ｆｔ", 2, 100, 300},     // wave dash U+301C, full-width F
        {u"100~300f", 2, 100, 300},         // ASCII forms, lower-case f
        {u"12.5～99.5", 1, 12, 100},        // halves to even
        {u"～", 1, -99999, 99999},
        {u"abc～xyz", 1, 0, 0},
        {u"0～99999999999", 1, 0, 2147483647}, // clamped to 32 bits
        {u"-99999999999～0", 1, -2147483647, 0},
        {u"1～2～3", 1, 1, 2},
    };
    for (const Case& c : cases) {
        const QString name = QString::fromUtf16(c.name);
        int16_t unit = 0;
        int32_t low = 0, high = 0;
        clsAccessory::ParseElvRange(name, unit, low, high);
        EXPECT_EQ(unit, c.unit) << name.toStdString();
        EXPECT_EQ(low, c.low) << name.toStdString();
        EXPECT_EQ(high, c.high) << name.toStdString();
    }
    int16_t unit = 0;
    int32_t low = 0, high = 0;
    clsAccessory::ParseElvRange(QStringLiteral("0～") + QString(400, u'9'), unit, low, high);
    EXPECT_EQ(high, 2147483647);
}

TEST(clsAccessory, ExchangeSortOrdersTiesAsItAlwaysHas) {
    auto cls = [](int32_t low, int32_t tag) { return ElvClass{low, 0, 1, 0, tag, 0}; };
    // Lows 5, 3(a), 3(b), 1: the exchange sort gives 1, 3(b), 3(a), 5 where
    // a stable sort would keep 3(a) before 3(b).
    std::vector<ElvClass> list = {cls(777, 0), cls(5, 1), cls(3, 2), cls(3, 3), cls(1, 4)};
    clsAccessory::SortElvData(list);
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list[0].Low, 777); // index 0 holds no class and stays
    const int32_t tags[] = {4, 3, 2, 1};
    for (size_t i = 1; i <= 4; ++i) EXPECT_EQ(list[i].Fore, tags[i - 1]) << i;

    std::vector<ElvClass> empty;
    clsAccessory::SortElvData(empty);
    std::vector<ElvClass> one = {cls(0, 0)};
    clsAccessory::SortElvData(one);
    EXPECT_EQ(one.size(), 1u);
}

TEST(clsAccessory, ScaleBarLengthAndDivisions) {
    // 1:1,000,000 at 96 dpi: 3.7795 pixels per kilometre.
    const double k = 1000000.0 / 25.4 * 96.0 / 1000000.0;
    struct Case {
        int32_t avail;
        int32_t km, divisions;
    };
    const Case cases[] = {
        {300, 75, 5},   // 79.4 km
        {374, 75, 5},   // 98.95 -> 99
        {378, 100, 5},  // 100.0: decade 10, 10 -> 10 km x 10
        {1304, 300, 3}, // 345
        {1133, 300, 3}, // 299.8 -> 300
        {11, 3, 3},     // 2.9 -> 3
        {23, 5, 5},     // 6.09 -> 6
        {4, 1, 1},      // 1.06
        {30, 8, 4},     // 7.9 -> 8
        {170, 40, 4},   // 44.98 -> 45
        {60, 15, 3},    // 15.9 -> 16
        {120, 30, 3},   // 31.75 -> 32
        {190, 50, 5},   // 50.27
        {1, 0, 0},      // 0.26 -> 0: no bar
    };
    for (const Case& c : cases) {
        int32_t km = -1, d = -1;
        const bool ok = clsAccessory::MeasureLength(c.avail, k, km, d);
        if (c.km == 0) {
            EXPECT_FALSE(ok) << c.avail;
            continue;
        }
        EXPECT_TRUE(ok) << c.avail;
        EXPECT_EQ(km, c.km) << c.avail;
        EXPECT_EQ(d, c.divisions) << c.avail;
    }
    int32_t km = 0, d = 0;
    // 74.5 and 75.5 kilometres: halves to even.
    EXPECT_TRUE(clsAccessory::MeasureLength(149, 2.0, km, d));
    EXPECT_EQ(km, 50);
    EXPECT_TRUE(clsAccessory::MeasureLength(151, 2.0, km, d));
    EXPECT_EQ(km, 75);
    // No factor, no bar.
    EXPECT_FALSE(clsAccessory::MeasureLength(300, 0.0, km, d));
    EXPECT_FALSE(clsAccessory::MeasureLength(300, -1.0, km, d));
    EXPECT_FALSE(clsAccessory::MeasureLength(300, std::numeric_limits<double>::infinity(), km, d));
    EXPECT_FALSE(clsAccessory::MeasureLength(300, std::numeric_limits<double>::quiet_NaN(), km, d));
    // A huge count of kilometres stays within 32 bits.
    EXPECT_TRUE(clsAccessory::MeasureLength(2000000000, 1e-9, km, d));
    EXPECT_EQ(km, 2000000000);
    EXPECT_EQ(d, 4);
}
