#include "platform/WidgetLib.h"

#include "support/GuiApp.h"

#include <QComboBox>
#include <gtest/gtest.h>

using namespace WidgetLib;

namespace {

TEST(WidgetLib, SelectComboTextMatchesExactlyOrTakesTheFirstEntry) {
    EnsureGuiApp();
    QComboBox box;
    int changes = 0;
    QObject::connect(&box, &QComboBox::currentIndexChanged, [&] { ++changes; });
    SelectComboText(&box, "a"); // empty list: nothing
    EXPECT_EQ(box.currentIndex(), -1);
    EXPECT_EQ(changes, 0);
    box.addItems({"a", "B", "b", "b"});
    changes = 0;
    SelectComboText(&box, "b");
    EXPECT_EQ(box.currentIndex(), 2);
    EXPECT_EQ(changes, 1); // the box tells its listeners, as a user's choice would
    SelectComboText(&box, "A");
    EXPECT_EQ(box.currentIndex(), 0);
    SelectComboText(&box, "B");
    EXPECT_EQ(box.currentIndex(), 1);
    SelectComboText(nullptr, "x");
}

TEST(WidgetLib, CloneFontCopiesTheStyleAndNothingElse) {
    EnsureGuiApp();
    QFont f("Liberation Serif");
    f.setPointSizeF(13.5);
    f.setWeight(QFont::Bold);
    f.setItalic(true);
    f.setUnderline(true);
    f.setStrikeOut(true);
    f.setCapitalization(QFont::AllUppercase);
    const QFont c = CloneFont(f);
    EXPECT_EQ(c.family(), "Liberation Serif");
    EXPECT_EQ(c.pointSizeF(), 13.5);
    EXPECT_EQ(c.weight(), QFont::Bold);
    EXPECT_TRUE(c.italic());
    EXPECT_TRUE(c.underline());
    EXPECT_TRUE(c.strikeOut());
    EXPECT_EQ(c.capitalization(), QFont::MixedCase);

    QFont p("IPAGothic");
    p.setPixelSize(17);
    EXPECT_EQ(CloneFont(p).pixelSize(), 17);
    EXPECT_FALSE(CloneFont(p).bold());
}

} // namespace
