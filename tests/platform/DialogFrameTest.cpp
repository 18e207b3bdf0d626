#include "platform/DialogFrame.h"

#include "platform/ScriptedUi.h"
#include "support/GuiApp.h"
#include "support/WhenModal.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// A dialog of one entry that accepts 1..100.
class Probe : public DialogFrame {
public:
    Probe() {
        auto* lay = new QVBoxLayout(this);
        for (QWidget* w : std::initializer_list<QWidget*>{entry, other, ok, cancel, help}) lay->addWidget(w);
        SetButtons(ok, cancel, help);
        AddValidator(entry, [this] {
            bool num = false;
            const int v = entry->text().toInt(&num);
            if (num && v >= 1 && v <= 100) return true;
            Ui().MsgBox(QStringLiteral("range"), 48, {});
            return false;
        });
    }
    QLineEdit* entry = new QLineEdit(this);
    QLineEdit* other = new QLineEdit(this);
    QPushButton* ok = new QPushButton(QStringLiteral("OK"), this);
    QPushButton* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    QPushButton* help = new QPushButton(QStringLiteral("Help"), this);
    int loads = 0;
    int unloads = 0;
    // Runs on the way out, as a dialog's redraw of the map does.
    std::function<void()> redraw;

protected:
    void Form_Load() override { ++loads; }
    void Form_Unload() override {
        ++unloads;
        if (redraw) std::exchange(redraw, {})();
    }
};

TEST(DialogFrame, PositionIsClampedWithTheUpperBoundWinning) {
    const QSize screen(15000, 11000);
    const QSize dlg(3000, 2000);
    struct Row {
        const char* name;
        QPoint given;
        QSize dialog;
        QPoint placed;
    } const rows[] = {
        {"inside", {1200, 900}, dlg, {1200, 900}},
        {"left of and above the screen", {-450, -15}, dlg, {0, 0}},
        {"past the right and bottom edge", {14000, 10500}, dlg, {12000, 9000}},
        {"exactly at the far edge", {12000, 9000}, dlg, {12000, 9000}},
        {"wider and taller than the screen", {600, 600}, {16500, 11600}, {-1500, -600}},
        {"larger and placed left: the lower bound comes first", {-900, -900}, {16500, 11600}, {0, 0}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(DialogFrame::ClampedPosition(r.given, r.dialog, screen), r.placed);
    }
}

TEST(DialogFrame, ReopensWhereTheUserLeftIt) {
    EnsureGuiApp();
    ScopedUi ui;
    Probe d;
    // First opening: the opener's corner plus the offsets, then kept.
    QWidget opener;
    opener.move(60, 30);
    d.PlaceFirst(&opener, 600, 300);
    opener.move(200, 200);
    d.PlaceFirst(&opener, 600, 300);
    EXPECT_EQ(d.mLeft, 60 * 15 + 600); // offscreen screens run at 96 dpi
    EXPECT_EQ(d.mTop, 30 * 15 + 300);
    QPoint shownAt;
    WhenModal([&](QWidget*) {
        shownAt = d.pos();
        d.move(30, 50); // the user drags it
        SendKey(d.entry, Qt::Key_Escape);
    });
    EXPECT_FALSE(d.ShowModal());
    EXPECT_EQ(shownAt, QPoint(100, 50));
    EXPECT_EQ(d.mLeft, 450);
    EXPECT_EQ(d.mTop, 750);
    EXPECT_EQ(d.loads, 1);
    EXPECT_EQ(d.unloads, 1);

    // A place beyond the screen is pulled back inside.
    d.mLeft = 1000000;
    d.mTop = -300;
    WhenModal([&](QWidget*) {
        shownAt = d.pos();
        d.close(); // the close box
    });
    EXPECT_FALSE(d.ShowModal());
    const QRect screen = d.screen()->geometry();
    EXPECT_EQ(shownAt.x(), screen.width() - d.frameGeometry().width());
    EXPECT_EQ(shownAt.y(), 0);
    EXPECT_EQ(d.loads, 2);
    EXPECT_EQ(d.unloads, 2);
}

TEST(DialogFrame, EnterValidatesThenMovesToOkAndASecondEnterAccepts) {
    EnsureGuiApp();
    ScopedUi ui;
    Probe d;
    QWidget* focusAfterBad = nullptr;
    QWidget* focusAfterGood = nullptr;
    QWidget* focusAfterLeaving = nullptr;
    bool stillOpen = false;
    WhenModal([&](QWidget*) {
        d.activateWindow();
        WaitUntilActive(&d);
        d.entry->setFocus();
        d.entry->setText(QStringLiteral("250"));
        SendKey(d.entry, Qt::Key_Return);
        focusAfterBad = d.focusWidget();
        d.entry->setText(QStringLiteral("abc"));
        SendKey(d.entry, Qt::Key_Enter); // keypad Enter too; unreadable text is out of range
        d.entry->setText(QStringLiteral("100"));
        SendKey(d.entry, Qt::Key_Return);
        focusAfterGood = d.focusWidget();
        stillOpen = d.isVisible();
        // Leaving a bad entry for another control keeps the focus there too.
        d.activateWindow();
        d.entry->setFocus();
        d.entry->setText(QStringLiteral("0"));
        d.other->setFocus();
        focusAfterLeaving = QApplication::focusWidget();
        d.entry->setText(QStringLiteral("1"));
        SendKey(d.entry, Qt::Key_Return);
        SendKey(d.ok, Qt::Key_Return);
    });
    EXPECT_TRUE(d.ShowModal());
    EXPECT_EQ(focusAfterBad, d.entry);
    EXPECT_EQ(focusAfterGood, d.ok);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(focusAfterLeaving, d.entry);
    EXPECT_EQ(ui.ui.messages.size(), 3); // once per bad value, never twice
    EXPECT_EQ(d.unloads, 1);
}

TEST(DialogFrame, DefaultOkDialogsCloseOnEnterAndHelpGoesToTheHandler) {
    EnsureGuiApp();
    ScopedUi ui;
    Probe d;
    d.SetDefaultOk(true);
    d.SetHelpContext(230011);
    int32_t asked = 0;
    DialogFrame::SetHelpHandler([&](int32_t id) { asked = id; });
    bool okIsDefault = false;
    WhenModal([&](QWidget*) {
        okIsDefault = d.ok->isDefault() && !d.cancel->autoDefault();
        d.help->click();
        d.other->setText(QStringLiteral("x"));
        SendKey(d.other, Qt::Key_Return);
    });
    EXPECT_TRUE(d.ShowModal());
    EXPECT_TRUE(okIsDefault);
    EXPECT_EQ(asked, 230011);
    DialogFrame::SetHelpHandler({});
}

// A click on OK while the dialog redraws on its way out after Cancel would
// write the edits back; pressed and left down, OK would stay drawn down.
TEST(DialogFrame, ClicksWhileItRedrawsOnItsWayOutAreDropped) {
    EnsureGuiApp();
    ScopedUi ui;
    Probe d;
    const struct {
        const char* name;
        std::function<void()> click;
    } rows[] = {
        {"click on OK", [&] { QTest::mouseClick(d.ok, Qt::LeftButton); }},
        {"double click on OK",
         [&] {
             QTest::mouseClick(d.ok, Qt::LeftButton);
             QTest::mouseDClick(d.ok, Qt::LeftButton);
             QTest::mouseRelease(d.ok, Qt::LeftButton);
         }},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        bool down = true;
        d.redraw = [&] {
            r.click();
            down = d.ok->isDown();
        };
        WhenModal([&](QWidget*) { d.cancel->click(); });
        EXPECT_FALSE(d.ShowModal());
        EXPECT_FALSE(down);
    }
}

// Tab, Shift+Tab and an access key select the entry's whole text, so that
// what is typed replaces it, also when the check of the control left
// rewrites the texts; a click puts the caret where it falls, and the
// program's own move leaves it where the text put it.
TEST(DialogFrame, KeysIntoAnEntrySelectItsTextAClickPutsTheCaret) {
    EnsureGuiApp();
    ScopedUi ui;
    Probe d;
    d.AddValidator(d.other, [&] {
        d.entry->setText(d.entry->text());
        return true;
    });
    DialogFrame::BuddyLabel(QStringLiteral("値(&V)"), d.entry);
    const struct {
        const char* name;
        QWidget* from;
        std::function<void()> enter;
        QString selected, typed;
    } rows[] = {
        {"Tab", d.help, [&] { QTest::keyClick(d.help, Qt::Key_Tab); }, "42", "7"},
        {"Shift+Tab", d.other, [&] { QTest::keyClick(d.other, Qt::Key_Backtab, Qt::ShiftModifier); }, "42", "7"},
        {"access key", d.other, [&] { QTest::keyClick(d.windowHandle(), Qt::Key_V, Qt::AltModifier); }, "42", "7"},
        {"click at the left end", d.other,
         [&] { QTest::mouseClick(d.entry, Qt::LeftButton, {}, QPoint(1, d.entry->height() / 2)); }, "", "742"},
        {"the program's own move", d.other, [&] { d.entry->setFocus(Qt::OtherFocusReason); }, "", "427"},
    };
    WhenModal([&](QWidget*) {
        d.activateWindow();
        WaitUntilActive(&d);
        [&] {
            for (const auto& r : rows) {
                SCOPED_TRACE(r.name);
                d.entry->setText(QStringLiteral("42"));
                r.from->setFocus(Qt::OtherFocusReason);
                ASSERT_EQ(QApplication::focusWidget(), r.from);
                r.enter();
                ASSERT_EQ(QApplication::focusWidget(), d.entry);
                EXPECT_EQ(d.entry->selectedText(), r.selected);
                QTest::keyClicks(d.entry, QStringLiteral("7"));
                EXPECT_EQ(d.entry->text(), r.typed);
            }
        }();
        d.cancel->click();
    });
    d.ShowModal();
}

} // namespace
