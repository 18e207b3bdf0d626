#pragma once
// The definitions of PrjRow's calls, for the family files only: each
// instantiates its own rows with the macro below (its list forms with those
// of core/PrjLanes.h) after defining its functions, which are compiled into
// them (see core/CMakeLists.txt), so a row costs one call per point.
#include "core/PrjRegistry.h"

namespace PrjRow {

template <auto Member, auto F> const Prj::PrjFrame* SetUp(const Prj::PrjCentre& centre, PrjConsts& consts) {
    const auto c = F(centre);
    if (!c) return nullptr;
    consts.*Member = *c;
    return &(consts.*Member);
}

template <auto Member, auto F> bool Forward(const PrjConsts& consts, double lon, double lat, Prj::UnitXY& last) {
    return Keep(F(consts.*Member, lon, lat), last);
}

template <auto Member, auto F> bool Inverse(const PrjConsts& consts, double x, double y, Prj::LonLatRad& last) {
    return Keep(F(consts.*Member, x, y), last);
}

template <auto Member, auto F> bool Search(const PrjConsts& consts, double x, double y, Prj::LonLatRad& last) {
    Prj::SearchStop stop;
    const std::optional<Prj::LonLatRad> r = F(consts.*Member, x, y, stop);
    if (!r && stop.walked) last = stop.at;
    return Keep(r, last);
}

// A row's list forms, K the family's list form for one lane width.
template <auto Member, auto K> void ForwardList(const PrjBatch::Consts& c, const PrjBatch::ToPlane& io) {
    K(c.families->*Member, c, io);
}

template <auto Member, auto K> void InverseList(const PrjBatch::Consts& c, const PrjBatch::ToSphere& io) {
    K(c.families->*Member, c, io);
}

} // namespace PrjRow

// The row of the projection whose functions are SetUpName, FwdName and
// InvName (InverseCall: Inverse, or Search for a searched inverse), its
// constants kept in PrjConsts::member.
#define VOSP_PRJ_ROW(member, Name, InverseCall)                                                                        \
    template const Prj::PrjFrame* PrjRow::SetUp<&PrjConsts::member, &Prj::SetUp##Name>(const Prj::PrjCentre&,          \
                                                                                       PrjConsts&);                    \
    template bool PrjRow::Forward<&PrjConsts::member, &Prj::Fwd##Name>(const PrjConsts&, double, double,               \
                                                                       Prj::UnitXY&);                                  \
    template bool PrjRow::InverseCall<&PrjConsts::member, &Prj::Inv##Name>(const PrjConsts&, double, double,           \
                                                                           Prj::LonLatRad&)
