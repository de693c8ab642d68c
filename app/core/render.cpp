#include "app/core/render.h"

#include <charconv>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string_view>

#include "app/core/png_file.h"
#include "engine/animation/animation.h"
#include "engine/creation/universe.h"
#include "settings/presets.h"
#include "settings/store.h"

namespace orb {

namespace {

template <typename T> bool ParseNumber(std::string_view s, T& v) {
    const char* const end = std::to_address(s.end());
    const auto [p, ec] = std::from_chars(s.data(), end, v);
    return ec == std::errc() && p == end;
}

bool ParseSize(std::string_view s, int32_t& w, int32_t& h) {
    const size_t x = s.find_first_of("xX");
    return x != std::string_view::npos && ParseNumber(s.substr(0, x), w) && ParseNumber(s.substr(x + 1), h) &&
           w >= 1 && h >= 1 && w <= kRenderMaxSide && h <= kRenderMaxSide &&
           static_cast<int64_t>(w) * h <= kRenderMaxPixels;
}

// Reads fall through to the user's store unless the factory set stands in for it; writes never
// reach it.
class RenderBackend : public StoreBackend {
  public:
    explicit RenderBackend(StoreBackend& base) : base_(base) {}
    std::optional<std::string> Read(std::string_view keyPath, std::string_view valueName) override {
        if (std::optional<std::string> v = overlay_.Read(keyPath, valueName)) return v;
        return base_.Read(keyPath, valueName);
    }
    bool Write(std::string_view keyPath, std::string_view valueName, std::string_view text) override {
        return overlay_.Write(keyPath, valueName, text);
    }

  private:
    StoreBackend& base_;    // the user's settings, only read
    MemoryBackend overlay_; // the factory set when nothing is stored; any stray write
};

// Nothing stored yet: the galaxy types and composites of set 0 with the first theme.
void StandInFactorySet(SettingsStore& store) {
    FactoryConfiguration f = MakeFactoryConfiguration(0);
    store.SaveAllSettings(f.universe, f.tables);
}

std::filesystem::path FramePath(const std::string& dir, int64_t frame) {
    char name[40];
    std::snprintf(name, sizeof name, "frame-%06" PRId64 ".png", frame);
    return std::filesystem::path(dir) / name;
}

} // namespace

std::optional<RenderOptions> ParseRenderOptions(const std::vector<std::string>& args, std::string& error) {
    RenderOptions o;
    bool haveDir = false, haveFrames = false, haveSize = false;
    size_t i = 0;
    if (i < args.size() && args[i] == "--render") ++i;
    for (; i < args.size(); ++i) {
        const std::string_view a = args[i];
        if (a == "--no-write") {
            o.write = false;
            continue;
        }
        if (a.size() < 2 || a.substr(0, 2) != "--") {
            if (haveDir)
                return error = "--render: unexpected argument \"" + std::string(a) + "\"", std::nullopt;
            if (a.empty()) return error = "--render: the folder name is empty", std::nullopt;
            o.dir = std::string(a);
            haveDir = true;
            continue;
        }
        if (i + 1 >= args.size())
            return error = "--render: " + std::string(a) + " needs a value", std::nullopt;
        const std::string_view v = args[++i];
        bool ok = true;
        if (a == "--frames")
            ok = haveFrames = ParseNumber(v, o.frames) && o.frames >= 1 && o.frames <= kRenderMaxFrames;
        else if (a == "--size")
            ok = haveSize = ParseSize(v, o.width, o.height);
        else if (a == "--seed") {
            uint64_t seed = 0;
            ok = ParseNumber(v, seed);
            o.seed = seed;
        } else if (a == "--every")
            ok = ParseNumber(v, o.every) && o.every >= 1;
        else
            return error = "--render: unknown option " + std::string(a), std::nullopt;
        if (!ok)
            return error = "--render: bad value \"" + std::string(v) + "\" for " + std::string(a),
                   std::nullopt;
    }
    if (!haveDir) return error = "--render: the output folder is missing", std::nullopt;
    if (!haveFrames) return error = "--render: --frames N is required", std::nullopt;
    if (!haveSize) return error = "--render: --size WxH is required", std::nullopt;
    return o;
}

int RunRender(const RenderOptions& options, StoreBackend& backend, std::ostream& out, std::ostream& err) {
    RenderBackend source(backend);
    SettingsStore store(source);
    const bool factory = store.AnimationType() == -1;
    if (factory) StandInFactorySet(store);
    if (options.write) {
        std::error_code ec;
        std::filesystem::create_directories(options.dir, ec);
        if (!std::filesystem::is_directory(options.dir, ec)) {
            err << "cannot create the folder " << options.dir << "\n";
            return 1;
        }
    }

    OwnedFramebuffer image(options.width, options.height);
    UniverseEngine engine(store);
    engine.SetFixedSeed(options.seed);
    engine.SetupSurface(image.Surface());
    engine.SetupUniverse(false);
    UniverseAnimation animation(engine);
    animation.Begin();

    const auto start = std::chrono::steady_clock::now();
    int64_t written = 0;
    for (int64_t frame = 1; frame <= options.frames; ++frame) {
        const FrameResult r = animation.Step();
        if (options.write && frame % options.every == 0) {
            const std::filesystem::path path = FramePath(options.dir, frame);
            if (!WritePngFile(path, image.Surface())) {
                err << "cannot write " << path.string() << "\n";
                return 1;
            }
            ++written;
        }
        // The last frame of a universe is kept as drawn; the next universe starts on black.
        if (r.clearScreen) image.Surface().Clear();
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    char line[256];
    std::snprintf(line, sizeof line,
                  "rendered %" PRId64 " frames at %dx%d (%s settings), wrote %" PRId64
                  " files in %.2f s, %.1f frames per second",
                  options.frames, options.width, options.height, factory ? "factory" : "stored", written,
                  seconds, seconds > 0 ? static_cast<double>(options.frames) / seconds : 0.0);
    out << line;
    if (options.write) out << " to " << options.dir;
    out << "\n";
    return 0;
}

} // namespace orb
