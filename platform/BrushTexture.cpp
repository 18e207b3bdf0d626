#include "platform/BrushTexture.h"

#include <QColor>
#include <QImage>

#include <algorithm>

namespace {

// Whether a pixel of the 8x8 hatch cell is ink.
bool HatchInk(int32_t style, int32_t x, int32_t y)
{
    x &= 7;
    y &= 7;
    switch (style) {
    case Gdi::HS_HORIZONTAL: return y == 4;
    case Gdi::HS_VERTICAL: return x == 4;
    case Gdi::HS_FDIAGONAL: return x == y;
    case Gdi::HS_BDIAGONAL: return x + y == 7;
    case Gdi::HS_CROSS: return x == 4 || y == 4;
    case Gdi::HS_DIAGCROSS: return x == y || x + y == 7;
    default: return true;
    }
}

QColor ToQColor(int32_t c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

QImage TextureOf(const DcBrush& b, int32_t textColour, int32_t bkColour, bool opaque)
{
    if (b.kind == DcBrush::Hatch) {
        QImage t(8, 8, QImage::Format_ARGB32_Premultiplied);
        const QRgb ink = ToQColor(b.colour).rgb();
        const QRgb paper = opaque ? ToQColor(bkColour).rgb() : qRgba(0, 0, 0, 0);
        for (int32_t y = 0; y < 8; ++y)
            for (int32_t x = 0; x < 8; ++x)
                t.setPixel(x, y, HatchInk(b.hatch, x, y) ? ink : paper);
        return t;
    }
    const BitMask& m = b.pattern;
    QImage t(std::max(m.width, 1), std::max(m.height, 1), QImage::Format_RGB32);
    t.fill(ToQColor(bkColour));
    const QRgb ink = ToQColor(textColour).rgb(), paper = ToQColor(bkColour).rgb();
    for (int32_t y = 0; y < m.height; ++y)
        for (int32_t x = 0; x < m.width; ++x)
            t.setPixel(x, y, m.IsInk(x, y) ? ink : paper);
    return t;
}

} // namespace

const QBrush& BrushTexture::For(const DcBrush& brush, int32_t textColour, int32_t bkColour, bool opaque)
{
    if (!have_ || !(of_ == brush) || text_ != textColour || back_ != bkColour || opaque_ != opaque) {
        texture_ = QBrush(TextureOf(brush, textColour, bkColour, opaque));
        of_ = brush;
        text_ = textColour;
        back_ = bkColour;
        opaque_ = opaque;
        have_ = true;
    }
    return texture_;
}
