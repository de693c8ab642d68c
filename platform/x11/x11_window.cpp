#include "platform/x11/x11_window.h"

#include <sys/ipc.h>
#include <sys/shm.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <algorithm>
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

namespace orb {

namespace {

// The visual the window was made with; null when the server does not list it.
const xcb_visualtype_t* WindowVisual(xcb_connection_t* conn, uint32_t window) {
    xcb_get_window_attributes_reply_t* a =
        xcb_get_window_attributes_reply(conn, xcb_get_window_attributes(conn, window), nullptr);
    if (!a) return nullptr;
    const xcb_visualid_t visual = a->visual;
    std::free(a);
    for (xcb_screen_iterator_t s = xcb_setup_roots_iterator(xcb_get_setup(conn)); s.rem; xcb_screen_next(&s))
        for (xcb_depth_iterator_t d = xcb_screen_allowed_depths_iterator(s.data); d.rem; xcb_depth_next(&d))
            for (xcb_visualtype_iterator_t v = xcb_depth_visuals_iterator(d.data); v.rem;
                 xcb_visualtype_next(&v))
                if (v.data->visual_id == visual) return v.data;
    return nullptr;
}

} // namespace

bool SharedImageSizeFits(int32_t width, int32_t height) {
    return width > 0 && height > 0 && width <= 32767 && height <= 32767;
}

bool TakesOurPixels(int depth, bool lsbFirst, uint32_t redMask, uint32_t greenMask, uint32_t blueMask) {
    return (depth == 24 || depth == 32) && lsbFirst && redMask == 0xFF0000u && greenMask == 0xFF00u &&
           blueMask == 0xFFu;
}

X11SharedImage::X11SharedImage(uint32_t window, int32_t width, int32_t height)
    : window_(window), width_(width), height_(height) {
    if (!SharedImageSizeFits(width, height)) return;
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return;
    }
    conn_ = c;
    // Asked before any request of the extension: one the server lacks breaks the connection.
    const xcb_query_extension_reply_t* shm = xcb_get_extension_data(conn_, &xcb_shm_id);
    if (!shm || !shm->present) return;
    xcb_shm_query_version_reply_t* version =
        xcb_shm_query_version_reply(conn_, xcb_shm_query_version(conn_), nullptr);
    if (!version) return;
    std::free(version);
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(conn_, xcb_get_geometry(conn_, window_), nullptr);
    if (!g) return;
    depth_ = g->depth;
    std::free(g);
    const xcb_visualtype_t* v = WindowVisual(conn_, window_);
    const bool lsbFirst = xcb_get_setup(conn_)->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST;
    if (!v || !TakesOurPixels(depth_, lsbFirst, v->red_mask, v->green_mask, v->blue_mask)) return;

    const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
    shmId_ = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (shmId_ < 0) return;
    void* mapped = shmat(shmId_, nullptr, 0);
    // Marked for removal at once: the memory goes when both sides have let go, even after a crash.
    if (mapped == reinterpret_cast<void*>(-1)) {
        shmctl(shmId_, IPC_RMID, nullptr);
        shmId_ = -1;
        return;
    }
    segment_ = xcb_generate_id(conn_);
    xcb_generic_error_t* error =
        xcb_request_check(conn_, xcb_shm_attach_checked(conn_, segment_, static_cast<uint32_t>(shmId_), 0));
    shmctl(shmId_, IPC_RMID, nullptr);
    if (error) {
        std::free(error);
        shmdt(mapped);
        segment_ = 0;
        return;
    }
    gc_ = xcb_generate_id(conn_);
    const uint32_t noExposures = 0;
    xcb_create_gc(conn_, gc_, window_, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
    pixels_ = static_cast<uint32_t*>(mapped);
    std::fill(pixels_, pixels_ + static_cast<size_t>(width) * static_cast<size_t>(height), 0xFF000000u);
}

X11SharedImage::~X11SharedImage() {
    if (pixels_) {
        if (awaiting_) xcb_discard_reply(conn_, marker_);
        // The server may still read from the memory until it has seen the detach.
        xcb_free_gc(conn_, gc_);
        xcb_shm_detach(conn_, segment_);
        std::free(xcb_get_input_focus_reply(conn_, xcb_get_input_focus(conn_), nullptr));
        shmdt(pixels_);
    }
    if (conn_) xcb_disconnect(conn_);
}

void X11SharedImage::Put(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (!pixels_ || w <= 0 || h <= 0) return;
    xcb_shm_put_image(conn_, window_, gc_, static_cast<uint16_t>(width_), static_cast<uint16_t>(height_),
                      static_cast<uint16_t>(x), static_cast<uint16_t>(y), static_cast<uint16_t>(w),
                      static_cast<uint16_t>(h), static_cast<int16_t>(x), static_cast<int16_t>(y), depth_,
                      XCB_IMAGE_FORMAT_Z_PIXMAP, 0, segment_, 0);
    pending_ = true;
}

void X11SharedImage::Send() {
    if (!pending_) return;
    pending_ = false;
    // The server handles requests in order: once this one is answered, every put before it is done.
    marker_ = xcb_get_input_focus(conn_).sequence;
    awaiting_ = true;
    xcb_flush(conn_);
}

void X11SharedImage::Finish() {
    Send();
    if (!awaiting_) return;
    awaiting_ = false;
    std::free(xcb_get_input_focus_reply(conn_, xcb_get_input_focus_cookie_t{marker_}, nullptr));
    // Nothing else listens on this connection: errors of puts to a window that has gone would pile up.
    while (xcb_generic_event_t* e = xcb_poll_for_queued_event(conn_))
        std::free(e);
}

} // namespace orb
