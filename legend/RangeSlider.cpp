#include "legend/RangeSlider.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

RangeSlider::RangeSlider(QWidget* parent)
    : QSlider(Qt::Vertical, parent)
{
    setInvertedAppearance(true);
    setInvertedControls(true);
    setTickPosition(QSlider::TicksLeft);
    // The band beside the groove is the selection; the style's own fill of
    // the groove up to the thumb would read as a second one.
    QPalette pal = palette();
    pal.setColor(QPalette::Highlight, pal.color(QPalette::Button));
    setPalette(pal);
    connect(this, &QSlider::valueChanged, this, [this] {
        if (!pressing_ && Scroll && !signalsBlocked())
            Scroll();
    });
}

void RangeSlider::SetSelStart(int32_t v)
{
    selStart_ = v;
    update();
}

void RangeSlider::SetSelLength(int32_t v)
{
    selLength_ = v;
    update();
}

void RangeSlider::ClearSel()
{
    selStart_ = 0;
    selLength_ = 0;
    update();
}

int32_t RangeSlider::PixelOf(int32_t value) const
{
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderGroove, this);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, this);
    const int32_t span = groove.height() - handle.height();
    return groove.top() + handle.height() / 2
        + QStyle::sliderPositionFromValue(minimum(), maximum(), value, span, opt.upsideDown);
}

void RangeSlider::paintEvent(QPaintEvent* e)
{
    QSlider::paintEvent(e);
    if (selLength_ < 0 || selStart_ < minimum())
        return;
    QPainter p(this);
    const int32_t top = PixelOf(selStart_), bottom = PixelOf(selStart_ + selLength_);
    const int32_t x = width() / 2 + 9;
    p.fillRect(QRect(x, top - 1, 5, bottom - top + 3), QColor(0, 90, 200));
}

void RangeSlider::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) {
        QStyleOptionSlider opt;
        initStyleOption(&opt);
        const QRect handle = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, this);
        if (!handle.contains(e->position().toPoint())) {
            const QRect groove = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderGroove, this);
            const int32_t span = groove.height() - handle.height();
            const int32_t at = int32_t(e->position().y()) - groove.top() - handle.height() / 2;
            pressing_ = true;
            setValue(QStyle::sliderValueFromPosition(minimum(), maximum(), at, span, opt.upsideDown));
            pressing_ = false;
        }
        if (MouseDown)
            MouseDown((e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == Qt::ShiftModifier);
    }
    QSlider::mousePressEvent(e);
}
