#include "render/CanvasPolys.h"

#include "core/ErrorMng.h"
#include "core/GlobePolyLib.h"
#include "core/Library.h"
#include "core/MapProjection.h"
#include "core/clsPoly.h"
#include "render/MapViewport.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <span>
#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace {

[[noreturn]] void Raise(const char* proc) {
    ErrorMng::ReRaise(ErrBase + 1001, QStringLiteral("clsMapPlot"), QString::fromLatin1(proc));
}

constexpr int64_t kTurn = 1296000;

// A step of more than half a turn in longitude is a figure stored across
// the date line (the short way round), not an edge round most of the globe.
bool JumpsDateLine(std::span<const PolyPoint> pts) {
    for (size_t i = 1; i < pts.size(); ++i)
        if (std::abs(int64_t(pts[i].x) - pts[i - 1].x) > kTurn / 2) return true;
    return false;
}

#if defined(__SSE2__)
// Four steps at a time: larger minus smaller coordinate, read unsigned, is
// the step's size exactly for 32-bit coordinates; x only in mode 1.
__attribute__((target("avx2"))) bool NeedsChopAvx2(std::span<const PolyPoint> pts, int32_t pitch, int16_t mode,
                                                   size_t& from) {
    const __m256i beyond = _mm256_set1_epi32(int32_t(uint32_t(pitch) + 1));
    const __m256i lanes = mode == 1 ? _mm256_set1_epi64x(0xFFFFFFFF) : _mm256_set1_epi32(-1);
    size_t i = 1;
    for (; i + 4 <= pts.size(); i += 4) {
        const __m256i cur = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(&pts[i]));
        const __m256i prev = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(&pts[i - 1]));
        const __m256i step =
            _mm256_and_si256(_mm256_sub_epi32(_mm256_max_epi32(cur, prev), _mm256_min_epi32(cur, prev)), lanes);
        // step >= pitch + 1, unsigned.
        if (!_mm256_testz_si256(_mm256_cmpeq_epi32(_mm256_max_epu32(step, beyond), step), lanes)) return true;
    }
    from = i;
    return false;
}
#endif

// Whether Chop with this pitch and mode would put any point in.
bool NeedsChop(std::span<const PolyPoint> pts, int32_t pitch, int16_t mode) {
    size_t from = 1;
#if defined(__SSE2__)
    static const bool avx2 = __builtin_cpu_supports("avx2") != 0;
    if (avx2 && pitch >= 0 && NeedsChopAvx2(pts, pitch, mode, from)) return true;
#endif
    for (size_t i = from; i < pts.size(); ++i) {
        const int64_t ax = std::abs(int64_t(pts[i].x) - pts[i - 1].x), ay = std::abs(int64_t(pts[i].y) - pts[i - 1].y);
        if ((mode == 1 ? ax : std::max(ax, ay)) > pitch) return true;
    }
    return false;
}

// The view's chop spacing, worked out again only when the view changes:
// every list of a drawing asks for it.
int32_t ChopPitch(const MapViewport& view, int32_t mm) {
    thread_local struct {
        int32_t mm = -1, dpix = 0;
        double scale = 0, ratioY = 0, scaleMax = 0, secLength = 0;
        int32_t pitch = 0;
    } last;
    if (mm != last.mm || view.dpix != last.dpix || view.scale != last.scale || view.ratioY != last.ratioY ||
        MapProjection::ScaleMax != last.scaleMax || MapProjection::GlobeSecLength != last.secLength) {
        last = {mm, view.dpix, view.scale, view.ratioY, MapProjection::ScaleMax, MapProjection::GlobeSecLength,
                view.ChopSpacing(mm)};
    }
    return last.pitch;
}

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0 && a < 0) ? 1 : 0); }

// Plane points to pixels as the view's XYToCanvas does, a non-finite
// coordinate taken as 0. Every point of a map comes through here, so the
// coordinates go through the same steps side by side, without branches:
// beyond +-2147483646 saturates to +-2147483647 as DblToLng does, the
// conversion rounds in the current mode as DblToLng does, and the centre is
// added in doubles (exact at these sizes), then saturated to 32 bits.
#if defined(__SSE2__)
__attribute__((target("avx2"))) void PlaneToCanvasAvx2(const MapViewport& view, std::span<const PlaneXY> xy,
                                                       std::span<PolyPoint> pts) {
    const __m256d zero = _mm256_setzero_pd();
    const __m256d ratio = _mm256_set_pd(view.ratioY, view.ratioX, view.ratioY, view.ratioX);
    const __m256d over = _mm256_set1_pd(2147483646.0), overTo = _mm256_set1_pd(2147483647.0);
    const __m256d under = _mm256_set1_pd(-2147483646.0), underTo = _mm256_set1_pd(-2147483647.0);
    const __m256d sign = _mm256_set_pd(-1.0, 1.0, -1.0, 1.0);
    const double cx = view.centerPixX, cy = view.centerPixY;
    const __m256d centre = _mm256_set_pd(cy, cx, cy, cx);
    const __m256d lowest = _mm256_set1_pd(-2147483648.0), highest = _mm256_set1_pd(2147483647.0);
    const size_t n = xy.size();
    size_t i = 0;
    for (; i + 2 <= n; i += 2) {
        __m256d v = _mm256_loadu_pd(&xy[i].x);
        v = _mm256_and_pd(v, _mm256_cmp_pd(_mm256_sub_pd(v, v), zero, _CMP_EQ_OQ));
        v = _mm256_mul_pd(v, ratio);
        v = _mm256_blendv_pd(v, overTo, _mm256_cmp_pd(v, over, _CMP_GT_OQ));
        v = _mm256_blendv_pd(v, underTo, _mm256_cmp_pd(v, under, _CMP_LT_OQ));
        v = _mm256_cvtepi32_pd(_mm256_cvtpd_epi32(v));
        v = _mm256_add_pd(centre, _mm256_mul_pd(v, sign));
        v = _mm256_min_pd(_mm256_max_pd(v, lowest), highest);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(&pts[i]), _mm256_cvttpd_epi32(v));
    }
    if (i < n) {
        const PlaneXY p = xy[i];
        const CanvasPoint c = view.XYToCanvas({std::isfinite(p.x) ? p.x : 0.0, std::isfinite(p.y) ? p.y : 0.0});
        pts[i] = {c.x, c.y};
    }
}
#endif

void PlaneToCanvas(const MapViewport& view, std::span<const PlaneXY> xy, std::span<PolyPoint> pts) {
#if defined(__SSE2__)
    // A finite scale keeps products free of NaN, which the scalar road
    // would raise as an error.
    if (std::isfinite(view.ratioX) && std::isfinite(view.ratioY)) {
        static const bool avx2 = __builtin_cpu_supports("avx2") != 0;
        if (avx2) {
            PlaneToCanvasAvx2(view, xy, pts);
            return;
        }
    }
#endif
    for (size_t i = 0; i < xy.size(); ++i) {
        const double px = xy[i].x, py = xy[i].y;
        const CanvasPoint c = view.XYToCanvas({std::isfinite(px) ? px : 0.0, std::isfinite(py) ? py : 0.0});
        pts[i] = {c.x, c.y};
    }
}

} // namespace

namespace {

// The most points a thread's working lists keep between lists: what a huge
// list made them grow to is let go.
constexpr size_t kKeep = size_t(1) << 13;

// Where a canvas list is made before it is kept at its final size.
clsPoly& Made() {
    thread_local clsPoly made;
    if (made.Capacity() > kKeep) made.SetCount(0);
    return made;
}

} // namespace

std::shared_ptr<clsPoly> CanvasPolys::PolyMapToCanvas(MapViewport& view, clsPoly& poly,
                                                      FigureConversion::Trace* trace) const {
    clsPoly& made = Made();
    if (!Convert(view, poly, trace, made)) return nullptr;
    return std::make_shared<clsPoly>(made);
}

std::optional<ListArena::List> CanvasPolys::PolyMapToCanvas(MapViewport& view, clsPoly& poly, ListArena& into,
                                                            FigureConversion::Trace* trace) const {
    clsPoly& made = Made();
    if (!Convert(view, poly, trace, made)) return std::nullopt;
    return into.Keep(made.Span());
}

bool CanvasPolys::Convert(MapViewport& view, clsPoly& poly, FigureConversion::Trace* trace, clsPoly& out) const {
    try {
        if (!poly.IsOverlapArea(view.field)) return false;
        // Clipping, chopping and compressing work on lists kept per thread
        // (the drawing and the workers convert one list after another).
        thread_local clsPoly work;
        thread_local std::vector<PolyPoint> pts;
        thread_local std::vector<PlaneXY> xy;
        if (work.Capacity() > kKeep) work.SetCount(0);
        if (pts.capacity() > kKeep) std::vector<PolyPoint>().swap(pts);
        if (xy.capacity() > kKeep) std::vector<PlaneXY>().swap(xy);
        const clsPoly* stage = &poly;
        const clsRect box = poly.RectBound();
        if (view.field.IsInner(box.mLeft, box.mTop) && view.field.IsInner(box.mRight, box.mBottom)) {
            // Wholly inside: clipping would change nothing.
            if (poly.Count() < 2) return false;
        } else {
            work.Assign(poly.Span());
            work.Clip(view.field);
            if (work.Count() < 2) return false;
            stage = &work;
        }

        const MapProjection::PrjShape shape = MapProjection::PrjShapeOf(view.prjIndex);
        const bool curved = !shape.IsRectangular();
        if (curved) {
            // Most lists of a small-scale view have no step as long as the
            // pitch: they are neither copied nor walked again, and those
            // whose box (which holds what the cut left too) is no wider are
            // not even looked at.
            const int32_t pitch = ChopPitch(view, chopPitch_);
            const int16_t mode = shape.BendsMeridians() ? 3 : 1;
            const bool small = int64_t(box.mRight) - box.mLeft <= pitch &&
                               (mode == 1 || int64_t(box.mBottom) - box.mTop <= pitch);
            if (!small && NeedsChop(stage->Span(), pitch, mode)) {
                if (stage != &work) work.Assign(poly.Span());
                work.Chop(pitch, mode);
                stage = &work;
            }
        }

        const int32_t n = stage->Count();
        const std::span<const PolyPoint> src = stage->Span();
        // Every element is written before it is read: the blocks only grow,
        // so that nothing is filled in that is written over at once.
        const size_t count = static_cast<size_t>(n);
        if (pts.size() < count) pts.resize(count);
        if (xy.size() < count) xy.resize(count);
        const std::span<PolyPoint> canvas = std::span(pts).first(count);
        const std::span<PlaneXY> plane = std::span(xy).first(count);
        if (trace && !trace->projected && n > 0) {
            // Whether the first point was refused, in the same call.
            bool first = false;
            view.projector.CnvLLtoXY(src, plane, {}, &first);
            trace->projected = true;
            trace->firstRefused = !first;
        } else {
            view.projector.CnvLLtoXY(src, plane);
        }
        if (flatPitch_ != 0 && curved) {
            for (size_t i = 0; i < count; ++i) {
                const double px = plane[i].x, py = plane[i].y;
                // A point the projection cannot show keeps whatever finite
                // value it left; a non-finite one becomes the origin.
                canvas[i] = {std::isfinite(px) ? Library::DblToLng(px) : 0, std::isfinite(py) ? Library::DblToLng(py) : 0};
            }
            const double t = view.dpix * flatPitch_ / 25.4 / view.ratioX;
            const std::span<PolyPoint> kept = canvas.first(clsPoly::CompressPoints(canvas, t / 1000, t));
            for (PolyPoint& p : kept) {
                const CanvasPoint c = view.XYToCanvas({double(p.x), double(p.y)});
                p = {c.x, c.y};
            }
            out.Assign(kept);
        } else {
            PlaneToCanvas(view, plane, canvas);
            out.Assign(canvas.first(clsPoly::CompressPoints(canvas, 0.0005, 80.0)));
        }
        if (!view.nt && !out.Clip(view.limit)) return false;
        return true;
    } catch (...) {
        Raise("PolyMapToCanvas");
    }
}

template <class Add>
void CanvasPolys::Parts(MapViewport& view, clsPoly& poly, bool ring, Add add) const {
    // The list's box (kept with the figure) answers both questions for
    // all but the widest lists without a walk over the points.
    const clsRect whole = poly.RectBound();
    const bool strays = whole.mLeft < -kTurn * 3 / 2 || whole.mRight > kTurn * 3 / 2;
    if (!prepared_ && strays && GlobePolyLib::StraysBeyondOneTurn(poly)) return;
    const bool narrow = int64_t(whole.mRight) - whole.mLeft <= kTurn / 2;
    if (prepared_ || narrow || !JumpsDateLine(poly.Span())) {
        add(poly);
        return;
    }
    clsPoly cont = poly.Copy();
    GlobePolyLib::GlobePolyRollOver(cont, view.centerX, ring);
    const clsRect box = cont.RectBound();
    if (box.mLeft == box.mRight) {
        // Only steps between the two date-line meridians: a frame or a
        // whole parallel, which the short way round would erase.
        add(poly);
        return;
    }
    if (view.shifted) return;
    std::vector<clsPoly> parts;
    if (ring) {
        // A ring must stay closed to fill rightly: whole copies, each
        // clipped to the field, rather than pieces cut open at the seams.
        const int64_t first = -FloorDiv(int64_t(box.mRight) - view.field.mLeft, kTurn);
        const int64_t last = FloorDiv(int64_t(view.field.mRight) - box.mLeft, kTurn);
        // A sound ring spans at most a turn and reaches the field at most
        // three times; more would only repeat the same pixels.
        for (int64_t k = first; k <= last && k < first + 3; ++k) {
            const int64_t lo = box.mLeft + k * kTurn, hi = box.mRight + k * kTurn;
            if (lo < INT32_MIN || hi > INT32_MAX) continue;
            clsPoly c = cont.Copy();
            c.Move(static_cast<int32_t>(k * kTurn), 0);
            parts.push_back(std::move(c));
        }
    } else {
        cont = poly.Copy();
        parts = GlobePolyLib::GlobePolyRound(cont, view.centerX, false, false);
    }
    for (clsPoly& part : parts) add(part);
}

std::vector<std::shared_ptr<clsPoly>> CanvasPolys::PolysMapToCanvas(MapViewport& view, clsPoly& poly, bool ring,
                                                                    FigureConversion::Trace* trace) const {
    try {
        std::vector<std::shared_ptr<clsPoly>> out;
        Parts(view, poly, ring, [&](clsPoly& part) {
            if (auto p = PolyMapToCanvas(view, part, trace)) out.push_back(std::move(p));
        });
        return out;
    } catch (...) {
        Raise("PolysMapToCanvas");
    }
}

std::span<const ListArena::List> CanvasPolys::PolysMapToCanvas(MapViewport& view, clsPoly& poly, bool ring,
                                                               ListArena& into, FigureConversion::Trace* trace) const {
    try {
        // Most figures make one list: it goes straight in; several wait here.
        thread_local std::vector<ListArena::List> several;
        several.clear();
        ListArena::List one;
        size_t count = 0;
        Parts(view, poly, ring, [&](clsPoly& part) {
            const std::optional<ListArena::List> p = PolyMapToCanvas(view, part, into, trace);
            if (!p) return;
            // Taken out of the optional first: g++ 12 otherwise takes what is
            // kept for a pointer into `p` (-Wdangling-pointer).
            const ListArena::List list = *p;
            if (count == 1) several.push_back(one);
            if (count == 0)
                one = list;
            else
                several.push_back(list);
            ++count;
        });
        if (count == 0) return {};
        const std::span<ListArena::List> lists = into.Lists(count);
        if (count == 1)
            lists[0] = one;
        else
            std::copy(several.begin(), several.end(), lists.begin());
        return lists;
    } catch (...) {
        Raise("PolysMapToCanvas");
    }
}
