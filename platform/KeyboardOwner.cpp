#include "platform/KeyboardOwner.h"

#include <QGuiApplication>
#include <QWidget>
#include <cstdlib>
#include <memory>

#ifdef VOSP_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace KeyboardOwner {

namespace {

std::function<std::optional<bool>(const QWidget*)>& Override() {
    static std::function<std::optional<bool>(const QWidget*)> answer;
    return answer;
}

#ifdef VOSP_HAVE_XCB
struct FreeReply {
    void operator()(void* p) const { std::free(p); }
};

std::optional<bool> AskX(const QWidget* window) {
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c) return std::nullopt;
    const std::unique_ptr<xcb_get_input_focus_reply_t, FreeReply> focus(
        xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    // PointerRoot hands the keys to whatever is under the pointer.
    if (!focus || focus->focus == XCB_INPUT_FOCUS_POINTER_ROOT) return std::nullopt;
    if (!window->testAttribute(Qt::WA_WState_Created)) return false;
    // The window, or the frame a window manager put around it.
    for (auto w = static_cast<xcb_window_t>(window->winId()); w != XCB_WINDOW_NONE;) {
        if (w == focus->focus) return true;
        const std::unique_ptr<xcb_query_tree_reply_t, FreeReply> tree(
            xcb_query_tree_reply(c, xcb_query_tree(c, w), nullptr));
        if (!tree || tree->parent == tree->root) break;
        w = tree->parent;
    }
    return false;
}
#endif

} // namespace

std::optional<bool> HasKeyboard(const QWidget* window) {
    if (Override()) return Override()(window);
#ifdef VOSP_HAVE_XCB
    return AskX(window);
#else
    (void)window;
    return std::nullopt;
#endif
}

void SetForTests(std::function<std::optional<bool>(const QWidget*)> answer) { Override() = std::move(answer); }

} // namespace KeyboardOwner
