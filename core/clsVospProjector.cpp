#include "core/clsVospProjector.h"

#include "core/AngleLib.h"
#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/MapProjection.h"
#include "core/PrjBatch.h"
#include "platform/VospError.h"

#include <limits>
#include <vector>

namespace {

// Beyond this a count of seconds no longer rounds meaningfully in 64 bits.
constexpr double kSecondsMax = 4.0e18;

} // namespace

void clsVospProjector::SetPrjIndex(int16_t index) {
    if (IsValidPrj(index)) mPrj = index;
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

bool clsVospProjector::IsValidPrj(int16_t index) {
    if (index < 1 || index > 30) return false;
    return index != 18 && index != 22 && (index < 27 || index > 29);
}

bool clsVospProjector::SetUp() {
    mPolar0 = kHalfPi - std::fabs(mLat0);
    mSouth = mLat0 < 0;
    mSign = mSouth ? 1.0 : -1.0;
    mSetUp = false;
    mSetUpDone = true;
    switch (mPrj) {
    case 1: SetUpGnomonic(); break;
    case 2: SetUpStereographic(); break;
    case 3: SetUpNearSide(); break;
    case 4: SetUpFarSide(); break;
    case 5: SetUpOrthographic(); break;
    case 6: SetUpEquidistant(); break;
    case 7: SetUpLambertAzimuthal(); break;
    case 8: SetUpHammer(); break;
    case 9: SetUpLatOffset(); break;
    case 10: SetUpCentralCylindrical(); break;
    case 11: SetUpStereoCylindrical(); break;
    case 12: SetUpLatOffset(); break;
    case 13: SetUpConformalCylindrical(); break;
    case 14: SetUpMiller(); break;
    case 15: SetUpEqualAreaCylindrical(); break;
    case 16: SetUpSinusoidal(); break;
    case 17: SetUpMollweide(); break;
    case 19: SetUpEckert6(); break;
    case 20: SetUpWagner7(); break;
    case 21: SetUpCentralConic(); break;
    case 23: SetUpEquidistantConic(); break;
    case 24: SetUpAlbers(); break;
    case 25: SetUpLambertConic(); break;
    case 26: SetUpBonne(); break;
    case 30: SetUpSinusoidal(); break;
    default: break;
    }
    return mSetUp;
}

void clsVospProjector::Forward() {
    switch (mPrj) {
    case 1: FwdGnomonic(); break;
    case 2: FwdStereographic(); break;
    case 3: FwdNearSide(); break;
    case 4: FwdFarSide(); break;
    case 5: FwdOrthographic(); break;
    case 6: FwdEquidistant(); break;
    case 7: FwdLambertAzimuthal(); break;
    case 8: FwdHammer(); break;
    case 9: FwdAitoff(); break;
    case 10: FwdCentralCylindrical(); break;
    case 11: FwdStereoCylindrical(); break;
    case 12: FwdEquirectangular(); break;
    case 13: FwdConformalCylindrical(); break;
    case 14: FwdMiller(); break;
    case 15: FwdEqualAreaCylindrical(); break;
    case 16: FwdSinusoidal(); break;
    case 17: FwdMollweide(); break;
    case 19: FwdEckert6(); break;
    case 20: FwdWagner7(); break;
    case 21: FwdCentralConic(); break;
    case 23: FwdEquidistantConic(); break;
    case 24: FwdAlbers(); break;
    case 25: FwdLambertConic(); break;
    case 26: FwdBonne(); break;
    case 30: FwdWinkel(); break;
    default: break;
    }
}

void clsVospProjector::Inverse() {
    switch (mPrj) {
    case 1: InvGnomonic(); break;
    case 2: InvStereographic(); break;
    case 3: InvNearSide(); break;
    case 4: InvFarSide(); break;
    case 5: InvOrthographic(); break;
    case 6: InvEquidistant(); break;
    case 7: InvLambertAzimuthal(); break;
    case 8: InvHammer(); break;
    case 9: InvAitoff(); break;
    case 10: InvCentralCylindrical(); break;
    case 11: InvStereoCylindrical(); break;
    case 12: InvEquirectangular(); break;
    case 13: InvConformalCylindrical(); break;
    case 14: InvMiller(); break;
    case 15: InvEqualAreaCylindrical(); break;
    case 16: InvSinusoidal(); break;
    case 17: InvMollweide(); break;
    case 19: InvEckert6(); break;
    case 20: InvBySearch(); break;
    case 21: InvCentralConic(); break;
    case 23: InvEquidistantConic(); break;
    case 24: InvAlbers(); break;
    case 25: InvLambertConic(); break;
    case 26: InvBonne(); break;
    case 30: InvBySearch(); break;
    default: break;
    }
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

void clsVospProjector::CnvLLtoXYBatch(std::span<const PolyPoint> in, std::span<double> x, std::span<double> y,
                                      std::span<bool> ok) {
    try {
        if (!mSetUpDone) SetUp();
        const size_t n = in.size();
        const int lanes = PrjBatch::Lanes();
        const PrjBatch::Kernel kernel = !mSetUp || lanes < 2 ? nullptr
                                        : lanes == 4         ? PrjBatch::Lanes4(mPrj)
                                                             : PrjBatch::Lanes2(mPrj);
        if (!kernel) {
            for (size_t i = 0; i < n; ++i) {
                const bool r = CnvLLtoXY(in[i].x, in[i].y, x[i], y[i]);
                if (!ok.empty()) ok[i] = r;
            }
            return;
        }
        const PrjBatch::Consts c{mPrj, mLon0, mSign, mPolar0, mRho0, mCone, mAux1, mMaxPolar, mTheta.data()};
        thread_local std::vector<uint8_t> valid;
        valid.resize(n);
        kernel(c, in.data(), n, x.data(), y.data(), valid.data());
        const double r = MapProjection::GlobeRadius;
        for (size_t i = 0; i < n; ++i) {
            // A point the forward refuses leaves the last image in place, and
            // the offset is taken from it once more, as point by point.
            if (valid[i]) {
                mX = x[i];
                mY = y[i];
            }
            mY -= mYOffset;
            x[i] = r * mX;
            y[i] = r * mY;
            if (!ok.empty()) ok[i] = valid[i] && std::fabs(x[i]) <= 2147483647.0 && std::fabs(y[i]) <= 2147483647.0;
        }
        if (n > 0) {
            mLat = in[n - 1].y * kSecRad;
            mLon = in[n - 1].x * kSecRad - mLon0;
            mValid = valid[n - 1] != 0;
        }
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, QStringLiteral("clsVospProjector"), QStringLiteral("CnvLLtoXYBatch"));
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

bool clsVospProjector::RangeNS(int32_t& north, int32_t& south) {
    try {
        if (!mSetUpDone) SetUp();
        int32_t n = 323985;
        int32_t s = -323985;
        north = n;
        south = s;
        if (!IsValidPrj(mPrj)) return false;
        switch (mPrj) {
        case 1: s = 108000; break;
        case 2:
        case 5: s = 0; break;
        case 3:
            if (mLight != 0) s = Library::DblToLng(ArcSin(1 / mLight) / kSecRad) + 30;
            break;
        case 4:
            if (mLight != 0) s = -Library::DblToLng(ArcSin(1 / mLight) / kSecRad) + 30;
            break;
        case 6:
        case 7: s = -320400; break;
        case 10:
            n = 216000;
            s = -216000;
            break;
        case 13:
            n = 306000;
            s = -306000;
            break;
        case 21:
        case 23:
        case 24:
        case 25: s = Library::DblToLng(324000 - mMaxPolar / kSecRad + 15); break;
        default: break;
        }
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
