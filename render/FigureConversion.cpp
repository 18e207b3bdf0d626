#include "render/FigureConversion.h"

#include "core/clsPoly.h"
#include "document/clsMapFigure.h"
#include "render/RenderWorkers.h"

#include <QThread>
#include <QThreadPool>
#include <algorithm>

namespace {

int gThreads = 0; // 0: one per core

// How far (in figures) the workers may run ahead of the drawing, so that a
// large map does not hold all its converted lists at once.
constexpr size_t kAhead = 8192;
// The drawing tells the workers where it is every this many figures; a
// telling wakes the workers held back, a system call for each.
constexpr size_t kTell = 512;
// A worker claims this many figures at a time, so that the claims do not
// queue on one counter and a result's neighbours are written by one core.
constexpr size_t kChunk = 16;


// Frees finished runs, whose lists were made on the workers, off the
// drawing thread.
QThreadPool& Sweeper() {
    static QThreadPool& pool = [] () -> QThreadPool& {
        static QThreadPool p;
        p.setMaxThreadCount(1);
        return p;
    }();
    return pool;
}

// Hands `free` (which frees what it holds) to the sweeper, or runs it here
// when the sweeper is behind, so that what waits to be freed stays bounded.
std::atomic<int> gSweeping{0};
template <class Free>
void SweepAway(Free free) {
    if (gSweeping.load() >= 2) {
        free();
        return;
    }
    ++gSweeping;
    Sweeper().start([free]() mutable {
        free();
        --gSweeping;
    });
}

} // namespace

int FigureConversion::Threads() { return gThreads > 0 ? gThreads : std::max(1, QThread::idealThreadCount()); }

void FigureConversion::SetThreads(int threads) { gThreads = std::max(0, threads); }

void FigureConversion::Start(const MapViewport& view, std::vector<clsMapFigure*> figures,
                             std::vector<std::shared_ptr<clsPoly>> sources, bool ring, Convert convert) {
    Clear();
    const size_t n = figures.size();
    const int threads = Threads();
    if (threads < 2 || n == 0 || sources.size() != n) return;
    // Waking the workers costs about as much as converting this many points.
    constexpr int64_t kWorth = 4096;
    int64_t points = 0;
    for (size_t i = 0; i < n && points < kWorth; ++i)
        if (sources[i]) points += sources[i]->Count();
    if (points < kWorth) return;
    auto run = std::make_shared<Batch>();
    run->sources = std::move(sources);
    run->view = view;
    run->out.resize(n);
    constexpr size_t kLine = 64;
    run->stateBlock = std::make_unique<std::atomic<uint8_t>[]>(n + kLine);
    const auto at = reinterpret_cast<uintptr_t>(run->stateBlock.get());
    run->state = run->stateBlock.get() + (kLine - at % kLine) % kLine;
    run->ring = ring;
    run->convert = std::move(convert);
    figures_ = std::move(figures);
    const int workers = int(std::min<size_t>(size_t(threads - 1), n));
    run->done = std::make_unique<std::latch>(workers);
    QThreadPool& pool = RenderWorkers::Pool();
    if (pool.maxThreadCount() < workers) pool.setMaxThreadCount(workers);
    run_ = run;
    for (int h = 0; h < workers; ++h)
        pool.start([run] {
            Work(*run);
            run->done->count_down();
        });
}

void FigureConversion::Work(Batch& run) {
    MapViewport own = run.view;
    const size_t n = run.out.size();
    // The lists this worker made, freed here once the drawing has passed
    // them: by the thread that allocated them, and not by the drawing.
    std::vector<size_t> made;
    size_t freed = 0;
    size_t i = 0, last = 0;
    while (!run.stop.load(std::memory_order_relaxed)) {
        if (i == last) {
            i = run.next.fetch_add(kChunk, std::memory_order_relaxed);
            if (i >= n) break;
            last = std::min(i + kChunk, n);
        }
        const size_t k = i++;
        if (k >= kAhead && run.taken.load(std::memory_order_acquire) <= k - kAhead) {
            ++run.held;
            for (size_t t = run.taken.load(); t <= k - kAhead && !run.stop.load(); t = run.taken.load())
                run.taken.wait(t);
            --run.held;
        }
        for (const size_t passed = run.passed.load(std::memory_order_acquire);
             freed < made.size() && made[freed] < passed; ++freed)
            Polys().swap(run.out[made[freed]].polys);
        uint8_t expected = Free;
        if (!run.sources[k] || !run.state[k].compare_exchange_strong(expected, Busy)) continue;
        Result& r = run.out[k];
        try {
            Trace trace;
            r.polys = run.convert(own, *run.sources[k], run.ring, trace);
            if (trace.firstRefused) {
                r.polys.clear();
            } else {
                r.projected = trace.projected;
                if (r.projected) r.after = own.projector.TrailOf();
                r.usable = true;
            }
        } catch (...) {
            // Converted again at its turn, where the error is reported.
            r.polys.clear();
        }
        if (!r.polys.empty()) made.push_back(k);
        run.state[k].store(Done);
        if (run.waiting.load()) run.state[k].notify_all();
    }
}

// The drawing reads each result once, straight after a worker wrote it on
// another core: fetch the next few a step at a time, each step's pointers
// having come in with the step before.
void FigureConversion::Prefetch(const Batch& run, size_t k) {
    const size_t n = run.out.size();
    auto done = [&](size_t i) { return i < n && run.state[i].load(std::memory_order_acquire) == Done; };
    if (k + 16 < n) __builtin_prefetch(&run.out[k + 16]);
    if (done(k + 12) && !run.out[k + 12].polys.empty()) __builtin_prefetch(run.out[k + 12].polys.data());
    if (done(k + 8))
        for (const auto& p : run.out[k + 8].polys) __builtin_prefetch(p.get());
    if (done(k + 4))
        for (const auto& p : run.out[k + 4].polys) __builtin_prefetch(p->Points());
}

void FigureConversion::Wait() {
    if (!run_) return;
    // No longer held back by the drawing.
    run_->taken.store(SIZE_MAX, std::memory_order_release);
    run_->taken.notify_all();
    run_->done->wait();
}

FigureConversion::Result* FigureConversion::Take(const clsMapFigure* figure) {
    if (!run_) return nullptr;
    Batch& run = *run_;
    for (size_t k = taken_; k < figures_.size(); ++k) {
        if (figures_[k] != figure) continue;
        taken_ = k + 1;
        if (taken_ % kTell == 0) {
            run.taken.store(taken_);
            if (run.held.load()) run.taken.notify_all();
        }
        Prefetch(run, k);
        std::atomic<uint8_t>& state = run.state[k];
        uint8_t s = Free;
        // Not begun: cheaper to convert here than to wait for a worker.
        if (state.compare_exchange_strong(s, Mine)) return nullptr;
        if (s == Busy) {
            ++run.waiting;
            for (s = state.load(); s == Busy; s = state.load()) state.wait(Busy);
            --run.waiting;
        }
        return run.out[k].usable ? &run.out[k] : nullptr;
    }
    return nullptr;
}

void FigureConversion::Release(size_t k) {
    if (run_) run_->passed.store(k, std::memory_order_release);
}

void FigureConversion::Clear() {
    figures_.clear();
    taken_ = 0;
    if (!run_) return;
    std::shared_ptr<Batch> run = std::move(run_);
    run->stop = true;
    run->taken.store(SIZE_MAX, std::memory_order_release);
    run->taken.notify_all();
    run->done->wait();
    SweepAway([run] {
        run->out.clear();
        run->sources.clear();
    });
}
