// The map file reader (clsMap): every version and kind of figure, texts, progress, missing files.
#include "support/MapFileBuilder.h"
#include "MapTestUtil.h"

#include "core/clsPoly.h"
#include "document/HMap.h"
#include "document/clsMapPolygon.h"
#include "document/clsMapPolyline.h"
#include "document/clsMapRem.h"
#include "document/clsMapSymbol.h"
#include "document/clsMapText.h"
#include "platform/ScriptedUi.h"

#include <QFile>
#include <gtest/gtest.h>
#include <cmath>
#include <sys/stat.h>

namespace {

constexpr int32_t kVersion = ErrBase + 1006;

QByteArray Bytes(std::initializer_list<int> b) {
    QByteArray out;
    for (int c : b) out.append(static_cast<char>(c));
    return out;
}

// A palette whose colours tell the index they came from.
int32_t TestPalette(int32_t index) { return 0x0A0000 + index; }

class MapRead : public ::testing::Test {
protected:
    void SetUp() override { previous_ = HMap::SetNativeColorHook(TestPalette); }
    void TearDown() override { HMap::SetNativeColorHook(previous_); }
    TestFolder dir;
    ScopedUi ui;
    clsMap map;

private:
    HMap::NativeColorFn previous_;
};

// One figure of each kind with values that every field can be told by.
std::vector<TestFig> SampleFigures() {
    return {
        {.code = 1, .admin = 392, .color = 0x0000FF, .show = 1, .jump = 3, .reserve = -5, .id = 4000000000000000.0,
         .paletteIndex = 7, .comment = QStringLiteral("# 日本語地図名：日本 (Japan)")},
        {.code = 2, .admin = 999, .thing = 2, .color = 0xABCDEF, .show = 0, .jump = 15, .reserve = 0x7FFFFFFF,
         .id = 4000000000000001.0, .paletteIndex = 62, .pts = {{-648000, 324000}, {648000, -324000}, {1, -1}}},
        {.code = 3, .admin = 0, .thing = 999, .color = 0, .id = 4000000000000002.0, .paletteIndex = 0,
         .pts = {{0, 0}, {3600, 0}, {3600, 3600}, {0, 0}}},
        {.code = 4, .admin = 1, .thing = 47, .id = 4000000000000003.0, .x = -2147483647 - 1, .y = 2147483647},
        {.code = 5, .admin = 250, .thing = 4, .color = 0x102030, .show = 1, .jump = 9, .reserve = 77,
         .id = 4000000000000004.0, .paletteIndex = 20, .x = 500000, .y = -100, .fix = 24, .angle = -180,
         .eur = Bytes({'C', 'o', '^', 't', 'e', 0xE9}),
         .jpn = Bytes({0x93, 0x8C, 0x8B, 0x9E, 'A', 0x82, 0xA0})}, // 東京Aあ
    };
}

void ExpectCommon(clsMapFigure& f, const TestFig& w, int version, double firstSecond, double lastSecond) {
    SCOPED_TRACE(testing::Message() << "version " << version << " code " << w.code);
    EXPECT_EQ(f.FigCode(), w.code);
    EXPECT_EQ(f.Admin(), w.admin);
    EXPECT_EQ(f.Thing(), w.code == 1 ? -1 : w.thing);
    EXPECT_FALSE(f.Modify());
    if (version >= 105) {
        EXPECT_EQ(f.OwnColor(), w.color);
        EXPECT_EQ(f.OwnShowMode(), w.show);
        EXPECT_EQ(f.JumpMark(), w.jump);
    } else if (version == 104) {
        EXPECT_EQ(f.OwnColor(), w.paletteIndex == -1 ? -1 : TestPalette(w.paletteIndex));
        EXPECT_EQ(f.OwnShowMode(), w.show);
        EXPECT_EQ(f.JumpMark(), 0);
    } else {
        EXPECT_EQ(f.OwnColor(), -1);
        EXPECT_EQ(f.OwnShowMode(), -1);
        EXPECT_EQ(f.JumpMark(), 0);
    }
    if (version == 106) {
        EXPECT_EQ(f.FigID(), w.id);
        EXPECT_EQ(f.Reserve(), w.reserve);
    } else {
        const double second = std::floor(f.FigID() / 100000.0);
        EXPECT_GE(second, firstSecond);
        EXPECT_LE(second, lastSecond);
        EXPECT_EQ(f.Reserve(), 0);
    }
}

TEST_F(MapRead, EveryVersionAndEveryKindFieldByField) {
    for (int version = 99; version <= 106; ++version) {
        SCOPED_TRACE(version);
        MapFileBuilder b(version);
        if (version == 99) b.Header(QStringLiteral("[投影条件]"), 5); // the old header has an area
        else b.VersionHeader();
        const std::vector<TestFig> figs = SampleFigures();
        for (const TestFig& f : figs) b.Add(f);
        clsMap map;
        const double before = HMap::FigIDSecondNow();
        const LoadOutcome out = LoadMapBytes(map, dir, b.bytes);
        const double after = HMap::FigIDSecondNow();
        ASSERT_FALSE(out.error) << out.error->description.toStdString();
        ASSERT_EQ(out.result, 0);
        EXPECT_FALSE(map.Modify());
        EXPECT_FALSE(map.LockMode());
        // Version 99 keeps its header remark as the first figure.
        const int first = version == 99 ? 2 : 1;
        ASSERT_EQ(map.Count(), static_cast<int32_t>(figs.size()) + first - 1);
        EXPECT_EQ(map.Version(), version);
        if (version == 99) {
            ASSERT_EQ(map.FigCode(1), 1);
            EXPECT_EQ(static_cast<clsMapRem&>(*map.Item(1)).Comment(), QStringLiteral("[投影条件]"));
            EXPECT_EQ(map.Item(1)->Admin(), 5);
        }
        for (size_t i = 0; i < figs.size(); ++i) {
            const TestFig& w = figs[i];
            const auto f = map.Item(static_cast<int32_t>(i) + first);
            ASSERT_TRUE(f);
            ExpectCommon(*f, w, version, before, after);
            switch (w.code) {
            case 1:
                EXPECT_EQ(static_cast<clsMapRem&>(*f).Comment(), w.comment);
                break;
            case 2:
            case 3: {
                const auto p = f->Poly();
                ASSERT_EQ(p->Count(), static_cast<int32_t>(w.pts.size()));
                for (size_t k = 0; k < w.pts.size(); ++k) {
                    EXPECT_EQ(p->x(static_cast<int32_t>(k) + 1), w.pts[k].x);
                    EXPECT_EQ(p->y(static_cast<int32_t>(k) + 1), w.pts[k].y);
                }
                break;
            }
            case 4: {
                const auto& s = static_cast<clsMapSymbol&>(*f);
                EXPECT_EQ(s.mx(), w.x);
                EXPECT_EQ(s.my(), w.y);
                break;
            }
            case 5: {
                const auto& t = static_cast<clsMapText&>(*f);
                EXPECT_EQ(t.mx(), w.x);
                EXPECT_EQ(t.my(), w.y);
                EXPECT_EQ(t.TextFix(), w.fix);
                EXPECT_EQ(t.Angle(), w.angle);
                // Read as stored: no circumflex rule from the file.
                EXPECT_EQ(t.TextAnsi(1), w.eur);
                EXPECT_EQ(t.TextAnsi(2), w.jpn);
                EXPECT_EQ(t.TextUnicode(2), QStringLiteral("東京Aあ"));
                break;
            }
            }
        }
        EXPECT_TRUE(map.IsRight());
    }
}

TEST_F(MapRead, VersionTexts) {
    const QString unknown = ReaderText(QStringLiteral("地図バージョン確認不能"));
    const QString upgrade = ReaderText(QStringLiteral("地図バージョンがアプリケーションの対応範囲を超えています."
                                                      "アップグレードしてください."));
    const struct {
        const char* header;
        bool gap;
        int16_t version; // 0: refused with `error`
        const QString* error;
    } cases[] = {
        {"# 地図バージョン：1.06", true, 106, nullptr}, {"1.00", false, 100, nullptr},
        {"Version 1.05", true, 105, nullptr},          {"x1.07", false, 0, &upgrade},
        {"2", false, 0, &upgrade},                      {"0.99", false, 0, &unknown},
        {"# 地図バージョン：abcd", false, 0, &unknown},
        // Strictly decimal: no exponent, no hexadecimal, no decimal comma.
        {"1e0", false, 0, &unknown}, {"&H64", false, 0, &unknown}, {"1,06", false, 0, &unknown},
        {"[投影条件] ", false, 0, &unknown}, {"", false, 0, &unknown},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.header);
        MapFileBuilder b(106);
        b.Header(QString::fromUtf8(c.header), 0, c.gap ? 1 : 0);
        clsMap map;
        const LoadOutcome out = LoadMapBytes(map, dir, b.bytes);
        if (c.error) {
            ASSERT_TRUE(out.error);
            EXPECT_EQ(out.error->number, kVersion);
            EXPECT_EQ(out.error->description, *c.error);
        } else {
            ASSERT_FALSE(out.error) << out.error->description.toStdString();
            EXPECT_EQ(map.Version(), c.version);
            EXPECT_EQ(map.Count(), 0);
        }
    }
}

TEST_F(MapRead, Version105PolylineCountAbove32767) {
    TestFig line{.code = 2, .admin = 1, .thing = 1};
    for (int i = 0; i < 40000; ++i) line.pts.push_back({i, -i * 3});
    const QByteArray bytes = MapFileBytes(105, {line});
    // The header (28 + 4), code, area, thing and attribute, then the count.
    EXPECT_EQ(bytes.mid(32 + 10, 2), Bytes({0x40, 0x9C}));
    ASSERT_EQ(LoadMapBytes(map, dir, bytes).result, 0);
    ASSERT_EQ(map.Count(), 1);
    const auto p = map.Item(1)->Poly();
    ASSERT_EQ(p->Count(), 40000);
    EXPECT_EQ(std::make_pair(p->x(40000), p->y(40000)), std::make_pair(39999, -119997));
    EXPECT_EQ(p->x(32768), 32767);
}

TEST_F(MapRead, CharacterCountedTexts) {
    // Version 105 remark: 3 characters, one of them double-byte, then a
    // symbol right after; the count must land exactly on it.
    const TestFig rem{.code = 1, .comment = QStringLiteral("aあb")};
    ASSERT_EQ(LoadMapBytes(map, dir, MapFileBytes(105, {rem, {.code = 4, .x = 11}})).result, 0);
    ASSERT_EQ(map.Count(), 2);
    EXPECT_EQ(static_cast<clsMapRem&>(*map.Item(1)).Comment(), QStringLiteral("aあb"));
    EXPECT_EQ(static_cast<clsMapSymbol&>(*map.Item(2)).mx(), 11);

    // Version 106 counts bytes: the same text has length 4.
    const QByteArray v106 = MapFileBytes(106, {rem});
    EXPECT_EQ(v106.mid(v106.size() - 6, 2), Bytes({4, 0}));
    ASSERT_EQ(LoadMapBytes(map, dir, v106).result, 0);
    EXPECT_EQ(static_cast<clsMapRem&>(*map.Item(1)).Comment(), QStringLiteral("aあb"));

    // A lead byte as the last byte of the file, counted as one character:
    // its trail byte is missing.
    MapFileBuilder d(105);
    d.VersionHeader();
    for (int v : {1, 0, 0}) d.I16(v);
    d.I32(0);
    d.I16(2);
    d.Raw(Bytes({'a', 0x82}));
    const LoadOutcome out = LoadMapBytes(map, dir, d.bytes);
    ASSERT_TRUE(out.error);
    EXPECT_EQ(out.error->number, ErrBase + 1007);
    EXPECT_EQ(out.error->description, ReaderText(QStringLiteral("不正な図形内容(Line:1, Figure:1)")));
    EXPECT_EQ(map.Count(), 0);

    // A text of version 104 counted in characters ends in a lead byte whose
    // trail is 0x5C: both bytes belong to the text.
    ASSERT_EQ(LoadMapBytes(map, dir, MapFileBytes(104, {{.code = 5, .paletteIndex = 1, .jpn = Bytes({0x95, 0x5C})}})).result, 0);
    EXPECT_EQ(static_cast<clsMapText&>(*map.Item(1)).TextUnicode(2), QStringLiteral("表"));
    EXPECT_EQ(map.Item(1)->OwnColor(), TestPalette(1));
}

TEST_F(MapRead, NonPositiveTextLengthsAndAnglesOfTheFile) {
    MapFileBuilder b(106);
    b.VersionHeader();
    b.Add({.code = 5}); // both lengths 0
    b.I16(1);           // a remark with length -3 and no data
    b.Head106(TestFig());
    b.I16(-3);
    ASSERT_EQ(LoadMapBytes(map, dir, b.bytes).result, 0);
    ASSERT_EQ(map.Count(), 2);
    EXPECT_EQ(static_cast<clsMapText&>(*map.Item(1)).TextAnsi(1), Bytes({0}));
    EXPECT_EQ(static_cast<clsMapText&>(*map.Item(1)).TextAnsi(2), Bytes({0}));
    EXPECT_EQ(static_cast<clsMapRem&>(*map.Item(2)).Comment(), "");

    // Angles read are brought into range as the setter does.
    ASSERT_EQ(LoadMapBytes(map, dir, MapFileBytes(105, {{.code = 5, .angle = -32768}})).result, 0);
    EXPECT_EQ(static_cast<clsMapText&>(*map.Item(1)).Angle(), -8); // -32768 + 91 × 360
}

TEST_F(MapRead, ProgressRisesInStepsOfFourAndEndsWithOneHundredOnce) {
    // 200 symbols of version 106: 36 bytes each after a 32-byte header.
    const QByteArray bytes = MapFileBytes(106, std::vector<TestFig>(200, TestFig{.code = 4}));
    ASSERT_EQ(bytes.size(), 32 + 200 * 36);
    std::vector<int> expected; // every fourth percent from 0, each once
    for (int p = 0; p <= 100; p += 4) expected.push_back(p);

    std::vector<int> seen;
    map.Progress = [&](int16_t p) { seen.push_back(p); };
    ASSERT_EQ(LoadMapBytes(map, dir, bytes).result, 0);
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), 100), 1);

    // When the loop itself reaches 100 (the 8th record attempt is the end of
    // the file), it is not raised again.
    seen.clear();
    ASSERT_EQ(LoadMapBytes(map, dir, MapFileBytes(106, std::vector<TestFig>(7, TestFig{.code = 4}))).result, 0);
    EXPECT_EQ(seen, std::vector<int>{100});
}

TEST_F(MapRead, MissingFileIsAMessageAndReadOnlyFileGivesALockedMap) {
    auto keep = std::make_shared<clsMapRem>();
    keep->SetAdmin(0);
    ASSERT_TRUE(map.Add(keep));
    const QString none = dir.file(QStringLiteral("NONE.MLL"));
    map.SetFileName(none);
    EXPECT_EQ(map.Load(), 53);
    ASSERT_EQ(ui.ui.messages.size(), 1);
    EXPECT_EQ(ui.ui.messages[0].text, QStringLiteral("地図図形ファイルが存在しません.\r\n") + none);
    EXPECT_EQ(map.Count(), 1); // left as it was
    ui.ui.messages.clear();

    const QString path = dir.write(QStringLiteral("RO.MLL"), MapFileBytes(106, {{.code = 4}}));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    map.SetFileName(path);
    ASSERT_EQ(map.Load(), 0);
    EXPECT_TRUE(map.LockMode());
    EXPECT_FALSE(map.Modify());
    auto extra = std::make_shared<clsMapSymbol>();
    extra->SetAdmin(0);
    extra->SetThing(0);
    EXPECT_FALSE(map.Add(extra));
    map.Clear();
    EXPECT_EQ(map.Count(), 1);
    ASSERT_EQ(ui.ui.messages.size(), 2);
    EXPECT_EQ(ui.ui.messages[0].text, path + QStringLiteral("\r\nは変更禁止. [Add]"));
    EXPECT_EQ(ui.ui.messages[0].style, int(Mb::OkOnly) + int(Mb::Critical));
    EXPECT_EQ(ui.ui.messages[1].text, path + QStringLiteral("\r\nは変更禁止. [Clear]"));
    // Loading again (a writable copy) unlocks it.
    ::chmod(QFile::encodeName(path).constData(), 0644);
    ASSERT_EQ(map.Load(), 0);
    EXPECT_FALSE(map.LockMode());
}

} // namespace
