#include "render/FigureConversion.h"

#include "core/clsPoly.h"
#include "document/clsMapFigure.h"

#include <QThread>
#include <QThreadPool>
#include <algorithm>

namespace {

int gThreads = 0; // 0: one per core

// Our own pool, so that waiting for a run never waits for others' work.
QThreadPool& Pool() {
    static QThreadPool pool;
    return pool;
}

} // namespace

int FigureConversion::Threads() { return gThreads > 0 ? gThreads : std::max(1, QThread::idealThreadCount()); }

void FigureConversion::SetThreads(int threads) { gThreads = std::max(0, threads); }

void FigureConversion::Start(const MapViewport& view, std::vector<clsMapFigure*> figures, bool ring,
                             Convert convert) {
    Clear();
    const size_t n = figures.size();
    const int threads = Threads();
    if (threads < 2 || n == 0) return;
    sources_.assign(n, nullptr);
    int64_t points = 0;
    for (size_t i = 0; i < n; ++i) {
        sources_[i] = figures[i]->Poly();
        if (!sources_[i]) continue;
        // The bounding box is kept by the list on first use: fill it here,
        // before a worker and the drawing could ask at once.
        sources_[i]->RectBound();
        points += sources_[i]->Count();
    }
    // Waking the workers costs about as much as converting this many points.
    if (points < 4096) return;
    view_ = view;
    figures_ = std::move(figures);
    out_.resize(n);
    taken_ = 0;
    ring_ = ring;
    convert_ = std::move(convert);
    next_ = 0;
    const int workers = int(std::min<size_t>(size_t(threads - 1), n));
    QThreadPool& pool = Pool();
    if (pool.maxThreadCount() < workers) pool.setMaxThreadCount(workers);
    done_ = std::make_unique<std::latch>(workers);
    for (int h = 0; h < workers; ++h)
        pool.start([this] {
            Work();
            done_->count_down();
        });
}

void FigureConversion::Work() {
    MapViewport own = view_;
    for (size_t i; (i = next_.fetch_add(1)) < figures_.size();) {
        if (!sources_[i]) continue;
        try {
            Trace trace;
            Result& r = out_[i];
            r.polys = convert_(own, *sources_[i], ring_, trace);
            if (trace.firstRefused) {
                r.polys.clear();
                continue;
            }
            r.projected = trace.projected;
            if (r.projected) r.after = own.projector;
            r.usable = true;
        } catch (...) {
            // Converted again at its turn, where the error is reported.
        }
    }
}

void FigureConversion::Wait() {
    if (!done_) return;
    done_->wait();
    done_.reset();
    sources_.clear();
}

FigureConversion::Result* FigureConversion::Take(const clsMapFigure* figure) {
    if (done_) return nullptr;
    for (size_t k = taken_; k < figures_.size(); ++k) {
        if (figures_[k] != figure) continue;
        taken_ = k + 1;
        return out_[k].usable ? &out_[k] : nullptr;
    }
    return nullptr;
}
