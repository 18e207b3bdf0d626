#pragma once
// The plot engine: the front of one map view (a MapViewport: projection,
// centre, scale, viewing distance, resolution, canvas, field and transforms)
// and of its switches (PlotOptions), its settings section, and the drawing
// of a whole view in phases, which a ReplotPipeline runs on copies of both.
#include "core/clsRect.h"
#include "core/clsVospProjector.h"
#include "render/MapViewport.h"
#include "render/PlotOptions.h"
#include "render/ReplotPipeline.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class DeviceContext;
class clsFigure;
class clsGrid;
class clsMapCell;
class clsMapUnits;
class clsPoly;

class clsMapPlot final : private ReplotPipeline::Host {
public:
    clsMapPlot();
    ~clsMapPlot();
    clsMapPlot(const clsMapPlot&) = delete;
    clsMapPlot& operator=(const clsMapPlot&) = delete;

    // The map-unit list to draw (not owned); set by the owner before each drawing.
    clsMapUnits* mMaps = nullptr;
    // Set by the owner to stop a running drawing; cleared when one starts.
    bool mCancel = false;

    // Raised after each phase of a drawing with 0..PhaseNum.
    std::function<void(int16_t phase)> Progress;
    // Lets the event loop run during a drawing (before each map unit, every
    // 200 figures and after each base-map layer).
    std::function<void()> YieldHook;

    QString RegistrySection() const;
    DeviceContext* hdc() const { return hdc_; }
    void SetHdc(DeviceContext* dc);
    int16_t PhaseNum() const { return 10; }
    int32_t CanvasLeft() const { return view_.canvas.mLeft; }
    void SetCanvasLeft(int32_t v);
    int32_t CanvasTop() const { return view_.canvas.mTop; }
    void SetCanvasTop(int32_t v);
    int32_t CanvasWidth() const { return view_.CanvasWidth(); }
    void SetCanvasWidth(int32_t v);
    int32_t CanvasHeight() const { return view_.CanvasHeight(); }
    void SetCanvasHeight(int32_t v);
    // Works out the view first (outside a drawing); may differ from the index set.
    int16_t ProjectionIndex();
    void SetProjectionIndex(int16_t v);
    QString ProjectionName();
    int32_t dpix() const { return view_.dpix; }
    // With the marker that the value came from the screen (and follows it
    // at the next start) or from the user (and stays).
    void Setdpix(int32_t v, bool fromScreen);
    void Setdpix(int32_t v) { Setdpix(v, false); }
    bool DpixFromScreen() const { return dpixFromScreen_; }
    int32_t dpiy() const { return view_.dpiy; }
    void Setdpiy(int32_t v, bool fromScreen);
    void Setdpiy(int32_t v) { Setdpiy(v, false); }
    bool DpiyFromScreen() const { return dpiyFromScreen_; }
    int32_t CenterX() const { return view_.centerX; }
    void SetCenterX(int32_t v);
    int32_t CenterY() const { return view_.centerY; }
    void SetCenterY(int32_t v);
    double MapScale() const { return view_.scale; }
    void SetMapScale(double v);
    double Light() const { return view_.light; }
    void SetLight(double v);
    int32_t PtnRatio() const { return ptnRatio_; }
    void SetPtnRatio(int32_t v);
    double RatioX() const { return view_.ratioX; }
    double RatioY() const { return view_.ratioY; }
    // A copy of the part of the globe that can reach the canvas (during a
    // drawing, as the drawing started with it).
    clsRect Field();
    clsGrid& Grid() { return *grid_; }
    // The view as a value: a copy converts and previews without touching
    // the engine. A drawing leaves it as it found it.
    const MapViewport& Viewport() const { return view_; }
    // The switches as a value; a drawing follows them as they stood when it
    // started, so setting one takes effect at the next drawing.
    const PlotOptions& Options() const { return options_; }
    void SetProjectionAuto(bool v) { options_.mProjectionAuto = v; }
    void SetGridEi(bool v) { options_.mGridEi = v; }
    void SetGridAuto(bool v) { options_.mGridAuto = v; }
    void SetGridOcean(bool v) { options_.mGridOcean = v; }
    void SetGridString(bool v) { options_.mGridString = v; }
    void SetAcsEi(bool v) { options_.mAcsEi = v; }
    void SetEdgeEi(bool v) { options_.mEdgeEi = v; }
    void SetTextSlant(bool v) { options_.mTextSlant = v; }
    void SetAzimuthLine(const QString& v) { options_.mAzimuthLine = v; }
    void SetFigDisp(int16_t v) { options_.mFigDisp = v; }
    void SetDetailEi(bool v) { options_.mDetailEi = v; }
    void SetFigPick(int16_t v) { options_.mFigPick = v; }
    void SetFigNativeEi(bool v) { options_.mFigNativeEi = v; }
    void SetFigShowModeEi(bool v) { options_.mFigShowModeEi = v; }
    void SetThgShowModeEi(bool v) { options_.mThgShowModeEi = v; }
    void SetAdmShowModeEi(bool v) { options_.mAdmShowModeEi = v; }
    bool IsDrawing() const { return pipeline_->IsDrawing(); }
    bool IsWrapAround() const { return view_.wrap; }
    int32_t ShiftAmount() const { return view_.shift; }
    bool IsShifted() const { return view_.shifted; }

    // The automatic projection choice (indexes after the name lookup).
    int16_t AutoHighPrj() const { return options_.autoHigh; }
    int16_t AutoMiddlePrj() const { return options_.autoMiddle; }
    int16_t AutoLowPrj() const { return options_.autoLow; }
    int16_t AutoSmallPrj() const { return options_.autoSmall; }

    // Transforms; every output is set, to 0 when the conversion fails early.
    bool MapToCanvas(MapPoint m, CanvasPoint& c) { return view_.MapToCanvas(m, c); }
    bool PointMapToCanvas(MapPoint m, CanvasPoint& c) { return view_.PointMapToCanvas(m, c); }
    bool CanvasToMap(CanvasPoint c, MapPoint& m) { return view_.CanvasToMap(c, m); }
    bool CanvasToMapBound(CanvasPoint c, MapPoint& m) { return view_.CanvasToMapBound(c, m); }
    bool MapToCanvas(int32_t x, int32_t y, int32_t& cx, int32_t& cy);
    bool PointMapToCanvas(int32_t x, int32_t y, int32_t& cx, int32_t& cy);
    bool CanvasToMap(int32_t cx, int32_t cy, int32_t& x, int32_t& y);
    bool CanvasToMapBound(int32_t cx, int32_t cy, int32_t& x, int32_t& y);
    // The list in canvas pixels, or null when nothing of it reaches the field.
    std::shared_ptr<clsPoly> PolyMapToCanvas(clsPoly& poly);
    // The wrap-around shift; refused while a drawing runs (the drawing
    // shifts its own view).
    bool ShiftOn();
    bool ShiftOff();

    void ReadRegistry();
    // Called explicitly at shutdown and by the snapshot files.
    void WriteRegistry();

    // Drawing: 0 drawn, 1 stopped early (failed or cancelled), 2 not started.
    // The layers and cells below draw with the drawing's copies between
    // DrawStart and DrawEnd; outside a drawing, with the view as it stands.
    int16_t Replot();
    bool DrawStart();
    void DrawEnd();
    bool DrawClear();
    bool DrawOcean();
    bool DrawGrid();
    bool DrawGridString();
    bool DrawAzimuthLine();
    bool DrawShadow();
    bool DrawCell(const clsMapCell& cell);
    // The figure-making steps, likewise.
    std::unique_ptr<clsFigure> CellToFigure(const clsMapCell& cell);
    std::vector<std::unique_ptr<clsFigure>> CellToFigures(const clsMapCell& cell);
    int32_t SlantMeridian(MapPoint m);
    void SlantMeridian(int32_t lon, int32_t lat, int32_t& slant);
    // The automatic graticule intervals and area for the current view.
    void CalcGridPitch();
    void CalcGridRange();

private:
    // What the drawing asks of the engine.
    void Opened(MapViewport& view) override;
    void Closed(const clsVospProjector::Trail& trail) override;
    bool Cancelled() const override { return mCancel; }
    void Progressed(int16_t phase) override;
    void Yield() override;

    // What a drawing (or a step outside one) is given: copies of the view and the switches.
    ReplotPipeline::Job NewJob() const;
    // The pipeline for a figure-making step: its drawing's copies, or
    // outside a drawing fresh ones of the view as it stands.
    ReplotPipeline& Steps();
    void GetWork();

    MapViewport view_;
    PlotOptions options_;
    DeviceContext* hdc_ = nullptr;
    int32_t ptnRatio_ = 100;
    std::unique_ptr<clsGrid> grid_;
    std::unique_ptr<ReplotPipeline> pipeline_ =
        std::make_unique<ReplotPipeline>(static_cast<ReplotPipeline::Host&>(*this));
    bool dpixFromScreen_ = true;
    bool dpiyFromScreen_ = true;
};
