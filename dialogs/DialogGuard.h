#pragma once
// The two error wrappers every dialog shares: an event handler that fails
// stops the program, a private routine that fails passes the error on with
// its own name added.
#include "core/ErrorMng.h"

#include <QString>

namespace DialogGuard {

inline constexpr int32_t kErrDialog = ErrBase + 1003;

template <class Body> void StopOnError(const QString& form, const char* proc, Body&& body) {
    try {
        body();
    } catch (...) {
        ErrorMng::StopError(kErrDialog, form, QString::fromLatin1(proc));
    }
}

[[noreturn]] inline void RaiseError(const QString& form, const char* proc) {
    ErrorMng::ReRaise(kErrDialog, form, QString::fromLatin1(proc));
}

} // namespace DialogGuard
