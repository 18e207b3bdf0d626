#pragma once
// The error wrappers every dialog shares: an event handler that fails
// stops the program, a private routine that fails passes the error on with
// its own name added.
#include "core/ErrorMng.h"

#include <QObject>
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

// Connects `signal` of `sender` to a handler that stops the program when it
// fails, in the name of `form` and `proc`.
template <class Sender, class Signal, class Body>
void OnSignal(Sender* sender, Signal signal, QObject* context, const QString& form, const char* proc, Body body) {
    QObject::connect(sender, signal, context, [form, proc, body] { StopOnError(form, proc, body); });
}

// Copies the working values into the controls. `busy` keeps the handlers
// that the controls fire from refreshing again; an error passes on.
template <class Body> void Refresh(bool& busy, const QString& form, const char* proc, Body&& body) {
    if (busy) return;
    busy = true;
    try {
        body();
    } catch (...) {
        busy = false;
        RaiseError(form, proc);
    }
    busy = false;
}

} // namespace DialogGuard
