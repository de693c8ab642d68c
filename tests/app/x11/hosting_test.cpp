// The real program against real X11 windows on a private Xvfb server: drawing inside a window
// that another program owns, ending with it or with SIGTERM, and the single-instance rule.
#include <cstdlib>

#include "app/x11/x11_fixture.h"
#include "platform/instance_socket.h"

namespace orb::x11test {
namespace {

using namespace std::chrono_literals;

// Long enough for a start on a busy two-core machine; the promptness limits below are the point.
constexpr auto kStartUp = 10s;
constexpr auto kPromptly = 1s;

using HostingTest = ProgramTest;

TEST_F(HostingTest, PreviewDrawsInsideTheHostShowsNoWindowAndEndsWithTheHost) {
    using Sizes = std::vector<std::pair<int, int>>;
    const uint32_t host = x->CreateHost(200, 150);
    const std::set<uint32_t> before = x->ViewableTopLevels();
    auto program = Start({"/P", std::to_string(host)});
    EXPECT_TRUE(WaitUntil([&] { return x->LitPixels(host) > 10; }, kStartUp)) << "no stars in the host";
    EXPECT_EQ(x->ViewableTopLevels(), before) << "the preview showed a window of its own";
    const auto drawsAtHostSize = [&](int width, int height) {
        return WaitUntil([&] { return x->ChildSizes(host) == Sizes(1, std::pair(width, height)); }, kStartUp);
    };
    EXPECT_TRUE(drawsAtHostSize(200, 150)) << "one drawing area, the host's size";
    // Each change of size is a separate notice; one read along with a frame's own round trip to
    // the server must not be left unhandled.
    for (const auto& [width, height] : Sizes{{120, 90}, {260, 40}, {32, 200}, {121, 91}, {200, 150}}) {
        x->Resize(host, width, height);
        EXPECT_TRUE(drawsAtHostSize(width, height))
            << "the drawing area follows the host to " << width << " x " << height;
    }
    x->Destroy(host);
    EXPECT_EQ(program->WaitExit(kPromptly), 0) << "still running after the host was destroyed";
}

// xscreensaver's --window-id on a server without shared memory (a remote display, say): the
// frames go the ordinary way, and the run ends with the window.
class HostingWithoutSharedMemory : public ProgramTest {
  protected:
    static void SetUpTestSuite() { server = new XvfbServer({"-extension", "MIT-SHM"}); }
};

TEST_F(HostingWithoutSharedMemory, AWindowIdRunDrawsAndEndsWithTheWindow) {
    const uint32_t host = x->CreateHost(160, 120);
    auto program = Start({"--window-id", std::to_string(host), "--seed", "3"});
    EXPECT_TRUE(WaitUntil([&] { return x->LitPixels(host) > 10; }, kStartUp)) << "no stars in the host";
    x->Destroy(host);
    EXPECT_EQ(program->WaitExit(kPromptly), 0) << "the run did not end cleanly with its window";
}

TEST_F(HostingTest, APreviewWithoutAValidWindowEndsAtOnceShowingNothing) {
    const std::set<uint32_t> before = x->ViewableTopLevels();
    for (const auto& args : {std::vector<std::string>{"/P"}, {"/p", "junk"}, {"/P", "12345"}}) {
        auto program = Start(args);
        EXPECT_EQ(program->WaitExit(kStartUp), 0) << args.back();
    }
    EXPECT_EQ(x->ViewableTopLevels(), before);
}

TEST_F(HostingTest, ASecondSaverStartEndsAtOnceWhileTheFirstRuns) {
    const std::string caption = "ZEFO:Orbelune 3.0";
    auto first = Start({"/S"});
    ::setenv("XDG_RUNTIME_DIR", (home.Path() + "/run").c_str(), 1);
    // The caption's socket is taken before the window is mapped: wait for both.
    EXPECT_TRUE(WaitUntil(
        [&] {
            const std::vector<uint32_t> savers = x->ViewableTopLevelsNamed(caption);
            return savers.size() == 1 && x->Size(savers[0]) == x->ScreenSize() && InstanceExists(caption);
        },
        kStartUp))
        << "the saver covers the screen";
    const std::set<uint32_t> running = x->ViewableTopLevels();
    auto second = Start({"--saver"});
    EXPECT_EQ(second->WaitExit(kStartUp), 0);
    EXPECT_EQ(x->ViewableTopLevels(), running) << "the second start showed a window";
    ASSERT_TRUE(first->Signal(SIGTERM));
    EXPECT_EQ(first->WaitExit(kPromptly), 0);
    EXPECT_FALSE(InstanceExists(caption)) << "the caption is released";
}

TEST_F(HostingTest, StartAndDestroyCyclesEachEndPromptly) {
    for (int cycle = 0; cycle < 20; ++cycle) {
        const uint32_t host = x->CreateHost(64, 48);
        auto program = Start({"/P", std::to_string(host)});
        ASSERT_TRUE(WaitUntil([&] { return x->LitPixels(host) > 0; }, kStartUp)) << "cycle " << cycle;
        x->Destroy(host);
        ASSERT_EQ(program->WaitExit(kPromptly), 0) << "cycle " << cycle;
    }
}

} // namespace
} // namespace orb::x11test
