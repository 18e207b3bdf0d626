#include "legend/StylePicture.h"

#include "core/Library.h"
#include "platform/Desktop.h"
#include "platform/SystemColors.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <algorithm>
#include <cmath>

StylePicture::StylePicture(int32_t outerWidth, int32_t outerHeight, QWidget* parent)
    : QWidget(parent)
    , innerWidth_(std::max(1, outerWidth - 2 * kBorder))
    , innerHeight_(std::max(1, outerHeight - 2 * kBorder))
{
    setFixedSize(outerWidth, outerHeight);
    setMouseTracking(true);
    FollowRatio();
}

int32_t StylePicture::Dpi(const QImage& image) { return Library::DblToLng(image.dotsPerMeterX() * 0.0254); }

void StylePicture::FollowRatio()
{
    const double ratio = Desktop::DevicePixelRatio();
    if (ratio == ratio_)
        return;
    ratio_ = ratio;
    const int32_t w = Library::DblToLng(innerWidth_ * ratio), h = Library::DblToLng(innerHeight_ * ratio);
    image_ = QImage(std::max(1, w), std::max(1, h), QImage::Format_RGB32);
    const int dpm = int(std::nearbyint(96 * ratio / 0.0254));
    image_.setDotsPerMeterX(dpm);
    image_.setDotsPerMeterY(dpm);
    image_.fill(Qt::white);
}

QPoint StylePicture::ToImage(const QPointF& pos) const
{
    return {int32_t(std::floor((pos.x() - kBorder) * ratio_)), int32_t(std::floor((pos.y() - kBorder) * ratio_))};
}

void StylePicture::Refresh()
{
    FollowRatio();
    image_.fill(SystemColors::ToQColor(back_));
    if (Paint)
        Paint(image_);
    update();
}

void StylePicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int32_t w = width(), h = height();
    // The sunken frame: dark on the top and left, light on the bottom and right.
    p.setPen(QColor(128, 128, 128));
    p.drawLine(0, 0, w - 1, 0);
    p.drawLine(0, 0, 0, h - 1);
    p.setPen(QColor(64, 64, 64));
    p.drawLine(1, 1, w - 2, 1);
    p.drawLine(1, 1, 1, h - 2);
    p.setPen(QColor(255, 255, 255));
    p.drawLine(0, h - 1, w - 1, h - 1);
    p.drawLine(w - 1, 0, w - 1, h - 1);
    p.setPen(QColor(212, 208, 200));
    p.drawLine(1, h - 2, w - 2, h - 2);
    p.drawLine(w - 2, 1, w - 2, h - 2);
    // Device pixels onto device pixels: the image over the ratio.
    const QRectF inner(kBorder, kBorder, image_.width() / ratio_, image_.height() / ratio_);
    p.drawImage(inner, image_);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = inner.toAlignedRect();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
}

void StylePicture::mouseMoveEvent(QMouseEvent* e)
{
    if (!MouseMove)
        return;
    const QPoint at = ToImage(e->position());
    MouseMove(at.x(), at.y());
}

void StylePicture::mouseReleaseEvent(QMouseEvent* e)
{
    if (!MouseUp)
        return;
    const int32_t button = e->button() == Qt::LeftButton ? 1 : e->button() == Qt::RightButton ? 2 : 4;
    const QPoint at = ToImage(e->position());
    MouseUp(button, at.x(), at.y());
}

void StylePicture::keyPressEvent(QKeyEvent* e)
{
    if (KeyDown && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && KeyDown(e->key()))
        return;
    QWidget::keyPressEvent(e);
}

void StylePicture::focusInEvent(QFocusEvent* e)
{
    QWidget::focusInEvent(e);
    update();
}

void StylePicture::focusOutEvent(QFocusEvent* e)
{
    QWidget::focusOutEvent(e);
    update();
}
