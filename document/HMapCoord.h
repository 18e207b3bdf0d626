#pragma once
// Map coordinates as the user sees and types them: seconds of arc in
// longitude/latitude maps, metres in plane XY maps, chosen by the
// application's map mode (any other mode gives empty texts and 0).
#include "core/CoordTypes.h"

#include <QString>
#include <cstdint>

namespace HMap {

// The answer of the safe parsers for a text that is no coordinate.
inline constexpr int32_t kNoCoordinate = -2147483647;

// Whole minutes of arc (mode 1) or whole kilometres (mode 2), towards zero.
int32_t MapToCoarseUnit(int32_t v);
// Saturates at the 32-bit range.
int32_t CoarseToMapUnit(int32_t v);
QString MapXText(int32_t x);
QString MapYText(int32_t y);
QString MapXTextCoarse(int32_t x);
QString MapYTextCoarse(int32_t y);
QString MapPointText(MapPoint p);
QString MapPointTextCoarse(MapPoint p);
QString MapPointText(int32_t x, int32_t y);
QString MapPointTextCoarse(int32_t x, int32_t y);
// Raise the parser's error for a text that is no coordinate.
int32_t MapStrToX(const QString& text);
int32_t MapStrToY(const QString& text);
// Never raise: kNoCoordinate for a text that is no coordinate.
int32_t MapStrToXSafe(const QString& text);
int32_t MapStrToYSafe(const QString& text);
// Range checks; with `message` a failure shows the range.
bool IsRightLongitude(int32_t lon, bool message);
bool IsRightLatitude(int32_t lat, bool message);

} // namespace HMap
