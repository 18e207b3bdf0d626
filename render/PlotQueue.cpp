#include "render/PlotQueue.h"

#include "core/clsPoly.h"
#include "render/RenderGlobals.h"
#include "render/clsFigPolygon.h"
#include "render/clsFigPolyline.h"

namespace {

// Handing over costs a lock and perhaps a wake-up: not for every figure.
constexpr size_t kBatch = 256;
// At most this many batches wait: every item holds its figure's lists, and a
// drawing far behind must not make the walk keep the whole map's.
constexpr size_t kQueued = 8;

} // namespace

PlotQueue::PlotQueue(bool detail, std::function<void(size_t)> drawn)
    : detail_(detail), drawn_(std::move(drawn)), thread_([this] { Run(); }) {
    filling_.reserve(kBatch);
}

PlotQueue::~PlotQueue() {
    try {
        Finish();
    } catch (...) {
    }
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void PlotQueue::Push(Item item) {
    filling_.push_back(std::move(item));
    if (filling_.size() >= kBatch) HandOver();
}

void PlotQueue::HandOver() {
    if (filling_.empty()) return;
    {
        std::unique_lock lock(mutex_);
        room_.wait(lock, [this] { return queue_.size() < kQueued; });
        queue_.push_back(std::move(filling_));
    }
    wake_.notify_one();
    filling_ = {};
    filling_.reserve(kBatch);
}

void PlotQueue::Finish() {
    HandOver();
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return queue_.empty() && !busy_; });
    if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
}

void PlotQueue::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return quit_ || !queue_.empty(); });
        if (queue_.empty()) return;
        std::vector<std::vector<Item>> batches;
        batches.swap(queue_);
        room_.notify_one();
        busy_ = true;
        const bool failed = error_ != nullptr;
        lock.unlock();
        std::exception_ptr error;
        if (!failed) {
            try {
                clsMapGraph* graph = RenderGlobals::MapGraph();
                for (auto& batch : batches) {
                    for (Item& it : batch) {
                        if (it.ring) {
                            clsFigPolygon f(std::move(it.poly));
                            f.mStyle = it.style;
                            f.mFore = it.fore;
                            f.mBack = it.back;
                            f.PlotOn(graph, detail_);
                        } else {
                            clsFigPolyline f(std::move(it.poly));
                            f.mStyle = it.style;
                            f.mWidth = it.width;
                            f.mFore = it.fore;
                            f.mBack = it.back;
                            f.PlotOn(graph, detail_);
                        }
                    }
                    if (drawn_ && !batch.empty()) drawn_(batch.back().figure);
                }
            } catch (...) {
                error = std::current_exception();
            }
        }
        // The lists go here, off the walking thread.
        batches.clear();
        lock.lock();
        if (error) error_ = error;
        busy_ = false;
        if (queue_.empty()) idle_.notify_all();
    }
}
