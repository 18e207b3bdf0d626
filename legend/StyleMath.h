#pragma once
// The arithmetic behind the style editors and the range dialog, kept free of
// widgets: which cell of a grid a point falls in and which style that cell
// offers, the colours of the rainbow sample background, the slider's
// position of a scale step, and the entries of the font and height boxes.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

namespace StyleMath {

// The cell number (row by row from 0 at the top left) of the point (x, y)
// in a grid of `cols` x `rows` cells over width x height pixels; cells are
// width div cols by height div rows. -1 for a point left of or above the
// grid and for one in the leftover strip on the right, which would
// otherwise count as the first cell of the next row. A point in the strip
// below the last row gives a number of cols x rows or more.
int32_t CellIndex(int32_t x, int32_t y, int32_t width, int32_t height, int32_t cols, int32_t rows);

// The style a cell offers, -1 for an empty cell or a number outside the grid.
// Fill patterns, 8 x 5: the top-left cell is empty, then 0..6, then tiles 100..131.
int32_t PolygonCellStyle(int32_t cell);
// Line styles, 4 x 13: 0..5, two empty cells, then line patterns 102..145.
int32_t PolylineCellStyle(int32_t cell);
// Point symbols, 8 x 6: the cell number itself, 0..47.
int32_t SymbolCellStyle(int32_t cell);

// The first cell after `from`, going by `step` (1 and -1 along the rows, the
// column count up and down a column), that offers a style (cellStyle not
// negative) among cells 0..count-1; `from` itself when there is none.
// From -1 by 1 gives the first such cell, from `count` by -1 the last.
int32_t StepCell(int32_t from, int32_t step, int32_t count, const std::function<int32_t(int32_t)>& cellStyle);

// The colour (0x00BBGGRR) of lattice cell (row i, column j), both 0..31, of
// the rainbow background under permutation p (0..5).
int32_t RainbowColor(int32_t i, int32_t j, int32_t p);

// The range slider runs from position 1 (ladder step 53, the largest scale)
// at the top to 53 (step 1) at the bottom; each is the other's inverse.
inline int32_t StepToPos(int32_t k) { return 54 - k; }
inline int32_t PosToStep(int32_t p) { return 54 - p; }

// A width the line editor can show: 1..15.
int32_t ClampLineWidth(int32_t width);

// An installed face as the font boxes need it.
struct FaceInfo {
    QString name;
    bool japanese = false; // writes Japanese
    bool latin = false;    // writes Latin
    bool scalable = false;
};
// The European and the Japanese font list: each begins with "(TT) (default)";
// a Japanese face goes in both, a Latin one in the European list only,
// others and the vertical "@" faces in neither. Every entry carries a
// 5-character prefix: "(TT) " for a scalable face, five blanks otherwise.
void FontLists(const std::vector<FaceInfo>& faces, QStringList& european, QStringList& japanese);
// The sizes a face takes for the requests 5..100 points: each size read
// back, rounded (halves to even), listed once when it differs from the one
// listed last.
QStringList HeightList(const std::function<double(int32_t)>& readBack);

} // namespace StyleMath
