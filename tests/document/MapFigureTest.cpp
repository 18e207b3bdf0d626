// The map figures (clsMapRem, clsMapPolyline, clsMapPolygon, clsMapSymbol, clsMapText).
#include "core/clsPoly.h"
#include "core/clsRect.h"
#include "document/clsMapPolygon.h"
#include "document/clsMapPolyline.h"
#include "document/clsMapRem.h"
#include "document/clsMapSymbol.h"
#include "document/clsMapText.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

std::shared_ptr<clsPoly> Points(std::initializer_list<std::pair<int, int>> pts) {
    auto p = std::make_shared<clsPoly>();
    for (const auto& [x, y] : pts) p->AddXY(x, y);
    return p;
}

QByteArray Bytes(std::initializer_list<int> b) {
    QByteArray out;
    for (int c : b) out.append(static_cast<char>(c));
    return out;
}

TEST(MapFigure, SettersRefuseOutOfRangeValuesSilently) {
    clsMapSymbol s;
    s.SetOwnColor(0x1000000);
    s.SetOwnColor(-2);
    s.SetOwnShowMode(2);
    s.SetOwnShowMode(-2);
    s.SetAdmin(1000);
    s.SetAdmin(-1);
    s.SetThing(65536); // would be 0 if cut to 16 bits
    EXPECT_FALSE(s.Modify());
    EXPECT_EQ(std::make_tuple(s.OwnColor(), s.OwnShowMode(), s.Admin(), s.Thing()),
              std::make_tuple(-1, int16_t(-1), int16_t(-1), int16_t(-1)));
    s.SetOwnColor(0xFFFFFF);
    EXPECT_TRUE(s.Modify());
    s.SetOwnShowMode(0);
    s.SetAdmin(999);
    s.SetThing(0);
    EXPECT_EQ(std::make_tuple(s.OwnColor(), s.OwnShowMode(), s.Admin(), s.Thing()),
              std::make_tuple(0xFFFFFF, int16_t(0), int16_t(999), int16_t(0)));
    clsMapText t;
    t.SetTextFix(25);
    t.SetTextFix(-1);
    EXPECT_EQ(t.TextFix(), 10);
    t.SetTextFix(24);
    EXPECT_EQ(t.TextFix(), 24);
    clsMapRem r;
    r.SetThing(5);
    EXPECT_EQ(r.Thing(), -1);
    EXPECT_FALSE(r.Modify());
}

TEST(MapFigure, InsideARectangle) {
    const clsRect rect(0, 0, 100, 50);
    clsMapRem r;
    EXPECT_FALSE(r.IsInner(rect));
    clsMapSymbol s;
    s.Setmx(100);
    s.Setmy(50);
    EXPECT_TRUE(s.IsInner(rect)); // on the corner
    s.Setmx(101);
    EXPECT_FALSE(s.IsInner(rect));
    clsMapPolyline l;
    l.SetPoly(Points({{-50, -50}, {-1, 60}}));
    EXPECT_FALSE(l.IsInner(rect));
    l.SetPoly(Points({{-50, -50}, {0, 60}}));
    EXPECT_TRUE(l.IsInner(rect)); // bounding boxes touch at x = 0
}

TEST(MapFigure, PointLists) {
    clsMapSymbol s;
    s.Setmx(7);
    s.Setmy(-8);
    const auto p = s.Poly();
    ASSERT_EQ(p->Count(), 1);
    EXPECT_EQ(std::make_pair(p->x(1), p->y(1)), std::make_pair(7, -8));
    p->SetXandY(1, 1, 1); // a copy: the anchor stays
    s.SetPoly(std::make_shared<clsPoly>());
    EXPECT_EQ(std::make_pair(s.mx(), s.my()), std::make_pair(7, -8));
    s.SetPoly(Points({{3, 4}, {5, 6}}));
    EXPECT_EQ(std::make_pair(s.mx(), s.my()), std::make_pair(3, 4));

    // A line shares the list it is given, and the list's changes mark it.
    clsMapPolyline l;
    auto q = Points({{0, 0}, {1, 1}});
    l.SetPoly(q);
    EXPECT_EQ(l.Poly().get(), q.get());
    l.SetModify(false);
    EXPECT_FALSE(q->Modify()); // cleared with the figure
    EXPECT_FALSE(l.Modify());
    q->SetXandY(2, 9, 9);
    EXPECT_TRUE(l.Modify());
    l.SetModify(false);
    EXPECT_FALSE(l.Modify());
    l.SetPoly(nullptr); // never left without a list
    EXPECT_EQ(l.Poly()->Count(), 0);
}

TEST(MapFigure, CopyTakesValuesThroughTheSettersAndANewId) {
    clsMapText t(1234500000.0);
    t.SetAdmin(12);
    t.SetThing(34);
    t.SetOwnColor(0x123456);
    t.SetOwnShowMode(1);
    t.Setmx(-5);
    t.Setmy(6);
    t.SetTextFix(3);
    t.SetAngle(-45);
    t.SetTextAnsi(1, QByteArray("Bon"));
    t.SetTextAnsi(2, Bytes({0x82, 0xA0}));
    const auto c = std::static_pointer_cast<clsMapText>(t.Copy());
    EXPECT_NE(c->FigID(), t.FigID());
    EXPECT_TRUE(c->Modify());
    EXPECT_EQ(std::make_tuple(c->Admin(), c->Thing(), c->OwnColor(), c->OwnShowMode(), c->mx(), c->my()),
              std::make_tuple(int16_t(12), int16_t(34), 0x123456, int16_t(1), -5, 6));
    EXPECT_EQ(std::make_tuple(c->TextFix(), c->Angle()), std::make_tuple(int16_t(3), int16_t(-45)));
    EXPECT_EQ(c->TextAnsi(1), "Bon");
    EXPECT_EQ(c->TextUnicode(2), QStringLiteral("あ"));

    clsMapPolygon g;
    g.SetAdmin(1);
    g.SetThing(2);
    g.SetPoly(Points({{0, 0}, {4, 0}, {4, 4}, {0, 0}}));
    const auto gc = g.Copy();
    EXPECT_NE(gc->Poly().get(), g.Poly().get()); // the points are copied
    EXPECT_TRUE(gc->Poly()->IsMatch(*g.Poly()));
    EXPECT_TRUE(gc->IsRight());
}

TEST(MapFigure, AngleIsBroughtIntoRangeIn64Bits) {
    const struct {
        int32_t in;
        int16_t out;
    } table[] = {{0, 0},       {180, 180},   {-180, -180}, {181, -179},         {190, -170},
                 {360, 0},     {540, 180},   {-540, -180}, {-181, 179},         {719, -1},
                 {2147483647, 127},          {-2147483647, -127},               {-2147483647 - 1, -128}};
    for (const auto& row : table) {
        clsMapText t;
        t.SetAngle(row.in);
        EXPECT_EQ(t.Angle(), row.out) << row.in;
        EXPECT_TRUE(t.Modify());
    }
}

// A text set as bytes or as characters, read back both ways and copied.
TEST(MapFigure, TextsAsBytesAndCharacters) {
    const struct {
        const char* name;
        int32_t lang;
        bool asChars; // `in` is UTF-8 for SetTextUnicode, else bytes for SetTextAnsi
        QByteArray in;
        QString text; // as read back
        QByteArray bytes;
        int32_t codePage;
    } rows[] = {
        {"circumflex", 1, false, "Co^te", QStringLiteral("Côte"), Bytes({'C', 244, 't', 'e'}), 1},
        {"a second circumflex stays", 1, false, "A^^", QStringLiteral("Â^"), Bytes({194, '^'}), 1},
        {"only after the ten vowels", 1, false, "^a x^ E^I^O^U^a^i^o^u^", QStringLiteral("^a x^ ÊÎÔÛâîôû"),
         Bytes({'^', 'a', ' ', 'x', '^', ' ', 202, 206, 212, 219, 226, 238, 244, 251}), 1},
        {"no circumflex rule in Japanese", 2, false, "a^", QStringLiteral("a^"), "a^", 2},
        {"characters go through the rule", 1, true, "Mo^ntre^al", QStringLiteral("Môntrêal"),
         Bytes({'M', 244, 'n', 't', 'r', 234, 'a', 'l'}), 1},
        {"Latin-1", 1, true, "Zürich ø", QStringLiteral("Zürich ø"),
         Bytes({'Z', 0xFC, 'r', 'i', 'c', 'h', ' ', 0xF8}), 1},
        // Marks beyond Latin-1 are kept, in the Japanese code page.
        {"beyond Latin-1", 1, true, "52°30′N 東", QStringLiteral("52°30′N 東"),
         Bytes({'5', '2', 0x81, 0x8B, '3', '0', 0x81, 0x8C, 'N', ' ', 0x93, 0x8C}), 2},
        // "ア" is 83 41: with "^" after it the rule would make 83 C2 ("δ").
        {"a trail byte before a circumflex", 1, true, "ア^ 1°", QStringLiteral("ア^ 1°"),
         Bytes({0x83, 0x41, '^', ' ', '1', 0x81, 0x8B}), 2},
        {"Japanese", 2, true, "東京", QStringLiteral("東京"), Bytes({0x93, 0x8C, 0x8B, 0x9E}), 2},
        // An empty text is one zero byte.
        {"no characters", 2, true, QByteArray(), QString(), Bytes({0}), 2},
        {"a leading zero byte", 1, false, Bytes({0, 'a'}), QString(), Bytes({0}), 1},
        {"no bytes", 1, false, QByteArray(), QString(), Bytes({0}), 1},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        clsMapText t;
        if (r.asChars) t.SetTextUnicode(r.lang, QString::fromUtf8(r.in));
        else t.SetTextAnsi(r.lang, r.in);
        EXPECT_EQ(t.TextAnsi(r.lang), r.bytes);
        EXPECT_EQ(t.TextUnicode(r.lang), r.text);
        EXPECT_EQ(t.TextCodePage(r.lang), r.codePage);
        const auto copy = std::static_pointer_cast<clsMapText>(t.Copy());
        EXPECT_EQ(copy->TextAnsi(r.lang), r.bytes);
        EXPECT_EQ(copy->TextCodePage(r.lang), r.codePage);
    }

    clsMapText t;
    EXPECT_EQ(t.TextAnsi(1), Bytes({0}));
    EXPECT_EQ(t.TextAnsi(3), Bytes({0}));
    // Bytes set after a text in the Japanese code page are a European text again.
    t.SetTextUnicode(1, QStringLiteral("52°30′N"));
    t.SetTextAnsi(1, QByteArray("Co^te"));
    EXPECT_EQ(t.TextCodePage(1), 1);
    EXPECT_EQ(t.TextUnicode(1), QStringLiteral("Côte"));
    // Other languages change nothing.
    t.SetModify(false);
    t.SetTextAnsi(0, QByteArray("x"));
    t.SetTextUnicode(3, QStringLiteral("x"));
    EXPECT_FALSE(t.Modify());
}

TEST(MapFigure, RemarkKeysAndValues) {
    clsMapRem r;
    const auto keyOf = [&](const QString& c) {
        r.SetComment(c);
        return std::make_pair(r.Key(), r.Value());
    };
    using P = std::pair<QString, QString>;
    EXPECT_EQ(keyOf(QStringLiteral("# 地図コード：120081")), P(QStringLiteral("地図コード"), "120081"));
    EXPECT_EQ(keyOf(QStringLiteral("# a:v")), P()); // colon at 4
    EXPECT_EQ(keyOf(QStringLiteral("# ab:v")), P("ab", "v")); // at 5
    EXPECT_EQ(keyOf(QStringLiteral("# 12345678901234567: x ")), P("12345678901234567", "x")); // at 20
    EXPECT_EQ(keyOf(QStringLiteral("# 123456789012345678: x")), P()); // at 21
    EXPECT_EQ(keyOf(QStringLiteral("#  k :  v  ")), P("k", "v"));
    // The full-width colon is looked for first, wherever a ":" stands.
    EXPECT_EQ(keyOf(QStringLiteral("# a:b：c")), P("a:b", "c"));
    EXPECT_EQ(keyOf(QStringLiteral("# 時刻：12:30")), P(QStringLiteral("時刻"), "12:30"));
    // Only blanks are trimmed.
    EXPECT_EQ(keyOf(QStringLiteral("# \tk:\u3000v")), P("\tk", QStringLiteral("\u3000v")));
    EXPECT_EQ(keyOf(QStringLiteral("#key:value")), P());
    EXPECT_EQ(keyOf(QStringLiteral(" # key:value")), P());
    EXPECT_EQ(keyOf(QStringLiteral("# no colon here")), P());
}

} // namespace
