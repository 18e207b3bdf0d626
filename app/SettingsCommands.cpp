#include "app/SettingsCommands.h"

#include "app/MainGuard.h"
#include "app/MainView.h"
#include "app/PublicSetup.h"
#include "core/Library.h"
#include "cruise/clsCruise05.h"
#include "dialogs/frmAccessory.h"
#include "dialogs/frmCruise05.h"
#include "dialogs/frmEnvironment.h"
#include "dialogs/frmGrid.h"
#include "dialogs/frmMapSize.h"
#include "dialogs/frmVospProjection.h"
#include "platform/ApiLib.h"
#include "render/clsMapPlot.h"

using namespace PublicVal;

namespace {

// Takes the dialog's single instance (made at first use), lends it what it
// edits (lend(d, true)), places it at its first opening, shows it modally
// and takes back what was lent (lend(d, false)).
template <class Dialog, class Lend> Dialog& ShowSingle(std::unique_ptr<Dialog>& d, QWidget* main, int32_t dx, Lend lend) {
    if (!d) d = std::make_unique<Dialog>(main);
    lend(*d, true);
    d->PlaceFirst(main, dx, 600);
    d->ShowModal();
    lend(*d, false);
    return *d;
}

} // namespace

SettingsCommands::SettingsCommands(QWidget* mainWindow, MainView& view) : main_(mainWindow), view_(view) {}

SettingsCommands::~SettingsCommands() = default;

void SettingsCommands::mnuVospProjection_Click() {
    MainGuard::Guarded("mnuVospProjection_Click", [this] {
        const auto& d = ShowSingle(projection, main_, 1500,
                                   [](frmVospProjection& d, bool on) { d.mPlot = on ? gvMapPlot : nullptr; });
        if (d.mResult) {
            view_.controls->SetViewControllByEngine();
            view_.redraw.PlotWindow();
        }
    });
}

void SettingsCommands::mnuGrid_Click() {
    MainGuard::Guarded("mnuGrid_Click", [this] {
        clsMapPlot& p = *gvMapPlot;
        const auto& d = ShowSingle(grid, main_, 1500, [&p](frmGrid& d, bool on) {
            if (on) {
                d.mGridEi = p.Options().mGridEi;
                d.mGridAuto = p.Options().mGridAuto;
                d.mGridOcean = p.Options().mGridOcean;
                d.mGridString = p.Options().mGridString;
            }
            d.mGrid = on ? &p.Grid() : nullptr;
        });
        if (d.mResult) {
            p.SetGridEi(d.mGridEi);
            p.SetGridAuto(d.mGridAuto);
            p.SetGridOcean(d.mGridOcean);
            p.SetGridString(d.mGridString);
            view_.redraw.PlotWindow();
        }
    });
}

void SettingsCommands::mnuAccessory_Click() {
    MainGuard::Guarded("mnuAccessory_Click", [this] {
        const auto& d = ShowSingle(accessory, main_, 1500, [](frmAccessory& d, bool on) {
            if (on) d.mAcsEi = gvMapPlot->Options().mAcsEi;
            d.mAcsObj = on ? gvAccessory : nullptr;
        });
        if (d.mResult) {
            gvMapPlot->SetAcsEi(d.mAcsEi);
            view_.redraw.PlotWindow();
        }
    });
}

void SettingsCommands::mnuEnvironment_Click() {
    MainGuard::Guarded("mnuEnvironment_Click", [this] {
        ShowSingle(environment, main_, 3000, [](frmEnvironment& d, bool on) {
            d.mCruise = on ? gvCruise : nullptr;
            d.mPlot = on ? gvMapPlot : nullptr;
        });
        view_.redraw.PlotWindow();
    });
}

void SettingsCommands::mnuMapSize_Click() {
    MainGuard::Guarded("mnuMapSize_Click", [this] {
        const auto& d = ShowSingle(mapSize, main_, 600, [](frmMapSize& d, bool on) { d.mView = on ? gvView : nullptr; });
        if (d.mResult) {
            view_.redraw.bHoldRedraw = true;
            view_.controls->ResizeFormByView();
            view_.redraw.bHoldRedraw = false;
            view_.redraw.PlotWindow();
        }
    });
}

void SettingsCommands::mnuCruiseSet_Click() {
    MainGuard::Guarded("mnuCruiseSet_Click", [this] {
        if (!cruiseAsked_) {
            cruiseAsked_ = true;
            // Without a download page there is nothing to offer.
            if (gvCruise->GetStdMapCount() < 2 && !AuthorURLmap().isEmpty() &&
                Library::MsgYesNo(QStringLiteral("添付地図ファイルしかインストールされていないようです.\r\n"
                                                 "作者Webサイトから地図ファイルをダウンロードしますか？")) &&
                ApiLib::ShellOpen(AuthorURLmap()))
                return;
        }
        const auto& d = ShowSingle(cruise, main_, 600, [](frmCruise05& d, bool on) {
            d.mCruise = on ? gvCruise : nullptr;
            d.mUnits = on ? gvMapUnits : nullptr;
            d.mPlot = on ? gvMapPlot : nullptr;
        });
        if (d.mResult == 2 || gvCruise->mEiAuto) view_.redraw.PlotWindow();
    });
}
