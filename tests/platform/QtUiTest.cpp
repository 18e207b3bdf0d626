#include "platform/QtUi.h"

#include "platform/Desktop.h"
#include "platform/SettingsStore.h"
#include "support/GuiApp.h"
#include "support/TestFolder.h"
#include "support/WhenModal.h"

#include <QAbstractButton>
#include <QInputDialog>
#include <QTimer>
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

    // Yes/No has no Cancel: Esc changes nothing, the box waits for a button.
    WhenModal([](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        SendKey(box, Qt::Key_Escape);
        QTimer::singleShot(20, box, [box] { box->button(QMessageBox::Yes)->click(); });
    });
    EXPECT_EQ(ui.MsgBox("q", Mb::YesNo | Mb::Question, "t"), Mb::Yes);
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
