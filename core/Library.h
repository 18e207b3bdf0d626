#pragma once
// General helpers used throughout: values and ranges, numbers as text.
// (Paths, files and user-interface helpers join this module as they are built.)
#include <QString>
#include <cstdint>

namespace Library {

inline bool InRange(int32_t v, int32_t lo, int32_t hi) { return lo <= v && v <= hi; }
inline int32_t Clamp(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : (v < hi ? v : hi); }
// Adds or subtracts the span hi - lo + 1 until v lies in lo..hi.
int32_t WrapRange(int32_t v, int32_t lo, int32_t hi);
int32_t RoundSigDigits(int32_t v, int32_t n);

// The one road from double to 32-bit integer: nearest, halves to even,
// saturating at +-2147483647; NaN raises error 6 (overflow).
int32_t DblToLng(double x);

// The system's text of a number: 15 significant digits, shortest form,
// "." as the decimal point ("0.35", "1500000", "1E+15").
QString NumStr(double x);

// The numeric value of a text as the classic Val reads it: blanks, tabs and
// line feeds are skipped anywhere; the longest leading number counts ("." as
// the decimal point, an exponent E/e with sign); "&H" takes hexadecimal
// digits (1-4 as signed 16-bit, 5-8 as signed 32-bit), "&O" octal digits
// (signed 16-bit up to 177777, signed 32-bit beyond); no number gives 0.
// A value beyond the range of a double raises error 6 (overflow).
double Val(const QString& text);

} // namespace Library
