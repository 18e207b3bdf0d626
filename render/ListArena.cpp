#include "render/ListArena.h"

#include <algorithm>

namespace {
// What an empty list points at.
const PolyPoint kNoPoint{};
} // namespace

template <class T>
void ListArena::Blocks_<T>::Recycle(size_t passed) {
    size_t k = 0;
    for (; k < used_.size() && used_[k].last < passed; ++k)
        // A block made for one long list goes: most lists are short.
        if (used_[k].size == size_) spare_.push_back(std::move(used_[k].data));
    used_.erase(used_.begin(), used_.begin() + ptrdiff_t(k));
}

template <class T>
std::span<T> ListArena::Blocks_<T>::Take(size_t n, size_t figure, const std::atomic<size_t>* passed) {
    if (!used_.empty()) {
        Block& b = used_.back();
        if (b.size - b.used >= n) {
            T* at = b.data.get() + b.used;
            b.used += n;
            b.last = figure;
            return {at, n};
        }
    }
    if (passed) Recycle(passed->load(std::memory_order_acquire));
    Block b;
    b.size = std::max(n, size_);
    if (b.size == size_ && !spare_.empty()) {
        b.data = std::move(spare_.back());
        spare_.pop_back();
    } else {
        b.data = std::make_unique_for_overwrite<T[]>(b.size);
    }
    b.used = n;
    b.last = figure;
    used_.push_back(std::move(b));
    return {used_.back().data.get(), n};
}

template <class T>
void ListArena::Blocks_<T>::Reset() {
    for (Block& b : used_)
        if (b.size == size_) spare_.push_back(std::move(b.data));
    used_.clear();
}

ListArena::List ListArena::Keep(std::span<const PolyPoint> pts) {
    if (pts.empty()) return {&kNoPoint, 0};
    const std::span<PolyPoint> room = Points(pts.size());
    std::copy(pts.begin(), pts.end(), room.begin());
    return room;
}

void ListArena::Reset() {
    points_.Reset();
    lists_.Reset();
    figure_ = 0;
}

template class ListArena::Blocks_<PolyPoint>;
template class ListArena::Blocks_<ListArena::List>;
