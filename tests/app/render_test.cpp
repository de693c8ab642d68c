#include "app/core/render.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <tuple>

#include "app/core/png_file.h"
#include "platform/temp_dir.h"
#include "settings/presets.h"
#include "settings/store.h"

namespace orb {
namespace {

std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::istringstream in{std::string(text)};
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

auto Fields(const RenderOptions& o) {
    return std::tuple(o.dir, o.frames, o.width, o.height, o.seed, o.every, o.write);
}

TEST(ParseRenderOptions, AcceptsTheOptionsInAnyOrder) {
    std::string error;
    auto o =
        ParseRenderOptions(Words("--seed 9 --size 640x480 out --every 5 --frames 100 --no-write"), error);
    ASSERT_TRUE(o) << error;
    EXPECT_EQ(Fields(*o), Fields({"out", 100, 640, 480, 9, 5, false}));
    EXPECT_TRUE(ParseRenderOptions(Words("out --frames 1 --size 1x16384"), error)) << error;
    o = ParseRenderOptions(Words("--render frames --frames 1 --size 16384x1"), error);
    ASSERT_TRUE(o) << error;
    EXPECT_EQ(Fields(*o), Fields({"frames", 1, 16384, 1, std::nullopt, 1, true}));
}

TEST(ParseRenderOptions, RefusesWhatItCannotRun) {
    for (const char* args : {
             "--frames 10 --size 64x48",               // no folder
             "out --size 64x48",                       // no frame count
             "out --frames 10",                        // no size
             "out --frames 0 --size 64x48",            // nothing to run
             "out --frames ten --size 64x48",          // not a number
             "out --frames 10k --size 64x48",          // not only a number
             "out --frames 10 --size 64",              // no height
             "out --frames 10 --size 0x48",            // empty image
             "out --frames 10 --size 16385x1",         // too wide
             "out --frames 10 --size 10000x10000",     // too many pixels
             "out --frames 10 --size 64x48 --every 0", // never written
             "out --frames 10 --size 64x48 --fast",    // unknown option
             "out --frames 10 --size",                 // option without its value
             "out more --frames 10 --size 64x48",      // two folders
         }) {
        std::string error;
        EXPECT_FALSE(ParseRenderOptions(Words(args), error)) << args;
        EXPECT_FALSE(error.empty()) << args;
    }
}

// Width and height of a PNG file, or 0 x 0 when it does not read as one; its RGB bytes in `pixels`.
std::pair<uint32_t, uint32_t> ReadPng(const std::string& path, std::vector<png_byte>& pixels) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return {0, 0};
    image.format = PNG_FORMAT_RGB;
    pixels.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return {0, 0};
    return {image.width, image.height};
}

TEST(WritePngFile, KeepsEveryPixelInRgbOrderAndReportsWhatItCannotWrite) {
    test::TempDir dir;
    const uint32_t colours[] = {0x0000FFu, 0x00FF00u, 0x804020u}; // red, green, 0x00BBGGRR
    for (const auto& [w, h] : {std::pair{3u, 1u}, std::pair{1u, 3u}}) { // a row, a column
        OwnedFramebuffer line{static_cast<int32_t>(w), static_cast<int32_t>(h)};
        for (int i = 0; i < 3; ++i)
            line.Surface().Set(w > 1 ? i : 0, w > 1 ? 0 : i, colours[i]);
        ASSERT_TRUE(WritePngFile(dir.File("line.png"), line.Surface())) << w;
        std::vector<png_byte> pixels;
        EXPECT_EQ(ReadPng(dir.File("line.png"), pixels), std::make_pair(w, h));
        EXPECT_EQ(pixels, (std::vector<png_byte>{255, 0, 0, 0, 255, 0, 0x20, 0x40, 0x80}));
    }
    OwnedFramebuffer empty{0, 0};
    EXPECT_FALSE(WritePngFile(dir.File("empty.png"), empty.Surface()));
    OwnedFramebuffer dot{1, 1};
    EXPECT_FALSE(WritePngFile(dir.File("missing/dot.png"), dot.Surface())); // no such folder
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"line.png"});
}

TEST(RunRender, WritesEveryKthFrameAsAReadablePng) {
    test::TempDir dir;
    MemoryBackend backend;
    RenderOptions o{dir.Path(), 7, 64, 48, 1, 3};
    std::ostringstream out, err;
    ASSERT_EQ(RunRender(o, backend, out, err), 0) << err.str();
    EXPECT_NE(out.str().find("rendered 7 frames"), std::string::npos) << out.str();
    EXPECT_GT(std::stod(out.str().substr(out.str().find(" s, ") + 4)), 0.0) << "frames per second";
    const std::vector<std::string> names = dir.Names();
    EXPECT_EQ(names, (std::vector<std::string>{"frame-000003.png", "frame-000006.png"}));
    bool anyLight = false;
    for (const std::string& name : names) {
        std::vector<png_byte> pixels;
        EXPECT_EQ(ReadPng(o.dir + "/" + name, pixels), std::make_pair(64u, 48u)) << name;
        anyLight = anyLight || std::any_of(pixels.begin(), pixels.end(), [](png_byte b) { return b != 0; });
    }
    EXPECT_TRUE(anyLight) << "the burst shows";
    EXPECT_EQ(backend.Size(), 0u) << "the store is only read";
    o = {dir.File("one"), 1, 8, 8, 1, 1};
    ASSERT_EQ(RunRender(o, backend, out, err), 0) << err.str();
    EXPECT_TRUE(std::filesystem::exists(o.dir + "/frame-000001.png")) << "frames count from 1";
}

TEST(RunRender, NoWriteRunsTheFramesAndWritesNothing) {
    test::TempDir dir;
    for (const char* settings : {"factory settings", "stored settings"}) {
        MemoryBackend backend;
        if (settings[0] == 's') {
            FactoryConfiguration f = MakeFactoryConfiguration(1);
            SettingsStore(backend).SaveAllSettings(f.universe, f.tables);
        }
        const size_t values = backend.Size();
        const RenderOptions o{dir.File("never"), 20, 32, 32, std::nullopt, 1, false};
        std::ostringstream out, err;
        ASSERT_EQ(RunRender(o, backend, out, err), 0) << err.str();
        for (const char* said : {"rendered 20 frames", settings, "wrote 0 files"})
            EXPECT_NE(out.str().find(said), std::string::npos) << out.str();
        EXPECT_FALSE(std::filesystem::exists(o.dir));
        EXPECT_EQ(backend.Size(), values);
    }
}

TEST(RunRender, AFolderThatCannotBeMadeIsAnError) {
    test::TempDir dir;
    test::WriteAll(dir.File("file"), "x");
    MemoryBackend backend;
    const RenderOptions o{dir.File("file") + "/frames", 2, 8, 8, std::nullopt};
    std::ostringstream out, err;
    EXPECT_EQ(RunRender(o, backend, out, err), 1);
    EXPECT_NE(err.str().find("frames"), std::string::npos) << err.str();
    EXPECT_TRUE(out.str().empty());
}

} // namespace
} // namespace orb
