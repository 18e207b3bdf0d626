#pragma once
// The drawing of a whole view in phases for the plot engine: background,
// ocean, graticule and its labels, the map units' figures by kind, azimuth
// lines and the projection's frame, with progress after each phase and the
// cancel flag tested before each map unit and base-map figure. The engine
// is its front and owns the view it draws.
#include <cstdint>
#include <memory>
#include <vector>

class clsMapCell;
class clsMapFigure;
class clsMapPlot;
class clsMapUnit;
class clsPoly;
class PlotQueue;

class ReplotPipeline {
public:
    explicit ReplotPipeline(clsMapPlot& plot) : p_(plot) {}
    ReplotPipeline(const ReplotPipeline&) = delete;
    ReplotPipeline& operator=(const ReplotPipeline&) = delete;

    // 0 drawn, 1 stopped early (failed or cancelled), 2 not started.
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

private:
    int16_t ReplotSteps();
    bool PlotPhase(int16_t code);
    bool PlotPhaseSub(int16_t code);
    bool PlotCollection(const std::vector<std::shared_ptr<clsMapFigure>>& figures);
    bool PlotCell(const clsMapCell& cell);
    // A cell with a figure, whose area is not hidden.
    bool CellShown(const clsMapCell& cell) const;
    void RaiseProgress();
    void DoEvents();
    std::shared_ptr<clsMapUnit> BaseUnit() const;
    bool BaseDrawn() const;

    // The figures of one list that reach one field, by kind, found in one
    // pass for all the phases of a replot; with the lists of the lines and
    // areas for the conversion ahead.
    struct Chosen {
        const void* list = nullptr;
        size_t size = 0;
        const void* data = nullptr;
        int32_t field[4] = {};
        std::vector<size_t> at[6];
        std::vector<std::shared_ptr<clsPoly>> sources[6];
    };
    Chosen& Choose(const std::vector<std::shared_ptr<clsMapFigure>>& figures, bool withSources);

    clsMapPlot& p_;
    std::vector<std::unique_ptr<Chosen>> chosen_;
    int16_t phase_ = 0;
    // Figures drawn in detail in the current phase (off for the graticule).
    bool detail_ = false;
    // Draws the current phase's lines and areas on a thread of its own.
    PlotQueue* queue_ = nullptr;
};
