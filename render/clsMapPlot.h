#pragma once
// The plot engine: the front of one map view (a MapViewport: projection,
// centre, scale, viewing distance, resolution, canvas, field and transforms),
// its settings section, and the drawing of a whole view in phases.
#include "core/clsRect.h"
#include "core/clsVospProjector.h"
#include "render/FigureConversion.h"
#include "render/MapViewport.h"
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
class clsMapFigure;
class clsMapGraph;
class clsMapUnit;
class clsMapUnits;
class clsPoly;
class PlotQueue;

class clsMapPlot {
    friend class PlotSettings;
    friend class ReplotPipeline;
    // Declared first: mProjector below is the view's projector.
    MapViewport view_;
    // Lines and areas converted ahead by the drawing, while it runs.
    FigureConversion* converted_ = nullptr;

public:
    clsMapPlot();
    ~clsMapPlot();
    clsMapPlot(const clsMapPlot&) = delete;
    clsMapPlot& operator=(const clsMapPlot&) = delete;

    // The map-unit list to draw (not owned); set by the owner before each drawing.
    clsMapUnits* mMaps = nullptr;
    bool mCancel = false;
    bool mProjectionAuto = true;
    bool mGridEi = true;
    bool mGridAuto = true;
    bool mGridOcean = false;
    bool mGridString = true;
    bool mAcsEi = false;
    bool mEdgeEi = true;
    bool mTextSlant = false;
    QString mAzimuthLine;
    int16_t mFigDisp = 31;
    bool mDetailEi = false;
    int16_t mFigPick = 31;
    bool mFigNativeEi = true;
    bool mFigShowModeEi = true;
    bool mThgShowModeEi = true;
    bool mAdmShowModeEi = true;
    clsVospProjector& mProjector = view_.projector;

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
    int32_t CanvasWidth() const;
    void SetCanvasWidth(int32_t v);
    int32_t CanvasHeight() const;
    void SetCanvasHeight(int32_t v);
    // Works out the view first (outside a drawing); may differ from the index set.
    int16_t ProjectionIndex();
    void SetProjectionIndex(int16_t v);
    QString ProjectionName();
    int32_t dpix() const { return view_.dpix; }
    void Setdpix(int32_t v);
    int32_t dpiy() const { return view_.dpiy; }
    void Setdpiy(int32_t v);
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
    // A copy of the part of the globe that can reach the canvas.
    clsRect Field();
    clsGrid& Grid() { return *grid_; }
    // The view as a value: a copy converts and previews without touching the engine.
    const MapViewport& Viewport() const { return view_; }
    bool IsDrawing() const { return drawing_; }
    bool IsWrapAround() const { return view_.wrap; }
    int32_t ShiftAmount() const { return view_.shift; }
    bool IsShifted() const { return view_.shifted; }

    // The automatic projection choice (indexes after the name lookup).
    int16_t AutoHighPrj() const { return autoHigh_; }
    int16_t AutoMiddlePrj() const { return autoMiddle_; }
    int16_t AutoLowPrj() const { return autoLow_; }
    int16_t AutoSmallPrj() const { return autoSmall_; }

    // Transforms; every output is set, to 0 when the conversion fails early.
    bool MapToCanvas(MapPoint m, CanvasPoint& c) { return view_.MapToCanvas(m, c); }
    bool PointMapToCanvas(MapPoint m, CanvasPoint& c) { return view_.PointMapToCanvas(m, c); }
    bool CanvasToMap(CanvasPoint c, MapPoint& m) { return view_.CanvasToMap(c, m); }
    bool CanvasToMapBound(CanvasPoint c, MapPoint& m) { return view_.CanvasToMapBound(c, m); }
    bool MapToCanvas(int32_t x, int32_t y, int32_t& cx, int32_t& cy);
    bool PointMapToCanvas(int32_t x, int32_t y, int32_t& cx, int32_t& cy);
    // The list in canvas pixels, or null when nothing of it reaches the field.
    std::shared_ptr<clsPoly> PolyMapToCanvas(clsPoly& poly);
    // As PolyMapToCanvas, but a list with a step of more than half a turn (a
    // ring stored across the date line) is drawn from its continuous form:
    // a ring as one copy per turn that reaches the field (closed over the
    // pole when it winds about one), a line cut at the view's seams. Empty
    // in the shifted pass of a wrap-around drawing, where the unshifted pass
    // has already drawn every copy.
    std::vector<std::shared_ptr<clsPoly>> PolysMapToCanvas(clsPoly& poly, bool ring);
    // Both in a given view (a worker's copy), reporting to `trace`.
    std::shared_ptr<clsPoly> PolyMapToCanvas(MapViewport& view, clsPoly& poly, FigureConversion::Trace* trace) const;
    std::vector<std::shared_ptr<clsPoly>> PolysMapToCanvas(MapViewport& view, clsPoly& poly, bool ring,
                                                           FigureConversion::Trace* trace) const;
    bool CanvasToMap(int32_t cx, int32_t cy, int32_t& x, int32_t& y);
    bool CanvasToMapBound(int32_t cx, int32_t cy, int32_t& x, int32_t& y);
    // The wrap-around shift; refused while a drawing runs (the drawing
    // shifts through its own steps).
    bool ShiftOn();
    bool ShiftOff();
    double CanvasLengthToMapX(double pixels) const;
    double CanvasLengthToMapY(double pixels) const;

    void ReadRegistry();
    // Called explicitly at shutdown and by the snapshot files.
    void WriteRegistry();

    // Drawing: 0 drawn, 1 stopped early (failed or cancelled), 2 not started.
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
    std::unique_ptr<clsFigure> CellToFigure(const clsMapCell& cell);
    // Every plotted figure of the cell: one, or one per part for a line or
    // area that crosses the date line (see PolysMapToCanvas).
    std::vector<std::unique_ptr<clsFigure>> CellToFigures(const clsMapCell& cell);
    // What CellToFigures makes of a line or area, pushed to the queue as
    // the run's figure at position `figure` instead.
    void CellToQueue(const clsMapCell& cell, size_t figure, PlotQueue& queue);
    // The tilt in seconds of arc of the meridian at m on the canvas.
    int32_t SlantMeridian(MapPoint m);
    void SlantMeridian(int32_t lon, int32_t lat, int32_t& slant);

    // The automatic graticule intervals and area for the current view.
    void CalcGridPitch();
    void CalcGridRange();

private:
    // Whether the cell's figure is drawn, and in which colour.
    bool CellShown(const clsMapCell& cell, int32_t& colour);
    // Appends a line's or area's canvas lists (taken from the conversion
    // ahead when there is one).
    void CellPolys(clsMapFigure& figure, bool ring, std::vector<std::shared_ptr<clsPoly>>& polys);

    struct ViewState {
        int32_t centerX;
        clsRect field;
        bool wrap;
        bool shifted;
    };
    ViewState SaveView() const;
    void RestoreView(const ViewState& s);
    // Puts the centre, field and wrap state back when a step ends, however it ends.
    class ViewRestorer {
    public:
        explicit ViewRestorer(clsMapPlot& p) : p_(p), s_(p.SaveView()) {}
        ~ViewRestorer() {
            try {
                p_.RestoreView(s_);
            } catch (...) {
            }
        }
        ViewRestorer(const ViewRestorer&) = delete;
        ViewRestorer& operator=(const ViewRestorer&) = delete;

    private:
        clsMapPlot& p_;
        ViewState s_;
    };

    void GetWork();
    void ChooseAutoProjection(int32_t absLat);
    void ReadEnvironment();


    DeviceContext* hdc_ = nullptr;
    int32_t ptnRatio_ = 100;
    std::unique_ptr<clsGrid> grid_;
    std::unique_ptr<ReplotPipeline> pipeline_ = std::make_unique<ReplotPipeline>(*this);
    clsRect drawField_{-648000, -324000, 648000, 324000};
    // Set while base-map layers are plotted: their lists come already cut
    // for the plane, so a full-width edge there is meant as drawn.
    bool prepared_ = false;
    bool drawing_ = false;

    int32_t plotHighLat_ = 270000;
    int32_t plotLowLat_ = 54000;
    int32_t plotSmallRatio_ = 5;
    int16_t autoHigh_ = 6;
    int16_t autoMiddle_ = 23;
    int16_t autoLow_ = 12;
    int16_t autoSmall_ = 19;
    int32_t plotGridPitch_ = 50;
    int32_t plotChopPitch_ = 16;
    int32_t plotFlatPitch_ = 0;
};
