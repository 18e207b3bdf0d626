// Plotted figures: defaults, point lists and the hand-over to the drawing layer.
#include "BmpFiles.h"
#include "TestCanvas.h"

#include "render/RenderGlobals.h"
#include "render/clsFigPolygon.h"
#include "render/clsFigPolyline.h"
#include "render/clsFigSymbol.h"
#include "render/clsFigText.h"

#include <gtest/gtest.h>

namespace {

TEST(FigureTest, PointLists) {
    clsFigSymbol s;
    s.mx = 10;
    s.my = 20;
    const auto one = s.Poly();
    ASSERT_EQ(one->Count(), 1);
    EXPECT_EQ(one->GetPoint(1), (PolyPoint{10, 20}));
    one->SetX(1, 99); // a copy: the anchor stays
    EXPECT_EQ(s.mx, 10);
    s.SetPoly(std::make_shared<clsPoly>());
    s.SetPoly(nullptr);
    EXPECT_EQ(s.mx, 10);
    EXPECT_EQ(s.my, 20);
    auto two = std::make_shared<clsPoly>();
    two->SetLine(-3, -4, 5, 6);
    s.SetPoly(two);
    EXPECT_EQ(s.mx, -3);
    EXPECT_EQ(s.my, -4);

    clsFigPolygon p;
    p.SetPoly(two);
    EXPECT_EQ(p.Poly(), two); // shared, not a copy
    EXPECT_EQ(p.mPoly, two);
}

TEST(FigureTest, TextBytesAndLanguage) {
    clsFigText t;
    QByteArray b("\x93\x8c\x8b\x9e\0junk", 9);
    t.SetText(b, 2);
    b[0] = 'X';
    EXPECT_EQ(t.Text().left(4), QByteArray("\x93\x8c\x8b\x9e"));
    EXPECT_EQ(t.TextString(), QStringLiteral("東京"));
    t.SetText(QByteArray("S\xe3o Paulo"), 1);
    EXPECT_EQ(t.TextString(), QStringLiteral("São Paulo"));
    t.SetText(QByteArray(), 2);
    EXPECT_EQ(t.Text(), QByteArray(1, '\0'));
}

TEST(FigurePlotTest, DetailDoesNotChangeTheDrawing) {
    clsFigPolygon pg;
    pg.mPoly->SetRect(10, 10, 60, 50);
    pg.mFore = kRed;
    clsFigPolyline pl;
    pl.mPoly->SetLine(0, 70, 110, 5);
    pl.mWidth = 3;
    pl.mFore = kGreen;
    clsFigSymbol sy;
    sy.mx = 90;
    sy.my = 60;
    sy.mPattern = 5;
    Drawing with(120, 80), without(120, 80);
    EXPECT_TRUE(pg.PlotOn(&with.g, true) && pl.PlotOn(&with.g, true) && sy.PlotOn(&with.g, true));
    EXPECT_TRUE(pg.PlotOn(&without.g, false) && pl.PlotOn(&without.g, false) && sy.PlotOn(&without.g, false));
    EXPECT_EQ(with.image, without.image);
    // The polygon's default fill is a solid fill of its fore colour.
    EXPECT_EQ(with.At({{30, 30}, {100, 20}}), "r.");
    // Plot draws through the application's layer, and needs one.
    RenderGlobals::SetMapGraph(nullptr);
    EXPECT_FALSE(pg.Plot(false));
    EXPECT_FALSE(clsFigText().PlotOn(nullptr, false));
    Drawing global(120, 80);
    RenderGlobals::SetMapGraph(&global.g);
    EXPECT_TRUE(pg.Plot(true));
    RenderGlobals::SetMapGraph(nullptr);
    EXPECT_EQ(global.At({{30, 30}, {100, 20}}), "r.");
}

TEST(FigurePlotTest, UnusableFaceFallsBackToTheDefaultFont) {
    ScopedProgramFolder folder; // the font diagnosis file lands there
    const QString oldDefault = PublicVal::gvDefaultFont;
    PublicVal::gvDefaultFont = QStringLiteral("DejaVu Sans");
    // A list where every unknown face resolves to the unusable empty entry.
    clsMapGraph::FontRecord empty, dejavu;
    dejavu.name = QStringLiteral("DejaVu Sans");
    clsFigText t;
    t.mx = 10;
    t.my = 40;
    t.mFont = QStringLiteral("No Such Face");
    t.mHeight = 30;
    t.mAngle = 45;
    t.mStyle = clsMapGraph::FS_OPAQUE;
    t.mFore = 0x000080;
    t.mBack = 0x00FF00;
    t.mTextFix = 11;
    t.SetText(QByteArray("Abc"), 1);
    Drawing fallback(120, 80), expected(120, 80);
    fallback.g.SetFontList({empty, dejavu});
    expected.g.SetFontList({empty, dejavu});
    EXPECT_TRUE(t.PlotOn(&fallback.g, false));
    ASSERT_TRUE(expected.g.SetFont(QStringLiteral("DejaVu Sans"), 10, 0, 0, 0x000080, -1));
    ASSERT_TRUE(expected.g.DrawText(10, 40, 11, QStringLiteral("Abc")));
    EXPECT_EQ(fallback.image, expected.image);
    EXPECT_LT(fallback.Count(kWhite), 120u * 80u); // something was drawn
    PublicVal::gvDefaultFont = oldDefault;
}

} // namespace
