#include "platform/KeyHold.h"

#include "support/GuiApp.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// A control that gets busy on Space (a key typed meanwhile is kept) and,
// like a grid, leaves its window the keys it has no more use for.
class BusyControl : public QWidget {
public:
    using QWidget::QWidget;
    KeyHold* hold = nullptr;
    QList<int> keys;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        keys << e->key();
        if (e->key() == Qt::Key_Space) {
            const KeyHold::Scope busy(*hold);
            QKeyEvent typed(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
            QApplication::sendEvent(this, &typed);
        }
        e->ignore();
    }
};

} // namespace

TEST(KeyHold, AKeyTypedWhileBusyComesOnceAndTheKeyBeingHandledNotAgain) {
    EnsureGuiApp();
    QWidget window;
    auto* control = new BusyControl(&window);
    control->hold = new KeyHold(&window);
    control->setFocusPolicy(Qt::StrongFocus);
    window.show();
    QApplication::setActiveWindow(&window);
    control->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), control);
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
    QApplication::sendEvent(control, &space);
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 50) QApplication::processEvents();
    EXPECT_EQ(control->keys, (QList<int>{Qt::Key_Space, Qt::Key_Down}));
}
