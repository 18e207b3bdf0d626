#include "platform/DeferredDrawing.h"

#include <QThreadPool>

#include <algorithm>
#include <utility>

namespace {

// Our own pool, so that a flush never waits for others' work.
QThreadPool& RasterPool()
{
    static QThreadPool pool;
    return pool;
}

int32_t Clamp32(int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

} // namespace

DeviceContext::DeferredDrawing::DeferredDrawing(DeviceContext& owner, int threads) : owner_(owner), threads_(threads) {}

DeviceContext::DeferredDrawing::~DeferredDrawing() = default;

std::unique_ptr<DeviceContext::DeferredDrawing::Chunk> DeviceContext::DeferredDrawing::NewChunk()
{
    auto c = std::make_unique<Chunk>();
    c->ops.reserve(kStretch);
    return c;
}

// A call whose rows miss the band is left out, or run for its change of
// state only.
void DeviceContext::DeferredDrawing::Replay(DeviceContext& dc, const std::vector<Op>& ops)
{
    for (const Op& op : ops) {
        try {
            if (op.top <= op.bottom && (op.bottom < dc.bandTop_ || op.top > dc.bandBottom_)) {
                if (!op.state)
                    continue;
                dc.drawPixels_ = false;
                op.call(dc);
                dc.drawPixels_ = true;
            } else {
                op.call(dc);
            }
        } catch (...) {
            dc.drawPixels_ = true;
        }
    }
}

void DeviceContext::DeferredDrawing::Record(int64_t top, int64_t bottom, bool state, Call call)
{
    const DeviceContext& o = owner_;
    // Settings reach the bands only when a call that reads them follows.
    const auto sync = [this](auto& sent, const auto& now, auto set) {
        if (sent == now) return;
        sent = now;
        open_->ops.push_back({1, 0, true, [v = now, set](DeviceContext& dc) { set(dc, v); }});
    };
    sync(pen_, o.pen_, [](DeviceContext& dc, const DcPen& v) { dc.SelectPen(v); });
    sync(bkMode_, o.bkMode_, [](DeviceContext& dc, int32_t v) { dc.SetBkMode(v); });
    sync(bkColour_, o.bkColour_, [](DeviceContext& dc, int32_t v) { dc.SetBkColor(v); });
    sync(textColour_, o.textColour_, [](DeviceContext& dc, int32_t v) { dc.SetTextColor(v); });
    sync(textAlign_, o.textAlign_, [](DeviceContext& dc, int32_t v) { dc.SetTextAlign(v); });
    open_->ops.push_back({Clamp32(top), Clamp32(bottom), state, std::move(call)});
    if (open_->ops.size() >= kStretch)
        HandOver();
}

void DeviceContext::DeferredDrawing::Begin()
{
    const DeviceContext& o = owner_;
    pen_ = o.pen_;
    bkMode_ = o.bkMode_;
    bkColour_ = o.bkColour_;
    textColour_ = o.textColour_;
    textAlign_ = o.textAlign_;
}

// Replays whatever stretches a free band still lacks, until none is left.
void DeviceContext::DeferredDrawing::Drain()
{
    std::unique_lock<std::mutex> held(lock_);
    for (;;) {
        size_t band = bands_.size();
        for (size_t b = 0; b < bands_.size(); ++b)
            if (!busy_[b] && replayed_[b] < sealed_.size()) {
                band = b;
                break;
            }
        if (band == bands_.size())
            return;
        busy_[band] = 1;
        const size_t from = replayed_[band], to = sealed_.size();
        std::vector<const Chunk*> chunks;
        for (size_t c = from; c < to; ++c)
            chunks.push_back(sealed_[c].get());
        held.unlock();
        for (const Chunk* c : chunks)
            Replay(*bands_[band], c->ops);
        held.lock();
        replayed_[band] = to;
        busy_[band] = 0;
        // The stretches every band has replayed are freed here, on a worker
        // as a rule, and a large map never holds all of them at once.
        const size_t all = *std::min_element(replayed_.begin(), replayed_.end());
        std::vector<std::unique_ptr<Chunk>> spent;
        for (; freed_ < all; ++freed_)
            spent.push_back(std::move(sealed_[freed_]));
        held.unlock();
        spent.clear();
        held.lock();
    }
}

void DeviceContext::DeferredDrawing::HandOver()
{
    if (open_->ops.empty())
        return;
    if (bands_.empty()) {
        // Twice as many bands as cores, taken in turn, so that a band full
        // of drawing does not hold up the others.
        const int32_t height = owner_.height_;
        const int32_t count = std::min(2 * threads_, height);
        const int32_t rows = (height + count - 1) / count;
        for (int32_t k = 0; k * rows < height; ++k) {
            images_.push_back(std::make_unique<QImage>(reinterpret_cast<uchar*>(owner_.bits_), owner_.width_, height,
                                                       qsizetype(owner_.stride_) * 4, QImage::Format_RGB32));
            auto band = std::make_unique<DeviceContext>(*images_.back(), owner_.dpiX_, owner_.dpiY_);
            band->KeepToBand(k * rows, std::min(height - 1, (k + 1) * rows - 1), count);
            bands_.push_back(std::move(band));
        }
        replayed_.assign(bands_.size(), 0);
        busy_.assign(bands_.size(), 0);
    }
    bool behind = false;
    {
        const std::lock_guard<std::mutex> held(lock_);
        sealed_.push_back(std::move(open_));
        open_ = NewChunk();
        const int workers = std::min(threads_, int(bands_.size())) - 1;
        QThreadPool& pool = RasterPool();
        if (pool.maxThreadCount() < workers)
            pool.setMaxThreadCount(workers);
        for (; running_ < workers; ++running_)
            pool.start([this] {
                Drain();
                const std::lock_guard<std::mutex> done(lock_);
                --running_;
                idle_.notify_all();
            });
        behind = sealed_.size() - freed_ > kBacklog;
    }
    if (behind)
        Drain();
}

void DeviceContext::DeferredDrawing::Flush()
{
    HandOver();
    if (sealed_.empty())
        return;
    // This thread replays too, then waits for the workers.
    Drain();
    std::unique_lock<std::mutex> held(lock_);
    idle_.wait(held, [this] { return running_ == 0; });
    // Every band has every stretch now, and they are gone.
    sealed_.clear();
    freed_ = 0;
    std::fill(replayed_.begin(), replayed_.end(), 0);
}

std::shared_ptr<const BitMask> DeviceContext::DeferredDrawing::SharedMask(const BitMask& mask)
{
    if (!lastMask_ || !(*lastMask_ == mask))
        lastMask_ = std::make_shared<const BitMask>(mask);
    return lastMask_;
}
