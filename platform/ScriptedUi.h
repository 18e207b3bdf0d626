#pragma once
// User-interface services with scripted answers, for tests and tools.
#include "platform/UiServices.h"

#include <QList>
#include <QString>
#include <deque>
#include <optional>
#include <stdexcept>

// Thrown by ScriptedUi::ExitProcess instead of ending the process.
struct ProcessExit : std::runtime_error {
    explicit ProcessExit(int c) : std::runtime_error("process exit"), code(c) {}
    int code;
};

class ScriptedUi : public UiServices {
public:
    struct Message {
        QString text;
        int style;
        QString title;
    };

    // Answers for the next message boxes, in order; when none is queued the
    // first button's answer (Ok or Yes, Abort, Retry) is given.
    std::deque<int> answers;
    std::deque<QString> inputs;
    QList<Message> messages;
    QList<QString> prompts;
    QList<QString> defaults; // the text each input box opened with
    QList<QString> opened;
    bool openResult = true;
    int16_t pointer = 0;
    QList<int16_t> pointerHistory;
    bool echo = false; // also print messages to stderr (tools)
    // Answers of the colour and font dialogs, in order; with none queued
    // they are cancelled. A font answer of nullopt cancels that one.
    std::deque<int32_t> colors;
    std::deque<std::optional<FontChoice>> fonts;
    QList<int32_t> colorRequests;
    QList<FontChoice> fontRequests;

    int MsgBox(const QString& text, int style, const QString& title) override;
    QString InputBox(const QString& prompt, const QString& title, const QString& defaultText,
                     int32_t helpContext) override;
    int16_t MousePointer() const override { return pointer; }
    void SetMousePointer(int16_t p) override;
    bool OpenUrl(const QString& target) override;
    int32_t PickColor(int32_t initial) override;
    bool PickFont(FontChoice& font) override;
    [[noreturn]] void ExitProcess(int code) override;
};

// Installs a ScriptedUi for the lifetime of the guard.
class ScopedUi {
public:
    ScopedUi() : previous_(SetUi(&ui)) {}
    ~ScopedUi() { SetUi(previous_); }
    ScopedUi(const ScopedUi&) = delete;
    ScopedUi& operator=(const ScopedUi&) = delete;
    ScriptedUi ui;

private:
    UiServices* previous_;
};
