#include "legend/StylePicture.h"
#include "platform/SystemColors.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <algorithm>

StylePicture::StylePicture(int32_t outerWidth, int32_t outerHeight, QWidget* parent)
    : QWidget(parent)
    , image_(std::max(1, outerWidth - 2 * kBorder), std::max(1, outerHeight - 2 * kBorder), QImage::Format_RGB32)
{
    setFixedSize(outerWidth, outerHeight);
    setMouseTracking(true);
    image_.fill(Qt::white);
}

void StylePicture::Refresh()
{
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
    p.drawImage(kBorder, kBorder, image_);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = QRect(kBorder, kBorder, image_.width(), image_.height());
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
}

void StylePicture::mouseMoveEvent(QMouseEvent* e)
{
    if (MouseMove)
        MouseMove(int32_t(e->position().x()) - kBorder, int32_t(e->position().y()) - kBorder);
}

void StylePicture::mouseReleaseEvent(QMouseEvent* e)
{
    if (!MouseUp)
        return;
    const int32_t button = e->button() == Qt::LeftButton ? 1 : e->button() == Qt::RightButton ? 2 : 4;
    MouseUp(button, int32_t(e->position().x()) - kBorder, int32_t(e->position().y()) - kBorder);
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
