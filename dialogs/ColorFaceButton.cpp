#include "dialogs/ColorFaceButton.h"

#include "platform/SystemColors.h"

#include <QStyleOptionButton>
#include <QStylePainter>

ColorFaceButton::ColorFaceButton(QWidget* parent) : QPushButton(parent) {}

void ColorFaceButton::SetColor(int32_t color) {
    if (color == color_) return;
    color_ = color;
    update();
}

void ColorFaceButton::paintEvent(QPaintEvent*) {
    // The style's own bevel, then the colour over its face: a style sheet
    // or a button palette lets the style shade the colour.
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    p.drawControl(QStyle::CE_PushButtonBevel, opt);
    const QRect face = style()->subElementRect(QStyle::SE_PushButtonContents, &opt, this).adjusted(1, 1, -1, -1);
    if (face.isEmpty()) return;
    QColor c = SystemColors::ToQColor(color_);
    QColor edge = palette().color(QPalette::Active, QPalette::Shadow);
    if (!isEnabled()) {
        // Two parts disabled face to one part colour.
        const QColor base = palette().color(QPalette::Disabled, QPalette::Button);
        c = QColor((c.red() + 2 * base.red()) / 3, (c.green() + 2 * base.green()) / 3,
                   (c.blue() + 2 * base.blue()) / 3);
        edge = palette().color(QPalette::Disabled, QPalette::Mid);
    }
    p.fillRect(face, c);
    p.setPen(edge);
    p.drawRect(face.adjusted(0, 0, -1, -1));
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = face.adjusted(-1, -1, 1, 1);
        p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}
