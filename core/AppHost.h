#pragma once
// What the engine asks of the main window. The application installs its
// host at start-up; until then a silent default stands in (tools, tests).
#include <cstdint>

struct FontChoice;

class AppHost {
public:
    virtual ~AppHost();
    // Clean-up before a fatal stop ends the process: offers to save modified
    // lists (unless the pending error is a file error), writes the "ERROR"
    // snapshot and runs the global termination.
    virtual void WindupError() = 0;
    // Shows the help topic of a context id; a failure shows a message only.
    virtual void HelpContext(int32_t contextId) = 0;

    // The pickers every window asks for colours and fonts through. Colours
    // are 0x00BBGGRR.
    // The colour dialog: the chosen colour, -1 when cancelled.
    virtual int32_t InputColor(int32_t initial);
    // The font dialog: true with `font` changed when confirmed, else false.
    virtual bool InputFont(FontChoice& font);
    // The palette picker at the mouse pointer: the chosen colour (-1 for the
    // thing list's own colour in the native form), -2 when cancelled.
    virtual int32_t InputRealColor(int32_t initial);
    virtual int32_t InputNativeColor(int32_t initial);
};

// The host in force (the silent default when none is installed).
AppHost& Host();
// Installs `host` (not owned; nullptr restores the default) and returns the previous one.
AppHost* SetHost(AppHost* host);
