#include "platform/DeferredDrawing.h"

#include <QThreadPool>

#include <algorithm>
#include <cstdint>
#include <iterator>
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

DeviceContext::DeferredDrawing::DeferredDrawing(DeviceContext& owner, int threads)
    : owner_(owner), threads_(threads)
{
    open_ = NewChunk(); // takes the lock, made after open_
}

DeviceContext::DeferredDrawing::~DeferredDrawing() = default;

void DeviceContext::DeferredDrawing::Chunk::Clear()
{
    heads.clear();
    ops.clear();
    // One huge figure need not keep its room for good.
    if (points.capacity() > (size_t(1) << 22))
        std::vector<int32_t>().swap(points);
    points.clear();
    brushes.clear();
    fonts.clear();
    texts.clear();
    masks.clear();
    starts.clear();
}

std::unique_ptr<DeviceContext::DeferredDrawing::Chunk> DeviceContext::DeferredDrawing::NewChunk()
{
    {
        const std::lock_guard<std::mutex> held(lock_);
        if (!spare_.empty()) {
            auto c = std::move(spare_.back());
            spare_.pop_back();
            return c;
        }
    }
    auto c = std::make_unique<Chunk>();
    // The settings a call brings along come on top of the stretch.
    c->heads.reserve(kStretch + 8);
    c->ops.reserve(kStretch + 8);
    return c;
}

void DeviceContext::DeferredDrawing::Run(DeviceContext& dc, const Chunk& chunk, Kind kind, const Op& op)
{
    const auto& v = op.v;
    switch (kind) {
    case Kind::Start: {
        const Start& s = chunk.starts[size_t(v[0])];
        dc.SelectPen(s.pen);
        dc.SelectBrush(s.brush);
        dc.SetBkMode(s.bkMode);
        dc.SetBkColor(s.bkColour);
        dc.SetTextColor(s.textColour);
        dc.SetROP2(s.rop);
        dc.SetTextAlign(s.textAlign);
        if (s.hasFont)
            dc.SelectFont(s.font);
        else
            dc.DeselectFont();
        dc.curX_ = s.x;
        dc.curY_ = s.y;
        dc.dashPhase_ = s.phase;
        dc.SetClipRect(s.l, s.t, s.r, s.b);
        if (s.polyClip)
            dc.ApplyRegion(s.region);
        break;
    }
    case Kind::Pen:
        dc.SelectPen({v[0], v[1], v[2], v[3] != 0});
        break;
    case Kind::BkMode:
        dc.SetBkMode(v[0]);
        break;
    case Kind::BkColour:
        dc.SetBkColor(v[0]);
        break;
    case Kind::TextColour:
        dc.SetTextColor(v[0]);
        break;
    case Kind::TextAlign:
        dc.SetTextAlign(v[0]);
        break;
    case Kind::Rop:
        dc.SetROP2(v[0]);
        break;
    case Kind::Brush:
        dc.SelectBrush(chunk.brushes[size_t(v[0])]);
        break;
    case Kind::Font:
        dc.SelectFont(chunk.fonts[size_t(v[0])]);
        break;
    case Kind::NoFont:
        dc.DeselectFont();
        break;
    case Kind::MoveTo:
        dc.MoveTo(v[0], v[1]);
        break;
    case Kind::LineTo:
        dc.LineTo(v[0], v[1]);
        break;
    case Kind::Polyline:
        dc.DrawPolyline(chunk.points.data() + v[0], v[1], v[2] < 0 ? nullptr : chunk.points.data() + v[2]);
        break;
    case Kind::Polygon:
        dc.DrawPolygon(chunk.points.data() + v[0], v[1], v[2] < 0 ? nullptr : chunk.points.data() + v[2]);
        break;
    case Kind::PolygonClip:
        dc.AndPolygonClip(chunk.points.data() + v[0], v[1]);
        break;
    case Kind::ResetPolygonClip:
        dc.ResetPolygonClip();
        break;
    case Kind::ClipRect:
        dc.SetClipRect(v[0], v[1], v[2], v[3]);
        break;
    case Kind::FillRect:
        dc.FillRect(v[0], v[1], v[2], v[3], chunk.brushes[size_t(v[4])]);
        break;
    case Kind::Rectangle:
        dc.Rectangle(v[0], v[1], v[2], v[3]);
        break;
    case Kind::Pixel:
        dc.SetPixelV(v[0], v[1], v[2]);
        break;
    case Kind::Mask: {
        const Mask& m = chunk.masks[size_t(v[0])];
        dc.StretchMask(*m.mask, m.x, m.y, m.w, m.h, m.ink, m.paper);
        break;
    }
    case Kind::Text: {
        const Text& t = chunk.texts[size_t(v[0])];
        dc.TextOut(t.x, t.y, t.text);
        break;
    }
    }
}

// A call whose rows miss the band is left out, or run for its change of
// state only: a line or polygon leaves just its dash phase. A setting is
// made only when a call that may read it comes, the last of its kind.
void DeviceContext::DeferredDrawing::Replay(DeviceContext& dc, const Chunk& chunk)
{
    const int32_t top = dc.bandTop_, bottom = dc.bandBottom_;
    // Per kind of setting, the last one not yet made; the dash phase a
    // skipped chain leaves is taken the same way. A font is not among them:
    // one that cannot be selected keeps the one before it.
    enum Slot { PenSlot, BkModeSlot, BkColourSlot, TextColourSlot, TextAlignSlot, RopSlot, BrushSlot, Slots };
    size_t phase = SIZE_MAX;
    size_t pending[Slots];
    std::fill(std::begin(pending), std::end(pending), SIZE_MAX);
    bool any = false;
    const auto settle = [&] {
        for (size_t& p : pending)
            if (p != SIZE_MAX) {
                Run(dc, chunk, chunk.heads[p].kind, chunk.ops[p]);
                p = SIZE_MAX;
            }
        if (phase != SIZE_MAX)
            dc.dashPhase_ = PhaseOf(chunk.ops[phase]);
        phase = SIZE_MAX;
        any = false;
    };
    const size_t count = chunk.heads.size();
    for (size_t i = 0; i < count; ++i) {
        const Head& op = chunk.heads[i];
        try {
            int slot = Slots;
            switch (op.kind) {
            case Kind::Pen: slot = PenSlot; break;
            case Kind::BkMode: slot = BkModeSlot; break;
            case Kind::BkColour: slot = BkColourSlot; break;
            case Kind::TextColour: slot = TextColourSlot; break;
            case Kind::TextAlign: slot = TextAlignSlot; break;
            case Kind::Rop: slot = RopSlot; break;
            case Kind::Brush: slot = BrushSlot; break;
            default: break;
            }
            if (slot != Slots) {
                pending[slot] = i;
                any = true;
                continue;
            }
            if (op.top <= op.bottom && (op.bottom < top || op.top > bottom)) {
                if (!op.state)
                    continue;
                if (op.kind == Kind::Polyline || op.kind == Kind::Polygon) {
                    phase = i;
                    any = true;
                    continue;
                }
                if (any)
                    settle();
                dc.drawPixels_ = false;
                Run(dc, chunk, op.kind, chunk.ops[i]);
                dc.drawPixels_ = true;
            } else {
                if (any)
                    settle();
                Run(dc, chunk, op.kind, chunk.ops[i]);
            }
        } catch (...) {
            dc.drawPixels_ = true;
        }
    }
    try {
        settle();
    } catch (...) {
    }
}

DeviceContext::DeferredDrawing::Op& DeviceContext::DeferredDrawing::Record(int64_t top, int64_t bottom, bool state,
                                                                           Kind kind, std::array<int32_t, 5> v)
{
    if (Full())
        HandOver();
    return Append(top, bottom, state, kind, v);
}

DeviceContext::DeferredDrawing::Op& DeviceContext::DeferredDrawing::Append(int64_t top, int64_t bottom, bool state,
                                                                           Kind kind, std::array<int32_t, 5> v)
{
    const DeviceContext& o = owner_;
    std::vector<Head>& heads = open_->heads;
    std::vector<Op>& ops = open_->ops;
    // Settings reach the bands only when a call that reads them follows.
    if (!(pen_ == o.pen_)) {
        pen_ = o.pen_;
        heads.push_back({1, 0, Kind::Pen, true});
        ops.push_back({{pen_.style, pen_.width, pen_.colour, pen_.geometric ? 1 : 0, 0}});
    }
    const auto sync = [&](int32_t& sent, int32_t now, Kind k) {
        if (sent == now)
            return;
        sent = now;
        heads.push_back({1, 0, k, true});
        ops.push_back({{now, 0, 0, 0, 0}});
    };
    sync(bkMode_, o.bkMode_, Kind::BkMode);
    sync(bkColour_, o.bkColour_, Kind::BkColour);
    sync(textColour_, o.textColour_, Kind::TextColour);
    sync(textAlign_, o.textAlign_, Kind::TextAlign);
    heads.push_back({Clamp32(top), Clamp32(bottom), kind, state});
    ops.push_back({v});
    return ops.back();
}

DeviceContext::DeferredDrawing::Op& DeviceContext::DeferredDrawing::RecordChain(Kind kind, const int32_t* xy,
                                                                                int32_t count, int64_t margin)
{
    // The stretch that keeps the points is the one that gets the call.
    if (Full())
        HandOver();
    std::vector<int32_t>& store = open_->points;
    const int32_t at = open_->KeepPoints(xy, count);
    int32_t top = INT32_MAX, bottom = INT32_MIN, runs = -1;
    if (count > 2 * kRun) {
        runs = int32_t(store.size());
        int32_t left = INT32_MAX, right = INT32_MIN;
        for (int32_t from = 0; from < count - 1; from += kRun) {
            const int32_t to = std::min(from + kRun, count - 1);
            int32_t t = INT32_MAX, b = INT32_MIN;
            for (int32_t i = from; i <= to; ++i) {
                left = std::min(left, xy[2 * i]);
                right = std::max(right, xy[2 * i]);
                t = std::min(t, xy[2 * i + 1]);
                b = std::max(b, xy[2 * i + 1]);
            }
            store.push_back(t);
            store.push_back(b);
            top = std::min(top, t);
            bottom = std::max(bottom, b);
        }
        if (left <= -kNear || right >= kNear || top <= -kNear || bottom >= kNear) {
            store.resize(size_t(runs));
            runs = -1;
        }
    } else {
        for (int32_t i = 0; i < count; ++i) {
            top = std::min(top, xy[2 * i + 1]);
            bottom = std::max(bottom, xy[2 * i + 1]);
        }
    }
    // Into the stretch that now keeps the points, however full they made it.
    return Append(int64_t(top) - margin, int64_t(bottom) + margin, true, kind, {at, count, runs, 0, 0});
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
            Replay(*bands_[band], *c);
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
        for (auto& c : spent)
            c->Clear();
        held.lock();
        for (auto& c : spent)
            spare_.push_back(std::move(c));
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
    std::unique_ptr<Chunk> next = NewChunk();
    {
        const std::lock_guard<std::mutex> held(lock_);
        sealed_.push_back(std::move(open_));
        open_ = std::move(next);
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
    for (const auto& kept : lastMasks_)
        if (kept && *kept == mask)
            return kept;
    // The oldest goes.
    std::rotate(lastMasks_.rbegin(), lastMasks_.rbegin() + 1, lastMasks_.rend());
    lastMasks_.front() = std::make_shared<const BitMask>(mask);
    return lastMasks_.front();
}
