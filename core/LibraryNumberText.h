#pragma once
// Numbers as text: the system's text of a number, and the two readers of
// a number in a text.
#include <QString>

namespace Library {

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

// The locale's strict number conversion: blanks around, one leading sign,
// "," between integer digits, "." as the decimal point, an exponent E or D
// with sign, or an "&H"/"&O" number. Raises 13 (type mismatch) for any other
// text and 6 (overflow) beyond the range of a double.
double CDbl(const QString& text);

} // namespace Library
