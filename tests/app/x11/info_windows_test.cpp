// The Welcome, About and help windows of the real program on a private Xvfb server, driven by
// xdotool: the first-use Welcome before the Properties window, the About show drawing, and the
// help taking typed text while a dialog is modal.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>
#include <xcb/xcb.h>

#include "app/x11/x11_harness.h"
#include "platform/temp_dir.h"

namespace orb::x11test {
namespace {

using namespace std::chrono_literals;

// Children of a window, by their size, and how many of their pixels are lit: the About picture is
// a child window of its own.
class Tree {
  public:
    explicit Tree(const std::string& display) : conn_(xcb_connect(display.c_str(), nullptr)) {}
    ~Tree() { xcb_disconnect(conn_); }
    // The lit pixels of the first child of `window` (at any depth) sized w x h; -1 when none.
    int LitInChildSized(uint32_t window, int w, int h) {
        xcb_query_tree_reply_t* tree = xcb_query_tree_reply(conn_, xcb_query_tree(conn_, window), nullptr);
        if (!tree) return -1;
        int result = -1;
        const xcb_window_t* kids = xcb_query_tree_children(tree);
        for (int i = 0; i < xcb_query_tree_children_length(tree) && result < 0; ++i) {
            xcb_get_geometry_reply_t* g =
                xcb_get_geometry_reply(conn_, xcb_get_geometry(conn_, kids[i]), nullptr);
            const bool match = g && g->width == w && g->height == h;
            std::free(g);
            result = match ? Lit(kids[i], w, h) : LitInChildSized(kids[i], w, h);
        }
        std::free(tree);
        return result;
    }

  private:
    int Lit(uint32_t window, int w, int h) {
        xcb_get_image_reply_t* img = xcb_get_image_reply(
            conn_, xcb_get_image(conn_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, w, h, ~0u), nullptr);
        if (!img) return 0;
        const auto* data = reinterpret_cast<const uint32_t*>(xcb_get_image_data(img));
        const int words = xcb_get_image_data_length(img) / 4;
        int lit = 0;
        for (int i = 0; i < words; ++i)
            lit += (data[i] & 0xFFFFFFu) != 0;
        std::free(img);
        return lit;
    }
    xcb_connection_t* conn_;
};

constexpr auto kStartUp = 15s; // a start on a busy two-core machine

class InfoWindowsX11 : public ::testing::Test {
  protected:
    static inline XvfbServer* server = nullptr;
    test::TempDir home;
    std::unique_ptr<XClient> x;

    static void SetUpTestSuite() { server = new XvfbServer; }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }
    void SetUp() override {
        if (server->Display().empty()) GTEST_SKIP() << "Xvfb is not available";
        if (std::system("command -v xdotool >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "xdotool is not installed";
        ::mkdir((home.Path() + "/run").c_str(), 0700);
        x = std::make_unique<XClient>(server->Display());
        ASSERT_TRUE(x->Ok());
    }
    std::unique_ptr<Program> Start(const std::vector<std::string>& args) {
        return std::make_unique<Program>(server->Display(), home.Path(), args);
    }
    // xdotool on the test's display; its output.
    std::string Xdo(const std::string& args) {
        const std::string cmd = "DISPLAY=" + server->Display() + " xdotool " + args + " 2>/dev/null";
        std::string out;
        if (FILE* p = ::popen(cmd.c_str(), "r")) {
            std::array<char, 256> buf{};
            while (std::fgets(buf.data(), buf.size(), p))
                out += buf.data();
            ::pclose(p);
        }
        return out;
    }
    // The visible window captioned exactly `caption`, or 0.
    uint32_t Find(const std::string& caption) {
        const std::string out = Xdo("search --onlyvisible --name '^" + caption + "$'");
        return out.empty() ? 0 : static_cast<uint32_t>(std::stoul(out));
    }
    uint32_t WaitFor(const std::string& caption) {
        uint32_t id = 0;
        WaitUntil([&] { return (id = Find(caption)) != 0; }, kStartUp);
        return id;
    }
    void Key(uint32_t window, const std::string& keys) {
        Xdo("windowfocus --sync " + std::to_string(window));
        Xdo("key --clearmodifiers " + keys);
    }
    void Type(uint32_t window, const std::string& text) {
        Xdo("windowfocus --sync " + std::to_string(window));
        Xdo("type --clearmodifiers '" + text + "'");
    }
    // Settings that have seen the Properties window before: no Welcome.
    void SeenBefore() {
        const std::string dir = home.Path() + "/config/orbelune";
        std::filesystem::create_directories(dir);
        std::ofstream(dir + "/orbelune.ini")
            << "[SOFTWARE\\Brightquill\\ZEFO_Orbis\\General]\nResetSettings=1\n";
    }
};

TEST_F(InfoWindowsX11, FirstConfigShowsTheWelcomeThenTheProperties) {
    auto program = Start({"--config"});
    const uint32_t welcome = WaitFor("Welcome");
    ASSERT_NE(welcome, 0u) << "no Welcome window";
    EXPECT_EQ(Find("Galaxy Properties"), 0u); // the Welcome comes first
    Key(welcome, "Return");
    EXPECT_TRUE(WaitUntil([&] { return Find("Welcome") == 0; }, kStartUp));
    const uint32_t props = WaitFor("Galaxy Properties");
    EXPECT_NE(props, 0u) << "no Properties window after the Welcome";
    std::ifstream ini(home.Path() + "/config/orbelune/orbelune.ini");
    const std::string text((std::istreambuf_iterator<char>(ini)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("ResetSettings=1"), std::string::npos);
    program->Signal(SIGTERM);
    EXPECT_TRUE(program->WaitExit(kStartUp).has_value());
}

TEST_F(InfoWindowsX11, AboutShowsTheGalaxyShowAndHelpTakesTextWhileItIsModal) {
    SeenBefore();
    auto program = Start({"--config"});
    const uint32_t props = WaitFor("Galaxy Properties");
    ASSERT_NE(props, 0u);
    Key(props, "alt+h");
    Key(props, "a"); // "&About Orbelune..."
    const uint32_t about = WaitFor("About Orbelune");
    ASSERT_NE(about, 0u) << "Help > About opened no window";
    // The picture is a child window of the show's size; stars are lit in it within 2 s or so.
    Tree tree(server->Display());
    EXPECT_TRUE(WaitUntil([&] { return tree.LitInChildSized(about, 256, 200) > 50; }, kStartUp))
        << "the About show drew nothing";

    // F1 in the modal About window opens the help; it takes typed search text all the same.
    Key(about, "F1");
    const uint32_t help = WaitFor("Orbelune Help");
    ASSERT_NE(help, 0u) << "F1 opened no help window";
    // Settled first, so that a change below comes from the typing.
    int before = -1;
    EXPECT_TRUE(WaitUntil(
        [&] {
            const int now = x->LitPixels(help);
            const bool same = now == before && now > 0;
            before = now;
            if (!same) std::this_thread::sleep_for(200ms);
            return same;
        },
        kStartUp));
    Key(help, "alt+s");
    Type(help, "focal");
    Key(help, "Return");
    EXPECT_TRUE(WaitUntil([&] { return x->LitPixels(help) != before; }, 5s)) << "the help took no text";
    EXPECT_NE(Find("About Orbelune"), 0u); // still open and modal over the dialog
    program->Signal(SIGTERM);
    EXPECT_TRUE(program->WaitExit(kStartUp).has_value());
}

} // namespace
} // namespace orb::x11test
