#pragma once
// File dialogs with scripted answers, installed for the guard's lifetime.
// Each Show records its request and takes the next queued answer; with none
// queued the user cancels.
#include "platform/FilePicker.h"

#include <QList>
#include <deque>

class ScriptedFileDialogs : public FilePicker::FileDialogs {
public:
    ScriptedFileDialogs() : previous_(FilePicker::SetFileDialogs(this)) {}
    ~ScriptedFileDialogs() override { FilePicker::SetFileDialogs(previous_); }
    ScriptedFileDialogs(const ScriptedFileDialogs&) = delete;
    ScriptedFileDialogs& operator=(const ScriptedFileDialogs&) = delete;

    std::deque<FilePicker::Answer> answers;
    QList<FilePicker::Request> requests;

    // Queues a chosen file (entry k of the filter left selected).
    void Choose(const QString& name, int32_t k = 1) { answers.push_back({true, name, k}); }
    void Cancel() { answers.push_back({}); }

    FilePicker::Answer Show(const FilePicker::Request& r) override {
        requests << r;
        if (answers.empty()) return {};
        FilePicker::Answer a = answers.front();
        answers.pop_front();
        return a;
    }

private:
    FilePicker::FileDialogs* previous_;
};
