#include "app/x11/x11_harness.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <thread>

extern char** environ;

namespace orb::x11test {

using namespace std::chrono_literals;

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(20ms);
    }
}

XClient::XClient(const std::string& display) {
    xcb_connection_t* c = xcb_connect(display.c_str(), nullptr);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return;
    }
    conn_ = c;
    screen_ = xcb_setup_roots_iterator(xcb_get_setup(conn_)).data;
    const char name[] = "_NET_WM_NAME";
    xcb_intern_atom_reply_t* r =
        xcb_intern_atom_reply(conn_, xcb_intern_atom(conn_, 0, sizeof name - 1, name), nullptr);
    netWmName_ = r ? r->atom : uint32_t{XCB_ATOM_NONE};
    std::free(r);
}

XClient::~XClient() {
    if (conn_) xcb_disconnect(conn_);
}

uint32_t XClient::CreateHost(int width, int height) {
    const uint32_t w = xcb_generate_id(conn_);
    const uint32_t values[] = {screen_->black_pixel};
    xcb_create_window(conn_, XCB_COPY_FROM_PARENT, w, screen_->root, 20, 20, static_cast<uint16_t>(width),
                      static_cast<uint16_t>(height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen_->root_visual,
                      XCB_CW_BACK_PIXEL, values);
    xcb_map_window(conn_, w);
    Sync();
    return w;
}

void XClient::Destroy(uint32_t window) {
    xcb_destroy_window(conn_, window);
    Sync();
}

void XClient::Resize(uint32_t window, int width, int height) {
    const uint32_t values[] = {static_cast<uint32_t>(width), static_cast<uint32_t>(height)};
    xcb_configure_window(conn_, window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, values);
    Sync();
}

void XClient::Sync() {
    std::free(xcb_get_input_focus_reply(conn_, xcb_get_input_focus(conn_), nullptr)); // a round trip
}

std::vector<uint32_t> XClient::Children(uint32_t window) {
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(conn_, xcb_query_tree(conn_, window), nullptr);
    if (!tree) return {};
    const xcb_window_t* kids = xcb_query_tree_children(tree);
    std::vector<uint32_t> out(kids, kids + xcb_query_tree_children_length(tree));
    std::free(tree);
    return out;
}

int XClient::LitPixels(uint32_t window) {
    const auto [width, height] = Size(window);
    return LitIn(window, width, height);
}

int XClient::LitInChildSized(uint32_t window, int width, int height) {
    for (const uint32_t kid : Children(window)) {
        const int lit = Size(kid) == std::pair(width, height) ? LitIn(kid, width, height)
                                                              : LitInChildSized(kid, width, height);
        if (lit >= 0) return lit;
    }
    return -1;
}

int XClient::LitIn(uint32_t window, int width, int height) {
    if (width <= 0 || height <= 0) return 0;
    const xcb_get_image_cookie_t cookie =
        xcb_get_image(conn_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, static_cast<uint16_t>(width),
                      static_cast<uint16_t>(height), ~0u);
    xcb_get_image_reply_t* img = xcb_get_image_reply(conn_, cookie, nullptr);
    if (!img) return 0;
    const auto* data = reinterpret_cast<const uint32_t*>(xcb_get_image_data(img));
    const int words = xcb_get_image_data_length(img) / 4;
    int lit = 0;
    for (int i = 0; i < words; ++i)
        lit += (data[i] & 0xFFFFFFu) != 0;
    std::free(img);
    return lit;
}

std::vector<std::pair<int, int>> XClient::ChildSizes(uint32_t window) {
    std::vector<std::pair<int, int>> out;
    for (const uint32_t kid : Children(window))
        if (const auto size = Size(kid); size.first > 0) out.push_back(size);
    return out;
}

std::set<uint32_t> XClient::ViewableTopLevels() {
    std::set<uint32_t> out;
    for (const uint32_t kid : Children(screen_->root)) {
        xcb_get_window_attributes_reply_t* a =
            xcb_get_window_attributes_reply(conn_, xcb_get_window_attributes(conn_, kid), nullptr);
        if (a && a->map_state == XCB_MAP_STATE_VIEWABLE) out.insert(kid);
        std::free(a);
    }
    return out;
}

std::vector<uint32_t> XClient::ViewableTopLevelsNamed(const std::string& caption) {
    std::vector<uint32_t> out;
    for (uint32_t w : ViewableTopLevels())
        if (Title(w) == caption) out.push_back(w);
    return out;
}

std::string XClient::Title(uint32_t window) {
    for (const uint32_t name : {netWmName_, static_cast<uint32_t>(XCB_ATOM_WM_NAME)}) {
        xcb_get_property_reply_t* p = xcb_get_property_reply(
            conn_, xcb_get_property(conn_, 0, window, name, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024), nullptr);
        std::string title;
        if (p && p->format == 8)
            title.assign(static_cast<const char*>(xcb_get_property_value(p)),
                         xcb_get_property_value_length(p));
        std::free(p);
        if (!title.empty()) return title;
    }
    return {};
}

std::pair<int, int> XClient::Size(uint32_t window) {
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(conn_, xcb_get_geometry(conn_, window), nullptr);
    const std::pair<int, int> size = g ? std::pair<int, int>(g->width, g->height) : std::pair(0, 0);
    std::free(g);
    return size;
}

std::pair<int, int> XClient::ScreenSize() const {
    return {screen_->width_in_pixels, screen_->height_in_pixels};
}

Program::Program(const std::string& display, const std::string& home, const std::vector<std::string>& args,
                 const std::vector<std::string>& env) {
    std::vector<std::string> vars;
    for (char** e = environ; *e; ++e) {
        const std::string v = *e;
        if (!v.starts_with("DISPLAY=") && !v.starts_with("XDG_") && !v.starts_with("QT_QPA_PLATFORM=") &&
            !v.starts_with("WAYLAND_DISPLAY=") && !v.starts_with("XSCREENSAVER_WINDOW="))
            vars.push_back(v);
    }
    vars.push_back("DISPLAY=" + display);
    vars.push_back("XDG_CONFIG_HOME=" + home + "/config");
    vars.push_back("XDG_RUNTIME_DIR=" + home + "/run");
    vars.insert(vars.end(), env.begin(), env.end());
    std::vector<std::string> argv{ORBELUNE_PROGRAM};
    argv.insert(argv.end(), args.begin(), args.end());
    pid_ = ::fork();
    if (pid_ == 0) {
        std::vector<char*> a, e;
        for (auto& s : argv)
            a.push_back(s.data());
        a.push_back(nullptr);
        for (auto& s : vars)
            e.push_back(s.data());
        e.push_back(nullptr);
        const int devnull = ::open("/dev/null", O_WRONLY);
        ::dup2(devnull, 1);
        ::execve(a[0], a.data(), e.data());
        ::_exit(127);
    }
}

Program::~Program() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
}

std::optional<int> Program::WaitExit(std::chrono::milliseconds timeout) {
    std::optional<int> status;
    WaitUntil(
        [&] {
            int s = 0;
            if (pid_ <= 0 || ::waitpid(pid_, &s, WNOHANG) != pid_) return false;
            pid_ = -1;
            status = WIFEXITED(s) ? WEXITSTATUS(s) : 128 + WTERMSIG(s);
            return true;
        },
        timeout);
    return status;
}

} // namespace orb::x11test
