#pragma once
// Cutting point lists at a vertical line.
#include "core/clsPoly.h"

#include <cstdint>
#include <vector>

namespace PolyLib {

// Cuts the list, taken as an open line, at x = X. A crossing ends one piece
// one unit before the line and starts the next one unit past it; a point on
// the line is moved one unit to the side it came from. A list that does not
// reach X comes back whole as the only piece. The list itself is unchanged.
std::vector<clsPoly> PolyLibCutX(const clsPoly& poly, int32_t x);
// The same, taking the list over: a list that is not cut is moved, not copied.
std::vector<clsPoly> PolyLibCutX(clsPoly&& poly, int32_t x);

} // namespace PolyLib
