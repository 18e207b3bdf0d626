#pragma once
// Windows larger than the screen. A window whose outer size passes the
// screen's available area (the screen less its panels) is made no larger
// than that area, its contents scroll, and its top-left corner is put on
// the area; a window that fits keeps the place its own rules give it.
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace WindowFit {

// The available area of the screen `window` is on (the primary screen's
// when it has none yet), in logical pixels.
QRect AvailableArea(const QWidget* window);
// The window's frame: its known margins, or until the window manager has
// framed it, a title bar's height on top and a thin border round it.
QMargins FrameMargins(const QWidget* window);

// The outer size a window of outer size `frame` may take on `area`.
QSize LimitSize(QSize frame, QSize area);
// Whether a window of outer size `frame` passes `area` in either direction.
bool Passes(QSize frame, QSize area);
// The top-left corner of a window of outer size `frame` (no larger than
// `area`) at `pos`, pulled onto `area` so that the whole window lies in it.
QPoint PlaceOn(QPoint pos, QSize frame, const QRect& area);

// Makes a top-level widget that passes the available area no larger than
// it: a dialog's contents are put in a scroll area the first time (once
// for good), any other window is only resized (its contents must scroll by
// themselves). True when the window passed the area.
bool LimitToScreen(QWidget* window);

} // namespace WindowFit
