#include "app/SettingsCommands.h"

#include "app/MainView.h"
#include "app/PublicSetup.h"
#include "core/ErrorMng.h"
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

const QString kName = QStringLiteral("frmMain");

template <class Dialog> Dialog& Instance(std::unique_ptr<Dialog>& d, QWidget* parent) {
    if (!d) d = std::make_unique<Dialog>(parent);
    return *d;
}

} // namespace

SettingsCommands::SettingsCommands(QWidget* mainWindow, MainView& view) : main_(mainWindow), view_(view) {}

SettingsCommands::~SettingsCommands() = default;

void SettingsCommands::Guarded(const char* proc, const std::function<void()>& body) {
    try {
        body();
    } catch (...) {
        ErrorMng::StopError(ErrBase + 1003, kName, QString::fromLatin1(proc));
    }
}

void SettingsCommands::mnuVospProjection_Click() {
    Guarded("mnuVospProjection_Click", [this] {
        frmVospProjection& d = Instance(projection, main_);
        d.mPlot = gvMapPlot;
        d.PlaceFirst(main_, 1500, 600);
        d.ShowModal();
        d.mPlot = nullptr;
        if (d.mResult) {
            view_.controls->SetViewControllByEngine();
            view_.redraw.PlotWindow();
        }
    });
}

void SettingsCommands::mnuGrid_Click() {
    Guarded("mnuGrid_Click", [this] {
        frmGrid& d = Instance(grid, main_);
        clsMapPlot& p = *gvMapPlot;
        d.mGridEi = p.mGridEi;
        d.mGridAuto = p.mGridAuto;
        d.mGridOcean = p.mGridOcean;
        d.mGridString = p.mGridString;
        d.mGrid = &p.Grid();
        d.PlaceFirst(main_, 1500, 600);
        d.ShowModal();
        d.mGrid = nullptr;
        if (d.mResult) {
            p.mGridEi = d.mGridEi;
            p.mGridAuto = d.mGridAuto;
            p.mGridOcean = d.mGridOcean;
            p.mGridString = d.mGridString;
            view_.redraw.PlotWindow();
        }
    });
}

void SettingsCommands::mnuAccessory_Click() {
    Guarded("mnuAccessory_Click", [this] {
        frmAccessory& d = Instance(accessory, main_);
        d.mAcsObj = gvAccessory;
        d.mAcsEi = gvMapPlot->mAcsEi;
        d.PlaceFirst(main_, 1500, 600);
        d.ShowModal();
        d.mAcsObj = nullptr;
        if (d.mResult) {
            gvMapPlot->mAcsEi = d.mAcsEi;
            view_.redraw.PlotWindow();
        }
    });
}

void SettingsCommands::mnuEnvironment_Click() {
    Guarded("mnuEnvironment_Click", [this] {
        frmEnvironment& d = Instance(environment, main_);
        d.mCruise = gvCruise;
        d.mPlot = gvMapPlot;
        d.PlaceFirst(main_, 3000, 600);
        d.ShowModal();
        d.mCruise = nullptr;
        d.mPlot = nullptr;
        view_.redraw.PlotWindow();
    });
}

void SettingsCommands::mnuMapSize_Click() {
    Guarded("mnuMapSize_Click", [this] {
        frmMapSize& d = Instance(mapSize, main_);
        d.mView = gvView;
        d.PlaceFirst(main_, 600, 600);
        d.ShowModal();
        d.mView = nullptr;
        if (d.mResult) {
            view_.redraw.bHoldRedraw = true;
            view_.controls->ResizeFormByView();
            view_.redraw.bHoldRedraw = false;
            view_.redraw.PlotWindow();
        }
    });
}

void SettingsCommands::mnuCruiseSet_Click() {
    Guarded("mnuCruiseSet_Click", [this] {
        if (!cruiseAsked_) {
            cruiseAsked_ = true;
            if (gvCruise->GetStdMapCount() < 2 &&
                Library::MsgYesNo(QStringLiteral("添付地図ファイルしかインストールされていないようです.\r\n"
                                                 "作者Webサイトから地図ファイルをダウンロードしますか？")) &&
                ApiLib::ShellOpen(AuthorURLmap()))
                return;
        }
        frmCruise05& d = Instance(cruise, main_);
        d.mCruise = gvCruise;
        d.mUnits = gvMapUnits;
        d.mPlot = gvMapPlot;
        d.PlaceFirst(main_, 600, 600);
        d.ShowModal();
        d.mCruise = nullptr;
        d.mUnits = nullptr;
        d.mPlot = nullptr;
        if (d.mResult == 2 || gvCruise->mEiAuto) view_.redraw.PlotWindow();
    });
}
