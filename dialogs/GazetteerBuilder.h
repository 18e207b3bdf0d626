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

    // Adds the places of each file; true when every file was processed,
    // false when the run was stopped.
    bool Run(const QStringList& files, PlaceList& list, int32_t lang);
    bool Busy() const { return busy_; }
    // Stops the run after the file being read.
    void Cancel() { busy_ = false; }

private:
    void events() const;
    bool busy_ = false;
};
