#include "render/ViewHost.h"

#include "platform/Desktop.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

QSize ScreenPixels()
{
    if (QGuiApplication::instance()) {
        if (const QScreen* s = QGuiApplication::primaryScreen())
            return s->availableSize();
    }
    return QSize(1024, 768);
}

} // namespace

ViewHost::~ViewHost() = default;

// The screen's size comes in logical pixels; the picture's in device pixels.
double ViewHost::ScreenWidthTwips() const { return double(ScreenPixels().width()) * Desktop::TwipsPerPixelX(); }
double ViewHost::ScreenHeightTwips() const { return double(ScreenPixels().height()) * Desktop::TwipsPerPixelY(); }
double ViewHost::TwipsPerPixelX() const { return Desktop::DeviceTwipsPerPixelX(); }
double ViewHost::TwipsPerPixelY() const { return Desktop::DeviceTwipsPerPixelY(); }
