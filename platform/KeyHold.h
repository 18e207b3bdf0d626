#pragma once
// Keeps the keys typed into a window while it is busy (a redraw that yields
// to the event loop with the window disabled) and hands them to the window
// in the order typed once it is free again: a key typed meanwhile is acted
// on late, never lost.
#include <QObject>
#include <QPointer>
#include <deque>
#include <memory>
#include <vector>

class QAbstractButton;
class QKeyEvent;
class QWidget;

class KeyHold : public QObject {
public:
    explicit KeyHold(QWidget* window);
    ~KeyHold() override;

    // From Begin to the matching End (they nest) the window's keys are kept.
    // After the last End they go, once the event loop is back, to the
    // window's focus widget, one after the other. Those behind a key that
    // opens a modal window or a menu go to it instead, or are dropped when
    // it closes first: they were typed after it, never for the window
    // beneath. A button's access key clicks it late (Qt shows the press
    // first): the keys behind wait for that click and what it opens.
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
    void Replay();
    // Sends the kept keys to `target` while it is shown; those left when it
    // closes are dropped.
    void Deliver(QWidget* target);
    // A window that takes the keys typed after what opened it.
    static bool TakesKeys(const QWidget* w);
    void ClickBegun(QAbstractButton* button);
    void ClickDone();

    QWidget* window_;
    int depth_ = 0;
    bool watching_ = false;
    bool replayDue_ = false;
    std::deque<std::unique_ptr<QKeyEvent>> kept_;
    const QKeyEvent* passing_ = nullptr;
    // One entry for each kept key being sent, innermost last: the modal
    // window that key opened, if any.
    std::vector<QPointer<QWidget>> opened_;
    // A click an access key started, held until it is done, and the modal
    // window or menu it opened.
    bool clickHeld_ = false;
    QMetaObject::Connection clickDone_;
    QPointer<QWidget> clickOpened_;
};
