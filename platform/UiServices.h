#pragma once
// Everything the program asks of the user or of the desktop goes through this
// seam, so that all but the windows themselves runs headless in tests.
#include <QString>
#include <cstdint>

// Message box styles and answers, numbered as the Windows message box does
// (buttons + icon), since callers combine them that way.
namespace Mb {
enum Buttons : int { OkOnly = 0, OkCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4, RetryCancel = 5 };
enum Icon : int { NoIcon = 0, Critical = 16, Question = 32, Exclamation = 48, Information = 64 };
enum Default : int { DefaultButton1 = 0, DefaultButton2 = 256, DefaultButton3 = 512 };
enum Answer : int { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };
// Buttons and icon combine as on Windows: Mb::YesNo | Mb::Exclamation.
constexpr int operator|(Buttons b, Icon i) { return int(b) | int(i); }
constexpr int operator+(Buttons b, Icon i) { return int(b) + int(i); }
constexpr int operator|(Buttons b, Default d) { return int(b) | int(d); }
constexpr int operator+(Buttons b, Default d) { return int(b) + int(d); }
} // namespace Mb

// Mouse pointer codes of the original toolkit.
namespace MousePtr {
enum : int16_t { Default = 0, Arrow = 1, Cross = 2, IBeam = 3, SizeAll = 5, SizeNESW = 6, SizeNS = 7, SizeNWSE = 8,
                 SizeWE = 9, UpArrow = 10, Hourglass = 11, NoDrop = 12, ArrowHourglass = 13, ArrowQuestion = 14,
                 SizeAll2 = 15, Custom = 99 };
}

// What the font dialog edits: face, size in points, bold and italic.
struct FontChoice {
    QString name;
    float size = 9.0F;
    bool bold = false;
    bool italic = false;
};

class UiServices {
public:
    virtual ~UiServices();

    // style = Mb::Buttons + Mb::Icon (+ Mb::Default); returns an Mb::Answer,
    // Mb::Cancel also when a box without Cancel is closed unanswered.
    // An empty title means the application title.
    virtual int MsgBox(const QString& text, int style, const QString& title) = 0;
    // Returns the text typed, or "" when the user cancels.
    virtual QString InputBox(const QString& prompt, const QString& title, const QString& defaultText,
                             int32_t helpContext) = 0;
    virtual int16_t MousePointer() const = 0;
    virtual void SetMousePointer(int16_t pointer) = 0;
    // Opens a document or link with its associated program; false on failure.
    virtual bool OpenUrl(const QString& target) = 0;
    // The colour dialog, opened on `initial` (0x00BBGGRR) with the custom
    // colours shown: the chosen colour, or -1 when cancelled.
    virtual int32_t PickColor(int32_t initial);
    // The font dialog over screen fonts: true and `font` changed when the
    // user confirms; false and `font` untouched when cancelled.
    virtual bool PickFont(FontChoice& font);
    // Ends the process at once (no further events run).
    [[noreturn]] virtual void ExitProcess(int code) = 0;

    static QString AppTitle() { return QStringLiteral("Vosperal"); }
};

// The services in force. Until one is installed, a headless default answers
// every question with its first button and writes messages to stderr.
UiServices& Ui();
// Installs `ui` (not owned; nullptr restores the default) and returns the previous one.
UiServices* SetUi(UiServices* ui);
