#pragma once
// Shared operations of map figures: figure ids and their dates, kind names,
// value checks, the packed attribute words of the map file and map codes.
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <functional>

namespace HMap {

// The creation second (seconds since 30 December 1899, local time) followed
// by five random digits.
double NewFigID();
// The same for a creation second taken once by the caller (the map reader
// gives every figure of one load the second the load began).
double NewFigIDAt(double creationSecond);
// The current local time in whole seconds since 30 December 1899.
double FigIDSecondNow();
// The creation time of an id; the zero date (30 December 1899 00:00) for an
// id that is no time.
QDateTime FigIDToDate(double id);
QDateTime ZeroDate();

QString FigCodeName(int32_t code, int32_t lang);
inline bool IsRightFigCode(int32_t code) { return code >= 1 && code <= 5; }
inline bool IsRightShowMode(int32_t mode) { return mode >= -1 && mode <= 1; }
inline bool IsRightColor(int32_t colour) { return colour >= -1 && colour <= 0xFFFFFF; }
inline bool IsRightLevel(int32_t level) { return level >= 1 && level <= 8; }
// Area and thing codes.
constexpr bool IsRightCode(int32_t code) { return code >= 0 && code <= 999; }

// Zero-padded to six digits (the last six characters).
QString MapCodeStr(int32_t code);
// The second digit of a six-digit map code.
int16_t MapCodeKind(int32_t code);

// Attribute word of version 104: show mode + 1 in bits 0-1, native palette
// index + 1 in bits 2-7 (0 = no own colour).
void DecodeAttr104(int32_t attr, int16_t& showMode, int32_t& colour);
// Attribute word of version 105: colour in bits 0-23 (present when bit 26 is
// set), show mode + 1 in bits 24-25, jump mark in bits 27-30.
void DecodeAttr105(int32_t attr, int16_t& jumpMark, int16_t& showMode, int32_t& colour);

// The RGB colour of a native palette index, as the application's palette
// gives it. The document layer cannot reach the palette, so the application
// installs it here; until then every index answers -1 (no colour).
using NativeColorFn = std::function<int32_t(int32_t paletteIndex)>;
// Installs `fn` (empty restores the default) and returns the previous one.
NativeColorFn SetNativeColorHook(NativeColorFn fn);
// -1 gives -1 without asking the palette.
int32_t NativeColor(int32_t paletteIndex);

} // namespace HMap
