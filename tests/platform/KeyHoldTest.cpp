#include "platform/KeyHold.h"

#include "support/GuiApp.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// Busy on its first Space, while `typed` is typed; like a grid it leaves its
// window the keys it has no more use for. A later Space opens an editor.
struct BusyControl : QWidget {
    KeyHold* hold = nullptr;
    QList<int> typed, keys;
    int editorResult = -1;
    void keyPressEvent(QKeyEvent* e) override {
        keys << e->key();
        if (e->key() == Qt::Key_Space && keys.size() == 1) {
            const KeyHold::Scope busy(*hold);
            for (const int k : typed) {
                QKeyEvent key(QEvent::KeyPress, k, Qt::NoModifier);
                QApplication::sendEvent(this, &key);
            }
        } else if (e->key() == Qt::Key_Space) {
            QDialog editor(this);
            // Left open, it would wait for a key that never comes.
            QTimer::singleShot(1000, &editor, [&editor] { editor.done(2); });
            editorResult = editor.exec();
        }
        e->ignore();
    }
};

} // namespace

// Keys typed while busy come after, once; the key that made it busy, passed
// up to the window after the hold, is not typed again. Keys behind one that
// opens a modal editor are the editor's, and never reach the window beneath
// (Esc or Return there would close it).
TEST(KeyHold, KeysTypedWhileBusyComeOnceAfter) {
    EnsureGuiApp();
    const struct {
        const char* what;
        QList<int> typed, control;
        int editorResult;
    } rows[] = {
        {"down", {Qt::Key_Down}, {Qt::Key_Space, Qt::Key_Down}, -1},
        {"editor, then esc", {Qt::Key_Space, Qt::Key_Escape}, {Qt::Key_Space, Qt::Key_Space}, 0},
        {"editor, esc, then return", {Qt::Key_Space, Qt::Key_Escape, Qt::Key_Return}, {Qt::Key_Space, Qt::Key_Space}, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        QDialog window;
        auto* control = new BusyControl;
        control->setParent(&window);
        control->hold = new KeyHold(&window);
        control->typed = r.typed;
        control->setFocusPolicy(Qt::StrongFocus);
        window.show();
        QApplication::setActiveWindow(&window);
        control->setFocus();
        QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
        QApplication::sendEvent(control, &space);
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 50) QApplication::processEvents();
        EXPECT_EQ(control->keys, r.control);
        EXPECT_EQ(control->editorResult, r.editorResult);
        EXPECT_TRUE(window.isVisible());
    }
}
