#include "legend/StyleMath.h"

#include <cmath>

namespace StyleMath {

int32_t CellIndex(int32_t x, int32_t y, int32_t width, int32_t height, int32_t cols, int32_t rows)
{
    if (cols < 1 || rows < 1 || x < 0 || y < 0)
        return -1;
    const int32_t cw = width / cols, ch = height / rows;
    if (cw < 1 || ch < 1)
        return -1;
    const int32_t col = x / cw;
    if (col >= cols)
        return -1;
    return col + (y / ch) * cols;
}

int32_t PolygonCellStyle(int32_t cell)
{
    if (cell >= 1 && cell <= 7)
        return cell - 1;
    if (cell >= 8 && cell <= 39)
        return cell + 92;
    return -1;
}

int32_t PolylineCellStyle(int32_t cell)
{
    if (cell >= 0 && cell <= 5)
        return cell;
    if (cell >= 8 && cell <= 51)
        return cell + 94;
    return -1;
}

int32_t SymbolCellStyle(int32_t cell) { return cell >= 0 && cell <= 47 ? cell : -1; }

int32_t StepCell(int32_t from, int32_t step, int32_t count, const std::function<int32_t(int32_t)>& cellStyle)
{
    if (step == 0)
        return from;
    for (int32_t c = from + step; c >= 0 && c < count; c += step) {
        if (cellStyle(c) >= 0)
            return c;
    }
    return from;
}

int32_t RainbowColor(int32_t i, int32_t j, int32_t p)
{
    const int32_t a = (1217 - (31 - i) * (31 - i) - (j - 15) * (j - 15)) / 5 + 12;
    const int32_t b = (1922 - j * j - i * i) / 8 + 15;
    const int32_t c = (1922 - (31 - j) * (31 - j) - i * i) / 8 + 15;
    int32_t r = a, g = c, bl = b;
    switch (p) {
    case 1: r = a, g = b, bl = c; break;
    case 2: r = c, g = a, bl = b; break;
    case 3: r = c, g = b, bl = a; break;
    case 4: r = b, g = a, bl = c; break;
    case 5: r = b, g = c, bl = a; break;
    default: break;
    }
    return r | (g << 8) | (bl << 16);
}

int32_t ClampLineWidth(int32_t width) { return width < 1 ? 1 : (width > 15 ? 15 : width); }

void FontLists(const std::vector<FaceInfo>& faces, QStringList& european, QStringList& japanese)
{
    const QString first = QStringLiteral("(TT) (default)");
    european = QStringList{first};
    japanese = QStringList{first};
    for (const FaceInfo& f : faces) {
        if (f.name.startsWith(QLatin1Char('@')))
            continue;
        const QString entry = (f.scalable ? QStringLiteral("(TT) ") : QStringLiteral("     ")) + f.name;
        if (f.japanese) {
            european << entry;
            japanese << entry;
        } else if (f.latin) {
            european << entry;
        }
    }
}

QStringList HeightList(const std::function<double(int32_t)>& readBack)
{
    QStringList out;
    int64_t last = 0;
    for (int32_t h = 5; h <= 100; ++h) {
        const double v = std::nearbyint(readBack(h));
        if (!std::isfinite(v) || v < 1 || v > 10000)
            continue;
        const int64_t n = int64_t(v);
        if (n != last)
            out << QString::number(n);
        last = n;
    }
    return out;
}

} // namespace StyleMath
