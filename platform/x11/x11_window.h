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

namespace orb {

// Whether an image of this size can go in X requests (16-bit sizes, signed positions).
bool SharedImageSizeFits(int32_t width, int32_t height);
// Whether 0xFFRRGGBB pixels show as they are on a window of this depth (bits) and visual (its
// colour masks) when the server reads images least significant byte first (lsbFirst).
bool TakesOurPixels(int depth, bool lsbFirst, uint32_t redMask, uint32_t greenMask, uint32_t blueMask);

// An image in memory shared with the X server, put straight onto a window: the server copies
// from it without the pixels crossing the socket and without a second image in between. Pixels
// are the window's 0xFFRRGGBB; the window must be 24 or 32 bits deep with that layout.
// The image talks to the server over a connection of its own to $DISPLAY: the answer that tells a
// frame has been taken in then waits in that connection until the next frame asks for it, instead
// of waking the toolkit's event reader (and through it the drawing thread) in between.
class X11SharedImage {
  public:
    // Nothing usable (Valid false) when there is no display to connect to, the server lacks
    // MIT-SHM (a remote display), the window's depth differs, or shared memory cannot be had:
    // the caller presents some other way.
    X11SharedImage(uint32_t window, int32_t width, int32_t height);
    ~X11SharedImage();
    X11SharedImage(const X11SharedImage&) = delete;
    X11SharedImage& operator=(const X11SharedImage&) = delete;

    bool Valid() const { return pixels_ != nullptr; }
    uint32_t* Pixels() { return pixels_; }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    // Puts the rectangle (x, y, w, h) of the image at the same place of the window.
    void Put(int32_t x, int32_t y, int32_t w, int32_t h);
    // Sends what was put along with a request whose answer tells that the server has taken it
    // in. Sent at the end of a frame, the answer is there long before the next frame waits for it.
    void Send();
    // Sends what was put and returns once the server has taken it in, so the image can be written
    // again without the server reading half of the next frame.
    void Finish();
    // The image's own connection (null when none), for a look at its requests.
    xcb_connection_t* Connection() const { return conn_; }

  private:
    xcb_connection_t* conn_ = nullptr; // our own connection to the window's server
    uint32_t window_ = 0;              // where the image goes
    uint32_t gc_ = 0;                  // graphics context on the window
    uint32_t segment_ = 0;             // the server's name for the shared memory
    uint8_t depth_ = 0;                // the window's depth, bits
    int shmId_ = -1;                   // the shared memory
    uint32_t* pixels_ = nullptr;       // our mapping of it, width_ x height_ pixels
    int32_t width_ = 0, height_ = 0;   // pixels
    bool pending_ = false;             // puts since the last Send
    bool awaiting_ = false;            // a Send whose answer Finish has not yet had
    unsigned int marker_ = 0;          // sequence number of that Send's request
};

} // namespace orb
