// The environment dialog and its folder picker.
#include "DialogTestEnv.h"

#include "core/AngleLib.h"
#include "dialogs/frmEnvironment.h"
#include "dialogs/frmFolder.h"
#include "platform/FileSystem.h"
#include "render/clsMapPlot.h"
#include "support/WhenModal.h"

#include <QComboBox>
#include <QFileSystemModel>
#include <QTreeView>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QStorageInfo>

using namespace PublicVal;

TEST(EnvironmentTables, ResolutionAndAngleFormats) {
    EXPECT_EQ(frmEnvironment::ScreenDpiFromMM(1024, 260), 100); // (1024 x 254 \ 260) \ 10
    EXPECT_EQ(frmEnvironment::ScreenWidthMM(1024, 100), 260);
    EXPECT_EQ(frmEnvironment::ScreenWidthMM(1280, 96), 338);
    EXPECT_EQ(frmEnvironment::ScreenWidthMM(1280, 0), 0);
    ASSERT_EQ(frmEnvironment::AngleCaptions().size(), 33);
    ASSERT_EQ(frmEnvironment::AngleCodes().size(), 33);
    const struct {
        int16_t v, u, d;
        int entry;
        const char16_t* caption;
    } rows[] = {
        {1, 1, 1, 1, u"01) 西経123度12分12秒"}, {1, 4, 2, 4, u"04) W123ﾟ12'12\""}, {1, 6, 4, 10, u"10) -123 12 01"},
        {3, 4, 3, 15, u"15) 1234567\"W"},       {4, 2, 1, 20, u"20) 西経123.1234567°"}, {5, 6, 4, 32, u"32) -1.123456789"},
        {2, 1, 1, 0, u"00) 未指定"},            {0, 0, 0, 0, u"00) 未指定"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.entry);
        EXPECT_EQ(frmEnvironment::AngleEntry(r.v, r.u, r.d), r.entry);
        EXPECT_EQ(frmEnvironment::AngleCaptions().at(r.entry), QString::fromUtf16(r.caption));
    }
}

namespace {

struct EnvironmentTest : DialogTest {
    frmEnvironment d;
    clsMapPlot plot;
    int16_t dpi = gvScreenDPI, v = gvAngleValue, u = gvAngleUnit, dir3 = gvAngleDirection;
    int32_t lon = gvHomeLon;

    void SetUp() override {
        DialogTest::SetUp();
        FileSystem::SetProgramFolder(dir.path());
        gvScreenDPI = 0;
        gvAngleValue = 2;
        gvAngleUnit = 1;
        gvAngleDirection = 1;
        gvHomeLon = 0;
        gvMapFolder = dir.path();
        d.mPlot = &plot;
    }
    void TearDown() override {
        gvScreenDPI = dpi;
        gvAngleValue = v;
        gvAngleUnit = u;
        gvAngleDirection = dir3;
        gvHomeLon = lon;
        // The formats every other test reads.
        AngleLib::SetAngleFormat(1);
        AngleLib::SetAngleUnit(2);
        AngleLib::SetAngleDir(2);
        FileSystem::SetProgramFolder({});
        DialogTest::TearDown();
    }
};

} // namespace

TEST_F(EnvironmentTest, ScreenWidthAndAngleFormat) {
    EXPECT_TRUE(Run(d, [&] {
        // No resolution read yet: the screen's own, 800 pixels at 96 dpi.
        EXPECT_EQ(d.txtScreenWidth->text(), QStringLiteral("211"));
        EXPECT_EQ(d.choAngle->currentIndex(), 0); // digits 2,1,1 are no entry
        for (const char* t : {"9", "10000", "abc"}) {
            d.txtScreenWidth->setText(QString::fromLatin1(t));
            EXPECT_FALSE(d.ValidateEntry(d.txtScreenWidth)) << t;
            EXPECT_EQ(LastRange(), QStringLiteral("10～9999"));
        }
        d.txtScreenWidth->setText(QStringLiteral("二百六十"));
        EXPECT_TRUE(d.ValidateEntry(d.txtScreenWidth));
        EXPECT_EQ(d.ScreenWidth(), 260);
        emit d.choAngle->activated(0); // no change
        plot.SetCenterX(486000);
        d.cmdHomeRec->click();
        d.cmdOK->click();
    }));
    EXPECT_EQ(gvScreenDPI, 78); // 800 pixels over 260 mm
    EXPECT_EQ(gvAngleValue * 100 + gvAngleUnit * 10 + gvAngleDirection, 211);
    EXPECT_EQ(gvHomeLon, 486000);

    d.mPlot = &plot;
    EXPECT_TRUE(Run(d, [&] {
        EXPECT_EQ(d.txtScreenWidth->text(), QStringLiteral("260"));
        d.choAngle->setCurrentIndex(5);
        emit d.choAngle->activated(5);
        d.cmdOK->click();
    }));
    EXPECT_EQ(gvAngleValue * 100 + gvAngleUnit * 10 + gvAngleDirection, 143);
}

// A format chosen takes effect at OK, direction and all: every text of an
// angle from then on is written in it, the dialog's own boxes included. The
// captions show 123°12'12" west in their format.
TEST_F(EnvironmentTest, ANewAngleFormatTakesEffectAtOnce) {
    const int32_t west = -(123 * 3600 + 12 * 60 + 12);
    gvHomeLon = west;
    for (int entry : {4, 5, 1, 9, 8, 2, 6, 3, 7}) {
        const QString caption = frmEnvironment::AngleCaptions().at(entry);
        SCOPED_TRACE(caption.toStdString());
        d.mPlot = &plot;
        EXPECT_TRUE(Run(d, [&] {
            d.choAngle->setCurrentIndex(entry);
            emit d.choAngle->activated(entry);
            d.cmdOK->click();
        }));
        const QString sample = caption.mid(4); // after "nn) "
        EXPECT_EQ(AngleLib::LonToStr(west), sample);
        d.mPlot = &plot;
        Run(d, [&] { EXPECT_EQ(d.txtHomeLon->text(), sample); });
    }
}

TEST_F(EnvironmentTest, CancelKeepsTheSettingsAndTheFolderPickerFillsThePath) {
    QDir(dir.path()).mkpath(QStringLiteral("maps/sub"));
    const QString sub = QDir(dir.path()).absoluteFilePath(QStringLiteral("maps/sub"));
    EXPECT_FALSE(Run(d, [&] {
        WhenModal([&](QWidget* w) {
            auto* f = static_cast<frmFolder*>(w);
            EXPECT_EQ(f->mPath, dir.path());
            f->dirFolder->setCurrentIndex(f->model->index(sub));
            EXPECT_EQ(f->mPath, sub);
            f->cmdOK->click();
        }, &d);
        d.cmdMapPath->click();
        EXPECT_EQ(d.txtMapPath->text(), sub);
        d.txtHomeLon->setText(QStringLiteral("東経10度"));
        EXPECT_TRUE(d.ValidateEntry(d.txtHomeLon));
        EXPECT_EQ(d.txtMapPath->text(), sub); // a refresh keeps what was typed
        d.cmdCancel->click();
    }));
    EXPECT_EQ(gvMapFolder, dir.path());
    EXPECT_EQ(gvHomeLon, 0);
}

TEST_F(EnvironmentTest, FolderPickerFallsBackToTheProgramFoldersVolume) {
    frmFolder f;
    f.mPath = QStringLiteral("/no/such/volume/maps");
    EXPECT_TRUE(Run(f, [&] { f.cmdOK->click(); }));
    EXPECT_EQ(f.mPath, QStorageInfo(dir.path()).rootPath());
    EXPECT_TRUE(frmFolder::Roots().startsWith(QStringLiteral("/")));
    // A stored folder with "\" and another letter case opens as it is on disk.
    QDir(dir.path()).mkpath(QStringLiteral("Maps"));
    f.mPath = dir.path() + QStringLiteral("\\MAPS");
    EXPECT_TRUE(Run(f, [&] { f.cmdOK->click(); }));
    EXPECT_EQ(f.mPath, dir.path() + QStringLiteral("/Maps"));
}
