#include "support/CruiseTestEnv.h"

#include "dialogs/frmCruise05.h"
#include "core/Scale.h"
#include "render/clsMapPlot.h"
#include "support/GuiApp.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>

TEST(CruiseDialogEnabling, FromTheStandardMapsPresent) {
    const struct {
        const char* name;
        int32_t mask;
        bool political, topographic, ocean, traffic, autoCruise;
    } rows[] = {
        {"none", 0, false, false, false, false, false},
        {"political 1..6", 0x7E, true, false, false, false, true},
        {"political 1..5", 0x3E, true, false, false, false, false},
        {"topographic 1..4", 0x780, false, true, false, false, true},
        {"country political 7 and 8", 0x180000, true, false, false, false, true},
        {"country political 7 only", 0x80000, true, false, false, false, false},
        {"sea floor", 0x1, false, false, true, false, false},
        {"traffic 1", 0x2000, false, false, false, true, false},
        {"country topographic 7", 0x200000, false, true, false, false, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const frmCruise05::Enabling e = frmCruise05::EnablingOf(r.mask);
        EXPECT_EQ(e.political, r.political);
        EXPECT_EQ(e.topographic, r.topographic);
        EXPECT_EQ(e.ocean, r.ocean);
        EXPECT_EQ(e.traffic, r.traffic);
        EXPECT_EQ(e.autoCruise, r.autoCruise);
    }
}

namespace {

struct CruiseDialogTest : CruiseTest {
    ScopedSettingsHome home;
    std::unique_ptr<frmCruise05> d;
    clsMapPlot plot;

    void SetUp() override {
        EnsureGuiApp();
        CruiseTest::SetUp();
        d = std::make_unique<frmCruise05>();
        d->mCruise = &cruise;
        d->mUnits = &units;
        d->mPlot = &plot;
    }
    void TearDown() override {
        d.reset();
        CruiseTest::TearDown();
    }
    void Run(const std::function<void()>& act) {
        QTimer::singleShot(0, d.get(), [this, act] {
            act();
            if (d->isVisible()) d->reject();
        });
        d->ShowModal();
    }
};

} // namespace

TEST_F(CruiseDialogTest, BordersAreTypedOrSlidAndDefaultsWaitForOk) {
    StandardList();
    cruise.SetBorderScale(3, 3e7);
    Run([&] {
        EXPECT_EQ(d->lblNumerator[0]->text(), QStringLiteral("-------       1 /  1,000,000,000"));
        EXPECT_EQ(d->lblNumerator[8]->text(), QStringLiteral("-------       1 /  100,000"));
        EXPECT_EQ(d->txtScale[3]->text(), QStringLiteral("30,000,000"));
        // A typed value keeps its text and moves the slider only.
        d->txtScale[2]->setText(QStringLiteral("四千万"));
        EXPECT_TRUE(d->ValidateEntry(d->txtScale[2]));
        EXPECT_EQ(d->txtScale[2]->text(), QStringLiteral("四千万"));
        EXPECT_EQ(d->sliScale[2]->value(), Scale::StdScaleIndex(4e7));
        // Off the ladder: the slider's value comes back.
        d->sliScale[1]->setValue(1);
        EXPECT_EQ(d->txtScale[1]->text(), QStringLiteral("1,000,000,000"));
        d->txtScale[1]->setText(QStringLiteral("5"));
        EXPECT_FALSE(d->ValidateEntry(d->txtScale[1]));
        EXPECT_EQ(d->txtScale[1]->text(), QStringLiteral("1,000,000,000"));
        d->cmdDefScale->click();
        EXPECT_EQ(d->txtScale[3]->text(), QStringLiteral("20,000,000"));
        d->cmdCancel->click();
    });
    EXPECT_EQ(d->mResult, 0);
    EXPECT_EQ(cruise.BorderScale(3), 3e7);

    d->mCruise = &cruise;
    Run([&] {
        d->cmdDefScale->click();
        EXPECT_FALSE(d->optType[1]->isEnabled()); // no topographic map present
        d->chkReplace->click();
        d->cmdOK->click();
    });
    EXPECT_EQ(d->mResult, 1);
    EXPECT_EQ(cruise.BorderScale(3), 2e7);
    EXPECT_FALSE(cruise.mEiReplace);
}

TEST_F(CruiseDialogTest, RunTakesTheSettingsAndCruisesOnce) {
    StandardList();
    WriteGrid();
    Present({QStringLiteral("P1.MLL"), QStringLiteral("T1.MLL")});
    plot.SetMapScale(1e9);
    Run([&] {
        EXPECT_TRUE(d->optType[0]->isEnabled());
        EXPECT_FALSE(d->chkAuto->isEnabled());
        d->optType[1]->click();
        d->cmdExe->click();
    });
    EXPECT_EQ(d->mResult, 2);
    EXPECT_TRUE(cruise.mEiTopo);
    EXPECT_EQ(loaded, QStringList{QStringLiteral("T1.MLL")});
    EXPECT_TRUE(ui.ui.pointerHistory.contains(MousePtr::Hourglass));
    EXPECT_EQ(ui.ui.pointer, 0);
}
