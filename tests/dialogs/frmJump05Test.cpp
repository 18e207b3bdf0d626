#include "dialogs/frmJump05.h"

#include "PlaceUnits.h"
#include "support/DocumentTestEnv.h"
#include "document/clsMapUnits.h"
#include "platform/FlexGrid.h"
#include "support/GuiApp.h"
#include "support/WhenModal.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QWindow>
#include <QDir>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPoint>
#include <QPushButton>
#include <QRadioButton>

namespace {

// Units "load" in memory: each map file name stands for its places.
bool FakeLoad(clsMapUnit& u) {
    const QString name = Library::PathFileName(u.UnitName());
    if (name == "A.MLL") FillUnit(u, {{"東京", 1, 1, 500000}, {"大阪", 1, 1, 500001}});
    if (name == "B.MLL") FillUnit(u, {{"日本", 1, 1, 500000}, {"本州", 1, 1, 500001}});
    return true;
}

} // namespace

struct frmJump05Test : DocumentTest {
    void SetUp() override {
        DocumentTest::SetUp();
        EnsureGuiApp();
        PublicVal::gvLanguage = 2;
        dir.write("A.MLL", "x");
        dir.write("B.MLL", "x");
        saved = clsMapUnit::SetLoadPresenter([this](clsMapUnit& u) {
            ++loads;
            if (onLoad) onLoad();
            return FakeLoad(u);
        });
    }
    void TearDown() override {
        clsMapUnit::SetLoadPresenter(saved);
        DocumentTest::TearDown();
    }
    // Opens the dialog on `units` and runs `act` once it is up. Fails when it
    // never comes up, and then leaves no timer behind for later tests.
    bool Open(frmJump05& dlg, clsMapUnits& units, const std::function<void()>& act) {
        dlg.mMapUnits = &units;
        bool ran = false;
        QPointer<QTimer> pending = WhenModal([&](QWidget*) {
            ran = true;
            act();
        });
        const bool result = dlg.ShowModal();
        delete pending.data();
        EXPECT_TRUE(ran) << "the dialog never came up";
        return result;
    }
    // A left click where the user clicks: the button takes the focus too.
    static void ClickButton(QPushButton* b) {
        const QPointF p(b->rect().center());
        QMouseEvent press(QEvent::MouseButtonPress, p, b->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, p, b->mapToGlobal(p), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(b, &press);
        QApplication::sendEvent(b, &release);
    }
    // The window's close box: the close request of the window system.
    static void CloseBox(QWidget& w) {
        QCloseEvent e;
        QCoreApplication::sendEvent(w.windowHandle(), &e);
    }
    clsMapUnit::LoadPresenter saved;
    int loads = 0;
    std::function<void()> onLoad;
};

TEST_F(frmJump05Test, BuildsTheGazetteerAndJumpsToAPlaceOfIt) {
    clsMapUnits units;
    frmJump05 dlg;
    EXPECT_TRUE(Open(dlg, units, [&] {
        dlg.cmdGazetteer->click();
        EXPECT_EQ(dlg.Source(), 1);
        EXPECT_EQ(dlg.Places().Count(), 4);
        dlg.choKeyword->setEditText("日本");
        SendKey(dlg.choKeyword->lineEdit(), Qt::Key_Return);
        EXPECT_EQ(dlg.Places().Text(dlg.flgPlaces->Row(), 0), "日本");
        dlg.cmdOK->click();
    }));
    EXPECT_EQ(QPoint(dlg.mCx, dlg.mCy), QPoint(500000, -50000));
    EXPECT_EQ(std::make_pair(dlg.mScaleMin, dlg.mScaleMax), std::make_pair(30000000.0, 200000.0));
    EXPECT_EQ(dlg.mUnitMode, 1);
    ASSERT_EQ(units.Count(), 2); // the base unit, then the place's map
    EXPECT_EQ(Library::PathFileName(units.Item(2)->UnitName()), "B.MLL");
    EXPECT_EQ(dlg.History(), QStringList{"日本"});
    // Sorted by name ascending in the file: 大阪 (U+5927) < 日本 < 本州 < 東京.
    const QByteArray file = dir.read("GAZET_VOSP_J.TXT");
    EXPECT_TRUE(file.contains("# number = 4\r\n# sort = 1\r\n"));
    EXPECT_LT(file.indexOf(Cp932Encode("大阪")), file.indexOf(Cp932Encode("東京")));

    // Cancel and the close box stop a new build whenever they come: in the
    // events let through before the first file, or while a file loads. Nothing
    // is written; Cancel leaves the dialog open on the open units' places, with
    // the gazetteer there was still to be chosen; the close box closes it once
    // the build has stopped.
    struct Moment {
        const char* name;
        bool whileLoading;
        int loads;
    };
    const Moment moments[] = {{"before the first file", false, 0}, {"while the first file loads", true, 1}};
    for (const Moment& m : moments) {
        SCOPED_TRACE(m.name);
        loads = 0;
        EXPECT_FALSE(Open(dlg, units, [&] {
            const auto cancel = [&] { dlg.cmdCancel->click(); };
            if (m.whileLoading) onLoad = cancel;
            else QTimer::singleShot(0, &dlg, cancel);
            dlg.cmdGazetteer->click();
            onLoad = nullptr;
            EXPECT_TRUE(dlg.isVisible());
            EXPECT_FALSE(dlg.Busy());
            EXPECT_EQ(dlg.Source(), 0);
            EXPECT_EQ(dlg.Places().Count(), 2); // 日本 and 本州 of the open unit
            EXPECT_TRUE(dlg.cmdOK->isEnabled());
            EXPECT_TRUE(dlg.optSource[1]->isEnabled());
            dlg.cmdCancel->click();
        }));
        EXPECT_EQ(loads, m.loads);
        EXPECT_EQ(dir.read("GAZET_VOSP_J.TXT"), file);

        loads = 0;
        EXPECT_FALSE(Open(dlg, units, [&] {
            const auto close = [&] { CloseBox(dlg); };
            if (m.whileLoading) onLoad = close;
            else QTimer::singleShot(0, &dlg, close);
            dlg.cmdGazetteer->click();
            onLoad = nullptr;
            EXPECT_FALSE(dlg.isVisible());
        }));
        EXPECT_FALSE(dlg.Busy());
        EXPECT_EQ(loads, m.loads);
        EXPECT_EQ(dir.read("GAZET_VOSP_J.TXT"), file);
    }
    ASSERT_EQ(units.Count(), 2); // builds never add to the open units
}

// The user clicks the builder button, which then is disabled while the build
// runs: afterwards the keyword box has the focus back, and Return in it
// searches as before rather than pressing the button that held the focus.
TEST_F(frmJump05Test, AfterABuildReturnSearchesTheKeyword) {
    clsMapUnits units;
    frmJump05 dlg;
    EXPECT_TRUE(Open(dlg, units, [&] {
        WaitUntilActive(&dlg);
        EXPECT_EQ(dlg.focusWidget(), dlg.choKeyword);
        ClickButton(dlg.cmdGazetteer);
        ASSERT_EQ(dlg.Places().Count(), 4);
        EXPECT_EQ(dlg.focusWidget(), dlg.choKeyword);
        dlg.choKeyword->setEditText("本州");
        SendKey(dlg.focusWidget(), Qt::Key_Return);
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(dlg.Places().Text(dlg.flgPlaces->Row(), 0), "本州");
        SendKey(dlg.flgPlaces, Qt::Key_Return);
    }));
    EXPECT_EQ(QPoint(dlg.mCx, dlg.mCy), QPoint(500001, -50000));
}
