#pragma once
// Conic projections with one standard parallel through the centre, drawn
// around the pole on the centre's side: central (21), equidistant (23),
// Albers equal-area (24), Lambert conformal (25), and the pseudoconic Bonne
// (26). A cone touching within 3 degrees of the equator is refused.
#include "core/PrjBatch.h"
#include "core/PrjFamily.h"

#include <optional>

namespace Prj {

struct ConicConsts : PrjFrame {
    double sign = 0;     // as PrjCentre's
    double polar0 = 0;   // the centre's distance from the pole
    double rho0 = 0;     // plane radius of the centre's parallel
    double cone = 0;     // the longitudes' factor
    double maxPolar = 0; // largest polar distance shown
    // Albers (24) only
    double twoOverCone = 0;
    double rho0Squared = 0;
    // Lambert (25) only: rho = f tan^n(p / 2)
    double f = 0;
};

// Bonne's parallels are arcs around the apex, each drawn at its true length,
// so it has no cone constant of its own.
struct BonneConsts : PrjFrame {
    double sign = 0;
    double polar0 = 0;
    double rho0 = 0;
};

std::optional<ConicConsts> SetUpCentralConic(const PrjCentre& c);
std::optional<UnitXY> FwdCentralConic(const ConicConsts& c, double lon, double lat);
std::optional<LonLatRad> InvCentralConic(const ConicConsts& c, double x, double y);
std::optional<ConicConsts> SetUpEquidistantConic(const PrjCentre& c);
std::optional<UnitXY> FwdEquidistantConic(const ConicConsts& c, double lon, double lat);
std::optional<LonLatRad> InvEquidistantConic(const ConicConsts& c, double x, double y);
std::optional<ConicConsts> SetUpAlbers(const PrjCentre& c);
std::optional<UnitXY> FwdAlbers(const ConicConsts& c, double lon, double lat);
std::optional<LonLatRad> InvAlbers(const ConicConsts& c, double x, double y);
std::optional<ConicConsts> SetUpLambertConic(const PrjCentre& c);
std::optional<UnitXY> FwdLambertConic(const ConicConsts& c, double lon, double lat);
std::optional<LonLatRad> InvLambertConic(const ConicConsts& c, double x, double y);
std::optional<BonneConsts> SetUpBonne(const PrjCentre& c);
std::optional<UnitXY> FwdBonne(const BonneConsts& c, double lon, double lat);
std::optional<LonLatRad> InvBonne(const BonneConsts& c, double x, double y);

// The list forms (see core/PrjBatch.h), L lanes at a time.
template <class L>
void FwdCentralConicList(const ConicConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io);
template <class L>
void InvCentralConicList(const ConicConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io);
template <class L>
void FwdEquidistantConicList(const ConicConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io);
template <class L>
void InvEquidistantConicList(const ConicConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io);
template <class L> void FwdAlbersList(const ConicConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io);
template <class L> void InvAlbersList(const ConicConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io);
template <class L>
void FwdLambertConicList(const ConicConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io);
template <class L>
void InvLambertConicList(const ConicConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io);
template <class L> void FwdBonneList(const BonneConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io);
template <class L> void InvBonneList(const BonneConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io);

// The band of latitudes shown ends at the largest polar distance.
void BandConic(const ConicConsts& c, int32_t& north, int32_t& south);

} // namespace Prj
