#pragma once
// Hatch and pattern brushes as the toolkit's textures: the 8x8 hatch cell's
// ink on paper (clear when transparent), or a pattern's ink in the text
// colour and its paper in the back colour. The last texture made is kept
// with what it was made of.
#include "platform/DeviceContext.h"

#include <QBrush>

#include <cstdint>

class BrushTexture {
public:
    // The texture of a Hatch or Pattern brush with these colours.
    const QBrush& For(const DcBrush& brush, int32_t textColour, int32_t bkColour, bool opaque);

private:
    DcBrush of_;
    int32_t text_ = -1, back_ = -1;
    bool opaque_ = false, have_ = false;
    QBrush texture_;
};
