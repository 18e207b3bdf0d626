#include "FakeAppHost.h"

FakeAppHost::FakeAppHost() : previous_(SetHost(this)) {}

FakeAppHost::~FakeAppHost() { SetHost(previous_); }

void FakeAppHost::WindupError() {
    ++windupCalls;
    if (onWindup) onWindup();
}

void FakeAppHost::HelpContext(int32_t contextId) { helpContexts.append(contextId); }

int32_t FakeAppHost::InputRealColor(int32_t initial) {
    paletteRequests.append(initial);
    if (paletteAnswers.empty()) return -2;
    const int32_t c = paletteAnswers.front();
    paletteAnswers.pop_front();
    return c;
}

int32_t FakeAppHost::InputNativeColor(int32_t initial) { return InputRealColor(initial); }
