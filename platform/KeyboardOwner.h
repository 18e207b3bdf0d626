#pragma once
// Where the window system has the keyboard, which Qt's own idea of the
// active window may not match: X sends no focus event for a window closed
// before the window manager gave it the keyboard.
#include <functional>
#include <optional>

class QWidget;

namespace KeyboardOwner {

// Whether the window system sends the keys to `window` now: true or false,
// or nothing when it cannot tell (no X display).
std::optional<bool> HasKeyboard(const QWidget* window);

// Tests only: answers in place of the window system; an empty function
// restores it.
void SetForTests(std::function<std::optional<bool>(const QWidget*)> answer);

} // namespace KeyboardOwner
