#include "app/HelpMenu.h"
#include "app/HelpViewer.h"
#include "app/HtmlHelp.h"
#include "app/frmAbout.h"

#include "core/MapProjection.h"
#include "core/PublicVal.h"
#include "platform/EventHook.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedUi.h"
#include "support/GuiApp.h"
#include "support/WhenModal.h"

#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <gtest/gtest.h>
#include <set>
#include <utility>

namespace {

const QString kHelpFolder = QStringLiteral(VOSP_SOURCE_DIR "/resources/help");

QString ReadText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// Every topic the program asks for: the main window, the dialogs' Help
// buttons, the palette in both modes, the azimuth input box and the
// projection guides by their number ranges.
std::set<int32_t> ExpectedIds() {
    std::set<int32_t> ids{200001, 230006, 230010, 230011, 250001, 250002, 250003, 250009, 252000, 252201,
                          252202, 252203, 252204, 252205, 253000, 270001, 290009, 290012};
    for (auto [first, last] : {std::pair{341001, 341009}, {342001, 342011}, {343001, 343008}, {344001, 344002}})
        for (int32_t i = first; i <= last; ++i) ids.insert(i);
    return ids;
}

void ExpectPage(int32_t id) {
    SCOPED_TRACE(id);
    const QString page = HtmlHelp::ContextPage(id);
    ASSERT_FALSE(page.isEmpty());
    const QString file = page.section(QLatin1Char('#'), 0, 0);
    const QString text = ReadText(kHelpFolder + QLatin1Char('/') + file);
    ASSERT_FALSE(text.isEmpty()) << file.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("<title>"))) << file.toStdString();
    const QString anchor = page.section(QLatin1Char('#'), 1);
    if (!anchor.isEmpty()) {
        EXPECT_TRUE(text.contains(QStringLiteral("id=\"%1\"").arg(anchor))) << file.toStdString();
    }
}

TEST(Help, EveryContextIdTheProgramUsesHasAPage) {
    const std::set<int32_t> expected = ExpectedIds();
    for (int32_t id : expected) ExpectPage(id);
    const QList<int32_t> table = HtmlHelp::ContextIds();
    EXPECT_EQ(std::set<int32_t>(table.begin(), table.end()), expected);
    for (int16_t i = 1; i <= 30; ++i) ExpectPage(MapProjection::PrjHelpID(i));

    // The ids written in the program's sources, wherever a topic is asked.
    const QRegularExpression idPattern(QStringLiteral("\\b[23]\\d{5}\\b"));
    int found = 0;
    for (const char* dir : {"app", "dialogs", "legend", "document", "render", "core"}) {
        QDirIterator it(QStringLiteral(VOSP_SOURCE_DIR "/") + dir, {QStringLiteral("*.cpp")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (path.endsWith(QStringLiteral("HtmlHelp.cpp"))) continue;
            for (const QString& line : ReadText(path).split(QLatin1Char('\n'))) {
                if (!line.contains(QStringLiteral("Help")) && !line.contains(QStringLiteral("InputBox"))) continue;
                auto m = idPattern.globalMatch(line);
                while (m.hasNext()) {
                    ++found;
                    ExpectPage(m.next().captured().toInt());
                }
            }
        }
    }
    EXPECT_GE(found, 4); // main window, map information, palette, azimuth
}

class HelpWindow : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureGuiApp();
        FileSystem::SetProgramFolder(kHelpFolder);
    }
    void TearDown() override {
        HtmlHelp::HelpCloseAll();
        QApplication::processEvents();
        FileSystem::SetProgramFolder({});
    }
    ScopedUi ui;
};

TEST_F(HelpWindow, StaysUsableWhileADialogIsModal) {
    QWidget owner;
    owner.show();
    DialogFrame dlg(&owner);
    auto* ok = new QPushButton(QStringLiteral("OK"), &dlg);
    dlg.SetButtons(ok);
    DialogFrame::SetHelpHandler([](int32_t id) { HtmlHelp::HelpContext(id); });
    dlg.SetHelpContext(230011);
    bool viewerBlocked = false;
    bool blockedMeanwhile = true;
    EventHook watchViewer([&](QObject*, QEvent* e) {
        if (e->type() == QEvent::WindowBlocked) viewerBlocked = true;
        if (e->type() == QEvent::WindowUnblocked) viewerBlocked = false;
        return false;
    });
    // Open from the menu before the dialog comes up.
    ASSERT_TRUE(HtmlHelp::HelpContents());
    HtmlHelp::Viewer()->installEventFilter(&watchViewer);
    QUrl shown;
    WhenModal([&](QWidget*) {
        SendKey(ok, Qt::Key_F1);
        QApplication::processEvents();
        shown = HtmlHelp::Viewer()->Source();
        blockedMeanwhile = viewerBlocked;
        // Its links work meanwhile.
        emit HtmlHelp::Viewer()->Browser()->anchorClicked(QUrl(QStringLiteral("prj01.html")));
        SendKey(ok, Qt::Key_Return);
    });
    dlg.ShowModal();
    DialogFrame::SetHelpHandler({});
    EXPECT_FALSE(blockedMeanwhile);
    EXPECT_TRUE(shown.toLocalFile().endsWith(QStringLiteral("help/mapinfo.html")));
    EXPECT_TRUE(HtmlHelp::Viewer()->Source().toLocalFile().endsWith(QStringLiteral("help/prj01.html")));
    EXPECT_TRUE(ui.ui.messages.isEmpty());
}

TEST_F(HelpWindow, WebLinksGoToTheDesktopAndFailuresAreTold) {
    ASSERT_TRUE(HtmlHelp::HelpIndex());
    EXPECT_TRUE(HtmlHelp::Viewer()->Source().toLocalFile().endsWith(QStringLiteral("help/index.html")));
    emit HtmlHelp::Viewer()->Browser()->anchorClicked(QUrl(QStringLiteral("https://example.invalid/")));
    EXPECT_EQ(ui.ui.opened, QList<QString>{QStringLiteral("https://example.invalid/")});

    ui.ui.openResult = false;
    HelpMenu::OpenHomepage(3);
    ASSERT_EQ(ui.ui.messages.size(), 1);
    EXPECT_EQ(ui.ui.messages[0].text, QStringLiteral("WEBブラウザを起動できませんでした."));
    EXPECT_EQ(ui.ui.messages[0].style, Mb::OkOnly | Mb::Critical);
    EXPECT_FALSE(HtmlHelp::HelpContext(999999)); // a topic without a page
    EXPECT_EQ(ui.ui.messages.last().text, QStringLiteral("HTML HELP の表示に失敗しました. 999999"));
}

TEST(About, TitleAndSplashKeepTheDesignTexts) {
    EnsureGuiApp();
    ScopedUi ui;
    // As before the start-up reads the environment, whatever ran before.
    clsEnvironment* const env = std::exchange(PublicVal::gvEnvironment, nullptr);
    EXPECT_EQ(frmAbout::TitleText(), QStringLiteral("Vosperal  version 1.00"));
    frmAbout about;
    about.ShowAsSplash();
    EXPECT_TRUE(about.isVisible());
    EXPECT_FALSE(about.cmdOK->isVisible());
    EXPECT_EQ(about.lblMail->text(), QStringLiteral("作者へのメール"));
    EXPECT_EQ(about.lblPlathome->text(), QStringLiteral("for Linux"));
    QMouseEvent click(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(about.lblMail, &click);
    EXPECT_TRUE(ui.ui.opened.isEmpty()); // no environment yet: nothing to open
    about.close();
    EXPECT_FALSE(about.isVisible());
    PublicVal::gvEnvironment = env;
}

} // namespace
