#pragma once
// Helpers over widgets and fonts that the windows share.
#include <QFont>
#include <QString>
#include <cstdint>
#include <initializer_list>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QWidget;

namespace WidgetLib {

// Selects the first entry equal to `text` (letter case counts), entry 0
// when none is; nothing for an empty list. The box signals the change.
void SelectComboText(QComboBox* combo, const QString& text);

// A new font with the same family, size, weight, bold, italic, underline
// and strike-out (and nothing else of the original).
QFont CloneFont(const QFont& font);

// A widget's size in pixels.
int32_t CtlWidthPixels(const QWidget* control);
int32_t CtlHeightPixels(const QWidget* control);

// The Tab key visits `widgets` in this order, the order in which they stand
// on screen, whatever the order they were made in.
void SetTabChain(std::initializer_list<QWidget*> widgets);

// The line of text of an entry: the line edit itself or an editable box's;
// null for any other widget.
QLineEdit* EntryLine(QWidget* w);

// The frame's access key puts the focus on `box` with its whole text
// selected, every time. A frame's own key goes back to the control of it
// that had the focus last, a slider as well, where typed digits are lost.
void FrameKeyToBox(QGroupBox* frame, QWidget* box);

} // namespace WidgetLib
