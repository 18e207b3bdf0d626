// One thing's style (clsThing): pages, setters, records and their keys.
#include "document/HThing.h"
#include "document/clsThing.h"

#include "support/DocumentTestEnv.h"

#include <algorithm>
#include <tuple>

namespace {

using ThingTest = DocumentTest;

// Reads one record from the given lines; returns where the reader stopped.
qsizetype ReadRecord(clsThing& t, const QStringList& lines) {
    qsizetype pos = 0;
    t.ReadThing(lines, pos);
    return pos;
}

TEST_F(ThingTest, ClearedPagesAndSettersThatRefuseOutOfRangeValues) {
    clsThing t;
    for (int p : {-8, 1, 8}) {
        EXPECT_EQ(std::make_tuple(t.PageRecord(p).ScaleS, t.PageRecord(p).ScaleL, t.PageRecord(p).Back),
                  std::make_tuple(1e9, 1e5, -1)) << p;
        EXPECT_EQ(t.PageRecord(p).Japanese, QStringLiteral("(default)"));
    }
    for (const auto& [level, scale] : {std::pair{8, 3e8}, {9, 1e9}, {-1, 1e9}})
        EXPECT_EQ(HThing::LevelToScale(level), scale) << level;

    t.SetIndex(1000);
    t.SetFigure(6);
    t.SetCategory(21);
    t.SetPage(9);
    EXPECT_EQ(std::make_tuple(t.Index(), t.Figure(), t.Category(), t.Page(), t.Modify()),
              std::make_tuple(int16_t(-1), int16_t(0), int16_t(-1), int16_t(1), false));

    // Style and size ranges by figure kind, probed at their edges.
    struct Probe {
        int16_t figure, refused, accepted;
        bool size;
    };
    const Probe probes[] = {{1, 3, 3, false},    {2, 146, 145, false}, {2, 6, 102, false},
                            {2, 16, 15, true},   {3, 9, 131, false},   {4, 48, 47, false},
                            {5, 32, 31, false},  {5, 4, 5, true},      {5, 101, 100, true},
                            {4, 1, 1, true}};
    for (const Probe& p : probes) {
        SCOPED_TRACE(p.figure);
        clsThing u;
        u.SetFigure(p.figure);
        const auto get = [&] { return p.size ? u.Size() : u.Style(); };
        const auto set = [&](int16_t v) { p.size ? u.SetSize(v) : u.SetStyle(v); };
        set(p.refused);
        EXPECT_EQ(get(), 0);
        set(p.accepted);
        EXPECT_EQ(get(), p.figure == 1 || (p.figure == 4 && p.size) ? 0 : p.accepted);
    }

    t.SetShowMode(2);
    EXPECT_EQ(t.ShowMode(), -1);
    t.SetShowMode(0);
    t.SetScaleS(99999);
    t.SetScaleL(1000000001);
    EXPECT_EQ(t.ScaleS(), 1000000000.0);
    EXPECT_EQ(t.ScaleL(), 100000.0);
    // Only the working page changed: the saved copy stays as cleared.
    EXPECT_EQ(t.PageRecord(-1).ShowMode, -1);
}

TEST_F(ThingTest, IsPrintHoldsAtBothLimits) {
    clsThing t;
    t.SetScaleS(3000000);
    t.SetScaleL(200000);
    for (double scale : {3000000.0, 200000.0}) EXPECT_TRUE(t.IsPrint(scale)) << scale;
    for (double scale : {3000001.0, 199999.0}) EXPECT_FALSE(t.IsPrint(scale)) << scale;
    t.SetShowMode(0);
    EXPECT_FALSE(t.IsPrint(1000000));
    t.SetShowMode(1);
    EXPECT_TRUE(t.IsPrint(1e12));
}

TEST_F(ThingTest, FontNameFollowsTheLanguage) {
    clsThing t;
    t.SetEuropian(QStringLiteral("Arial"));
    t.SetJapanese(QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(t.FontName(), QStringLiteral("Arial"));
    PublicVal::gvLanguage = 2;
    EXPECT_EQ(t.FontName(), QStringLiteral("ＭＳ 明朝"));
    t.SetFontName(QStringLiteral("メイリオ"));
    EXPECT_EQ(t.Japanese(), QStringLiteral("メイリオ"));
    PublicVal::gvLanguage = 3;
    EXPECT_EQ(t.FontName(), QString());
    t.SetModify(false);
    t.SetFontName(QStringLiteral("x"));
    EXPECT_TRUE(t.Modify());
    EXPECT_EQ(t.Europian(), QStringLiteral("Arial"));
}

TEST_F(ThingTest, PagesCopyRecoverAndCompare) {
    clsThing t;
    t.SetFigure(2);
    EXPECT_TRUE(t.IsSameAllPage());
    t.SetPage(4);
    t.SetFore(0x123456);
    EXPECT_FALSE(t.IsSameAllPage());
    EXPECT_FALSE(t.Recovery(0));
    EXPECT_FALSE(t.Recovery(9));
    t.SetModify(false);
    EXPECT_TRUE(t.Recovery(4));
    EXPECT_FALSE(t.Modify());
    EXPECT_EQ(t.PageRecord(4).Fore, 0);

    t.SetPage(1);
    t.SetBack(0xFF);
    t.CopyPage(1, 6);
    EXPECT_EQ(t.PageRecord(6).Back, 0xFF);
    EXPECT_EQ(t.PageRecord(5).Back, -1);
    t.CopyPage(0, 6); // refused: no page 0
    t.SameOne();
    EXPECT_TRUE(t.IsSameAllPage());
    EXPECT_EQ(t.PageRecord(-6).Back, -1);
    t.RecoveryAll();
    EXPECT_FALSE(t.Modify());
    EXPECT_EQ(t.PageRecord(1).Back, -1);
    // A font name differing only on page 8 still makes the pages differ.
    t.SetPage(8);
    t.SetJapanese(QString());
    EXPECT_FALSE(t.IsSameAllPage());
}

// The one- and eight-value lines are checked in the saved thing list.
TEST_F(ThingTest, WriteNeedsACodeAndCopyGoesThroughTheSetters) {
    clsThing w;
    w.SetFigure(4);
    QStringList out;
    w.WriteThing(out);
    EXPECT_TRUE(out.isEmpty()); // no code: not even the empty line
    EXPECT_TRUE(w.Modify());
    w.SetIndex(9);
    w.WriteThing(out);
    EXPECT_FALSE(w.Modify());
    EXPECT_EQ(out.mid(0, 2), QStringList({"NUMBER=9", "FIGURE=SYMBOL"}));

    clsThing t;
    const QStringList rec = {"NUMBER=12", "FIGURE=SYMBOL", "NAME=\"駅\"", "CATEGORY=3", "SHOW=1,0",
                             "STYLE=7", "WIDTH=9", "FORE=255"};
    ReadRecord(t, rec);
    t.SetPage(2);
    t.SetUse(true);
    const auto c = t.Copy();
    EXPECT_EQ(std::make_tuple(c->Index(), c->Name(), c->Figure(), c->Category(), c->Use(), c->Page(), c->Modify()),
              std::make_tuple(int16_t(12), QStringLiteral("駅"), int16_t(4), int16_t(3), true, int16_t(2), false));
    EXPECT_EQ(c->PageRecord(1).ShowMode, 1);
    EXPECT_EQ(c->PageRecord(-2).ShowMode, 0);
    EXPECT_EQ(c->PageRecord(8).Style, 7);
    EXPECT_EQ(c->PageRecord(-8).Fore, 255);
    // A symbol takes no size: the stored 9 is refused by the copy's setter.
    EXPECT_EQ(t.PageRecord(1).Size, 9);
    EXPECT_EQ(c->PageRecord(1).Size, 0);
}

TEST_F(ThingTest, RecordKeysAndPageFields) {
    clsThing t;
    const QStringList rec = {"NUMBER=3", "figure=polyline", "NAME=\"河川, 大\"", "CATEGORY=2", "SHOW=-1,0,1",
                             "SMALL=27", "LARGE=5000000,2000000000,50", "FORE=&H000000FF&,&HFFFFFFFF&,16711680",
                             "BACK=&H80000005&", "STYLE=70000", "WIDTH=-99999,3", "UNKNOWN=5", "", "NUMBER=99"};
    EXPECT_EQ(ReadRecord(t, rec), 13); // the empty line is the record's own
    EXPECT_EQ(std::make_tuple(t.Index(), t.Figure(), t.Name(), t.Category(), t.Modify()),
              std::make_tuple(int16_t(3), int16_t(2), QStringLiteral("河川, 大"), int16_t(2), false));
    const int16_t show[8] = {-1, 0, 1, 1, 1, 1, 1, 1};
    for (int p = 1; p <= 8; ++p) {
        SCOPED_TRACE(p);
        EXPECT_EQ(t.PageRecord(p).ShowMode, show[p - 1]);
        EXPECT_EQ(t.PageRecord(p), t.PageRecord(-p));
        EXPECT_EQ(t.PageRecord(p).ScaleS, 2500000.0); // step 27 of the coarse ladder
    }
    EXPECT_EQ(t.PageRecord(1).ScaleL, 5000000.0);
    EXPECT_EQ(t.PageRecord(2).ScaleL, 1000000000.0); // limited to the largest
    EXPECT_EQ(t.PageRecord(3).ScaleL, 100000.0);     // step 50 is no step: the smallest
    EXPECT_EQ(t.PageRecord(8).ScaleL, 100000.0);
    const int32_t fore[] = {255, -1, 0xFF0000, 0xFF0000};
    for (int p : {1, 2, 3, 8}) EXPECT_EQ(t.PageRecord(p).Fore, fore[std::min(p, 4) - 1]) << p;
    EXPECT_EQ(t.PageRecord(5).Back, static_cast<int32_t>(0x80000005u));
    EXPECT_EQ(t.PageRecord(1).Style, 32767); // beyond 16 bits: clamped
    EXPECT_EQ(t.PageRecord(1).Size, -32768);
    EXPECT_EQ(t.PageRecord(2).Size, 3);
}

TEST_F(ThingTest, LevelAndRemarkStyleAreStoredAsRead) {
    clsThing t;
    ReadRecord(t, {"NUMBER=0", "FIGURE=REM", "LEVEL=3,12", "STYLE=3", "SHOW=5"});
    EXPECT_EQ(t.Figure(), 1);
    EXPECT_EQ(t.PageRecord(1).ScaleS, 8000000.0);
    EXPECT_EQ(t.PageRecord(2).ScaleS, 1000000000.0);
    EXPECT_EQ(t.PageRecord(1).ScaleL, 100000.0);
    EXPECT_EQ(t.PageRecord(1).Style, 3); // the setter would refuse it
    EXPECT_EQ(t.PageRecord(1).ShowMode, -1);
    EXPECT_EQ(t.Index(), 0);
}

TEST_F(ThingTest, RecordEndsAndEmptyFields) {
    // An empty name does not end the record: the later keys still count.
    clsThing a;
    EXPECT_EQ(ReadRecord(a, {"NUMBER=4", "NAME=\"\"", "FIGURE=TEXT", "CATEGORY=", "HEIGHT=,12",
                             "EUROPIAN=\"\"", "JAPANESE=\"A\",\"\"", "[THING]", "NUMBER=5"}),
              7);
    EXPECT_EQ(a.Name(), QString());
    EXPECT_EQ(a.Figure(), 5);
    EXPECT_EQ(a.Category(), -1);             // an empty numeric field is ignored
    EXPECT_EQ(a.PageRecord(1).Size, 0);      // ... page by page
    EXPECT_EQ(a.PageRecord(2).Size, 12);
    EXPECT_EQ(a.PageRecord(3).Europian, QString());
    EXPECT_EQ(a.PageRecord(1).Japanese, QStringLiteral("A"));
    EXPECT_EQ(a.PageRecord(2).Japanese, QString()); // the kept trailing empty field
    EXPECT_EQ(a.PageRecord(8).Japanese, QString());

    // Lines without "=" or starting with "=" end the record and are consumed.
    for (const QString& end : {QStringLiteral("garbage"), QStringLiteral("=1"), QString()}) {
        clsThing b;
        EXPECT_EQ(ReadRecord(b, {"NUMBER=8", end, "NUMBER=9"}), 2) << end.toStdString();
        EXPECT_EQ(b.Index(), 8);
    }
    // An indented header is not consumed either.
    clsThing c;
    EXPECT_EQ(ReadRecord(c, {"NUMBER=8", "  [thing]"}), 1);
    clsThing d;
    EXPECT_EQ(ReadRecord(d, {}), 0);
    EXPECT_EQ(d.Index(), -1);
}

} // namespace
