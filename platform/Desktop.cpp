#include "platform/Desktop.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace Desktop {

bool IsJapaneseLocale(const QLocale& locale) { return locale.language() == QLocale::Japanese; }

bool IsJapaneseUser() { return IsJapaneseLocale(QLocale::system()); }

namespace {

QScreen* Screen() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return nullptr;
    return QGuiApplication::primaryScreen();
}

} // namespace

int LogicalDpiX() {
    const QScreen* s = Screen();
    return s ? static_cast<int>(std::nearbyint(s->logicalDotsPerInchX())) : 96;
}

int LogicalDpiY() {
    const QScreen* s = Screen();
    return s ? static_cast<int>(std::nearbyint(s->logicalDotsPerInchY())) : 96;
}

int TwipsPerPixel(double dpi) {
    if (!(dpi > 0)) return 15;
    const double t = std::nearbyint(1440.0 / dpi);
    return t < 1 ? 1 : (t > 1440 ? 1440 : static_cast<int>(t));
}

int TwipsPerPixelX() { return TwipsPerPixel(LogicalDpiX()); }
int TwipsPerPixelY() { return TwipsPerPixel(LogicalDpiY()); }

namespace {
double gPixelRatio = 0;
} // namespace

double DevicePixelRatio() {
    if (gPixelRatio > 0) return gPixelRatio;
    const QScreen* s = Screen();
    const double r = s ? s->devicePixelRatio() : 1.0;
    return r > 0 ? r : 1.0;
}

void SetPixelRatio(double ratio) { gPixelRatio = ratio > 0 ? ratio : 0; }

double DeviceTwipsPerPixel(int twipsPerPixel, double ratio) {
    return ratio > 0 ? twipsPerPixel / ratio : double(twipsPerPixel);
}

double DeviceTwipsPerPixelX() { return DeviceTwipsPerPixel(TwipsPerPixelX(), DevicePixelRatio()); }
double DeviceTwipsPerPixelY() { return DeviceTwipsPerPixel(TwipsPerPixelY(), DevicePixelRatio()); }

int ScreenDpi(double deviceTwipsPerPixel) {
    if (!(deviceTwipsPerPixel > 0)) return 96;
    // A hair over the quotient, so that 1440 / (15 / 1.75) is 168, not 167.
    const double dpi = std::floor(1440.0 / deviceTwipsPerPixel + 1e-9);
    return dpi > 32767 ? 32767 : static_cast<int>(dpi);
}

} // namespace Desktop
