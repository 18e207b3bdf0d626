#include "render/ViewHost.h"

#include "platform/Desktop.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

QSize ScreenPixels()
{
    if (QGuiApplication::instance()) {
        if (const QScreen* s = QGuiApplication::primaryScreen())
            return s->size();
    }
    return QSize(1024, 768);
}

} // namespace

ViewHost::~ViewHost() = default;

double ViewHost::ScreenWidthTwips() const { return double(ScreenPixels().width()) * TwipsPerPixelX(); }
double ViewHost::ScreenHeightTwips() const { return double(ScreenPixels().height()) * TwipsPerPixelY(); }
double ViewHost::TwipsPerPixelX() const { return Desktop::TwipsPerPixelX(); }
double ViewHost::TwipsPerPixelY() const { return Desktop::TwipsPerPixelY(); }
