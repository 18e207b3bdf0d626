#include "platform/QtUi.h"

#include "platform/Desktop.h"
#include "platform/DialogFrame.h"
#include "platform/SettingsStore.h"
#include "support/GuiApp.h"
#include "support/TestFolder.h"
#include "support/WhenModal.h"

#include <QAbstractButton>
#include <QInputDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QShortcut>
#include <QTextLayout>
#include <QTimer>
#include <QTranslator>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

TEST(QtUi, DefaultAndEscapeButtonsFollowTheWindowsRules) {
    using B = QMessageBox;
    EXPECT_EQ(QtUi::DefaultFor((Mb::YesNoCancel | Mb::Exclamation) + Mb::DefaultButton2), B::No);
    EXPECT_EQ(QtUi::DefaultFor(Mb::YesNoCancel + Mb::DefaultButton3), B::Cancel);
    EXPECT_EQ(QtUi::DefaultFor(Mb::YesNo + Mb::DefaultButton3), B::Yes); // no third button
    for (auto [style, escape] : {std::pair{int(Mb::RetryCancel), B::Cancel}, {int(Mb::OkOnly), B::Ok}, {int(Mb::YesNo), B::NoButton},
                                 {int(Mb::AbortRetryIgnore), B::NoButton}})
        EXPECT_EQ(QtUi::EscapeFor(style), escape) << style;
    EXPECT_EQ(QtUi::IconFor(Mb::YesNoCancel | Mb::Exclamation), B::Warning);
}

TEST(QtUi, EscapeIsCancelAndEnterTakesTheDefaultButton) {
    EnsureGuiApp();
    QtUi ui;
    QString shownText, shownTitle;
    WhenModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        shownText = box->text();
        shownTitle = box->windowTitle();
        SendKey(box, Qt::Key_Escape);
    });
    EXPECT_EQ(ui.MsgBox("one\r\ntwo", Mb::YesNoCancel | Mb::Exclamation, ""), Mb::Cancel);
    EXPECT_EQ(shownText, "one\ntwo");
    EXPECT_EQ(shownTitle, UiServices::AppTitle());

    WhenModal([](QWidget* w) { SendKey(w, Qt::Key_Return); });
    EXPECT_EQ(ui.MsgBox("q", (Mb::YesNoCancel | Mb::Exclamation) + Mb::DefaultButton2, "t"), Mb::No);

    // Yes/No has no Cancel: Esc or the close box leave it unanswered, never
    // No (which would throw away what the question guards).
    WhenModal([](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        SendKey(box, Qt::Key_Escape);
        QTimer::singleShot(100, box, [box] { box->button(QMessageBox::Yes)->click(); }); // still waiting
    });
    EXPECT_EQ(ui.MsgBox("q", Mb::YesNo | Mb::Question, "t"), Mb::Cancel);
    WhenModal([](QWidget* w) { w->close(); });
    EXPECT_EQ(ui.MsgBox("q", Mb::YesNo | Mb::Question, "t"), Mb::Cancel);
    WhenModal([](QWidget* w) { w->close(); });
    EXPECT_EQ(ui.MsgBox("q", Mb::YesNoCancel | Mb::Question, "t"), Mb::Cancel);
}

// Whether a line of `text`, wrapped at `width` as a word-wrapping label
// wraps it, starts inside the first word in angle brackets.
bool SplitsTag(QString text, const QFont& font, int width) {
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    const qsizetype open = text.indexOf(QLatin1Char('<')), close = text.indexOf(QLatin1Char('>'));
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    bool split = false;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (line.textStart() > open && line.textStart() <= close) split = true;
    }
    layout.endLayout();
    return split;
}

// Japanese text breaks between any two letters; the gazetteer builder's
// question keeps "<欧州語用>" on one line at every width the box may take,
// and reads as written.
TEST(QtUi, WordsInAngleBracketsStayOnOneLine) {
    EnsureGuiApp();
    QtUi ui;
    const QString question = QStringLiteral("地図フォルダ(サブフォルダを含む)上の全地図ファイルから地名を取得して<欧州語用>"
                                            " 地名辞典を作成します.\r\nかなりの時間を要しますが実行してよろしいですか？");
    QString shown;
    QFont font;
    int width = 0;
    WhenModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(label, nullptr);
        shown = label->text();
        font = label->font();
        width = label->contentsRect().width();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(ui.MsgBox(question, Mb::YesNo | Mb::Exclamation, {}), Mb::No);
    ASSERT_GT(width, 0);
    QString visible = shown;
    visible.remove(QChar(0x2060)); // the word joiner takes no room
    EXPECT_EQ(visible, QString(question).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    EXPECT_FALSE(SplitsTag(shown, font, width)) << width;
    bool plainSplits = false;
    for (int w = 60; w <= 700; w += 2) {
        EXPECT_FALSE(SplitsTag(shown, font, w)) << w;
        plainSplits = plainSplits || SplitsTag(visible, font, w);
    }
    EXPECT_TRUE(plainSplits); // without the joiners some width would split it
    // Brackets with blanks inside are ordinary text.
    EXPECT_EQ(QtUi::DisplayText(QStringLiteral("a < b > c")), QStringLiteral("a < b > c"));
    EXPECT_EQ(QtUi::DisplayText(QStringLiteral("<ab>")), QStringLiteral("<\u2060a\u2060b\u2060>"));
}

TEST(QtUi, InputBoxGivesTheTextOrEmptyWhenCancelled) {
    EnsureGuiApp();
    QtUi ui;
    WhenModal([](QWidget* w) {
        auto* d = qobject_cast<QInputDialog*>(w);
        d->setTextValue("typed");
        d->accept();
    });
    EXPECT_EQ(ui.InputBox("prompt", "title", "default", 0), "typed");
    WhenModal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_EQ(ui.InputBox("prompt", "title", "default", 0), "");

    // Esc typed behind F1, before the help window is active, closes the
    // help, not the box. The help belongs to the box, which would block it.
    QWidget help;
    QObject::connect(new QShortcut(QKeySequence(Qt::Key_Escape), &help), &QShortcut::activated, &help, &QWidget::close);
    DialogFrame::SetHelpHandler([&help](int32_t) {
        help.winId();
        help.windowHandle()->setTransientParent(QApplication::activeModalWidget()->windowHandle());
        help.show();
        help.activateWindow();
    });
    bool open = false;
    WhenModal([&](QWidget* w) {
        WaitUntilActive(w);
        QWidget* entry = QApplication::focusWidget();
        SendKey(entry, Qt::Key_F1);
        SendKey(entry, Qt::Key_Escape);
        for (int i = 0; i < 20; ++i) QApplication::processEvents(QEventLoop::AllEvents, 10);
        open = w->isVisible() && !help.isVisible();
        qobject_cast<QDialog*>(w)->reject();
    });
    ui.InputBox("prompt", "title", "default", 250009);
    DialogFrame::SetHelpHandler(nullptr);
    EXPECT_TRUE(open);
}

// OK in the real font dialog left as it opened gives back the stored font;
// under the Japanese translation a regular face opened on its first style.
TEST(QtUi, FontDialogLeftAsOpenedKeepsTheStoredFont) {
    EnsureGuiApp();
    QTranslator japanese;
    ASSERT_TRUE(japanese.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    QCoreApplication::installTranslator(&japanese);
    auto fields = [](const FontChoice& f) { return std::tuple(f.name.toStdString(), f.size, f.bold, f.italic); };
    QtUi ui;
    for (const FontChoice& stored : {FontChoice{"Arial", 9, false, false}, {"Arial", 12, true, false},
                                     {"Arial", 10, false, true}, {"Arial", 10.5F, true, true},
                                     {"DejaVu Sans", 9, false, false}, // its regular style is "Book"
                                     {"ＭＳ Ｐゴシック", 9, false, false}, {"ＭＳ Ｐゴシック", 11, true, false}}) {
        FontChoice font = stored;
        WhenModal([](QWidget* w) { qobject_cast<QDialog*>(w)->accept(); });
        EXPECT_TRUE(ui.PickFont(font));
        EXPECT_EQ(fields(font), fields(stored));
    }
    QCoreApplication::removeTranslator(&japanese);
}

TEST(QtUi, OneOverrideCursorIsReplacedAndTheDefaultRemovesIt) {
    EnsureGuiApp();
    QtUi ui;
    ui.SetMousePointer(MousePtr::Hourglass);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    ui.SetMousePointer(MousePtr::Cross);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
    EXPECT_EQ(ui.MousePointer(), MousePtr::Cross);
    ui.SetMousePointer(MousePtr::Default);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    // Replaced, not stacked: one restore removes what two changes made.
    ui.SetMousePointer(MousePtr::Hourglass);
    ui.SetMousePointer(MousePtr::SizeWE);
    QGuiApplication::restoreOverrideCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(QtUi, OpenUrlRefusesWhatDoesNotExist) {
    QtUi ui;
    TestFolder t;
    EXPECT_FALSE(ui.OpenUrl(""));
    EXPECT_FALSE(ui.OpenUrl(t.file("missing.htm")));
    EXPECT_FALSE(ui.OpenUrl("C:\\missing\\help.htm"));
}

TEST(QtUiDeathTest, ExitProcessEndsAtOnceWithTheSettingsWritten) {
    ScopedSettingsHome home;
    EXPECT_EXIT(
        {
            SettingsStore::Instance().Put("Vosperal", "PUBLIC", "Language", "2");
            QtUi ui;
            ui.ExitProcess(3);
        },
        ::testing::ExitedWithCode(3), "");
    SettingsStore::Reopen();
    EXPECT_EQ(SettingsStore::Instance().Get("Vosperal", "PUBLIC", "Language", ""), "2");
}

TEST(Desktop, JapaneseUsersAndTwips) {
    EXPECT_TRUE(Desktop::IsJapaneseLocale(QLocale("ja_JP")));
    EXPECT_TRUE(Desktop::IsJapaneseLocale(QLocale(QLocale::Japanese, QLocale::Japan)));
    EXPECT_FALSE(Desktop::IsJapaneseLocale(QLocale("en_US")));
    EXPECT_FALSE(Desktop::IsJapaneseLocale(QLocale::c()));

    // 110 dpi: 13.09; 1920: 0.75 rounds up, and never 0.
    for (auto [dpi, twips] : {std::pair{96.0, 15}, {120.0, 12}, {144.0, 10}, {72.0, 20}, {110.0, 13}, {1920.0, 1},
                              {1e9, 1}, {0.0, 15}, {-4.0, 15}})
        EXPECT_EQ(Desktop::TwipsPerPixel(dpi), twips) << dpi;
    EnsureGuiApp();
    EXPECT_EQ(Desktop::LogicalDpiX(), 96);
    EXPECT_EQ(Desktop::TwipsPerPixelY(), 15);
}

} // namespace
