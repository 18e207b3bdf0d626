// The range dialog: the slider's selection from the two scales, the labels,
// the arrow buttons at the ends and the pointer on the slider.
#include "EditorTestEnv.h"

#include "core/Scale.h"

#include <QLabel>
#include <QPushButton>

namespace {

using Range = Opened<frmRange>;

void Open(Range& d, double small, double large)
{
    d.mSmall = small;
    d.mLarge = large;
    d.Load();
}

struct RangeDialog : EditorTest {};

TEST_F(RangeDialog, RangeSelectionFromScalesEitherOrderOrEqual) {
    for (const auto& [small, large] : {std::pair{1e7, 1e6}, std::pair{1e6, 1e7}}) {
        SCOPED_TRACE(small);
        Range d;
        d.mName = QStringLiteral("国境");
        Open(d, small, large);
        EXPECT_EQ(d.windowTitle(), QStringLiteral("可視縮尺範囲 - 国境"));
        EXPECT_EQ(d.sliRange->SelStart(), 14);
        EXPECT_EQ(d.sliRange->SelLength(), 13);
        EXPECT_EQ(d.lblLargeVal->text(), QStringLiteral("1/100万"));
        EXPECT_EQ(d.lblLargeStep->text(), QStringLiteral("ステップ：40"));
        EXPECT_EQ(d.lblSmallVal->text(), QStringLiteral("1/1000万"));
        EXPECT_EQ(d.lblSmallStep->text(), QStringLiteral("ステップ：27"));
        EXPECT_EQ(d.lblLevel[0]->text(), QStringLiteral("1/10億"));
        EXPECT_EQ(d.lblLevel[4]->text(), QStringLiteral("1/1000万"));
        EXPECT_EQ(d.lblLevel[8]->text(), QStringLiteral("1/10万"));
        d.cmdOK_Click();
        EXPECT_EQ(d.mSmall, 1e7);
        EXPECT_EQ(d.mLarge, 1e6);
    }
    Range d;
    Open(d, 999999, 999999); // equal, between two steps: taken up to 1/100万, step 40
    EXPECT_EQ(d.sliRange->SelStart(), 14);
    EXPECT_EQ(d.sliRange->SelLength(), 0);
    EXPECT_FALSE(d.cmdRange[1]->isEnabled());
    EXPECT_FALSE(d.cmdRange[2]->isEnabled());
    EXPECT_TRUE(d.cmdRange[0]->isEnabled());
    EXPECT_TRUE(d.cmdRange[3]->isEnabled());
    d.cmdOK_Click();
    EXPECT_EQ(d.mSmall, 1e6);
    EXPECT_EQ(d.mLarge, 1e6);
}

TEST_F(RangeDialog, RangeButtonsAtTheEnds) {
    Range d;
    Open(d, 1e9, 1e5); // the whole ladder
    EXPECT_EQ(d.sliRange->SelStart(), 1);
    EXPECT_EQ(d.sliRange->SelLength(), 52);
    EXPECT_FALSE(d.cmdRange[0]->isEnabled());
    EXPECT_FALSE(d.cmdRange[3]->isEnabled());
    d.cmdRange_Click(1); // large end one step smaller
    d.cmdRange_Click(2); // small end one step larger
    EXPECT_EQ(d.lblLargeStep->text(), QStringLiteral("ステップ：52"));
    EXPECT_EQ(d.lblSmallStep->text(), QStringLiteral("ステップ：2"));
    EXPECT_TRUE(d.cmdRange[0]->isEnabled());
    EXPECT_TRUE(d.cmdRange[3]->isEnabled());
    d.cmdOK_Click();
    EXPECT_EQ(d.mLarge, 1.2e5);
    EXPECT_EQ(d.mSmall, 8e8);
}

TEST_F(RangeDialog, RangePointerPlainAndShift) {
    Range d;
    Open(d, 1e7, 1e6);
    d.sliRange->setValue(20); // thumb at step 34
    d.sliRange_MouseDown(false);
    EXPECT_EQ(d.sliRange->SelStart(), 20);
    EXPECT_EQ(d.sliRange->SelLength(), 33); // down to step 1
    d.sliRange->setValue(30);
    d.sliRange_MouseDown(true);
    EXPECT_EQ(d.sliRange->SelLength(), 0);
    d.sliRange->setValue(25); // dragged upwards: the press end stays
    EXPECT_EQ(d.sliRange->SelStart(), 25);
    EXPECT_EQ(d.sliRange->SelLength(), 5);
    EXPECT_EQ(d.sliRange->toolTip(), QStringLiteral("1/") + Scale::StdScaleText(29));
    d.sliRange->setValue(35); // below the press end: nothing changes
    EXPECT_EQ(d.sliRange->SelStart(), 25);
    EXPECT_EQ(d.sliRange->SelLength(), 5);
    d.sliRange_MouseDown(false);
    d.sliRange->setValue(10);
    EXPECT_EQ(d.sliRange->SelLength(), 43);
}

} // namespace
