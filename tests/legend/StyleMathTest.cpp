// The grid arithmetic of the style editors on their inner sizes (the outer
// sizes less a two-pixel border), the rainbow colours and the font and
// height lists.
#include "legend/RainbowBox.h"
#include "legend/StyleMath.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

using namespace StyleMath;

// The three grids on their inner sizes: polygon 253 x 159 in cells 31 x 31
// with a leftover strip 248..252 on the right; polyline 285 x 197 in cells
// 71 x 15; symbol 253 x 181 in cells 31 x 30, the cell number the symbol.
enum Grid { Polygon, Polyline, Symbol };
const char* const kGridName[] = {"polygon", "polyline", "symbol"};

TEST(StyleMath, CellsOfTheThreeGrids) {
    const struct {
        const char* name;
        Grid grid;
        int x, y;
        int style;
    } rows[] = {
        {"top-left cell is empty", Polygon, 5, 5, -1},  {"first standard pattern", Polygon, 31, 0, 0},
        {"solid", Polygon, 7 * 31 + 30, 30, 6},         {"first tile", Polygon, 0, 31, 100},
        {"last tile", Polygon, 7 * 31, 4 * 31 + 30, 131}, {"right strip is no cell", Polygon, 248, 40, -1},
        {"strip below the grid", Polygon, 10, 155, -1}, {"left of the grid", Polygon, -1, 40, -1},
        {"solid", Polyline, 0, 0, 0},                   {"transparent", Polyline, 71, 15, 5},
        {"cell 6 empty", Polyline, 2 * 71, 15, -1},     {"cell 7 empty", Polyline, 3 * 71 + 70, 29, -1},
        {"first pattern", Polyline, 0, 30, 102},        {"last pattern", Polyline, 3 * 71, 12 * 15 + 14, 145},
        {"right strip", Polyline, 284, 0, -1},          {"below the rows", Polyline, 0, 195, -1},
        {"first", Symbol, 0, 0, 0},                     {"second row", Symbol, 0, 30, 8},
        {"last", Symbol, 7 * 31 + 30, 5 * 30 + 29, 47}, {"strip below", Symbol, 0, 180, -1},
        {"right strip", Symbol, 248, 0, -1},            {"above", Symbol, 3, -2, -1},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << kGridName[r.grid] << ": " << r.name);
        switch (r.grid) {
        case Polygon: EXPECT_EQ(PolygonCellStyle(CellIndex(r.x, r.y, 253, 159, 8, 5)), r.style); break;
        case Polyline: EXPECT_EQ(PolylineCellStyle(CellIndex(r.x, r.y, 285, 197, 4, 13)), r.style); break;
        case Symbol: EXPECT_EQ(SymbolCellStyle(CellIndex(r.x, r.y, 253, 181, 8, 6)), r.style); break;
        }
    }
    EXPECT_EQ(CellIndex(0, 180, 253, 181, 8, 6), 48); // the strip below counts on
    EXPECT_EQ(CellIndex(1, 1, 7, 5, 8, 6), -1);       // a box too small for cells
}

TEST(StyleMath, StepsOverEmptyCells) {
    const struct {
        const char* name;
        int from, step, to;
    } polygon[] = {
        {"from nothing to the first pattern", -1, 1, 1},   {"from past the end to the last tile", 40, -1, 39},
        {"left of the first pattern: the empty cell", 1, -1, 1}, {"right along the row", 1, 1, 2},
        {"right into the next row", 7, 1, 8},               {"down a column", 2, 8, 10},
        {"up into the empty cell", 8, -8, 8},               {"down past the last row", 33, 8, 33},
        {"no step", 5, 0, 5},
    };
    for (const auto& r : polygon) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(StepCell(r.from, r.step, 40, PolygonCellStyle), r.to);
    }
    // The line grid's empty cells 6 and 7 are passed over both ways.
    EXPECT_EQ(StepCell(5, 1, 52, PolylineCellStyle), 8);
    EXPECT_EQ(StepCell(8, -1, 52, PolylineCellStyle), 5);
    EXPECT_EQ(StepCell(3, 4, 52, PolylineCellStyle), 11); // down from cell 3 over empty cell 7
    // A grid without a style: nowhere to go.
    EXPECT_EQ(StepCell(-1, 1, 4, [](int32_t) { return -1; }), -1);
}

TEST(StyleMath, RainbowChannelsAndPermutations) {
    // Bottom centre: a = 1217/5 + 12 = 255, b = 736/8 + 15 = 107, c = 705/8 + 15 = 103.
    EXPECT_EQ(RainbowColor(31, 15, 0), 0x6B67FF); // (a, c, b)
    EXPECT_EQ(RainbowColor(31, 15, 1), 0x676BFF); // (a, b, c)
    EXPECT_EQ(RainbowColor(31, 15, 3), 0xFF6B67); // (c, b, a)
    // Top left: a = 31/5 + 12 = 18, b = 255, c = 961/8 + 15 = 135.
    EXPECT_EQ(RainbowColor(0, 0, 2), 0xFF1287); // (c, a, b)
    EXPECT_EQ(RainbowColor(0, 0, 4), 0x8712FF); // (b, a, c)
    EXPECT_EQ(RainbowColor(0, 0, 5), 0x1287FF); // (b, c, a)
}

TEST(StyleMath, RainbowTakesANewPermutationAtEveryPainting) {
    // 32 x 32 pixels: each lattice cell ends as the last 2 x 2 square drawn over it.
    QImage img(32, 32, QImage::Format_RGB32);
    int calls = 0;
    RainbowBox::SetRandom([&calls] { return calls++ == 0 ? 0 : 3; });
    RainbowBox::FillRainbow(img);
    EXPECT_EQ(img.pixel(15, 31) & 0xFFFFFF, 0xFF676Bu); // (255, 103, 107)
    RainbowBox::FillRainbow(img);
    EXPECT_EQ(img.pixel(15, 31) & 0xFFFFFF, 0x676BFFu); // (103, 107, 255)
    EXPECT_EQ(calls, 2);
    RainbowBox::SetRandom({});
}

TEST(StyleMath, FontListsByWritingSystem) {
    const std::vector<FaceInfo> faces{{QStringLiteral("IPAGothic"), true, true, true},
                                      {QStringLiteral("@IPAGothic"), true, true, true},
                                      {QStringLiteral("DejaVu Sans"), false, true, true},
                                      {QStringLiteral("Symbolic"), false, false, true},
                                      {QStringLiteral("Fixed"), false, true, false}};
    QStringList e, j;
    FontLists(faces, e, j);
    EXPECT_EQ(e, (QStringList{"(TT) (default)", "(TT) IPAGothic", "(TT) DejaVu Sans", "     Fixed"}));
    EXPECT_EQ(j, (QStringList{"(TT) (default)", "(TT) IPAGothic"}));
}

TEST(StyleMath, HeightsAreTheSizesReadBack) {
    QStringList all;
    for (int h = 5; h <= 100; ++h)
        all << QString::number(h);
    EXPECT_EQ(HeightList([](int32_t h) { return double(h); }), all);
    // A raster face with three sizes.
    EXPECT_EQ(HeightList([](int32_t h) { return h < 9 ? 8.0 : h < 11 ? 10.0 : 12.0; }), (QStringList{"8", "10", "12"}));
    // Halves go to the even neighbour: 5.5 -> 6, 6.5 -> 6, 7.5 -> 8, 8.5 -> 8.
    const QStringList halves = HeightList([](int32_t h) { return h + 0.5; });
    EXPECT_EQ(halves.mid(0, 3), (QStringList{"6", "8", "10"}));
    EXPECT_EQ(halves.last(), QStringLiteral("100"));
}

} // namespace
