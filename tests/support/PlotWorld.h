#pragma once
// A map-unit list built in memory for the plot engine tests: a base unit
// with area 0 and things made by name, further units, and figures in
// seconds of arc. Installs a drawing layer on an RGB image and sets the
// global state the engine reads; everything is put back afterwards.
#include "core/MapProjection.h"
#include "core/PublicVal.h"
#include "document/clsAdmin.h"
#include "document/clsAdmins.h"
#include "document/clsMap.h"
#include "document/clsMapPolygon.h"
#include "document/clsMapPolyline.h"
#include "document/clsMapSymbol.h"
#include "document/clsMapText.h"
#include "document/clsMapUnit.h"
#include "document/clsMapUnits.h"
#include "document/clsThing.h"
#include "document/clsThings.h"
#include "platform/DeviceContext.h"
#include "platform/ScriptedUi.h"
#include "render/RenderGlobals.h"
#include "render/clsMapGraph.h"
#include "render/clsMapPlot.h"
#include "support/GuiApp.h"
#include "support/TestFolder.h"

#include <QImage>
#include <memory>
#include <random>
#include <utility>
#include <vector>

class PlotWorld {
public:
    explicit PlotWorld(int32_t width = 400, int32_t height = 300)
        : image_(width, height, QImage::Format_RGB32) {
        EnsureGuiApp();
        MapProjection::InitGlobe(nullptr);
        PublicVal::gvMapMode = 1;
        PublicVal::gvLanguage = 2;
        image_.fill(Qt::black);
        dc_ = std::make_unique<DeviceContext>(image_, 96, 96);
        graph_ = std::make_unique<clsMapGraph>();
        oldGraph_ = RenderGlobals::SetMapGraph(graph_.get());
        // The base unit comes from no file.
        auto old = clsMapUnit::SetLoadPresenter([](clsMapUnit&) { return true; });
        units.Create(1);
        clsMapUnit::SetLoadPresenter(std::move(old));
        base = units.Base();
        AddArea(*base, 0, 1, true);
        plot = std::make_unique<clsMapPlot>();
        oldPlot_ = RenderGlobals::SetMapPlot(plot.get());
        plot->mMaps = &units;
        plot->SetHdc(dc_.get());
        plot->Setdpix(96);
        plot->Setdpiy(96);
        plot->SetCanvasLeft(0);
        plot->SetCanvasTop(0);
        plot->SetCanvasWidth(width);
        plot->SetCanvasHeight(height);
    }
    ~PlotWorld() {
        RenderGlobals::SetMapPlot(oldPlot_);
        RenderGlobals::SetMapGraph(oldGraph_);
        PublicVal::gvLanguage = 0;
        PublicVal::gvMapMode = 0;
    }
    PlotWorld(const PlotWorld&) = delete;
    PlotWorld& operator=(const PlotWorld&) = delete;

    ScopedSettingsHome settings;
    ScopedUi ui;
    clsMapUnits units;
    std::shared_ptr<clsMapUnit> base;
    std::unique_ptr<clsMapPlot> plot;

    // A scale that gives `ppd` pixels per degree along the equator at 96 dpi.
    static double ScaleForPpd(double ppd) {
        return 96 * 1000.0 / 25.4 * (MapProjection::GlobeRadius * 4.848136811095355e-6) * 3600 / ppd;
    }
    // A fixed projection centred on (lon, lat) at `ppd` pixels per degree.
    void View(int16_t index, int32_t lon, int32_t lat, double ppd) {
        plot->SetProjectionAuto(false);
        plot->SetProjectionIndex(index);
        plot->SetCenterY(lat);
        plot->SetCenterX(lon);
        plot->SetMapScale(ScaleForPpd(ppd));
        plot->Field();
    }

    QImage& image() { return image_; }
    clsMapGraph& graph() { return *graph_; }
    // The colour at a pixel as 0x00BBGGRR.
    int32_t Pixel(int32_t x, int32_t y) const { return dc_->GetPixel(x, y); }

    // A unit of its own (named, never loaded) appended to the list.
    std::shared_ptr<clsMapUnit> AddUnit(const QString& name) {
        auto u = std::make_shared<clsMapUnit>();
        u->SetUnitName(folder_.file(name + QStringLiteral(".MLL")));
        units.Add(u);
        AddArea(*u, 0, 1, true);
        return u;
    }

    static std::shared_ptr<clsAdmin> AddArea(clsMapUnit& unit, int16_t code, int16_t page, bool show) {
        auto a = std::make_shared<clsAdmin>();
        a->SetAdminCode(code);
        a->SetPage(page);
        a->SetShow(show);
        unit.gAdmins->Add(a);
        return a;
    }

    // A thing shown at every scale on page 1.
    static std::shared_ptr<clsThing> AddThing(clsMapUnit& unit, int16_t code, int16_t figure, const QString& name,
                                              int32_t fore, int16_t style = 0, int16_t size = 1, int32_t back = -1) {
        auto t = std::make_shared<clsThing>();
        t->SetIndex(code);
        t->SetFigure(figure);
        t->SetName(name);
        t->SetPage(1);
        t->SetShowMode(1);
        t->SetFore(fore);
        t->SetBack(back);
        t->SetStyle(style);
        t->SetSize(size);
        unit.gThings->Add(t);
        return t;
    }

    static std::shared_ptr<clsPoly> Ring(int32_t west, int32_t south, int32_t east, int32_t north) {
        auto p = std::make_shared<clsPoly>();
        p->AddXY(west, south);
        p->AddXY(east, south);
        p->AddXY(east, north);
        p->AddXY(west, north);
        p->AddXY(west, south);
        return p;
    }

    // A closed ring of `corners` points round (x, y), `spread` apart along
    // x out and back, each corner moved by `step`: random areas that overlap.
    static std::shared_ptr<clsPoly> JaggedRing(std::mt19937& rng, std::uniform_int_distribution<int32_t>& step,
                                               int32_t x, int32_t y, int corners, int32_t spread) {
        auto ring = std::make_shared<clsPoly>();
        const int half = corners / 2;
        for (int k = 0; k < corners; ++k) ring->AddXY(x + step(rng) + (k < half ? k : corners - k) * spread, y + step(rng));
        ring->AddXY(ring->x(1), ring->y(1));
        return ring;
    }

    // A figure of type F for `thing` in `area`, completed by `fill`, then
    // appended to the unit (which refuses figures without their points).
    template <class F, class Fill>
    static std::shared_ptr<F> AddFigure(clsMapUnit& unit, int16_t thing, int16_t area, Fill fill) {
        auto f = std::make_shared<F>();
        f->SetThing(thing);
        f->SetAdmin(area);
        fill(*f);
        unit.gFigures->Add(f);
        return f;
    }
    static std::shared_ptr<clsMapPolygon> AddPolygon(clsMapUnit& unit, int16_t thing, int16_t area,
                                                     std::shared_ptr<clsPoly> ring) {
        return AddFigure<clsMapPolygon>(unit, thing, area, [&](clsMapPolygon& f) { f.SetPoly(ring); });
    }
    static std::shared_ptr<clsMapPolyline> AddLine(clsMapUnit& unit, int16_t thing, int16_t area, int32_t x1,
                                                   int32_t y1, int32_t x2, int32_t y2) {
        auto p = std::make_shared<clsPoly>();
        p->SetLine(x1, y1, x2, y2);
        return AddFigure<clsMapPolyline>(unit, thing, area, [&](clsMapPolyline& f) { f.SetPoly(p); });
    }
    static std::shared_ptr<clsMapSymbol> AddSymbol(clsMapUnit& unit, int16_t thing, int16_t area, int32_t x,
                                                   int32_t y) {
        return AddFigure<clsMapSymbol>(unit, thing, area, [&](clsMapSymbol& f) { f.Setmx(x), f.Setmy(y); });
    }
    static std::shared_ptr<clsMapText> AddText(clsMapUnit& unit, int16_t thing, int16_t area, int32_t x, int32_t y,
                                               const QString& text) {
        return AddFigure<clsMapText>(unit, thing, area, [&](clsMapText& f) {
            f.Setmx(x), f.Setmy(y);
            f.SetTextUnicode(1, text);
            f.SetTextUnicode(2, text);
        });
    }

private:
    TestFolder folder_;
    QImage image_;
    std::unique_ptr<DeviceContext> dc_;
    std::unique_ptr<clsMapGraph> graph_;
    clsMapGraph* oldGraph_ = nullptr;
    clsMapPlot* oldPlot_ = nullptr;
};
