// The document's two dialogs: map information (frmMapInfo) and loading progress (frmMapLoad).
#include "document/clsMapRem.h"
#include "document/clsMapUnit.h"
#include "document/ui/frmMapInfo.h"
#include "support/GuiApp.h"
#include "support/WhenModal.h"
#include "document/ui/frmMapLoad.h"

#include "support/MapUnitTestEnv.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>

namespace {

struct MapDialogsTest : MapUnitTest {
    void SetUp() override {
        EnsureGuiApp();
        MapUnitTest::SetUp();
    }
};

std::shared_ptr<clsMapRem> Rem(const QString& text) {
    auto r = std::make_shared<clsMapRem>();
    r->SetAdmin(0);
    r->SetComment(text);
    return r;
}

TEST_F(MapDialogsTest, InformationTexts) {
    EXPECT_EQ(frmMapInfo::VersionText(106), QStringLiteral("map version : 1.06"));
    EXPECT_EQ(frmMapInfo::VersionText(104), QStringLiteral("map version : 1.04"));
    EXPECT_EQ(frmMapInfo::VersionText(100), QStringLiteral("map version : 1"));
    EXPECT_EQ(frmMapInfo::VersionText(99), QStringLiteral("map version : 0.99"));
    EXPECT_EQ(frmMapInfo::PathChars(4200, 9), 46);
    EXPECT_EQ(frmMapInfo::PathChars(4200.4, 9.5), 42); // both rounded first, halves to even
    EXPECT_EQ(frmMapInfo::PathChars(4200, 0), 0);

    clsMap map;
    EXPECT_EQ(frmMapInfo::InfoText(map), QString());
    ASSERT_TRUE(map.Add(Rem(QStringLiteral("# 地図コード：123456"))));
    ASSERT_TRUE(map.Add(Rem(QStringLiteral("no mark"))));
    ASSERT_TRUE(map.Add(Rem(QStringLiteral("＃ full-width"))));
    ASSERT_TRUE(map.Add(Rem(QStringLiteral("#x"))));
    ASSERT_TRUE(map.Add(Rem(QStringLiteral("#-国名：日本"))));
    EXPECT_EQ(frmMapInfo::InfoText(map), QStringLiteral("地図コード：123456\r\n\r\n国名：日本\r\n"));
}

TEST_F(MapDialogsTest, InformationWindowShowsTheMapAndStaysOnScreen) {
    WriteMap("INFO.MLL", 123456, 2);
    auto map = std::make_shared<clsMap>();
    map->SetFileName(dir.file("INFO.MLL"));
    ASSERT_EQ(map->Load(), 0);
    frmMapInfo dlg;
    dlg.mLeft = 100000000;
    dlg.mTop = -5;
    dlg.mMap = map;
    QPoint at;
    QString title, version, info, pass;
    WhenModal([&](QWidget*) {
        at = dlg.pos();
        title = dlg.windowTitle();
        version = dlg.lblVersion->text();
        info = dlg.txtInfo->toPlainText();
        pass = dlg.lblPass->text();
        SendKey(dlg.txtInfo, Qt::Key_Return); // OK is the default button
    });
    dlg.ShowModal();
    EXPECT_EQ(title, QStringLiteral("地図情報"));
    EXPECT_EQ(version, QStringLiteral("map version : 1.06"));
    EXPECT_EQ(info, QStringLiteral("地図コード：123456\n"));
    EXPECT_TRUE(pass.endsWith(QStringLiteral("INFO.MLL")));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(at.x(), screen.width() - dlg.frameGeometry().width());
    EXPECT_EQ(at.y(), 0);
    EXPECT_EQ(dlg.mMap, nullptr);
    EXPECT_EQ(dlg.mLeft, at.x() * 15);
    EXPECT_EQ(dlg.mTop, 0);
}

TEST_F(MapDialogsTest, LoadingWindowLoadsAndCannotBeClosedMeanwhile) {
    WriteMap("WIN.MLL", -1, 20);
    WriteLists("WIN");
    clsMapUnit unit;
    unit.SetUnitName(dir.file("WIN.MLL"));
    frmMapLoad dlg;
    dlg.mMapUnit = &unit;
    int closeTries = 0;
    bool stayed = false;
    // Queued behind the start of the loading, so it runs while the loader
    // lets events through: both ways of closing are refused.
    QTimer::singleShot(0, &dlg, [&] {
        QTimer::singleShot(0, &dlg, [&] {
            ++closeTries;
            dlg.close();
            dlg.reject();
            stayed = dlg.isVisible() && unit.gFigures->Count() == 0;
        });
    });
    dlg.exec();
    EXPECT_EQ(closeTries, 1);
    EXPECT_TRUE(stayed);
    EXPECT_TRUE(dlg.mResult);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.mMapUnit, nullptr);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("地図ファイルを開く"));
    EXPECT_EQ(dlg.lblAdminsInfo->text(), QStringLiteral("Success."));
    EXPECT_EQ(dlg.lblThingsInfo->text(), QStringLiteral("Success."));
    EXPECT_EQ(dlg.lblFiguresInfo->text(), QStringLiteral("Success."));
    EXPECT_EQ(dlg.lblFiguresPath->text(), dir.file("WIN.MLL"));
    EXPECT_EQ(dlg.prgFigures->value(), 100);
    EXPECT_EQ(unit.gFigures->Count(), 20);
}

TEST_F(MapDialogsTest, InstalledWindowLoadsEveryUnit) {
    frmMapLoad::Install();
    WriteMap("I.MLL", -1, 2);
    clsMapUnit unit;
    unit.SetUnitName(dir.file("I.MLL"));
    EXPECT_FALSE(unit.Load()); // no lists and no default files
    WriteLists("I");
    EXPECT_TRUE(unit.Load());
    clsMapUnit::SetLoadPresenter({});
}

} // namespace
