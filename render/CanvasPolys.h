#pragma once
// Point lists from map seconds of arc to canvas pixels in one view: cut to
// the field, points put in along curved projections, projected, and the
// points that add nothing dropped. Lines and areas of every drawing, the
// conversion ahead on the other cores included, go through here.
#include "render/FigureConversion.h"
#include "render/ListArena.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

class MapViewport;
class clsPoly;

class CanvasPolys {
public:
    // The pitches are millimetres of the output (PlotOptions). `prepared`
    // lists come already cut for the plane (the base-map layers): a
    // full-width edge there is meant as drawn.
    CanvasPolys(int32_t chopPitch, int32_t flatPitch, bool prepared = false)
        : chopPitch_(chopPitch), flatPitch_(flatPitch), prepared_(prepared) {}

    // The list in canvas pixels, or null when nothing of it reaches the field.
    std::shared_ptr<clsPoly> PolyMapToCanvas(MapViewport& view, clsPoly& poly,
                                             FigureConversion::Trace* trace = nullptr) const;
    // As PolyMapToCanvas, but a list with a step of more than half a turn (a
    // ring stored across the date line) is drawn from its continuous form:
    // a ring as one copy per turn that reaches the field (closed over the
    // pole when it winds about one), a line cut at the view's seams. Empty
    // in the shifted pass of a wrap-around drawing, where the unshifted pass
    // has already drawn every copy.
    std::vector<std::shared_ptr<clsPoly>> PolysMapToCanvas(MapViewport& view, clsPoly& poly, bool ring,
                                                           FigureConversion::Trace* trace = nullptr) const;
    // The same lists, kept in `into` as the current figure's: no allocation
    // of their own.
    std::optional<ListArena::List> PolyMapToCanvas(MapViewport& view, clsPoly& poly, ListArena& into,
                                                   FigureConversion::Trace* trace = nullptr) const;
    std::span<const ListArena::List> PolysMapToCanvas(MapViewport& view, clsPoly& poly, bool ring, ListArena& into,
                                                      FigureConversion::Trace* trace = nullptr) const;

private:
    // The canvas list into `out`; false when nothing of it reaches the field.
    bool Convert(MapViewport& view, clsPoly& poly, FigureConversion::Trace* trace, clsPoly& out) const;
    // Hands each part PolyMapToCanvas is to convert to `add`.
    template <class Add>
    void Parts(MapViewport& view, clsPoly& poly, bool ring, Add add) const;

    int32_t chopPitch_;
    int32_t flatPitch_;
    bool prepared_;
};
