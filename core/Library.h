#pragma once
// General helpers used throughout: values and ranges, numbers as text,
// paths and files, message boxes and the mouse-pointer stack.
// The helpers that take widgets or fonts (SelectComboText, CloneFont,
// CtlWidthPixels, CtlHeightPixels) are in platform/WidgetLib.h.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cmath>
#include <cstdint>
#include <utility>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Library {

inline bool InRange(int32_t v, int32_t lo, int32_t hi) { return lo <= v && v <= hi; }
inline int32_t Clamp(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : (v < hi ? v : hi); }
// A 64-bit intermediate back to 32 bits, saturating at INT32_MIN..INT32_MAX.
inline int32_t Sat(int64_t v) { return v > INT32_MAX ? INT32_MAX : (v < INT32_MIN ? INT32_MIN : static_cast<int32_t>(v)); }
inline int64_t Abs64(int64_t v) { return v < 0 ? -v : v; }
// Adds or subtracts the span hi - lo + 1 until v lies in lo..hi.
int32_t WrapRange(int32_t v, int32_t lo, int32_t hi);
int32_t RoundSigDigits(int32_t v, int32_t n);

template <class T> bool VarInRange(const T& v, const T& lo, const T& hi) { return v >= lo && v <= hi; }
template <class T> T VarMin(const T& a, const T& b) { return a < b ? a : b; }
template <class T> T VarMax(const T& a, const T& b) { return a > b ? a : b; }
template <class T> void VarSwap(T& a, T& b) { std::swap(a, b); }

// Saturating at +-1 (+-pi/2, 0 and pi), never NaN for |x| >= 1. Inline:
// the projections' single-point forms call them per point.
inline double ArcSin(double x) {
    if (x >= 1) return 1.5707963267949;
    if (x <= -1) return -1.5707963267949;
    return std::atan(x / std::sqrt(1 - x * x));
}
inline double ArcCos(double x) {
    if (x >= 1) return 0;
    if (x <= -1) return 3.14159265358979;
    return std::atan(-x / std::sqrt(1 - x * x)) + 1.5707963267949;
}
double Hypot(double x, double y);

// Texts. Trimming removes blanks (U+0020) only.
QString TrimBlanks(const QString& s);
QString QuoteStr(const QString& s);
// Trims, then drops one leading and one trailing double quote.
QString UnquoteStr(const QString& s);
// Drops trailing blanks, then trailing control characters 0..31.
QString TrimCtrlChars(const QString& s);
// Grouped with "," after rounding to two decimals, decimals cut: 1234.999 -> "1,235".
QString FormatStdInt(double x);
// Date and time ("yyyy/MM/dd H:mm:ss") with every non-digit replaced.
QString DateTimeDigits(const QString& replacement);
QString DateTimeDigits(const QString& replacement, const QDateTime& at);
// "1.02" or "1.02.05" (minor and revision "00", or "0000" from 100 on).
QString GetAppVersion();
QString FormatAppVersion(int major, int minor, int revision);
// One character per byte ("" when the first byte is 0); a text unchanged.
QString BytesToStr(const QByteArray& bytes);
QString BytesToStr(const QString& text);
// A text in the Japanese code page; "" gives one zero byte; bytes unchanged.
QByteArray StrToBytes(const QString& text);
QByteArray StrToBytes(const QByteArray& bytes);

// Paths: "\" and "/" both separate.
bool FileExists(const QString& path);
QString ChangeExt(const QString& path, const QString& ext);
QString PathFileName(const QString& path);
QString PathFolder(const QString& path);
QString JoinPath(const QString& folder, const QString& file);
// Fits a path into n characters: folder\...\name, else the name alone.
QString ShortenPath(const QString& path, int32_t n);
bool IsReadOnlyFile(const QString& path, bool showMessage = false);
// Every file matching the name pattern ("*" and "?", any letter case) in the
// pattern's folder and below: a folder's files sorted, then its subfolders.
QStringList FindFiles(const QString& pattern);
bool FontExists(const QString& faceName);

// User interface (through Ui()).
void MsgError(const QString& text);
bool MsgYesNo(const QString& text);
void MsgOutOfRange(const QString& rangeText = {});
// p >= 0 pushes the current pointer and shows p; p < 0 pops (nothing when empty).
void ScreenMousePointer(int16_t p);
// Shows the hourglass for its lifetime; the pop at the end never throws.
class BusyPointer {
public:
    BusyPointer();
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};
// Dots per inch of the screen as 1440 \ twips per device pixel: 192 on a
// 96-dpi screen at device pixel ratio 2.
int16_t ScreenDPI();

// The one road from double to 32-bit integer: nearest, halves to even,
// saturating at +-2147483647; NaN raises error 6 (overflow). Inline: the
// drawing converts every point of a map through it.
[[noreturn]] void DblToLngNaN();
inline int32_t DblToLng(double x) {
    if (std::isnan(x)) DblToLngNaN();
    if (x > 2147483646.0) return 2147483647;
    if (x < -2147483646.0) return -2147483647;
#if defined(__SSE2__)
    // The conversion instruction rounds as nearbyint does in the default
    // rounding mode, without the call.
    return static_cast<int32_t>(_mm_cvtsd_si32(_mm_set_sd(x)));
#else
    return static_cast<int32_t>(std::nearbyint(x));
#endif
}

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

// Full-width ASCII (U+FF01-FF5E) to ASCII, U+3000 to a blank, katakana to
// half-width katakana with voiced marks split; everything else unchanged.
QString NarrowStr(const QString& text);
// Upper case for ASCII and full-width Latin letters only.
QString UpperLatin(const QString& text);

// Japanese numbers, units and tokens.
// Every run of numeral characters (digits, kanji numerals, 万/億/兆/京,
// 割/分/厘/毛) becomes the system's text of its value; other text stays.
QString KansujiToArabic(const QString& text);
// Trimmed, upper-cased, made half-width and converted from kanji numerals;
// raises 13 when the result is no number.
double JstrToDouble(const QString& text);
// As JstrToDouble, to the nearest integer; 0 when no number or out of range.
int32_t JstrToLong(const QString& text);
// A length as a sum of number-unit pairs, in metres ("1km 200m", "5尺3寸");
// a number without unit takes defaultUnit (or 1 when it is no unit name).
double StrToMeter(const QString& text, const QString& defaultUnit);
// x with 兆/億/万 groups ("2万5000"); compact gives one decimal of the top
// unit for round values ("2.5万"); 0 gives "".
QString NumToKanjiUnits(double x, bool compact);
// Splits a line: mode 1 blanks, U+3000 and TAB; 2 ","; 3 TAB; other modes
// all of those. CR and LF always separate; double quotes group and are
// dropped. Never empty: no token gives one empty token.
// With keepTrailingEmpty a text that ends in a separating comma (quotes
// aside) gets a last empty token: `a,""` gives two tokens, as the list files
// need for an empty last name.
QStringList StrToTokens(const QString& text, int16_t mode, bool keepTrailingEmpty = false);

} // namespace Library
