// Azimuthal projections in polar aspect (1-7) and the two whole-globe ovals
// made from an equatorial azimuthal one by halving the longitudes (8, 9).
// Every limit test lets the equal case pass.
#include "core/clsVospProjector.h"

#include "core/MapProjection.h"

namespace {

constexpr double k60d15s = 1.047270273248763;   // 60 degrees 0'15"
constexpr double k90d15s = 1.5708690488470614;  // 90 degrees 0'15"
constexpr double k179d15s = 3.1242120831220133; // 179 degrees 0'15"
constexpr double k15s = 7.272205216643033e-5;


} // namespace

// 1 gnomonic: r = tan p
void clsVospProjector::SetUpGnomonic() {
    if (mPolar0 >= k60d15s) return;
    mYOffset = std::tan(mPolar0) * mSign;
    mLimit = std::tan(1.0471975511965967); // tan 60 degrees
    mSetUp = true;
}

void clsVospProjector::FwdGnomonic() {
    const double p = PolarOf();
    if (p > k60d15s) return;
    PlaceAzimuthal(std::tan(p));
}

void clsVospProjector::InvGnomonic() {
    const double rho = RhoOf();
    if (rho > mLimit) return;
    UnplaceAzimuthal(std::atan(rho));
}

// 2 stereographic: r = 2 tan(p/2)
void clsVospProjector::SetUpStereographic() {
    mYOffset = 2 * std::tan(mPolar0 / 2) * mSign;
    mLimit = 2;
    mSetUp = true;
}

void clsVospProjector::FwdStereographic() {
    const double p = PolarOf();
    if (p > k90d15s) return;
    PlaceAzimuthal(2 * std::tan(p / 2));
}

void clsVospProjector::InvStereographic() {
    const double rho = RhoOf();
    if (rho > mLimit) return;
    UnplaceAzimuthal(2 * std::atan(rho / 2));
}

// 3 near-side perspective, the eye mLight radii from the centre above the
// pole: r = (L - 1) sin p / (L - cos p), shown up to the horizon plus 15".
void clsVospProjector::SetUpNearSide() {
    if (!MapProjection::IsValidLight(mLight)) return;
    mPerspective.horizon = ArcCos(1 / mLight) + k15s;
    if (mPerspective.horizon < mPolar0) return;
    mPerspective.factor = mLight - 1;
    mYOffset = mPerspective.factor * std::sin(mPolar0) / (mLight - std::cos(mPolar0)) * mSign;
    mLimit = mPerspective.factor * std::sin(mPerspective.horizon) / (mLight - std::cos(mPerspective.horizon));
    mSetUp = true;
}

void clsVospProjector::FwdNearSide() {
    const double p = PolarOf();
    if (p > mPerspective.horizon) return;
    PlaceAzimuthal(mPerspective.factor * std::sin(p) / (mLight - std::cos(p)));
}

// The far side inverts as the near side with the eye mirrored through the
// centre (l = -mLight): r2 (-L) + k s is exactly k s - r2 L.
inline void clsVospProjector::InvPerspective(double l) {
    const double rho = RhoOf();
    if (rho > mLimit) return;
    const double k = mPerspective.factor;
    const double r2 = rho * rho;
    const double s = std::sqrt(k * k + r2 * (1 - l * l));
    const double cosc = (r2 * l + k * s) / (k * k + r2);
    mLat = ArcSin(cosc);
    if (mSouth) mLat = -mLat;
    mLon = AnglePos(mY * mSign, mX);
    mValid = true;
}

void clsVospProjector::InvNearSide() { InvPerspective(mLight); }

// 4 far-side perspective, the eye beyond the opposite pole:
// r = (L + 1) sin p / (cos p + L).
void clsVospProjector::SetUpFarSide() {
    if (!MapProjection::IsValidLight(mLight)) return;
    mPerspective.horizon = kPi - ArcCos(1 / mLight) + k15s;
    if (mPerspective.horizon < mPolar0) return;
    mPerspective.factor = mLight + 1;
    mYOffset = mPerspective.factor * std::sin(mPolar0) / (std::cos(mPolar0) + mLight) * mSign;
    mLimit = mPerspective.factor * std::sin(mPerspective.horizon) / (std::cos(mPerspective.horizon) + mLight);
    mSetUp = true;
}

void clsVospProjector::FwdFarSide() {
    const double p = PolarOf();
    if (p > mPerspective.horizon) return;
    PlaceAzimuthal(mPerspective.factor * std::sin(p) / (std::cos(p) + mLight));
}

void clsVospProjector::InvFarSide() { InvPerspective(-mLight); }

// 5 orthographic: r = sin p
void clsVospProjector::SetUpOrthographic() {
    mYOffset = std::sin(mPolar0) * mSign;
    mLimit = 1;
    mSetUp = true;
}

void clsVospProjector::FwdOrthographic() {
    const double p = PolarOf();
    if (p > k90d15s) return;
    PlaceAzimuthal(std::sin(p));
}

void clsVospProjector::InvOrthographic() {
    const double rho = RhoOf();
    if (rho > mLimit) return;
    UnplaceAzimuthal(ArcSin(rho));
}

// 6 azimuthal equidistant: r = p
void clsVospProjector::SetUpEquidistant() {
    mYOffset = mPolar0 * mSign;
    mLimit = kPi;
    mSetUp = true;
}

void clsVospProjector::FwdEquidistant() {
    const double p = PolarOf();
    if (p > k179d15s) return;
    PlaceAzimuthal(p);
}

void clsVospProjector::InvEquidistant() {
    const double rho = RhoOf();
    if (rho > mLimit) return;
    UnplaceAzimuthal(rho);
}

// 7 Lambert azimuthal equal-area: r = 2 sin(p/2)
void clsVospProjector::SetUpLambertAzimuthal() {
    mYOffset = 2 * std::sin(mPolar0 / 2) * mSign;
    mLimit = 2;
    mSetUp = true;
}

void clsVospProjector::FwdLambertAzimuthal() {
    const double p = PolarOf();
    if (p > k179d15s) return;
    PlaceAzimuthal(2 * std::sin(p / 2));
}

void clsVospProjector::InvLambertAzimuthal() {
    const double rho = RhoOf();
    if (rho > mLimit) return;
    UnplaceAzimuthal(2 * ArcSin(rho / 2));
}

// 8 Hammer: the equatorial Lambert azimuthal image of (lon/2, lat), x doubled.
// With c the arc from (0, 0) and A its azimuth, the image 2 sin(c/2) (2 sin A,
// cos A) reduces to (2 cos b sin a, sin b) / cos(c/2) with cos c = cos a cos b,
// which needs no inverse trigonometry. Where sin c vanishes the azimuth is
// taken as 0 (straight up).
void clsVospProjector::SetUpHammer() {
    mYOffset = 2 * std::sin(mLat0 / 2);
    mLimit = 2 * std::sin(0.7853981633974475);
    mSetUp = true;
}

void clsVospProjector::FwdHammer() {
    const double a = mLon / 2;
    const double b = mLat;
    const double cb = std::cos(b);
    const double cc = std::cos(a) * cb;
    if (1 - cc * cc <= 1e-12) {
        mX = 0;
        mY = 2 * std::sin(ArcCos(cc) / 2);
    } else {
        const double h = std::sqrt((1 + cc) / 2);
        mX = 2 * cb * std::sin(a) / h;
        mY = std::sin(b) / h;
    }
    mValid = true;
}

void clsVospProjector::InvHammer() {
    const double u = mX / 2;
    const double rho = std::sqrt(u * u + mY * mY);
    if (rho > mLimit) return;
    const double c = 2 * ArcSin(rho / 2);
    const double az = AnglePos(mY, u);
    const double sc = std::sin(c);
    mLon = 2 * AnglePos(std::cos(c), std::sin(az) * sc);
    mLat = ArcSin(std::cos(az) * sc);
    mValid = true;
}

// Shared by 9 (Aitoff) and 12 (equirectangular).
void clsVospProjector::SetUpLatOffset() {
    mYOffset = mLat0;
    mLimit = kHalfPi;
    mSetUp = true;
}

// 9 Aitoff: the equatorial azimuthal equidistant image of (lon/2, lat), x
// doubled: c (2 sin A, cos A) = c / sin c (2 cos b sin a, sin b).
void clsVospProjector::FwdAitoff() {
    const double a = mLon / 2;
    const double b = mLat;
    const double cb = std::cos(b);
    const double cc = std::cos(a) * cb;
    const double sc = std::sqrt(1 - cc * cc);
    // ArcCos(cc), reusing its square root.
    const double c = cc >= 1 ? 0.0 : cc <= -1 ? kPi : std::atan(-cc / sc) + kHalfPi;
    if (sc <= 1e-6) {
        mX = 0;
        mY = c;
    } else {
        const double k = c / sc;
        mX = 2 * k * cb * std::sin(a);
        mY = k * std::sin(b);
    }
    mValid = true;
}

void clsVospProjector::InvAitoff() {
    const double u = mX / 2;
    const double c = std::sqrt(u * u + mY * mY);
    if (c > mLimit) return;
    const double az = AnglePos(mY, u);
    const double sc = std::sin(c);
    mLon = 2 * AnglePos(std::cos(c), std::sin(az) * sc);
    mLat = ArcSin(std::cos(az) * sc);
    mValid = true;
}
