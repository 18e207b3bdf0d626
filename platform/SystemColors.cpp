#include "platform/SystemColors.h"

#include <QGuiApplication>
#include <QPalette>

namespace SystemColors {

namespace {

constexpr int32_t Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

struct Entry {
    int32_t fallback;
    int role; // QPalette::ColorRole, -1 when the palette has none
};

const Entry kTable[31] = {
    {Rgb(200, 200, 200), QPalette::Mid},             // 0 scroll bar
    {Rgb(58, 110, 165), -1},                         // 1 background (desktop)
    {Rgb(153, 180, 209), QPalette::Highlight},       // 2 active caption
    {Rgb(191, 205, 219), QPalette::Midlight},        // 3 inactive caption
    {Rgb(240, 240, 240), QPalette::Window},          // 4 menu
    {Rgb(255, 255, 255), QPalette::Base},            // 5 window
    {Rgb(100, 100, 100), QPalette::Shadow},          // 6 window frame
    {Rgb(0, 0, 0), QPalette::WindowText},            // 7 menu text
    {Rgb(0, 0, 0), QPalette::Text},                  // 8 window text
    {Rgb(0, 0, 0), QPalette::HighlightedText},       // 9 caption text
    {Rgb(180, 180, 180), QPalette::Mid},             // 10 active border
    {Rgb(244, 247, 252), QPalette::Light},           // 11 inactive border
    {Rgb(171, 171, 171), QPalette::Dark},            // 12 application workspace
    {Rgb(0, 120, 215), QPalette::Highlight},         // 13 highlight
    {Rgb(255, 255, 255), QPalette::HighlightedText}, // 14 highlighted text
    {Rgb(240, 240, 240), QPalette::Button},          // 15 button face
    {Rgb(160, 160, 160), QPalette::Dark},            // 16 button shadow
    {Rgb(109, 109, 109), QPalette::PlaceholderText}, // 17 grey text
    {Rgb(0, 0, 0), QPalette::ButtonText},            // 18 button text
    {Rgb(0, 0, 0), QPalette::WindowText},            // 19 inactive caption text
    {Rgb(255, 255, 255), QPalette::Light},           // 20 button highlight
    {Rgb(105, 105, 105), QPalette::Shadow},          // 21 3D dark shadow
    {Rgb(227, 227, 227), QPalette::Midlight},        // 22 3D light
    {Rgb(0, 0, 0), QPalette::ToolTipText},           // 23 info text
    {Rgb(255, 255, 225), QPalette::ToolTipBase},     // 24 info background
    {Rgb(0, 0, 0), -1},                              // 25 (unused)
    {Rgb(0, 102, 204), QPalette::Link},              // 26 hot light
    {Rgb(185, 209, 234), -1},                        // 27 gradient active caption
    {Rgb(215, 228, 242), -1},                        // 28 gradient inactive caption
    {Rgb(0, 120, 215), QPalette::Highlight},         // 29 menu highlight
    {Rgb(240, 240, 240), QPalette::Window},          // 30 menu bar
};

} // namespace

int32_t Fallback(int32_t index)
{
    return index >= 0 && index < 31 ? kTable[index].fallback : 0;
}

int32_t SysColor(int32_t index)
{
    if (index < 0 || index >= 31)
        return 0;
    const Entry& e = kTable[index];
    if (e.role < 0 || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return e.fallback;
    const QColor c = QGuiApplication::palette().color(QPalette::ColorRole(e.role));
    return Rgb(c.red(), c.green(), c.blue());
}

QColor ToQColor(int32_t c) {
    if (c < 0 && (uint32_t(c) & 0xFFFFFF00u) == 0x80000000u) c = SysColor(c & 0xFF);
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

} // namespace SystemColors
