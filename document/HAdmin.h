#pragma once
// Range test of the area groups.
#include <cstdint>

namespace HAdmin {

inline bool IsRightArea(int32_t group) { return group >= 0 && group <= 19; }

} // namespace HAdmin
