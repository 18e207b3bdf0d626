#include "core/clsPoly.h"

#include "core/ErrorMng.h"
#include "core/Library.h"
#include "platform/DeviceContext.h"

#include <QIODevice>
#include <QtEndian>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace {

constexpr int32_t kErr = ErrBase + 1001;
const char* const kObj = "clsPoly";

using Library::Sat;

int32_t RoundToLng(double v) {
    if (v > 2147483647.0) return INT32_MAX;
    if (v < -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(std::nearbyint(v));
}

double Dist(const PolyPoint& a, const PolyPoint& b) {
    const double dx = double(int64_t(b.x) - a.x), dy = double(int64_t(b.y) - a.y);
    return std::sqrt(dx * dx + dy * dy);
}

// Whether the thinning drops the middle point of a triple: the ends no
// farther apart than limit and a detour |a| + |b| - |a + b| (legs a, b) of
// at most dif, or none. Worked out in doubles it costs three square roots;
// with legs shorter than 2^20 most triples are decided from integers where
// the double result is certain:
// - the detour is 2 c^2 / ((|a||b| + a.b)(|a| + |b| + |a + b|)) with c the
//   cross product, at least c^2 / (2 |a||b| (|a| + |b|)), so its square is at
//   least c^4 / (8 A B (A + B)) with A, B the squared legs; when that is
//   beyond (dif + slack)^2 the point stays whatever the rounding;
// - a leg running back along the other (c = 0, a.b < 0) is a detour of
//   twice the shorter, at least 2;
// - a leg going on along the other, or of length 0, is no detour: the
//   doubles give at most a few units in the last place (below slack) on
//   lengths under 2^22, which passes "<= dif" or "<= 0";
// - the ends' distance against limit is the integer square against
//   floor(limit)^2 and (floor(limit) + 1)^2, the root taken only between.
class ThinRule {
public:
    ThinRule(double dif, double limit) : dif_(dif), limit_(limit) {
        const double lo = dif > 0 ? dif : 0;
        crossFloor_ = 8 * (lo + kSlack) * (lo + kSlack) * (1 + 1e-9);
        // Legs whose squares are at most shortSq_ keep any bend: with |c| >= 1
        // the square of the detour is at least 1 / (16 shortSq_^3).
        shortSq_ = 0;
        const double q = std::cbrt(1 / (2 * crossFloor_));
        if (q >= 1) {
            shortSq_ = int64_t(std::min(q, 1e6));
            while (shortSq_ > 0 && crossFloor_ * double(shortSq_) * double(shortSq_) * double(2 * shortSq_) >= 1)
                --shortSq_;
        }
        collinearDrops_ = dif >= kSlack;
        backKeeps_ = dif + kSlack < 2;
        if (!(limit >= 0)) {
            inSq_ = -1, outSq_ = 0; // no distance is within (NaN included)
        } else if (limit >= double(int64_t(1) << 23)) {
            inSq_ = INT64_MAX, outSq_ = INT64_MAX; // every short-legged triple is within
        } else {
            const int64_t f = int64_t(std::floor(limit));
            inSq_ = f * f, outSq_ = (f + 1) * (f + 1);
        }
    }

    bool Drops(PolyPoint node, PolyPoint mid, PolyPoint far) const {
        const int64_t ax = int64_t(mid.x) - node.x, ay = int64_t(mid.y) - node.y;
        const int64_t bx = int64_t(far.x) - mid.x, by = int64_t(far.y) - mid.y;
        // All four within -2^20..2^20-1: shifted, none has a bit at 2^21 or above.
        constexpr int64_t kShort = int64_t(1) << 20;
        if (uint64_t((ax + kShort) | (ay + kShort) | (bx + kShort) | (by + kShort)) < uint64_t(2 * kShort)) {
            const int64_t c = ax * by - ay * bx;
            if (c == 0) {
                if (ax * bx + ay * by >= 0) {
                    if (collinearDrops_) return Within(ax + bx, ay + by);
                } else if (backKeeps_) {
                    return false;
                }
            } else {
                const int64_t a2 = ax * ax + ay * ay, b2 = bx * bx + by * by;
                if (a2 <= shortSq_ && b2 <= shortSq_) return false;
                const double cc = double(c) * double(c), da2 = double(a2), db2 = double(b2);
                if (cc * cc > crossFloor_ * da2 * db2 * (da2 + db2)) return false;
            }
        }
        const double straight = Dist(node, far);
        const double detour = Dist(node, mid) + Dist(mid, far) - straight;
        return straight <= limit_ && (detour <= dif_ || detour <= 0);
    }

private:
    // Well above the rounding of lengths under 2^22 (an ulp there is 2^-30).
    static constexpr double kSlack = 1.0 / (1 << 28);

    bool Within(int64_t sx, int64_t sy) const {
        const int64_t sq = sx * sx + sy * sy;
        if (sq <= inSq_) return true;
        if (sq >= outSq_) return false;
        return std::sqrt(double(sq)) <= limit_;
    }

    double dif_, limit_;
    double crossFloor_;
    int64_t shortSq_;
    bool collinearDrops_, backKeeps_;
    int64_t inSq_, outSq_;
};

// Working blocks kept per thread, so that converting one list after another
// allocates nothing; a block grown for a huge list is not kept.
template <class T>
std::vector<T>& Scratch(std::vector<T>& v) {
    constexpr size_t kKeep = size_t(1) << 13;
    if (v.capacity() > kKeep) std::vector<T>().swap(v);
    v.clear();
    return v;
}

// The short-read error of a file: the block is not all there.
[[noreturn]] void ShortBlock() { ThrowError(62); }

} // namespace

void clsPoly::CheckIndex(int32_t index, const char* proc) const {
    if (!InBoundIndex(index))
        ErrorMng::RaiseNew(kErr, kObj, QString::fromLatin1(proc), QStringLiteral("Index=%1").arg(index));
}

void clsPoly::Assign(std::span<const PolyPoint> pts) {
    pts_.assign(pts.begin(), pts.begin() + std::min<ptrdiff_t>(std::ssize(pts), kMaxCount));
    Changed();
}

void clsPoly::SetCount(int32_t n) {
    if (n <= 0) {
        std::vector<PolyPoint>().swap(pts_);
    } else {
        pts_.resize(static_cast<size_t>(n > kMaxCount ? kMaxCount : n));
    }
    Changed();
}

bool clsPoly::IsLoop() const { return Count() > 3 && pts_.front() == pts_.back(); }

bool clsPoly::UpdateBox() {
    if (pts_.empty()) return false;
    if (flags_ & FlagBoxValid) return true;
    // Without branches the walk vectorises.
    int32_t x0 = pts_[0].x, x1 = x0, y0 = pts_[0].y, y1 = y0;
    for (const PolyPoint& p : pts_) {
        x0 = std::min(x0, p.x), x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
    }
    minX_ = x0, maxX_ = x1, minY_ = y0, maxY_ = y1;
    flags_ |= FlagBoxValid;
    return true;
}

bool clsPoly::IsOverlapArea(const clsRect& r) {
    UpdateBox();
    return r.mLeft <= maxX_ && r.mRight >= minX_ && r.mTop <= maxY_ && r.mBottom >= minY_;
}

bool clsPoly::IsMatch(const clsPoly& o) const { return pts_ == o.pts_; }

int32_t clsPoly::x(int32_t index) const {
    CheckIndex(index, "x");
    return pts_[index - 1].x;
}
void clsPoly::SetX(int32_t index, int32_t v) {
    CheckIndex(index, "x");
    pts_[index - 1].x = v;
    Changed();
}
int32_t clsPoly::y(int32_t index) const {
    CheckIndex(index, "y");
    return pts_[index - 1].y;
}
void clsPoly::SetY(int32_t index, int32_t v) {
    CheckIndex(index, "y");
    pts_[index - 1].y = v;
    Changed();
}
int32_t clsPoly::LastX() const {
    CheckIndex(Count(), "LastX");
    return pts_.back().x;
}
void clsPoly::SetLastX(int32_t v) {
    CheckIndex(Count(), "LastX");
    pts_.back().x = v;
    Changed();
}
int32_t clsPoly::LastY() const {
    CheckIndex(Count(), "LastY");
    return pts_.back().y;
}
void clsPoly::SetLastY(int32_t v) {
    CheckIndex(Count(), "LastY");
    pts_.back().y = v;
    Changed();
}
int32_t clsPoly::LineWidth(int32_t index) const {
    CheckIndex(index, "LineWidth");
    CheckIndex(index + 1, "LineWidth");
    return Sat(int64_t(pts_[index].x) - pts_[index - 1].x);
}
int32_t clsPoly::LineHeight(int32_t index) const {
    CheckIndex(index, "LineHeight");
    CheckIndex(index + 1, "LineHeight");
    return Sat(int64_t(pts_[index].y) - pts_[index - 1].y);
}

double clsPoly::Area() const {
    const size_t n = pts_.size();
    if (n < 3) return 0;
    const int64_t ox = pts_[0].x, oy = pts_[0].y;
    double sum = 0;
    for (size_t i = 2; i < n; ++i) {
        const double x1 = double(pts_[i - 1].x - ox), y1 = double(pts_[i - 1].y - oy);
        const double x2 = double(pts_[i].x - ox), y2 = double(pts_[i].y - oy);
        sum += y2 * x1 - y1 * x2;
    }
    return std::fabs(sum) / 2;
}

clsRect clsPoly::RectBound() {
    if (!UpdateBox()) return clsRect();
    return clsRect(minX_, minY_, maxX_, maxY_);
}

bool clsPoly::IsHorizontal() {
    if (pts_.size() < 2) return false;
    if (!(flags_ & FlagBoxValid)) {
        const size_t m = pts_.size() < 20 ? pts_.size() : 20;
        for (size_t i = 1; i < m; ++i)
            if (pts_[i].y != pts_[0].y) return false;
        UpdateBox();
    }
    return minY_ == maxY_;
}

bool clsPoly::IsVertical() {
    if (pts_.size() < 2) return false;
    if (!(flags_ & FlagBoxValid)) {
        const size_t m = pts_.size() < 20 ? pts_.size() : 20;
        for (size_t i = 1; i < m; ++i)
            if (pts_[i].x != pts_[0].x) return false;
        UpdateBox();
    }
    return minX_ == maxX_;
}

clsPoly clsPoly::Copy() const {
    try {
        clsPoly c;
        c.pts_ = pts_;
        c.flags_ = FlagModified;
        if (flags_ & FlagBoxValid) c.SetBound(minX_, minY_, maxX_, maxY_);
        return c;
    } catch (...) {
        ErrorMng::ReRaise(kErr, kObj, "Copy");
    }
}

void clsPoly::GetXandY(int32_t index, int32_t& px, int32_t& py) const {
    CheckIndex(index, "GetXandY");
    px = pts_[index - 1].x;
    py = pts_[index - 1].y;
}

void clsPoly::SetXandY(int32_t index, int32_t px, int32_t py) {
    CheckIndex(index, "SetXandY");
    pts_[index - 1] = {px, py};
    Changed();
}

void clsPoly::SetLastXandY(int32_t px, int32_t py) {
    CheckIndex(Count(), "SetLastXandY");
    pts_.back() = {px, py};
    Changed();
}

void clsPoly::GetLastXandY(int32_t& px, int32_t& py) const {
    CheckIndex(Count(), "GetLastXandY");
    px = pts_.back().x;
    py = pts_.back().y;
}

bool clsPoly::Del(int32_t index) {
    if (!InBoundIndex(index)) return false;
    pts_.erase(pts_.begin() + (index - 1));
    Changed();
    return true;
}

void clsPoly::SetLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    pts_.assign({PolyPoint{x1, y1}, PolyPoint{x2, y2}});
    Changed();
}

void clsPoly::SetRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    pts_.assign({PolyPoint{left, top}, PolyPoint{right, top}, PolyPoint{right, bottom}, PolyPoint{left, bottom},
                 PolyPoint{left, top}});
    Changed();
}

void clsPoly::MakeLoop() {
    if (IsLoop() || Count() < 3) return;
    AddPoint(pts_.front());
}

void clsPoly::Move(int32_t dx, int32_t dy) {
    for (PolyPoint& p : pts_) {
        p.x = Sat(int64_t(p.x) + dx);
        p.y = Sat(int64_t(p.y) + dy);
    }
    Changed();
}

bool clsPoly::Connect(const clsPoly& o) {
    try {
        if (&o == this) {
            const clsPoly self = Copy();
            return Connect(self);
        }
        const int64_t m = o.Count();
        if (m < 1 || int64_t(Count()) + m >= int64_t(kMaxCount) + 1) return false;
        if (!pts_.empty() && o.pts_.front() == pts_.back()) pts_.pop_back();
        pts_.insert(pts_.end(), o.pts_.begin(), o.pts_.end());
        Changed();
        return true;
    } catch (...) {
        ErrorMng::ReRaise(kErr, kObj, "Connect");
    }
}

clsPoly clsPoly::Divide(int32_t index) {
    try {
        clsPoly tail;
        if (Count() >= 3 && InBoundIndex(index)) {
            tail.pts_.assign(pts_.begin() + (index - 1), pts_.end());
            tail.Changed();
            pts_.resize(static_cast<size_t>(index));
            Changed();
        }
        return tail;
    } catch (...) {
        ErrorMng::ReRaise(kErr, kObj, "Divide");
    }
}

bool clsPoly::Chop(int32_t pitch, int16_t mode) {
    try {
        if (mode < 1 || mode > 3 || pitch < 2) return false;
        const uint16_t saved = flags_;
        auto step = [mode](PolyPoint prev, PolyPoint cur, int64_t& dx, int64_t& dy) {
            dx = int64_t(cur.x) - prev.x, dy = int64_t(cur.y) - prev.y;
            const int64_t ax = dx < 0 ? -dx : dx, ay = dy < 0 ? -dy : dy;
            return mode == 1 ? ax : mode == 2 ? ay : (ax > ay ? ax : ay);
        };
        // The points before the first long step stay where they are.
        size_t from = 1;
        for (int64_t dx, dy; from < pts_.size() && step(pts_[from - 1], pts_[from], dx, dy) <= pitch;) ++from;
        if (from < pts_.size()) {
            thread_local std::vector<PolyPoint> scratch;
            std::vector<PolyPoint>& out = Scratch(scratch);
            out.reserve(pts_.size() + 1000);
            out.assign(pts_.begin(), pts_.begin() + std::ptrdiff_t(from));
            bool full = false;
            for (size_t i = from; i < pts_.size(); ++i) {
                const PolyPoint prev = pts_[i - 1], cur = pts_[i];
                int64_t dx, dy;
                const int64_t d = step(prev, cur, dx, dy);
                if (d > pitch && !full) {
                    const int64_t k = (d + pitch - 1) / pitch;
                    // The rest of the list still has to fit behind the new points.
                    const int64_t rest = int64_t(pts_.size() - i);
                    if (int64_t(out.size()) + (k - 1) + rest > kMaxCount) {
                        full = true;
                    } else {
                        const double sx = double(dx) / double(k), sy = double(dy) / double(k);
                        double fx = prev.x, fy = prev.y;
                        for (int64_t j = 1; j < k; ++j) {
                            fx += sx;
                            fy += sy;
                            out.push_back({RoundToLng(fx), RoundToLng(fy)});
                        }
                    }
                }
                out.push_back(cur);
            }
            pts_.assign(out.begin(), out.end());
        }
        // Inserted points lie on the segments: a valid box stays valid.
        flags_ = saved | FlagModified;
        return true;
    } catch (...) {
        ErrorMng::ReRaise(kErr, kObj, "Chop");
    }
}

// One Sutherland-Hodgman pass: edge 1 left, 2 right, 4 top, 8 bottom.
bool clsPoly::ClipEdge(int edge, int32_t e, std::vector<PolyPoint>& work) {
    const bool wasLoop = IsLoop();
    auto inside = [edge, e](const PolyPoint& p) {
        switch (edge) {
        case 1: return p.x >= e;
        case 2: return p.x <= e;
        case 4: return p.y >= e;
        default: return p.y <= e;
        }
    };
    work.clear();
    bool prevIn = inside(pts_[0]);
    if (prevIn) work.push_back(pts_[0]);
    for (size_t i = 1; i < pts_.size(); ++i) {
        const PolyPoint prev = pts_[i - 1], cur = pts_[i];
        const bool curIn = inside(cur);
        if (curIn != prevIn) {
            const double dx = double(int64_t(cur.x) - prev.x), dy = double(int64_t(cur.y) - prev.y);
            if (edge <= 2) {
                const double t = double(int64_t(e) - prev.x) / dx;
                work.push_back({e, Sat(int64_t(prev.y) + int64_t(std::nearbyint(dy * t)))});
            } else {
                const double t = double(int64_t(e) - prev.y) / dy;
                work.push_back({Sat(int64_t(prev.x) + int64_t(std::nearbyint(dx * t))), e});
            }
        }
        if (curIn) work.push_back(cur);
        prevIn = curIn;
    }
    if (work.size() < 2) {
        SetCount(0);
        return false;
    }
    pts_.swap(work);
    if (wasLoop) MakeLoop();
    return true;
}

bool clsPoly::Clip(const clsRect& r) {
    try {
        // Nothing to clip: an empty list never lies inside.
        if (!UpdateBox()) return false;
        const int16_t c1 = r.OutCode(minX_, minY_);
        const int16_t c2 = r.OutCode(maxX_, maxY_);
        if (c1 & c2) {
            SetCount(0);
            return false;
        }
        if ((c1 | c2) == 0) return true;
        const int16_t c = c1 | c2;
        // The working block starts at count + 1000 and grows when a pass
        // needs more (a zig-zag can add a crossing for every point).
        thread_local std::vector<PolyPoint> scratch;
        std::vector<PolyPoint>& work = Scratch(scratch);
        work.reserve(pts_.size() + 1000);
        const std::pair<int, int32_t> edges[] = {{1, r.mLeft}, {2, r.mRight}, {4, r.mTop}, {8, r.mBottom}};
        for (const auto& [bit, e] : edges) {
            if (!(c & bit)) continue;
            if (!ClipEdge(bit, e, work)) return false;
        }
        flags_ = FlagModified;
        return true;
    } catch (...) {
        ErrorMng::ReRaise(kErr, kObj, "Clip");
    }
}

// Passes over a window of triple starts (i, i+1, i+2). Where the rule
// leaves room, this reading is used: window bounds are inclusive and
// counted in the list as it stands; a removal at start i deletes point
// i + 1 and the walk goes on at start i + 1 of the shortened list (the
// changed triple at i waits for the next pass); the window's end moves
// down with each removal, so it keeps naming the same point. The next pass
// runs from (first removal's start - 1, at least 1) to the last removal's
// start; passes stop when one removes nothing.
namespace {

// The passes over a[0..m), m >= 4, compacting in place; the count left.
size_t ThinPasses(PolyPoint* a, size_t m, double dif, double limit) {
    const ThinRule rule(dif, limit);
    // The triples to judge in the coming pass, by the position of the node.
    thread_local std::vector<uint8_t> judgeScratch;
    std::vector<uint8_t>& judgeBlock = Scratch(judgeScratch);
    judgeBlock.assign(m, 0);
    uint8_t* judge = judgeBlock.data();
    // Every pass compacts the list as it walks: a kept point is copied down
    // behind the walk, a removed one skipped, the part after the window
    // moved down at the end. A triple kept in one pass and untouched by its
    // removals is kept again, so a later pass judges only the triples a
    // removal changed: the one at the node that lost its middle point and
    // the one before it. The first pass judges them all.
    size_t start = 0, end = m - 3; // the window of nodes, inclusive
    for (bool first = true;; first = false) {
        size_t w = start; // the node, already in place
        size_t r = start + 1; // the next point not yet walked over
        size_t at = start; // the node's place when the pass began
        size_t firstDrop = 0, lastDrop = 0, drops = 0;
        PolyPoint node = a[start];
        while (at <= end && r + 1 < m) {
            const bool due = first || judge[at];
            judge[at] = 0;
            if (due && rule.Drops(node, a[r], a[r + 1])) {
                // The middle point goes; the walk goes on from the far one.
                judge[r] = 0;
                if (drops++ == 0) firstDrop = w;
                lastDrop = w;
                if (w > 0) judge[w - 1] = 1;
                judge[w] = 1;
                ++r;
            }
            node = a[r];
            at = r++;
            a[++w] = node;
        }
        // What the walk did not reach holds no mark: the marks behind it
        // are the next pass's.
        std::fill(judge + w + 1, judge + m, uint8_t(0));
        if (drops == 0) return m;
        std::copy(a + r, a + m, a + w + 1);
        m = w + 1 + (m - r);
        start = firstDrop >= 1 ? firstDrop - 1 : firstDrop;
        end = lastDrop;
    }
}

} // namespace

size_t clsPoly::CompressPoints(std::span<PolyPoint> pts, double dif, double limit) {
    const size_t n = pts.size();
    if (n < 4) return n;
    // A list on one row or column becomes its two ends of the box, in the
    // list's direction.
    bool row = true, column = true;
    int32_t x0 = pts[0].x, x1 = x0, y0 = pts[0].y, y1 = y0;
    for (size_t i = 1; i < n && (row || column); ++i) {
        row = row && pts[i].y == y0;
        column = column && pts[i].x == x0;
    }
    if (row || column) {
        for (const PolyPoint& p : pts) {
            x0 = std::min(x0, p.x), x1 = std::max(x1, p.x);
            y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
        }
        const bool forward = pts[n - 1].x - int64_t(pts[0].x) > 0 || pts[n - 1].y - int64_t(pts[0].y) > 0;
        pts[0] = forward ? PolyPoint{x0, y0} : PolyPoint{x1, y1};
        pts[1] = forward ? PolyPoint{x1, y1} : PolyPoint{x0, y0};
        return 2;
    }
    return ThinPasses(pts.data(), n, dif, limit);
}

void clsPoly::CompressB(double dif, double limit) {
    try {
        const int32_t n = Count();
        if (n < 4) return;
        // A list on one row or column is told from the others by its first
        // differing point rather than by a walk over the whole list for its
        // box; the box is still worked out when the straight tests would
        // have done so, for the flags to read the same.
        bool boxWanted = false;
        bool straight = flags_ & FlagBoxValid;
        if (!straight) {
            auto same = [this](size_t upTo, auto coord) {
                for (size_t i = 1; i < upTo; ++i)
                    if (coord(pts_[i]) != coord(pts_[0])) return false;
                return true;
            };
            const auto y = [](PolyPoint p) { return p.y; };
            const auto x = [](PolyPoint p) { return p.x; };
            const size_t head = std::min<size_t>(pts_.size(), 20);
            const bool rowHead = same(head, y), columnHead = same(head, x);
            boxWanted = rowHead || columnHead;
            straight = (rowHead && same(pts_.size(), y)) || (columnHead && same(pts_.size(), x));
        }
        if (straight && (IsHorizontal() || IsVertical())) {
            UpdateBox();
            const bool forward = pts_.back().x - int64_t(pts_.front().x) > 0 ||
                                 pts_.back().y - int64_t(pts_.front().y) > 0;
            if (forward) SetLine(minX_, minY_, maxX_, maxY_);
            else SetLine(maxX_, maxY_, minX_, minY_);
            return;
        }
        const size_t m = ThinPasses(pts_.data(), size_t(n), dif, limit);
        if (m == size_t(n)) {
            if (boxWanted) UpdateBox();
            return;
        }
        pts_.resize(m);
        Changed();
    } catch (...) {
        ErrorMng::ReRaise(kErr, kObj, "CompressB");
    }
}

void clsPoly::CompressHalf() {
    const size_t n = pts_.size();
    if (n < 2) return;
    auto avg3 = [this](size_t i) { // i is 0-based
        const int64_t sx = int64_t(pts_[i].x) + pts_[i + 1].x + pts_[i + 2].x;
        const int64_t sy = int64_t(pts_[i].y) + pts_[i + 1].y + pts_[i + 2].y;
        return PolyPoint{static_cast<int32_t>(sx / 3), static_cast<int32_t>(sy / 3)};
    };
    clsPoly out;
    out.pts_.reserve(n / 2 + 3);
    if (IsLoop()) {
        for (size_t i = 1; i + 2 <= n; i += 2) out.pts_.push_back(avg3(i - 1));
        if (n % 2 == 0) {
            const int64_t sx = int64_t(pts_[n - 2].x) + pts_[n - 1].x;
            const int64_t sy = int64_t(pts_[n - 2].y) + pts_[n - 1].y;
            out.pts_.push_back({static_cast<int32_t>(sx / 2), static_cast<int32_t>(sy / 2)});
        }
        out.MakeLoop();
    } else {
        out.pts_.push_back(pts_.front());
        for (size_t i = 2; i + 3 <= n; i += 2) out.pts_.push_back(avg3(i - 1));
        out.pts_.push_back(pts_.back());
    }
    pts_.swap(out.pts_);
    Changed();
}

void clsPoly::GetBound4(int32_t& left, int32_t& top, int32_t& right, int32_t& bottom) {
    UpdateBox();
    left = minX_, top = minY_, right = maxX_, bottom = maxY_;
}

void clsPoly::Load(QByteArrayView data, qsizetype& pos, bool bLong) {
    try {
        const qsizetype size = data.size();
        const auto* bytes = reinterpret_cast<const uchar*>(data.data());
        const qsizetype head = bLong ? 4 : 2;
        if (pos < 0 || pos > size || size - pos < head) ShortBlock();
        const int64_t count = bLong ? int64_t(qFromLittleEndian<qint32>(bytes + pos))
                                    : int64_t(qFromLittleEndian<quint16>(bytes + pos));
        // The count is checked against what the data holds before anything
        // is allocated: a corrupt count never becomes a huge block.
        if (count < 0 || count > kMaxCount || count * 8 > int64_t(size - pos - head)) ShortBlock();
        std::vector<PolyPoint> pts(static_cast<size_t>(count));
        const uchar* src = bytes + pos + head;
        if constexpr (std::endian::native == std::endian::little) {
            if (count > 0) std::memcpy(pts.data(), src, size_t(count) * 8);
        } else {
            for (int64_t i = 0; i < count; ++i) {
                pts[i].x = qFromLittleEndian<qint32>(src + 8 * i);
                pts[i].y = qFromLittleEndian<qint32>(src + 8 * i + 4);
            }
        }
        pts_.swap(pts);
        flags_ = 0;
        pos += head + qsizetype(count) * 8;
    } catch (...) {
        ErrorMng::ReRaise(kErr, kObj, "Load");
    }
}

void clsPoly::Load(QIODevice& file, bool bLong) {
    try {
        const qint64 start = file.pos();
        auto fail = [&]() {
            if (!file.isSequential()) file.seek(start);
            ShortBlock();
        };
        uchar head[4];
        const qint64 headSize = bLong ? 4 : 2;
        if (file.read(reinterpret_cast<char*>(head), headSize) != headSize) fail();
        const int64_t count =
            bLong ? int64_t(qFromLittleEndian<qint32>(head)) : int64_t(qFromLittleEndian<quint16>(head));
        if (count < 0 || count > kMaxCount || count * 8 > file.bytesAvailable()) fail();
        std::vector<PolyPoint> pts(static_cast<size_t>(count));
        const qint64 want = count * 8;
        if (want > 0 && file.read(reinterpret_cast<char*>(pts.data()), want) != want) fail();
        if constexpr (std::endian::native != std::endian::little) {
            for (PolyPoint& p : pts) {
                p.x = qFromLittleEndian(p.x);
                p.y = qFromLittleEndian(p.y);
            }
        }
        pts_.swap(pts);
        flags_ = 0;
    } catch (...) {
        ErrorMng::ReRaise(kErr, kObj, "Load");
    }
}

PolyPoint clsPoly::GetPoint(int32_t index) const {
    CheckIndex(index, "GetPoint");
    return pts_[index - 1];
}

void clsPoly::SetPoint(int32_t index, const PolyPoint& p) {
    CheckIndex(index, "SetPoint");
    pts_[index - 1] = p;
    Changed();
}

bool clsPoly::AddXY(int32_t px, int32_t py) {
    if (Count() >= kMaxCount) return false;
    pts_.push_back({px, py});
    Changed();
    return true;
}

bool clsPoly::InsertXY(int32_t index, int32_t px, int32_t py) {
    if (!InBoundIndex(index) || Count() >= kMaxCount) return false;
    pts_.insert(pts_.begin() + (index - 1), PolyPoint{px, py});
    Changed();
    return true;
}

bool clsPoly::FromArray(std::span<const PolyPoint> arr, int32_t srcStart, int32_t dstStart, int32_t n) {
    try {
        if (srcStart < 0 || dstStart < 1 || n < 1) return false;
        const int64_t avail = int64_t(arr.size()) - srcStart;
        int64_t m = n < avail ? n : avail;
        const int64_t room = int64_t(kMaxCount) - dstStart + 1;
        if (m > room) m = room;
        if (m < 1) return false;
        const int64_t end = int64_t(dstStart) + m - 1;
        if (end > Count()) pts_.resize(static_cast<size_t>(end));
        std::copy_n(arr.begin() + srcStart, m, pts_.begin() + (dstStart - 1));
        Changed();
        return true;
    } catch (...) {
        ErrorMng::ReRaise(kErr, kObj, "FromArray");
    }
}

bool clsPoly::ToArray(std::span<PolyPoint> arr, int32_t start, int32_t dstStart, int32_t n) const {
    try {
        if (dstStart < 0 || start < 1) return false;
        int64_t m = n;
        if (m > int64_t(Count()) - start + 1) m = int64_t(Count()) - start + 1;
        if (m > int64_t(arr.size()) - dstStart) m = int64_t(arr.size()) - dstStart;
        if (m < 1) return false;
        std::copy_n(pts_.begin() + (start - 1), m, arr.begin() + dstStart);
        return true;
    } catch (...) {
        ErrorMng::ReRaise(kErr, kObj, "ToArray");
    }
}

void clsPoly::SetBound(int32_t minX, int32_t minY, int32_t maxX, int32_t maxY) {
    minX_ = minX, minY_ = minY, maxX_ = maxX, maxY_ = maxY;
    flags_ |= FlagBoxValid;
}

bool clsPoly::DrawPolyline(DeviceContext* handle) const
{
    if (!handle)
        return false;
    return handle->Polyline(&Points()->x, Count());
}

bool clsPoly::DrawPolygon(DeviceContext* handle) const
{
    if (!handle)
        return false;
    return handle->Polygon(&Points()->x, Count());
}
