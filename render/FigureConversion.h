#pragma once
// Converts the lines and areas of a run of figures to canvas points on all
// cores ahead of their drawing, each worker with its own copy of the view
// (and so of the projector). The drawing takes each result in the original
// order; a figure whose first point the projection refuses is converted
// again at its turn, because the point form leaves such a point at the
// previous conversion's image and only the drawing order knows which that is.
#include "render/MapViewport.h"

#include <cstddef>
#include <atomic>
#include <functional>
#include <latch>
#include <memory>
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
        bool usable = false;
    };

    // Workers used (1 converts nothing ahead); all cores unless set.
    static int Threads();
    static void SetThreads(int threads);

    FigureConversion() = default;
    ~FigureConversion() { Wait(); }
    FigureConversion(const FigureConversion&) = delete;
    FigureConversion& operator=(const FigureConversion&) = delete;

    // Starts converting the figures' lists (figures without one are
    // skipped) on the workers and returns; Wait ends the run. A run too small
    // to pay for the workers converts nothing ahead.
    void Start(const MapViewport& view, std::vector<clsMapFigure*> figures, bool ring, Convert convert);
    void Wait();
    void Run(const MapViewport& view, std::vector<clsMapFigure*> figures, bool ring, Convert convert) {
        Start(view, std::move(figures), ring, std::move(convert));
        Wait();
    }
    // After Wait: the usable result for a figure, handed over once (asked
    // for in the run's order); null when it must be converted at its turn.
    // Valid until the next Start or Clear.
    Result* Take(const clsMapFigure* figure);
    void Clear() {
        Wait();
        figures_.clear();
        sources_.clear();
        out_.clear();
    }

private:
    void Work();

    // The run under way.
    MapViewport view_;
    std::vector<clsMapFigure*> figures_;
    std::vector<std::shared_ptr<clsPoly>> sources_;
    std::vector<Result> out_;
    size_t taken_ = 0; // where the drawing has got to in the run
    bool ring_ = false;
    Convert convert_;
    std::atomic<size_t> next_{0};
    std::unique_ptr<std::latch> done_;
};
