#include "core/ErrorMng.h"

#include "platform/FileSystem.h"
#include "platform/ScriptedUi.h"
#include "support/FakeAppHost.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

using namespace ErrorMng;

namespace {

// A second fatal error raised while the wind-up runs must not start the
// fatal stop over (a second report, a second wind-up, an exit in the middle
// of the first one): it goes back to the wind-up, which carries on.
TEST(FatalReentryTest, FatalErrorDuringTheWindUpReturnsToIt) {
    ScopedUi ui;
    TestFolder prog;
    FileSystem::SetProgramFolder(prog.path());
    FakeAppHost host;
    bool windupFinished = false;
    host.onWindup = [&] {
        try {
            try {
                throw VospError(5, "clsView.WriteRegistry/", "inner");
            } catch (...) {
                StopError(ErrBase + 1003, "frmMain", "UnloadMapUnit");
            }
        } catch (const VospError& e) {
            EXPECT_EQ(e.number, 5);
        }
        windupFinished = true;
    };
    int exitCode = -1;
    try {
        try {
            throw VospError(ErrBase + 1001, "clsMap.Read/", "outer");
        } catch (...) {
            FatalError("by test");
        }
    } catch (const ProcessExit& e) {
        exitCode = e.code;
    }
    FileSystem::SetProgramFolder({});
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(host.windupCalls, 1);
    EXPECT_TRUE(windupFinished);
    ASSERT_EQ(ui.ui.messages.size(), 1); // one report, of the first error
    EXPECT_TRUE(ui.ui.messages[0].text.contains("outer"));
    EXPECT_FALSE(FatalInProgress());
}

} // namespace
