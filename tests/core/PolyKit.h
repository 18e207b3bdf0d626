#pragma once
// Point lists from and to plain vectors, for the geometry tests.
#include "core/clsPoly.h"

#include <vector>

using Pts = std::vector<PolyPoint>;

inline clsPoly Make(const Pts& pts) {
    clsPoly p;
    for (const PolyPoint& q : pts) p.AddPoint(q);
    return p;
}
inline Pts Points(const clsPoly& p) { return Pts(p.Span().begin(), p.Span().end()); }
