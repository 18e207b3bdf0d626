#pragma once
// Converts between positions on the sphere (seconds of arc) and plane
// coordinates in metres for one of 25 map projections. Azimuthal and conic
// projections are drawn in polar aspect around the pole on the centre's side,
// cylindrical and pseudocylindrical ones in normal aspect; the centre only
// picks the meridian longitudes count from and shifts the picture so that the
// centre lies on y = 0.
//
// Every vertex of every map goes through CnvLLtoXY: each projection's
// forward is a pure function of its family's constants and the point,
// reached through the projection's row of PrjRegistry, with everything that
// depends on the centre worked out once in SetUp.
#include "core/CoordTypes.h"
#include "core/PrjRegistry.h"
#include "core/clsPoly.h"

#include <QString>
#include <cmath>
#include <cstdint>
#include <optional>
#include <span>

class clsVospProjector {
public:
    // Taken only when IsValidPrj accepts it; the set-up is cleared either way.
    void SetPrjIndex(int16_t index);
    int16_t PrjIndex() const { return mPrj; }
    // Seconds of arc, kept as given (no wrapping).
    void SetCenterLon(int32_t sec);
    int32_t CenterLon() const;
    // Seconds of arc, limited to -324000..324000.
    void SetCenterLat(int32_t sec);
    int32_t CenterLat() const;
    // Viewing distance in sphere radii; taken only when valid (1.005..201).
    void SetLight(double light);
    double Light() const { return mLight; }

    QString PrjName() const;
    int32_t PrjStatus() const;
    static bool IsValidPrj(int16_t index);

    // Works out the constants of the projection at the current centre;
    // False when the projection cannot be used there.
    bool SetUp();
    // Both conversions return False for a point the projection cannot show,
    // for a result that is not finite or does not fit 32 bits, and while the
    // set-up has failed. Their outputs carry no meaning then.
    bool CnvLLtoXY(int32_t lon, int32_t lat, double& x, double& y);
    bool CnvXYtoLL(double x, double y, int32_t& lon, int32_t& lat);
    // Both conversions over a whole list at once (out has the size of in),
    // point for point as above, with the set-up checked once; ok, when
    // given, receives each point's result, and firstOk the first point's
    // alone (the rest keep the quicker road that reports none).
    void CnvLLtoXY(std::span<const PolyPoint> in, std::span<PlaneXY> out, std::span<bool> ok = {},
                   bool* firstOk = nullptr);
    void CnvXYtoLL(std::span<const PlaneXY> in, std::span<PolyPoint> out, std::span<bool> ok = {});
    // The band of latitudes (seconds of arc) the projection can show.
    bool RangeNS(int32_t& north, int32_t& south);

    // Read-only views of the set-up, on the unit sphere: the plane y of the
    // centre (subtracted from every forward y) and the largest plane radius
    // or |y| an inverse accepts.
    double YOffset() const { return mYOffset; }
    double Limit() const { return mLimit; }

    // What a conversion leaves for the next one: the last point and its
    // image, which a refused point keeps. Follow takes it over from a copy
    // that converted meanwhile, setting up first as that copy did.
    struct Trail {
        Prj::LonLatRad last;
        Prj::UnitXY xy;
        bool setUpDone = false;
    };
    Trail TrailOf() const { return {mLast, mXY, mSetUpDone}; }
    void Follow(const Trail& t);

private:
    // A refused point leaves the previous point's result in place, and the
    // centre's offset (forward) or longitude (inverse) is applied to it once
    // more; a refused search leaves where its walk stopped. The outputs of a
    // refused point carry no meaning, yet the figure conversion and prjcalc
    // read them all the same, so they stay as they have always been. The
    // forward and the inverse share the last point: a refused inverse right
    // after a forward hands back that forward's point. Every conversion
    // keeps its result through PrjRow::Keep, the single-point ones inside
    // their row so that the result is not passed back through memory first.

    int16_t mPrj = 0;
    // The projection's row and its two conversions (null before an index is
    // set).
    const PrjRegistry::Entry* mEntry = nullptr;
    PrjRegistry::Forward mForward = nullptr;
    PrjRegistry::Inverse mInverse = nullptr;
    double mLon0 = 0;
    double mLat0 = 0;
    double mLight = 0;
    bool mSetUp = false;
    // The set-up has run for the current settings (successful or not), so a
    // failed one is not repeated for every point.
    bool mSetUpDone = false;
    Prj::PrjCentre mCentre;
    PrjConsts mConsts;
    double mYOffset = 0;
    double mLimit = 0;
    // The last point either conversion handled: its longitude (from the
    // centre meridian after a forward) and latitude in radians, and its unit
    // plane image less the centre's offset.
    Prj::LonLatRad mLast;
    Prj::UnitXY mXY;
};
