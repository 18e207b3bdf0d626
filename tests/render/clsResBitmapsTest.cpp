// Symbols and fill tiles: ranges, sets and replacement files. The names
// themselves are checked with the pattern assets.
#include "render/clsResSymbol.h"
#include "render/clsResTile.h"

#include "BmpFiles.h"

#include <gtest/gtest.h>

namespace {

TEST(ResEntryTables, RangesNamesAndSets) {
    clsResSymbol symbols;
    clsResTile tiles;
    const struct {
        const char* what;
        ResEntryTable& table;
        int first, last;
        const char *firstName, *lastName;
        int entry, lowWidth, highWidth;
    } rows[] = {
        {"symbols", symbols, 0, 47, "都市１・小", "ユーザー10", 5, 23, 47},
        {"tiles", tiles, 100, 131, "明度０", "ユーザー08", 108, 8, 16},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        ResEntryTable& t = r.table;
        EXPECT_EQ(t.Name(r.first), QString::fromUtf8(r.firstName));
        EXPECT_EQ(t.Name(r.last), QString::fromUtf8(r.lastName));
        for (int outside : {r.first - 1, r.last + 1, -1}) {
            EXPECT_EQ(t.Name(outside), "") << outside;
            EXPECT_EQ(t.handle(outside), nullptr) << outside;
        }
        for (int i = r.first; i <= r.last; ++i) EXPECT_NE(t.handle(i), nullptr) << i;
        EXPECT_EQ(t.Resolution(), 0);
        EXPECT_EQ(t.handle(r.entry)->Width(), r.lowWidth);
        t.SetResolution(1);
        t.SetResolution(2); // neither set: ignored
        t.SetResolution(-1);
        EXPECT_EQ(t.Resolution(), 1);
        EXPECT_EQ(t.handle(r.entry)->Width(), r.highWidth);
        t.SetResolution(0);
        EXPECT_EQ(t.handle(r.entry)->Height(), r.lowWidth);
    }
}

// A file replaces one set of one entry, whatever the letter case of its
// name; a file that does not read leaves that set without a bitmap.
TEST(ResEntryTables, ReplacementFiles) {
    ScopedProgramFolder pf;
    const QStringList rows{"#..", ".#.", "..#"};
    const QStringList tile{"##..", "##..", "..##", "..##"};
    pf.folder().write("sym007l.bmp", BmpFiles::Make(rows, 1));
    pf.folder().write("Sym047H.Bmp", BmpFiles::Make({"##"}, 24));
    pf.folder().write("Tile115h.bmp", BmpFiles::Make(tile, 24, 40, 250));
    pf.folder().write("SYM000L.BMP", "not a bitmap");
    pf.folder().write("SYM001H.BMP", BmpFiles::Make(BmpFiles::Rows(300, "#"), 1)); // too tall
    // Other names do not count.
    pf.folder().write("SYM7L.BMP", BmpFiles::Make({"#"}, 1));
    pf.folder().write("SYM008L.BMP.txt", BmpFiles::Make({"#"}, 1));
    clsResSymbol s;
    clsResTile t;
    for (int i : {0, 1, 7, 47}) EXPECT_EQ(s.Name(i), "ユーザー定義") << i;
    EXPECT_EQ(t.Name(115), "ユーザー定義");
    EXPECT_EQ(s.Name(8), "港湾・小");
    EXPECT_EQ(t.Name(114), "水玉");
    EXPECT_EQ(s.handle(7)->ToText(), rows);
    EXPECT_EQ(s.handle(47)->Width(), 2);
    EXPECT_EQ(s.handle(8)->Width(), 23);
    EXPECT_EQ(s.handle(0), nullptr);
    EXPECT_NE(s.handle(1), nullptr);
    EXPECT_EQ(t.handle(115)->Width(), 16); // low: ours
    s.SetResolution(1);
    t.SetResolution(1);
    EXPECT_EQ(s.handle(7)->Width(), 47); // the high bitmap is still ours
    EXPECT_EQ(s.handle(47)->ToText(), QStringList{"##"});
    EXPECT_NE(s.handle(0), nullptr);
    EXPECT_EQ(s.handle(1), nullptr);
    EXPECT_EQ(t.handle(115)->ToText(), tile);
}

} // namespace
