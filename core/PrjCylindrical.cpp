// The single-point forms come first, the list forms after them (see
// core/PrjLanes.h).
#include "core/PrjCylindrical.h"

#include "core/PrjLanes.h"
#include "core/PrjRow.h"

namespace Prj {

namespace {

constexpr double k85d15s = 1.483602586247345; // 85 degrees 0'15"

} // namespace

#ifndef VOSP_PRJ_LANES4

namespace {

CylinderConsts Consts(double yOffset, double limit) {
    CylinderConsts k;
    k.yOffset = yOffset;
    k.limit = limit;
    return k;
}

bool YInLimit(const CylinderConsts& c, double y) { return InRange(y, -c.limit, c.limit); }

} // namespace

// 10 central cylindrical: y = tan lat, up to 60 degrees 0'15"
std::optional<CylinderConsts> SetUpCentralCylindrical(const PrjCentre& c) {
    if (!InRange(c.lat0, -k60d15s, k60d15s)) return std::nullopt;
    return Consts(std::tan(c.lat0), std::tan(1.0471975511965967)); // tan 60 degrees
}

std::optional<UnitXY> FwdCentralCylindrical(const CylinderConsts&, double lon, double lat) {
    if (!InRange(lat, -k60d15s, k60d15s)) return std::nullopt;
    return UnitXY{lon, std::tan(lat)};
}

std::optional<LonLatRad> InvCentralCylindrical(const CylinderConsts& c, double x, double y) {
    if (!YInLimit(c, y)) return std::nullopt;
    return LonLatRad{x, std::atan(y)};
}

// 11 stereographic cylindrical: y = 2 tan(lat/2)
std::optional<CylinderConsts> SetUpStereoCylindrical(const PrjCentre& c) { return Consts(2 * std::tan(c.lat0 / 2), 2); }

std::optional<UnitXY> FwdStereoCylindrical(const CylinderConsts&, double lon, double lat) {
    return UnitXY{lon, 2 * std::tan(lat / 2)};
}

std::optional<LonLatRad> InvStereoCylindrical(const CylinderConsts& c, double x, double y) {
    if (!YInLimit(c, y)) return std::nullopt;
    return LonLatRad{x, 2 * std::atan(y / 2)};
}

// 12 equirectangular: y = lat
std::optional<CylinderConsts> SetUpEquirectangular(const PrjCentre& c) { return Consts(c.lat0, HalfPi); }

std::optional<UnitXY> FwdEquirectangular(const CylinderConsts&, double lon, double lat) { return UnitXY{lon, lat}; }

std::optional<LonLatRad> InvEquirectangular(const CylinderConsts& c, double x, double y) {
    if (!YInLimit(c, y)) return std::nullopt;
    return LonLatRad{x, y};
}

// 13 conformal cylindrical: y = ln tan(pi/4 + lat/2). The forward reaches
// 85 degrees 0'15" while the inverse stops at the image of 85 degrees.
std::optional<CylinderConsts> SetUpConformalCylindrical(const PrjCentre& c) {
    if (!InRange(c.lat0, -k85d15s, k85d15s)) return std::nullopt;
    return Consts(std::log(std::tan(kQuarterPi + c.lat0 / 2)), std::log(std::tan(kQuarterPi + 1.4835298641951786 / 2)));
}

std::optional<UnitXY> FwdConformalCylindrical(const CylinderConsts&, double lon, double lat) {
    if (!InRange(lat, -k85d15s, k85d15s)) return std::nullopt;
    return UnitXY{lon, std::log(std::tan(kQuarterPi + lat / 2))};
}

std::optional<LonLatRad> InvConformalCylindrical(const CylinderConsts& c, double x, double y) {
    if (!YInLimit(c, y)) return std::nullopt;
    return LonLatRad{x, 2 * (std::atan(std::exp(y)) - kQuarterPi)};
}

// 14 Miller: y = 1.25 ln tan(pi/4 + 0.4 lat); the poles stay finite.
std::optional<CylinderConsts> SetUpMiller(const PrjCentre& c) {
    return Consts(1.25 * std::log(std::tan(kQuarterPi + 0.4 * c.lat0)), 1.25 * std::log(std::tan(1.4137166941154056)));
}

std::optional<UnitXY> FwdMiller(const CylinderConsts&, double lon, double lat) {
    return UnitXY{lon, 1.25 * std::log(std::tan(kQuarterPi + 0.4 * lat))};
}

std::optional<LonLatRad> InvMiller(const CylinderConsts& c, double x, double y) {
    if (!YInLimit(c, y)) return std::nullopt;
    return LonLatRad{x, 2.5 * (std::atan(std::exp(0.8 * y)) - kQuarterPi)};
}

// 15 cylindrical equal-area with standard parallels at +-the centre latitude:
// x = lon cos(lat0), y = sin lat / cos(lat0).
std::optional<CylinderConsts> SetUpEqualAreaCylindrical(const PrjCentre& c) {
    if (!InRange(c.lat0, -k85d15s, k85d15s)) return std::nullopt;
    const double k = std::cos(c.lat0);
    CylinderConsts r = Consts(std::sin(c.lat0) / k, 1 / k);
    r.cosLat0 = k;
    return r;
}

std::optional<UnitXY> FwdEqualAreaCylindrical(const CylinderConsts& c, double lon, double lat) {
    return UnitXY{lon * c.cosLat0, std::sin(lat) / c.cosLat0};
}

std::optional<LonLatRad> InvEqualAreaCylindrical(const CylinderConsts& c, double x, double y) {
    if (!YInLimit(c, y)) return std::nullopt;
    return LonLatRad{x / c.cosLat0, ArcSin(y * c.cosLat0)};
}

#endif // VOSP_PRJ_LANES4

#if defined(__x86_64__)

// The list forms, each as its single-point form above.
template <class L>
void FwdCentralCylindricalList(const CylinderConsts&, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    Plain<T>(c, io, [](const V& lon, const V& lat, V& vx, V& vy) {
        vx = lon;
        vy = T::Tan(lat);
        return (lat >= -k60d15s) & (lat <= k60d15s);
    });
}

template <class L>
void InvCentralCylindricalList(const CylinderConsts&, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io) {
    using T = Lanes<L>;
    CylinderInv<T>(c, io, [](const typename T::V& y) { return T::Atan(y); });
}

template <class L>
void FwdStereoCylindricalList(const CylinderConsts&, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    Plain<T>(c, io, [](const V& lon, const V& lat, V& vx, V& vy) {
        vx = lon;
        vy = 2 * T::Tan(lat / 2);
        return Lane<T>::All(lon);
    });
}

template <class L>
void InvStereoCylindricalList(const CylinderConsts&, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io) {
    using T = Lanes<L>;
    CylinderInv<T>(c, io, [](const typename T::V& y) { return 2 * T::Atan(y / 2); });
}

template <class L>
void FwdEquirectangularList(const CylinderConsts&, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    Plain<T>(c, io, [](const V& lon, const V& lat, V& vx, V& vy) {
        vx = lon;
        vy = lat;
        return Lane<T>::All(lon);
    });
}

template <class L>
void InvEquirectangularList(const CylinderConsts&, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io) {
    using T = Lanes<L>;
    CylinderInv<T>(c, io, [](const typename T::V& y) { return y; });
}

template <class L>
void FwdConformalCylindricalList(const CylinderConsts&, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    Plain<T>(c, io, [](const V& lon, const V& lat, V& vx, V& vy) {
        vx = lon;
        vy = T::Log(T::Tan(kQuarterPi + lat / 2));
        return (lat >= -k85d15s) & (lat <= k85d15s);
    });
}

template <class L>
void InvConformalCylindricalList(const CylinderConsts&, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io) {
    using T = Lanes<L>;
    CylinderInv<T>(c, io, [](const typename T::V& y) { return 2 * (T::Atan(T::Exp(y)) - kQuarterPi); });
}

template <class L> void FwdMillerList(const CylinderConsts&, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    Plain<T>(c, io, [](const V& lon, const V& lat, V& vx, V& vy) {
        vx = lon;
        vy = 1.25 * T::Log(T::Tan(kQuarterPi + 0.4 * lat));
        return Lane<T>::All(lon);
    });
}

template <class L> void InvMillerList(const CylinderConsts&, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io) {
    using T = Lanes<L>;
    CylinderInv<T>(c, io, [](const typename T::V& y) { return 2.5 * (T::Atan(T::Exp(0.8 * y)) - kQuarterPi); });
}

template <class L>
void FwdEqualAreaCylindricalList(const CylinderConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    const double s = k.cosLat0;
    Plain<T>(c, io, [s](const V& lon, const V& lat, V& vx, V& vy) {
        vx = lon * s;
        vy = T::Sin(lat) / s;
        return Lane<T>::All(lon);
    });
}

template <class L>
void InvEqualAreaCylindricalList(const CylinderConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io) {
    using T = Lanes<L>;
    using V = typename T::V;
    const double s = k.cosLat0, m = c.limit;
    PlainInv<T>(c, io, [s, m](const V& x, const V& y, V& vlon, V& vlat) {
        vlon = x / s;
        vlat = ArcSinV<T>(y * s);
        return (y >= -m) & (y <= m);
    });
}

#endif

} // namespace Prj

// The registry's rows of this family.
#ifndef VOSP_PRJ_LANES4
VOSP_PRJ_ROW(cylinder, CentralCylindrical, Inverse);
VOSP_PRJ_ROW(cylinder, StereoCylindrical, Inverse);
VOSP_PRJ_ROW(cylinder, Equirectangular, Inverse);
VOSP_PRJ_ROW(cylinder, ConformalCylindrical, Inverse);
VOSP_PRJ_ROW(cylinder, Miller, Inverse);
VOSP_PRJ_ROW(cylinder, EqualAreaCylindrical, Inverse);
#endif
#if defined(__x86_64__)
VOSP_PRJ_FWD_LIST(cylinder, CentralCylindrical);
VOSP_PRJ_INV_LIST(cylinder, CentralCylindrical);
VOSP_PRJ_FWD_LIST(cylinder, StereoCylindrical);
VOSP_PRJ_INV_LIST(cylinder, StereoCylindrical);
VOSP_PRJ_FWD_LIST(cylinder, Equirectangular);
VOSP_PRJ_INV_LIST(cylinder, Equirectangular);
VOSP_PRJ_FWD_LIST(cylinder, ConformalCylindrical);
VOSP_PRJ_INV_LIST(cylinder, ConformalCylindrical);
VOSP_PRJ_FWD_LIST(cylinder, Miller);
VOSP_PRJ_INV_LIST(cylinder, Miller);
VOSP_PRJ_FWD_LIST(cylinder, EqualAreaCylindrical);
VOSP_PRJ_INV_LIST(cylinder, EqualAreaCylindrical);
#endif
