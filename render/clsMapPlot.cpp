#include "render/clsMapPlot.h"

#include "core/AngleLib.h"
#include "core/GlobePolyLib.h"
#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/MapProjection.h"
#include "core/PublicVal.h"
#include "core/clsPoly.h"
#include "core/clsRegistry.h"
#include "document/clsAdmin.h"
#include "document/clsAdmins.h"
#include "document/clsMap.h"
#include "document/clsMapCell.h"
#include "document/clsMapFigure.h"
#include "document/clsMapPointBase.h"
#include "document/clsMapText.h"
#include "document/clsMapUnit.h"
#include "document/clsMapUnits.h"
#include "document/clsThing.h"
#include "document/clsThings.h"
#include "platform/ApiLib.h"
#include "platform/UiServices.h"
#include "render/BaseMap.h"
#include "render/PlotQueue.h"
#include "render/PlotSettings.h"
#include "render/RegValues.h"
#include "render/RenderGlobals.h"
#include "render/clsFigPolygon.h"
#include "render/clsFigPolyline.h"
#include "render/clsFigSymbol.h"
#include "render/clsFigText.h"
#include "render/clsGrid.h"
#include "render/clsMapGraph.h"
#include "render/clsResSymbol.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <span>
#include <type_traits>

namespace {

using RegValues::EnvInt;
using RegValues::EnvText;

// The automatic graticule ladder, seconds of arc.
constexpr int32_t kGridLadder[] = {60,    90,    120,   150,   180,    240,    300,    450,    600,
                                   900,   1200,  1800,  2700,  3600,   5400,   7200,   9000,   10800,
                                   14400, 18000, 27000, 36000, 54000,  72000,  108000, 162000, 216000};

[[noreturn]] void Raise(int32_t number, const char* proc) {
    ErrorMng::ReRaise(ErrBase + number, QStringLiteral("clsMapPlot"), QString::fromLatin1(proc));
}

constexpr int64_t kTurn = 1296000;

// A step of more than half a turn in longitude is a figure stored across
// the date line (the short way round), not an edge round most of the globe.
bool JumpsDateLine(std::span<const PolyPoint> pts) {
    for (size_t i = 1; i < pts.size(); ++i)
        if (std::abs(int64_t(pts[i].x) - pts[i - 1].x) > kTurn / 2) return true;
    return false;
}

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0 && a < 0) ? 1 : 0); }

int32_t Sat(int64_t v) {
    if (v > 2147483647) return 2147483647;
    if (v < -2147483647) return -2147483647;
    return static_cast<int32_t>(v);
}

// Lines and areas differ only in their figure type and the line width.
template <class Fig>
void AddPolyFigures(std::vector<std::unique_ptr<clsFigure>>& figs, std::vector<std::shared_ptr<clsPoly>> polys,
                    const clsThing& thing, int32_t colour) {
    for (auto& poly : polys) {
        auto f = std::make_unique<Fig>(std::move(poly));
        f->mStyle = thing.Style();
        if constexpr (std::is_same_v<Fig, clsFigPolyline>) f->mWidth = thing.Size();
        f->mFore = colour;
        f->mBack = thing.Back();
        figs.push_back(std::move(f));
    }
}

template <class Fig>
Fig* AddPointFigure(std::vector<std::unique_ptr<clsFigure>>& figs, CanvasPoint at, int32_t fore, int32_t back) {
    auto f = std::make_unique<Fig>();
    f->mx = at.x;
    f->my = at.y;
    f->mFore = fore;
    f->mBack = back;
    Fig* added = f.get();
    figs.push_back(std::move(f));
    return added;
}

// The projection named by a key; the row's own default for an unknown name.
int16_t AutoIndex(const char* key, int16_t def) {
    const int idx = MapProjection::PrjNameToIndex(EnvText(key, MapProjection::StandardPrjName(def)));
    return clsVospProjector::IsValidPrj(static_cast<int16_t>(idx)) && idx > 0 && idx <= 30
               ? static_cast<int16_t>(idx)
               : def;
}

} // namespace

clsMapPlot::clsMapPlot() {
    try {
        if (MapProjection::GlobeRadius <= 0) MapProjection::InitGlobe();
        grid_ = std::make_unique<clsGrid>();
        grid_->SetUnitMode(1);
        view_.plotMode = 1;
        view_.scale = MapProjection::ScaleMax / 50;
        view_.dpix = view_.dpiy = Library::Clamp(Library::ScreenDPI(), 48, 1440);
        view_.nt = ApiLib::IsWinNT();
        SetProjectionIndex(12);
        ReadRegistry();
        ReadEnvironment();
    } catch (...) {
        Raise(1001, "Class_Initialize");
    }
}

clsMapPlot::~clsMapPlot() = default;

void clsMapPlot::ReadEnvironment() {
    plotHighLat_ = EnvInt("PlotHighLat", 270000, 162000, 324000);
    plotLowLat_ = EnvInt("PlotLowLat", 54000, 0, 162000);
    plotSmallRatio_ = EnvInt("PlotSmallRatio", 5, 1, 10000);
    autoHigh_ = AutoIndex("PlotHighPrjVosp", 6);
    autoMiddle_ = AutoIndex("PlotMiddlePrjVosp", 23);
    autoLow_ = AutoIndex("PlotLowPrjVosp", 12);
    autoSmall_ = AutoIndex("PlotSmallPrjVosp", 19);
    plotGridPitch_ = EnvInt("PlotGridPitch", 50, 1, 100);
    plotChopPitch_ = EnvInt("PlotChopPitch", 16, 1, 100);
    plotFlatPitch_ = EnvInt("PlotFlatPitch", 0, 0, 50);
}

// --- properties ---

QString clsMapPlot::RegistrySection() const {
    if (view_.plotMode == 1) return QStringLiteral("LLPLOT");
    if (view_.plotMode == 2) return QStringLiteral("XYPLOT");
    return {};
}

void clsMapPlot::SetHdc(DeviceContext* dc) {
    if (!drawing_) hdc_ = dc;
}

void clsMapPlot::SetCanvasLeft(int32_t v) {
    if (drawing_) return;
    const int32_t w = CanvasWidth();
    view_.canvas.mLeft = v;
    view_.canvas.mRight = Sat(int64_t(v) + w - 1);
    view_.CalcCanvasCenter();
}

void clsMapPlot::SetCanvasTop(int32_t v) {
    if (drawing_) return;
    const int32_t h = CanvasHeight();
    view_.canvas.mTop = v;
    view_.canvas.mBottom = Sat(int64_t(v) + h - 1);
    view_.CalcCanvasCenter();
}

int32_t clsMapPlot::CanvasWidth() const { return view_.CanvasWidth(); }
int32_t clsMapPlot::CanvasHeight() const { return view_.CanvasHeight(); }

void clsMapPlot::SetCanvasWidth(int32_t v) {
    if (drawing_) return;
    view_.canvas.mRight = Sat(int64_t(view_.canvas.mLeft) + Library::Clamp(v, 32, 32767) - 1);
    view_.CalcCanvasCenter();
}

void clsMapPlot::SetCanvasHeight(int32_t v) {
    if (drawing_) return;
    view_.canvas.mBottom = Sat(int64_t(view_.canvas.mTop) + Library::Clamp(v, 32, 32767) - 1);
    view_.CalcCanvasCenter();
}

int16_t clsMapPlot::ProjectionIndex() {
    try {
        // During a drawing (and while shifted) the view stays as worked out.
        if (!drawing_ && !view_.shifted) GetWork();
        return view_.prjIndex;
    } catch (...) {
        Raise(1001, "ProjectionIndex");
    }
}

void clsMapPlot::SetProjectionIndex(int16_t v) {
    if (drawing_ || !clsVospProjector::IsValidPrj(v)) return;
    view_.prjIndex = v;
    view_.plotMode = 1;
}

QString clsMapPlot::ProjectionName() {
    try {
        if (!drawing_ && !view_.shifted) GetWork();
        return view_.projector.PrjName();
    } catch (...) {
        Raise(1001, "ProjectionName");
    }
}

void clsMapPlot::Setdpix(int32_t v) {
    if (!drawing_) view_.dpix = Library::Clamp(v, 48, 1440);
}

void clsMapPlot::Setdpiy(int32_t v) {
    if (!drawing_) view_.dpiy = Library::Clamp(v, 48, 1440);
}

void clsMapPlot::SetCenterX(int32_t v) {
    if (drawing_) return;
    if (view_.shifted) view_.ShiftOff(); // a later ShiftOff would move the new centre
    view_.centerX = view_.plotMode == 1 ? Library::WrapRange(v, -648000, 648000) : v;
}

void clsMapPlot::SetCenterY(int32_t v) {
    if (drawing_) return;
    view_.centerY = view_.plotMode == 1 ? Library::Clamp(v, -324000, 324000) : v;
}

void clsMapPlot::SetMapScale(double v) {
    if (!drawing_ && MapProjection::IsValidScale(v)) view_.scale = v;
}

void clsMapPlot::SetLight(double v) {
    if (!drawing_ && MapProjection::IsValidLight(v)) view_.light = v;
}

void clsMapPlot::SetPtnRatio(int32_t v) {
    if (v >= 10 && v <= 1000) ptnRatio_ = v;
}

clsRect clsMapPlot::Field() {
    try {
        if (drawing_) return drawField_.Copy();
        if (!view_.shifted) GetWork();
        return view_.field.Copy();
    } catch (...) {
        Raise(1001, "Field");
    }
}

// --- working out the view ---

void clsMapPlot::ChooseAutoProjection(int32_t absLat) {
    int16_t idx;
    if (absLat >= plotHighLat_) idx = autoHigh_;
    else if (absLat > plotLowLat_) idx = autoMiddle_;
    else idx = autoLow_;
    if (absLat < plotHighLat_ && view_.scale >= MapProjection::ScaleMax / plotSmallRatio_) idx = autoSmall_;
    view_.prjIndex = idx;
}

void clsMapPlot::GetWork() {
    // A shift left pending by a caller would otherwise stay in the centre.
    if (view_.shifted) view_.ShiftOff();
    view_.CalcCanvasCenter();
    const int32_t absLat = std::abs(view_.centerY);
    view_.projector.SetPrjIndex(view_.prjIndex);
    view_.projector.SetCenterLon(view_.centerX);
    view_.projector.SetCenterLat(view_.centerY);
    view_.projector.SetLight(view_.light);
    const bool ok = view_.projector.SetUp();
    if (!ok)
        Ui().MsgBox(QStringLiteral("現在の緯度設定ではこの投影法を使用できないため\r\n最適な投影法に変更します"),
                    int(Mb::Exclamation) | int(Mb::OkOnly), {});
    if (mProjectionAuto || !ok) {
        ChooseAutoProjection(absLat);
        view_.projector.SetPrjIndex(view_.prjIndex);
        view_.projector.SetUp();
    }

    view_.CalcRatios();
    view_.CalcField();
}

// --- transforms ---

double clsMapPlot::CanvasLengthToMapX(double pixels) const { return view_.CanvasLengthToMapX(pixels); }

double clsMapPlot::CanvasLengthToMapY(double pixels) const { return view_.CanvasLengthToMapY(pixels); }

bool clsMapPlot::MapToCanvas(int32_t x, int32_t y, int32_t& cx, int32_t& cy) {
    CanvasPoint c;
    const bool ok = MapToCanvas(MapPoint{x, y}, c);
    cx = c.x;
    cy = c.y;
    return ok;
}

bool clsMapPlot::PointMapToCanvas(int32_t x, int32_t y, int32_t& cx, int32_t& cy) {
    CanvasPoint c;
    const bool ok = PointMapToCanvas(MapPoint{x, y}, c);
    cx = c.x;
    cy = c.y;
    return ok;
}

bool clsMapPlot::CanvasToMap(int32_t cx, int32_t cy, int32_t& x, int32_t& y) {
    MapPoint m;
    const bool ok = CanvasToMap(CanvasPoint{cx, cy}, m);
    x = m.lon;
    y = m.lat;
    return ok;
}

bool clsMapPlot::CanvasToMapBound(int32_t cx, int32_t cy, int32_t& x, int32_t& y) {
    MapPoint m;
    const bool ok = CanvasToMapBound(CanvasPoint{cx, cy}, m);
    x = m.lon;
    y = m.lat;
    return ok;
}

std::shared_ptr<clsPoly> clsMapPlot::PolyMapToCanvas(clsPoly& poly) { return PolyMapToCanvas(view_, poly, nullptr); }

std::shared_ptr<clsPoly> clsMapPlot::PolyMapToCanvas(MapViewport& view, clsPoly& poly,
                                                     FigureConversion::Trace* trace) const {
    try {
        if (!poly.IsOverlapArea(view.field)) return nullptr;
        // Clipping, chopping and compressing work on lists kept per thread
        // (the drawing and the workers convert one list after another); the
        // result is allocated once, at its final size.
        thread_local clsPoly work;
        thread_local std::vector<PolyPoint> pts;
        thread_local std::vector<PlaneXY> xy;
        // What a huge list made them grow to is not kept.
        constexpr size_t kKeep = size_t(1) << 16;
        if (work.Capacity() > kKeep) work.SetCount(0);
        if (pts.capacity() > kKeep) std::vector<PolyPoint>().swap(pts);
        if (xy.capacity() > kKeep) std::vector<PlaneXY>().swap(xy);
        const clsPoly* stage = &poly;
        const clsRect box = poly.RectBound();
        if (view.field.IsInner(box.mLeft, box.mTop) && view.field.IsInner(box.mRight, box.mBottom)) {
            // Wholly inside: clipping would change nothing.
            if (poly.Count() < 2) return nullptr;
        } else {
            work.Assign(poly.Span());
            work.Clip(view.field);
            if (work.Count() < 2) return nullptr;
            stage = &work;
        }

        const MapProjection::PrjShape shape = MapProjection::PrjShapeOf(view.prjIndex);
        const bool curved = !shape.IsRectangular();
        if (curved) {
            const int32_t pitch = view.ChopSpacing(plotChopPitch_);
            if (stage != &work) work.Assign(poly.Span());
            work.Chop(pitch, shape.BendsMeridians() ? 3 : 1);
            stage = &work;
        }

        const int32_t n = stage->Count();
        const std::span<const PolyPoint> src = stage->Span();
        // Every element is written before it is read.
        pts.resize(static_cast<size_t>(n));
        xy.resize(pts.size());
        if (trace && !trace->projected && n > 0) {
            // The first point on its own, to know whether it was refused.
            bool first = false;
            view.projector.CnvLLtoXY(src.first(1), std::span(xy).first(1), std::span(&first, 1));
            view.projector.CnvLLtoXY(src.subspan(1), std::span(xy).subspan(1));
            trace->projected = true;
            trace->firstRefused = !first;
        } else {
            view.projector.CnvLLtoXY(src, xy);
        }
        auto out = std::make_shared<clsPoly>();
        if (plotFlatPitch_ != 0 && curved) {
            for (size_t i = 0; i < pts.size(); ++i) {
                const double px = xy[i].x, py = xy[i].y;
                // A point the projection cannot show keeps whatever finite
                // value it left; a non-finite one becomes the origin.
                pts[i] = {std::isfinite(px) ? Library::DblToLng(px) : 0, std::isfinite(py) ? Library::DblToLng(py) : 0};
            }
            work.Assign(pts);
            const double t = view.dpix * plotFlatPitch_ / 25.4 / view.ratioX;
            work.CompressB(t / 1000, t);
            const std::span<const PolyPoint> plane = work.Span();
            pts.resize(plane.size());
            for (size_t i = 0; i < plane.size(); ++i) {
                const CanvasPoint c = view.XYToCanvas({double(plane[i].x), double(plane[i].y)});
                pts[i] = {c.x, c.y};
            }
            out->Assign(pts);
        } else {
            for (size_t i = 0; i < pts.size(); ++i) {
                const double px = xy[i].x, py = xy[i].y;
                const CanvasPoint c = view.XYToCanvas({std::isfinite(px) ? px : 0.0, std::isfinite(py) ? py : 0.0});
                pts[i] = {c.x, c.y};
            }
            work.Assign(pts);
            work.CompressB(0.0005, 80.0);
            out->Assign(work.Span());
        }
        if (!view.nt && !out->Clip(view.limit)) return nullptr;
        return out;
    } catch (...) {
        Raise(1001, "PolyMapToCanvas");
    }
}

std::vector<std::shared_ptr<clsPoly>> clsMapPlot::PolysMapToCanvas(clsPoly& poly, bool ring) {
    return PolysMapToCanvas(view_, poly, ring, nullptr);
}

std::vector<std::shared_ptr<clsPoly>> clsMapPlot::PolysMapToCanvas(MapViewport& view, clsPoly& poly, bool ring,
                                                                   FigureConversion::Trace* trace) const {
    try {
        std::vector<std::shared_ptr<clsPoly>> out;
        if (!prepared_ && GlobePolyLib::StraysBeyondOneTurn(poly)) return out;
        if (prepared_ || !JumpsDateLine(poly.Span())) {
            if (auto p = PolyMapToCanvas(view, poly, trace)) out.push_back(std::move(p));
            return out;
        }
        clsPoly cont = poly.Copy();
        GlobePolyLib::GlobePolyRollOver(cont, view.centerX, ring);
        const clsRect box = cont.RectBound();
        if (box.mLeft == box.mRight) {
            // Only steps between the two date-line meridians: a frame or a
            // whole parallel, which the short way round would erase.
            if (auto p = PolyMapToCanvas(view, poly, trace)) out.push_back(std::move(p));
            return out;
        }
        if (view.shifted) return out;
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
        for (clsPoly& part : parts)
            if (auto p = PolyMapToCanvas(view, part, trace)) out.push_back(std::move(p));
        return out;
    } catch (...) {
        Raise(1001, "PolysMapToCanvas");
    }
}

// --- the wrap-around shift ---

bool clsMapPlot::ShiftOn() {
    try {
        return !drawing_ && view_.ShiftOn();
    } catch (...) {
        Raise(1001, "ShiftOn");
    }
}

bool clsMapPlot::ShiftOff() {
    try {
        return !drawing_ && view_.ShiftOff();
    } catch (...) {
        Raise(1001, "ShiftOff");
    }
}

clsMapPlot::ViewState clsMapPlot::SaveView() const { return {view_.centerX, view_.field, view_.wrap, view_.shifted}; }

void clsMapPlot::RestoreView(const ViewState& s) {
    view_.centerX = s.centerX;
    view_.field = s.field;
    view_.wrap = s.wrap;
    view_.shifted = s.shifted;
    view_.projector.SetCenterLon(view_.centerX);
    view_.projector.SetUp();
}

// --- settings ---

void clsMapPlot::ReadRegistry() {
    try {
        clsRegistry reg;
        reg.mSection = RegistrySection();
        PlotSettings::Read(*this, reg);
        grid_->ReadRegistry();
    } catch (...) {
        Raise(1005, "ReadRegistry");
    }
}

void clsMapPlot::WriteRegistry() {
    try {
        clsRegistry reg;
        reg.mSection = RegistrySection();
        PlotSettings::Write(*this, reg);
        grid_->WriteRegistry();
    } catch (...) {
        Raise(1005, "WriteRegistry");
    }
}

// --- drawing ---

bool clsMapPlot::DrawStart() { return pipeline_->DrawStart(); }
void clsMapPlot::DrawEnd() { pipeline_->DrawEnd(); }
int16_t clsMapPlot::Replot() { return pipeline_->Replot(); }
bool clsMapPlot::DrawClear() { return pipeline_->DrawClear(); }
bool clsMapPlot::DrawOcean() { return pipeline_->DrawOcean(); }
bool clsMapPlot::DrawGrid() { return pipeline_->DrawGrid(); }
bool clsMapPlot::DrawGridString() { return pipeline_->DrawGridString(); }
bool clsMapPlot::DrawAzimuthLine() { return pipeline_->DrawAzimuthLine(); }
bool clsMapPlot::DrawShadow() { return pipeline_->DrawShadow(); }
bool clsMapPlot::DrawCell(const clsMapCell& cell) { return pipeline_->DrawCell(cell); }

std::unique_ptr<clsFigure> clsMapPlot::CellToFigure(const clsMapCell& cell) {
    auto figs = CellToFigures(cell);
    if (figs.empty()) return nullptr;
    return std::move(figs.front());
}

bool clsMapPlot::CellShown(const clsMapCell& cell, int32_t& colour) {
    if (!cell.mMapFig || !cell.IsValid()) return false;
    clsMapFigure* mf = cell.mMapFig;
    clsThing* thing = cell.mThing;
    thing->SetPage(cell.mAdmin->Page());
    if (mFigShowModeEi) {
        const int16_t own = mf->OwnShowMode();
        if (own == 0) return false;
        if (own == -1 && mThgShowModeEi && !thing->IsPrint(view_.scale)) return false;
    }
    colour = mFigNativeEi ? cell.RealColor() : thing->Fore();
    return true;
}

void clsMapPlot::CellPolys(clsMapFigure& figure, bool ring, std::vector<std::shared_ptr<clsPoly>>& polys) {
    // A result converted ahead needs no look at the figure's own list.
    if (FigureConversion::Result* done = converted_ ? converted_->Take(&figure) : nullptr) {
        // Lent, not owned: the run keeps the lists until the figures
        // drawn from them are gone, and frees them off this thread.
        for (const auto& p : done->polys) polys.emplace_back(std::shared_ptr<clsPoly>(), p.get());
        if (done->projected) view_.projector.Follow(done->after);
        return;
    }
    const auto src = figure.Poly();
    if (!src) return;
    for (auto& p : PolysMapToCanvas(*src, ring)) polys.push_back(std::move(p));
}

void clsMapPlot::CellToQueue(const clsMapCell& cell, size_t figure, PlotQueue& queue) {
    try {
        int32_t colour = 0;
        if (!CellShown(cell, colour)) return;
        clsMapFigure* mf = cell.mMapFig;
        const bool ring = mf->FigCode() == 3;
        if (!ring && mf->FigCode() != 2) return;
        // One list at a time on this thread: no allocation per figure.
        thread_local std::vector<std::shared_ptr<clsPoly>> polys;
        polys.clear();
        CellPolys(*mf, ring, polys);
        const clsThing& thing = *cell.mThing;
        for (auto& poly : polys)
            queue.Push({std::move(poly), colour, thing.Back(), ring ? 0 : int32_t(thing.Size()), thing.Style(), ring,
                        figure});
        polys.clear();
    } catch (...) {
        Raise(1001, "CellToFigure");
    }
}

std::vector<std::unique_ptr<clsFigure>> clsMapPlot::CellToFigures(const clsMapCell& cell) {
    try {
        std::vector<std::unique_ptr<clsFigure>> figs;
        int32_t colour = 0;
        if (!CellShown(cell, colour)) return figs;
        clsMapFigure* mf = cell.mMapFig;
        clsThing* thing = cell.mThing;
        switch (mf->FigCode()) {
        case 2:
        case 3: {
            const bool ring = mf->FigCode() == 3;
            std::vector<std::shared_ptr<clsPoly>> polys;
            CellPolys(*mf, ring, polys);
            if (ring)
                AddPolyFigures<clsFigPolygon>(figs, std::move(polys), *thing, colour);
            else
                AddPolyFigures<clsFigPolyline>(figs, std::move(polys), *thing, colour);
            return figs;
        }
        case 4:
        case 5: {
            auto* pt = static_cast<clsMapPointBase*>(mf);
            const MapPoint at{pt->mx(), pt->my()};
            CanvasPoint c;
            if (!PointMapToCanvas(at, c)) return figs;
            const int32_t back = mEdgeEi ? thing->Back() : -1;
            if (mf->FigCode() == 4) {
                AddPointFigure<clsFigSymbol>(figs, c, colour, back)->mPattern = thing->Style();
                return figs;
            }
            auto* text = static_cast<clsMapText*>(mf);
            auto* f = AddPointFigure<clsFigText>(figs, c, colour, back);
            f->mFont = thing->FontName();
            f->mHeight = thing->Size();
            f->mStyle = static_cast<uint8_t>(thing->Style());
            f->mAngle = text->Angle();
            if (mTextSlant) f->mAngle -= SlantMeridian(at) / 3600;
            f->mTextFix = text->TextFix();
            f->SetText(text->TextAnsi(PublicVal::gvLanguage), text->TextCodePage(PublicVal::gvLanguage));
            return figs;
        }
        default:
            return figs;
        }
    } catch (...) {
        Raise(1001, "CellToFigure");
    }
}

void clsMapPlot::SlantMeridian(int32_t lon, int32_t lat, int32_t& slant) {
    slant = 0; // kept when the conversion raises
    slant = SlantMeridian(MapPoint{lon, lat});
}

int32_t clsMapPlot::SlantMeridian(MapPoint m) {
    try {
        auto dir = [](CanvasPoint a, CanvasPoint b) {
            return AngleLib::RadianToSec(AngleLib::AnglePosToRadian(double(b.x) - a.x, double(a.y) - b.y));
        };
        int32_t n = 0, e = 0;
        CanvasPoint a, b;
        const int32_t d = Library::Clamp(Library::DblToLng(CanvasLengthToMapY(view_.dpiy / 5)), 10, 324000);
        if (MapToCanvas(MapPoint{m.lon, Library::Clamp(Sat(int64_t(m.lat) - d), -323970, 323970)}, a) &&
            MapToCanvas(MapPoint{m.lon, Library::Clamp(Sat(int64_t(m.lat) + d), -323970, 323970)}, b))
            n = 324000 - dir(a, b);
        const int32_t ew = Library::Clamp(Library::DblToLng(CanvasLengthToMapX(view_.dpix / 5)), 10, 324000);
        if (MapToCanvas(MapPoint{Sat(int64_t(m.lon) - ew), m.lat}, a) &&
            MapToCanvas(MapPoint{Sat(int64_t(m.lon) + ew), m.lat}, b))
            e = -dir(a, b);
        int32_t s = (e + n) / 2;
        if (s < -648000) s += 1296000;
        if (s > 648000) s -= 1296000;
        return s;
    } catch (...) {
        Raise(1001, "SlantMeridian");
    }
}

void clsMapPlot::CalcGridPitch() {
    if (!mGridAuto) return;
    double sx = CanvasLengthToMapX(plotGridPitch_ * view_.dpix * 10 / 254);
    const double sy = CanvasLengthToMapY(plotGridPitch_ * view_.dpiy * 10 / 254);
    if (MapProjection::PrjShapeOf(view_.prjIndex).IsRounded())
        sx = sx / std::cos(view_.centerY * AngleLib::RadPerSec * 0.999);
    int32_t v = kGridLadder[0], h = kGridLadder[0];
    for (const int32_t p : kGridLadder) {
        if (p <= sy) v = p;
        if (p <= sx) {
            if (p == v) h = p;
            if (p * 7 / 4 <= sx) h = p;
        }
    }
    grid_->SetWidth(h);
    grid_->SetHeight(v);
}

void clsMapPlot::CalcGridRange() {
    if (mGridAuto) {
        int32_t limit = 323970;
        if (MapProjection::PrjShapeOf(view_.prjIndex).IsRounded())
            limit = 324000 - Library::Clamp(Library::DblToLng(CanvasLengthToMapY(view_.dpiy / 2)), 30, 36000);
        grid_->SetNorthLimit(limit);
        grid_->SetSouthLimit(-limit);
    }
    grid_->SetWest(std::max(view_.centerX - 648000, view_.field.mLeft));
    grid_->SetEast(std::min(view_.centerX + 648000, view_.field.mRight));
    grid_->SetSouth(std::max(grid_->SouthLimit(), view_.field.mTop));
    grid_->SetNorth(std::min(grid_->NorthLimit(), view_.field.mBottom));
}
