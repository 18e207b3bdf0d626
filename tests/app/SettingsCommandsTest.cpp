#include "AppFixture.h"

#include "app/MainView.h"
#include "app/SettingsCommands.h"
#include "dialogs/frmCruise05.h"
#include "support/WhenModal.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

using namespace PublicVal;

namespace {

class SettingsCommandsTest : public AppFixture {};

} // namespace

// With no standard map installed the download question comes at the first
// use in a run only; "No" goes on to the dialog.
TEST_F(SettingsCommandsTest, DownloadQuestionOncePerRunAndRedrawsAfterCancel) {
    ASSERT_EQ(gvInitialize(), 0);
    QMainWindow form;
    MainView view(&form, form.menuBar()->addMenu(QStringLiteral("ファイル(&F)")));
    SettingsCommands commands(&form, view);
    const QString question = QStringLiteral("添付地図ファイルしかインストールされていないようです.\r\n"
                                            "作者Webサイトから地図ファイルをダウンロードしますか？");
    int shown = 0;
    for (int run = 0; run < 2; ++run) {
        scripted.ui.answers = {Mb::No};
        WhenModal([&](QWidget* w) {
            ++shown;
            static_cast<frmCruise05*>(w)->CancelButton()->click();
        });
        commands.mnuCruiseSet_Click();
    }
    EXPECT_EQ(shown, 2);
    int asked = 0;
    for (const auto& m : scripted.ui.messages) asked += m.text == question;
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(commands.cruise->mResult, 0);

    // Cancel redraws after the environment dialog only.
    int redraws = 0;
    view.redraw.mPlot = gvMapPlot;
    view.redraw.mUnits = gvMapUnits;
    view.redraw.mGraph = gvMapGraph;
    view.redraw.AutoCruise = [&] { ++redraws; };
    for (auto open : {&SettingsCommands::mnuVospProjection_Click, &SettingsCommands::mnuGrid_Click,
                      &SettingsCommands::mnuAccessory_Click, &SettingsCommands::mnuMapSize_Click,
                      &SettingsCommands::mnuEnvironment_Click}) {
        WhenModal([](QWidget* w) { static_cast<DialogFrame*>(w)->CancelButton()->click(); });
        (commands.*open)();
    }
    EXPECT_EQ(redraws, 1);
}
