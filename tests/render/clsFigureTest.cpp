// Plotted figures: defaults, point lists and the hand-over to the drawing layer.
#include "core/PublicVal.h"
#include "platform/DeviceContext.h"
#include "platform/FileSystem.h"
#include "render/RenderGlobals.h"
#include "render/clsFigPolygon.h"
#include "render/clsFigPolyline.h"
#include "render/clsFigSymbol.h"
#include "render/clsFigText.h"
#include "render/clsMapGraph.h"
#include "support/GuiApp.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <QImage>
#include <functional>

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

class FigurePlotTest : public ::testing::Test {
protected:
    FigurePlotTest() { EnsureGuiApp(); }

    // Draws with `draw` on a fresh 120 x 80 white image and returns it.
    QImage Draw(const std::function<bool(clsMapGraph&)>& draw, bool* result = nullptr) {
        QImage img(120, 80, QImage::Format_RGB32);
        img.fill(Qt::white);
        DeviceContext dc(img, 96, 96);
        EXPECT_TRUE(graph.GraphBegin(&dc, 0, 0, 120, 80));
        const bool r = draw(graph);
        if (result) *result = r;
        graph.GraphEnd();
        return img;
    }

    clsMapGraph graph;
};

TEST_F(FigurePlotTest, DetailDoesNotChangeTheDrawing) {
    clsFigPolygon pg;
    pg.mPoly->SetRect(10, 10, 60, 50);
    pg.mFore = 0x0000FF;
    clsFigPolyline pl;
    pl.mPoly->SetLine(0, 70, 110, 5);
    pl.mWidth = 3;
    pl.mFore = 0x00FF00;
    clsFigSymbol sy;
    sy.mx = 90;
    sy.my = 60;
    sy.mPattern = 5;
    auto all = [&](bool detail) {
        return [&, detail](clsMapGraph& g) {
            return pg.PlotOn(&g, detail) && pl.PlotOn(&g, detail) && sy.PlotOn(&g, detail);
        };
    };
    bool r1 = false, r2 = false;
    const QImage a = Draw(all(true), &r1);
    const QImage b = Draw(all(false), &r2);
    EXPECT_TRUE(r1 && r2);
    EXPECT_EQ(a, b);
    // The polygon's default fill is a solid fill of its fore colour.
    EXPECT_EQ(a.pixel(30, 30), qRgb(255, 0, 0));
    EXPECT_EQ(a.pixel(100, 20), qRgb(255, 255, 255));
}

TEST_F(FigurePlotTest, PlotNeedsTheDrawingLayer) {
    clsFigPolygon pg;
    pg.mPoly->SetRect(0, 0, 10, 10);
    RenderGlobals::SetMapGraph(nullptr);
    EXPECT_FALSE(pg.Plot(false));
    clsFigText t;
    EXPECT_FALSE(t.PlotOn(nullptr, false));
    // Through the global layer.
    QImage img(40, 40, QImage::Format_RGB32);
    img.fill(Qt::white);
    DeviceContext dc(img, 96, 96);
    ASSERT_TRUE(graph.GraphBegin(&dc, 0, 0, 40, 40));
    RenderGlobals::SetMapGraph(&graph);
    EXPECT_TRUE(pg.Plot(true));
    RenderGlobals::SetMapGraph(nullptr);
    graph.GraphEnd();
    EXPECT_EQ(img.pixel(5, 5), qRgb(0, 0, 0));
}

TEST_F(FigurePlotTest, UnusableFaceFallsBackToTheDefaultFont) {
    TestFolder folder; // the font diagnosis file lands here
    const QString oldFolder = FileSystem::ProgramFolder();
    FileSystem::SetProgramFolder(folder.path());
    const QString oldDefault = PublicVal::gvDefaultFont;
    PublicVal::gvDefaultFont = QStringLiteral("DejaVu Sans");
    // A list where every unknown face resolves to the unusable empty entry.
    clsMapGraph::FontRecord empty, dejavu;
    dejavu.name = QStringLiteral("DejaVu Sans");
    graph.SetFontList({empty, dejavu});

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
    bool drawn = false;
    const QImage fallback = Draw([&](clsMapGraph& g) { return t.PlotOn(&g, false); }, &drawn);
    EXPECT_TRUE(drawn);
    const QImage expected = Draw([&](clsMapGraph& g) {
        return g.SetFont(QStringLiteral("DejaVu Sans"), 10, 0, 0, 0x000080, -1) && g.DrawText(10, 40, 11, QStringLiteral("Abc"));
    });
    EXPECT_EQ(fallback, expected);
    EXPECT_NE(fallback, Draw([](clsMapGraph&) { return true; })); // something was drawn
    PublicVal::gvDefaultFont = oldDefault;
    FileSystem::SetProgramFolder(oldFolder);
}

} // namespace
