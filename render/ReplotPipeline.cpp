#include "render/ReplotPipeline.h"

#include "core/AngleLib.h"
#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/MapProjection.h"
#include "core/PublicVal.h"
#include "core/clsPoly.h"
#include "core/clsRect.h"
#include "document/HMap.h"
#include "document/HThing.h"
#include "document/clsAdmin.h"
#include "document/clsAdmins.h"
#include "document/clsMap.h"
#include "document/clsMapCell.h"
#include "document/clsMapFigure.h"
#include "document/clsMapPointBase.h"
#include "document/clsMapPolyBase.h"
#include "document/clsMapText.h"
#include "document/clsMapUnit.h"
#include "document/clsMapUnits.h"
#include "document/clsThing.h"
#include "document/clsThings.h"
#include "platform/DeviceContext.h"
#include "render/BaseMap.h"
#include "render/FigureConversion.h"
#include "render/PlotQueue.h"
#include "render/RenderWorkers.h"
#include "render/clsFigPolygon.h"
#include "render/clsFigPolyline.h"
#include "render/clsFigSymbol.h"
#include "render/clsFigText.h"
#include "render/clsFigure.h"
#include "render/clsGrid.h"
#include "render/clsMapGraph.h"
#include "render/clsResSymbol.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>
#include <type_traits>

namespace {

[[noreturn]] void Raise(int32_t number, const char* proc) {
    ErrorMng::ReRaise(ErrBase + number, QStringLiteral("clsMapPlot"), QString::fromLatin1(proc));
}

// The automatic graticule ladder, seconds of arc.
constexpr int32_t kGridLadder[] = {60,    90,    120,   150,   180,   240,   300,    450,    600,
                                   900,   1200,  1800,  2700,  3600,  5400,  7200,   9000,   10800,
                                   14400, 18000, 27000, 36000, 54000, 72000, 108000, 162000, 216000};

int32_t Sat(int64_t v) {
    if (v > 2147483647) return 2147483647;
    if (v < -2147483647) return -2147483647;
    return static_cast<int32_t>(v);
}

struct FlagOn {
    bool& flag;
    bool saved;
    explicit FlagOn(bool& f) : flag(f), saved(f) { flag = true; }
    ~FlagOn() { flag = saved; }
    FlagOn(const FlagOn&) = delete;
    FlagOn& operator=(const FlagOn&) = delete;
};

// Puts the centre, field and wrap state of a view back when a step ends,
// however it ends.
class ViewRestorer {
public:
    explicit ViewRestorer(MapViewport& v)
        : v_(v), centerX_(v.centerX), field_(v.field), wrap_(v.wrap), shifted_(v.shifted) {}
    ~ViewRestorer() {
        try {
            v_.centerX = centerX_;
            v_.field = field_;
            v_.wrap = wrap_;
            v_.shifted = shifted_;
            v_.projector.SetCenterLon(v_.centerX);
            v_.projector.SetUp();
        } catch (...) {
        }
    }
    ViewRestorer(const ViewRestorer&) = delete;
    ViewRestorer& operator=(const ViewRestorer&) = delete;

private:
    MapViewport& v_;
    int32_t centerX_;
    clsRect field_;
    bool wrap_;
    bool shifted_;
};

// Defers a context's drawing calls (none: nothing) for as long as it lives,
// however the drawing ends.
class Deferral {
public:
    Deferral(DeviceContext* dc, int threads) : dc_(dc) {
        if (dc_) dc_->BeginDeferred(threads);
    }
    ~Deferral() {
        try {
            if (dc_) dc_->EndDeferred();
        } catch (...) {
        }
    }
    Deferral(const Deferral&) = delete;
    Deferral& operator=(const Deferral&) = delete;

private:
    DeviceContext* dc_;
};

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

} // namespace

ReplotPipeline::ReplotPipeline(Host& host) : host_(host) {}

ReplotPipeline::~ReplotPipeline() = default;

void ReplotPipeline::Settle() {
    if (queue_) queue_->Finish();
    if (job_.dc) job_.dc->Flush();
}

void ReplotPipeline::RaiseProgress() {
    host_.Progressed(phase_);
    ++phase_;
}

void ReplotPipeline::DoEvents() { host_.Yield(); }

void ReplotPipeline::Take(Job job) {
    if (!drawing_) job_ = std::move(job);
}

std::shared_ptr<clsMapUnit> ReplotPipeline::BaseUnit() const { return job_.maps ? job_.maps->Base() : nullptr; }

bool ReplotPipeline::BaseDrawn() const {
    const auto base = BaseUnit();
    return base && base->bDraw;
}

bool ReplotPipeline::DrawStart(Job job) {
    if (drawing_ || !job.graph) return false;
    try {
        job_ = std::move(job);
        clsMapGraph* graph = job_.graph;
        const MapViewport& v = job_.view;
        if (!graph->GraphBegin(job_.dc, v.canvas.mLeft, v.canvas.mTop, v.CanvasWidth(), v.CanvasHeight())) return false;
        graph->SetResolutionX(v.dpix);
        graph->SetResolutionY(v.dpiy);
        graph->SetTextRatio(job_.ptnRatio);
        graph->SetSymbolRatio(job_.ptnRatio);
        drawing_ = true;
        try {
            host_.Opened(job_.view);
        } catch (...) {
            // The engine's view stays where working it out stopped: no
            // trail of this drawing's goes back to it.
            drawing_ = false;
            throw;
        }
        return true;
    } catch (...) {
        try {
            DrawEnd();
        } catch (...) {
        }
        Raise(1001, "DrawStart");
    }
}

void ReplotPipeline::DrawEnd() {
    if (clsMapGraph* graph = job_.graph) {
        graph->GraphEnd();
        if (graph->oSymbols) graph->oSymbols->SetResolution(0);
    }
    if (!drawing_) return;
    drawing_ = false;
    host_.Closed(job_.view.projector.TrailOf());
}

int16_t ReplotPipeline::Replot(Job job) {
    if (!DrawStart(std::move(job))) return 2;
    // The drawing calls are replayed on all cores, each into its own rows.
    const Deferral deferred(SharedDrawing() ? job_.dc : nullptr, FigureConversion::Threads());
    struct Forget {
        std::vector<std::unique_ptr<Chosen>>& chosen;
        ~Forget() { chosen.clear(); }
    } forget{chosen_};
    chosen_.clear();
    try {
        const int16_t result = ReplotSteps();
        DrawEnd();
        return result;
    } catch (...) {
        // The engine's view was never touched: the drawing's copy goes.
        try {
            DrawEnd();
        } catch (...) {
        }
        drawing_ = false;
        Raise(1001, "Replot");
    }
}

int16_t ReplotPipeline::ReplotSteps() {
    phase_ = 0;
    RaiseProgress();
    detail_ = false;
    if (!DrawClear()) return 1;
    RaiseProgress();
    if (!DrawOcean()) return 1;
    RaiseProgress();
    detail_ = job_.options.mDetailEi;
    // The graticule goes under the land or over it.
    const auto grid = [this] {
        detail_ = false;
        if (!DrawGrid()) return false;
        RaiseProgress();
        if (!DrawGridString()) return false;
        RaiseProgress();
        detail_ = job_.options.mDetailEi;
        return true;
    };
    if (job_.options.mGridOcean) {
        if (!grid() || !PlotPhase(3)) return 1;
    } else {
        if (!PlotPhase(3) || !grid()) return 1;
    }
    if (!PlotPhase(2)) return 1;
    if (!PlotPhase(4)) return 1;
    if (!PlotPhase(5)) return 1;
    if (!DrawAzimuthLine()) return 1;
    RaiseProgress();
    if (!DrawShadow()) return 1;
    RaiseProgress();
    return 0;
}

bool ReplotPipeline::DrawClear() {
    try {
        std::shared_ptr<clsThing> thing;
        const auto base = BaseUnit();
        if (base && base->gThings) {
            const int16_t code = base->gThings->Search(QStringLiteral("背景"));
            if (code >= 0) thing = base->gThings->Item(code);
        }
        if (!thing) {
            thing = std::make_shared<clsThing>();
            thing->SetFigure(3);
            thing->SetPage(1);
            thing->SetStyle(8);
            thing->SetFore(0xFFFFFF);
            thing->SetBack(-1);
        }
        if (base && base->gAdmins)
            if (const auto area = base->gAdmins->Item(0)) thing->SetPage(area->Page());
        if (clsMapGraph* graph = job_.graph) {
            graph->SetBrush(thing->Style(), thing->Fore(), thing->Back());
            graph->DrawClear();
        }
        return true;
    } catch (...) {
        Raise(1001, "DrawClear");
    }
}

bool ReplotPipeline::DrawOcean() {
    try {
        if (!job_.options.Shows(3) || !BaseDrawn()) return true;
        const auto base = BaseUnit();
        MapViewport& view = job_.view;
        const auto ocean = BaseMap::BaseMapOceanArea(view.field, base.get());
        if (!ocean) return true;
        ViewRestorer restore(view);
        view.CenterProjectorOnZero();
        view.centerX = 0;
        FlagOn prepared(prepared_);
        PlotCell(base->ToCell(ocean.get()));
        return true;
    } catch (...) {
        Raise(1001, "DrawOcean");
    }
}

bool ReplotPipeline::DrawGrid() {
    try {
        if (!job_.options.mGridEi || !job_.options.Shows(2) || !job_.grid || !BaseDrawn()) return true;
        const auto base = BaseUnit();
        CalcGridPitch();
        CalcGridRange();
        bool ok = PlotCollection(BaseMap::BaseMapGridV(*job_.grid, base.get()));
        if (ok) ok = PlotCollection(BaseMap::BaseMapGridH(*job_.grid, base.get()));
        return ok;
    } catch (...) {
        Raise(1001, "DrawGrid");
    }
}

bool ReplotPipeline::DrawGridString() {
    try {
        const PlotOptions& o = job_.options;
        if (!o.mGridEi || !o.mGridString || !o.Shows(5) || !job_.grid || !BaseDrawn()) return true;
        CalcGridPitch();
        return PlotCollection(BaseMap::BaseMapGridTexts(job_.view, *job_.grid, BaseUnit().get()));
    } catch (...) {
        Raise(1001, "DrawGridString");
    }
}

bool ReplotPipeline::DrawAzimuthLine() {
    try {
        if (!job_.options.Shows(2) || !BaseDrawn()) return true;
        const MapViewport& view = job_.view;
        const auto lines = BaseMap::BaseMapAzimuthLine(job_.options.mAzimuthLine, MapPoint{view.centerX, view.centerY},
                                                       view.scale, BaseUnit().get());
        if (lines.empty()) return true;
        return PlotCollection(lines);
    } catch (...) {
        Raise(1001, "DrawAzimuthLine");
    }
}

bool ReplotPipeline::DrawShadow() {
    try {
        if (!job_.options.Shows(2) || !BaseDrawn()) return true;
        MapViewport& view = job_.view;
        const auto frame = BaseMap::BaseMapShadowFrame(view.prjIndex, BaseUnit().get(), view.projector);
        ViewRestorer restore(view);
        view.CenterProjectorOnZero();
        return PlotCollection(frame);
    } catch (...) {
        Raise(1001, "DrawShadow");
    }
}

bool ReplotPipeline::PlotPhase(int16_t code) {
    // On two cores the symbols and texts, which nothing converts ahead,
    // are drawn by the other core while this one goes on.
    const bool own = (code == 4 || code == 5) && !SharedDrawing() && FigureConversion::Threads() == 2 && job_.dc &&
                     !job_.dc->IsDeferred();
    const Deferral deferred(own ? job_.dc : nullptr, 2);
    if (!PlotPhaseSub(code)) return false;
    if (job_.view.wrap && job_.view.ShiftOn()) {
        const bool ok = PlotPhaseSub(code);
        job_.view.ShiftOff();
        if (!ok) return false;
    }
    RaiseProgress();
    return true;
}

bool ReplotPipeline::PlotPhaseSub(int16_t code) {
    if (!job_.options.Shows(code)) return true;
    // The phase shifts as a whole, so the per-cell shift is off meanwhile.
    struct WrapOff {
        bool& flag;
        bool saved;
        ~WrapOff() { flag = saved; }
    } wrapOff{job_.view.wrap, job_.view.wrap};
    job_.view.wrap = false;

    FigureConversion conversion;
    // Lines and areas go by their looks and lists in arenas on any number
    // of cores; with more than one, they are converted ahead.
    const bool lists = code == 2 || code == 3;
    const bool ahead = lists && FigureConversion::Threads() > 1;
    // The workers convert in copies of the view, by the drawing's pitches.
    const FigureConversion::Convert convert = [polys = Polys()](MapViewport& view, clsPoly& poly, bool ring,
                                                                ListArena& into, FigureConversion::Trace& trace) {
        return polys.PolysMapToCanvas(view, poly, ring, into, &trace);
    };
    // The drawing calls of the lines and areas go to a thread of their own,
    // in order; each result is kept until that thread has drawn it.
    std::optional<PlotQueue> queue;
    if (ahead && SharedDrawing())
        queue.emplace(job_.graph, [this, &conversion](size_t k) {
            conversion.Release(k);
            drawnTo_.store(k, std::memory_order_release);
        });
    struct Detach {
        FigureConversion*& converted;
        PlotQueue*& queue;
        ~Detach() {
            converted = nullptr;
            queue = nullptr;
        }
    } detach{converted_, queue_};
    queue_ = queue ? &*queue : nullptr;

    // A handler run during a yield may open or close units: walk a copy.
    std::vector<std::shared_ptr<clsMapUnit>> units;
    if (job_.maps) units.assign(job_.maps->begin(), job_.maps->end());
    for (const auto& unit : units) {
        DoEvents();
        if (host_.Cancelled()) return false;
        if (!unit || !unit->bDraw) continue;
        const std::shared_ptr<clsMap> map = unit->gFigures;
        if (!map) continue;
        const auto& figures = map->MapCollection();
        // The figures of this phase; lines and areas are converted on the
        // other cores ahead of their drawing, which takes them in their order.
        Chosen& c = Choose(*unit, figures);
        const std::vector<size_t>& at = c.at[code];
        std::vector<clsMapFigure*> chosen(at.size());
        for (size_t j = 0; j < at.size(); ++j) chosen[j] = figures[at[j]].get();
        std::vector<std::shared_ptr<clsPoly>> sources = std::move(c.sources[code]);
        if (lists) {
            // Everything before is drawn: this run's lists take the room of
            // the last one's.
            own_.Reset();
            drawnTo_.store(0, std::memory_order_relaxed);
            own_.Watch(&drawnTo_);
        }
        // Only the drawing below takes from it (the lists it lends die with
        // the run), not a handler run during a yield.
        if (ahead) conversion.Start(job_.view, chosen, std::move(sources), code == 3, convert);
        // Yields every 200 figures of the list, drawn or not.
        size_t passed = 0;
        auto passTo = [&](size_t k) {
            if (k / 200 > passed / 200) DoEvents();
            passed = k;
        };
        for (size_t j = 0; j < at.size(); ++j) {
            passTo(at[j]);
            // A handler run during a yield may have changed the list.
            if (at[j] >= figures.size() || figures[at[j]].get() != chosen[j]) continue;
            if (lists) {
                // The cell as the unit's ToCell makes it, the thing turned
                // to the area's page included.
                const clsMapCell& cell = c.cells[code][j];
                const Look& look = c.looks[code][j];
                if (look.kind == Look::Skip) continue;
                // The list holds the figure: nothing yields while it is taken.
                if (ahead) converted_ = &conversion;
                PlotQueue* const to = queue ? &*queue : nullptr;
                if (look.kind == Look::AtTurn) {
                    cell.mThing->SetPage(cell.mAdmin->Page());
                    if (AreaShown(cell)) CellToQueue(cell, j, to);
                } else {
                    // What RealColor and the others would leave behind.
                    cell.mThing->SetPage(look.page);
                    if (look.kind == Look::Drawn) PolysToQueue(*cell.mMapFig, code == 3, look, j, to);
                }
                converted_ = nullptr;
                if (!queue) {
                    // Drawn already: its lists' room may be taken again.
                    drawnTo_.store(j + 1, std::memory_order_relaxed);
                    if ((j + 1) % 16 == 0) conversion.Release(j + 1);
                }
            } else {
                PlotCell(unit->ToCell(chosen[j]));
            }
        }
        passTo(figures.size());
        // The run's lists are lent to the queue until it is done.
        if (queue) queue->Finish();
        conversion.Clear();
    }
    return true;
}

ReplotPipeline::Chosen& ReplotPipeline::Choose(const clsMapUnit& unit,
                                               const std::vector<std::shared_ptr<clsMapFigure>>& figures) {
    const clsRect& f = job_.view.field;
    const int32_t field[4] = {f.mLeft, f.mTop, f.mRight, f.mBottom};
    // A handler run during a yield may have changed the list: then it is
    // gone through again.
    for (const auto& c : chosen_)
        if (c->list == &figures && c->size == figures.size() && c->data == figures.data() &&
            std::equal(field, field + 4, c->field))
            return *c;
    auto c = std::make_unique<Chosen>();
    c->list = &figures;
    c->size = figures.size();
    c->data = figures.data();
    std::copy(field, field + 4, c->field);
    // The areas and things by code, looked up here once: the slices below
    // only read these tables.
    // Every code a figure can carry (HMap::IsRightCode).
    constexpr int32_t kCodes = 1000;
    static_assert(HMap::IsRightCode(kCodes - 1) && !HMap::IsRightCode(kCodes));
    std::vector<clsAdmin*> admins(kCodes);
    std::vector<clsThing*> things(kCodes);
    c->admins.resize(kCodes);
    c->things.resize(kCodes);
    for (int32_t code = 0; code < kCodes; ++code) {
        if (unit.gAdmins) admins[size_t(code)] = (c->admins[size_t(code)] = unit.gAdmins->Item(code)).get();
        if (unit.gThings) things[size_t(code)] = (c->things[size_t(code)] = unit.gThings->Item(code)).get();
    }
    // Only the workers read the figures' own lists.
    const bool ahead = FigureConversion::Threads() > 1;
    const auto lookUp = [](const auto& table, int32_t code) {
        return code >= 0 && size_t(code) < table.size() ? table[size_t(code)] : nullptr;
    };
    // Two walks over every figure of the list, which lie all over the heap,
    // each in slices on all cores: the first finds each figure's phase and
    // counts them, the second writes each slice's figures straight to their
    // places, so that nothing is gathered twice or grown.
    const size_t n = figures.size();
    constexpr size_t kMaxParts = 64;
    const size_t parts = FigureConversion::Threads() > 1 && n >= 4096
                             ? std::min(size_t(FigureConversion::Threads()), kMaxParts)
                             : 1;
    std::vector<uint8_t>& phases = phases_;
    phases.resize(n);
    size_t offset[6][kMaxParts + 1] = {};
    RenderWorkers::ForParts(n, parts, [&](size_t part, size_t begin, size_t end) {
        size_t count[6] = {};
        for (size_t k = begin; k < end; ++k) {
            // Asked for ahead: the next figures' cache lines,
            if (k + 16 < end) __builtin_prefetch(figures[k + 16].get());
            // and the lists of those nearer, whose figures have come in.
            if (k + 8 < end)
                if (clsMapFigure* near = figures[k + 8].get(); near && (near->FigCode() == 2 || near->FigCode() == 3))
                    __builtin_prefetch(&static_cast<clsMapPolyBase*>(near)->Points());
            clsMapFigure* fig = figures[k].get();
            const int32_t code = fig ? fig->FigCode() : 0;
            phases[k] = code >= 2 && code <= 5 && fig->IsInner(f) ? uint8_t(code) : 0;
            ++count[phases[k]];
        }
        for (int code = 2; code <= 5; ++code) offset[code][part + 1] = count[code];
    });
    for (int code = 2; code <= 5; ++code) {
        for (size_t p = 0; p < parts; ++p) offset[code][p + 1] += offset[code][p];
        const size_t count = offset[code][parts];
        c->at[code].resize(count);
        if (code > 3) continue;
        if (ahead) c->sources[code].resize(count);
        c->cells[code].resize(count);
        c->looks[code].resize(count);
    }
    RenderWorkers::ForParts(n, parts, [&](size_t part, size_t begin, size_t end) {
        size_t to[6];
        for (int code = 2; code <= 5; ++code) to[code] = offset[code][part];
        for (size_t k = begin; k < end; ++k) {
            const int code = phases[k];
            if (code == 0) continue;
            const size_t j = to[code]++;
            c->at[code][j] = k;
            if (code > 3) continue;
            clsMapFigure* fig = figures[k].get();
            // The list, its box filled by the first walk, for the workers.
            if (ahead) c->sources[code][j] = fig->Poly();
            // The cell, but for the page its thing is turned to: that is
            // left to the drawing's order.
            clsMapCell& cell = c->cells[code][j];
            cell.mMapFig = fig;
            cell.mAdmin = lookUp(admins, fig->Admin());
            cell.mThing = lookUp(things, fig->Thing());
            c->looks[code][j] = LookOf(cell, cell.IsValid());
        }
    });
    chosen_.push_back(std::move(c));
    return *chosen_.back();
}

bool ReplotPipeline::PlotCollection(const std::vector<std::shared_ptr<clsMapFigure>>& figures) {
    const auto base = BaseUnit();
    FlagOn prepared(prepared_);
    for (const auto& fig : figures) {
        if (host_.Cancelled()) return false;
        if (base && fig && job_.options.Shows(fig->FigCode())) PlotCell(base->ToCell(fig.get()));
    }
    DoEvents();
    return true;
}

bool ReplotPipeline::DrawCell(const clsMapCell& cell) {
    try {
        return PlotCell(cell);
    } catch (...) {
        Raise(1001, "DrawCell");
    }
}

bool ReplotPipeline::AreaShown(const clsMapCell& cell) const {
    return cell.mMapFig && !(job_.options.mAdmShowModeEi && cell.mAdmin && !cell.mAdmin->Show());
}

bool ReplotPipeline::PlotCell(const clsMapCell& cell) {
    if (!AreaShown(cell)) return false;
    bool result = false;
    for (const auto& fig : CellToFigures(cell))
        if (fig->PlotOn(job_.graph, detail_)) result = true;
    if (job_.view.wrap && job_.view.ShiftOn()) {
        struct Unshift {
            MapViewport& view;
            ~Unshift() {
                try {
                    view.ShiftOff();
                } catch (...) {
                }
            }
        } unshift{job_.view};
        for (const auto& fig : CellToFigures(cell))
            if (fig->PlotOn(job_.graph, detail_)) result = true;
    }
    return result;
}

// --- the figures of a cell ---

bool ReplotPipeline::CellShown(const clsMapCell& cell, int32_t& colour, bool valid) {
    if (!valid && (!cell.mMapFig || !cell.IsValid())) return false;
    clsMapFigure* mf = cell.mMapFig;
    clsThing* thing = cell.mThing;
    const PlotOptions& o = job_.options;
    thing->SetPage(cell.mAdmin->Page());
    if (o.mFigShowModeEi) {
        const int16_t own = mf->OwnShowMode();
        if (own == 0) return false;
        if (own == -1 && o.mThgShowModeEi && !thing->IsPrint(job_.view.scale)) return false;
    }
    colour = o.mFigNativeEi ? cell.RealColor() : thing->Fore();
    return true;
}

std::span<const ListArena::List> ReplotPipeline::CellLists(clsMapFigure& figure, bool ring, size_t figure_at) {
    // A result converted ahead needs no look at the figure's own list.
    if (FigureConversion::Result* done = converted_ ? converted_->Take(&figure) : nullptr) {
        // Lent, not owned: the run keeps the lists until the queue has
        // drawn them.
        if (done->projected) job_.view.projector.Follow(done->after);
        return done->lists;
    }
    const auto src = figure.Poly();
    if (!src) return {};
    own_.Begin(figure_at);
    return Polys().PolysMapToCanvas(job_.view, *src, ring, own_);
}

bool ReplotPipeline::SharedDrawing() { return FigureConversion::Threads() > 2; }

CanvasPolys ReplotPipeline::Polys() const {
    return CanvasPolys(job_.options.plotChopPitch, job_.options.plotFlatPitch, prepared_);
}

void ReplotPipeline::CellToQueue(const clsMapCell& cell, size_t figure, PlotQueue* queue) {
    try {
        int32_t colour = 0;
        if (!CellShown(cell, colour, true)) return;
        const clsThing& thing = *cell.mThing;
        Look look;
        look.fore = colour;
        look.back = thing.Back();
        look.style = thing.Style();
        look.size = thing.Size();
        const int32_t code = cell.mMapFig->FigCode();
        if (code == 2 || code == 3) PolysToQueue(*cell.mMapFig, code == 3, look, figure, queue);
    } catch (...) {
        Raise(1001, "CellToFigure");
    }
}

ReplotPipeline::Look ReplotPipeline::LookOf(const clsMapCell& cell, bool valid) const {
    Look look;
    if (!valid) {
        look.kind = Look::Skip;
        return look;
    }
    const int16_t page = cell.mAdmin->Page();
    if (!HThing::IsRightPage(page < 0 ? -page : page)) return look;
    look.page = page;
    look.kind = Look::Hidden;
    if (!AreaShown(cell)) return look;
    // As CellShown reads them once the thing is turned to the page.
    const clsMapFigure& mf = *cell.mMapFig;
    const clsThing& thing = *cell.mThing;
    const ThingPage& on = thing.PageRecord(page);
    const PlotOptions& o = job_.options;
    if (o.mFigShowModeEi) {
        const int16_t own = mf.OwnShowMode();
        if (own == 0) return look;
        if (own == -1 && o.mThgShowModeEi && !thing.IsPrintOn(page, job_.view.scale)) return look;
    }
    const int32_t ownColour = mf.OwnColor();
    look.fore = o.mFigNativeEi && ownColour != -1 ? ownColour : on.Fore;
    look.back = on.Back;
    look.style = on.Style;
    look.size = on.Size;
    look.kind = Look::Drawn;
    return look;
}

void ReplotPipeline::PolysToQueue(clsMapFigure& mf, bool ring, const Look& look, size_t figure, PlotQueue* queue) {
    try {
        for (const ListArena::List& list : CellLists(mf, ring, figure)) {
            const PlotQueue::Item item{.points = list.data(),
                                       .count = int32_t(list.size()),
                                       .fore = look.fore,
                                       .back = look.back,
                                       .width = ring ? 0 : int32_t(look.size),
                                       .style = look.style,
                                       .ring = ring,
                                       .figure = figure};
            if (queue) queue->Push(item);
            else PlotQueue::Draw(job_.graph, item);
        }
    } catch (...) {
        Raise(1001, "CellToFigure");
    }
}

std::vector<std::unique_ptr<clsFigure>> ReplotPipeline::CellToFigures(const clsMapCell& cell) {
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
            if (const auto src = mf->Poly()) polys = Polys().PolysMapToCanvas(job_.view, *src, ring);
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
            if (!job_.view.PointMapToCanvas(at, c)) return figs;
            const int32_t back = job_.options.mEdgeEi ? thing->Back() : -1;
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
            if (job_.options.mTextSlant) f->mAngle -= SlantMeridian(at) / 3600;
            f->mTextFix = text->TextFix();
            f->SetText(text->TextAnsi(PublicVal::gvLanguage), text->TextCodePage(PublicVal::gvLanguage));
            return figs;
        }
        default: return figs;
        }
    } catch (...) {
        Raise(1001, "CellToFigure");
    }
}

int32_t ReplotPipeline::SlantMeridian(MapPoint m) {
    try {
        auto dir = [](CanvasPoint a, CanvasPoint b) {
            return AngleLib::RadianToSec(AngleLib::AnglePosToRadian(double(b.x) - a.x, double(a.y) - b.y));
        };
        MapViewport& view = job_.view;
        int32_t n = 0, e = 0;
        CanvasPoint a, b;
        const int32_t d = Library::Clamp(Library::DblToLng(view.CanvasLengthToMapY(view.dpiy / 5)), 10, 324000);
        if (view.MapToCanvas(MapPoint{m.lon, Library::Clamp(Sat(int64_t(m.lat) - d), -323970, 323970)}, a) &&
            view.MapToCanvas(MapPoint{m.lon, Library::Clamp(Sat(int64_t(m.lat) + d), -323970, 323970)}, b))
            n = 324000 - dir(a, b);
        const int32_t ew = Library::Clamp(Library::DblToLng(view.CanvasLengthToMapX(view.dpix / 5)), 10, 324000);
        if (view.MapToCanvas(MapPoint{Sat(int64_t(m.lon) - ew), m.lat}, a) &&
            view.MapToCanvas(MapPoint{Sat(int64_t(m.lon) + ew), m.lat}, b))
            e = -dir(a, b);
        int32_t s = (e + n) / 2;
        if (s < -648000) s += 1296000;
        if (s > 648000) s -= 1296000;
        return s;
    } catch (...) {
        Raise(1001, "SlantMeridian");
    }
}

void ReplotPipeline::CalcGridPitch() {
    const PlotOptions& o = job_.options;
    const MapViewport& view = job_.view;
    if (!o.mGridAuto || !job_.grid) return;
    double sx = view.CanvasLengthToMapX(o.plotGridPitch * view.dpix * 10 / 254);
    const double sy = view.CanvasLengthToMapY(o.plotGridPitch * view.dpiy * 10 / 254);
    if (MapProjection::PrjShapeOf(view.prjIndex).IsRounded())
        sx = sx / std::cos(view.centerY * AngleLib::RadPerSec * 0.999);
    int32_t v = kGridLadder[0], h = kGridLadder[0];
    for (const int32_t p : kGridLadder) {
        if (p <= sy) v = p;
        if (p <= sx) {
            if (p == v) h = p;
            if (p * 7 / 4 <= sx) h = p;
        }
    }
    job_.grid->SetWidth(h);
    job_.grid->SetHeight(v);
}

void ReplotPipeline::CalcGridRange() {
    const MapViewport& view = job_.view;
    clsGrid* grid = job_.grid;
    if (!grid) return;
    if (job_.options.mGridAuto) {
        int32_t limit = 323970;
        if (MapProjection::PrjShapeOf(view.prjIndex).IsRounded())
            limit = 324000 - Library::Clamp(Library::DblToLng(view.CanvasLengthToMapY(view.dpiy / 2)), 30, 36000);
        grid->SetNorthLimit(limit);
        grid->SetSouthLimit(-limit);
    }
    grid->SetWest(std::max(view.centerX - 648000, view.field.mLeft));
    grid->SetEast(std::min(view.centerX + 648000, view.field.mRight));
    grid->SetSouth(std::max(grid->SouthLimit(), view.field.mTop));
    grid->SetNorth(std::min(grid->NorthLimit(), view.field.mBottom));
}
