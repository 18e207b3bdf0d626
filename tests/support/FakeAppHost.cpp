#include "FakeAppHost.h"

FakeAppHost::FakeAppHost() : previous_(SetHost(this)) {}

FakeAppHost::~FakeAppHost() { SetHost(previous_); }

void FakeAppHost::WindupError() {
    ++windupCalls;
    if (onWindup) onWindup();
}

void FakeAppHost::HelpContext(int32_t contextId) { helpContexts.append(contextId); }
