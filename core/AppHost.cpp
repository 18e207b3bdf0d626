#include "core/AppHost.h"

#include "platform/UiServices.h"

AppHost::~AppHost() = default;

int32_t AppHost::InputColor(int32_t initial) { return Ui().PickColor(initial); }

bool AppHost::InputFont(FontChoice& font) { return Ui().PickFont(font); }

// Without a main window there is no palette to pick from.
int32_t AppHost::InputRealColor(int32_t) { return -2; }

int32_t AppHost::InputNativeColor(int32_t) { return -2; }

namespace {

class NoHost : public AppHost {
public:
    void WindupError() override {}
    void HelpContext(int32_t) override {}
};

AppHost* g_host = nullptr;

} // namespace

AppHost& Host() {
    static NoHost fallback;
    return g_host ? *g_host : fallback;
}

AppHost* SetHost(AppHost* host) {
    AppHost* prev = g_host;
    g_host = host;
    return prev;
}
