// Headless pictures of universe creation: builds a universe from the factory settings with a
// fixed seed and writes the framebuffer after chosen burst steps, the settled universe, and a
// close view of one galaxy, as PNG files.
//
//   orbelune-picture --seed 1 --size 640x480 --steps 0,50,150,299 --out pictures
//                    [--theme 1] [--set 0] [--type SLOT | --style STYLE] [--stars N] [--galaxies N]
#include <png.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/animation/framebuffer.h"
#include "engine/creation/universe.h"
#include "settings/presets.h"
#include "settings/store.h"

namespace {

using namespace orb;

struct Options {
    uint64_t seed = 1;
    int width = 640, height = 480;
    std::vector<int> steps{0, 50, 150, 299};
    std::string out = ".";
    int theme = 1;
    int set = 0;
    int type = -1;  // all weight to this galaxy type slot
    int style = -1; // all weight to the first type of this style
    int stars = -1, galaxies = -1;
};

template <typename T> bool ParseNumber(std::string_view s, T& v) {
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    return ec == std::errc() && p == s.data() + s.size();
}

bool ParseList(std::string_view s, std::vector<int>& out) {
    out.clear();
    while (!s.empty()) {
        size_t comma = s.find(',');
        int v;
        if (!ParseNumber(s.substr(0, comma), v)) return false;
        out.push_back(v);
        s = comma == std::string_view::npos ? std::string_view{} : s.substr(comma + 1);
    }
    return true;
}

std::optional<Options> ParseOptions(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        std::string_view a = argv[i];
        if (i + 1 >= argc) return std::nullopt;
        std::string_view v = argv[++i];
        bool ok = true;
        if (a == "--seed")
            ok = ParseNumber(v, o.seed);
        else if (a == "--size") {
            size_t x = v.find('x');
            ok = x != std::string_view::npos && ParseNumber(v.substr(0, x), o.width) &&
                 ParseNumber(v.substr(x + 1), o.height) && o.width > 0 && o.height > 0 && o.width <= 16384 &&
                 o.height <= 16384;
        } else if (a == "--steps")
            ok = ParseList(v, o.steps);
        else if (a == "--out")
            o.out = std::string(v);
        else if (a == "--theme")
            ok = ParseNumber(v, o.theme) && o.theme >= 1 && o.theme <= kThemeCount;
        else if (a == "--set")
            ok = ParseNumber(v, o.set) && o.set >= 0 && o.set < kFactorySets;
        else if (a == "--type")
            ok = ParseNumber(v, o.type) && o.type >= 0 && o.type < kGalaxyTypeSlots;
        else if (a == "--style")
            ok = ParseNumber(v, o.style) && o.style >= 0 && o.style < kStyleCount;
        else if (a == "--stars")
            ok = ParseNumber(v, o.stars);
        else if (a == "--galaxies")
            ok = ParseNumber(v, o.galaxies);
        else
            ok = false;
        if (!ok) return std::nullopt;
    }
    return o;
}

bool WritePng(const std::filesystem::path& path, const Framebuffer& fb) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, static_cast<png_uint_32>(fb.width), static_cast<png_uint_32>(fb.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(static_cast<size_t>(fb.width) * 3);
    for (int32_t y = 0; y < fb.height; ++y) {
        for (int32_t x = 0; x < fb.width; ++x) {
            const uint32_t c = fb.Get(x, y);
            row[x * 3 + 0] = static_cast<png_byte>(c & 0xFF);
            row[x * 3 + 1] = static_cast<png_byte>((c >> 8) & 0xFF);
            row[x * 3 + 2] = static_cast<png_byte>((c >> 16) & 0xFF);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fclose(f) == 0;
}

// The factory galaxy types, composites and theme in a store of their own.
void FillStore(SettingsStore& store, const Options& o) {
    GalaxyTables t;
    ApplyFactoryGalaxyTypes(t, o.set);
    ApplyFactoryComposites(t, o.set);
    int only = o.type;
    if (o.style >= 0)
        for (int s = 0; s < kGalaxyTypeSlots && only < 0; ++s)
            if (t.types[s].Style() == o.style) only = s;
    if (only >= 0) {
        for (int s = 0; s < kGalaxyTypeSlots; ++s)
            t.types[s].pct = s == only ? 100 : 0;
        for (CompositeGalaxy& c : t.composites)
            c.pct = 0;
        std::printf("all weight to type %d \"%s\" (style %d)\n", only, t.types[only].name.c_str(),
                    t.types[only].Style());
    }
    store.SaveAllGalaxyTypes(t);
    store.SaveAllComposites(t);
    UniverseSettings u;
    ParseUniverseTheme(UniverseTheme(o.theme, o.set == 1), u);
    if (o.stars > 0) u[U::Stars] = static_cast<float>(o.stars);
    if (o.galaxies > 0) u[U::Galaxy] = static_cast<float>(o.galaxies);
    store.SaveUniverse(u);
}

// Every star at its place, seen from camera (no motion, no trails).
void DrawSnapshot(UniverseEngine& e, Framebuffer& fb, Vec3f camera) {
    fb.Clear();
    const StarArrays& s = e.Stars();
    const GalaxyArrays& g = e.Galaxies();
    for (int32_t i = 0; i < s.count; ++i) {
        const int16_t type = s.type[i];
        const GalaxyTypeRun& run = e.Model().run[type];
        const TypeView view{run.tiltSin, run.tiltCos,
                            static_cast<int16_t>(e.Tables().types[type][G::AxisPlane])};
        Vec3f local{s.x[i], s.y[i], s.z[i]};
        if (e.Tables().types[type].Style() <= 3)
            local = {static_cast<float>(s.radius[i] * std::cos(s.angle[i])), s.height[i],
                     static_cast<float>(s.radius[i] * std::sin(s.angle[i]))};
        const int16_t k = s.galaxy[i];
        const Vec3f rel{g.relX[k] - camera.x, g.relY[k] - camera.y, g.relZ[k] - camera.z};
        ScreenPoint p;
        if (ProjectStar(e.Screen(), local, view, rel, p) > kNearDepth) fb.Set(p.x, p.y, s.colour[i]);
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<Options> parsed = ParseOptions(argc, argv);
    if (!parsed) {
        std::fprintf(stderr, "usage: orbelune-picture [--seed N] [--size WxH] [--steps a,b,..] [--out DIR]\n"
                             "       [--theme 1-8] [--set 0|1] [--type SLOT | --style 0-7] [--stars N] "
                             "[--galaxies N]\n");
        return 2;
    }
    const Options& o = *parsed;
    std::error_code ec;
    std::filesystem::create_directories(o.out, ec);
    MemoryBackend backend;
    SettingsStore store(backend);
    FillStore(store, o);

    OwnedFramebuffer fb(o.width, o.height);
    UniverseEngine engine(store);
    engine.SetFixedSeed(o.seed);
    engine.SetupSurface(fb.Surface());
    engine.SetupUniverse(false);
    engine.BeginUniverse();
    int failures = 0;
    auto save = [&](const std::string& name) {
        const std::filesystem::path path = std::filesystem::path(o.out) / name;
        if (WritePng(path, fb.Surface()))
            std::printf("wrote %s\n", path.c_str());
        else
            ++failures, std::fprintf(stderr, "could not write %s\n", path.c_str());
    };
    for (int step = 0; engine.BurstStep(); ++step)
        for (int wanted : o.steps)
            if (wanted == step) {
                char name[32];
                std::snprintf(name, sizeof name, "step%04d.png", step);
                save(name);
            }
    engine.SettleRemaining();
    DrawSnapshot(engine, fb.Surface(), {0, 0, 0});
    save("settled.png");

    // A close look at galaxy 0 from its type's stand-off distance, as a tour visit would see it.
    const int16_t slot = engine.Galaxies().typeIndex[0];
    const int16_t type =
        slot < kGalaxyTypeSlots ? slot : engine.Tables().composites[slot - kGalaxyTypeSlots].member[0];
    const GalaxyArrays& g = engine.Galaxies();
    const Vec3f camera{g.relX[0], g.relY[0], g.relZ[0] - engine.Model().run[type].standOff};
    DrawSnapshot(engine, fb.Surface(), camera);
    int members = 0;
    for (int16_t k : engine.Stars().galaxy)
        members += k == 0;
    std::printf("galaxy 0: slot %d, type %d \"%s\", %d stars, centre (%g, %g, %g), seen from %g\n", slot,
                type, engine.Tables().types[type].name.c_str(), members, g.relX[0], g.relY[0], g.relZ[0],
                engine.Model().run[type].standOff);
    save("visit.png");
    return failures == 0 ? 0 : 1;
}
