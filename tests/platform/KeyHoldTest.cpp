#include "platform/KeyHold.h"

#include "support/GuiApp.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
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
                QKeyEvent key(QEvent::KeyPress, k & ~Qt::KeyboardModifierMask,
                              Qt::KeyboardModifiers(k & Qt::KeyboardModifierMask));
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

// Its click, late as an access key's is, opens a menu.
struct MenuButton : QPushButton {
    MenuButton() : QPushButton(QStringLiteral("&Menu")) {
        setAutoDefault(false);
        connect(this, &QPushButton::clicked, this, [this] {
            QMenu menu;
            menu.addAction(QStringLiteral("item"));
            QTimer::singleShot(1000, &menu, [&menu] { menu.close(); });
            QElapsedTimer open;
            open.start();
            menu.exec(QPoint(0, 0));
            menuOpenMs = int(open.elapsed());
        });
    }
    int menuOpenMs = -1;
};

} // namespace

// Keys typed while busy come after, once; the key that made it busy, passed
// up to the window after the hold, is not typed again. Keys behind one that
// opens a modal editor or a menu, at once or late, are its, and never reach
// the window beneath (Esc or Return there would close it).
TEST(KeyHold, KeysTypedWhileBusyComeOnceAfter) {
    EnsureGuiApp();
    const int altM = int(Qt::AltModifier) | Qt::Key_M;
    const struct {
        const char* what;
        QList<int> first, typed, control;
        int editorResult;
        bool menuClosedByKey;
    } rows[] = {
        {"down", {Qt::Key_Space}, {Qt::Key_Down}, {Qt::Key_Space, Qt::Key_Down}, -1, false},
        {"editor, then esc", {Qt::Key_Space}, {Qt::Key_Space, Qt::Key_Escape}, {Qt::Key_Space, Qt::Key_Space}, 0, false},
        {"editor, esc, then return", {Qt::Key_Space}, {Qt::Key_Space, Qt::Key_Escape, Qt::Key_Return},
         {Qt::Key_Space, Qt::Key_Space}, 0, false},
        {"late menu, then esc", {Qt::Key_Space}, {altM, Qt::Key_Escape}, {Qt::Key_Space}, -1, true},
        {"late menu, then esc, idle", {altM, Qt::Key_Escape}, {}, {}, -1, true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        QDialog window;
        auto* control = new BusyControl;
        control->setParent(&window);
        control->hold = new KeyHold(&window);
        control->typed = r.typed;
        control->setFocusPolicy(Qt::StrongFocus);
        auto* menuButton = new MenuButton;
        auto* ok = new QPushButton(QStringLiteral("OK"));
        ok->setDefault(true);
        QObject::connect(ok, &QPushButton::clicked, &window, &QDialog::accept);
        auto* box = new QVBoxLayout(&window);
        for (QWidget* w : {static_cast<QWidget*>(control), static_cast<QWidget*>(menuButton), static_cast<QWidget*>(ok)})
            box->addWidget(w);
        window.show();
        QApplication::setActiveWindow(&window);
        control->setFocus();
        for (const int k : r.first) {
            QKeyEvent key(QEvent::KeyPress, k & ~Qt::KeyboardModifierMask,
                          Qt::KeyboardModifiers(k & Qt::KeyboardModifierMask));
            QApplication::sendEvent(control, &key);
        }
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < (r.menuClosedByKey ? 300 : 50)) QApplication::processEvents();
        EXPECT_EQ(control->keys, r.control);
        EXPECT_EQ(control->editorResult, r.editorResult);
        EXPECT_EQ(menuButton->menuOpenMs >= 0 && menuButton->menuOpenMs < 500, r.menuClosedByKey);
        EXPECT_TRUE(window.isVisible());
    }
}
