#pragma once
// A main window stand-in that records what the engine asked of it, installed
// for the lifetime of the object.
#include "core/AppHost.h"

#include <QList>
#include <deque>
#include <functional>

class FakeAppHost : public AppHost {
public:
    FakeAppHost() : previous_(SetHost(this)) {}
    ~FakeAppHost() override { SetHost(previous_); }
    FakeAppHost(const FakeAppHost&) = delete;
    FakeAppHost& operator=(const FakeAppHost&) = delete;

    void WindupError() override {
        ++windupCalls;
        if (onWindup) onWindup();
    }
    void HelpContext(int32_t) override {}
    // Scripted palette answers, in order; -2 (cancelled) when none is queued.
    int32_t InputRealColor(int32_t initial) override {
        paletteRequests.append(initial);
        if (paletteAnswers.empty()) return -2;
        const int32_t c = paletteAnswers.front();
        paletteAnswers.pop_front();
        return c;
    }
    int32_t InputNativeColor(int32_t initial) override { return InputRealColor(initial); }
    std::deque<int32_t> paletteAnswers;
    QList<int32_t> paletteRequests;

    int windupCalls = 0;
    std::function<void()> onWindup; // runs inside WindupError

private:
    AppHost* previous_;
};
