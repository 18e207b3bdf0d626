#pragma once
// Windows system colours by index (COLOR_SCROLLBAR 0 .. COLOR_MENUBAR 30),
// 0x00BBGGRR: from the application palette while there is a display,
// otherwise the classic Windows defaults.
#include <QColor>
#include <cstdint>

namespace SystemColors {

int32_t SysColor(int32_t index);
// The fixed value used without a display.
int32_t Fallback(int32_t index);
// A stored colour (0x00BBGGRR, or 0x800000nn for system colour nn) as Qt
// wants it at the drawing boundary: red and blue swap places.
QColor ToQColor(int32_t c);

} // namespace SystemColors
