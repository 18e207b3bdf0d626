#pragma once
// User-interface services for the command-line tools: no window, and every
// question gets its refusal (Cancel, No), so a file error is never retried.
// The last message is kept; with a prefix it is also printed on stderr.
#include "platform/UiServices.h"

#include <QString>
#include <cstdio>
#include <cstdlib>

class ToolUi : public UiServices {
public:
    explicit ToolUi(const char* echoPrefix = nullptr) : echoPrefix_(echoPrefix) {}
    QString lastMessage;

    int MsgBox(const QString& text, int style, const QString&) override {
        lastMessage = text;
        if (echoPrefix_)
            std::fprintf(stderr, "%s: %s\n", echoPrefix_,
                         qUtf8Printable(QString(text).replace(QLatin1String("\r\n"), QLatin1String(" "))));
        const int buttons = style & 7;
        if (buttons == Mb::YesNoCancel || buttons == Mb::OkCancel || buttons == Mb::RetryCancel) return Mb::Cancel;
        if (buttons == Mb::YesNo) return Mb::No;
        return Mb::Ok;
    }
    QString InputBox(const QString&, const QString&, const QString& def, int32_t) override { return def; }
    int16_t MousePointer() const override { return 0; }
    void SetMousePointer(int16_t) override {}
    bool OpenUrl(const QString&) override { return false; }
    [[noreturn]] void ExitProcess(int code) override { std::exit(code); }

private:
    const char* echoPrefix_;
};
