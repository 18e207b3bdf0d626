#pragma once
// The screen: the mouse-pointer stack (through Ui()) and the resolution.
#include <cstdint>

namespace Library {

// p >= 0 pushes the current pointer and shows p; p < 0 pops (nothing when empty).
void ScreenMousePointer(int16_t p);
// Shows the hourglass for its lifetime; the pop at the end never throws.
class BusyPointer {
public:
    BusyPointer();
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};
// Dots per inch of the screen as 1440 \ twips per device pixel: 192 on a
// 96-dpi screen at device pixel ratio 2.
int16_t ScreenDPI();

} // namespace Library
