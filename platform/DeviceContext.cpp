#include "platform/DeviceContext.h"

#include "platform/BrushTexture.h"
#include "platform/DeferredDrawing.h"
#include "platform/LineSteps.h"
#include "platform/PainterCall.h"
#include "platform/TextShaper.h"

#include <QBrush>
#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QRegion>

#include <algorithm>
#include <utility>

namespace {

int32_t gScreenDpiX = 96;
int32_t gScreenDpiY = 96;

// Dash patterns of the one-pixel pens, in pixels, on first.
struct Dashes {
    int32_t n;
    int32_t len[6];
};
constexpr Dashes kCosmeticDashes[5] = {
    {0, {}},
    {2, {18, 6}},
    {2, {3, 3}},
    {4, {9, 6, 3, 6}},
    {6, {9, 3, 3, 3, 3, 3}},
};

QColor ToQColor(int32_t c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

QPolygon ToQPolygon(const int32_t* xy, int32_t count)
{
    QPolygon poly(count > 0 ? count : 0);
    for (int32_t i = 0; i < count; ++i)
        poly.setPoint(i, xy[2 * i], xy[2 * i + 1]);
    return poly;
}

} // namespace

struct DeviceContext::Impl {
    std::unique_ptr<DeferredDrawing> deferral;
    QPainter painter;
    BrushTexture texture;
    // The selected font and the text work kept with it.
    TextShaper text;
    QRegion polyRegion;
    // The polygon handed to the painter, its room kept from fill to fill.
    QPolygon fill;
    // Visible spans per row of the polygon clip, rows spanTop.. .
    int32_t spanTop = 0;
    std::vector<std::vector<std::pair<int32_t, int32_t>>> spans;
};

DeviceContext::DeviceContext(QImage& image, int32_t dpiX, int32_t dpiY)
    : image_(image), d_(std::make_unique<Impl>()), dpiX_(dpiX), dpiY_(dpiY)
{
    const PainterCall leaving;
    if (image_.format() != QImage::Format_RGB32)
        image_ = image_.convertToFormat(QImage::Format_RGB32);
    width_ = image_.width();
    height_ = image_.height();
    if (width_ > 0 && height_ > 0) {
        bits_ = reinterpret_cast<uint32_t*>(image_.bits());
        stride_ = int32_t(image_.bytesPerLine() / 4);
        d_->painter.begin(&image_);
        d_->painter.setRenderHint(QPainter::Antialiasing, false);
        d_->painter.setBrushOrigin(0, 0);
    }
    ClearClip();
}

DeviceContext::~DeviceContext()
{
    const PainterCall leaving;
    try {
        EndDeferred();
    } catch (...) {
    }
    if (d_->painter.isActive())
        d_->painter.end();
}

int32_t DeviceContext::ScreenLogPixelsX() { return gScreenDpiX; }
int32_t DeviceContext::ScreenLogPixelsY() { return gScreenDpiY; }
void DeviceContext::SetScreenLogPixels(int32_t x, int32_t y)
{
    if (x > 0)
        gScreenDpiX = x;
    if (y > 0)
        gScreenDpiY = y;
}

// --- deferred drawing ----------------------------------------------------

bool DeviceContext::IsDeferred() const { return Recording(); }

void DeviceContext::BeginDeferred(int threads)
{
    if (Recording() || threads < 2 || !bits_ || height_ < 2)
        return;
    if (!d_->deferral || d_->deferral->Threads() != threads)
        d_->deferral = std::make_unique<DeferredDrawing>(*this, threads);
    recording_ = true;
    drawPixels_ = false;
    d_->deferral->Begin();
    // The bands start from the state as it is now.
    DeferredDrawing& rec = *d_->deferral;
    DeferredDrawing::Op& op = rec.Record(1, 0, true, DeferredDrawing::Kind::Start);
    op.v[0] = DeferredDrawing::Chunk::Keep(rec.Open().starts,
                                           {pen_, brush_, font_, hasFont_, bkMode_, bkColour_, textColour_, rop_,
                                            textAlign_, curX_, curY_, dashPhase_, clipL_, clipT_, clipR_, clipB_,
                                            polyClip_, d_->polyRegion});
}

void DeviceContext::KeepToBand(int32_t top, int32_t bottom, int32_t bands)
{
    bandTop_ = top;
    bandBottom_ = bottom;
    ClearClip();
    d_->text.KeepShareOf(bands);
}

void DeviceContext::Flush()
{
    if (!Recording())
        return;
    d_->deferral->Flush();
}

void DeviceContext::EndDeferred()
{
    if (!Recording())
        return;
    Flush();
    recording_ = false;
    drawPixels_ = true;
}

QImage& DeviceContext::Image()
{
    Flush();
    return image_;
}

// --- state ---------------------------------------------------------------

DcPen DeviceContext::SelectPen(const DcPen& pen)
{
    return std::exchange(pen_, pen);
}
DcBrush DeviceContext::SelectBrush(const DcBrush& brush)
{
    if (Recording()) {
        DeferredDrawing& rec = *d_->deferral;
        // Recorded first: a recording may start a new stretch, which must
        // be the one that keeps the brush.
        DeferredDrawing::Op& op = rec.Record(1, 0, true, DeferredDrawing::Kind::Brush);
        op.v[0] = DeferredDrawing::Chunk::Keep(rec.Open().brushes, brush);
    }
    return std::exchange(brush_, brush);
}
int32_t DeviceContext::SetBkMode(int32_t mode)
{
    return std::exchange(bkMode_, mode == Gdi::TRANSPARENT ? mode : Gdi::OPAQUE);
}
int32_t DeviceContext::SetBkColor(int32_t colour)
{
    return std::exchange(bkColour_, colour & 0xFFFFFF);
}
int32_t DeviceContext::SetTextColor(int32_t colour)
{
    return std::exchange(textColour_, colour & 0xFFFFFF);
}
int32_t DeviceContext::SetTextAlign(int32_t align)
{
    return std::exchange(textAlign_, align);
}

int32_t DeviceContext::SetROP2(int32_t rop)
{
    const PainterCall leaving;
    if (Recording())
        d_->deferral->Record(1, 0, true, DeferredDrawing::Kind::Rop, {rop});
    const int32_t old = std::exchange(rop_, rop == Gdi::R2_XORPEN ? rop : Gdi::R2_COPYPEN);
    if (d_->painter.isActive())
        d_->painter.setCompositionMode(rop_ == Gdi::R2_XORPEN ? QPainter::RasterOp_SourceXorDestination
                                                              : QPainter::CompositionMode_SourceOver);
    return old;
}

uint32_t DeviceContext::DeviceColour(int32_t colour) const
{
    const uint32_t c = uint32_t(colour);
    return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// --- clipping ------------------------------------------------------------

void DeviceContext::SetClipRect(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    if (Recording())
        d_->deferral->Record(1, 0, true, DeferredDrawing::Kind::ClipRect, {left, top, right, bottom});
    clipL_ = std::max(left, 0);
    clipT_ = std::max({top, 0, bandTop_});
    clipR_ = std::min(right, width_ - 1);
    clipB_ = std::min({bottom, height_ - 1, bandBottom_});
    ApplyClip();
}

void DeviceContext::ClearClip() { SetClipRect(0, 0, width_ - 1, height_ - 1); }

void DeviceContext::ResetPolygonClip()
{
    if (Recording())
        d_->deferral->Record(1, 0, true, DeferredDrawing::Kind::ResetPolygonClip);
    ApplyClip();
}

void DeviceContext::ApplyClip()
{
    const PainterCall leaving;
    polyClip_ = false;
    d_->polyRegion = QRegion();
    d_->spans.clear();
    if (!d_->painter.isActive())
        return;
    if (clipL_ > clipR_ || clipT_ > clipB_)
        d_->painter.setClipRect(QRect(0, 0, 0, 0));
    else
        d_->painter.setClipRect(QRect(clipL_, clipT_, clipR_ - clipL_ + 1, clipB_ - clipT_ + 1));
}

void DeviceContext::AndPolygonClip(const int32_t* xy, int32_t count)
{
    const PainterCall leaving;
    if (Recording()) {
        DeferredDrawing& rec = *d_->deferral;
        DeferredDrawing::Op& op = rec.Record(1, 0, true, DeferredDrawing::Kind::PolygonClip);
        op.v[0] = rec.Open().KeepPoints(xy, count);
        op.v[1] = count;
    }
    QRegion region(ToQPolygon(xy, count), Qt::WindingFill);
    if (polyClip_)
        region = region.intersected(d_->polyRegion);
    ApplyRegion(region);
}

// The clip becomes the region within the base rectangle.
void DeviceContext::ApplyRegion(const QRegion& within)
{
    const PainterCall leaving;
    const QRegion base = clipL_ > clipR_ || clipT_ > clipB_
                             ? QRegion()
                             : QRegion(clipL_, clipT_, clipR_ - clipL_ + 1, clipB_ - clipT_ + 1);
    const QRegion region = within.intersected(base);
    polyClip_ = true;
    d_->polyRegion = region;
    d_->spans.clear();
    const QRect b = region.boundingRect();
    d_->spanTop = b.top();
    if (!region.isEmpty()) {
        d_->spans.resize(size_t(b.height()));
        for (const QRect& r : region)
            for (int32_t y = r.top(); y <= r.bottom(); ++y)
                d_->spans[size_t(y - b.top())].emplace_back(r.left(), r.right());
    }
    if (d_->painter.isActive())
        d_->painter.setClipRegion(region);
}

bool DeviceContext::IsVisible(int32_t x, int32_t y) const
{
    if (x < clipL_ || x > clipR_ || y < clipT_ || y > clipB_)
        return false;
    if (!polyClip_)
        return true;
    const int64_t row = int64_t(y) - d_->spanTop;
    if (row < 0 || row >= int64_t(d_->spans.size()))
        return false;
    for (const auto& s : d_->spans[size_t(row)])
        if (x >= s.first && x <= s.second)
            return true;
    return false;
}

// --- pixels --------------------------------------------------------------

void DeviceContext::Plot(int32_t x, int32_t y, uint32_t argb)
{
    if (!IsVisible(x, y))
        return;
    uint32_t& p = bits_[size_t(y) * size_t(stride_) + size_t(x)];
    if (rop_ == Gdi::R2_XORPEN)
        p ^= (argb & 0xFFFFFFu);
    else
        p = argb;
}

bool DeviceContext::SetPixelV(int32_t x, int32_t y, int32_t colour)
{
    if (!bits_)
        return false;
    if (Recording())
        d_->deferral->Record(y, y, false, DeferredDrawing::Kind::Pixel, {x, y, colour});
    if (drawPixels_)
        Plot(x, y, DeviceColour(colour));
    return true;
}

int32_t DeviceContext::GetPixel(int32_t x, int32_t y) const
{
    const_cast<DeviceContext*>(this)->Flush();
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return -1;
    const uint32_t p = bits_[size_t(y) * size_t(stride_) + size_t(x)];
    return int32_t(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16));
}

void DeviceContext::LineDDA(int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                            const std::function<void(int32_t, int32_t)>& step)
{
    using LineSteps::kNoLimit;
    LineSteps::Step(x1, y1, x2, y2, -kNoLimit, -kNoLimit, kNoLimit, kNoLimit,
                    [&](int32_t x, int32_t y, int64_t) { step(x, y); });
}

// --- lines ---------------------------------------------------------------

void DeviceContext::CosmeticLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    const uint32_t ink = DeviceColour(pen_.colour);
    const int32_t style = pen_.style;
    const bool solid = style == Gdi::PS_SOLID || style < 0 || style > Gdi::PS_DASHDOTDOT;
    if (!drawPixels_) {
        if (!solid)
            dashPhase_ += LineSteps::Count(x1, y1, x2, y2);
        return;
    }
    if (solid) {
        if (!polyClip_ && rop_ != Gdi::R2_XORPEN) {
            // The steps handed out already lie within the clip rectangle.
            uint32_t* const bits = bits_;
            const size_t stride = size_t(stride_);
            LineSteps::Step(x1, y1, x2, y2, clipL_, clipT_, clipR_, clipB_,
                            [&](int32_t x, int32_t y, int64_t) { bits[size_t(y) * stride + size_t(x)] = ink; });
            return;
        }
        LineSteps::Step(x1, y1, x2, y2, clipL_, clipT_, clipR_, clipB_,
                        [&](int32_t x, int32_t y, int64_t) { Plot(x, y, ink); });
        return;
    }
    const Dashes& d = kCosmeticDashes[style];
    int32_t total = 0;
    for (int32_t i = 0; i < d.n; ++i)
        total += d.len[i];
    const bool opaque = bkMode_ == Gdi::OPAQUE;
    const uint32_t paper = DeviceColour(bkColour_);
    const int64_t phase0 = dashPhase_;
    LineSteps::Step(x1, y1, x2, y2, clipL_, clipT_, clipR_, clipB_, [&](int32_t x, int32_t y, int64_t i) {
        int32_t k = int32_t((phase0 + i) % total);
        int32_t j = 0;
        while (k >= d.len[j]) {
            k -= d.len[j];
            ++j;
        }
        if ((j & 1) == 0)
            Plot(x, y, ink);
        else if (opaque)
            Plot(x, y, paper);
    });
    dashPhase_ = phase0 + LineSteps::Count(x1, y1, x2, y2);
}

// A segment whose rows all miss the clip draws nothing: a band replaying a
// long chain that crosses it steps only its own rows, and the dashes keep
// their phase.
void DeviceContext::CosmeticChain(const int32_t* xy, int32_t count, bool closed, const int32_t* runs)
{
    const int32_t t = clipT_, b = clipB_;
    const bool solid = pen_.style == Gdi::PS_SOLID || pen_.style < 0 || pen_.style > Gdi::PS_DASHDOTDOT;
    // Nothing to draw and no phase to count.
    if (solid && !drawPixels_)
        return;
    const auto segment = [&](int32_t i, int32_t j) {
        const int32_t x1 = xy[2 * i], y1 = xy[2 * i + 1], x2 = xy[2 * j], y2 = xy[2 * j + 1];
        if (std::max(y1, y2) < t || std::min(y1, y2) > b) [[unlikely]] {
            if (!solid)
                dashPhase_ += LineSteps::Count(x1, y1, x2, y2);
        } else {
            CosmeticLine(x1, y1, x2, y2);
        }
    };
    for (int32_t from = 0; from < count - 1; from += kRun) {
        const int32_t to = std::min(from + kRun, count - 1);
        if (runs) {
            const int32_t k = from / kRun;
            if (runs[2 * k + 1] < t || runs[2 * k] > b) {
                if (!solid)
                    for (int32_t i = from; i < to; ++i)
                        dashPhase_ += LineSteps::Count(xy[2 * i], xy[2 * i + 1], xy[2 * i + 2], xy[2 * i + 3]);
                continue;
            }
        }
        for (int32_t i = from; i < to; ++i)
            segment(i, i + 1);
    }
    if (closed && count > 0)
        segment(count - 1, 0);
}

// Wide pens go through the painter: round ends and joins for a plain pen,
// flat ends and bevel joins with dashes of the width for a geometric one.
void DeviceContext::PainterLine(const int32_t* xy, int32_t count, bool closed)
{
    if (!drawPixels_)
        return;
    const PainterCall leaving;
    QPainter& p = d_->painter;
    QPolygon poly(count);
    for (int32_t i = 0; i < count; ++i)
        poly.setPoint(i, xy[2 * i], xy[2 * i + 1]);
    if (closed && count > 0)
        poly << poly.first();
    const qreal w = pen_.width;
    const bool styled = pen_.geometric && pen_.style >= Gdi::PS_DASH && pen_.style <= Gdi::PS_DASHDOTDOT;
    p.setBrush(Qt::NoBrush);
    if (styled && bkMode_ == Gdi::OPAQUE) {
        p.setPen(QPen(ToQColor(bkColour_), w, Qt::SolidLine, Qt::FlatCap, Qt::BevelJoin));
        p.drawPolyline(poly);
    }
    QPen qp(ToQColor(pen_.colour), w);
    if (pen_.geometric) {
        qp.setCapStyle(Qt::FlatCap);
        qp.setJoinStyle(Qt::BevelJoin);
        if (styled) {
            static const QList<qreal> kDash[5] = {{}, {3, 1}, {1, 1}, {3, 1, 1, 1}, {3, 1, 1, 1, 1, 1}};
            qp.setDashPattern(kDash[pen_.style]);
        }
    } else {
        qp.setCapStyle(Qt::RoundCap);
        qp.setJoinStyle(Qt::RoundJoin);
    }
    p.setPen(qp);
    p.drawPolyline(poly);
}

bool DeviceContext::MoveTo(int32_t x, int32_t y)
{
    if (Recording())
        d_->deferral->Record(1, 0, true, DeferredDrawing::Kind::MoveTo, {x, y});
    curX_ = x;
    curY_ = y;
    dashPhase_ = 0;
    return true;
}

bool DeviceContext::LineTo(int32_t x, int32_t y)
{
    if (!bits_)
        return false;
    if (Recording()) {
        const int64_t m = int64_t(pen_.width) + 2;
        d_->deferral->Record(int64_t(std::min(curY_, y)) - m, int64_t(std::max(curY_, y)) + m, true,
                             DeferredDrawing::Kind::LineTo, {x, y});
    }
    if (pen_.style != Gdi::PS_NULL) {
        if (pen_.width <= 1) {
            CosmeticLine(curX_, curY_, x, y);
        } else {
            const int32_t xy[4] = {curX_, curY_, x, y};
            PainterLine(xy, 2, false);
        }
    }
    curX_ = x;
    curY_ = y;
    return true;
}


bool DeviceContext::Polyline(const int32_t* xy, int32_t count)
{
    return Chain(false, xy, count);
}

bool DeviceContext::Chain(bool polygon, const int32_t* xy, int32_t count)
{
    if (!bits_ || count < 2)
        return false;
    const auto draw = polygon ? &DeviceContext::DrawPolygon : &DeviceContext::DrawPolyline;
    if (!Recording())
        return (this->*draw)(xy, count, nullptr);
    const auto kind = polygon ? DeferredDrawing::Kind::Polygon : DeferredDrawing::Kind::Polyline;
    DeferredDrawing::Op& op = d_->deferral->RecordChain(kind, xy, count, int64_t(pen_.width) + 2);
    // Drawn without pixels while recording: the dash carries on from here.
    (this->*draw)(xy, count, nullptr);
    DeferredDrawing::KeepPhase(op, dashPhase_);
    return true;
}

bool DeviceContext::DrawPolyline(const int32_t* xy, int32_t count, const int32_t* runs)
{
    if (pen_.style == Gdi::PS_NULL)
        return true;
    if (pen_.width <= 1) {
        dashPhase_ = 0;
        CosmeticChain(xy, count, false, runs);
    } else {
        PainterLine(xy, count, false);
    }
    return true;
}

// --- fills ---------------------------------------------------------------

void DeviceContext::FillPolygonWithBrush(const int32_t* xy, int32_t count, const DcBrush& brush, const int32_t* runs)
{
    const PainterCall leaving;
    if (!drawPixels_ || brush.kind == DcBrush::Null || count < 3)
        return;
    QPainter& p = d_->painter;
    // Within a run of corners above the clip's rows (or below them) only the
    // first and the last bound edges that reach those rows; the edges left
    // out and the one that takes their place cross none of them, so the
    // rows are filled as before, and a band filling its share of a large
    // polygon scans few edges. A polygon far out is left as it is, for the
    // painter's own handling of huge coordinates.
    const int32_t above = clipT_ - 2, below = clipB_ + 2;
    const auto side = [&](int32_t i) { return xy[2 * i + 1] < above ? -1 : xy[2 * i + 1] > below ? 1 : 0; };
    QPolygon& poly = d_->fill;
    poly.resize(count);
    QPoint* out = poly.data();
    int32_t n = 0;
    bool near = true;
    for (int32_t i = 0; i < count; ++i) {
        // A run of corners all on one side gives its first and last.
        if (runs && i % kRun == 0 && i + kRun < count) {
            const int32_t k = i / kRun, top = runs[2 * k], bottom = runs[2 * k + 1];
            if (bottom < above || top > below) {
                const int32_t j = i + kRun - 1;
                out[n++] = QPoint(xy[2 * i], xy[2 * i + 1]);
                out[n++] = QPoint(xy[2 * j], xy[2 * j + 1]);
                i = j;
                continue;
            }
        }
        const int32_t x = xy[2 * i], y = xy[2 * i + 1];
        near = near && x > -kNear && x < kNear && y > -kNear && y < kNear;
        const int s = side(i);
        if (s != 0 && i > 0 && i + 1 < count && side(i - 1) == s && side(i + 1) == s)
            continue;
        out[n++] = QPoint(x, y);
    }
    if (!near) {
        for (int32_t i = 0; i < count; ++i)
            out[i] = QPoint(xy[2 * i], xy[2 * i + 1]);
        n = count;
    }
    poly.resize(n);
    if (n < 3)
        return;
    p.setPen(Qt::NoPen);
    if (brush.kind == DcBrush::Solid)
        p.setBrush(ToQColor(brush.colour));
    else {
        p.setBrush(d_->texture.For(brush, textColour_, bkColour_, bkMode_ == Gdi::OPAQUE));
    }
    p.setBrushOrigin(0, 0);
    p.drawPolygon(poly, Qt::OddEvenFill);
    p.setBrush(Qt::NoBrush);
}

bool DeviceContext::Polygon(const int32_t* xy, int32_t count)
{
    return Chain(true, xy, count);
}

bool DeviceContext::DrawPolygon(const int32_t* xy, int32_t count, const int32_t* runs)
{
    FillPolygonWithBrush(xy, count, brush_, runs);
    if (pen_.style == Gdi::PS_NULL)
        return true;
    if (pen_.width <= 1) {
        dashPhase_ = 0;
        CosmeticChain(xy, count, true, runs);
    } else {
        PainterLine(xy, count, true);
    }
    return true;
}

bool DeviceContext::FillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, const DcBrush& brush)
{
    if (Recording() && bits_) {
        DeferredDrawing& rec = *d_->deferral;
        DeferredDrawing::Op& op = rec.Record(std::min(top, bottom), std::max(top, bottom), false,
                                             DeferredDrawing::Kind::FillRect, {left, top, right, bottom});
        op.v[4] = DeferredDrawing::Chunk::Keep(rec.Open().brushes, brush);
    }
    return FillRectNow(left, top, right, bottom, brush);
}

bool DeviceContext::FillRectNow(int32_t left, int32_t top, int32_t right, int32_t bottom, const DcBrush& brush)
{
    if (!bits_)
        return false;
    if (right <= left || bottom <= top)
        return true;
    const int32_t xy[8] = {left, top, right, top, right, bottom, left, bottom};
    FillPolygonWithBrush(xy, 4, brush);
    return true;
}

bool DeviceContext::Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    if (!bits_)
        return false;
    if (Recording()) {
        const int64_t m = int64_t(pen_.width) + 2;
        d_->deferral->Record(int64_t(std::min(top, bottom)) - m, int64_t(std::max(top, bottom)) + m, true,
                             DeferredDrawing::Kind::Rectangle, {left, top, right, bottom});
    }
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    if (pen_.style == Gdi::PS_NULL) {
        FillRectNow(left, top, right - 1, bottom - 1, brush_);
        return true;
    }
    // The interior only, so that an exclusive-or outline is not undone.
    if (pen_.width <= 1)
        FillRectNow(left + 1, top + 1, right - 1, bottom - 1, brush_);
    else
        FillRectNow(left, top, right, bottom, brush_);
    const int32_t xy[8] = {left, top, right - 1, top, right - 1, bottom - 1, left, bottom - 1};
    if (pen_.width <= 1) {
        dashPhase_ = 0;
        for (int32_t i = 1; i <= 4; ++i) {
            const int32_t j = i % 4;
            CosmeticLine(xy[2 * i - 2], xy[2 * i - 1], xy[2 * j], xy[2 * j + 1]);
        }
        // A one-pixel rectangle has no ring to walk.
        if (right - 1 == left && bottom - 1 == top && drawPixels_)
            Plot(left, top, DeviceColour(pen_.colour));
    } else {
        PainterLine(xy, 4, true);
    }
    return true;
}

bool DeviceContext::StretchMask(const BitMask& mask, int32_t x, int32_t y, int32_t w, int32_t h,
                                int32_t inkColour, int32_t paperColour)
{
    if (!bits_ || w <= 0 || h <= 0 || mask.width <= 0 || mask.height <= 0)
        return false;
    if (Recording()) {
        DeferredDrawing& rec = *d_->deferral;
        DeferredDrawing::Op& op = rec.Record(y, int64_t(y) + h - 1, false, DeferredDrawing::Kind::Mask);
        op.v[0] = DeferredDrawing::Chunk::Keep(rec.Open().masks,
                                               {x, y, w, h, inkColour, paperColour, rec.SharedMask(mask)});
    }
    if (!drawPixels_)
        return true;
    const uint32_t ink = DeviceColour(inkColour);
    const uint32_t paper = DeviceColour(paperColour);
    const bool paperDrawn = paperColour != -1;
    const int64_t x0 = std::max<int64_t>(x, clipL_), x1 = std::min<int64_t>(int64_t(x) + w - 1, clipR_);
    const int64_t y0 = std::max<int64_t>(y, clipT_), y1 = std::min<int64_t>(int64_t(y) + h - 1, clipB_);
    if (x0 > x1 || y0 > y1)
        return true;
    std::vector<int32_t> srcX(size_t(x1 - x0 + 1));
    for (int64_t px = x0; px <= x1; ++px)
        srcX[size_t(px - x0)] = int32_t((px - x) * mask.width / w);
    const bool xorMode = rop_ == Gdi::R2_XORPEN;
    // One run of visible pixels of a row.
    auto run = [&](int64_t py, const uint8_t* row, int64_t a, int64_t b) {
        uint32_t* line = bits_ + size_t(py) * size_t(stride_);
        for (int64_t px = a; px <= b; ++px) {
            const bool isInk = row[srcX[size_t(px - x0)]] != 0;
            if (!isInk && !paperDrawn)
                continue;
            const uint32_t c = isInk ? ink : paper;
            if (xorMode)
                line[px] ^= (c & 0xFFFFFFu);
            else
                line[px] = c;
        }
    };
    for (int64_t py = y0; py <= y1; ++py) {
        const int32_t sy = int32_t((py - y) * mask.height / h);
        const uint8_t* row = mask.ink.data() + size_t(sy) * size_t(mask.width);
        if (!polyClip_) {
            run(py, row, x0, x1);
            continue;
        }
        const int64_t r = py - d_->spanTop;
        if (r < 0 || r >= int64_t(d_->spans.size()))
            continue;
        for (const auto& sp : d_->spans[size_t(r)])
            run(py, row, std::max<int64_t>(sp.first, x0), std::min<int64_t>(sp.second, x1));
    }
    return true;
}

// --- text ----------------------------------------------------------------

namespace {

bool HaveGui() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

} // namespace

void DeviceContext::DeselectFont()
{
    if (Recording())
        d_->deferral->Record(1, 0, true, DeferredDrawing::Kind::NoFont);
    hasFont_ = false;
}

bool DeviceContext::SelectFont(const DcFont& font)
{
    const PainterCall leaving;
    if (Recording()) {
        DeferredDrawing& rec = *d_->deferral;
        // Recorded first: a recording may start a new stretch, which must
        // be the one that keeps the font.
        DeferredDrawing::Op& op = rec.Record(1, 0, true, DeferredDrawing::Kind::Font);
        op.v[0] = DeferredDrawing::Chunk::Keep(rec.Open().fonts, font);
    }
    if (!HaveGui() || font.family.isEmpty())
        return false;
    // Every text of a map selects its font again; the same font keeps the
    // toolkit's objects (and the measured advance).
    if (hasFont_ && font == font_)
        return true;
    font_ = font;
    hasFont_ = true;
    d_->text.Select(font);
    return true;
}

bool DeviceContext::TextOut(int32_t x, int32_t y, const QString& text)
{
    const PainterCall leaving;
    if (!bits_ || !hasFont_ || !HaveGui())
        return false;
    QPainter& p = d_->painter;
    const QFont& qf = d_->text.Font();
    const bool level = font_.escapement % 3600 == 0;
    // Measuring shapes the text: a recording of level text has no use for
    // its width, which the bands that draw it measure for themselves.
    const int32_t w = drawPixels_ || !level ? d_->text.Advance(text) : 0;
    const int32_t ascent = d_->text.Ascent(), descent = d_->text.Descent();
    int32_t x0 = 0, y0 = 0;
    if ((textAlign_ & Gdi::TA_CENTER) == Gdi::TA_CENTER)
        x0 = -(w / 2);
    else if (textAlign_ & Gdi::TA_RIGHT)
        x0 = -w;
    if ((textAlign_ & Gdi::TA_BASELINE) == Gdi::TA_BASELINE)
        y0 = 0;
    else if (textAlign_ & 8) // TA_BOTTOM
        y0 = -descent;
    else
        y0 = ascent; // TA_TOP
    if (Recording()) {
        // Level text keeps to its cell, give or take a character height for
        // the glyphs that reach beyond it; any turn of it stays within
        // `reach` of (x, y).
        const int64_t em = std::max(font_.pixelHeight, 1);
        const int64_t reach = int64_t(std::abs(w)) + ascent + descent + 2 * em;
        DeferredDrawing& rec = *d_->deferral;
        DeferredDrawing::Op& op = rec.Record(level ? int64_t(y) + y0 - ascent - em : int64_t(y) - reach,
                                             level ? int64_t(y) + y0 + descent + em : int64_t(y) + reach, false,
                                             DeferredDrawing::Kind::Text);
        op.v[0] = DeferredDrawing::Chunk::Keep(rec.Open().texts, {x, y, text});
    }
    if (!drawPixels_)
        return true;
    p.save();
    p.translate(x, y);
    if (font_.escapement % 3600 != 0)
        p.rotate(-font_.escapement / 10.0);
    if (bkMode_ == Gdi::OPAQUE)
        p.fillRect(QRect(x0, y0 - ascent, w, ascent + descent), ToQColor(bkColour_));
    p.setPen(ToQColor(textColour_));
    if (TextShaper::Shapeable(font_, text)) {
        const TextShaper::Shaped& shaped = d_->text.Shape(text, &image_);
        const QPointF origin(x0, y0 - shaped.ascent);
        for (const QGlyphRun& run : shaped.runs)
            p.drawGlyphRun(origin, run);
    } else {
        p.setFont(qf);
        p.drawText(QPoint(x0, y0), text);
    }
    p.restore();
    return true;
}

bool DeviceContext::GetTextExtentPoint(const QString& text, int32_t& width, int32_t& height) const
{
    const PainterCall leaving;
    if (!hasFont_ || !HaveGui())
        return false;
    const QFontMetrics& fm = d_->text.Metrics();
    width = d_->text.Advance(text);
    height = fm.height();
    return true;
}

bool DeviceContext::GetTextMetrics(DcTextMetrics& tm) const
{
    const PainterCall leaving;
    if (!hasFont_ || !HaveGui())
        return false;
    const QFontMetrics& fm = d_->text.Metrics();
    tm.ascent = fm.ascent();
    tm.descent = fm.descent();
    tm.height = tm.ascent + tm.descent;
    tm.internalLeading = std::max(tm.height - std::max(font_.pixelHeight, 1), 0);
    return true;
}

bool DeviceContext::GetTextInkBox(const QString& text, QRect& box) const
{
    const PainterCall leaving;
    if (!hasFont_ || !HaveGui())
        return false;
    box = QFontMetricsF(d_->text.Font()).tightBoundingRect(text).toAlignedRect();
    return true;
}

int32_t DeviceContext::TextCapHeight() const
{
    DcTextMetrics tm;
    if (!GetTextMetrics(tm))
        return -1;
    const int32_t H = tm.height, A = tm.ascent, D = tm.descent, L = tm.internalLeading;
    const int32_t E = H - L;
    int32_t c = L;
    if (c < 1)
        c = 4 * D / 5;
    if (3 * c < D)
        c = (c + D) / 2;
    if (10 * c > 3 * A)
        c = 3 * A / 10;
    if (10 * c > 3 * E)
        c = 3 * E / 10;
    if (8 * c < A)
        c = A / 8;
    if (8 * c < E)
        c = E / 8;
    int32_t cap = A - c;
    if (2 * cap < E)
        cap = E / 2;
    if (10 * cap < 4 * H)
        cap = 4 * H / 10;
    return std::max(cap, 2);
}
