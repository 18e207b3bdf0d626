#include "core/LibraryScreen.h"

#include "core/ErrorMng.h"
#include "platform/Desktop.h"
#include "platform/UiServices.h"
#include "platform/VospError.h"

#include <vector>

namespace Library {

namespace {

// Element n holds the pointer that was current before the n-th push.
std::vector<int16_t> g_pointers(1, 0);
int16_t g_pointerCount = 0;

} // namespace

void ScreenMousePointer(int16_t p) {
    try {
        if (p >= 0) {
            if (g_pointerCount == INT16_MAX) ThrowError(6);
            const int16_t current = Ui().MousePointer();
            ++g_pointerCount;
            if (g_pointers.size() <= size_t(g_pointerCount)) g_pointers.resize(size_t(g_pointerCount) + 1);
            g_pointers[size_t(g_pointerCount)] = current;
            Ui().SetMousePointer(p);
        } else if (g_pointerCount > 0) {
            Ui().SetMousePointer(g_pointers[size_t(g_pointerCount)]);
            --g_pointerCount;
        }
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1002, QStringLiteral("basLibrary"), QStringLiteral("ScreenMousePointer"));
    }
}

BusyPointer::BusyPointer() { ScreenMousePointer(MousePtr::Hourglass); }

BusyPointer::~BusyPointer() {
    try {
        ScreenMousePointer(-1);
    } catch (...) {
    }
}

int16_t ScreenDPI() { return static_cast<int16_t>(Desktop::ScreenDpi(Desktop::DeviceTwipsPerPixelX())); }

} // namespace Library
