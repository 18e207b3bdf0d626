#pragma once
// Windows system colours by index (COLOR_SCROLLBAR 0 .. COLOR_MENUBAR 30),
// 0x00BBGGRR: from the application palette while there is a display,
// otherwise the classic Windows defaults.
#include <cstdint>

namespace SystemColors {

int32_t SysColor(int32_t index);
// The fixed value used without a display.
int32_t Fallback(int32_t index);

} // namespace SystemColors
