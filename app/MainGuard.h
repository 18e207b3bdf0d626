#pragma once
// A handler of the main window or of its menus that fails stops the
// program in the main window's name; a scripted exit passes through.
#include "core/ErrorMng.h"
#include "platform/ScriptedUi.h"

#include <QString>

namespace MainGuard {

template <class F> void Guarded(const char* proc, F&& run) {
    try {
        run();
    } catch (const ProcessExit&) {
        throw;
    } catch (...) {
        ErrorMng::StopError(ErrBase + 1003, QStringLiteral("frmMain"), QString::fromLatin1(proc));
    }
}

} // namespace MainGuard
