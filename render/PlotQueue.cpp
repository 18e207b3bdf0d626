#include "render/PlotQueue.h"

#include "core/clsPoly.h"
#include "render/clsFigPolygon.h"
#include "render/clsFigPolyline.h"

namespace {

// Handing over costs a lock and perhaps a wake-up: not for every figure.
constexpr size_t kBatch = 256;
// At most this many batches wait: every item holds its figure's lists, and a
// drawing far behind must not make the walk keep the whole map's.
constexpr size_t kQueued = 8;

} // namespace

PlotQueue::PlotQueue(clsMapGraph* graph, std::function<void(size_t)> drawn)
    : graph_(graph), drawn_(std::move(drawn)), thread_([this] { Run(); }) {
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
    filling_.push_back(item);
    if (filling_.size() >= kBatch) HandOver();
}

void PlotQueue::HandOver() {
    if (filling_.empty()) return;
    std::vector<Item> next;
    {
        std::unique_lock lock(mutex_);
        room_.wait(lock, [this] { return queue_.size() < kQueued; });
        queue_.push_back(std::move(filling_));
        if (!spare_.empty()) {
            next = std::move(spare_.back());
            spare_.pop_back();
        }
    }
    wake_.notify_one();
    filling_ = std::move(next);
    filling_.reserve(kBatch);
}

void PlotQueue::Finish() {
    HandOver();
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return queue_.empty() && !busy_; });
    if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
}

void PlotQueue::Draw(clsMapGraph* graph, const Item& it) {
    if (!it.points) return;
    if (it.ring)
        clsFigPolygon::PlotPoints(graph, it.points, it.count, it.style, it.fore, it.back);
    else
        clsFigPolyline::PlotPoints(graph, it.points, it.count, it.style, it.width, it.fore, it.back);
}

void PlotQueue::Run() {
    // Kept over the whole run, with their room.
    std::vector<std::vector<Item>> batches;
    batches.reserve(kQueued);
    std::unique_lock lock(mutex_);
    queue_.reserve(kQueued);
    spare_.reserve(kQueued + 1);
    for (;;) {
        wake_.wait(lock, [this] { return quit_ || !queue_.empty(); });
        if (queue_.empty()) return;
        batches.swap(queue_);
        room_.notify_one();
        busy_ = true;
        const bool failed = error_ != nullptr;
        lock.unlock();
        std::exception_ptr error;
        if (!failed) {
            try {
                for (auto& batch : batches) {
                    for (const Item& it : batch) Draw(graph_, it);
                    if (drawn_ && !batch.empty()) drawn_(batch.back().figure);
                }
            } catch (...) {
                error = std::current_exception();
            }
        }
        lock.lock();
        for (auto& batch : batches) {
            batch.clear();
            spare_.push_back(std::move(batch));
        }
        batches.clear();
        if (error) error_ = error;
        busy_ = false;
        if (queue_.empty()) idle_.notify_all();
    }
}
