#pragma once
// The main window's view in a window of its own, drawn by the plot engine of
// a PlotWorld on a picture of 400 x 300 pixels, with the redraws counted.
// It is laid out only when a test asks.
#include "app/MainView.h"
#include "core/AngleLib.h"
#include "render/clsAccessory.h"
#include "support/PlotWorld.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSlider>

constexpr int32_t kBackground = 0x00FF00; // 0x00BBGGRR
constexpr int32_t kOcean = 0xFF0000;

// A menu's captions joined by "|", separators as "-".
inline QString Captions(const QWidget* menu) {
    QStringList c;
    for (const QAction* a : menu->actions()) c << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return c.join(QLatin1Char('|'));
}

struct MainHarness {
    PlotWorld world{400, 300};
    QMainWindow form;
    QMenu* mnuFile = form.menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    QMenu* mnuView = form.menuBar()->addMenu(QStringLiteral("表示(&V)"));
    MainView view{&form, mnuFile};
    ViewRedraw& redraw = view.redraw;
    std::unique_ptr<ViewControls>& controls = view.controls;
    std::unique_ptr<FileCommands>& files = view.files;
    QWidget* inner = view.inner;
    MapPicture* picView = view.picView;
    MapPicture* picMeasure = view.picMeasure;
    QWidget* picScale = view.picScale;
    QScrollBar* hsb = view.hsbView;
    QScrollBar* vsb = view.vsbView;
    QSlider* sli = view.sliScale;
    int redraws = 0; // drawings that passed the guard

    MainHarness() {
        inner->removeEventFilter(&view);
        picView->PixelRatioChanged = nullptr;
        form.setMinimumSize(0, 0);
        picView->ResizePicture(400, 300);
        vsb->setGeometry(400, 28, 16, 300);
        hsb->setGeometry(0, 328, 400, 16);
        form.resize(440, 420);
        redraw.mPlot = world.plot.get();
        redraw.mUnits = &world.units;
        redraw.mGraph = &world.graph();
        redraw.AutoCruise = [this] { ++redraws; };
        redraw.YieldEvents = controls->YieldEvents = [] {};

        // Green background, blue ocean in the base unit.
        PlotWorld::AddThing(*world.base, 1, 3, QStringLiteral("背景"), kBackground, 8);
        PlotWorld::AddThing(*world.base, 2, 3, QStringLiteral("海洋"), kOcean, 8);
        world.plot->SetGridEi(false);
        world.View(12, 0, 0, 2);
        // The angle texts of a start without stored settings, whatever ran before.
        AngleLib::SetAngleFormat(1);
        AngleLib::SetAngleUnit(4);
        AngleLib::SetAngleDir(3);
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
        world.plot->SetAcsEi(on);
    }
    QStringList Messages() const {
        QStringList m;
        for (const auto& msg : world.ui.ui.messages) m << msg.text;
        return m;
    }
};
