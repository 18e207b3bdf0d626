#include "platform/ApiLib.h"

#include "platform/FontCatalog.h"
#include "platform/ScriptedUi.h"
#include "support/GuiApp.h"
#include "support/TestFolder.h"

#include <QFont>
#include <QSet>
#include <algorithm>
#include <tuple>
#include <gtest/gtest.h>

using namespace ApiLib;

namespace {

TEST(ApiLib, AnsiBufferEndsAtTheFirstZeroByte) {
    // No terminator at all ("abc") is no text either.
    for (const auto& [bytes, text] : {std::pair{QByteArray("abc\0def", 7), QStringLiteral("abc")},
                                      {QByteArray("\x95\x5c\0", 3), QStringLiteral("表")}, {QByteArray("\0abc", 4), QString()},
                                      {QByteArray("abc"), QString()}, {QByteArray(), QString()}})
        EXPECT_EQ(AnsiBufToStr(bytes), text) << bytes.toHex().constData();
}

// A 32 x 2 monochrome bitmap file, written out byte by byte.
QByteArray MonoBmp() {
    QByteArray b;
    b += QByteArray("BM") + QByteArray("\x46\0\0\0", 4) + QByteArray(4, '\0') + QByteArray("\x3e\0\0\0", 4);
    b += QByteArray("\x28\0\0\0", 4) + QByteArray("\x20\0\0\0", 4) + QByteArray("\x02\0\0\0", 4); // 40, 32, 2
    b += QByteArray("\x01\0\x01\0", 4) + QByteArray(4, '\0') + QByteArray("\x08\0\0\0", 4);     // planes, bits
    b += QByteArray(16, '\0');                                                                     // resolution, colours
    b += QByteArray("\0\0\0\0\xff\xff\xff\0", 8);                                                  // black, white
    b += QByteArray("\xf0\xf0\xf0\xf0\x0f\x0f\x0f\x0f", 8);
    return b;
}

// A 3 x 2 true-colour bitmap file (rows padded to 12 bytes).
QByteArray ColourBmp() {
    QByteArray b;
    b += QByteArray("BM") + QByteArray("\x4e\0\0\0", 4) + QByteArray(4, '\0') + QByteArray("\x36\0\0\0", 4);
    b += QByteArray("\x28\0\0\0", 4) + QByteArray("\x03\0\0\0", 4) + QByteArray("\x02\0\0\0", 4);
    b += QByteArray("\x01\0\x18\0", 4) + QByteArray(4, '\0') + QByteArray("\x18\0\0\0", 4);
    b += QByteArray(16, '\0');
    b += QByteArray(24, '\x7f');
    return b;
}

TEST(ApiLib, BitmapFilesAndTheirHeaders) {
    TestFolder t;
    t.write("LINE01L.BMP", MonoBmp());
    t.write("tile.bmp", ColourBmp());
    t.write("bad.bmp", "BMxx");

    const QImage mono = LoadBitmapFile(t.path() + "\\line01l.bmp");
    ASSERT_FALSE(mono.isNull());
    BitmapRecord r;
    const auto fields = [&] { return std::make_tuple(r.bmType, r.bmWidth, r.bmHeight, r.bmWidthBytes, r.bmPlanes, r.bmBitsPixel); };
    GetBitmapInfo(r, mono);
    EXPECT_EQ(fields(), std::make_tuple(0, 32, 2, 4, 1, 1));
    EXPECT_EQ(mono.pixelIndex(0, 0), 1); // the top row is the last one in the file
    EXPECT_EQ(mono.pixelIndex(4, 0), 0);

    GetBitmapInfo(r, LoadBitmapFile(t.file("TILE.BMP")));
    EXPECT_EQ(fields(), std::make_tuple(0, 3, 2, 12, 1, 32));

    EXPECT_TRUE(LoadBitmapFile(t.file("bad.bmp")).isNull());
    EXPECT_TRUE(LoadBitmapFile(t.file("missing.bmp")).isNull());
    r.bmWidth = 5;
    GetBitmapInfo(r, QImage());
    EXPECT_EQ(r.bmWidth, 0);
    EXPECT_EQ(r.bmPlanes, 0);
}

TEST(ApiLib, ShellOpenReportsAFailureWithItsOwnMessage) {
    ScopedUi s;
    EXPECT_TRUE(ShellOpen("http://example.org/"));
    EXPECT_TRUE(s.ui.messages.isEmpty());
    s.ui.openResult = false;
    EXPECT_FALSE(ShellOpen("C:\\doc\\help.htm"));
    ASSERT_EQ(s.ui.messages.size(), 1);
    EXPECT_EQ(s.ui.messages[0].text, QStringLiteral("関連付けられたアプリケーションを実行できません.\r\nC:\\doc\\help.htm"));
    EXPECT_EQ(s.ui.messages[0].style, Mb::OkOnly);
    EXPECT_EQ(s.ui.opened, QList<QString>({"http://example.org/", "C:\\doc\\help.htm"}));
}

TEST(ApiLib, CapHeightSteps) {
    struct Case {
        TextMetricSet m; // height, ascent, descent, internal leading
        int32_t cap;
    };
    const Case cases[] = {
        {{16, 13, 3, 3}, 10},  // no step changes anything: ascent less leading
        {{20, 16, 4, 0}, 13},  // no leading: 4/5 of the descent
        {{20, 14, 6, 1}, 11},  // small leading grows towards the descent
        {{30, 20, 5, 10}, 14}, // large leading: 3/10 of the ascent
        {{30, 25, 5, 7}, 19},  // 3/10 of the em when that is the smaller
        {{40, 36, 4, 1}, 32},  // at least an eighth of the ascent and of the em
        {{10, 3, 7, 0}, 5},    // at least half the em
        {{1, 1, 0, 0}, 2},     // never below 2
        {{100, 80, 20, 20}, 60},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextCapHeight(c.m), c.cap) << c.m.height << " " << c.m.ascent << " " << c.m.descent << " "
                                             << c.m.internalLeading;
    // Extreme metrics do not overflow.
    EXPECT_GT(TextCapHeight(TextMetricSet{2000000000, 2000000000, 2000000000, 0}), 2);
}

TEST(ApiLib, InstalledFontsWithoutFoundriesOrRepeats) {
    EnsureGuiApp();
    const QStringList families = FontFamilies();
    ASSERT_FALSE(families.isEmpty());
    EXPECT_EQ(QSet<QString>(families.begin(), families.end()).size(), families.size());
    for (const QString& f : families) EXPECT_FALSE(f.endsWith(']')) << f.toStdString();

    const QList<FontRecord> list = EnumFontList();
    ASSERT_EQ(list.size(), families.size() + 1);
    EXPECT_TRUE(list[0].FaceName.isEmpty());
    EXPECT_EQ(list[0].tmHeight, 0);
    for (qsizetype i = 1; i < list.size(); ++i) EXPECT_EQ(list[i].FaceName, families[i - 1]);

    // The set-up installs these faces. The list names a family as the
    // locale does ("IPAゴシック" under ja_JP), fontconfig knows both names.
    auto find = [&](const QString& name) {
        const auto r = std::find_if(list.begin() + 1, list.end(),
                                    [&](const FontRecord& f) { return FontCatalog::SameFamily(f.FaceName, name); });
        return r == list.end() ? FontRecord() : *r;
    };
    const FontRecord gothic = find("IPAGothic");
    ASSERT_TRUE(FontCatalog::SameFamily(gothic.FaceName, QStringLiteral("IPAゴシック"))) << gothic.FaceName.toStdString();
    EXPECT_EQ(gothic.tmCharSet, 128);
    EXPECT_TRUE(gothic.tmPitchAndFamily & 4);
    const FontRecord mono = find("Liberation Mono");
    ASSERT_EQ(mono.FaceName, "Liberation Mono");
    EXPECT_EQ(mono.tmCharSet, 0);
    EXPECT_EQ(mono.tmPitchAndFamily & 1, 0); // fixed pitch
    EXPECT_EQ(find("Liberation Sans").tmPitchAndFamily & 5, 5);
    EXPECT_EQ(mono.tmWeight, 400);
    EXPECT_EQ(mono.tmHeight, mono.tmAscent + mono.tmDescent);
}

TEST(ApiLib, CapHeightOfARealFontLiesWithinItsHeight) {
    EnsureGuiApp();
    QFont f("Liberation Sans");
    f.setPixelSize(100);
    const TextMetricSet m = FontMetricSet(f);
    EXPECT_EQ(m.height - m.internalLeading, 100);
    const int32_t cap = TextCapHeight(f);
    EXPECT_GE(cap, 50);
    EXPECT_LT(cap, m.ascent);
}

} // namespace
