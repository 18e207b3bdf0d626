// The projection dialog (frmVospProjection): filters, ranges, OK and reopening.
#include "DialogTestEnv.h"

#include "core/AngleLib.h"
#include "core/Library.h"
#include "dialogs/frmVospProjection.h"
#include "render/clsMapPlot.h"
#include "support/WhenModal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QThread>
#include <functional>

namespace {

struct ProjectionDialogTest : DialogTest {
    clsMapPlot plot;
    frmVospProjection d;

    void SetUp() override {
        DialogTest::SetUp();
        plot.SetProjectionAuto(false);
        plot.SetProjectionIndex(12);
        plot.SetCenterX(0);
        plot.SetCenterY(0);
        plot.SetMapScale(1e8);
        plot.SetLight(2);
        d.mPlot = &plot;
    }
    QStringList Listed() const {
        QStringList l;
        for (int i = 0; i < d.choPrjList->count(); ++i) l << d.choPrjList->itemText(i);
        return l;
    }
};

} // namespace

// Property words worked out by hand from the catalogue: distance true in 6,
// 12, 16, 23, 26; area true in 7, 8, 15, 16, 17, 19, 20, 24, 26; high
// latitudes 13 projections, low 13, either 22; circular outline 1..7.
TEST_F(ProjectionDialogTest, FilterAnyAreaAllPropertiesAnyShape) {
    Run(d, [&] {
        EXPECT_EQ(d.SelectedTab(), 1);
        EXPECT_EQ(d.lblPrjList->text(), QStringLiteral("図法(&L): [25/25]"));
        EXPECT_EQ(d.choPrjList->currentText(), QStringLiteral("正距円筒図法"));
        const struct {
            const char* name;
            std::vector<QCheckBox*> boxes;
            int count;
            QString first;
        } rows[] = {
            {"high or low latitudes", {d.chkArea[2], d.chkArea[4]}, 22, QStringLiteral("心射方位図法")},
            {"circular", {d.chkForm[0]}, 7, QStringLiteral("心射方位図法")},
            {"whole world", {d.chkArea[0]}, 13, QStringLiteral("正距方位図法")},
            {"distance and area", {d.chkRight[0], d.chkRight[1]}, 2, QStringLiteral("サンソン図法")},
        };
        for (const auto& r : rows) {
            SCOPED_TRACE(r.name);
            d.cmdPrjReset->click();
            EXPECT_EQ(d.FilterMask(), 0);
            EXPECT_EQ(d.choPrjList->count(), 25);
            for (QCheckBox* c : r.boxes) c->click();
            EXPECT_EQ(d.lblPrjList->text(), QStringLiteral("図法(&L): [%1/25]").arg(r.count));
            EXPECT_EQ(d.choPrjList->count(), r.count);
            EXPECT_EQ(d.choPrjList->itemText(0), r.first);
        }
        EXPECT_EQ(Listed(), QStringList({QStringLiteral("サンソン図法"), QStringLiteral("ボンヌ図法")}));
        // Equirectangular is not listed: the first listed one takes over.
        EXPECT_EQ(d.WorkingIndex(), 16);
        d.chkRight[2]->click();
        EXPECT_EQ(d.lblPrjList->text(), QStringLiteral("図法(&L): [0/25]"));
        EXPECT_EQ(Listed(), QStringList{QStringLiteral("該当する図法は存在しません.")});
        emit d.choPrjList->activated(0);
        EXPECT_EQ(d.WorkingIndex(), 16);
        EXPECT_EQ(d.FilterMask(), 0x70000);
        d.tbsProjection->setCurrentIndex(0);
        EXPECT_EQ(d.SelectedTab(), 0);
    });
    EXPECT_EQ(plot.ProjectionIndex(), 12); // cancelled
    // The tab and the filter last to the next opening.
    d.mPlot = &plot;
    Run(d, [&] {
        EXPECT_EQ(d.tbsProjection->currentIndex(), 0);
        EXPECT_TRUE(d.chkRight[2]->isChecked());
        EXPECT_EQ(d.lblPrjList->text(), QStringLiteral("図法(&L): [0/25]"));
    });
}

TEST_F(ProjectionDialogTest, OkWritesTheWorkingValuesAndAutoDisablesThePage) {
    EXPECT_TRUE(Run(d, [&] {
        d.txtLon->setText(QStringLiteral("東経135度"));
        EXPECT_TRUE(d.ValidateEntry(d.txtLon));
        d.txtScale->setText(QStringLiteral("五千万"));
        EXPECT_TRUE(d.ValidateEntry(d.txtScale));
        EXPECT_EQ(d.txtScale->text(), QStringLiteral("50,000,000"));
        const int merc = d.choPrjList->findText(QStringLiteral("メルカトル図法"));
        d.choPrjList->setCurrentIndex(merc);
        emit d.choPrjList->activated(merc);
        QList<int32_t> topics;
        DialogFrame::SetHelpHandler([&](int32_t id) { topics << id; });
        d.cmdPrjGuide->click();
        DialogFrame::SetHelpHandler({});
        EXPECT_EQ(topics, QList<int32_t>{342004});
        d.chkPrjAuto->click();
        EXPECT_FALSE(d.choPrjList->isEnabled());
        EXPECT_FALSE(d.fraCondition[0]->isEnabled());
        EXPECT_FALSE(d.cmdPrjReset->isEnabled());
        d.cmdOK->click();
    }));
    EXPECT_EQ(plot.CenterX(), 486000);
    EXPECT_EQ(plot.MapScale(), 5e7);
    EXPECT_TRUE(plot.Options().mProjectionAuto);
    plot.SetProjectionAuto(false);
    EXPECT_EQ(plot.ProjectionIndex(), 13);
}

TEST_F(ProjectionDialogTest, RangesAndTheAltitudeSlider) {
    Run(d, [&] {
        // Eye altitudes run from 100 km to 1,000,000 km for the default sphere.
        EXPECT_EQ(d.lblAltitude[1]->text(), QStringLiteral("100km"));
        EXPECT_EQ(d.lblAltitude[2]->text(), QStringLiteral("1,000,000km"));
        const struct {
            QLineEdit* box;
            QString text;
            QString range;
        } rows[] = {
            {d.txtScale, QStringLiteral("5"), QStringLiteral("100,000～1,000,000,000")},
            {d.txtScale, QStringLiteral("abc"), QStringLiteral("100,000～1,000,000,000")},
            {d.txtAltitude, QStringLiteral("99"), QStringLiteral("100～1000000")},
            {d.txtLat, QStringLiteral("北緯91度"), QStringLiteral("90°00′00″S～90°00′00″N")},
        };
        for (const auto& r : rows) {
            SCOPED_TRACE(r.text.toStdString());
            const QString before = r.box->text();
            r.box->setText(r.text);
            EXPECT_FALSE(d.ValidateEntry(r.box));
            EXPECT_EQ(LastRange(), r.range);
            EXPECT_EQ(r.box->text(), before);
        }
        // The thumb dragged to step 0 takes that altitude but is shown at 1.
        d.sliAltitude->setValue(0);
        EXPECT_EQ(d.txtAltitude->text(), QStringLiteral("100km"));
        EXPECT_EQ(d.sliAltitude->value(), 1);
        EXPECT_DOUBLE_EQ(d.WorkingLight(), MapProjection::AltitudeToLight(100000));
    });
    EXPECT_EQ(plot.Light(), 2.0);
}

// The dialog is kept between openings, and so is the entry that had the
// focus: its old text must not be taken for a change when it reopens after
// the view moved.
TEST_F(ProjectionDialogTest, ReopeningShowsTheEnginesValuesAndOkKeepsThem) {
    const struct {
        const char* name;
        QLineEdit* frmVospProjection::*box;
        std::function<void(clsMapPlot&)> move;
    } rows[] = {
        {"centre", &frmVospProjection::txtLon, [](clsMapPlot& p) { p.SetCenterX(67200); }},
        {"scale", &frmVospProjection::txtScale, [](clsMapPlot& p) { p.SetMapScale(2.5e6); }},
        {"altitude", &frmVospProjection::txtAltitude, [](clsMapPlot& p) { p.SetLight(5); }},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        d.mPlot = &plot;
        Run(d, [&] {
            WaitUntilActive(&d);
            d.tbsProjection->setCurrentIndex(0);
            (d.*r.box)->setFocus();
            // The focus settles before the dialog goes.
            for (int i = 0; i < 20; ++i) {
                QCoreApplication::processEvents();
                QThread::msleep(5);
            }
            d.CancelButton()->click();
        });
        r.move(plot);
        const int32_t lon = plot.CenterX();
        const double scale = plot.MapScale(), light = plot.Light();
        d.mPlot = &plot;
        EXPECT_TRUE(Run(d, [&] {
            EXPECT_EQ(d.focusWidget(), d.*r.box);
            EXPECT_EQ(d.txtLon->text(), AngleLib::LonToStr(lon));
            EXPECT_EQ(d.txtScale->text(), Library::FormatStdInt(scale));
            EXPECT_EQ(d.txtAltitude->text(), frmVospProjection::AltitudeText(light));
            d.cmdOK->click();
        }));
        EXPECT_EQ(plot.CenterX(), lon);
        EXPECT_EQ(plot.MapScale(), scale);
        EXPECT_EQ(plot.Light(), light);
    }
}

// A box entered by keys has its whole text selected, so that what is typed
// replaces it: also when leaving the box before it rewrote every text, and
// when the frame's slider had the focus last.
TEST_F(ProjectionDialogTest, KeysEnterABoxWithItsTextSelected) {
    plot.SetProjectionIndex(2); // one with the light source
    Run(d, [&] {
        d.activateWindow();
        WaitUntilActive(&d);
        d.tbsProjection->setCurrentIndex(0);
        ASSERT_TRUE(d.fraAltitude->isEnabled());
        const auto key = [](int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
            return [k, mods](QWidget* w) { SendKey(w, k, mods); };
        };
        const auto frameKey = [](QGroupBox* frame) {
            return [frame](QWidget*) {
                QShortcutEvent e(QKeySequence::mnemonic(frame->title()), 0);
                QApplication::sendEvent(frame, &e);
            };
        };
        const struct {
            const char* name;
            QWidget* from;
            std::function<void(QWidget*)> press;
            QLineEdit* box;
        } rows[] = {
            {"Tab past the latitude", d.txtLat, key(Qt::Key_Tab), d.txtScale},
            {"Shift+Tab past the altitude", d.txtAltitude, key(Qt::Key_Backtab, Qt::ShiftModifier), d.txtScale},
            {"the altitude frame's key after its slider", d.sliAltitude, frameKey(d.fraAltitude), d.txtAltitude},
        };
        for (const auto& r : rows) {
            SCOPED_TRACE(r.name);
            r.from->setFocus(Qt::MouseFocusReason);
            ASSERT_EQ(QApplication::focusWidget(), r.from);
            r.press(r.from);
            ASSERT_EQ(QApplication::focusWidget(), r.box);
            EXPECT_FALSE(r.box->text().isEmpty());
            EXPECT_EQ(r.box->selectedText().toStdString(), r.box->text().toStdString());
        }
    });
}
