// Cylindrical projections in normal aspect (10-15): x is the longitude from
// the centre meridian, y a function of the latitude; the set-up puts the
// centre on y = 0 and sets the largest |y| an inverse accepts.
#include "core/clsVospProjector.h"

namespace {

constexpr double k60d15s = 1.047270273248763;  // 60 degrees 0'15"
constexpr double k85d15s = 1.483602586247345;  // 85 degrees 0'15"
constexpr double kQuarterPi = 0.7853981633974475;

} // namespace

// 10 central cylindrical: y = tan lat, up to 60 degrees 0'15"
void clsVospProjector::SetUpCentralCylindrical() {
    if (!InRange(mLat0, -k60d15s, k60d15s)) return;
    mYOffset = std::tan(mLat0);
    mLimit = std::tan(1.0471975511965967); // tan 60 degrees
    mSetUp = true;
}

void clsVospProjector::FwdCentralCylindrical() {
    if (!InRange(mLat, -k60d15s, k60d15s)) return;
    mX = mLon;
    mY = std::tan(mLat);
    mValid = true;
}

void clsVospProjector::InvCentralCylindrical() {
    if (!YInLimit()) return;
    mLon = mX;
    mLat = std::atan(mY);
    mValid = true;
}

// 11 stereographic cylindrical: y = 2 tan(lat/2)
void clsVospProjector::SetUpStereoCylindrical() {
    mYOffset = 2 * std::tan(mLat0 / 2);
    mLimit = 2;
    mSetUp = true;
}

void clsVospProjector::FwdStereoCylindrical() {
    mX = mLon;
    mY = 2 * std::tan(mLat / 2);
    mValid = true;
}

void clsVospProjector::InvStereoCylindrical() {
    if (!YInLimit()) return;
    mLon = mX;
    mLat = 2 * std::atan(mY / 2);
    mValid = true;
}

// 12 equirectangular: y = lat (set-up shared with Aitoff)
void clsVospProjector::FwdEquirectangular() {
    mX = mLon;
    mY = mLat;
    mValid = true;
}

void clsVospProjector::InvEquirectangular() {
    if (!YInLimit()) return;
    mLon = mX;
    mLat = mY;
    mValid = true;
}

// 13 conformal cylindrical: y = ln tan(pi/4 + lat/2). The forward reaches
// 85 degrees 0'15" while the inverse stops at the image of 85 degrees.
void clsVospProjector::SetUpConformalCylindrical() {
    if (!InRange(mLat0, -k85d15s, k85d15s)) return;
    mYOffset = std::log(std::tan(kQuarterPi + mLat0 / 2));
    mLimit = std::log(std::tan(kQuarterPi + 1.4835298641951786 / 2));
    mSetUp = true;
}

void clsVospProjector::FwdConformalCylindrical() {
    if (!InRange(mLat, -k85d15s, k85d15s)) return;
    mX = mLon;
    mY = std::log(std::tan(kQuarterPi + mLat / 2));
    mValid = true;
}

void clsVospProjector::InvConformalCylindrical() {
    if (!YInLimit()) return;
    mLon = mX;
    mLat = 2 * (std::atan(std::exp(mY)) - kQuarterPi);
    mValid = true;
}

// 14 Miller: y = 1.25 ln tan(pi/4 + 0.4 lat); the poles stay finite.
void clsVospProjector::SetUpMiller() {
    mYOffset = 1.25 * std::log(std::tan(kQuarterPi + 0.4 * mLat0));
    mLimit = 1.25 * std::log(std::tan(1.4137166941154056));
    mSetUp = true;
}

void clsVospProjector::FwdMiller() {
    mX = mLon;
    mY = 1.25 * std::log(std::tan(kQuarterPi + 0.4 * mLat));
    mValid = true;
}

void clsVospProjector::InvMiller() {
    if (!YInLimit()) return;
    mLon = mX;
    mLat = 2.5 * (std::atan(std::exp(0.8 * mY)) - kQuarterPi);
    mValid = true;
}

// 15 cylindrical equal-area with standard parallels at +-the centre latitude:
// x = lon cos(lat0), y = sin lat / cos(lat0).
void clsVospProjector::SetUpEqualAreaCylindrical() {
    if (!InRange(mLat0, -k85d15s, k85d15s)) return;
    mCone = std::cos(mLat0);
    mYOffset = std::sin(mLat0) / mCone;
    mLimit = 1 / mCone;
    mSetUp = true;
}

void clsVospProjector::FwdEqualAreaCylindrical() {
    mX = mLon * mCone;
    mY = std::sin(mLat) / mCone;
    mValid = true;
}

void clsVospProjector::InvEqualAreaCylindrical() {
    if (!YInLimit()) return;
    mLon = mX / mCone;
    mLat = ArcSin(mY * mCone);
    mValid = true;
}
