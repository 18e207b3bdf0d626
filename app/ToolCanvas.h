#pragma once
// The pointer tools' marks on the view picture: lines drawn with an
// exclusive-or pen, so that drawing the same lines again removes them and
// leaves the map bit for bit as it was, and the tools' own cursors.
#include "core/clsPoly.h"

#include <QCursor>
#include <cstdint>
#include <vector>

class MapPicture;

class ToolCanvas {
public:
    static constexpr int32_t kColor = 0xFF00; // green

    // Draws (or, drawn again, removes) the lines and repaints the picture.
    // Style is a standard pen style (0 solid, 2 dotted).
    static void DrawXor(MapPicture* picture, const std::vector<clsPoly>& lines, int32_t style = 0, int32_t width = 2);

    // 1104 survey, 1106 frame cut.
    static QCursor ToolCursor(int32_t id);
};
