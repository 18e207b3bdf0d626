#include "render/ReplotPipeline.h"

#include "document/clsAdmin.h"
#include "document/clsAdmins.h"
#include "document/clsMap.h"
#include "document/clsMapCell.h"
#include "document/clsMapFigure.h"
#include "document/clsMapUnit.h"
#include "document/clsMapUnits.h"
#include "document/clsThing.h"
#include "document/clsThings.h"
#include "core/ErrorMng.h"
#include "core/clsRect.h"
#include "render/BaseMap.h"
#include "render/RenderGlobals.h"
#include "render/clsFigure.h"
#include "render/clsGrid.h"
#include "render/clsMapGraph.h"
#include "render/clsMapPlot.h"
#include "render/clsResSymbol.h"
#include "platform/DeviceContext.h"
#include "render/FigureConversion.h"
#include "render/PlotQueue.h"
#include "render/RenderWorkers.h"

#include <optional>

#include <algorithm>
#include <iterator>

namespace {

[[noreturn]] void Raise(int32_t number, const char* proc) {
    ErrorMng::ReRaise(ErrBase + number, QStringLiteral("clsMapPlot"), QString::fromLatin1(proc));
}

struct FlagOn {
    bool& flag;
    bool saved;
    explicit FlagOn(bool& f) : flag(f), saved(f) { flag = true; }
    ~FlagOn() { flag = saved; }
    FlagOn(const FlagOn&) = delete;
    FlagOn& operator=(const FlagOn&) = delete;
};

} // namespace

void ReplotPipeline::RaiseProgress() {
    if (p_.Progress) {
        // Whoever watches the progress may show the picture so far.
        if (p_.hdc_) p_.hdc_->Flush();
        p_.Progress(phase_);
    }
    ++phase_;
}

void ReplotPipeline::DoEvents() {
    if (p_.YieldHook) {
        // The handler may look at the picture or change the units.
        if (queue_) queue_->Finish();
        if (p_.hdc_) p_.hdc_->Flush();
        p_.YieldHook();
    }
}

std::shared_ptr<clsMapUnit> ReplotPipeline::BaseUnit() const { return p_.mMaps ? p_.mMaps->Base() : nullptr; }

bool ReplotPipeline::BaseDrawn() const {
    const auto base = BaseUnit();
    return base && base->bDraw;
}

bool ReplotPipeline::DrawStart() {
    if (p_.drawing_) return false;
    clsMapGraph* graph = RenderGlobals::MapGraph();
    if (!graph) return false;
    try {
        if (!graph->GraphBegin(p_.hdc_, p_.view_.canvas.mLeft, p_.view_.canvas.mTop, p_.CanvasWidth(), p_.CanvasHeight())) return false;
        graph->SetResolutionX(p_.view_.dpix);
        graph->SetResolutionY(p_.view_.dpiy);
        graph->SetTextRatio(p_.ptnRatio_);
        graph->SetSymbolRatio(p_.ptnRatio_);
        p_.drawing_ = true;
        p_.mCancel = false;
        p_.GetWork();
        p_.drawField_ = p_.view_.field;
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
    if (clsMapGraph* graph = RenderGlobals::MapGraph()) {
        graph->GraphEnd();
        if (graph->oSymbols) graph->oSymbols->SetResolution(0);
    }
    p_.drawing_ = false;
}

int16_t ReplotPipeline::Replot() {
    if (!DrawStart()) return 2;
    const clsMapPlot::ViewState start = p_.SaveView();
    // The drawing calls are replayed on all cores, each into its own rows.
    struct Deferred {
        DeviceContext* dc;
        ~Deferred() {
            try {
                if (dc) dc->EndDeferred();
            } catch (...) {
            }
        }
    } deferred{FigureConversion::Threads() > 1 ? p_.hdc_ : nullptr};
    struct Forget {
        std::vector<std::unique_ptr<Chosen>>& chosen;
        ~Forget() { chosen.clear(); }
    } forget{chosen_};
    chosen_.clear();
    if (deferred.dc) deferred.dc->BeginDeferred(FigureConversion::Threads());
    try {
        const int16_t result = ReplotSteps();
        DrawEnd();
        return result;
    } catch (...) {
        try {
            p_.RestoreView(start);
        } catch (...) {
        }
        try {
            DrawEnd();
        } catch (...) {
        }
        p_.drawing_ = false;
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
    detail_ = p_.mDetailEi;
    // The graticule goes under the land or over it.
    const auto grid = [this] {
        detail_ = false;
        if (!DrawGrid()) return false;
        RaiseProgress();
        if (!DrawGridString()) return false;
        RaiseProgress();
        detail_ = p_.mDetailEi;
        return true;
    };
    if (p_.mGridOcean) {
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
        if (clsMapGraph* graph = RenderGlobals::MapGraph()) {
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
        if (!(p_.mFigDisp & 4) || !BaseDrawn()) return true;
        const auto base = BaseUnit();
        const auto ocean = BaseMap::BaseMapOceanArea(p_.view_.field, base.get());
        if (!ocean) return true;
        clsMapPlot::ViewRestorer restore(p_);
        p_.view_.CenterProjectorOnZero();
        p_.view_.centerX = 0;
        FlagOn prepared(p_.prepared_);
        PlotCell(base->ToCell(ocean.get()));
        return true;
    } catch (...) {
        Raise(1001, "DrawOcean");
    }
}

bool ReplotPipeline::DrawGrid() {
    try {
        if (!p_.mGridEi || !(p_.mFigDisp & 2) || !BaseDrawn()) return true;
        const auto base = BaseUnit();
        p_.CalcGridPitch();
        p_.CalcGridRange();
        bool ok = PlotCollection(BaseMap::BaseMapGridV(*p_.grid_, base.get()));
        if (ok) ok = PlotCollection(BaseMap::BaseMapGridH(*p_.grid_, base.get()));
        return ok;
    } catch (...) {
        Raise(1001, "DrawGrid");
    }
}

bool ReplotPipeline::DrawGridString() {
    try {
        if (!p_.mGridEi || !p_.mGridString || !(p_.mFigDisp & 16) || !BaseDrawn()) return true;
        p_.CalcGridPitch();
        return PlotCollection(BaseMap::BaseMapGridTexts(p_));
    } catch (...) {
        Raise(1001, "DrawGridString");
    }
}

bool ReplotPipeline::DrawAzimuthLine() {
    try {
        if (!(p_.mFigDisp & 2) || !BaseDrawn()) return true;
        const auto lines = BaseMap::BaseMapAzimuthLine(p_.mAzimuthLine, MapPoint{p_.view_.centerX, p_.view_.centerY},
                                                       p_.view_.scale, BaseUnit().get());
        if (lines.empty()) return true;
        return PlotCollection(lines);
    } catch (...) {
        Raise(1001, "DrawAzimuthLine");
    }
}

bool ReplotPipeline::DrawShadow() {
    try {
        if (!(p_.mFigDisp & 2) || !BaseDrawn()) return true;
        const auto frame = BaseMap::BaseMapShadowFrame(p_.view_.prjIndex, BaseUnit().get(), &p_.mProjector);
        clsMapPlot::ViewRestorer restore(p_);
        p_.view_.CenterProjectorOnZero();
        return PlotCollection(frame);
    } catch (...) {
        Raise(1001, "DrawShadow");
    }
}

bool ReplotPipeline::PlotPhase(int16_t code) {
    if (!PlotPhaseSub(code)) return false;
    if (p_.view_.wrap && p_.view_.ShiftOn()) {
        const bool ok = PlotPhaseSub(code);
        p_.view_.ShiftOff();
        if (!ok) return false;
    }
    RaiseProgress();
    return true;
}

bool ReplotPipeline::PlotPhaseSub(int16_t code) {
    if (!(p_.mFigDisp & (1 << (code - 1)))) return true;
    // The phase shifts as a whole, so the per-cell shift is off meanwhile.
    struct WrapOff {
        bool& flag;
        bool saved;
        ~WrapOff() { flag = saved; }
    } wrapOff{p_.view_.wrap, p_.view_.wrap};
    p_.view_.wrap = false;

    FigureConversion conversion;
    const bool ahead = (code == 2 || code == 3) && FigureConversion::Threads() > 1;
    const FigureConversion::Convert convert = [this](MapViewport& view, clsPoly& poly, bool ring,
                                                     FigureConversion::Trace& trace) {
        return p_.PolysMapToCanvas(view, poly, ring, &trace);
    };
    // The drawing calls of the lines and areas go to a thread of their own,
    // in order; each result is kept until that thread has drawn it.
    std::optional<PlotQueue> queue;
    if (ahead) queue.emplace(detail_, [&conversion](size_t k) { conversion.Release(k); });
    struct Detach {
        clsMapPlot& p;
        PlotQueue*& queue;
        ~Detach() {
            p.converted_ = nullptr;
            queue = nullptr;
        }
    } detach{p_, queue_};
    queue_ = queue ? &*queue : nullptr;

    // A handler run during a yield may open or close units: walk a copy.
    std::vector<std::shared_ptr<clsMapUnit>> units;
    if (p_.mMaps) units.assign(p_.mMaps->begin(), p_.mMaps->end());
    for (const auto& unit : units) {
        DoEvents();
        if (p_.mCancel) return false;
        if (!unit || !unit->bDraw) continue;
        const std::shared_ptr<clsMap> map = unit->gFigures;
        if (!map) continue;
        const auto& figures = map->MapCollection();
        // The figures of this phase; lines and areas are converted on the
        // other cores ahead of their drawing, which takes them in their order.
        Chosen& c = Choose(figures, FigureConversion::Threads() > 1);
        const std::vector<size_t>& at = c.at[code];
        std::vector<clsMapFigure*> chosen(at.size());
        for (size_t j = 0; j < at.size(); ++j) chosen[j] = figures[at[j]].get();
        std::vector<std::shared_ptr<clsPoly>> sources = std::move(c.sources[code]);
        // Only the drawing below takes from it (the lists it lends die with
        // the run), not a handler run during a yield.
        if (ahead) conversion.Start(p_.view_, chosen, std::move(sources), code == 3, convert);
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
            if (j + 8 < at.size()) __builtin_prefetch(chosen[j + 8]);
            if (queue) {
                const clsMapCell cell = unit->ToCell(chosen[j]);
                if (!CellShown(cell)) continue;
                // The list holds the figure: nothing yields while it is taken.
                p_.converted_ = &conversion;
                p_.CellToQueue(cell, j, *queue);
                p_.converted_ = nullptr;
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

ReplotPipeline::Chosen& ReplotPipeline::Choose(const std::vector<std::shared_ptr<clsMapFigure>>& figures,
                                               bool withSources) {
    const clsRect& f = p_.view_.field;
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
    // A walk over every figure of the list, which lie all over the heap: in
    // slices on all cores, joined in order.
    const size_t n = figures.size();
    const size_t parts = FigureConversion::Threads() > 1 && n >= 4096 ? size_t(FigureConversion::Threads()) : 1;
    std::vector<Chosen> slices(parts);
    RenderWorkers::ForParts(n, parts, [&](size_t part, size_t begin, size_t end) {
        Chosen& s = slices[part];
        for (size_t k = begin; k < end; ++k) {
            // Asked for ahead: the next figures' cache lines.
            if (k + 16 < end) __builtin_prefetch(figures[k + 16].get());
            clsMapFigure* fig = figures[k].get();
            if (!fig) continue;
            const int32_t code = fig->FigCode();
            if (code < 2 || code > 5 || !fig->IsInner(f)) continue;
            s.at[code].push_back(k);
            // The list, its box filled by the test above, for the workers.
            if (withSources && code <= 3) s.sources[code].push_back(fig->Poly());
        }
    });
    for (int code = 2; code <= 5; ++code) {
        size_t count = 0;
        for (const Chosen& s : slices) count += s.at[code].size();
        c->at[code].reserve(count);
        for (const Chosen& s : slices) c->at[code].insert(c->at[code].end(), s.at[code].begin(), s.at[code].end());
        if (!withSources || code > 3) continue;
        c->sources[code].reserve(count);
        for (Chosen& s : slices)
            std::move(s.sources[code].begin(), s.sources[code].end(), std::back_inserter(c->sources[code]));
    }
    chosen_.push_back(std::move(c));
    return *chosen_.back();
}

bool ReplotPipeline::PlotCollection(const std::vector<std::shared_ptr<clsMapFigure>>& figures) {
    const auto base = BaseUnit();
    FlagOn prepared(p_.prepared_);
    for (const auto& fig : figures) {
        if (p_.mCancel) return false;
        if (base && fig && (p_.mFigDisp & (1 << (fig->FigCode() - 1)))) PlotCell(base->ToCell(fig.get()));
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

bool ReplotPipeline::CellShown(const clsMapCell& cell) const {
    return cell.mMapFig && !(p_.mAdmShowModeEi && cell.mAdmin && !cell.mAdmin->Show());
}

bool ReplotPipeline::PlotCell(const clsMapCell& cell) {
    if (!CellShown(cell)) return false;
    bool result = false;
    for (const auto& fig : p_.CellToFigures(cell))
        if (fig->Plot(detail_)) result = true;
    if (p_.view_.wrap && p_.view_.ShiftOn()) {
        struct Unshift {
            clsMapPlot& p;
            ~Unshift() {
                try {
                    p.view_.ShiftOff();
                } catch (...) {
                }
            }
        } unshift{p_};
        for (const auto& fig : p_.CellToFigures(cell))
            if (fig->Plot(detail_)) result = true;
    }
    return result;
}

