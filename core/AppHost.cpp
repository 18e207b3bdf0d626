#include "core/AppHost.h"

AppHost::~AppHost() = default;

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
