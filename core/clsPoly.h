#pragma once
// The one container of integer points: a growable list numbered from 1 with
// a cached bounding box and a modified flag, plus the editing, cutting,
// densifying, clipping and thinning the map figures and the plot need.
//
// Points are one contiguous block of 8-byte records (x then y), the layout
// the drawing layer hands on without conversion: Points() is point 1.
// An index outside 1..Count raises the class error (base + 1001).
#include "core/clsRect.h"

#include <QByteArrayView>
#include <cstdint>
#include <span>
#include <vector>

class DeviceContext;
class QIODevice;

struct PolyPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const PolyPoint&) const = default;
};
static_assert(sizeof(PolyPoint) == 8);

class clsPoly {
public:
    static constexpr int32_t kMaxCount = 268435455;

    clsPoly() = default;

    bool Modify() const { return flags_ & FlagModified; }
    void SetModify(bool on) { flags_ = on ? FlagModified : 0; }
    int32_t MaxCount() const { return kMaxCount; }
    int32_t Count() const { return static_cast<int32_t>(pts_.size()); }
    // n <= 0 empties the list; new points are (0, 0); at most kMaxCount.
    void SetCount(int32_t n);
    bool InBoundIndex(int32_t index) const { return index >= 1 && index <= Count(); }
    // A closed ring: more than 3 points, the first equal to the last.
    bool IsLoop() const;
    bool IsOverlapArea(const clsRect& oRect);
    bool IsMatch(const clsPoly& oPoly) const;

    int32_t x(int32_t index) const;
    void SetX(int32_t index, int32_t v);
    int32_t y(int32_t index) const;
    void SetY(int32_t index, int32_t v);
    int32_t LastX() const;
    void SetLastX(int32_t v);
    int32_t LastY() const;
    void SetLastY(int32_t v);
    int32_t LineWidth(int32_t index) const;
    int32_t LineHeight(int32_t index) const;

    // Plane area (absolute value), the list taken as closed.
    double Area() const;
    // An empty rectangle for an empty list.
    clsRect RectBound();
    bool IsHorizontal();
    bool IsVertical();
    clsPoly Copy() const;
    void GetXandY(int32_t index, int32_t& px, int32_t& py) const;
    void SetXandY(int32_t index, int32_t px, int32_t py);
    void SetLastXandY(int32_t px, int32_t py);
    void GetLastXandY(int32_t& px, int32_t& py) const;
    bool Del(int32_t index);
    void SetLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    void SetRect(int32_t left, int32_t top, int32_t right, int32_t bottom);
    void MakeLoop();
    // Coordinates that would leave the 32-bit range stop at its ends.
    void Move(int32_t dx, int32_t dy);
    // Appends oPoly (which may be this list itself); a first point equal to
    // this list's last point is not repeated.
    bool Connect(const clsPoly& oPoly);
    // This list keeps points 1..index; the result holds index..Count.
    clsPoly Divide(int32_t index);
    // Inserts points so that no step exceeds pitch: mode 1 |dx|, 2 |dy|,
    // 3 the larger of both.
    bool Chop(int32_t pitch, int16_t mode);
    // Clips the list, taken as a polygon, to the rectangle (edges inclusive).
    bool Clip(const clsRect& oRect);
    void CompressB(double dif, double limit);
    // CompressB on a bare block, as on a list without a box: the block is
    // compacted in place and the count kept is returned.
    static size_t CompressPoints(std::span<PolyPoint> pts, double dif, double limit);
    void CompressHalf();
    // The bounding box (min x, min y, max x, max y); the cached values as
    // they stand for an empty list.
    void GetBound4(int32_t& left, int32_t& top, int32_t& right, int32_t& bottom);
    // All points as one Polyline / Polygon with what the caller selected.
    bool DrawPolyline(DeviceContext* handle) const;
    bool DrawPolygon(DeviceContext* handle) const;

    // Reads a point block at pos: the count (32-bit signed when bLong, else
    // 16-bit unsigned, little-endian), then count × (x, y) as 32-bit
    // little-endian. pos moves past the block. A count that is negative or
    // larger than the bytes left raises error 62 and leaves list and pos as
    // they were.
    void Load(QByteArrayView data, qsizetype& pos, bool bLong);
    // The same from the current position of an open file or buffer.
    void Load(QIODevice& file, bool bLong);

    // --- for the program's other classes ---
    PolyPoint GetPoint(int32_t index) const;
    void SetPoint(int32_t index, const PolyPoint& p);
    bool AddXY(int32_t px, int32_t py);
    bool AddPoint(const PolyPoint& p) { return AddXY(p.x, p.y); }
    bool InsertXY(int32_t index, int32_t px, int32_t py);
    bool InsertPoint(int32_t index, const PolyPoint& p) { return InsertXY(index, p.x, p.y); }
    // Arrays are indexed from 0 (their lower bound); list positions from 1.
    bool FromArray(std::span<const PolyPoint> arr, int32_t srcStart, int32_t dstStart, int32_t n);
    bool ToArray(std::span<PolyPoint> arr, int32_t start, int32_t dstStart, int32_t n) const;
    void SetBound(int32_t minX, int32_t minY, int32_t maxX, int32_t maxY);
    // Room for n points without changing the list.
    void Reserve(int32_t n) { pts_.reserve(static_cast<size_t>(n < 0 ? 0 : (n > kMaxCount ? kMaxCount : n))); }
    // The list becomes a copy of pts (at most kMaxCount), keeping its block
    // when that is large enough.
    void Assign(std::span<const PolyPoint> pts);
    size_t Capacity() const { return pts_.capacity(); }

    // Point 1 of the contiguous block (never null; Count() records).
    const PolyPoint* Points() const { return pts_.empty() ? &spare_ : pts_.data(); }
    std::span<const PolyPoint> Span() const { return pts_; }
    uint16_t Flags() const { return flags_; }

private:
    static constexpr uint16_t FlagModified = 1;
    static constexpr uint16_t FlagBoxValid = 2;

    bool UpdateBox();
    void CheckIndex(int32_t index, const char* proc) const;
    void Changed() { flags_ = FlagModified; }
    bool ClipEdge(int edge, int32_t e, std::vector<PolyPoint>& work);

    std::vector<PolyPoint> pts_;
    PolyPoint spare_;
    uint16_t flags_ = 0;
    int32_t minX_ = 0;
    int32_t maxX_ = 0;
    int32_t minY_ = 0;
    int32_t maxY_ = 0;
};
