#pragma once
// The pieces of the main window's view laid out in a window of their own,
// drawn by the plot engine of a PlotWorld, with the redraws counted.
#include "app/FileCommands.h"
#include "app/MapPicture.h"
#include "app/ViewControls.h"
#include "app/ViewRedraw.h"
#include "core/Library.h"
#include "document/HMapCoord.h"
#include "render/clsAccessory.h"
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

// A menu's captions joined by "|", separators as "-".
inline QString Captions(const QWidget* menu) {
    QStringList c;
    for (const QAction* a : menu->actions()) c << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return c.join(QLatin1Char('|'));
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
        world.plot->mGridEi = false;
        world.View(12, 0, 0, 2);
        controls->SetScrollRange();
    }

    QString Panel(int i) const { return redraw.StatusText(i); }
    // Every control the drawing holds back is usable again.
    bool Unlocked() const {
        return hsb->isEnabled() && vsb->isEnabled() && sli->isEnabled() && mnuFile->menuAction()->isEnabled() &&
               mnuView->menuAction()->isEnabled();
    }
    // The accessory band with a title in it at the top of the picture,
    // reserved only while accessories are `on`.
    void UseTitleBand(clsAccessory& acc, bool on) {
        acc.SetGraph(&world.graph());
        acc.SetIndex(1); // the band
        acc.SetUse(true);
        acc.SetIndex(4); // a title in it
        acc.SetUse(true);
        acc.SetText(QStringLiteral("TITLE"));
        acc.SetPosition(0);
        redraw.mAccessory = &acc;
        world.plot->mAcsEi = on;
    }
    QStringList Messages() const {
        QStringList m;
        for (const auto& msg : world.ui.ui.messages) m << msg.text;
        return m;
    }
};
