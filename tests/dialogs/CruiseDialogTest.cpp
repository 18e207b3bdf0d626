// The cruise dialog (frmCruise05): its enabling, borders and the cruise it runs.
#include "DialogTestEnv.h"
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

TEST(CruiseDialogEnabling, FromTheStandardMapsPresent) {
    // P political, T topographic, O ocean, R traffic, A automatic cruise.
    const struct {
        const char* name;
        int32_t mask;
        std::string enabled;
    } rows[] = {
        {"none", 0, "....."},
        {"political 1..6", 0x7E, "P...A"},
        {"political 1..5", 0x3E, "P...."},
        {"topographic 1..4", 0x780, ".T..A"},
        {"country political 7 and 8", 0x180000, "P...A"},
        {"country political 7 only", 0x80000, "P...."},
        {"sea floor", 0x1, "..O.."},
        {"traffic 1", 0x2000, "...R."},
        {"country topographic 7", 0x200000, ".T..."},
    };
    for (const auto& r : rows) {
        const frmCruise05::Enabling e = frmCruise05::EnablingOf(r.mask);
        const std::string got{e.political ? 'P' : '.', e.topographic ? 'T' : '.', e.ocean ? 'O' : '.',
                              e.traffic ? 'R' : '.', e.autoCruise ? 'A' : '.'};
        EXPECT_EQ(got, r.enabled) << r.name;
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
};

} // namespace

TEST_F(CruiseDialogTest, BordersAreTypedOrSlidAndDefaultsWaitForOk) {
    StandardList();
    cruise.SetBorderScale(3, 3e7);
    DialogTest::Run(*d, [&] {
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
    DialogTest::Run(*d, [&] {
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
    DialogTest::Run(*d, [&] {
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
