#pragma once
// The pieces of the main window's view laid out in a window of their own,
// drawn by the plot engine of a PlotWorld, with the redraws counted.
#include "app/FileCommands.h"
#include "app/MapPicture.h"
#include "app/ViewControls.h"
#include "app/ViewRedraw.h"
#include "core/Library.h"
#include "document/HMapCoord.h"
#include "support/PlotWorld.h"

#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSlider>
#include <QStatusBar>

constexpr int32_t kBackground = 0x00FF00; // 0x00BBGGRR
constexpr int32_t kOcean = 0xFF0000;
constexpr int32_t kLand = 0x00FFFF;

// Scale at which the equirectangular view shows `ppd` pixels per degree at 96 dpi.
inline double ScaleForPixelsPerDegree(double ppd) {
    return 96 * 1000.0 / 25.4 * (MapProjection::GlobeRadius * 4.848136811095355e-6) * 3600 / ppd;
}

struct MainHarness {
    PlotWorld world{400, 300};
    QMainWindow form;
    QWidget* inner = new QWidget;
    MapPicture* picView = new MapPicture(inner);
    MapPicture* picMeasure = new MapPicture(inner);
    QScrollBar* hsb = new QScrollBar(Qt::Horizontal, inner);
    QScrollBar* vsb = new QScrollBar(Qt::Vertical, inner);
    QWidget* picScale = new QWidget(inner);
    QSlider* sli = new QSlider(Qt::Horizontal, picScale);
    QWidget* picViewArea = new QWidget(inner);
    QMenu* mnuFile = nullptr;
    QMenu* mnuView = nullptr;
    ViewRedraw redraw;
    std::unique_ptr<ViewControls> controls;
    std::unique_ptr<FileCommands> files;
    int redraws = 0; // drawings that passed the guard

    MainHarness() {
        form.setCentralWidget(inner);
        picMeasure->setGeometry(0, 0, 200, 24);
        picMeasure->SetFollowSize(true);
        picViewArea->setGeometry(210, 0, 40, 24);
        picScale->setGeometry(260, 0, 160, 24);
        sli->setGeometry(0, 0, 160, 24);
        picView->move(0, 28);
        picView->ResizePicture(400, 300);
        vsb->setGeometry(400, 28, 16, 300);
        hsb->setGeometry(0, 328, 400, 16);
        std::array<QLabel*, 4> panels{};
        for (auto& p : panels) {
            p = new QLabel;
            form.statusBar()->addWidget(p);
        }
        mnuFile = form.menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
        mnuView = form.menuBar()->addMenu(QStringLiteral("表示(&V)"));

        redraw.mPlot = world.plot.get();
        redraw.mUnits = &world.units;
        redraw.mGraph = &world.graph();
        redraw.mForm = &form;
        redraw.picView = picView;
        redraw.picMeasure = picMeasure;
        redraw.stbPanels = panels;
        redraw.mLockWidgets = {sli, hsb, vsb};
        redraw.mLockMenus = {mnuFile->menuAction(), mnuView->menuAction()};
        redraw.AutoCruise = [this] { ++redraws; };
        redraw.YieldEvents = [] {};
        controls = std::make_unique<ViewControls>(redraw, hsb, vsb, sli);
        controls->mForm = &form;
        controls->mInner = inner;
        controls->picScale = picScale;
        controls->picViewArea = picViewArea;
        controls->picMeasure = picMeasure;
        controls->YieldEvents = [] {};
        redraw.SetScrollChange = [this] { controls->SetScrollChange(); };
        files = std::make_unique<FileCommands>(redraw, *controls);
        files->BuildFileMenu(mnuFile);
        picView->FilesDropped = [this](const QStringList& p) { files->picView_OLEDragDrop(p); };
        form.resize(440, 420);

        // Green background, blue ocean in the base unit.
        PlotWorld::AddThing(*world.base, 1, 3, QStringLiteral("背景"), kBackground, 8);
        PlotWorld::AddThing(*world.base, 2, 3, QStringLiteral("海洋"), kOcean, 8);
        clsMapPlot& p = *world.plot;
        p.mProjectionAuto = false;
        p.mGridEi = false;
        p.SetProjectionIndex(12);
        p.SetCenterX(0);
        p.SetCenterY(0);
        p.SetMapScale(ScaleForPixelsPerDegree(2));
        controls->SetScrollRange();
    }

    QString Panel(int i) const { return redraw.StatusText(i); }
    QStringList Messages() const {
        QStringList m;
        for (const auto& msg : world.ui.ui.messages) m << msg.text;
        return m;
    }
};
