#pragma once
// The user-interface services on the desktop: Qt message and input boxes
// with the Windows button and icon sets, the application-wide mouse pointer,
// the desktop's URL handler and the process exit.
#include "platform/UiServices.h"

#include <QMessageBox>

class QtUi : public UiServices {
public:
    int MsgBox(const QString& text, int style, const QString& title) override;
    QString InputBox(const QString& prompt, const QString& title, const QString& defaultText,
                     int32_t helpContext) override;
    int16_t MousePointer() const override { return pointer_; }
    // One override cursor at most, replaced on each change, so that going
    // back to the default pointer always removes it.
    void SetMousePointer(int16_t pointer) override;
    bool OpenUrl(const QString& target) override;
    int32_t PickColor(int32_t initial) override;
    bool PickFont(FontChoice& font) override;
    [[noreturn]] void ExitProcess(int code) override;

    // The pieces of a message box, by its style.
    static QMessageBox::StandardButtons ButtonsFor(int style);
    static QMessageBox::Icon IconFor(int style);
    // The button pressed first by Enter (the default button of the style).
    static QMessageBox::StandardButton DefaultFor(int style);
    // The button Esc and the close box press (Cancel where there is one),
    // NoButton when none: then the box closes unanswered, Mb::Cancel.
    static QMessageBox::StandardButton EscapeFor(int style);
    static int AnswerFor(QMessageBox::StandardButton button);
    static Qt::CursorShape CursorFor(int16_t pointer);
    // A message as a box shows it: CR LF as line breaks, and each word in
    // angle brackets kept on one line.
    static QString DisplayText(QString text);

private:
    int16_t pointer_ = 0;
};
