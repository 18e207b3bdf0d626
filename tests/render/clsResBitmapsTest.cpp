// Symbols and fill tiles: names, ranges, sets and replacement files.
#include "render/clsResSymbol.h"
#include "render/clsResTile.h"

#include "BmpFiles.h"

#include <gtest/gtest.h>

namespace {

TEST(clsResSymbol, NamesAndRanges) {
    clsResSymbol s;
    EXPECT_EQ(s.Name(0), "都市１・小");
    EXPECT_EQ(s.Name(13), "世界遺産・小");
    EXPECT_EQ(s.Name(19), "ユーザー01");
    EXPECT_EQ(s.Name(24), "都市１・大");
    EXPECT_EQ(s.Name(42), "その他Ｂ・大");
    EXPECT_EQ(s.Name(47), "ユーザー10");
    EXPECT_EQ(s.Name(48), "");
    EXPECT_EQ(s.Name(-1), "");
    EXPECT_EQ(s.handle(48), nullptr);
    EXPECT_EQ(s.handle(-1), nullptr);
    for (int i = 0; i <= 47; ++i) EXPECT_NE(s.handle(i), nullptr) << i;
}

TEST(clsResSymbol, ResolutionChoosesTheSet) {
    clsResSymbol s;
    EXPECT_EQ(s.Resolution(), 0);
    EXPECT_EQ(s.handle(5)->Width(), 23);
    s.SetResolution(1);
    EXPECT_EQ(s.Resolution(), 1);
    EXPECT_EQ(s.handle(5)->Width(), 47);
    EXPECT_EQ(s.handle(47)->Width(), 2);
    s.SetResolution(2);
    s.SetResolution(-1);
    EXPECT_EQ(s.Resolution(), 1);
    s.SetResolution(0);
    EXPECT_EQ(s.handle(5)->Height(), 23);
}

TEST(clsResSymbol, AReplacementFileWinsInAnyLetterCase) {
    ScopedProgramFolder pf;
    const QStringList rows{"#..", ".#.", "..#"};
    pf.folder().write("sym007l.bmp", BmpFiles::Make(rows, 1));
    pf.folder().write("Sym047H.Bmp", BmpFiles::Make({"##"}, 24));
    // Other names do not count.
    pf.folder().write("SYM7L.BMP", BmpFiles::Make({"#"}, 1));
    pf.folder().write("SYM008L.BMP.txt", BmpFiles::Make({"#"}, 1));
    clsResSymbol s;
    EXPECT_EQ(s.Name(7), "ユーザー定義");
    EXPECT_EQ(s.handle(7)->ToText(), rows);
    s.SetResolution(1);
    EXPECT_EQ(s.handle(7)->Width(), 47); // the high bitmap is still ours
    EXPECT_EQ(s.Name(47), "ユーザー定義");
    EXPECT_EQ(s.handle(47)->ToText(), QStringList{"##"});
    s.SetResolution(0);
    EXPECT_EQ(s.handle(47)->Width(), 2);
    EXPECT_EQ(s.Name(8), "港湾・小");
    EXPECT_EQ(s.handle(8)->Width(), 23);
}

TEST(clsResSymbol, AnUnreadableReplacementLeavesNoBitmap) {
    ScopedProgramFolder pf;
    pf.folder().write("SYM000L.BMP", "not a bitmap");
    pf.folder().write("SYM001H.BMP", BmpFiles::Make(BmpFiles::Rows(300, "#"), 1)); // too tall
    clsResSymbol s;
    EXPECT_EQ(s.Name(0), "ユーザー定義");
    EXPECT_EQ(s.handle(0), nullptr);
    EXPECT_EQ(s.Name(1), "ユーザー定義");
    EXPECT_NE(s.handle(1), nullptr);
    s.SetResolution(1);
    EXPECT_NE(s.handle(0), nullptr);
    EXPECT_EQ(s.handle(1), nullptr);
}

TEST(clsResTile, NamesAndRanges) {
    clsResTile t;
    EXPECT_EQ(t.Name(100), "明度０");
    EXPECT_EQ(t.Name(107), "明度７");
    EXPECT_EQ(t.Name(123), "市松");
    EXPECT_EQ(t.Name(124), "ユーザー01");
    EXPECT_EQ(t.Name(131), "ユーザー08");
    EXPECT_EQ(t.Name(99), "");
    EXPECT_EQ(t.Name(132), "");
    EXPECT_EQ(t.handle(99), nullptr);
    EXPECT_EQ(t.handle(132), nullptr);
    EXPECT_EQ(t.handle(0), nullptr);
    for (int i = 100; i <= 131; ++i) EXPECT_NE(t.handle(i), nullptr) << i;
    EXPECT_EQ(t.handle(108)->Width(), 8);
    t.SetResolution(1);
    EXPECT_EQ(t.handle(108)->Width(), 16);
    t.SetResolution(7);
    EXPECT_EQ(t.Resolution(), 1);
}

TEST(clsResTile, AReplacementFileWinsInAnyLetterCase) {
    ScopedProgramFolder pf;
    const QStringList rows{"##..", "##..", "..##", "..##"};
    pf.folder().write("Tile115h.bmp", BmpFiles::Make(rows, 24, 40, 250));
    clsResTile t;
    EXPECT_EQ(t.Name(115), "ユーザー定義");
    EXPECT_EQ(t.handle(115)->Width(), 16); // low: ours
    t.SetResolution(1);
    EXPECT_EQ(t.handle(115)->ToText(), rows);
    EXPECT_EQ(t.Name(114), "水玉");
}

} // namespace
