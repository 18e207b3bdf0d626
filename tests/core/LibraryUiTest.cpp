// Library's user-interface helpers: message boxes, the mouse-pointer stack, installed fonts.
#include "core/Library.h"

#include "platform/ScriptedUi.h"
#include "support/GuiApp.h"

#include <gtest/gtest.h>

using namespace Library;

namespace {

TEST(LibraryUi, MessageBoxesHaveTheirIconsButtonsAndTexts) {
    ScopedUi s;
    MsgError(QStringLiteral("だめ"));
    s.ui.answers = {Mb::No, Mb::Yes};
    EXPECT_FALSE(MsgYesNo("q1"));
    EXPECT_TRUE(MsgYesNo("q2"));
    MsgOutOfRange(QStringLiteral("1～100"));
    MsgOutOfRange("");
    ASSERT_EQ(s.ui.messages.size(), 5);
    EXPECT_EQ(s.ui.messages[0].style, Mb::OkOnly | Mb::Critical);
    EXPECT_EQ(s.ui.messages[0].title, ""); // the application title
    EXPECT_EQ(s.ui.messages[1].style, Mb::YesNo | Mb::Exclamation);
    EXPECT_EQ(s.ui.messages[3].text, QStringLiteral("既定の範囲を超えています.\r\n1～100"));
    EXPECT_EQ(s.ui.messages[3].style, Mb::OkOnly | Mb::Exclamation);
    EXPECT_EQ(s.ui.messages[4].text, QStringLiteral("既定の範囲を超えています."));
}

TEST(LibraryUi, PointerStackRestoresWhatWasBeforeTheFirstPush) {
    ScopedUi s;
    s.ui.pointer = MousePtr::Cross;
    ScreenMousePointer(MousePtr::Hourglass);
    ScreenMousePointer(MousePtr::ArrowHourglass);
    EXPECT_EQ(s.ui.pointer, MousePtr::ArrowHourglass);
    ScreenMousePointer(-1);
    EXPECT_EQ(s.ui.pointer, MousePtr::Hourglass);
    ScreenMousePointer(-1);
    EXPECT_EQ(s.ui.pointer, MousePtr::Cross);
    const auto changes = s.ui.pointerHistory.size();
    ScreenMousePointer(-1); // a third pop does nothing
    EXPECT_EQ(s.ui.pointerHistory.size(), changes);
    EXPECT_EQ(s.ui.pointerHistory,
              QList<int16_t>({MousePtr::Hourglass, MousePtr::ArrowHourglass, MousePtr::Hourglass, MousePtr::Cross}));
}

TEST(LibraryUi, FontExistsComparesNamesWithoutCase) {
    EnsureGuiApp();
    EXPECT_TRUE(FontExists("IPAGothic"));
    EXPECT_TRUE(FontExists("ipagothic"));
    EXPECT_TRUE(FontExists(QStringLiteral("IPAゴシック"))); // the same family, listed so under ja_JP
    EXPECT_TRUE(FontExists(QStringLiteral("ipa pゴシック")));
    EXPECT_TRUE(FontExists("LIBERATION SANS"));
    EXPECT_FALSE(FontExists("IPAGothic "));
    EXPECT_FALSE(FontExists(QStringLiteral("ＭＳ Ｐゴシック"))); // aliases are the drawing layer's business
    EXPECT_FALSE(FontExists(""));
    EXPECT_EQ(ScreenDPI(), 96);
}

} // namespace
