#include "dialogs/GazetteerBuilder.h"
#include "dialogs/PlaceList.h"

#include "PlaceUnits.h"
#include "support/DocumentTestEnv.h"

namespace {

// A list of rows whose name, file and key columns are given.
PlaceList Rows(const QStringList& names, const QStringList& keys = {}) {
    PlaceList list;
    for (qsizetype i = 0; i < names.size(); ++i)
        list.Append({names[i], QString::number(i), "", "", "0", "0", "0", "0", keys.value(i)});
    return list;
}

QString Column(const PlaceList& list, int col) {
    QStringList n;
    for (int32_t r = 1; r <= list.Count(); ++r) n << list.Text(r, col);
    return n.join(',');
}

} // namespace

using PlaceListTest = DocumentTest;

TEST_F(PlaceListTest, SearchKeys) {
    const struct {
        const char* name;
        int32_t lang;
        QString in, key;
    } cases[] = {
        {"bracket in the middle", 1, "A(B)C", "AC,BC"},
        {"bracket at the end", 1, "A(B)", "A,B"},
        {"only the first pair", 1, "a(b)c(d)", "AC(D),BC(D)"},
        {"no closing bracket", 1, "a(b", "A(B"},
        {"blanks and hyphens", 1, "A-B C", "ABC"},
        {"line breaks and tabs", 1, "a\r\nb\tc", "ABC"},
        {"Latin-1 letters lose their marks", 1, "éire", "EIRE"},
        {"dots and wide blanks", 2, "中・央　区－東\uFF65", "中央区東"},
        {"minus sign", 2, "北\u2212南", "北南"},
        {"widened Latin", 2, "new york 5", "ＮＥＷＹＯＲＫ５"},
        {"half-width kana", 2, "ﾄｳｷｮｳ", "トウキョウ"},
        {"voiced marks join", 2, "ｶﾞﾊﾟｳﾞﾎﾞｯﾞ", "ガパヴボッ゛"},
        {"bracket then width", 2, "ﾊﾟﾘ(Paris)", "パリ，ＰＡＲＩＳ"},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.name);
        EXPECT_EQ(PlaceList::PlaceKey(t.in, t.lang), t.key);
    }
    // The keyword box text is not split at its brackets.
    EXPECT_EQ(PlaceList::KeywordKey("a(b)", 1), "A(B)");
}

TEST_F(PlaceListTest, SortIsStableAndIgnoresCase) {
    PlaceList list = Rows({"b", "A", "a", "B", "Z", "_"});
    list.Sort(1);
    // Letters compare folded to lower case (0x61..), so "_" (0x5F) comes first.
    EXPECT_EQ(Column(list, 0), "_,A,a,b,B,Z");
    EXPECT_EQ(Column(list, 1), "5,1,2,0,3,4");
    list.Sort(2);
    EXPECT_EQ(Column(list, 0), "Z,b,B,A,a,_");
    list.Sort(9); // no such code
    EXPECT_EQ(Column(list, 0), "Z,b,B,A,a,_");
    list.Sort(4); // file column, descending
    EXPECT_EQ(Column(list, 1), "5,4,3,2,1,0");
}

TEST_F(PlaceListTest, SearchPrefixShorteningAndWrap) {
    const PlaceList list = Rows({"", "", "", "", ""}, {"TOKYO", "KYOTO", "OSAKA", "TOYAMA", "KOBE"});
    const struct {
        const char* name;
        QString keyword;
        int32_t current, row;
    } cases[] = {
        {"two letters only at the start", "KY", 0, 2},
        {"three letters anywhere", "kyo", 0, 1},
        {"starts after the current row", "kyo", 1, 2},
        {"wraps to the top", "kyo", 2, 1},
        {"current row last", "osaka", 3, 3},
        {"shortened until found", "TOYS", 0, 4},
        {"shortened to a prefix", "KOX", 2, 5},
        {"nothing: row 1", "XYZ", 3, 1},
        {"empty keyword: row 1", "", 4, 1},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.name);
        EXPECT_EQ(list.Search(t.keyword, t.current, 1), t.row);
    }
    EXPECT_EQ(PlaceList().Search("A", 0, 1), 0);
}

TEST_F(PlaceListTest, UnknownThingSkipsOnlyItsFigure) {
    PublicVal::gvLanguage = 2;
    clsMapUnit unit;
    unit.SetUnitName(dir.file("WORLD.MLL"));
    FillUnit(unit, {{"日本", 1, 1, 10}, {"無名", 1, 99, 20}, {"", 1, 1, 30}, {"本州", 8, 1, 40}, {"九州", 1, 1, 50}});
    PlaceList list;
    list.AddUnitPlaces(unit, 2);
    EXPECT_EQ(Column(list, 0), "日本,九州");
    const QStringList second{"九州", "WORLD.MLL", "日本", "地名", "50", "-5", "30000000", "200000", "九州", "2"};
    for (int c = 0; c < PlaceList::kColumns; ++c) EXPECT_EQ(list.Text(2, c), second[c]) << c;
}

TEST_F(PlaceListTest, BuilderStopsAfterCancel) {
    GazetteerBuilder b;
    QStringList seen, messages;
    b.ShowMessage = [&](const QString& m) { messages << m; };
    b.LoadUnit = [&](const QString& path) {
        seen << path;
        if (path == "b") b.Cancel();
        return path == "a" ? nullptr : std::make_shared<clsMapUnit>();
    };
    PlaceList list;
    EXPECT_FALSE(b.Run({"a", "b", "c"}, list, 1));
    EXPECT_EQ(seen, QStringList({"a", "b"}));
    EXPECT_EQ(messages, QStringList({"取得中...1/3", "取得中...2/3"}));
    EXPECT_FALSE(b.Busy());
    EXPECT_TRUE(b.Run({"a"}, list, 1));
}
