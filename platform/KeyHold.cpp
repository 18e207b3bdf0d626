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
    if (depth_ == 0) Deliver(window_);
    if (depth_ == 0 && kept_.empty()) Watch(false);
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

bool KeyHold::eventFilter(QObject* watched, QEvent* e) {
    if (e == passing_) return false;
    if (e->type() == QEvent::Show && !opened_.empty() && watched->isWidgetType()) {
        auto* shown = static_cast<QWidget*>(watched);
        if (shown->isWindow() && shown->isModal() && !opened_.back()) {
            opened_.back() = shown;
            // A modal window runs a loop of its own inside the key's send:
            // the keys behind it go to it from there.
            const size_t level = opened_.size();
            QTimer::singleShot(0, this, [this, level, to = QPointer<QWidget>(shown)] {
                if (to && opened_.size() == level && opened_.back() == to) Deliver(to);
            });
        }
        return false;
    }
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
