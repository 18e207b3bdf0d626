// Help menu, help pages and the help window: context ids, menu captions, fonts, web links and placement.
#include "app/HelpMenu.h"
#include "app/HelpViewer.h"
#include "app/HtmlHelp.h"
#include "app/MainView.h"
#include "app/ViewPopupMenu.h"
#include "app/frmAbout.h"
#include "app/frmMain.h"

#include "core/MapProjection.h"
#include "core/PrjRegistry.h"
#include "core/clsEnvironment.h"
#include "core/PublicVal.h"
#include "platform/EventHook.h"
#include "platform/FileSystem.h"
#include "platform/FontCatalog.h"
#include "platform/ScriptedUi.h"
#include "platform/WindowFit.h"
#include "support/GuiApp.h"
#include "support/PlotWorld.h"
#include "support/TestFolder.h"
#include "support/WhenModal.h"

#include <QAbstractTextDocumentLayout>
#include <QDirIterator>
#include <QGlyphRun>
#include <QMenu>
#include <QMenuBar>
#include <QRawFont>
#include <QTextBlock>
#include <QTextLayout>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>

namespace {

const QString kHelpFolder = QStringLiteral(VOSP_SOURCE_DIR "/resources/help");

// An environment holding only `text`, in force while the guard lives.
class ScopedEnvironment {
public:
    explicit ScopedEnvironment(const QByteArray& text) {
        env_.SetFileName(dir_.write(QStringLiteral("Environment.txt"), text));
        EXPECT_EQ(env_.Load(), 0);
        PublicVal::gvEnvironment = &env_;
    }
    ~ScopedEnvironment() { PublicVal::gvEnvironment = saved_; }

private:
    TestFolder dir_;
    clsEnvironment env_;
    clsEnvironment* saved_ = PublicVal::gvEnvironment;
};

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

// A page's text without its tags.
QString PageText(const QString& file) {
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    return ReadText(kHelpFolder + QStringLiteral("/help/") + file).remove(tag);
}

// A caption as a page writes it: "&" dropped, no trailing "...".
QString Written(QString caption) {
    caption.remove(QLatin1Char('&'));
    if (caption.endsWith(QStringLiteral("..."))) caption.chop(3);
    return caption.trimmed();
}

// The pages of the main window name every menu item the window has, with
// its access key: the menu bar on the main window's page, each menu's
// items on that menu's page, the pop-up menu's on its own.
TEST(Help, MenuPagesNameEveryItem) {
    PlotWorld world;
    frmMain window;
    const QString main = PageText(QStringLiteral("main.html"));
    const std::map<QString, QString> pageOf{{QStringLiteral("ファイル(F)"), QStringLiteral("menu_file.html")},
                                            {QStringLiteral("表示(V)"), QStringLiteral("menu_view.html")},
                                            {QStringLiteral("ツール(T)"), QStringLiteral("menu_tool.html")},
                                            {QStringLiteral("ヘルプ(H)"), QStringLiteral("menu_help.html")}};
    int items = 0;
    auto expectItems = [&](const QMenu* menu, const QString& file) {
        const QString text = PageText(file);
        for (const QAction* a : menu->actions()) {
            if (a->isSeparator()) continue;
            const QString caption = Written(a->text());
            if (caption.isEmpty()) continue;
            ++items;
            EXPECT_TRUE(text.contains(caption)) << file.toStdString() << ": " << caption.toStdString();
        }
    };
    for (const QAction* top : window.menuBar()->actions()) {
        const QString caption = Written(top->text());
        EXPECT_TRUE(main.contains(caption)) << caption.toStdString();
        ASSERT_TRUE(pageOf.count(caption)) << caption.toStdString();
        expectItems(top->menu(), pageOf.at(caption));
    }
    expectItems(window.MainArea()->popup->mnuPopup, QStringLiteral("popup.html"));
    EXPECT_GE(items, 50);
}

// Every caption with an access key that a page names, "名前(K)", is a
// caption of the program, "名前(&K)", somewhere in its sources.
TEST(Help, CaptionsOnThePagesAreThoseOfTheProgram) {
    const QRegularExpression source(QStringLiteral("([^\\s\"(){}<>「」、。・/:：]{1,20})\\(&([A-Z0-9])\\)"));
    std::set<QString> captions;
    for (const char* dir : {"app", "dialogs", "legend", "document", "platform"}) {
        QDirIterator it(QStringLiteral(VOSP_SOURCE_DIR "/") + dir, {QStringLiteral("*.cpp")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            for (auto m = source.globalMatch(ReadText(it.next())); m.hasNext();) {
                const auto hit = m.next();
                captions.insert(hit.captured(1) + QLatin1Char('(') + hit.captured(2) + QLatin1Char(')'));
            }
    }
    ASSERT_GE(captions.size(), 100u);
    const QRegularExpression page(QStringLiteral("([^\\s()（）「」、。・/：:…»|｜]{1,20})\\(([A-Z0-9])\\)"));
    int named = 0;
    for (const QString& file : QDir(kHelpFolder + QStringLiteral("/help")).entryList({QStringLiteral("*.html")}, QDir::Files))
        for (auto m = page.globalMatch(PageText(file)); m.hasNext();) {
            const auto hit = m.next();
            const QString name = hit.captured(1);
            if (std::none_of(name.begin(), name.end(), [](QChar c) { return c.isLetter(); })) continue;
            const QString tail = QLatin1Char('(') + hit.captured(2) + QLatin1Char(')');
            ++named;
            // The quit item's caption begins with the program's title.
            const bool known = std::any_of(captions.begin(), captions.end(), [&](const QString& c) {
                return c == name + tail || ((name + tail).endsWith(c) && c.size() > 3);
            });
            EXPECT_TRUE(known) << file.toStdString() << ": " << (name + tail).toStdString();
        }
    EXPECT_GE(named, 100);
}

// Every link between the pages leads to a page that exists, and to an
// anchor the page has.
TEST(Help, LinksBetweenPagesResolve) {
    const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
    QStringList pages{kHelpFolder + QStringLiteral("/VOSPERAL.HTML")};
    for (const QString& f : QDir(kHelpFolder + QStringLiteral("/help")).entryList({QStringLiteral("*.html")}, QDir::Files))
        pages << kHelpFolder + QStringLiteral("/help/") + f;
    int links = 0;
    for (const QString& page : pages) {
        for (auto m = href.globalMatch(ReadText(page)); m.hasNext();) {
            const QString target = m.next().captured(1);
            if (target.contains(QLatin1Char(':'))) continue; // web and mail
            ++links;
            const QString file = target.section(QLatin1Char('#'), 0, 0);
            const QString anchor = target.section(QLatin1Char('#'), 1);
            const QString path = file.isEmpty() ? page : QFileInfo(page).dir().filePath(file);
            const QString text = ReadText(path);
            EXPECT_FALSE(text.isEmpty()) << page.toStdString() << " -> " << target.toStdString();
            if (!anchor.isEmpty()) {
                EXPECT_TRUE(text.contains(QStringLiteral("id=\"%1\"").arg(anchor)))
                    << page.toStdString() << " -> " << target.toStdString();
            }
        }
    }
    EXPECT_GE(links, 300);
}

// The projection dialog's page names as drawable exactly the indexes that
// have code, and the rest as guides only; each guide says whether it can
// be drawn and names the properties the dialog's filter finds it by.
TEST(Help, ProjectionPagesTellWhatIsDrawn) {
    const QString page = ReadText(kHelpFolder + QStringLiteral("/help/projection.html"));
    auto listed = [&](const QString& id) {
        const QRegularExpression para(QStringLiteral("<p id=\"%1\">(.*?)</p>").arg(id));
        const QRegularExpression link(QStringLiteral("href=\"prj(\\d\\d)\\.html\""));
        std::set<int> out;
        for (auto m = link.globalMatch(para.match(page).captured(1)); m.hasNext();) out.insert(m.next().captured(1).toInt());
        return out;
    };
    std::set<int> drawn, undrawn;
    for (int16_t i = 1; i <= 30; ++i) (PrjRegistry::Implemented(i) ? drawn : undrawn).insert(i);
    ASSERT_EQ(drawn.size(), 25u);
    EXPECT_EQ(listed(QStringLiteral("drawn")), drawn);
    EXPECT_EQ(listed(QStringLiteral("undrawn")), undrawn);
    EXPECT_EQ(undrawn, (std::set<int>{18, 22, 27, 28, 29}));

    // The labels of the filter's property boxes, bit 0x10000 upwards.
    const QStringList labels{QStringLiteral("距離"), QStringLiteral("面積"), QStringLiteral("角度"),
                             QStringLiteral("方位"), QStringLiteral("大圏"), QStringLiteral("水平緯線"),
                             QStringLiteral("バランス")};
    const QRegularExpression properties(QStringLiteral("正しく表せる性質: ([^<]*)</p>"));
    const QRegularExpression aside(QStringLiteral("（[^）]*）"));
    for (int16_t i = 1; i <= 30; ++i) {
        SCOPED_TRACE(i);
        const QString text = PageText(QStringLiteral("prj%1.html").arg(i, 2, 10, QLatin1Char('0')));
        const bool implemented = PrjRegistry::Implemented(i) != nullptr;
        EXPECT_EQ(text.contains(QStringLiteral("描画できません")), !implemented);
        if (!implemented) continue;
        QString named = properties.match(ReadText(kHelpFolder + QStringLiteral("/help/prj%1.html").arg(i, 2, 10, QLatin1Char('0'))))
                            .captured(1);
        named.remove(aside);
        std::set<std::string> want;
        const int32_t bits = (MapProjection::PrjStatus(i) >> 16) & 0xFF;
        for (int k = 0; k < labels.size(); ++k)
            if (bits & (1 << k)) want.insert(labels[k].toStdString());
        std::set<std::string> got;
        if (named != QStringLiteral("-"))
            for (const QString& w : named.split(QStringLiteral("・"))) got.insert(w.toStdString());
        EXPECT_EQ(got, want) << named.toStdString();
    }
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

// F1 in a dialog over one modal to the whole program (a style editor over
// the map-symbol dialog): the help window takes keys at once, and once it
// is closed the dialog is active again.
TEST_F(HelpWindow, TakesKeysOverNestedDialogsAndGivesThemBack) {
    DialogFrame outer;
    DialogFrame inner(&outer);
    inner.SetHelpContext(252000);
    DialogFrame::SetHelpHandler([](int32_t id) { HtmlHelp::HelpContext(id); });
    int scrolled = -1;
    bool back = false;
    WhenModal([&](QWidget*) {
        WhenModal(
            [&](QWidget*) {
                WaitUntilActive(&inner);
                QTest::keyClick(inner.windowHandle(), Qt::Key_F1);
                if (HelpViewer* v = HtmlHelp::Viewer()) {
                    WaitUntilActive(v);
                    QTest::keyClick(v->windowHandle(), Qt::Key_PageDown);
                    scrolled = v->Browser()->verticalScrollBar()->value();
                    v->close();
                    WaitUntilActive(&inner);
                    back = inner.isActiveWindow();
                }
                inner.reject();
            },
            &outer);
        inner.ShowModal();
        outer.reject();
    });
    outer.ShowModal();
    DialogFrame::SetHelpHandler({});
    EXPECT_GT(scrolled, 0);
    EXPECT_TRUE(back);
}

TEST_F(HelpWindow, WebLinksGoToTheDesktopAndFailuresAreTold) {
    ASSERT_TRUE(HtmlHelp::HelpIndex());
    EXPECT_TRUE(HtmlHelp::Viewer()->Source().toLocalFile().endsWith(QStringLiteral("help/index.html")));
    emit HtmlHelp::Viewer()->Browser()->anchorClicked(QUrl(QStringLiteral("https://example.invalid/")));
    EXPECT_EQ(ui.ui.opened, QList<QString>{QStringLiteral("https://example.invalid/")});

    ui.ui.openResult = false;
    ScopedEnvironment env("AuthorURLmap=https://maps.example/\r\n");
    HelpMenu::OpenHomepage(3);
    ASSERT_EQ(ui.ui.messages.size(), 1);
    EXPECT_EQ(ui.ui.messages[0].text, QStringLiteral("WEBブラウザを起動できませんでした."));
    EXPECT_EQ(ui.ui.messages[0].style, Mb::OkOnly | Mb::Critical);
    EXPECT_FALSE(HtmlHelp::HelpContext(999999)); // a topic without a page
    EXPECT_EQ(ui.ui.messages.last().text, QStringLiteral("HTML HELP の表示に失敗しました. 999999"));
}

// Every page reads in the proportional face of the menus, whatever the
// locale makes of a generic family: each character is set in that face
// unless the face lacks it.
TEST_F(HelpWindow, PagesReadInTheInterfaceFace) {
    const QString face = FontCatalog::UiFamily(FontCatalog::InstalledNames());
    ASSERT_FALSE(face.isEmpty());
    const QRawFont raw = QRawFont::fromFont(QFont(face));
    ASSERT_EQ(raw.familyName(), face);
    // Proportional: a narrow letter takes less room than a wide one.
    const QList<quint32> iw = raw.glyphIndexesForString(QStringLiteral("iW"));
    ASSERT_EQ(iw.size(), 2);
    const QList<QPointF> advances = raw.advancesForGlyphIndexes(iw);
    EXPECT_LT(advances[0].x() * 1.5, advances[1].x());

    QStringList pages{kHelpFolder + QStringLiteral("/VOSPERAL.HTML")};
    for (const QString& f : QDir(kHelpFolder + QStringLiteral("/help")).entryList({QStringLiteral("*.html")}, QDir::Files))
        pages << kHelpFolder + QStringLiteral("/help/") + f;
    ASSERT_GE(pages.size(), 50);
    HelpViewer viewer(pages[0], pages[0]);
    for (const QString& page : pages) {
        SCOPED_TRACE(page.toStdString());
        ASSERT_TRUE(viewer.ShowPage(page));
        QTextDocument* doc = viewer.Browser()->document();
        doc->setTextWidth(640);
        int checked = 0, elsewhere = 0;
        QString first;
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
            doc->documentLayout()->blockBoundingRect(b); // lays the block out
            const QString text = b.text();
            for (int i = 0; i < text.size(); ++i) {
                if (text[i].isSpace() || text[i].isSurrogate() || !raw.supportsCharacter(text[i])) continue;
                ++checked;
                const QList<QGlyphRun> runs = b.layout()->glyphRuns(i, 1);
                const QString used = runs.isEmpty() ? QStringLiteral("(not laid out)") : runs[0].rawFont().familyName();
                if (used == face) continue;
                if (elsewhere++ == 0) first = text.mid(i, 12) + QStringLiteral(" in ") + used;
            }
        }
        EXPECT_GT(checked, 20);
        EXPECT_EQ(elsewhere, 0) << first.toStdString();
    }
}

// A web item without a configured address is greyed and opens nothing (it
// would only blame the browser); the submenu goes grey with the last one.
TEST_F(HelpWindow, WebItemsWithoutAnAddressAreGreyed) {
    QWidget owner;
    QMenu help;
    HelpMenu::Fill(&help, &owner);
    QMenu* web = nullptr;
    for (QAction* a : help.actions())
        if (a->menu()) web = a->menu();
    ASSERT_NE(web, nullptr);
    auto states = [&] {
        emit help.aboutToShow();
        QString s = web->menuAction()->isEnabled() ? QStringLiteral("W") : QStringLiteral("-");
        for (QAction* a : web->actions())
            if (!a->isSeparator()) s += a->isEnabled() ? QStringLiteral("1") : QStringLiteral("0");
        return s;
    };
    {
        ScopedEnvironment env("AuthorURLhome=\r\nAuthorURLmap=\r\nAuthorURLruntime=\r\n");
        EXPECT_EQ(states(), QStringLiteral("-000"));
        for (int32_t item : {1, 2, 3, 4}) HelpMenu::OpenHomepage(item);
        EXPECT_TRUE(ui.ui.opened.isEmpty());
        EXPECT_TRUE(ui.ui.messages.isEmpty());
    }
    {
        ScopedEnvironment env("AuthorURLhome=\r\nAuthorURLmap=https://maps.example/\r\n");
        EXPECT_EQ(states(), QStringLiteral("W010"));
        HelpMenu::OpenHomepage(3);
        EXPECT_EQ(ui.ui.opened, QList<QString>{QStringLiteral("https://maps.example/")});
    }
    {
        ScopedEnvironment env("AuthorURLhome=https://home.example/\r\nAuthorURLruntime=https://rt.example/\r\n");
        EXPECT_EQ(states(), QStringLiteral("W101"));
    }
}

// The about box leaves out a link whose address is empty instead of showing
// a blank label that opens nothing.
TEST_F(HelpWindow, AboutLeavesOutLinksWithoutAnAddress) {
    QWidget owner;
    for (const auto& [text, mail, web] : {std::tuple{QByteArray("AuthorEmail=\r\nAuthorURLhome=\r\n"), false, false},
                                         {QByteArray("AuthorEmail=a@b.example\r\nAuthorURLhome=\r\n"), true, false},
                                         {QByteArray("AuthorURLhome=https://home.example/\r\n"), false, true}}) {
        SCOPED_TRACE(text.toStdString());
        ScopedEnvironment env(text);
        bool mailShown = true, webShown = true;
        QString webText;
        WhenModal([&](QWidget* w) {
            auto* about = static_cast<frmAbout*>(w);
            mailShown = about->lblMail->isVisible();
            webShown = about->lblURL->isVisible();
            webText = about->lblURL->text();
            about->cmdOK->click();
        });
        HelpMenu::ShowAbout(&owner);
        EXPECT_EQ(mailShown, mail);
        EXPECT_EQ(webShown, web);
        if (web) {
            EXPECT_EQ(webText, QStringLiteral("https://home.example/"));
        }
    }
}

// The window of 680 x 600 opened from the middle of the screen: at ratio 1
// pulled up onto the screen; at ratio 2 (a screen of 400 x 400) and when
// made twice the screen's size while hidden, made no larger than it.
TEST_F(HelpWindow, OpensWhollyOnTheScreenAndNoLargerThanIt) {
    ASSERT_TRUE(HtmlHelp::HelpContents());
    HelpViewer* v = HtmlHelp::Viewer();
    const QRect area = WindowFit::AvailableArea(v);
    for (const QSize size : {v->size(), area.size() * 2}) {
        SCOPED_TRACE(size.height());
        v->hide();
        v->resize(size);
        v->move(area.center());
        ASSERT_TRUE(HtmlHelp::HelpContents());
        ASSERT_EQ(HtmlHelp::Viewer(), v);
        const QRect frame(v->pos(), v->size().grownBy(WindowFit::FrameMargins(v)));
        if (!WindowFit::Passes(size.grownBy(WindowFit::FrameMargins(v)), area.size())) {
            EXPECT_EQ(v->size(), size); // fits: keeps its size
        }
        // Wholly on the screen, however far down it was.
        EXPECT_TRUE(area.contains(frame)) << frame.x() << "," << frame.y() << " " << frame.width() << "x"
                                          << frame.height();
        // The page scrolls within what is left.
        EXPECT_LT(v->Browser()->height(), area.height());
        if (size == v->size()) {
            EXPECT_NE(v->pos(), area.center()); // moved up onto the screen
        }
    }
    // A new window opens beside the window it was asked from.
    HtmlHelp::HelpCloseAll();
    QApplication::processEvents();
    QWidget opener;
    opener.setGeometry(60, 30, 200, 100);
    opener.show();
    QApplication::setActiveWindow(&opener);
    ASSERT_TRUE(HtmlHelp::HelpContents());
    v = HtmlHelp::Viewer();
    const QSize frame = v->size().grownBy(WindowFit::FrameMargins(v));
    EXPECT_TRUE(area.contains(QRect(v->pos(), frame)));
    if (!WindowFit::Passes(frame, area.size()) && frame.height() + 70 < area.height()) {
        EXPECT_EQ(v->pos(), opener.frameGeometry().topLeft() + QPoint(40, 40));
    }
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
