#pragma once
// Loads the three files of a map unit in the order area list, thing list,
// map, telling a watcher what it reads; the loading window shows it. When a
// stored path leads nowhere the file is looked for by name in the map
// folder and in the program folder, and the lists fall back to the default
// files. A failed load (the message has been shown) stops the sequence.
#include <QString>
#include <cstdint>
#include <functional>

class clsMapUnit;

class UnitLoader {
public:
    enum Part { Admins = 0, Things = 1, Figures = 2 };

    struct Watcher {
        std::function<void(Part part, const QString& path)> path;
        std::function<void(Part part, const QString& text)> state; // "Loading...", "Success."
        std::function<void(bool visible)> progressVisible;
        std::function<void(int16_t percent)> progress;
        // Lets pending window events run between the steps.
        std::function<void()> processEvents;
    };

    UnitLoader() = default;
    explicit UnitLoader(Watcher watcher) : watcher_(std::move(watcher)) {}

    // True only when all three files loaded. While a run is going on a
    // second call does nothing and answers false.
    bool Run(clsMapUnit& unit);
    bool Busy() const { return busy_; }
    bool Result() const { return result_; }

private:
    bool loadOne(Part part, clsMapUnit& unit);
    void events() const;

    Watcher watcher_;
    bool busy_ = false;
    bool result_ = false;
};
