#pragma once
// Cylindrical projections in normal aspect (10-15): x is the longitude from
// the centre meridian, y a function of the latitude; the set-up puts the
// centre on y = 0 and sets the largest |y| an inverse accepts.
#include "core/PrjBatch.h"
#include "core/PrjFamily.h"

#include <optional>

namespace Prj {

struct CylinderConsts : PrjFrame {
    double cosLat0 = 0; // the equal-area one's (15) stretch of x
};

std::optional<CylinderConsts> SetUpCentralCylindrical(const PrjCentre& c);
std::optional<UnitXY> FwdCentralCylindrical(const CylinderConsts& c, double lon, double lat);
std::optional<LonLatRad> InvCentralCylindrical(const CylinderConsts& c, double x, double y);
std::optional<CylinderConsts> SetUpStereoCylindrical(const PrjCentre& c);
std::optional<UnitXY> FwdStereoCylindrical(const CylinderConsts& c, double lon, double lat);
std::optional<LonLatRad> InvStereoCylindrical(const CylinderConsts& c, double x, double y);
std::optional<CylinderConsts> SetUpEquirectangular(const PrjCentre& c);
std::optional<UnitXY> FwdEquirectangular(const CylinderConsts& c, double lon, double lat);
std::optional<LonLatRad> InvEquirectangular(const CylinderConsts& c, double x, double y);
std::optional<CylinderConsts> SetUpConformalCylindrical(const PrjCentre& c);
std::optional<UnitXY> FwdConformalCylindrical(const CylinderConsts& c, double lon, double lat);
std::optional<LonLatRad> InvConformalCylindrical(const CylinderConsts& c, double x, double y);
std::optional<CylinderConsts> SetUpMiller(const PrjCentre& c);
std::optional<UnitXY> FwdMiller(const CylinderConsts& c, double lon, double lat);
std::optional<LonLatRad> InvMiller(const CylinderConsts& c, double x, double y);
std::optional<CylinderConsts> SetUpEqualAreaCylindrical(const PrjCentre& c);
std::optional<UnitXY> FwdEqualAreaCylindrical(const CylinderConsts& c, double lon, double lat);
std::optional<LonLatRad> InvEqualAreaCylindrical(const CylinderConsts& c, double x, double y);

// The list forms (see core/PrjBatch.h), L lanes at a time.
template <class L>
void FwdCentralCylindricalList(const CylinderConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io);
template <class L>
void InvCentralCylindricalList(const CylinderConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io);
template <class L>
void FwdStereoCylindricalList(const CylinderConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io);
template <class L>
void InvStereoCylindricalList(const CylinderConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io);
template <class L>
void FwdEquirectangularList(const CylinderConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io);
template <class L>
void InvEquirectangularList(const CylinderConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io);
template <class L>
void FwdConformalCylindricalList(const CylinderConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io);
template <class L>
void InvConformalCylindricalList(const CylinderConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io);
template <class L> void FwdMillerList(const CylinderConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io);
template <class L> void InvMillerList(const CylinderConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io);
template <class L>
void FwdEqualAreaCylindricalList(const CylinderConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io);
template <class L>
void InvEqualAreaCylindricalList(const CylinderConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io);

} // namespace Prj
