#pragma once
// Converts the lines and areas of a run of figures to canvas points on the
// other cores ahead of their drawing, each worker with its own copy of the
// view (and so of the projector), a chunk of figures at a time. The drawing
// takes each result in the original order, waiting for a chunk under way and
// converting the figures of one not yet begun itself; a figure whose first point the projection refuses is converted
// again at its turn, because the point form leaves such a point at the
// previous conversion's image and only the drawing order knows which that is.
#include "render/ListArena.h"
#include "render/MapViewport.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
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
    using Lists = std::span<const ListArena::List>;
    // Keeps the lists it makes in `into`, as its current figure's.
    using Convert = std::function<Lists(MapViewport& view, clsPoly& poly, bool ring, ListArena& into, Trace& trace)>;

    struct Result {
        // In the arena of the worker that made them, which reuses their room
        // once Release has passed them: borrow, do not keep.
        Lists lists;
        // The projector as the conversion left it, for the next conversion.
        clsVospProjector::Trail after;
        bool projected = false;
        bool usable = false;
    };

    // Threads used, the drawing thread included (1 converts nothing ahead);
    // all cores unless set.
    static int Threads();
    static void SetThreads(int threads);

    FigureConversion() = default;
    ~FigureConversion() { Clear(); }
    FigureConversion(const FigureConversion&) = delete;
    FigureConversion& operator=(const FigureConversion&) = delete;

    // Starts converting the figures' lists (`sources`, taken already with
    // their bounding boxes filled; null for none) on the workers and
    // returns. A run too small to pay for the workers converts nothing ahead.
    void Start(const MapViewport& view, std::vector<clsMapFigure*> figures,
               std::vector<std::shared_ptr<clsPoly>> sources, bool ring, Convert convert);
    // Waits until the workers have converted every figure, for a run that
    // fits in the look-ahead; a longer one is converted as the drawing takes
    // it, and this returns at once.
    void Wait();
    // The result for a figure, handed over once (asked for in the run's
    // order), after waiting for its conversion when a worker has begun it;
    // null when it must be converted at its turn. Valid until the next Start
    // or Clear.
    Result* Take(const clsMapFigure* figure);
    // The results of the run's figures before position k are no longer read
    // (they are drawn elsewhere, after their taking).
    void Release(size_t k);
    // Ends the run: unbegun conversions are dropped, the workers waited for,
    // and the results freed off the drawing thread.
    void Clear();

private:
    enum : uint8_t { Free, Busy, Done, Mine };
    // Shared by the workers of one run; outlives the run while they finish.
    // The run is cut into chunks of figures: a chunk is converted by one
    // worker, or left whole to the drawing, and its end is told once, so
    // that the cores do not trade a cache line for every figure.
    struct Batch {
        MapViewport view;
        std::vector<std::shared_ptr<clsPoly>> sources;
        size_t n = 0; // figures of the run
        // Figure k's result in slot k % out.size(): no more are under way
        // than the workers may run ahead, and a slot is taken again only
        // after the drawing has taken its figure. A full ring's size is a
        // power of two (the drawing finds each result without a division);
        // a run no longer than the ring has a slot per figure.
        std::vector<Result> out;
        size_t mask = SIZE_MAX;
        Result& At(size_t k) { return out[k & mask]; }
        const Result& At(size_t k) const { return out[k & mask]; }
        std::unique_ptr<std::atomic<uint8_t>[]> state; // per chunk
        size_t chunks = 0;
        bool ring = false;
        Convert convert;
        // Each counter on a line of its own: the workers' claims would
        // otherwise keep taking away the line the drawing reads.
        alignas(64) std::atomic<size_t> next{0}; // the next chunk to claim
        alignas(64) std::atomic<size_t> taken{0}; // where the drawing has got to
        std::atomic<size_t> passed{0}; // results before this one are no longer read
        alignas(64) std::atomic<int> held{0};      // workers waiting for the drawing
        std::atomic<int> waiting{0};   // the drawing waits for a worker
        std::atomic<bool> stop{false};
        alignas(64) std::unique_ptr<std::latch> converted; // no chunk left to claim
        std::unique_ptr<std::latch> done;                  // the workers have left
    };
    static void Work(Batch& run);
    static void ConvertChunk(Batch& run, MapViewport& own, ListArena& arena, size_t chunk);
    // Converts the chunk unless the drawing or a worker has claimed it, and
    // tells its end to a drawing waiting for it; false when claimed.
    static bool ClaimAndConvert(Batch& run, MapViewport& own, ListArena& arena, size_t chunk);
    static void Prefetch(const Batch& run, size_t k);
    // The state of the chunk of figure k as the drawing finds it: Done, or
    // Mine when the drawing converts its figures itself.
    uint8_t Reach(size_t chunk);
    // Converts the next chunk no worker has claimed, on the drawing thread
    // while it would otherwise wait (with few workers); false when none is
    // left or it is not worth it.
    bool Help();

    std::shared_ptr<Batch> run_;
    std::vector<clsMapFigure*> figures_;
    size_t taken_ = 0;
    // The last chunk the drawing reached, and what it found.
    size_t reached_ = SIZE_MAX;
    uint8_t reachedState_ = Free;
    // The drawing's copy of the run's view for the chunks it helps with.
    std::unique_ptr<MapViewport> helper_;
    std::unique_ptr<ListArena> helperArena_;
};
