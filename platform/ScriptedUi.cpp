#include "platform/ScriptedUi.h"

#include <cstdio>

int ScriptedUi::MsgBox(const QString& text, int style, const QString& title) {
    messages.append({text, style, title});
    if (echo) std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    if (!answers.empty()) {
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    switch (style & 7) {
    case Mb::AbortRetryIgnore: return Mb::Abort;
    case Mb::YesNoCancel:
    case Mb::YesNo: return Mb::Yes;
    case Mb::RetryCancel: return Mb::Retry;
    default: return Mb::Ok;
    }
}

QString ScriptedUi::InputBox(const QString& prompt, const QString&, const QString& defaultText, int32_t) {
    prompts.append(prompt);
    defaults.append(defaultText);
    if (inputs.empty()) return defaultText;
    QString s = inputs.front();
    inputs.pop_front();
    return s;
}

void ScriptedUi::SetMousePointer(int16_t p) {
    pointer = p;
    pointerHistory.append(p);
}

bool ScriptedUi::OpenUrl(const QString& target) {
    opened.append(target);
    return openResult;
}

int32_t ScriptedUi::PickColor(int32_t initial) {
    colorRequests.append(initial);
    if (colors.empty()) return -1;
    const int32_t c = colors.front();
    colors.pop_front();
    return c;
}

bool ScriptedUi::PickFont(FontChoice& font) {
    fontRequests.append(font);
    if (fonts.empty()) return false;
    const std::optional<FontChoice> f = fonts.front();
    fonts.pop_front();
    if (!f) return false;
    font = *f;
    return true;
}

void ScriptedUi::ExitProcess(int code) { throw ProcessExit(code); }
