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

} // namespace Desktop
