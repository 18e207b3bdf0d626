// The graticule dialog (frmGrid): sliders, typed values and automatic spacing.
#include "DialogTestEnv.h"

#include "dialogs/frmGrid.h"
#include "render/clsGrid.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

namespace {

struct GridDialogTest : DialogTest {
    clsGrid grid;
    frmGrid d;

    void SetUp() override {
        DialogTest::SetUp();
        grid.SetWidth(36000);
        grid.SetHeight(36000);
        grid.SetNorthLimit(270000);
        grid.SetSouthLimit(-270000);
        d.mGrid = &grid;
        d.mGridEi = true;
        d.mGridAuto = false;
    }
};

} // namespace

TEST_F(GridDialogTest, SlidersSnapToHalfDegrees) {
    Run(d, [&] {
        const struct {
            int box;
            int minutes;
            int32_t stored;
        } rows[] = {
            {0, 44, 1800}, {0, 45, 3600}, {1, 0, 60}, {1, 14, 60}, {1, 15, 1800},
            {3, -5385, -324000}, {3, -5384, -322200}, {2, 300, 18000},
        };
        for (const auto& r : rows) {
            SCOPED_TRACE(r.minutes);
            d.sliGrid[size_t(r.box)]->setValue(r.minutes);
            EXPECT_EQ(d.Value(r.box), r.stored);
            EXPECT_EQ(d.sliGrid[size_t(r.box)]->value(), r.stored / 60);
        }
    });
    EXPECT_EQ(grid.Width(), 36000); // cancelled
}

TEST_F(GridDialogTest, TypedValuesAndTheirRanges) {
    Run(d, [&] {
        d.txtGrid[0]->setText(QStringLiteral("0"));
        EXPECT_FALSE(d.ValidateEntry(d.txtGrid[0]));
        EXPECT_EQ(LastRange(), QStringLiteral("0ﾟ01'～45ﾟ00'"));
        EXPECT_EQ(d.Value(0), 36000);
        d.txtGrid[2]->setText(QStringLiteral("4 59"));
        EXPECT_FALSE(d.ValidateEntry(d.txtGrid[2]));
        EXPECT_EQ(LastRange(), QStringLiteral("5ﾟ00'N～90ﾟ00'N"));
        d.txtGrid[3]->setText(QStringLiteral("-4"));
        EXPECT_FALSE(d.ValidateEntry(d.txtGrid[3]));
        EXPECT_EQ(LastRange(), QStringLiteral("5ﾟ00'S～90ﾟ00'S"));
        d.txtGrid[1]->setText(QStringLiteral("1 30 15"));
        EXPECT_TRUE(d.ValidateEntry(d.txtGrid[1]));
        EXPECT_EQ(d.Value(1), 5415);
        EXPECT_EQ(d.sliGrid[1]->value(), 90);
        d.cmdOK->click();
    });
    EXPECT_EQ(grid.Height(), 5415);
    EXPECT_EQ(grid.Width(), 36000);
    EXPECT_TRUE(grid.bZone && grid.bHorizontal && grid.bVertical);
}

TEST_F(GridDialogTest, AutomaticSpacingSpansPoleToPoleAndOffClearsTheLines) {
    EXPECT_TRUE(Run(d, [&] {
        d.chkGridAuto->click();
        for (QGroupBox* f : d.fraGrid) EXPECT_FALSE(f->isEnabled()) << f->title().toStdString();
        d.cmdOK->click();
    }));
    EXPECT_TRUE(d.mGridAuto);
    // 89ﾟ59'30": the settings keep the poles themselves off the grid.
    EXPECT_EQ(grid.NorthLimit(), 323970);
    EXPECT_EQ(grid.SouthLimit(), -323970);

    EXPECT_TRUE(Run(d, [&] {
        d.chkGridEi->click();
        EXPECT_FALSE(d.txtGrid[0]->isEnabled());
        d.cmdOK->click();
    }));
    EXPECT_FALSE(d.mGridEi);
    EXPECT_FALSE(grid.bZone || grid.bHorizontal || grid.bVertical);
}
