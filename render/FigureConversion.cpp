#include "render/FigureConversion.h"

#include "core/clsPoly.h"
#include "document/clsMapFigure.h"

#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <atomic>
#include <latch>

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

void FigureConversion::Run(const MapViewport& view, const std::vector<clsMapFigure*>& figures, bool ring,
                           const Convert& convert) {
    results_.clear();
    const size_t n = figures.size();
    const int threads = Threads();
    if (threads < 2 || n < 2) return;
    std::vector<std::shared_ptr<clsPoly>> sources(n);
    for (size_t i = 0; i < n; ++i) {
        sources[i] = figures[i]->Poly();
        // The bounding box is kept by the list on first use: fill it here,
        // before several workers could ask at once.
        if (sources[i]) sources[i]->RectBound();
    }
    std::vector<std::unique_ptr<Result>> out(n);
    std::atomic<size_t> next{0};
    auto work = [&] {
        MapViewport own = view;
        for (size_t i; (i = next.fetch_add(1)) < n;) {
            if (!sources[i]) continue;
            try {
                Trace trace;
                auto r = std::make_unique<Result>();
                r->polys = convert(own, *sources[i], ring, trace);
                if (trace.firstRefused) continue;
                r->projected = trace.projected;
                if (r->projected) r->after = own.projector;
                out[i] = std::move(r);
            } catch (...) {
                // Converted again at its turn, where the error is reported.
            }
        }
    };
    const int helpers = int(std::min<size_t>(size_t(threads - 1), n - 1));
    QThreadPool& pool = Pool();
    if (pool.maxThreadCount() < helpers) pool.setMaxThreadCount(helpers);
    std::latch done(helpers);
    for (int h = 0; h < helpers; ++h)
        pool.start([&] {
            work();
            done.count_down();
        });
    work();
    done.wait();
    for (size_t i = 0; i < n; ++i)
        if (out[i]) results_[figures[i]] = std::move(out[i]);
}

std::unique_ptr<FigureConversion::Result> FigureConversion::Take(const clsMapFigure* figure) {
    const auto it = results_.find(figure);
    if (it == results_.end()) return nullptr;
    std::unique_ptr<Result> r = std::move(it->second);
    results_.erase(it);
    return r;
}
