// Windows larger than the screen's available area: no larger than it, the
// contents scroll, the top-left corner on it; a window that fits is placed
// as before. Sizes are taken from the screen, so that the tests hold at any
// pixel ratio (QT_SCALE_FACTOR=2 halves the offscreen screen).
#include "platform/DialogFrame.h"
#include "platform/WindowFit.h"

#include "platform/ScriptedUi.h"
#include "support/GuiApp.h"
#include "support/WhenModal.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

TEST(WindowFit, SizeAndPlaceOnTheArea) {
    const QRect area(0, 30, 1000, 700); // a panel across the top
    EXPECT_FALSE(WindowFit::Passes({1000, 700}, area.size()));
    EXPECT_TRUE(WindowFit::Passes({1001, 10}, area.size()));
    EXPECT_TRUE(WindowFit::Passes({10, 701}, area.size()));
    EXPECT_EQ(WindowFit::LimitSize({1360, 1200}, area.size()), QSize(1000, 700));
    EXPECT_EQ(WindowFit::LimitSize({800, 900}, area.size()), QSize(800, 700));
    struct Row {
        const char* name;
        QPoint pos;
        QSize frame;
        QPoint placed;
    } const rows[] = {
        {"as large as the area, above and left of it", {-50, -50}, {1000, 700}, {0, 30}},
        {"as large as the area, below and right of it", {500, 400}, {1000, 700}, {0, 30}},
        {"inside", {200, 100}, {300, 200}, {200, 100}},
        {"past the far edges", {900, 650}, {300, 200}, {700, 530}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(WindowFit::PlaceOn(r.pos, r.frame, area), r.placed);
    }
}

// A dialog whose contents ask for `w` x `h` pixels, laid out or placed by hand.
class Sized : public DialogFrame {
public:
    Sized(int w, int h, bool layout) {
        if (layout) {
            auto* lay = new QVBoxLayout(this);
            body->setMinimumSize(w, h);
            lay->addWidget(body);
            lay->addWidget(ok);
            lay->setSizeConstraint(QLayout::SetFixedSize);
        } else {
            setFixedSize(w, h);
            body->setGeometry(0, 0, w, h - 40);
            ok->setGeometry(w - 90, h - 30, 80, 24);
        }
        SetButtons(ok);
    }
    QLabel* body = new QLabel(QStringLiteral("body"), this);
    QPushButton* ok = new QPushButton(QStringLiteral("OK"), this);
};

struct Shown {
    QRect frame;
    QSize inner;
    QScrollArea* scroll = nullptr;
    int scrollRangeX = 0;
    int scrollRangeY = 0;
    bool okReached = false;
};

// Opens `d` at `leftTwips`, `topTwips` and records how it came up.
Shown Open(Sized& d, int32_t leftTwips, int32_t topTwips) {
    d.mLeft = leftTwips;
    d.mTop = topTwips;
    Shown s;
    WhenModal([&](QWidget*) {
        s.frame = QRect(d.pos(), d.size().grownBy(WindowFit::FrameMargins(&d)));
        s.inner = d.size();
        s.scroll = d.findChild<QScrollArea*>();
        if (s.scroll) {
            s.scrollRangeX = s.scroll->horizontalScrollBar()->maximum();
            s.scrollRangeY = s.scroll->verticalScrollBar()->maximum();
            s.scroll->ensureWidgetVisible(d.ok);
        }
        s.okReached = d.ok->isVisible() && d.isAncestorOf(d.ok);
        d.ok->click();
    });
    EXPECT_TRUE(d.ShowModal());
    return s;
}

TEST(WindowFit, DialogLargerThanTheScreenScrollsWithItsCornerOnIt) {
    EnsureGuiApp();
    ScopedUi ui;
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    for (const bool layout : {true, false}) {
        SCOPED_TRACE(layout ? "laid out" : "placed by hand");
        // Twice the screen's height, placed low and right: the bottom edge
        // and the buttons would be off the screen.
        Sized d(area.width() / 2, area.height() * 2, layout);
        for (int opening = 1; opening <= 2; ++opening) {
            SCOPED_TRACE(opening);
            const Shown s = Open(d, area.width() * 15, area.height() * 15);
            EXPECT_LE(s.frame.height(), area.height());
            EXPECT_LE(s.frame.width(), area.width());
            EXPECT_TRUE(area.contains(s.frame.topLeft()));
            EXPECT_TRUE(area.contains(s.frame.bottomRight()));
            ASSERT_NE(s.scroll, nullptr);
            EXPECT_GT(s.scrollRangeY, area.height() / 2);
            EXPECT_EQ(s.scrollRangeX, 0); // room was made for the scroll bar
            EXPECT_TRUE(s.okReached);
        }
    }
}

TEST(WindowFit, DialogThatFitsKeepsItsSizeAndPlace) {
    EnsureGuiApp();
    ScopedUi ui;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    Sized d(screen.width() / 4, screen.height() / 4, true);
    const Shown s = Open(d, 150, 300);
    EXPECT_EQ(s.scroll, nullptr);
    EXPECT_GE(s.inner.height(), screen.height() / 4);
    EXPECT_EQ(s.frame.topLeft(), QPoint(10, 20)); // 15 twips a pixel
    // Past the far edge: pulled back by the dialog frame's own rule.
    const Shown far = Open(d, screen.width() * 15, 0);
    EXPECT_EQ(far.frame.left(), screen.width() - d.frameGeometry().width());
}

} // namespace
