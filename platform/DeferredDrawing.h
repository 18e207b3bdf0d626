#pragma once
// Drawing on several cores for a DeviceContext: its drawing calls are
// recorded in order while the context keeps its state and answers, and
// replayed, a stretch at a time while the recording goes on, by contexts
// over the same pixels that each draw their own bands of rows.
//
// The context records every call through Record, keeping what a call holds
// beyond a few numbers in the open stretch (Open), and asks for all of it to
// be drawn through Flush. Nothing else of the replay is seen outside.
#include "platform/DeviceContext.h"

#include <QImage>
#include <QRegion>

#include <algorithm>
#include <array>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

class DeviceContext::DeferredDrawing {
public:
    // What a recorded call does; its numbers are in Op::v.
    enum class Kind : uint8_t {
        Start,       // v0: the state the bands begin from (starts)
        Pen,         // v0..v3: style, width, colour, geometric
        BkMode,      // v0
        BkColour,    // v0
        TextColour,  // v0
        TextAlign,   // v0
        Rop,         // v0
        Brush,       // v0: brushes
        Font,        // v0: fonts
        NoFont,
        MoveTo,      // v0, v1
        LineTo,      // v0, v1
        Polyline,    // v0: points, v1: count, v2: rows of its runs in points or -1, v3, v4: phase after
        Polygon,     // as Polyline
        PolygonClip, // v0: points, v1: count
        ResetPolygonClip,
        ClipRect,    // v0..v3
        FillRect,    // v0..v3, v4: brushes
        Rectangle,   // v0..v3
        Pixel,       // v0, v1, v2: colour
        Mask,        // v0: masks
        Text,        // v0: texts
    };
    struct Text {
        int32_t x, y;
        QString text;
    };
    struct Mask {
        int32_t x, y, w, h, ink, paper;
        std::shared_ptr<const BitMask> mask;
    };
    struct Start {
        DcPen pen;
        DcBrush brush;
        DcFont font;
        bool hasFont;
        int32_t bkMode, bkColour, textColour, rop, textAlign, x, y;
        int64_t phase;
        int32_t l, t, r, b;
        bool polyClip;
        QRegion region;
    };
    // A call: its rows and kind, which every band reads, apart from its
    // numbers, which only the bands that run it read; what it holds beyond
    // them is kept in the stretch's stores, by index.
    struct Head {
        int32_t top, bottom; // top > bottom: a change of state, replayed everywhere
        Kind kind;
        bool state;
    };
    struct Op {
        std::array<int32_t, 5> v;
    };
    // A stretch of calls, with what they hold kept beside them. Stretches
    // are reused, their stores keeping their room.
    struct Chunk {
        std::vector<Head> heads;
        std::vector<Op> ops;
        std::vector<int32_t> points;
        std::vector<DcBrush> brushes;
        std::vector<DcFont> fonts;
        std::vector<Text> texts;
        std::vector<Mask> masks;
        std::vector<Start> starts;

        template <class T>
        static int32_t Keep(std::vector<T>& store, T v)
        {
            store.push_back(std::move(v));
            return int32_t(store.size() - 1);
        }
        int32_t KeepPoints(const int32_t* xy, int32_t count)
        {
            const size_t at = points.size();
            points.insert(points.end(), xy, xy + 2 * size_t(std::max(count, 0)));
            return int32_t(at);
        }
        void Clear();
    };

    // Replays the calls of `owner`, which outlives this, on `threads` cores.
    DeferredDrawing(DeviceContext& owner, int threads);
    ~DeferredDrawing();
    DeferredDrawing(const DeferredDrawing&) = delete;
    DeferredDrawing& operator=(const DeferredDrawing&) = delete;

    int Threads() const { return threads_; }
    // Starts a recording with the owner's settings as they are now; the
    // owner records the rest of its state as the first call.
    void Begin();
    // Records a call, whose numbers the caller fills in, then what it holds
    // in Open(); the rows top..bottom hold every pixel it can touch (none: a
    // change of state only), and a band outside them replays it only when it
    // changes the state (`state`).
    Op& Record(int64_t top, int64_t bottom, bool state, Kind kind, std::array<int32_t, 5> v = {});
    // Records a polyline or polygon, widened by `margin` rows, with the rows
    // of its runs of segments for a long one.
    Op& RecordChain(Kind kind, const int32_t* xy, int32_t count, int64_t margin);
    // The dash phase a chain leaves, all a band outside its rows needs of it.
    static void KeepPhase(Op& op, int64_t phase)
    {
        op.v[3] = int32_t(uint32_t(uint64_t(phase)));
        op.v[4] = int32_t(uint32_t(uint64_t(phase) >> 32));
    }
    static int64_t PhaseOf(const Op& op)
    {
        return int64_t(uint64_t(uint32_t(op.v[3])) | (uint64_t(uint32_t(op.v[4])) << 32));
    }
    // The stretch being recorded, which keeps what the last call holds.
    Chunk& Open() { return *open_; }
    // One copy of each mask while it lasts.
    std::shared_ptr<const BitMask> SharedMask(const BitMask& mask);
    // Draws everything recorded and waits until it is drawn.
    void Flush();

private:
    // The calls are replayed a stretch at a time while the recording goes
    // on: the stretch being recorded, then those handed over (under the lock).
    static constexpr size_t kStretch = 4096;
    // A stretch holding this many coordinates is handed over early, which
    // keeps the stores' indices small, few points waiting, and small the
    // room that the stretches kept for reuse hold on to.
    static constexpr size_t kStretchPoints = size_t(1) << 18;
    bool Full() const { return open_->heads.size() >= kStretch || open_->points.size() >= kStretchPoints; }
    // Record into the open stretch, full or not.
    Op& Append(int64_t top, int64_t bottom, bool state, Kind kind, std::array<int32_t, 5> v);
    // Stretches handed over but not yet replayed everywhere; beyond this
    // many the recording thread replays too, so that they stay few.
    static constexpr size_t kBacklog = 8;

    std::unique_ptr<Chunk> NewChunk();
    static void Replay(DeviceContext& dc, const Chunk& chunk);
    static void Run(DeviceContext& dc, const Chunk& chunk, Kind kind, const Op& op);
    void HandOver();
    void Drain();

    DeviceContext& owner_;
    int threads_ = 1;
    std::unique_ptr<Chunk> open_;
    // The plain settings as the bands will have them: a setting is recorded
    // only when a call that may read it follows, so that a figure's setting
    // and restoring of the same pen costs nothing.
    DcPen pen_;
    int32_t bkMode_ = Gdi::OPAQUE, bkColour_ = 0, textColour_ = 0, textAlign_ = Gdi::TA_LEFT;
    std::mutex lock_;
    std::condition_variable idle_;
    std::vector<std::unique_ptr<Chunk>> sealed_;
    // Stretches replayed everywhere, kept for reuse (under the lock).
    std::vector<std::unique_ptr<Chunk>> spare_;
    // Per band: the stretches replayed, and whether a thread is at it.
    std::vector<size_t> replayed_;
    std::vector<uint8_t> busy_;
    // A map draws its symbols from a few masks: one copy each while it lasts.
    std::array<std::shared_ptr<const BitMask>, 4> lastMasks_;
    int running_ = 0; // workers at the replay
    size_t freed_ = 0; // stretches before this one are gone
    // Contexts over the same pixels, each drawing its own band of rows; made
    // at the first hand-over and kept, with their caches, for the next.
    std::vector<std::unique_ptr<QImage>> images_;
    std::vector<std::unique_ptr<DeviceContext>> bands_;
};
