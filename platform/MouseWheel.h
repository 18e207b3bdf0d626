#pragma once
// A plain wheel for the item views that would scroll by several lines: each
// notch scrolls one line. Views are hooked through their viewport and
// remembered, so that they can be restored one by one or all at the end.
#include <QList>

class QAbstractScrollArea;

namespace MouseWheel {

// True when the view was hooked now; false when it was hooked already (or
// is null).
bool HookWheel(QAbstractScrollArea* view);
// True when the view was hooked and now is not; false otherwise.
bool UnhookWheel(QAbstractScrollArea* view);
// Unhooks every view, the last hooked first. True when none is left; false
// when nothing was ever hooked.
bool UnhookWheelAll();
// The hooked views in the order they were hooked (null for one destroyed
// while hooked).
QList<QAbstractScrollArea*> Hooked();

// Wheel steps are added up until they make a notch (120): touchpads send
// smaller ones. The result is the lines to scroll, -1 (down), 0 or 1 (up),
// and `pending` keeps the rest.
int LinesFor(int delta, int& pending);

} // namespace MouseWheel
