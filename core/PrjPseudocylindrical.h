#pragma once
// Pseudocylindrical whole-globe projections in normal aspect: sinusoidal
// (16), Mollweide (17), Eckert VI (19), Wagner VII (20) and Winkel tripel
// (30). Mollweide and Eckert VI read their auxiliary angle from a 2.5-degree
// table instead of solving their equation per point; Wagner VII and Winkel
// tripel have no closed inverse and search for it.
#include "core/PrjBatch.h"
#include "core/PrjFamily.h"

#include <optional>

namespace Prj {

struct PseudoCylinderConsts : PrjFrame {
    // Mollweide's and Eckert VI's auxiliary angle at latitudes 0, 2.5, ...
    // 90 degrees (37 entries); null for the others.
    const double* theta = nullptr;
};

std::optional<PseudoCylinderConsts> SetUpSinusoidal(const PrjCentre& c);
std::optional<UnitXY> FwdSinusoidal(const PseudoCylinderConsts& c, double lon, double lat);
std::optional<LonLatRad> InvSinusoidal(const PseudoCylinderConsts& c, double x, double y);
std::optional<PseudoCylinderConsts> SetUpMollweide(const PrjCentre& c);
std::optional<UnitXY> FwdMollweide(const PseudoCylinderConsts& c, double lon, double lat);
std::optional<LonLatRad> InvMollweide(const PseudoCylinderConsts& c, double x, double y);
std::optional<PseudoCylinderConsts> SetUpEckert6(const PrjCentre& c);
std::optional<UnitXY> FwdEckert6(const PseudoCylinderConsts& c, double lon, double lat);
std::optional<LonLatRad> InvEckert6(const PseudoCylinderConsts& c, double x, double y);
std::optional<PseudoCylinderConsts> SetUpWagner7(const PrjCentre& c);
std::optional<UnitXY> FwdWagner7(const PseudoCylinderConsts& c, double lon, double lat);
// The searched inverses: where the walk finds no point it says in `stop`
// where it gave up.
std::optional<LonLatRad> InvWagner7(const PseudoCylinderConsts& c, double x, double y, SearchStop& stop);
std::optional<PseudoCylinderConsts> SetUpWinkel(const PrjCentre& c);
std::optional<UnitXY> FwdWinkel(const PseudoCylinderConsts& c, double lon, double lat);
std::optional<LonLatRad> InvWinkel(const PseudoCylinderConsts& c, double x, double y, SearchStop& stop);

// The list forms (see core/PrjBatch.h), L lanes at a time.
template <class L>
void FwdSinusoidalList(const PseudoCylinderConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io);
template <class L>
void InvSinusoidalList(const PseudoCylinderConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io);
template <class L>
void FwdMollweideList(const PseudoCylinderConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io);
template <class L>
void InvMollweideList(const PseudoCylinderConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io);
template <class L>
void FwdEckert6List(const PseudoCylinderConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io);
template <class L>
void InvEckert6List(const PseudoCylinderConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToSphere& io);
template <class L>
void FwdWagner7List(const PseudoCylinderConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io);
template <class L>
void FwdWinkelList(const PseudoCylinderConsts& k, const PrjBatch::Consts& c, const PrjBatch::ToPlane& io);

} // namespace Prj
