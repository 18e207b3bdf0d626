#include "render/FigureConversion.h"

#include "core/clsPoly.h"
#include "document/clsMapFigure.h"
#include "render/RenderWorkers.h"

#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <mutex>

namespace {

int gThreads = 0; // 0: one per core

// Figures per chunk: claimed, converted and told done as one, so that the
// claims and the tellings do not queue on shared lines and a result's
// neighbours are written by one core; small enough that the drawing seldom
// waits long for the chunk it has reached.
constexpr size_t kChunk = 16;
// Results held at once: a worker starts a chunk only while its first figure
// is less than kAhead past the last one the drawing told it has taken, and
// the drawing tells no figure before it is done with its result.
constexpr size_t kRing = 8192;
static_assert((kRing & (kRing - 1)) == 0);
// How far (in figures) the workers may run ahead of the drawing, so that a
// large map does not hold all its converted lists at once.
constexpr size_t kAhead = kRing - 2 * kChunk;
// The drawing tells the workers where it is every this many figures; a
// telling wakes the workers held back, a system call for each.
constexpr size_t kTell = 512;

// Frees finished runs (their tables, and the map's lists the drawing
// converted itself) off the drawing thread.
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

// The workers' arenas, each lent to one worker at a time and kept for the
// next runs with the room they grew to.
std::mutex gArenasLock;
std::vector<std::unique_ptr<ListArena>> gArenas;

std::unique_ptr<ListArena> LendArena() {
    {
        const std::lock_guard lock(gArenasLock);
        if (!gArenas.empty()) {
            std::unique_ptr<ListArena> a = std::move(gArenas.back());
            gArenas.pop_back();
            return a;
        }
    }
    return std::make_unique<ListArena>();
}

void GiveBack(std::unique_ptr<ListArena> arena) {
    arena->Watch(nullptr);
    arena->Reset();
    const std::lock_guard lock(gArenasLock);
    gArenas.push_back(std::move(arena));
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
    run->n = n;
    run->out.resize(std::min(n, kRing));
    if (n > kRing) run->mask = kRing - 1;
    run->chunks = (n + kChunk - 1) / kChunk;
    run->state = std::make_unique<std::atomic<uint8_t>[]>(run->chunks);
    run->ring = ring;
    run->convert = std::move(convert);
    figures_ = std::move(figures);
    const int workers = int(std::min<size_t>(size_t(threads - 1), run->chunks));
    run->converted = std::make_unique<std::latch>(workers);
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

void FigureConversion::ConvertChunk(Batch& run, MapViewport& own, ListArena& arena, size_t chunk) {
    const size_t end = std::min((chunk + 1) * kChunk, run.n);
    for (size_t k = chunk * kChunk; k < end; ++k) {
        Result& r = run.At(k);
        r = Result();
        if (!run.sources[k]) continue;
        // The map's list is let go here, while it is still in this core's
        // cache, and not by the one thread that ends the run.
        const std::shared_ptr<clsPoly> source = std::move(run.sources[k]);
        arena.Begin(k);
        try {
            Trace trace;
            r.lists = run.convert(own, *source, run.ring, arena, trace);
            if (trace.firstRefused) {
                r.lists = {};
            } else {
                r.projected = trace.projected;
                if (r.projected) r.after = own.projector.TrailOf();
                r.usable = true;
            }
        } catch (...) {
            // Converted again at its turn, where the error is reported.
            r.lists = {};
        }
    }
}

bool FigureConversion::ClaimAndConvert(Batch& run, MapViewport& own, ListArena& arena, size_t chunk) {
    uint8_t expected = Free;
    if (!run.state[chunk].compare_exchange_strong(expected, Busy, std::memory_order_acquire)) return false;
    ConvertChunk(run, own, arena, chunk);
    // Sequentially consistent with the drawing's count of its waits, so
    // that one of the two sees the other; once a chunk, not a figure.
    run.state[chunk].store(Done);
    if (run.waiting.load()) run.state[chunk].notify_all();
    return true;
}

void FigureConversion::Work(Batch& run) {
    MapViewport own = run.view;
    // The lists this worker makes: their room is taken again once the
    // drawing has passed them, and all of it when the run ends.
    std::unique_ptr<ListArena> arena = LendArena();
    arena->Watch(&run.passed);
    while (!run.stop.load(std::memory_order_relaxed)) {
        const size_t c = run.next.fetch_add(1, std::memory_order_relaxed);
        if (c >= run.chunks) break;
        const size_t first = c * kChunk;
        if (first >= kAhead && run.taken.load(std::memory_order_acquire) <= first - kAhead) {
            ++run.held;
            for (size_t t = run.taken.load(); t <= first - kAhead && !run.stop.load(); t = run.taken.load())
                run.taken.wait(t);
            --run.held;
            // Let go by the end of the run, not by the drawing.
            if (run.stop.load()) break;
        }
        ClaimAndConvert(run, own, *arena, c);
    }
    run.converted->count_down();
    for (bool stop = run.stop.load(); !stop; stop = run.stop.load()) run.stop.wait(false);
    GiveBack(std::move(arena));
}

// The drawing reads each result once, straight after a worker wrote it on
// another core: fetch the next few a step at a time, each step's pointers
// having come in with the step before.
void FigureConversion::Prefetch(const Batch& run, size_t k) {
    const size_t n = run.n;
    auto done = [&](size_t i) {
        return i < n && run.state[i / kChunk].load(std::memory_order_acquire) == Done;
    };
    if (k + 16 < n) __builtin_prefetch(&run.At(k + 16));
    if (done(k + 8) && !run.At(k + 8).lists.empty()) __builtin_prefetch(run.At(k + 8).lists.data());
    if (done(k + 4))
        for (const ListArena::List& p : run.At(k + 4).lists) __builtin_prefetch(p.data());
}

void FigureConversion::Wait() {
    if (!run_ || run_->out.size() < run_->n) return;
    // No longer held back by the drawing.
    run_->taken.store(SIZE_MAX, std::memory_order_release);
    run_->taken.notify_all();
    run_->converted->wait();
}

uint8_t FigureConversion::Reach(size_t chunk) {
    if (chunk == reached_) return reachedState_;
    std::atomic<uint8_t>& state = run_->state[chunk];
    uint8_t s = Free;
    // Not begun: cheaper to convert here than to wait for a worker.
    if (!state.compare_exchange_strong(s, Mine, std::memory_order_acquire) && s == Busy) {
        // Under way: convert a chunk further on meanwhile, as a worker
        // would, rather than sleep; wait only when none is left.
        for (s = state.load(std::memory_order_acquire); s == Busy; s = state.load(std::memory_order_acquire)) {
            if (Help()) continue;
            ++run_->waiting;
            for (s = state.load(); s == Busy; s = state.load()) state.wait(Busy);
            --run_->waiting;
        }
    } else if (s == Free) {
        s = Mine;
    }
    reached_ = chunk;
    reachedState_ = s;
    return s;
}

bool FigureConversion::Help() {
    Batch& run = *run_;
    // With three workers or more the walk itself is the slowest part: its
    // wait for a chunk under way is shorter than converting another.
    if (Threads() > 3) return false;
    // Claimed only within the look-ahead, as a worker would be held to it,
    // so that the result ring keeps every result not yet taken.
    size_t c = run.next.load(std::memory_order_relaxed);
    do {
        if (c >= run.chunks || c * kChunk >= taken_ + kAhead) return false;
    } while (!run.next.compare_exchange_weak(c, c + 1, std::memory_order_relaxed));
    // A view of its own: the drawing's goes on in the drawing's order; and
    // room of its own, taken again as the drawing passes the lists.
    if (!helper_) helper_ = std::make_unique<MapViewport>(run.view);
    if (!helperArena_) {
        helperArena_ = LendArena();
        helperArena_->Watch(&run.passed);
    }
    ClaimAndConvert(run, *helper_, *helperArena_, c);
    return true;
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
        if (Reach(k / kChunk) != Done) return nullptr;
        Result& r = run.At(k);
        return r.usable ? &r : nullptr;
    }
    return nullptr;
}

void FigureConversion::Release(size_t k) {
    if (run_) run_->passed.store(k, std::memory_order_release);
}

void FigureConversion::Clear() {
    figures_.clear();
    helper_.reset();
    taken_ = 0;
    reached_ = SIZE_MAX;
    reachedState_ = Free;
    if (!run_) return;
    std::shared_ptr<Batch> run = std::move(run_);
    // Nothing reads the results any longer: each worker takes back its arena.
    run->stop = true;
    run->stop.notify_all();
    run->taken.store(SIZE_MAX, std::memory_order_release);
    run->taken.notify_all();
    run->done->wait();
    if (helperArena_) GiveBack(std::move(helperArena_));
    SweepAway([run] {
        run->out.clear();
        run->sources.clear();
    });
}
