#pragma once
// A main window stand-in that records what the engine asked of it, installed
// for the lifetime of the object.
#include "core/AppHost.h"

#include <QList>
#include <functional>

class FakeAppHost : public AppHost {
public:
    FakeAppHost();
    ~FakeAppHost() override;
    FakeAppHost(const FakeAppHost&) = delete;
    FakeAppHost& operator=(const FakeAppHost&) = delete;

    void WindupError() override;
    void HelpContext(int32_t contextId) override;

    int windupCalls = 0;
    std::function<void()> onWindup; // runs inside WindupError
    QList<int32_t> helpContexts;

private:
    AppHost* previous_;
};
