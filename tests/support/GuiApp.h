#pragma once
// Text and fonts need a QGuiApplication; tests that measure or draw text
// call this once (offscreen platform).
#include <QApplication>
#include <cstdlib>

inline void EnsureGuiApp() {
    if (QCoreApplication::instance()) return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "vosperal-test";
    static char* argv[] = {name, nullptr};
    // A widget application, so that window tests can share the program with text tests.
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
}
