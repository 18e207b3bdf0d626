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

// Device pixels per logical pixel of the screen the map window is on: the
// ratio set by SetPixelRatio, else the primary screen's, else 1.
double DevicePixelRatio();
// 0 (or less) goes back to the primary screen's ratio.
void SetPixelRatio(double ratio);
// Twips per device pixel, kept real: 7.5 on a 96-dpi screen at ratio 2.
double DeviceTwipsPerPixel(int twipsPerPixel, double ratio);
double DeviceTwipsPerPixelX();
double DeviceTwipsPerPixelY();
// 1440 divided by the twips per device pixel, the fraction dropped.
int ScreenDpi(double deviceTwipsPerPixel);

} // namespace Desktop
