#include "platform/KeyHold.h"

#include "platform/EventHook.h"
#include "platform/KeyboardOwner.h"

#include "support/GuiApp.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>

namespace {

// The program's help: a window beside the one it was asked from, closed by
// Esc, and taking the keyboard only once it is active.
struct HelpWindow : QWidget {
    HelpWindow() {
        auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
        connect(esc, &QShortcut::activated, this, [this] {
            closedByKey = true;
            close();
            if (closed) closed();
        });
    }
    void Open() {
        show();
        raise();
        activateWindow();
    }
    bool closedByKey = false;
    std::function<void()> closed; // right after Esc closed it
};

// Busy on its first Space, while `typed` is typed; like a grid it leaves its
// window the keys it has no more use for. A later Space opens an editor, F1
// the help.
struct BusyControl : QWidget {
    KeyHold* hold = nullptr;
    HelpWindow* help = nullptr;
    QList<int> typed, keys;
    int editorResult = -1;
    void keyPressEvent(QKeyEvent* e) override {
        keys << e->key();
        if (e->key() == Qt::Key_Space && keys.size() == 1) {
            const KeyHold::Scope busy(*hold);
            for (const int k : typed) Type(this, k);
        } else if (e->key() == Qt::Key_Space) {
            QDialog editor(this);
            // Left open, it would wait for a key that never comes.
            QTimer::singleShot(1000, &editor, [&editor] { editor.done(2); });
            editorResult = editor.exec();
        } else if (e->key() == Qt::Key_F1) {
            help->Open();
        }
        e->ignore();
    }
    static void Type(QWidget* to, int k) {
        const int code = k & ~Qt::KeyboardModifierMask;
        const auto mods = Qt::KeyboardModifiers(k & Qt::KeyboardModifierMask);
        // A menu finds its item by the key's text.
        const QString text = mods == Qt::NoModifier && code >= Qt::Key_A && code <= Qt::Key_Z
                                 ? QString(QChar(code).toLower())
                                 : QString();
        QKeyEvent key(QEvent::KeyPress, code, mods, text);
        QApplication::sendEvent(to, &key);
        QKeyEvent release(QEvent::KeyRelease, code, mods, text);
        QApplication::sendEvent(to, &release);
    }
};

// Its click, late as an access key's is, opens a menu whose command keeps
// the window busy while `typedAfter` is typed.
struct MenuButton : QPushButton {
    explicit MenuButton(BusyControl* control) : QPushButton(QStringLiteral("&Menu")) {
        setAutoDefault(false);
        connect(this, &QPushButton::clicked, this, [this, control] {
            QMenu menu;
            QObject::connect(menu.addAction(QStringLiteral("&hide")), &QAction::triggered, [control, this] {
                const KeyHold::Scope busy(*control->hold);
                for (const int k : typedAfter) BusyControl::Type(control, k);
            });
            QTimer::singleShot(1000, &menu, [&menu] { menu.close(); });
            QElapsedTimer open;
            open.start();
            keysBeforeMenu = int(control->keys.size());
            menu.exec(QPoint(0, 0));
            menuOpenMs = int(open.elapsed());
        });
    }
    QList<int> typedAfter;
    int menuOpenMs = -1;
    int keysBeforeMenu = -1;
};

} // namespace

// Keys typed while busy come after, once and in order; the key that made it
// busy, passed up to the window after the hold, is not typed again. Keys
// behind one that opens a window (an editor, a menu, the help), at once or
// late, are its, and never reach the window beneath (Esc or Return there
// would close it); those typed after it closed are the window's again, and
// so are its access keys. A late click asked for by a window that has closed
// since opens nothing.
TEST(KeyHold, KeysTypedWhileBusyComeOnceAfter) {
    EnsureGuiApp();
    const int altM = int(Qt::AltModifier) | Qt::Key_M;
    const int altH = int(Qt::AltModifier) | Qt::Key_H;
    const int altA = int(Qt::AltModifier) | Qt::Key_A;
    enum Menu { NoMenu, ClosedByKey, ClosedByCommand };
    // What happens right after the first keys; or once they are done with,
    // within 1 s of the help's close: Qt's activation taken away by a window
    // that is no widget's, as X may take it after a close; Qt's activation
    // lost before the help closes; another program given the keyboard, and
    // then Qt's activation lost; another window of the program activated; a
    // message box opened that never becomes active, and Qt's activation
    // lost meanwhile; the window closed; a click on a window it blocks.
    enum Then {
        Nothing, CloseWindow, CloseHelp, ClickWindow, ActivationLost, HelpClosedInactive, OtherProgram,
        OtherWindow, MessageBox, CloseAfter, ClickBlocked
    };
    // The help: beside the window, or one the window manager never makes
    // active, or open already before the first keys.
    enum Help { Beside, NeverActive, OpenBefore };
    const struct {
        const char* what;
        QList<int> first, typed, control;
        int editorResult;
        Menu menu;
        QList<int> typedAfter = {};
        bool helpClosedByKey = false;
        int keysBeforeMenu = -1;
        Then then = Nothing;
        QList<int> second = {}; // typed once the first keys are done with
        Help helpKind = Beside;
        int waitMs = 300;
        bool activeAfter = true; // the window has the keyboard for Qt at the end
        bool modal = false;      // opened as the program's dialogs are, over a main window
    } rows[] = {
        {"down", {Qt::Key_Space}, {Qt::Key_Down}, {Qt::Key_Space, Qt::Key_Down}, -1, NoMenu},
        {"editor, then esc", {Qt::Key_Space}, {Qt::Key_Space, Qt::Key_Escape}, {Qt::Key_Space, Qt::Key_Space}, 0, NoMenu},
        {"editor, esc, then return", {Qt::Key_Space}, {Qt::Key_Space, Qt::Key_Escape, Qt::Key_Return},
         {Qt::Key_Space, Qt::Key_Space}, 0, NoMenu},
        {"late menu, then esc", {Qt::Key_Space}, {altM, Qt::Key_Escape}, {Qt::Key_Space}, -1, ClosedByKey},
        {"late menu, then esc, idle", {altM, Qt::Key_Escape}, {}, {}, -1, ClosedByKey},
        {"late menu, esc, then down", {altM, Qt::Key_Escape, Qt::Key_Down}, {}, {}, -1, ClosedByKey},
        {"menu behind other keys", {Qt::Key_Space}, {Qt::Key_Down, altM, Qt::Key_Escape}, {Qt::Key_Space, Qt::Key_Down},
         -1, ClosedByKey, {}, false, 2},
        {"menu command, then keys while it is busy", {altM, Qt::Key_H}, {}, {Qt::Key_Left, Qt::Key_Left}, -1,
         ClosedByCommand, {Qt::Key_Left, Qt::Key_Left}},
        {"late help, then esc", {altH, Qt::Key_Escape}, {}, {}, -1, NoMenu, {}, true},
        {"help, then esc", {Qt::Key_F1, Qt::Key_Escape}, {}, {Qt::Key_F1}, -1, NoMenu, {}, true},
        {"help, esc, then return", {Qt::Key_F1, Qt::Key_Escape, Qt::Key_Return}, {}, {Qt::Key_F1}, -1, NoMenu, {}, true},
        {"access key of two buttons, then down", {altA, Qt::Key_Down}, {}, {Qt::Key_Down}, -1, NoMenu},
        {"late menu of a closed window", {altM}, {}, {}, -1, NoMenu, {}, false, -1, CloseWindow},
        {"help never active, keys after the limit", {Qt::Key_F1}, {}, {Qt::Key_F1}, -1, NoMenu, {}, false, -1, Nothing,
         {}, NeverActive, 1500},
        {"help never active, closed before it is", {Qt::Key_F1, Qt::Key_Down}, {}, {Qt::Key_F1}, -1, NoMenu, {}, false,
         -1, CloseHelp, {}, NeverActive},
        {"help never active, a click back into the window", {Qt::Key_F1}, {}, {Qt::Key_F1}, -1, NoMenu, {}, false, -1,
         ClickWindow, {}, NeverActive},
        {"late help, esc, then help by F1 and esc", {altH, Qt::Key_Escape}, {}, {Qt::Key_F1}, -1, NoMenu, {}, true, -1,
         Nothing, {Qt::Key_F1, Qt::Key_Escape}},
        {"late help, esc, then the activation goes", {altH, Qt::Key_Escape}, {}, {}, -1, NoMenu, {}, true, -1,
         ActivationLost},
        {"late help, esc, then the activation goes long after", {altH, Qt::Key_Escape}, {}, {}, -1, NoMenu, {}, true, -1,
         ActivationLost, {}, Beside, 2500, false},
        {"help open already, brought to the front, then esc", {Qt::Key_F1, Qt::Key_Escape}, {}, {Qt::Key_F1}, -1, NoMenu,
         {}, true, -1, Nothing, {}, OpenBefore},
        {"modal, late help, esc, then the activation goes", {altH, Qt::Key_Escape}, {}, {}, -1, NoMenu, {}, true, -1,
         ActivationLost, {}, Beside, 300, true, true},
        {"help active, Qt's activation gone, then closed", {Qt::Key_F1}, {}, {Qt::Key_F1}, -1, NoMenu, {}, false, -1,
         HelpClosedInactive},
        {"late help, esc, then another program", {altH, Qt::Key_Escape}, {}, {}, -1, NoMenu, {}, true, -1, OtherProgram,
         {}, Beside, 300, false},
        {"late help, esc, then another window", {altH, Qt::Key_Escape}, {}, {}, -1, NoMenu, {}, true, -1, OtherWindow, {},
         Beside, 300, false},
        {"late help, esc, then a message box", {altH, Qt::Key_Escape}, {}, {}, -1, NoMenu, {}, true, -1, MessageBox},
        {"modal, late help, esc, then esc", {altH, Qt::Key_Escape}, {}, {Qt::Key_Escape}, -1, NoMenu, {}, true, -1,
         CloseAfter, {}, Beside, 300, false, true},
        {"modal, a click on the main window, then esc", {}, {}, {Qt::Key_Escape}, -1, NoMenu, {}, false, -1,
         ClickBlocked, {}, Beside, 300, false, true},
    };
    struct WindowSystem {
        ~WindowSystem() { KeyboardOwner::SetForTests({}); }
    } windowSystem;
    // Qt's activation taken away by a window that is no widget's.
    const auto loseActivation = [] {
        QWindow other;
        other.show();
        QElapsedTimer t;
        for (t.start(); QGuiApplication::focusWindow() != &other && t.elapsed() < 1000;) QApplication::processEvents();
        other.hide();
        QApplication::processEvents();
    };
    const auto settle = [](int ms) {
        QElapsedTimer t;
        for (t.start(); t.elapsed() < ms;) QApplication::processEvents();
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        KeyboardOwner::SetForTests({});
        // The main window the program's dialogs are modal to, with the
        // program's own hold.
        QWidget main;
        new KeyHold(&main);
        QDialog window;
        if (r.modal) {
            main.show();
            window.setParent(&main, Qt::Dialog);
            window.setWindowModality(Qt::WindowModal);
        }
        auto* control = new BusyControl;
        control->setParent(&window);
        control->hold = new KeyHold(&window);
        control->typed = r.typed;
        control->setFocusPolicy(Qt::StrongFocus);
        HelpWindow help;
        help.setAttribute(Qt::WA_DontShowOnScreen, r.helpKind == NeverActive);
        control->help = &help;
        // Esc typed twice at once: the window closes before the help's
        // close is done with, and is never made active once hidden.
        int activatedHidden = 0;
        EventHook hidden([&activatedHidden, &window](QObject*, QEvent* e) {
            activatedHidden += e->type() == QEvent::WindowActivate && !window.isVisible();
            return false;
        });
        if (r.then == CloseAfter) {
            help.closed = [control] { BusyControl::Type(control, Qt::Key_Escape); };
            window.installEventFilter(&hidden);
        }
        auto* menuButton = new MenuButton(control);
        menuButton->typedAfter = r.typedAfter;
        auto* helpButton = new QPushButton(QStringLiteral("&Help"));
        QObject::connect(helpButton, &QPushButton::clicked, &help, &HelpWindow::Open);
        int backClicks = 0;
        auto* back = new QPushButton(QStringLiteral("&Back"));
        QObject::connect(back, &QPushButton::clicked, [&backClicks] { ++backClicks; });
        auto* ok = new QPushButton(QStringLiteral("OK"));
        ok->setDefault(true);
        QObject::connect(ok, &QPushButton::clicked, &window, &QDialog::accept);
        auto* box = new QVBoxLayout(&window);
        for (QWidget* w : {static_cast<QWidget*>(control), static_cast<QWidget*>(menuButton),
                           static_cast<QWidget*>(helpButton), static_cast<QWidget*>(back), static_cast<QWidget*>(ok)})
            box->addWidget(w);
        for (int i = 0; i < 2; ++i) {
            auto* twin = new QPushButton(QStringLiteral("&Ambiguous"));
            twin->setFocusPolicy(Qt::NoFocus);
            box->addWidget(twin);
        }
        window.show();
        QElapsedTimer t;
        if (r.helpKind == OpenBefore) {
            help.Open();
            for (t.start(); !help.isActiveWindow() && t.elapsed() < 1000;) QApplication::processEvents();
        }
        QApplication::setActiveWindow(&window);
        control->setFocus();
        for (const int k : r.first) BusyControl::Type(control, k);
        if (r.then == CloseWindow) window.reject();
        if (r.then == CloseHelp) help.close();
        if (r.then == ClickWindow) QTest::mouseClick(control, Qt::LeftButton);
        for (t.start(); t.elapsed() < r.waitMs;) QApplication::processEvents();
        if (r.then == ActivationLost) loseActivation();
        if (r.then == HelpClosedInactive) {
            QApplication::setActiveWindow(nullptr);
            help.close();
            settle(100);
        }
        if (r.then == OtherProgram) {
            KeyboardOwner::SetForTests([](const QWidget*) { return false; });
            loseActivation();
            settle(100);
        }
        QWidget otherWindow;
        if (r.then == OtherWindow) {
            otherWindow.show();
            otherWindow.activateWindow();
            settle(300);
            EXPECT_EQ(QApplication::activeWindow(), &otherWindow);
        }
        if (r.then == MessageBox) {
            QDialog box(&window);
            box.setWindowModality(Qt::WindowModal);
            box.setAttribute(Qt::WA_DontShowOnScreen);
            box.show();
            loseActivation();
            settle(100);
            EXPECT_FALSE(window.isActiveWindow());
            box.close();
            settle(100);
        }
        if (r.then == CloseAfter) {
            EXPECT_EQ(QApplication::activeWindow(), &main);
            EXPECT_EQ(activatedHidden, 0);
            window.removeEventFilter(&hidden);
        }
        if (r.then == ClickBlocked) {
            main.activateWindow();
            settle(300);
            QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Escape);
            settle(100);
        }
        for (const int k : r.second) BusyControl::Type(control, k);
        for (t.start(); !r.second.isEmpty() && t.elapsed() < r.waitMs;) QApplication::processEvents();
        // The hold is over: a key typed now acts at once.
        const bool closed = r.then == CloseWindow || r.then == CloseAfter || r.then == ClickBlocked;
        if (!closed) BusyControl::Type(control, Qt::Key_F5);
        EXPECT_EQ(control->keys, closed ? r.control : r.control + QList<int>{Qt::Key_F5});
        EXPECT_EQ(control->editorResult, r.editorResult);
        EXPECT_EQ(menuButton->menuOpenMs >= 0, r.menu != NoMenu);
        EXPECT_EQ(menuButton->menuOpenMs >= 0 && menuButton->menuOpenMs < 500, r.menu != NoMenu);
        if (r.keysBeforeMenu >= 0) {
            EXPECT_EQ(menuButton->keysBeforeMenu, r.keysBeforeMenu);
        }
        EXPECT_EQ(help.closedByKey, r.helpClosedByKey);
        EXPECT_EQ(help.isVisible(), r.helpKind == NeverActive && r.then != CloseHelp);
        help.close();
        EXPECT_EQ(window.isVisible(), !closed);
        if (closed) continue;
        // The window has the keyboard as far as Qt knows too: its access
        // keys act, late as they always are. Taken long after the close, the
        // keyboard went elsewhere for real.
        BusyControl::Type(control, int(Qt::AltModifier) | Qt::Key_B);
        for (t.restart(); backClicks == 0 && t.elapsed() < 1000;) QApplication::processEvents();
        EXPECT_EQ(backClicks, r.activeAfter ? 1 : 0);
    }
}
