// Watching a window that another program owns (the preview host, xscreensaver's window) through
// a connection of our own to the X server: Qt's foreign windows report no size and never hear of
// their destruction.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

struct xcb_connection_t;

namespace orb {

struct WindowSize {
    int32_t width = 0, height = 0; // pixels
};

class X11WindowWatch {
  public:
    // Connects to $DISPLAY; Connected() tells whether that worked.
    X11WindowWatch();
    ~X11WindowWatch();
    X11WindowWatch(const X11WindowWatch&) = delete;
    X11WindowWatch& operator=(const X11WindowWatch&) = delete;

    bool Connected() const { return conn_ != nullptr; }
    // The root window of the default screen.
    uint32_t RootWindow() const { return root_; }
    // True while the window exists (one round trip to the server).
    bool Exists(uint32_t window);
    // The window's size, or nothing when it does not exist.
    std::optional<WindowSize> Size(uint32_t window);

    // From now on, events of this window reach Dispatch.
    bool Watch(uint32_t window);
    // Readable when the server has sent something not yet read. A round trip (Exists, Size) reads
    // the events that arrived before its reply along with it, and those no longer make the
    // descriptor readable: call Dispatch after one.
    int Fd() const;
    // Handles every event that has arrived; a destroyed watched window counts as destroyed
    // even when its event was missed, should the connection break.
    void Dispatch(const std::function<void(WindowSize)>& resized, const std::function<void()>& destroyed);

  private:
    xcb_connection_t* conn_ = nullptr; // our own connection, null when none
    uint32_t root_ = 0;                // root window of the default screen
    uint32_t watched_ = 0;             // the window Watch selected events on
};

} // namespace orb
