#include "platform/KeyHold.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

KeyHold::KeyHold(QWidget* window) : QObject(window), window_(window) {}

KeyHold::~KeyHold() { Watch(false); }

void KeyHold::Watch(bool on) {
    if (on == watching_ || !qApp) return;
    watching_ = on;
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

void KeyHold::Begin() {
    ++depth_;
    Watch(true);
}

void KeyHold::End() {
    if (depth_ == 0 || --depth_ > 0) return;
    if (kept_.empty()) {
        Watch(false);
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
    while (depth_ == 0 && !kept_.empty()) {
        // A window closed by a kept key takes no more of them.
        if (!window_->isVisible()) {
            kept_.clear();
            break;
        }
        const std::unique_ptr<QKeyEvent> key = std::move(kept_.front());
        kept_.pop_front();
        QWidget* to = QApplication::focusWidget();
        if (!to || to->window() != window_) to = window_;
        passing_ = key.get();
        QApplication::sendEvent(to, key.get());
        passing_ = nullptr;
    }
    if (depth_ == 0 && kept_.empty()) Watch(false);
}

bool KeyHold::eventFilter(QObject* watched, QEvent* e) {
    if (e == passing_) return false;
    if (e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease) return false;
    if (!watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != window_) return false;
    // A key reaches the control with the focus first and its parents only
    // when the control leaves it: a key that was being handled when the
    // hold began, passed up after it, is no new key.
    const QWidget* first = window_->focusWidget();
    if (watched != (first ? first : window_)) return false;
    // Kept while the window is busy, and behind the keys kept before.
    if (depth_ == 0 && kept_.empty()) return false;
    kept_.push_back(std::unique_ptr<QKeyEvent>(static_cast<QKeyEvent*>(e)->clone()));
    return true;
}
