// The accessory command of the main window with its dialog.
#include "AppFixture.h"

#include "app/MainView.h"
#include "app/SettingsCommands.h"
#include "dialogs/frmAccessory.h"
#include "render/clsMapPlot.h"
#include "support/WhenModal.h"

#include <QCheckBox>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

using namespace PublicVal;

namespace {

class AccessoryCommandTest : public AppFixture {};

} // namespace

// 表示許可 ticked or cleared in the accessory dialog switches the drawing
// of accessories with OK, not with Cancel.
TEST_F(AccessoryCommandTest, AccessorySwitchReachesThePlotEngineWithOk) {
    ASSERT_EQ(gvInitialize(), 0);
    QMainWindow form;
    MainView view(&form, form.menuBar()->addMenu(QStringLiteral("ファイル(&F)")));
    SettingsCommands commands(&form, view);
    int redraws = 0;
    view.redraw.mPlot = gvMapPlot;
    view.redraw.mUnits = gvMapUnits;
    view.redraw.mGraph = gvMapGraph;
    view.redraw.AutoCruise = [&] { ++redraws; };
    for (const bool on : {false, true}) {
        SCOPED_TRACE(on);
        gvMapPlot->SetAcsEi(on);
        for (const bool ok : {false, true}) {
            WhenModal([&](QWidget* w) {
                auto* d = static_cast<frmAccessory*>(w);
                EXPECT_EQ(d->chkAcsEi->isChecked(), on);
                d->chkAcsEi->click();
                (ok ? d->cmdOK : d->cmdCancel)->click();
            });
            commands.mnuAccessory_Click();
            EXPECT_EQ(gvMapPlot->Options().mAcsEi, ok ? !on : on) << (ok ? "OK" : "Cancel");
        }
    }
    EXPECT_EQ(redraws, 2); // after each OK
}
