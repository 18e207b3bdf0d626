#include "app/PaletteModel.h"
#include "app/frmPalette.h"

#include "platform/ScriptedUi.h"
#include "render/clsNativeColor.h"
#include "support/GuiApp.h"
#include "support/TestFolder.h"
#include "support/WhenModal.h"

#include <gtest/gtest.h>

namespace {

constexpr int32_t kWhite = 0xFFFFFF;

TEST(PaletteModel, KeysMoveAndWrapByMode) {
    ScopedSettingsHome home;
    clsNativeColor pal;
    struct Row {
        const char* name;
        bool wild;
        int32_t from, key, to;
    } const rows[] = {
        {"right wraps past 129 to the first", false, 129, 39, 0},
        {"right wraps past 129 to the wild band", true, 129, 39, -1},
        {"left wraps below the first", false, 0, 37, 129},
        {"left wraps from the wild band", true, -1, 37, 129},
        {"C on 14 stays in the row", false, 14, 'C', 15},
        {"M on 14", false, 14, 'M', 25},
        {"0 on 15 stays in the column", false, 15, '0', 2},
        {"keypad 9 on 2", false, 2, 96 + 9, 119},
        {"up from the first row wraps", false, 5, 38, 122},
        {"up from the first row goes to the wild band", true, 5, 38, -1},
        {"up from the wild band wraps", true, -1, 38, 117},
        {"down from the wild band", true, -1, 40, 0},
        {"down from none in the real mode", false, -1, 40, 0},
        {"down past the last row wraps", false, 120, 40, 3},
        {"down past the last row wraps over the band", true, 120, 40, 2},
        {"up in the middle", true, 40, 38, 27},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        PaletteModel m(pal, r.wild);
        m.SetCurrent(r.from);
        EXPECT_EQ(m.Key(r.key), PaletteModel::Action::Moved);
        EXPECT_EQ(m.Current(), r.to);
    }
    PaletteModel m(pal, false);
    m.SetCurrent(14);
    EXPECT_EQ(m.Key('N'), PaletteModel::Action::None); // thirteen columns only
    EXPECT_EQ(m.Key(113), PaletteModel::Action::Edit); // F2
    EXPECT_EQ(m.Current(), 14);
}

TEST(PaletteModel, OpeningOnAForeignColourFillsTheFirstWhiteUserSlot) {
    ScopedSettingsHome home;
    clsNativeColor pal;
    PaletteModel m(pal, false);
    m.Open(kWhite);
    EXPECT_EQ(m.Current(), 0); // the lowest index holding it
    m.Open(0x123456);
    EXPECT_EQ(m.Current(), 117);
    EXPECT_EQ(pal.Color(117), 0x123456);
    m.Open(0x654321);
    EXPECT_EQ(m.Current(), 118);
    m.Open(-1);
    EXPECT_EQ(m.Current(), -1);
    m.Open(int32_t(0x80000005)); // a system colour is never added
    EXPECT_EQ(m.Current(), -2);
    EXPECT_EQ(pal.PalSpace(), 119);
    for (int32_t i = 117; i <= 129; ++i) pal.SetColor(i, 0x010101 * (i - 100));
    m.Open(0x0000FE);
    EXPECT_EQ(m.Current(), 117); // none free: the first user slot
    EXPECT_EQ(pal.Color(117), 0x0000FE);
}

TEST(PaletteModel, PointsAndToolTips) {
    ScopedSettingsHome home;
    clsNativeColor pal;
    pal.SetColor(117, 0x123456);
    const PaletteModel wild(pal, true);
    const PaletteModel real(pal, false);
    const int32_t c = 300;
    struct Row {
        const char* name;
        int32_t x, y, wild, real;
    } const rows[] = {
        {"the band", 0, 0, -1, -2},
        {"first cell's far corner", 299, 300, 0, 0},
        {"last column", 3899, 300, 12, 12},
        {"margin right of the last column", 3900, 300, -2, -2},
        {"margin's far edge", 3944, 300, -2, -2},
        {"first user colour", 0, 3299, 117, 117},
        {"below the last row", 0, 3300, -2, -2},
        {"left of the grid", -1, 400, -2, -2},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(wild.IndexAt(r.x, r.y, c), r.wild);
        EXPECT_EQ(real.IndexAt(r.x, r.y, c), r.real);
    }
    EXPECT_EQ(wild.TipText(0), QStringLiteral("基本色 / (R,G,B)=(255,255,255)"));
    EXPECT_EQ(wild.TipText(117), QStringLiteral("ユーザー色（右クリックで変更可能） / (R,G,B)=(86,52,18)"));
    EXPECT_EQ(wild.TipText(-1), QStringLiteral("事象リストに従う"));
    EXPECT_EQ(wild.TipText(-2), QString());
}

TEST(frmPalette, EnterChoosesAndEscKeepsTheEditedUserColour) {
    EnsureGuiApp();
    ScopedSettingsHome home;
    ScopedUi ui;
    clsNativeColor pal;
    frmPalette dlg;
    dlg.mPalette = &pal;
    dlg.mWildEi = true;
    dlg.mColor = pal.Color(14);
    int32_t help = 0;
    WhenModal([&](QWidget*) {
        help = dlg.HelpContextId();
        SendKey(dlg.picPal, Qt::Key_Right);
        SendKey(dlg.picPal, Qt::Key_Return);
    });
    EXPECT_TRUE(dlg.ShowModal());
    EXPECT_EQ(dlg.mColor, pal.Color(15));
    EXPECT_EQ(help, 290009);
    EXPECT_EQ(dlg.mPalette, nullptr);

    // Space on a base colour copies it and opens the colour dialog on it.
    ui.ui.colors.push_back(0x0000FF);
    dlg.mPalette = &pal;
    dlg.mWildEi = false;
    dlg.mColor = pal.Color(14);
    WhenModal([&](QWidget*) {
        help = dlg.HelpContextId();
        SendKey(dlg.picPal, Qt::Key_Space);
        SendKey(dlg.picPal, Qt::Key_Escape);
    });
    EXPECT_FALSE(dlg.ShowModal());
    EXPECT_EQ(help, 290012);
    ASSERT_EQ(ui.ui.colorRequests.size(), 1);
    EXPECT_EQ(ui.ui.colorRequests[0], pal.Color(14));
    EXPECT_EQ(pal.Color(117), 0x0000FF);

    // Without a palette the picker closes at once.
    EXPECT_FALSE(dlg.ShowModal());
}

// Asked for from inside a modal dialog, the picker belongs to that dialog, so
// that closing it gives the keyboard back to the dialog and not to the main
// window behind it.
TEST(frmPalette, BelongsToTheModalDialogThatAsks) {
    EnsureGuiApp();
    QWidget mainWindow;
    DialogFrame asker;
    QWidget* owner = nullptr;
    WhenModal([&](QWidget*) {
        // Without a native palette the picker closes at once, cancelled.
        EXPECT_EQ(frmPalette::InputRealColor(&mainWindow, 0), -2);
        const auto* picker = asker.findChild<frmPalette*>();
        owner = picker ? picker->parentWidget() : nullptr;
        asker.done(0);
    });
    asker.ShowModal();
    EXPECT_EQ(owner, &asker);
}

} // namespace
