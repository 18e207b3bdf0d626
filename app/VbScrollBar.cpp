#include "app/VbScrollBar.h"

#include <QAbstractSlider>
#include <QCursor>
#include <QToolTip>

VbScrollBar::VbScrollBar(QAbstractSlider* control) : control_(control) {
    control_->setTracking(false);
    min_ = control_->minimum();
    max_ = control_->maximum();
    moved_ = QObject::connect(control_, &QAbstractSlider::sliderMoved, [this](int) {
        if (Scroll) Scroll();
    });
    changed_ = QObject::connect(control_, &QAbstractSlider::valueChanged, [this](int) {
        if (Change) Change();
    });
}

VbScrollBar::~VbScrollBar() {
    QObject::disconnect(moved_);
    QObject::disconnect(changed_);
}

void VbScrollBar::applyRange() {
    const int32_t lo = reversed() ? -min_ : min_;
    const int32_t hi = reversed() ? -max_ : max_;
    control_->setRange(lo, hi);
}

void VbScrollBar::SetMin(int32_t v) {
    min_ = v;
    applyRange();
}

void VbScrollBar::SetMax(int32_t v) {
    max_ = v;
    applyRange();
}

int32_t VbScrollBar::Value() const { return fromControl(control_->sliderPosition()); }

void VbScrollBar::SetValue(int32_t v) { control_->setValue(toControl(v)); }

int32_t VbScrollBar::SmallChange() const { return control_->singleStep(); }
void VbScrollBar::SetSmallChange(int32_t v) { control_->setSingleStep(v); }
int32_t VbScrollBar::LargeChange() const { return control_->pageStep(); }
void VbScrollBar::SetLargeChange(int32_t v) { control_->setPageStep(v); }

void VbScrollBar::SetText(const QString& text) {
    text_ = text;
    control_->setToolTip(text);
    if (control_->isSliderDown() && control_->isVisible()) QToolTip::showText(QCursor::pos(), text, control_);
}
