#include "platform/WindowFit.h"

#include <QApplication>
#include <QDialog>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace WindowFit {

namespace {

const char* const kScrollName = "WindowFitScroll";

QScreen* ScreenOf(const QWidget* window) {
    if (QScreen* s = window ? window->screen() : nullptr) return s;
    return QGuiApplication::primaryScreen();
}

// Puts the dialog's layout with its widgets into a scroll area that fills
// the dialog; the scroll area, once made, stays.
QScrollArea* Scrolled(QWidget* window) {
    if (auto* done = window->findChild<QScrollArea*>(QLatin1String(kScrollName), Qt::FindDirectChildrenOnly))
        return done;
    auto* content = new QWidget;
    if (QLayout* layout = window->layout()) {
        // Takes the layout off the dialog and its widgets with it.
        content->setLayout(layout);
    } else {
        // Controls placed by hand keep their places on a page of the size
        // the dialog had.
        content->setFixedSize(window->size());
        for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->isWindow()) continue;
            const bool hidden = child->isHidden() && child->testAttribute(Qt::WA_WState_ExplicitShowHide);
            const QRect place = child->geometry();
            child->setParent(content);
            child->setGeometry(place);
            if (!hidden) child->show();
        }
    }
    auto* scroll = new QScrollArea(window);
    scroll->setObjectName(QLatin1String(kScrollName));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    auto* outer = new QVBoxLayout(window);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    scroll->show();
    // A layout of fixed size fixed the dialog; now it fixes the contents.
    window->setMinimumSize(0, 0);
    window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    return scroll;
}

} // namespace

QRect AvailableArea(const QWidget* window) {
    const QScreen* s = ScreenOf(window);
    return s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
}

QMargins FrameMargins(const QWidget* window) {
    const QRect frame = window->frameGeometry(), inner = window->geometry();
    const QMargins known(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                         frame.bottom() - inner.bottom());
    if (!known.isNull()) return known;
    // A title bar on top and a thin border round the rest.
    const int title = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    return QMargins(2, std::max(title, 0) + 2, 2, 2);
}

QSize LimitSize(QSize frame, QSize area) { return frame.boundedTo(area); }

bool Passes(QSize frame, QSize area) { return frame.width() > area.width() || frame.height() > area.height(); }

QPoint PlaceOn(QPoint pos, QSize frame, const QRect& area) {
    const int x = std::clamp(pos.x(), area.left(), std::max(area.left(), area.left() + area.width() - frame.width()));
    const int y = std::clamp(pos.y(), area.top(), std::max(area.top(), area.top() + area.height() - frame.height()));
    return {x, y};
}

bool LimitToScreen(QWidget* window) {
    if (!window) return false;
    const QRect area = AvailableArea(window);
    const QMargins m = FrameMargins(window);
    const QSize extra(m.left() + m.right(), m.top() + m.bottom());
    auto* dialog = qobject_cast<QDialog*>(window);
    // A dialog scrolled at an earlier opening asks for all of its contents.
    QScrollArea* scroll =
        dialog ? window->findChild<QScrollArea*>(QLatin1String(kScrollName), Qt::FindDirectChildrenOnly) : nullptr;
    const QWidget* content = scroll ? scroll->widget() : nullptr;
    const QSize want = !content ? window->size() : content->layout() ? content->sizeHint() : content->size();
    if (!Passes(want + extra, area.size())) {
        if (want != window->size()) window->resize(want);
        return false;
    }
    if (dialog && !scroll) scroll = Scrolled(window);
    QSize size = want;
    if (scroll) {
        // Room for the scroll bar across the direction that does not fit.
        const int bar = window->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll);
        if (want.height() + extra.height() > area.height()) size.rwidth() += bar;
        if (want.width() + extra.width() > area.width()) size.rheight() += bar;
    }
    window->resize(LimitSize(size + extra, area.size()) - extra);
    return true;
}

} // namespace WindowFit
