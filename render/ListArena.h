#pragma once
// Storage for the canvas lists of a run of figures, written one figure after
// another and let go in the same order once the drawing has passed them: the
// blocks are reused, by the next figures and the next drawings, so that a
// list costs no allocation of its own.
#include "core/clsPoly.h"

#include <atomic>
#include <cstddef>
#include <memory>
#include <span>
#include <vector>

class ListArena {
public:
    // A canvas list; its data is never null, even when it has no point.
    using List = std::span<const PolyPoint>;

    static constexpr size_t kBlockPoints = 8192;
    static constexpr size_t kBlockLists = 1024;

    explicit ListArena(size_t blockPoints = kBlockPoints, size_t blockLists = kBlockLists)
        : points_(blockPoints), lists_(blockLists) {}
    ListArena(const ListArena&) = delete;
    ListArena& operator=(const ListArena&) = delete;

    // The figure whose lists are written next: figures come in increasing
    // order until the next Reset.
    void Begin(size_t figure) { figure_ = figure; }
    // The figures before `*passed` are no longer read; looked at when a
    // block fills up. Null: nothing is let go before Reset.
    void Watch(const std::atomic<size_t>* passed) { passed_ = passed; }
    // Room for n points or n lists of the current figure, valid until the
    // drawing passes it or Reset.
    std::span<PolyPoint> Points(size_t n) { return points_.Take(n, figure_, passed_); }
    std::span<List> Lists(size_t n) { return lists_.Take(n, figure_, passed_); }
    // A copy of `pts` kept here.
    List Keep(std::span<const PolyPoint> pts);
    // Nothing written here is read any longer.
    void Reset();

    // Blocks in use and kept for reuse, points and lists together.
    size_t Blocks() const { return points_.Blocks() + lists_.Blocks(); }

private:
    template <class T>
    class Blocks_ {
    public:
        explicit Blocks_(size_t size) : size_(size) {}
        std::span<T> Take(size_t n, size_t figure, const std::atomic<size_t>* passed);
        void Reset();
        size_t Blocks() const { return used_.size() + spare_.size(); }

    private:
        struct Block {
            std::unique_ptr<T[]> data;
            size_t size = 0;
            size_t used = 0;
            size_t last = 0; // the last figure written into it
        };
        void Recycle(size_t passed);
        size_t size_;
        std::vector<Block> used_; // oldest first
        std::vector<std::unique_ptr<T[]>> spare_;
    };

    Blocks_<PolyPoint> points_;
    Blocks_<List> lists_;
    size_t figure_ = 0;
    const std::atomic<size_t>* passed_ = nullptr;
};
