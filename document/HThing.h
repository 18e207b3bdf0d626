#pragma once
// Range tests shared by things, thing lists and the map units.
#include <cstdint>

namespace HThing {

inline bool IsRightPage(int32_t page) { return page >= 1 && page <= 8; }
inline bool IsRightCategory(int32_t category) { return category >= 1 && category <= 20; }
inline bool IsRightIndex(int32_t index) { return index >= 0 && index <= 999; }

// Scale denominator of a scale level 0..8 (anything else is the smallest scale).
double LevelToScale(int32_t level);

} // namespace HThing
