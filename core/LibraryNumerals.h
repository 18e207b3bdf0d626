#pragma once
// Japanese numbers and units: kanji numerals, lengths with their units, and
// numbers written in 兆/億/万 groups.
#include <QString>
#include <cstdint>

namespace Library {

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

} // namespace Library
