#pragma once
// Keeps the keys typed into a window while it is busy (a redraw that yields
// to the event loop with the window disabled) and hands them to the window
// in the order typed once it is free again: a key typed meanwhile is acted
// on late, never lost, and never on a window it was not meant for.
#include <QDeadlineTimer>
#include <QObject>
#include <QPointer>
#include <deque>
#include <memory>
#include <vector>

class QAbstractButton;
class QKeyEvent;
class QTimer;
class QWidget;

class KeyHold : public QObject {
public:
    explicit KeyHold(QWidget* window);
    ~KeyHold() override;

    // From Begin to the matching End (they nest) the window's keys are kept.
    // After the last End they go, once the event loop is back, to the
    // window's focus widget, one after the other.
    //
    // Keys typed behind one that opens a window (a dialog, a question, a
    // menu, the help) are that window's: they go to it, or are dropped when
    // it closes first; they never reach the window beneath. Keys typed after
    // it closed are this window's again. A window opened beside this one
    // takes the keyboard only once the window manager makes it active: the
    // keys that still reach this window until then are its too.
    //
    // A button's access key clicks it late (Qt shows the press first): the
    // keys behind wait for that click and what it opens. A click still due
    // when the window has closed opens nothing.
    //
    // A modal window on top takes the keyboard when a window it blocks is
    // given it (a click there), as desktops do.
    void Begin();
    void End();

    // Begin and End over a scope.
    class Scope {
    public:
        explicit Scope(KeyHold& hold) : hold_(hold) { hold_.Begin(); }
        ~Scope() { hold_.End(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        KeyHold& hold_;
    };

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // Watches the application's events while the window is shown or keys
    // are kept.
    void UpdateWatch();
    // Ahead of the filters installed since (a dialog's own Enter and F1):
    // a key typed now is kept before anything acts on it.
    void WatchFirst();
    void Replay();
    // Sends the kept keys to `target` while it is shown.
    void Deliver(QWidget* target);
    void DeliverSoon(QWidget* target);
    // A window that takes the keys typed after what opened it.
    static bool TakesKeys(const QWidget* w);
    bool IsOpening(const QWidget* w) const;
    void Opened(QWidget* w);
    void Closed(QWidget* w);
    void Await(QWidget* w);
    void AwaitDone();
    // Gives this window Qt's activation back when a window opened from it
    // has closed and left Qt with none, at once or a little later, while
    // the window system still sends the keys to it.
    void ReclaimSoon();
    void Reclaim();
    // Whether `w` is a window this one, the modal dialog on top, blocks.
    bool Blocks(const QWidget* w) const;
    bool KeepKey(QWidget* watched, QEvent* e);
    void ClickBegun(QAbstractButton* button);
    void ClickDone();

    QWidget* window_;
    int depth_ = 0;
    bool watching_ = false;
    bool replayDue_ = false;
    std::deque<std::unique_ptr<QKeyEvent>> kept_;
    const QKeyEvent* passing_ = nullptr;
    // One entry for each kept key being sent, innermost last: the window
    // that key opened, if any.
    std::vector<QPointer<QWidget>> opened_;
    // A click an access key started, held until it is done, and the window
    // it opened.
    bool clickHeld_ = false;
    QPointer<QAbstractButton> clickButton_;
    QMetaObject::Connection clickDone_;
    QPointer<QWidget> clickOpened_;
    // A window opened from this one that is not active yet.
    QPointer<QWidget> awaited_;
    QTimer* awaitLimit_;
    // Until then Qt's activation taken from this window is given back.
    QDeadlineTimer reclaimUntil_;
};
