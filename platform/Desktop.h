#pragma once
// What the program asks of the desktop session: the user's language and the
// screen's logical resolution. Without a GUI application (tools, headless
// tests) the screen is taken as 96 dots per inch.
#include <QLocale>

namespace Desktop {

// The program runs only for Japanese users.
bool IsJapaneseLocale(const QLocale& locale);
bool IsJapaneseUser();

int LogicalDpiX();
int LogicalDpiY();
// 1440 twips per inch: round(1440 / dpi), 15 at 96 dpi; at least 1.
int TwipsPerPixel(double dpi);
int TwipsPerPixelX();
int TwipsPerPixelY();

} // namespace Desktop
