#include "core/clsVospProjector.h"

#include "core/AngleLib.h"
#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/MapProjection.h"
#include "core/PrjBatch.h"
#include "core/PrjRegistry.h"
#include "platform/VospError.h"

#include <limits>
#include <vector>

namespace {

// Beyond this a count of seconds no longer rounds meaningfully in 64 bits.
constexpr double kSecondsMax = 4.0e18;

} // namespace

void clsVospProjector::SetPrjIndex(int16_t index) {
    if (const PrjRegistry::Entry* e = PrjRegistry::Implemented(index)) {
        mPrj = index;
        mForward = e->forward;
        mInverse = e->inverse;
    }
    mSetUp = false;
    mSetUpDone = false;
}

void clsVospProjector::SetCenterLon(int32_t sec) {
    mLon0 = sec * kSecRad;
    mSetUp = false;
    mSetUpDone = false;
}

int32_t clsVospProjector::CenterLon() const { return Library::DblToLng(mLon0 / kSecRad); }

void clsVospProjector::SetCenterLat(int32_t sec) {
    mLat0 = Library::Clamp(sec, -324000, 324000) * kSecRad;
    mSetUp = false;
    mSetUpDone = false;
}

int32_t clsVospProjector::CenterLat() const { return Library::DblToLng(mLat0 / kSecRad); }

void clsVospProjector::SetLight(double light) {
    if (!MapProjection::IsValidLight(light)) return;
    mLight = light;
    mSetUp = false;
    mSetUpDone = false;
}

QString clsVospProjector::PrjName() const { return MapProjection::PrjName(mPrj); }

int32_t clsVospProjector::PrjStatus() const { return MapProjection::PrjStatus(mPrj); }

bool clsVospProjector::IsValidPrj(int16_t index) { return PrjRegistry::Implemented(index) != nullptr; }

bool clsVospProjector::SetUp() {
    mPolar0 = kHalfPi - std::fabs(mLat0);
    mSouth = mLat0 < 0;
    mSign = mSouth ? 1.0 : -1.0;
    mSetUp = false;
    mSetUpDone = true;
    if (const PrjRegistry::Entry* e = PrjRegistry::Implemented(mPrj)) (this->*e->setUp)();
    return mSetUp;
}

void clsVospProjector::Follow(const Trail& t) {
    if (t.setUpDone && !mSetUpDone) SetUp();
    mLon = t.lon;
    mLat = t.lat;
    mX = t.x;
    mY = t.y;
    mCone = t.cone;
    mValid = t.valid;
}

bool clsVospProjector::CnvLLtoXY(int32_t lon, int32_t lat, double& x, double& y) {
    try {
        if (!mSetUpDone) SetUp();
        if (!mSetUp) {
            // The constants would be those of an earlier projection or centre.
            x = 0;
            y = 0;
            return false;
        }
        mLat = lat * kSecRad;
        mLon = lon * kSecRad - mLon0;
        mValid = false;
        Forward();
        mY -= mYOffset;
        x = MapProjection::GlobeRadius * mX;
        y = MapProjection::GlobeRadius * mY;
        // Written as a positive test so that NaN fails it too.
        return mValid && std::fabs(x) <= 2147483647.0 && std::fabs(y) <= 2147483647.0;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, QStringLiteral("clsVospProjector"), QStringLiteral("CnvLLtoXY"));
    }
}

bool clsVospProjector::CnvXYtoLL(double x, double y, int32_t& lon, int32_t& lat) {
    try {
        lon = 0;
        lat = 0;
        if (!mSetUpDone) SetUp();
        if (!mSetUp) return false;
        // Nothing maps to a non-finite point, and the searched inverses would
        // walk their whole range at the finest step looking for it.
        if (!std::isfinite(x) || !std::isfinite(y)) return false;
        mX = x / MapProjection::GlobeRadius;
        mY = y / MapProjection::GlobeRadius + mYOffset;
        mValid = false;
        Inverse();
        mLon += mLon0;
        const double slon = mLon / kSecRad;
        const double slat = mLat / kSecRad;
        if (!(std::fabs(slon) <= kSecondsMax && std::fabs(slat) <= kSecondsMax)) return false;
        lon = static_cast<int32_t>(AngleLib::NormLon64(static_cast<int64_t>(std::nearbyint(slon))));
        lat = static_cast<int32_t>(AngleLib::NormLat64(static_cast<int64_t>(std::nearbyint(slat))));
        return mValid;
    } catch (...) {
        lon = 0;
        lat = 0;
        ErrorMng::ReRaise(ErrBase + 1001, QStringLiteral("clsVospProjector"), QStringLiteral("CnvXYtoLL"));
    }
}

void clsVospProjector::CnvLLtoXY(std::span<const PolyPoint> in, std::span<PlaneXY> out, std::span<bool> ok) {
    try {
        if (!mSetUpDone) SetUp();
        const size_t n = in.size();
        const int lanes = PrjBatch::Lanes();
        const PrjBatch::Kernel kernel = !mSetUp || lanes < 2 ? nullptr
                                        : lanes == 4         ? PrjBatch::Lanes4(mPrj)
                                                             : PrjBatch::Lanes2(mPrj);
        if (!kernel) {
            for (size_t i = 0; i < n; ++i) {
                const bool r = CnvLLtoXY(in[i].x, in[i].y, out[i].x, out[i].y);
                if (!ok.empty()) ok[i] = r;
            }
            return;
        }
        PrjBatch::Consts c;
        c.prj = mPrj;
        c.lon0 = mLon0;
        c.sign = mSign;
        c.polar0 = mPolar0;
        c.rho0 = mRho0;
        c.cone = mCone;
        c.aux1 = mLambertConic.f;
        c.maxPolar = mMaxPolar;
        c.light = mLight;
        c.horizon = mPerspective.horizon;
        c.factor = mPerspective.factor;
        c.twoOverCone = mAlbers.twoOverCone;
        c.rho0Squared = mAlbers.rho0Squared;
        c.theta = mTheta.data();
        thread_local std::vector<double> xs, ys;
        thread_local std::vector<uint8_t> valid;
        xs.resize(n);
        ys.resize(n);
        valid.resize(n);
        kernel(c, in.data(), n, xs.data(), ys.data(), valid.data());
        const double r = MapProjection::GlobeRadius;
        for (size_t i = 0; i < n; ++i) {
            // A point the forward refuses leaves the last image in place, and
            // the offset is taken from it once more, as point by point.
            if (valid[i]) {
                mX = xs[i];
                mY = ys[i];
            }
            mY -= mYOffset;
            const double x = r * mX, y = r * mY;
            out[i] = {x, y};
            if (!ok.empty()) ok[i] = valid[i] && std::fabs(x) <= 2147483647.0 && std::fabs(y) <= 2147483647.0;
        }
        if (n > 0) {
            mLat = in[n - 1].y * kSecRad;
            mLon = in[n - 1].x * kSecRad - mLon0;
            mValid = valid[n - 1] != 0;
            // Bonne's forward leaves the last point's cone constant behind.
            if (mPrj == 26) {
                const double p = PolarOf(), rr = p - mPolar0 + mRho0;
                mCone = rr != 0 ? std::sin(p) / rr : 1.0;
            }
        }
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, QStringLiteral("clsVospProjector"), QStringLiteral("CnvLLtoXY"));
    }
}

void clsVospProjector::CnvXYtoLL(std::span<const PlaneXY> in, std::span<PolyPoint> out, std::span<bool> ok) {
    try {
        if (!mSetUpDone) SetUp();
        const size_t n = in.size();
        const int lanes = PrjBatch::Lanes();
        const PrjBatch::InvKernel kernel = !mSetUp || lanes < 2 ? nullptr
                                           : lanes == 4         ? PrjBatch::InvLanes4(mPrj)
                                                                : PrjBatch::InvLanes2(mPrj);
        if (!kernel) {
            for (size_t i = 0; i < n; ++i) {
                const bool r = CnvXYtoLL(in[i].x, in[i].y, out[i].x, out[i].y);
                if (!ok.empty()) ok[i] = r;
            }
            return;
        }
        PrjBatch::Consts c;
        c.prj = mPrj;
        c.cone = mCone;
        c.theta = mTheta.data();
        c.radius = MapProjection::GlobeRadius;
        c.yOffset = mYOffset;
        c.limit = mLimit;
        thread_local std::vector<double> lons, lats;
        thread_local std::vector<uint8_t> valid;
        lons.resize(n);
        lats.resize(n);
        valid.resize(n);
        kernel(c, in.data(), n, lons.data(), lats.data(), valid.data());
        for (size_t i = 0; i < n; ++i) {
            const double x = in[i].x, y = in[i].y;
            out[i] = {0, 0};
            bool r = false;
            if (std::isfinite(x) && std::isfinite(y)) {
                mX = x / MapProjection::GlobeRadius;
                mY = y / MapProjection::GlobeRadius + mYOffset;
                // A refused point leaves the last result in place, and the
                // centre's longitude is added to it once more, as point by point.
                mValid = valid[i] != 0;
                if (mValid) {
                    mLon = lons[i];
                    mLat = lats[i];
                }
                mLon += mLon0;
                const double slon = mLon / kSecRad;
                const double slat = mLat / kSecRad;
                if (std::fabs(slon) <= kSecondsMax && std::fabs(slat) <= kSecondsMax) {
                    out[i].x = static_cast<int32_t>(AngleLib::NormLon64(static_cast<int64_t>(std::nearbyint(slon))));
                    out[i].y = static_cast<int32_t>(AngleLib::NormLat64(static_cast<int64_t>(std::nearbyint(slat))));
                    r = mValid;
                }
            }
            if (!ok.empty()) ok[i] = r;
        }
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, QStringLiteral("clsVospProjector"), QStringLiteral("CnvXYtoLL"));
    }
}

bool clsVospProjector::RangeNS(int32_t& north, int32_t& south) {
    try {
        if (!mSetUpDone) SetUp();
        north = 323985;
        south = -323985;
        const PrjRegistry::Entry* e = PrjRegistry::Implemented(mPrj);
        if (!e) return false;
        int32_t n = e->north;
        int32_t s = e->south;
        if (e->band) (this->*e->band)(n, s);
        if (mSouth) {
            north = -s;
            south = -n;
        } else {
            north = n;
            south = s;
        }
        return true;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, QStringLiteral("clsVospProjector"), QStringLiteral("RangeNS"));
    }
}

void clsVospProjector::BandNearSide(int32_t&, int32_t& south) const {
    if (mLight != 0) south = Library::DblToLng(ArcSin(1 / mLight) / kSecRad) + 30;
}

void clsVospProjector::BandFarSide(int32_t&, int32_t& south) const {
    if (mLight != 0) south = -Library::DblToLng(ArcSin(1 / mLight) / kSecRad) + 30;
}

void clsVospProjector::BandConic(int32_t&, int32_t& south) const {
    south = Library::DblToLng(324000 - mMaxPolar / kSecRad + 15);
}

void clsVospProjector::LoadThetaTable(const double (&values)[37]) {
    for (size_t k = 0; k < 37; ++k) mTheta[k] = values[k];
}

double clsVospProjector::ThetaOf(double lat) const {
    double u = std::fmin(std::fabs(lat), kHalfPi) / 0.043633231299858195;
    if (!(u >= 0)) u = 0; // never reached with a finite latitude
    const int i = static_cast<int>(u);
    const int j = i < 36 ? i + 1 : 36;
    const double t = mTheta[size_t(i)] + (mTheta[size_t(j)] - mTheta[size_t(i)]) * (u - i);
    return lat < 0 ? -t : t;
}

double clsVospProjector::LatOfTheta(double t) const {
    const double a = std::fabs(t);
    int k = 35;
    while (k >= 0 && !(a >= mTheta[size_t(k)])) --k;
    double r;
    if (k < 0) {
        r = kHalfPi;
    } else {
        r = ((a - mTheta[size_t(k)]) / (mTheta[size_t(k) + 1] - mTheta[size_t(k)]) + k) * 0.043633231299858195;
    }
    return t < 0 ? -r : r;
}

void clsVospProjector::ForwardForSearch() {
    SearchCache& c = mSearch;
    if (mLon == c.lastLon && mLat == c.lastLat) {
        // Each walk starts where the previous one stopped.
        mX = c.lastX;
        mY = c.lastY;
        mValid = true;
        return;
    }
    if (mPrj == 20) {
        if (mLat != c.lat) Wagner7Lat(mLat, c.p1, c.p2);
        if (mLon != c.lon) Wagner7Lon(mLon, c.q1, c.q2);
        Wagner7Combine(c.p1, c.p2, c.q1, c.q2);
    } else if (mPrj == 30) {
        if (mLat != c.lat) WinkelLat(mLat, c.p1, c.p2);
        if (mLon != c.lon) WinkelLon(mLon, c.q1, c.q2);
        WinkelCombine(c.p1, c.p2, c.q1, c.q2);
    } else {
        return;
    }
    c.lat = mLat;
    c.lon = mLon;
    c.lastLon = mLon;
    c.lastLat = mLat;
    c.lastX = mX;
    c.lastY = mY;
}

// Walks longitude and latitude up and down with a shrinking step until the
// forward image of (mLon, mLat) meets the target; only the two projections
// whose forward has no closed inverse use it.
void clsVospProjector::SearchInverse() {
    const double sx = mX;
    const double sy = mY;
    const double tx = std::fabs(sx);
    const double ty = std::fabs(sy);
    const double latMax = kHalfPi - kSecRad;
    const double lonMax = kPi - kSecRad;
    double s = 36000 * kSecRad; // 10 degrees
    const double none = std::numeric_limits<double>::quiet_NaN();
    mSearch = {none, 0, 0, none, 0, 0, none, none, 0, 0};
    mLon = 0;
    mLat = 0;
    do {
        bool reached = false;
        while (mLat <= latMax) {
            ForwardForSearch();
            if (mY >= ty) {
                reached = true;
                break;
            }
            mLat += s;
        }
        if (!reached) mLat = latMax;
        reached = false;
        while (mLon <= lonMax) {
            ForwardForSearch();
            if (mX >= tx) {
                reached = true;
                break;
            }
            mLon += s;
        }
        if (!reached) mLon = lonMax;
        s /= 1.5;
        while (mLat >= 0) {
            ForwardForSearch();
            if (mY <= ty) break;
            mLat -= s;
        }
        if (mLat < 0) mLat = 0;
        while (mLon >= 0) {
            ForwardForSearch();
            if (mX <= tx) break;
            mLon -= s;
        }
        if (mLon < 0) mLon = 0;
        s /= 1.5;
    } while (s > kSecRad);
    mValid = std::fabs(mX - tx) < 0.0002908882086657213 && std::fabs(mY - ty) < 0.0002908882086657213;
    if (mValid) {
        if (sy < 0) mLat = -mLat;
        if (sx < 0) mLon = -mLon;
    }
    mX = sx;
    mY = sy;
}
