#pragma once
// Converts between positions on the sphere (seconds of arc) and plane
// coordinates in metres for one of 25 map projections. Azimuthal and conic
// projections are drawn in polar aspect around the pole on the centre's side,
// cylindrical and pseudocylindrical ones in normal aspect; the centre only
// picks the meridian longitudes count from and shifts the picture so that the
// centre lies on y = 0.
//
// Every vertex of every map goes through CnvLLtoXY: each projection's
// forward is a handful of floating operations on the fields below, reached
// through the projection's row of PrjRegistry, with everything that depends
// on the centre worked out once in SetUp.
#include "core/CoordTypes.h"
#include "core/clsPoly.h"

#include <QString>
#include <array>
#include <cmath>
#include <cstdint>
#include <span>

class clsVospProjector {
    friend class PrjRegistry;

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
    // given, receives each point's result.
    void CnvLLtoXY(std::span<const PolyPoint> in, std::span<PlaneXY> out, std::span<bool> ok = {});
    void CnvXYtoLL(std::span<const PlaneXY> in, std::span<PolyPoint> out, std::span<bool> ok = {});
    // The band of latitudes (seconds of arc) the projection can show.
    bool RangeNS(int32_t& north, int32_t& south);

    // Read-only views of the set-up, on the unit sphere: the plane y of the
    // centre (subtracted from every forward y) and the largest plane radius
    // or |y| an inverse accepts.
    double YOffset() const { return mYOffset; }
    double Limit() const { return mLimit; }

    // What a forward conversion leaves for the next one: the image a refused
    // point keeps, the last point, Bonne's cone. Follow takes it over from a
    // copy that converted meanwhile, setting up first as that copy did.
    struct Trail {
        double lon = 0, lat = 0, x = 0, y = 0, cone = 0;
        bool valid = false, setUpDone = false;
    };
    Trail TrailOf() const { return {mLon, mLat, mX, mY, mCone, mValid, mSetUpDone}; }
    void Follow(const Trail& t);

private:
    static constexpr double kPi = 3.14159265358979;
    static constexpr double kHalfPi = 1.5707963267949;
    static constexpr double kSecRad = 4.848136811095355e-6;

    // Clamped inverse functions (|x| >= 1 gives the end of the range).
    static double ArcSin(double x) {
        if (x >= 1) return kHalfPi;
        if (x <= -1) return -kHalfPi;
        return std::atan(x / std::sqrt(1 - x * x));
    }
    static double ArcCos(double x) {
        if (x >= 1) return 0;
        if (x <= -1) return kPi;
        return std::atan(-x / std::sqrt(1 - x * x)) + kHalfPi;
    }
    // Direction of the vector (x, y) counter-clockwise from +x, in [-pi, pi);
    // kept here so that the per-point inverses inline it.
    static double AnglePos(double x, double y) {
        if (std::fabs(y) <= std::fabs(x)) {
            const double t = x == 0 ? 0.0 : std::atan(y / x);
            if (x >= 0) return t;
            return y > 0 ? kPi + t : -kPi + t;
        }
        const double t = std::atan(-x / y);
        return y > 0 ? kHalfPi + t : -kHalfPi + t;
    }
    static bool InRange(double x, double lo, double hi) { return lo <= x && x <= hi; }
    static bool IsNearZero(double x) { return InRange(x, -1e-6, 1e-6); }
    bool YInLimit() const { return InRange(mY, -mLimit, mLimit); }
    double PolarOf() const { return mSign * mLat + kHalfPi; }
    double RhoOf() const { return std::sqrt(mX * mX + mY * mY); }
    void PlaceAzimuthal(double r) {
        mX = r * std::sin(mLon);
        mY = r * std::cos(mLon) * mSign;
        mValid = true;
    }
    void UnplaceAzimuthal(double p) {
        mLon = AnglePos(mY * mSign, mX);
        mLat = (p - kHalfPi) * mSign;
        mValid = true;
    }
    void InvPerspective(double l);
    void PlaceConic(double r) {
        const double a = mCone * mLon;
        mX = r * std::sin(a);
        mY = r * std::cos(a) * mSign;
        mValid = true;
    }
    void UnplaceConic(double p) {
        mLon = AnglePos(mY * mSign, mX) / mCone;
        mLat = (p - kHalfPi) * mSign;
        mValid = true;
    }
    void LoadThetaTable(const double (&values)[37]);
    double ThetaOf(double lat) const;
    double LatOfTheta(double t) const;
    void ForwardForSearch();
    void SearchInverse();

    void Forward() {
        if (mForward) (this->*mForward)();
    }
    void Inverse() {
        if (mInverse) (this->*mInverse)();
    }
    // Latitude bands that follow from the set-up (see RangeNS).
    void BandNearSide(int32_t& north, int32_t& south) const;
    void BandFarSide(int32_t& north, int32_t& south) const;
    void BandConic(int32_t& north, int32_t& south) const;

    // Per projection, by index: set-up, forward, inverse.
    void SetUpGnomonic();
    void FwdGnomonic();
    void InvGnomonic();
    void SetUpStereographic();
    void FwdStereographic();
    void InvStereographic();
    void SetUpNearSide();
    void FwdNearSide();
    void InvNearSide();
    void SetUpFarSide();
    void FwdFarSide();
    void InvFarSide();
    void SetUpOrthographic();
    void FwdOrthographic();
    void InvOrthographic();
    void SetUpEquidistant();
    void FwdEquidistant();
    void InvEquidistant();
    void SetUpLambertAzimuthal();
    void FwdLambertAzimuthal();
    void InvLambertAzimuthal();
    void SetUpHammer();
    void FwdHammer();
    void InvHammer();
    void SetUpLatOffset(); // Aitoff and equirectangular
    void FwdAitoff();
    void InvAitoff();
    void SetUpCentralCylindrical();
    void FwdCentralCylindrical();
    void InvCentralCylindrical();
    void SetUpStereoCylindrical();
    void FwdStereoCylindrical();
    void InvStereoCylindrical();
    void FwdEquirectangular();
    void InvEquirectangular();
    void SetUpConformalCylindrical();
    void FwdConformalCylindrical();
    void InvConformalCylindrical();
    void SetUpMiller();
    void FwdMiller();
    void InvMiller();
    void SetUpEqualAreaCylindrical();
    void FwdEqualAreaCylindrical();
    void InvEqualAreaCylindrical();
    void SetUpSinusoidal(); // sinusoidal and Winkel tripel
    void FwdSinusoidal();
    void InvSinusoidal();
    void SetUpMollweide();
    void FwdMollweide();
    void InvMollweide();
    void SetUpEckert6();
    void FwdEckert6();
    void InvEckert6();
    void SetUpWagner7();
    void FwdWagner7();
    void InvBySearch(); // Wagner VII and Winkel tripel
    void FwdWinkel();
    // The forwards of 20 and 30 split into a latitude part, a longitude part
    // and their combination, so that the search can reuse the part that a
    // step leaves unchanged and still get the very same numbers.
    static void Wagner7Lat(double lat, double& p1, double& p2);
    static void Wagner7Lon(double lon, double& q1, double& q2);
    void Wagner7Combine(double p1, double p2, double q1, double q2);
    static void WinkelLat(double lat, double& p1, double& p2);
    static void WinkelLon(double lon, double& q1, double& q2);
    void WinkelCombine(double p1, double p2, double q1, double q2);
    void SetUpCentralConic();
    void FwdCentralConic();
    void InvCentralConic();
    void SetUpEquidistantConic();
    void FwdEquidistantConic();
    void InvEquidistantConic();
    void SetUpAlbers();
    void FwdAlbers();
    void InvAlbers();
    void SetUpLambertConic();
    void FwdLambertConic();
    void InvLambertConic();
    void SetUpBonne();
    void FwdBonne();
    void InvBonne();
    bool ConicCentreUsable() const;

    int16_t mPrj = 0;
    // The projection's steps, from its registry row (null before an index is set).
    void (clsVospProjector::*mForward)() = nullptr;
    void (clsVospProjector::*mInverse)() = nullptr;
    double mLon0 = 0;
    double mLat0 = 0;
    double mLight = 0;
    double mLon = 0;
    double mLat = 0;
    double mX = 0;
    double mY = 0;
    bool mValid = false;
    bool mSetUp = false;
    // The set-up has run for the current settings (successful or not), so a
    // failed one is not repeated for every point.
    bool mSetUpDone = false;
    bool mSouth = false;
    double mSign = 0;
    double mPolar0 = 0;
    double mYOffset = 0;
    double mLimit = 0;
    double mCone = 0;
    double mRho0 = 0;
    double mMaxPolar = 0;
    // Constants of single families, worked out by their set-ups.
    struct PerspectiveConsts {
        double horizon = 0; // largest polar distance shown: the horizon plus 15"
        double factor = 0;  // L - 1 on the near side, L + 1 on the far side
    };
    struct AlbersConsts {
        double twoOverCone = 0;
        double rho0Squared = 0; // of the centre's parallel
    };
    struct LambertConicConsts {
        double f = 0; // rho = f tan^n(p / 2)
    };
    PerspectiveConsts mPerspective;
    AlbersConsts mAlbers;
    LambertConicConsts mLambertConic;
    std::array<double, 37> mTheta{};

    // Work of one search: the parts last computed and the last image.
    struct SearchCache {
        double lat, p1, p2;
        double lon, q1, q2;
        double lastLon, lastLat, lastX, lastY;
    };
    SearchCache mSearch{};
};
