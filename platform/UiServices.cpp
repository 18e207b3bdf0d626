#include "platform/UiServices.h"

#include "platform/ScriptedUi.h"

#include <cstdio>
#include <cstdlib>

UiServices::~UiServices() = default;

// Without a desktop nothing can be chosen: both read as cancelled.
int32_t UiServices::PickColor(int32_t) { return -1; }

bool UiServices::PickFont(FontChoice&) { return false; }

namespace {

// Headless default: tools and early start-up have no windows to ask with.
class ConsoleUi : public ScriptedUi {
public:
    ConsoleUi() { echo = true; }
    [[noreturn]] void ExitProcess(int code) override {
        std::fflush(nullptr);
        std::_Exit(code);
    }
};

UiServices* g_ui = nullptr;

} // namespace

UiServices& Ui() {
    static ConsoleUi fallback;
    return g_ui ? *g_ui : fallback;
}

UiServices* SetUi(UiServices* ui) {
    UiServices* prev = g_ui;
    g_ui = ui;
    return prev;
}
