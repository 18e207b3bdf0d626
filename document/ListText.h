#pragma once
// The text pieces shared by the thing and area list files: fields of a line,
// numbers in a field, names in double quotes and colours in hexadecimal.
#include <QString>
#include <QStringList>
#include <cstdint>

namespace ListText {

// Comma-separated fields; double quotes group and are removed. A final empty
// field is kept (`a,""` has two fields), so an empty last name is not lost.
QStringList Fields(const QString& line);

// The number at the start of a field by the environment store's reading
// rules; `found` tells whether the field held a number at all.
double Number(const QString& field, bool* found = nullptr);
// The same, saturated into 16 or 32 bits.
int16_t Number16(const QString& field, bool* found = nullptr);
int32_t Number32(const QString& field, bool* found = nullptr);

// A name in double quotes, made safe for one field: '"' becomes the
// full-width quote and CR or LF a blank.
QString QuoteName(const QString& name);
// CR or LF become a blank; an empty line becomes one blank, so that a
// comment line never ends its section when read back.
QString SafeCommentLine(const QString& line);

// "&H" + eight upper-case hexadecimal digits + "&" (255 -> &H000000FF&).
QString ColorToHex(int32_t color);

// Upper-casing of keys and headers: ASCII and full-width Latin letters only.
QString UpperKey(const QString& text);
// Blanks (U+0020) removed at both ends.
QString TrimBlanks(const QString& text);

} // namespace ListText
