#pragma once
// The error convention: every procedure that lets an error pass adds its
// object and procedure name to the source and raises it again.
//
//   try { ... } catch (...) { ReRaise(ErrBase + 1001, "clsPoly", "Load"); }
//
// ReRaise outside a handler (nothing pending) starts a new error with the
// given number; RaiseNew always does.
#include "platform/VospError.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace ErrorMng {

// The pending error as a record: inside a handler the exception being
// handled (standard exceptions mapped to their classic numbers), otherwise
// number 0 with empty texts.
VospError CurrentError();

// source := obj.proc/source; comment/description when comment is not
// empty; number when the record's number is 0.
void AddErrContext(VospError& e, int32_t number, const QString& objectName, const QString& procName,
                   const QString& comment = {});

[[noreturn]] void ReRaise(int32_t number, const QString& objectName, const QString& procName,
                          const QString& comment = {});
[[noreturn]] void RaiseNew(int32_t number, const QString& objectName, const QString& procName,
                           const QString& comment = {});

inline bool IsFileError(int32_t number) { return number >= 52 && number <= 76; }
// Whether the pending error is a file error.
bool IsFileError();

// True from the start of FatalError until the process ends; file-error
// prompts then give up silently so that the wind-up never waits for the user.
bool FatalInProgress();

// Shows the fatal-error message for the pending error and writes it to the
// report file "ErrorStop<date-time digits>.TXT" in the program folder (the
// writable folder when that is not writable). Writing failures are ignored.
void ErrorReport(const QString& comment);
// The folder where ErrorReport writes.
QString ErrorReportFolder();

// Reports the pending error, lets the application wind up, ends the process.
[[noreturn]] void FatalError(const QString& comment);

// For windows: adds the window's context to the pending error, then stops
// the program with it.
[[noreturn]] void StopError(int32_t number, const QString& windowName, const QString& procName,
                            const QString& comment = {});

// What a list's save gives back when the user cancelled its file-error
// prompt: that save failed, and the close or quit that asked for it stops.
inline constexpr int32_t SaveCancelled = -1;

// Offers a retry for the pending file error:
// 0 retry, 1 give up, 2 cancel, 3 not a file error.
int16_t FileErrorRetry(const QString& fileName);
// Runs `attempt` again for as long as the user asks to retry its file error.
// Empty after a success; the error's number when the user gives up or
// cancels, so that no answer to a file error ends the program (`cancelled`,
// when given, tells the two apart). An error that is not a file error
// leaves as it came.
template <class Attempt>
std::optional<int32_t> WithFileRetry(const QString& fileName, Attempt&& attempt, bool* cancelled = nullptr) {
    for (;;) {
        try {
            attempt();
            return std::nullopt;
        } catch (...) {
            const int16_t answer = FileErrorRetry(fileName);
            if (answer == 0) continue;
            if (answer == 3) throw;
            if (cancelled) *cancelled = answer == 2;
            return CurrentError().number;
        }
    }
}
// The user's message for file error `number` ("" outside 52..76).
QString FileErrorMessage(int32_t number);

} // namespace ErrorMng
