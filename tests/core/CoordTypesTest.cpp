#include "core/CoordTypes.h"
#include "core/clsPoly.h"

#include <type_traits>

// A point of one kind must never pass for another. The typed forms of the
// functions are tested through their plain wrappers.
template <class A, class B> constexpr bool kApart = !std::is_convertible_v<A, B> && !std::is_convertible_v<B, A>;
static_assert(kApart<MapPoint, CanvasPoint> && kApart<MapPoint, PlaneXY> && kApart<CanvasPoint, PlaneXY>);
static_assert(kApart<MapPoint, PolyPoint> && kApart<CanvasPoint, PolyPoint>);
