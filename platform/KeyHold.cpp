#include "platform/KeyHold.h"

#include "platform/EventHook.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

KeyHold::KeyHold(QWidget* window) : QObject(window), window_(window) {
    // An access key typed while the window is idle holds the keys behind
    // it too, so the application's events are watched while it is shown.
    window->installEventFilter(new EventHook(
        [this](QObject*, QEvent* e) {
            if (e->type() == QEvent::Show || e->type() == QEvent::Hide) UpdateWatch();
            return false;
        },
        this));
    UpdateWatch();
}

KeyHold::~KeyHold() {
    if (watching_ && qApp) qApp->removeEventFilter(this);
}

void KeyHold::UpdateWatch() {
    const bool on = window_->isVisible() || depth_ > 0 || !kept_.empty();
    if (on == watching_ || !qApp) return;
    watching_ = on;
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

void KeyHold::Begin() {
    ++depth_;
    UpdateWatch();
    // Ahead of filters installed since (the dialog's own Enter key): a
    // key typed now is kept before anything acts on it.
    if (qApp) qApp->installEventFilter(this);
}

void KeyHold::End() {
    if (depth_ == 0 || --depth_ > 0) return;
    if (kept_.empty()) {
        UpdateWatch();
        return;
    }
    // Later: the code that asked for the hold finishes first, as it would
    // have before the next key came.
    if (!replayDue_) {
        replayDue_ = true;
        QTimer::singleShot(0, this, [this] { Replay(); });
    }
}

void KeyHold::Replay() {
    replayDue_ = false;
    // Not inside a hold (the timer may fire within one): its End starts
    // the round again.
    if (depth_ == 0) Deliver(window_);
    if (depth_ == 0 && kept_.empty()) UpdateWatch();
}

void KeyHold::Deliver(QWidget* target) {
    while (!kept_.empty()) {
        if (target == window_ && depth_ > 0) return;
        // A window closed by a kept key takes no more of them.
        if (!target->isVisible()) {
            kept_.clear();
            return;
        }
        const std::unique_ptr<QKeyEvent> key = std::move(kept_.front());
        kept_.pop_front();
        QWidget* to = QApplication::focusWidget();
        // A window just opened may not be active yet: the control it gave
        // the focus to.
        if (!to || to->window() != target)
            to = target != window_ && target->focusWidget() ? target->focusWidget() : target;
        const QKeyEvent* outer = passing_;
        passing_ = key.get();
        opened_.emplace_back();
        QApplication::sendEvent(to, key.get());
        const QPointer<QWidget> opened = opened_.back();
        opened_.pop_back();
        passing_ = outer;
        // The keys behind the one that opened a modal window were its: still
        // open (not run in a loop of its own), it takes them now; closed,
        // they go with it.
        if (opened) {
            if (opened->isVisible()) Deliver(opened);
            kept_.clear();
            return;
        }
    }
}

bool KeyHold::TakesKeys(const QWidget* w) {
    return w->isWindow() && (w->isModal() || w->windowType() == Qt::Popup);
}

void KeyHold::ClickBegun(QAbstractButton* button) {
    clickHeld_ = true;
    clickOpened_ = nullptr;
    Begin();
    // After the product's own handlers, so that what they open is known.
    clickDone_ = connect(button, &QAbstractButton::clicked, this, [this] { ClickDone(); });
    // A key that only moved the focus, or a button gone, clicks nothing.
    QTimer::singleShot(0, this, [this, b = QPointer<QAbstractButton>(button)] {
        if (!b || !b->isDown()) ClickDone();
    });
}

void KeyHold::ClickDone() {
    if (!clickHeld_) return;
    clickHeld_ = false;
    disconnect(clickDone_);
    const QPointer<QWidget> opened = clickOpened_;
    clickOpened_ = nullptr;
    if (opened) {
        if (opened->isVisible()) Deliver(opened);
        kept_.clear();
    }
    End();
}

bool KeyHold::eventFilter(QObject* watched, QEvent* e) {
    if (e == passing_) return false;
    if (e->type() == QEvent::Show && watched->isWidgetType() && TakesKeys(static_cast<QWidget*>(watched))) {
        auto* shown = static_cast<QWidget*>(watched);
        if (!opened_.empty() && !opened_.back()) {
            opened_.back() = shown;
        } else if (clickHeld_ && !clickOpened_) {
            clickOpened_ = shown;
        } else {
            return false;
        }
        // A modal window or menu runs a loop of its own inside the key's
        // send or the click: the keys behind go to it from there.
        QTimer::singleShot(0, this, [this, to = QPointer<QWidget>(shown)] {
            if (to && ((!opened_.empty() && opened_.back() == to) || clickOpened_ == to)) Deliver(to);
        });
        return false;
    }
    if (e->type() == QEvent::Shortcut && !clickHeld_) {
        auto* button = qobject_cast<QAbstractButton*>(watched);
        if (button && button->window() == window_) ClickBegun(button);
        return false;
    }
    const bool override = e->type() == QEvent::ShortcutOverride;
    if (!override && e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease) return false;
    // The shortcut of a kept key being sent acts now: its turn has come.
    if (override && passing_ && static_cast<QKeyEvent*>(e)->keyCombination() == passing_->keyCombination())
        return false;
    if (!watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != window_) return false;
    // A key reaches the control with the focus first and its parents only
    // when the control leaves it: a key that was being handled when the
    // hold began, passed up after it, is no new key.
    const QWidget* first = window_->focusWidget();
    if (watched != (first ? first : window_)) return false;
    // Kept while the window is busy, and behind the keys kept before.
    if (depth_ == 0 && kept_.empty()) return false;
    // A shortcut would act on it now, ahead of the keys before it: it
    // comes as a key press, kept, and acts when its turn comes.
    if (override) {
        e->accept();
        return true;
    }
    kept_.push_back(std::unique_ptr<QKeyEvent>(static_cast<QKeyEvent*>(e)->clone()));
    return true;
}
