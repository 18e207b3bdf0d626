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

} // namespace ErrorMng
