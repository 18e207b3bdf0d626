#pragma once
// The one list of the 30 projection indexes: for each its property word, its
// standard Japanese name, its set-up, forward, inverse and latitude band,
// and its list forms. Indexes 18, 22 and 27-29 are listed without an implementation
// (property word 0); every other list of projections in the program is
// derived from this one.
#include "core/PrjAzimuthal.h"
#include "core/PrjBatch.h"
#include "core/PrjConic.h"
#include "core/PrjCylindrical.h"
#include "core/PrjPseudocylindrical.h"

#include <cstdint>
#include <optional>

// One set of constants per family, each as its family's last successful
// set-up left it; a projection reads its own family's only.
struct PrjConsts {
    Prj::AzimuthalConsts azimuthal;
    Prj::PerspectiveConsts perspective;
    Prj::CylinderConsts cylinder;
    Prj::PseudoCylinderConsts pseudo;
    Prj::ConicConsts conic;
    Prj::BonneConsts bonne;
};

// The calls from a row into its family, Member naming where the family's
// constants are kept and F the family's function. Each family's file
// instantiates them for its own rows (see core/PrjRow.h), so that the pure
// function is compiled into them.
namespace PrjRow {
template <auto Member, auto F> const Prj::PrjFrame* SetUp(const Prj::PrjCentre& centre, PrjConsts& consts);
template <auto Member, auto F> bool Forward(const PrjConsts& consts, double lon, double lat, Prj::UnitXY& last);
template <auto Member, auto F> bool Inverse(const PrjConsts& consts, double x, double y, Prj::LonLatRad& last);
template <auto Member, auto F> bool Search(const PrjConsts& consts, double x, double y, Prj::LonLatRad& last);
template <auto Member, auto K> void ForwardList(const PrjBatch::Consts& c, const PrjBatch::ToPlane& io);
template <auto Member, auto K> void InverseList(const PrjBatch::Consts& c, const PrjBatch::ToSphere& io);

// An accepted point replaces the last one; a refused one leaves it (see
// clsVospProjector).
inline bool Keep(const std::optional<Prj::UnitXY>& r, Prj::UnitXY& last) {
    if (r) {
        last.x = r->x;
        last.y = r->y;
    }
    return r.has_value();
}
inline bool Keep(const std::optional<Prj::LonLatRad>& r, Prj::LonLatRad& last) {
    if (r) {
        last.lon = r->lon;
        last.lat = r->lat;
    }
    return r.has_value();
}
} // namespace PrjRow

class PrjRegistry {
public:
    // A row's functions, PrjRow's calls into its family. The set-up stores
    // its constants only when it succeeds, and gives their frame then (null
    // otherwise). A conversion writes its result into `last` and says True;
    // a refused point leaves `last` alone, except that a searched inverse
    // writes where its failed walk stopped.
    using SetUp = const Prj::PrjFrame* (*)(const Prj::PrjCentre& centre, PrjConsts& consts);
    using Forward = bool (*)(const PrjConsts& consts, double lon, double lat, Prj::UnitXY& last);
    using Inverse = bool (*)(const PrjConsts& consts, double x, double y, Prj::LonLatRad& last);
    using Band = void (*)(const PrjConsts& consts, double light, int32_t& north, int32_t& south);

    struct Entry {
        int16_t index;
        int32_t status;
        const char16_t* name;
        SetUp setUp;
        Forward forward;
        Inverse inverse;
        // The band of latitudes on the centre's side in seconds of arc;
        // worked out from the set-up instead when `band` is set.
        int32_t north;
        int32_t south;
        Band band;
        // The list forms two and four lanes at a time; null where the
        // projection goes point by point.
        PrjBatch::Kernel forward2, forward4;
        PrjBatch::InvKernel inverse2, inverse4;
    };

    // The row of an index 1..30, implemented or not; null outside.
    static const Entry* Catalogued(int16_t index);
    // The row of an implemented projection; null otherwise.
    static const Entry* Implemented(int16_t index);

private:
    static const Entry kEntries[30];
};
