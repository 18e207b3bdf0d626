#pragma once
// What the engine asks of the main window. The application installs its
// host at start-up; until then a silent default stands in (tools, tests).
#include <cstdint>

class AppHost {
public:
    virtual ~AppHost();
    // Clean-up before a fatal stop ends the process: offers to save modified
    // lists (unless the pending error is a file error), writes the "ERROR"
    // snapshot and runs the global termination.
    virtual void WindupError() = 0;
    // Shows the help topic of a context id; a failure shows a message only.
    virtual void HelpContext(int32_t contextId) = 0;
};

// The host in force (the silent default when none is installed).
AppHost& Host();
// Installs `host` (not owned; nullptr restores the default) and returns the previous one.
AppHost* SetHost(AppHost* host);
