// A private Xvfb server on a display number of its own choosing, and a client connection with the
// few requests the tests of X11 code make of its windows.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace orb::test {

class XvfbServer {
  public:
    // extra: more arguments for Xvfb ("-extension", "MIT-SHM" takes that one away). Returns once
    // the server accepts connections; Display() is empty when it could not start.
    explicit XvfbServer(const std::vector<std::string>& extra = {}) {
        int fds[2];
        if (::pipe(fds) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            const int devnull = ::open("/dev/null", O_WRONLY);
            ::dup2(devnull, 1);
            ::dup2(devnull, 2);
            // -noreset: the server would otherwise reset when its last client leaves, refusing
            // the next connections for a moment.
            std::vector<std::string> args{"Xvfb",      "-displayfd", std::to_string(fds[1]),
                                          "-screen",   "0",          "640x480x24",
                                          "-nolisten", "tcp",        "-noreset"};
            args.insert(args.end(), extra.begin(), extra.end());
            std::vector<char*> argv;
            for (std::string& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execvp("Xvfb", argv.data());
            ::_exit(127);
        }
        ::close(fds[1]);
        char buf[32] = {};
        const ssize_t n = pid_ > 0 ? ::read(fds[0], buf, sizeof buf - 1) : -1; // written when ready
        displayFd_ = fds[0]; // kept open: a server that writes to a closed pipe dies of SIGPIPE
        if (n > 0) display_ = ":" + std::string(buf, std::strcspn(buf, "\n"));
    }
    ~XvfbServer() {
        ::close(displayFd_);
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;
    const std::string& Display() const { return display_; }

  private:
    pid_t pid_ = -1;      // the server process
    int displayFd_ = -1;  // read end of the pipe the server announced its display on
    std::string display_; // ":N"
};

class XClient {
  public:
    explicit XClient(const std::string& display) : conn_(xcb_connect(display.c_str(), nullptr)) {
        if (!xcb_connection_has_error(conn_)) screen_ = xcb_setup_roots_iterator(xcb_get_setup(conn_)).data;
    }
    ~XClient() { xcb_disconnect(conn_); }
    XClient(const XClient&) = delete;
    XClient& operator=(const XClient&) = delete;
    bool Ok() const { return screen_ != nullptr; }
    xcb_connection_t* Connection() const { return conn_; }
    uint32_t Root() const { return screen_->root; }
    std::pair<int, int> ScreenSize() const { return {screen_->width_in_pixels, screen_->height_in_pixels}; }

    // A mapped top-level window of the root's depth filled with `background` (0xRRGGBB).
    // This and the changes below return once the server has handled them.
    uint32_t CreateHost(int width, int height, uint32_t background = 0) {
        const uint32_t w = xcb_generate_id(conn_);
        xcb_create_window(conn_, XCB_COPY_FROM_PARENT, w, screen_->root, 20, 20, uint16_t(width),
                          uint16_t(height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen_->root_visual,
                          XCB_CW_BACK_PIXEL, &background);
        xcb_map_window(conn_, w);
        Sync();
        return w;
    }
    void Destroy(uint32_t window) {
        xcb_destroy_window(conn_, window);
        Sync();
    }
    void Resize(uint32_t window, int width, int height) {
        const uint32_t size[] = {uint32_t(width), uint32_t(height)};
        xcb_configure_window(conn_, window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size);
        Sync();
    }
    void Sync() { Own(xcb_get_input_focus_reply(conn_, xcb_get_input_focus(conn_), nullptr)); }

    // The window's size, {0, 0} when it does not exist.
    std::pair<int, int> Size(uint32_t window) {
        auto g = Own(xcb_get_geometry_reply(conn_, xcb_get_geometry(conn_, window), nullptr));
        return g ? std::pair<int, int>(g->width, g->height) : std::pair(0, 0);
    }
    // The window's pixels (and those of the children drawn in it) as 0xRRGGBB, row by row.
    std::vector<uint32_t> Pixels(uint32_t window) {
        const auto [width, height] = Size(window);
        if (width == 0) return {};
        auto img = Own(xcb_get_image_reply(conn_,
                                           xcb_get_image(conn_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0,
                                                         uint16_t(width), uint16_t(height), ~0u),
                                           nullptr));
        if (!img) return {};
        const auto* data = reinterpret_cast<const uint32_t*>(xcb_get_image_data(img.get()));
        std::vector<uint32_t> out(data, data + xcb_get_image_data_length(img.get()) / 4);
        for (uint32_t& p : out)
            p &= 0xFFFFFFu;
        return out;
    }
    // Pixels of the window that are not black.
    int LitPixels(uint32_t window) {
        const std::vector<uint32_t> pixels = Pixels(window);
        return int(pixels.size()) - int(std::count(pixels.begin(), pixels.end(), 0u));
    }
    // The lit pixels of the first window below `window` (at any depth) sized width x height; -1
    // when there is none. A picture drawn in a child window of its own is found by its size.
    int LitInChildSized(uint32_t window, int width, int height) {
        for (const uint32_t kid : Children(window)) {
            const int lit =
                Size(kid) == std::pair(width, height) ? LitPixels(kid) : LitInChildSized(kid, width, height);
            if (lit >= 0) return lit;
        }
        return -1;
    }
    std::vector<std::pair<int, int>> ChildSizes(uint32_t window) {
        std::vector<std::pair<int, int>> out;
        for (const uint32_t kid : Children(window))
            out.push_back(Size(kid));
        return out;
    }
    std::set<uint32_t> ViewableTopLevels() {
        std::set<uint32_t> out;
        for (const uint32_t kid : Children(screen_->root)) {
            auto a =
                Own(xcb_get_window_attributes_reply(conn_, xcb_get_window_attributes(conn_, kid), nullptr));
            if (a && a->map_state == XCB_MAP_STATE_VIEWABLE) out.insert(kid);
        }
        return out;
    }
    // The viewable top-level windows whose title (WM_NAME, which Qt sets too) is exactly caption.
    std::vector<uint32_t> ViewableTopLevelsNamed(const std::string& caption) {
        std::vector<uint32_t> out;
        for (const uint32_t w : ViewableTopLevels())
            if (Title(w) == caption) out.push_back(w);
        return out;
    }
    std::string Title(uint32_t window) {
        auto p = Own(xcb_get_property_reply(
            conn_, xcb_get_property(conn_, 0, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 0, 1024), nullptr));
        if (!p || p->format != 8) return {};
        return {static_cast<const char*>(xcb_get_property_value(p.get())),
                size_t(xcb_get_property_value_length(p.get()))};
    }

  private:
    struct Free {
        void operator()(void* p) const { std::free(p); }
    };
    template <class Reply> static std::unique_ptr<Reply, Free> Own(Reply* r) { return {r, Free{}}; }

    // The window's children, bottom first; empty when it does not exist.
    std::vector<uint32_t> Children(uint32_t window) {
        auto tree = Own(xcb_query_tree_reply(conn_, xcb_query_tree(conn_, window), nullptr));
        if (!tree) return {};
        const xcb_window_t* kids = xcb_query_tree_children(tree.get());
        return {kids, kids + xcb_query_tree_children_length(tree.get())};
    }

    xcb_connection_t* conn_;         // has an error when the display is out of reach
    xcb_screen_t* screen_ = nullptr; // the default screen, null without a connection
};

} // namespace orb::test
