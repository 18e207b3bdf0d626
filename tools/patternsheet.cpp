// Contact sheet of every line pattern, fill tile and symbol in both sets,
// for review: patternsheet [OUTPUT.png]
//
// Each entry shows its low set at twice its pixel size beside its high set at
// pixel size, which is how the drawing layer scales them (the high set serves
// output at twice the resolution), so the two halves should look alike.
// Bitmaps are blitted with QPainter and lines are drawn row by row from
// clsResLine::CycleArray; the map drawing layer is not used here.
#include "render/clsResLine.h"
#include "render/clsResSymbol.h"
#include "render/clsResTile.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

namespace {

const QRgb Ink = qRgb(0, 0, 0);
const QRgb Paper = qRgb(255, 255, 255);
const QColor Ground(210, 214, 220);

void Label(QPainter& p, int x, int y, const QString& text, int pixelSize = 12)
{
    QFont f(QStringLiteral("Noto Sans CJK JP"));
    f.setPixelSize(pixelSize);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(x, y, text);
}

void Blit(QPainter& p, const MonoBitmap* bm, int x, int y, int mag)
{
    if (!bm || bm->IsEmpty())
        return;
    const QImage img = bm->ToImage(Ink, Paper);
    p.drawImage(QRect(x, y, bm->Width() * mag, bm->Height() * mag), img);
}

// A tile repeated over a w x h swatch from its top-left corner.
void Swatch(QPainter& p, const MonoBitmap* bm, int x, int y, int w, int h, int mag)
{
    p.fillRect(x, y, w, h, Qt::white);
    if (!bm || bm->IsEmpty())
        return;
    const QImage img = bm->ToImage(Ink, Paper).scaled(bm->Width() * mag, bm->Height() * mag);
    p.save();
    p.setClipRect(x, y, w, h);
    for (int ty = y; ty < y + h; ty += img.height())
        for (int tx = x; tx < x + w; tx += img.width())
            p.drawImage(tx, ty, img);
    p.restore();
}

// A horizontal pattern line travelling to the right, one CycleArray per row.
int Strip(QPainter& p, const clsResLine& lines, int x, int y, int length)
{
    const int thick = lines.DstThick();
    p.fillRect(x, y - 1, length, thick + 2, Qt::white);
    for (int r = 0; r < thick; ++r) {
        const std::vector<bool> cycle = lines.CycleArray(r);
        if (cycle.empty())
            continue;
        for (int k = 0; k < length; ++k)
            if (cycle[static_cast<size_t>(k) % cycle.size()])
                p.fillRect(x + k, y + r, 1, 1, Qt::black);
    }
    return thick;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                     : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("patternsheet.png");

    clsResSymbol symbols;
    clsResTile tiles;
    clsResLine lines;

    const int width = 1500;
    const int symCols = 8, symW = width / symCols, symH = 82;
    const int tileCols = 8, tileW = width / tileCols, tileH = 96;
    const int lineCols = 3, lineW = width / lineCols, lineH = 64;
    const int symRows = (clsResSymbol::IndexLast - clsResSymbol::IndexFirst + symCols) / symCols;
    const int tileRows = (clsResTile::IndexLast - clsResTile::IndexFirst + tileCols) / tileCols;
    const int lineRows = (clsResLine::IndexLast - clsResLine::IndexFirst + lineCols) / lineCols;
    const int height = 40 + symRows * symH + 40 + tileRows * tileH + 40 + lineRows * lineH + 20;

    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(Ground);
    QPainter p(&sheet);

    int y = 28;
    Label(p, 8, y, QStringLiteral("Symbols 0..47: low set x2 | high set x1"), 16);
    y += 12;
    for (int i = clsResSymbol::IndexFirst; i <= clsResSymbol::IndexLast; ++i) {
        const int k = i - clsResSymbol::IndexFirst;
        const int cx = (k % symCols) * symW + 8, cy = y + (k / symCols) * symH;
        Label(p, cx, cy + 12, QStringLiteral("%1 %2").arg(i).arg(symbols.Name(i)));
        symbols.SetResolution(0);
        Blit(p, symbols.handle(i), cx, cy + 18, 2);
        symbols.SetResolution(1);
        Blit(p, symbols.handle(i), cx + 54, cy + 18, 1);
    }
    y += symRows * symH + 28;

    Label(p, 8, y, QStringLiteral("Fill tiles 100..131: tile, low set x2 | high set x1"), 16);
    y += 12;
    for (int i = clsResTile::IndexFirst; i <= clsResTile::IndexLast; ++i) {
        const int k = i - clsResTile::IndexFirst;
        const int cx = (k % tileCols) * tileW + 8, cy = y + (k / tileCols) * tileH;
        Label(p, cx, cy + 12, QStringLiteral("%1 %2").arg(i).arg(tiles.Name(i)));
        tiles.SetResolution(0);
        Blit(p, tiles.handle(i), cx, cy + 18, 2);
        Swatch(p, tiles.handle(i), cx + 36, cy + 18, 64, 64, 2);
        tiles.SetResolution(1);
        Swatch(p, tiles.handle(i), cx + 104, cy + 18, 64, 64, 1);
    }
    y += tileRows * tileH + 28;

    Label(p, 8, y, QStringLiteral("Line patterns 102..145, travelling to the right (row 0 on the left, "
                                  "here above): low set at 200 %, high set at 200 %"),
          16);
    y += 12;
    for (int i = clsResLine::IndexFirst; i <= clsResLine::IndexLast; ++i) {
        const int k = i - clsResLine::IndexFirst;
        const int cx = (k % lineCols) * lineW + 8, cy = y + (k / lineCols) * lineH;
        lines.SetIndex(static_cast<int16_t>(i));
        Label(p, cx, cy + 12, QStringLiteral("%1 %2").arg(i).arg(lines.Name()));
        // Low set: 199 keeps RatioY below 200, so the low rows are drawn twice.
        lines.SetRatioX(199);
        lines.SetRatioY(199);
        Strip(p, lines, cx, cy + 18, lineW - 24);
        lines.SetRatioX(200);
        lines.SetRatioY(200);
        Strip(p, lines, cx, cy + 40, lineW - 24);
    }
    p.end();

    if (!sheet.save(out, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
        return 1;
    }
    std::printf("%s\n", qPrintable(out));
    return 0;
}
