#include "platform/MouseWheel.h"

#include "support/GuiApp.h"

#include <QApplication>
#include <QListWidget>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A list of 100 rows that shows about five.
std::unique_ptr<QListWidget> MakeList() {
    auto list = std::make_unique<QListWidget>();
    for (int i = 0; i < 100; ++i) list->addItem(QString::number(i));
    list->resize(120, 100);
    list->show();
    QApplication::processEvents();
    return list;
}

void Wheel(QAbstractScrollArea* view, QPoint delta) {
    const QPointF at(10, 10);
    QWheelEvent e(at, view->viewport()->mapToGlobal(at), QPoint(), delta, Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    // As from the window system (sendEvent would mark it as the program's
    // own): only such a wheel goes on to the parents.
    QSpontaneKeyEvent::setSpontaneous(&e);
    QApplication::instance()->notify(view->viewport(), &e);
}

TEST(MouseWheel, AHookedViewScrollsOneRowPerNotch) {
    EnsureGuiApp();
    MouseWheel::UnhookWheelAll();
    auto list = MakeList();
    QScrollBar* bar = list->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 10);
    Wheel(list.get(), {0, -120});
    EXPECT_EQ(bar->value(), 3); // Qt's own three lines, unhooked
    bar->setValue(0);

    ASSERT_TRUE(MouseWheel::HookWheel(list.get()));
    EXPECT_FALSE(MouseWheel::HookWheel(list.get()));
    Wheel(list.get(), {0, -120});
    EXPECT_EQ(bar->value(), 1);
    for (int i = 0; i < 4; ++i) Wheel(list.get(), {0, -30}); // a touchpad
    EXPECT_EQ(bar->value(), 2);
    Wheel(list.get(), {0, 120});
    EXPECT_EQ(bar->value(), 1);
    // A turn of direction drops what was added up the other way.
    Wheel(list.get(), {0, 60});
    Wheel(list.get(), {0, -90});
    Wheel(list.get(), {0, -30});
    EXPECT_EQ(bar->value(), 2);
    Wheel(list.get(), {-120, 0}); // sideways: left to the view
    EXPECT_EQ(bar->value(), 2);

    ASSERT_TRUE(MouseWheel::UnhookWheel(list.get()));
    EXPECT_FALSE(MouseWheel::UnhookWheel(list.get()));
    Wheel(list.get(), {0, -120});
    EXPECT_EQ(bar->value(), 5);
}

// A hooked list of three rows, nothing to scroll, at the top of a tall page
// in a scroll area: the wheel over the list scrolls the page.
TEST(MouseWheel, AViewWithNothingToScrollPassesTheWheelOn) {
    EnsureGuiApp();
    MouseWheel::UnhookWheelAll();
    QScrollArea area;
    auto* page = new QWidget;
    auto* list = new QListWidget(page);
    for (int i = 0; i < 3; ++i) list->addItem(QString::number(i));
    list->setGeometry(0, 0, 120, 100);
    page->setFixedSize(140, 1000);
    area.setWidget(page);
    area.resize(180, 200);
    area.show();
    QApplication::processEvents();
    ASSERT_EQ(list->verticalScrollBar()->maximum(), 0);
    QScrollBar* outer = area.verticalScrollBar();
    ASSERT_GT(outer->maximum(), 100);

    ASSERT_TRUE(MouseWheel::HookWheel(list));
    Wheel(list, {0, -120});
    const int moved = outer->value();
    EXPECT_GT(moved, 0);
    Wheel(list, {0, 120});
    EXPECT_LT(outer->value(), moved);
    EXPECT_EQ(list->verticalScrollBar()->value(), 0);
    MouseWheel::UnhookWheel(list);
}

TEST(MouseWheel, ViewsAreKeptInHookOrderAndAllGoAtTheEnd) {
    EnsureGuiApp();
    MouseWheel::UnhookWheelAll();
    auto a = MakeList();
    auto b = MakeList();
    auto c = MakeList();
    auto gone = MakeList();
    for (QListWidget* v : {a.get(), b.get(), gone.get(), c.get()}) ASSERT_TRUE(MouseWheel::HookWheel(v));
    EXPECT_FALSE(MouseWheel::UnhookWheel(nullptr));
    ASSERT_TRUE(MouseWheel::UnhookWheel(b.get()));
    gone.reset(); // destroyed while hooked: a null entry, dropped at the end
    EXPECT_EQ(MouseWheel::Hooked(), (QList<QAbstractScrollArea*>{a.get(), nullptr, c.get()}));
    EXPECT_TRUE(MouseWheel::UnhookWheelAll());
    EXPECT_TRUE(MouseWheel::Hooked().isEmpty());
    EXPECT_TRUE(MouseWheel::UnhookWheelAll()); // the list stays, empty
}

} // namespace
