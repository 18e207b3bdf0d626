// Conic projections with one standard parallel through the centre, drawn
// around the pole on the centre's side: central (21), equidistant (23),
// Albers equal-area (24), Lambert conformal (25), and the pseudoconic Bonne
// (26). Every limit test lets the equal case pass.
#include "core/clsVospProjector.h"

namespace {

constexpr double k87d15s = 1.5185091712872316;     // 87 degrees 0'15"
constexpr double k75d = 1.3089969389957459;        // 75 degrees
constexpr double k179d59m45s = 3.1415199315376237; // 179 degrees 59'45"

} // namespace

// A cone touching within 3 degrees of the equator is refused.
bool clsVospProjector::ConicCentreUsable() const { return mPolar0 < k87d15s; }

// 21 central conic: r = tan(p - p0) + rho0
void clsVospProjector::SetUpCentralConic() {
    if (!ConicCentreUsable()) return;
    mRho0 = std::tan(mPolar0);
    mCone = std::cos(mPolar0);
    mMaxPolar = mPolar0 + k75d;
    mYOffset = mRho0 * mSign;
    mLimit = std::tan(mMaxPolar - mPolar0) + mRho0;
    mSetUp = true;
}

void clsVospProjector::FwdCentralConic() {
    const double p = PolarOf();
    if (p > mMaxPolar) return;
    PlaceConic(std::tan(p - mPolar0) + mRho0);
}

void clsVospProjector::InvCentralConic() {
    const double rho = RhoOf();
    if (rho > mLimit) return;
    UnplaceConic(std::atan(rho - mRho0) + mPolar0);
}

// 23 equidistant conic: r = p - p0 + rho0
void clsVospProjector::SetUpEquidistantConic() {
    if (!ConicCentreUsable()) return;
    mRho0 = std::tan(mPolar0);
    mCone = std::cos(mPolar0);
    mMaxPolar = k179d59m45s;
    mYOffset = mRho0 * mSign;
    mLimit = k179d59m45s - mPolar0 + mRho0;
    mSetUp = true;
}

void clsVospProjector::FwdEquidistantConic() {
    const double p = PolarOf();
    if (p > mMaxPolar) return;
    PlaceConic(p - mPolar0 + mRho0);
}

void clsVospProjector::InvEquidistantConic() {
    const double rho = RhoOf();
    if (rho > mLimit) return;
    const double c = rho + mPolar0 - mRho0;
    if (c < 0) return;
    UnplaceConic(c);
}

// 24 Albers equal-area: r = sqrt((n - cos p) 2/n + tan^2 p0), n = cos p0
void clsVospProjector::SetUpAlbers() {
    if (!ConicCentreUsable()) return;
    mRho0 = std::tan(mPolar0);
    mCone = std::cos(mPolar0);
    mMaxPolar = k179d59m45s;
    mAlbers.twoOverCone = 2 / mCone;
    const double t = std::sin(mPolar0) / std::cos(mPolar0);
    mAlbers.rho0Squared = t * t;
    mYOffset = std::sqrt(mAlbers.rho0Squared) * mSign;
    mLimit = std::sqrt((mCone - std::cos(k179d59m45s)) * mAlbers.twoOverCone + mAlbers.rho0Squared);
    mSetUp = true;
}

void clsVospProjector::FwdAlbers() {
    const double p = PolarOf();
    if (p > mMaxPolar) return;
    PlaceConic(std::sqrt((mCone - std::cos(p)) * mAlbers.twoOverCone + mAlbers.rho0Squared));
}

void clsVospProjector::InvAlbers() {
    const double rho = RhoOf();
    if (rho > mLimit) return;
    const double q = mCone - (rho * rho - mAlbers.rho0Squared) / mAlbers.twoOverCone;
    if (q > 1) return;
    UnplaceConic(ArcCos(q));
}

// 25 Lambert conformal: r = F tan(p/2)^n, F = tan p0 / tan(p0/2)^n.
// With the centre on the pole F tends to 2 (the polar stereographic).
void clsVospProjector::SetUpLambertConic() {
    if (!ConicCentreUsable()) return;
    mCone = std::cos(mPolar0);
    mMaxPolar = mPolar0 + k75d;
    const double t0n = std::pow(std::tan(mPolar0 / 2), mCone);
    mLambertConic.f = t0n > 0 ? (std::sin(mPolar0) / std::cos(mPolar0)) / t0n : 2.0;
    mRho0 = t0n * mLambertConic.f;
    mYOffset = t0n * mLambertConic.f * mSign;
    mLimit = mLambertConic.f * std::pow(std::tan(mMaxPolar / 2), mCone);
    mSetUp = true;
}

void clsVospProjector::FwdLambertConic() {
    const double p = PolarOf();
    if (p > mMaxPolar) return;
    PlaceConic(mLambertConic.f * std::pow(std::tan(p / 2), mCone));
}

void clsVospProjector::InvLambertConic() {
    const double rho = RhoOf();
    if (rho > mLimit) return;
    UnplaceConic(2 * std::atan(std::pow(rho / mLambertConic.f, 1 / mCone)));
}

// 26 Bonne: parallels are arcs of radius p - p0 + rho0 around the apex, each
// drawn at its true length, so mCone belongs to one point only.
void clsVospProjector::SetUpBonne() {
    if (!ConicCentreUsable()) return;
    mRho0 = std::tan(mPolar0);
    mYOffset = mRho0 * mSign;
    mLimit = kPi - mPolar0 + mRho0;
    mSetUp = true;
}

void clsVospProjector::FwdBonne() {
    const double p = PolarOf();
    const double r = p - mPolar0 + mRho0;
    // r is 0 only at the pole with the centre on it; the factor tends to 1.
    mCone = r != 0 ? std::sin(p) / r : 1.0;
    PlaceConic(r);
}

// Points between the pole and the apex (c < 0) lie on no parallel.
void clsVospProjector::InvBonne() {
    const double rho = RhoOf();
    if (rho > mLimit) return;
    const double c = rho + mPolar0 - mRho0;
    if (c < 0) return;
    mCone = rho != 0 ? std::sin(c) / rho : 1.0;
    UnplaceConic(c);
}
