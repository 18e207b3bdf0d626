#include "platform/WidgetLib.h"

#include "support/GuiApp.h"
#include "support/WhenModal.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QVBoxLayout>
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

// The frame's access key leaves the whole text of its box selected, so that
// what is typed replaces it: also when the box has the focus already, and
// when the box is an editable list box.
TEST(WidgetLib, FrameKeyToBoxSelectsTheWholeText) {
    EnsureGuiApp();
    QWidget window;
    auto* lay = new QVBoxLayout(&window);
    auto* fraScale = new QGroupBox(QStringLiteral("縮尺(&S)"), &window);
    auto* fraName = new QGroupBox(QStringLiteral("名前(&N)"), &window);
    auto* txtScale = new QLineEdit(QStringLiteral("1500000"), fraScale);
    auto* sliScale = new QSlider(Qt::Horizontal, fraScale);
    auto* choName = new QComboBox(fraName);
    choName->setEditable(true);
    choName->addItems({QStringLiteral("標準"), QStringLiteral("地形")});
    auto* sliName = new QSlider(Qt::Horizontal, fraName);
    auto* scaleLay = new QVBoxLayout(fraScale);
    scaleLay->addWidget(txtScale);
    scaleLay->addWidget(sliScale);
    auto* nameLay = new QVBoxLayout(fraName);
    nameLay->addWidget(choName);
    nameLay->addWidget(sliName);
    lay->addWidget(fraScale);
    lay->addWidget(fraName);
    FrameKeyToBox(fraScale, txtScale);
    FrameKeyToBox(fraName, choName);
    window.show();
    window.activateWindow();
    WaitUntilActive(&window);
    const struct {
        const char* name;
        QWidget* from;
        QWidget* box;
        QLineEdit* text;
        int key;
    } rows[] = {
        {"entry, after the frame's slider", sliScale, txtScale, txtScale, Qt::Key_S},
        {"entry with the focus", txtScale, txtScale, txtScale, Qt::Key_S},
        {"editable box, after the frame's slider", sliName, choName, choName->lineEdit(), Qt::Key_N},
        {"editable box with the focus", choName, choName, choName->lineEdit(), Qt::Key_N},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        r.from->setFocus(Qt::MouseFocusReason);
        r.text->setCursorPosition(1);
        ASSERT_TRUE(r.from->hasFocus());
        ASSERT_FALSE(r.text->hasSelectedText());
        QTest::keyClick(window.windowHandle(), r.key, Qt::AltModifier);
        EXPECT_TRUE(r.box->hasFocus());
        EXPECT_EQ(r.text->selectedText(), r.text->text());
    }
}

} // namespace
