#include "core/AngleLib.h"
#include "core/CoordTypes.h"
#include "core/clsPoly.h"
#include "core/clsSurvey.h"

#include <type_traits>

// A point of one kind must never pass for another.
template <class A, class B> constexpr bool kApart = !std::is_convertible_v<A, B> && !std::is_convertible_v<B, A>;
static_assert(kApart<MapPoint, CanvasPoint> && kApart<MapPoint, PlaneXY> && kApart<CanvasPoint, PlaneXY>);
static_assert(kApart<MapPoint, PolyPoint> && kApart<CanvasPoint, PolyPoint>);

TEST(CoordTypes, TypedFormsKeepTheOrderOfThePlainOnes) {
    // 540 degrees of longitude give +180; latitude 91°40' folds to 88°20'.
    EXPECT_EQ(AngleLib::NormalizeLL(MapPoint{1944000, 330000}), (MapPoint{648000, 318000}));
    clsSurvey s;
    s.SetAll(MapPoint{1, 2}, MapPoint{3, 4});
    EXPECT_EQ(s.mStartLon, 1);
    EXPECT_EQ(s.mStartLat, 2);
    EXPECT_EQ(s.mEndLon, 3);
    EXPECT_EQ(s.mEndLat, 4);
}
