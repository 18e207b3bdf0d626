#include "platform/MouseWheel.h"

#include "platform/EventHook.h"

#include <QAbstractScrollArea>
#include <QPointer>
#include <QScrollBar>
#include <QWheelEvent>
#include <memory>
#include <vector>

namespace MouseWheel {

namespace {

struct Hook {
    QPointer<QAbstractScrollArea> view;
    QPointer<QWidget> viewport;
    std::unique_ptr<EventHook> filter;
    int pending = 0;
};

// Entries in hook order; the list exists from the first hook on.
std::vector<std::unique_ptr<Hook>> g_list;
std::vector<std::unique_ptr<Hook>>* g_hooks = nullptr;

bool OnWheel(Hook& h, QEvent* e) {
    if (e->type() != QEvent::Wheel || !h.view) return false;
    const auto* w = static_cast<QWheelEvent*>(e);
    const QPoint d = w->angleDelta();
    // A sideways wheel is not ours: the view does with it what it would.
    if (d.y() == 0) return false;
    QScrollBar* bar = h.view->verticalScrollBar();
    // Nothing to scroll: passed on, so that what holds the view may scroll.
    if (!bar || bar->maximum() <= bar->minimum()) return false;
    const int lines = LinesFor(d.y(), h.pending);
    if (lines > 0) bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    if (lines < 0) bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    // Consumed: the view would otherwise scroll its own three lines.
    return true;
}

} // namespace

int LinesFor(int delta, int& pending) {
    if ((pending > 0 && delta < 0) || (pending < 0 && delta > 0)) pending = 0;
    pending += delta;
    if (pending >= 120) {
        pending = 0;
        return 1;
    }
    if (pending <= -120) {
        pending = 0;
        return -1;
    }
    return 0;
}

bool HookWheel(QAbstractScrollArea* view) {
    if (!g_hooks) g_hooks = &g_list;
    if (!view) return false;
    for (const auto& h : *g_hooks)
        if (h->view == view) return false;
    auto hook = std::make_unique<Hook>();
    Hook* raw = hook.get();
    hook->view = view;
    hook->viewport = view->viewport();
    hook->filter = std::make_unique<EventHook>([raw](QObject*, QEvent* e) { return OnWheel(*raw, e); });
    view->viewport()->installEventFilter(hook->filter.get());
    g_hooks->push_back(std::move(hook));
    return true;
}

bool UnhookWheel(QAbstractScrollArea* view) {
    if (!g_hooks) return false;
    for (auto it = g_hooks->begin(); it != g_hooks->end(); ++it) {
        if ((*it)->view != view) continue;
        if ((*it)->viewport) (*it)->viewport->removeEventFilter((*it)->filter.get());
        g_hooks->erase(it);
        return true;
    }
    return false;
}

bool UnhookWheelAll() {
    if (!g_hooks) return false;
    while (!g_hooks->empty()) {
        Hook& last = *g_hooks->back();
        if (last.viewport) last.viewport->removeEventFilter(last.filter.get());
        g_hooks->pop_back();
    }
    return true;
}

QList<QAbstractScrollArea*> Hooked() {
    QList<QAbstractScrollArea*> out;
    if (g_hooks)
        for (const auto& h : *g_hooks) out.append(h->view.data());
    return out;
}

} // namespace MouseWheel
