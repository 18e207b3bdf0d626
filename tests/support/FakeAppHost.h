#pragma once
// A main window stand-in that records what the engine asked of it, installed
// for the lifetime of the object.
#include "core/AppHost.h"

#include <QList>
#include <deque>
#include <functional>

class FakeAppHost : public AppHost {
public:
    FakeAppHost();
    ~FakeAppHost() override;
    FakeAppHost(const FakeAppHost&) = delete;
    FakeAppHost& operator=(const FakeAppHost&) = delete;

    void WindupError() override;
    void HelpContext(int32_t contextId) override;
    // Scripted palette answers, in order; -2 (cancelled) when none is queued.
    int32_t InputRealColor(int32_t initial) override;
    int32_t InputNativeColor(int32_t initial) override;
    std::deque<int32_t> paletteAnswers;
    QList<int32_t> paletteRequests;

    int windupCalls = 0;
    std::function<void()> onWindup; // runs inside WindupError
    QList<int32_t> helpContexts;

private:
    AppHost* previous_;
};
