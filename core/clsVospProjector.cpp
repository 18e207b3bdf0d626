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
using AngleLib::RadPerSec;

// A result in whole seconds; False beyond what rounds.
inline bool ToSeconds(double lon, double lat, int32_t& slon, int32_t& slat) {
    const double a = lon / RadPerSec;
    const double b = lat / RadPerSec;
    if (!(std::fabs(a) <= kSecondsMax && std::fabs(b) <= kSecondsMax)) return false;
    slon = static_cast<int32_t>(AngleLib::NormLon64(static_cast<int64_t>(std::nearbyint(a))));
    slat = static_cast<int32_t>(AngleLib::NormLat64(static_cast<int64_t>(std::nearbyint(b))));
    return true;
}

// A row's list form at the widest lane count allowed; null at one lane.
template <class K> K ListForm(K two, K four) {
    const int lanes = PrjBatch::Lanes();
    return lanes < 2 ? nullptr : lanes == 4 ? four : two;
}

} // namespace

void clsVospProjector::SetPrjIndex(int16_t index) {
    if (const PrjRegistry::Entry* e = PrjRegistry::Implemented(index)) {
        mPrj = index;
        mEntry = e;
        mForward = e->forward;
        mInverse = e->inverse;
    }
    mSetUp = false;
    mSetUpDone = false;
}

void clsVospProjector::SetCenterLon(int32_t sec) {
    mLon0 = sec * RadPerSec;
    mSetUp = false;
    mSetUpDone = false;
}

int32_t clsVospProjector::CenterLon() const { return Library::DblToLng(mLon0 / RadPerSec); }

void clsVospProjector::SetCenterLat(int32_t sec) {
    mLat0 = Library::Clamp(sec, -324000, 324000) * RadPerSec;
    mSetUp = false;
    mSetUpDone = false;
}

int32_t clsVospProjector::CenterLat() const { return Library::DblToLng(mLat0 / RadPerSec); }

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
    mCentre.lat0 = mLat0;
    mCentre.polar0 = AngleLib::HalfPi - std::fabs(mLat0);
    mCentre.south = mLat0 < 0;
    mCentre.sign = mCentre.south ? 1.0 : -1.0;
    mCentre.light = mLight;
    mSetUp = false;
    mSetUpDone = true;
    if (const Prj::PrjFrame* f = mEntry ? mEntry->setUp(mCentre, mConsts) : nullptr) {
        mYOffset = f->yOffset;
        mLimit = f->limit;
        mSetUp = true;
    }
    return mSetUp;
}

void clsVospProjector::Follow(const Trail& t) {
    if (t.setUpDone && !mSetUpDone) SetUp();
    mLast = t.last;
    mXY = t.xy;
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
        mLast = {lon * RadPerSec - mLon0, lat * RadPerSec};
        const bool r = mForward(mConsts, mLast.lon, mLast.lat, mXY);
        mXY.y -= mYOffset;
        x = MapProjection::GlobeRadius * mXY.x;
        y = MapProjection::GlobeRadius * mXY.y;
        // Written as a positive test so that NaN fails it too.
        return r && std::fabs(x) <= 2147483647.0 && std::fabs(y) <= 2147483647.0;
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
        mXY = {x / MapProjection::GlobeRadius, y / MapProjection::GlobeRadius + mYOffset};
        const bool r = mInverse(mConsts, mXY.x, mXY.y, mLast);
        mLast.lon += mLon0;
        return ToSeconds(mLast.lon, mLast.lat, lon, lat) && r;
    } catch (...) {
        lon = 0;
        lat = 0;
        ErrorMng::ReRaise(ErrBase + 1001, QStringLiteral("clsVospProjector"), QStringLiteral("CnvXYtoLL"));
    }
}

void clsVospProjector::CnvLLtoXY(std::span<const PolyPoint> in, std::span<PlaneXY> out, std::span<bool> ok,
                                 bool* firstOk) {
    try {
        if (!mSetUpDone) SetUp();
        const size_t n = in.size();
        const PrjBatch::Kernel kernel = mSetUp ? ListForm(mEntry->forward2, mEntry->forward4) : nullptr;
        if (!kernel) {
            for (size_t i = 0; i < n; ++i) {
                const bool r = CnvLLtoXY(in[i].x, in[i].y, out[i].x, out[i].y);
                if (!ok.empty()) ok[i] = r;
                if (firstOk && i == 0) *firstOk = r;
            }
            return;
        }
        // A long list goes in pieces, so that the blocks below stay small:
        // a point depends only on the one before it, which the trail carries.
        constexpr size_t kPiece = 4096;
        if (n > kPiece) {
            for (size_t at = 0; at < n; at += kPiece) {
                const size_t m = std::min(kPiece, n - at);
                CnvLLtoXY(in.subspan(at, m), out.subspan(at, m), ok.empty() ? ok : ok.subspan(at, m),
                          at == 0 ? firstOk : nullptr);
            }
            return;
        }
        const PrjBatch::Consts c{&mConsts, mLon0, MapProjection::GlobeRadius, mYOffset, mLimit};
        // The blocks only grow: the kernel writes every element it reads.
        thread_local std::vector<double> xs, ys;
        thread_local std::vector<uint8_t> valid;
        if (xs.size() < n) xs.resize(n), ys.resize(n), valid.resize(n);
        kernel(c, {in.data(), n, xs.data(), ys.data(), valid.data()});
        const double r = MapProjection::GlobeRadius;
        uint8_t all = 1;
        for (size_t i = 0; i < n; ++i) all &= valid[i];
        if (all && ok.empty()) {
            // No point to keep the last one's place for: the loop carries
            // nothing from one point to the next and vectorises.
            const double* px = xs.data();
            const double* py = ys.data();
            const double offset = mYOffset;
            for (size_t i = 0; i < n; ++i) out[i] = {r * px[i], r * (py[i] - offset)};
            if (n > 0) mXY = {xs[n - 1], ys[n - 1] - offset};
        } else {
            for (size_t i = 0; i < n; ++i) {
                PrjRow::Keep(valid[i] ? std::optional<Prj::UnitXY>({xs[i], ys[i]}) : std::nullopt, mXY);
                mXY.y -= mYOffset;
                const double x = r * mXY.x, y = r * mXY.y;
                out[i] = {x, y};
                if (!ok.empty()) ok[i] = valid[i] && std::fabs(x) <= 2147483647.0 && std::fabs(y) <= 2147483647.0;
            }
        }
        if (n > 0) {
            mLast = {in[n - 1].x * RadPerSec - mLon0, in[n - 1].y * RadPerSec};
            // As ok[0] would have it.
            if (firstOk)
                *firstOk = valid[0] && std::fabs(out[0].x) <= 2147483647.0 && std::fabs(out[0].y) <= 2147483647.0;
        }
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, QStringLiteral("clsVospProjector"), QStringLiteral("CnvLLtoXY"));
    }
}

void clsVospProjector::CnvXYtoLL(std::span<const PlaneXY> in, std::span<PolyPoint> out, std::span<bool> ok) {
    try {
        if (!mSetUpDone) SetUp();
        const size_t n = in.size();
        const PrjBatch::InvKernel kernel = mSetUp ? ListForm(mEntry->inverse2, mEntry->inverse4) : nullptr;
        if (!kernel) {
            for (size_t i = 0; i < n; ++i) {
                const bool r = CnvXYtoLL(in[i].x, in[i].y, out[i].x, out[i].y);
                if (!ok.empty()) ok[i] = r;
            }
            return;
        }
        const double r = MapProjection::GlobeRadius;
        const PrjBatch::Consts c{&mConsts, mLon0, r, mYOffset, mLimit};
        thread_local std::vector<double> lons, lats;
        thread_local std::vector<uint8_t> state;
        lons.resize(n);
        lats.resize(n);
        state.resize(n);
        kernel(c, {in.data(), n, lons.data(), lats.data(), state.data(), out.data()});
        // The kernel has done the points whose seconds it is sure of; the
        // others go through the point form, from where the last point done
        // before them left the trail.
        constexpr size_t kNone = SIZE_MAX;
        size_t done = kNone;
        const auto followDone = [&] {
            if (done == kNone) return;
            mXY = {in[done].x / r, in[done].y / r + mYOffset};
            mLast = {lons[done] + mLon0, lats[done]};
            done = kNone;
        };
        for (size_t i = 0; i < n; ++i) {
            if (state[i] & PrjBatch::kSeconds) {
                done = i;
                if (!ok.empty()) ok[i] = true;
                continue;
            }
            followDone();
            const bool accepted = CnvXYtoLL(in[i].x, in[i].y, out[i].x, out[i].y);
            if (!ok.empty()) ok[i] = accepted;
        }
        followDone();
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
        if (e->band) e->band(mConsts, mLight, n, s);
        if (mCentre.south) {
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
