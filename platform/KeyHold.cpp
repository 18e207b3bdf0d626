#include "platform/KeyHold.h"

#include "platform/EventHook.h"
#include "platform/KeyboardOwner.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

// Long enough for any window manager to hand over the keyboard; one that
// never does must not keep the window's keys from it for good.
constexpr int kAwaitLimitMs = 1000;

bool IsAncestor(const QWidget* w, const QWidget* of) {
    for (const QWidget* p = of->parentWidget(); p; p = p->parentWidget())
        if (p == w) return true;
    return false;
}

} // namespace

KeyHold::KeyHold(QWidget* window) : QObject(window), window_(window), awaitLimit_(new QTimer(this)) {
    awaitLimit_->setSingleShot(true);
    awaitLimit_->setInterval(kAwaitLimitMs);
    connect(awaitLimit_, &QTimer::timeout, this, [this] { AwaitDone(); });
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
    const bool on = window_->isVisible() || depth_ > 0 || !kept_.empty() || awaited_;
    if (on == watching_ || !qApp) return;
    watching_ = on;
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

void KeyHold::WatchFirst() {
    UpdateWatch();
    if (watching_ && qApp) qApp->installEventFilter(this);
}

void KeyHold::Begin() {
    ++depth_;
    WatchFirst();
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
    // the round again. Those for a window not active yet go once it is.
    if (depth_ == 0 && !awaited_) Deliver(window_);
    UpdateWatch();
}

void KeyHold::Deliver(QWidget* target) {
    while (!kept_.empty()) {
        // The keys typed for a window went with it when it closed; those
        // kept since are this window's.
        if (!target->isVisible() && target != window_) target = window_;
        if (target == window_ && (depth_ > 0 || awaited_)) return;
        if (!target->isVisible()) {
            kept_.clear();
            return;
        }
        const std::unique_ptr<QKeyEvent> key = std::move(kept_.front());
        kept_.pop_front();
        QWidget* to = QApplication::focusWidget();
        // A window just opened, or one a menu has just left, may not be
        // active yet: the control it gave the focus to.
        if (!to || to->window() != target) to = target->focusWidget() ? target->focusWidget() : target;
        const QKeyEvent* outer = passing_;
        passing_ = key.get();
        opened_.emplace_back();
        QApplication::sendEvent(to, key.get());
        const QPointer<QWidget> opened = opened_.back();
        opened_.pop_back();
        passing_ = outer;
        // Still open, beside the window rather than in a loop of its own:
        // the keys behind are its. Opened and closed again, it took those
        // typed for it along, and the ones kept since are the target's.
        if (opened && opened->isVisible()) return;
    }
}

void KeyHold::DeliverSoon(QWidget* target) {
    // A menu runs a loop of its own inside the key's send or the click:
    // the keys behind go to it from there.
    QTimer::singleShot(0, this, [this, to = QPointer<QWidget>(target)] {
        const bool current = clickOpened_ == to || (!opened_.empty() && opened_.back() == to);
        if (to && current && !kept_.empty()) Deliver(to);
    });
}

bool KeyHold::TakesKeys(const QWidget* w) {
    if (w->testAttribute(Qt::WA_ShowWithoutActivating) || w->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus))
        return false;
    switch (w->windowType()) {
    case Qt::Window:
    case Qt::Dialog:
    case Qt::Sheet:
    case Qt::Popup: return true;
    default: return false;
    }
}

bool KeyHold::IsOpening(const QWidget* w) const {
    if (w == awaited_ || w == clickOpened_) return true;
    for (const QPointer<QWidget>& o : opened_)
        if (o == w) return true;
    return false;
}

void KeyHold::Opened(QWidget* w) {
    if (IsOpening(w)) return;
    const bool popup = w->windowType() == Qt::Popup;
    if (!opened_.empty() && !opened_.back()) {
        opened_.back() = w;
    } else if (clickHeld_ && !clickOpened_) {
        clickOpened_ = w;
    } else if (QApplication::activeWindow() != window_ || popup) {
        // Not this window's doing; or a menu or list of its, which takes
        // its keys from Qt at once.
        return;
    }
    // A menu takes the keys at once; a window once it is active, as
    // shortcuts and access keys act only there.
    if (popup || w->isActiveWindow())
        DeliverSoon(w);
    else
        Await(w);
}

void KeyHold::Closed(QWidget* w) {
    // Typed for it after what opened it: the window beneath never gets them.
    kept_.clear();
    if (w == awaited_) {
        awaited_ = nullptr;
        awaitLimit_->stop();
    }
    UpdateWatch();
}

void KeyHold::Await(QWidget* w) {
    awaited_ = w;
    awaitLimit_->start();
    WatchFirst();
}

void KeyHold::AwaitDone() {
    const QPointer<QWidget> w = awaited_;
    awaitLimit_->stop();
    // The keys typed before it took the keyboard are its, or go with it;
    // awaited still while they are sent, so that those behind the one that
    // closes it go with it too.
    if (w && w->isVisible())
        Deliver(w);
    else
        kept_.clear();
    if (awaited_ == w) awaited_ = nullptr;
    UpdateWatch();
}

void KeyHold::ReclaimSoon() {
    // Once the close, or the change of activation, is done.
    QTimer::singleShot(0, this, [this] { Reclaim(); });
}

void KeyHold::Reclaim() {
    // Closed before the window manager moved the keyboard to it (a busy
    // machine), it never had the keyboard for X, which sends no focus event
    // when it goes: Qt is left with no active window, and access keys and
    // shortcuts, matched only there, would go dead while plain keys still
    // come to this window. Not while a dialog of its own is over it.
    if (!window_->isVisible()) return;
    const QWidget* active = QApplication::activeWindow();
    if (active && active->isVisible()) return;
    const QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != window_) return;
    // Gone to another program meanwhile: this one is inactive for real.
    if (KeyboardOwner::HasKeyboard(window_) == false) return;
    QApplication::setActiveWindow(window_);
}

bool KeyHold::Blocks(const QWidget* w) const {
    if (w == window_ || !window_->isVisible() || QApplication::activeModalWidget() != window_) return false;
    const QWindow* modal = window_->windowHandle();
    const QWindow* other = w->windowHandle();
    // Opened from it, as the help is: never blocked.
    if (!modal || !other || modal->isAncestorOf(other, QWindow::IncludeTransients)) return false;
    if (window_->windowModality() == Qt::ApplicationModal) return true;
    // Modal to its own: the windows it was opened from, and theirs.
    const auto up = [](const QWindow* x) { return x->parent() ? x->parent() : x->transientParent(); };
    for (const QWindow* a = other; a; a = up(a))
        for (const QWindow* m = up(modal); m; m = up(m))
            if (m == a) return true;
    return false;
}

void KeyHold::ClickBegun(QAbstractButton* button) {
    clickHeld_ = true;
    clickButton_ = button;
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
    clickOpened_ = nullptr;
    clickButton_ = nullptr;
    End();
}

bool KeyHold::KeepKey(QWidget* watched, QEvent* e) {
    auto* key = static_cast<QKeyEvent*>(e);
    const bool override = e->type() == QEvent::ShortcutOverride;
    // The shortcut of a kept key being sent acts now: its turn has come.
    if (override && passing_ && key->keyCombination() == passing_->keyCombination()) return false;
    if (watched->window() != window_) return false;
    // A key reaches the control with the focus first and its parents only
    // when the control leaves it: a key that was being handled when the
    // hold began, passed up after it, is no new key.
    const QWidget* first = window_->focusWidget();
    if (watched != (first ? first : window_)) return false;
    // Kept while the window is busy, behind the keys kept before, or for
    // the window it opened.
    if (depth_ == 0 && kept_.empty() && !awaited_) return false;
    // A shortcut would act on it now, ahead of the keys before it: it
    // comes as a key press, kept, and acts when its turn comes.
    if (override) {
        e->accept();
        return true;
    }
    kept_.push_back(std::unique_ptr<QKeyEvent>(key->clone()));
    return true;
}

bool KeyHold::eventFilter(QObject* watched, QEvent* e) {
    if (e == passing_ || !watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(watched);
    switch (e->type()) {
    case QEvent::Show:
    case QEvent::ZOrderChange:
        // Shown, or brought to the front when it was open already.
        if (w->isWindow() && w != window_ && w->isVisible() && TakesKeys(w) && !IsAncestor(w, window_)) Opened(w);
        return false;
    case QEvent::Hide:
        if (e->spontaneous() || !w->isWindow() || w == window_) return false;
        // Closed while it had the keyboard (Qt lets go of it first), or
        // before it was given it.
        if (window_->isVisible() && TakesKeys(w) && (!QApplication::activeWindow() || IsOpening(w))) {
            reclaimUntil_.setRemainingTime(kAwaitLimitMs);
            ReclaimSoon();
        }
        if (IsOpening(w)) Closed(w);
        return false;
    case QEvent::WindowActivate:
        if (w == awaited_) AwaitDone();
        // A click on a window this one blocks gave that window the keyboard,
        // and Qt drops every key typed there: this one takes it, as desktops
        // do for a modal dialog.
        if (w->isWindow() && Blocks(w)) {
            QTimer::singleShot(0, this, [this] {
                const QWidget* active = QApplication::activeWindow();
                if (!active || !Blocks(active)) return;
                window_->raise();
                window_->activateWindow();
            });
        }
        return false;
    case QEvent::WindowDeactivate:
        // X may take it away again a little after the close, once it has
        // waited in vain for a focus event.
        if (w == window_ && !reclaimUntil_.hasExpired()) ReclaimSoon();
        return false;
    case QEvent::MouseButtonPress:
        // Back to this window by hand: it has the keyboard again.
        if (awaited_ && e->spontaneous() && w->window() == window_) AwaitDone();
        return false;
    case QEvent::Timer:
        if (clickHeld_ && w == clickButton_ && !window_->isVisible()) {
            // Asked for by a window that has closed since: it opens nothing.
            w->blockSignals(true);
            QTimer::singleShot(0, this, [this, b = QPointer<QWidget>(w)] {
                if (b) b->blockSignals(false);
                ClickDone();
            });
        }
        return false;
    case QEvent::Shortcut:
        if (!clickHeld_) {
            auto* button = qobject_cast<QAbstractButton*>(w);
            if (button && button->window() == window_) ClickBegun(button);
        }
        return false;
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::KeyRelease: return KeepKey(w, e);
    default: return false;
    }
}
