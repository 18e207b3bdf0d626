#pragma once
// Gathers the places of every map file of the map folder (subfolders
// included) into a place list, one file at a time, letting window events run
// between the files so that the user can stop it.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>

class PlaceList;
class clsMapUnit;

class GazetteerBuilder {
public:
    // The progress text ("取得中...i/n").
    std::function<void(const QString& text)> ShowMessage;
    // Lets pending window events run (a Cancel click among them).
    std::function<void()> ProcessEvents;
    // A loaded unit of the map file, or nullptr when it did not load; by
    // default a new unit loaded through its loading window.
    std::function<std::shared_ptr<clsMapUnit>(const QString& path)> LoadUnit;

    // Every "*.MLL" of the folder and its subfolders.
    static QStringList DirMapFiles(const QString& mapFolder);

    // Marks the run as begun ahead of Run, so that a Cancel in the events
    // let through before it stops the run before its first file.
    void Start() { state_ = State::Running; }
    // Adds the places of each file; true when every file was processed,
    // false when the run was stopped.
    bool Run(const QStringList& files, PlaceList& list, int32_t lang);
    // From Start (or Run) until Run returns, stopped or not.
    bool Busy() const { return state_ != State::Idle; }
    // Stops the run after the file being read; nothing when none runs.
    void Cancel() {
        if (state_ == State::Running) state_ = State::Stopped;
    }
    // Ends a run that was started but never reached Run.
    void End() { state_ = State::Idle; }

private:
    enum class State { Idle, Running, Stopped };
    void events() const;
    State state_ = State::Idle;
};
