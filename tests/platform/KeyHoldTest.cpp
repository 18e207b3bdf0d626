#include "platform/KeyHold.h"

#include "support/GuiApp.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// Busy on Space, while Down is typed; like a grid it leaves its window the
// keys it has no more use for.
struct BusyControl : QWidget {
    KeyHold* hold = nullptr;
    QList<int> keys;
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

// The key typed while busy comes after, once; the key that made it busy,
// passed up to the window after the hold, is not typed again.
TEST(KeyHold, KeysTypedWhileBusyComeOnceAfter) {
    EnsureGuiApp();
    QWidget window;
    auto* control = new BusyControl;
    control->setParent(&window);
    control->hold = new KeyHold(&window);
    control->setFocusPolicy(Qt::StrongFocus);
    window.show();
    QApplication::setActiveWindow(&window);
    control->setFocus();
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
    QApplication::sendEvent(control, &space);
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 50) QApplication::processEvents();
    EXPECT_EQ(control->keys, (QList<int>{Qt::Key_Space, Qt::Key_Down}));
}
