#pragma once
// Drives modal windows from a test: `act` runs once the next modal widget
// (other than `skip`) is up. The returned timer goes away after `act` has
// run; a test that may never reach a modal window deletes it if still there,
// so that `act` cannot fire in a later test.
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <functional>

inline QPointer<QTimer> WhenModal(std::function<void(QWidget*)> act, QWidget* skip = nullptr) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act, skip] {
        QWidget* w = QApplication::activeModalWidget();
        if (w && w != skip && w->isVisible()) {
            timer->stop();
            timer->deleteLater();
            act(w);
        }
    });
    timer->start();
    return timer;
}

inline void SendKey(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(w, &press);
}

// Gives the platform time to activate `w`: focus changes are reported only then.
inline void WaitUntilActive(QWidget* w) {
    for (int i = 0; i < 400 && !w->isActiveWindow(); ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
}
