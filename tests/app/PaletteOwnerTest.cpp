// The palette picker asked for from inside a modal dialog belongs to that
// dialog, so that closing it gives the keyboard back to the dialog and not
// to the main window behind it.
#include "app/frmPalette.h"
#include "support/GuiApp.h"
#include "support/WhenModal.h"

#include <gtest/gtest.h>

namespace {

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
