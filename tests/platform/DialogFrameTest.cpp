#include "platform/DialogFrame.h"

#include "platform/ScriptedUi.h"
#include "support/GuiApp.h"
#include "support/WhenModal.h"

#include <QLineEdit>
#include <QPushButton>
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

protected:
    void Form_Load() override { ++loads; }
    void Form_Unload() override { ++unloads; }
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

} // namespace
