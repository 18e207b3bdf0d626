#pragma once
// An event filter that runs a function: lets a window watch events of
// objects (or of the whole application) without taking its own
// eventFilter for it.
#include <QObject>
#include <functional>
#include <utility>

class EventHook : public QObject {
public:
    using Handler = std::function<bool(QObject* watched, QEvent* e)>;
    explicit EventHook(Handler handler, QObject* parent = nullptr) : QObject(parent), handler_(std::move(handler)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override { return handler_ && handler_(watched, e); }

private:
    Handler handler_;
};
