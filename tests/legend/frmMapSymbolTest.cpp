// The map-symbol dialog around its working copies: preview swaps the lists
// in and back, OK hands them over, Cancel and the close box write nothing,
// the switches outlive the opening, and the Modify rule of OK.
#include "SymbolTestEnv.h"

#include "legend/frmMapSymbol.h"
#include "platform/MouseWheel.h"
#include "support/WhenModal.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>

namespace {

struct DialogTest : GuiFirst, SymbolTest {
    frmMapSymbol dlg;
    int plots = 0;
    bool cruise = true;

    void SetUp() override
    {
        SymbolTest::SetUp();
        dlg.PlotWindow = [this] {
            ++plots;
        };
        dlg.CruiseAuto = [this] { return cruise; };
        dlg.SetCruiseAuto = [this](bool on) { cruise = on; };
    }
    // Opens the dialog, runs `act` on it while shown, returns mResult.
    bool Open(const std::function<void()>& act)
    {
        WhenModal([act](QWidget*) { act(); });
        dlg.mMapUnits = &units;
        const bool ok = dlg.ShowModal();
        EXPECT_EQ(dlg.mMapUnits, nullptr);
        return ok;
    }
};

TEST_F(DialogTest, PreviewLendsTheWorkingListsForOneRedraw) {
    const auto own1 = Own(1), own2 = Own(2);
    Open([&] {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("地図記号 - WORLD.THG"));
        EXPECT_TRUE(MouseWheel::Hooked().contains(dlg.flgThings));
        bool autoDuring = true;
        std::vector<std::shared_ptr<clsThings>> seen;
        dlg.PlotWindow = [&] {
            seen = {Own(1), Own(2)};
            autoDuring = cruise;
        };
        dlg.ExePreview();
        EXPECT_EQ(seen[0], dlg.Work().WorkThings(1));
        EXPECT_EQ(seen[1], dlg.Work().WorkThings(2));
        EXPECT_FALSE(autoDuring);
        EXPECT_TRUE(cruise);
        EXPECT_EQ(Own(1), own1);
        EXPECT_EQ(Own(2), own2);
        // A failing redraw still gives every unit its own lists back.
        dlg.PlotWindow = [] { throw std::runtime_error("draw"); };
        EXPECT_ANY_THROW(dlg.ExePreview());
        EXPECT_EQ(Own(1), own1);
        EXPECT_TRUE(cruise);
        EXPECT_TRUE(dlg.isEnabled());
        dlg.PlotWindow = [] {};
        dlg.CancelButton()->click();
    });
    EXPECT_FALSE(MouseWheel::Hooked().contains(dlg.flgThings));
}

TEST_F(DialogTest, OkHandsOverTheListsAndTheChosenUnit) {
    units.Item(2)->gThings->SetModify(true); // an unsaved edit before opening
    std::shared_ptr<clsThings> w1, w2;
    EXPECT_TRUE(Open([&] {
        dlg.choMap->setCurrentIndex(0);
        dlg.choMap_Click();
        w1 = dlg.Work().WorkThings(1);
        w2 = dlg.Work().WorkThings(2);
        dlg.OkButton()->click();
    }));
    EXPECT_EQ(units.Index(), 1);
    EXPECT_EQ(Own(1), w1);
    EXPECT_EQ(Own(2), w2);
    EXPECT_FALSE(Own(1)->Modify());
    EXPECT_TRUE(Own(2)->Modify()); // its save prompt survives
    EXPECT_EQ(dlg.Work().mUnitCount, 0); // released at unloading
}

TEST_F(DialogTest, CancelAndTheCloseBoxWriteNothing) {
    const auto own2 = Own(2);
    EXPECT_FALSE(Open([&] {
        dlg.Work().Things()->Item(1)->SetFore(1);
        dlg.CancelButton()->click();
    }));
    EXPECT_FALSE(Open([&] {
        dlg.choMap->setCurrentIndex(0);
        dlg.choMap_Click();
        QCloseEvent e;
        QApplication::sendEvent(&dlg, &e);
        dlg.close();
    }));
    EXPECT_EQ(Own(2), own2);
    EXPECT_EQ(Own(2)->Item(1)->Fore(), 0x80);
    EXPECT_EQ(units.Index(), 2);
    EXPECT_EQ(plots, 2); // preview on: each unloading redraws
}

TEST_F(DialogTest, SwitchesOutliveTheOpening) {
    Open([&] {
        EXPECT_TRUE(dlg.chkPageSync->isChecked());
        dlg.chkDispAll->click();
        dlg.chkPreview->click();
        dlg.choPage->setCurrentIndex(1);
        dlg.choPage_Click(); // page 2 turns page sync off
        dlg.tbsExp->setCurrentIndex(0); // as its access key does
        EXPECT_EQ(dlg.fraTab->currentIndex(), 0);
        dlg.CancelButton()->click();
    });
    Open([&] {
        EXPECT_TRUE(dlg.chkDispAll->isChecked());
        EXPECT_FALSE(dlg.chkPreview->isChecked());
        EXPECT_FALSE(dlg.chkPageSync->isChecked());
        EXPECT_EQ(dlg.choPage->currentIndex(), 1);
        EXPECT_EQ(dlg.tbsExp->currentIndex(), 0);
        EXPECT_EQ(dlg.flgThings->Rows(), 10); // every thing listed
        dlg.choPage->setCurrentIndex(0);
        dlg.choPage_Click(); // page 1 leaves page sync as it is
        EXPECT_FALSE(dlg.Switches().mPageSync);
        dlg.CancelButton()->click();
    });
    EXPECT_EQ(plots, 1); // preview off: only the switch's own redraw
}

} // namespace
