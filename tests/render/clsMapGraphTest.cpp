#include "TestCanvas.h"

#include "platform/FileSystem.h"
#include "render/MonoBitmap.h"
#include "render/clsResLine.h"
#include "render/clsResSymbol.h"
#include "render/clsResTile.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

clsLine Seg(int x1, int y1, int x2, int y2) {
    clsLine s;
    s.SetAll(x1, y1, x2, y2);
    return s;
}

MonoBitmap Solid(int w, int h) {
    MonoBitmap b(w, h);
    for (int i = 0; i < w * h; ++i) b.SetInk(i % w, i / w, true);
    return b;
}

struct PolygonOutlineGuard {
    bool old = PublicVal::gvPolygonOutline;
    explicit PolygonOutlineGuard(bool on) { PublicVal::gvPolygonOutline = on; }
    ~PolygonOutlineGuard() { PublicVal::gvPolygonOutline = old; }
};

TEST(MapGraphRatios, ScreenPrinterAndHalfResolution) {
    struct Row {
        int dpi, line, tile, tileSet, symSet, symScale, symbolRatio, halo, pen;
    };
    // 600 dpi: r = 625; lines 600*75\96 + 25 = 493; tiles 625\2 = 312 of the
    // high set; symbols stored as 50, 50*600\96 = 312 -> (342\50)*50 = 300.
    // 48 dpi: r = 50; lines 48*75\96 + 25 = 62; symbols 100*48\96 = 50.
    // A one-pixel pen is (1 * line scale + 50) \ 100 pixels wide.
    const Row rows[] = {
        {96, 100, 100, 0, 0, 100, 100, 1, 1},
        {600, 493, 312, 1, 1, 300, 100, 4, 5},
        {48, 62, 50, 0, 0, 50, 100, 1, 1},
    };
    for (const Row& r : rows) {
        Drawing d(10, 10, r.dpi);
        clsMapGraph& g = d.g;
        SCOPED_TRACE(r.dpi);
        EXPECT_EQ(g.ResolutionX(), r.dpi);
        EXPECT_EQ(g.LineScale(), r.line);
        EXPECT_EQ(g.TileRatio(), r.tile);
        EXPECT_EQ(g.oTiles->Resolution(), r.tileSet);
        EXPECT_EQ(g.oSymbols->Resolution(), r.symSet);
        EXPECT_EQ(g.SymbolScaleX(), r.symScale);
        EXPECT_EQ(g.SymbolScaleY(), r.symScale);
        EXPECT_EQ(g.SymbolRatio(), r.symbolRatio);
        EXPECT_EQ(g.oFancyLines->RatioX(), r.line);
        const int h = r.halo;
        const int want[8][2] = {{-h, 0}, {h, 0}, {0, -h}, {0, h}, {-h, -h}, {h, -h}, {-h, h}, {h, h}};
        for (int i = 0; i < 8; ++i) EXPECT_TRUE(g.HaloX(i) == want[i][0] && g.HaloY(i) == want[i][1]) << i;
        ASSERT_TRUE(g.SetPen(0, 1, kRed, -1));
        EXPECT_EQ(g.PenPixelWidth(), r.pen);
        g.GraphEnd();
        EXPECT_EQ(g.oFancyLines->RatioX(), 100);
        EXPECT_EQ(g.oFancyLines->RatioY(), 100);
        EXPECT_EQ(g.handle(), nullptr);
    }
}

TEST(MapGraphRatios, SymbolScaleStepsOfFiftyAndLimits) {
    Drawing d(10, 10);
    clsMapGraph& g = d.g;
    const std::pair<int, int> cases[] = {{130, 150}, {119, 100}, {120, 150}, {70, 100}, {69, 50},
                                         {30, 50},   {25, 50},   {10, 25},   {24, 25},  {10000, 10000}};
    for (auto [ratio, scale] : cases) {
        g.SetSymbolRatio(ratio);
        EXPECT_EQ(g.SymbolScaleX(), scale) << ratio;
        EXPECT_EQ(g.SymbolRatio(), ratio);
    }
    g.SetSymbolRatio(9);
    g.SetSymbolRatio(10001);
    EXPECT_EQ(g.SymbolRatio(), 10000);
    g.SetTextRatio(5);
    EXPECT_EQ(g.TextRatio(), 100);
    g.SetResolutionX(47);
    g.SetResolutionX(1441);
    EXPECT_EQ(g.ResolutionX(), 96);
    // While the high-resolution symbols are in use the ratio is kept halved.
    g.SetResolutionX(600);
    g.SetResolutionY(600);
    g.SetSymbolRatio(101);
    EXPECT_EQ(g.SymbolRatio(), 100);
}

TEST(MapGraphRatios, SetCachesFollowAResolutionChange) {
    Drawing d(10, 10);
    clsMapGraph& g = d.g;
    ASSERT_TRUE(g.SetPen(0, 3, kRed, -1));
    EXPECT_EQ(g.PenPixelWidth(), 3);
    g.SetResolutionX(192);
    g.SetResolutionY(192);
    ASSERT_TRUE(g.SetPen(0, 3, kRed, -1));
    EXPECT_EQ(g.PenPixelWidth(), 5); // (3 x 175 + 50) \ 100

    MonoBitmap b = Solid(20, 20);
    g.SetResolutionX(96);
    g.SetResolutionY(96);
    ASSERT_TRUE(g.SetBitmap(&b, kRed, -1));
    EXPECT_EQ(g.BitmapDstWidth(), 20);
    g.SetSymbolRatio(200);
    ASSERT_TRUE(g.SetBitmap(&b, kRed, -1));
    EXPECT_EQ(g.BitmapDstWidth(), 40);
}

TEST(MapGraphLines, OctantsInAllDirectionsAndAtTheThreshold) {
    struct Case {
        int dx, dy, octant;
    };
    // 41 % of the main axis is the border between straight and diagonal.
    const Case cases[] = {
        {0, 0, 0},     {0, -10, 0},    {10, -10, 1},   {10, 0, 2},     {10, 10, 3},   {0, 10, 4},    {-10, 10, 5},
        {-10, 0, 6},   {-10, -10, 7},  {100, 40, 2},   {100, 41, 3},   {100, -40, 2}, {100, -41, 1}, {-100, 40, 6},
        {-100, 41, 5}, {-100, -40, 6}, {-100, -41, 7}, {40, 100, 4},   {41, 100, 3},  {-40, 100, 4}, {-41, 100, 5},
        {40, -100, 0}, {41, -100, 1},  {-40, -100, 0}, {-41, -100, 7},
    };
    for (const Case& c : cases)
        EXPECT_EQ(clsMapGraph::LineOctant(Seg(50, 50, 50 + c.dx, 50 + c.dy)), c.octant) << c.dx << "," << c.dy;
}

TEST(MapGraphLines, PlainPensStylesAndTheNullPen) {
    {
        Drawing d;
        ASSERT_TRUE(d.g.SetPen(7, 1, kRed, -1)); // unknown style: solid
        EXPECT_TRUE(d.g.DrawLine(Seg(10, 10, 60, 10)));
        EXPECT_EQ(d.Count(kRed), 50u);
        EXPECT_EQ(d.Px(60, 10), kWhite);
        ASSERT_TRUE(d.g.SetPen(5, 1, kRed, -1)); // null pen
        d.g.DrawLine(Seg(10, 20, 60, 20));
        EXPECT_EQ(d.Count(kWhite), 100u * 100u - 50u);
        ASSERT_TRUE(d.g.SetPen(5, 1, kRed, kBlue)); // a solid line in the back colour
        d.g.DrawLine(Seg(10, 30, 60, 30));
        EXPECT_EQ(d.Count(kBlue), 50u);
        EXPECT_EQ(d.Count(kRed), 50u);
    }
    {
        // Outside the view: nothing drawn, False.
        Drawing d;
        ASSERT_TRUE(d.g.SetPen(0, 1, kRed, -1));
        EXPECT_FALSE(d.g.DrawLine(Seg(-50, -5, 200, -5)));
        EXPECT_EQ(d.Count(kRed), 0u);
        // A very long segment is clipped to the view first.
        EXPECT_TRUE(d.g.DrawLine(Seg(-2000000000, 50, 2000000000, 50)));
        EXPECT_EQ(d.Count(kRed), 99u); // to the view's edge, less the end pixel
    }
    {
        // A wide dashed pen gets a solid back line beneath its gaps.
        Drawing d(200, 40);
        ASSERT_TRUE(d.g.SetPen(1, 4, kRed, kGreen));
        EXPECT_EQ(d.g.PenPixelWidth(), 4);
        d.g.DrawLine(Seg(10, 20, 190, 20));
        EXPECT_GT(d.Count(kRed), 0u);
        EXPECT_GT(d.Count(kGreen), 0u);
        for (int x = 12; x < 188; ++x) EXPECT_NE(d.Px(x, 20), kWhite) << x;
    }
}

// A line from (10, 30) to (x2, y2) with a pattern pen: the box of its ink
// ("left,top right,bottom") over the picture of that box.
std::string PatternLine(int16_t style, int32_t back, int x2, int y2) {
    Drawing d(70, 50);
    EXPECT_TRUE(d.g.SetPen(style, 1, kRed, back));
    EXPECT_EQ(d.g.PenMode(), 3);
    EXPECT_EQ(d.g.PenPixelWidth(), d.g.oFancyLines->DstThick());
    EXPECT_TRUE(d.g.DrawLine(Seg(10, 30, x2, y2)));
    EXPECT_EQ(d.g.PatternPhase(), std::max(x2 - 10, y2 - 30));
    EXPECT_EQ(d.g.oFancyLines->RatioY(), d.g.LineScale());
    const auto b = d.Box();
    return QStringLiteral("%1,%2 %3,%4\n").arg(b[0]).arg(b[1]).arg(b[2]).arg(b[3]).toStdString() +
           d.Picture(b[0], b[1], b[2], b[3]);
}

// Rightwards row 0 lies above (left of the way) and later rows below; the
// pattern starts at the first pixel and the end pixel is left out. Across a
// diagonal the strokes take 4/3 of the thickness.
TEST(MapGraphLines, PatternRowsOfAStraightAndADiagonalLine) {
    EXPECT_EQ(PatternLine(102, kBlue, 58, 30), "10,30 57,30\n"
                                               "rrrrrbbbrrrrrbbbrrrrrbbbrrrrrbbbrrrrrbbbrrrrrbbb\n");
    EXPECT_EQ(PatternLine(108, kBlue, 58, 30), "10,29 57,30\n"
                                               "rrrrrbbbrrrrrbbbrrrrrbbbrrrrrbbbrrrrrbbbrrrrrbbb\n"
                                               "rrrrrbbbrrrrrbbbrrrrrbbbrrrrrbbbrrrrrbbbrrrrrbbb\n");
    EXPECT_EQ(PatternLine(121, kBlue, 58, 30), "10,28 57,31\n"
                                               "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr\n"
                                               "rrrrrrrrbbbbbbbbrrrrrrrrbbbbbbbbrrrrrrrrbbbbbbbb\n"
                                               "rrrrrrrrbbbbbbbbrrrrrrrrbbbbbbbbrrrrrrrrbbbbbbbb\n"
                                               "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr\n");
    EXPECT_EQ(PatternLine(108, -1, 26, 46), "9,29 22,42\n"
                                            ".r............\n"
                                            "rrr...........\n"
                                            ".rrr..........\n"
                                            "..rrr.........\n"
                                            "...rrr........\n"
                                            "....rr........\n"
                                            "..............\n"
                                            "..............\n"
                                            ".........r....\n"
                                            "........rrr...\n"
                                            ".........rrr..\n"
                                            "..........rrr.\n"
                                            "...........rrr\n"
                                            "............rr\n");
}

TEST(MapGraphLines, PatternPhaseRunsOnAcrossCallsAndRestartsPerPolyline) {
    Drawing one(120, 60), two(120, 60);
    ASSERT_TRUE(one.g.SetPen(104, 1, kRed, kBlue));
    ASSERT_TRUE(two.g.SetPen(104, 1, kRed, kBlue));
    one.g.DrawLine(Seg(5, 30, 100, 30));
    two.g.DrawLine(Seg(5, 30, 37, 30));
    EXPECT_EQ(two.g.PatternPhase(), 32);
    two.g.DrawLine(Seg(37, 30, 100, 30));
    EXPECT_EQ(one.image, two.image);

    // A polyline starts its pattern afresh, and runs on along its points.
    Drawing p(120, 60), q(120, 60);
    ASSERT_TRUE(p.g.SetPen(104, 1, kRed, kBlue));
    ASSERT_TRUE(q.g.SetPen(104, 1, kRed, kBlue));
    p.g.DrawLine(Seg(0, 10, 13, 10)); // leaves the phase at 13
    clsPoly line;
    line.SetLine(5, 30, 100, 30);
    p.g.DrawPolyline(line);
    q.g.DrawLine(Seg(0, 10, 13, 10));
    clsPoly bent;
    bent.SetLine(5, 30, 50, 30);
    bent.AddXY(100, 30);
    EXPECT_TRUE(q.g.DrawPolyline(bent));
    EXPECT_EQ(p.image, q.image);
    EXPECT_EQ(q.g.PatternPhase(), 95);
}

TEST(MapGraphLines, APatternWithoutRowsDrawsNothing) {
    // A replacement pattern 33 pixels wide is refused, leaving no rows.
    TestFolder folder;
    QImage wide(33, 3, QImage::Format_RGB32);
    wide.fill(Qt::black);
    ASSERT_TRUE(wide.save(folder.file("LINE102L.BMP"), "BMP"));
    FileSystem::SetProgramFolder(folder.path());
    Drawing d(60, 60);
    FileSystem::SetProgramFolder(QString());
    ASSERT_TRUE(d.g.SetPen(102, 1, kRed, kBlue));
    EXPECT_EQ(d.g.PenPixelWidth(), 0);
    EXPECT_FALSE(d.g.DrawLine(Seg(5, 30, 55, 30)));
    EXPECT_FALSE(d.g.DrawLine(Seg(5, 5, 55, 55)));
    EXPECT_EQ(d.Count(kWhite), 60u * 60u);
}

TEST(MapGraphFills, TileGridStartsAtTheFloorMultiple) {
    const int cases[][3] = {{0, 16, 0},     {15, 16, 0},    {16, 16, 16}, {-1, 16, -16},
                            {-16, 16, -16}, {-17, 16, -32}, {-13, 5, -15}};
    for (const auto& c : cases) EXPECT_EQ(clsMapGraph::TileGridStart(c[0], c[1]), c[2]) << c[0] << " " << c[1];
}

// A tile of the given side in the current set (-1 when there is none).
int TileOfSide(clsMapGraph& g, int side) {
    for (int i = 100; i <= 131; ++i) {
        const MonoBitmap* t = g.oTiles->handle(i);
        if (t && t->Width() == side && t->Height() == side && t->InkCount() > 0 && t->InkCount() < side * side)
            return i;
    }
    return -1;
}

// Fills the whole image with a tile brush through a polygon that starts at
// negative coordinates, and checks every pixel against the tile.
void CheckTileFill(int side, int32_t back) {
    Drawing d(90, 70);
    clsMapGraph& g = d.g;
    const int style = TileOfSide(g, side);
    ASSERT_GE(style, 100) << side;
    // A view reaching into negative coordinates.
    ASSERT_TRUE(g.GraphBegin(d.dc.get(), -40, -30, 130, 100));
    d.dc->FillRect(0, 0, 90, 70, DcBrush::SolidBrush(kGrey));
    ASSERT_TRUE(g.SetBrush(int16_t(style), kRed, back));
    ASSERT_EQ(g.BrushMode(), 2);
    const MonoBitmap* tile = g.oTiles->handle(style);
    ASSERT_NE(tile, nullptr);
    ASSERT_EQ(g.TileDstWidth(), tile->Width());
    clsPoly poly;
    poly.SetRect(-37, -23, 200, 200);
    EXPECT_TRUE(g.DrawPolygon(poly));
    const int w = tile->Width(), h = tile->Height();
    for (int y = 0; y < 70; ++y)
        for (int x = 0; x < 90; ++x) {
            const bool ink = tile->Ink(((x % w) + w) % w, ((y % h) + h) % h);
            const int32_t want = ink ? kRed : (back == -1 ? kGrey : back);
            ASSERT_EQ(d.Px(x, y), want) << style << ": " << x << "," << y;
        }
}

TEST(MapGraphFills, TilesAreAnchoredAtTheCanvasOriginWithOrWithoutPaper) {
    CheckTileFill(16, -1); // transparent paper keeps what lies beneath
    CheckTileFill(16, kBlue);
    CheckTileFill(8, -1); // an 8x8 tile without back colour is transferred too
    // A huge polygon is tiled only over the view.
    Drawing d(50, 50);
    ASSERT_TRUE(d.g.SetBrush(int16_t(TileOfSide(d.g, 16)), kRed, kBlue));
    clsPoly big;
    big.SetRect(-100000000, -100000000, 100000000, 100000000);
    EXPECT_TRUE(d.g.DrawPolygon(big));
    EXPECT_EQ(d.Count(kWhite), 0u);
}

TEST(MapGraphFills, TilesStayInsideThePolygonAndOnlyEightByEightGetsAnOutline) {
    PolygonOutlineGuard outline(true);
    {
        Drawing d(60, 60);
        const int style = TileOfSide(d.g, 16);
        ASSERT_TRUE(d.g.SetBrush(int16_t(style), kRed, -1));
        clsPoly tri;
        tri.SetLine(0, 0, 59, 0);
        tri.AddXY(0, 59);
        d.g.DrawPolygon(tri);
        EXPECT_EQ(d.At({{50, 50}, {58, 58}}), "..");
        // No outline: the top edge shows the tile as it is.
        const MonoBitmap* tile = d.g.oTiles->handle(style);
        for (int x = 0; x < 50; ++x) EXPECT_EQ(d.Px(x, 0), tile->Ink(x % 16, 0) ? kRed : kWhite) << x;
    }
    {
        // 8x8 at 100 % with a back colour: a pattern brush, outlined.
        Drawing d(60, 60);
        ASSERT_TRUE(d.g.SetBrush(int16_t(TileOfSide(d.g, 8)), kRed, kBlue));
        EXPECT_EQ(d.g.BrushMode(), 1);
        clsRect r(10, 10, 30, 30);
        EXPECT_TRUE(d.g.DrawFillRect(r));
        for (int i = 10; i <= 31; ++i)
            EXPECT_TRUE(d.Px(i, 10) == kRed && d.Px(10, i) == kRed && d.Px(i, 31) == kRed && d.Px(31, i) == kRed) << i;
        EXPECT_EQ(d.Px(32, 20), kWhite);
    }
}

// A style outside the tiles and hatches is a solid brush; system colours are
// looked up (8 is the window text: black when there is no display); hatches
// take the back colour when one is given.
TEST(MapGraphFills, SolidAndHatchBrushes) {
    PolygonOutlineGuard outline(false);
    Drawing d(20, 20);
    ASSERT_TRUE(d.g.SetBrush(99, kRed, -1));
    EXPECT_EQ(d.g.BrushMode(), 1);
    clsRect r(2, 2, 5, 5);
    d.g.DrawFillRect(r);
    EXPECT_EQ(d.Count(kRed), 16u);
    ASSERT_TRUE(d.g.SetBrush(6, int32_t(0x80000008u), -1));
    clsRect s(10, 10, 19, 19);
    d.g.DrawFillRect(s);
    EXPECT_EQ(d.Count(kBlack), 100u);
    for (int32_t back : {kBlue, -1}) {
        SCOPED_TRACE(back < 0 ? "hatch on a transparent back" : "hatch on blue");
        Drawing h(32, 32);
        ASSERT_TRUE(h.g.SetBrush(4, kRed, back));
        clsRect all(0, 0, 31, 31);
        h.g.DrawFillRect(all);
        EXPECT_EQ(h.Count(kRed) + h.Count(back < 0 ? kWhite : back), 32u * 32u);
        EXPECT_GT(h.Count(back < 0 ? kWhite : back), 0u);
    }
}

TEST(MapGraphFills, RectanglesWithAndWithoutOutlineAndClear) {
    // The outline adds the right and bottom edges.
    for (const bool outlined : {false, true}) {
        PolygonOutlineGuard outline(outlined);
        Drawing d(40, 40);
        ASSERT_TRUE(d.g.SetBrush(6, kRed, -1));
        clsRect r(5, 6, 14, 20);
        EXPECT_TRUE(d.g.DrawFillRect(r));
        EXPECT_EQ(d.Box(kRed), (std::array<int, 4>{5, 6, outlined ? 15 : 14, outlined ? 21 : 20})) << outlined;
        EXPECT_EQ(d.Count(kRed), outlined ? 11u * 16u : 10u * 15u);
        clsRect empty(9, 9, 8, 8);
        EXPECT_FALSE(d.g.DrawFillRect(empty));
    }
    {
        PolygonOutlineGuard outline(false);
        Drawing d(40, 40);
        ASSERT_TRUE(d.g.GraphBegin(d.dc.get(), 5, 6, 20, 10));
        EXPECT_EQ(d.g.ViewLeft(), 5);
        EXPECT_EQ(d.g.ViewWidth(), 20);
        ASSERT_TRUE(d.g.SetBrush(6, kGreen, -1));
        EXPECT_TRUE(d.g.DrawClear());
        // The view is 5..24 by 6..15; the clear reaches one pixel beyond.
        EXPECT_EQ(d.Box(kGreen), (std::array<int, 4>{4, 5, 25, 16}));
    }
    {
        // The outline of a rectangle goes through the pen, corners included.
        Drawing d(40, 40);
        ASSERT_TRUE(d.g.SetPen(0, 1, kBlue, -1));
        EXPECT_TRUE(d.g.DrawStrokeRect(clsRect(5, 5, 15, 10)));
        EXPECT_EQ(d.Box(kBlue), (std::array<int, 4>{5, 5, 15, 10}));
        EXPECT_EQ(d.Count(kBlue), 2u * 11u + 2u * 4u);
    }
}

TEST(MapGraphSymbols, PlacementHaloAndFailures) {
    {
        Drawing d(60, 60);
        MonoBitmap b = Solid(5, 4);
        ASSERT_TRUE(d.g.SetBitmap(&b, kRed, -1));
        EXPECT_TRUE(d.g.DrawPaint(20, 30));
        // Top-left corner at (x - w\2, y - h\2).
        EXPECT_EQ(d.Box(kRed), (std::array<int, 4>{18, 28, 22, 31}));
        // Outside the view: True and nothing drawn.
        EXPECT_TRUE(d.g.DrawPaint(-1, 30));
        EXPECT_TRUE(d.g.DrawPaint(60, 30));
        EXPECT_EQ(d.Count(kRed), 20u);
    }
    {
        // Small: four copies on the sides, none in the corners.
        Drawing d(60, 60);
        MonoBitmap b = Solid(5, 5);
        ASSERT_TRUE(d.g.SetBitmap(&b, kRed, kBlue));
        d.g.DrawPaint(30, 30);
        EXPECT_EQ(d.Count(kRed), 25u);
        EXPECT_EQ(d.Count(kBlue), 4u * 5u);
        EXPECT_EQ(d.At({{27, 30}, {27, 27}}), "b.");
    }
    {
        // Width + height of 48 or more: eight copies, corners too.
        Drawing d(60, 60);
        MonoBitmap b = Solid(24, 24);
        ASSERT_TRUE(d.g.SetBitmap(&b, kRed, kBlue));
        d.g.DrawPaint(30, 30);
        EXPECT_EQ(d.Count(kRed), 24u * 24u);
        EXPECT_EQ(d.Count(kBlue), 4u * 24u + 4u);
        EXPECT_EQ(d.Px(17, 17), kBlue);
    }
    {
        Drawing d(60, 60);
        MonoBitmap b = Solid(5, 5);
        ASSERT_TRUE(d.g.SetBitmap(&b, kRed, -1));
        EXPECT_FALSE(d.g.SetSymbol(48, kRed, -1));
        EXPECT_FALSE(d.g.DrawPaint(30, 30));
        EXPECT_FALSE(d.g.SetSymbol(-1, kRed, -1));
        MonoBitmap none;
        EXPECT_FALSE(d.g.SetBitmap(&none, kRed, -1));
        EXPECT_FALSE(d.g.DrawPaint(30, 30));
        EXPECT_EQ(d.Count(kRed), 0u);
    }
}

TEST(MapGraphBracket, NothingDrawsOutsideADrawing) {
    QImage img(10, 10, QImage::Format_RGB32);
    DeviceContext dc(img);
    clsMapGraph g;
    EXPECT_FALSE(g.SetPen(0, 1, kRed, -1));
    EXPECT_FALSE(g.DrawLine(Seg(0, 0, 9, 9)));
    EXPECT_FALSE(g.GraphBegin(nullptr, 0, 0, 10, 10));
    ASSERT_TRUE(g.GraphBegin(&dc, 0, 0, 1, 1));
    EXPECT_EQ(g.ViewWidth(), 2); // at least 2 by 2
    // The context's own state comes back after the drawing.
    g.SetPen(0, 5, kRed, -1);
    g.SetBrush(3, kRed, -1);
    g.GraphEnd();
    EXPECT_EQ(dc.Pen().width, 1);
    EXPECT_EQ(dc.Brush().kind, DcBrush::Solid);
    EXPECT_EQ(dc.Brush().colour, 0);
    EXPECT_EQ(dc.ROP2(), Gdi::R2_COPYPEN);
    g.GraphEnd();
}

} // namespace

namespace {

// A list held elsewhere (a point pointer and a count) draws as the same list
// in a clsPoly does, pixel for pixel and answer for answer, in every way of
// filling and stroking; too short a list draws nothing either way.
TEST(MapGraphLists, PointsHeldElsewhereDrawAsTheirPoly) {
    const std::vector<std::vector<PolyPoint>> lists = {
        {{-20, 10}, {70, 5}, {95, 60}, {40, 85}, {-5, 50}, {-20, 10}}, // reaches past the canvas
        {{10, 10}, {60, 20}},
        {{30, 30}},
    };
    const PolygonOutlineGuard outline(true);
    for (const auto& pts : lists) {
        SCOPED_TRACE(pts.size());
        clsPoly poly;
        for (const PolyPoint& p : pts) poly.AddXY(p.x, p.y);
        Drawing probe;
        for (const int style : {6, 4, TileOfSide(probe.g, 8), TileOfSide(probe.g, 16)}) {
            SCOPED_TRACE(style);
            Drawing a, b;
            ASSERT_TRUE(a.g.SetBrush(int16_t(style), kRed, kBlue));
            ASSERT_TRUE(b.g.SetBrush(int16_t(style), kRed, kBlue));
            clsPoly copy = poly.Copy();
            EXPECT_EQ(b.g.DrawPolygon(pts.data(), int32_t(pts.size())), a.g.DrawPolygon(copy));
            EXPECT_EQ(a.image, b.image);
        }
        for (const auto& [style, width] : {std::pair{0, 1}, {1, 4}, {104, 1}}) {
            SCOPED_TRACE(style);
            Drawing a, b;
            ASSERT_TRUE(a.g.SetPen(int16_t(style), width, kRed, kGreen));
            ASSERT_TRUE(b.g.SetPen(int16_t(style), width, kRed, kGreen));
            EXPECT_EQ(b.g.DrawPolyline(pts.data(), int32_t(pts.size())), a.g.DrawPolyline(poly));
            EXPECT_EQ(a.image, b.image);
            EXPECT_EQ(a.g.PatternPhase(), b.g.PatternPhase());
        }
    }
    // A polygon of three points or more is filled at all.
    Drawing d;
    ASSERT_TRUE(d.g.SetBrush(6, kRed, -1));
    EXPECT_TRUE(d.g.DrawPolygon(lists[0].data(), int32_t(lists[0].size())));
    EXPECT_GT(d.Count(kRed), 1000u);
}

} // namespace
