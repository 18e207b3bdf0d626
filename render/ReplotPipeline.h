#pragma once
// The drawing of a whole view in phases: background, ocean, graticule and
// its labels, the map units' figures by kind, azimuth lines and the
// projection's frame, with progress after each phase and the cancel flag
// tested before each map unit and base-map figure. A drawing works on its
// own copies of the view and the switches, taken when it starts: it shifts
// and re-centres its copy as it goes while the engine's view stays as the
// owner set it. What the engine has to hear or answer goes through Host.
#include "core/CoordTypes.h"
#include "core/clsVospProjector.h"
#include "document/clsMapCell.h"
#include "render/CanvasPolys.h"
#include "render/MapViewport.h"
#include "render/PlotOptions.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

class DeviceContext;
class clsFigure;
class clsMapGraph;
class clsGrid;
class clsAdmin;
class clsMapFigure;
class clsMapUnit;
class clsMapUnits;
class clsPoly;
class clsThing;
class FigureConversion;
class PlotQueue;

class ReplotPipeline {
public:
    // What a drawing asks of the engine that runs it.
    class Host {
    public:
        // The drawing has opened: clear the cancel flag, work the view out
        // and copy it into `view`, the drawing's own.
        virtual void Opened(MapViewport& view) = 0;
        // The drawing has closed; its projector stopped at `trail`, where the
        // engine's takes over.
        virtual void Closed(const clsVospProjector::Trail& trail) = 0;
        virtual bool Cancelled() const = 0;
        // A phase is done. Whoever listens may look at the canvas: Settle
        // brings it up to date first.
        virtual void Progressed(int16_t phase) = 0;
        // The event loop may run (before each map unit, every 200 figures
        // and after each base-map layer); Settle first as for Progressed.
        virtual void Yield() = 0;

    protected:
        ~Host() = default;
    };

    // What a drawing draws, and where.
    struct Job {
        DeviceContext* dc = nullptr;
        MapViewport view;
        PlotOptions options;
        clsMapUnits* maps = nullptr;
        // The engine's own: the automatic intervals stay there for the owner.
        clsGrid* grid = nullptr;
        int32_t ptnRatio = 100;
        // The drawing layer everything of the drawing goes through.
        clsMapGraph* graph = nullptr;
    };

    explicit ReplotPipeline(Host& host);
    ~ReplotPipeline();
    ReplotPipeline(const ReplotPipeline&) = delete;
    ReplotPipeline& operator=(const ReplotPipeline&) = delete;

    bool IsDrawing() const { return drawing_; }
    // 0 drawn, 1 stopped early (failed or cancelled), 2 not started.
    int16_t Replot(Job job);
    bool DrawStart(Job job);
    void DrawEnd();
    bool DrawClear();
    bool DrawOcean();
    bool DrawGrid();
    bool DrawGridString();
    bool DrawAzimuthLine();
    bool DrawShadow();
    bool DrawCell(const clsMapCell& cell);
    // Draws out what is queued and flushes the canvas.
    void Settle();

    // The figure-making steps work on the drawing's copies; outside a
    // drawing, on those of the last Take.
    void Take(Job job);
    // Every plotted figure of the cell: one, or one per part for a line or
    // area that crosses the date line (see CanvasPolys).
    std::vector<std::unique_ptr<clsFigure>> CellToFigures(const clsMapCell& cell);
    // The tilt in seconds of arc of the meridian at m on the canvas.
    int32_t SlantMeridian(MapPoint m);
    // The automatic graticule intervals and area for the view, into the grid.
    void CalcGridPitch();
    void CalcGridRange();

private:
    int16_t ReplotSteps();
    bool PlotPhase(int16_t code);
    bool PlotPhaseSub(int16_t code);
    bool PlotCollection(const std::vector<std::shared_ptr<clsMapFigure>>& figures);
    bool PlotCell(const clsMapCell& cell);
    // A cell with a figure, whose area is not hidden.
    bool AreaShown(const clsMapCell& cell) const;
    // Whether the cell's figure is drawn, and in which colour; `valid`: the
    // cell is known to be valid already.
    bool CellShown(const clsMapCell& cell, int32_t& colour, bool valid = false);
    // A line's or area's canvas lists, the run's figure at position
    // `figure`: taken from the conversion ahead, or converted here into
    // own_.
    std::span<const ListArena::List> CellLists(clsMapFigure& figure, bool ring, size_t figure_at);
    // What CellToFigures makes of a line or area of a valid cell, pushed to
    // the queue (drawn at once without one) as the run's figure at position
    // `figure` instead.
    void CellToQueue(const clsMapCell& cell, size_t figure, PlotQueue* queue);
    // How a line or area is drawn where that does not hang on the drawing's
    // order: worked out with the selection, on all cores.
    struct Look {
        enum Kind : uint8_t {
            Skip,   // not a valid cell: nothing to draw, no page turned
            Hidden, // its thing is turned to `page`, nothing drawn
            Drawn,  // turned to `page` and drawn so
            AtTurn, // its area's page is no page: its thing stays where
                    // the figures before left it, so it is judged at its turn
        };
        int32_t fore = 0;
        int32_t back = -1;
        int16_t style = 0;
        int16_t size = 0;
        int16_t page = 0;
        Kind kind = AtTurn;
    };
    Look LookOf(const clsMapCell& cell, bool valid) const;
    // The lists of a line (`ring` false) or area whose look is known, to
    // the queue, or drawn at once without one.
    void PolysToQueue(clsMapFigure& figure, bool ring, const Look& look, size_t at, PlotQueue* queue);
    CanvasPolys Polys() const;
    // Whether the drawing calls go to threads of their own (the queue, and
    // the bands that replay them): only with cores to spare; on two the
    // walk draws while the other core converts ahead.
    static bool SharedDrawing();
    void RaiseProgress();
    void DoEvents();
    std::shared_ptr<clsMapUnit> BaseUnit() const;
    bool BaseDrawn() const;

    // The figures of one list that reach one field, by kind, found in one
    // pass for all the phases of a replot, with the cells of the lines and
    // areas (their page not yet set) and their looks; for the conversion
    // ahead also their lists.
    struct Chosen {
        const void* list = nullptr;
        size_t size = 0;
        const void* data = nullptr;
        int32_t field[4] = {};
        std::vector<size_t> at[6];
        std::vector<std::shared_ptr<clsPoly>> sources[6];
        std::vector<clsMapCell> cells[6];
        std::vector<Look> looks[6];
        // The unit's areas and things by code, held while the cells point
        // at them.
        std::vector<std::shared_ptr<clsAdmin>> admins;
        std::vector<std::shared_ptr<clsThing>> things;
    };
    Chosen& Choose(const clsMapUnit& unit, const std::vector<std::shared_ptr<clsMapFigure>>& figures);

    Host& host_;
    Job job_;
    bool drawing_ = false;
    std::vector<std::unique_ptr<Chosen>> chosen_;
    // Choose's phase of each figure of a list, kept with its room.
    std::vector<uint8_t> phases_;
    int16_t phase_ = 0;
    // Figures drawn in detail in the current phase (off for the graticule).
    bool detail_ = false;
    // Set while base-map layers are plotted (their lists come already cut).
    bool prepared_ = false;
    // Lines and areas converted ahead, while a phase takes them.
    FigureConversion* converted_ = nullptr;
    // Draws the current phase's lines and areas on a thread of its own.
    PlotQueue* queue_ = nullptr;
    // The lists converted on this thread for the queue, kept until it has
    // drawn them: the figures before drawnTo_ of the current run.
    ListArena own_;
    std::atomic<size_t> drawnTo_{0};
};
