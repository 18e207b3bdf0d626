#include "render/clsMapGraph.h"

#include "core/AngleLib.h"
#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/PublicVal.h"
#include "platform/Cp932Codec.h"
#include "platform/FileSystem.h"
#include "platform/FontCatalog.h"
#include "platform/SystemColors.h"
#include "render/MonoBitmap.h"
#include "render/clsResLine.h"
#include "render/clsResSymbol.h"
#include "render/clsResTile.h"

#include <QDir>
#include <QFont>

#include <algorithm>
#include <cmath>

namespace {

const QString kObj = QStringLiteral("clsMapGraph");

BitMask ToMask(const MonoBitmap& b)
{
    BitMask m;
    m.width = b.Width();
    m.height = b.Height();
    m.ink.resize(size_t(std::max(m.width, 0)) * size_t(std::max(m.height, 0)));
    for (int32_t y = 0; y < m.height; ++y)
        for (int32_t x = 0; x < m.width; ++x)
            m.ink[size_t(y) * size_t(m.width) + size_t(x)] = b.Ink(x, y) ? 1 : 0;
    return m;
}

int32_t Div(int64_t a, int64_t b) { return int32_t(a / b); }

// Moves both end points one pixel sideways; odd steps go in the given
// direction, even ones in the next, so diagonal strokes alternate axes.
void ShiftLine(int32_t direction, int32_t k, CanvasPoint& a, CanvasPoint& b)
{
    const int32_t d = (k % 2 == 1) ? direction : (direction + 1) % 8;
    switch (d) {
    case 0:
    case 1: ++a.x, ++b.x; break;
    case 2:
    case 3: ++a.y, ++b.y; break;
    case 4:
    case 5: --a.x, --b.x; break;
    default: --a.y, --b.y; break;
    }
}

} // namespace

clsMapGraph::clsMapGraph()
    : oFancyLines(std::make_unique<clsResLine>()), oSymbols(std::make_unique<clsResSymbol>()),
      oTiles(std::make_unique<clsResTile>())
{
    ReadFontList();
    defaultFont_ = PublicVal::gvDefaultFont;
    for (int i = 0; i < 8; ++i)
        haloX_[i] = haloY_[i] = 0;
}

clsMapGraph::~clsMapGraph()
{
    try {
        GraphEnd();
    } catch (...) {
    }
}

// --- properties ------------------------------------------------------------

void clsMapGraph::SetResolutionX(int32_t v)
{
    if (!Library::InRange(v, 48, 1440))
        return;
    resX_ = v;
    UpdateRatios();
}

void clsMapGraph::SetResolutionY(int32_t v)
{
    if (!Library::InRange(v, 48, 1440))
        return;
    resY_ = v;
    UpdateRatios();
}

int32_t clsMapGraph::SymbolRatio() const { return oSymbols->Resolution() == 1 ? symbolRatio_ * 2 : symbolRatio_; }

void clsMapGraph::SetSymbolRatio(int32_t v)
{
    if (!Library::InRange(v, 10, 10000))
        return;
    symbolRatio_ = oSymbols->Resolution() == 1 ? v / 2 : v;
    UpdateRatios();
}

void clsMapGraph::SetTextRatio(int32_t v)
{
    if (!Library::InRange(v, 10, 10000))
        return;
    textRatio_ = v;
    UpdateRatios();
}

void clsMapGraph::UpdateRatios()
{
    const int64_t sx = screenX_, sy = screenY_, rx = resX_, ry = resY_;
    const int32_t r = std::min(Div(rx * 100, sx), Div(ry * 100, sy));
    oFancyLines->SetRatioX(Div(rx * 75, sx) + 25);
    oFancyLines->SetRatioY(Div(ry * 75, sy) + 25);
    lineScale_ = std::min(oFancyLines->RatioX(), oFancyLines->RatioY());
    tileRatio_ = r;
    if (r >= 150) {
        oTiles->SetResolution(1);
        tileRatio_ = r / 2;
    } else {
        oTiles->SetResolution(0);
    }
    oSymbols->SetResolution(r >= 150 ? 1 : 0);
    // Symbols grow in steps of 50 percent and never below 25.
    auto quantise = [](int32_t v) { return v >= 25 ? ((v + 30) / 50) * 50 : 25; };
    symScaleX_ = quantise(Div(int64_t(symbolRatio_) * rx, sx));
    symScaleY_ = quantise(Div(int64_t(symbolRatio_) * ry, sy));
    const int32_t d = std::max(resX_ / 144, 1), e = std::max(resY_ / 144, 1);
    const int32_t hx[8] = {-d, d, 0, 0, -d, d, -d, d};
    const int32_t hy[8] = {0, 0, -e, e, -e, -e, e, e};
    for (int i = 0; i < 8; ++i) {
        haloX_[i] = hx[i];
        haloY_[i] = hy[i];
    }
}

int32_t clsMapGraph::MapColor(int32_t colour) const
{
    if (colour == -1)
        return -1;
    if (colour < 0)
        colour = SystemColors::SysColor(colour & 0xFF);
    // Our device always has 2^24 colours or more, so the value stands as it is.
    return colour & 0xFFFFFF;
}

void clsMapGraph::SetBackMode(int32_t colour)
{
    if (colour != -1) {
        dc_->SetBkMode(Gdi::OPAQUE);
        dc_->SetBkColor(colour);
    } else {
        dc_->SetBkMode(Gdi::TRANSPARENT);
    }
}

// --- drawing bracket -------------------------------------------------------

bool clsMapGraph::GraphBegin(DeviceContext* dc, int32_t left, int32_t top, int32_t width, int32_t height)
{
    try {
        if (open_)
            GraphEnd();
        if (!dc)
            return false;
        left = Library::Clamp(left, -32768, 32767);
        top = Library::Clamp(top, -32768, 32767);
        width = Library::Clamp(width, 2, 32767);
        height = Library::Clamp(height, 2, 32767);
        rasterCaps_ = dc->RasterCaps();
        technology_ = dc->Technology();
        if (technology_ != Gdi::DT_RASDISPLAY && technology_ != Gdi::DT_RASPRINTER && technology_ != Gdi::DT_METAFILE)
            return false;
        int32_t bits = dc->BitsPixel();
        if (bits < 2)
            bits = dc->Planes();
        colourCount_ = int64_t(1) << Library::Clamp(bits, 1, 24);
        screenX_ = DeviceContext::ScreenLogPixelsX();
        screenY_ = DeviceContext::ScreenLogPixelsY();
        dc_ = dc;
        SetResolutionX(dc->LogPixelsX());
        SetResolutionY(dc->LogPixelsY());
        // What the drawing changes in the context is put back by GraphEnd.
        saved_ = SavedDc{dc->Pen(), dc->Brush(), dc->BkMode(), dc->BkColor(), dc->TextColor(),
                         dc->ROP2(), dc->SetTextAlign(Gdi::TA_LEFT), dc->Font(), dc->HasFont()};
        dc->SetTextAlign(saved_.align);
        dc->SetROP2(Gdi::R2_COPYPEN);

        havePen_ = haveBackPen_ = false;
        penMode_ = 1;
        penPixelWidth_ = 1;
        penColour_ = 0;
        penBack_ = -1;
        phase_ = 0;
        cycle_.clear();
        cycleLen_ = 0;
        haveBrush_ = false;
        brushMode_ = 1;
        brushFore_ = 0;
        brushBack_ = -1;
        haveFont_ = false;
        fontAngle_ = 0;
        textFore_ = 0;
        textBack_ = -1;
        halo_ = opaque_ = false;
        textGap_ = 8;
        SetTextRatio(100);
        bitmap_ = nullptr;
        bmpFore_ = 0;
        bmpBack_ = -1;
        bmpBackGiven_ = false;
        SetSymbolRatio(100);
        bmpDstW_ = bmpDstH_ = 0;

        view_.SetAll(left, top, left + width - 1, top + height - 1);
        open_ = true;
        return true;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("GraphBegin"));
    }
}

void clsMapGraph::GraphEnd()
{
    if (!open_)
        return;
    try {
        dc_->ResetPolygonClip();
        dc_->SelectPen(saved_.pen);
        dc_->SelectBrush(saved_.brush);
        dc_->SetBkMode(saved_.bkMode);
        dc_->SetBkColor(saved_.bkColour);
        dc_->SetTextColor(saved_.textColour);
        dc_->SetROP2(saved_.rop);
        dc_->SetTextAlign(saved_.align);
        if (saved_.hasFont)
            dc_->SelectFont(saved_.font);
        else
            dc_->DeselectFont();
        havePen_ = haveBackPen_ = haveBrush_ = haveFont_ = false;
        dc_ = nullptr;
        bitmap_ = nullptr;
        oFancyLines->SetRatioX(100);
        oFancyLines->SetRatioY(100);
        open_ = false;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("GraphEnd"));
    }
}

// --- selection -------------------------------------------------------------

bool clsMapGraph::SetPen(int16_t style, int32_t width, int32_t colour, int32_t back)
{
    try {
        if (!open_)
            return false;
        const PenArgs args{style, width, colour, back, lineScale_};
        if (havePen_ && args == lastPen_)
            return true;
        lastPen_ = args;
        penColour_ = MapColor(colour);
        penBack_ = MapColor(back);
        int32_t st = style;
        int16_t mode = 1;
        if (style >= 0 && style <= 4) {
        } else if (style == 5) {
            if (penBack_ != -1) {
                st = 0;
                penColour_ = penBack_;
            }
        } else if (style >= 102 && style <= 145) {
            mode = 3;
        } else {
            st = 0;
        }
        haveBackPen_ = false;
        if (mode == 3) {
            oFancyLines->SetIndex(style);
            oFancyLines->SetRatioX(lineScale_);
            oFancyLines->SetRatioY(lineScale_);
            penPixelWidth_ = oFancyLines->DstThick();
            phase_ = 0;
            penMode_ = 3;
            return true;
        }
        const int32_t w = (Library::Clamp(width, LINE_WIDTH_MIN, LINE_WIDTH_MAX) * lineScale_ + 50) / 100;
        DcPen pen{st, w, penColour_, false};
        if (!(w < 2 || st == 0)) {
            // Geometric pens are always available here: flat ends, bevel
            // joins, and a solid back line under the dashes.
            pen.geometric = true;
            if (penBack_ != -1) {
                backPen_ = DcPen{Gdi::PS_SOLID, w, penBack_, false};
                haveBackPen_ = true;
            }
        }
        dc_->SelectPen(pen);
        pen_ = pen;
        havePen_ = true;
        penMode_ = 1;
        penPixelWidth_ = w;
        return true;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("SetPen"));
    }
}

bool clsMapGraph::SetBrush(int16_t style, int32_t fore, int32_t back)
{
    try {
        if (!open_)
            return false;
        const BrushArgs args{style, fore, back, tileRatio_, oTiles->Resolution()};
        if (haveBrush_ && args == lastBrush_)
            return true;
        lastBrush_ = args;
        brushFore_ = MapColor(fore);
        brushBack_ = MapColor(back);
        int32_t st = style;
        const MonoBitmap* tile = nullptr;
        if (st >= 100 && st <= 131) {
            tile = oTiles->handle(st);
            if (!tile || tile->Width() < 1 || tile->Height() < 1) {
                tile = nullptr;
                st = 6;
            }
        }
        DcBrush brush;
        if (tile) {
            const bool patternBrush = (tile->Width() == 8 && tile->Height() == 8 && tileRatio_ == 100 && brushBack_ != -1) ||
                                      technology_ == Gdi::DT_METAFILE ||
                                      (rasterCaps_ & (Gdi::RC_BITBLT | Gdi::RC_STRETCHBLT)) == 0;
            if (!patternBrush) {
                brushMode_ = 2;
                tileMask_ = ToMask(*tile);
                tileDstW_ = std::max(Div(int64_t(tileRatio_) * tile->Width(), 100), 1);
                tileDstH_ = std::max(Div(int64_t(tile->Height()) * tileRatio_, 100), 1);
                return true;
            }
            brush = DcBrush::PatternBrush(ToMask(*tile));
        } else if (st < 0 || st > 5) {
            brush = DcBrush::SolidBrush(brushFore_);
        } else {
            brush = DcBrush::HatchBrush(st, brushFore_);
        }
        dc_->SelectBrush(brush);
        haveBrush_ = true;
        brushMode_ = 1;
        return true;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("SetBrush"));
    }
}

bool clsMapGraph::SetBitmap(const MonoBitmap* bitmap, int32_t fore, int32_t back)
{
    try {
        if (!open_ || !(rasterCaps_ & Gdi::RC_BITBLT))
            return false;
        const BitmapArgs args{bitmap, fore, back, symScaleX_, symScaleY_};
        if (bitmap_ && args == lastBitmap_)
            return true;
        lastBitmap_ = args;
        bmpFore_ = MapColor(fore);
        bmpBack_ = MapColor(back);
        bmpBackGiven_ = bmpBack_ != -1;
        if (!bitmap || bitmap->Width() < 1 || bitmap->Height() < 1) {
            // Nothing selected rather than the previous picture.
            bitmap_ = nullptr;
            return false;
        }
        if (rasterCaps_ & Gdi::RC_STRETCHBLT) {
            bmpDstW_ = Div(int64_t(symScaleX_) * bitmap->Width(), 100);
            bmpDstH_ = Div(int64_t(symScaleY_) * bitmap->Height(), 100);
        } else {
            bmpDstW_ = bitmap->Width();
            bmpDstH_ = bitmap->Height();
        }
        bitmapMask_ = ToMask(*bitmap);
        bitmap_ = bitmap;
        return true;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("SetBitmap"));
    }
}

bool clsMapGraph::SetSymbol(int16_t index, int32_t fore, int32_t back)
{
    try {
        if (!open_ || !(rasterCaps_ & Gdi::RC_BITBLT))
            return false;
        const SymbolArgs args{index, fore, back, symScaleX_, symScaleY_, oSymbols->Resolution()};
        if (bitmap_ && args == lastSymbol_)
            return true;
        lastSymbol_ = args;
        return SetBitmap(oSymbols->handle(index), fore, back);
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("SetSymbol"));
    }
}

// --- lines -----------------------------------------------------------------

int32_t clsMapGraph::LineOctant(const clsLine& segment)
{
    int64_t a = std::abs(int64_t(segment.mEx) - segment.mSx);
    int64_t b = std::abs(int64_t(segment.mEy) - segment.mSy);
    int flags = 0;
    if (int64_t(segment.mEx) - segment.mSx < 0)
        flags |= 1;
    if (int64_t(segment.mEy) - segment.mSy < 0)
        flags |= 2;
    if (b > a) {
        flags |= 4;
        std::swap(a, b);
    }
    if (a < 1)
        return 0;
    int32_t v = (b * 100 < a * 41) ? 2 : 3;
    if (flags & 4)
        v = 6 - v;
    if (flags & 2)
        v = 4 - v;
    if (flags & 1)
        v = 8 - v;
    return v == 8 ? 0 : v;
}

void clsMapGraph::LineDDAproc(CanvasPoint p, DeviceContext* dc)
{
    if (cycleLen_ < 1) {
        ++phase_;
        return;
    }
    const int32_t colour = cycle_[size_t(phase_ % cycleLen_)] ? penColour_ : penBack_;
    if (colour >= 0)
        dc->SetPixelV(p.x, p.y, colour);
    ++phase_;
}

bool clsMapGraph::DrawLine(const clsLine& segment)
{
    try {
        if (!open_)
            return false;
        clsLine s = segment;
        if (!s.Clip(view_))
            return false;
        SetBackMode(penBack_);
        if (penMode_ == 1) {
            if (haveBackPen_) {
                dc_->SelectPen(backPen_);
                s.Draw(dc_);
                dc_->SelectPen(pen_);
            }
            return s.Draw(dc_);
        }
        // A pattern line: one stroke per drawn row of the pattern, the
        // strokes side by side, each stepped pixel by pixel.
        const int32_t octant = LineOctant(s);
        int32_t t = penPixelWidth_;
        bool changed = false;
        if (octant & 1) {
            oFancyLines->SetRatioY(lineScale_ * 4 / 3);
            t = oFancyLines->DstThick();
            changed = true;
        }
        bool result = false;
        clsRect grown = view_; // the view itself stays as it is
        grown.Extention(t);
        if (!s.Clip(grown)) {
            result = true;
        } else {
            CanvasPoint a{s.mSx, s.mSy}, b{s.mEx, s.mEy};
            for (int32_t k = t / 2; k >= 1; --k)
                ShiftLine(octant ^ 4, k, a, b);
            const int64_t saved = phase_;
            for (int32_t i = 1; i <= t; ++i) {
                phase_ = saved;
                cycle_ = oFancyLines->CycleArray(i - 1);
                cycleLen_ = int32_t(cycle_.size());
                DeviceContext* dc = dc_;
                DeviceContext::LineDDA(a.x, a.y, b.x, b.y,
                                       [this, dc](int32_t x, int32_t y) { LineDDAproc(CanvasPoint{x, y}, dc); });
                result = true;
                ShiftLine(octant, i, a, b);
            }
        }
        if (changed)
            oFancyLines->SetRatioY(lineScale_);
        return result;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("DrawLine"));
    }
}

bool clsMapGraph::DrawPolyline(const clsPoly& points)
{
    return DrawPolyline(points.Points(), points.Count());
}

bool clsMapGraph::DrawPolyline(const PolyPoint* p, int32_t count)
{
    try {
        if (!open_)
            return false;
        if (penMode_ == 1) {
            SetBackMode(penBack_);
            if (technology_ != Gdi::DT_RASDISPLAY && technology_ != Gdi::DT_RASPRINTER)
                return false;
            if (!dc_)
                return false;
            if (haveBackPen_) {
                dc_->SelectPen(backPen_);
                dc_->Polyline(&p->x, count);
                dc_->SelectPen(pen_);
            }
            return dc_->Polyline(&p->x, count);
        }
        phase_ = 0;
        bool result = false;
        for (int32_t i = 1; i < count; ++i) {
            clsLine s;
            s.SetAll(p[i - 1].x, p[i - 1].y, p[i].x, p[i].y);
            result = DrawLine(s);
        }
        return result;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("DrawPolyline"));
    }
}

bool clsMapGraph::DrawStrokeRect(const clsRect& rect)
{
    try {
        clsPoly p;
        p.SetRect(rect.mLeft, rect.mTop, rect.mRight, rect.mBottom);
        return DrawPolyline(p);
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("DrawStrokeRect"));
    }
}

// --- fills -----------------------------------------------------------------

// A brush fill: the outline, when wanted, is a one-pixel line in the fill
// colour, never the current pen.
bool clsMapGraph::FillWithBrushMode1(const std::function<bool()>& draw)
{
    dc_->SetTextColor(brushFore_);
    SetBackMode(brushBack_);
    const DcPen outline = PublicVal::gvPolygonOutline ? DcPen{Gdi::PS_SOLID, 1, brushFore_, false}
                                                      : DcPen{Gdi::PS_NULL, 1, 0, false};
    const DcPen previous = dc_->SelectPen(outline);
    const bool result = draw();
    dc_->SelectPen(previous);
    return result;
}

bool clsMapGraph::DrawFillRect(clsRect& rect)
{
    try {
        if (!open_)
            return false;
        rect.Formalize();
        if (technology_ == Gdi::DT_METAFILE) {
            rect.OpeAnd(view_);
            if (rect.IsEmpty())
                return true;
        }
        if (brushMode_ == 1)
            return FillWithBrushMode1([&] { return rect.Draw(dc_); });
        clsPoly p;
        p.SetRect(rect.mLeft, rect.mTop, rect.mRight, rect.mBottom);
        return DrawPolygon(p);
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("DrawFillRect"));
    }
}

bool clsMapGraph::DrawClear()
{
    try {
        clsRect r = view_;
        r.Extention(1);
        return DrawFillRect(r);
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("DrawClear"));
    }
}

int32_t clsMapGraph::TileGridStart(int32_t v, int32_t size)
{
    int64_t q = int64_t(v) / size;
    if (int64_t(v) % size != 0 && v < 0)
        --q;
    return int32_t(q * size);
}

bool clsMapGraph::DrawPolygon(clsPoly& points)
{
    try {
        if (!open_)
            return false;
        if (technology_ == Gdi::DT_METAFILE) {
            clsPoly copy = points.Copy();
            copy.Clip(view_);
            points = copy;
            if (points.Count() == 0)
                return true;
        }
        return DrawPolygonOpen(points.Points(), points.Count());
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("DrawPolygon"));
    }
}

bool clsMapGraph::DrawPolygon(const PolyPoint* points, int32_t count)
{
    try {
        if (!open_)
            return false;
        if (technology_ == Gdi::DT_METAFILE) {
            // Cut to the view on a copy of its own.
            clsPoly copy;
            copy.Assign(std::span(points, size_t(std::max(count, 0))));
            return DrawPolygon(copy);
        }
        return DrawPolygonOpen(points, count);
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("DrawPolygon"));
    }
}

bool clsMapGraph::DrawPolygonOpen(const PolyPoint* points, int32_t count)
{
    if (brushMode_ == 1) {
        // Two pointers: small enough for the function's own room.
        const struct {
            const PolyPoint* points;
            int32_t count;
        } list{points, count};
        return FillWithBrushMode1([this, &list] { return dc_ && dc_->Polygon(&list.points->x, list.count); });
    }
    if (count < 3)
        return false;

    // Tiles: whole tiles on a grid anchored at the canvas origin, cut to
    // the polygon. Only the cells over the visible part are transferred.
    dc_->AndPolygonClip(&points->x, count);
    int32_t l = points[0].x, t = points[0].y, r = l, b = t;
    for (int32_t i = 1; i < count; ++i) {
        l = std::min(l, points[i].x);
        r = std::max(r, points[i].x);
        t = std::min(t, points[i].y);
        b = std::max(b, points[i].y);
    }
    l = std::max(l, view_.mLeft);
    t = std::max(t, view_.mTop);
    r = std::min(r, view_.mRight);
    b = std::min(b, view_.mBottom);
    const int32_t ink = brushFore_;
    const int32_t paper = brushBack_; // -1 leaves the paper transparent
    bool result = false;
    if (l <= r && t <= b) {
        for (int64_t y = TileGridStart(t, tileDstH_); y <= b; y += tileDstH_)
            for (int64_t x = TileGridStart(l, tileDstW_); x <= r; x += tileDstW_)
                result = dc_->StretchMask(tileMask_, int32_t(x), int32_t(y), tileDstW_, tileDstH_, ink, paper);
    }
    dc_->ResetPolygonClip();
    return result;
}

bool clsMapGraph::DrawPaint(CanvasPoint at)
{
    try {
        if (!open_)
            return false;
        if (!view_.IsInner(at.x, at.y))
            return true;
        if (!bitmap_)
            return false;
        const int32_t px = at.x - bmpDstW_ / 2, py = at.y - bmpDstH_ / 2;
        if (bmpBackGiven_) {
            const int n = bmpDstW_ + bmpDstH_ < 48 ? 4 : 8;
            for (int i = 0; i < n; ++i)
                dc_->StretchMask(bitmapMask_, px + haloX_[i], py + haloY_[i], bmpDstW_, bmpDstH_, bmpBack_, -1);
        }
        return dc_->StretchMask(bitmapMask_, px, py, bmpDstW_, bmpDstH_, bmpFore_, -1);
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("DrawPaint"));
    }
}

// --- text and fonts --------------------------------------------------------

void clsMapGraph::ReadFontList()
{
    try {
        fontList_.clear();
        for (const FontCatalog::FamilyInfo& f : FontCatalog::InstalledFamilies()) {
            if (f.name.isEmpty() || f.name.startsWith(QLatin1Char('@')))
                continue;
            FontRecord r;
            r.name = f.name;
            r.faceBytes = Cp932Encode(f.name);
            r.faceBytes.append('\0');
            r.weight = f.weight;
            r.pitchAndFamily = f.pitchAndFamily;
            r.charSet = f.charSet;
            fontList_.push_back(r);
        }
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("GetarFont"));
    }
}

void clsMapGraph::WritearFont()
{
    try {
        QStringList lines;
        lines << QStringLiteral("\"No., TypeFaceName, Weight, PitchAndFamily, CharSet\"");
        for (size_t i = 0; i < fontList_.size(); ++i) {
            const FontRecord& r = fontList_[i];
            lines << QStringLiteral("%1,\"%2\",%3,%4,%5")
                         .arg(i)
                         .arg(r.name)
                         .arg(r.weight)
                         .arg(r.pitchAndFamily)
                         .arg(r.charSet);
        }
        FileSystem::WriteCp932Lines(QDir(FileSystem::WritableFolder()).filePath(QStringLiteral("arFont.TXT")), lines);
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("WritearFont"));
    }
}

size_t clsMapGraph::FontIndex(const QString& face) const
{
    QStringList names;
    for (const FontRecord& r : fontList_)
        names << r.name;
    const QString hit = FontCatalog::Resolve(face, names);
    if (hit.isEmpty())
        return 0;
    for (size_t i = fontList_.size(); i-- > 1;)
        if (fontList_[i].name == hit)
            return i;
    return 0;
}

QString clsMapGraph::DrawnFace(const QString& face) const
{
    if (fontList_.empty())
        return {};
    const bool isDefault = face.compare(QLatin1String("(default)"), Qt::CaseInsensitive) == 0;
    return fontList_[FontIndex(isDefault ? defaultFont_ : face)].name;
}

bool clsMapGraph::SetFont(const QString& face, int32_t height, int32_t angle, uint8_t flags, int32_t fore,
                          int32_t back)
{
    try {
        if (!open_)
            return false;
        const FontArgs args{face, height, angle, flags, fore, back, resY_, textRatio_};
        if (haveFont_ && args == lastFont_)
            return true;
        QString want = face;
        if (want.compare(QLatin1String("(default)"), Qt::CaseInsensitive) == 0)
            want = defaultFont_;

        // Resolve the face: the faces used so far, newest first, then the
        // installed ones (through the Windows-name aliases); a face that is
        // not installed gets the first installed font.
        const FontRecord* record = nullptr;
        for (auto it = usedFonts_.rbegin(); it != usedFonts_.rend(); ++it)
            if (it->requested.compare(want, Qt::CaseInsensitive) == 0) {
                record = &it->record;
                break;
            }
        if (!record && !fontList_.empty()) {
            usedFonts_.push_back(UsedFont{want, fontList_[FontIndex(want)]});
            record = &usedFonts_.back().record;
        }

        const int32_t angle10 = Library::WrapRange(angle, 0, 359) * 10;
        int32_t h = Div(int64_t(Library::Clamp(height, FONT_HEIGHT_MIN, FONT_HEIGHT_MAX)) * resY_, 72);
        h = Div(int64_t(h) * textRatio_, 100);
        DcFont font;
        if (record)
            font.family = record->name;
        font.pixelHeight = h;
        font.escapement = angle10;
        font.bold = flags & FS_BOLD;
        font.italic = flags & FS_ITALIC;
        font.underline = flags & FS_UNDERLINE;
        font.strikeOut = flags & FS_STRIKEOUT;
        if (!record || !dc_->SelectFont(font)) {
            // A diagnosis of the installed fonts, once per face that failed.
            if (!dumpedFaces_.contains(want.toCaseFolded())) {
                dumpedFaces_.insert(want.toCaseFolded());
                WritearFont();
            }
            return false;
        }
        lastFont_ = args;
        haveFont_ = true;
        fontFace_ = font.family;
        fontAngle_ = angle10;
        textFore_ = MapColor(fore);
        textBack_ = MapColor(back);
        halo_ = opaque_ = false;
        if (textBack_ != -1) {
            if (flags & FS_OPAQUE)
                opaque_ = true;
            else
                halo_ = true;
        }
        capHeight_ = dc_->TextCapHeight();
        if (capHeight_ < 1)
            capHeight_ = h * 2 / 3;
        textGap_ = std::max(capHeight_ * 6 / 10 + 1, Div(int64_t(textRatio_) * resY_, 1800));
        return true;
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("SetFont"));
    }
}

bool clsMapGraph::SetFontObject(const QFont& font, int32_t colour)
{
    uint8_t flags = 0;
    if (font.bold())
        flags |= FS_BOLD;
    if (font.italic())
        flags |= FS_ITALIC;
    if (font.underline())
        flags |= FS_UNDERLINE;
    if (font.strikeOut())
        flags |= FS_STRIKEOUT;
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0;
    if (SetFont(font.family(), Library::DblToLng(points), 0, flags, colour, -1))
        return true;
    return SetFont(PublicVal::gvDefaultFont, 10, 0, 0, colour, -1);
}

void clsMapGraph::AlignOffset(int32_t code, int32_t gap, int32_t cap, int32_t& dx, int32_t& dy, int32_t& align)
{
    code = Library::WrapRange(code, 0, 24);
    switch (code % 5) {
    case 0: dx = gap, align = Gdi::TA_LEFT; break;
    case 1: dx = 0, align = Gdi::TA_LEFT; break;
    case 2: dx = 0, align = Gdi::TA_CENTER; break;
    case 3: dx = 0, align = Gdi::TA_RIGHT; break;
    default: dx = -gap, align = Gdi::TA_RIGHT; break;
    }
    switch (code / 5) {
    case 0: dy = gap * 5 / 4 + cap; break;
    case 1: dy = cap; break;
    case 2: dy = cap / 2; break;
    case 3: dy = 0; break;
    default: dy = -(gap * 5) / 4; break;
    }
}

void clsMapGraph::RotateOffset(int32_t angle, int32_t& dx, int32_t& dy)
{
    if ((dx == 0 && dy == 0) || angle == 0 || angle == 3600)
        return;
    const int32_t x = dx, y = dy;
    if (angle == 900 || angle == -2700) {
        dx = y, dy = -x;
    } else if (angle == -900 || angle == 2700) {
        dx = -y, dy = x;
    } else if (angle == 1800 || angle == -1800) {
        dx = -x, dy = -y;
    } else {
        double fx = x, fy = y;
        AngleLib::RotateXY(-angle * 0.001745329251, fx, fy);
        dx = Library::DblToLng(fx);
        dy = Library::DblToLng(fy);
    }
}

bool clsMapGraph::DrawText(CanvasPoint at, int16_t code, const QString& text)
{
    try {
        if (!open_)
            return false;
        if (!view_.IsInner(at.x, at.y))
            return true;
        if (text.isEmpty() || text.at(0) == QChar(0))
            return true;
        int32_t dx = 0, dy = 0, align = 0;
        AlignOffset(code, textGap_, capHeight_, dx, dy, align);
        RotateOffset(fontAngle_, dx, dy);
        const int32_t rx = int32_t(std::clamp<int64_t>(at.x + int64_t(dx) * resX_ / resY_, INT32_MIN, INT32_MAX));
        const int32_t ry = at.y + dy;
        dc_->SetTextAlign(align + Gdi::TA_BASELINE);
        if (opaque_)
            SetBackMode(textBack_);
        else
            dc_->SetBkMode(Gdi::TRANSPARENT);
        if (halo_) {
            dc_->SetTextColor(textBack_);
            const int n = capHeight_ < 28 ? 4 : 8;
            for (int i = 0; i < n; ++i)
                dc_->TextOut(rx + haloX_[i], ry + haloY_[i], text);
        }
        dc_->SetTextColor(textFore_);
        return dc_->TextOut(rx, ry, text);
    } catch (...) {
        ErrorMng::ReRaise(ErrBase + 1001, kObj, QStringLiteral("DrawText"));
    }
}

bool clsMapGraph::GetTextExtent(DeviceContext* dc, const QString& text, int32_t& width, int32_t& height)
{
    if (text.isEmpty()) {
        width = 0;
        height = 0;
        return true;
    }
    if (!dc)
        return false;
    return dc->GetTextExtentPoint(text, width, height);
}

bool clsMapGraph::GetTextSize(const QString& text, int32_t& width, int32_t& height)
{
    if (text.isEmpty() || text.at(0) == QChar(0))
        return false;
    if (measurer_)
        return measurer_->TextSize(text, width, height);
    if (!open_)
        return false;
    return dc_->GetTextExtentPoint(text, width, height);
}

QStringList clsMapGraph::FoldText(const QString& text, int32_t maxWidth)
{
    if (text.isEmpty())
        return QStringList{QString()};
    QStringList out;
    QString line;
    for (const QChar c : text) {
        if (c == QChar(13)) {
            out << line;
            line.clear();
            continue;
        }
        if (c == QChar(10))
            continue;
        if (!line.isEmpty()) {
            int32_t w = 0, h = 0;
            GetTextSize(line, w, h);
            if (w > maxWidth) {
                out << line;
                line = c;
                continue;
            }
        }
        line += c;
    }
    if (!line.isEmpty())
        out << line;
    return out;
}
