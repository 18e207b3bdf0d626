#include "platform/UiServices.h"

#include "platform/ScriptedUi.h"

#include <cstdio>
#include <cstdlib>

UiServices::~UiServices() = default;

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
