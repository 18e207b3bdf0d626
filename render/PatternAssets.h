#pragma once
// The program's own pattern bitmaps and their display names. Both are
// written as text under resources/patterns and compiled in:
//
//   [2100] comment          a bitmap block: its resource number, then
//   ....#....               rows of "#" (ink) and "." (paper)
//
//   2000 都市１・小         a string: its number, one blank, the text
//
// Lines starting with ";" are comments; a blank line ends a block.
#include "render/MonoBitmap.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>
#include <optional>

namespace PatternAssets {

// The display name of an entry whose bitmap a replacement file supplies.
inline const QString UserDefinedName = QStringLiteral("ユーザー定義");

struct BitmapText {
    std::map<int32_t, MonoBitmap> bitmaps;
    QStringList problems;  // one line per rejected block or stray line
};
BitmapText ParseBitmapText(const QString& text);

struct StringText {
    std::map<int32_t, QString> strings;
    QStringList problems;
};
StringText ParseStringText(const QString& text);

// The compiled-in assets: "" and nullptr when a number has none.
QString String(int32_t id);
const MonoBitmap* Bitmap(int32_t id);
// Everything wrong with the compiled-in texts (empty when they are sound).
QStringList Problems();

// A file of the program folder, found without regard to letter case; ""
// when there is no such file.
QString ProgramFile(const QString& name);

// One entry of a bitmap table: its name and its two bitmaps. A replacement
// file in the program folder wins over the built-in bitmap and renames the
// entry "ユーザー定義".
struct ResEntry {
    QString name;
    std::optional<MonoBitmap> low, high;
};
ResEntry LoadResEntry(int32_t stringId, int32_t lowId, int32_t highId, const QString& lowFile,
                      const QString& highFile);

} // namespace PatternAssets
