#pragma once
// Converts the lines and areas of a run of figures to canvas points on all
// cores ahead of their drawing, each worker with its own copy of the view
// (and so of the projector). The drawing takes each result in the original
// order; a figure whose first point the projection refuses is converted
// again at its turn, because the point form leaves such a point at the
// previous conversion's image and only the drawing order knows which that is.
#include "render/MapViewport.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

class clsMapFigure;
class clsPoly;

class FigureConversion {
public:
    // What a conversion reports about its projections.
    struct Trace {
        bool projected = false;    // some point went through the projector
        bool firstRefused = false; // and the first of them was refused
    };
    using Polys = std::vector<std::shared_ptr<clsPoly>>;
    using Convert = std::function<Polys(MapViewport& view, clsPoly& poly, bool ring, Trace& trace)>;

    struct Result {
        Polys polys;
        // The projector as the conversion left it, for the next conversion.
        clsVospProjector after;
        bool projected = false;
    };

    // Workers used (1 converts nothing ahead); all cores unless set.
    static int Threads();
    static void SetThreads(int threads);

    // Converts the figures' lists (figures without one are skipped).
    void Run(const MapViewport& view, const std::vector<clsMapFigure*>& figures, bool ring,
             const Convert& convert);
    // The usable result for a figure, handed over once; null when it must be
    // converted at its turn.
    std::unique_ptr<Result> Take(const clsMapFigure* figure);
    void Clear() { results_.clear(); }

private:
    std::unordered_map<const clsMapFigure*, std::unique_ptr<Result>> results_;
};
