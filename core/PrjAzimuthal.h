#pragma once
// Azimuthal projections in polar aspect (1-7) and the two whole-globe ovals
// made from an equatorial azimuthal one by halving the longitudes (8, 9).
#include "core/PrjBatch.h"
#include "core/PrjFamily.h"

#include <optional>

namespace Prj {

struct AzimuthalConsts : PrjFrame {
    double sign = 0; // as PrjCentre's
};

// The perspectives (3, 4): the eye `light` radii from the centre of the
// sphere, on the centre's side (3) or beyond the opposite pole (4).
struct PerspectiveConsts : PrjFrame {
    double sign = 0;
    bool south = false;
    double light = 0;
    double horizon = 0; // largest polar distance shown: the horizon plus 15"
    double factor = 0;  // L - 1 on the near side, L + 1 on the far side
};

std::optional<AzimuthalConsts> SetUpGnomonic(const PrjCentre& c);
std::optional<UnitXY> FwdGnomonic(const AzimuthalConsts& c, double lon, double lat);
std::optional<LonLatRad> InvGnomonic(const AzimuthalConsts& c, double x, double y);
std::optional<AzimuthalConsts> SetUpStereographic(const PrjCentre& c);
std::optional<UnitXY> FwdStereographic(const AzimuthalConsts& c, double lon, double lat);
std::optional<LonLatRad> InvStereographic(const AzimuthalConsts& c, double x, double y);
std::optional<PerspectiveConsts> SetUpNearSide(const PrjCentre& c);
std::optional<UnitXY> FwdNearSide(const PerspectiveConsts& c, double lon, double lat);
std::optional<LonLatRad> InvNearSide(const PerspectiveConsts& c, double x, double y);
std::optional<PerspectiveConsts> SetUpFarSide(const PrjCentre& c);
std::optional<UnitXY> FwdFarSide(const PerspectiveConsts& c, double lon, double lat);
std::optional<LonLatRad> InvFarSide(const PerspectiveConsts& c, double x, double y);
std::optional<AzimuthalConsts> SetUpOrthographic(const PrjCentre& c);
std::optional<UnitXY> FwdOrthographic(const AzimuthalConsts& c, double lon, double lat);
std::optional<LonLatRad> InvOrthographic(const AzimuthalConsts& c, double x, double y);
std::optional<AzimuthalConsts> SetUpEquidistant(const PrjCentre& c);
std::optional<UnitXY> FwdEquidistant(const AzimuthalConsts& c, double lon, double lat);
std::optional<LonLatRad> InvEquidistant(const AzimuthalConsts& c, double x, double y);
std::optional<AzimuthalConsts> SetUpLambertAzimuthal(const PrjCentre& c);
std::optional<UnitXY> FwdLambertAzimuthal(const AzimuthalConsts& c, double lon, double lat);
std::optional<LonLatRad> InvLambertAzimuthal(const AzimuthalConsts& c, double x, double y);
std::optional<AzimuthalConsts> SetUpHammer(const PrjCentre& c);
std::optional<UnitXY> FwdHammer(const AzimuthalConsts& c, double lon, double lat);
std::optional<LonLatRad> InvHammer(const AzimuthalConsts& c, double x, double y);
std::optional<AzimuthalConsts> SetUpAitoff(const PrjCentre& c);
std::optional<UnitXY> FwdAitoff(const AzimuthalConsts& c, double lon, double lat);
std::optional<LonLatRad> InvAitoff(const AzimuthalConsts& c, double x, double y);

// The list forms (see core/PrjBatch.h), L lanes at a time.
template <class L>
void FwdGnomonicList(const AzimuthalConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io);
template <class L>
void InvGnomonicList(const AzimuthalConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io);
template <class L>
void FwdStereographicList(const AzimuthalConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io);
template <class L>
void InvStereographicList(const AzimuthalConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io);
template <class L>
void FwdNearSideList(const PerspectiveConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io);
template <class L>
void InvNearSideList(const PerspectiveConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io);
template <class L>
void FwdFarSideList(const PerspectiveConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io);
template <class L>
void InvFarSideList(const PerspectiveConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io);
template <class L>
void FwdOrthographicList(const AzimuthalConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io);
template <class L>
void InvOrthographicList(const AzimuthalConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io);
template <class L>
void FwdEquidistantList(const AzimuthalConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io);
template <class L>
void InvEquidistantList(const AzimuthalConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io);
template <class L>
void FwdLambertAzimuthalList(const AzimuthalConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io);
template <class L>
void InvLambertAzimuthalList(const AzimuthalConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io);
template <class L> void FwdHammerList(const AzimuthalConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io);
template <class L>
void InvHammerList(const AzimuthalConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io);
template <class L> void FwdAitoffList(const AzimuthalConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io);
template <class L>
void InvAitoffList(const AzimuthalConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io);

// The perspectives' latitude bands follow from the viewing distance alone.
void BandNearSide(double light, int32_t& north, int32_t& south);
void BandFarSide(double light, int32_t& north, int32_t& south);

} // namespace Prj
