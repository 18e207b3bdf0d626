#pragma once
// A part of the map-symbol dialog that works on the working lists and the
// dialog's switches, and whose event handlers run under the dialog's guard.
#include <QObject>
#include <functional>

class QAbstractButton;
class SymbolWork;
struct SymbolSwitches;

class SymbolPane : public QObject {
public:
    // Set by the dialog: the preview, and the guard of the event handlers.
    std::function<void()> ExePreview;
    std::function<void(const char* proc, const std::function<void()>& f)> Guard;

protected:
    SymbolPane(QObject* parent, SymbolWork& work, SymbolSwitches& sw);

    // Runs an event handler under the guard; without one, an error stops
    // the program.
    void guarded(const char* proc, const std::function<void()>& f);
    // A click of `button` runs `handler` guarded.
    void onClick(QAbstractButton* button, const char* proc, std::function<void()> handler);

    SymbolWork& work_;
    SymbolSwitches& sw_;
};
