#include "platform/qt/x11_window.h"

#include <xcb/xcb.h>

#include <cstdlib>

namespace orb {

X11WindowWatch::X11WindowWatch() {
    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return;
    }
    conn_ = c;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(conn_));
    for (int i = 0; i < screenNumber && it.rem > 0; ++i)
        xcb_screen_next(&it);
    if (it.rem > 0) root_ = it.data->root;
}

X11WindowWatch::~X11WindowWatch() {
    if (conn_) xcb_disconnect(conn_);
}

bool X11WindowWatch::Exists(uint32_t window) {
    return Size(window).has_value();
}

std::optional<WindowSize> X11WindowWatch::Size(uint32_t window) {
    if (!conn_ || window == 0) return std::nullopt;
    xcb_generic_error_t* error = nullptr;
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(conn_, xcb_get_geometry(conn_, window), &error);
    std::free(error);
    if (!g) return std::nullopt;
    WindowSize size{g->width, g->height};
    std::free(g);
    return size;
}

bool X11WindowWatch::Watch(uint32_t window) {
    if (!conn_) return false;
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_generic_error_t* error = xcb_request_check(
        conn_, xcb_change_window_attributes_checked(conn_, window, XCB_CW_EVENT_MASK, &mask));
    const bool ok = error == nullptr;
    std::free(error);
    if (ok) watched_ = window;
    return ok;
}

int X11WindowWatch::Fd() const {
    return conn_ ? xcb_get_file_descriptor(conn_) : -1;
}

void X11WindowWatch::Dispatch(const std::function<void(WindowSize)>& resized,
                              const std::function<void()>& destroyed) {
    if (!conn_) return;
    while (xcb_generic_event_t* e = xcb_poll_for_event(conn_)) {
        const uint8_t type = e->response_type & 0x7F;
        if (type == XCB_CONFIGURE_NOTIFY) {
            auto* c = reinterpret_cast<xcb_configure_notify_event_t*>(e);
            if (c->window == watched_) resized(WindowSize{c->width, c->height});
        } else if (type == XCB_DESTROY_NOTIFY) {
            auto* d = reinterpret_cast<xcb_destroy_notify_event_t*>(e);
            if (d->window == watched_) destroyed();
        }
        std::free(e);
    }
    if (xcb_connection_has_error(conn_) && watched_ != 0) destroyed();
}

} // namespace orb
