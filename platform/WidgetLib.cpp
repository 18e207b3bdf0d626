#include "platform/WidgetLib.h"

#include "platform/EventHook.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QWidget>

namespace WidgetLib {

void SelectComboText(QComboBox* combo, const QString& text) {
    if (!combo || combo->count() == 0) return;
    int index = 0;
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i) == text) {
            index = i;
            break;
        }
    }
    combo->setCurrentIndex(index);
}

QFont CloneFont(const QFont& font) {
    QFont f;
    f.setFamily(font.family());
    if (font.pixelSize() > 0) f.setPixelSize(font.pixelSize());
    else f.setPointSizeF(font.pointSizeF());
    f.setWeight(font.weight());
    f.setItalic(font.italic());
    f.setUnderline(font.underline());
    f.setStrikeOut(font.strikeOut());
    return f;
}

int32_t CtlWidthPixels(const QWidget* control) { return control ? control->width() : 0; }
int32_t CtlHeightPixels(const QWidget* control) { return control ? control->height() : 0; }

void SetTabChain(std::initializer_list<QWidget*> widgets) {
    QWidget* previous = nullptr;
    for (QWidget* w : widgets) {
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

QLineEdit* EntryLine(QWidget* w) {
    if (auto* line = qobject_cast<QLineEdit*>(w)) return line;
    if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->lineEdit();
    return nullptr;
}

void FrameKeyToBox(QGroupBox* frame, QWidget* box) {
    frame->installEventFilter(new EventHook(
        [box](QObject*, QEvent* e) {
            if (e->type() != QEvent::Shortcut) return false;
            if (!box->hasFocus()) box->setFocus(Qt::ShortcutFocusReason); // Qt selects the text
            else if (QLineEdit* line = EntryLine(box)) line->selectAll();
            return true;
        },
        frame));
}

} // namespace WidgetLib
