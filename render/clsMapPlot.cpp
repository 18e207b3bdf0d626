#include "render/clsMapPlot.h"

#include "core/ErrorMng.h"
#include "core/Library.h"
#include "core/MapProjection.h"
#include "core/clsPoly.h"
#include "core/clsRegistry.h"
#include "platform/ApiLib.h"
#include "platform/DeviceContext.h"
#include "platform/UiServices.h"
#include "render/CanvasPolys.h"
#include "render/PlotSettings.h"
#include "render/RenderGlobals.h"
#include "render/clsFigure.h"
#include "render/clsGrid.h"

#include <cstdlib>

namespace {

[[noreturn]] void Raise(int32_t number, const char* proc) {
    ErrorMng::ReRaise(ErrBase + number, QStringLiteral("clsMapPlot"), QString::fromLatin1(proc));
}

int32_t Sat(int64_t v) {
    if (v > 2147483647) return 2147483647;
    if (v < -2147483647) return -2147483647;
    return static_cast<int32_t>(v);
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
        options_.ReadEnvironment();
    } catch (...) {
        Raise(1001, "Class_Initialize");
    }
}

clsMapPlot::~clsMapPlot() = default;

// --- properties ---

QString clsMapPlot::RegistrySection() const {
    if (view_.plotMode == 1) return QStringLiteral("LLPLOT");
    if (view_.plotMode == 2) return QStringLiteral("XYPLOT");
    return {};
}

void clsMapPlot::SetHdc(DeviceContext* dc) {
    if (!IsDrawing()) hdc_ = dc;
}

void clsMapPlot::SetCanvasLeft(int32_t v) {
    if (IsDrawing()) return;
    const int32_t w = CanvasWidth();
    view_.canvas.mLeft = v;
    view_.canvas.mRight = Sat(int64_t(v) + w - 1);
    view_.CalcCanvasCenter();
}

void clsMapPlot::SetCanvasTop(int32_t v) {
    if (IsDrawing()) return;
    const int32_t h = CanvasHeight();
    view_.canvas.mTop = v;
    view_.canvas.mBottom = Sat(int64_t(v) + h - 1);
    view_.CalcCanvasCenter();
}

void clsMapPlot::SetCanvasWidth(int32_t v) {
    if (IsDrawing()) return;
    view_.canvas.mRight = Sat(int64_t(view_.canvas.mLeft) + Library::Clamp(v, 32, 32767) - 1);
    view_.CalcCanvasCenter();
}

void clsMapPlot::SetCanvasHeight(int32_t v) {
    if (IsDrawing()) return;
    view_.canvas.mBottom = Sat(int64_t(view_.canvas.mTop) + Library::Clamp(v, 32, 32767) - 1);
    view_.CalcCanvasCenter();
}

int16_t clsMapPlot::ProjectionIndex() {
    try {
        // During a drawing (and while shifted) the view stays as worked out.
        if (!IsDrawing() && !view_.shifted) GetWork();
        return view_.prjIndex;
    } catch (...) {
        Raise(1001, "ProjectionIndex");
    }
}

void clsMapPlot::SetProjectionIndex(int16_t v) {
    if (IsDrawing() || !clsVospProjector::IsValidPrj(v)) return;
    view_.prjIndex = v;
    view_.plotMode = 1;
}

QString clsMapPlot::ProjectionName() {
    try {
        if (!IsDrawing() && !view_.shifted) GetWork();
        return view_.projector.PrjName();
    } catch (...) {
        Raise(1001, "ProjectionName");
    }
}

void clsMapPlot::Setdpix(int32_t v, bool fromScreen) {
    if (IsDrawing()) return;
    view_.dpix = Library::Clamp(v, 48, 1440);
    dpixFromScreen_ = fromScreen;
}

void clsMapPlot::Setdpiy(int32_t v, bool fromScreen) {
    if (IsDrawing()) return;
    view_.dpiy = Library::Clamp(v, 48, 1440);
    dpiyFromScreen_ = fromScreen;
}

void clsMapPlot::SetCenterX(int32_t v) {
    if (IsDrawing()) return;
    if (view_.shifted) view_.ShiftOff(); // a later ShiftOff would move the new centre
    view_.centerX = view_.plotMode == 1 ? Library::WrapRange(v, -648000, 648000) : v;
}

void clsMapPlot::SetCenterY(int32_t v) {
    if (IsDrawing()) return;
    view_.centerY = view_.plotMode == 1 ? Library::Clamp(v, -324000, 324000) : v;
}

void clsMapPlot::SetMapScale(double v) {
    if (!IsDrawing() && MapProjection::IsValidScale(v)) view_.scale = v;
}

void clsMapPlot::SetLight(double v) {
    if (!IsDrawing() && MapProjection::IsValidLight(v)) view_.light = v;
}

void clsMapPlot::SetPtnRatio(int32_t v) {
    if (v >= 10 && v <= 1000) ptnRatio_ = v;
}

clsRect clsMapPlot::Field() {
    try {
        // The drawing works on a copy: the engine's field stays as it began.
        if (!IsDrawing() && !view_.shifted) GetWork();
        return view_.field.Copy();
    } catch (...) {
        Raise(1001, "Field");
    }
}

// --- working out the view ---

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
    if (options_.mProjectionAuto || !ok) {
        view_.prjIndex = options_.AutoProjection(absLat, view_.scale);
        view_.projector.SetPrjIndex(view_.prjIndex);
        view_.projector.SetUp();
    }

    view_.CalcRatios();
    view_.CalcField();
}

// --- transforms ---

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

std::shared_ptr<clsPoly> clsMapPlot::PolyMapToCanvas(clsPoly& poly) {
    return CanvasPolys(options_.plotChopPitch, options_.plotFlatPitch).PolyMapToCanvas(view_, poly);
}

// --- the wrap-around shift ---

bool clsMapPlot::ShiftOn() {
    try {
        return !IsDrawing() && view_.ShiftOn();
    } catch (...) {
        Raise(1001, "ShiftOn");
    }
}

bool clsMapPlot::ShiftOff() {
    try {
        return !IsDrawing() && view_.ShiftOff();
    } catch (...) {
        Raise(1001, "ShiftOff");
    }
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

// A drawing goes through the application's drawing layer, the one clsFigure::Plot draws on.
ReplotPipeline::Job clsMapPlot::NewJob() const {
    return {hdc_, view_, options_, mMaps, grid_.get(), ptnRatio_, RenderGlobals::MapGraph()};
}

ReplotPipeline& clsMapPlot::Steps() {
    if (!IsDrawing()) pipeline_->Take(NewJob());
    return *pipeline_;
}

void clsMapPlot::Opened(MapViewport& view) {
    mCancel = false;
    GetWork();
    view = view_;
}

void clsMapPlot::Closed(const clsVospProjector::Trail& trail) {
    // Conversions after the drawing go on from where its last one stopped.
    view_.projector.Follow(trail);
}

void clsMapPlot::Progressed(int16_t phase) {
    if (!Progress) return;
    // Whoever watches the progress may show the picture so far.
    pipeline_->Settle();
    Progress(phase);
}

void clsMapPlot::Yield() {
    if (!YieldHook) return;
    // The handler may look at the picture or change the units.
    pipeline_->Settle();
    YieldHook();
}

int16_t clsMapPlot::Replot() { return IsDrawing() ? 2 : pipeline_->Replot(NewJob()); }
bool clsMapPlot::DrawStart() { return !IsDrawing() && pipeline_->DrawStart(NewJob()); }
void clsMapPlot::DrawEnd() { pipeline_->DrawEnd(); }
bool clsMapPlot::DrawClear() { return Steps().DrawClear(); }
bool clsMapPlot::DrawOcean() { return Steps().DrawOcean(); }
bool clsMapPlot::DrawGrid() { return Steps().DrawGrid(); }
bool clsMapPlot::DrawGridString() { return Steps().DrawGridString(); }
bool clsMapPlot::DrawAzimuthLine() { return Steps().DrawAzimuthLine(); }
bool clsMapPlot::DrawShadow() { return Steps().DrawShadow(); }
bool clsMapPlot::DrawCell(const clsMapCell& cell) { return Steps().DrawCell(cell); }

std::unique_ptr<clsFigure> clsMapPlot::CellToFigure(const clsMapCell& cell) {
    auto figs = CellToFigures(cell);
    if (figs.empty()) return nullptr;
    return std::move(figs.front());
}

std::vector<std::unique_ptr<clsFigure>> clsMapPlot::CellToFigures(const clsMapCell& cell) {
    return Steps().CellToFigures(cell);
}

int32_t clsMapPlot::SlantMeridian(MapPoint m) { return Steps().SlantMeridian(m); }

void clsMapPlot::SlantMeridian(int32_t lon, int32_t lat, int32_t& slant) {
    slant = 0; // kept when the conversion raises
    slant = SlantMeridian(MapPoint{lon, lat});
}

void clsMapPlot::CalcGridPitch() { Steps().CalcGridPitch(); }
void clsMapPlot::CalcGridRange() { Steps().CalcGridRange(); }
