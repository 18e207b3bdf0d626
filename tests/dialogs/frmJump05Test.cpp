#include "dialogs/frmJump05.h"

#include "PlaceUnits.h"
#include "support/DocumentTestEnv.h"
#include "document/clsMapUnits.h"
#include "legend/FlexGrid.h"
#include "support/GuiApp.h"
#include "support/WhenModal.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPoint>
#include <QPushButton>

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
        saved = clsMapUnit::SetLoadPresenter(FakeLoad);
    }
    void TearDown() override {
        clsMapUnit::SetLoadPresenter(saved);
        DocumentTest::TearDown();
    }
    clsMapUnit::LoadPresenter saved;
};

TEST_F(frmJump05Test, BuildsTheGazetteerAndJumpsToAPlaceOfIt) {
    clsMapUnits units;
    frmJump05 dlg;
    dlg.mMapUnits = &units;
    WhenModal([&](QWidget*) {
        dlg.cmdGazetteer->click();
        EXPECT_EQ(dlg.Source(), 1);
        EXPECT_EQ(dlg.Places().Count(), 4);
        dlg.choKeyword->setEditText("日本");
        SendKey(dlg.choKeyword->lineEdit(), Qt::Key_Return);
        EXPECT_EQ(dlg.Places().Text(dlg.flgPlaces->Row(), 0), "日本");
        dlg.cmdOK->click();
    });
    EXPECT_TRUE(dlg.ShowModal());
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

    // Cancel stops a new build after its first file: nothing is written, and
    // the list falls back to the open units.
    QFile::remove(dir.file("GAZET_VOSP_J.TXT"));
    WhenModal([&](QWidget*) {
        QTimer::singleShot(0, [&] { dlg.cmdCancel->click(); });
        dlg.cmdGazetteer->click();
        EXPECT_EQ(dlg.Source(), 0);
        EXPECT_EQ(dlg.Places().Count(), 2); // 日本 and 本州 of the open unit
        dlg.cmdCancel->click();
    });
    EXPECT_FALSE(dlg.ShowModal());
    EXPECT_FALSE(QFile::exists(dir.file("GAZET_VOSP_J.TXT")));

    // The close box during a build stops it and closes once the file is read.
    WhenModal([&](QWidget*) {
        QTimer::singleShot(0, [&] { dlg.close(); });
        dlg.cmdGazetteer->click();
        EXPECT_FALSE(dlg.isVisible());
    });
    EXPECT_FALSE(dlg.ShowModal());
    EXPECT_FALSE(dlg.Busy());
    EXPECT_FALSE(QFile::exists(dir.file("GAZET_VOSP_J.TXT")));
}
