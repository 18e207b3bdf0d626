#pragma once
// Texts: trimming, quoting, dates and versions as text, half-width and
// upper-case conversion, and splitting a line into tokens.
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace Library {

// Trimming removes blanks (U+0020) only.
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

// Full-width ASCII (U+FF01-FF5E) to ASCII, U+3000 to a blank, katakana to
// half-width katakana with voiced marks split; everything else unchanged.
QString NarrowStr(const QString& text);
// Upper case for ASCII and full-width Latin letters only.
QString UpperLatin(const QString& text);

// Splits a line: mode 1 blanks, U+3000 and TAB; 2 ","; 3 TAB; other modes
// all of those. CR and LF always separate; double quotes group and are
// dropped. Never empty: no token gives one empty token.
// With keepTrailingEmpty a text that ends in a separating comma (quotes
// aside) gets a last empty token: `a,""` gives two tokens, as the list files
// need for an empty last name.
QStringList StrToTokens(const QString& text, int16_t mode, bool keepTrailingEmpty = false);

} // namespace Library
