#include "platform/x11/x11_window.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <tuple>

#include "helpers/xvfb_server.h"
#include "platform/temp_dir.h"

namespace orb {
namespace {

// A client of the test's own on the private server, making the windows the code works on.
class X11WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!Start()) GTEST_SKIP() << "Xvfb could not be started (is it installed?)";
    }
    // Starts a server (in place of the one before) and connects; false when Xvfb could not start.
    bool Start(const std::vector<std::string>& extra = {}) {
        server_ = std::make_unique<test::XvfbServer>(extra);
        if (server_->Display().empty()) return false;
        display_.Set(server_->Display().c_str());
        x_ = std::make_unique<test::XClient>(server_->Display());
        conn_ = x_->Connection();
        EXPECT_TRUE(x_->Ok()) << "no connection to " << server_->Display(); // a failure, not a skip
        return x_->Ok();
    }
    // Dispatches the watch's events into resizes_, last_ and destroyed_ until `done` holds;
    // false when it has not within five seconds.
    bool DispatchUntil(X11WindowWatch& watch, const std::function<bool()>& done) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        for (;;) {
            watch.Dispatch([this](WindowSize s) { ++resizes_, last_ = s; }, [this] { ++destroyed_; });
            if (done()) return true;
            if (std::chrono::steady_clock::now() >= end) return false;
            pollfd p{watch.Fd(), POLLIN, 0};
            ::poll(&p, 1, 100);
        }
    }

    std::unique_ptr<test::XvfbServer> server_;
    test::ScopedEnv display_{"DISPLAY", nullptr}; // the watch connects to $DISPLAY
    std::unique_ptr<test::XClient> x_;            // the test's own client
    xcb_connection_t* conn_ = nullptr;            // its connection
    int resizes_ = 0, destroyed_ = 0;             // reports of the watch
    WindowSize last_;                             // the size last reported
};

TEST_F(X11WindowTest, WatchReportsSizeResizeAndDestruction) {
    X11WindowWatch watch;
    ASSERT_TRUE(watch.Connected());
    EXPECT_EQ(watch.RootWindow(), x_->Root());
    const uint32_t w = x_->CreateHost(120, 80);
    const uint32_t other = x_->CreateHost(30, 20);
    ASSERT_TRUE(watch.Size(w).has_value());
    EXPECT_EQ(std::pair(watch.Size(w)->width, watch.Size(w)->height), std::pair(120, 80));
    EXPECT_FALSE(watch.Size(0).has_value());
    EXPECT_FALSE(watch.Watch(w + 100)) << "no such window";
    ASSERT_TRUE(watch.Watch(w));

    // Only the watched window's changes are reported.
    x_->Resize(other, 50, 40);
    x_->Resize(w, 200, 150);
    x_->Destroy(other);
    ASSERT_TRUE(DispatchUntil(watch, [&] { return resizes_ > 0; }));
    EXPECT_EQ(std::tuple(resizes_, last_.width, last_.height, destroyed_), std::tuple(1, 200, 150, 0));

    x_->Destroy(w);
    ASSERT_TRUE(DispatchUntil(watch, [&] { return destroyed_ > 0; }));
    EXPECT_EQ(std::tuple(resizes_, destroyed_), std::tuple(1, 1));
    EXPECT_FALSE(watch.Exists(w));
    EXPECT_TRUE(watch.Exists(x_->Root()));
}

TEST_F(X11WindowTest, SharedImagePutsItsRectanglesOntoTheWindow) {
    constexpr int kW = 64, kH = 48;
    constexpr uint32_t kGreen = 0x00FF00;
    const uint32_t w = x_->CreateHost(kW, kH, kGreen);
    X11SharedImage image(w, kW, kH);
    ASSERT_TRUE(image.Valid());
    EXPECT_EQ(std::pair(image.Width(), image.Height()), std::pair(kW, kH));
    EXPECT_EQ(image.Pixels()[kW * kH - 1], 0xFF000000u) << "a new image is opaque black";
    auto pattern = [](int x, int y) { return uint32_t(x) << 16 | uint32_t(y) << 8 | uint32_t(x + 2 * y); };
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            image.Pixels()[y * kW + x] = 0xFF000000u | pattern(x, y);
    image.Put(8, 4, 20, 10);
    image.Put(40, 30, 24, 18); // up to the far corner
    image.Finish();
    // Empty rectangles send nothing, and a Finish after nothing put costs no round trip.
    const auto sequence = [&] { return xcb_no_operation(image.Connection()).sequence; };
    const unsigned before = sequence();
    image.Put(0, 0, 0, 5);
    image.Put(0, 0, 5, 0);
    image.Finish();
    EXPECT_EQ(sequence() - before, 1u);
    std::fill(image.Pixels(), image.Pixels() + kW * kH, 0xFFFFFFFFu); // free to write once finished
    auto inside = [](int x, int y, int rx, int ry, int rw, int rh) {
        return x >= rx && x < rx + rw && y >= ry && y < ry + rh;
    };
    const std::vector<uint32_t> shown = x_->Pixels(w);
    ASSERT_EQ(shown.size(), size_t(kW * kH));
    int wrong = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const bool put = inside(x, y, 8, 4, 20, 10) || inside(x, y, 40, 30, 24, 18);
            wrong += shown[y * kW + x] != (put ? pattern(x, y) : kGreen);
        }
    EXPECT_EQ(wrong, 0);

    // The widest image a request carries; a size it cannot carry, or a window that does not exist,
    // gives no image.
    const std::tuple<uint32_t, int, int, bool> cases[] = {
        {w, 32767, 1, true}, {w, 32768, 1, false}, {w + 100, 5, 5, false}, {0, 5, 5, false}};
    for (const auto& [window, width, height, valid] : cases)
        EXPECT_EQ(X11SharedImage(window, width, height).Valid(), valid) << width << " " << window;
    EXPECT_EQ(xcb_connection_has_error(conn_), 0);
}

TEST(X11SharedImageRules, SizesAndPixelLayoutsItTakes) {
    const std::tuple<int, int, bool> sizes[] = {{32767, 1, true},  {1, 32767, true},  {1, 1, true},
                                                {32768, 1, false}, {1, 32768, false}, {0, 5, false},
                                                {5, 0, false}};
    for (const auto& [width, height, fits] : sizes)
        EXPECT_EQ(SharedImageSizeFits(width, height), fits) << width << "x" << height;
    constexpr uint32_t R = 0xFF0000u, G = 0xFF00u, B = 0xFFu;
    const std::tuple<int, bool, uint32_t, uint32_t, uint32_t, bool> layouts[] = {
        {24, true, R, G, B, true},       {32, true, R, G, B, true},  {16, true, R, G, B, false},
        {24, false, R, G, B, false},     {24, true, B, G, R, false}, {24, true, 0x7F0000u, G, B, false},
        {24, true, R, 0x7F00u, B, false}}; // depth, byte order, masks: BGR, 7-bit red or green
    for (const auto& [depth, lsbFirst, red, green, blue, takes] : layouts)
        EXPECT_EQ(TakesOurPixels(depth, lsbFirst, red, green, blue), takes)
            << depth << lsbFirst << red << green;
}

TEST_F(X11WindowTest, WithoutSharedMemoryNoImageAndALostServerEndsTheWatch) {
    ASSERT_TRUE(Start({"-extension", "MIT-SHM"}));
    const uint32_t w = x_->CreateHost(32, 32);
    const X11SharedImage noShm(w, 32, 32);
    EXPECT_FALSE(noShm.Valid());
    EXPECT_EQ(xcb_connection_has_error(noShm.Connection()), 0)
        << "no request of the missing extension was sent";

    X11WindowWatch watch, idle; // idle watches nothing
    ASSERT_TRUE(watch.Watch(w));
    server_.reset();
    EXPECT_TRUE(DispatchUntil(watch, [&] { return destroyed_ > 0; }));
    const int seen = destroyed_;
    DispatchUntil(idle, [] { return true; });
    EXPECT_EQ(destroyed_, seen) << "a watch of nothing reports nothing";
    display_.Set(""); // no display to connect to
    EXPECT_FALSE(X11SharedImage(w, 5, 5).Valid()) << "no connection";
    X11WindowWatch none;
    EXPECT_EQ(std::tuple(none.Connected(), none.Fd(), none.Exists(w), none.Watch(w)),
              std::tuple(false, -1, false, false));
}

} // namespace
} // namespace orb
